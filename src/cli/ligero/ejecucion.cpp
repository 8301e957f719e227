// Running one subcommand, shared by alcabala-cli and alcabala-cli-completo.

#include <QFileDevice>
#include <QIODevice>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>

#include "cli/ligero/subcomando.h"
#include "general/errores.h"

namespace {

// Flushes standard output down to the system. Returns 0 when everything
// written reached it, otherwise the system's error number (a full disk, a
// closed pipe).
int ErrorDeSalida(QTextStream& salida) {
  errno = 0;
  salida.flush();
  const bool escrita = salida.status() == QTextStream::Ok;
  const bool vaciada = std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (escrita && vaciada) return 0;
  return errno != 0 ? errno : EIO;
}

}  // namespace

QString MensajeDelSistema(int error) {
  // The lean alcabala-cli sets the user's locale only when it has a message
  // to give: reading the locale's files is a good part of an export's start.
  static const bool localeDelUsuario = std::setlocale(LC_ALL, "") != nullptr;
  Q_UNUSED(localeDelUsuario);
  return QString::fromLocal8Bit(std::strerror(error));
}

int ErrorDeUso(ContextoCli& contexto, const QString& uso) {
  contexto.errores << "Uso: alcabala-cli " << uso << "\n";
  contexto.errores.flush();
  return 2;
}

void EscribirSalida(ContextoCli& contexto, const QByteArray& utf8) {
  QTextStream& salida = contexto.salida;
  salida.flush();
  QIODevice* dispositivo = salida.device();
  if (!dispositivo) {
    salida << QString::fromUtf8(utf8);
    return;
  }
  // Down to the C stream at once: a failed write shows there (ferror), which
  // the run checks at the end like every other output.
  dispositivo->write(utf8);
  if (auto* archivo = qobject_cast<QFileDevice*>(dispositivo)) archivo->flush();
}

int EjecutarSubcomando(const Subcomando& subcomando, const QStringList& argumentos, QTextStream& salida,
                       QTextStream& errores) {
  ContextoCli contexto{argumentos, salida, errores, QLocale::system()};
  int codigo = 1;
  std::optional<QString> error;
  try {
    codigo = subcomando.ejecutar(contexto);
  } catch (const std::exception& e) {
    error = MensajeDeExcepcion(e);
  }
  // A guard that could not put its state back failed first.
  if (std::optional<QString> restauracion = TomarErrorDeRestauracion()) error = restauracion;
  if (error) {
    salida.flush();
    errores << TextoMensajeError(*error) << "\n";
    codigo = 1;
  }
  if (const int errorSalida = ErrorDeSalida(salida); errorSalida != 0) {
    errores << "No se pudo escribir la salida estándar: " << MensajeDelSistema(errorSalida)
            << "\n";
    codigo = 1;
  }
  errores.flush();
  return codigo;
}
