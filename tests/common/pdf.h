#pragma once
// Reads a rendered PDF back with poppler's pdftotext -bbox: every word with
// its box in points, page by page.

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace prueba {

struct PalabraPdf {
  QString texto;
  QRectF caja;  // points from the page's top-left corner
};

struct PaginaPdf {
  QSizeF tamano;  // points
  QList<PalabraPdf> palabras;
};

// The pages of the file; fails the calling test (empty list) when it cannot be read.
QList<PaginaPdf> LeerPdf(const QString& ruta);

// The words of a page with exactly this text.
QList<PalabraPdf> Buscar(const PaginaPdf& pagina, const QString& texto);

// Whether a word with exactly this text ends at `derecha` and has its top at
// `arriba` (inches from the page's top-left corner), within a point: a
// right-aligned value in its box.
bool EnCasilla(const PaginaPdf& pagina, const QString& texto, double derecha, double arriba);

}  // namespace prueba
