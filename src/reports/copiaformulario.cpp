#include "reports/copiaformulario.h"

#include <QPageSize>
#include <algorithm>

#include "declarations/catalogo/captionvertical.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/catalogo/disposicion.h"
#include "general/errores.h"
#include "general/valores.h"
#include "reports/plantillas.h"

namespace {

// ---- Paper --------------------------------------------------------------------------
// Legal portrait. The form keeps a narrow margin at the sides and the top;
// the foot stands in the band at the bottom.
constexpr double AnchoPapel = 8.5;
constexpr double AltoPapel = 14.0;
constexpr double Margen = 0.35;
constexpr double AltoPie = 0.5;
constexpr double ArribaPie = AltoPapel - AltoPie + 0.1;

// ---- The screen form's look, in layout pixels ---------------------------------------------
const QColor VerdeEtiqueta(0xDF, 0xFF, 0xDF);
const QColor Azul(0, 0, 0x80);
constexpr double PixelesTexto = 11;         // text of the cells
constexpr double PixelesTextoMinimo = 7;    // the smallest a cell's text takes to fit
constexpr double PixelesCaption = 7 * 96.0 / 72;  // the vertical captions: 7 points on screen
constexpr int MargenTitulo = 6;             // a section's frame starts this far below its top
constexpr int AltoTitulo = 13;

int IndicePagina(Pagina pagina) { return pagina == Pagina::Anverso ? 0 : 1; }

// The extent of a side's layout, from its sections and cells.
QRect Extension(const DisposicionPagina& d) {
  QRect r;
  for (const SeccionFormulario& s : d.secciones) r |= s.rect;
  for (const CeldaFormulario& c : d.celdas)
    r |= c.seccion >= 0 ? c.rect.translated(d.secciones.at(c.seccion).rect.topLeft()) : c.rect;
  r.setBottom(std::max(r.bottom(), d.alto - 1));
  return r;
}

// Turns layout pixels of one side into inches on its page.
class Conversion {
 public:
  Conversion(const EscalaCopia& escala, Pagina pagina)
      : escala_(escala.pulgadasPorPixel), origen_(escala.origen[IndicePagina(pagina)]) {}
  double X(double x) const { return origen_.x() + x * escala_; }
  double Y(double y) const { return origen_.y() + y * escala_; }
  double L(double largo) const { return largo * escala_; }
  double Puntos(double pixeles) const { return pixeles * escala_ * 72; }
  Elemento Celda(const QRect& r, ClaseElemento clase) const {
    Elemento e;
    e.clase = clase;
    e.izquierda = X(r.left());
    e.arriba = Y(r.top());
    e.ancho = L(r.width());
    e.alto = L(r.height());
    e.puntos = Puntos(PixelesTexto);
    return e;
  }

