#include <gtest/gtest.h>

#include <QLocale>

#include "common/locales.h"
#include "common/servidorhttp.h"
#include "general/errores.h"
#include "general/red/utm.h"

namespace {

using prueba::Chile;
const QLocale EstadosUnidos(QLocale::English, QLocale::UnitedStates);

QByteArray DocumentoUTM(const QStringList& montos, const QByteArray& raiz = "UTMs") {
  QByteArray texto = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + raiz + ">\n";
  for (const QString& monto : montos) texto += "  <Mes><Monto>" + monto.toUtf8() + "</Monto></Mes>\n";
  return texto + "</" + raiz + ">\n";
}

// Serves the document of one year and points the program at the server.
class UTMEnServidor : public ::testing::Test {
 protected:
  void Servir(int ano, const QByteArray& cuerpo, int estado = 200) {
    servidor_.Servir(QStringLiteral("/UTM/%1.xml").arg(ano), estado, cuerpo);
  }
  prueba::ServidorPrueba servidor_;
  prueba::UrlBaseDePrueba entorno_{servidor_.UrlBase()};
};

}  // namespace

TEST_F(UTMEnServidor, ElMesEnesimoEsElHijoEnesimo) {
  Servir(2024, DocumentoUTM({"64666", "64343", "64793"}));
  EXPECT_EQ(ValorUTM(2024, 1, Chile), 64666.0);
  EXPECT_EQ(ValorUTM(2024, 3, Chile), 64793.0);
  // A short year: the months after the last one present have no value.
  EXPECT_EQ(ValorUTM(2024, 4, Chile), 0.0);
  EXPECT_EQ(ValorUTM(2024, 12, Chile), 0.0);
  EXPECT_EQ(ValorUTM(2024, 0, Chile), 0.0);
  EXPECT_EQ(servidor_.UltimaPeticion().ruta, QStringLiteral("/UTM/2024.xml"));
}

TEST_F(UTMEnServidor, CadaConsultaDescargaDeNuevo) {
  Servir(2023, DocumentoUTM({"61769"}));
  ValorUTM(2023, 1, Chile);
  ValorUTM(2023, 1, Chile);
  EXPECT_EQ(servidor_.Peticiones(QStringLiteral("/UTM/2023.xml")), 2);
  Servir(2023, DocumentoUTM({"61770"}));
  EXPECT_EQ(ValorUTM(2023, 1, Chile), 61770.0);
}

TEST_F(UTMEnServidor, LosNombresDeLosMesesNoImportanPeroLaRaizSi) {
  Servir(2022, "<UTMs><a><Monto>1</Monto></a><!-- c -->texto<zz><Monto>2</Monto></zz></UTMs>");
  EXPECT_EQ(ValorUTM(2022, 2, Chile), 2.0);
  Servir(2022, DocumentoUTM({"57000"}, "utms"));
  EXPECT_EQ(ValorUTM(2022, 1, Chile), 0.0);
  Servir(2022, DocumentoUTM({"57000"}, "Valores"));
  EXPECT_EQ(ValorUTM(2022, 1, Chile), 0.0);
}

TEST_F(UTMEnServidor, DecimalesConComaYConPuntoDecimal) {
  Servir(2010, DocumentoUTM({"36789.5", "36789.00", " 36790 "}));
  for (const QLocale& locale : {Chile, EstadosUnidos, QLocale::c()}) {
    EXPECT_EQ(ValorUTM(2010, 1, locale), 36789.5) << locale.name().toStdString();
    EXPECT_EQ(ValorUTM(2010, 2, locale), 36789.0) << locale.name().toStdString();
    EXPECT_EQ(ValorUTM(2010, 3, locale), 36790.0) << locale.name().toStdString();
  }
}

TEST_F(UTMEnServidor, SinValorOSinDocumentoDaCero) {
  Servir(2021, "<UTMs><Mes><Monto></Monto></Mes><Mes/><Mes><Monto>  </Monto></Mes></UTMs>");
  EXPECT_EQ(ValorUTM(2021, 1, Chile), 0.0);
  EXPECT_EQ(ValorUTM(2021, 2, Chile), 0.0);
  EXPECT_EQ(ValorUTM(2021, 3, Chile), 0.0);
  Servir(2020, DocumentoUTM({"50000"}), 404);
  EXPECT_EQ(ValorUTM(2020, 1, Chile), 0.0);
  EXPECT_EQ(ValorUTM(1999, 1, Chile), 0.0);  // not published at all
  // Numbers that are no UTM value: none for the month.
  Servir(2017, DocumentoUTM({"-50021", "0", "+46000", "0.0"}));
  for (int mes = 1; mes <= 4; ++mes) EXPECT_EQ(ValorUTM(2017, mes, Chile), 0.0) << mes;
}

