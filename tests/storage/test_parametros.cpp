#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "general/errores.h"
#include "common/sql.h"
#include "storage/parametros.h"

namespace {

class ParametrosTest : public ::testing::Test {
 protected:
  QTemporaryDir carpeta;
  QString Ruta() const { return RutaBaseParametros(carpeta.path()); }
  void CrearConIva(const QString& valor) {
    prueba::EjecutarSql(Ruta(), {"CREATE TABLE parametros (IVA REAL NOT NULL DEFAULT 0)",
                                 "INSERT INTO parametros (IVA) VALUES (" + valor + ")"});
  }
};

TEST_F(ParametrosTest, LeeLaTasaTalComoEstaGuardada) {
  CrearConIva("19.5");
  BaseParametros parametros;
  parametros.Abrir(carpeta.path());
  EXPECT_TRUE(parametros.Abierta());
  EXPECT_DOUBLE_EQ(parametros.IVA(), 19.5);
}

TEST_F(ParametrosTest, LaBaseDelProgramaTieneDiecinueve) {
  BaseParametros parametros;
  parametros.Abrir(ALCABALA_BIN_DIR);
  EXPECT_DOUBLE_EQ(parametros.IVA(), 19.0);
}

TEST_F(ParametrosTest, UnArchivoQueFaltaEsErrorYNoSeCrea) {
  BaseParametros parametros;
  EXPECT_THROW(parametros.Abrir(carpeta.path()), ErrorAlcabala);
  EXPECT_FALSE(parametros.Abierta());
  EXPECT_FALSE(QFile::exists(Ruta()));
  EXPECT_THROW(parametros.IVA(), ErrorAlcabala);
}

TEST_F(ParametrosTest, UnArchivoQueNoEsBaseDeDatosEsError) {
  QFile archivo(Ruta());
  ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
  archivo.write(QByteArray(4096, 'x'));
  archivo.close();
  BaseParametros parametros;
  try {
    parametros.Abrir(carpeta.path());
    FAIL() << "abrió un archivo que no es base de datos";
  } catch (const ErrorAlcabala& e) {
    EXPECT_TRUE(e.Mensaje().endsWith("» no es un archivo de Alcabala o está dañado.")) << e.what();
  }
}

TEST_F(ParametrosTest, TasaVaciaONulaOSinFilasEsError) {
  prueba::EjecutarSql(Ruta(), {"CREATE TABLE parametros (IVA REAL)"});
  BaseParametros parametros;
  parametros.Abrir(carpeta.path());
  EXPECT_THROW(parametros.IVA(), ErrorAlcabala);  // no row
  parametros.Cerrar();
  prueba::EjecutarSql(Ruta(), {"INSERT INTO parametros (IVA) VALUES (NULL)"});
  parametros.Abrir(carpeta.path());
  EXPECT_THROW(parametros.IVA(), ErrorAlcabala);  // null would divide by zero
}

TEST_F(ParametrosTest, SinTablaDaElMensajeDeSqlite) {
  prueba::EjecutarSql(Ruta(), {"CREATE TABLE otra (x)"});
  BaseParametros parametros;
  parametros.Abrir(carpeta.path());
  try {
    parametros.IVA();
    FAIL();
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "no such table: parametros");
  }
}

}  // namespace
