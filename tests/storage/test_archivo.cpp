#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "common/entorno.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/archivos_prueba.h"
#include "common/sql.h"
#include "storage/formato/columnas.h"
#include "storage/formato/sqlite.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/dataset.h"
#include "storage/periodos.h"

namespace {

class ArchivoTest : public ::testing::Test {
 protected:
  QString Ruta(const QString& nombre = "Empresa.alc") const { return carpeta.filePath(nombre); }
  QList<QVariantList> Columnas(const QString& ruta, const QString& tabla) const {
    return prueba::ConsultarSql(ruta, "PRAGMA table_info(" + tabla + ")");
  }
  QTemporaryDir carpeta;
};

// --- Creating -------------------------------------------------------------------

TEST_F(ArchivoTest, ElEsquemaDeAlcabalasEsElDelFormato) {
  CrearArchivoAlcabala(Ruta());
  const auto columnas = Columnas(Ruta(), "alcabalas");
  const auto esperadas = ColumnasAlcabalas();
  ASSERT_EQ(columnas.size(), 205);
  ASSERT_EQ(esperadas.size(), 205);
  for (int i = 0; i < columnas.size(); ++i) {
    const auto& fila = columnas.at(i);  // cid, name, type, notnull, dflt_value, pk
    SCOPED_TRACE(fila.at(1).toString().toStdString());
    EXPECT_EQ(fila.at(0).toInt(), i);
    EXPECT_EQ(fila.at(1).toString(), esperadas.at(i).nombre);
    EXPECT_EQ(fila.at(2).toString(), TipoSql(esperadas.at(i).tipo, esperadas.at(i).tamano));
    EXPECT_EQ(fila.at(3).toInt(), 1);
    EXPECT_EQ(fila.at(4).toString(), esperadas.at(i).tipo == TipoColumna::W ? "''" : "0");
    EXPECT_EQ(fila.at(5).toInt(), 0);  // no key
  }
  // A few positions and types as the form fixes them.
  auto tipo = [&](int posicion) { return columnas.at(posicion - 1).at(2).toString(); };
  auto nombre = [&](int posicion) { return columnas.at(posicion - 1).at(1).toString(); };
  EXPECT_EQ(nombre(1), "ano");
  EXPECT_EQ(tipo(1), "SMALLINT");
  EXPECT_EQ(nombre(7), "Cod731");
  EXPECT_EQ(tipo(7), "SMALLINT");
  EXPECT_EQ(nombre(18), "Cod110");
  EXPECT_EQ(tipo(18), "INTEGER");
  EXPECT_EQ(nombre(37), "Cod738");
  EXPECT_EQ(tipo(37), "REAL");
  EXPECT_EQ(nombre(159), "Cod583");
  EXPECT_EQ(tipo(159), "BOOLEAN");
  EXPECT_EQ(nombre(160), "Cod06");
  EXPECT_EQ(tipo(160), "NCHAR(50)");
  EXPECT_EQ(tipo(161), "NCHAR(10)");
  EXPECT_EQ(nombre(174), "Cod314");
  EXPECT_EQ(tipo(174), "INTEGER");
}

TEST_F(ArchivoTest, ElIndiceMesNoEsUnicoNiClave) {
  CrearArchivoAlcabala(Ruta());
  const auto indices = prueba::ConsultarSql(Ruta(), "PRAGMA index_list(alcabalas)");
  ASSERT_EQ(indices.size(), 1);
  EXPECT_EQ(indices.first().at(1).toString(), "mes");
  EXPECT_EQ(indices.first().at(2).toInt(), 0);  // not unique
  EXPECT_EQ(indices.first().at(3).toString(), "c");  // made by CREATE INDEX, not a key
  const auto columnas = prueba::ConsultarSql(Ruta(), "PRAGMA index_info(mes)");
  ASSERT_EQ(columnas.size(), 2);
  EXPECT_EQ(columnas.at(0).at(2).toString(), "ano");
  EXPECT_EQ(columnas.at(1).at(2).toString(), "mes");
  EXPECT_TRUE(prueba::ConsultarSql(Ruta(), "PRAGMA index_list(contribuyente)").isEmpty());
}

TEST_F(ArchivoTest, ElContribuyenteInicialYSuEsquema) {
  CrearArchivoAlcabala(Ruta());
  const auto columnas = Columnas(Ruta(), "contribuyente");
  const auto esperadas = ColumnasContribuyente();
  ASSERT_EQ(columnas.size(), 24);
  for (int i = 0; i < columnas.size(); ++i) {
    EXPECT_EQ(columnas.at(i).at(1).toString(), esperadas.at(i).nombre);
    EXPECT_EQ(columnas.at(i).at(2).toString(), TipoSql(esperadas.at(i).tipo, esperadas.at(i).tamano));
    EXPECT_EQ(columnas.at(i).at(3).toInt(), 1);
  }
  EXPECT_EQ(prueba::EscalarSql(Ruta(), "SELECT count(*) FROM contribuyente").toInt(), 1);
  EXPECT_EQ(prueba::EscalarSql(Ruta(), "SELECT count(*) FROM alcabalas").toInt(), 0);

  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  DataSet contribuyente(&conexion, "contribuyente", false);
  contribuyente.Abrir();
  EXPECT_EQ(contribuyente.Valor("ApellidoPaternoRazonSocial").toString().trimmed(), "Empresa");
  EXPECT_EQ(contribuyente.Valor("ApellidoPaternoRazonSocial").toString().size(), 50);
  EXPECT_EQ(contribuyente.Valor("RUT").toInt(), 0);
  EXPECT_EQ(contribuyente.Valor("region").toInt(), 9);
  EXPECT_EQ(contribuyente.Valor("CodigoAreaTelefono").toInt(), 45);
  for (const char* ciudad : {"comuna", "ciudad", "ComunaPostal", "CiudadPostal"})
    EXPECT_EQ(contribuyente.Valor(ciudad).toString().trimmed(), "Temuco") << ciudad;
  EXPECT_EQ(contribuyente.Valor("calle").toString().trimmed(), "");
  EXPECT_TRUE(contribuyente.Valor(CampoFacturaElectronica).toBool());  // due on the 20th
}

TEST_F(ArchivoTest, UnNombreLargoSeCortaACincuenta) {
  const QString largo = QString(60, QChar('n'));
  CrearArchivoAlcabala(Ruta(largo + ".alc"));
  EXPECT_EQ(prueba::EscalarSql(Ruta(largo + ".alc"), "SELECT ApellidoPaternoRazonSocial FROM contribuyente")
                .toString(),
            QString(50, QChar('n')));
}

TEST_F(ArchivoTest, CrearSobreUnArchivoExistenteNoLoToca) {
  QFile existente(Ruta());
  ASSERT_TRUE(existente.open(QIODevice::WriteOnly));
  existente.write("datos del usuario");
  existente.close();
  try {
    CrearArchivoAlcabala(Ruta());
    FAIL();
  } catch (const ErrorAlcabala& e) {
    EXPECT_TRUE(e.Mensaje().contains("ya existe")) << e.Mensaje().toStdString();
  }
  EXPECT_EQ(prueba::ContenidoArchivo(Ruta()), QByteArray("datos del usuario"));
}

TEST_F(ArchivoTest, CrearNoDejaNadaMasEnLaCarpeta) {
  CrearArchivoAlcabala(Ruta());
  EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"Empresa.alc"});
  // Read and written by its owner like any new file of the user.
  EXPECT_TRUE(QFileInfo(Ruta()).permissions() & QFileDevice::WriteOwner);
  const mode_t mascara = umask(0);
  umask(mascara);
  if ((mascara & 040) == 0) {
    EXPECT_TRUE(QFileInfo(Ruta()).permissions() & QFileDevice::ReadGroup);
  }
}

