// alcabala-cli-completo: the program's core from the shell, for batch work and
// scripts, every subcommand. The alcabala-cli users run serves the export
// itself, in a process that loads only Qt Core and SQLite, and hands
// everything else here (cli/lanzador.cpp).

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QLocale>
#include <QTextStream>
#include <algorithm>
#include <memory>
#include <vector>

#include "cli/ligero/subcomando.h"
#include "general/nombresarchivo.h"

namespace {
std::vector<Subcomando>& Registro() {
  static std::vector<Subcomando> subcomandos;
  return subcomandos;
}

void MostrarUso(QTextStream& err) {
  err << "Uso: alcabala-cli SUBCOMANDO [ARGUMENTOS]\n\nSubcomandos:\n";
  auto lista = Registro();
  std::sort(lista.begin(), lista.end(), [](const Subcomando& a, const Subcomando& b) { return a.nombre < b.nombre; });
  for (const auto& s : lista) err << "  alcabala-cli " << s.uso << "\n";
}
}  // namespace

bool RegistrarSubcomando(const Subcomando& subcomando) {
  Registro().push_back(subcomando);
  return true;
}

namespace {
// Subcommands that draw need a QGuiApplication; on the offscreen platform it
// needs no display. The others stay on a plain QCoreApplication.
std::unique_ptr<QCoreApplication> CrearAplicacion(int& argc, char** argv) {
  bool dibuja = false;
  if (argc > 1) {
    const QString nombre = QString::fromLocal8Bit(argv[1]);
    for (const auto& s : Registro()) dibuja = dibuja || (s.nombre == nombre && s.dibuja);
  }
  if (!dibuja) return std::make_unique<QCoreApplication>(argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Run from cron or a service there is no per-user runtime folder, and Qt
  // would warn about it on standard error at every run: a private one serves.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    static QTemporaryDir carpetaEjecucion;
    if (carpetaEjecucion.isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(carpetaEjecucion.path()));
  }
  return std::make_unique<QGuiApplication>(argc, argv);
}
}  // namespace

int main(int argc, char** argv) {
  const auto app = CrearAplicacion(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("Alcabala"));
  QTextStream salida(stdout);
  QTextStream errores(stderr);

  // File names are bytes: a name that is no valid UTF-8 must reach the file
  // system unchanged (the application object has taken its own options out).
  QStringList args;
  for (int i = 1; i < argc; ++i) args << RutaDeBytes(QByteArray(argv[i]));
  if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
    MostrarUso(errores);
    return args.isEmpty() ? 2 : 0;
  }
  const QString nombre = args.takeFirst();
  for (const auto& s : Registro())
    if (s.nombre == nombre) return EjecutarSubcomando(s, args, salida, errores);
  errores << "Subcomando desconocido: " << nombre << "\n";
  MostrarUso(errores);
  return 2;
}
