// The lines of the current edition of the form: each new box enters its total
// with its sign, the new nets and remainders, the traceability credit taken
// first by the excess, the condonation, and an older record without the new
// columns computing as before.

#include <gtest/gtest.h>

#include <QLocale>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/registro_memoria.h"

namespace {

using prueba::RegistroMemoria;

const QLocale kChile(QLocale::Spanish, QLocale::Chile);

// A declaration with a tax to pay: debits 1,000,000, credits 200,000.
RegistroMemoria ConImpuesto() {
  RegistroMemoria d = RegistroMemoria::Declaracion();
  d.Pesos("502", 1000000);
  d.Pesos("520", 200000);
  return d;
}

struct Termino {
  const char* caja;
  const char* total;
  qint64 efecto;  // change of the total when the box holds 1,000
};

}  // namespace

TEST(EdicionVigente, CadaCajaNuevaEntraEnSuTotalConSuSigno) {
  const Termino casos[] = {
      {"764", "538", 1000},  {"818", "538", -1000}, {"791", "538", 1000}, {"762", "537", 1000},
      {"766", "537", 1000},  {"790", "537", -1000}, {"49", "595", 1000},  {"155", "595", 1000},
      {"156", "595", 1000},  {"810", "595", 1000},  {"157", "595", 1000}, {"776", "595", 0},
      {"806", "595", 0},     {"807", "595", 0},     {"809", "595", 0},    {"816", "547", 1000},
      {"100", "547", 1000},  {"811", "547", 1000},  {"768", "547", -1000}, {"769", "547", -1000},
      {"763", "538", 0},     {"817", "538", 0},     {"761", "537", 0},    {"922", "94", 0},
  };
  RegistroMemoria base = ConImpuesto();
  ADODataSetAlcabalaCalcFields(base, kChile);
  for (const Termino& t : casos) {
    SCOPED_TRACE(t.caja);
    RegistroMemoria d = ConImpuesto();
    if (BuscarCaja(QLatin1String(t.caja))->tipo == TipoColumna::C)
      d.Pesos(t.caja, 1000);
    else
      d.Asignar(QStringLiteral("Cod") + QLatin1String(t.caja), 1000);
    ADODataSetAlcabalaCalcFields(d, kChile);
    EXPECT_EQ(d.Monto(t.total) - base.Monto(t.total), t.efecto);
  }
  // The loan repayments and the royalty's PPM stay outside the training credit.
  RegistroMemoria d = ConImpuesto();
  d.Pesos("721", 5000);
  d.Pesos("156", 3000);
  ADODataSetAlcabalaCalcFields(d, kChile);
  EXPECT_EQ(d.Monto("723"), 0);
  EXPECT_EQ(d.Monto("724"), 5000);
}

TEST(EdicionVigente, NetoYRemanenteDeAjuste) {
  struct Caso {
    qint64 bruto, ajustes, remanenteAnterior, neto, remanente;
  };
  const Caso casos[] = {
      {500, 100, 100, 300, 0},  // a net to pay
      {100, 60, 40, 0, 0},      // exactly nothing: neither box
      {100, 300, 50, 0, 250},   // a negative net is left for the next month
      {0, 0, 0, 0, 0},
  };
  for (const auto& [bruto, neto, remanente] :
       {std::tuple{"100 101 102", "103", "104"}, std::tuple{"811 812 813", "814", "815"}}) {
    const QStringList cajas = QString::fromLatin1(bruto).split(QLatin1Char(' '));
    for (const Caso& c : casos) {
      SCOPED_TRACE(testing::Message() << neto << " " << c.bruto << " " << c.ajustes << " " << c.remanenteAnterior);
      RegistroMemoria d = ConImpuesto();
      d.Pesos(cajas[0], c.bruto);
      d.Pesos(cajas[1], c.ajustes);
      d.Pesos(cajas[2], c.remanenteAnterior);
      ADODataSetAlcabalaCalcFields(d, kChile);
      EXPECT_EQ(d.Monto(QLatin1String(neto)), c.neto);
      EXPECT_EQ(d.Monto(QLatin1String(remanente)), c.remanente);
      // Only the net reaches the total determined.
      EXPECT_EQ(d.Monto("547"), 800000 + c.neto);
    }
  }
}

