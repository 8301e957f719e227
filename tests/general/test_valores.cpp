#include <gtest/gtest.h>

#include <QLocale>
#include <limits>

#include "general/errores.h"
#include "general/valores.h"

namespace {

const QLocale kChile(QLocale::Spanish, QLocale::Chile);
const QLocale kEstadosUnidos(QLocale::English, QLocale::UnitedStates);

TEST(Rut, DigitoVerificador) {
  EXPECT_EQ(DigitoVerificador(12345678), "5");
  EXPECT_EQ(DigitoVerificador(4), "3");
  EXPECT_EQ(DigitoVerificador(14), "0");  // sum 11
  EXPECT_EQ(DigitoVerificador(6), "K");   // sum 12
  EXPECT_EQ(DigitoVerificador(1), "9");
  EXPECT_EQ(DigitoVerificador(0), "0");
  EXPECT_EQ(DigitoVerificador(7654321), "6");
  EXPECT_EQ(DigitoVerificador(999999999).size(), 1);
}

TEST(Rut, TextoEnLaCaja) {
  EXPECT_EQ(TextoRut(0, PropositoTexto::Mostrar, false), "");
  EXPECT_EQ(TextoRut(0, PropositoTexto::Editar, false), "0");
  EXPECT_EQ(TextoRut(12345678, PropositoTexto::Mostrar, false), "12345678-5");
  EXPECT_EQ(TextoRut(12345678, PropositoTexto::Editar, false), "12345678");
  EXPECT_EQ(TextoRut(12345678, PropositoTexto::Mostrar, true), "");
  EXPECT_EQ(TextoRut(12345678, PropositoTexto::Editar, true), "");
}

// A RUT as people type it: dots or none, a dash and the check digit or none.
TEST(Rut, LeidoComoSeEscribe) {
  const struct {
    const char* texto;
    qint64 cuerpo;
  } bien[] = {{"15432987-0", 15432987}, {"15.432.987-0", 15432987}, {"10000013-K", 10000013},
              {"10.000.013-k", 10000013}, {" 7.654.321-6 ", 7654321}, {"154329871", 154329871},
              {"7.654.321", 7654321},    {"", 0}};
  for (const auto& caso : bien) EXPECT_EQ(LeerRut(QString::fromUtf8(caso.texto)), caso.cuerpo) << caso.texto;
  const auto mensaje = [](const char* texto) {
    try {
      LeerRut(QString::fromUtf8(texto));
    } catch (const ErrorAlcabala& e) {
      return e.Mensaje();
    }
    return QString();
  };
  EXPECT_EQ(mensaje("15.432.987-1"), QStringLiteral("El dígito verificador de «15.432.987-1» no corresponde; debería ser 0."));
  EXPECT_EQ(mensaje("10000013-5"), QStringLiteral("El dígito verificador de «10000013-5» no corresponde; debería ser K."));
  for (const char* malo : {"15.43.2987-0", "15432987-", "-0", "15432987-00", "1,543", "12.345.678.901-1", "K"})
    EXPECT_EQ(mensaje(malo), QStringLiteral("«%1» no es un RUT válido").arg(QString::fromUtf8(malo))) << malo;
}

TEST(Teclas, Rut) {
  EXPECT_EQ(TeclaRut(QLatin1Char('7')), QLatin1Char('7'));
  EXPECT_EQ(TeclaRut(QLatin1Char('.')), QLatin1Char('.'));
  EXPECT_EQ(TeclaRut(QLatin1Char('-')), QLatin1Char('-'));
  EXPECT_EQ(TeclaRut(QLatin1Char('k')), QLatin1Char('K'));
  EXPECT_EQ(TeclaRut(QLatin1Char('K')), QLatin1Char('K'));
  EXPECT_TRUE(TeclaRut(QLatin1Char('x')).isNull());
  EXPECT_TRUE(TeclaRut(QLatin1Char(',')).isNull());
}

TEST(Meses, NombresYNumeros) {
  EXPECT_EQ(NombreDelMes(1), "Enero");
  EXPECT_EQ(NombreDelMes(9), "Septiembre");
  EXPECT_EQ(NombreDelMes(12), "Diciembre");
  EXPECT_EQ(NombreDelMes(0), "");
  EXPECT_EQ(NombreDelMes(13), "");
  EXPECT_EQ(NumeroDelMes(" enero "), 1);
  EXPECT_EQ(NumeroDelMes("Enero."), 0);
  EXPECT_EQ(NumeroDelMes(""), 0);
  EXPECT_EQ(NumeroDelMes("SEPTIEMBRE"), 9);
  EXPECT_EQ(NumeroDelMes("Setiembre"), 0);
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(NumeroDelMes(NombreDelMes(m)), m);
}

TEST(Nulos, LecturasSeguras) {
  const QVariant nulo;
  EXPECT_EQ(NuloACero(nulo), QVariant(0));
  EXPECT_EQ(NuloACero(QVariant(7)), QVariant(7));
  EXPECT_EQ(NuloAVacio(nulo), "");
  EXPECT_EQ(NuloAVacio(QVariant("abc  ")), "abc  ");
  EXPECT_FALSE(NuloAFalso(nulo));
  EXPECT_TRUE(NuloAFalso(QVariant(true)));
  EXPECT_FALSE(NuloAFalso(QVariant(false)));
  EXPECT_TRUE(NuloAFalso(QVariant(1)));
}

TEST(Nulos, LecturasNumericasDeCadaTipo) {
  EXPECT_EQ(NuloACeroMoneda(QVariant()), Moneda());
  EXPECT_EQ(NuloACeroMoneda(QVariant::fromValue(Moneda::DesdeCrudo(12345))), Moneda::DesdeCrudo(12345));
  EXPECT_EQ(NuloACeroMoneda(QVariant(1500)), Moneda::DesdePesos(1500));
  EXPECT_EQ(NuloACeroMoneda(QVariant(qint64(9999999999LL))), Moneda::DesdePesos(9999999999LL));
  EXPECT_EQ(NuloACeroMoneda(QVariant(12.5)), Moneda::DesdeCrudo(125000));
  EXPECT_EQ(NuloACeroMoneda(QVariant(-3.0f)), Moneda::DesdePesos(-3));
  // A number beyond any amount is an error, not an arbitrary value.
  EXPECT_THROW(NuloACeroMoneda(QVariant(1e300)), ErrorAlcabala);
  EXPECT_THROW(NuloACeroMoneda(QVariant(std::numeric_limits<double>::quiet_NaN())), ErrorAlcabala);
  // A single-precision value is widened exactly, never re-rounded in decimal.
  EXPECT_EQ(NuloACeroDouble(QVariant(0.1f)), static_cast<double>(0.1f));
  EXPECT_EQ(NuloACeroDouble(QVariant()), 0.0);
  EXPECT_EQ(NuloACeroDouble(QVariant::fromValue(Moneda::DesdeCrudo(25000))), 2.5);
  EXPECT_EQ(NuloACeroEntero(QVariant()), 0);
  EXPECT_EQ(NuloACeroEntero(QVariant(short(13))), 13);
  EXPECT_EQ(NuloACeroEntero(QVariant::fromValue(Moneda::DesdePesos(42))), 42);
}

TEST(Teclas, Digitos) {
  EXPECT_EQ(TeclaDigito(QLatin1Char('7')), QLatin1Char('7'));
  EXPECT_EQ(TeclaDigito(QChar(TeclaRetroceso)), QChar(TeclaRetroceso));
  EXPECT_EQ(TeclaDigito(QLatin1Char('a')), QChar());
  EXPECT_EQ(TeclaDigito(QLatin1Char('-')), QChar());
  EXPECT_EQ(TeclaDigito(QLatin1Char('.')), QChar());
}

TEST(Teclas, DigitosConSigno) {
  EXPECT_EQ(TeclaDigitoConSigno("", QLatin1Char('-'), 0), QLatin1Char('-'));
  EXPECT_EQ(TeclaDigitoConSigno("-", QLatin1Char('-'), 0), QChar());     // only once
  EXPECT_EQ(TeclaDigitoConSigno("15", QLatin1Char('-'), 1), QChar());    // caret after the first digit
  EXPECT_EQ(TeclaDigitoConSigno("15", QLatin1Char('-'), 0), QLatin1Char('-'));
  EXPECT_EQ(TeclaDigitoConSigno("-15", QLatin1Char('3'), 3), QLatin1Char('3'));
  EXPECT_EQ(TeclaDigitoConSigno("", QLatin1Char('+'), 0), QChar());
  EXPECT_EQ(TeclaDigitoConSigno("", QChar(TeclaRetroceso), 0), QChar(TeclaRetroceso));
}

TEST(Teclas, DecimalSegunLaConfiguracionRegional) {
  // Chile: the point becomes the comma, once.
  EXPECT_EQ(TeclaDecimal("12", QLatin1Char('.'), kChile), QLatin1Char(','));
  EXPECT_EQ(TeclaDecimal("12", QLatin1Char(','), kChile), QLatin1Char(','));
  EXPECT_EQ(TeclaDecimal("12,5", QLatin1Char(','), kChile), QChar());
  EXPECT_EQ(TeclaDecimal("12,5", QLatin1Char('.'), kChile), QChar());
  EXPECT_EQ(TeclaDecimal("12", QLatin1Char('x'), kChile), QChar());
  EXPECT_EQ(TeclaDecimal("12", QLatin1Char('3'), kChile), QLatin1Char('3'));
  // United States: the point is the separator, the comma is not accepted.
  EXPECT_EQ(TeclaDecimal("12", QLatin1Char('.'), kEstadosUnidos), QLatin1Char('.'));
  EXPECT_EQ(TeclaDecimal("12.5", QLatin1Char('.'), kEstadosUnidos), QChar());
  EXPECT_EQ(TeclaDecimal("12", QLatin1Char(','), kEstadosUnidos), QChar());
  EXPECT_EQ(TeclaDecimal("", QChar(TeclaRetroceso), kEstadosUnidos), QChar(TeclaRetroceso));
}

TEST(Archivos, NombreSinExtension) {
  EXPECT_EQ(NombreSinExtension("C:\\Datos\\Empresa.alc"), "Empresa");
  EXPECT_EQ(NombreSinExtension("Empresa.oalc"), "Empresa");
  EXPECT_EQ(NombreSinExtension("/home/ana/Alcabalas/Empresa.alc"), "Empresa");
  EXPECT_EQ(NombreSinExtension("C:Empresa.alc"), "Empresa");
  EXPECT_EQ(NombreSinExtension("Empresa"), "Empresa");
  EXPECT_EQ(NombreSinExtension("a.b.alc"), "a.b");
  EXPECT_EQ(NombreSinExtension("/datos.viejos/Empresa"), "Empresa");
}

TEST(Archivos, CarpetaMisDocumentosSinSeparadorFinal) {
  const QString carpeta = CarpetaMisDocumentos();
  EXPECT_FALSE(carpeta.isEmpty());
  EXPECT_FALSE(carpeta.size() > 1 && carpeta.endsWith(QLatin1Char('/')));
}

TEST(Formato, MontosConAgrupacionDeMiles) {
  EXPECT_EQ(FormatoGrupos(Moneda::DesdePesos(1234567), kChile), "1.234.567");
  EXPECT_EQ(FormatoGrupos(Moneda::DesdePesos(1234567), kEstadosUnidos), "1,234,567");
  EXPECT_EQ(FormatoGrupos(Moneda::DesdePesos(1500), kChile), "1.500");
  EXPECT_EQ(FormatoGrupos(Moneda::DesdePesos(999), kChile), "999");
  EXPECT_EQ(FormatoGrupos(Moneda::DesdePesos(-1500), kChile), "-1.500");
  EXPECT_EQ(FormatoGrupos(Moneda(), kChile), "");  // zero shows as nothing
  EXPECT_EQ(FormatoGrupos(0.0, kEstadosUnidos), "");
  EXPECT_EQ(FormatoN0(Moneda(), kChile), "0");
  EXPECT_EQ(FormatoN0(Moneda::DesdePesos(1500), kChile), "1.500");
  EXPECT_EQ(FormatoN0(Moneda::DesdePesos(999999999999LL), kEstadosUnidos), "999,999,999,999");
  EXPECT_EQ(AgruparMiles(std::numeric_limits<qint64>::min(), kEstadosUnidos), "-9,223,372,036,854,775,808");
  EXPECT_EQ(AgruparMiles(100000, kChile), "100.000");
}

TEST(Formato, TasasConHastaDosDecimales) {
  EXPECT_EQ(FormatoGruposDecimal(12.5, kChile), "12,5");
  EXPECT_EQ(FormatoGruposDecimal(12.5, kEstadosUnidos), "12.5");
  EXPECT_EQ(FormatoGruposDecimal(12.0, kChile), "12");
  EXPECT_EQ(FormatoGruposDecimal(1234.56, kChile), "1.234,56");
  EXPECT_EQ(FormatoGruposDecimal(1234.56, kEstadosUnidos), "1,234.56");
  EXPECT_EQ(FormatoGruposDecimal(static_cast<double>(0.1f), kChile), ",1");
  EXPECT_EQ(FormatoGruposDecimal(0.0, kChile), "");
  EXPECT_EQ(FormatoEdicionDecimal(12.5, kChile), "12,5");
  EXPECT_EQ(FormatoEdicionDecimal(12.5, kEstadosUnidos), "12.5");
  EXPECT_EQ(FormatoEdicionDecimal(1234.5, kChile), "1234,5");  // editing has no grouping
  EXPECT_EQ(FormatoEdicionDecimal(0.0, kChile), "0");
  EXPECT_EQ(FormatoEdicionDecimal(static_cast<double>(1.1f), kEstadosUnidos), "1.1");
}

}  // namespace
