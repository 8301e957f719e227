// alcabala-cli informe, run as the user runs it: the list read back from its
// PDF, the folders it scans, and its errors.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "common/cli.h"
#include "common/pdf.h"

namespace {

using prueba::EjecutarCli;

const QString Chile = QStringLiteral("es_CL.UTF-8");

void Sql(const QString& ruta, const QStringList& sentencias) {
  {
    QSqlDatabase base = QSqlDatabase::addDatabase("QSQLITE", "prueba-informe");
    base.setDatabaseName(ruta);
    ASSERT_TRUE(base.open());
    QSqlQuery consulta(base);
    for (const QString& sql : sentencias) ASSERT_TRUE(consulta.exec(sql)) << consulta.lastError().text().toStdString();
    base.close();
  }
  QSqlDatabase::removeDatabase("prueba-informe");
}

// A client file with its business name and, when debitos > 0, a declaration of March 2024.
void Empresa(const QString& ruta, const QString& nombre, qint64 debitos) {
  ASSERT_EQ(EjecutarCli({"nuevo", ruta}).codigo, 0);
  Sql(ruta, {QStringLiteral("UPDATE contribuyente SET RUT = 7654321, ApellidoPaternoRazonSocial = '%1'").arg(nombre)});
  if (debitos > 0)
    Sql(ruta, {QStringLiteral("INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2024, 3, %1)").arg(debitos * 10000)});
}

QStringList Palabras(const prueba::PaginaPdf& pagina) {
  QStringList palabras;
  for (const auto& p : pagina.palabras) palabras << p.texto;
  return palabras;
}

class InformeCli : public ::testing::Test {
 protected:
  QString Pdf() const { return salida.filePath("lista.pdf"); }
  QTemporaryDir uno;
  QTemporaryDir dos;
  QTemporaryDir salida;
};

}  // namespace

TEST_F(InformeCli, ListaDeLasCarpetasDadasEnPdf) {
  Empresa(uno.filePath("Norte.alc"), "Minera Norte", 1234567);
  Empresa(dos.filePath("Andes.alc"), "Comercial Los Andes", 1000);
  Empresa(dos.filePath("Sur.alc"), "Pesquera Sur", 0);  // no declaration: listed by "empresas", not by "a-pagar"
  const auto r = EjecutarCli({"informe", "empresas", "2024-03", "--pdf", Pdf(), "--carpeta", uno.path(), "--carpeta",
                              dos.path()},
                             QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_TRUE(r.errores.isEmpty());
  const auto paginas = prueba::LeerPdf(Pdf());
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_NEAR(paginas.at(0).tamano.width(), 11 * 72, 0.5);
  const QStringList palabras = Palabras(paginas.at(0));
  EXPECT_TRUE(palabras.join(' ').contains("EMPRESAS DEL 3/2024"));
  EXPECT_TRUE(palabras.join(' ').contains("Página 1 de 1"));
  // By name, rows in plain digits, the total grouped by the user's locale.
  const int andes = palabras.indexOf("Andes"), norte = palabras.indexOf("Norte"), sur = palabras.indexOf("Sur");
  ASSERT_TRUE(andes >= 0 && norte >= 0 && sur >= 0);
  EXPECT_LT(andes, norte);
  EXPECT_LT(norte, sur);
  EXPECT_TRUE(palabras.contains("1234567"));
  EXPECT_TRUE(palabras.contains("1.235.567"));

  const auto aPagar = EjecutarCli({"informe", "a-pagar", "2024-03", "--pdf", Pdf(), "--carpeta", dos.path()},
                                  QString(), Chile);
  ASSERT_EQ(aPagar.codigo, 0) << aPagar.errores.toStdString();
  const QStringList soloAndes = Palabras(prueba::LeerPdf(Pdf()).value(0));
  EXPECT_TRUE(soloAndes.join(' ').contains("EMPRESAS A PAGAR IMPUESTOS DEL 3/2024"));
  EXPECT_TRUE(soloAndes.contains("Andes"));
  EXPECT_FALSE(soloAndes.contains("Sur"));
  EXPECT_FALSE(soloAndes.contains("Norte"));
}

TEST_F(InformeCli, SinCarpetaLeeLaCarpetaDeDocumentos) {
  const QString alcabalas =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Alcabalas");
  ASSERT_TRUE(QDir().mkpath(alcabalas));
  Empresa(alcabalas + "/Documentada.alc", "Documentada Limitada", 500);
  Empresa(uno.filePath("Otra.alc"), "Otra Carpeta", 700);
  const auto r = EjecutarCli({"informe", "iva", "2024-03", "--pdf", Pdf()}, QString(), Chile);
  QDir(alcabalas).removeRecursively();
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  const QStringList palabras = Palabras(prueba::LeerPdf(Pdf()).value(0));
  EXPECT_TRUE(palabras.join(' ').contains("EMPRESAS E IVA DEL 3/2024"));
  EXPECT_TRUE(palabras.contains("Documentada"));
  EXPECT_FALSE(palabras.contains("Otra"));
}

TEST_F(InformeCli, ErroresDeUsoYArchivoRotoSinDejarSalida) {
  for (const QStringList& argumentos :
       {QStringList{"informe", "clientes", "2024-03", "--pdf", Pdf()}, QStringList{"informe", "iva", "2024-13"},
        QStringList{"informe", "iva", "marzo"}, QStringList{"informe", "ppm", "2024-03", "--carpeta"},
        QStringList{"informe", "ppm"}}) {
    const auto r = EjecutarCli(argumentos);
    EXPECT_EQ(r.codigo, 2) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.contains("Uso: alcabala-cli informe empresas|sin-pago|a-pagar|iva|retenciones|ppm AAAA-MM"))
        << r.errores.toStdString();
  }
  const auto sinCarpeta =
      EjecutarCli({"informe", "iva", "2024-03", "--pdf", Pdf(), "--carpeta", uno.filePath("no-existe")});
  EXPECT_EQ(sinCarpeta.codigo, 1);
  EXPECT_TRUE(sinCarpeta.errores.contains("no-existe")) << sinCarpeta.errores.toStdString();

  Empresa(uno.filePath("Buena.alc"), "Buena", 100);
  QFile roto(uno.filePath("Roto.alc"));
  ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
  roto.write(QByteArray(4096, 'x'));
  roto.close();
  const auto r = EjecutarCli({"informe", "retenciones", "2024-03", "--pdf", Pdf(), "--carpeta", uno.path()});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("Roto.alc")) << r.errores.toStdString();
  EXPECT_TRUE(QDir(salida.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
