// alcabala-cli crear, run as the user runs it, against a UTM server in the test.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>

#include "common/cli.h"
#include "common/servidorhttp.h"
#include "storage/archivo.h"

namespace {

using prueba::EjecutarCli;
using Resultado = prueba::ResultadoCli;

// Rows of a query on the file, each row its values joined by "|".
QStringList Consultar(const QString& ruta, const QString& sql, const QStringList& antes = {}) {
  QStringList filas;
  const QString nombre = QUuid::createUuid().toString();
  {
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
    base.setDatabaseName(ruta);
    EXPECT_TRUE(base.open());
    QSqlQuery consulta(base);
    for (const QString& sentencia : antes)
      EXPECT_TRUE(consulta.exec(sentencia)) << consulta.lastError().text().toStdString();
    if (!sql.isEmpty()) {
      EXPECT_TRUE(consulta.exec(sql)) << consulta.lastError().text().toStdString();
      while (consulta.next()) {
        QStringList valores;
        for (int i = 0; i < consulta.record().count(); ++i) valores << consulta.value(i).toString();
        filas << valores.join(QLatin1Char('|'));
      }
    }
    consulta.finish();
    base.close();
  }
  QSqlDatabase::removeDatabase(nombre);
  return filas;
}

void Ejecutar(const QString& ruta, const QStringList& sentencias) { Consultar(ruta, QString(), sentencias); }

QByteArray Contenido(const QString& ruta) {
  QFile archivo(ruta);
  return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

// A UTM document of the months given, in order.
QByteArray DocumentoUTM(const QStringList& montos) {
  QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<UTMs>";
  for (const QString& monto : montos) xml += "<Mes><Monto>" + monto.toUtf8() + "</Monto></Mes>";
  return xml + "</UTMs>\n";
}

class CliCrear : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(carpeta.isValid());
    ruta = carpeta.filePath(QStringLiteral("Empresa.alc"));
    CrearArchivoAlcabala(ruta);
    // January 2024 leaves a credit remainder (box 77) of 1,000,000.
    Ejecutar(ruta, {"INSERT INTO alcabalas (ano, mes, Cod504, Cod115) VALUES (2024, 1, 10000000000, 1.5)"});
    servidor.Servir(QStringLiteral("/UTM/2024.xml"), 200,
                    DocumentoUTM({"35000", "36000", "36200", "36300", "36400", "36500", "36600", "36700", "36800",
                                  "36900", "37000", "37100"}));
  }
  Resultado Crear(const QStringList& argumentos) {
    return EjecutarCli(QStringList{QStringLiteral("crear")} + argumentos, servidor.UrlBase());
  }
  int Filas() { return Consultar(ruta, QStringLiteral("SELECT COUNT(*) FROM alcabalas")).value(0).toInt(); }

  QTemporaryDir carpeta;
  QString ruta;
  prueba::ServidorPrueba servidor;
};

TEST_F(CliCrear, CreaLaDeclaracionConLosSaldosReajustados) {
  const Resultado r = Crear({ruta, "2024-02"});
  EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(r.salida, QStringLiteral("Se creó la declaración de Febrero del 2024.\n"));
  EXPECT_TRUE(r.errores.isEmpty()) << r.errores.toStdString();
  // 1,000,000 at 36,000 → 27.78 UTM; at 36,200: 1,005,636.
  EXPECT_EQ(Consultar(ruta, "SELECT Cod504, Cod115, Cod540 FROM alcabalas WHERE ano = 2024 AND mes = 2"),
            QStringList{"10056360000|1.5|0"});
  EXPECT_EQ(servidor.Peticiones(QStringLiteral("/UTM/2024.xml")), 2);  // the month and the next
}

TEST_F(CliCrear, UnPeriodoExistenteNoCambiaElArchivo) {
  const QByteArray antes = Contenido(ruta);
  const Resultado r = Crear({ruta, "2024-01"});
  EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(r.salida, QStringLiteral("Ya existe la declaración de Enero del 2024; no se cambió nada.\n"));
  EXPECT_EQ(Contenido(ruta), antes);
  EXPECT_EQ(servidor.Peticiones(QStringLiteral("/UTM/2024.xml")), 0);
}

