#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <limits>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/registro_memoria.h"
#include "declarations/motor/reglas.h"
#include "general/valores.h"

namespace {

using prueba::RegistroMemoria;

const QLocale kChile(QLocale::Spanish, QLocale::Chile);
const QLocale kEstadosUnidos(QLocale::English, QLocale::UnitedStates);

void Calcular(RegistroMemoria& d, const QLocale& locale = kChile) { ADODataSetAlcabalaCalcFields(d, locale); }

const char* const kCalculados[] = {"538", "537", "89",  "77",  "62",  "123", "703", "723", "724", "595", "550", "549",
                                   "602", "603", "506", "507", "543", "573", "598", "596", "727", "706", "570", "571",
                                   "590", "547", "91",  "591", "130", "73",  "707", "728", "94",  "741",
                                   "103", "104", "814", "815", "770", "771"};

TEST(CamposCalculados, CuarentaYSeisCamposConSusTiposYLargos) {
  const QList<DefinicionCampo> campos = CamposCalculadosAlcabala();
  ASSERT_EQ(campos.size(), 46);
  int montos = 0;
  for (const DefinicionCampo& c : campos) {
    EXPECT_TRUE(c.calculado) << c.nombre.toStdString();
    if (c.tipo == TipoColumna::C) ++montos;
  }
  EXPECT_EQ(montos, 40);
  for (const char* codigo : kCalculados) {
    const QString nombre = QStringLiteral("Cod") + QLatin1String(codigo);
    EXPECT_TRUE(std::any_of(campos.begin(), campos.end(),
                            [&](const DefinicionCampo& c) { return c.nombre == nombre && c.tipo == TipoColumna::C; }))
        << codigo;
  }
  const QList<QPair<QString, int>> textos = {{"Cod15_1", 1},   {"Cod15_2", 20},      {"Cod15_3", 4},
                                             {"NombreMes", 10}, {"Cod583Mostrar", 1}, {"Cod547Mostrar", 20}};
  for (const auto& [nombre, largo] : textos) {
    auto it = std::find_if(campos.begin(), campos.end(), [&](const DefinicionCampo& c) { return c.nombre == nombre; });
    ASSERT_NE(it, campos.end()) << nombre.toStdString();
    EXPECT_EQ(it->tipo, TipoColumna::W);
    EXPECT_EQ(it->tamano, largo);
  }
}

TEST(Calculo, RegistroNuevoTodoNulo) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  Calcular(d);
  for (const char* codigo : kCalculados) EXPECT_EQ(d.Monto(codigo), 0) << codigo;
  for (const char* campo : {"Cod15_1", "Cod15_2", "Cod15_3", "NombreMes", "Cod583Mostrar", "Cod547Mostrar"}) {
    const QVariant v = d.Valor(QLatin1String(campo));
    EXPECT_TRUE(v.isValid()) << campo;  // written, not left null
    EXPECT_EQ(v.toString(), QString()) << campo;
  }
}

TEST(Calculo, Periodo) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Asignar("ano", 2009);
  d.Asignar("mes", 3);
  Calcular(d);
  EXPECT_EQ(d.Texto("Cod15_1"), " ");
  EXPECT_EQ(d.Texto("Cod15_2"), "3");
  EXPECT_EQ(d.Texto("Cod15_3"), "2009");
  EXPECT_EQ(d.Texto("NombreMes"), "Marzo");

  d.Asignar("mes", 11);
  Calcular(d);
  EXPECT_EQ(d.Texto("Cod15_1"), "1");
  EXPECT_EQ(d.Texto("Cod15_2"), "1");
  EXPECT_EQ(d.Texto("NombreMes"), "Noviembre");

  d.Asignar("mes", 13);  // outside the calendar: digits shown, no name
  Calcular(d);
  EXPECT_EQ(d.Texto("Cod15_1"), "1");
  EXPECT_EQ(d.Texto("Cod15_2"), "3");
  EXPECT_EQ(d.Texto("NombreMes"), "");

  d.Asignar("mes", QVariant());  // a null month empties all four, the year too
  Calcular(d);
  for (const char* campo : {"Cod15_1", "Cod15_2", "Cod15_3", "NombreMes"}) EXPECT_EQ(d.Texto(campo), "") << campo;
}

