#include <gtest/gtest.h>

#include <QLocale>

#include "common/locales.h"
#include "declarations/catalogo/presentacion.h"
#include "general/errores.h"
#include "general/moneda.h"

namespace {
using prueba::Chile;
using prueba::EEUU;
}  // namespace

TEST(TextoDeValor, MontosAgrupadosYPlanosAlEditar) {
  const QVariant monto = QVariant::fromValue(Moneda::DesdePesos(1234567));
  EXPECT_EQ(TextoDeValor(monto, Presentacion::Grupos, false, false, Chile), QStringLiteral("1.234.567"));
  EXPECT_EQ(TextoDeValor(monto, Presentacion::Grupos, false, false, EEUU), QStringLiteral("1,234,567"));
  EXPECT_EQ(TextoDeValor(monto, Presentacion::Grupos, true, false, Chile), QStringLiteral("1234567"));
  EXPECT_EQ(TextoDeValor(QVariant::fromValue(Moneda()), Presentacion::Grupos, false, false, Chile), QString());
  EXPECT_EQ(TextoDeValor(QVariant(1500), Presentacion::Grupos, false, false, Chile), QStringLiteral("1.500"));
  EXPECT_EQ(TextoDeValor(QVariant(-2500.0), Presentacion::Grupos, false, false, Chile), QStringLiteral("-2.500"));
  EXPECT_EQ(TextoDeValor(QVariant(), Presentacion::Grupos, false, false, Chile), QString());
  EXPECT_EQ(TextoDeValor(monto, Presentacion::Grupos, false, true, Chile), QString());
}

TEST(TextoDeValor, TasasTelefonosRutYTextos) {
  EXPECT_EQ(TextoDeValor(QVariant(12.5f), Presentacion::GruposDecimal, false, false, Chile), QStringLiteral("12,5"));
  EXPECT_EQ(TextoDeValor(QVariant(12.5f), Presentacion::GruposDecimal, true, false, Chile), QStringLiteral("12,5"));
  EXPECT_EQ(TextoDeValor(QVariant(12.5f), Presentacion::GruposDecimal, false, false, EEUU), QStringLiteral("12.5"));
  EXPECT_EQ(TextoDeValor(QVariant(12.0f), Presentacion::GruposDecimal, false, false, Chile), QStringLiteral("12"));
  EXPECT_EQ(TextoDeValor(QVariant(0.0f), Presentacion::GruposDecimal, false, false, Chile), QString());
  EXPECT_EQ(TextoDeValor(QVariant(5551234), Presentacion::Telefono, false, false, Chile), QStringLiteral("5551234"));
  EXPECT_EQ(TextoDeValor(QVariant(0), Presentacion::Telefono, false, false, Chile), QString());
  EXPECT_EQ(TextoDeValor(QVariant(12345678), Presentacion::Rut, false, false, Chile), QStringLiteral("12345678-5"));
  EXPECT_EQ(TextoDeValor(QVariant(12345678), Presentacion::Rut, true, false, Chile), QStringLiteral("12345678"));
  EXPECT_EQ(TextoDeValor(QVariant(0), Presentacion::Rut, false, false, Chile), QString());
  EXPECT_EQ(TextoDeValor(QVariant(QStringLiteral("Prat      ")), Presentacion::Texto, false, false, Chile),
            QStringLiteral("Prat"));
  EXPECT_EQ(TextoDeValor(QVariant(QStringLiteral("     (1.500)")), Presentacion::TextoDerecha, false, false, Chile),
            QStringLiteral("     (1.500)"));
}

