#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "general/errores.h"
#include "general/valores.h"
#include "reports/empresas_prueba.h"
#include "reports/escaneo.h"
#include "storage/archivos_prueba.h"
#include "common/sql.h"
#include "storage/conexion.h"
#include "storage/filaleida.h"

namespace {

using prueba::Contribuyente;

const QLocale kChile(QLocale::Spanish, QLocale::Chile);
constexpr int kAno = 2024;
constexpr int kMes = 3;

class EscaneoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temporal.isValid());
    carpeta = temporal.path() + "/Alcabalas";
    programa = temporal.path() + "/programa";
    QDir().mkpath(carpeta);
    QDir().mkpath(programa);
  }

  QString Ruta(const QString& nombre) const { return carpeta + "/" + nombre; }

  // A company with a declaration for the period with these boxes.
  QString Empresa(const QString& archivo, const Contribuyente& c, const QList<QPair<QString, qint64>>& pesos) {
    const QString ruta = Ruta(archivo);
    prueba::CrearEmpresa(ruta, c);
    prueba::Declarar(ruta, kAno, kMes, pesos);
    return ruta;
  }

  // Runs the scan inside one command's use of the table and returns its rows.
  QList<QStringList> Listar(ClaseInforme clase, const QStringList& campos = {"nombre", "RUT", "Cod91"},
                            QStringList carpetas = {}) {
    if (carpetas.isEmpty()) carpetas = {carpeta, programa};
    UsoTablaEmpresas uso(tabla);
    EXPECT_TRUE(CopiarAlcabalas(tabla, {kAno, kMes, clase, carpetas}));
    EXPECT_TRUE(tabla.ClientDataSetAlcabalas().RecalculoAutomatico());
    return prueba::Filas(tabla, campos);
  }

  QStringList Nombres(ClaseInforme clase) {
    QStringList nombres;
    for (const auto& fila : Listar(clase, {"nombre"})) nombres << fila.first();
    return nombres;
  }

  QTemporaryDir temporal;
  QString carpeta;
  QString programa;
  TablaEmpresas tabla{kChile};
};

TEST_F(EscaneoTest, NombreDePersonaYDeEmpresa) {
  Empresa("a.alc", {12345678, "  Pérez ", "Soto", " Ana María "}, {{"Cod502", 1000}});
  Empresa("b.alc", {7654321, "Comercial del Sur Ltda.", "", ""}, {});
  const auto filas = Listar(ClaseInforme::Todas, {"nombre", "RUT", "ApellidoPaternoRazonSocial"});
  ASSERT_EQ(filas.size(), 2);
  EXPECT_EQ(filas.at(0), QStringList({"Comercial del Sur Ltda.", "7654321-6",
                                      QString("Comercial del Sur Ltda.").leftJustified(50)}));
  EXPECT_EQ(filas.at(1).mid(0, 2), QStringList({"Pérez Soto, Ana María", "12345678-5"}));
}

TEST_F(EscaneoTest, SeleccionesSobreLaCaja91) {
  Empresa("paga.alc", {1, "Paga", "", ""}, {{"Cod502", 1000}});
  Empresa("excedente.alc", {2, "Excedente", "", ""}, {{"Cod502", 100}, {"Cod520", 500}});
  Empresa("unpeso.alc", {3, "Un Peso", "", ""}, {{"Cod502", 1}});
  prueba::CrearEmpresa(Ruta("sin.alc"), {4, "Sin Declaracion", "", ""});
  prueba::Declarar(Ruta("sin.alc"), kAno, kMes + 1, {{"Cod502", 9000}});  // another period only

  const auto todas = Listar(ClaseInforme::Todas, {"nombre", "Cod91", "Cod77"});
  ASSERT_EQ(todas.size(), 4);
  EXPECT_EQ(todas.at(0), QStringList({"Excedente", "0", "400"}));  // credits exceed debits
  EXPECT_EQ(todas.at(3), QStringList({"Un Peso", "1", "0"}));
  EXPECT_EQ(Nombres(ClaseInforme::SinPago), QStringList({"Excedente", "Sin Declaracion"}));
  EXPECT_EQ(Nombres(ClaseInforme::APagar), QStringList({"Paga", "Un Peso"}));
}

TEST_F(EscaneoTest, EmpresaSinDeclaracionConSusDatosYElPeriodo) {
  prueba::CrearEmpresa(Ruta("sin.alc"), {12345678, "Sin Declaracion", "", ""});
  for (ClaseInforme clase : {ClaseInforme::Todas, ClaseInforme::SinPago}) {
    const auto filas = Listar(clase, {"nombre", "RUT", "ano", "mes", "Cod563", "Cod502", "Cod91", "Cod538",
                                      "NombreMes"});
    ASSERT_EQ(filas.size(), 1);
    // Stored boxes empty, calculated ones 0.
    EXPECT_EQ(filas.first(), QStringList({"Sin Declaracion", "12345678-5", "2024", "3", "", "", "0", "0",
                                          "Marzo"}));
  }
  EXPECT_TRUE(Listar(ClaseInforme::APagar).isEmpty());
}

