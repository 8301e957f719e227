// Files other copies of the program may have left in any state: a hot journal
// of a writer killed in the middle of a commit, a stale or bogus journal, a
// file in WAL mode.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QTemporaryDir>
#include <sys/wait.h>
#include <unistd.h>

#include "general/errores.h"
#include "storage/archivo.h"
#include "common/sql.h"
#include "storage/conexion.h"
#include "storage/formato/sqlite.h"

namespace {

// A SQLite VFS over the default one whose sync of the main database file ends
// the process on the spot: the journal is complete and synced, the database
// file half-written, no lock held any more. That is a hot journal.
namespace matar {
sqlite3_vfs* base = nullptr;
sqlite3_vfs vfs;
sqlite3_io_methods metodos;
int (*syncBase)(sqlite3_file*, int) = nullptr;
sqlite3_file* principal = nullptr;

int Sync(sqlite3_file* archivo, int banderas) {
  if (archivo == principal) _exit(42);
  return syncBase(archivo, banderas);
}

int Abrir(sqlite3_vfs*, const char* nombre, sqlite3_file* archivo, int banderas, int* salida) {
  const int rc = base->xOpen(base, nombre, archivo, banderas, salida);
  if (rc == SQLITE_OK && archivo->pMethods) {
    metodos = *archivo->pMethods;
    syncBase = archivo->pMethods->xSync;
    metodos.xSync = &Sync;
    archivo->pMethods = &metodos;
    if (banderas & SQLITE_OPEN_MAIN_DB) principal = archivo;
  }
  return rc;
}

// Runs sql in a child process that dies when its commit syncs the file.
// Returns the child's exit code (42: killed at the sync point).
int EscribirYMorir(const QString& ruta, const char* sql) {
  const QByteArray nombre = QFile::encodeName(ruta);
  const pid_t hijo = fork();
  if (hijo == 0) {
    base = sqlite3_vfs_find(nullptr);
    vfs = *base;
    vfs.zName = "matar-al-sincronizar";
    vfs.xOpen = &Abrir;
    sqlite3_vfs_register(&vfs, 0);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(nombre.constData(), &db, SQLITE_OPEN_READWRITE, "matar-al-sincronizar") != SQLITE_OK)
      _exit(1);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    _exit(2);  // the commit never synced
  }
  int estado = 0;
  waitpid(hijo, &estado, 0);
  return WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
}
}  // namespace matar

class RecuperacionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ruta = carpeta.filePath("Empresa.alc");
    CrearArchivoAlcabala(ruta);
    prueba::EjecutarSql(ruta, {"INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2024, 1, 10000)",
                               "INSERT INTO alcabalas (ano, mes, Cod502) VALUES (2024, 2, 20000)"});
  }

  // The rows a read-only open sees, as "ano-mes:502".
  QStringList LeerSoloLectura() {
    Conexion conexion;
    AbrirArchivoSoloLectura(conexion, ruta);
    QSqlQuery consulta = conexion.Consulta("SELECT ano, mes, Cod502 FROM alcabalas ORDER BY ano, mes");
    QStringList filas;
    while (consulta.next())
      filas << QString("%1-%2:%3").arg(consulta.value(0).toInt()).arg(consulta.value(1).toInt()).arg(
                   consulta.value(2).toLongLong());
    consulta.finish();
    EXPECT_EQ(conexion.ValorEscalar("PRAGMA integrity_check").toString(), "ok");
    return filas;
  }

  // A writer killed in the middle of its commit leaves a hot journal. Enough
  // rows to touch many pages, so the half-written file differs.
  void DejarDiarioCaliente() {
    ASSERT_EQ(matar::EscribirYMorir(ruta, "BEGIN;"
                                          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
                                          "INSERT INTO alcabalas (ano, mes) SELECT 2025, i % 12 + 1 FROM n;"
                                          "UPDATE alcabalas SET Cod502 = 1 WHERE ano = 2024;"
                                          "COMMIT;"),
              42);
    ASSERT_TRUE(QFile::exists(ruta + "-journal"));
  }

  // The same through a bare handle of its own (the export's way in).
  QStringList LeerSoloLecturaDirecto() {
    const ArchivoSoloLecturaSqlite archivo(ruta);
    Sentencia consulta = PrepararSentencia(archivo.Base(), "SELECT ano, mes, Cod502 FROM alcabalas ORDER BY ano, mes");
    QStringList filas;
    while (PasoSentencia(archivo.Base(), consulta.get()))
      filas << QString("%1-%2:%3").arg(sqlite3_column_int(consulta.get(), 0)).arg(sqlite3_column_int(consulta.get(), 1))
                   .arg(sqlite3_column_int64(consulta.get(), 2));
    consulta.reset();
    EXPECT_EQ(ValorCrudo(PrepararSentencia(archivo.Base(), "PRAGMA integrity_check").get(), 0), QVariant());
    return filas;
  }

  QTemporaryDir carpeta;
  QString ruta;
};

