// Reading one period of a data file of 100,000 declarations: alcabala-cli
// exportar --periodo (time and peak memory of the process), the core's
// LeerDeclaracionesDelPeriodo, and the creation of a month as crear does it
// (only the period and the one before read). Prints the median of a few runs;
// the whole table is never loaded by these.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

#include "declarations/ciclo.h"
#include "declarations/lectura.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

constexpr int kFilas = 100000;
constexpr int kVueltas = 5;

// kFilas consecutive months from January 1000, with a few amounts each.
void LlenarArchivo(const QString& ruta) {
  CrearArchivoAlcabala(ruta);
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, ruta);
  Transaccion transaccion(conexion);
  conexion.Ejecutar(QStringLiteral(
      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
      "INSERT INTO alcabalas (ano, mes, Cod502, Cod520, Cod563, Cod115) "
      "SELECT 1000 + i / 12, i % 12 + 1, 10000000000 + i, 2000000000, 50000000000, 1.5 FROM n"),
                    {kFilas - 1});
  transaccion.Confirmar();
}

double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores.at(valores.size() / 2);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir carpeta;
  const QString ruta = carpeta.filePath(QStringLiteral("Grande.alc"));
  LlenarArchivo(ruta);
  const QLocale locale(QLocale::Spanish, QLocale::Chile);
  const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/alcabala-cli");

  std::vector<double> exportar;
  for (int i = 0; i < kVueltas; ++i) {
    QElapsedTimer reloj;
    reloj.start();
    QProcess proceso;
    proceso.start(cli, {QStringLiteral("exportar"), ruta, QStringLiteral("--periodo"), QStringLiteral("5000-06")});
    proceso.waitForFinished(-1);
    exportar.push_back(reloj.nsecsElapsed() / 1e6);
    if (proceso.exitCode() != 0 || !proceso.readAllStandardOutput().contains("\"ano\": 5000")) {
      std::fprintf(stderr, "exportar falló: %s\n", proceso.readAllStandardError().constData());
      return 1;
    }
  }
  rusage hijos{};
  getrusage(RUSAGE_CHILDREN, &hijos);

  std::vector<double> lectura;
  for (int i = 0; i < kVueltas; ++i) {
    QElapsedTimer reloj;
    reloj.start();
    Conexion conexion;
    AbrirArchivoSoloLectura(conexion, ruta);
    const auto filas = LeerDeclaracionesDelPeriodo(conexion, 5000, 6, locale);
    lectura.push_back(reloj.nsecsElapsed() / 1e6);
    if (filas.size() != 1) return 1;
  }

  std::vector<double> creacion;
  for (int i = 0; i < kVueltas; ++i) {
    Conexion conexion;
    AbrirArchivoAlcabala(conexion, ruta);
    DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
    const Periodo nuevo{9400 + i, 1};
    LimitarAPeriodos(alcabalas, {PeriodoAnterior(nuevo), nuevo}, locale);
    QElapsedTimer reloj;
    reloj.start();
    alcabalas.Abrir();
    const auto creada = CrearDeclaracion(alcabalas, nuevo.ano, nuevo.mes, [](int, int) { return 60000.0; });
    creacion.push_back(reloj.nsecsElapsed() / 1e6);
    if (creada.resultado != ResultadoCreacion::Creada) return 1;
  }

  std::printf("Archivo de %d declaraciones\n", kFilas);
  std::printf("alcabala-cli exportar --periodo: %.1f ms (mediana de %d), memoria máxima %.1f MB\n",
              Mediana(exportar), kVueltas, hijos.ru_maxrss / 1024.0);
  std::printf("LeerDeclaracionesDelPeriodo: %.2f ms (mediana de %d)\n", Mediana(lectura), kVueltas);
  std::printf("Crear un mes leyendo solo el mes y el anterior: %.2f ms (mediana de %d)\n", Mediana(creacion),
              kVueltas);
  return 0;
}
