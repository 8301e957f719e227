#include <gtest/gtest.h>

#include <QSet>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "reports/empresas_prueba.h"
#include "reports/tablaempresas.h"

namespace {

const QLocale kChile(QLocale::Spanish, QLocale::Chile);
const QLocale kEeuu(QLocale::English, QLocale::UnitedStates);

TEST(TablaEmpresasTest, CamposDeAmbasTablasNombreYCalculados) {
  TablaEmpresas tabla(kChile);
  const DataSet& datos = tabla.ClientDataSetAlcabalas();
  QSet<QString> nombres;
  for (const DefinicionCampo& campo : datos.Campos()) nombres.insert(campo.nombre);
  EXPECT_EQ(nombres.size(), datos.Campos().size()) << "a field name repeats";
  for (const ColumnaTabla& c : ColumnasAlcabalas()) {
    const DefinicionCampo* campo = datos.FindField(c.nombre);
    ASSERT_NE(campo, nullptr) << c.nombre.toStdString();
    EXPECT_EQ(campo->tipo, c.tipo);
    EXPECT_FALSE(campo->calculado);
  }
  for (const ColumnaTabla& c : ColumnasContribuyente()) ASSERT_NE(datos.FindField(c.nombre), nullptr);
  for (const DefinicionCampo& c : CamposCalculadosAlcabala()) {
    ASSERT_NE(datos.FindField(c.nombre), nullptr);
    EXPECT_TRUE(datos.FindField(c.nombre)->calculado);
  }
  ASSERT_NE(datos.FindField("nombre"), nullptr);
  EXPECT_EQ(datos.FindField("nombre")->tamano, 150);
  EXPECT_FALSE(datos.Activo());
}

// One row in a table opened for a command.
class TablaConFila : public ::testing::Test {
 protected:
  void Fila(const QList<QPair<QString, QVariant>>& valores) {
    DataSet& datos = tabla.ClientDataSetAlcabalas();
    datos.Agregar();
    for (const auto& par : valores) datos.Asignar(par.first, par.second);
    datos.Guardar();
  }
  QString Texto(const QString& campo) { return tabla.TextoMostrado(campo); }

  TablaEmpresas tabla{kChile};
  UsoTablaEmpresas uso{tabla};
};

TEST_F(TablaConFila, TextosComoLosImprimenLasListas) {
  Fila({{"Cod502", QVariant::fromValue(Moneda::DesdePesos(1234567))},
        {"Cod563", QVariant()},
        {"Cod115", 1.5f},
        {"RUT", 12345678},
        {"RUTContador", 0},
        {"RUTRepresentanteLegal", 7654321},
        {"telefono", 221234},
        {"fax", 0},
        {"region", 9},
        {"nombre", "Pérez Soto, Ana María"}});
  EXPECT_EQ(Texto("Cod502"), "1234567");  // plain digits, no grouping
  EXPECT_EQ(Texto("Cod538"), "1234567");  // a calculated amount
  EXPECT_EQ(Texto("Cod537"), "0");        // zero prints 0
  EXPECT_EQ(Texto("Cod563"), "");         // an empty box prints nothing
  EXPECT_EQ(Texto("Cod504"), "");
  EXPECT_EQ(Texto("Cod115"), "1,5");
  EXPECT_EQ(Texto("RUT"), "12345678-5");
  EXPECT_EQ(Texto("RUTContador"), "");
  EXPECT_EQ(Texto("RUTRepresentanteLegal"), "7654321-6");
  EXPECT_EQ(Texto("telefono"), "221234");
  EXPECT_EQ(Texto("fax"), "");            // "#" prints nothing for 0
  EXPECT_EQ(Texto("TelefonoCelular"), "");
  EXPECT_EQ(Texto("region"), "9");
  EXPECT_EQ(Texto("nombre"), "Pérez Soto, Ana María");
  EXPECT_EQ(Texto("NombreMes"), "");      // no month yet
  EXPECT_THROW(Texto("NoExiste"), ErrorAlcabala);
}

TEST(TablaEmpresasTest, TasaConElSeparadorDelLocale) {
  const DefinicionCampo tasa{"Cod115", TipoColumna::F, 0, false};
  EXPECT_EQ(TextoMostradoEmpresas(tasa, 0.25f, kChile), "0,25");
  EXPECT_EQ(TextoMostradoEmpresas(tasa, 0.25f, kEeuu), "0.25");
  EXPECT_EQ(TextoMostradoEmpresas(tasa, 0.3f, kEeuu), "0.3");  // not the widened single
  EXPECT_EQ(TextoMostradoEmpresas(tasa, 0.0f, kEeuu), "0");
  const DefinicionCampo monto{"Cod62", TipoColumna::C, 0, false};
  EXPECT_EQ(TextoMostradoEmpresas(monto, QVariant::fromValue(Moneda::DesdePesos(1234567)), kEeuu), "1234567");
  EXPECT_EQ(TextoMostradoEmpresas(monto, QVariant::fromValue(Moneda::DesdePesos(-1500)), kChile), "-1500");
  EXPECT_EQ(TextoMostradoEmpresas(monto, QVariant::fromValue(Moneda::DesdeCrudo(15000)), kChile), "2");
}

TEST(TablaEmpresasTest, OrdenPorNombreComoLoEsperaUnLectorEnEspanol) {
  TablaEmpresas tabla(kChile);
  UsoTablaEmpresas uso(tabla);
  DataSet& datos = tabla.ClientDataSetAlcabalas();
  int rut = 1;
  for (const char* nombre : {"Zapata", "Ñandú", "Osorno", "alfa", "Nuñez", "Alfa", "Árbol", "Ñandú"}) {
    datos.Agregar();
    datos.Asignar("nombre", QString::fromUtf8(nombre));
    datos.Asignar("RUT", rut++);
    datos.Guardar();
  }
  QStringList orden;
  for (const auto& fila : prueba::Filas(tabla, {"nombre", "RUT"})) orden << fila.join(" ");
  // Ñ is a letter of its own after N; upper and lower case stay apart; equal
  // names keep the order they were added in.
  EXPECT_EQ(orden, QStringList({"alfa 4-3", "Alfa 6-K", "Árbol 7-8", "Nuñez 5-1", "Ñandú 2-7", "Ñandú 8-6",
                                "Osorno 3-5", "Zapata 1-9"}))
      << orden.join(" | ").toStdString();
}

TEST(TablaEmpresasTest, UsoVaciaYCierraTambienAlFallar) {
  TablaEmpresas tabla(kChile);
  try {
    UsoTablaEmpresas uso(tabla);
    DataSet& datos = tabla.ClientDataSetAlcabalas();
    datos.Agregar();
    datos.Asignar("nombre", "Uno");
    datos.Guardar();
    datos.Agregar();
    datos.Asignar("ano", 1 << 20);  // does not fit: the command fails mid-row
    FAIL() << "the assignment should fail";
  } catch (const ErrorAlcabala&) {
  }
  EXPECT_FALSE(tabla.ClientDataSetAlcabalas().Activo());
  UsoTablaEmpresas otra(tabla);
  EXPECT_TRUE(tabla.ClientDataSetAlcabalas().EstaVacio());
}

}  // namespace