 private:
  double escala_;
  QPointF origen_;
};

// How each kind of cell looks on the screen form.
void DarAspecto(Elemento& e, TipoCelda tipo, const Conversion& cv) {
  AspectoCelda& a = e.aspecto;
  a.marco = true;
  a.tinta = Azul;
  a.margen = cv.L(3);
  a.puntosMinimos = cv.Puntos(PixelesTextoMinimo);
  e.alineacion = Alineacion::Centro;
  switch (tipo) {
    case TipoCelda::Numero: a.fondo = Qt::white; a.margen = cv.L(1); break;
    case TipoCelda::Texto:
      a.fondo = VerdeEtiqueta;
      a.ajustar = true;
      e.alineacion = Alineacion::Izquierda;
      break;
    case TipoCelda::Encabezado: a.fondo = VerdeEtiqueta; a.ajustar = true; e.negrita = true; break;
    case TipoCelda::Etiqueta: a.fondo = VerdeEtiqueta; a.ajustar = true; break;
    case TipoCelda::Codigo: a.fondo = Qt::white; a.margen = cv.L(1); e.negrita = true; a.ajustar = true; break;
    case TipoCelda::Signo: a.fondo = Qt::white; e.negrita = true; break;
    default:  // boxes and the period lists: white, values in black
      a.fondo = Qt::white;
      a.tinta = Qt::black;
      a.margen = cv.L(3);
      break;
  }
}

Alineacion AlineacionDe(Presentacion p) {
  switch (p) {
    case Presentacion::Grupos:
    case Presentacion::GruposDecimal:
    case Presentacion::TextoDerecha: return Alineacion::Derecha;
    case Presentacion::Casilla: return Alineacion::Centro;
    default: return Alineacion::Izquierda;
  }
}

// As the screen shows it, but a ticked box prints a cross and an empty list
// (0, no entry chosen) nothing.
FormatoValor FormatoEnCopia(Presentacion p) {
  if (p == Presentacion::Casilla) return FormatoValor::Marca;
  if (p == Presentacion::Lista) return FormatoValor::Telefono;
  return FormatoDePresentacion(p);
}

// A box of the form with its value.
void DarValor(Elemento& e, const Caja& caja) {
  e.clase = ClaseElemento::TextoDato;
  e.vista = caja.clase == ClaseCaja::T ? VistaContribuyente : VistaAlcabala;
  e.campo = caja.campo;
  e.formato = FormatoEnCopia(caja.presentacion);
  e.alineacion = AlineacionDe(caja.presentacion);
}

// The period lists of the head show the month's name and the year.
void DarPeriodo(Elemento& e, TipoCelda tipo) {
  e.clase = ClaseElemento::TextoDato;
  e.vista = VistaAlcabala;
  e.campo = tipo == TipoCelda::ListaMes ? QStringLiteral("NombreMes") : QStringLiteral("ano");
  e.formato = tipo == TipoCelda::ListaMes ? FormatoValor::Texto : FormatoValor::Plano;
  e.alineacion = Alineacion::Izquierda;
}

void AgregarSeccion(QList<Elemento>& hoja, const SeccionFormulario& s, const Conversion& cv) {
  if (s.titulo.isEmpty()) return;
  Elemento marco = cv.Celda(s.rect.adjusted(0, MargenTitulo, 0, 0), ClaseElemento::TextoFijo);
  marco.aspecto.marco = true;
  hoja << marco;
}

void AgregarTituloSeccion(QList<Elemento>& hoja, const SeccionFormulario& s, const Conversion& cv) {
  if (s.titulo.isEmpty()) return;
  Elemento titulo = cv.Celda(QRect(s.rect.left() + 8, s.rect.top(), s.rect.width() - 16, AltoTitulo),
                             ClaseElemento::TextoFijo);
  titulo.texto = s.titulo;
  titulo.negrita = true;
  titulo.aspecto.fondo = Qt::white;
  titulo.aspecto.fondoBajoTexto = true;
  titulo.aspecto.tinta = Azul;
  titulo.aspecto.margen = cv.L(3);
  hoja << titulo;
}

void AgregarBanda(QList<Elemento>& hoja, const BandaVertical& b, QPoint origen, const Conversion& cv) {
  Elemento e = cv.Celda(b.rect.translated(origen), ClaseElemento::TextoFijo);
  e.texto = DividirCaption(b.caption).join(QLatin1Char('\n'));
  e.puntos = cv.Puntos(PixelesCaption);
  e.negrita = true;
  e.aspecto.fondo = VerdeEtiqueta;
  e.aspecto.marco = true;
  e.aspecto.tinta = Azul;
  e.aspecto.vertical = true;
  hoja << e;
}

// Every cell but the maker's logo.
void AgregarCelda(QList<Elemento>& hoja, const CeldaFormulario& c, QPoint origen, const Conversion& cv) {
  if (c.tipo == TipoCelda::Logo) return;
  Elemento e = cv.Celda(c.rect.translated(origen), ClaseElemento::TextoFijo);
  DarAspecto(e, c.tipo, cv);
  if (c.tipo == TipoCelda::Caja) {
    const Caja* caja = BuscarCaja(c.codigo);
    if (caja == nullptr) return;
    DarValor(e, *caja);
  } else if (c.tipo == TipoCelda::ListaMes || c.tipo == TipoCelda::ListaAno) {
    DarPeriodo(e, c.tipo);
  } else {
    e.texto = c.texto;
  }
  hoja << e;
}

QList<Elemento> Hoja(Pagina pagina, const EscalaCopia& escala) {
  const DisposicionPagina& d = Disposicion(pagina);
  const Conversion cv(escala, pagina);
  QList<Elemento> hoja;
  for (const SeccionFormulario& s : d.secciones) {
    AgregarSeccion(hoja, s, cv);
    for (const BandaVertical& b : s.bandas) AgregarBanda(hoja, b, s.rect.topLeft(), cv);
  }
  for (const CeldaFormulario& c : d.celdas)
    AgregarCelda(hoja, c, c.seccion >= 0 ? d.secciones.at(c.seccion).rect.topLeft() : QPoint(), cv);
  for (const SeccionFormulario& s : d.secciones) AgregarTituloSeccion(hoja, s, cv);
  return hoja;
}

Elemento TextoPie(ClaseElemento clase, const QString& texto, double izquierda, double ancho, Alineacion alineacion) {
  Elemento e;
  e.clase = clase;
  e.texto = texto;
  e.izquierda = izquierda;
  e.arriba = ArribaPie;
  e.ancho = ancho;
  e.alineacion = alineacion;
  e.puntos = 8;
  return e;
}

// A rule over the foot, then the file, the period, the page and the date.
QList<Elemento> Pie() {
  const double ancho = AnchoPapel - 2 * Margen;
  Elemento regla;
  regla.clase = ClaseElemento::Linea;
  regla.izquierda = Margen;
  regla.arriba = ArribaPie - 0.05;
  regla.ancho = ancho;
  const double cuarto = ancho / 4;
  return {regla,
          TextoPie(ClaseElemento::TextoParametro, ParametroArchivo, Margen, cuarto, Alineacion::Izquierda),
          TextoPie(ClaseElemento::TextoParametro, ParametroPeriodo, Margen + cuarto, cuarto, Alineacion::Centro),
          TextoPie(ClaseElemento::TextoPagina, QString(), Margen + 2 * cuarto, cuarto, Alineacion::Centro),
          TextoPie(ClaseElemento::TextoParametro, ParametroFecha, Margen + 3 * cuarto, cuarto, Alineacion::Derecha)};
}

Plantilla ConstruirPlantillaCopia() {
  Plantilla p;
  p.nombre = QStringLiteral("CopiaFormulario");
  p.papel = QPageSize::Legal;
  p.orientacion = QPageLayout::Portrait;
  p.vistas = {VistaAlcabala, VistaContribuyente};
  p.elementos = Pie();
  const EscalaCopia escala = CalcularEscalaCopia();
  p.hojas = {Hoja(Pagina::Anverso, escala), Hoja(Pagina::Reverso, escala)};
  return p;
}

QString MesDosCifras(int mes) { return QStringLiteral("%1").arg(mes, 2, 10, QLatin1Char('0')); }

}  // namespace