TEST(ValorDeTexto, NumerosQueCabenEnSuCampo) {
  EXPECT_EQ(ValorDeTexto(QStringLiteral("1234567"), TipoColumna::C, 0, Chile).value<Moneda>(),
            Moneda::DesdePesos(1234567));
  EXPECT_EQ(ValorDeTexto(QStringLiteral("1.234.567"), TipoColumna::C, 0, Chile).value<Moneda>(),
            Moneda::DesdePesos(1234567));
  EXPECT_EQ(ValorDeTexto(QString(), TipoColumna::C, 0, Chile).value<Moneda>(), Moneda());
  EXPECT_EQ(ValorDeTexto(QStringLiteral("-300"), TipoColumna::C, 0, Chile).value<Moneda>(), Moneda::DesdePesos(-300));
  EXPECT_EQ(ValorDeTexto(QStringLiteral("32767"), TipoColumna::S, 0, Chile).toInt(), 32767);
  EXPECT_EQ(ValorDeTexto(QStringLiteral("2147483647"), TipoColumna::L, 0, Chile).toInt(), 2147483647);
  EXPECT_FLOAT_EQ(ValorDeTexto(QStringLiteral("1,5"), TipoColumna::F, 0, Chile).toFloat(), 1.5f);
  EXPECT_FLOAT_EQ(ValorDeTexto(QStringLiteral("1.5"), TipoColumna::F, 0, EEUU).toFloat(), 1.5f);
  EXPECT_EQ(ValorDeTexto(QStringLiteral("Prat"), TipoColumna::W, 10, Chile).toString(), QStringLiteral("Prat"));
}

TEST(ValorDeTexto, RechazaLoQueNoCabeOLoQueNoEsNumero) {
  EXPECT_THROW(ValorDeTexto(QStringLiteral("32768"), TipoColumna::S, 0, Chile), ErrorAlcabala);
  EXPECT_THROW(ValorDeTexto(QStringLiteral("2147483648"), TipoColumna::L, 0, Chile), ErrorAlcabala);
  EXPECT_THROW(ValorDeTexto(QStringLiteral("99999999999999999999"), TipoColumna::L, 0, Chile), ErrorAlcabala);
  EXPECT_THROW(ValorDeTexto(QStringLiteral("12a"), TipoColumna::C, 0, Chile), ErrorAlcabala);
  EXPECT_THROW(ValorDeTexto(QStringLiteral("1,5"), TipoColumna::S, 0, Chile), ErrorAlcabala);
  EXPECT_THROW(ValorDeTexto(QStringLiteral("-"), TipoColumna::C, 0, Chile), ErrorAlcabala);
  EXPECT_THROW(ValorDeTexto(QStringLiteral("12345678901"), TipoColumna::W, 10, Chile), ErrorAlcabala);
  try {
    ValorDeTexto(QStringLiteral("3000000000"), TipoColumna::L, 0, Chile);
    FAIL();
  } catch (const ErrorAlcabala& e) {
    EXPECT_TRUE(e.Mensaje().contains(QStringLiteral("2.147.483.647"))) << e.Mensaje().toStdString();
  }
}


