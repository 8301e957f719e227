// alcabala-cli as users run it. An accountant's script exports hundreds of
// files one process each, so the export is served here, in a process that
// loads only Qt Core and SQLite; every other subcommand, the help and the
// usage list belong to alcabala-cli-completo beside this program (same
// folder), which takes over this very process with the same arguments.

#include <QStringList>
#include <QTextStream>
#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "cli/ligero/exportar.h"
#include "general/nombresarchivo.h"

namespace {

constexpr char kProgramaCompleto[] = "alcabala-cli-completo";

// The full program's path: this program's own folder, as the system knows
// it; empty when the system does not tell (errno says why).
std::string RutaProgramaCompleto() {
  std::string propia(4096, '\0');
  const ssize_t largo = ::readlink("/proc/self/exe", propia.data(), propia.size() - 1);
  if (largo <= 0) return std::string();
  propia.resize(static_cast<size_t>(largo));
  return propia.substr(0, propia.rfind('/') + 1) + kProgramaCompleto;
}

// Replaces this process by the full program; returns only when that fails.
int PasarAlProgramaCompleto(char** argv) {
  const std::string ruta = RutaProgramaCompleto();
  if (!ruta.empty()) ::execv(ruta.c_str(), argv);
  const int error = errno;
  QTextStream errores(stderr);
  errores << "No se puede ejecutar \""
          << (ruta.empty() ? QString::fromLatin1(kProgramaCompleto) : QString::fromLocal8Bit(ruta.c_str()))
          << "\", que atiende los subcomandos de alcabala-cli salvo exportar: " << MensajeDelSistema(error)
          << ".\n";
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const Subcomando& exportar = SubcomandoExportar();
  if (argc < 2 || exportar.nombre != QString::fromLocal8Bit(argv[1])) return PasarAlProgramaCompleto(argv);

  // The export needs no application object (its event loop, the C library's
  // locale and the rest): Qt reads the user's locale from the environment,
  // and the system's messages set it when they are needed.
  QStringList argumentos;
  for (int i = 2; i < argc; ++i) argumentos << RutaDeBytes(QByteArray(argv[i]));  // file names are bytes
  QTextStream salida(stdout);
  QTextStream errores(stderr);
  return EjecutarSubcomando(exportar, argumentos, salida, errores);
}
