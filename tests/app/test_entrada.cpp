// How the boxes react to typing, clicks and leaving, driven by real key and
// mouse events on the form pages over a real data file.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "common/locales.h"
#include "app/alcabalaprueba.h"
#include "app/entradacajas.h"
#include "declarations/catalogo/catalogo.h"
#include "general/moneda.h"

using namespace prueba;

namespace {

using prueba::Chile;
using prueba::EEUU;

qint64 PesosDe(const QVariant& valor) { return NuloACeroMoneda(valor).Pesos(); }

class Entrada : public ::testing::Test {
 protected:
  void Preparar(const QLocale& locale = Chile) {
    archivo = std::make_unique<ArchivoPrueba>(QList<std::pair<int, int>>{{2024, 3}});
    archivo->PonerContribuyente(QStringLiteral(
        "Calle = 'Avenida Alemania', Numero = '0671', Telefono = 452123456, RUTContador = 12345678"));
    paginas = std::make_unique<PaginasPrueba>(archivo->ruta, locale);
    Activar(&paginas->ventana);
    paginas->Editar();
  }
  CajaEdicion* Caja(const char* codigo) { return paginas->Caja(codigo); }
  // Focuses a box and types into it.
  void Escribir(const char* codigo, const QString& texto) {
    Enfocar(Caja(codigo));
    Teclear(Caja(codigo), texto);
  }
  // Leaves the box with the focus for a box that has no exit rule.
  void Dejar(const char* codigo) { Salir(Caja(codigo), Caja("585") == Caja(codigo) ? Caja("521") : Caja("585")); }

  ErroresAnotados errores;
  std::unique_ptr<ArchivoPrueba> archivo;
  std::unique_ptr<PaginasPrueba> paginas;
};

}  // namespace

TEST_F(Entrada, UnaCasillaDeMontosSoloTomaDigitos) {
  Preparar();
  Escribir("521", QStringLiteral("12a3"));
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("123"));
  Dejar("521");
  EXPECT_EQ(PesosDe(paginas->Valor("521")), 123);
  // Shown grouped once left, as the locale groups thousands. Entering with
  // Tab selects the whole value; End keeps it and appends.
  Enfocar(Caja("521"));
  EXPECT_EQ(Caja("521")->selectedText(), QStringLiteral("123"));
  QTest::keyClick(Caja("521"), Qt::Key_End);
  Teclear(Caja("521"), QStringLiteral("4567"));
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("1234567"));
  Dejar("521");
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("1.234.567"));
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Entrada, LasTeclasDeEdicionYNavegacionSiguenFuncionando) {
  Preparar();
  Escribir("521", QStringLiteral("1234"));
  QTest::keyClick(Caja("521"), Qt::Key_Backspace);
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("123"));
  QTest::keyClick(Caja("521"), Qt::Key_Home);
  QTest::keyClick(Caja("521"), Qt::Key_Delete);
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("23"));
  QTest::keyClick(Caja("521"), Qt::Key_End);
  QTest::keyClick(Caja("521"), Qt::Key_Left);
  QTest::keyClick(Caja("521"), '9');
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("293"));
  QTest::keyClick(Caja("521"), Qt::Key_Return);
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("293"));
  // Tab leaves the box for the next one, and the value reaches its field.
  QTest::keyClick(Caja("521"), Qt::Key_Tab);
  QApplication::processEvents();
  EXPECT_FALSE(Caja("521")->hasFocus());
  EXPECT_EQ(PesosDe(paginas->Valor("521")), 293);
}

TEST_F(Entrada, LaVariableDelDieselAceptaUnSignoSoloAlComienzo) {
  Preparar();
  Escribir("743", QStringLiteral("-5"));
  EXPECT_EQ(Caja("743")->text(), QStringLiteral("-5"));
  // A second "-" and one after the first digit are dropped.
  QTest::keyClick(Caja("743"), Qt::Key_Home);
  QTest::keyClick(Caja("743"), '-');
  QTest::keyClick(Caja("743"), Qt::Key_End);
  QTest::keyClick(Caja("743"), '-');
  EXPECT_EQ(Caja("743")->text(), QStringLiteral("-5"));
  Escribir("745", QStringLiteral("7-"));
  EXPECT_EQ(Caja("745")->text(), QStringLiteral("7"));
  // Other amount boxes take no sign at all.
  Escribir("742", QStringLiteral("-8"));
  EXPECT_EQ(Caja("742")->text(), QStringLiteral("8"));
}