TEST_F(CliCrear, SinUTMDelMesSiguienteNoCreaNada) {
  // December needs January 2025, which the server does not have.
  const Resultado r = Crear({ruta, "2024-12"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.errores, QStringLiteral("No existe UTM para Enero del 2025.\n"));
  EXPECT_TRUE(r.salida.isEmpty());
  EXPECT_EQ(Filas(), 1);
}

TEST_F(CliCrear, SinUTMDelMesElegidoLoNombra) {
  servidor.Servir(QStringLiteral("/UTM/2023.xml"), 200, DocumentoUTM({"60000", "60100"}));
  const Resultado r = Crear({ruta, "2023-03"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.errores, QStringLiteral("No existe UTM para Marzo del 2023.\n"));
  EXPECT_EQ(Filas(), 1);
}

TEST_F(CliCrear, UnaUTMNegativaEsUnMesSinUTM) {
  servidor.Servir(QStringLiteral("/UTM/2023.xml"), 200, DocumentoUTM({"60000", "60100", "-50021", "60300"}));
  const Resultado r = Crear({ruta, "2023-03"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.errores, QStringLiteral("No existe UTM para Marzo del 2023.\n"));
  const Resultado utm = EjecutarCli({"utm", "2023", "3"}, servidor.UrlBase());
  EXPECT_EQ(utm.codigo, 0);
  EXPECT_EQ(utm.salida, QStringLiteral("0\n"));
  EXPECT_EQ(Filas(), 1);
}

TEST_F(CliCrear, UnaDescargaFallidaLoDiceSinCrearNada) {
  servidor.Servir(QStringLiteral("/UTM/2024.xml"), 503, DocumentoUTM({"35000", "36000"}));
  Resultado r = Crear({ruta, "2024-02"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.startsWith(QStringLiteral("No se pudo descargar ") + servidor.UrlBase() + "UTM/2024.xml: "))
      << r.errores.toStdString();
  const QString sinServidor = QStringLiteral("http://127.0.0.1:%1/").arg(prueba::ServidorPrueba::PuertoCerrado());
  r = EjecutarCli({"crear", ruta, "2024-02"}, sinServidor);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.startsWith(QStringLiteral("No se pudo descargar "))) << r.errores.toStdString();
  EXPECT_FALSE(r.errores.contains(QStringLiteral("No existe UTM")));
  EXPECT_EQ(Filas(), 1);
}

TEST_F(CliCrear, UnaListaUTMMalFormadaEsUnErrorSinCrearNada) {
  servidor.Servir(QStringLiteral("/UTM/2024.xml"), 200, "<UTMs><Mes><Monto>1</Monto>");
  const Resultado r = Crear({ruta, "2024-02"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_FALSE(r.errores.trimmed().isEmpty());
  EXPECT_EQ(Filas(), 1);
}

TEST_F(CliCrear, ErroresDeUso) {
  const QByteArray antes = Contenido(ruta);
  for (const QStringList& argumentos :
       {QStringList{ruta, "2024-13"}, QStringList{ruta, "2024-00"}, QStringList{ruta, "2024/03"},
        QStringList{ruta, "marzo"}, QStringList{ruta}, QStringList{ruta, "2024-03", "sobra"},
        // Every subcommand reads the period alike: four-digit year, two-digit month.
        QStringList{ruta, "2024-3"}, QStringList{ruta, "0999-03"}, QStringList{ruta, " 2024-03"}}) {
    const Resultado r = Crear(argumentos);
    EXPECT_EQ(r.codigo, 2) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.startsWith(QStringLiteral("Uso: alcabala-cli crear ARCHIVO AAAA-MM")))
        << r.errores.toStdString();
  }
  EXPECT_EQ(Contenido(ruta), antes);
}

TEST_F(CliCrear, ConUtmSeEscribeElMesQueElServidorNoTiene) {
  // December needs January 2025, which the server lacks; its own value for
  // a month it has is the one used (1,000,000 at 36,000 → at 36,200: 1,005,636).
  Resultado r = Crear({ruta, "2024-12", "--utm", "2025-01=37500", "--utm", "2024-02=99999"});
  EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(r.salida, QStringLiteral("Se creó la declaración de Diciembre del 2024.\n"));
  r = Crear({ruta, "2024-02", "--utm", "2024-02=99999"});
  EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(Consultar(ruta, "SELECT Cod504 FROM alcabalas WHERE ano = 2024 AND mes = 2"), QStringList{"10056360000"});
  EXPECT_EQ(Filas(), 3);
}

TEST_F(CliCrear, UnaUtmEscritaQueNoEsValidaNoCreaNada) {
  const QByteArray antes = Contenido(ruta);
  for (const char* valor : {"2025-01=0", "2025-01=-5", "2025-01=37500,5", "2025-01=mucho"}) {
    const Resultado r = Crear({ruta, "2024-12", "--utm", valor});
    EXPECT_EQ(r.codigo, 1) << valor;
    EXPECT_TRUE(r.errores.contains(QStringLiteral("no es una UTM válida"))) << r.errores.toStdString();
  }
  for (const QStringList& uso : {QStringList{ruta, "2024-12", "--utm"}, QStringList{ruta, "2024-12", "--utm", "37500"},
                                 QStringList{ruta, "2024-12", "--utm", "2025-1=37500"},
                                 QStringList{ruta, "2024-12", "--otro", "2025-01=37500"}}) {
    const Resultado r = Crear(uso);
    EXPECT_EQ(r.codigo, 2) << uso.join(' ').toStdString();
  }
  EXPECT_EQ(Contenido(ruta), antes);
}

TEST_F(CliCrear, UnArchivoInexistenteEsUnError) {
  const Resultado r = Crear({carpeta.filePath(QStringLiteral("NoExiste.alc")), "2024-02"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_FALSE(r.errores.trimmed().isEmpty());
  EXPECT_FALSE(QFile::exists(carpeta.filePath(QStringLiteral("NoExiste.alc"))));
}

TEST_F(CliCrear, UnArchivoAntiguoSeActualizaAlAbrirlo) {
  Ejecutar(ruta, {"ALTER TABLE alcabalas DROP COLUMN Cod760"});
  const Resultado r = Crear({ruta, "2024-02"});
  EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(Consultar(ruta, "SELECT COUNT(*) FROM pragma_table_info('alcabalas') WHERE name = 'Cod760'"),
            QStringList{"1"});
  EXPECT_EQ(Filas(), 2);
}

}  // namespace
