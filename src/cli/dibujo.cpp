#include "cli/dibujo.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include "general/errores.h"

bool LeerDestinoDibujo(QStringList& argumentos, DestinoDibujo* destino) {
  QStringList resto;
  for (int i = 0; i < argumentos.size(); ++i) {
    const QString& argumento = argumentos.at(i);
    QString* valor = argumento == QLatin1String("--pdf")         ? &destino->pdf
                     : argumento == QLatin1String("--impresora") ? &destino->impresora
                                                                 : nullptr;
    if (valor == nullptr) {
      resto << argumento;
      continue;
    }
    if (!valor->isEmpty() || i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty()) return false;
    *valor = argumentos.at(++i);
  }
  if (!destino->pdf.isEmpty() && !destino->impresora.isEmpty()) return false;
  argumentos = resto;
  return true;
}

namespace {

// A slip of the keyboard must not turn a client's data file into a PDF.
void ProtegerArchivosDeDatos(const QString& ruta) {
  const QString extension = QFileInfo(ruta).suffix().toLower();
  if (extension == QLatin1String("alc") || extension == QLatin1String("oalc"))
    throw ErrorAlcabala(QStringLiteral("«%1» es un archivo de datos de Alcabala: la salida debe ser otro archivo, "
                                       "por ejemplo uno terminado en .pdf")
                            .arg(QDir::toNativeSeparators(ruta)));
}

void DibujarEnPdf(const QString& ruta, const QString& titulo, const std::function<void(QPagedPaintDevice&)>& dibujar) {
  ProtegerArchivosDeDatos(ruta);
  QSaveFile archivo(ruta);
  archivo.setDirectWriteFallback(false);
  if (!archivo.open(QIODevice::WriteOnly))
    throw ErrorAlcabala(QStringLiteral("No se puede escribir el archivo «%1»: %2")
                            .arg(QDir::toNativeSeparators(ruta), archivo.errorString()));
  {
    QPdfWriter pdf(&archivo);
    pdf.setTitle(titulo);
    pdf.setCreator(QStringLiteral("Alcabala"));
    dibujar(pdf);
  }
  if (!archivo.commit())
    throw ErrorAlcabala(QStringLiteral("No se pudo terminar el archivo «%1»: %2")
                            .arg(QDir::toNativeSeparators(ruta), archivo.errorString()));
}

QPrinterInfo ImpresoraElegida(const QString& nombre) {
  if (QPrinterInfo::availablePrinterNames().isEmpty())
    throw ErrorAlcabala(QStringLiteral("No hay ninguna impresora instalada"));
  if (!nombre.isEmpty()) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(nombre);
    if (info.isNull()) throw ErrorAlcabala(QStringLiteral("No existe la impresora «%1»").arg(nombre));
    return info;
  }
  const QPrinterInfo predeterminada = QPrinterInfo::defaultPrinter();
  if (predeterminada.isNull())
    throw ErrorAlcabala(QStringLiteral("No hay una impresora predeterminada: indique una con --impresora NOMBRE"));
  return predeterminada;
}

void DibujarEnImpresora(const QString& nombre, const QString& titulo,
                        const std::function<void(QPagedPaintDevice&)>& dibujar) {
  QPrinter impresora(ImpresoraElegida(nombre), QPrinter::HighResolution);
  impresora.setFullPage(true);
  impresora.setDocName(titulo);
  dibujar(impresora);
  if (impresora.printerState() == QPrinter::Error)
    throw ErrorAlcabala(QStringLiteral("La impresora «%1» no pudo imprimir «%2»").arg(impresora.printerName(), titulo));
}

}  // namespace

void DibujarEnDestino(const DestinoDibujo& destino, const QString& titulo,
                      const std::function<void(QPagedPaintDevice&)>& dibujar) {
  if (!destino.pdf.isEmpty())
    DibujarEnPdf(destino.pdf, titulo, dibujar);
  else
    DibujarEnImpresora(destino.impresora, titulo, dibujar);
}
