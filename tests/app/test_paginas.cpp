#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "app/controles/cajas.h"
#include "app/dibujartextovertical.h"
#include "app/paginas.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/catalogo/disposicion.h"

namespace {

// Two page widgets as the window's scroll areas hold them.
struct Paginas {
  Paginas() {
    anverso = std::make_unique<QWidget>();
    reverso = std::make_unique<QWidget>();
    paginas = std::make_unique<PaginasFormulario>(anverso.get(), reverso.get(), QLocale(QLocale::Spanish, QLocale::Chile));
  }
  std::unique_ptr<QWidget> anverso;
  std::unique_ptr<QWidget> reverso;
  std::unique_ptr<PaginasFormulario> paginas;
};

QStringList CodigosDe(const QList<QWidget*>& controles) {
  QStringList r;
  for (QWidget* w : controles) r << (w ? w->accessibleName() : QStringLiteral("(falta)"));
  return r;
}

}  // namespace

TEST(PaginasFormulario, CadaCajaTieneSuControlNombradoYApagado) {
  Paginas p;
  for (const Caja& c : Catalogo()) {
    QWidget* w = p.paginas->Caja(c.codigo);
    ASSERT_NE(w, nullptr) << c.codigo.toStdString();
    EXPECT_EQ(w->accessibleName(), c.codigo);
    EXPECT_EQ(w->accessibleDescription(), c.texto);
    EXPECT_FALSE(w->isEnabled()) << c.codigo.toStdString();
    QWidget* pagina = c.pagina == Pagina::Anverso ? p.anverso.get() : p.reverso.get();
    EXPECT_TRUE(pagina->isAncestorOf(w)) << c.codigo.toStdString();
  }
  EXPECT_EQ(p.paginas->Caja(QStringLiteral("538"))->objectName(), QStringLiteral("DBEditCod538"));
  EXPECT_EQ(p.paginas->Caja(QStringLiteral("06"))->objectName(), QStringLiteral("DBEditCod06"));
  EXPECT_EQ(p.paginas->Caja(QStringLiteral("740"))->objectName(), QStringLiteral("DBEDitCod740"));
  EXPECT_EQ(p.paginas->Caja(QStringLiteral("53"))->objectName(), QStringLiteral("DBComboBoxCod53"));
  EXPECT_EQ(p.paginas->Caja(QStringLiteral("613"))->objectName(), QStringLiteral("DBComboBoxCod613"));
  EXPECT_EQ(p.paginas->Caja(QStringLiteral("583"))->objectName(), QStringLiteral("DBCheckBoxCod583"));
  EXPECT_NE(p.anverso->findChild<QLineEdit*>(QStringLiteral("DBEditCod03")), nullptr);
  EXPECT_NE(p.paginas->Casilla(QStringLiteral("583")), nullptr);
  EXPECT_NE(p.paginas->Lista(QStringLiteral("53")), nullptr);
  EXPECT_NE(p.paginas->Edicion(QStringLiteral("547")), nullptr);
  EXPECT_EQ(p.paginas->Caja(QStringLiteral("15")), nullptr);
  EXPECT_EQ(p.paginas->Controles().size(), 247);
}

TEST(PaginasFormulario, GruposDeControles) {
  Paginas p;
  EXPECT_EQ(p.paginas->ControlesEntrada().size(), 187);
  EXPECT_EQ(p.paginas->ControlesAntecedentes().size(), 15);
  EXPECT_EQ(p.paginas->ControlesSoloLectura().size(), 45);
  const QStringList antecedentes = CodigosDe(p.paginas->ControlesAntecedentes());
  EXPECT_EQ(antecedentes, (QStringList{"06", "610", "611", "612", "08", "53", "613", "09", "601", "604", "55", "44",
                                       "726", "313", "314"}));
  const QStringList entrada = CodigosDe(p.paginas->ControlesEntrada());
  EXPECT_TRUE(entrada.contains(QStringLiteral("03")));
  EXPECT_TRUE(entrada.contains(QStringLiteral("583")));
  EXPECT_FALSE(entrada.contains(QStringLiteral("538")));
  const QStringList solo = CodigosDe(p.paginas->ControlesSoloLectura());
  for (const char* c : {"01", "02", "05", "127", "544", "547", "538"})
    EXPECT_TRUE(solo.contains(QString::fromLatin1(c))) << c;
}

