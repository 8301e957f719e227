// alcabala-cli cartera, crear-todos and copias, run as the user runs them.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include "common/cli.h"
#include "common/servidorhttp.h"
#include "common/sql.h"
#include "general/moneda.h"
#include "storage/archivo.h"

namespace {

using prueba::EjecutarCli;
using Resultado = prueba::ResultadoCli;

QByteArray DocumentoUTM() {
  QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<UTMs>";
  for (int mes = 1; mes <= 12; ++mes) xml += "<Mes><Monto>" + QByteArray::number(36000 + mes * 100) + "</Monto></Mes>";
  return xml + "</UTMs>\n";
}

class CliCartera : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temporal.isValid());
    carpeta = temporal.filePath(QStringLiteral("clientes"));
    ASSERT_TRUE(QDir().mkpath(carpeta));
    servidor.Servir(QStringLiteral("/UTM/2024.xml"), 200, DocumentoUTM());
  }

  QString Empresa(const QString& nombre, qint32 rut) {
    const QString ruta = carpeta + QLatin1Char('/') + nombre;
    CrearArchivoAlcabala(ruta);
    prueba::EjecutarSql(ruta, {QStringLiteral("UPDATE contribuyente SET RUT = %1").arg(rut)});
    return ruta;
  }
  void Declarar(const QString& ruta, int mes, qint64 debito) {
    prueba::EjecutarSql(ruta, {QStringLiteral("INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2024, %1, %2)")
                                   .arg(mes)
                                   .arg(Moneda::DesdePesos(debito).Crudo())});
  }
  void Roto() {
    QFile roto(carpeta + QStringLiteral("/Roto.alc"));
    ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
    roto.write("no es una base de datos");
  }
  Resultado Cli(const QStringList& argumentos, const QString& locale = QStringLiteral("C.UTF-8")) {
    return EjecutarCli(argumentos, servidor.UrlBase(), locale);
  }
  static int Contar(const QString& ruta, const QString& sql) { return prueba::EscalarSql(ruta, sql).toInt(); }

  QTemporaryDir temporal;
  QString carpeta;
  prueba::ServidorPrueba servidor;
};

TEST_F(CliCartera, ImprimeElAnoDeCadaArchivoEnTextoJsonYCsv) {
  const QString b = Empresa(QStringLiteral("B.alc"), 12345678);
  Empresa(QStringLiteral("A.alc"), 0);
  Declarar(b, 3, 1234567);
  Roto();

  const Resultado json = Cli({"cartera", "2024", "--carpeta", carpeta, "--json"});
  ASSERT_EQ(json.codigo, 0) << json.errores.toStdString();
  EXPECT_EQ(json.salida,
            QStringLiteral("[\n"
                           "  {\"archivo\": \"A.alc\", \"rut\": \"\", \"nombre\": \"A\", \"meses\": [null, null, null, "
                           "null, null, null, null, null, null, null, null, null], \"total\": 0, \"error\": null},\n"
                           "  {\"archivo\": \"B.alc\", \"rut\": \"12345678-5\", \"nombre\": \"B\", \"meses\": [null, "
                           "null, 1234567, null, null, null, null, null, null, null, null, null], \"total\": 1234567, "
                           "\"error\": null},\n"
                           "  {\"archivo\": \"Roto.alc\", \"rut\": \"\", \"nombre\": \"\", \"meses\": [null, null, "
                           "null, null, null, null, null, null, null, null, null, null], \"total\": null, \"error\": "
                           "\"«") + carpeta + QStringLiteral("/Roto.alc» no es un archivo de Alcabala o está dañado.\"}\n"
                           "]\n"));

  const Resultado csv = Cli({"cartera", "2024", "--csv", "--carpeta", carpeta});
  ASSERT_EQ(csv.codigo, 0);
  const QStringList lineas = csv.salida.split(QLatin1Char('\n'));
  EXPECT_EQ(lineas.value(0), QStringLiteral("archivo,rut,nombre,ene,feb,mar,abr,may,jun,jul,ago,sep,oct,nov,dic,total,error"));
  EXPECT_EQ(lineas.value(2), QStringLiteral("B.alc,12345678-5,B,,,1234567,,,,,,,,,,1234567,"));

  const Resultado texto = Cli({"cartera", "2024", "--carpeta", carpeta}, QStringLiteral("es_CL.UTF-8"));
  ASSERT_EQ(texto.codigo, 0);
  EXPECT_TRUE(texto.salida.contains(QStringLiteral("B.alc\t12345678-5\tB\t-\t-\t1.234.567\t-")))
      << texto.salida.toStdString();
}