TEST(EdicionVigente, ElExcesoVaPrimeroAlCreditoDeTrazabilidadHastaSuTotal) {
  struct Caso {
    qint64 iva, trazabilidad, remanenteTrazabilidad, solares;
    qint64 r771, r728, total547;
  };
  const Caso casos[] = {
      {0, 1000, 0, 500, 1000, 500, -1500},       // the whole excess: each takes its credit
      {300, 600, 400, 500, 1000, 200, -1200},    // 770 = 768 + 769 taken whole, the rest to 728
      {800, 1000, 0, 500, 700, 0, -700},         // an excess below 770: 771 takes it all
      {2000, 1000, 0, 500, 0, 0, 500},           // a tax to pay: nothing carries forward
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.iva);
    RegistroMemoria d = RegistroMemoria::Declaracion();
    d.Pesos("502", c.iva);
    d.Pesos("768", c.trazabilidad);
    d.Pesos("769", c.remanenteTrazabilidad);
    d.Pesos("725", c.solares);
    ADODataSetAlcabalaCalcFields(d, kChile);
    EXPECT_EQ(d.Monto("770"), c.trazabilidad + c.remanenteTrazabilidad);
    EXPECT_EQ(d.Monto("547"), c.total547);
    EXPECT_EQ(d.Monto("771"), c.r771);
    EXPECT_EQ(d.Monto("728"), c.r728);
    EXPECT_EQ(d.Monto("91"), c.total547 > 0 ? c.total547 : 0);
  }
}

TEST(EdicionVigente, LaCondonacionRebajaElTotalConRecargo) {
  struct Caso {
    qint64 ipc, intereses, condonacion, total94;
  };
  const Caso casos[] = {
      {0, 0, 0, 0},
      {0, 0, 300, 0},                 // without surcharges there is no total with them
      {100, 500, 0, 800000 + 600},
      {100, 500, 350, 800000 + 250},
      {0, 500, 500, 800000},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(testing::Message() << c.ipc << " " << c.intereses << " " << c.condonacion);
    RegistroMemoria d = ConImpuesto();
    d.Pesos("92", c.ipc);
    d.Pesos("93", c.intereses);
    d.Pesos("795", c.condonacion);
    ADODataSetAlcabalaCalcFields(d, kChile);
    EXPECT_EQ(d.Monto("91"), 800000);
    EXPECT_EQ(d.Monto("94"), c.total94);
  }
}

TEST(EdicionVigente, UnRegistroSinLasColumnasNuevasCalculaComoAntes) {
  QStringList nuevas;
  for (const Caja& c : Catalogo())
    if (c.edicionVigente) nuevas << c.campo;
  ASSERT_EQ(nuevas.size(), 31);
  RegistroMemoria antiguo = RegistroMemoria::DeclaracionSin(nuevas);
  RegistroMemoria actual = RegistroMemoria::Declaracion();
  for (RegistroMemoria* d : {&antiguo, &actual}) {
    d->Pesos("502", 123456);
    d->Pesos("520", 654321);
    d->Pesos("725", 1000);
    d->Pesos("93", 77);
    ADODataSetAlcabalaCalcFields(*d, kChile);
  }
  for (const QString& codigo : CajasCalculadas()) EXPECT_EQ(antiguo.Monto(codigo), actual.Monto(codigo)) << codigo.toStdString();
  EXPECT_EQ(antiguo.Monto("77"), 654321 - 123456);
  EXPECT_EQ(antiguo.Monto("728"), 1000);
}
