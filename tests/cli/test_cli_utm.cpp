#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "common/cli.h"
#include "common/servidorhttp.h"

namespace {

using prueba::EjecutarCli;
using Resultado = prueba::ResultadoCli;

class CliUtm : public ::testing::Test {
 protected:
  void SetUp() override {
    servidor_.Servir(QStringLiteral("/UTM/2024.xml"), 200,
                     "<?xml version=\"1.0\"?><UTMs><Mes><Monto>64666</Monto></Mes>"
                     "<Mes><Monto>36789.50</Monto></Mes><Mes><Monto></Monto></Mes></UTMs>");
    servidor_.Servir(QStringLiteral("/UTM/2023.xml"), 200, "<UTMs><Mes><Monto>1</Monto></UTMs>");
    servidor_.Servir(QStringLiteral("/UTM/2022.xml"), 200, "<UTMs><Mes><Monto>sesenta</Monto></Mes></UTMs>");
  }
  Resultado Utm(const QStringList& argumentos, const QString& locale = QStringLiteral("C.UTF-8")) {
    return EjecutarCli(QStringList{QStringLiteral("utm")} + argumentos, servidor_.UrlBase(), locale);
  }
  prueba::ServidorPrueba servidor_;
};

}  // namespace

TEST_F(CliUtm, ImprimeElValorComoNumeroSimple) {
  for (const QString& locale : {QStringLiteral("C.UTF-8"), QStringLiteral("es_CL.UTF-8")}) {
    Resultado r = Utm({"2024", "1"}, locale);
    EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
    EXPECT_EQ(r.salida, QStringLiteral("64666\n"));
    r = Utm({"2024", "2"}, locale);
    EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
    EXPECT_EQ(r.salida, QStringLiteral("36789.5\n"));
  }
}

TEST_F(CliUtm, SinValorImprimeCero) {
  for (const QStringList& argumentos : {QStringList{"2024", "3"}, QStringList{"2024", "12"}, QStringList{"2030", "1"}}) {
    const Resultado r = Utm(argumentos);
    EXPECT_EQ(r.codigo, 0) << argumentos.join(' ').toStdString();
    EXPECT_EQ(r.salida, QStringLiteral("0\n"));
  }
}

TEST_F(CliUtm, SinServidorDiceQueNoSePudoDescargar) {
  const Resultado sinServidor =
      EjecutarCli({"utm", "2024", "1"}, QStringLiteral("http://127.0.0.1:%1/").arg(prueba::ServidorPrueba::PuertoCerrado()));
  EXPECT_EQ(sinServidor.codigo, 1);
  EXPECT_TRUE(sinServidor.salida.isEmpty());
  EXPECT_TRUE(sinServidor.errores.startsWith("No se pudo descargar ")) << sinServidor.errores.toStdString();
}

TEST_F(CliUtm, UnDocumentoMalFormadoOUnMontoInvalidoEsError) {
  Resultado r = Utm({"2023", "1"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.salida.isEmpty());
  EXPECT_TRUE(r.errores.contains(QStringLiteral("mismatch"))) << r.errores.toStdString();
  r = Utm({"2022", "1"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains(QStringLiteral("sesenta"))) << r.errores.toStdString();
}

TEST_F(CliUtm, UsoIncorrecto) {
  for (const QStringList& argumentos :
       {QStringList{}, QStringList{"2024"}, QStringList{"dosmil", "1"}, QStringList{"2024", "enero"},
        QStringList{"2024", "0"}, QStringList{"2024", "13"}, QStringList{"2024", "-1"}, QStringList{"2024", "1", "x"}}) {
    const Resultado r = Utm(argumentos);
    EXPECT_EQ(r.codigo, 2) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.contains(QStringLiteral("utm AÑO MES"))) << r.errores.toStdString();
    EXPECT_TRUE(r.salida.isEmpty());
  }
  EXPECT_EQ(servidor_.Peticiones(QStringLiteral("/UTM/2024.xml")), 0);
}