TEST_F(CliCartera, ErroresDeUsoYCarpetaInexistente) {
  for (const QStringList& argumentos :
       {QStringList{"cartera"}, {"cartera", "24"}, {"cartera", "2024", "--json", "--csv"}, {"cartera", "2024", "--carpeta"},
        {"crear-todos"}, {"crear-todos", "2024-13"}, {"copias", "2024-03"}, {"copias", "2024-03", "--destino"}}) {
    const Resultado r = Cli(argumentos);
    EXPECT_EQ(r.codigo, 2) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.startsWith(QStringLiteral("Uso: alcabala-cli "))) << r.errores.toStdString();
  }
  const Resultado r = Cli({"cartera", "2024", "--carpeta", carpeta + "/no"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains(QStringLiteral("no existe"))) << r.errores.toStdString();
}

TEST_F(CliCartera, CrearTodosResumeEnErroresYTerminaConUnoSiAlgunoFallo) {
  const QString a = Empresa(QStringLiteral("A.alc"), 1);
  const QString b = Empresa(QStringLiteral("B.alc"), 2);
  Declarar(b, 3, 0);
  Roto();
  const Resultado r = Cli({"crear-todos", "2024-03", "--carpeta", carpeta});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.salida.isEmpty());
  EXPECT_EQ(r.errores, QStringLiteral("Listos: 1. Omitidos: 1. Con error: 1.\n\n"
                                      "Omitidos:\nB.alc: ya tiene la declaración de Marzo del 2024\n\n"
                                      "Con error:\nRoto.alc: «") + carpeta + QStringLiteral("/Roto.alc» no es un archivo de Alcabala o está dañado.\n"));
  EXPECT_EQ(Contar(a, "SELECT COUNT(*) FROM alcabalas WHERE ano = 2024 AND mes = 3"), 1);
  EXPECT_EQ(servidor.Peticiones(QStringLiteral("/UTM/2024.xml")), 2);  // once for the run, not per file

  QFile::remove(carpeta + QStringLiteral("/Roto.alc"));
  const Resultado otra = Cli({"crear-todos", "2024-03", "--carpeta", carpeta});
  EXPECT_EQ(otra.codigo, 0);
  EXPECT_TRUE(otra.errores.startsWith(QStringLiteral("Listos: 0. Omitidos: 2. Con error: 0.")));
}

TEST_F(CliCartera, CopiasEscribeUnPdfPorArchivoConElMes) {
  const QString a = Empresa(QStringLiteral("A.alc"), 1);
  Empresa(QStringLiteral("B.alc"), 2);
  Declarar(a, 3, 10);
  const QString destino = temporal.filePath(QStringLiteral("pdf"));
  ASSERT_TRUE(QDir().mkpath(destino));
  const Resultado r = Cli({"copias", "2024-03", "--destino", destino, "--carpeta", carpeta});
  EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_TRUE(r.errores.startsWith(QStringLiteral("Listos: 1. Omitidos: 1. Con error: 0.")));
  EXPECT_EQ(QDir(destino).entryList(QDir::Files), QStringList{"A 2024-03.pdf"});
}

// A run killed at any moment leaves every file whole, each month at most once;
// running it again completes the work.
TEST_F(CliCartera, CrearTodosInterrumpidoDejaCadaArchivoEnteroYCadaMesUnaVez) {
  QStringList archivos;
  for (int i = 0; i < 24; ++i) archivos << Empresa(QStringLiteral("E%1.alc").arg(i, 2, 10, QLatin1Char('0')), i + 1);
  QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
  entorno.insert(QStringLiteral("ALCABALA_URL_BASE"), servidor.UrlBase());
  for (int mes = 1; mes <= 6; ++mes) {
    QProcess proceso;
    proceso.setProcessEnvironment(entorno);
    proceso.start(QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli"),
                  {"crear-todos", QStringLiteral("2024-%1").arg(mes, 2, 10, QLatin1Char('0')), "--carpeta", carpeta});
    ASSERT_TRUE(proceso.waitForStarted());
    QThread::msleep(static_cast<unsigned long>(40 * mes));
    proceso.kill();
    proceso.waitForFinished();
    for (const QString& ruta : archivos) {
      ASSERT_EQ(prueba::EscalarSql(ruta, "PRAGMA integrity_check").toString(), QStringLiteral("ok")) << ruta.toStdString();
      EXPECT_LE(Contar(ruta, QStringLiteral("SELECT COUNT(*) FROM alcabalas WHERE ano = 2024 AND mes = %1").arg(mes)), 1);
    }
  }
  for (int mes = 1; mes <= 6; ++mes) {
    const Resultado r = Cli({"crear-todos", QStringLiteral("2024-%1").arg(mes, 2, 10, QLatin1Char('0')), "--carpeta", carpeta});
    EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  }
  for (const QString& ruta : archivos)
    EXPECT_EQ(Contar(ruta, "SELECT COUNT(*) FROM alcabalas GROUP BY mes HAVING COUNT(*) > 1"), 0);
  for (const QString& ruta : archivos) EXPECT_EQ(Contar(ruta, "SELECT COUNT(*) FROM alcabalas"), 6);
}

}  // namespace
