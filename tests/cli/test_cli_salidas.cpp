// What alcabala-cli writes and reads when the user (or the disk) is hostile:
// outputs that are links, devices or data files; a full disk; names that are
// no valid UTF-8; older files; declarations whose boxes cannot be computed.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "common/archivos.h"
#include "common/cli.h"
#include "common/pdf.h"
#include "storage/archivos_prueba.h"

namespace {

using prueba::EjecutarCli;
using prueba::EjecutarCliTrasShell;

const QString Chile = QStringLiteral("es_CL.UTF-8");

class SalidasCli : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo = carpeta.filePath("Empresa.alc");
    ASSERT_EQ(EjecutarCli({"nuevo", archivo}).codigo, 0);
    Sql(archivo, {"UPDATE contribuyente SET RUT = 7654321, ApellidoPaternoRazonSocial = 'Comercial Los Andes'",
                  "INSERT INTO alcabalas (ano, mes, Cod502, Cod115) VALUES (2024, 3, 12345670000, 0.25)"});
  }
  static void Sql(const QString& ruta, const QStringList& sentencias) {
    {
      QSqlDatabase base = QSqlDatabase::addDatabase("QSQLITE", "prueba-salidas");
      base.setDatabaseName(ruta);
      ASSERT_TRUE(base.open());
      QSqlQuery consulta(base);
      for (const QString& sql : sentencias) ASSERT_TRUE(consulta.exec(sql)) << consulta.lastError().text().toStdString();
      base.close();
    }
    QSqlDatabase::removeDatabase("prueba-salidas");
  }
  // The four drawing subcommands with their output at pdf.
  QList<QStringList> Dibujos(const QString& pdf) const {
    return {{"imprimir", archivo, "2024-03", "anverso", "--pdf", pdf},
            {"copia", archivo, "2024-03", "--pdf", pdf},
            {"resumen", "iva", archivo, "2024", "--pdf", pdf},
            {"informe", "empresas", "2024-03", "--pdf", pdf, "--carpeta", carpeta.path()}};
  }
  QStringList Nombres() const {
    return QDir(carpeta.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                          QDir::Name);
  }
  QTemporaryDir carpeta;
  QString archivo;
};

}  // namespace