TEST(Calculo, MarcaCambioDeDomicilio) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Asignar("Cod583", true);
  Calcular(d);
  EXPECT_EQ(d.Texto("Cod583Mostrar"), "X");
  d.Asignar("Cod583", false);
  Calcular(d);
  EXPECT_EQ(d.Texto("Cod583Mostrar"), "");
  d.Asignar("Cod583", QVariant());
  Calcular(d);
  EXPECT_EQ(d.Texto("Cod583Mostrar"), "");
}

// Each box that a total adds or subtracts, on its own.
struct TerminoEsperado {
  const char* total;
  const char* caja;
  int signo;
};

TEST(Calculo, CadaTerminoDeLosTotalesConSuSigno) {
  const TerminoEsperado terminos[] = {
      {"538", "502", 1},  {"538", "717", 1},  {"538", "111", 1},  {"538", "513", 1},  {"538", "510", -1},
      {"538", "709", -1}, {"538", "734", -1}, {"538", "517", 1},  {"538", "501", 1},  {"538", "154", 1},
      {"538", "518", 1},  {"538", "713", 1},  {"538", "759", 1},  {"538", "739", 1},  {"538", "740", 1},
      {"537", "520", 1},  {"537", "525", 1},  {"537", "528", -1}, {"537", "532", 1},  {"537", "535", 1},
      {"537", "553", 1},  {"537", "504", 1},  {"537", "593", -1}, {"537", "594", -1}, {"537", "592", -1},
      {"537", "539", -1}, {"537", "718", -1}, {"537", "164", 1},  {"537", "127", 1},  {"537", "544", 1},
      {"537", "523", 1},  {"537", "712", 1},  {"537", "757", 1},  {"595", "50", 1},   {"595", "48", 1},
      {"595", "151", 1},  {"595", "153", 1},  {"595", "54", 1},   {"595", "56", 1},   {"595", "588", 1},
      {"595", "589", 1},  {"595", "66", 1},   {"595", "152", 1},  {"595", "70", 1},   {"595", "760", 1},
      {"602", "577", 1},  {"602", "32", 1},   {"602", "150", 1},  {"602", "146", 1},  {"602", "545", 1},
      {"602", "546", -1}, {"602", "710", -1}, {"602", "752", 1},  {"603", "576", 1},  {"603", "33", 1},
      {"603", "149", 1},  {"603", "85", 1},   {"603", "551", 1},  {"603", "559", -1}, {"603", "508", 1},
      {"603", "533", -1}, {"603", "552", 1},  {"603", "754", 1},  {"543", "556", 1},  {"543", "557", 1},
      {"543", "558", -1}, {"596", "39", 1},   {"596", "554", 1},  {"596", "736", -1}, {"596", "597", 1},
      {"596", "555", 1},  {"727", "725", 1},  {"727", "737", 1},  {"706", "704", 1},  {"706", "705", 1},
      {"570", "160", 1},  {"570", "161", 1},  {"571", "126", 1},  {"571", "128", 1},  {"590", "572", 1},
      {"590", "568", 1},  {"547", "409", 1},  {"547", "522", 1},  {"547", "526", 1},  {"547", "50", 1},
  };
  for (const TerminoEsperado& t : terminos) {
    RegistroMemoria d = RegistroMemoria::Declaracion();
    // 740 enters 741 as |739 − 740|: a negative variable adds.
    d.Pesos(t.caja, QLatin1String(t.caja) == QLatin1String("740") ? -1000 : 1000);
    Calcular(d);
    EXPECT_EQ(d.Monto(t.total), t.signo * 1000) << t.total << " / " << t.caja;
  }
}

TEST(Calculo, CajasQueNoEntranEnLosTotales) {
  // Counts, exempt sales and the like are shown but added nowhere.
  for (const char* caja : {"20", "142", "732", "715", "587", "720", "521", "560", "562", "514", "529", "530", "30",
                           "565", "700", "751", "735", "575", "574", "580", "582", "753"}) {
    RegistroMemoria d = RegistroMemoria::Declaracion();
    d.Pesos(caja, 1000);
    Calcular(d);
    for (const char* codigo : kCalculados) EXPECT_EQ(d.Monto(codigo), 0) << caja << " -> " << codigo;
  }
}