TEST_F(ArchivoTest, CrearEnUnaCarpetaQueNoExisteFallaLimpio) {
  const QString ruta = carpeta.filePath("no/existe/Empresa.alc");
  EXPECT_THROW(CrearArchivoAlcabala(ruta), ErrorAlcabala);
  EXPECT_FALSE(QFileInfo::exists(carpeta.filePath("no")));
}

TEST_F(ArchivoTest, UnaCreacionQueFallaAMitadNoDejaArchivo) {
  // A file-size limit makes the disk "full" in the middle of writing the file.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit anterior{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &anterior), 0);
  rlimit limite = anterior;
  limite.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0);
  bool fallo = false;
  try {
    CrearArchivoAlcabala(Ruta());
  } catch (const ErrorAlcabala&) {
    fallo = true;
  }
  setrlimit(RLIMIT_FSIZE, &anterior);
  EXPECT_TRUE(fallo);
  EXPECT_FALSE(QFileInfo::exists(Ruta()));
  EXPECT_FALSE(QFileInfo::exists(Ruta() + "-journal"));
  EXPECT_EQ(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// --- Start folder -----------------------------------------------------------------

TEST_F(ArchivoTest, CarpetaDelProgramaSiTieneArchivosDeDatos) {
  QDir(carpeta.path()).mkdir("programa");
  const QString programa = carpeta.filePath("programa");
  QFile dato(programa + "/viejo.oalc");
  ASSERT_TRUE(dato.open(QIODevice::WriteOnly));
  dato.close();
  EXPECT_EQ(CarpetaPredeterminada(programa), programa);
}

TEST_F(ArchivoTest, CarpetaDeDocumentosSiElProgramaNoTieneArchivos) {
  QDir(carpeta.path()).mkdir("programa");
  QFile otro(carpeta.filePath("programa/alcabala.mdb"));
  ASSERT_TRUE(otro.open(QIODevice::WriteOnly));
  otro.close();
  const QString esperada = CarpetaMisDocumentos() + "/Alcabalas";
  ASSERT_TRUE(esperada.startsWith(prueba::CarpetaTemporalRaiz()));  // never the user's own documents
  QDir().mkpath(CarpetaMisDocumentos());
  QDir(esperada).removeRecursively();
  EXPECT_EQ(CarpetaPredeterminada(carpeta.filePath("programa")), esperada);
  EXPECT_TRUE(QFileInfo(esperada).isDir());  // made on first use
  EXPECT_EQ(CarpetaPredeterminada(carpeta.filePath("programa")), esperada);  // and used again
}

// --- Opening and upgrading ----------------------------------------------------------

TEST_F(ArchivoTest, UnArchivoSinSoloCod760GanaExactamenteEsaColumna) {
  prueba::CrearArchivoAntiguo(Ruta(), {"Cod760"});
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  conexion.Cerrar();
  const auto columnas = Columnas(Ruta(), "alcabalas");
  ASSERT_EQ(columnas.size(), 205);
  const auto ultima = columnas.last();
  EXPECT_EQ(ultima.at(1).toString(), "Cod760");
  EXPECT_EQ(ultima.at(2).toString(), "CURRENCY");
  EXPECT_EQ(ultima.at(3).toInt(), 0);  // nullable
  EXPECT_EQ(ultima.at(4).toString(), "0");
}

TEST_F(ArchivoTest, UnArchivoAntiguoGanaLasCuarentaYUnaEnOrden) {
  prueba::CrearArchivoAntiguo(Ruta());
  Conexion conexion;
  conexion.Abrir(Ruta());
  EXPECT_FALSE(ExisteColumna(conexion, "Cod731"));
  EXPECT_TRUE(ExisteColumna(conexion, "Cod585"));
  EXPECT_FALSE(ExisteColumna(conexion, "cod585"));  // case-sensitive
  EXPECT_EQ(ActualizarArchivo(conexion), 41);
  EXPECT_TRUE(ExisteColumna(conexion, "Cod731"));
  conexion.Cerrar();
  const auto columnas = Columnas(Ruta(), "alcabalas");
  QStringList agregadas;
  for (int i = 164; i < columnas.size(); ++i) agregadas << columnas.at(i).at(1).toString();
  EXPECT_EQ(agregadas, prueba::ColumnasNuevas());
  EXPECT_EQ(columnas.at(164).at(2).toString(), "INTEGER");  // Cod731
  EXPECT_EQ(columnas.at(166).at(2).toString(), "INTEGER");  // Cod758
  EXPECT_EQ(columnas.at(165).at(2).toString(), "CURRENCY");
  EXPECT_EQ(columnas.at(174).at(2).toString(), "SMALLINT");  // Cod763, a count
  EXPECT_EQ(columnas.at(174 + 15).at(2).toString(), "REAL");  // Cod808, a rate
}

// A file of the previous version: every column but the current edition's
// boxes. It gains exactly those, in the form's order, and keeps its rows.
TEST_F(ArchivoTest, UnArchivoDeLaVersionAnteriorGanaLasCajasDeLaEdicionVigente) {
  const QStringList vigentes = prueba::ColumnasNuevas().mid(10);
  ASSERT_EQ(vigentes.size(), 31);
  prueba::CrearArchivoAntiguo(Ruta(), vigentes);
  prueba::EjecutarSql(Ruta(), {"INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2025, 12, 10000000)"});
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  conexion.Cerrar();
  const auto columnas = Columnas(Ruta(), "alcabalas");
  ASSERT_EQ(columnas.size(), 205);
  QStringList agregadas;
  for (int i = 174; i < columnas.size(); ++i) agregadas << columnas.at(i).at(1).toString();
  EXPECT_EQ(agregadas, vigentes);
  const auto filas = prueba::ConsultarSql(Ruta(), "SELECT Cod502, Cod764 FROM alcabalas");
  ASSERT_EQ(filas.size(), 1);
  EXPECT_EQ(filas.first().at(0).toLongLong(), 10000000);
  EXPECT_EQ(filas.first().at(1).toLongLong(), 0);  // the default of an added column
}

TEST_F(ArchivoTest, UnArchivoSinFacturaElectronicaLaGanaMarcada) {
  prueba::CrearArchivoAntiguo(Ruta());
  prueba::EjecutarSql(Ruta(), {"ALTER TABLE contribuyente DROP COLUMN FacturaElectronica"});
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  EXPECT_FALSE(ActualizarContribuyente(conexion));  // added by the opening, once
  conexion.Cerrar();
  const auto columnas = Columnas(Ruta(), "contribuyente");
  EXPECT_EQ(columnas.constLast().at(1).toString(), QLatin1String(CampoFacturaElectronica));
  EXPECT_EQ(columnas.constLast().at(2).toString(), "BOOLEAN");
  EXPECT_EQ(prueba::EscalarSql(Ruta(), "SELECT FacturaElectronica FROM contribuyente").toInt(), 1);
}

TEST_F(ArchivoTest, UnArchivoAlDiaNoCambia) {
  CrearArchivoAlcabala(Ruta());
  const QByteArray antes = prueba::ContenidoArchivo(Ruta());
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  EXPECT_EQ(ActualizarArchivo(conexion), 0);
  conexion.Cerrar();
  EXPECT_EQ(prueba::ContenidoArchivo(Ruta()), antes);
}

TEST_F(ArchivoTest, LosNulosCuentanComoCeroYLasColumnasEnterasSeLeenIgual) {
  // An old file upgraded by the old engine: the later columns nullable, nulls in old rows.
  prueba::EjecutarSql(Ruta(), {prueba::SqlAlcabalasAntigua({}, true), prueba::SqlContribuyente(),
                               "INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2009, 12, 10000000)"});
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  DataSet alcabalas(&conexion, "alcabalas", true);
  alcabalas.Abrir();
  EXPECT_TRUE(EsNulo(alcabalas.Valor("Cod759")));
  EXPECT_EQ(NuloACeroMoneda(alcabalas.Valor("Cod759")), Moneda());
  EXPECT_EQ(NuloACeroMoneda(alcabalas.Valor("Cod502")), Moneda::DesdePesos(1000));
  EXPECT_EQ(NuloAVacio(alcabalas.Valor("Cod06")), "");
  EXPECT_FALSE(NuloAFalso(alcabalas.Valor("Cod583")));
  // Editing and saving such a row keeps its nulls where nobody wrote.
  alcabalas.Editar();
  alcabalas.Asignar("Cod502", 5);
  alcabalas.Guardar();
  EXPECT_TRUE(prueba::EscalarSql(Ruta(), "SELECT Cod759 FROM alcabalas").isNull());
}

// --- Failure states: each raises and changes nothing ----------------------------------

class ArchivoFallaTest : public ArchivoTest {
 protected:
  void EsperarFalloSinCambios(const QString& ruta, const QString& fragmento) {
    const QByteArray antes = prueba::ContenidoArchivo(ruta);
    Conexion conexion;
    conexion.PonerTiempoEspera(100);
    try {
      AbrirArchivoAlcabala(conexion, ruta);
      ADD_FAILURE() << "se abrió " << ruta.toStdString();
    } catch (const ErrorAlcabala& e) {
      EXPECT_TRUE(e.Mensaje().contains(fragmento)) << e.Mensaje().toStdString();
    }
    EXPECT_FALSE(conexion.Abierta());
    EXPECT_EQ(prueba::ContenidoArchivo(ruta), antes);
  }
};

TEST_F(ArchivoFallaTest, NoEsBaseDeDatos) {
  QFile archivo(Ruta());
  ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
  archivo.write(QByteArray(2048, 'z'));
  archivo.close();
  EsperarFalloSinCambios(Ruta(), "» no es un archivo de Alcabala o está dañado.");
}

TEST_F(ArchivoFallaTest, NoExiste) {
  EsperarFalloSinCambios(Ruta(), "No se encuentra");
  EXPECT_FALSE(QFileInfo::exists(Ruta()));  // never created by opening
}

TEST_F(ArchivoFallaTest, SinTablaAlcabalas) {
  prueba::EjecutarSql(Ruta(), {prueba::SqlContribuyente()});
  EsperarFalloSinCambios(Ruta(), "no such table: alcabalas");
  Conexion conexion;
  conexion.Abrir(Ruta());
  try {
    ExisteColumna(conexion, "ano");
    FAIL();
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "no such table: alcabalas");
  }
}

