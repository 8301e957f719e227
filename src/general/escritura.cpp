#include "general/escritura.h"

#include <QDir>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include "general/errores.h"
#include "general/nombresarchivo.h"

namespace {

// Hidden, after the target's name: ".Cliente 2024-03.pdf.alcabala-Ab3dEf".
constexpr char MarcaTemporal[] = ".alcabala-";
constexpr int LargoMaximoNombreTemporal = 100;
constexpr int EnlacesMaximos = 40;

QString Visible(const QString& ruta) { return RutaVisible(QDir::toNativeSeparators(ruta)); }

QString TextoErrno(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void FallaErrno(const QString& ruta, int error) { FallaEscritura(ruta, TextoErrno(error)); }

[[noreturn]] void YaExiste(const QString& ruta) {
  throw ErrorAlcabala(QStringLiteral("El archivo \"%1\" ya existe.").arg(Visible(ruta)));
}

QByteArray NombreFinal(const QByteArray& ruta) { return ruta.mid(ruta.lastIndexOf('/') + 1); }

bool EsArchivoDeDatos(const QByteArray& ruta) {
  const QByteArray nombre = NombreFinal(ruta).toLower();
  return nombre.endsWith(".alc") || nombre.endsWith(".oalc");
}

// The file a chain of symbolic links ends at (the name itself when it is no
// link or does not exist); stat of it in *info, st_mode 0 when it does not exist.
QByteArray ResolverEnlaces(const QString& ruta, struct stat* info) {
  QByteArray actual = BytesDeRuta(ruta);
  for (int vuelta = 0; vuelta < EnlacesMaximos; ++vuelta) {
    if (::lstat(actual.constData(), info) != 0) {
      if (errno != ENOENT) FallaErrno(ruta, errno);
      info->st_mode = 0;
      return actual;
    }
    if (!S_ISLNK(info->st_mode)) return actual;
    QByteArray destino(PATH_MAX, Qt::Uninitialized);
    const ssize_t largo = ::readlink(actual.constData(), destino.data(), static_cast<size_t>(destino.size()));
    if (largo < 0) FallaErrno(ruta, errno);
    destino.truncate(largo);
    actual = destino.startsWith('/') ? destino : CarpetaDeBytes(actual) + '/' + destino;
  }
  FallaErrno(ruta, ELOOP);
}

// Removes the named temporary files of ours (and of the older creation of data
// files: ".Nombre.alc.Ab3dEf" with its journal) that are older than
// MinutosTemporalAbandonado and belong to this user. Errors are no concern here.
void QuitarTemporalesAbandonados(const QByteArray& carpeta) {
  DIR* directorio = ::opendir(carpeta.constData());
  if (!directorio) return;
  const time_t limite = ::time(nullptr) - MinutosTemporalAbandonado * 60;
  while (const dirent* entrada = ::readdir(directorio)) {
    const QByteArray nombre(entrada->d_name);
    if (!EsTemporalDeEscritura(RutaDeBytes(nombre))) continue;
    const QByteArray ruta = carpeta + '/' + nombre;
    struct stat info {};
    if (::lstat(ruta.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
        info.st_mtime < limite)
      ::unlink(ruta.constData());
  }
  ::closedir(directorio);
}

// A name in the folder for a temporary file that takes the content on its way
// to the target: made by mkostemp when fd is null, else hard-linked to the
// unnamed file open at fd. Empty with errno set on failure.
QByteArray TemporalConNombre(const QByteArray& destino, int* fd, int anonimo) {
  const QByteArray base =
      CarpetaDeBytes(destino) + "/." + NombreFinal(destino).left(LargoMaximoNombreTemporal) + MarcaTemporal;
  if (anonimo < 0) {
    QByteArray plantilla = base + "XXXXXX";
    *fd = ::mkostemp(plantilla.data(), O_CLOEXEC);
    return *fd < 0 ? QByteArray() : plantilla;
  }
  const QByteArray origen = "/proc/self/fd/" + QByteArray::number(anonimo);
  static const char letras[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int intento = 0; intento < 100; ++intento) {
    QByteArray nombre = base;
    for (int i = 0; i < 6; ++i)
      nombre += letras[QRandomGenerator::global()->bounded(static_cast<int>(sizeof(letras) - 1))];
    if (::linkat(AT_FDCWD, origen.constData(), AT_FDCWD, nombre.constData(), AT_SYMLINK_FOLLOW) == 0) return nombre;
    if (errno != EEXIST) return QByteArray();
  }
  errno = EEXIST;
  return QByteArray();
}

// Links a finished named file at the name without replacing anything there:
// a hard link fails when the name exists; where the file system has no hard
// links, renameat2 with RENAME_NOREPLACE does the same. Returns errno, 0 on success.
int PonerSinReemplazar(const QByteArray& temporal, const QByteArray& destino) {
  if (::link(temporal.constData(), destino.constData()) == 0) {
    ::unlink(temporal.constData());
    return 0;
  }
  int error = errno;
  if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != ENOSYS) return error;
#ifdef SYS_renameat2
  error = ::syscall(SYS_renameat2, AT_FDCWD, temporal.constData(), AT_FDCWD, destino.constData(), RENAME_NOREPLACE) == 0
              ? 0
              : errno;
#endif
  if (error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EPERM) {
    struct stat info {};
    if (::lstat(destino.constData(), &info) == 0) return EEXIST;
    error = ::rename(temporal.constData(), destino.constData()) == 0 ? 0 : errno;
  }
  return error;
}

void SincronizarCarpeta(const QByteArray& carpeta) {
  const int fd = ::open(carpeta.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems cannot sync a folder; the file itself is synced
  ::close(fd);
}

// A device over a file descriptor that keeps the first write error: a writer
// (QPdfWriter, say) that does not look at what write() returns cannot lose it.
class DispositivoDescriptor : public QIODevice {
 public:
  explicit DispositivoDescriptor(int fd) : fd_(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
  int Error() const { return error_; }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* datos, qint64 largo) override {
    if (error_ != 0) return -1;
    qint64 escritos = 0;
    while (escritos < largo) {
      const ssize_t n = ::write(fd_, datos + escritos, static_cast<size_t>(largo - escritos));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? errno : ENOSPC;
        setErrorString(TextoErrno(error_));
        return -1;
      }
      escritos += n;
    }
    return escritos;
  }

 private:
  int fd_;
  int error_ = 0;
};

// The temporary file on its way to the target; gone on every way out unless
// it took its name.
class Temporal {
 public:
  ~Temporal() {
    if (fd_ >= 0) ::close(fd_);
    if (!nombre_.isEmpty()) ::unlink(nombre_.constData());
  }
  int fd_ = -1;
  bool anonimo_ = false;
  QByteArray nombre_;
};

mode_t PermisosNuevos() {
  const mode_t mascara = ::umask(0);
  ::umask(mascara);
  return 0666 & ~mascara;
}

}  // namespace

void FallaEscritura(const QString& ruta, const QString& motivo) {
  throw ErrorAlcabala(QStringLiteral("No se pudo escribir «%1»: %2").arg(Visible(ruta), motivo));
}

bool EsTemporalDeEscritura(const QString& nombre) {
  static const QRegularExpression propio(QStringLiteral("^\\..+\\.alcabala-[A-Za-z0-9]{6}$"));
  static const QRegularExpression creacionAnterior(
      QStringLiteral("^\\..+\\.(alc|oalc)\\.[A-Za-z0-9]{6}(-journal)?$"),
      QRegularExpression::CaseInsensitiveOption);
  return propio.match(nombre).hasMatch() || creacionAnterior.match(nombre).hasMatch();
}

void EscribirArchivoEntero(const QString& ruta, ModoEscritura modo, const std::function<void(QIODevice&)>& escribir) {
  if (ruta.isEmpty()) FallaErrno(ruta, ENOENT);
  struct stat anterior {};
  QByteArray destino = BytesDeRuta(ruta);
  if (modo == ModoEscritura::Reemplazar) {
    destino = ResolverEnlaces(ruta, &anterior);
    if (EsArchivoDeDatos(BytesDeRuta(ruta)) || EsArchivoDeDatos(destino))
      FallaEscritura(ruta, QStringLiteral("es un archivo de datos de Alcabala; la salida debe ser otro archivo, "
                                          "por ejemplo uno terminado en .pdf"));
    if (anterior.st_mode != 0 && !S_ISREG(anterior.st_mode))
      FallaEscritura(ruta, QStringLiteral("no es un archivo común; la salida debe ser un archivo nuevo o un "
                                          "archivo común"));
  } else if (::lstat(destino.constData(), &anterior) == 0) {
    YaExiste(ruta);
  } else {
    anterior.st_mode = 0;
  }
  const QByteArray carpeta = CarpetaDeBytes(destino);

  QuitarTemporalesAbandonados(carpeta);
  Temporal temporal;
  temporal.fd_ = ::open(carpeta.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  temporal.anonimo_ = temporal.fd_ >= 0;
  if (!temporal.anonimo_) {
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL && errno != ENOTSUP) FallaErrno(ruta, errno);
    temporal.nombre_ = TemporalConNombre(destino, &temporal.fd_, -1);
    if (temporal.nombre_.isEmpty()) FallaErrno(ruta, errno);
  }
  // A replaced file keeps its permissions; a new one gets those of any new file.
  const mode_t permisos = anterior.st_mode != 0 ? (anterior.st_mode & 07777) : PermisosNuevos();
  if (::fchmod(temporal.fd_, permisos) != 0) FallaErrno(ruta, errno);

  {
    DispositivoDescriptor dispositivo(temporal.fd_);
    escribir(dispositivo);
    if (dispositivo.Error() != 0) FallaErrno(ruta, dispositivo.Error());
  }
  if (::fsync(temporal.fd_) != 0) FallaErrno(ruta, errno);

  if (temporal.anonimo_ && modo == ModoEscritura::SoloNuevo) {
    const QByteArray origen = "/proc/self/fd/" + QByteArray::number(temporal.fd_);
    if (::linkat(AT_FDCWD, origen.constData(), AT_FDCWD, destino.constData(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno == EEXIST) YaExiste(ruta);
      FallaErrno(ruta, errno);
    }
  } else {
    if (temporal.anonimo_) {
      int ignorado = -1;
      temporal.nombre_ = TemporalConNombre(destino, &ignorado, temporal.fd_);
      if (temporal.nombre_.isEmpty()) FallaErrno(ruta, errno);
    }
    const int cierre = ::close(temporal.fd_);
    temporal.fd_ = -1;
    if (cierre != 0) FallaErrno(ruta, errno);
    if (modo == ModoEscritura::SoloNuevo) {
      const int error = PonerSinReemplazar(temporal.nombre_, destino);
      if (error == EEXIST) YaExiste(ruta);
      if (error != 0) FallaErrno(ruta, error);
    } else if (::rename(temporal.nombre_.constData(), destino.constData()) != 0) {
      FallaErrno(ruta, errno);
    }
    temporal.nombre_.clear();  // it has its name now
  }
  SincronizarCarpeta(carpeta);
}

void EscribirArchivoEntero(const QString& ruta, ModoEscritura modo, const QByteArray& contenido) {
  EscribirArchivoEntero(ruta, modo, [&contenido](QIODevice& dispositivo) { dispositivo.write(contenido); });
}