TEST(Calculo, Cod741EsElValorAbsoluto) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("739", 100);
  d.Pesos("740", 300);
  Calcular(d);
  EXPECT_EQ(d.Monto("741"), 200);
  EXPECT_EQ(d.Monto("538"), 200);
  d.Pesos("739", 1000);
  d.Pesos("740", 1500);
  Calcular(d);
  EXPECT_EQ(d.Monto("741"), 500);
  EXPECT_EQ(d.Monto("538"), 500);
}

TEST(Calculo, Cod740NegativoGuardadoPorVersionesAnterioresDaElMismoNeto) {
  // Earlier versions moved a negative diesel credit with 740 as stored.
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("739", 1000);
  d.Pesos("740", -1500);
  Calcular(d);
  EXPECT_EQ(d.Monto("741"), 500);
  EXPECT_EQ(d.Monto("538"), 500);
  d.Pesos("740", -200);
  Calcular(d);
  EXPECT_EQ(d.Monto("741"), 800);
}

TEST(Calculo, IvaDeterminadoYRemanente) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("502", 1500);
  d.Pesos("520", 1000);
  Calcular(d);
  EXPECT_EQ(d.Monto("89"), 500);
  EXPECT_EQ(d.Monto("77"), 0);

  d.Pesos("520", 1500);  // equal: both zero
  Calcular(d);
  EXPECT_EQ(d.Monto("89"), 0);
  EXPECT_EQ(d.Monto("77"), 0);

  d.Pesos("520", 2000);  // -500
  Calcular(d);
  EXPECT_EQ(d.Monto("89"), 0);
  EXPECT_EQ(d.Monto("77"), 500);
}

TEST(Calculo, ImpuestosAdicionalesYSusRemanentes) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("113", 900);
  d.Pesos("541", 100);
  d.Pesos("28", 300);
  Calcular(d);
  EXPECT_EQ(d.Monto("550"), 700);
  EXPECT_EQ(d.Monto("549"), 0);
  d.Pesos("540", 700);  // exactly zero
  Calcular(d);
  EXPECT_EQ(d.Monto("550"), 0);
  EXPECT_EQ(d.Monto("549"), 0);
  d.Pesos("548", 50);
  Calcular(d);
  EXPECT_EQ(d.Monto("550"), 0);
  EXPECT_EQ(d.Monto("549"), 50);

  d.Pesos("577", 400);
  d.Pesos("576", 100);
  Calcular(d);
  EXPECT_EQ(d.Monto("506"), 300);
  EXPECT_EQ(d.Monto("507"), 0);
  d.Pesos("508", 300);
  Calcular(d);
  EXPECT_EQ(d.Monto("506"), 0);
  EXPECT_EQ(d.Monto("507"), 0);
  d.Pesos("508", 1000);
  Calcular(d);
  EXPECT_EQ(d.Monto("506"), 0);
  EXPECT_EQ(d.Monto("507"), 700);
}

TEST(Calculo, LineasDeTasaRedondeanAlPar) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("563", 100);
  d.Tasa("115", 0.5f);
  Calcular(d);
  EXPECT_EQ(d.Monto("62"), 0);  // 0.5 → 0
  d.Pesos("563", 300);
  Calcular(d);
  EXPECT_EQ(d.Monto("62"), 2);  // 1.5 → 2
  d.Pesos("563", 12345);
  d.Tasa("115", 2.5f);
  Calcular(d);
  EXPECT_EQ(d.Monto("62"), 309);  // 308.625 → 309

  // The product keeps four decimals of the rate's exact binary value.
  d.Pesos("120", 500);
  d.Tasa("542", 0.1f);
  Calcular(d);
  EXPECT_EQ(d.Monto("123"), 0);
  // The quotient keeps four decimals: 23.499999 becomes 23.5000, then 24.
  d.Pesos("701", 117500);
  d.Tasa("702", 0.02f);
  Calcular(d);
  EXPECT_EQ(d.Monto("703"), 24);
}