TEST_F(ArchivoFallaTest, SinTablaContribuyenteNoSeActualiza) {
  prueba::EjecutarSql(Ruta(), {prueba::SqlAlcabalasAntigua(prueba::ColumnasNuevas(), false)});
  EsperarFalloSinCambios(Ruta(), "no such table: contribuyente");
}

TEST_F(ArchivoFallaTest, SoloLectura) {
  prueba::CrearArchivoAntiguo(Ruta());
  ASSERT_TRUE(QFile::setPermissions(Ruta(), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  EsperarFalloSinCambios(Ruta(), "solo lectura");
  // Reading only is still allowed, without upgrading.
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, Ruta());
  EXPECT_FALSE(ExisteColumna(conexion, "Cod760"));
}

TEST_F(ArchivoFallaTest, BloqueadoPorOtroQueEscribe) {
  prueba::CrearArchivoAntiguo(Ruta());
  const QByteArray antes = prueba::ContenidoArchivo(Ruta());
  {
    QSqlDatabase otro = QSqlDatabase::addDatabase("QSQLITE", "otro-programa");
    otro.setDatabaseName(Ruta());
    ASSERT_TRUE(otro.open());
    QSqlQuery escritura(otro);
    ASSERT_TRUE(escritura.exec("BEGIN IMMEDIATE"));
    ASSERT_TRUE(escritura.exec("UPDATE contribuyente SET RUT = 1"));
    Conexion conexion;
    conexion.PonerTiempoEspera(100);
    try {
      AbrirArchivoAlcabala(conexion, Ruta());
      ADD_FAILURE() << "actualizó un archivo bloqueado";
    } catch (const ErrorAlcabala& e) {
      EXPECT_EQ(e.Mensaje(), "El archivo «" + Ruta() + "» está abierto en otro programa; ciérrelo e intente de nuevo.");
    }
    EXPECT_FALSE(conexion.Abierta());
    ASSERT_TRUE(escritura.exec("ROLLBACK"));
    otro.close();
  }
  QSqlDatabase::removeDatabase("otro-programa");
  EXPECT_EQ(prueba::ContenidoArchivo(Ruta()), antes);
}

// --- Period queries and delete ---------------------------------------------------------

TEST_F(ArchivoTest, AnosMesesUltimoPeriodoYEliminar) {
  CrearArchivoAlcabala(Ruta());
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  EXPECT_TRUE(AnosDeclarados(conexion).isEmpty());
  EXPECT_EQ(UltimoPeriodo(conexion), (AnoMes{0, 0}));
  for (auto [ano, mes] : {std::pair{2023, 11}, {2024, 3}, {2023, 12}, {2024, 1}})
    conexion.Ejecutar("INSERT INTO alcabalas (ano, mes) VALUES (?, ?)", {ano, mes});
  EXPECT_EQ(AnosDeclarados(conexion), QList<int>({2024, 2023}));
  EXPECT_EQ(MesesDeclarados(conexion, 2023), QList<int>({12, 11}));
  EXPECT_EQ(UltimoPeriodo(conexion), (AnoMes{2024, 3}));
  EXPECT_EQ(SqlEliminarDeclaracion(2024, 3), "DELETE FROM alcabalas WHERE ano = 2024 AND mes = 3");
  EXPECT_EQ(SqlMesesDeclarados(2024), "SELECT mes FROM alcabalas WHERE ano = 2024 ORDER BY mes DESC");
  EXPECT_EQ(EliminarDeclaracion(conexion, 2024, 3), 1);
  EXPECT_EQ(UltimoPeriodo(conexion), (AnoMes{2024, 1}));
  EXPECT_EQ(EliminarDeclaracion(conexion, 2030, 1), 0);
}

TEST_F(ArchivoTest, UnaEliminacionQueFallaNoBorraNada) {
  CrearArchivoAlcabala(Ruta());
  prueba::EjecutarSql(Ruta(), {"INSERT INTO alcabalas (ano, mes) VALUES (2024, 3)",
                               "CREATE TRIGGER no_borrar BEFORE DELETE ON alcabalas "
                               "BEGIN SELECT RAISE(ABORT, 'borrado rechazado'); END"});
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, Ruta());
  try {
    EliminarDeclaracion(conexion, 2024, 3);
    FAIL();
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "borrado rechazado");
  }
  EXPECT_EQ(prueba::EscalarSql(Ruta(), "SELECT count(*) FROM alcabalas").toInt(), 1);
  // The connection is usable afterwards: no transaction was left open.
  conexion.Ejecutar("DROP TRIGGER no_borrar");
  EXPECT_EQ(EliminarDeclaracion(conexion, 2024, 3), 1);
}

