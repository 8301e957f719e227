#include <gtest/gtest.h>

#include <QHash>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "general/errores.h"
#include "general/moneda.h"
#include "common/sql.h"
#include "general/disposicioncampos.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

// A small declarations-like table with every column type of the file format.
const QStringList kEsquema = {
    "CREATE TABLE alcabalas (ano SMALLINT NOT NULL DEFAULT 0, mes SMALLINT NOT NULL DEFAULT 0, "
    "Cod20 CURRENCY NOT NULL DEFAULT 0, Cod110 INTEGER NOT NULL DEFAULT 0, Cod115 REAL NOT NULL DEFAULT 0, "
    "Cod583 BOOLEAN NOT NULL DEFAULT 0, Cod06 NCHAR(10) NOT NULL DEFAULT '', Cod760 CURRENCY DEFAULT 0)",
    "CREATE INDEX mes ON alcabalas (ano, mes)"};

class DataSetTablaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ruta = carpeta.filePath("prueba.alc");
    prueba::EjecutarSql(ruta, kEsquema);
  }
  void Insertar(int ano, int mes, qint64 cod20Crudo = 0) {
    prueba::EjecutarSql(ruta, {QString("INSERT INTO alcabalas (ano, mes, Cod20) VALUES (%1, %2, %3)")
                                   .arg(ano).arg(mes).arg(cod20Crudo)});
  }
  QTemporaryDir carpeta;
  QString ruta;
  Conexion conexion;
};

QString Periodo(const DataSet& ds) {
  return QString("%1-%2").arg(ds.Valor("ano").toInt()).arg(ds.Valor("mes").toInt(), 2, 10, QChar('0'));
}

TEST_F(DataSetTablaTest, LasFilasVienenEnOrdenDelIndice) {
  Insertar(2009, 12);
  Insertar(2010, 1);
  Insertar(2009, 11);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  QStringList vistos;
  for (ds.Primero(); !ds.Eof(); ds.Siguiente()) vistos << Periodo(ds);
  EXPECT_EQ(vistos, QStringList({"2009-11", "2009-12", "2010-01"}));
  ds.Ultimo();
  EXPECT_EQ(Periodo(ds), "2010-01");
  EXPECT_TRUE(ds.Eof());
  EXPECT_FALSE(ds.Bof());
}

TEST_F(DataSetTablaTest, SinOrdenSeLeenEnOrdenDeInsercion) {
  Insertar(2009, 12);
  Insertar(2009, 11);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", false);
  ds.Abrir();
  EXPECT_EQ(Periodo(ds), "2009-12");
}

TEST_F(DataSetTablaTest, BuscarEncuentraONoSeMueve) {
  Insertar(2023, 11);
  Insertar(2023, 12);
  Insertar(2024, 3);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  EXPECT_TRUE(ds.Buscar(2023, 12));
  EXPECT_EQ(Periodo(ds), "2023-12");
  EXPECT_FALSE(ds.Buscar(2024, 1));
  EXPECT_EQ(Periodo(ds), "2023-12");
  EXPECT_TRUE(ds.Buscar(2024, 3));
  EXPECT_EQ(Periodo(ds), "2024-03");
}

TEST_F(DataSetTablaTest, TiposDeLosCamposYValoresLeidos) {
  prueba::EjecutarSql(ruta, {"INSERT INTO alcabalas (ano, mes, Cod20, Cod110, Cod115, Cod583, Cod06, Cod760) "
                             "VALUES (2024, 1, 12345670000, 70000, 12.5, 1, 'Calle', NULL)"});
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  ASSERT_NE(ds.FindField("Cod06"), nullptr);
  EXPECT_EQ(ds.FindField("Cod06")->tipo, TipoColumna::W);
  EXPECT_EQ(ds.FindField("Cod06")->tamano, 10);
  EXPECT_EQ(ds.FindField("ano")->tipo, TipoColumna::S);
  EXPECT_EQ(ds.FindField("Cod110")->tipo, TipoColumna::L);
  EXPECT_EQ(ds.FindField("Cod115")->tipo, TipoColumna::F);
  EXPECT_EQ(ds.FindField("Cod583")->tipo, TipoColumna::B);
  EXPECT_EQ(ds.FindField("cod06"), nullptr);  // names are case-sensitive

  EXPECT_EQ(ds.Valor("Cod20").value<Moneda>(), Moneda::DesdePesos(1234567));
  EXPECT_EQ(ds.Valor("Cod110").metaType().id(), QMetaType::Int);
  EXPECT_EQ(ds.Valor("Cod110").toInt(), 70000);
  EXPECT_EQ(ds.Valor("Cod115").metaType().id(), QMetaType::Float);
  EXPECT_EQ(ds.Valor("Cod115").toFloat(), 12.5f);
  EXPECT_EQ(ds.Valor("Cod583").toBool(), true);
  EXPECT_EQ(ds.Valor("Cod06").toString(), "Calle     ");
  EXPECT_FALSE(ds.Valor("Cod760").isValid());  // null
  EXPECT_THROW(ds.Valor("Cod999"), ErrorAlcabala);
}

