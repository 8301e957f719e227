#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>

#include "general/errores.h"
#include "general/moneda.h"
#include "common/sql.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

const QStringList kEsquema = {
    "CREATE TABLE alcabalas (ano SMALLINT NOT NULL DEFAULT 0, mes SMALLINT NOT NULL DEFAULT 0, "
    "Cod20 CURRENCY NOT NULL DEFAULT 0)",
    "CREATE INDEX mes ON alcabalas (ano, mes)",
    "INSERT INTO alcabalas VALUES (2024, 3, 10000), (2024, 1, 20000), (2023, 12, 30000)"};

// A handler that doubles box 20 into a calculated field, counting its runs.
struct Doble {
  int llamadas = 0;
  void Definir(DataSet& ds) {
    ds.DefinirCalculados({{"Doble", TipoColumna::C, 0, true}}, [this](Registro& r) {
      ++llamadas;
      r.Asignar("Doble", QVariant::fromValue(Moneda::DesdeCrudo(r.Valor("Cod20").value<Moneda>().Crudo() * 2)));
    });
  }
};

class CopiasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ruta = carpeta.filePath("prueba.alc");
    prueba::EjecutarSql(ruta, kEsquema);
    conexion.Abrir(ruta);
    doble.Definir(ds);
    ds.Abrir();
    ASSERT_TRUE(ds.Buscar(2024, 1));
  }
  QTemporaryDir carpeta;
  QString ruta;
  Conexion conexion;
  DataSet ds{&conexion, "alcabalas", true};
  Doble doble;
};

}  // namespace

TEST_F(CopiasTest, CopiarNoMueveElCursorNiAvisa) {
  QSignalSpy desplazado(&ds, &DataSet::DespuesDeDesplazar);
  QSignalSpy cambiado(&ds, &DataSet::RegistroCambiado);
  const RegistroPlano actual = ds.CopiaRegistroActual();
  EXPECT_EQ(actual.Valor("mes").toInt(), 1);
  EXPECT_EQ(actual.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(4));
  // Rows in index order: 2023-12, 2024-01, 2024-03; each with its own calculation.
  const RegistroPlano ultima = ds.CopiaFila(2);
  EXPECT_EQ(ultima.Valor("mes").toInt(), 3);
  EXPECT_EQ(ultima.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(2));
  EXPECT_EQ(ultima.Campos(), (QStringList{"ano", "mes", "Cod20", "Doble"}));
  // The copy keeps each field's type, so a copy can be written out as the table declares it.
  ASSERT_EQ(ultima.Definiciones().size(), 4);
  EXPECT_EQ(ultima.Definiciones().at(2).tipo, TipoColumna::C);
  EXPECT_FALSE(ultima.Definiciones().at(2).calculado);
  EXPECT_TRUE(ultima.Definiciones().at(3).calculado);
  EXPECT_THROW(ds.CopiaFila(3), ErrorAlcabala);
  EXPECT_EQ(ds.Valor("mes").toInt(), 1);
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(4));
  EXPECT_EQ(desplazado.count(), 0);
  EXPECT_EQ(cambiado.count(), 0);
  EXPECT_THROW(ultima.Valor("Cod99"), ErrorAlcabala);
}

TEST_F(CopiasTest, LaCopiaDeUnaEdicionLlevaLoTecleadoSinGuardarlo) {
  ds.Editar();
  ds.Asignar("Cod20", QVariant::fromValue(Moneda::DesdePesos(7)));
  EXPECT_EQ(ds.CopiaRegistroActual().Valor("Doble").value<Moneda>(), Moneda::DesdePesos(14));
  EXPECT_EQ(ds.Estado(), EstadoDataSet::Edicion);
  // The row as stored still holds the old value.
  EXPECT_EQ(ds.CopiaFila(1).Valor("Cod20").value<Moneda>(), Moneda::DesdePesos(2));
}

TEST_F(CopiasTest, SuspensionDelRecalculoSeDeshaceAlSalirTambienConError) {
  ds.Editar();
  {
    RecalculoSuspendido suspension(ds);
    EXPECT_FALSE(ds.RecalculoAutomatico());
    const int antes = doble.llamadas;
    ds.Asignar("Cod20", QVariant::fromValue(Moneda::DesdePesos(9)));
    EXPECT_EQ(doble.llamadas, antes);
  }
  EXPECT_TRUE(ds.RecalculoAutomatico());
  try {
    RecalculoSuspendido suspension(ds);
    throw ErrorAlcabala("falla");
  } catch (const ErrorAlcabala&) {
  }
  EXPECT_TRUE(ds.RecalculoAutomatico());
  // A guard inside a suspended stretch leaves it suspended.
  ds.PonerRecalculoAutomatico(false);
  { RecalculoSuspendido interior(ds); }
  EXPECT_FALSE(ds.RecalculoAutomatico());
}

TEST_F(CopiasTest, FiltradoLeeSoloElAnoOElPeriodo) {
  DataSet ano(&conexion, "alcabalas", true);
  doble.Definir(ano);
  ano.PonerFiltro("ano = ?", {2024});
  ano.Abrir();
  ASSERT_EQ(ano.CantidadFilas(), 2);
  EXPECT_EQ(ano.CopiaFila(0).Valor("mes").toInt(), 1);
  EXPECT_EQ(ano.CopiaFila(1).Valor("mes").toInt(), 3);
  EXPECT_FALSE(ano.Buscar(2023, 12));

  DataSet periodo(&conexion, "alcabalas", true);
  periodo.PonerFiltro("ano = ? AND mes = ?", {2023, 12});
  periodo.Abrir();
  ASSERT_EQ(periodo.CantidadFilas(), 1);
  EXPECT_EQ(periodo.Valor("Cod20").value<Moneda>(), Moneda::DesdePesos(3));
  EXPECT_THROW(periodo.PonerFiltro("ano = ?", {2024}), ErrorAlcabala);  // open already
}
