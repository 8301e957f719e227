#include <gtest/gtest.h>

#include <QLocale>
#include <QSet>

#include <limits>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/motor/formulas.h"
#include "declarations/registro_memoria.h"
#include "general/registroplano.h"
#include "general/valores.h"

namespace {

using prueba::RegistroMemoria;

const QLocale kChile(QLocale::Spanish, QLocale::Chile);

QStringList NombresActualizacion() {
  QStringList nombres;
  for (const ColumnaTabla& c : ColumnasActualizacion()) nombres << c.nombre;
  return nombres;
}

// A declaration row held in order (read by position), without the given columns.
RegistroPlano PlanoSin(const QStringList& faltan = {}) {
  RegistroPlano r;
  for (const ColumnaTabla& c : ColumnasAlcabalas())
    if (!faltan.contains(c.nombre)) r.Agregar(DefinicionCampo{c.nombre, c.tipo, c.tamano}, QVariant());
  for (const DefinicionCampo& c : CamposCalculadosAlcabala()) r.Agregar(c, QVariant());
  return r;
}

// Every stored amount and rate the record has, filled with distinct values,
// in pesos of both signs so every sum and clamp takes both ways somewhere.
void Llenar(Registro& r, int semilla) {
  qint64 n = 17 + semilla;
  for (const ColumnaTabla& c : ColumnasAlcabalas()) {
    if (!r.TieneCampo(c.nombre)) continue;
    n = (n * 7919 + 13) % 1000003;
    if (c.tipo == TipoColumna::C) r.Asignar(c.nombre, QVariant::fromValue(Moneda::DesdePesos(n % 7 == 0 ? -n : n * 3)));
    if (c.tipo == TipoColumna::F) r.Asignar(c.nombre, QVariant(static_cast<float>(n % 400) / 100.0f));
  }
  r.Asignar(QStringLiteral("ano"), 2023);
  r.Asignar(QStringLiteral("mes"), 1 + semilla % 12);
  r.Asignar(QStringLiteral("Cod583"), semilla % 2 == 0);
}

// The calculated fields of a record as text, null shown apart from 0.
QStringList Calculados(const Registro& r) {
  QStringList valores;
  for (const DefinicionCampo& c : CamposCalculadosAlcabala()) {
    const QVariant v = r.Valor(c.nombre);
    valores << c.nombre + QLatin1Char('=') +
                   (EsNulo(v) ? QStringLiteral("nulo")
                              : c.tipo == TipoColumna::C ? QString::number(v.value<Moneda>().Crudo()) : v.toString());
  }
  return valores;
}

}  // namespace

// --- The formulas and the catalogue -------------------------------------------------

TEST(Formulas, EscribenExactamenteLasCajasCalculadasDelCatalogo) {
  QSet<QString> catalogo;
  for (const Caja& caja : Catalogo())
    if (caja.clase == ClaseCaja::C) catalogo.insert(caja.codigo);
  const QStringList& calculadas = CajasCalculadas();
  EXPECT_EQ(QSet<QString>(calculadas.begin(), calculadas.end()), catalogo);
  EXPECT_EQ(calculadas.size(), catalogo.size());  // none twice
  QSet<QString> escritas;
  for (const PasoCalculo& paso : PasosCalculo())
    for (int caja : paso.escribe) {
      EXPECT_FALSE(escritas.contains(calculadas.at(caja))) << calculadas.at(caja).toStdString();
      escritas.insert(calculadas.at(caja));
    }
  EXPECT_EQ(escritas, catalogo);
  // The data sets' calculated amounts are those boxes, in the form's order.
  QStringList campos, esperados;
  for (const DefinicionCampo& c : CamposCalculadosAlcabala())
    if (c.tipo == TipoColumna::C) campos << c.nombre;
  for (const Caja& caja : Catalogo())
    if (caja.clase == ClaseCaja::C) esperados << QStringLiteral("Cod") + caja.codigo;
  EXPECT_EQ(campos, esperados);
}

TEST(Formulas, LeenColumnasDeLaTablaYSoloLasAgregadasDespuesSonOpcionales) {
  QStringList columnas;
  for (const ColumnaTabla& c : ColumnasAlcabalas()) columnas << c.nombre;
  const QStringList agregadas = NombresActualizacion();
  for (const CampoDeEntrada& e : MontosDeEntrada() + TasasDeEntrada()) {
    EXPECT_TRUE(columnas.contains(e.campo)) << e.campo.toStdString();
    EXPECT_EQ(e.opcional, agregadas.contains(e.campo)) << e.campo.toStdString();
  }
  EXPECT_TRUE(columnas.contains(CampoMarcaDeEntrada()));
}