TEST_F(DataSetTablaTest, AgregarTomaLosPredeterminadosYGuardarReleeLoAlmacenado) {
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  EXPECT_TRUE(ds.EstaVacio());
  QSignalSpy guardado(&ds, &DataSet::DespuesDeGuardar);
  ds.Agregar();
  EXPECT_EQ(ds.Estado(), EstadoDataSet::Insercion);
  EXPECT_EQ(ds.Valor("Cod20").value<Moneda>(), Moneda());
  EXPECT_EQ(ds.Valor("Cod583").toBool(), false);
  EXPECT_EQ(ds.Valor("Cod06").toString(), "");
  ds.Asignar("ano", 2024);
  ds.Asignar("mes", 2);
  ds.Asignar("Cod115", 0.1);
  ds.Asignar("Cod06", "Una calle muy larga");
  EXPECT_TRUE(ds.Modificado());
  ds.Guardar();
  EXPECT_EQ(guardado.count(), 1);
  EXPECT_EQ(ds.Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(ds.Valor("Cod06").toString(), "Una calle ");  // cut to 10, as stored
  EXPECT_EQ(ds.Valor("Cod115").toFloat(), 0.1f);
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod06 FROM alcabalas").toString(), "Una calle ");
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod115 FROM alcabalas").toDouble(), static_cast<double>(0.1f));
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod760 FROM alcabalas").toLongLong(), 0);
}

TEST_F(DataSetTablaTest, LosMontosSeGuardanComoEnteroEscalado) {
  Insertar(2024, 1);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  ds.Editar();
  ds.Asignar("Cod20", QVariant::fromValue(Moneda::DesdePesos(1234567)));
  ds.Guardar();
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod20 FROM alcabalas").toLongLong(), 12345670000LL);
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT typeof(Cod20) FROM alcabalas").toString(), "integer");
}

TEST_F(DataSetTablaTest, TextoFijoNoCreceAlCopiarloYGuardarlo) {
  prueba::EjecutarSql(ruta, {"INSERT INTO alcabalas (ano, mes, Cod06) VALUES (2024, 1, 'Calle')"});
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  for (int vuelta = 0; vuelta < 3; ++vuelta) {
    const QString leido = ds.Valor("Cod06").toString();
    ds.Editar();
    ds.Asignar("Cod06", leido);
    ds.Guardar();
  }
  EXPECT_EQ(ds.Valor("Cod06").toString(), "Calle     ");
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT length(Cod06) FROM alcabalas").toInt(), 10);
}

TEST_F(DataSetTablaTest, ValoresQueNoCabenSonErrorSinTruncar) {
  Insertar(2024, 1);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  ds.Editar();
  EXPECT_THROW(ds.Asignar("mes", 70000), ErrorAlcabala);
  EXPECT_THROW(ds.Asignar("Cod110", 5000000000LL), ErrorAlcabala);
  EXPECT_THROW(ds.Asignar("Cod110", "doce"), ErrorAlcabala);
  EXPECT_EQ(ds.Valor("mes").toInt(), 1);
  ds.Asignar("Cod110", -2147483647 - 1);
  ds.Asignar("mes", "  12 ");
  ds.Guardar();
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod110 FROM alcabalas").toLongLong(), -2147483648LL);
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT mes FROM alcabalas").toInt(), 12);
}

TEST_F(DataSetTablaTest, AsignarSinEditarEsError) {
  Insertar(2024, 1);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  EXPECT_THROW(ds.Valor("ano"), ErrorAlcabala);  // closed
  ds.Abrir();
  EXPECT_THROW(ds.Asignar("Cod20", 5), ErrorAlcabala);
  EXPECT_FALSE(ds.Modificado());
}

TEST_F(DataSetTablaTest, UnGuardadoFallidoConservaLaEdicionYLosValores) {
  Insertar(2024, 1);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  ds.Editar();
  ds.Asignar("Cod20", 1000);
  ds.Asignar("Cod06", QVariant());  // NOT NULL: the file refuses it
  QSignalSpy guardado(&ds, &DataSet::DespuesDeGuardar);
  try {
    ds.Guardar();
    FAIL() << "guardó un nulo en una columna NOT NULL";
  } catch (const ErrorAlcabala& e) {
    EXPECT_TRUE(e.Mensaje().contains("NOT NULL")) << e.Mensaje().toStdString();
  }
  EXPECT_EQ(guardado.count(), 0);
  EXPECT_EQ(ds.Estado(), EstadoDataSet::Edicion);
  EXPECT_TRUE(ds.Modificado());
  EXPECT_EQ(ds.Valor("Cod20").value<Moneda>(), Moneda::DesdePesos(1000));
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod20 FROM alcabalas").toLongLong(), 0);  // rolled back
  // The user mends the value and saves again.
  ds.Asignar("Cod06", "x");
  ds.Guardar();
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod20 FROM alcabalas").toLongLong(), 10000000);
}

TEST_F(DataSetTablaTest, CancelarDevuelveLoAlmacenado) {
  Insertar(2024, 1, 50000);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  ds.Editar();
  ds.Asignar("Cod20", 999);
  ds.Cancelar();
  EXPECT_EQ(ds.Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(ds.Valor("Cod20").value<Moneda>(), Moneda::DesdePesos(5));
  ds.Agregar();
  ds.Cancelar();
  EXPECT_EQ(ds.CantidadFilas(), 1);
  EXPECT_EQ(Periodo(ds), "2024-01");
}

TEST_F(DataSetTablaTest, MoverseMientrasSeEditaGuardaSoloSiHuboCambios) {
  Insertar(2024, 1);
  Insertar(2024, 2);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  ds.Editar();
  ds.Asignar("Cod20", 7);
  ASSERT_TRUE(ds.Buscar(2024, 2));
  EXPECT_EQ(ds.Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod20 FROM alcabalas WHERE mes = 1").toLongLong(), 70000);
  ds.Editar();
  QSignalSpy guardado(&ds, &DataSet::DespuesDeGuardar);
  QSignalSpy cancelado(&ds, &DataSet::DespuesDeCancelar);
  ds.Primero();
  EXPECT_EQ(guardado.count(), 0);
  EXPECT_EQ(cancelado.count(), 1);
}

TEST_F(DataSetTablaTest, GuardarUnaFilaBorradaPorOtroEsError) {
  Insertar(2024, 1);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  prueba::EjecutarSql(ruta, {"DELETE FROM alcabalas"});
  ds.Editar();
  ds.Asignar("Cod20", 1);
  EXPECT_THROW(ds.Guardar(), ErrorAlcabala);
  EXPECT_EQ(ds.Estado(), EstadoDataSet::Edicion);
}

TEST_F(DataSetTablaTest, EliminarYRefrescar) {
  Insertar(2024, 1);
  Insertar(2024, 2);
  Insertar(2024, 3);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  ds.Buscar(2024, 2);
  QSignalSpy eliminado(&ds, &DataSet::DespuesDeEliminar);
  ds.Eliminar();
  EXPECT_EQ(eliminado.count(), 1);
  EXPECT_EQ(Periodo(ds), "2024-03");
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT count(*) FROM alcabalas").toInt(), 2);
  Insertar(2023, 12);
  ds.Refrescar();
  EXPECT_EQ(ds.CantidadFilas(), 3);
  EXPECT_EQ(Periodo(ds), "2024-03");  // the current row stays current
  ds.Primero();
  EXPECT_EQ(Periodo(ds), "2023-12");
}

TEST_F(DataSetTablaTest, CerrarLaConexionCierraSusDataSets) {
  Insertar(2024, 1);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  ds.Abrir();
  QSignalSpy cerrado(&ds, &DataSet::DespuesDeCerrar);
  conexion.Cerrar();
  EXPECT_EQ(cerrado.count(), 1);
  EXPECT_FALSE(ds.Activo());
  ds.Abrir();  // opens the connection again
  EXPECT_TRUE(conexion.Abierta());
  EXPECT_EQ(Periodo(ds), "2024-01");
}

TEST_F(DataSetTablaTest, UnaTablaQueFaltaDaElMensajeDeSqlite) {
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "contribuyente", false);
  try {
    ds.Abrir();
    FAIL();
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "no such table: contribuyente");
  }
  EXPECT_FALSE(ds.Activo());
}

// --- Calculated fields --------------------------------------------------------

class DataSetCalculadoTest : public DataSetTablaTest {
 protected:
  void Preparar(DataSet& ds) {
    ds.DefinirCalculados({{"Doble", TipoColumna::C, 0, true}, {"Marca", TipoColumna::W, 1, true}},
                         [this](Registro& r) {
                           ++llamadas;
                           const Moneda m = r.Valor("Cod20").isValid() ? r.Valor("Cod20").value<Moneda>() : Moneda();
                           r.Asignar("Doble", QVariant::fromValue(m + m));
                           r.Asignar("Marca", r.Valor("Cod583").toBool() ? "X" : "");
                         });
  }
  int llamadas = 0;
};

TEST_F(DataSetCalculadoTest, SeCalculanAlMostrarYTrasCadaCambio) {
  Insertar(2024, 1, 10000);
  Insertar(2024, 2, 20000);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  Preparar(ds);
  ds.Abrir();
  EXPECT_TRUE(ds.TieneCampo("Doble"));
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(2));
  ds.Siguiente();
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(4));
  ds.Editar();
  QSignalSpy cambiado(&ds, &DataSet::RegistroCambiado);
  ds.Asignar("Cod20", 10);
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(20));
  EXPECT_GE(cambiado.count(), 1);
  ds.Cancelar();
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(4));
}

