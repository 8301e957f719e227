// alcabala-cli copia, run as the user runs it: the complete copy read back
// from the PDF, its title, and the errors.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "common/archivos.h"
#include "common/cli.h"
#include "common/pdf.h"
#include "storage/conexion.h"

namespace {

using prueba::EjecutarCli;

const QString Chile = QStringLiteral("es_CL.UTF-8");

class CopiaCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo = carpeta.filePath("Empresa.alc");
    ASSERT_EQ(EjecutarCli({"nuevo", archivo}).codigo, 0);
    Conexion conexion;
    conexion.Abrir(archivo);
    conexion.Ejecutar("UPDATE contribuyente SET RUT = 7654321, ApellidoPaternoRazonSocial = 'Comercial Los Andes'");
    conexion.Ejecutar("INSERT INTO alcabalas (ano, mes, Cod502, Cod20, Cod313) "
                      "VALUES (2024, 3, 9999999999990000, 12345670000, 12345678)");
    conexion.Cerrar();
  }
  QByteArray Bytes() const { return prueba::BytesDeArchivo(archivo); }
  QStringList Archivos() const { return QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden); }
  QTemporaryDir carpeta;
  QString archivo;
};

QString Titulo(const QString& pdf) {
  QProcess info;
  info.start("pdfinfo", {pdf});
  info.waitForFinished(30000);
  for (const QString& linea : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
    if (linea.startsWith("Title:")) return linea.mid(6).trimmed();
  return QString();
}

}  // namespace

TEST_F(CopiaCliTest, DosPaginasLegiblesComoLaDeclaracion) {
  const QByteArray antes = Bytes();
  const QString pdf = carpeta.filePath("copia.pdf");
  const auto r = EjecutarCli({"copia", archivo, "2024-03", "--pdf", pdf}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(Bytes(), antes);  // read only
  EXPECT_EQ(Titulo(pdf), "Formulario 29 Empresa 03/2024");
  const auto paginas = prueba::LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 2);
  const auto& anverso = paginas.at(0);
  for (const char* texto : {"999.999.999.999", "1.234.567", "7654321-6", "Comercial", "Exportaciones", "538",
                            "DÉBITOS", "Marzo", "2024", "Formulario", "1"})
    EXPECT_FALSE(prueba::Buscar(anverso, texto).isEmpty()) << texto;
  EXPECT_FALSE(prueba::Buscar(paginas.at(1), "12345678-5").isEmpty());
  EXPECT_FALSE(prueba::Buscar(paginas.at(1), "Simplificada").isEmpty());
  // The foot of each page.
  for (int i = 0; i < 2; ++i) {
    const auto pagina = prueba::Buscar(paginas.at(i), "Página");
    ASSERT_EQ(pagina.size(), 1);
    EXPECT_FALSE(prueba::Buscar(paginas.at(i), QString::number(i + 1)).isEmpty());
    EXPECT_GT(pagina.at(0).caja.top(), 13 * 72);
  }
}

TEST_F(CopiaCliTest, ErroresYNadaQueSobre) {
  const QString pdf = carpeta.filePath("copia.pdf");
  auto r = EjecutarCli({"copia", archivo, "2024-04", "--pdf", pdf}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("no tiene la declaración de Abril de 2024")) << r.errores.toStdString();
  const QByteArray antes = Bytes();
  r = EjecutarCli({"copia", archivo, "2024-03", "--pdf", archivo}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("es un archivo de datos")) << r.errores.toStdString();
  EXPECT_EQ(Bytes(), antes);
  EXPECT_EQ(Archivos(), QStringList{"Empresa.alc"});
  for (const QStringList& argumentos :
       {QStringList{"copia", archivo, "2024-03"}, QStringList{"copia", archivo, "2024-3", "--pdf", pdf},
        QStringList{"copia", archivo, "2024-03", "--impresora", "X"}, QStringList{"copia", archivo, "2024-03", "--pdf"}}) {
    r = EjecutarCli(argumentos, QString(), Chile);
    EXPECT_EQ(r.codigo, 2) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.startsWith("Uso: alcabala-cli copia")) << r.errores.toStdString();
  }
  EXPECT_EQ(Archivos(), QStringList{"Empresa.alc"});
}
