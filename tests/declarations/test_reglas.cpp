#include <gtest/gtest.h>

#include <QLocale>
#include <limits>

#include "declarations/motor/calculo.h"
#include "declarations/registro_memoria.h"
#include "declarations/motor/reglas.h"
#include "general/errores.h"

namespace {

using prueba::RegistroMemoria;

Moneda P(qint64 pesos) { return Moneda::DesdePesos(pesos); }

// --- Box 563 ------------------------------------------------------------------

TEST(CalcularCod563, VentasAfectasALaTasaDeIva) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("502", 190000);
  CalcularCod563(d, 19.0);
  EXPECT_EQ(d.Monto("563"), 1000000);
  d.Pesos("20", 50000);
  CalcularCod563(d, 19.0);
  EXPECT_EQ(d.Monto("563"), 1050000);
}

TEST(CalcularCod563, RedondeoAlPar) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("502", 100);  // 10,000 ÷ 19 = 526.3158
  CalcularCod563(d, 19.0);
  EXPECT_EQ(d.Monto("563"), 526);
  d.Pesos("502", 1);  // 100 ÷ 8 = 12.5 → 12
  CalcularCod563(d, 8.0);
  EXPECT_EQ(d.Monto("563"), 12);
  d.Pesos("502", 3);  // 37.5 → 38
  CalcularCod563(d, 8.0);
  EXPECT_EQ(d.Monto("563"), 38);
}

TEST(CalcularCod563, TerminosYSignos) {
  struct Caso {
    const char* caja;
    qint64 esperado;
  };
  // Taxed sales count at 100 ÷ 19 (1,900 → 10,000); untaxed sales count as they are.
  const Caso casos[] = {{"502", 10000},  {"717", 10000}, {"111", 10000}, {"759", 10000}, {"513", 10000},
                        {"510", -10000}, {"709", -10000}, {"734", -10000}, {"501", 10000}, {"20", 1900},
                        {"142", 1900},   {"732", 1900},  {"715", 1900},  {"587", 1900},  {"720", 1900},
                        {"517", 0},      {"154", 0},     {"518", 0},     {"713", 0},     {"741", 0}};
  for (const Caso& c : casos) {
    RegistroMemoria d = RegistroMemoria::Declaracion();
    d.Pesos(c.caja, 1900);
    CalcularCod563(d, 19.0);
    EXPECT_EQ(d.Monto("563"), c.esperado) << c.caja;
  }
}

TEST(CalcularCod563, TodoNuloDaCeroYSinCod732NoFalla) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("563", 777);
  CalcularCod563(d, 19.0);
  EXPECT_EQ(d.Monto("563"), 0);

  RegistroMemoria viejo = RegistroMemoria::DeclaracionSin({"Cod732"});
  viejo.Pesos("502", 190);
  viejo.Pesos("20", 5);
  EXPECT_NO_THROW(CalcularCod563(viejo, 19.0));
  EXPECT_EQ(viejo.Monto("563"), 1005);
}

TEST(CalcularCod563, TasaCeroEsErrorYNoTocaLaCaja) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("502", 190000);
  d.Pesos("563", 4321);
  for (double tasa : {0.0, -0.0, std::numeric_limits<double>::quiet_NaN()}) {
    try {
      CalcularCod563(d, tasa);
      ADD_FAILURE() << "sin error con tasa " << tasa;
    } catch (const ErrorAlcabala& e) {
      EXPECT_TRUE(e.Mensaje().contains(QStringLiteral("IVA")));
    }
    EXPECT_EQ(d.Monto("563"), 4321);
  }
}

// --- Diesel -------------------------------------------------------------------

TEST(ReglaDiesel, CreditoNetoNoNegativo) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("742", 1000);
  d.Pesos("743", -300);
  AplicarReglaDiesel(d, GrupoDiesel::A);
  EXPECT_EQ(d.Monto("127"), 700);
  d.Pesos("743", 300);
  AplicarReglaDiesel(d, GrupoDiesel::A);
  EXPECT_EQ(d.Monto("127"), 1300);
  d.Pesos("743", -1000);  // net 0 is not negative: nothing moves
  AplicarReglaDiesel(d, GrupoDiesel::A);
  EXPECT_EQ(d.Monto("127"), 0);
  EXPECT_EQ(d.Monto("742"), 1000);
  EXPECT_FALSE(d.Valor("Cod739").isValid());
}

