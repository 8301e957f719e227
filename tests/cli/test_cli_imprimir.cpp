// alcabala-cli imprimir, run as the user runs it: the PDF read back, and the errors.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QScopeGuard>
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

class ImprimirCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo = carpeta.filePath("Empresa.alc");
    ASSERT_EQ(EjecutarCli({"nuevo", archivo}).codigo, 0);
    Sql({"UPDATE contribuyente SET RUT = 7654321, ApellidoPaternoRazonSocial = 'Comercial Los Andes'",
         "INSERT INTO alcabalas (ano, mes, Cod502, Cod115, Cod313) VALUES (2024, 3, 12345670000, 0.25, 12345678)"});
  }
  void Sql(const QStringList& sentencias) {
    {
      QSqlDatabase base = QSqlDatabase::addDatabase("QSQLITE", "prueba-imprimir");
      base.setDatabaseName(archivo);
      ASSERT_TRUE(base.open());
      QSqlQuery consulta(base);
      for (const QString& sql : sentencias) ASSERT_TRUE(consulta.exec(sql)) << consulta.lastError().text().toStdString();
      base.close();
    }
    QSqlDatabase::removeDatabase("prueba-imprimir");
  }
  QByteArray Bytes() const { return prueba::BytesDeArchivo(archivo); }
  // Nothing but the data file in the folder: no output, no temporary file.
  void SoloElArchivo() const {
    EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Empresa.alc"});
  }
  QTemporaryDir carpeta;
  QString archivo;
};

}  // namespace

TEST_F(ImprimirCliTest, AnversoEnPdfConElLocaleDelUsuario) {
  const QByteArray antes = Bytes();
  const QString pdf = carpeta.filePath("anverso.pdf");
  const auto r = EjecutarCli({"imprimir", archivo, "2024-03", "anverso", "--pdf", pdf}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(Bytes(), antes);
  const auto paginas = prueba::LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_NEAR(paginas.at(0).tamano.height(), 14 * 72, 0.5);
  EXPECT_TRUE(EnCasilla(paginas.at(0), "1.234.567", 5.860 + 1.610, 3.836));  // box 538
  EXPECT_TRUE(EnCasilla(paginas.at(0), ",25", 4.148 + 0.52, 9.971));        // box 115
  EXPECT_TRUE(EnCasilla(paginas.at(0), "6", 5.590 + 0.177, 0.703));         // the RUT's check digit
  EXPECT_FALSE(prueba::Buscar(paginas.at(0), "Comercial").isEmpty());

  const QString otro = carpeta.filePath("comas.pdf");
  ASSERT_EQ(EjecutarCli({"imprimir", archivo, "2024-03", "anverso", "--pdf", otro}, QString(), "en_US.UTF-8").codigo, 0);
  const auto comas = prueba::LeerPdf(otro);
  ASSERT_EQ(comas.size(), 1);
  EXPECT_TRUE(EnCasilla(comas.at(0), "1,234,567", 5.860 + 1.610, 3.836));
}

TEST_F(ImprimirCliTest, SinCarpetaDeEjecucionNadaEnLaSalidaDeErrores) {
  // As from cron: no XDG_RUNTIME_DIR. Scripts read standard error for failures only.
  const QByteArray antes = qgetenv("XDG_RUNTIME_DIR");
  qunsetenv("XDG_RUNTIME_DIR");
  const auto restaurar = qScopeGuard([&antes] { qputenv("XDG_RUNTIME_DIR", antes); });
  const auto r = EjecutarCli({"imprimir", archivo, "2024-03", "reverso", "--pdf", carpeta.filePath("r.pdf")});
  EXPECT_EQ(r.codigo, 0);
  EXPECT_EQ(r.errores, QString());
}

TEST_F(ImprimirCliTest, ReversoSinDatosDelContribuyente) {
  const QString pdf = carpeta.filePath("reverso.pdf");
  const auto r = EjecutarCli({"imprimir", archivo, "2024-03", "reverso", "--pdf", pdf}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  const auto paginas = prueba::LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  const auto rut = prueba::Buscar(paginas.at(0), "12345678-5");
  ASSERT_EQ(rut.size(), 1);
  EXPECT_NEAR(rut.at(0).caja.left(), 4.644 * 72, 1.0);
  EXPECT_NEAR(rut.at(0).caja.top(), 11.876 * 72, 1.0);
  EXPECT_TRUE(prueba::Buscar(paginas.at(0), "Comercial").isEmpty());
}

TEST_F(ImprimirCliTest, ErroresSinArchivoDeSalida) {
  const QString pdf = carpeta.filePath("salida.pdf");
  // A period without a declaration.
  auto r = EjecutarCli({"imprimir", archivo, "2024-04", "anverso", "--pdf", pdf}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("no tiene la declaración de Abril de 2024")) << r.errores.toStdString();
  SoloElArchivo();
  // A file that is not a data file.
  const QString basura = carpeta.filePath("basura.alc");
  {
    QFile f(basura);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("esto no es una base de datos");
  }
  r = EjecutarCli({"imprimir", basura, "2024-03", "anverso", "--pdf", pdf}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_FALSE(r.errores.trimmed().isEmpty());
  QFile::remove(basura);
  SoloElArchivo();
  // An output folder that does not exist.
  r = EjecutarCli({"imprimir", archivo, "2024-03", "anverso", "--pdf", carpeta.filePath("no/hay/carpeta.pdf")},
                  QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.startsWith("No se pudo escribir «")) << r.errores.toStdString();
  SoloElArchivo();
  // The data file itself as the output, by a slip of the keyboard: it stays as it was.
  const QByteArray antes = Bytes();
  r = EjecutarCli({"imprimir", archivo, "2024-03", "anverso", "--pdf", archivo}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("es un archivo de datos")) << r.errores.toStdString();
  EXPECT_EQ(Bytes(), antes);
  SoloElArchivo();
  // A printer that does not exist (or no printer at all).
  r = EjecutarCli({"imprimir", archivo, "2024-03", "anverso", "--impresora", "Alcabala-No-Existe"}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("impresora")) << r.errores.toStdString();
}

TEST_F(ImprimirCliTest, ErroresDeUso) {
  const QString pdf = carpeta.filePath("salida.pdf");
  for (const QStringList& argumentos :
       {QStringList{"imprimir", archivo, "2024-03"}, QStringList{"imprimir", archivo, "2024-13", "anverso"},
        QStringList{"imprimir", archivo, "2024-03", "costado"}, QStringList{"imprimir", archivo, "2024-03", "anverso", "--pdf"},
        QStringList{"imprimir", archivo, "2024-03", "anverso", "--pdf", pdf, "--impresora", "X"}}) {
    const auto r = EjecutarCli(argumentos, QString(), Chile);
    EXPECT_EQ(r.codigo, 2) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.startsWith("Uso: alcabala-cli imprimir")) << r.errores.toStdString();
  }
  SoloElArchivo();
}
