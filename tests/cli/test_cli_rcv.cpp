// alcabala-cli rcv, run as the user runs it: the comparison writes nothing,
// --aplicar writes the registry's boxes and keeps the others, and a bad file
// or a box that cannot take its value writes nothing either.

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "common/archivos.h"
#include "common/cli.h"
#include "common/rcv.h"
#include "common/sql.h"

namespace {

using prueba::EjecutarCli;

const QString Chile = QStringLiteral("es_CL.UTF-8");

class RcvCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo = carpeta.filePath("Empresa.alc");
    ASSERT_EQ(EjecutarCli({"nuevo", archivo}).codigo, 0);
    // March 2026 with boxes typed by hand: 503 and 502 the registry replaces,
    // 586 and 91's inputs it does not feed.
    prueba::EjecutarSql(archivo, {"INSERT INTO alcabalas (ano, mes, Cod503, Cod502, Cod586, Cod142) "
                                  "VALUES (2026, 3, 9, 50000000, 4, 10000000)"});
    ventas = carpeta.filePath("ventas.csv");
    ASSERT_TRUE(prueba::EscribirRcv(
        ventas, prueba::EncabezadoVentasRcv(),
        {prueba::FilaVentaRcv("1", 33, "Del Giro", "1-9", 1, "02/03/2026", 0, 1000, 190),
         prueba::FilaVentaRcv("2", 33, "Del Giro", "1-9", 2, "03/03/2026", 0, 2000, 380),
         prueba::FilaVentaRcv("3", 33, "Del Giro", "1-9", 3, "03/02/2026", 0, 2000, 380)}));
  }
  QVariantList Fila() const {
    return prueba::ConsultarSql(archivo, "SELECT Cod503, Cod502, Cod586, Cod142 FROM alcabalas").value(0);
  }
  QTemporaryDir carpeta;
  QString archivo;
  QString ventas;
};

}  // namespace

TEST_F(RcvCliTest, SinAplicarComparaYNoEscribeNada) {
  const QByteArray antes = prueba::BytesDeArchivo(archivo);
  const auto r = EjecutarCli({"rcv", archivo, "2026-03", ventas}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_TRUE(r.salida.contains(QRegularExpression("503 +9 +2 +-7 +Facturas emitidas"))) << r.salida.toStdString();
  EXPECT_TRUE(r.salida.contains(QRegularExpression("502 +5.000 +570 +-4.430"))) << r.salida.toStdString();
  EXPECT_TRUE(r.salida.contains("Ventas de Febrero del 2026: 1 documento")) << r.salida.toStdString();
  EXPECT_TRUE(r.salida.contains("no se escribió nada"));
  EXPECT_EQ(prueba::BytesDeArchivo(archivo), antes);
}

TEST_F(RcvCliTest, AplicarEscribeLasCasillasDelRegistroYConservaLasDemas) {
  const auto r = EjecutarCli({"rcv", "--aplicar", archivo, "2026-03", ventas, "--json"}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  const QJsonObject j = QJsonDocument::fromJson(r.salidaCruda).object();
  EXPECT_EQ(j["periodo"].toString(), "2026-03");
  EXPECT_TRUE(j["aplicado"].toBool());
  const QJsonArray casillas = j["casillas"].toArray();
  ASSERT_EQ(casillas.size(), 2);
  EXPECT_EQ(casillas[1].toObject()["casilla"].toString(), "502");
  EXPECT_EQ(casillas[1].toObject()["actual"].toInteger(), 5000);
  EXPECT_EQ(casillas[1].toObject()["registro"].toInteger(), 570);
  EXPECT_EQ(j["otrosPeriodos"].toArray().size(), 1);
  EXPECT_EQ(Fila(), (QVariantList{2, 5700000LL, 4, 10000000LL}));
}

TEST_F(RcvCliTest, ErroresNoEscribenNada) {
  const QString malo = carpeta.filePath("malo.csv");
  ASSERT_TRUE(prueba::EscribirRcv(malo, prueba::EncabezadoVentasRcv(), {"1;33;Del Giro;1-9"}));
  const QString exportacion = carpeta.filePath("exportacion.csv");
  ASSERT_TRUE(prueba::EscribirRcv(exportacion, prueba::EncabezadoVentasRcv(),
                                  {prueba::FilaVentaRcv("1", 112, "Del Giro", "1-9", 1, "02/03/2026", 10, 0, 0)}));
  const QByteArray antes = prueba::BytesDeArchivo(archivo);
  struct Caso {
    QStringList argumentos;
    int codigo;
    const char* mensaje;
  };
  const QList<Caso> casos = {
      {{"rcv", archivo, "2026-03", ventas, malo, "--aplicar"}, 1,
       "«malo.csv», línea 2: la fila tiene 4 columnas y el encabezado 18."},
      {{"rcv", archivo, "2026-04", ventas, "--aplicar"}, 1, "No existe la declaración de Abril del 2026"},
      {{"rcv", archivo, "2026-04", ventas}, 1, "No existe la declaración de Abril del 2026"},
      {{"rcv", archivo, "2026-03", exportacion, "--aplicar"}, 1,
       "No se escribió nada en la declaración: la casilla 20 quedaría negativa (-10)."},
      {{"rcv", archivo, "2026-03"}, 2, "Uso: alcabala-cli rcv ARCHIVO AAAA-MM CSV... [--aplicar] [--json]"},
      {{"rcv", archivo, "2026-13", ventas}, 2, "Uso:"},
      {{"rcv", archivo, "2026-03", ventas, "--aplica"}, 2, "Uso:"},
  };
  for (const Caso& c : casos) {
    const auto r = EjecutarCli(c.argumentos, QString(), Chile);
    EXPECT_EQ(r.codigo, c.codigo) << c.argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.contains(QString::fromUtf8(c.mensaje))) << r.errores.toStdString();
    EXPECT_EQ(prueba::BytesDeArchivo(archivo), antes) << c.argumentos.join(' ').toStdString();
  }
}