TEST_F(EscaneoTest, LaPrimeraDeclaracionDelPeriodoEnOrdenDelIndice) {
  const QString ruta = Empresa("a.alc", {1, "Doble", "", ""}, {{"Cod502", 111}});
  prueba::Declarar(ruta, kAno, kMes, {{"Cod502", 222}});  // the same period stored twice
  prueba::Declarar(ruta, kAno - 1, kMes, {{"Cod502", 333}});
  const auto filas = Listar(ClaseInforme::Todas, {"nombre", "Cod502", "ano"});
  EXPECT_EQ(filas, QList<QStringList>({{"Doble", "111", "2024"}}));

  Conexion conexion;
  conexion.AbrirSoloLectura(ruta);
  QString plan;
  QSqlQuery consulta = conexion.Consulta("EXPLAIN QUERY PLAN " + SqlPrimeraDeclaracion(), {kAno, kMes});
  while (consulta.next()) plan += consulta.value(3).toString() + "\n";
  EXPECT_TRUE(plan.contains("USING INDEX mes")) << plan.toStdString();
  EXPECT_FALSE(plan.contains("TEMP B-TREE")) << plan.toStdString();
}

TEST_F(EscaneoTest, ArchivoAntiguoSeLeeSinActualizarlo) {
  const QString ruta = Ruta("antigua.alc");
  prueba::CrearArchivoAntiguo(ruta);
  prueba::Declarar(ruta, kAno, kMes, {{"Cod502", 5000}});
  const prueba::Huella antes = prueba::HuellaDe(ruta);
  const auto filas = Listar(ClaseInforme::Todas, {"nombre", "Cod502", "Cod538", "Cod759", "Cod731"});
  EXPECT_EQ(filas, QList<QStringList>({{"Antigua", "5000", "5000", "", ""}}));
  EXPECT_TRUE(antes == prueba::HuellaDe(ruta));
  EXPECT_FALSE(prueba::ConsultarSql(ruta, "PRAGMA table_info(alcabalas)").size() > 164);
}

