#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "common/locales.h"
#include "app/controles/cajas.h"
#include "app/controles/comando.h"
#include "common/erroresanotados.h"
#include "app/paginas.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/valores.h"
#include "storage/dataset.h"

namespace {

using prueba::ErroresAnotados;

using prueba::Chile;
using prueba::EEUU;

// A declaration row held in memory, with one field of each kind.
std::unique_ptr<DataSet> DeclaracionEnMemoria() {
  using TC = TipoColumna;
  auto ds = std::make_unique<DataSet>(
      QList<DefinicionCampo>{{QStringLiteral("Cod20"), TC::C, 0, false},
                             {QStringLiteral("Cod115"), TC::F, 0, false},
                             {QStringLiteral("Cod110"), TC::L, 0, false},
                             {QStringLiteral("Cod585"), TC::S, 0, false},
                             {QStringLiteral("Cod313"), TC::L, 0, false},
                             {QStringLiteral("Cod09"), TC::L, 0, false},
                             {QStringLiteral("Cod610"), TC::W, 10, false},
                             {QStringLiteral("Cod53"), TC::S, 0, false},
                             {QStringLiteral("Cod583"), TC::B, 0, false}},
      QString());
  ds->Abrir();
  ds->Agregar();
  ds->Asignar(QStringLiteral("Cod20"), QVariant::fromValue(Moneda::DesdePesos(1234567)));
  ds->Asignar(QStringLiteral("Cod115"), QVariant(12.5f));
  ds->Asignar(QStringLiteral("Cod313"), QVariant(12345678));
  ds->Asignar(QStringLiteral("Cod53"), QVariant(13));
  ds->Guardar();
  return ds;
}

// A window holding one box and a second widget to move the focus to.
struct Ventana {
  Ventana() {
    ventana.resize(300, 80);
    otro = new QLineEdit(&ventana);
    otro->move(0, 40);
  }
  void Mostrar() {
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
  }
  QWidget ventana;
  QLineEdit* otro = nullptr;
};

}  // namespace

TEST(CajaEdicion, MuestraAgrupadoYEditaPlano) {
  auto ds = DeclaracionEnMemoria();
  Ventana v;
  auto* caja = new CajaEdicion(Presentacion::Grupos, Chile, &v.ventana);
  caja->Enlazar(ds.get(), QStringLiteral("Cod20"));
  EXPECT_EQ(caja->text(), QStringLiteral("1.234.567"));
  EXPECT_TRUE(caja->alignment() & Qt::AlignRight);
  v.Mostrar();
  caja->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(caja->hasFocus());
  EXPECT_EQ(caja->text(), QStringLiteral("1234567"));
  v.otro->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(caja->text(), QStringLiteral("1.234.567"));
  // Unbinding shows an empty box.
  caja->Enlazar(nullptr, QString());
  EXPECT_EQ(caja->text(), QString());
}

TEST(CajaEdicion, EscribirPoneEnEdicionYGuardaAlSalir) {
  auto ds = DeclaracionEnMemoria();
  ErroresAnotados errores;
  Ventana v;
  auto* caja = new CajaEdicion(Presentacion::Grupos, Chile, &v.ventana);
  caja->Enlazar(ds.get(), QStringLiteral("Cod110"));
  EXPECT_EQ(caja->text(), QString());  // 0 shows nothing
  QSignalSpy salida(caja, &CajaEdicion::Salida);
  v.Mostrar();
  caja->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(caja->text(), QStringLiteral("0"));
  caja->selectAll();
  QTest::keyClicks(caja, QStringLiteral("2500"));
  EXPECT_EQ(ds->Estado(), EstadoDataSet::Edicion);
  v.otro->setFocus();
  QApplication::processEvents();
  EXPECT_TRUE(errores.textos.isEmpty());
  EXPECT_EQ(NuloACeroEntero(ds->Valor(QStringLiteral("Cod110"))), 2500);
  EXPECT_EQ(caja->text(), QStringLiteral("2.500"));
  EXPECT_EQ(salida.count(), 1);
}

