// The life of a declaration on real data files: the period proposal, creating
// with carried balances, the UTM checks, saving with the address copy, deleting.

#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <cmath>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "declarations/motor/calculo.h"
#include "declarations/ciclo.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/dataset.h"

namespace {

const QLocale kChile(QLocale::Spanish, QLocale::Chile);

QString MensajeDe(const std::function<void()>& accion) {
  try {
    accion();
  } catch (const ErrorAlcabala& e) {
    return e.Mensaje();
  }
  return QString();
}

Moneda Pesos(qint64 pesos) { return Moneda::DesdePesos(pesos); }
QVariant Monto(qint64 pesos) { return QVariant::fromValue(Pesos(pesos)); }
Moneda LeerMonto(const DataSet& ds, const QString& campo) { return NuloACeroMoneda(ds.Valor(campo)); }

// A UTM source that answers from a table and records every question.
struct FuenteUTM {
  std::map<std::pair<int, int>, double> valores;
  std::vector<std::pair<int, int>> pedidos;
  FuncionUTM Funcion() {
    return [this](int ano, int mes) {
      pedidos.emplace_back(ano, mes);
      auto it = valores.find({ano, mes});
      return it == valores.end() ? 0.0 : it->second;
    };
  }
};

class CicloTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(carpeta.isValid());
    ruta = carpeta.filePath(QStringLiteral("Empresa.alc"));
    CrearArchivoAlcabala(ruta);
    Abrir();
  }

  void Abrir() {
    conexion.PonerTiempoEspera(100);
    AbrirArchivoAlcabala(conexion, ruta);
    alcabala = std::make_unique<DataSet>(&conexion, QStringLiteral("alcabalas"), true);
    alcabala->DefinirCalculados(CamposCalculadosAlcabala(),
                                [](Registro& r) { ADODataSetAlcabalaCalcFields(r, kChile); });
    alcabala->Abrir();
    contribuyente = std::make_unique<DataSet>(&conexion, QStringLiteral("contribuyente"), false);
    contribuyente->DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
    contribuyente->Abrir();
  }

  // A declaration written straight through the data set, as a saved row.
  void Insertar(int ano, int mes, const QList<QPair<QString, QVariant>>& valores = {}) {
    alcabala->Agregar();
    alcabala->Asignar(QStringLiteral("ano"), ano);
    alcabala->Asignar(QStringLiteral("mes"), mes);
    for (const auto& [campo, valor] : valores) alcabala->Asignar(campo, valor);
    alcabala->Guardar();
  }

  int Filas() { return conexion.ValorEscalar(QStringLiteral("SELECT COUNT(*) FROM alcabalas")).toInt(); }
  int Filas(int ano, int mes) {
    return conexion
        .ValorEscalar(QStringLiteral("SELECT COUNT(*) FROM alcabalas WHERE ano = ? AND mes = ?"), {ano, mes})
        .toInt();
  }
  Periodo Actual() const {
    return {alcabala->Valor(QStringLiteral("ano")).toInt(), alcabala->Valor(QStringLiteral("mes")).toInt()};
  }

  QTemporaryDir carpeta;
  QString ruta;
  Conexion conexion;
  std::unique_ptr<DataSet> alcabala;
  std::unique_ptr<DataSet> contribuyente;
};

// --- Reading the period ---------------------------------------------------------

TEST(LeerAno, AceptaEnterosConBlancosAlrededor) {
  EXPECT_EQ(LeerAno(QStringLiteral("2024")), 2024);
  EXPECT_EQ(LeerAno(QStringLiteral(" 2010 ")), 2010);
  EXPECT_EQ(LeerAno(QStringLiteral("+2009")), 2009);
}

TEST(LeerAno, LoQueNoEsEnteroDaElMensajeConElTextoTecleado) {
  EXPECT_EQ(MensajeDe([] { LeerAno(QStringLiteral("20x4")); }), "'20x4' is not a valid integer value");
  EXPECT_EQ(MensajeDe([] { LeerAno(QString()); }), "'' is not a valid integer value");
  EXPECT_EQ(MensajeDe([] { LeerAno(QStringLiteral("2024.5")); }), "'2024.5' is not a valid integer value");
  EXPECT_EQ(MensajeDe([] { LeerAno(QStringLiteral("20 24")); }), "'20 24' is not a valid integer value");
  EXPECT_EQ(MensajeDe([] { LeerAno(QStringLiteral("99999999999")); }),
            "'99999999999' is not a valid integer value");
}