const QStringList kFilasConfirmadas = {"2024-1:10000", "2024-2:20000"};

TEST_F(RecuperacionTest, UnLectorDeshaceElDiarioDeUnEscritorMuerto) {
  DejarDiarioCaliente();
  if (HasFatalFailure()) return;
  EXPECT_EQ(LeerSoloLectura(), kFilasConfirmadas);
  // Read twice: the second reader finds the file already whole.
  EXPECT_EQ(LeerSoloLectura(), kFilasConfirmadas);
}

TEST_F(RecuperacionTest, UnLectorDirectoTambienDeshaceElDiarioYNoEscribe) {
  DejarDiarioCaliente();
  if (HasFatalFailure()) return;
  EXPECT_EQ(LeerSoloLecturaDirecto(), kFilasConfirmadas);
  EXPECT_EQ(LeerSoloLectura(), kFilasConfirmadas);

  const ArchivoSoloLecturaSqlite archivo(ruta);
  for (const char* cambio : {"DELETE FROM alcabalas", "CREATE TABLE otra (x)", "UPDATE contribuyente SET RUT = 1"})
    EXPECT_THROW(EjecutarSentencia(archivo.Base(), cambio), ErrorBaseDatos) << cambio;
  EXPECT_EQ(prueba::EscalarSql(ruta, "PRAGMA journal_mode").toString(), "delete");
}

TEST_F(RecuperacionTest, UnLectorDirectoDejaElArchivoWalYLeeUnoQueNoPuedeEscribir) {
  prueba::EjecutarSql(ruta, {"PRAGMA journal_mode = WAL"});
  EXPECT_EQ(LeerSoloLecturaDirecto(), kFilasConfirmadas);
  EXPECT_EQ(prueba::EscalarSql(ruta, "PRAGMA journal_mode").toString(), "wal");
  prueba::EjecutarSql(ruta, {"PRAGMA journal_mode = DELETE"});
  ASSERT_TRUE(QFile::setPermissions(ruta, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  EXPECT_EQ(LeerSoloLecturaDirecto(), kFilasConfirmadas);
  // The same messages as the connection's.
  for (const auto& [archivo, mensaje] :
       {std::pair{carpeta.filePath("falta.alc"), "No se encuentra el archivo \"" + carpeta.filePath("falta.alc") + "\"."},
        std::pair{carpeta.path(), "\"" + carpeta.path() + "\" no es un archivo."}}) {
    try {
      ArchivoSoloLecturaSqlite abierto(archivo);
      ADD_FAILURE() << "abrió " << archivo.toStdString();
    } catch (const ErrorAlcabala& e) {
      EXPECT_EQ(e.Mensaje(), mensaje);
    }
  }
}

TEST_F(RecuperacionTest, ElLectorNoEscribeNadaPropio) {
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, ruta);
  EXPECT_THROW(conexion.Ejecutar("DELETE FROM alcabalas"), ErrorBaseDatos);
  EXPECT_THROW(conexion.Ejecutar("CREATE TABLE otra (x)"), ErrorBaseDatos);
  conexion.Cerrar();
  EXPECT_EQ(LeerSoloLectura(), kFilasConfirmadas);
}

TEST_F(RecuperacionTest, UnDiarioViejoOFalsoNoImpideLeer) {
  for (const QByteArray& contenido : {QByteArray(), QByteArray("basura"), QByteArray(4096, '\xd9')}) {
    QFile diario(ruta + "-journal");
    ASSERT_TRUE(diario.open(QIODevice::WriteOnly | QIODevice::Truncate));
    diario.write(contenido);
    diario.close();
    EXPECT_EQ(LeerSoloLectura(), kFilasConfirmadas) << contenido.size();
  }
}

TEST_F(RecuperacionTest, UnEscritorDevuelveElArchivoWalAlDiarioYUnLectorLoDeja) {
  prueba::EjecutarSql(ruta, {"PRAGMA journal_mode = WAL"});
  ASSERT_EQ(prueba::EscalarSql(ruta, "PRAGMA journal_mode").toString(), "wal");
  EXPECT_EQ(LeerSoloLectura(), kFilasConfirmadas);
  EXPECT_EQ(prueba::EscalarSql(ruta, "PRAGMA journal_mode").toString(), "wal");
  {
    Conexion conexion;
    AbrirArchivoAlcabala(conexion, ruta);
  }
  EXPECT_EQ(prueba::EscalarSql(ruta, "PRAGMA journal_mode").toString(), "delete");
  EXPECT_EQ(LeerSoloLectura(), kFilasConfirmadas);
}

}  // namespace
