// Moving between declarations with the year and month lists of the window.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "app/alcabalaprueba.h"
#include "app/periodos.h"

using namespace prueba;

namespace {

const QStringList kDosAnos{QStringLiteral("2024"), QStringLiteral("2023")};

// The user picks the next entry of a list with the keyboard.
void ElegirSiguiente(QComboBox* lista) { QTest::keyClick(lista, Qt::Key_Down); }

class Navegacion : public ::testing::Test {
 protected:
  Navegacion() : archivo({{2023, 11}, {2023, 12}, {2024, 3}}) {
    archivo.Poner(2023, 11, QStringLiteral("Cod521 = 1100000000"));
    archivo.Poner(2023, 12, QStringLiteral("Cod521 = 1200000000"));
    archivo.Poner(2024, 3, QStringLiteral("Cod521 = 300000000"));
    v = std::make_unique<VentanaPrueba>(archivo.ruta);
  }
  QComboBox* Anos() const { return (*v)->Paginas->ComboBoxAno; }
  QComboBox* Meses() const { return (*v)->Paginas->ComboBoxMes; }

  ErroresAnotados errores;
  ArchivoPrueba archivo;
  std::unique_ptr<VentanaPrueba> v;
};

}  // namespace

TEST_F(Navegacion, ElegirUnAnoMuestraSuUltimoMesYLuegoOtroMes) {
  ASSERT_EQ(v->Ano(), 2024);
  ASSERT_EQ(v->Mes(), 3);
  EXPECT_EQ(Entradas(Anos()), kDosAnos);
  EXPECT_EQ(Entradas(Meses()), QStringList{QStringLiteral("Marzo")});

  ElegirSiguiente(Anos());
  EXPECT_EQ(Anos()->currentText(), QStringLiteral("2023"));
  EXPECT_EQ(Entradas(Meses()), (QStringList{QStringLiteral("Diciembre"), QStringLiteral("Noviembre")}));
  EXPECT_EQ(Meses()->currentText(), QStringLiteral("Diciembre"));
  EXPECT_EQ((*v)->AnoActual, 2023);
  EXPECT_EQ((*v)->MesActual, 12);
  EXPECT_EQ(v->Ano(), 2023);
  EXPECT_EQ(v->Mes(), 12);
  EXPECT_EQ(v->Caja("521")->text(), FormatoGrupos(Moneda::DesdePesos(120000), QLocale::system()));

  ElegirSiguiente(Meses());
  EXPECT_EQ((*v)->MesActual, 11);
  EXPECT_EQ(v->Mes(), 11);
  EXPECT_EQ(v->Caja("521")->text(), FormatoGrupos(Moneda::DesdePesos(110000), QLocale::system()));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Navegacion, SeleccionarDesdeElProgramaNoMueve) {
  QSignalSpy movimientos((*v)->ADODataSetAlcabala, &DataSet::DespuesDeDesplazar);
  SeleccionarItemComboBoxAno(Anos(), 2023);
  Anos()->setCurrentIndex(1);
  Meses()->setCurrentIndex(0);
  EXPECT_EQ(movimientos.count(), 0);
  EXPECT_EQ(v->Ano(), 2024);
  EXPECT_EQ((*v)->AnoActual, 2024);
}

TEST_F(Navegacion, MesOAnoCeroNoSeleccionaNada) {
  SeleccionarItemComboBoxMes(Meses(), 0);
  EXPECT_EQ(Meses()->currentIndex(), -1);
  EXPECT_EQ(Meses()->currentText(), QString());
  SeleccionarItemComboBoxAno(Anos(), 0);
  EXPECT_EQ(Anos()->currentIndex(), -1);
  EXPECT_EQ(Anos()->currentText(), QString());
}