TEST(Calculo, LineaDeTasaNegativaEntraEnSubtotalYCredito) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("563", 10000);
  d.Tasa("115", 1.0f);
  d.Pesos("68", 500);  // 100 − 500
  d.Pesos("120", 100000);
  d.Tasa("542", 1.0f);  // 123 = 1,000
  d.Pesos("50", 1000);
  d.Pesos("721", 300);
  Calcular(d);
  EXPECT_EQ(d.Monto("62"), -400);
  // T = 600 ≥ C = 300: 300 imputed, nothing carried.
  EXPECT_EQ(d.Monto("723"), 300);
  EXPECT_EQ(d.Monto("724"), 0);
  EXPECT_EQ(d.Monto("595"), 1000 - 400 + 1000 - 300);

  d.Pesos("120", 0);  // T = −400 < C: T imputed, C − T carried forward
  Calcular(d);
  EXPECT_EQ(d.Monto("723"), -400);
  EXPECT_EQ(d.Monto("724"), 700);
  EXPECT_EQ(d.Monto("595"), 1000);
}

TEST(Calculo, CreditoCapacitacion) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("721", 600);
  d.Pesos("722", 400);
  d.Pesos("66", 600);
  Calcular(d);
  EXPECT_EQ(d.Monto("723"), 600);
  EXPECT_EQ(d.Monto("724"), 400);
  EXPECT_EQ(d.Monto("595"), 0);
  d.Pesos("66", 1000);  // T = C exactly
  Calcular(d);
  EXPECT_EQ(d.Monto("723"), 1000);
  EXPECT_EQ(d.Monto("724"), 0);
  d.Pesos("66", 1500);
  Calcular(d);
  EXPECT_EQ(d.Monto("723"), 1000);
  EXPECT_EQ(d.Monto("724"), 0);
  EXPECT_EQ(d.Monto("595"), 500);
}

TEST(Calculo, AnticipoCambioDeSujetoContraIvaDeterminado) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("502", 1000);  // 89 = 1,000
  d.Pesos("556", 1500);
  Calcular(d);
  EXPECT_EQ(d.Monto("543"), 1500);
  EXPECT_EQ(d.Monto("573"), 500);
  EXPECT_EQ(d.Monto("598"), 1000);
  d.Pesos("556", 1000);  // equal
  Calcular(d);
  EXPECT_EQ(d.Monto("573"), 0);
  EXPECT_EQ(d.Monto("598"), 1000);
  d.Pesos("556", 400);  // below
  Calcular(d);
  EXPECT_EQ(d.Monto("573"), 0);
  EXPECT_EQ(d.Monto("598"), 400);
  EXPECT_EQ(d.Monto("547"), 600);  // 1,000 − 400
  // 89 after its clamp: a credit remainder leaves 89 at 0, so all is carried.
  d.Pesos("520", 3000);
  Calcular(d);
  EXPECT_EQ(d.Monto("573"), 400);
  EXPECT_EQ(d.Monto("598"), 0);
}

// Sets the five special-credit totals through their first box.
void Topes(RegistroMemoria& d, qint64 t727, qint64 t706, qint64 t570, qint64 t571, qint64 t590) {
  d.Pesos("725", t727);
  d.Pesos("704", t706);
  d.Pesos("160", t570);
  d.Pesos("126", t571);
  d.Pesos("572", t590);
}

TEST(Calculo, ExcesoSeReparteEnOrdenHastaCadaTope) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  Topes(d, 0, 800, 0, 200, 1000);
  d.Pesos("50", 500);  // 547 = 500 − 2,000 = −1,500
  Calcular(d);
  EXPECT_EQ(d.Monto("547"), -1500);
  EXPECT_EQ(d.Monto("591"), 1000);
  EXPECT_EQ(d.Monto("130"), 200);
  EXPECT_EQ(d.Monto("73"), 0);
  EXPECT_EQ(d.Monto("707"), 300);
  EXPECT_EQ(d.Monto("728"), 0);
  EXPECT_EQ(d.Monto("91"), 0);
  EXPECT_EQ(d.Texto("Cod547Mostrar"), "(1.500)");
  Calcular(d, kEstadosUnidos);
  EXPECT_EQ(d.Texto("Cod547Mostrar"), "(1,500)");
}

