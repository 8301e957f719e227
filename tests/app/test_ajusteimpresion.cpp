// "A&justar Impresión...": the calibration dialog with the printers replaced,
// and the front printed on a printer shifted by that printer's calibration.

#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "common/locales.h"
#include "app/alcabalaprueba.h"
#include "app/controles/impresion.h"
#include "common/pdf.h"
#include "dialogs/formajusteimpresion.h"
#include "reports/calibracion.h"

using namespace prueba;

namespace {

using prueba::Chile;

struct PruebaImpresa {
  QString impresora;
  QPointF desplazamiento;
};

}  // namespace

TEST(AjusteImpresion, ImpresoraPredeterminadaSusDesplazamientosYGuardarTodas) {
  GuardarCalibracion("Bodega Ajuste", {1.5, -2});
  TFormAjusteImpresion dialogo({"Oficina Ajuste", "Bodega Ajuste"}, "Bodega Ajuste", Chile);
  EXPECT_EQ(dialogo.windowTitle(), QStringLiteral("Ajustar Impresión"));
  EXPECT_FALSE(dialogo.LabelSinImpresoras->isVisibleTo(&dialogo));
  EXPECT_EQ(dialogo.ComboBoxImpresora->currentText(), "Bodega Ajuste");
  EXPECT_EQ(dialogo.EditHorizontal->value(), 1.5);
  EXPECT_EQ(dialogo.EditVertical->value(), -2.0);
  EXPECT_EQ(dialogo.EditHorizontal->minimum(), -20.0);
  EXPECT_EQ(dialogo.EditVertical->maximum(), 20.0);
  EXPECT_EQ(dialogo.EditVertical->singleStep(), 0.5);
  EXPECT_EQ(dialogo.EditHorizontal->text(), QStringLiteral("1,5 mm"));
  EXPECT_EQ(dialogo.ButtonPrueba->text(), QStringLiteral("Imprimir Prueba"));
  EXPECT_EQ(dialogo.ButtonAceptar->text(), QStringLiteral("&Aceptar"));
  EXPECT_EQ(dialogo.ButtonCancelar->text(), QStringLiteral("&Cancelar"));

  // Changes on two printers; going back shows what was typed, not what was saved.
  dialogo.EditVertical->setValue(3);
  dialogo.ComboBoxImpresora->setCurrentText("Oficina Ajuste");
  EXPECT_EQ(dialogo.EditHorizontal->value(), 0.0);
  dialogo.EditHorizontal->setValue(-4.5);
  dialogo.ComboBoxImpresora->setCurrentText("Bodega Ajuste");
  EXPECT_EQ(dialogo.EditVertical->value(), 3.0);
  EXPECT_EQ(LeerCalibracion("Bodega Ajuste").Desplazamiento(), QPointF(1.5, -2));  // nothing saved yet

  QList<PruebaImpresa> pruebas;
  dialogo.PonerImpresionPrueba(
      [&pruebas](const QString& impresora, const Calibracion& c) { pruebas.append({impresora, c.Desplazamiento()}); });
  dialogo.ButtonPrueba->click();
  ASSERT_EQ(pruebas.size(), 1);
  EXPECT_EQ(pruebas.at(0).impresora, "Bodega Ajuste");
  EXPECT_EQ(pruebas.at(0).desplazamiento, QPointF(1.5, 3));
  EXPECT_EQ(LeerCalibracion("Bodega Ajuste").Desplazamiento(), QPointF(1.5, -2));  // a test page saves nothing

  dialogo.ButtonAceptar->click();
  EXPECT_EQ(dialogo.result(), QDialog::Accepted);
  EXPECT_EQ(LeerCalibracion("Bodega Ajuste").Desplazamiento(), QPointF(1.5, 3));
  EXPECT_EQ(LeerCalibracion("Oficina Ajuste").Desplazamiento(), QPointF(-4.5, 0));
}

