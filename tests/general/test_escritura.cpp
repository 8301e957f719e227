// Whole files written safely: only a regular file of ours is replaced, every
// write error fails the writing and leaves the earlier file, nothing temporary
// stays behind; file names as bytes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include "general/errores.h"
#include "general/escritura.h"
#include "general/nombresarchivo.h"

namespace {

QByteArray Leer(const QString& ruta) {
  QFile archivo(ruta);
  return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray("<no se pudo leer>");
}

void Crear(const QString& ruta, const QByteArray& contenido) {
  QFile archivo(ruta);
  ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
  archivo.write(contenido);
}

// The message of a writing that must fail; empty when it did not fail.
QString Falla(const QString& ruta, ModoEscritura modo, const QByteArray& contenido) {
  try {
    EscribirArchivoEntero(ruta, modo, contenido);
  } catch (const ErrorAlcabala& e) {
    return e.Mensaje();
  }
  return QString();
}

class EscrituraTest : public ::testing::Test {
 protected:
  QString Ruta(const QString& nombre) const { return carpeta.filePath(nombre); }
  // The names in the folder, hidden ones included.
  QStringList Nombres() const {
    return QDir(carpeta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                          QDir::Name);
  }
  QTemporaryDir carpeta;
};

TEST_F(EscrituraTest, ReemplazaUnArchivoComunYConservaSusPermisos) {
  const QString ruta = Ruta("salida.pdf");
  EscribirArchivoEntero(ruta, ModoEscritura::Reemplazar, QByteArray("primero"));
  EXPECT_EQ(Leer(ruta), "primero");
  ASSERT_EQ(::chmod(QFile::encodeName(ruta).constData(), 0604), 0);
  EscribirArchivoEntero(ruta, ModoEscritura::Reemplazar, QByteArray("segundo"));
  EXPECT_EQ(Leer(ruta), "segundo");
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(ruta).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0604u);
  EXPECT_EQ(Nombres(), QStringList{"salida.pdf"});
}

TEST_F(EscrituraTest, UnEnlaceNoSeReemplazaSinoSuDestinoJuntoAEl) {
  Crear(Ruta("otro.pdf"), "viejo");
  ASSERT_EQ(::symlink("otro.pdf", QFile::encodeName(Ruta("enlace.pdf")).constData()), 0);
  EscribirArchivoEntero(Ruta("enlace.pdf"), ModoEscritura::Reemplazar, QByteArray("nuevo"));
  EXPECT_EQ(Leer(Ruta("otro.pdf")), "nuevo");
  EXPECT_TRUE(QFileInfo(Ruta("enlace.pdf")).isSymLink());
  // A dangling link: the file is made where it points.
  ASSERT_EQ(::symlink("falta.pdf", QFile::encodeName(Ruta("colgante.pdf")).constData()), 0);
  EscribirArchivoEntero(Ruta("colgante.pdf"), ModoEscritura::Reemplazar, QByteArray("hecho"));
  EXPECT_EQ(Leer(Ruta("falta.pdf")), "hecho");
  EXPECT_EQ(Nombres(), (QStringList{"colgante.pdf", "enlace.pdf", "falta.pdf", "otro.pdf"}));
}