EscalaCopia CalcularEscalaCopia() {
  const QRect extensiones[2] = {Extension(Disposicion(Pagina::Anverso)), Extension(Disposicion(Pagina::Reverso))};
  // Across the page's width; a side too tall for the page takes the scale that fits its height.
  const double anchoUtil = AnchoPapel - 2 * Margen;
  const double altoUtil = AltoPapel - Margen - AltoPie;
  EscalaCopia escala;
  escala.pulgadasPorPixel = anchoUtil / std::max(extensiones[0].width(), extensiones[1].width());
  for (const QRect& r : extensiones) escala.pulgadasPorPixel = std::min(escala.pulgadasPorPixel, altoUtil / r.height());
  for (int i = 0; i < 2; ++i) {
    const QRect& r = extensiones[i];
    const double izquierda = (AnchoPapel - r.width() * escala.pulgadasPorPixel) / 2;
    escala.origen[i] = QPointF(izquierda - r.left() * escala.pulgadasPorPixel, Margen - r.top() * escala.pulgadasPorPixel);
  }
  return escala;
}

const Plantilla& PlantillaCopia() {
  static const Plantilla plantilla = ConstruirPlantillaCopia();
  return plantilla;
}

DatosInforme DatosCopia(const Registro& declaracion, const Registro& contribuyente, const PieCopia& pie) {
  DatosInforme datos;
  datos.actuales.insert(VistaAlcabala, &declaracion);
  datos.actuales.insert(VistaContribuyente, &contribuyente);
  datos.parametros.insert(ParametroArchivo, NombreSinExtension(pie.archivo));
  datos.parametros.insert(ParametroPeriodo, QStringLiteral("Período %1 %2").arg(NombreDelMes(pie.mes)).arg(pie.ano));
  datos.parametros.insert(ParametroFecha, QStringLiteral("Hecha el %1 de %2 de %3")
                                              .arg(pie.fecha.day())
                                              .arg(NombreDelMes(pie.fecha.month()).toLower())
                                              .arg(pie.fecha.year()));
  return datos;
}

QString TituloCopia(const QString& archivo, int ano, int mes) {
  return QStringLiteral("Formulario 29 %1 %2/%3").arg(NombreSinExtension(archivo), MesDosCifras(mes)).arg(ano);
}

QString NombreArchivoCopia(const QString& archivo, int ano, int mes) {
  return QStringLiteral("%1 %2-%3.pdf").arg(NombreSinExtension(archivo)).arg(ano).arg(MesDosCifras(mes));
}

namespace {

// A declaration of a file made before the current edition of the form: the
// boxes of that edition, whose columns it lacks, read as empty.
class DeclaracionConEdicionVigente : public Registro {
 public:
  explicit DeclaracionConEdicionVigente(const Registro& base) : base_(base) {}
  QVariant Valor(const QString& campo) const override {
    return !base_.TieneCampo(campo) && DeLaEdicionVigente(campo) ? QVariant() : base_.Valor(campo);
  }
  void Asignar(const QString& campo, const QVariant&) override {
    throw ErrorAlcabala(QStringLiteral("La copia no modifica el campo \"%1\".").arg(campo));
  }
  bool TieneCampo(const QString& campo) const override { return base_.TieneCampo(campo) || DeLaEdicionVigente(campo); }

 private:
  static bool DeLaEdicionVigente(const QString& campo) {
    const Caja* caja = campo.startsWith(QLatin1String("Cod")) ? BuscarCaja(campo.mid(3)) : nullptr;
    return caja != nullptr && caja->edicionVigente && caja->campo == campo;
  }
  const Registro& base_;
};

}  // namespace

int DibujarCopia(const Registro& declaracion, const Registro& contribuyente, const PieCopia& pie,
                 QPagedPaintDevice& dispositivo, const QLocale& locale) {
  OpcionesRender opciones;
  opciones.locale = locale;
  const DeclaracionConEdicionVigente completa(declaracion);
  return Renderizar(PlantillaCopia(), DatosCopia(completa, contribuyente, pie), dispositivo, opciones);
}
