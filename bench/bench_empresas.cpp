// The company scan over 1,000 client files for one period (scan, in-memory
// table, every row read with its calculated boxes), against a bare loop of
// SQLite calls that opens each of the same files read-only and reads its
// period row and its taxpayer row. Prints the median of both and the ratio.

#include <sqlite3.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "clientes.h"
#include "general/moneda.h"
#include "general/valores.h"
#include "reports/escaneo.h"
#include "reports/tablaempresas.h"
#include "storage/archivo.h"
#include "storage/conexion.h"

namespace {

constexpr int kArchivos = 1000;
constexpr int kAnos = 5;
constexpr int kAnoPrimero = 2020;
constexpr int kVueltas = 7;
constexpr int kAno = kAnoPrimero + kAnos - 1;
constexpr int kMes = 12;

// One client file with five years of declarations, the model of every copy.
void LlenarModelo(const QString& ruta) {
  CrearArchivoAlcabala(ruta);
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, ruta);
  Transaccion transaccion(conexion);
  for (int ano = kAnoPrimero; ano <= kAno; ++ano)
    for (int mes = 1; mes <= 12; ++mes)
      conexion.Ejecutar("INSERT INTO alcabalas (ano, mes, Cod502, Cod520, Cod563, Cod115, Cod50) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?)",
                        {ano, mes, Moneda::DesdePesos(1000000 + mes).Crudo(), Moneda::DesdePesos(200000).Crudo(),
                         Moneda::DesdePesos(5000000).Crudo(), 1.5, Moneda::DesdePesos(30000).Crudo()});
  transaccion.Confirmar();
}

// One period of every file, through the index, as the company lists read it.
double BucleDesnudo(const QStringList& rutas) {
  return ::BucleDesnudo(rutas, "SELECT * FROM alcabalas WHERE ano = ? AND mes = ? ORDER BY rowid LIMIT 1",
                      {kAno, kMes});
}

double Escanear(TablaEmpresas& tabla, const QString& carpeta) {
  QElapsedTimer reloj;
  reloj.start();
  UsoTablaEmpresas uso(tabla);
  CopiarAlcabalas(tabla, {kAno, kMes, ClaseInforme::Todas, {carpeta}});
  DataSet& datos = tabla.ClientDataSetAlcabalas();
  Moneda total;
  for (datos.Primero(); !datos.Eof(); datos.Siguiente()) total += NuloACeroMoneda(datos.Valor("Cod91"));
  const double ms = reloj.nsecsElapsed() / 1e6;
  if (datos.CantidadFilas() != kArchivos || total.EsCero()) std::printf("escaneo inesperado\n");
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTemporaryDir temporal;
  const QString carpeta = temporal.filePath("Alcabalas");
  QDir().mkpath(carpeta);
  const QString modelo = temporal.filePath("modelo.alc");
  LlenarModelo(modelo);
  const QStringList rutas = CopiarClientes(modelo, carpeta, kArchivos);
  TablaEmpresas tabla(QLocale(QLocale::Spanish, QLocale::Chile));

  BucleDesnudo(rutas);  // both start with the files in the page cache
  Escanear(tabla, carpeta);
  std::vector<double> desnudo, escaneo;
  for (int i = 0; i < kVueltas; ++i) {
    desnudo.push_back(BucleDesnudo(rutas));
    escaneo.push_back(Escanear(tabla, carpeta));
  }
  const double msDesnudo = Mediana(desnudo);
  const double msEscaneo = Mediana(escaneo);
  std::printf("bucle desnudo de SQLite, %d archivos (fila del periodo y contribuyente): mediana %.1f ms\n", kArchivos,
              msDesnudo);
  std::printf("escaneo de empresas y tabla en memoria, %d archivos de %d declaraciones: mediana %.1f ms\n", kArchivos,
              kAnos * 12, msEscaneo);
  std::printf("razón escaneo / bucle desnudo: %.2f (meta: 2 o menos, y menos de 1000 ms)\n", msEscaneo / msDesnudo);
  return 0;
}