TEST_F(Navegacion, MoverseEditandoGuardaLosCambiosSinCopiarAlContribuyente) {
  archivo.PonerContribuyente(QStringLiteral("Calle = 'Prat'"));
  (*v)->AbrirArchivoAlcabala(archivo.ruta);
  (*v)->MenuItemEditarAlcabala->trigger();
  // Box 583 ticked: the taxpayer's street comes into box 06, which the user changes.
  QTest::mouseClick((*v)->Paginas->Casilla(QStringLiteral("583")), Qt::LeftButton);
  ASSERT_EQ(v->Caja("06")->text(), QStringLiteral("Prat"));
  Enfocar(v->Caja("06"));
  Teclear(v->Caja("06"), QStringLiteral("Bulnes"));
  Enfocar(v->Caja("521"));
  Teclear(v->Caja("521"), QStringLiteral("777"));
  // Picking the year takes the focus off the box: its value reaches the field.
  Anos()->setFocus(Qt::MouseFocusReason);
  ElegirSiguiente(Anos());

  EXPECT_EQ(v->Ano(), 2023);
  EXPECT_EQ(v->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(Pesos(archivo.Leer(2024, 3, QStringLiteral("Cod521"))), 777);
  EXPECT_EQ(archivo.Leer(2024, 3, QStringLiteral("Cod06")).toString().trimmed(), QStringLiteral("Bulnes"));
  EXPECT_EQ(archivo.Leer(2024, 3, QStringLiteral("Cod583")).toInt(), 1);
  EXPECT_EQ(EscalarSql(archivo.ruta, QStringLiteral("SELECT Calle FROM contribuyente")).toString().trimmed(),
            QStringLiteral("Prat"));

  // The boxes stay on; typing puts the declaration shown into edit again.
  EXPECT_TRUE(v->Caja("521")->isEnabled());
  EXPECT_FALSE((*v)->MenuItemGuardarAlcabala->isEnabled());
  Enfocar(v->Caja("521"));
  Teclear(v->Caja("521"), QStringLiteral("5"));
  EXPECT_EQ(v->Estado(), EstadoDataSet::Edicion);
  EXPECT_TRUE((*v)->MenuItemGuardarAlcabala->isEnabled());
  EXPECT_EQ((*v)->MenuItemEditarAlcabala->text(), QStringLiteral("&Cancelar Edición"));
  (*v)->MenuItemGuardarAlcabala->trigger();
  EXPECT_EQ(Pesos(archivo.Leer(2023, 12, QStringLiteral("Cod521"))), 5);
  EXPECT_FALSE(v->Caja("521")->isEnabled());
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Navegacion, MoverseEditandoSinCambiosCancelaLaEdicion) {
  (*v)->MenuItemEditarAlcabala->trigger();
  QSignalSpy guardados((*v)->ADODataSetAlcabala, &DataSet::DespuesDeGuardar);
  QSignalSpy cancelados((*v)->ADODataSetAlcabala, &DataSet::DespuesDeCancelar);
  ElegirSiguiente(Anos());
  EXPECT_EQ(v->Ano(), 2023);
  EXPECT_EQ(guardados.count(), 0);
  EXPECT_EQ(cancelados.count(), 1);
}

TEST_F(Navegacion, SiElGuardadoFallaTodoSigueEnLaDeclaracionEditada) {
  (*v)->ADOConnectionAlcabala->PonerTiempoEspera(50);
  (*v)->AbrirArchivoAlcabala(archivo.ruta);
  (*v)->MenuItemEditarAlcabala->trigger();
  Enfocar(v->Caja("521"));
  Teclear(v->Caja("521"), QStringLiteral("888"));
  Anos()->setFocus(Qt::MouseFocusReason);
  {
    // Another program holds the file's write lock.
    QSqlDatabase otra = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bloqueo"));
    otra.setDatabaseName(archivo.ruta);
    ASSERT_TRUE(otra.open());
    QSqlQuery bloqueo(otra);
    ASSERT_TRUE(bloqueo.exec(QStringLiteral("BEGIN IMMEDIATE")));
    ElegirSiguiente(Anos());
    ASSERT_TRUE(bloqueo.exec(QStringLiteral("ROLLBACK")));
    otra.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("bloqueo"));
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(v->Estado(), EstadoDataSet::Edicion);
  EXPECT_EQ(NuloACeroMoneda(v->Valor("521")).Pesos(), 888);
  // The lists and the current period still name the declaration shown.
  EXPECT_EQ(v->Ano(), 2024);
  EXPECT_EQ((*v)->AnoActual, 2024);
  EXPECT_EQ((*v)->MesActual, 3);
  EXPECT_EQ(Anos()->currentText(), QStringLiteral("2024"));
  EXPECT_EQ(Entradas(Meses()), QStringList{QStringLiteral("Marzo")});
  EXPECT_EQ(Meses()->currentText(), QStringLiteral("Marzo"));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  // With the lock gone, saving works.
  (*v)->MenuItemGuardarAlcabala->trigger();
  EXPECT_EQ(Pesos(archivo.Leer(2024, 3, QStringLiteral("Cod521"))), 888);
}

TEST(NavegacionUnica, UnSoloPeriodoVuelveAlMismo) {
  ErroresAnotados errores;
  ArchivoPrueba archivo({{2024, 1}});
  VentanaPrueba v(archivo.ruta);
  EXPECT_EQ(Entradas(v->Paginas->ComboBoxAno), QStringList{QStringLiteral("2024")});
  EXPECT_EQ(Entradas(v->Paginas->ComboBoxMes), QStringList{QStringLiteral("Enero")});
  emit v->Paginas->ComboBoxAno->activated(0);
  emit v->Paginas->ComboBoxMes->activated(0);
  EXPECT_EQ(v.Ano(), 2024);
  EXPECT_EQ(v.Mes(), 1);
  EXPECT_EQ(v->Paginas->ComboBoxMes->currentText(), QStringLiteral("Enero"));
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}