TEST_F(DataSetCalculadoTest, SinRecalculoAutomaticoSeCalculaAlGuardar) {
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  Preparar(ds);
  ds.Abrir();
  ds.PonerRecalculoAutomatico(false);
  ds.Agregar();
  const int antes = llamadas;
  ds.Asignar("ano", 2024);
  ds.Asignar("mes", 1);
  ds.Asignar("Cod20", 8);
  EXPECT_EQ(llamadas, antes);
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda());
  ds.Guardar();
  ds.PonerRecalculoAutomatico(true);
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(16));
  EXPECT_FALSE(ds.Modificado());
}

TEST_F(DataSetCalculadoTest, LosCalculadosNoSeGuardanNiMarcanModificado) {
  Insertar(2024, 1, 10000);
  conexion.Abrir(ruta);
  DataSet ds(&conexion, "alcabalas", true);
  Preparar(ds);
  ds.Abrir();
  ds.Editar();
  EXPECT_FALSE(ds.Modificado());  // the handler ran, nothing was changed by the user
  ds.Asignar("Cod583", true);
  EXPECT_EQ(ds.Valor("Marca").toString(), "X");
  ds.Guardar();
  EXPECT_EQ(prueba::EscalarSql(ruta, "SELECT Cod583 FROM alcabalas").toInt(), 1);
}