// --- Taxpayer calculated fields ------------------------------------------------------------

class ContribuyenteTest : public ::testing::Test {
 protected:
  ContribuyenteTest()
      : ds({{"RUT", TipoColumna::L, 0, false},
            {"ApellidoPaternoRazonSocial", TipoColumna::W, 50, false},
            {"ApellidoMaterno", TipoColumna::W, 50, false},
            {"nombres", TipoColumna::W, 50, false}},
           "") {
    ds.DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
    ds.Abrir();
    ds.Agregar();
  }
  QString Celdas() {
    QString celdas;
    for (int k = 1; k <= 9; ++k) celdas += ds.Valor(QString("RUT_%1").arg(k)).toString() + "|";
    return celdas;
  }
  DataSet ds;
};

TEST_F(ContribuyenteTest, CeldasDelRut) {
  ds.Asignar("RUT", 7654321);
  EXPECT_EQ(Celdas(), " |7|6|5|4|3|2|1|6|");
  ds.Asignar("RUT", 0);
  EXPECT_EQ(Celdas(), " | | | | | | |0|0|");
  ds.Asignar("RUT", 123456789);  // nine digits: the ninth does not show
  EXPECT_EQ(Celdas(), "1|2|3|4|5|6|7|8|" + DigitoVerificador(123456789) + "|");
  ds.Asignar("RUT", QVariant());
  EXPECT_EQ(Celdas(), "|||||||||");
}

