#include "reports/paginaprueba.h"

#include <QLineF>
#include <limits>

namespace {

constexpr double BrazoCruz = 0.06;  // inches from a corner along each arm
constexpr double AltoRenglon = 1.15 / 72;  // a text line's height per point of its size

QList<const Elemento*> TextosDeDatos(const Plantilla& plantilla) {
  QList<const Elemento*> textos;
  for (const Elemento& e : plantilla.elementos)
    if (e.clase == ClaseElemento::TextoDato) textos << &e;
  return textos;
}

QRectF Extension(const QList<const Elemento*>& elementos) {
  QRectF r;
  for (const Elemento* e : elementos) r |= RectanguloDeCaja(*e);
  return r;
}

// A value that shows how the box's format prints: an amount grouped, a rate
// with its decimals, a text as letters.
QString ValorDeMuestra(const Elemento& e, const QLocale& locale) {
  switch (e.formato) {
    case FormatoValor::Texto:
    case FormatoValor::TextoTal: return QStringLiteral("ABC");
    case FormatoValor::GruposDecimal: return TextoConFormato(QVariant(12.5), e.formato, locale);
    case FormatoValor::Marca: return QStringLiteral("X");
    default: return TextoConFormato(QVariant(qint64(1234567)), e.formato, locale);
  }
}

Elemento Raya(double izquierda, double arriba, double ancho, double alto) {
  Elemento e;
  e.clase = ClaseElemento::Linea;
  e.izquierda = izquierda;
  e.arriba = arriba;
  e.ancho = ancho;
  e.alto = alto;
  return e;
}

void AgregarCruz(QList<Elemento>& elementos, QPointF esquina) {
  elementos << Raya(esquina.x() - BrazoCruz, esquina.y(), 2 * BrazoCruz, 0)
            << Raya(esquina.x(), esquina.y() - BrazoCruz, 0, 2 * BrazoCruz);
}

}  // namespace

QRectF RectanguloDeCaja(const Elemento& elemento) {
  return QRectF(elemento.izquierda, elemento.arriba, elemento.ancho, elemento.puntos * AltoRenglon);
}

QList<const Elemento*> CajasDePrueba(const Plantilla& plantilla, int columnas, int filas) {
  const QList<const Elemento*> textos = TextosDeDatos(plantilla);
  const QRectF extension = Extension(textos);
  QList<const Elemento*> elegidas;
  for (int fila = 0; fila < filas; ++fila) {
    for (int columna = 0; columna < columnas; ++columna) {
      const QPointF centro(extension.left() + extension.width() * (columna + 0.5) / columnas,
                           extension.top() + extension.height() * (fila + 0.5) / filas);
      const Elemento* cercana = nullptr;
      double distancia = std::numeric_limits<double>::max();
      for (const Elemento* e : textos) {
        const double d = QLineF(RectanguloDeCaja(*e).center(), centro).length();
        if (!elegidas.contains(e) && d < distancia) {
          distancia = d;
          cercana = e;
        }
      }
      if (cercana != nullptr) elegidas << cercana;
    }
  }
  return elegidas;
}

Plantilla PlantillaPrueba(const Plantilla& anverso, const QLocale& locale) {
  Plantilla prueba;
  prueba.nombre = QStringLiteral("PruebaImpresion");
  prueba.papel = anverso.papel;
  prueba.orientacion = anverso.orientacion;
  for (const Elemento* caja : CajasDePrueba(anverso)) {
    Elemento valor = *caja;
    valor.clase = ClaseElemento::TextoFijo;
    valor.texto = ValorDeMuestra(*caja, locale);
    prueba.elementos << valor;
    const QRectF r = RectanguloDeCaja(*caja);
    for (QPointF esquina : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
      AgregarCruz(prueba.elementos, esquina);
  }
  return prueba;
}