TEST(CajaEdicion, UnValorQueNoCabeSeRechazaYElTextoQueda) {
  auto ds = DeclaracionEnMemoria();
  ErroresAnotados errores;
  Ventana v;
  auto* caja = new CajaEdicion(Presentacion::Grupos, Chile, &v.ventana);
  caja->Enlazar(ds.get(), QStringLiteral("Cod110"));
  QSignalSpy salida(caja, &CajaEdicion::Salida);
  v.Mostrar();
  caja->setFocus();
  QApplication::processEvents();
  caja->selectAll();
  QTest::keyClicks(caja, QStringLiteral("3000000000"));
  v.otro->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(errores.textos[0].contains(QStringLiteral("no cabe"))) << errores.textos[0].toStdString();
  EXPECT_EQ(caja->text(), QStringLiteral("3000000000"));
  EXPECT_EQ(NuloACeroEntero(ds->Valor(QStringLiteral("Cod110"))), 0);
  EXPECT_EQ(salida.count(), 0);
  QApplication::processEvents();
  EXPECT_TRUE(caja->hasFocus());  // back for the user to mend
}

TEST(CajaEdicion, ElLargoMaximoLimitaLoTecleadoNoLoMostrado) {
  auto ds = DeclaracionEnMemoria();
  ds->Editar();
  ds->Asignar(QStringLiteral("Cod20"), QVariant::fromValue(Moneda::DesdePesos(999999999)));
  Ventana v;
  auto* caja = new CajaEdicion(Presentacion::Grupos, Chile, &v.ventana);
  caja->PonerLargoMaximo(9);
  caja->Enlazar(ds.get(), QStringLiteral("Cod20"));
  EXPECT_EQ(caja->text(), QStringLiteral("999.999.999"));
  v.Mostrar();
  caja->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(caja->text(), QStringLiteral("999999999"));
  caja->selectAll();
  QTest::keyClicks(caja, QStringLiteral("12345678901"));
  EXPECT_EQ(caja->text(), QStringLiteral("123456789"));
  v.otro->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(caja->text(), QStringLiteral("123.456.789"));
}

TEST(CajaEdicion, FiltroDeTeclasComoGancho) {
  auto ds = DeclaracionEnMemoria();
  Ventana v;
  auto* caja = new CajaEdicion(Presentacion::GruposDecimal, Chile, &v.ventana);
  caja->Enlazar(ds.get(), QStringLiteral("Cod115"));
  caja->filtroTeclas = [](const QString& texto, QChar tecla, int) { return TeclaDecimal(texto, tecla, Chile); };
  v.Mostrar();
  caja->setFocus();
  QApplication::processEvents();
  caja->selectAll();
  QTest::keyClicks(caja, QStringLiteral("1a.5."));
  EXPECT_EQ(caja->text(), QStringLiteral("1,5"));
  v.otro->setFocus();
  QApplication::processEvents();
  EXPECT_FLOAT_EQ(ds->Valor(QStringLiteral("Cod115")).toFloat(), 1.5f);
  EXPECT_EQ(caja->text(), QStringLiteral("1,5"));
}

TEST(CajaEdicion, SinDeclaracionNoSeEscribe) {
  auto ds = std::make_unique<DataSet>(QList<DefinicionCampo>{{QStringLiteral("Cod20"), TipoColumna::C, 0, false}},
                                      QString());
  ds->Abrir();
  Ventana v;
  auto* caja = new CajaEdicion(Presentacion::Grupos, Chile, &v.ventana);
  caja->Enlazar(ds.get(), QStringLiteral("Cod20"));
  v.Mostrar();
  caja->setFocus();
  QApplication::processEvents();
  QTest::keyClicks(caja, QStringLiteral("12"));
  EXPECT_EQ(caja->text(), QString());
  EXPECT_EQ(ds->Estado(), EstadoDataSet::Consulta);
}

TEST(CajaEdicion, RutYTelefono) {
  auto ds = DeclaracionEnMemoria();
  CajaEdicion rut(Presentacion::Rut, Chile);
  rut.Enlazar(ds.get(), QStringLiteral("Cod313"));
  EXPECT_EQ(rut.text(), QStringLiteral("12345678-5"));
  EXPECT_TRUE(rut.alignment() & Qt::AlignLeft);
  CajaEdicion telefono(Presentacion::Telefono, Chile);
  telefono.Enlazar(ds.get(), QStringLiteral("Cod09"));
  EXPECT_EQ(telefono.text(), QString());
  ds->Editar();
  ds->Asignar(QStringLiteral("Cod09"), QVariant(2123456));
  EXPECT_EQ(telefono.text(), QStringLiteral("2123456"));
  ds->Cancelar();
  EXPECT_EQ(telefono.text(), QString());
}

