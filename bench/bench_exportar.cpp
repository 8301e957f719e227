// alcabala-cli exportar against SQLite's own shell (sqlite3 -json) on the
// same file, each run as a process the way a script runs them: the whole
// 240-declaration file, one period, and a loop over 500 client files of 60
// declarations. Runs alternate between the two; prints medians and ratios.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "archivoveinteanos.h"
#include "general/moneda.h"
#include "storage/archivo.h"
#include "storage/conexion.h"

extern char** environ;

namespace {

constexpr int kVueltas = 41;
constexpr int kClientes = 500;
constexpr int kVueltasClientes = 3;
constexpr int kAnoPeriodo = 2010;
constexpr int kMesPeriodo = 5;

// Runs a program with its output thrown away; false when it does not end
// with exit code 0.
bool Ejecutar(const std::vector<QByteArray>& argumentos) {
  std::vector<char*> argv;
  for (const QByteArray& argumento : argumentos) argv.push_back(const_cast<char*>(argumento.constData()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t acciones;
  posix_spawn_file_actions_init(&acciones);
  posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&acciones, 2, "/dev/null", O_WRONLY, 0);
  pid_t proceso = 0;
  const int error = posix_spawn(&proceso, argv[0], &acciones, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&acciones);
  if (error != 0) return false;
  int estado = 0;
  waitpid(proceso, &estado, 0);
  return WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

double Milisegundos(const std::vector<QByteArray>& argumentos) {
  const auto inicio = std::chrono::steady_clock::now();
  if (!Ejecutar(argumentos)) std::printf("falló: %s\n", argumentos.front().constData());
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
}

double Mediana(std::vector<double> tiempos) {
  std::sort(tiempos.begin(), tiempos.end());
  return tiempos[tiempos.size() / 2];
}

struct Par {
  double programa = 0;
  double sqlite = 0;
};

// Both commands, alternating, kVueltas times each after one warm-up run.
Par Comparar(const std::vector<QByteArray>& programa, const std::vector<QByteArray>& sqlite) {
  Milisegundos(programa);
  Milisegundos(sqlite);
  std::vector<double> tiemposPrograma, tiemposSqlite;
  for (int i = 0; i < kVueltas; ++i) {
    tiemposPrograma.push_back(Milisegundos(programa));
    tiemposSqlite.push_back(Milisegundos(sqlite));
  }
  return {Mediana(tiemposPrograma), Mediana(tiemposSqlite)};
}

// One loop over every client file, one process per file.
double Bucle(const QStringList& rutas, const std::vector<QByteArray>& antes, const std::vector<QByteArray>& despues) {
  const auto inicio = std::chrono::steady_clock::now();
  for (const QString& ruta : rutas) {
    std::vector<QByteArray> argumentos = antes;
    argumentos.push_back(QFile::encodeName(ruta));
    argumentos.insert(argumentos.end(), despues.begin(), despues.end());
    if (!Ejecutar(argumentos)) std::printf("falló con %s\n", qPrintable(ruta));
  }
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
}

// A client file of five years (60 declarations), copied kClientes times.
QStringList CrearClientes(const QString& carpeta) {
  const QString modelo = carpeta + QStringLiteral("/Modelo.alc");
  CrearArchivoAlcabala(modelo);
  {
    Conexion conexion;
    AbrirArchivoAlcabala(conexion, modelo);
    Transaccion transaccion(conexion);
    for (int ano = 2020; ano < 2025; ++ano)
      for (int mes = 1; mes <= 12; ++mes)
        conexion.Ejecutar("INSERT INTO alcabalas (ano, mes, Cod502, Cod520, Cod563, Cod115) VALUES (?, ?, ?, ?, ?, ?)",
                          {ano, mes, Moneda::DesdePesos(1000000 + mes).Crudo(), Moneda::DesdePesos(200000).Crudo(),
                           Moneda::DesdePesos(5000000).Crudo(), 1.5});
    transaccion.Confirmar();
  }
  QStringList rutas;
  for (int i = 0; i < kClientes; ++i) {
    rutas << QStringLiteral("%1/Cliente%2.alc").arg(carpeta).arg(i, 3, 10, QLatin1Char('0'));
    QFile::copy(modelo, rutas.last());
  }
  return rutas;
}

void Imprimir(const char* que, const Par& par, const char* unidad = "ms") {
  std::printf("%-46s alcabala-cli %8.1f %s   sqlite3 -json %8.1f %s   razón %.2f (meta: 2 o menos)\n", que,
              par.programa, unidad, par.sqlite, unidad, par.programa / par.sqlite);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication aplicacion(argc, argv);
  const QByteArray programa = QFile::encodeName(QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli"));
  const QByteArray sqlite3 = QByteArrayLiteral(SQLITE3_EXECUTABLE);
  QTemporaryDir carpeta;
  const QString ruta = carpeta.filePath(QStringLiteral("Empresa.alc"));
  LlenarArchivo(ruta);
  const QByteArray archivo = QFile::encodeName(ruta);
  const QByteArray periodo = QStringLiteral("%1-%2").arg(kAnoPeriodo).arg(kMesPeriodo, 2, 10, QLatin1Char('0')).toLatin1();
  const QByteArray consultaPeriodo =
      QStringLiteral("SELECT * FROM alcabalas WHERE ano = %1 AND mes = %2").arg(kAnoPeriodo).arg(kMesPeriodo).toLatin1();

  std::printf("%d vueltas de cada uno, alternadas; medianas\n", kVueltas);
  Imprimir("archivo entero (240 declaraciones)",
           Comparar({programa, "exportar", archivo},
                    {sqlite3, "-json", archivo, "SELECT * FROM alcabalas ORDER BY ano, mes"}));
  Imprimir("un periodo",
           Comparar({programa, "exportar", archivo, "--periodo", periodo}, {sqlite3, "-json", archivo, consultaPeriodo}));

  const QStringList clientes = CrearClientes(carpeta.path());
  std::vector<double> tiemposPrograma, tiemposSqlite;
  for (int i = 0; i < kVueltasClientes; ++i) {
    tiemposPrograma.push_back(Bucle(clientes, {programa, "exportar"}, {}) / 1000.0);
    tiemposSqlite.push_back(Bucle(clientes, {sqlite3, "-json"}, {"SELECT * FROM alcabalas ORDER BY ano, mes"}) / 1000.0);
  }
  Imprimir(qPrintable(QStringLiteral("bucle sobre %1 archivos de 60 declaraciones").arg(kClientes)),
           {Mediana(tiemposPrograma), Mediana(tiemposSqlite)}, "s ");
  return 0;
}