TEST_F(UTMEnServidor, UnaDescargaFallidaNoEsUnMesSinUTM) {
  Servir(2020, DocumentoUTM({"50000"}), 500);
  try {
    ValorUTM(2020, 1, Chile);
    ADD_FAILURE();
  } catch (const ErrorAlcabala& error) {
    EXPECT_TRUE(error.Mensaje().startsWith(QStringLiteral("No se pudo descargar ") + DireccionUTM(2020) + ": "))
        << error.Mensaje().toStdString();
    EXPECT_TRUE(error.Mensaje().contains(QStringLiteral("500"))) << error.Mensaje().toStdString();
  }
}

TEST_F(UTMEnServidor, UnDocumentoMalFormadoLevantaError) {
  Servir(2019, "<UTMs><Mes><Monto>48000</Monto></UTMs>");
  EXPECT_THROW(ValorUTM(2019, 1, Chile), ErrorAlcabala);
}

TEST_F(UTMEnServidor, UnMontoQueNoEsNumeroLevantaErrorClaro) {
  Servir(2018, DocumentoUTM({"47.000,5", "abc", "4e4", "1 000", "-"}));
  for (int mes = 1; mes <= 5; ++mes) {
    for (const QLocale& locale : {Chile, EstadosUnidos}) {
      try {
        ValorUTM(2018, mes, locale);
        ADD_FAILURE() << "mes " << mes << " " << locale.name().toStdString();
      } catch (const ErrorAlcabala& error) {
        EXPECT_TRUE(error.Mensaje().contains(QStringLiteral("UTM"))) << error.Mensaje().toStdString();
      }
    }
  }
}

TEST(ValorUTM, SinServidorDiceQueNoSePudoDescargar) {
  prueba::UrlBaseDePrueba entorno(QStringLiteral("http://127.0.0.1:%1/").arg(prueba::ServidorPrueba::PuertoCerrado()));
  try {
    ValorUTM(2024, 1, Chile);
    ADD_FAILURE();
  } catch (const ErrorAlcabala& error) {
    EXPECT_TRUE(error.Mensaje().startsWith(QStringLiteral("No se pudo descargar "))) << error.Mensaje().toStdString();
    EXPECT_GT(error.Mensaje().size(), QStringLiteral("No se pudo descargar ").size() + DireccionUTM(2024).size() + 2);
  }
}

TEST(ConvertirMontoUTM, FormaDecimalEstricta) {
  EXPECT_EQ(ConvertirMontoUTM(QStringLiteral("36789.5"), Chile), 36789.5);
  EXPECT_EQ(ConvertirMontoUTM(QStringLiteral(".5"), Chile), 0.5);
  EXPECT_EQ(ConvertirMontoUTM(QStringLiteral("12."), EstadosUnidos), 12.0);
  EXPECT_EQ(ConvertirMontoUTM(QString(), Chile), 0.0);
  EXPECT_FALSE(ConvertirMontoUTM(QStringLiteral("1.2.3"), Chile).has_value());
  EXPECT_FALSE(ConvertirMontoUTM(QStringLiteral("36,789"), EstadosUnidos).has_value());
  EXPECT_FALSE(ConvertirMontoUTM(QStringLiteral("$5"), Chile).has_value());
  // Blanks of the markup around it are fine; a no-break space is no blank.
  EXPECT_EQ(ConvertirMontoUTM(QStringLiteral("\n\t 50021 \r\n"), Chile), 50021.0);
  EXPECT_FALSE(ConvertirMontoUTM(QStringLiteral("50021\u00a0"), Chile).has_value());
  EXPECT_FALSE(ConvertirMontoUTM(QStringLiteral("\u00a050021"), Chile).has_value());
  // A signed number is no UTM value.
  EXPECT_EQ(ConvertirMontoUTM(QStringLiteral("-50021"), Chile), 0.0);
  EXPECT_EQ(ConvertirMontoUTM(QStringLiteral("+50021"), Chile), 0.0);
}
