// The lean alcabala-cli: what it loads, and how it hands the other
// subcommands to alcabala-cli-completo.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "common/cli.h"
#include "storage/archivo.h"

namespace {

const QString kLigero = QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli");

// The shared libraries an executable asks for (its NEEDED entries).
QStringList BibliotecasNecesarias(const QString& ejecutable) {
  QProcess readelf;
  readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), ejecutable});
  EXPECT_TRUE(readelf.waitForFinished(30000));
  EXPECT_EQ(readelf.exitCode(), 0) << readelf.readAllStandardError().toStdString();
  QStringList bibliotecas;
  static const QRegularExpression necesaria(QStringLiteral(R"(\(NEEDED\)\s+Shared library: \[([^\]]+)\])"));
  for (auto coincidencia = necesaria.globalMatch(QString::fromUtf8(readelf.readAllStandardOutput()));
       coincidencia.hasNext();)
    bibliotecas << coincidencia.next().captured(1);
  return bibliotecas;
}

TEST(CliLanzador, ElProgramaLigeroCargaSoloQtCoreYSqlite) {
  const QStringList bibliotecas = BibliotecasNecesarias(kLigero);
  EXPECT_TRUE(bibliotecas.contains(QStringLiteral("libQt6Core.so.6"))) << bibliotecas.join(' ').toStdString();
  EXPECT_TRUE(bibliotecas.contains(QStringLiteral("libsqlite3.so.0"))) << bibliotecas.join(' ').toStdString();
  for (const QString& biblioteca : bibliotecas)
    for (const char* prohibida : {"Qt6Gui", "Qt6Widgets", "Qt6PrintSupport", "Qt6Sql", "curl", "xml2", "png"})
      EXPECT_FALSE(biblioteca.contains(QLatin1String(prohibida))) << biblioteca.toStdString();
  // The full program is the one that carries them: the check sees them.
  EXPECT_TRUE(BibliotecasNecesarias(QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli-completo"))
                  .contains(QStringLiteral("libQt6Sql.so.6")));
}

TEST(CliLanzador, SinElProgramaCompletoExportaYExplicaLoDemas) {
  QTemporaryDir carpeta;
  const QString copia = carpeta.filePath(QStringLiteral("alcabala-cli"));
  ASSERT_TRUE(QFile::copy(kLigero, copia));
  const QString ruta = carpeta.filePath(QStringLiteral("Empresa.alc"));
  CrearArchivoAlcabala(ruta);

  QProcess proceso;
  proceso.start(copia, {QStringLiteral("exportar"), ruta});
  ASSERT_TRUE(proceso.waitForFinished(30000));
  EXPECT_EQ(proceso.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(proceso.exitCode(), 0) << proceso.readAllStandardError().toStdString();
  EXPECT_TRUE(proceso.readAllStandardOutput().startsWith("{\n  \"archivo\": \"Empresa\""));

  for (const QStringList& argumentos : {QStringList{"nuevo", carpeta.filePath("Otra.alc")}, QStringList{"--help"},
                                        QStringList{}, QStringList{"exportarx"}}) {
    SCOPED_TRACE(argumentos.join(' ').toStdString());
    proceso.start(copia, argumentos);
    ASSERT_TRUE(proceso.waitForFinished(30000));
    EXPECT_EQ(proceso.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(proceso.exitCode(), 1);
    EXPECT_TRUE(proceso.readAllStandardOutput().isEmpty());
    const QString errores = QString::fromUtf8(proceso.readAllStandardError());
    EXPECT_TRUE(errores.startsWith("No se puede ejecutar \"" + carpeta.filePath("alcabala-cli-completo") +
                                   "\", que atiende los subcomandos de alcabala-cli salvo exportar: "))
        << errores.toStdString();
  }
  EXPECT_FALSE(QFile::exists(carpeta.filePath("Otra.alc")));
}

TEST(CliLanzador, ElProgramaCompletoRecibeLosMismosArgumentos) {
  // Arguments with blanks, quotes and non-ASCII reach the subcommand intact:
  // the usage message repeats none, so a missing file's name serves.
  const prueba::ResultadoCli r =
      prueba::EjecutarCli({"crear", "/no/existe/Año \"2024\".alc", "2024-03"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("/no/existe/Año \"2024\".alc")) << r.errores.toStdString();
}

}  // namespace