// --- In memory ------------------------------------------------------------------

TEST(DataSetMemoriaTest, OrdenaPorElCampoDeOrdenYCalcula) {
  DataSet ds({{"nombre", TipoColumna::W, 150, false}, {"Cod20", TipoColumna::C, 0, false}}, "nombre");
  ds.DefinirCalculados({{"Doble", TipoColumna::C, 0, true}}, [](Registro& r) {
    r.Asignar("Doble", QVariant::fromValue(r.Valor("Cod20").value<Moneda>() + r.Valor("Cod20").value<Moneda>()));
  });
  ds.Abrir();
  EXPECT_TRUE(ds.EstaVacio());
  for (const char* nombre : {"beta", "Alfa", "alfa", "Gamma"}) {
    ds.Agregar();
    EXPECT_EQ(ds.Valor("Cod20").value<Moneda>(), Moneda());
    ds.Asignar("nombre", nombre);
    ds.Asignar("Cod20", 3);
    ds.Guardar();
    EXPECT_EQ(ds.Valor("nombre").toString(), nombre);
  }
  QStringList orden;
  for (ds.Primero(); !ds.Eof(); ds.Siguiente()) {
    orden << ds.Valor("nombre").toString();
    EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(6));
  }
  EXPECT_EQ(orden, QStringList({"Alfa", "Gamma", "alfa", "beta"}));  // case-sensitive
  ds.Vaciar();
  EXPECT_TRUE(ds.EstaVacio());
  ds.Cerrar();
  EXPECT_THROW(ds.Primero(), ErrorAlcabala);
}