TEST_F(EscrituraTest, NuncaSobreUnArchivoDeDatosNiAlgoQueNoSeaArchivoComun) {
  Crear(Ruta("Cliente.alc"), "datos del cliente");
  Crear(Ruta("Viejo.OALC"), "datos viejos");
  ASSERT_EQ(::symlink("Cliente.alc", QFile::encodeName(Ruta("Cliente 2024-03.pdf")).constData()), 0);
  ASSERT_EQ(::symlink("Viejo.OALC", QFile::encodeName(Ruta("viejo.pdf")).constData()), 0);
  ASSERT_EQ(::mkfifo(QFile::encodeName(Ruta("tubo.pdf")).constData(), 0600), 0);
  ASSERT_TRUE(QDir(carpeta.path()).mkdir("carpeta.pdf"));
  QStringList casos = {"Cliente.alc", "Cliente 2024-03.pdf", "viejo.pdf", "NUEVO.Alc", "tubo.pdf", "carpeta.pdf"};
  // A device file needs the superuser to be made.
  if (::mknod(QFile::encodeName(Ruta("nulo.pdf")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) casos << "nulo.pdf";
  const QStringList antes = Nombres();
  for (const QString& nombre : casos) {
    const QString mensaje = Falla(Ruta(nombre), ModoEscritura::Reemplazar, "PDF");
    EXPECT_TRUE(mensaje.startsWith("No se pudo escribir «" + Ruta(nombre) + "»: ")) << mensaje.toStdString();
  }
  EXPECT_EQ(Leer(Ruta("Cliente.alc")), "datos del cliente");
  EXPECT_EQ(Leer(Ruta("Viejo.OALC")), "datos viejos");
  EXPECT_EQ(Nombres(), antes);
  struct stat info {};
  if (casos.contains("nulo.pdf")) {
    ASSERT_EQ(::lstat(QFile::encodeName(Ruta("nulo.pdf")).constData(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
  }
}

TEST_F(EscrituraTest, UnFalloDejaElArchivoAnteriorYNadaTemporal) {
  const QString ruta = Ruta("prev.pdf");
  Crear(ruta, "bueno");
  EXPECT_THROW(EscribirArchivoEntero(ruta, ModoEscritura::Reemplazar,
                                     [](QIODevice& d) {
                                       d.write("a medias");
                                       throw ErrorAlcabala("falló el dibujo");
                                     }),
               ErrorAlcabala);
  EXPECT_EQ(Leer(ruta), "bueno");
  EXPECT_TRUE(Falla(Ruta("no/hay/prev.pdf"), ModoEscritura::Reemplazar, "x").startsWith("No se pudo escribir «"));
  EXPECT_EQ(Nombres(), QStringList{"prev.pdf"});
}

// The disk full for the writer: a child process whose files may not grow past
// a few kilobytes (RLIMIT_FSIZE), the signal of that limit ignored, so every
// write past it fails with EFBIG as on a full disk.
TEST_F(EscrituraTest, UnDiscoLlenoEsUnErrorYElArchivoAnteriorQueda) {
  const QString ruta = Ruta("prev.pdf");
  Crear(ruta, "bueno");
  const pid_t hijo = ::fork();
  ASSERT_GE(hijo, 0);
  if (hijo == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{4096, 4096};
    if (::setrlimit(RLIMIT_FSIZE, &limite) != 0) ::_exit(3);
    for (const int largo : {1 << 20, 4097, 6000}) {
      // Many small writes, the last one past the limit, like a PDF's.
      try {
        EscribirArchivoEntero(ruta, ModoEscritura::Reemplazar, [largo](QIODevice& d) {
          for (int i = 0; i < largo; i += 100) d.write(QByteArray(qMin(100, largo - i), 'x'));
        });
        ::_exit(1);
      } catch (const ErrorAlcabala& e) {
        if (!e.Mensaje().startsWith(QStringLiteral("No se pudo escribir «"))) ::_exit(2);
      }
    }
    ::_exit(0);
  }
  int estado = 0;
  ASSERT_EQ(::waitpid(hijo, &estado, 0), hijo);
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 0) << "1: reported success, 2: another message, 3: no limit";
  EXPECT_EQ(Leer(ruta), "bueno");
  EXPECT_EQ(Nombres(), QStringList{"prev.pdf"});
}

TEST_F(EscrituraTest, SoloNuevoNoReemplazaNadaNiUnEnlace) {
  Crear(Ruta("hay.alc"), "datos");
  ASSERT_EQ(::symlink("falta.alc", QFile::encodeName(Ruta("enlace.alc")).constData()), 0);
  for (const char* nombre : {"hay.alc", "enlace.alc"})
    EXPECT_EQ(Falla(Ruta(nombre), ModoEscritura::SoloNuevo, "nuevo"), "El archivo \"" + Ruta(nombre) + "\" ya existe.");
  EXPECT_EQ(Leer(Ruta("hay.alc")), "datos");
  EscribirArchivoEntero(Ruta("nuevo.alc"), ModoEscritura::SoloNuevo, QByteArray("nuevo"));
  EXPECT_EQ(Leer(Ruta("nuevo.alc")), "nuevo");
  EXPECT_EQ(Nombres(), (QStringList{"enlace.alc", "hay.alc", "nuevo.alc"}));
}

TEST_F(EscrituraTest, LosTemporalesAbandonadosSeQuitanAlEscribirEnLaCarpeta) {
  const QStringList propios = {".Cliente.pdf.alcabala-Ab3dEf", ".N139.alc.fLHGzr", ".N139.alc.fLHGzr-journal"};
  const QStringList ajenos = {".Cliente.pdf.alcabala-Ab3d", ".config", "notas.alc.fLHGzr", ".x.txt.fLHGzr"};
  for (const QString& nombre : propios + ajenos) {
    Crear(Ruta(nombre), "resto");
    const utimbuf viejo{::time(nullptr) - 3600, ::time(nullptr) - 3600};
    ASSERT_EQ(::utime(QFile::encodeName(Ruta(nombre)).constData(), &viejo), 0);
  }
  Crear(Ruta(".Reciente.pdf.alcabala-Zz9Yy8"), "en curso");  // another copy of the program writing now
  EscribirArchivoEntero(Ruta("salida.pdf"), ModoEscritura::Reemplazar, QByteArray("pdf"));
  for (const QString& nombre : propios) EXPECT_FALSE(QFileInfo::exists(Ruta(nombre))) << nombre.toStdString();
  for (const QString& nombre : ajenos) EXPECT_TRUE(QFileInfo::exists(Ruta(nombre))) << nombre.toStdString();
  EXPECT_TRUE(QFileInfo::exists(Ruta(".Reciente.pdf.alcabala-Zz9Yy8")));
}

TEST(NombresArchivo, LosBytesDeUnNombreVuelvenIguales) {
  for (const QByteArray& bytes :
       {QByteArray("Caf\xe9.alc"), QByteArray("A\xc3\xb1o 2024.alc"), QByteArray("corto\xe2\x82"),
        QByteArray("largo\xc0\xaf"), QByteArray("sustituto\xed\xa0\x80"), QByteArray("\xff\xfe/\x80x"),
        QByteArray("emoji \xf0\x9f\x98\x80"), QByteArray()}) {
    const QString ruta = RutaDeBytes(bytes);
    EXPECT_EQ(BytesDeRuta(ruta), bytes) << bytes.toHex().toStdString();
    EXPECT_EQ(RutaConBytesSueltos(ruta), ruta.toUtf8() != bytes) << bytes.toHex().toStdString();
  }
  EXPECT_EQ(RutaDeBytes("A\xc3\xb1o"), QStringLiteral("Año"));
  EXPECT_EQ(RutaVisible(RutaDeBytes("Caf\xe9.alc")), QStringLiteral("Caf\uFFFD.alc"));
  EXPECT_EQ(RutaVisible(QStringLiteral("Año")), QStringLiteral("Año"));
}

TEST_F(EscrituraTest, UnNombreQueNoEsUtf8SeEscribeConSusBytes) {
  const QString ruta = Ruta(RutaDeBytes("Caf\xe9.pdf"));
  EscribirArchivoEntero(ruta, ModoEscritura::Reemplazar, QByteArray("latin1"));
  const QByteArray bytes = QFile::encodeName(carpeta.path()) + "/Caf\xe9.pdf";
  struct stat info {};
  EXPECT_EQ(::stat(bytes.constData(), &info), 0);
  EXPECT_EQ(info.st_size, 6);
}

}  // namespace