TEST_F(SalidasCli, LaSalidaNuncaReemplazaUnArchivoDeDatosNiAlgoQueNoSeaArchivoComun) {
  const QByteArray datos = prueba::BytesDeArchivo(archivo);
  const QString enlace = carpeta.filePath("Cliente 2024-03.pdf");
  ASSERT_EQ(::symlink("Empresa.alc", QFile::encodeName(enlace).constData()), 0);
  const QString tubo = carpeta.filePath("tubo.pdf");
  ASSERT_EQ(::mkfifo(QFile::encodeName(tubo).constData(), 0600), 0);
  QStringList salidas = {enlace, tubo};
  const QString dispositivo = carpeta.filePath("mynull");
  if (::mknod(QFile::encodeName(dispositivo).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0) salidas << dispositivo;
  const QStringList antes = Nombres();
  for (const QString& salida : salidas)
    for (const QStringList& argumentos : Dibujos(salida)) {
      const auto r = EjecutarCli(argumentos, QString(), Chile);
      EXPECT_EQ(r.codigo, 1) << argumentos.join(' ').toStdString();
      EXPECT_TRUE(r.errores.startsWith("No se pudo escribir «" + salida + "»: ")) << r.errores.toStdString();
    }
  EXPECT_EQ(prueba::BytesDeArchivo(archivo), datos);
  EXPECT_EQ(Nombres(), antes);
  EXPECT_TRUE(QFileInfo(enlace).isSymLink());
  struct stat info {};
  ASSERT_EQ(::lstat(QFile::encodeName(tubo).constData(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));

  // A link to another PDF: that file gets the new content, the link stays.
  const QString otro = carpeta.filePath("otro.pdf");
  ASSERT_EQ(::symlink("otro.pdf", QFile::encodeName(carpeta.filePath("enlace.pdf")).constData()), 0);
  const auto r = EjecutarCli(Dibujos(carpeta.filePath("enlace.pdf")).first(), QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_TRUE(QFileInfo(carpeta.filePath("enlace.pdf")).isSymLink());
  EXPECT_FALSE(prueba::LeerPdf(otro).isEmpty());
}

// The disk full: files of the program may not grow past 2 KB (ulimit -f,
// with the limit's signal ignored so each write past it fails).
TEST_F(SalidasCli, UnDiscoLlenoEsUnErrorYNoDejaNadaAMedias) {
  const QString pdf = carpeta.filePath("prev.pdf");
  ASSERT_EQ(EjecutarCli(Dibujos(pdf).first(), QString(), Chile).codigo, 0);
  const QByteArray bueno = prueba::BytesDeArchivo(pdf);
  const QStringList antes = Nombres();
  const QString limite = QStringLiteral("trap '' XFSZ; ulimit -f 4");
  for (const QStringList& argumentos : Dibujos(pdf)) {
    const auto r = EjecutarCliTrasShell(limite, argumentos, Chile);
    EXPECT_EQ(r.codigo, 1) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.startsWith("No se pudo escribir «" + pdf + "»: ")) << r.errores.toStdString();
  }
  const auto r = EjecutarCliTrasShell(limite, {"nuevo", carpeta.filePath("Nueva.alc")}, Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.startsWith("No se pudo escribir «")) << r.errores.toStdString();
  EXPECT_EQ(prueba::BytesDeArchivo(pdf), bueno);
  EXPECT_EQ(Nombres(), antes);
}

TEST_F(SalidasCli, UnNombreQueNoEsUtf8SeCreaSeLeeYSeLista) {
  // "Café.alc" in Latin-1, as archives copied from Windows hold it.
  const QString entrar = "cd '" + carpeta.path() + "' && nombre=$(printf 'Caf\\351.alc')";
  auto r = EjecutarCliTrasShell(entrar + " && set -- nuevo \"$nombre\"", {}, Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  struct stat info {};
  EXPECT_EQ(::stat((QFile::encodeName(carpeta.path()) + "/Caf\xe9.alc").constData(), &info), 0);
  r = EjecutarCliTrasShell(entrar + " && set -- exportar \"$nombre\"", {}, Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_TRUE(r.salida.contains(QStringLiteral("\"archivo\": \"Caf\uFFFD\""))) << r.salida.toStdString();
  r = EjecutarCliTrasShell(entrar + " && set -- imprimir \"$nombre\" 2024-03 anverso --pdf x.pdf", {}, Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains(QStringLiteral("«Caf\uFFFD» no tiene la declaración"))) << r.errores.toStdString();

  const QString lista = carpeta.filePath("lista.pdf");
  r = EjecutarCli({"informe", "empresas", "2024-03", "--pdf", lista, "--carpeta", carpeta.path()}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  QStringList palabras;
  for (const auto& pagina : prueba::LeerPdf(lista))
    for (const auto& palabra : pagina.palabras) palabras << palabra.texto;
  EXPECT_EQ(palabras.filter("Caf").size(), 1) << palabras.join(' ').toStdString();
  EXPECT_TRUE(palabras.contains("Andes"));
}

TEST_F(SalidasCli, UnArchivoAntiguoSeImprimeYSeCopiaSinCambiarlo) {
  const QString antiguo = carpeta.filePath("Antigua.alc");
  prueba::CrearArchivoAntiguo(antiguo);
  Sql(antiguo, {"INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2009, 11, 10000)"});
  const QByteArray antes = prueba::BytesDeArchivo(antiguo);
  for (const QStringList& argumentos :
       {QStringList{"imprimir", antiguo, "2009-11", "anverso", "--pdf", carpeta.filePath("a.pdf")},
        QStringList{"imprimir", antiguo, "2009-11", "reverso", "--pdf", carpeta.filePath("r.pdf")},
        QStringList{"copia", antiguo, "2009-11", "--pdf", carpeta.filePath("c.pdf")}}) {
    const auto r = EjecutarCli(argumentos, QString(), Chile);
    EXPECT_EQ(r.codigo, 0) << argumentos.join(' ').toStdString() << ": " << r.errores.toStdString();
  }
  EXPECT_EQ(prueba::BytesDeArchivo(antiguo), antes);
  EXPECT_FALSE(prueba::LeerPdf(carpeta.filePath("c.pdf")).isEmpty());
}

TEST_F(SalidasCli, UnaCaja91SinCalcularHaceFallarLasListasImprimirYCopia) {
  Sql(archivo, {"UPDATE alcabalas SET Cod563 = 9999999999990000, Cod115 = 99999"});
  const QString pdf = carpeta.filePath("salida.pdf");
  for (const char* tipo : {"empresas", "sin-pago", "a-pagar"}) {
    const auto r =
        EjecutarCli({"informe", tipo, "2024-03", "--pdf", pdf, "--carpeta", carpeta.path()}, QString(), Chile);
    EXPECT_EQ(r.codigo, 1) << tipo;
    EXPECT_TRUE(r.errores.startsWith("Empresa.alc: No se pudo calcular la casilla 91 de Marzo del 2024"))
        << r.errores.toStdString();
  }
  for (const QStringList& argumentos : {Dibujos(pdf).at(0), Dibujos(pdf).at(1)}) {
    const auto r = EjecutarCli(argumentos, QString(), Chile);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.errores.startsWith("Empresa.alc: No se pudieron calcular las casillas ")) << r.errores.toStdString();
    EXPECT_TRUE(r.errores.contains(" 91")) << r.errores.toStdString();
  }
  EXPECT_FALSE(QFileInfo::exists(pdf));
}