TEST(AjusteImpresion, CancelarNoGuardaYSinImpresorasNadaQueImprimir) {
  {
    TFormAjusteImpresion dialogo({"Cancelada Ajuste"}, QString(), Chile);
    EXPECT_EQ(dialogo.ComboBoxImpresora->currentText(), "Cancelada Ajuste");  // no default: the first
    dialogo.EditHorizontal->setValue(7);
    dialogo.ButtonCancelar->click();
    EXPECT_EQ(dialogo.result(), QDialog::Rejected);
    EXPECT_EQ(LeerCalibracion("Cancelada Ajuste").Desplazamiento(), QPointF(0, 0));
  }
  TFormAjusteImpresion dialogo({}, QString(), Chile);
  EXPECT_TRUE(dialogo.LabelSinImpresoras->isVisibleTo(&dialogo));
  EXPECT_EQ(dialogo.LabelSinImpresoras->text(), QStringLiteral("No hay ninguna impresora instalada."));
  EXPECT_FALSE(dialogo.ButtonPrueba->isEnabled());
  EXPECT_FALSE(dialogo.ButtonAceptar->isEnabled());
  EXPECT_FALSE(dialogo.ComboBoxImpresora->isEnabled());
  EXPECT_TRUE(dialogo.ButtonCancelar->isEnabled());
}

TEST(AjusteImpresion, MedioMilimetroAlSalirDeLaCaja) {
  TFormAjusteImpresion dialogo({"Teclado Ajuste"}, "Teclado Ajuste", Chile);
  Activar(&dialogo);
  dialogo.EditHorizontal->setFocus();
  dialogo.EditHorizontal->selectAll();
  QTest::keyClicks(dialogo.EditHorizontal, "1,3");
  QTest::keyClick(dialogo.EditHorizontal, Qt::Key_Tab);
  EXPECT_EQ(dialogo.EditHorizontal->value(), 1.5);
  QTest::keyClick(dialogo.EditVertical, Qt::Key_Up);
  EXPECT_EQ(dialogo.EditVertical->value(), 0.5);
}

TEST(AjusteImpresion, ComandoSiempreActivoEnElMenuAlcabala) {
  VentanaPrueba v;
  QAction* ajustar = v->MenuItemAjustarImpresion;
  ASSERT_NE(ajustar, nullptr);
  EXPECT_EQ(ajustar->text(), QStringLiteral("A&justar Impresión..."));
  EXPECT_TRUE(v->MenuItemAlcabala->actions().contains(ajustar));
  EXPECT_TRUE(ajustar->isEnabled());  // no file open
  ArchivoPrueba archivo{{{2024, 3}}};
  VentanaPrueba conArchivo(archivo.ruta);
  EXPECT_TRUE(conArchivo->MenuItemAjustarImpresion->isEnabled());
  conArchivo->MenuItemEditarAlcabala->trigger();
  EXPECT_TRUE(conArchivo->MenuItemAjustarImpresion->isEnabled());
}

TEST(AjusteImpresion, ElAnversoSeDesplazaLoQueDiceSuImpresora) {
  ArchivoPrueba archivo{{{2024, 3}}};
  archivo.Poner(2024, 3, QStringLiteral("Cod502 = 12345670000, Cod20 = 98765000000"));
  VentanaPrueba v(archivo.ruta);
  QTemporaryDir salida;
  ErroresAnotados errores;
  auto imprimir = [&](const QString& nombre, std::optional<Calibracion> calibracion) {
    const QString pdf = salida.filePath(nombre);
    EstablecerEntornoImpresion({[] { return QStringList{QStringLiteral("Oficina")}; },
                                [pdf, calibracion](QPrintDialog& dialogo) {
                                  // The PDF stands in for the printer chosen; its calibration is saved now.
                                  dialogo.printer()->setOutputFormat(QPrinter::PdfFormat);
                                  dialogo.printer()->setOutputFileName(pdf);
                                  if (calibracion) GuardarCalibracion(dialogo.printer()->printerName(), *calibracion);
                                  return true;
                                },
                                {}});
    v->MenuItemImprimirAnversoAlcabala->trigger();
    EstablecerEntornoImpresion({});
    const auto paginas = LeerPdf(pdf);
    return paginas.isEmpty() ? QList<PalabraPdf>() : paginas.first().palabras;
  };
  const auto quieta = imprimir("quieta.pdf", Calibracion{});
  const auto movida = imprimir("movida.pdf", Calibracion{-3, 4.5});
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
  ASSERT_GE(quieta.size(), 2);
  ASSERT_EQ(movida.size(), quieta.size());
  const double mm = 72 / 25.4;
  for (int i = 0; i < quieta.size(); ++i) {
    EXPECT_NEAR(movida.at(i).caja.left() - quieta.at(i).caja.left(), -3 * mm, 0.02);
    EXPECT_NEAR(movida.at(i).caja.top() - quieta.at(i).caja.top(), 4.5 * mm, 0.02);
  }
  GuardarCalibracion(QPrinter().printerName(), {});
}
