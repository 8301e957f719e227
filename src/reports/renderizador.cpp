#include "reports/renderizador.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include "general/errores.h"
#include "general/moneda.h"
#include "general/valores.h"

// ---- Paging -----------------------------------------------------------------------

QList<TramoPagina> Paginar(const Region& region, int cantidadFilas) {
  const double cabecera = region.titulo.alto + region.encabezado.alto;
  QList<TramoPagina> paginas;
  TramoPagina pagina;
  double y = cabecera;
  for (int fila = 0; fila < cantidadFilas; ++fila) {
    // A page always takes at least one row, however small the region.
    if (pagina.filas > 0 && y + region.datos.alto > region.alto) {
      paginas << pagina;
      pagina = TramoPagina{fila, 0, false};
      y = cabecera;
    }
    ++pagina.filas;
    y += region.datos.alto;
  }
  if (pagina.filas > 0 && y + region.totales.alto > region.alto) {
    paginas << pagina;
    pagina = TramoPagina{cantidadFilas, 0, false};
  }
  pagina.totales = true;
  paginas << pagina;
  return paginas;
}

// ---- Composing ----------------------------------------------------------------------

namespace {

QString TextoDato(const Elemento& e, const Registro* registro, const QLocale& locale) {
  if (registro == nullptr) return QString();
  return TextoConFormato(registro->Valor(e.campo), e.formato, locale);
}

QString TextoTotal(const Elemento& e, const QList<const Registro*>& filas, const QLocale& locale) {
  qint64 suma = 0;
  for (const Registro* fila : filas) {
    // A total beyond the currency's range would wrap round into a wrong figure.
    if (__builtin_add_overflow(suma, NuloACeroMoneda(fila->Valor(e.campo)).Crudo(), &suma)) {
      const QString casilla = e.campo.startsWith(QLatin1String("Cod")) ? e.campo.mid(3) : e.campo;
      throw ErrorAlcabala(QStringLiteral("El total de la casilla %1 es demasiado grande para imprimirlo").arg(casilla));
    }
  }
  return TextoConFormato(QVariant::fromValue(Moneda::DesdeCrudo(suma)), e.formato, locale);
}

struct Contexto {
  const DatosInforme& datos;
  const QLocale& locale;
  int pagina;
  int paginas;
  const Registro* fila;  // the row of the data band being placed, if any
};

QString TextoDe(const Elemento& e, const Contexto& c) {
  switch (e.clase) {
    case ClaseElemento::TextoDato: {
      const Registro* registro = c.fila != nullptr ? c.fila : c.datos.actuales.value(e.vista);
      return TextoDato(e, registro, c.locale);
    }
    case ClaseElemento::TextoParametro: return c.datos.parametros.value(e.texto);
    case ClaseElemento::TextoPagina: return QStringLiteral("Página %1 de %2").arg(c.pagina).arg(c.paginas);
    case ClaseElemento::TextoFijo: return e.texto;
    case ClaseElemento::TextoTotal: return TextoTotal(e, c.datos.filas, c.locale);
    case ClaseElemento::Linea: break;
  }
  return QString();
}

void Colocar(PaginaCompuesta& pagina, const QList<Elemento>& elementos, QPointF origen, const Contexto& c) {
  for (const Elemento& e : elementos) {
    Trazo t;
    t.esLinea = e.clase == ClaseElemento::Linea;
    t.caja = QRectF(origen.x() + e.izquierda, origen.y() + e.arriba, e.ancho, 0);
    if (!t.esLinea) t.texto = TextoDe(e, c);
    t.alineacion = e.alineacion;
    t.puntos = e.puntos;
    t.negrita = e.negrita;
    t.numero = (e.clase == ClaseElemento::TextoDato || e.clase == ClaseElemento::TextoTotal) &&
               e.formato != FormatoValor::Texto && e.formato != FormatoValor::TextoTal;
    pagina << t;
  }
}

}  // namespace

QList<PaginaCompuesta> Componer(const Plantilla& plantilla, const DatosInforme& datos, const QLocale& locale) {
  const QList<TramoPagina> tramos =
      plantilla.region ? Paginar(*plantilla.region, static_cast<int>(datos.filas.size())) : QList<TramoPagina>{{}};
  QList<PaginaCompuesta> paginas;
  for (int i = 0; i < tramos.size(); ++i) {
    Contexto c{datos, locale, i + 1, static_cast<int>(tramos.size()), nullptr};
    PaginaCompuesta pagina;
    Colocar(pagina, plantilla.elementos, QPointF(0, 0), c);
    if (plantilla.region) {
      const Region& r = *plantilla.region;
      const TramoPagina& tramo = tramos.at(i);
      double y = r.arriba;
      Colocar(pagina, r.titulo.elementos, QPointF(r.izquierda, y), c);
      y += r.titulo.alto;
      Colocar(pagina, r.encabezado.elementos, QPointF(r.izquierda, y), c);
      y += r.encabezado.alto;
      for (int f = tramo.primeraFila; f < tramo.primeraFila + tramo.filas; ++f) {
        Contexto deFila = c;
        deFila.fila = datos.filas.at(f);
        Colocar(pagina, r.datos.elementos, QPointF(r.izquierda, y), deFila);
        y += r.datos.alto;
      }
      if (tramo.totales) Colocar(pagina, r.totales.elementos, QPointF(r.izquierda, y), c);
    }
    paginas << pagina;
  }
  return paginas;
}