TEST(Calculo, ExcesoSinTopesNoSeMuestraMasQueEnElTotal) {
  RegistroMemoria e = RegistroMemoria::Declaracion();
  e.Pesos("556", 5000);  // 543 = 5,000 > 89 = 0: all of it carried in 573, 598 = 0
  e.Pesos("736", 5000);  // 596 = −5,000
  Calcular(e);
  EXPECT_EQ(e.Monto("547"), -5000);
  for (const char* caja : {"591", "130", "73", "707", "728", "91", "94"}) EXPECT_EQ(e.Monto(caja), 0) << caja;
  EXPECT_EQ(e.Texto("Cod547Mostrar"), "(5.000)");
}

TEST(Calculo, UnTopeNegativoNoRecibeRemanente) {
  // Only a stored negative makes a credit total negative; it carries nothing
  // forward and leaves the excess to the boxes after it.
  RegistroMemoria d = RegistroMemoria::Declaracion();
  Topes(d, 0, 0, 0, 1000, -300);
  d.Pesos("50", 100);  // 547 = 100 − 1,000 + 300 = −600
  Calcular(d);
  EXPECT_EQ(d.Monto("547"), -600);
  EXPECT_EQ(d.Monto("591"), 0);
  EXPECT_EQ(d.Monto("130"), 600);
}

TEST(Calculo, TotalDeterminadoCeroYPositivo) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  Topes(d, 10, 10, 10, 10, 10);
  d.Pesos("50", 50);
  Calcular(d);
  EXPECT_EQ(d.Monto("547"), 0);
  EXPECT_EQ(d.Texto("Cod547Mostrar"), "");
  EXPECT_EQ(d.Monto("91"), 0);
  for (const char* caja : {"591", "130", "73", "707", "728"}) EXPECT_EQ(d.Monto(caja), 0) << caja;

  d.Pesos("50", 1234617);
  Calcular(d);
  EXPECT_EQ(d.Monto("547"), 1234567);
  EXPECT_EQ(d.Monto("91"), 1234567);
  EXPECT_EQ(d.Texto("Cod547Mostrar"), "1.234.567");
  for (const char* caja : {"591", "130", "73", "707", "728"}) EXPECT_EQ(d.Monto(caja), 0) << caja;
  Calcular(d, kEstadosUnidos);
  EXPECT_EQ(d.Texto("Cod547Mostrar"), "1,234,567");
}

TEST(Calculo, ExcesoMayorQueDosMilMillones) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  for (const char* caja : {"725", "737", "704", "705", "160", "161", "126", "128", "572", "568"})
    d.Pesos(caja, 999999999);
  d.Pesos("50", 999999999);
  Calcular(d);
  // R = 9,999,999,990 − 999,999,999 = 8,999,999,991: four full caps, then the rest.
  EXPECT_EQ(d.Monto("547"), -8999999991LL);
  EXPECT_EQ(d.Monto("591"), 1999999998LL);
  EXPECT_EQ(d.Monto("130"), 1999999998LL);
  EXPECT_EQ(d.Monto("73"), 1999999998LL);
  EXPECT_EQ(d.Monto("707"), 1999999998LL);
  EXPECT_EQ(d.Monto("728"), 999999999LL);
  EXPECT_EQ(d.Texto("Cod547Mostrar"), "(8.999.999.991)");
}

TEST(Calculo, TotalConRecargo) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("50", 250000);
  Calcular(d);
  EXPECT_EQ(d.Monto("91"), 250000);
  EXPECT_EQ(d.Monto("94"), 0);
  d.Pesos("92", 0);
  d.Pesos("93", 0);
  Calcular(d);
  EXPECT_EQ(d.Monto("94"), 0);
  d.Pesos("92", 1000);
  Calcular(d);
  EXPECT_EQ(d.Monto("94"), 251000);
  d.Pesos("93", 500);
  Calcular(d);
  EXPECT_EQ(d.Monto("94"), 251500);
  d.Pesos("92", 0);
  Calcular(d);
  EXPECT_EQ(d.Monto("94"), 250500);
  // Surcharges without tax: 94 is the surcharges alone.
  d.Pesos("50", 0);
  Calcular(d);
  EXPECT_EQ(d.Monto("94"), 500);
}