TEST(ReglaDiesel, NetoNegativoPasaALaLinea20ConSuNeto) {
  struct Grupo {
    GrupoDiesel grupo;
    const char *metros, *base, *variable, *total;
  };
  for (const Grupo& g : {Grupo{GrupoDiesel::A, "730", "742", "743", "127"},
                         Grupo{GrupoDiesel::B, "729", "744", "745", "544"}}) {
    SCOPED_TRACE(g.base);
    RegistroMemoria d = RegistroMemoria::Declaracion();
    d.Tasa(g.metros, 12.5f);
    d.Pesos(g.base, 1000);
    d.Pesos(g.variable, -1500);
    d.Pesos(g.total, 99);
    ADODataSetAlcabalaCalcFields(d, QLocale(QLocale::Spanish, QLocale::Chile));
    const qint64 debitosAntes = d.Monto("538");
    AplicarReglaDiesel(d, g.grupo);
    EXPECT_EQ(d.Valor("Cod738").toFloat(), 12.5f);
    EXPECT_EQ(d.Monto("739"), 1000);
    EXPECT_EQ(d.Monto("740"), 1500);  // the size, as line 20 is typed
    EXPECT_EQ(d.Valor(QString("Cod") + g.metros).toDouble(), 0.0);
    EXPECT_EQ(d.Monto(g.base), 0);
    EXPECT_EQ(d.Monto(g.variable), 0);
    EXPECT_EQ(d.Monto(g.total), 0);
    ADODataSetAlcabalaCalcFields(d, QLocale(QLocale::Spanish, QLocale::Chile));
    EXPECT_EQ(d.Monto("741"), 500);
    EXPECT_EQ(d.Monto("538") - debitosAntes, 500);
  }
}

TEST(ReglaDiesel, LineaOcupadaNoCambiaNada) {
  for (const char* ocupada : {"738", "739", "740"}) {
    RegistroMemoria d = RegistroMemoria::Declaracion();
    if (QLatin1String(ocupada) == QLatin1String("738"))
      d.Tasa("738", 2.0f);
    else
      d.Pesos(ocupada, 10);
    d.Pesos("744", 1000);
    d.Pesos("745", -1500);
    d.Pesos("544", 123);
    const int antes = d.Escrituras();
    AplicarReglaDiesel(d, GrupoDiesel::B);
    EXPECT_EQ(d.Escrituras(), antes) << ocupada;
    EXPECT_EQ(d.Monto("544"), 123) << ocupada;
    EXPECT_EQ(d.Monto("744"), 1000) << ocupada;
  }
}

TEST(ReglaDiesel, GrupoBCopiaMetrosYBaseTalComoEstan) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("744", 0);
  d.Pesos("745", -1);  // 729 stays null: 738 gets the null
  d.Pesos("739", 0);
  AplicarReglaDiesel(d, GrupoDiesel::B);
  EXPECT_FALSE(d.Valor("Cod738").isValid());
  EXPECT_EQ(d.Monto("739"), 0);
  EXPECT_EQ(d.Monto("740"), 1);
  EXPECT_EQ(d.Valor("Cod729").toDouble(), 0.0);
  EXPECT_EQ(d.Monto("544"), 0);
  // Group A untouched.
  EXPECT_FALSE(d.Valor("Cod127").isValid());
}

TEST(ReglaDiesel, SinGrupoNoHaceNada) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("742", 1000);
  const int antes = d.Escrituras();
  AplicarReglaDiesel(d, GrupoDiesel::Ninguno);
  EXPECT_EQ(d.Escrituras(), antes);
  // The debit line has no rule of its own.
  d.Pesos("739", 1000);
  const int conDebito = d.Escrituras();
  AplicarReglaDiesel(d, GrupoDiesel::Debito);
  EXPECT_EQ(d.Escrituras(), conDebito);
}

// --- Box 583 ------------------------------------------------------------------

QString Relleno(const QString& texto, int tamano) { return texto.leftJustified(tamano, QLatin1Char(' ')); }