TEST_F(EscaneoTest, UnArchivoEnModoWalQuedaComoEstabaConSuRegistro) {
  const QString ruta = Empresa("wal.alc", {3, "Antes", "", ""}, {{"Cod502", 100}});
  // Another program left the file in WAL mode, the last change only in the
  // log (it did not copy it into the file on closing).
  sqlite3* base = nullptr;
  ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(ruta).constData(), &base, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  sqlite3_db_config(base, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  for (const char* sql : {"PRAGMA journal_mode = WAL", "UPDATE contribuyente SET ApellidoPaternoRazonSocial = 'Desde El Registro'"})
    ASSERT_EQ(sqlite3_exec(base, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  sqlite3_close(base);
  ASSERT_TRUE(QFile::exists(ruta + "-wal"));
  ASSERT_TRUE(QFile::exists(ruta + "-shm"));
  const QByteArray archivo = prueba::ContenidoArchivo(ruta);
  const QByteArray registro = prueba::ContenidoArchivo(ruta + "-wal");

  EXPECT_EQ(Nombres(ClaseInforme::Todas), QStringList{"Desde El Registro"});
  EXPECT_EQ(prueba::ContenidoArchivo(ruta), archivo);
  EXPECT_EQ(prueba::ContenidoArchivo(ruta + "-wal"), registro);
  EXPECT_TRUE(QFile::exists(ruta + "-shm"));
}

TEST_F(EscaneoTest, ArchivosDeDistintaDisposicionAlternados) {
  Empresa("a.alc", {1, "A Nueva", "", ""}, {{"Cod502", 10}, {"Cod759", 5}});
  prueba::CrearArchivoAntiguo(Ruta("b.alc"));
  prueba::EjecutarSql(Ruta("b.alc"), {"UPDATE contribuyente SET ApellidoPaternoRazonSocial = 'B Antigua'"});
  prueba::Declarar(Ruta("b.alc"), kAno, kMes, {{"Cod502", 20}});
  Empresa("c.alc", {3, "C Nueva", "", ""}, {{"Cod502", 30}});
  EXPECT_EQ(Listar(ClaseInforme::Todas, {"nombre", "Cod502", "Cod759", "Cod538"}),
            QList<QStringList>({{"A Nueva", "10", "5", "15"}, {"B Antigua", "20", "", "20"}, {"C Nueva", "30", "0", "30"}}));
}

TEST_F(EscaneoTest, ColumnasDeUnArchivoActualizadoConSuTipo) {
  // Upgraded files hold box 731 as a 32-bit integer of pesos, not as currency.
  const QString ruta = Ruta("actualizada.alc");
  prueba::CrearArchivoAntiguo(ruta);
  prueba::EjecutarSql(ruta, {"ALTER TABLE alcabalas ADD COLUMN Cod731 INTEGER DEFAULT 0",
                             "INSERT INTO alcabalas (ano, mes, Cod731) VALUES (2024, 3, 250)"});
  EXPECT_EQ(Listar(ClaseInforme::Todas, {"Cod731"}), QList<QStringList>({{"250"}}));
}

TEST_F(EscaneoTest, OcultosSoloLecturaYExtensionesSinDistinguirMayusculas) {
  Empresa(".Oculta.alc", {1, "Oculta", "", ""}, {});
  const QString soloLectura = Empresa("Lectura.alc", {2, "Lectura", "", ""}, {});
  QFile::setPermissions(soloLectura, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  Empresa("Otra.oalc", {3, "Otra", "", ""}, {});
  Empresa("GRANDE.ALC", {4, "Grande", "", ""}, {});
  Empresa("Vieja.OAlc", {5, "Vieja", "", ""}, {});
  QFile::copy(soloLectura, Ruta("copia.alc.bak"));
  QFile::copy(soloLectura, Ruta("copiaalc"));
  QDir().mkpath(Ruta("carpeta.alc"));
  EXPECT_EQ(Nombres(ClaseInforme::Todas), QStringList({"Grande", "Lectura", "Oculta", "Otra", "Vieja"}));
  // "alc" files of every folder, then "oalc" files; names sorted.
  const QStringList archivos = ArchivosEmpresas({carpeta});
  QStringList nombres;
  for (const QString& ruta : archivos) nombres << QFileInfo(ruta).fileName();
  EXPECT_EQ(nombres, QStringList({".Oculta.alc", "GRANDE.ALC", "Lectura.alc", "Otra.oalc", "Vieja.OAlc"}));
}

TEST_F(EscaneoTest, TablaContribuyenteVaciaDaUnaFilaSinRutNiNombre) {
  const QString ruta = Empresa("vacia.alc", {9, "Borrado", "", ""}, {{"Cod502", 700}});
  prueba::EjecutarSql(ruta, {"DELETE FROM contribuyente"});
  EXPECT_EQ(Listar(ClaseInforme::Todas), QList<QStringList>({{"", "", "700"}}));
}

TEST_F(EscaneoTest, CarpetaRepetidaSeExploraUnaVez) {
  Empresa("a.alc", {1, "Una", "", ""}, {{"Cod502", 10}});
  QFile::link(carpeta, temporal.path() + "/enlace");
  const QStringList carpetas = {carpeta, carpeta + "/", temporal.path() + "/enlace", temporal.path() + "/./Alcabalas"};
  EXPECT_EQ(Listar(ClaseInforme::Todas, {"nombre"}, carpetas), QList<QStringList>({{"Una"}}));
  // A file reached through a link in another folder is read once too.
  QFile::link(Ruta("a.alc"), programa + "/enlace.alc");
  EXPECT_EQ(Listar(ClaseInforme::Todas, {"nombre"}), QList<QStringList>({{"Una"}}));
}

TEST_F(EscaneoTest, ProgramaGuardadoConLosDatos) {
  // The program's folder is the documents folder's "Alcabalas".
  const QString datos = CarpetaMisDocumentos() + "/Alcabalas";
  QDir().mkpath(datos);
  prueba::CrearEmpresa(datos + "/uno.alc", {1, "Uno", "", ""});
  const QStringList carpetas = CarpetasEmpresas(datos);
  ASSERT_EQ(carpetas.size(), 2);
  EXPECT_EQ(carpetas.first(), datos);
  EXPECT_EQ(Listar(ClaseInforme::Todas, {"nombre"}, carpetas), QList<QStringList>({{"Uno"}}));
  QFile::remove(datos + "/uno.alc");
}

TEST_F(EscaneoTest, DosVecesSeguidasListanCadaEmpresaUnaVez) {
  Empresa("a.alc", {1, "Una", "", ""}, {{"Cod502", 10}});
  Empresa("b.oalc", {2, "Dos", "", ""}, {{"Cod502", 20}});
  const auto primera = Listar(ClaseInforme::Todas);
  EXPECT_EQ(primera.size(), 2);
  EXPECT_EQ(Listar(ClaseInforme::Todas), primera);
  EXPECT_FALSE(tabla.ClientDataSetAlcabalas().Activo());
}

TEST_F(EscaneoTest, NombresIgualesEnElOrdenDeLosArchivos) {
  Empresa("b.alc", {2, "Igual", "", ""}, {});
  Empresa("a.alc", {1, "Igual", "", ""}, {});
  Empresa("c.oalc", {3, "Igual", "", ""}, {});
  Empresa("0.oalc", {4, "Igual", "", ""}, {});
  QStringList ruts;
  for (const auto& fila : Listar(ClaseInforme::Todas, {"RUT"})) ruts << fila.first();
  EXPECT_EQ(ruts, QStringList({"1-9", "2-7", "4-3", "3-5"}));
}

TEST_F(EscaneoTest, ArchivoRotoTerminaConSuNombreYNadaCambia) {
  Empresa("Buena.alc", {1, "Buena", "", ""}, {{"Cod502", 10}});
  const QString antigua = Ruta("Antigua.alc");
  prueba::CrearArchivoAntiguo(antigua);
  Empresa("Zeta.alc", {3, "Zeta", "", ""}, {});
  QFile roto(Ruta("Roto.alc"));
  ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
  roto.write(QByteArray(4096, 'x'));
  roto.close();
  QMap<QString, prueba::Huella> antes;
  for (const QString& ruta : QDir(carpeta).entryList(QDir::Files)) antes[ruta] = prueba::HuellaDe(Ruta(ruta));

  try {
    UsoTablaEmpresas uso(tabla);
    CopiarAlcabalas(tabla, {kAno, kMes, ClaseInforme::Todas, {carpeta}});
    FAIL() << "a broken file must end the scan";
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(TextoMensajeError(e.Mensaje()), "Roto.alc: «" + Ruta("Roto.alc") + "» no es un archivo de Alcabala o está dañado.");
  }
  EXPECT_FALSE(tabla.ClientDataSetAlcabalas().Activo());
  EXPECT_TRUE(tabla.ClientDataSetAlcabalas().RecalculoAutomatico());
  UsoTablaEmpresas despues(tabla);
  EXPECT_TRUE(tabla.ClientDataSetAlcabalas().EstaVacio());
  for (auto it = antes.cbegin(); it != antes.cend(); ++it)
    EXPECT_TRUE(it.value() == prueba::HuellaDe(Ruta(it.key()))) << it.key().toStdString();
  EXPECT_EQ(QDir(carpeta).entryList(QDir::Files | QDir::Hidden).size(), antes.size());  // no journal left
}

TEST_F(EscaneoTest, ArchivoSinTablaTerminaConSuNombre) {
  prueba::EjecutarSql(Ruta("SinTabla.alc"), {prueba::SqlContribuyente()});
  UsoTablaEmpresas uso(tabla);
  try {
    CopiarAlcabalas(tabla, {kAno, kMes, ClaseInforme::APagar, {carpeta}});
    FAIL() << "a file without declarations table must end the scan";
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "SinTabla.alc: no such table: alcabalas");
  }
}

TEST_F(EscaneoTest, AvisosDeProgresoYCancelacion) {
  for (const char* nombre : {"a.alc", "b.alc", "c.alc"}) Empresa(nombre, {1, nombre, "", ""}, {});
  QList<QPair<int, int>> avisos;
  {
    UsoTablaEmpresas uso(tabla);
    EXPECT_TRUE(CopiarAlcabalas(tabla, {kAno, kMes, ClaseInforme::Todas, {carpeta}}, [&](int leidos, int total) {
      avisos.append({leidos, total});
      return true;
    }));
    EXPECT_EQ(tabla.ClientDataSetAlcabalas().CantidadFilas(), 3);
  }
  EXPECT_EQ(avisos, (QList<QPair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));

  UsoTablaEmpresas uso(tabla);
  const bool completo = CopiarAlcabalas(tabla, {kAno, kMes, ClaseInforme::Todas, {carpeta}},
                                        [](int leidos, int) { return leidos < 2; });
  EXPECT_FALSE(completo);
  EXPECT_TRUE(tabla.ClientDataSetAlcabalas().EstaVacio());
  EXPECT_TRUE(tabla.ClientDataSetAlcabalas().RecalculoAutomatico());
}

TEST_F(EscaneoTest, SinArchivosNiCarpetas) {
  EXPECT_TRUE(Listar(ClaseInforme::Todas, {"nombre"}, {temporal.path() + "/no-existe", carpeta}).isEmpty());
  EXPECT_TRUE(ExplorarCarpeta(temporal.path() + "/no-existe", "alc").isEmpty());
}

}  // namespace
