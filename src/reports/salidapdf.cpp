#include "reports/salidapdf.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

#include "general/errores.h"

namespace {

// A slip of the keyboard must not turn a client's data file into a PDF.
void ProtegerArchivosDeDatos(const QString& ruta) {
  const QString extension = QFileInfo(ruta).suffix().toLower();
  if (extension == QLatin1String("alc") || extension == QLatin1String("oalc"))
    throw ErrorAlcabala(QStringLiteral("«%1» es un archivo de datos de Alcabala: la salida debe ser otro archivo, "
                                       "por ejemplo uno terminado en .pdf")
                            .arg(QDir::toNativeSeparators(ruta)));
}

}  // namespace

void EscribirPdf(const QString& ruta, const QString& titulo, const std::function<void(QPagedPaintDevice&)>& dibujar) {
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