TEST(Antecedentes, DelContribuyenteALaDeclaracion) {
  RegistroMemoria c = RegistroMemoria::Contribuyente();
  c.Asignar("calle", Relleno("  Av. Alemania", 50));
  c.Asignar("numero", Relleno("12345678901234567890", 20));
  c.Asignar("departamento", QVariant());
  c.Asignar("comuna", Relleno("Temuco", 50));
  c.Asignar("region", 9);
  c.Asignar("CodigoAreaTelefono", 45);
  c.Asignar("telefono", 2123456);
  c.Asignar("RUTContador", 12345678);
  c.Asignar("actividad", Relleno("Comercio", 50));
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Asignar("Cod611", "viejo");
  CopiarContribuyenteADeclaracion(c, d);
  EXPECT_EQ(d.Texto("Cod06"), "  Av. Alemania");  // padding gone, leading blanks kept
  EXPECT_EQ(d.Texto("Cod610"), "1234567890");      // cut to the box's 10 characters
  EXPECT_EQ(d.Texto("Cod611"), "");
  EXPECT_EQ(d.Texto("Cod08"), "Temuco");
  EXPECT_EQ(d.Valor("Cod53").toInt(), 9);
  EXPECT_EQ(d.Valor("Cod613").toInt(), 45);
  EXPECT_EQ(d.Valor("Cod09").toInt(), 2123456);
  EXPECT_EQ(d.Valor("Cod601"), QVariant(0));  // null counts as 0
  EXPECT_EQ(d.Valor("Cod313").toInt(), 12345678);
  EXPECT_EQ(d.Valor("Cod314"), QVariant(0));
  EXPECT_EQ(d.Texto("Cod55"), "");
}

TEST(Antecedentes, DeLaDeclaracionAlContribuyenteSinCrecer) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Asignar("Cod06", Relleno("Calle Larga", 50));
  d.Asignar("Cod610", Relleno("12", 10));
  d.Asignar("Cod53", 13);
  d.Asignar("Cod314", 7654321);
  RegistroMemoria c = RegistroMemoria::Contribuyente();
  c.Asignar("actividad", "Comercio");
  c.Asignar("fax", 555);
  CopiarDeclaracionAContribuyente(d, c);
  EXPECT_EQ(c.Texto("calle"), "Calle Larga");
  EXPECT_EQ(c.Texto("numero"), "12");
  EXPECT_EQ(c.Valor("region").toInt(), 13);
  EXPECT_EQ(c.Valor("RUTRepresentanteLegal").toInt(), 7654321);
  EXPECT_EQ(c.Valor("fax"), QVariant(0));  // the declaration's empty box wins
  EXPECT_EQ(c.Texto("actividad"), "Comercio");  // not an identification field

  // Back and forth keeps the text as it was.
  RegistroMemoria d2 = RegistroMemoria::Declaracion();
  CopiarContribuyenteADeclaracion(c, d2);
  EXPECT_EQ(d2.Texto("Cod06"), "Calle Larga");
}

TEST(Antecedentes, VaciarDejaTextosVaciosYNumerosEnCero) {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  for (const char* t : {"Cod06", "Cod610", "Cod611", "Cod612", "Cod08", "Cod55", "Cod44", "Cod726"})
    d.Asignar(t, "algo");
  for (const char* n : {"Cod53", "Cod613", "Cod09", "Cod601", "Cod604", "Cod313", "Cod314"}) d.Asignar(n, 7);
  d.Pesos("502", 100);
  VaciarAntecedentes(d);
  for (const char* t : {"Cod06", "Cod610", "Cod611", "Cod612", "Cod08", "Cod55", "Cod44", "Cod726"}) {
    EXPECT_EQ(d.Valor(t).metaType(), QMetaType::fromType<QString>()) << t;
    EXPECT_EQ(d.Texto(t), "") << t;
  }
  for (const char* n : {"Cod53", "Cod613", "Cod09", "Cod601", "Cod604", "Cod313", "Cod314"})
    EXPECT_EQ(d.Valor(n), QVariant(0)) << n;
  EXPECT_EQ(d.Monto("502"), 100);
}

// --- Carry-forward --------------------------------------------------------------

TEST(ReajustarSaldo, EjemploYEmpates) {
  EXPECT_EQ(ReajustarSaldo(P(1000000), 36000.0, 36200.0), P(1005636));
  EXPECT_EQ(ReajustarSaldo(P(0), 36000.0, 36200.0), P(0));
  // 50 pesos at 10,000 is half a hundredth → 0; 150 is 1.5 → 2 hundredths = 200.
  EXPECT_EQ(ReajustarSaldo(P(50), 10000.0, 10000.0), P(0));
  EXPECT_EQ(ReajustarSaldo(P(150), 10000.0, 10000.0), P(200));
  EXPECT_EQ(ReajustarSaldo(P(250), 10000.0, 10000.0), P(200));
  // Final pesos: 1 hundredth at 50 is 0.5 → 0; 3 hundredths is 1.5 → 2.
  EXPECT_EQ(ReajustarSaldo(P(1), 100.0, 50.0), P(0));
  EXPECT_EQ(ReajustarSaldo(P(3), 100.0, 50.0), P(2));
  EXPECT_THROW(ReajustarSaldo(P(1), 0.0, 36000.0), ErrorAlcabala);
}