TEST(Periodos, SiguienteYAnteriorCruzanElAno) {
  EXPECT_EQ(PeriodoSiguiente({2009, 12}), (Periodo{2010, 1}));
  EXPECT_EQ(PeriodoSiguiente({2010, 5}), (Periodo{2010, 6}));
  EXPECT_EQ(PeriodoAnterior({2010, 1}), (Periodo{2009, 12}));
  EXPECT_EQ(PeriodoAnterior({2010, 7}), (Periodo{2010, 6}));
}

TEST(Periodos, ValidarRechazaAnosYMesesFueraDeRango) {
  EXPECT_NO_THROW(ValidarPeriodo({2024, 12}));
  EXPECT_THROW(ValidarPeriodo({2024, 0}), ErrorAlcabala);
  EXPECT_THROW(ValidarPeriodo({2024, 13}), ErrorAlcabala);
  EXPECT_THROW(ValidarPeriodo({99999, 1}), ErrorAlcabala);  // would not fit the 16-bit column
  EXPECT_THROW(ValidarPeriodo({24, 1}), ErrorAlcabala);
}

TEST(Periodos, MensajeSinUTM) {
  EXPECT_EQ(MensajeSinUTM({2011, 1}), "No existe UTM para Enero del 2011.");
}

// --- The proposal of the period dialog ---------------------------------------------

TEST_F(CicloTest, PropuestaDeArchivoVacioEsElMesDeHoy) {
  EXPECT_EQ(PeriodoPropuesto(conexion, QDate(2024, 7, 31)), (Periodo{2024, 7}));
}

TEST_F(CicloTest, PropuestaEsElMesSiguienteALaUltimaDeclaracion) {
  Insertar(2010, 3);
  Insertar(2009, 12);
  EXPECT_EQ(PeriodoPropuesto(conexion, QDate(2024, 7, 31)), (Periodo{2010, 4}));
  Insertar(2010, 12);
  EXPECT_EQ(PeriodoPropuesto(conexion, QDate(2024, 7, 31)), (Periodo{2011, 1}));
}

// --- Create ---------------------------------------------------------------------------