TEST(PaginasFormulario, ListasDeRegionYCodigoDeArea) {
  Paginas p;
  auto textos = [](QComboBox* lista) {
    QStringList r;
    for (int i = 0; i < lista->count(); ++i) r << lista->itemText(i);
    return r.join(QLatin1Char(' '));
  };
  ListaDatos* region = p.paginas->Lista(QStringLiteral("53"));
  ListaDatos* area = p.paginas->Lista(QStringLiteral("613"));
  EXPECT_EQ(textos(region).toStdString(), "1 2 3 4 5 13 6 7 8 9 10 11 12");
  EXPECT_EQ(textos(area).toStdString(), "57 58 55 52 51 53 32 33 34 35 2 72 71 73 75 41 42 43 45 63 64 65 67 61");
  EXPECT_FALSE(region->isEditable());
  EXPECT_EQ(region->currentIndex(), -1);
  EXPECT_FALSE(region->toolTip().isEmpty());
}

TEST(PaginasFormulario, CabezaYSecciones) {
  Paginas p;
  ASSERT_NE(p.paginas->ComboBoxMes, nullptr);
  ASSERT_NE(p.paginas->ComboBoxAno, nullptr);
  EXPECT_EQ(p.paginas->ComboBoxMes->accessibleName(), QStringLiteral("MES"));
  EXPECT_EQ(p.paginas->ComboBoxAno->accessibleName(), QStringLiteral("AÑO"));
  EXPECT_FALSE(p.paginas->ComboBoxMes->isEditable());
  ASSERT_NE(p.paginas->Image4, nullptr);
  EXPECT_EQ(p.paginas->Image4->geometry(), QRect(8, 0, 164, 54));
  EXPECT_EQ(p.paginas->Image4->cursor().shape(), Qt::PointingHandCursor);
  QSignalSpy clic(p.paginas.get(), &PaginasFormulario::LogoPulsado);
  QTest::mouseClick(p.paginas->Image4, Qt::LeftButton);
  EXPECT_EQ(clic.count(), 1);

  QGroupBox* debitos = p.paginas->Seccion(QStringLiteral("DÉBITOS Y VENTAS"));
  ASSERT_NE(debitos, nullptr);
  EXPECT_EQ(debitos->geometry(), QRect(0, 59, 761, 444));
  QGroupBox* especiales = p.paginas->Seccion(QStringLiteral("Créditos Especiales"));
  ASSERT_NE(especiales, nullptr);
  EXPECT_EQ(especiales->geometry(), QRect(0, 1220, 761, 218));
  EXPECT_TRUE(p.reverso->isAncestorOf(especiales));
  // The form fits the width of the window's scroll boxes.
  EXPECT_LE(p.anverso->minimumWidth(), AnchoPagina);
}

TEST(PaginasFormulario, ImagenesVerticalesEnSuLugar) {
  Paginas p;
  QLabel* ventas = p.paginas->ImagenVertical(QStringLiteral("ImageVentas"));
  ASSERT_NE(ventas, nullptr);
  EXPECT_EQ(ventas->geometry(), QRect(24, 32, 17, 305));
  EXPECT_EQ(ventas->parentWidget(), p.paginas->Seccion(QStringLiteral("DÉBITOS Y VENTAS")));
  QLabel* ppm = p.paginas->ImagenVertical(QStringLiteral("ImagePPM"));
  ASSERT_NE(ppm, nullptr);
  EXPECT_EQ(ppm->geometry(), QRect(24, 208, 17, 209));
  p.paginas->DibujarCaptiones();
  const QImage imagen = ppm->pixmap().toImage();
  ASSERT_EQ(imagen.size(), QSize(17, 209));
  EXPECT_EQ(imagen.pixelColor(0, 0), QColor(Qt::black));
  EXPECT_EQ(imagen.pixelColor(16, 208), QColor(Qt::black));
  EXPECT_EQ(imagen.pixelColor(2, 2), QColor(0xDF, 0xFF, 0xDF));
  // Some navy text was drawn in the middle.
  int tinta = 0;
  for (int y = 1; y < imagen.height() - 1; ++y)
    for (int x = 1; x < imagen.width() - 1; ++x)
      if (imagen.pixelColor(x, y).blue() > imagen.pixelColor(x, y).green() + 40) ++tinta;
  EXPECT_GT(tinta, 10);
}

