// An annual summary of a data file of 240 declarations (20 years): reading
// one year's declarations through the index with their calculated boxes, and
// drawing the IVA summary into a PDF in memory. Prints the median of several
// runs of each.

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "reports/plantillas.h"
#include "reports/renderizador.h"
#include "declarations/lectura.h"
#include "reports/resumenes.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/leercontribuyente.h"
#include "archivoveinteanos.h"

namespace {

constexpr int kVueltas = 25;

double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores.at(valores.size() / 2);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QLocale locale(QLocale::Spanish, QLocale::Chile);
  QTemporaryDir carpeta;
  const QString ruta = carpeta.filePath("Veinte.alc");
  LlenarArchivo(ruta);

  const DefinicionResumen& iva = Resumen(ClaseResumen::IVA);
  const QString titulo = TituloResumen(iva, 2015);
  std::vector<double> lectura, dibujo;
  for (int i = 0; i < kVueltas; ++i) {
    QElapsedTimer reloj;
    reloj.start();
    Conexion conexion;
    AbrirArchivoSoloLectura(conexion, ruta);
    const QList<RegistroPlano> filas = LeerDeclaracionesDelAno(conexion, 2015, locale);
    const RegistroPlano contribuyente = LeerContribuyente(conexion);
    lectura.push_back(reloj.nsecsElapsed() / 1e6);
    if (filas.size() != 12) std::printf("lectura inesperada: %d filas\n", static_cast<int>(filas.size()));

    reloj.restart();
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter escritor(&pdf);
    OpcionesRender opciones;
    opciones.locale = locale;
    Renderizar(BuscarPlantilla(iva.plantilla), DatosResumen(filas, contribuyente, titulo), escritor, opciones);
    dibujo.push_back(reloj.nsecsElapsed() / 1e6);
  }
  std::printf("resumen IVA de un año de 20: leer %.2f ms, dibujar en PDF %.2f ms (mediana de %d)\n",
              Mediana(lectura), Mediana(dibujo), kVueltas);
  return 0;
}
