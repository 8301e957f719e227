#include "app/paginas.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWheelEvent>

#include "app/controles/cajas.h"
#include "app/dibujartextovertical.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/catalogo/disposicion.h"

namespace {

const QColor VerdeEtiqueta(0xDF, 0xFF, 0xDF);
// Marks the two page widgets among the boxes' parents.
constexpr char kPropiedadPagina[] = "paginaFormulario";
constexpr int PixelesFuente = 11;
// The smallest text a cell shrinks to; below it a text wraps instead.
constexpr int PixelesMinimos = 9;

QFont FuenteFormulario(int pixeles, bool negrita = false) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixeles);
  f.setBold(negrita);
  return f;
}

// A cell of the printed grid: a framed rectangle with its text, which wraps
// and takes a smaller font when it does not fit at the normal size.
class Celda : public QLabel {
 public:
  Celda(const QString& texto, const QColor& fondo, bool negrita, Qt::Alignment alineacion, QWidget* padre,
        int margen = 3)
      : QLabel(texto, padre), fondo_(fondo), negrita_(negrita), alineacion_(alineacion), margen_(margen) {}

  // Fits the text in the cell's current size: on one line at the normal
  // size, else wrapped, else at a smaller size down to PixelesMinimos, and
  // at that size narrowed. The font chosen is the label's own, so it can be
  // asked for; the contents margins are the room the text is given.
  void Ajustar() {
    setContentsMargins(margen_, 1, margen_, 1);
    const QRect area = contentsRect();
    QList<QFont> letras;
    for (int px = PixelesFuente; px >= PixelesMinimos; --px) letras << FuenteFormulario(px, negrita_);
    for (int estrechez : {90, 80, 75}) {
      QFont f = FuenteFormulario(PixelesMinimos, negrita_);
      f.setStretch(estrechez);
      letras << f;
    }
    fuente_ = letras.last();
    for (const QFont& f : letras) {
      const QRect r = QFontMetrics(f).boundingRect(area, static_cast<int>(alineacion_) | Qt::TextWordWrap, text());
      if (r.height() <= area.height() + 1 && r.width() <= area.width()) {
        fuente_ = f;
        break;
      }
    }
    setFont(fuente_);
    setWordWrap(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), fondo_);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setFont(fuente_);
    p.setPen(QColor(0, 0, 0x80));
    p.drawText(rect().adjusted(margen_, 0, -margen_, 0), static_cast<int>(alineacion_) | Qt::TextWordWrap, text());
  }

 private:
  QColor fondo_;
  bool negrita_;
  Qt::Alignment alineacion_;
  int margen_;
  QFont fuente_ = FuenteFormulario(PixelesFuente);
};

// Emits a callback when the watched widget is clicked with the left button.
class FiltroClic : public QObject {
 public:
  FiltroClic(QObject* padre, std::function<void()> accion) : QObject(padre), accion_(std::move(accion)) {}

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
      accion_();
    return QObject::eventFilter(objeto, evento);
  }

 private:
  std::function<void()> accion_;
};

// Lists turn with the mouse wheel only while they have the keyboard focus;
// otherwise the wheel goes on to the page, which scrolls, and the list keeps
// its value (a month or a region changed by passing over it would load
// another declaration or alter the one being edited).
class RuedaSoloConFoco : public QObject {
 public:
  using QObject::QObject;

  static void Instalar(QComboBox* lista) {
    lista->setFocusPolicy(Qt::StrongFocus);
    lista->installEventFilter(new RuedaSoloConFoco(lista));
  }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    auto* lista = static_cast<QWidget*>(objeto);
    if (evento->type() != QEvent::Wheel || lista->hasFocus()) return false;
    auto* rueda = static_cast<QWheelEvent*>(evento);
    for (QWidget* padre = lista->parentWidget(); padre != nullptr; padre = padre->parentWidget()) {
      if (auto* area = qobject_cast<QAbstractScrollArea*>(padre)) {
        QWidget* vista = area->viewport();
        QWheelEvent paraLaPagina(vista->mapFromGlobal(rueda->globalPosition()), rueda->globalPosition(),
                                 rueda->pixelDelta(), rueda->angleDelta(), rueda->buttons(), rueda->modifiers(),
                                 rueda->phase(), rueda->inverted(), rueda->source());
        QApplication::sendEvent(vista, &paraLaPagina);
        break;
      }
    }
    return true;
  }
};

