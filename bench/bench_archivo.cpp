// Opening a data file of 240 declarations (20 years) and reading its latest
// declaration with every calculated box, in the core and in the main window
// (open, bind and paint both pages); and alcabala-cli exportar of the same
// file. Prints the median of several runs of each.

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "declarations/motor/calculo.h"
#include "general/moneda.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/dataset.h"
#include "app/formalcabala.h"
#include "archivoveinteanos.h"
#include "news/novedades.h"

namespace {

constexpr int kVueltasApertura = 25;
constexpr int kVueltasExportar = 7;

double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores.at(valores.size() / 2);
}

// One opening as the window does it: schema check, both data sets, last row.
double AbrirYLeerUltima(const QString& ruta, const QLocale& locale) {
  QElapsedTimer reloj;
  reloj.start();
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, ruta);
  DataSet contribuyente(&conexion, "contribuyente", false);
  contribuyente.DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
  contribuyente.Abrir();
  DataSet alcabalas(&conexion, "alcabalas", true);
  alcabalas.DefinirCalculados(CamposCalculadosAlcabala(),
                              [locale](Registro& r) { ADODataSetAlcabalaCalcFields(r, locale); });
  alcabalas.Abrir();
  alcabalas.Ultimo();
  const Moneda total = NuloACeroMoneda(alcabalas.Valor("Cod91"));
  const double ms = reloj.nsecsElapsed() / 1e6;
  if (alcabalas.Valor("ano").toInt() != kPrimerAno + kAnos - 1 || total.EsCero()) std::printf("lectura inesperada\n");
  return ms;
}

// The window's own command: closes the file shown, opens the other one, shows
// its latest declaration and paints the window.
double AbrirEnVentana(TFormAlcabala& ventana, const QString& ruta) {
  QElapsedTimer reloj;
  reloj.start();
  ventana.AbrirArchivoAlcabala(ruta);
  ventana.repaint();
  QCoreApplication::processEvents();
  return reloj.nsecsElapsed() / 1e6;
}

double Exportar(const QString& cli, const QString& ruta) {
  QElapsedTimer reloj;
  reloj.start();
  QProcess proceso;
  proceso.start(cli, {"exportar", ruta});
  proceso.waitForFinished(120000);
  const QByteArray salida = proceso.readAllStandardOutput();
  const double ms = reloj.nsecsElapsed() / 1e6;
  if (proceso.exitCode() != 0 || salida.isEmpty()) std::printf("exportar falló\n");
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir carpeta;
  const QString ruta = carpeta.filePath("Veinte.alc");
  LlenarArchivo(ruta);
  const QLocale locale(QLocale::Spanish, QLocale::Chile);

  std::vector<double> aperturas;
  for (int i = 0; i < kVueltasApertura; ++i) aperturas.push_back(AbrirYLeerUltima(ruta, locale));
  std::printf("abrir archivo de %d declaraciones y leer la última con calculados: mediana %.2f ms (%d vueltas)\n",
              kAnos * 12, Mediana(aperturas), kVueltasApertura);

  {
    TFormAlcabala ventana(Novedades{}, QString(), QCoreApplication::applicationDirPath() + "/../bin");
    ventana.show();
    QCoreApplication::processEvents();
    std::vector<double> enVentana;
    for (int i = 0; i < kVueltasApertura; ++i) enVentana.push_back(AbrirEnVentana(ventana, ruta));
    std::printf("abrir el mismo archivo en la ventana y mostrar su última declaración: mediana %.2f ms (%d vueltas)\n",
                Mediana(enVentana), kVueltasApertura);
  }

  const QString cli = QCoreApplication::applicationDirPath() + "/../bin/alcabala-cli";
  std::vector<double> exportaciones;
  for (int i = 0; i < kVueltasExportar; ++i) exportaciones.push_back(Exportar(cli, ruta));
  std::printf("alcabala-cli exportar del mismo archivo: mediana %.2f ms (%d vueltas, proceso incluido)\n",
              Mediana(exportaciones), kVueltasExportar);
  return 0;
}
