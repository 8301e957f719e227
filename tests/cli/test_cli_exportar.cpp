// alcabala-cli exportar reads rows by position straight into JSON text: its
// output must stay, byte for byte, what the data sets of the rest of the
// program make of the same files. The reference below is that path, kept
// here only: the taxpayer and the declarations through data sets, each value
// through its QVariant.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "cli/ligero/json.h"
#include "common/cli.h"
#include "common/sql.h"
#include "declarations/motor/calculo.h"
#include "declarations/lectura.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/archivos_prueba.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/dataset.h"

namespace {

using prueba::EjecutarSql;

struct Exportacion {
  int codigo = 0;
  QByteArray salida;
  QString errores;
};

Exportacion ExportacionDeReferencia(const QString& ruta, const QStringList& periodo, const QLocale& locale) {
  Exportacion exportacion;
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, ruta);
  DataSet contribuyente(&conexion, QStringLiteral("contribuyente"), false);
  contribuyente.DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
  contribuyente.Abrir();
  const QString textoContribuyente =
      contribuyente.EstaVacio() ? QStringLiteral("null") : JsonRegistro(contribuyente, contribuyente.Campos());

  QStringList objetos;
  auto exportar = [&](const Registro& declaracion, const QList<DefinicionCampo>& campos) {
    const QStringList fallidas = CajasNoCalculadas(declaracion);
    if (!fallidas.isEmpty())
      exportacion.errores += MensajeCajasNoCalculadas(fallidas,
                                                      static_cast<int>(NuloACeroEntero(declaracion.Valor("ano"))),
                                                      static_cast<int>(NuloACeroEntero(declaracion.Valor("mes")))) +
                             "\n";
    objetos << JsonRegistro(declaracion, campos);
  };
  if (!periodo.isEmpty()) {
    for (const RegistroPlano& declaracion :
         LeerDeclaracionesDelPeriodo(conexion, periodo.at(0).toInt(), periodo.at(1).toInt(), locale))
      exportar(declaracion, declaracion.Definiciones());
  } else {
    DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
    alcabalas.DefinirCalculados(CamposCalculadosAlcabala(),
                                [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
    alcabalas.Abrir();
    for (alcabalas.Primero(); !alcabalas.Eof(); alcabalas.Siguiente()) exportar(alcabalas, alcabalas.Campos());
  }
  QString documento = "{\n  \"archivo\": " + JsonTexto(NombreSinExtension(ruta)) + ",\n";
  documento += "  \"contribuyente\": " + textoContribuyente + ",\n  \"alcabalas\": [";
  for (int i = 0; i < objetos.size(); ++i) documento += (i == 0 ? "\n    " : ",\n    ") + objetos.at(i);
  documento += objetos.isEmpty() ? "]\n}\n" : "\n  ]\n}\n";
  exportacion.salida = documento.toUtf8();
  return exportacion;
}

Exportacion ExportacionDelPrograma(const QString& ruta, const QStringList& periodo, const QString& locale) {
  QStringList argumentos{"exportar", ruta};
  if (!periodo.isEmpty()) argumentos << "--periodo" << periodo.join('-');
  const prueba::ResultadoCli r = prueba::EjecutarCli(argumentos, QString(), locale);
  return {r.codigo, r.salidaCruda, r.errores};
}

// A file of the current layout holding what a script or another program may
// have stored: texts of every kind, rates, marks, amounts with fractions,
// values of another storage class than the column's type, rows whose boxes
// exceed the range of the engine, two rows of one period.
void CrearArchivoVariado(const QString& ruta) {
  CrearArchivoAlcabala(ruta);
  EjecutarSql(
      ruta,
      {"UPDATE contribuyente SET RUT = 12345678, nombres = 'José \"Pepe\"', ApellidoMaterno = 'Muñoz\\Díaz', "
       "calle = 'Los Aromos' || char(9) || '1234'",
       "INSERT INTO alcabalas (ano, mes, Cod502, Cod520, Cod115, Cod542, Cod583, Cod06, Cod110, Cod20, Cod739, Cod740) "
       "VALUES (2024, 3, 12345670000, 12345, 0.1, 12.5, 1, 'Calle \"Uno\" \\ 2', 70000, -5000, 50000, -20000)",
       "INSERT INTO alcabalas (ano, mes, Cod06, Cod115, Cod542, Cod583, Cod502) "
       "VALUES (2024, 4, 'Ñuñoa ' || char(1) || char(31) || char(10) || char(13) || ' 😀 fin', 1e-7, 1e39, 2, -1)",
       "INSERT INTO alcabalas (ano, mes, Cod06, Cod502) VALUES (2024, 4, '" + QString(70, 'x') + "', 1)",
       "INSERT INTO alcabalas (ano, mes, Cod563, Cod115, Cod502) VALUES (2024, 5, 9999999999990000, 99999, 10000)",
       "INSERT INTO alcabalas (ano, mes, Cod502, Cod520) VALUES (2024, 6, 9223372036854775807, -9223372036854775808)",
       // Values of another class than the column's type.
       "INSERT INTO alcabalas (ano, mes, Cod520, Cod06, Cod115, Cod583, Cod110) "
       "VALUES (2011, 3, '12.5', 12345, 'abc', 'yes', '77')",
       "INSERT INTO alcabalas (ano, mes, Cod520, Cod06, Cod502, Cod583, Cod110) "
       "VALUES (2011, 4, 1.5e4, x'41ff', 12.75, 0.5, 3.7)",
       "INSERT INTO alcabalas (ano, mes, Cod06) VALUES (2011, 5, 1.25)",
       "INSERT INTO alcabalas (ano, mes, Cod502) VALUES (1999, 12, 30000)"});
}

// An old layout without the ten later columns, nullable: nulls everywhere
// but a few boxes, and a row without a period.
void CrearArchivoAntiguoConNulos(const QString& ruta) {
  EjecutarSql(ruta, {prueba::SqlAlcabalasAntigua(prueba::ColumnasNuevas(), true),
                     "CREATE INDEX mes ON alcabalas (ano, mes)", prueba::SqlContribuyente(),
                     "INSERT INTO contribuyente (RUT, nombres) VALUES (7654321, 'Ana')",
                     "INSERT INTO alcabalas (ano, mes, Cod502, Cod520) VALUES (2009, 12, 20000000, 5000000)",
                     "INSERT INTO alcabalas (ano, mes) VALUES (2009, 11)",
                     "INSERT INTO alcabalas (ano, mes, Cod739, Cod740, Cod06) VALUES (2009, 11, 50000, -20000, 'Año')",
                     "INSERT INTO alcabalas (ano, mes) VALUES (NULL, NULL)"});
}

class CliExportar : public ::testing::Test {
 protected:
  QString Ruta(const QString& nombre) const { return carpeta.filePath(nombre); }

  // The program's output against the reference's, whole file and periods.
  void Comparar(const QString& ruta, const QList<QStringList>& periodos) {
    for (const auto& [locale, qlocale] : {std::pair{QStringLiteral("C.UTF-8"), QLocale::c()},
                                          std::pair{QStringLiteral("es_CL.UTF-8"), QLocale("es_CL")}}) {
      for (const QStringList& periodo : QList<QStringList>{{}} + periodos) {
        SCOPED_TRACE((QFileInfo(ruta).fileName() + " " + periodo.join('-') + " " + locale).toStdString());
        const Exportacion esperada = ExportacionDeReferencia(ruta, periodo, qlocale);
        const Exportacion obtenida = ExportacionDelPrograma(ruta, periodo, locale);
        EXPECT_EQ(obtenida.codigo, 0);
        EXPECT_EQ(obtenida.salida.toStdString(), esperada.salida.toStdString());
        EXPECT_EQ(obtenida.errores.toStdString(), esperada.errores.toStdString());
      }
    }
  }

  QTemporaryDir carpeta;
};

TEST_F(CliExportar, IgualQueLosDataSetsEnArchivosVariados) {
  CrearArchivoVariado(Ruta("Variada.alc"));
  Comparar(Ruta("Variada.alc"), {{"2024", "04"}, {"2024", "05"}, {"2011", "04"}, {"2030", "01"}});
}

TEST_F(CliExportar, IgualQueLosDataSetsEnUnArchivoAntiguoConNulos) {
  CrearArchivoAntiguoConNulos(Ruta("Antigua.oalc"));
  Comparar(Ruta("Antigua.oalc"), {{"2009", "11"}});
}

TEST_F(CliExportar, IgualQueLosDataSetsSinDeclaracionesNiContribuyente) {
  CrearArchivoAlcabala(Ruta("Vacia.alc"));
  Comparar(Ruta("Vacia.alc"), {{"2024", "01"}});
  CrearArchivoAlcabala(Ruta("SinContribuyente.alc"));
  EjecutarSql(Ruta("SinContribuyente.alc"),
              {"DELETE FROM contribuyente", "INSERT INTO alcabalas (ano, mes) VALUES (2020, 1)"});
  Comparar(Ruta("SinContribuyente.alc"), {{"2020", "01"}});
}

TEST_F(CliExportar, LosNumerosYTextosSalenComoSeEscriben) {
  // The reference shares the lowest writers of numbers and texts: pinned here.
  CrearArchivoVariado(Ruta("Variada.alc"));
  const Exportacion r = ExportacionDelPrograma(Ruta("Variada.alc"), {"2024", "04"}, "C.UTF-8");
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  const QString texto = QString::fromUtf8(r.salida);
  EXPECT_TRUE(texto.contains("\"Cod502\": -0.0001,")) << texto.toStdString();
  EXPECT_TRUE(texto.contains("\"Cod115\": 1e-07,"));
  EXPECT_TRUE(texto.contains("\"Cod542\": null,"));  // beyond a single: no JSON number
  EXPECT_TRUE(texto.contains("\"Cod583\": true,"));
  EXPECT_TRUE(texto.contains("\"Cod06\": \"Ñuñoa \\u0001\\u001f\\n\\r 😀 fin" + QString(50 - 17, ' ') + "\""));
  EXPECT_TRUE(texto.contains("\"Cod06\": \"" + QString(70, 'x') + "\""));  // stored longer: not cut
  const Exportacion extremos = ExportacionDelPrograma(Ruta("Variada.alc"), {"2024", "06"}, "C.UTF-8");
  EXPECT_TRUE(extremos.salida.contains("\"Cod502\": 922337203685477.5807,"));
  EXPECT_TRUE(extremos.salida.contains("\"Cod520\": -922337203685477.5808,"));
}

}  // namespace