// --- Plans -----------------------------------------------------------------------------

TEST(PlanCalculo, UnaTablaAntiguaOmiteLasOpcionalesYNombraLasQueFaltan) {
  QStringList columnas;
  for (const ColumnaTabla& c : ColumnasAlcabalas())
    if (!NombresActualizacion().contains(c.nombre)) columnas << c.nombre;
  const PlanCalculo antiguo(columnas);
  EXPECT_TRUE(antiguo.Faltantes().isEmpty()) << antiguo.Faltantes().join(' ').toStdString();
  for (int i = 0; i < antiguo.CantidadMontos(); ++i)
    EXPECT_EQ(antiguo.PosicionMonto(i) < 0, MontosDeEntrada().at(i).opcional) << i;
  // No calculated fields in a table: the caller takes them from the results.
  for (int i = 0; i < antiguo.CantidadCalculadas(); ++i) EXPECT_EQ(antiguo.PosicionCalculada(i), -1);

  columnas.removeAll(QStringLiteral("Cod502"));
  columnas.removeAll(QStringLiteral("mes"));
  EXPECT_EQ(PlanCalculo(columnas).Faltantes(), QStringList({"Cod502", "mes"}));
}

TEST(PlanCalculo, ValoresSimplesDanLoMismoQueElRegistro) {
  RegistroPlano plano = PlanoSin();
  Llenar(plano, 4);
  ADODataSetAlcabalaCalcFields(plano, kChile);

  // Read straight from the columns, as a reader of the file does.
  const PlanCalculo plan(plano.Campos());
  EntradasCalculo entradas;
  for (int i = 0; i < plan.CantidadMontos(); ++i)
    entradas.PonerMonto(i, NuloACeroMoneda(plano.ValorEn(plan.PosicionMonto(i))));
  for (int i = 0; i < plan.CantidadTasas(); ++i) entradas.PonerTasa(i, plano.ValorEn(plan.PosicionTasa(i)).toDouble());
  entradas.PonerMarca(plano.ValorEn(plan.PosicionMarca()).toBool());
  entradas.PonerPeriodo(plano.ValorEn(plan.PosicionAno()).toLongLong(), plano.ValorEn(plan.PosicionMes()).toLongLong());
  ResultadosCalculo resultados;
  CalcularDeclaracion(entradas, resultados, kChile);
  for (int i = 0; i < CajasCalculadas().size(); ++i) {
    SCOPED_TRACE(CajasCalculadas().at(i).toStdString());
    EXPECT_FALSE(resultados.NoCalculada(i));
    EXPECT_EQ(resultados.Monto(i), plano.Valor(QStringLiteral("Cod") + CajasCalculadas().at(i)).value<Moneda>());
  }
  for (int t = 0; t < CantidadTextosCalculados; ++t)
    EXPECT_EQ(resultados.Texto(static_cast<TextoCalculado>(t)),
              plano.Valor(CamposTextoCalculados().at(t).nombre).toString());
}

// --- By position and by name ------------------------------------------------------------

TEST(CalculoPorPosicion, DaLoMismoQuePorNombreEnLaDisposicionActualYEnLaAntigua) {
  for (const QStringList& faltan : {QStringList(), NombresActualizacion()}) {
    SCOPED_TRACE(faltan.join(' ').toStdString());
    for (int semilla = 0; semilla < 12; ++semilla) {
      RegistroPlano plano = PlanoSin(faltan);
      RegistroMemoria memoria = RegistroMemoria::DeclaracionSin(faltan);
      Llenar(plano, semilla);
      Llenar(memoria, semilla);
      ADODataSetAlcabalaCalcFields(plano, kChile);
      ADODataSetAlcabalaCalcFields(memoria, kChile);
      ASSERT_EQ(Calculados(plano), Calculados(memoria)) << semilla;
    }
  }
}