// The program's logo: a green seal with the name, drawn once.
QPixmap Logo(QSize tamano) {
  QPixmap pixmap(tamano);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF marco = QRectF(QPointF(0, 0), QSizeF(tamano)).adjusted(1.5, 1.5, -1.5, -1.5);
  QLinearGradient degradado(marco.topLeft(), marco.bottomLeft());
  degradado.setColorAt(0, QColor(0xEF, 0xFF, 0xEF));
  degradado.setColorAt(1, QColor(0xB8, 0xE6, 0xB8));
  p.setBrush(degradado);
  p.setPen(QPen(QColor(0, 0, 0x80), 1.5));
  p.drawRoundedRect(marco, 8, 8);
  // A stamp-like mark at the left.
  const QRectF sello(marco.left() + 8, marco.top() + 8, marco.height() - 16, marco.height() - 16);
  p.setBrush(QColor(0, 0, 0x80));
  p.setPen(Qt::NoPen);
  p.drawEllipse(sello);
  p.setPen(QPen(QColor(0xDF, 0xFF, 0xDF), 2));
  p.setFont(FuenteFormulario(20, true));
  p.drawText(sello, Qt::AlignCenter, QStringLiteral("$"));
  const QRectF texto(sello.right() + 8, marco.top() + 4, marco.right() - sello.right() - 12, marco.height() - 8);
  p.setPen(QColor(0, 0, 0x80));
  p.setFont(FuenteFormulario(20, true));
  p.drawText(texto.adjusted(0, 0, 0, -14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Alcabala"));
  p.setFont(FuenteFormulario(9));
  p.drawText(texto.adjusted(0, 28, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("IVA · Retenciones · PPM"));
  return pixmap;
}

QString NombreDeControl(const Caja& c) {
  if (c.presentacion == Presentacion::Lista) return QStringLiteral("DBComboBoxCod") + c.codigo;
  if (c.presentacion == Presentacion::Casilla) return QStringLiteral("DBCheckBoxCod") + c.codigo;
  if (!c.nombreControl.isEmpty()) return c.nombreControl;
  return QStringLiteral("DBEditCod") + c.codigo;
}

// Boxes that take input are white; disabled and calculated ones grey, so
// that in edit mode the boxes to fill stand out; the box being typed has a
// blue frame (two pixels, its padding one less, the text stays in place).
const char* const HojaDeEstilo =
    "QLineEdit { border: 1px solid #5a6e5a; padding: 0px 1px; background: white; color: black; }"
    "QLineEdit:focus { border: 2px solid #1c5fd0; padding: 0px 0px; }"
    "QLineEdit:disabled { border: 1px solid #8c968c; background: #dcdedc; color: black; }"
    "QComboBox:disabled { color: black; }"
    "QCheckBox:disabled { color: black; }"
    "QGroupBox { font-weight: bold; border: 1px solid #5a6e5a; margin-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0px 3px; color: #000080; }";

}  // namespace

PaginasFormulario::PaginasFormulario(QWidget* anverso, QWidget* reverso, const QLocale& locale, QObject* parent)
    : QObject(parent), locale_(locale) {
  ConstruirPagina(anverso, 0);
  ConstruirPagina(reverso, 1);
}

PaginasFormulario::~PaginasFormulario() = default;

void PaginasFormulario::ConstruirPagina(QWidget* pagina, int indice) {
  const DisposicionPagina& d = Disposicion(indice == 0 ? Pagina::Anverso : Pagina::Reverso);
  pagina->setProperty(kPropiedadPagina, true);
  pagina->setFont(FuenteFormulario(PixelesFuente));
  pagina->setStyleSheet(QString::fromLatin1(HojaDeEstilo));
  pagina->setMinimumSize(AnchoSeccion + 2, d.alto);
  pagina->resize(AnchoSeccion + 2, d.alto);

  QList<QWidget*> contenedores;
  for (const SeccionFormulario& s : d.secciones) {
    QWidget* contenedor = nullptr;
    if (s.titulo.isEmpty()) {
      contenedor = new QWidget(pagina);
    } else {
      auto* grupo = new QGroupBox(s.titulo, pagina);
      grupo->setFont(FuenteFormulario(PixelesFuente, true));
      grupo->setAccessibleName(s.titulo);
      secciones_.insert(s.titulo, grupo);
      contenedor = grupo;
    }
    contenedor->setGeometry(s.rect);
    for (const BandaVertical& b : s.bandas) {
      auto* imagen = new QLabel(contenedor);
      imagen->setObjectName(b.nombre);
      imagen->setGeometry(b.rect);
      imagen->setAccessibleName(DividirCaption(b.caption).join(QLatin1Char(' ')));
      QPixmap vacio(b.rect.size());
      vacio.fill(VerdeEtiqueta);
      imagen->setPixmap(vacio);
      imagenes_.insert(b.nombre, imagen);
    }
    contenedores << contenedor;
  }

  for (const CeldaFormulario& c : d.celdas) {
    QWidget* padre = c.seccion >= 0 ? contenedores.at(c.seccion) : pagina;
    QWidget* w = nullptr;
    switch (c.tipo) {
      case TipoCelda::Numero:
        w = new Celda(c.texto, Qt::white, false, Qt::AlignCenter, padre, 1);
        break;
      case TipoCelda::Texto:
        w = new Celda(c.texto, VerdeEtiqueta, false, Qt::AlignLeft | Qt::AlignVCenter, padre);
        break;
      case TipoCelda::Encabezado:
        w = new Celda(c.texto, VerdeEtiqueta, true, Qt::AlignCenter, padre);
        break;
      case TipoCelda::Etiqueta:
        w = new Celda(c.texto, VerdeEtiqueta, false, Qt::AlignCenter, padre);
        break;
      case TipoCelda::Codigo:
        w = new Celda(c.texto, Qt::white, true, Qt::AlignCenter, padre, 1);
        break;
      case TipoCelda::Signo:
        w = new Celda(c.texto, Qt::white, true, Qt::AlignCenter, padre);
        break;
      case TipoCelda::Relleno:
        w = new Celda(QString(), VerdeEtiqueta, false, Qt::AlignCenter, padre);
        break;
      case TipoCelda::Logo: {
        auto* logo = new QLabel(padre);
        logo->setObjectName(QStringLiteral("Image4"));
        logo->setPixmap(Logo(c.rect.size()));
        logo->setCursor(Qt::PointingHandCursor);
        logo->setAccessibleName(QStringLiteral("Alcabala"));
        logo->installEventFilter(new FiltroClic(logo, [this] { emit LogoPulsado(); }));
        Image4 = logo;
        w = logo;
        break;
      }
      case TipoCelda::ListaMes:
      case TipoCelda::ListaAno: {
        auto* lista = new QComboBox(padre);
        lista->setEditable(false);
        lista->setAccessibleName(c.texto);
        lista->setEnabled(false);
        if (c.tipo == TipoCelda::ListaMes) {
          lista->setObjectName(QStringLiteral("ComboBoxMes"));
          ComboBoxMes = lista;
        } else {
          lista->setObjectName(QStringLiteral("ComboBoxAno"));
          ComboBoxAno = lista;
        }
        RuedaSoloConFoco::Instalar(lista);
        w = lista;
        break;
      }
      case TipoCelda::Caja: {
        const ::Caja* caja = BuscarCaja(c.codigo);
        if (caja == nullptr) continue;
        if (caja->presentacion == Presentacion::Casilla) {
          w = new CasillaDatos(padre);
        } else if (caja->presentacion == Presentacion::Lista) {
          auto* lista = new ListaDatos(caja->items, padre);
          RuedaSoloConFoco::Instalar(lista);
          w = lista;
        } else {
          auto* edicion = new CajaEdicion(caja->presentacion, locale_, padre);
          int largo = caja->largoMaximo;
          if (largo == 0 && caja->tipo == TipoColumna::W) largo = caja->tamano;
          edicion->PonerLargoMaximo(largo);
          w = edicion;
        }
        w->setObjectName(NombreDeControl(*caja));
        w->setAccessibleName(caja->codigo);
        w->setAccessibleDescription(caja->texto);
        if (!caja->ayuda.isEmpty()) w->setToolTip(caja->ayuda);
        w->setEnabled(false);
        cajas_.insert(caja->codigo, w);
        break;
      }
    }
    w->setGeometry(c.rect);
    if (auto* celda = dynamic_cast<Celda*>(w))
      celda->Ajustar();
    else if (c.tipo != TipoCelda::Logo)
      // Boxes and lists would take the style's own face for editors; they
      // were laid out for the form's Arial, as the texts beside them.
      w->setFont(FuenteFormulario(PixelesFuente));
  }
}

QWidget* PaginasFormulario::Caja(const QString& codigo) const { return cajas_.value(codigo, nullptr); }

CajaEdicion* PaginasFormulario::Edicion(const QString& codigo) const {
  return qobject_cast<CajaEdicion*>(Caja(codigo));
}

CasillaDatos* PaginasFormulario::Casilla(const QString& codigo) const {
  return qobject_cast<CasillaDatos*>(Caja(codigo));
}

ListaDatos* PaginasFormulario::Lista(const QString& codigo) const { return qobject_cast<ListaDatos*>(Caja(codigo)); }

namespace {
QList<QWidget*> Controles(const QHash<QString, QWidget*>& cajas, const QList<const Caja*>& lista) {
  QList<QWidget*> r;
  for (const Caja* c : lista) r << cajas.value(c->codigo);
  return r;
}
}  // namespace

QList<QWidget*> PaginasFormulario::ControlesEntrada() const { return ::Controles(cajas_, CajasDeEntrada()); }

QList<QWidget*> PaginasFormulario::ControlesAntecedentes() const {
  return ::Controles(cajas_, CajasAntecedentes());
}

QList<QWidget*> PaginasFormulario::ControlesSoloLectura() const { return ::Controles(cajas_, CajasSoloLectura()); }

QList<QWidget*> PaginasFormulario::Controles() const {
  QList<QWidget*> r;
  for (const ::Caja& c : Catalogo()) r << cajas_.value(c.codigo);
  return r;
}

void PaginasFormulario::Enlazar(DataSet* alcabala, DataSet* contribuyente) {
  for (const ::Caja& c : Catalogo()) {
    DataSet* ds = c.clase == ClaseCaja::T ? contribuyente : alcabala;
    QWidget* w = cajas_.value(c.codigo);
    if (auto* e = qobject_cast<CajaEdicion*>(w))
      e->Enlazar(ds, c.campo);
    else if (auto* k = qobject_cast<CasillaDatos*>(w))
      k->Enlazar(ds, c.campo);
    else if (auto* l = qobject_cast<ListaDatos*>(w))
      l->Enlazar(ds, c.campo);
  }
}

void PaginasFormulario::GuardarCajaActiva() {
  auto* activa = qobject_cast<CajaEdicion*>(QApplication::focusWidget());
  if (activa != nullptr && cajas_.value(activa->accessibleName()) == activa) activa->GuardarValor();
}

void PaginasFormulario::SoltarFoco() {
  QWidget* foco = QApplication::focusWidget();
  if (foco == nullptr || !Controles().contains(foco)) return;
  // The page itself takes the focus: handed on to the next box by Qt, it
  // would scroll the page to wherever that box stands.
  for (QWidget* pagina = foco->parentWidget(); pagina != nullptr; pagina = pagina->parentWidget()) {
    if (pagina->property(kPropiedadPagina).toBool()) {
      pagina->setFocus(Qt::OtherFocusReason);
      return;
    }
  }
}

void PaginasFormulario::DibujarCaptiones() {
  for (const QString& nombre : OrdenBandasVerticales()) {
    QLabel* imagen = imagenes_.value(nombre);
    if (imagen == nullptr) continue;
    for (const SeccionFormulario& s : Disposicion(Pagina::Anverso).secciones)
      for (const BandaVertical& b : s.bandas)
        if (b.nombre == nombre) DibujarTextoVertical(imagen, b.caption);
  }
}

QLabel* PaginasFormulario::ImagenVertical(const QString& nombre) const { return imagenes_.value(nombre, nullptr); }

QGroupBox* PaginasFormulario::Seccion(const QString& titulo) const { return secciones_.value(titulo, nullptr); }
