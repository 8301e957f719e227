// The clients' board over 1,000 client files of 20 years each: one year of
// every file (each file opened read-only, the year's rows through the index,
// box 91 computed, the rows ordered by name) against a bare loop of SQLite
// calls that opens each of the same files read-only and reads the same rows
// (every column) and the taxpayer row. Then "crear-todos" over the same
// 1,000 files, with the UTM documents served over HTTP on this machine.
// Prints the medians, the ratio and the run's time.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <vector>

#include "archivoveinteanos.h"
#include "clientes.h"
#include "general/red/utm.h"
#include "reports/cartera.h"
#include "reports/findemes.h"

namespace {

constexpr int kArchivos = 1000;
constexpr int kVueltas = 5;
constexpr int kAnoTablero = kPrimerAno + kAnos - 1;
// The month "crear-todos" makes: the model lacks the last two months, so the
// UTM values asked for (that month and the next) are in the served year.
constexpr int kMesCreado = 11;

// One year of every file, through the index, as the board reads it.
double BucleDesnudo(const QStringList& rutas) {
  return ::BucleDesnudo(rutas, "SELECT * FROM alcabalas WHERE ano = ? ORDER BY ano, mes", {kAnoTablero});
}

double Tablero(const QString& carpeta, const QLocale& locale) {
  QElapsedTimer reloj;
  reloj.start();
  const std::optional<QList<FilaCartera>> filas = LeerCartera({carpeta}, kAnoTablero, locale);
  const double ms = reloj.nsecsElapsed() / 1e6;
  if (!filas || filas->size() != kArchivos || !filas->first().Legible() || !filas->first().TotalAno() ||
      filas->first().TotalAno()->EsCero())
    std::printf("tablero inesperado\n");
  return ms;
}

// A port on 127.0.0.1 nobody listens on (taken and released at once).
int PuertoLibre() {
  const int zocalo = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in direccion{};
  direccion.sin_family = AF_INET;
  direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof direccion;
  ::bind(zocalo, reinterpret_cast<sockaddr*>(&direccion), sizeof direccion);
  ::getsockname(zocalo, reinterpret_cast<sockaddr*>(&direccion), &largo);
  ::close(zocalo);
  return ntohs(direccion.sin_port);
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QLocale locale(QLocale::Spanish, QLocale::Chile);
  QTemporaryDir temporal;
  const QString carpeta = temporal.filePath("Alcabalas");
  QDir().mkpath(carpeta);
  const QString modelo = temporal.filePath("modelo.alc");
  LlenarArchivo(modelo);
  {
    sqlite3* base = nullptr;
    sqlite3_open(modelo.toUtf8().constData(), &base);
    Sql(base, QStringLiteral("DELETE FROM alcabalas WHERE ano = %1 AND mes >= %2")
                  .arg(kAnoTablero)
                  .arg(kMesCreado)
                  .toUtf8()
                  .constData());
    sqlite3_close(base);
  }
  const QStringList rutas = CopiarClientes(modelo, carpeta, kArchivos);

  BucleDesnudo(rutas);  // both start with the files in the page cache
  Tablero(carpeta, locale);
  std::vector<double> desnudo, tablero;
  for (int i = 0; i < kVueltas; ++i) {
    desnudo.push_back(BucleDesnudo(rutas));
    tablero.push_back(Tablero(carpeta, locale));
  }
  const double msDesnudo = Mediana(desnudo);
  const double msTablero = Mediana(tablero);
  std::printf("bucle desnudo de SQLite, %d archivos (las filas del año y el contribuyente): mediana %.1f ms\n",
              kArchivos, msDesnudo);
  std::printf("cartera de clientes, un año de %d archivos de %d declaraciones: mediana %.1f ms\n", kArchivos,
              kAnos * 12, msTablero);
  std::printf("razón cartera / bucle desnudo: %.2f (meta: 2 o menos, y menos de 2000 ms)\n", msTablero / msDesnudo);

  // The UTM documents of the repository, served on this machine.
  const int puerto = PuertoLibre();
  QProcess servidor;
  servidor.start(QStringLiteral("python3"), {"-m", "http.server", QString::number(puerto), "--bind", "127.0.0.1",
                                             "--directory", QStringLiteral(ALCABALA_SERVIDOR_DIR)});
  if (!servidor.waitForStarted()) {
    std::printf("no se pudo iniciar el servidor de UTM (python3)\n");
    return 0;
  }
  QThread::msleep(800);
  qputenv("ALCABALA_URL_BASE", QStringLiteral("http://127.0.0.1:%1/").arg(puerto).toUtf8());
  QElapsedTimer reloj;
  reloj.start();
  const ResumenFinDeMes resumen = CrearMesParaTodos(
      ArchivosEmpresas({carpeta}), {kAnoTablero, kMesCreado},
      [&locale](int ano, int mes) { return ValorUTM(ano, mes, locale); }, locale);
  const double msCrear = reloj.nsecsElapsed() / 1e6;
  servidor.kill();
  servidor.waitForFinished();
  std::printf("crear-todos %d-%02d en %d archivos: %.1f ms (listos %lld, omitidos %lld, con error %lld; meta: menos "
              "de 30000 ms)\n",
              kAnoTablero, kMesCreado, kArchivos, msCrear, static_cast<long long>(resumen.hechos.size()),
              static_cast<long long>(resumen.omitidos.size()), static_cast<long long>(resumen.fallidos.size()));
  if (!resumen.fallidos.isEmpty())
    std::printf("primer error: %s\n", qPrintable(resumen.fallidos.first().motivo));
  return 0;
}
