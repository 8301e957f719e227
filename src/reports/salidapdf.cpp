#include "reports/salidapdf.h"

#include <QPdfWriter>

#include "general/escritura.h"

void EscribirPdf(const QString& ruta, const QString& titulo, const std::function<void(QPagedPaintDevice&)>& dibujar) {
  EscribirArchivoEntero(ruta, ModoEscritura::Reemplazar, [&](QIODevice& archivo) {
    QPdfWriter pdf(&archivo);
    pdf.setTitle(titulo);
    pdf.setCreator(QStringLiteral("Alcabala"));
    dibujar(pdf);
  });
}
