// alcabala-cli in a hostile environment: a full standard output, creations
// killed half-way, rows whose amounts exceed the range of the engine.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "common/cli.h"
#include "storage/archivo.h"
#include "storage/conexion.h"

namespace {

using prueba::EjecutarCli;

// Runs alcabala-cli with its standard output going to a file (/dev/full).
prueba::ResultadoCli EjecutarHacia(const QStringList& argumentos, const QString& salida) {
  QProcess proceso;
  proceso.setStandardOutputFile(salida);
  proceso.start(QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli"), argumentos);
  prueba::ResultadoCli resultado;
  if (!proceso.waitForFinished(60000)) return resultado;
  resultado.codigo = proceso.exitStatus() == QProcess::NormalExit ? proceso.exitCode() : -1;
  resultado.errores = QString::fromUtf8(proceso.readAllStandardError());
  return resultado;
}

class CliRobustez : public ::testing::Test {
 protected:
  void SetUp() override { ruta = carpeta.filePath(QStringLiteral("Empresa.alc")); }
  QTemporaryDir carpeta;
  QString ruta;
};

TEST_F(CliRobustez, UnaSalidaLlenaEsUnError) {
  CrearArchivoAlcabala(ruta);
  for (const QStringList& argumentos : {QStringList{"exportar", ruta}, QStringList{"--help"}}) {
    const prueba::ResultadoCli r = EjecutarHacia(argumentos, QStringLiteral("/dev/full"));
    if (argumentos.first() == "--help") {
      EXPECT_EQ(r.codigo, 0);  // the help goes to standard error
      continue;
    }
    EXPECT_EQ(r.codigo, 1) << argumentos.join(' ').toStdString();
    EXPECT_TRUE(r.errores.startsWith(QStringLiteral("No se pudo escribir la salida estándar: ")))
        << r.errores.toStdString();
  }
}

TEST_F(CliRobustez, UnNuevoInterrumpidoNoDejaUnArchivoAMedias) {
  // Killed at many moments of its life: afterwards the name holds nothing or
  // a whole file, and a new try works.
  for (int espera = 0; espera < 60; espera += 3) {
    SCOPED_TRACE(espera);
    QFile::remove(ruta);
    QProcess proceso;
    proceso.start(QStringLiteral(ALCABALA_BIN_DIR "/alcabala-cli"), {QStringLiteral("nuevo"), ruta});
    ASSERT_TRUE(proceso.waitForStarted());
    QThread::msleep(static_cast<unsigned long>(espera));
    proceso.kill();
    proceso.waitForFinished();
    if (QFile::exists(ruta)) {
      Conexion conexion;
      EXPECT_NO_THROW(AbrirArchivoSoloLectura(conexion, ruta));
    } else {
      EXPECT_EQ(EjecutarCli({"nuevo", ruta}).codigo, 0);
      EXPECT_EQ(EjecutarCli({"exportar", ruta}).codigo, 0);
    }
  }
}

TEST_F(CliRobustez, LasCasillasFueraDeRangoSalenNulasConAviso) {
  CrearArchivoAlcabala(ruta);
  // Twelve-digit amounts, as a script may write them, and a rate of 99999.
  {
    Conexion conexion;
    conexion.Abrir(ruta);
    conexion.Ejecutar("INSERT INTO alcabalas (ano, mes, Cod563, Cod115, Cod502) "
                      "VALUES (2024, 5, 9999999999990000, 99999, 10000)");
  }
  const prueba::ResultadoCli r = EjecutarCli({"exportar", ruta, "--periodo", "2024-05"});
  EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_TRUE(r.salida.contains(QStringLiteral("\"Cod62\": null"))) << r.salida.toStdString();
  EXPECT_TRUE(r.salida.contains(QStringLiteral("\"Cod547\": null")));
  EXPECT_TRUE(r.salida.contains(QStringLiteral("\"Cod538\": 1,")));  // the rest is calculated
  EXPECT_TRUE(r.errores.startsWith(QStringLiteral("No se pudieron calcular las casillas 62, 724, 723, 595")))
      << r.errores.toStdString();
  EXPECT_TRUE(r.errores.contains(QStringLiteral("de Mayo del 2024")));
}

}  // namespace