TEST(TextoConFormato, FormatosDeLosImpresos) {
  const QVariant monto = QVariant::fromValue(Moneda::DesdePesos(1234567));
  const QVariant cero = QVariant::fromValue(Moneda());
  EXPECT_EQ(TextoConFormato(monto, FormatoValor::Grupos, Chile), QStringLiteral("1.234.567"));
  EXPECT_EQ(TextoConFormato(monto, FormatoValor::Grupos, EEUU), QStringLiteral("1,234,567"));
  EXPECT_EQ(TextoConFormato(cero, FormatoValor::Grupos, Chile), QString());
  EXPECT_EQ(TextoConFormato(cero, FormatoValor::GruposCero, Chile), QStringLiteral("0"));
  EXPECT_EQ(TextoConFormato(QVariant(), FormatoValor::GruposCero, Chile), QString());
  EXPECT_EQ(TextoConFormato(QVariant(0.25f), FormatoValor::GruposDecimal, Chile), QStringLiteral(",25"));
  EXPECT_EQ(TextoConFormato(QVariant(0.25f), FormatoValor::GruposDecimal, EEUU), QStringLiteral(".25"));
  EXPECT_EQ(TextoConFormato(QVariant(1234.5), FormatoValor::GruposDecimal, Chile), QStringLiteral("1.234,5"));
  EXPECT_EQ(TextoConFormato(monto, FormatoValor::Plano, Chile), QStringLiteral("1234567"));
  EXPECT_EQ(TextoConFormato(cero, FormatoValor::Plano, Chile), QStringLiteral("0"));
  EXPECT_EQ(TextoConFormato(QVariant(0.25f), FormatoValor::Plano, Chile), QStringLiteral("0,25"));
  // A single-precision value as typed: no widened digits, no exponent, no grouping.
  EXPECT_EQ(TextoConFormato(QVariant(0.3f), FormatoValor::Plano, EEUU), QStringLiteral("0.3"));
  EXPECT_EQ(TextoConFormato(QVariant(0.125f), FormatoValor::Plano, Chile), QStringLiteral("0,125"));
  EXPECT_EQ(TextoConFormato(QVariant(12345678.0f), FormatoValor::Plano, EEUU), QStringLiteral("12345678"));
  EXPECT_EQ(TextoConFormato(QVariant(0.0f), FormatoValor::Plano, EEUU), QStringLiteral("0"));
  EXPECT_EQ(TextoConFormato(QVariant(13), FormatoValor::Plano, Chile), QStringLiteral("13"));
  EXPECT_EQ(TextoConFormato(QVariant(0), FormatoValor::Telefono, Chile), QString());
  EXPECT_EQ(TextoConFormato(QVariant(12345678), FormatoValor::Rut, Chile), QStringLiteral("12345678-5"));
  EXPECT_EQ(TextoConFormato(QVariant(), FormatoValor::Rut, Chile), QString());
  EXPECT_EQ(TextoConFormato(QVariant(QStringLiteral("Prat   ")), FormatoValor::Texto, Chile), QStringLiteral("Prat"));
}

TEST(TextoConFormato, MontosGrandesSinPasarPorDouble) {
  // 900 billion pesos and 1 peso: a double of the raw value would lose the last digit.
  const Moneda grande = Moneda::DesdePesos(900000000000001LL);
  EXPECT_EQ(TextoConFormato(QVariant::fromValue(grande), FormatoValor::GruposCero, Chile),
            QStringLiteral("900.000.000.000.001"));
  EXPECT_EQ(TextoConFormato(QVariant::fromValue(-grande), FormatoValor::Grupos, Chile),
            QStringLiteral("-900.000.000.000.001"));
  // Fractions of a peso round half away from zero.
  EXPECT_EQ(TextoConFormato(QVariant::fromValue(Moneda::DesdeCrudo(25000)), FormatoValor::Grupos, Chile),
            QStringLiteral("3"));
  EXPECT_EQ(TextoConFormato(QVariant::fromValue(Moneda::DesdeCrudo(-24999)), FormatoValor::Grupos, Chile),
            QStringLiteral("-2"));
}

TEST(FormatoDeCampo, ElCatalogoDecideComoSeImprimeCadaCaja) {
  EXPECT_EQ(FormatoDeCampo(QStringLiteral("Cod538")), FormatoValor::Grupos);
  for (const char* decimal : {"Cod115", "Cod542", "Cod702", "Cod729", "Cod730", "Cod738"})
    EXPECT_EQ(FormatoDeCampo(QString::fromLatin1(decimal)), FormatoValor::GruposDecimal) << decimal;
  for (const char* telefono : {"Cod09", "Cod601", "Cod604"})
    EXPECT_EQ(FormatoDeCampo(QString::fromLatin1(telefono)), FormatoValor::Telefono) << telefono;
  EXPECT_EQ(FormatoDeCampo(QStringLiteral("Cod53")), FormatoValor::Plano);
  EXPECT_EQ(FormatoDeCampo(QStringLiteral("Cod613")), FormatoValor::Plano);
  EXPECT_EQ(FormatoDeCampo(QStringLiteral("Cod313")), FormatoValor::Rut);
  EXPECT_EQ(FormatoDeCampo(QStringLiteral("Cod06")), FormatoValor::Texto);
  EXPECT_EQ(FormatoDeCampo(QStringLiteral("Cod15_1")), FormatoValor::Texto);
}