TEST(CalculoPorPosicion, CadaDisposicionUsaSuPropioPlan) {
  // One row of each layout, computed in turn: the newer one adds box 759 to
  // the debits, the older one lacks it.
  RegistroPlano nueva = PlanoSin();
  RegistroPlano antigua = PlanoSin(NombresActualizacion());
  for (RegistroPlano* r : {&nueva, &antigua}) r->Asignar(QStringLiteral("Cod502"), QVariant::fromValue(Moneda::DesdePesos(100)));
  nueva.Asignar(QStringLiteral("Cod759"), QVariant::fromValue(Moneda::DesdePesos(50)));
  for (int vuelta = 0; vuelta < 2; ++vuelta) {
    ADODataSetAlcabalaCalcFields(nueva, kChile);
    ADODataSetAlcabalaCalcFields(antigua, kChile);
    EXPECT_EQ(nueva.Valor(QStringLiteral("Cod538")).value<Moneda>(), Moneda::DesdePesos(150));
    EXPECT_EQ(antigua.Valor(QStringLiteral("Cod538")).value<Moneda>(), Moneda::DesdePesos(100));
  }
  // A copy shares the layout until a field is added to it: then it has its own.
  RegistroPlano copia = antigua;
  EXPECT_EQ(copia.Disposicion(), antigua.Disposicion());
  copia.Agregar(DefinicionCampo{QStringLiteral("Cod759")}, QVariant::fromValue(Moneda::DesdePesos(7)));
  EXPECT_NE(copia.Disposicion()->Identidad(), antigua.Disposicion()->Identidad());
  EXPECT_FALSE(antigua.TieneCampo(QStringLiteral("Cod759")));
  ADODataSetAlcabalaCalcFields(copia, kChile);
  ADODataSetAlcabalaCalcFields(antigua, kChile);
  EXPECT_EQ(copia.Valor(QStringLiteral("Cod538")).value<Moneda>(), Moneda::DesdePesos(107));
  EXPECT_EQ(antigua.Valor(QStringLiteral("Cod538")).value<Moneda>(), Moneda::DesdePesos(100));
}

TEST(CalculoPorPosicion, UnPasoFueraDeRangoAnulaSusDependientes) {
  RegistroPlano plano = PlanoSin();
  RegistroMemoria memoria = RegistroMemoria::Declaracion();
  for (Registro* r : {static_cast<Registro*>(&plano), static_cast<Registro*>(&memoria)}) {
    r->Asignar("Cod520", QVariant::fromValue(Moneda::DesdeCrudo(5'000'000'000'000'000'000)));
    r->Asignar("Cod525", QVariant::fromValue(Moneda::DesdeCrudo(5'000'000'000'000'000'000)));
    r->Asignar("Cod502", QVariant::fromValue(Moneda::DesdePesos(100)));
    r->Asignar("Cod113", QVariant::fromValue(Moneda::DesdePesos(700)));
    ADODataSetAlcabalaCalcFields(*r, kChile);
  }
  EXPECT_EQ(Calculados(plano), Calculados(memoria));
  EXPECT_EQ(CajasNoCalculadas(plano), QStringList({"537", "77", "89", "595", "91", "573", "598", "547", "728", "707",
                                                    "73", "130", "591", "771"}));
  EXPECT_EQ(plano.Valor("Cod550").value<Moneda>(), Moneda::DesdePesos(700));
  EXPECT_EQ(plano.Valor("Cod547Mostrar").toString(), QString());

  // Computed again with sound values, every box is back.
  plano.Asignar("Cod525", QVariant::fromValue(Moneda()));
  ADODataSetAlcabalaCalcFields(plano, kChile);
  EXPECT_EQ(CajasNoCalculadas(plano), QStringList());
}

TEST(CalculoPorPosicion, UnMontoLeidoSinRangoSoloAnulaLoQueDependeDeEl) {
  // A whole number no amount can hold, in box 739 (held as a double in older
  // files): box 741 and what follows from it are null, the rest computed.
  RegistroPlano plano = PlanoSin();
  RegistroMemoria memoria = RegistroMemoria::Declaracion();
  for (Registro* r : {static_cast<Registro*>(&plano), static_cast<Registro*>(&memoria)}) {
    r->Asignar("Cod739", QVariant(std::numeric_limits<qlonglong>::max()));
    r->Asignar("Cod520", QVariant::fromValue(Moneda::DesdePesos(40)));
    ADODataSetAlcabalaCalcFields(*r, kChile);
  }
  EXPECT_EQ(Calculados(plano), Calculados(memoria));
  const QStringList nulas = CajasNoCalculadas(plano);
  EXPECT_TRUE(nulas.contains("741"));
  EXPECT_TRUE(nulas.contains("538"));
  EXPECT_TRUE(nulas.contains("547"));
  EXPECT_FALSE(nulas.contains("537"));
  EXPECT_EQ(plano.Valor("Cod537").value<Moneda>(), Moneda::DesdePesos(40));
}

TEST(CalculoPorPosicion, UnRegistroSinUnaCasillaObligatoriaEsError) {
  RegistroPlano plano = PlanoSin({QStringLiteral("Cod502")});
  try {
    ADODataSetAlcabalaCalcFields(plano, kChile);
    FAIL() << "sin error";
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "No se encontró el campo \"Cod502\".");
  }
}
