// Work typed into a declaration is never lost without a word: closing the
// window asks whether to save, a move to another period says that it saved,
// and the keyboard steps through the stored periods.

#include <gtest/gtest.h>

#include <QMenu>
#include <QStatusBar>
#include <QTest>

#include "app/alcabalaprueba.h"
#include "common/cajamodal.h"
#include "common/erroresanotados.h"

using namespace prueba;

namespace {

class CambiosPendientes : public ::testing::Test {
 protected:
  void Abrir(const QList<std::pair<int, int>>& periodos) {
    archivo = std::make_unique<ArchivoPrueba>(periodos);
    v = std::make_unique<VentanaPrueba>(archivo->ruta);
  }
  TFormAlcabala* W() const { return v->ventana.get(); }
  // Edits the declaration shown and types an amount into box 521, still in the box.
  void Escribir(const QString& monto) {
    W()->MenuItemEditarAlcabala->trigger();
    Enfocar(v->Caja("521"));
    Teclear(v->Caja("521"), monto);
  }
  // Box 521 as stored in the file, in pesos.
  qint64 Guardado(int ano, int mes) const {
    return archivo->Leer(ano, mes, QStringLiteral("Cod521")).toLongLong() / Moneda::Escala;
  }

  ErroresAnotados errores;
  std::unique_ptr<ArchivoPrueba> archivo;
  std::unique_ptr<VentanaPrueba> v;
};

}  // namespace

TEST_F(CambiosPendientes, CerrarPreguntaYCancelarDejaTodoComoEstaba) {
  Abrir({{2024, 3}});
  Escribir(QStringLiteral("1500"));
  const std::vector<CajaVista> cajas = ResponderCajas(QMessageBox::Cancel, [&] { W()->close(); });
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].titulo, QStringLiteral("Alcabala"));
  EXPECT_EQ(cajas[0].texto, QStringLiteral("¿Desea guardar los cambios de Marzo 2024?"));
  QStringList botones = cajas[0].textosBotones;
  botones.sort();
  EXPECT_EQ(botones, (QStringList{QStringLiteral("&Cancelar"), QStringLiteral("&Descartar"), QStringLiteral("&Guardar")}));
  EXPECT_TRUE(W()->isVisible());
  EXPECT_EQ(v->Estado(), EstadoDataSet::Edicion);
  EXPECT_EQ(NuloACeroMoneda(v->Valor("521")).Pesos(), 1500);
  EXPECT_EQ(Guardado(2024, 3), 0);
}

