// A file made by the previous version (every column but the current edition's
// boxes) read by every subcommand: nothing fails on the columns it lacks and
// the file is never changed; and `casillas` of a file of today.

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "common/cli.h"
#include "common/sql.h"
#include "declarations/catalogo/catalogo.h"
#include "storage/archivo.h"
#include "storage/formato/columnas.h"

namespace {

using prueba::EjecutarCli;
using prueba::EjecutarSql;

QByteArray Contenido(const QString& ruta) {
  QFile archivo(ruta);
  return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

class EdicionVigenteCli : public ::testing::Test {
 protected:
  // The previous version's layout: no column of the current edition's boxes.
  void CrearArchivoAnterior(const QString& ruta) const {
    QStringList alcabalas;
    for (const auto& c : ColumnasAlcabalas()) {
      const Caja* caja = BuscarCaja(c.nombre.mid(3));
      if (caja != nullptr && caja->edicionVigente) continue;
      alcabalas << c.nombre + " " + TipoSql(c.tipo, c.tamano);
    }
    QStringList contribuyente;
    for (const auto& c : ColumnasContribuyente()) contribuyente << c.nombre + " " + TipoSql(c.tipo, c.tamano);
    EjecutarSql(ruta, {"CREATE TABLE alcabalas (" + alcabalas.join(", ") + ")",
                       "CREATE INDEX mes ON alcabalas (ano, mes)",
                       "CREATE TABLE contribuyente (" + contribuyente.join(", ") + ")",
                       "INSERT INTO contribuyente (RUT, ApellidoPaternoRazonSocial) VALUES (7654321, 'Anterior')",
                       "INSERT INTO alcabalas (ano, mes, Cod502, Cod520, Cod725) "
                       "VALUES (2025, 12, 20000000, 5000000, 3000000)"});
  }
  QString Ruta(const QString& nombre) const { return carpeta.filePath(nombre); }
  QTemporaryDir carpeta;
};

}  // namespace

TEST_F(EdicionVigenteCli, CadaSubcomandoLeeUnArchivoDeLaVersionAnterior) {
  const QString ruta = Ruta("Anterior.alc");
  CrearArchivoAnterior(ruta);
  const QByteArray antes = Contenido(ruta);
  const QString pdf = Ruta("salida.pdf");
  const QList<QStringList> ordenes = {
      {"exportar", ruta},
      {"casillas", ruta, "2025-12"},
      {"casillas", ruta, "2025-12", "--json"},
      {"casillas", ruta, "2025-12", "--pdf", pdf},
      {"copia", ruta, "2025-12", "--pdf", pdf},
      {"imprimir", ruta, "2025-12", "anverso", "--pdf", pdf},
      {"imprimir", ruta, "2025-12", "reverso", "--pdf", pdf},
      {"resumen", "iva", ruta, "2025", "--pdf", pdf},
      {"informe", "empresas", "2025-12", "--pdf", pdf, "--carpeta", carpeta.path()},
  };
  for (const QStringList& orden : ordenes) {
    SCOPED_TRACE(orden.join(' ').toStdString());
    QFile::remove(pdf);
    const prueba::ResultadoCli r = EjecutarCli(orden);
    EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
    if (orden.contains("--pdf")) {
      EXPECT_TRUE(Contenido(pdf).startsWith("%PDF"));
    }
  }
  EXPECT_EQ(Contenido(ruta), antes);  // read only, never upgraded

  // The declaration computes as before; the new calculated boxes are there, empty.
  const QJsonObject diciembre = QJsonDocument::fromJson(EjecutarCli({"exportar", ruta}).salidaCruda)
                                    .object()
                                    .value("alcabalas")
                                    .toArray()
                                    .first()
                                    .toObject();
  EXPECT_EQ(diciembre.value("Cod89").toDouble(), 1500.0);
  EXPECT_EQ(diciembre.value("Cod547").toDouble(), 1200.0);
  EXPECT_FALSE(diciembre.contains("Cod764"));
  for (const char* calculada : {"Cod103", "Cod104", "Cod770", "Cod771", "Cod814", "Cod815"})
    EXPECT_EQ(diciembre.value(calculada).toDouble(-1), 0.0) << calculada;
  EXPECT_EQ(EjecutarCli({"casillas", ruta, "2025-12"}).salida.toStdString(),
            "502\t2000\t7\tFacturas emitidas por ventas y servicios del giro, o por cuenta de terceros\n"
            "538\t2000\t24\tTOTAL DÉBITOS\n"
            "520\t500\t29\tFacturas recibidas del giro, Facturas de compras emitidas y Comisión pagada por "
            "recepción de liquidación factura\n"
            "537\t500\t50\tTOTAL CRÉDITOS\n"
            "89\t1500\t51\tIVA determinado\n"
            "595\t1500\t81\tSUB TOTAL IMPUESTO DETERMINADO ANVERSO (Suma de las líneas 51 a 79, columna Impuesto y/o "
            "PPM determinado)\n"
            "725\t300\t135\tCrédito por Sistemas Solares Térmicos, Ley 20.365\n"
            "727\t300\t135\tCrédito por Sistemas Solares Térmicos, Ley 20.365 (Total Crédito)\n"
            "547\t1200\t141\tTotal Determinado\n"
            "91\t1200\t148\tTOTAL A PAGAR DENTRO DEL PLAZO LEGAL\n");
}

TEST_F(EdicionVigenteCli, CasillasDeUnArchivoActualYErroresDeUso) {
  const QString ruta = Ruta("Actual.alc");
  CrearArchivoAlcabala(ruta);
  EjecutarSql(ruta, {"INSERT INTO alcabalas (ano, mes, Cod502, Cod818, Cod811, Cod812) "
                     "VALUES (2026, 3, 10000000, 2000000, 1000000, 3000000)"});
  const prueba::ResultadoCli r = EjecutarCli({"casillas", ruta, "2026-03", "--json"});
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  QStringList pares;
  for (const auto& v : QJsonDocument::fromJson(r.salidaCruda).object().value("casillas").toArray())
    pares << v.toObject().value("codigo").toString() + "=" + v.toObject().value("valor").toString();
  EXPECT_EQ(pares.join(' ').toStdString(), "502=1000 818=200 538=800 89=800 595=800 811=100 812=300 815=200 547=800 91=800");

  for (const QStringList& mal : {QStringList{"casillas", ruta}, QStringList{"casillas", ruta, "2026-03", "--pdf"},
                                 QStringList{"casillas", ruta, "2026-03", "--json", "--pdf", "x.pdf"},
                                 QStringList{"casillas", ruta, "marzo"}})
    EXPECT_EQ(EjecutarCli(mal).codigo, 2) << mal.join(' ').toStdString();
  const prueba::ResultadoCli sinPeriodo = EjecutarCli({"casillas", ruta, "2026-04"});
  EXPECT_EQ(sinPeriodo.codigo, 1);
  EXPECT_FALSE(sinPeriodo.errores.isEmpty());
}