TEST_F(Entrada, LasTasasTomanElSeparadorDecimalDelLocal) {
  Preparar(Chile);
  Escribir("115", QStringLiteral("1.5"));
  EXPECT_EQ(Caja("115")->text(), QStringLiteral("1,5"));
  QTest::keyClick(Caja("115"), ',');
  EXPECT_EQ(Caja("115")->text(), QStringLiteral("1,5"));
  Dejar("115");
  EXPECT_FLOAT_EQ(static_cast<float>(NuloACeroDouble(paginas->Valor("115"))), 1.5f);
  // Rate 702 takes digits only.
  Escribir("702", QStringLiteral("1.5"));
  EXPECT_EQ(Caja("702")->text(), QStringLiteral("15"));
}

TEST_F(Entrada, ConPuntoDecimalElPuntoQuedaComoPunto) {
  Preparar(EEUU);
  Escribir("730", QStringLiteral("2.25."));
  EXPECT_EQ(Caja("730")->text(), QStringLiteral("2.25"));
  Dejar("730");
  EXPECT_DOUBLE_EQ(NuloACeroDouble(paginas->Valor("730")), 2.25);
}

TEST_F(Entrada, PegarNoMeteNadaEnUnaCasillaFiltrada) {
  Preparar();
  QGuiApplication::clipboard()->setText(QStringLiteral("999"));
  Enfocar(Caja("521"));
  const QString antes = Caja("521")->text();
  QTest::keyClick(Caja("521"), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Caja("521")->text(), antes);
  // The control character the shortcut types on some systems is dropped too.
  QTest::keyClick(Caja("521"), Qt::Key_V, Qt::ControlModifier);
  QKeyEvent control(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
  QApplication::sendEvent(Caja("521"), &control);
  EXPECT_EQ(Caja("521")->text(), antes);
  EXPECT_FALSE(Caja("521")->text().contains(QStringLiteral("999")));

  // A box without a filter pastes: the clipboard does work here.
  QTest::mouseClick(paginas->paginas->Casilla(QStringLiteral("583")), Qt::LeftButton);
  ASSERT_TRUE(Caja("06")->isEnabled());
  Enfocar(Caja("06"));
  Caja("06")->selectAll();
  QTest::keyClick(Caja("06"), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Caja("06")->text(), QStringLiteral("999"));
}

TEST_F(Entrada, LosTextosDeIdentificacionTomanCualquierCaracter) {
  Preparar();
  auto* casilla = paginas->paginas->Casilla(QStringLiteral("583"));
  QTest::mouseClick(casilla, Qt::LeftButton);
  ASSERT_TRUE(casilla->isChecked());
  ASSERT_TRUE(Caja("06")->isEnabled());
  // The taxpayer's address came with the tick.
  EXPECT_EQ(Caja("06")->text(), QStringLiteral("Avenida Alemania"));
  Enfocar(Caja("06"));
  Caja("06")->selectAll();
  Teclear(Caja("06"), QStringLiteral("Ñuñoa #12-á"));
  EXPECT_EQ(Caja("06")->text(), QStringLiteral("Ñuñoa #12-á"));
  Dejar("06");
  EXPECT_EQ(NuloAVacio(paginas->Valor("06")).trimmed(), QStringLiteral("Ñuñoa #12-á"));
  // The telephone takes digits only.
  Escribir("09", QStringLiteral("x1"));
  EXPECT_TRUE(Caja("09")->text().endsWith(QStringLiteral("1")));
  EXPECT_FALSE(Caja("09")->text().contains(QLatin1Char('x')));
}

TEST_F(Entrada, UnClicSeleccionaTodoSalvoEn03Y725) {
  Preparar();
  paginas->alcabala.Asignar(QStringLiteral("Cod521"), QVariant::fromValue(Moneda::DesdePesos(4500)));
  paginas->alcabala.Asignar(QStringLiteral("Cod725"), QVariant::fromValue(Moneda::DesdePesos(4500)));
  paginas->contribuyente.Editar();
  paginas->contribuyente.Asignar(QStringLiteral("RUT"), 7654321);
  QTest::mouseClick(Caja("521"), Qt::LeftButton, {}, QPoint(3, 5));
  EXPECT_TRUE(Caja("521")->hasSelectedText());
  EXPECT_EQ(Caja("521")->selectedText(), QStringLiteral("4500"));
  QTest::mouseClick(Caja("725"), Qt::LeftButton, {}, QPoint(3, 5));
  EXPECT_TRUE(Caja("725")->hasFocus());
  EXPECT_FALSE(Caja("725")->hasSelectedText());
  QTest::mouseClick(Caja("03"), Qt::LeftButton, {}, QPoint(3, 5));
  EXPECT_TRUE(Caja("03")->hasFocus());
  EXPECT_FALSE(Caja("03")->hasSelectedText());
  // 03 and 725 still take digits only.
  Teclear(Caja("725"), QStringLiteral("x"));
  EXPECT_FALSE(Caja("725")->text().contains(QLatin1Char('x')));
}

TEST_F(Entrada, ElRutDe313MuestraElDigitoVerificadorAlSalir) {
  Preparar();
  auto* casilla = paginas->paginas->Casilla(QStringLiteral("583"));
  QTest::mouseClick(casilla, Qt::LeftButton);
  ASSERT_TRUE(Caja("313")->isEnabled());
  // The accountant's RUT came from the taxpayer row.
  EXPECT_EQ(Caja("313")->text(), QStringLiteral("12345678-5"));
  Enfocar(Caja("313"));
  EXPECT_EQ(Caja("313")->text(), QStringLiteral("12345678"));
  Caja("313")->selectAll();
  QTest::keyClick(Caja("313"), Qt::Key_Backspace);
  Dejar("313");
  EXPECT_EQ(NuloACeroEntero(paginas->Valor("313")), 0);
  EXPECT_EQ(Caja("313")->text(), QString());
  // The check digit cannot be typed: the body only, at most nine digits.
  Escribir("313", QStringLiteral("12345678-K90"));
  EXPECT_EQ(Caja("313")->text(), QStringLiteral("123456789"));
}

TEST_F(Entrada, LasCasillasLimitanSuLargo) {
  Preparar();
  Escribir("521", QStringLiteral("12345678901"));
  EXPECT_EQ(Caja("521")->text(), QStringLiteral("123456789"));
  Escribir("586", QStringLiteral("1234567"));
  EXPECT_EQ(Caja("586")->text(), QStringLiteral("12345"));
  for (const ::Caja& caja : Catalogo()) {
    CajaEdicion* edicion = paginas->paginas->Edicion(caja.codigo);
    if (edicion != nullptr && caja.largoMaximo > 0) {
      EXPECT_EQ(edicion->LargoMaximo(), caja.largoMaximo) << qPrintable(caja.codigo);
    }
  }
}

TEST_F(Entrada, SalirDeUnaVentaRecalculaLaBaseDelPPM) {
  Preparar();
  Escribir("115", QStringLiteral("1,5"));
  Escribir("502", QStringLiteral("190000"));
  Dejar("502");
  EXPECT_EQ(PesosDe(paginas->Valor("502")), 190000);
  EXPECT_EQ(PesosDe(paginas->Valor("563")), 1000000);
  EXPECT_EQ(Caja("563")->text(), QStringLiteral("1.000.000"));
  // Box 62 follows box 563 at once.
  EXPECT_EQ(PesosDe(paginas->Valor("62")), 15000);
  EXPECT_EQ(paginas->paginas->Edicion(QStringLiteral("62"))->text(), QStringLiteral("15.000"));

  // Box 517 is no term, but leaving it recomputes too: a typed 563 is overwritten.
  Escribir("563", QStringLiteral("5"));
  Dejar("563");
  EXPECT_EQ(PesosDe(paginas->Valor("563")), 5);
  Enfocar(Caja("517"));
  Dejar("517");
  EXPECT_EQ(PesosDe(paginas->Valor("563")), 1000000);
  Escribir("20", QStringLiteral("50000"));
  Dejar("20");
  EXPECT_EQ(PesosDe(paginas->Valor("563")), 1050000);
}

TEST_F(Entrada, LaBaseDelPPMNoCambiaFueraDeEdicion) {
  Preparar();
  paginas->alcabala.Asignar(QStringLiteral("Cod502"), QVariant::fromValue(Moneda::DesdePesos(190000)));
  paginas->alcabala.Guardar();
  ASSERT_EQ(paginas->alcabala.Estado(), EstadoDataSet::Consulta);
  // The boxes are still on (as after a move while editing); leaving one
  // without typing must not touch the stored declaration.
  Enfocar(Caja("502"));
  Dejar("502");
  EXPECT_EQ(paginas->alcabala.Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(PesosDe(paginas->Valor("563")), 0);
  Enfocar(Caja("743"));
  Dejar("743");
  EXPECT_EQ(paginas->alcabala.Estado(), EstadoDataSet::Consulta);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Entrada, UnaTasaDeIVANulaMuestraElErrorYDejaLaBase) {
  archivo = std::make_unique<ArchivoPrueba>(QList<std::pair<int, int>>{{2024, 3}});
  paginas = std::make_unique<PaginasPrueba>(archivo->ruta, Chile, 0.0);
  Activar(&paginas->ventana);
  paginas->Editar();
  paginas->alcabala.Asignar(QStringLiteral("Cod563"), QVariant::fromValue(Moneda::DesdePesos(77)));
  Escribir("502", QStringLiteral("190000"));
  Dejar("502");
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(PesosDe(paginas->Valor("502")), 190000);
  EXPECT_EQ(PesosDe(paginas->Valor("563")), 77);
}

TEST_F(Entrada, SalirDe743MueveUnCreditoNegativoAlDebito) {
  Preparar();
  Escribir("730", QStringLiteral("3"));
  Escribir("742", QStringLiteral("1000"));
  Dejar("742");
  EXPECT_EQ(PesosDe(paginas->Valor("127")), 1000);
  Escribir("743", QStringLiteral("-1500"));
  Dejar("743");
  EXPECT_DOUBLE_EQ(NuloACeroDouble(paginas->Valor("738")), 3.0);
  EXPECT_EQ(PesosDe(paginas->Valor("739")), 1000);
  EXPECT_EQ(PesosDe(paginas->Valor("740")), 1500);
  EXPECT_EQ(PesosDe(paginas->Valor("742")), 0);
  EXPECT_EQ(PesosDe(paginas->Valor("743")), 0);
  EXPECT_EQ(PesosDe(paginas->Valor("127")), 0);
  EXPECT_EQ(PesosDe(paginas->Valor("741")), 500);
  EXPECT_EQ(PesosDe(paginas->Valor("538")), 500);
  EXPECT_EQ(Caja("743")->text(), QString());
  EXPECT_EQ(Caja("740")->text(), QStringLiteral("1.500"));
  EXPECT_EQ(paginas->paginas->Edicion(QStringLiteral("741"))->text(), QStringLiteral("500"));
}

TEST_F(Entrada, ElGrupoBDelDieselEscribeEn544) {
  Preparar();
  Escribir("744", QStringLiteral("1000"));
  Dejar("744");
  EXPECT_EQ(PesosDe(paginas->Valor("544")), 1000);
  Escribir("745", QStringLiteral("-300"));
  Dejar("745");
  EXPECT_EQ(PesosDe(paginas->Valor("544")), 700);
  EXPECT_EQ(PesosDe(paginas->Valor("127")), 0);
}

TEST_F(Entrada, SalirDe745MueveUnCreditoNegativoAlDebitoConSuNeto) {
  Preparar();
  Escribir("744", QStringLiteral("1000"));
  Dejar("744");
  const qint64 debitos = PesosDe(paginas->Valor("538"));
  Escribir("745", QStringLiteral("-1500"));
  Dejar("745");
  EXPECT_EQ(PesosDe(paginas->Valor("739")), 1000);
  EXPECT_EQ(PesosDe(paginas->Valor("740")), 1500);
  EXPECT_EQ(PesosDe(paginas->Valor("744")), 0);
  EXPECT_EQ(PesosDe(paginas->Valor("745")), 0);
  EXPECT_EQ(PesosDe(paginas->Valor("544")), 0);
  EXPECT_EQ(PesosDe(paginas->Valor("741")), 500);
  EXPECT_EQ(PesosDe(paginas->Valor("538")) - debitos, 500);
}

TEST_F(Entrada, La583CopiaYVaciaLosAntecedentesSoloAlEditar) {
  Preparar();
  auto* casilla = paginas->paginas->Casilla(QStringLiteral("583"));
  for (QWidget* w : paginas->paginas->ControlesAntecedentes()) ASSERT_FALSE(w->isEnabled());
  QTest::mouseClick(casilla, Qt::LeftButton);
  for (QWidget* w : paginas->paginas->ControlesAntecedentes()) EXPECT_TRUE(w->isEnabled()) << qPrintable(w->objectName());
  EXPECT_EQ(NuloACeroEntero(paginas->Valor("09")), 452123456);
  EXPECT_EQ(NuloAVacio(paginas->Valor("610")).trimmed(), QStringLiteral("0671"));

  QTest::mouseClick(casilla, Qt::LeftButton);
  EXPECT_FALSE(casilla->isChecked());
  for (QWidget* w : paginas->paginas->ControlesAntecedentes()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
  EXPECT_EQ(NuloACeroEntero(paginas->Valor("09")), 0);
  EXPECT_EQ(NuloACeroEntero(paginas->Valor("313")), 0);
  EXPECT_EQ(NuloAVacio(paginas->Valor("06")).trimmed(), QString());
  EXPECT_EQ(Caja("06")->text(), QString());

  // The check box following another declaration copies nothing.
  paginas->alcabala.Cancelar();
  archivo->Poner(2024, 3, QStringLiteral("Cod583 = 1"));
  paginas->alcabala.Refrescar();
  EXPECT_TRUE(casilla->isChecked());
  EXPECT_EQ(NuloACeroEntero(paginas->Valor("09")), 0);
  for (QWidget* w : paginas->paginas->ControlesAntecedentes()) EXPECT_FALSE(w->isEnabled());
}

TEST(FamiliasDeEntrada, FiltroYClicSegunLaFamiliaDelCatalogo) {
  // Every input box of the catalogue has a family with a click rule and a
  // filter except the ones the form leaves free.
  for (const Caja* caja : CajasDeEntrada()) {
    const bool libre = caja->familia == FamiliaEntrada::Casilla583;
    EXPECT_EQ(static_cast<bool>(FiltroDeFamilia(caja->familia, Chile)), !libre) << qPrintable(caja->codigo);
    EXPECT_EQ(SeleccionaAlPulsar(caja->familia), !libre && caja->familia != FamiliaEntrada::SinClic)
        << qPrintable(caja->codigo);
  }
  const auto filtro = FiltroDeFamilia(FamiliaEntrada::Montos, Chile);
  EXPECT_EQ(filtro(QString(), QChar(0x16), 0), QChar());  // Ctrl+V
  EXPECT_EQ(filtro(QString(), QChar(0x03), 0), QChar());  // Ctrl+C as a character
  EXPECT_EQ(filtro(QString(), QChar(u'\b'), 0), QChar(u'\b'));
  EXPECT_EQ(filtro(QString(), QChar(u'\r'), 0), QChar(u'\r'));  // Enter writes nothing, passes on
  EXPECT_FALSE(FiltroDeFamilia(FamiliaEntrada::TextosIdentificacion, Chile));
}
