// alcabala-cli nuevo and exportar, run as the user runs them.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "common/cli.h"
#include "common/sql.h"
#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "storage/formato/columnas.h"

namespace {

using prueba::EjecutarSql;
using Resultado = prueba::ResultadoCli;

Resultado Ejecutar(const QStringList& argumentos) {
  Resultado r = prueba::EjecutarCli(argumentos);
  EXPECT_NE(r.codigo, -1);
  return r;
}

QJsonObject Json(const Resultado& r) {
  QJsonParseError error{};
  const QJsonDocument documento = QJsonDocument::fromJson(r.salidaCruda, &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  return documento.object();
}

QByteArray Contenido(const QString& ruta) {
  QFile archivo(ruta);
  return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

// The columns later layouts added: the ten of older ones and the current
// edition's boxes.
const QStringList kNuevas = [] {
  QStringList nombres;
  for (const auto& c : ColumnasActualizacion()) nombres << c.nombre;
  return nombres;
}();

// A file of the layout before the later columns, its columns nullable.
void CrearArchivoAntiguo(const QString& ruta) {
  QStringList alcabalas;
  for (const auto& c : ColumnasAlcabalas())
    if (!kNuevas.contains(c.nombre)) alcabalas << c.nombre + " " + TipoSql(c.tipo, c.tamano);
  QStringList contribuyente;
  for (const auto& c : ColumnasContribuyente()) contribuyente << c.nombre + " " + TipoSql(c.tipo, c.tamano);
  EjecutarSql(ruta, {"CREATE TABLE alcabalas (" + alcabalas.join(", ") + ")",
                     "CREATE INDEX mes ON alcabalas (ano, mes)",
                     "CREATE TABLE contribuyente (" + contribuyente.join(", ") + ")",
                     "INSERT INTO contribuyente (RUT, ApellidoPaternoRazonSocial, ApellidoMaterno, nombres) "
                     "VALUES (7654321, 'Soto', 'Rojas', 'Ana María')",
                     // Nulls everywhere but the period and two amounts.
                     "INSERT INTO alcabalas (ano, mes, Cod502, Cod520) VALUES (2009, 12, 20000000, 5000000)",
                     "INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2010, 1, 10000)",
                     "INSERT INTO alcabalas (ano, mes) VALUES (2009, 11)"});
}

class CliArchivosTest : public ::testing::Test {
 protected:
  QString Ruta(const QString& nombre = "Empresa.alc") const { return carpeta.filePath(nombre); }
  QTemporaryDir carpeta;
};

TEST_F(CliArchivosTest, NuevoYExportarDeUnArchivoNuevo) {
  const Resultado nuevo = Ejecutar({"nuevo", Ruta()});
  ASSERT_EQ(nuevo.codigo, 0) << nuevo.errores.toStdString();
  const Resultado exportado = Ejecutar({"exportar", Ruta()});
  ASSERT_EQ(exportado.codigo, 0) << exportado.errores.toStdString();
  const QJsonObject documento = Json(exportado);
  EXPECT_EQ(documento.value("archivo").toString(), "Empresa");
  EXPECT_TRUE(documento.value("alcabalas").toArray().isEmpty());
  const QJsonObject contribuyente = documento.value("contribuyente").toObject();
  EXPECT_EQ(contribuyente.size(), 24 + 10);
  EXPECT_EQ(contribuyente.value("ApellidoPaternoRazonSocial").toString(), "Empresa" + QString(43, ' '));
  EXPECT_EQ(contribuyente.value("RUT").toInt(-1), 0);
  EXPECT_EQ(contribuyente.value("FacturaElectronica").toBool(), true);
  EXPECT_EQ(contribuyente.value("region").toInt(), 9);
  EXPECT_EQ(contribuyente.value("CodigoAreaTelefono").toInt(), 45);
  EXPECT_EQ(contribuyente.value("ciudad").toString().trimmed(), "Temuco");
  EXPECT_EQ(contribuyente.value("RUT_8").toString(), "0");
  EXPECT_EQ(contribuyente.value("RUT_9").toString(), "0");
  EXPECT_EQ(contribuyente.value("nombre").toString(), "Empresa");
}

TEST_F(CliArchivosTest, ExportarDaCadaColumnaYLosCalculadosConValoresExactos) {
  ASSERT_EQ(Ejecutar({"nuevo", Ruta()}).codigo, 0);
  EjecutarSql(Ruta(), {"INSERT INTO alcabalas (ano, mes, Cod502, Cod520, Cod115, Cod542, Cod583, Cod06, Cod110, Cod20) "
                       "VALUES (2024, 3, 12345670000, 12345, 0.1, 12.5, 1, 'Calle', 70000, -5000)"});
  const Resultado r = Ejecutar({"exportar", Ruta()});
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  const QJsonArray alcabalas = Json(r).value("alcabalas").toArray();
  ASSERT_EQ(alcabalas.size(), 1);
  const QJsonObject d = alcabalas.first().toObject();
  EXPECT_EQ(d.size(), 205 + CamposCalculadosAlcabala().size());
  for (const auto& c : ColumnasAlcabalas()) EXPECT_TRUE(d.contains(c.nombre)) << c.nombre.toStdString();
  for (const auto& c : CamposCalculadosAlcabala()) EXPECT_TRUE(d.contains(c.nombre)) << c.nombre.toStdString();
  EXPECT_EQ(d.value("Cod583").toBool(), true);
  EXPECT_EQ(d.value("Cod06").toString(), "Calle" + QString(45, ' '));
  EXPECT_EQ(d.value("Cod583Mostrar").toString(), "X");
  EXPECT_EQ(d.value("NombreMes").toString(), "Marzo");
  EXPECT_EQ(d.value("Cod538").toDouble(), 1234567.0);
  // Numbers as written: whole amounts as integers, fractions exact, singles shortest.
  const QString texto = r.salida;
  EXPECT_TRUE(texto.contains("\"Cod502\": 1234567,"));
  EXPECT_TRUE(texto.contains("\"Cod520\": 1.2345,"));
  EXPECT_TRUE(texto.contains("\"Cod115\": 0.1,"));
  EXPECT_TRUE(texto.contains("\"Cod542\": 12.5,"));
  EXPECT_TRUE(texto.contains("\"Cod110\": 70000,"));
  EXPECT_TRUE(texto.contains("\"Cod20\": -0.5,"));
  EXPECT_TRUE(texto.contains("\"Cod142\": 0,"));
}

TEST_F(CliArchivosTest, ExportarUnArchivoAntiguoSinActualizarlo) {
  CrearArchivoAntiguo(Ruta("Antigua.oalc"));
  const QByteArray antes = Contenido(Ruta("Antigua.oalc"));
  const Resultado r = Ejecutar({"exportar", Ruta("Antigua.oalc")});
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(Contenido(Ruta("Antigua.oalc")), antes);  // read only, never upgraded
  const QJsonObject documento = Json(r);
  EXPECT_EQ(documento.value("archivo").toString(), "Antigua");
  const QJsonObject contribuyente = documento.value("contribuyente").toObject();
  EXPECT_EQ(contribuyente.value("nombre").toString(), "Soto Rojas, Ana María");
  EXPECT_EQ(contribuyente.value("RUT_9").toString(), "6");
  EXPECT_TRUE(contribuyente.value("calle").isNull());

  const QJsonArray alcabalas = documento.value("alcabalas").toArray();
  ASSERT_EQ(alcabalas.size(), 3);
  QStringList periodos;
  for (const auto& v : alcabalas)
    periodos << QString("%1-%2").arg(v.toObject().value("ano").toInt()).arg(v.toObject().value("mes").toInt());
  EXPECT_EQ(periodos, QStringList({"2009-11", "2009-12", "2010-1"}));
  const QJsonObject diciembre = alcabalas.at(1).toObject();
  EXPECT_EQ(diciembre.size(), 164 + CamposCalculadosAlcabala().size());
  for (const QString& nueva : kNuevas) EXPECT_FALSE(diciembre.contains(nueva)) << nueva.toStdString();
  EXPECT_TRUE(diciembre.value("Cod20").isNull());
  EXPECT_TRUE(diciembre.value("Cod583").isNull());
  // The calculation counts the nulls as 0.
  EXPECT_EQ(diciembre.value("Cod538").toDouble(), 2000.0);
  EXPECT_EQ(diciembre.value("Cod537").toDouble(), 500.0);
  EXPECT_EQ(diciembre.value("Cod89").toDouble(), 1500.0);
  EXPECT_EQ(diciembre.value("Cod583Mostrar").toString(), "");
}

TEST_F(CliArchivosTest, ExportarUnPeriodo) {
  CrearArchivoAntiguo(Ruta());
  const Resultado r = Ejecutar({"exportar", Ruta(), "--periodo", "2009-12"});
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  const QJsonArray alcabalas = Json(r).value("alcabalas").toArray();
  ASSERT_EQ(alcabalas.size(), 1);
  EXPECT_EQ(alcabalas.first().toObject().value("mes").toInt(), 12);
  const Resultado ninguno = Ejecutar({"--periodo", "2030-01", "exportar", Ruta()});
  EXPECT_EQ(ninguno.codigo, 2);  // options belong after the subcommand
  const Resultado vacio = Ejecutar({"exportar", "--periodo", "2030-01", Ruta()});
  ASSERT_EQ(vacio.codigo, 0);
  EXPECT_TRUE(Json(vacio).value("alcabalas").toArray().isEmpty());
}

TEST_F(CliArchivosTest, ArchivosIlegiblesYUsoIncorrecto) {
  QFile basura(Ruta("basura.alc"));
  ASSERT_TRUE(basura.open(QIODevice::WriteOnly));
  basura.write(QByteArray(4096, 'q'));
  basura.close();
  Resultado r = Ejecutar({"exportar", Ruta("basura.alc")});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.salida.isEmpty());
  EXPECT_TRUE(r.errores.contains("no es un archivo de Alcabala o está dañado")) << r.errores.toStdString();

  r = Ejecutar({"exportar", Ruta("falta.alc")});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_FALSE(QFile::exists(Ruta("falta.alc")));

  EjecutarSql(Ruta("sin.alc"), {"CREATE TABLE alcabalas (ano SMALLINT, mes SMALLINT)"});
  r = Ejecutar({"exportar", Ruta("sin.alc")});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("no such table: contribuyente")) << r.errores.toStdString();

  EXPECT_EQ(Ejecutar({"exportar"}).codigo, 2);
  EXPECT_EQ(Ejecutar({"exportar", Ruta(), "--periodo", "2024-13"}).codigo, 2);
  EXPECT_EQ(Ejecutar({"exportar", Ruta(), "--periodo", "2024-3"}).codigo, 2);
  EXPECT_EQ(Ejecutar({"exportar", Ruta(), "--periodo", "0000-03"}).codigo, 2);
  EXPECT_EQ(Ejecutar({"exportar", Ruta(), "--periodo"}).codigo, 2);
  EXPECT_EQ(Ejecutar({"exportar", Ruta(), Ruta("otro.alc")}).codigo, 2);
  EXPECT_EQ(Ejecutar({"nuevo"}).codigo, 2);
  EXPECT_EQ(Ejecutar({"nuevo", Ruta(), Ruta("otro.alc")}).codigo, 2);
}

TEST_F(CliArchivosTest, NuevoNoPisaUnArchivoExistente) {
  QFile existente(Ruta());
  ASSERT_TRUE(existente.open(QIODevice::WriteOnly));
  existente.write("contenido");
  existente.close();
  const Resultado r = Ejecutar({"nuevo", Ruta()});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("ya existe")) << r.errores.toStdString();
  EXPECT_EQ(Contenido(Ruta()), QByteArray("contenido"));

  const Resultado sinCarpeta = Ejecutar({"nuevo", carpeta.filePath("no/hay/E.alc")});
  EXPECT_EQ(sinCarpeta.codigo, 1);
  EXPECT_FALSE(QFile::exists(carpeta.filePath("no")));
}

}  // namespace
