// alcabala-cli resumen, run as the user runs it: the PDF read back, an empty
// year, and the errors.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "common/archivos.h"
#include "common/cli.h"
#include "common/pdf.h"

namespace {

using prueba::EjecutarCli;
using prueba::EnCasilla;

const QString Chile = QStringLiteral("es_CL.UTF-8");

// The region's left edge and the top of its first data line on a summary page.
constexpr double Margen = 0.393701;
constexpr double AltoLinea = 0.166654;

class ResumenCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo = carpeta.filePath("Empresa.alc");
    ASSERT_EQ(EjecutarCli({"nuevo", archivo}).codigo, 0);
    QSqlDatabase base = QSqlDatabase::addDatabase("QSQLITE", "prueba-resumen");
    base.setDatabaseName(archivo);
    ASSERT_TRUE(base.open());
    QSqlQuery consulta(base);
    for (const char* sql :
         {"UPDATE contribuyente SET RUT = 7654321, ApellidoPaternoRazonSocial = 'Comercial Los Andes'",
          "INSERT INTO alcabalas (ano, mes, Cod563, Cod115, Cod68, Cod152) VALUES "
          "(2024, 5, 20000000000, 1.5, 10000000, 0), (2024, 1, 0, 0.25, 0, 12345670000), "
          "(2023, 12, 10000, 1, 10000, 10000), (2024, 2, 9999999990000, 1, 0, 9999999990000)"})
      ASSERT_TRUE(consulta.exec(QString::fromUtf8(sql))) << consulta.lastError().text().toStdString();
    base.close();
  }
  void TearDown() override { QSqlDatabase::removeDatabase("prueba-resumen"); }
  QByteArray Bytes() const { return prueba::BytesDeArchivo(archivo); }
  QTemporaryDir carpeta;
  QString archivo;
};

}  // namespace

TEST_F(ResumenCliTest, PPMDelAnoEnPdfComoLaVentana) {
  const QByteArray antes = Bytes();
  const QString pdf = carpeta.filePath("ppm.pdf");
  const auto r = EjecutarCli({"resumen", "ppm", archivo, "2024", "--pdf", pdf}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(Bytes(), antes);
  const auto paginas = prueba::LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  const auto& p = paginas.at(0);
  EXPECT_NEAR(p.tamano.width(), 8.5 * 72, 0.5);  // letter, portrait
  EXPECT_NEAR(p.tamano.height(), 11 * 72, 0.5);
  EXPECT_FALSE(prueba::Buscar(p, "Comercial").isEmpty());
  EXPECT_FALSE(prueba::Buscar(p, "PPM").isEmpty());
  EXPECT_FALSE(prueba::Buscar(p, "2024").isEmpty());
  EXPECT_TRUE(prueba::Buscar(p, "Diciembre").isEmpty());  // 2023 stays out

  // Lines in month order under the 1.0 in heading band, below the 1.2 in title band.
  const double primera = Margen + 1.2 + 1.0;
  const auto enero = prueba::Buscar(p, "Enero");
  ASSERT_EQ(enero.size(), 1);
  EXPECT_NEAR(enero.at(0).caja.left(), Margen * 72, 1.0);
  EXPECT_NEAR(enero.at(0).caja.top(), primera * 72, 1.5);
  const double febrero = primera + AltoLinea, mayo = primera + 2 * AltoLinea;
  const auto nombreMayo = prueba::Buscar(p, "Mayo");
  ASSERT_EQ(nombreMayo.size(), 1);
  EXPECT_NEAR(nombreMayo.at(0).caja.top(), mayo * 72, 1.5);
  // Rate without its leading zero; zero base and credit print nothing; net PPM grouped.
  EXPECT_TRUE(EnCasilla(p, ",25", Margen + 3.615126 + 0.936969, primera));
  EXPECT_TRUE(EnCasilla(p, "1.234.567", Margen + 6.72605 + 0.936969, primera));
  EXPECT_TRUE(EnCasilla(p, "999.999.999", Margen + 2.578151 + 0.936969, febrero));
  EXPECT_TRUE(EnCasilla(p, "10.000.000", Margen + 5.689076 + 0.936969, febrero));  // 1 % of 999,999,999
  EXPECT_TRUE(EnCasilla(p, "2.000.000", Margen + 2.578151 + 0.936969, mayo));
  EXPECT_TRUE(EnCasilla(p, "29.000", Margen + 5.689076 + 0.936969, mayo));  // 2,000,000 × 1.5 % − 1,000
  // Totals only under the two net columns, just below the last line.
  const double totales = mayo + AltoLinea + 0.02;
  EXPECT_TRUE(EnCasilla(p, "10.029.000", Margen + 5.689076 + 0.936969, totales));
  EXPECT_TRUE(EnCasilla(p, "1.001.234.566", Margen + 6.72605 + 0.936969, totales));
  int enLaLineaDeTotales = 0;
  for (const auto& w : p.palabras) enLaLineaDeTotales += std::abs(w.caja.top() - totales * 72) <= 1.5;
  EXPECT_EQ(enLaLineaDeTotales, 2);
}

TEST_F(ResumenCliTest, AnoSinDeclaracionesYOtroLocale) {
  const QString pdf = carpeta.filePath("iva.pdf");
  auto r = EjecutarCli({"resumen", "iva", archivo, "2019", "--pdf", pdf}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  auto paginas = prueba::LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_FALSE(prueba::Buscar(paginas.at(0), "2019").isEmpty());
  EXPECT_FALSE(prueba::Buscar(paginas.at(0), "DEBITOS").isEmpty());
  EXPECT_EQ(prueba::Buscar(paginas.at(0), "0").size(), 5);  // a totals line of zeros

  r = EjecutarCli({"resumen", "ppm", archivo, "2024", "--pdf", pdf}, QString(), "en_US.UTF-8");
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  paginas = prueba::LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_FALSE(prueba::Buscar(paginas.at(0), ".25").isEmpty());
  EXPECT_FALSE(prueba::Buscar(paginas.at(0), "1,001,234,566").isEmpty());
}

TEST_F(ResumenCliTest, ErroresDeUsoYDeArchivoSinSalida) {
  const QString pdf = carpeta.filePath("salida.pdf");
  for (const QStringList& argumentos :
       {QStringList{"resumen", "iva", archivo}, QStringList{"resumen", "ventas", archivo, "2024", "--pdf", pdf},
        QStringList{"resumen", "iva", archivo, "24", "--pdf", pdf},
        QStringList{"resumen", "iva", archivo, "0999", "--pdf", pdf},
        QStringList{"resumen", "iva", archivo, "0001", "--pdf", pdf},
        QStringList{"resumen", "iva", archivo, "2024-03", "--pdf", pdf},
        QStringList{"resumen", "iva", archivo, "2024", "--pdf", pdf, "--impresora", "Oficina"}}) {
    const auto r = EjecutarCli(argumentos, QString(), Chile);
    EXPECT_EQ(r.codigo, 2) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.contains("resumen iva|retenciones|ppm ARCHIVO AÑO")) << r.errores.toStdString();
  }
  auto r = EjecutarCli({"resumen", "iva", carpeta.filePath("NoExiste.alc"), "2024", "--pdf", pdf}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_FALSE(r.errores.trimmed().isEmpty());
  EXPECT_FALSE(QFile::exists(carpeta.filePath("NoExiste.alc")));
  const QByteArray antes = Bytes();
  r = EjecutarCli({"resumen", "iva", archivo, "2024", "--pdf", archivo}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(Bytes(), antes);
  EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Empresa.alc"});
}