TEST(DataSetMemoriaTest, ComparadorPropioYFilasNuevasNulas) {
  // Ordered by length, then kept in the order posted.
  DataSet ds({{"nombre", TipoColumna::W, 150, false}, {"Cod20", TipoColumna::C, 0, false}}, "nombre",
             [](const QString& a, const QString& b) { return static_cast<int>(a.size() - b.size()); },
             DataSet::FilasNuevas::Nulas);
  ds.Abrir();
  for (const char* nombre : {"ccc", "a", "bb", "z"}) {
    ds.Agregar();
    EXPECT_FALSE(ds.Valor("Cod20").isValid());
    ds.Asignar("nombre", nombre);
    ds.Guardar();
  }
  QStringList orden;
  for (ds.Primero(); !ds.Eof(); ds.Siguiente()) orden << ds.Valor("nombre").toString();
  EXPECT_EQ(orden, QStringList({"a", "z", "bb", "ccc"}));
}

}  // namespace

TEST(DataSetMemoriaTest, CadaFilaSeCalculaUnaVezAunqueSeMuestreYCopieVariasVeces) {
  DataSet ds({{"nombre", TipoColumna::W, 150, false}, {"Cod20", TipoColumna::C, 0, false}}, "nombre");
  QHash<QString, int> calculos;  // runs of the handler per row
  auto Definir = [&](int factor) {
    ds.DefinirCalculados({{"Doble", TipoColumna::C, 0, true}}, [&calculos, factor](Registro& r) {
      const QString nombre = r.Valor("nombre").toString();
      if (!nombre.isEmpty()) ++calculos[nombre];
      const Moneda m = r.Valor("Cod20").isValid() ? r.Valor("Cod20").value<Moneda>() : Moneda();
      r.Asignar("Doble", QVariant::fromValue(Moneda::DesdeCrudo(m.Crudo() * factor)));
    });
  };
  Definir(2);
  ds.Abrir();
  {
    RecalculoSuspendido suspendido(ds);
    for (const char* nombre : {"b", "a", "c"}) {
      ds.Agregar();
      ds.Asignar("nombre", nombre);
      ds.Asignar("Cod20", 5);
      ds.Guardar();
    }
  }
  for (int vuelta = 0; vuelta < 2; ++vuelta)
    for (ds.Primero(); !ds.Eof(); ds.Siguiente()) EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(10));
  for (int i = 0; i < ds.CantidadFilas(); ++i)
    EXPECT_EQ(ds.CopiaFila(i).Valor("Doble").value<Moneda>(), Moneda::DesdePesos(10));
  EXPECT_EQ(calculos, (QHash<QString, int>{{"a", 1}, {"b", 1}, {"c", 1}}));

  // Editing a row and posting it computes that row anew, once.
  ASSERT_TRUE(ds.Valor("nombre").toString() == "c");
  ds.Editar();
  ds.Asignar("Cod20", 7);
  ds.Guardar();
  EXPECT_EQ(ds.CopiaFila(2).Valor("Doble").value<Moneda>(), Moneda::DesdePesos(14));
  EXPECT_EQ(calculos.value("c"), 3);  // the edit recomputes it too, and the post once
  EXPECT_EQ(calculos.value("a"), 1);

  // Another handler: what the rows kept no longer counts.
  Definir(3);
  EXPECT_EQ(ds.CopiaFila(0).Valor("Doble").value<Moneda>(), Moneda::DesdePesos(15));
  ds.Primero();
  EXPECT_EQ(ds.Valor("Doble").value<Moneda>(), Moneda::DesdePesos(15));
}

TEST(DataSetMemoriaTest, SeLeeYEscribePorPosicionDeSuDisposicion) {
  DataSet ds({{"nombre", TipoColumna::W, 3, false}, {"Cod20", TipoColumna::C, 0, false}}, "nombre");
  ds.DefinirCalculados({{"Texto", TipoColumna::W, 2, true}}, [](Registro&) {});
  const DisposicionCampos* disposicion = ds.Disposicion();
  ASSERT_NE(disposicion, nullptr);
  EXPECT_EQ(disposicion->Nombres(), QStringList({"nombre", "Cod20", "Texto"}));
  ds.Abrir();
  ds.Agregar();
  // Written by position exactly as by name: converted to the field's type and size.
  ds.AsignarEn(disposicion->Posicion("nombre"), QStringLiteral("abcdef"));
  ds.AsignarEn(disposicion->Posicion("Cod20"), 4);
  EXPECT_EQ(ds.Valor("nombre").toString(), "abc");
  EXPECT_EQ(ds.ValorEn(1).value<Moneda>(), Moneda::DesdePesos(4));
  EXPECT_TRUE(ds.Modificado());
  ds.Guardar();
  EXPECT_EQ(ds.Disposicion(), disposicion);  // the same fields, the same layout
  const quint64 identidad = disposicion->Identidad();
  ds.DefinirCalculados({}, nullptr);
  EXPECT_NE(ds.Disposicion()->Identidad(), identidad);
}