TEST_F(CambiosPendientes, GuardarGuardaYCierra) {
  Abrir({{2024, 3}});
  Escribir(QStringLiteral("1500"));
  // "&Salir" closes the window the same way.
  const std::vector<CajaVista> cajas = ResponderCajas(QMessageBox::Save, [&] { W()->MenuItemSalir->trigger(); });
  EXPECT_EQ(cajas.size(), 1u);
  EXPECT_FALSE(W()->isVisible());
  EXPECT_EQ(Guardado(2024, 3), 1500);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(CambiosPendientes, DescartarCierraSinGuardar) {
  Abrir({{2024, 3}});
  Escribir(QStringLiteral("1500"));
  const std::vector<CajaVista> cajas = ResponderCajas(QMessageBox::Discard, [&] { W()->close(); });
  EXPECT_EQ(cajas.size(), 1u);
  EXPECT_FALSE(W()->isVisible());
  EXPECT_EQ(Guardado(2024, 3), 0);
}

TEST_F(CambiosPendientes, SinCambiosNoPregunta) {
  Abrir({{2024, 3}});
  W()->MenuItemEditarAlcabala->trigger();
  const std::vector<CajaVista> cajas = ResponderCajas(QMessageBox::Cancel, [&] { W()->close(); });
  EXPECT_TRUE(cajas.empty());
  EXPECT_FALSE(W()->isVisible());
}

TEST_F(CambiosPendientes, CambiarDePeriodoGuardaYLoDiceLaLineaDeEstado) {
  Abrir({{2024, 2}, {2024, 3}});
  Escribir(QStringLiteral("2500"));
  ElegirMes(*v, QStringLiteral("Febrero"));
  EXPECT_EQ(v->Mes(), 2);
  EXPECT_EQ(Guardado(2024, 3), 2500);
  EXPECT_EQ(W()->statusBar()->currentMessage(), QStringLiteral("Se guardó Marzo 2024."));
  // A move with nothing to save says nothing new.
  W()->statusBar()->clearMessage();
  ElegirMes(*v, QStringLiteral("Marzo"));
  EXPECT_TRUE(W()->statusBar()->currentMessage().isEmpty());
}

TEST_F(CambiosPendientes, ControlReYAvPagRecorrenLosPeriodosGuardados) {
  Abrir({{2023, 12}, {2024, 1}, {2024, 3}});
  ASSERT_TRUE(W()->MenuItemPeriodoAnterior->isEnabled());
  EXPECT_EQ(W()->MenuItemPeriodoAnterior->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageUp));
  EXPECT_EQ(W()->MenuItemPeriodoSiguiente->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageDown));
  const struct {
    QAction* accion;
    int ano, mes;
  } pasos[] = {{W()->MenuItemPeriodoAnterior, 2024, 1},  {W()->MenuItemPeriodoAnterior, 2023, 12},
               {W()->MenuItemPeriodoAnterior, 2023, 12}, {W()->MenuItemPeriodoSiguiente, 2024, 1},
               {W()->MenuItemPeriodoSiguiente, 2024, 3}, {W()->MenuItemPeriodoSiguiente, 2024, 3}};
  for (const auto& paso : pasos) {
    paso.accion->trigger();
    EXPECT_EQ(v->Ano(), paso.ano);
    EXPECT_EQ(v->Mes(), paso.mes);
    EXPECT_EQ(W()->AnoActual, paso.ano);
    EXPECT_EQ(W()->Paginas->ComboBoxAno->currentText(), QString::number(paso.ano));
    EXPECT_EQ(W()->Paginas->ComboBoxMes->currentText(), NombreDelMes(paso.mes));
  }
  // The keys themselves, from a box of the form.
  Enfocar(v->Caja("521"));
  QTest::keyClick(v->Caja("521"), Qt::Key_PageUp, Qt::ControlModifier);
  EXPECT_EQ(v->Mes(), 1);
  W()->MenuItemCerrarArchivo->trigger();
  EXPECT_FALSE(W()->MenuItemPeriodoAnterior->isEnabled());
  EXPECT_FALSE(W()->MenuItemPeriodoSiguiente->isEnabled());
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

// The commands this program added to the specified menus each have a letter
// of their own there.
TEST_F(CambiosPendientes, LasOrdenesAgregadasTienenLetraPropia) {
  Abrir({{2024, 3}});
  const auto letra = [](const QAction* accion) {
    const QString texto = accion->text();
    const qsizetype y = texto.indexOf(QLatin1Char('&'));
    return y < 0 || y + 1 >= texto.size() ? QChar() : texto.at(y + 1).toUpper();
  };
  for (QAction* agregada : {W()->MenuItemCopiaAlcabala, W()->MenuItemAjustarImpresion, W()->MenuItemPeriodoAnterior,
                            W()->MenuItemPeriodoSiguiente}) {
    ASSERT_FALSE(letra(agregada).isNull()) << qPrintable(agregada->objectName());
    for (QAction* hermana : W()->MenuItemAlcabala->actions()) {
      if (hermana == agregada || hermana->isSeparator()) continue;
      EXPECT_NE(letra(hermana), letra(agregada))
          << qPrintable(agregada->objectName()) << " / " << qPrintable(hermana->objectName());
    }
  }
}