TEST(Calculo, CamposOpcionalesAusentes) {
  const QList<QPair<QString, QString>> opcionales = {
      {"759", "538"}, {"757", "537"}, {"760", "595"}, {"752", "602"}, {"754", "603"}};
  for (const auto& [caja, total] : opcionales) {
    RegistroMemoria con = RegistroMemoria::Declaracion();
    con.Pesos(caja, 700);
    Calcular(con);
    EXPECT_EQ(con.Monto(total), 700) << caja.toStdString();

    RegistroMemoria sin = RegistroMemoria::DeclaracionSin({QStringLiteral("Cod") + caja});
    EXPECT_NO_THROW(Calcular(sin)) << caja.toStdString();
    EXPECT_EQ(sin.Monto(total), 0) << caja.toStdString();
  }
  // An old file lacks all ten later columns at once.
  RegistroMemoria viejo = RegistroMemoria::DeclaracionSin(
      {"Cod731", "Cod732", "Cod757", "Cod758", "Cod759", "Cod760", "Cod751", "Cod752", "Cod753", "Cod754"});
  viejo.Pesos("502", 100);
  EXPECT_NO_THROW(Calcular(viejo));
  EXPECT_EQ(viejo.Monto("538"), 100);
}

TEST(Calculo, CampoObligatorioAusenteEsError) {
  RegistroMemoria d = RegistroMemoria::DeclaracionSin({"Cod502"});
  EXPECT_THROW(Calcular(d), ErrorAlcabala);
}

TEST(Calculo, ValoresDeOtrosTiposSeLeenComoMontos) {
  // Upgraded files and reports may hand integers or doubles; nulls count as 0.
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Asignar("Cod502", QVariant(qint64(1000)));
  d.Asignar("Cod721", QVariant(250.0));
  d.Asignar("Cod66", QVariant(100));
  d.Asignar("Cod115", QVariant());
  Calcular(d);
  EXPECT_EQ(d.Monto("538"), 1000);
  EXPECT_EQ(d.Monto("723"), 100);
  EXPECT_EQ(d.Monto("724"), 150);
}

TEST(Calculo, TodosLosMontosAlMaximoSinDesborde) {
  // Every box of the older edition of the form (the current edition's are
  // tested on their own).
  RegistroMemoria d = RegistroMemoria::Declaracion();
  for (const ColumnaTabla& c : ColumnasAlcabalas()) {
    if (const Caja* caja = BuscarCaja(c.nombre.mid(3)); caja != nullptr && caja->edicionVigente) continue;
    if (c.tipo == TipoColumna::C) d.Asignar(c.nombre, QVariant::fromValue(Moneda::DesdePesos(999999999)));
    if (c.tipo == TipoColumna::F) d.Asignar(c.nombre, QVariant(99.99f));
  }
  d.Asignar("ano", 2024);
  d.Asignar("mes", 12);
  ASSERT_NO_THROW(Calcular(d));
  const qint64 m = 999999999;
  EXPECT_EQ(d.Monto("741"), 0);
  EXPECT_EQ(d.Monto("538"), 7 * m);
  EXPECT_EQ(d.Monto("537"), 6 * m);
  EXPECT_EQ(d.Monto("89"), m);
  // 999,999,999 × 99.99f (99.98999786…) ≈ 99,989,997,763.9, kept to four
  // decimals, ÷ 100, − 999,999,999: every rate line alike.
  EXPECT_EQ(d.Monto("62"), -100021);
  EXPECT_EQ(d.Monto("123"), -100021);
  EXPECT_EQ(d.Monto("703"), -100021);
  // T = 3 × −100,021 + m is below C = 2m.
  EXPECT_EQ(d.Monto("723"), 999699936);
  EXPECT_EQ(d.Monto("724"), 1000300062);
  EXPECT_EQ(d.Monto("595"), 11999999988LL);  // 89 + eleven boxes + T − 723
  EXPECT_EQ(d.Monto("547"), 6999999993LL);  // 12m + 3m − m + 3m − 10m
  EXPECT_EQ(d.Monto("91"), 6999999993LL);
  EXPECT_EQ(d.Monto("94"), 8999999991LL);
  EXPECT_EQ(d.Texto("Cod547Mostrar"), "6.999.999.993");
  EXPECT_EQ(d.Texto("NombreMes"), "Diciembre");
}

}  // namespace

// --- Range -------------------------------------------------------------------------