TEST_F(CicloTest, CrearEnArchivoVacioPideAmbasUTMYDejaTodoEnCero) {
  FuenteUTM utm;
  utm.valores = {{{2024, 3}, 65000}, {{2024, 4}, 65500}};
  const CreacionDeclaracion r = CrearDeclaracion(*alcabala, 2024, 3, utm.Funcion());
  EXPECT_EQ(r.resultado, ResultadoCreacion::Creada);
  EXPECT_TRUE(r.mensaje.isEmpty());
  EXPECT_EQ(utm.pedidos, (std::vector<std::pair<int, int>>{{2024, 3}, {2024, 4}}));
  EXPECT_EQ(Filas(2024, 3), 1);
  EXPECT_EQ(alcabala->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(Actual(), (Periodo{2024, 3}));
  EXPECT_TRUE(alcabala->RecalculoAutomatico());
  for (const char* campo : {"Cod504", "Cod540", "Cod508", "Cod557", "Cod737", "Cod705", "Cod161", "Cod128",
                            "Cod568", "Cod722"})
    EXPECT_EQ(LeerMonto(*alcabala, campo), Moneda()) << campo;
  EXPECT_EQ(NuloACeroDouble(alcabala->Valor("Cod115")), 0.0);
  EXPECT_EQ(NuloACeroDouble(alcabala->Valor("Cod542")), 0.0);
}

TEST_F(CicloTest, DiciembreNecesitaLaUTMDeEneroDelAnoSiguiente) {
  Insertar(2010, 11, {{"Cod504", Monto(50000)}});
  FuenteUTM utm;
  utm.valores = {{{2010, 12}, 37000}, {{2011, 1}, 37100}};
  EXPECT_EQ(CrearDeclaracion(*alcabala, 2010, 12, utm.Funcion()).resultado, ResultadoCreacion::Creada);
  EXPECT_EQ(utm.pedidos, (std::vector<std::pair<int, int>>{{2010, 12}, {2011, 1}}));
  // 50,000 × 100 ÷ 37,000 = 135.14 → 135 hundredths; 1.35 × 37,100 = 50,085.
  EXPECT_EQ(LeerMonto(*alcabala, "Cod504"), Pesos(50085));
}

TEST_F(CicloTest, EneroTomaDiciembreDelAnoAnteriorComoPeriodoPrevio) {
  Insertar(2009, 12,
           {{"Cod504", Monto(1000000)},
            {"Cod540", Monto(500000)},
            {"Cod115", QVariant(1.5f)},
            {"Cod542", QVariant(12.5f)}});
  Insertar(2009, 11, {{"Cod504", Monto(7)}});  // not the previous period: must not be read
  FuenteUTM utm;
  utm.valores = {{{2010, 1}, 36000}, {{2010, 2}, 36200}};
  ASSERT_EQ(CrearDeclaracion(*alcabala, 2010, 1, utm.Funcion()).resultado, ResultadoCreacion::Creada);
  EXPECT_EQ(Actual(), (Periodo{2010, 1}));
  // Box 77 of December (a calculated box: the credit remainder) is 1,000,000:
  // 2,777.78 → 2,778 hundredths of a UTM; 27.78 × 36,200 = 1,005,636.
  EXPECT_EQ(LeerMonto(*alcabala, "Cod504"), Pesos(1005636));
  // Box 549 of December is 500,000: 1,388.89 → 1,389; 13.89 × 36,200 = 502,818.
  EXPECT_EQ(LeerMonto(*alcabala, "Cod540"), Pesos(502818));
  EXPECT_FLOAT_EQ(NuloACeroDouble(alcabala->Valor("Cod115")), 1.5);
  EXPECT_FLOAT_EQ(NuloACeroDouble(alcabala->Valor("Cod542")), 12.5);
  EXPECT_EQ(LeerMonto(*alcabala, "Cod508"), Moneda());

  // What was posted is what a fresh reading of the file gives.
  alcabala->Cerrar();
  alcabala->Abrir();
  ASSERT_TRUE(alcabala->Buscar(2010, 1));
  EXPECT_EQ(LeerMonto(*alcabala, "Cod504"), Pesos(1005636));
  EXPECT_EQ(LeerMonto(*alcabala, "Cod77"), Pesos(1005636));  // computed again on reading
}

TEST_F(CicloTest, PeriodoExistenteSoloSeMuestra) {
  Insertar(2024, 2, {{"Cod20", Monto(123)}});
  Insertar(2024, 5);
  FuenteUTM utm;
  const CreacionDeclaracion r = CrearDeclaracion(*alcabala, 2024, 2, utm.Funcion());
  EXPECT_EQ(r.resultado, ResultadoCreacion::Existente);
  EXPECT_TRUE(utm.pedidos.empty());
  EXPECT_EQ(Filas(), 2);
  EXPECT_EQ(Actual(), (Periodo{2024, 2}));
  EXPECT_EQ(LeerMonto(*alcabala, "Cod20"), Pesos(123));
}

TEST_F(CicloTest, FaltaLaUTMDelMesElegido) {
  Insertar(2009, 6);
  FuenteUTM utm;
  utm.valores = {{{2010, 2}, 36200}};
  const CreacionDeclaracion r = CrearDeclaracion(*alcabala, 2010, 1, utm.Funcion());
  EXPECT_EQ(r.resultado, ResultadoCreacion::SinUTM);
  EXPECT_EQ(r.mensaje, "No existe UTM para Enero del 2010.");
  // Both were asked for before either was tested.
  EXPECT_EQ(utm.pedidos, (std::vector<std::pair<int, int>>{{2010, 1}, {2010, 2}}));
  EXPECT_EQ(Filas(), 1);
  EXPECT_EQ(Actual(), (Periodo{2009, 6}));
}

TEST_F(CicloTest, FaltaLaUTMDelMesSiguiente) {
  FuenteUTM utm;
  utm.valores = {{{2010, 12}, 37000}};
  const CreacionDeclaracion r = CrearDeclaracion(*alcabala, 2010, 12, utm.Funcion());
  EXPECT_EQ(r.resultado, ResultadoCreacion::SinUTM);
  EXPECT_EQ(r.mensaje, "No existe UTM para Enero del 2011.");
  EXPECT_EQ(Filas(), 0);
  EXPECT_TRUE(alcabala->EstaVacio());
}

TEST_F(CicloTest, UnaUTMNegativaOInvalidaCuentaComoFaltante) {
  FuenteUTM utm;
  utm.valores = {{{2010, 5}, -1}, {{2010, 6}, 36000}};
  EXPECT_EQ(CrearDeclaracion(*alcabala, 2010, 5, utm.Funcion()).resultado, ResultadoCreacion::SinUTM);
  utm.valores = {{{2010, 5}, 36000}, {{2010, 6}, std::nan("")}};
  EXPECT_EQ(CrearDeclaracion(*alcabala, 2010, 5, utm.Funcion()).mensaje, "No existe UTM para Junio del 2010.");
  EXPECT_EQ(Filas(), 0);
}

TEST_F(CicloTest, UnErrorAlBuscarLaUTMNoAgregaNadaYSePropaga) {
  Insertar(2010, 4);
  auto falla = [](int, int) -> double { throw ErrorAlcabala(QStringLiteral("lista UTM mal formada")); };
  EXPECT_EQ(MensajeDe([&] { CrearDeclaracion(*alcabala, 2010, 5, falla); }), "lista UTM mal formada");
  EXPECT_EQ(Filas(), 1);
  EXPECT_EQ(alcabala->Estado(), EstadoDataSet::Consulta);
  EXPECT_TRUE(alcabala->RecalculoAutomatico());
  EXPECT_EQ(Actual(), (Periodo{2010, 4}));
}

TEST_F(CicloTest, UnGuardadoFallidoNoDejaFilaYVuelveAlPeriodoMostrado) {
  Insertar(2010, 4, {{"Cod504", Monto(1000)}});
  Insertar(2010, 9);
  ASSERT_TRUE(alcabala->Buscar(2010, 9));
  // Another program holds the file's write lock: the post cannot get it.
  const QString nombre = QUuid::createUuid().toString();
  {
    QSqlDatabase otra = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
    otra.setDatabaseName(ruta);
    ASSERT_TRUE(otra.open());
    QSqlQuery bloqueo(otra);
    ASSERT_TRUE(bloqueo.exec(QStringLiteral("BEGIN IMMEDIATE")));

    FuenteUTM utm;
    utm.valores = {{{2010, 5}, 36000}, {{2010, 6}, 36000}};
    EXPECT_THROW(CrearDeclaracion(*alcabala, 2010, 5, utm.Funcion()), std::exception);
    EXPECT_EQ(alcabala->Estado(), EstadoDataSet::Consulta);
    EXPECT_TRUE(alcabala->RecalculoAutomatico());
    EXPECT_EQ(Actual(), (Periodo{2010, 9}));  // not left on the previous period
    EXPECT_EQ(alcabala->CantidadFilas(), 2);

    ASSERT_TRUE(bloqueo.exec(QStringLiteral("ROLLBACK")));
    otra.close();
  }
  QSqlDatabase::removeDatabase(nombre);
  EXPECT_EQ(Filas(), 2);

  // Once the file is free the same command works.
  FuenteUTM utm;
  utm.valores = {{{2010, 5}, 36000}, {{2010, 6}, 36000}};
  EXPECT_EQ(CrearDeclaracion(*alcabala, 2010, 5, utm.Funcion()).resultado, ResultadoCreacion::Creada);
  // 1,000 at 36,000 is 2.78 → 3 hundredths of a UTM, back at 36,000: 1,080.
  EXPECT_EQ(LeerMonto(*alcabala, "Cod504"), Pesos(1080));
}

// Another copy of the program sharing the file: its writes go through its
// own connection and data set.
struct OtraCopia {
  explicit OtraCopia(const QString& ruta) {
    AbrirArchivoAlcabala(conexion, ruta);
    alcabala = std::make_unique<DataSet>(&conexion, QStringLiteral("alcabalas"), true);
    alcabala->DefinirCalculados(CamposCalculadosAlcabala(),
                                [](Registro& r) { ADODataSetAlcabalaCalcFields(r, kChile); });
    alcabala->Abrir();
  }
  Conexion conexion;
  std::unique_ptr<DataSet> alcabala;
};

TEST_F(CicloTest, DosCreacionesDelMismoMesDejanUna) {
  Insertar(2020, 2, {{"Cod504", Monto(1000)}});
  OtraCopia otra(ruta);
  FuenteUTM utmOtra;
  utmOtra.valores = {{{2020, 3}, 50000}, {{2020, 4}, 50000}};
  // While this copy waits for its UTM values, the other one creates March.
  bool creadaPorLaOtra = false;
  auto utmLenta = [&](int ano, int mes) {
    if (!creadaPorLaOtra) {
      creadaPorLaOtra = true;
      EXPECT_EQ(CrearDeclaracion(*otra.alcabala, 2020, 3, utmOtra.Funcion()).resultado, ResultadoCreacion::Creada);
    }
    return ano == 2020 && (mes == 3 || mes == 4) ? 50000.0 : 0.0;
  };
  EXPECT_EQ(CrearDeclaracion(*alcabala, 2020, 3, utmLenta).resultado, ResultadoCreacion::Existente);
  EXPECT_EQ(Filas(2020, 3), 1);
  EXPECT_EQ(Actual(), (Periodo{2020, 3}));  // the other copy's row is shown
  EXPECT_EQ(alcabala->CantidadFilas(), 2);
}

TEST_F(CicloTest, CrearTrasUnMesFueraDeRangoNoAgregaNada) {
  // Credits that no keyboard can type add up beyond the range of the amounts:
  // the previous month's remainder cannot be computed, so nothing carries.
  Insertar(2020, 2, {{"Cod520", QVariant::fromValue(Moneda::DesdeCrudo(5'000'000'000'000'000'000))},
                     {"Cod525", QVariant::fromValue(Moneda::DesdeCrudo(5'000'000'000'000'000'000))}});
  ASSERT_TRUE(alcabala->Buscar(2020, 2));
  EXPECT_TRUE(EsNulo(alcabala->Valor("Cod537")));
  FuenteUTM utm;
  utm.valores = {{{2020, 3}, 50000}, {{2020, 4}, 50000}};
  EXPECT_EQ(MensajeDe([&] { CrearDeclaracion(*alcabala, 2020, 3, utm.Funcion()); }),
            "El resultado del cálculo excede el rango de los montos.");
  EXPECT_EQ(Filas(), 1);
  EXPECT_EQ(Actual(), (Periodo{2020, 2}));
}

TEST_F(CicloTest, UnaCancelacionQueFallaTrasUnGuardadoFallidoNoTerminaElPrograma) {
  Insertar(2010, 4, {{"Cod504", Monto(1000)}});
  // The insert fails in the file; dropping it then recomputes the row shown,
  // and that recomputation fails too.
  conexion.Ejecutar(QStringLiteral("CREATE TRIGGER lleno BEFORE INSERT ON alcabalas "
                                   "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
  alcabala->Cerrar();
  // Once the new row is being inserted, every row shown fails to compute.
  bool fallarCalculo = false;
  alcabala->DefinirCalculados(CamposCalculadosAlcabala(), [&](Registro& r) {
    if (alcabala->Estado() == EstadoDataSet::Insercion) fallarCalculo = true;
    if (fallarCalculo && alcabala->Estado() == EstadoDataSet::Consulta)
      throw ErrorAlcabala(QStringLiteral("el cálculo también falla"));
    ADODataSetAlcabalaCalcFields(r, kChile);
  });
  alcabala->Abrir();
  FuenteUTM utm;
  utm.valores = {{{2010, 5}, 36000}, {{2010, 6}, 36000}};
  EXPECT_EQ(MensajeDe([&] { CrearDeclaracion(*alcabala, 2010, 5, utm.Funcion()); }), "disco lleno");
  EXPECT_FALSE(TomarErrorDeRestauracion().has_value());  // the first error is the one reported
  EXPECT_EQ(alcabala->Estado(), EstadoDataSet::Consulta);
  EXPECT_TRUE(alcabala->RecalculoAutomatico());
  fallarCalculo = false;
  EXPECT_EQ(Filas(), 1);
}

TEST_F(CicloTest, CrearMientrasSeEditaSeRechaza) {
  Insertar(2010, 4);
  alcabala->Editar();
  alcabala->Asignar(QStringLiteral("Cod20"), Monto(5));
  FuenteUTM utm;
  EXPECT_THROW(CrearDeclaracion(*alcabala, 2010, 5, utm.Funcion()), ErrorAlcabala);
  EXPECT_EQ(alcabala->Estado(), EstadoDataSet::Edicion);  // the user's typing is kept
  EXPECT_EQ(LeerMonto(*alcabala, "Cod20"), Pesos(5));
  EXPECT_TRUE(utm.pedidos.empty());
}

// --- Save -----------------------------------------------------------------------------

TEST_F(CicloTest, GuardarSin583NoTocaAlContribuyente) {
  Insertar(2024, 1);
  alcabala->Editar();
  alcabala->Asignar(QStringLiteral("Cod06"), QStringLiteral("Otra calle"));
  alcabala->Asignar(QStringLiteral("Cod20"), Monto(900));
  GuardarDeclaracion(*alcabala, *contribuyente);
  EXPECT_EQ(alcabala->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(contribuyente->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(NuloAVacio(contribuyente->Valor("calle")).trimmed(), QString());
  EXPECT_EQ(NuloAVacio(contribuyente->Valor("comuna")).trimmed(), "Temuco");
  EXPECT_EQ(conexion.ValorEscalar("SELECT Cod20 FROM alcabalas").toLongLong(), 900 * Moneda::Escala);
}

TEST_F(CicloTest, GuardarCon583CopiaLosQuinceAntecedentesAlContribuyente) {
  Insertar(2024, 1);
  alcabala->Editar();
  alcabala->Asignar(QStringLiteral("Cod583"), true);
  alcabala->Asignar(QStringLiteral("Cod06"), QStringLiteral("  Avenida Alemania  "));
  alcabala->Asignar(QStringLiteral("Cod610"), QStringLiteral("0671-B/402"));
  alcabala->Asignar(QStringLiteral("Cod611"), QStringLiteral("402"));
  alcabala->Asignar(QStringLiteral("Cod612"), QStringLiteral("Villa Los Pinos"));
  alcabala->Asignar(QStringLiteral("Cod08"), QString());  // empty texts are copied too
  alcabala->Asignar(QStringLiteral("Cod53"), 13);
  alcabala->Asignar(QStringLiteral("Cod613"), 2);
  alcabala->Asignar(QStringLiteral("Cod09"), 2214567);
  alcabala->Asignar(QStringLiteral("Cod601"), 0);
  alcabala->Asignar(QStringLiteral("Cod604"), 987654321);
  alcabala->Asignar(QStringLiteral("Cod55"), QStringLiteral("contacto@empresa.cl"));
  alcabala->Asignar(QStringLiteral("Cod44"), QStringLiteral("Casilla 512"));
  alcabala->Asignar(QStringLiteral("Cod726"), QStringLiteral("Santiago"));
  alcabala->Asignar(QStringLiteral("Cod313"), 12345678);
  alcabala->Asignar(QStringLiteral("Cod314"), 7654321);
  GuardarDeclaracion(*alcabala, *contribuyente);
  EXPECT_EQ(contribuyente->Estado(), EstadoDataSet::Consulta);

  // Read back from the file itself.
  QSqlQuery q = conexion.Consulta(QStringLiteral(
      "SELECT calle, numero, departamento, VillaPoblacion, comuna, region, CodigoAreaTelefono, telefono, fax, "
      "TelefonoCelular, CorreoElectronico, DomicilioPostal, ComunaPostal, RUTContador, RUTRepresentanteLegal, "
      "ciudad, ApellidoPaternoRazonSocial FROM contribuyente"));
  ASSERT_TRUE(q.next());
  EXPECT_EQ(q.value(0).toString().trimmed(), "Avenida Alemania");
  EXPECT_EQ(q.value(0).toString().size(), 50);  // padded to the column, not grown
  EXPECT_EQ(q.value(1).toString().trimmed(), "0671-B/402");
  EXPECT_EQ(q.value(1).toString().size(), 20);
  EXPECT_EQ(q.value(2).toString().trimmed(), "402");
  EXPECT_EQ(q.value(3).toString().trimmed(), "Villa Los Pinos");
  EXPECT_EQ(q.value(4).toString().trimmed(), QString());
  EXPECT_EQ(q.value(5).toInt(), 13);
  EXPECT_EQ(q.value(6).toInt(), 2);
  EXPECT_EQ(q.value(7).toInt(), 2214567);
  EXPECT_EQ(q.value(8).toInt(), 0);
  EXPECT_EQ(q.value(9).toInt(), 987654321);
  EXPECT_EQ(q.value(10).toString().trimmed(), "contacto@empresa.cl");
  EXPECT_EQ(q.value(11).toString().trimmed(), "Casilla 512");
  EXPECT_EQ(q.value(12).toString().trimmed(), "Santiago");
  EXPECT_EQ(q.value(13).toInt(), 12345678);
  EXPECT_EQ(q.value(14).toInt(), 7654321);
  // Columns without a box stay as they were.
  EXPECT_EQ(q.value(15).toString().trimmed(), "Temuco");
  EXPECT_EQ(q.value(16).toString().trimmed(), "Empresa");
}

TEST_F(CicloTest, ElTextoLargoDelContribuyenteSeCortaAlVolverALaDeclaracion) {
  // numero holds 20 characters in the taxpayer row but 10 in a declaration:
  // the round trip keeps the first ten and never grows the padding.
  contribuyente->Editar();
  contribuyente->Asignar(QStringLiteral("numero"), QStringLiteral("12345678901234567890"));
  contribuyente->Guardar();
  Insertar(2024, 1);
  alcabala->Editar();
  alcabala->Asignar(QStringLiteral("Cod583"), true);
  alcabala->Asignar(QStringLiteral("Cod610"), contribuyente->Valor(QStringLiteral("numero")));
  EXPECT_EQ(NuloAVacio(alcabala->Valor("Cod610")), "1234567890");
  GuardarDeclaracion(*alcabala, *contribuyente);
  EXPECT_EQ(NuloAVacio(contribuyente->Valor("numero")).trimmed(), "1234567890");
  EXPECT_EQ(NuloAVacio(contribuyente->Valor("numero")).size(), 20);
}

// --- Delete ---------------------------------------------------------------------------

TEST_F(CicloTest, EliminarEnMedioMuestraElUltimoPeriodoRestante) {
  Insertar(2023, 11);
  Insertar(2023, 12);
  Insertar(2024, 3);
  EXPECT_EQ(EliminarDeclaracionActual(*alcabala, {2023, 12}), (Periodo{2024, 3}));
  EXPECT_TRUE(alcabala->Activo());
  EXPECT_EQ(Actual(), (Periodo{2024, 3}));
  EXPECT_EQ(Filas(), 2);
  EXPECT_EQ(Filas(2023, 12), 0);
}

TEST_F(CicloTest, EliminarLaUnicaDejaElPeriodoEnCero) {
  Insertar(2024, 1);
  EXPECT_EQ(EliminarDeclaracionActual(*alcabala, {2024, 1}), (Periodo{0, 0}));
  EXPECT_TRUE(alcabala->Activo());
  EXPECT_TRUE(alcabala->EstaVacio());
}

}  // namespace