TEST_F(ContribuyenteTest, NombreDePersonaYDeEmpresa) {
  ds.Asignar("ApellidoPaternoRazonSocial", "X   ");
  ds.Asignar("ApellidoMaterno", " Z");
  ds.Asignar("nombres", "  Y W  ");
  EXPECT_EQ(ds.Valor("nombre").toString(), "X Z, Y W");
  ds.Asignar("ApellidoMaterno", "");
  EXPECT_EQ(ds.Valor("nombre").toString(), "X , Y W");
  ds.Asignar("nombres", "   ");
  EXPECT_EQ(ds.Valor("nombre").toString(), "X");
  ds.Asignar("ApellidoPaternoRazonSocial", QString(40, 'a'));
  ds.Asignar("ApellidoMaterno", QString(20, 'b'));
  ds.Asignar("nombres", "c");
  EXPECT_EQ(ds.Valor("nombre").toString(), QString(40, 'a') + " " + QString(9, 'b'));
  ds.Asignar("nombres", QVariant());
  EXPECT_EQ(ds.Valor("nombre").toString(), "");
}

}  // namespace

TEST(MensajesSqlite, LosErroresComunesEnCastellanoConElArchivoYLosDemasConSuTexto) {
  const QString ruta = QStringLiteral("/datos/Cliente.alc");
  for (const auto& [codigo, texto] : std::initializer_list<std::pair<int, const char*>>{
           {SQLITE_READONLY, "No se puede modificar el archivo «/datos/Cliente.alc»: es de solo lectura"},
           {SQLITE_READONLY_DBMOVED, "No se puede modificar el archivo «/datos/Cliente.alc»: es de solo lectura"},
           {SQLITE_CANTOPEN, "No se puede abrir el archivo «/datos/Cliente.alc»"},
           {SQLITE_BUSY, "El archivo «/datos/Cliente.alc» está abierto en otro programa; ciérrelo e intente de nuevo."},
           {SQLITE_LOCKED, "El archivo «/datos/Cliente.alc» está abierto en otro programa; ciérrelo e intente de nuevo."},
           {SQLITE_FULL, "No queda espacio en el disco para el archivo «/datos/Cliente.alc»"},
           {SQLITE_CORRUPT, "El archivo «/datos/Cliente.alc» está dañado"},
           {SQLITE_NOTADB, "«/datos/Cliente.alc» no es un archivo de Alcabala o está dañado."}})
    EXPECT_TRUE(MensajeErrorSqlite(codigo, "texto de SQLite", ruta).startsWith(QString::fromUtf8(texto))) << codigo;
  EXPECT_EQ(MensajeErrorSqlite(SQLITE_ERROR, "no such table: alcabalas", ruta), "no such table: alcabalas");
  EXPECT_EQ(MensajeErrorSqlite(SQLITE_CONSTRAINT, "UNIQUE constraint failed", ruta), "UNIQUE constraint failed");
}