// ---- Painting -------------------------------------------------------------------------

namespace {

constexpr double MilimetrosPorPulgada = 25.4;

QFont FuenteDe(const Trazo& t) {
  QFont fuente(QStringLiteral("Arial"));
  fuente.setPointSizeF(t.puntos);
  fuente.setBold(t.negrita);
  fuente.setStyleStrategy(QFont::PreferOutline);
  return fuente;
}

Qt::Alignment AlineacionQt(Alineacion a) {
  switch (a) {
    case Alineacion::Derecha: return Qt::AlignRight | Qt::AlignTop;
    case Alineacion::Centro: return Qt::AlignHCenter | Qt::AlignTop;
    case Alineacion::Izquierda: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

void Pintar(QPainter& pintor, const PaginaCompuesta& pagina, QPointF desplazamiento, double puntosX, double puntosY) {
  for (const Trazo& t : pagina) {
    const double x = (t.caja.left() + desplazamiento.x()) * puntosX;
    const double y = (t.caja.top() + desplazamiento.y()) * puntosY;
    const double ancho = t.caja.width() * puntosX;
    if (t.esLinea) {
      const double grosor = puntosY / 72.0;  // 1 point, centred on its top as a pen draws it
      pintor.fillRect(QRectF(x, y - grosor / 2, ancho, grosor), Qt::black);
      continue;
    }
    if (t.texto.isEmpty()) continue;
    QFont fuente = FuenteDe(t);
    if (t.numero || t.alineacion == Alineacion::Centro) {
      // A digit cut off would change the amount, and a centred title cut at
      // both ends would lose the start of a company's name: both are drawn
      // smaller instead.
      const double necesario = QFontMetricsF(fuente, pintor.device()).horizontalAdvance(t.texto);
      if (necesario > ancho) fuente.setPointSizeF(t.puntos * ancho / necesario * 0.98);
    }
    pintor.setFont(fuente);
    const QFontMetricsF medidas(fuente, pintor.device());
    const QRectF caja(x, y, ancho, medidas.height());
    pintor.save();
    pintor.setClipRect(caja, Qt::IntersectClip);
    pintor.drawText(caja, static_cast<int>(AlineacionQt(t.alineacion)) | Qt::TextSingleLine | Qt::TextDontClip,
                    t.texto);
    pintor.restore();
  }
}

}  // namespace

int Renderizar(const Plantilla& plantilla, const DatosInforme& datos, QPagedPaintDevice& dispositivo,
               const OpcionesRender& opciones) {
  const QList<PaginaCompuesta> paginas = Componer(plantilla, datos, opciones.locale);
  const QPageLayout disposicion(QPageSize(plantilla.papel), plantilla.orientacion, QMarginsF(0, 0, 0, 0));
  if (!dispositivo.setPageLayout(disposicion))
    throw ErrorAlcabala(QStringLiteral("No se pudo ajustar el papel de la impresión a %1.").arg(QPageSize::name(plantilla.papel)));
  QPainter pintor;
  if (!pintor.begin(&dispositivo))
    throw ErrorAlcabala(QStringLiteral("No se pudo comenzar la impresión en el dispositivo elegido."));
  pintor.setPen(Qt::black);
  const QPointF desplazamiento = opciones.desplazamientoMm / MilimetrosPorPulgada;
  const double puntosX = dispositivo.logicalDpiX();
  const double puntosY = dispositivo.logicalDpiY();
  for (int i = 0; i < paginas.size(); ++i) {
    if (i > 0 && !dispositivo.newPage())
      throw ErrorAlcabala(QStringLiteral("No se pudo comenzar la página %1 de la impresión.").arg(i + 1));
    if (opciones.alComenzarPagina) opciones.alComenzarPagina(i + 1);
    Pintar(pintor, paginas.at(i), desplazamiento, puntosX, puntosY);
  }
  if (!pintor.end()) throw ErrorAlcabala(QStringLiteral("No se pudo terminar la impresión."));
  return static_cast<int>(paginas.size());
}
