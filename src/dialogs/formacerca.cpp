#include "dialogs/formacerca.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "app/controles/clic.h"
#include "app/controles/iconos.h"

namespace {

constexpr int kAnchoCliente = 385;
constexpr int kAltoCliente = 320;
constexpr int kAltoEtiqueta = 16;

QFont LetraEtiquetas() {
  QFont letra(QStringLiteral("Arial"));
  letra.setBold(true);
  letra.setPixelSize(13);
  return letra;
}

// What follows "mailto:" in the maker's mail address.
QString CorreoVisible() {
  return DireccionCorreoFabricante().mid(QStringLiteral("mailto:").size());
}

// The web address as people write it: without scheme and final slash.
QString WebVisible() {
  QString web = DireccionWebFabricante();
  web.remove(QStringLiteral("https://"));
  web.remove(QStringLiteral("http://"));
  if (web.endsWith(QLatin1Char('/'))) web.chop(1);
  return web;
}

}  // namespace

TFormAcerca::TFormAcerca(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(QStringLiteral("FormAcerca"));
  setWindowTitle(QStringLiteral("Acerca"));
  setFixedSize(kAnchoCliente, kAltoCliente);

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(75, 8, 236, 78);
  Image1->setScaledContents(true);
  Image1->setPixmap(DibujarLogo(QSize(236, 78)));
  Image1->setAccessibleName(QStringLiteral("Alcabala"));

  Label1 = CrearEtiqueta(QStringLiteral("Alcabala"), 92);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label2 = CrearEtiqueta(QStringLiteral("Versión 8.00"), 108);
  Label2->setObjectName(QStringLiteral("Label2"));

  const QStringList lineas = LineasFabricante();
  for (int i = 0; i < lineas.size(); ++i) {
    QLabel* linea = CrearEtiqueta(lineas[i], 130 + i * kAltoEtiqueta);
    linea->setObjectName(QStringLiteral("Label%1").arg(3 + i));
  }

  Label9 = CrearEnlace(WebVisible(), 232);
  Label9->setObjectName(QStringLiteral("Label9"));
  AlHacerClic(Label9, [this] { Label9Click(); });
  Label10 = CrearEnlace(CorreoVisible(), 248);
  Label10->setObjectName(QStringLiteral("Label10"));
  AlHacerClic(Label10, [this] { Label10Click(); });

  auto* linea = new QFrame(this);
  linea->setObjectName(QStringLiteral("Bevel1"));
  linea->setFrameShape(QFrame::HLine);
  linea->setFrameShadow(QFrame::Sunken);
  linea->setGeometry(8, 272, kAnchoCliente - 16, 2);

  ButtonAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
  ButtonAceptar->setObjectName(QStringLiteral("ButtonAceptar"));
  ButtonAceptar->setGeometry((kAnchoCliente - 75) / 2, 284, 75, 25);
  ButtonAceptar->setDefault(true);
  ButtonAceptar->setAutoDefault(true);
  connect(ButtonAceptar, &QPushButton::clicked, this, &TFormAcerca::ButtonAceptarClick);
  // Esc closes through QDialog::reject, as the cancel button would.
}

QStringList TFormAcerca::LineasFabricante() {
  return {QStringLiteral("Alcabala Software Ltda."),
          QStringLiteral("Avenida Alemania 0671, oficina 402"),
          QStringLiteral("Casilla 512"),
          QStringLiteral("Temuco - Chile"),
          QStringLiteral("Teléfono: (56-45) 221 4567"),
          QStringLiteral("Fax: (56-45) 221 4568")};
}

QLabel* TFormAcerca::CrearEtiqueta(const QString& texto, int top) {
  auto* etiqueta = new QLabel(texto, this);
  etiqueta->setFont(LetraEtiquetas());
  etiqueta->setAlignment(Qt::AlignCenter);
  etiqueta->setGeometry(8, top, kAnchoCliente - 16, kAltoEtiqueta);
  return etiqueta;
}

QLabel* TFormAcerca::CrearEnlace(const QString& texto, int top) {
  QLabel* enlace = CrearEtiqueta(texto, top);
  QFont letra = enlace->font();
  letra.setUnderline(true);
  enlace->setFont(letra);
  QPalette paleta = enlace->palette();
  paleta.setColor(QPalette::WindowText, Qt::blue);
  enlace->setPalette(paleta);
  enlace->setCursor(Qt::PointingHandCursor);
  // Only the text is the link, not the whole width of the dialog.
  enlace->adjustSize();
  enlace->setGeometry((kAnchoCliente - enlace->width()) / 2, top, enlace->width(), kAltoEtiqueta);
  return enlace;
}

void TFormAcerca::ButtonAceptarClick() { accept(); }

void TFormAcerca::Label9Click() { AbrirDireccion(DireccionWebFabricante(), false); }

void TFormAcerca::Label10Click() { AbrirDireccion(DireccionCorreoFabricante(), true); }

void TFormAcerca::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (evento->spontaneous()) return;
  QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!pantalla) return;
  const QRect area = pantalla->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
}