namespace {

// The widest value the keyboard puts in a box: every character it takes a 9
// (a signed box may start with "-" instead).
double MayorTecleable(const Caja& caja) { return std::pow(10.0, caja.largoMaximo) - 1; }

bool EsMontoTecleado(const Caja& caja) {
  return caja.clase == ClaseCaja::E && caja.tipo == TipoColumna::C && caja.largoMaximo > 0;
}
bool EsTasaTecleada(const Caja& caja) {
  return caja.clase == ClaseCaja::E && caja.tipo == TipoColumna::F && caja.largoMaximo > 0;
}

// Every typed box at its widest; the signed diesel boxes at their widest
// negative when negativos. Box 563 as the rule computes it from the rest.
RegistroMemoria DeclaracionMasAncha(bool negativos, bool conCreditos) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  for (const Caja& caja : Catalogo()) {
    if (EsTasaTecleada(caja)) d.Tasa(caja.codigo, static_cast<float>(MayorTecleable(caja)));
    if (!EsMontoTecleado(caja)) continue;
    qint64 pesos = static_cast<qint64>(MayorTecleable(caja));
    if (caja.familia == FamiliaEntrada::DieselVariable && negativos)  // "-" takes one character
      pesos = -static_cast<qint64>(std::pow(10.0, caja.largoMaximo - 1) - 1);
    d.Pesos(caja.codigo, pesos);
  }
  if (!conCreditos)
    for (const char* credito : {"68", "122", "711"}) d.Pesos(credito, 0);
  CalcularCod563(d, 19);
  return d;
}

}  // namespace

TEST(Rango, LosValoresMasAnchosQueAceptaElTecladoNoExcedenElMotor) {
  for (bool negativos : {false, true})
    for (bool creditos : {false, true}) {
      SCOPED_TRACE(testing::Message() << negativos << creditos);
      RegistroMemoria d = DeclaracionMasAncha(negativos, creditos);
      EXPECT_GT(d.Monto("563"), 999999999);  // wider than any box typed alone
      Calcular(d);
      EXPECT_EQ(CajasNoCalculadas(d), QStringList());
      EXPECT_NE(d.Monto("62"), 0);
    }
}

TEST(Rango, UnaSumaQueExcedeElRangoDejaNulasSoloLasCajasQueDependenDeElla) {
  // Two credits of 5·10^18 (×10,000): box 537 cannot be computed, nor 89, 77
  // and what follows from them; the back of the form is still calculated.
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Asignar("Cod520", QVariant::fromValue(Moneda::DesdeCrudo(5'000'000'000'000'000'000)));
  d.Asignar("Cod525", QVariant::fromValue(Moneda::DesdeCrudo(5'000'000'000'000'000'000)));
  d.Pesos("502", 100);
  d.Pesos("113", 700);
  Calcular(d);
  EXPECT_EQ(d.Monto("538"), 100);
  EXPECT_EQ(d.Monto("550"), 700);
  const QStringList nulas = CajasNoCalculadas(d);
  // In the order the form reads.
  EXPECT_EQ(nulas, QStringList({"537", "77", "89", "595", "91", "573", "598", "547", "728", "707", "73", "130", "591",
                                "771"}));
  EXPECT_EQ(d.Texto("Cod547Mostrar"), QString());
  EXPECT_EQ(MensajeCajasNoCalculadas(nulas.mid(0, 1), 2024, 3),
            "No se pudo calcular la casilla 537 de Marzo del 2024: el resultado excede el rango de los montos.");
}

TEST(Rango, LasOperacionesDeMontosNoDanLaVuelta) {
  const Moneda maximo = Moneda::DesdeCrudo(std::numeric_limits<qint64>::max());
  const Moneda minimo = Moneda::DesdeCrudo(std::numeric_limits<qint64>::min());
  EXPECT_THROW(maximo + Moneda::DesdeCrudo(1), ErrorCalculo);
  EXPECT_THROW(minimo - Moneda::DesdeCrudo(1), ErrorCalculo);
  EXPECT_THROW(-minimo, ErrorCalculo);
  EXPECT_THROW(Moneda::DesdePesos(std::numeric_limits<qint64>::max() / 1000), ErrorCalculo);
  Moneda suma = maximo;
  EXPECT_THROW(suma += maximo, ErrorCalculo);
  EXPECT_EQ(suma, maximo);
  EXPECT_EQ(maximo - maximo, Moneda());
  EXPECT_EQ(-maximo + maximo, Moneda());
}
