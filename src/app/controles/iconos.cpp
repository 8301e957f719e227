#include "app/controles/iconos.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>

namespace {

// Colours shared by the drawings.
const QColor kAzul(0x1f, 0x3f, 0x7f);
const QColor kVerde(0x2e, 0x8b, 0x3e);
const QColor kRojo(0xc0, 0x20, 0x20);
const QColor kAmarillo(0xf0, 0xc0, 0x40);
const QColor kPapel(0xff, 0xff, 0xff);
const QColor kGris(0x60, 0x60, 0x60);

// Every drawing is made on a 32 × 32 canvas; the painter scales it.
constexpr qreal kLienzo = 32.0;

void Hoja(QPainter& p, qreal x, qreal y, qreal ancho, qreal alto) {
  const qreal pliegue = 7;
  QPolygonF hoja;
  hoja << QPointF(x, y) << QPointF(x + ancho - pliegue, y) << QPointF(x + ancho, y + pliegue)
       << QPointF(x + ancho, y + alto) << QPointF(x, y + alto);
  p.setPen(QPen(kGris, 1.5));
  p.setBrush(kPapel);
  p.drawPolygon(hoja);
  p.drawPolyline(QPolygonF() << QPointF(x + ancho - pliegue, y)
                             << QPointF(x + ancho - pliegue, y + pliegue)
                             << QPointF(x + ancho, y + pliegue));
}

void Mas(QPainter& p, QPointF centro, qreal radio, const QColor& color) {
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawEllipse(centro, radio, radio);
  p.setPen(QPen(Qt::white, radio / 2.5, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(centro.x() - radio * 0.55, centro.y()), QPointF(centro.x() + radio * 0.55, centro.y()));
  p.drawLine(QPointF(centro.x(), centro.y() - radio * 0.55), QPointF(centro.x(), centro.y() + radio * 0.55));
}

void Cruz(QPainter& p, QRectF caja, qreal grosor) {
  p.setPen(QPen(kRojo, grosor, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(caja.topLeft(), caja.bottomRight());
  p.drawLine(caja.topRight(), caja.bottomLeft());
}

void Renglones(QPainter& p, qreal x1, qreal x2, qreal y, int cantidad, qreal paso) {
  p.setPen(QPen(QColor(0x7f, 0xbf, 0x7f), 2));
  for (int i = 0; i < cantidad; ++i) p.drawLine(QPointF(x1, y + i * paso), QPointF(x2, y + i * paso));
}

void Carpeta(QPainter& p) {
  p.setPen(QPen(QColor(0x9a, 0x70, 0x10), 1.5));
  p.setBrush(QColor(0xd8, 0xa8, 0x30));
  QPolygonF fondo;
  fondo << QPointF(2, 7) << QPointF(11, 7) << QPointF(14, 10) << QPointF(27, 10) << QPointF(27, 27)
        << QPointF(2, 27);
  p.drawPolygon(fondo);
  p.setBrush(kAmarillo);
  QPolygonF tapa;
  tapa << QPointF(6, 14) << QPointF(31, 14) << QPointF(27, 27) << QPointF(2, 27);
  p.drawPolygon(tapa);
}

void DibujarCrearArchivo(QPainter& p) {
  Hoja(p, 5, 2, 20, 27);
  Mas(p, QPointF(23, 23), 7.5, kVerde);
}

void DibujarAbrirArchivo(QPainter& p) { Carpeta(p); }

void DibujarCrearAlcabala(QPainter& p) {
  // A month sheet of a calendar with a plus: a new period.
  p.setPen(QPen(kGris, 1.5));
  p.setBrush(kPapel);
  p.drawRect(QRectF(3, 5, 24, 23));
  p.setBrush(kAzul);
  p.drawRect(QRectF(3, 5, 24, 6));
  p.setPen(Qt::NoPen);
  p.setBrush(kGris);
  for (int fila = 0; fila < 3; ++fila)
    for (int col = 0; col < 4; ++col) p.drawRect(QRectF(6 + col * 5, 14 + fila * 4.5, 3, 2.5));
  Mas(p, QPointF(24, 24), 7, kVerde);
}

void DibujarEditar(QPainter& p) {
  Hoja(p, 3, 2, 20, 27);
  Renglones(p, 6, 17, 12, 4, 4.5);
  // A pencil across the sheet.
  p.save();
  p.translate(19, 19);
  p.rotate(-45);
  p.setPen(QPen(QColor(0x80, 0x50, 0x00), 1));
  p.setBrush(kAmarillo);
  p.drawRect(QRectF(-10, -3, 18, 6));
  p.setBrush(QColor(0xf0, 0xd0, 0xa0));
  p.drawPolygon(QPolygonF() << QPointF(8, -3) << QPointF(14, 0) << QPointF(8, 3));
  p.setBrush(kRojo);
  p.drawRect(QRectF(-13, -3, 3, 6));
  p.restore();
}

void DibujarGuardar(QPainter& p) {
  p.setPen(QPen(QColor(0x10, 0x20, 0x50), 1.5));
  p.setBrush(kAzul);
  QPolygonF disco;
  disco << QPointF(3, 3) << QPointF(25, 3) << QPointF(29, 7) << QPointF(29, 29) << QPointF(3, 29);
  p.drawPolygon(disco);
  p.setBrush(QColor(0xd0, 0xd0, 0xd0));
  p.drawRect(QRectF(9, 3, 14, 9));
  p.setBrush(QColor(0x10, 0x20, 0x50));
  p.drawRect(QRectF(18, 5, 3, 5));
  p.setBrush(kPapel);
  p.drawRect(QRectF(7, 17, 18, 12));
  Renglones(p, 10, 22, 21, 2, 4);
}

void DibujarCerrarArchivo(QPainter& p) {
  Carpeta(p);
  Cruz(p, QRectF(18, 17, 11, 11), 3.5);
}

void DibujarImprimir(QPainter& p) {
  p.setPen(QPen(kGris, 1.5));
  p.setBrush(kPapel);
  p.drawRect(QRectF(9, 2, 14, 12));
  p.setBrush(QColor(0xb0, 0xb0, 0xb8));
  p.drawRoundedRect(QRectF(2, 12, 28, 12), 2, 2);
  p.setBrush(kPapel);
  p.drawRect(QRectF(8, 20, 16, 10));
  Renglones(p, 11, 21, 24, 2, 3.5);
  p.setPen(Qt::NoPen);
  p.setBrush(kVerde);
  p.drawEllipse(QPointF(26, 16), 1.5, 1.5);
}

void DibujarSalir(QPainter& p) {
  // An open door and an arrow leaving through it.
  p.setPen(QPen(QColor(0x50, 0x30, 0x10), 1.5));
  p.setBrush(QColor(0x90, 0x60, 0x30));
  p.drawRect(QRectF(4, 3, 14, 26));
  p.setBrush(QColor(0x30, 0x30, 0x30));
  p.drawRect(QRectF(7, 6, 8, 20));
  p.setPen(QPen(kRojo, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(QPointF(12, 16), QPointF(27, 16));
  p.drawPolyline(QPolygonF() << QPointF(22, 11) << QPointF(28, 16) << QPointF(22, 21));
}

void DibujarEliminar(QPainter& p) {
  Hoja(p, 4, 2, 20, 27);
  Renglones(p, 7, 18, 10, 3, 4.5);
  Cruz(p, QRectF(14, 16, 13, 13), 4);
}

void DibujarImagen(QPainter& p, ImagenHerramienta imagen) {
  switch (imagen) {
    case ImagenHerramienta::CrearArchivo: DibujarCrearArchivo(p); break;
    case ImagenHerramienta::AbrirArchivo: DibujarAbrirArchivo(p); break;
    case ImagenHerramienta::CrearAlcabala: DibujarCrearAlcabala(p); break;
    case ImagenHerramienta::EditarAlcabala: DibujarEditar(p); break;
    case ImagenHerramienta::GuardarAlcabala: DibujarGuardar(p); break;
    case ImagenHerramienta::CerrarArchivo: DibujarCerrarArchivo(p); break;
    case ImagenHerramienta::Imprimir: DibujarImprimir(p); break;
    case ImagenHerramienta::Salir: DibujarSalir(p); break;
    case ImagenHerramienta::EliminarAlcabala: DibujarEliminar(p); break;
  }
}

// The application's sheet: a form with a blue head and green lines.
void DibujarHojaAlcabala(QPainter& p, const QRectF& caja) {
  p.save();
  p.translate(caja.topLeft());
  p.scale(caja.width() / 64.0, caja.height() / 64.0);
  p.setPen(QPen(kAzul, 3));
  p.setBrush(kPapel);
  p.drawRoundedRect(QRectF(10, 4, 44, 56), 3, 3);
  p.setBrush(kAzul);
  p.drawRoundedRect(QRectF(10, 4, 44, 12), 3, 3);
  p.setPen(QPen(QColor(0x7f, 0xbf, 0x7f), 3));
  for (int y : {25, 33, 41}) p.drawLine(17, y, 47, y);
  QFont letra(QStringLiteral("Arial"));
  letra.setBold(true);
  letra.setPixelSize(11);
  p.setFont(letra);
  p.setPen(kAzul);
  p.drawText(QRectF(10, 45, 44, 14), Qt::AlignCenter, QStringLiteral("$ IVA"));
  p.restore();
}

QPixmap Lienzo(int lado) {
  QPixmap pixmap(lado, lado);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

const char* NombreTema(ImagenHerramienta imagen) {
  switch (imagen) {
    case ImagenHerramienta::CrearArchivo: return "document-new";
    case ImagenHerramienta::AbrirArchivo: return "document-open";
    case ImagenHerramienta::CrearAlcabala: return "appointment-new";
    case ImagenHerramienta::EditarAlcabala: return "document-edit";
    case ImagenHerramienta::GuardarAlcabala: return "document-save";
    case ImagenHerramienta::CerrarArchivo: return "document-close";
    case ImagenHerramienta::Imprimir: return "document-print";
    case ImagenHerramienta::Salir: return "application-exit";
    case ImagenHerramienta::EliminarAlcabala: return "edit-delete";
  }
  return "";
}

bool TemaCompleto() {
  for (int i = 0; i < CantidadImagenesHerramienta; ++i)
    if (!QIcon::hasThemeIcon(QString::fromLatin1(NombreTema(static_cast<ImagenHerramienta>(i)))))
      return false;
  return true;
}

// A disabled command shows its picture as a pale grey: Qt's own disabled
// form keeps dark colours dark, so a disabled save looked almost enabled.
QPixmap PixmapDesactivado(const QPixmap& original) {
  QImage gris = original.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < gris.height(); ++y) {
    auto* fila = reinterpret_cast<QRgb*>(gris.scanLine(y));
    for (int x = 0; x < gris.width(); ++x) {
      const int nivel = 150 + qGray(fila[x]) * 80 / 255;  // 150–230: light whatever the colour
      fila[x] = qRgba(nivel, nivel, nivel, qAlpha(fila[x]) * 3 / 4);
    }
  }
  return QPixmap::fromImage(gris);
}

}  // namespace

QIcon IconoHerramientaDibujado(ImagenHerramienta imagen) {
  QIcon icono;
  for (int lado : {16, 24, 32, 48}) {
    QPixmap pixmap = Lienzo(lado);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lado / kLienzo, lado / kLienzo);
    DibujarImagen(p, imagen);
    p.end();
    icono.addPixmap(pixmap);
    icono.addPixmap(PixmapDesactivado(pixmap), QIcon::Disabled);
  }
  return icono;
}

QIcon IconoHerramienta(ImagenHerramienta imagen) {
  static const bool tema = TemaCompleto();
  if (tema) return QIcon::fromTheme(QString::fromLatin1(NombreTema(imagen)));
  return IconoHerramientaDibujado(imagen);
}

QIcon IconoVentana() {
  QIcon icono;
  for (int lado : {16, 32, 48, 64}) {
    QPixmap pixmap = Lienzo(lado);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    DibujarHojaAlcabala(p, QRectF(0, 0, lado, lado));
    p.end();
    icono.addPixmap(pixmap);
  }
  return QIcon::fromTheme(QStringLiteral("cl.alcabala.Alcabala"), icono);
}

QPixmap DibujarLogo(QSize tamano) {
  QPixmap pixmap(tamano);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const qreal alto = tamano.height();
  const qreal ancho = tamano.width();
  const qreal lado = alto;
  DibujarHojaAlcabala(p, QRectF(0, 0, lado, lado));

  const QRectF zonaTexto(lado + alto * 0.08, 0, ancho - lado - alto * 0.08, alto);
  QFont nombre(QStringLiteral("Arial"));
  nombre.setBold(true);
  nombre.setItalic(true);
  nombre.setPixelSize(qMax(8, int(alto * 0.46)));
  p.setFont(nombre);
  p.setPen(kAzul);
  p.drawText(QRectF(zonaTexto.left(), 0, zonaTexto.width(), alto * 0.66),
             Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Alcabala"));

  QFont lema(QStringLiteral("Arial"));
  lema.setPixelSize(qMax(6, int(alto * 0.16)));
  lema.setBold(true);
  p.setFont(lema);
  p.setPen(kVerde);
  p.drawText(QRectF(zonaTexto.left(), alto * 0.68, zonaTexto.width(), alto * 0.3),
             Qt::AlignLeft | Qt::AlignTop, QStringLiteral("IVA · Retenciones · PPM"));
  return pixmap;
}