TEST(DibujarTextoVertical, DivideElCaption) {
  EXPECT_EQ(DividirCaption(QStringLiteral("\"Impor-\";\"tación\"")), (QStringList{"Impor-", "tación"}));
  EXPECT_EQ(DividirCaption(QStringLiteral("\"Ventas y/o Servicios Prestados\"")),
            (QStringList{"Ventas y/o Servicios Prestados"}));
  EXPECT_EQ(DividirCaption(QStringLiteral("Uno dos;tres")), (QStringList{"Uno", "dos", "tres"}));
  EXPECT_EQ(DividirCaption(QStringLiteral("\"a;b c\";\"dice \"\"sí\"\"\"")),
            (QStringList{"a;b c", "dice \"sí\""}));
  EXPECT_EQ(DividirCaption(QStringLiteral("a;")), (QStringList{"a", ""}));
  EXPECT_EQ(DividirCaption(QStringLiteral("a;;b")), (QStringList{"a", "", "b"}));
  EXPECT_TRUE(DividirCaption(QString()).isEmpty());
}

TEST(DibujarTextoVertical, PosicionesConMitadesAlPar) {
  EXPECT_EQ(MitadRedondeada(5), 2);
  EXPECT_EQ(MitadRedondeada(3), 2);
  EXPECT_EQ(MitadRedondeada(4), 2);
  EXPECT_EQ(MitadRedondeada(-5), -2);
  EXPECT_EQ(MitadRedondeada(-3), -2);
  auto ancho = [](const QString& t) { return t.size() * 5; };
  // W = 17, h = 12: (17 - 12) / 2 = 2.5 gives 2.
  auto una = DisponerTextoVertical(QSize(17, 100), {QStringLiteral("PPM")}, 12, ancho);
  ASSERT_EQ(una.size(), 1);
  EXPECT_EQ(una[0].x, 2);
  // w = 15: y = 100 - round((100 - 15) / 2) = 100 - 42 = 58.
  EXPECT_EQ(una[0].y, 58);
  // Two lines side by side, the block centred: x = (33 - 24) / 2 = 4.5 -> 4.
  auto dos = DisponerTextoVertical(QSize(33, 97), {QStringLiteral("Información"), QStringLiteral("de ingresos")},
                                   12, ancho);
  ASSERT_EQ(dos.size(), 2);
  EXPECT_EQ(dos[0].x, 4);
  EXPECT_EQ(dos[1].x, 16);
  // A line longer than the image starts below its bottom edge.
  auto larga = DisponerTextoVertical(QSize(17, 20), {QStringLiteral("Compras y Servicios")}, 12, ancho);
  EXPECT_EQ(larga[0].y, 20 - MitadRedondeada(20 - 95));
  EXPECT_GT(larga[0].y, 20);
  EXPECT_LT(larga[0].y - 95, 0);
}

TEST(DibujarTextoVertical, UsaLasMetricasDeLaFuente) {
  const QFont fuente = FuenteTextoVertical();
  EXPECT_EQ(fuente.pointSize(), 7);
  EXPECT_TRUE(fuente.bold());
  const QFontMetrics m(fuente);
  const QString linea = QStringLiteral("RETENCIONES");
  const auto lineas = DisponerTextoVertical(QSize(17, 145), {linea}, m.height(),
                                            [&m](const QString& t) { return m.horizontalAdvance(t); });
  EXPECT_EQ(lineas[0].x, MitadRedondeada(17 - m.height()));
  EXPECT_EQ(lineas[0].y, 145 - MitadRedondeada(145 - m.horizontalAdvance(linea)));
}

// Renders both pages to PNG files (in ALCABALA_CAPTURAS when set) so the
// form can be looked at; checks that every page paints at full size.
TEST(PaginasFormulario, SeDibujanEnteras) {
  Paginas p;
  p.paginas->DibujarCaptiones();
  QString carpeta = qEnvironmentVariable("ALCABALA_CAPTURAS");
  if (carpeta.isEmpty()) carpeta = QDir::tempPath();
  int n = 0;
  for (QWidget* pagina : {p.anverso.get(), p.reverso.get()}) {
    QScrollArea area;
    area.setWidgetResizable(false);
    area.resize(AnchoPagina, 600);
    pagina->setParent(nullptr);
    const QPixmap imagen = pagina->grab();
    EXPECT_GE(imagen.height(), 1300);
    EXPECT_GE(imagen.width(), AnchoSeccion);
    for (int y = 0, parte = 0; y < imagen.height(); y += 1000, ++parte)
      imagen.copy(0, y, imagen.width(), std::min(1000, imagen.height() - y))
          .save(QStringLiteral("%1/pagina%2_%3.png").arg(carpeta).arg(n).arg(parte));
    ++n;
  }
}