TEST(ListaDatos, MuestraElItemGuardadoONinguno) {
  auto ds = DeclaracionEnMemoria();
  ListaDatos lista({1, 2, 3, 4, 5, 13, 6, 7, 8, 9, 10, 11, 12});
  lista.Enlazar(ds.get(), QStringLiteral("Cod53"));
  EXPECT_EQ(lista.currentText(), QStringLiteral("13"));
  EXPECT_EQ(lista.currentIndex(), 5);
  ds->Editar();
  ds->Asignar(QStringLiteral("Cod53"), QVariant(0));
  EXPECT_EQ(lista.currentIndex(), -1);
  QSignalSpy cambio(&lista, &ListaDatos::Cambiada);
  emit lista.activated(2);
  EXPECT_EQ(NuloACeroEntero(ds->Valor(QStringLiteral("Cod53"))), 3);
  ASSERT_EQ(cambio.count(), 1);
  EXPECT_EQ(cambio[0][0].toInt(), 3);
}

TEST(CasillaDatos, SigueAlCampoYLoEscribe) {
  auto ds = DeclaracionEnMemoria();
  CasillaDatos casilla;
  casilla.Enlazar(ds.get(), QStringLiteral("Cod583"));
  EXPECT_FALSE(casilla.isChecked());
  QSignalSpy cambio(&casilla, &CasillaDatos::Cambiada);
  casilla.click();
  EXPECT_EQ(ds->Estado(), EstadoDataSet::Edicion);
  EXPECT_TRUE(NuloAFalso(ds->Valor(QStringLiteral("Cod583"))));
  EXPECT_EQ(cambio.count(), 1);
  ds->Cancelar();
  EXPECT_FALSE(casilla.isChecked());
  EXPECT_EQ(cambio.count(), 2);  // every change of state is told
}

TEST(PaginasFormulario, EnlazaCadaCajaConSuDataSet) {
  auto ds = DeclaracionEnMemoria();
  auto contribuyente = std::make_unique<DataSet>(
      QList<DefinicionCampo>{{QStringLiteral("RUT"), TipoColumna::L, 0, false},
                             {QStringLiteral("ApellidoPaternoRazonSocial"), TipoColumna::W, 50, false},
                             {QStringLiteral("ApellidoMaterno"), TipoColumna::W, 50, false},
                             {QStringLiteral("nombres"), TipoColumna::W, 50, false}},
      QString());
  contribuyente->Abrir();
  contribuyente->Agregar();
  contribuyente->Asignar(QStringLiteral("RUT"), QVariant(7654321));
  contribuyente->Asignar(QStringLiteral("ApellidoPaternoRazonSocial"), QStringLiteral("Empresa"));
  contribuyente->Guardar();
  QWidget anverso, reverso;
  PaginasFormulario p(&anverso, &reverso, Chile);
  p.Enlazar(ds.get(), contribuyente.get());
  EXPECT_EQ(p.Edicion(QStringLiteral("20"))->text(), QStringLiteral("1.234.567"));
  EXPECT_EQ(p.Edicion(QStringLiteral("115"))->text(), QStringLiteral("12,5"));
  EXPECT_EQ(p.Edicion(QStringLiteral("03"))->text(), QStringLiteral("7654321-6"));
  EXPECT_EQ(p.Edicion(QStringLiteral("01"))->text(), QStringLiteral("Empresa"));
  EXPECT_EQ(p.Edicion(QStringLiteral("313"))->text(), QStringLiteral("12345678-5"));
  EXPECT_EQ(p.Lista(QStringLiteral("53"))->currentText(), QStringLiteral("13"));
  EXPECT_EQ(p.Edicion(QStringLiteral("538"))->text(), QString());  // no such field here
  p.Desenlazar();
  EXPECT_EQ(p.Edicion(QStringLiteral("20"))->text(), QString());
  EXPECT_EQ(p.Edicion(QStringLiteral("03"))->text(), QString());
  EXPECT_EQ(p.Lista(QStringLiteral("53"))->currentIndex(), -1);
}