TEST(Traslado, MapaEnElOrdenDeLaNuevaDeclaracion) {
  const QStringList destinos = {"Cod115", "Cod542", "Cod504", "Cod540", "Cod508", "Cod557", "Cod737", "Cod705",
                                "Cod161", "Cod128", "Cod568", "Cod722", "Cod102", "Cod813", "Cod769"};
  const QStringList origenes = {"Cod115", "Cod542", "Cod77", "Cod549", "Cod507", "Cod573", "Cod728", "Cod707",
                                "Cod73",  "Cod130", "Cod591", "Cod724", "Cod104", "Cod815", "Cod771"};
  const QList<Traslado>& mapa = MapaTraslado();
  ASSERT_EQ(mapa.size(), 15);
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(mapa[i].destino, destinos[i]);
    EXPECT_EQ(mapa[i].origen, origenes[i]);
    const ModoTraslado modo = i < 2 ? ModoTraslado::Tasa
                              : i == 12 || i == 13 ? ModoTraslado::Nominal
                                                   : ModoTraslado::Reajustado;
    EXPECT_EQ(mapa[i].modo, modo) << i;
  }
}

TEST(Traslado, SinDeclaracionAnteriorTodoCero) {
  const QList<ValorTrasladado> valores = CalcularTraslado(nullptr, 36000.0, 36200.0);
  ASSERT_EQ(valores.size(), 15);
  EXPECT_EQ(valores[0].valor.metaType(), QMetaType::fromType<float>());
  EXPECT_EQ(valores[0].valor.toFloat(), 0.0f);
  EXPECT_EQ(valores[1].valor.toFloat(), 0.0f);
  for (int i = 2; i < 15; ++i) EXPECT_EQ(valores[i].valor.value<Moneda>(), Moneda()) << i;
  // Without a previous period the UTMs are not used.
  EXPECT_NO_THROW(CalcularTraslado(nullptr, 0.0, 0.0));
}

TEST(Traslado, DesdeLosCamposCalculadosDelPeriodoAnterior) {
  RegistroMemoria anterior = RegistroMemoria::Declaracion();
  anterior.Tasa("115", 1.5f);
  anterior.Tasa("542", 0.25f);
  anterior.Pesos("520", 1000000);  // 77
  anterior.Pesos("540", 2000);     // 549
  anterior.Pesos("576", 3000);     // 507
  anterior.Pesos("556", 4000);     // 573
  anterior.Pesos("725", 5000);     // 728
  anterior.Pesos("704", 6000);     // 707
  anterior.Pesos("160", 7000);     // 73
  anterior.Pesos("126", 8000);     // 130
  anterior.Pesos("572", 9000);     // 591
  anterior.Pesos("721", 10000);    // 724
  anterior.Pesos("101", 11000);    // 104
  anterior.Pesos("813", 12000);    // 815
  anterior.Pesos("768", 13000);    // 770, left whole in 771 by the excess
  ADODataSetAlcabalaCalcFields(anterior, QLocale(QLocale::Spanish, QLocale::Chile));

  // A UTM that doubles: every balance comes out twice as large, but the
  // adjustment remainders keep their face value.
  const QList<ValorTrasladado> v = CalcularTraslado(&anterior, 1000.0, 2000.0);
  ASSERT_EQ(v.size(), 15);
  EXPECT_EQ(v[12].valor.value<Moneda>(), P(11000));
  EXPECT_EQ(v[13].valor.value<Moneda>(), P(12000));
  EXPECT_EQ(v[14].valor.value<Moneda>(), P(26000));
  EXPECT_EQ(v[0].valor.toFloat(), 1.5f);
  EXPECT_EQ(v[1].valor.toFloat(), 0.25f);
  const qint64 esperados[] = {2000000, 4000, 6000, 8000, 10000, 12000, 14000, 16000, 18000, 20000};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(v[i + 2].valor.value<Moneda>(), P(esperados[i])) << v[i + 2].campo.toStdString();

  const QList<ValorTrasladado> real = CalcularTraslado(&anterior, 36000.0, 36200.0);
  EXPECT_EQ(real[2].campo, "Cod504");
  EXPECT_EQ(real[2].valor.value<Moneda>(), P(1005636));
}

}  // namespace
