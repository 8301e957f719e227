#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/sql.h"
#include "general/errores.h"
#include "reports/cartera.h"
#include "reports/empresas_prueba.h"
#include "reports/findemes.h"
#include "storage/archivos_prueba.h"

namespace {

using prueba::Contribuyente;

const QLocale kChile(QLocale::Spanish, QLocale::Chile);
constexpr int kAno = 2024;

Moneda Pesos(qint64 pesos) { return Moneda::DesdePesos(pesos); }

class CarteraTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(temporal.isValid()); }

  QString Ruta(const QString& nombre) const { return temporal.filePath(nombre); }

  QString Empresa(const QString& archivo, const Contribuyente& c) {
    const QString ruta = Ruta(archivo);
    prueba::CrearEmpresa(ruta, c);
    return ruta;
  }

  QList<FilaCartera> Leer(int ano = kAno) {
    const std::optional<QList<FilaCartera>> filas = LeerCartera({temporal.path()}, ano, kChile);
    EXPECT_TRUE(filas.has_value());
    return filas.value_or(QList<FilaCartera>());
  }

  QTemporaryDir temporal;
};

TEST_F(CarteraTest, CadaArchivoPorMesOrdenadoPorNombre) {
  const QString zeta = Empresa("a.alc", {12345678, "Zeta", "", ""});
  const QString nunez = Empresa("b.alc", {0, "Nuñez", "Soto", "Ana"});
  prueba::Declarar(zeta, kAno, 3, {{"Cod502", 1234567}});
  prueba::Declarar(zeta, kAno, 4, {{"Cod502", 0}});
  prueba::Declarar(zeta, kAno + 1, 3, {{"Cod502", 99}});  // another year
  prueba::Declarar(nunez, kAno, 12, {{"Cod502", 10}});
  prueba::Declarar(nunez, kAno, 12, {{"Cod502", 20}});  // stored twice: the first counts

  const QList<FilaCartera> filas = Leer();
  ASSERT_EQ(filas.size(), 2);
  EXPECT_EQ(filas[0].nombre, QStringLiteral("Nuñez Soto, Ana"));
  EXPECT_EQ(filas[1].nombre, QStringLiteral("Zeta"));
  EXPECT_EQ(filas[1].rut, 12345678);
  EXPECT_EQ(filas[1].ruta, zeta);
  EXPECT_TRUE(filas[1].facturaElectronica);
  EXPECT_FALSE(filas[1].Mes(1).conDeclaracion);
  EXPECT_EQ(filas[1].Mes(3).totalAPagar, Pesos(1234567));
  EXPECT_EQ(filas[1].Mes(4).totalAPagar, Pesos(0));
  EXPECT_EQ(filas[1].TotalAno(), Pesos(1234567));
  EXPECT_EQ(filas[0].Mes(12).totalAPagar, Pesos(10));
  EXPECT_EQ(filas[0].TotalAno(), Pesos(10));
}

TEST_F(CarteraTest, MarcaDeRemanenteCuandoQuedaCreditoParaElMesSiguiente) {
  const QString ruta = Empresa("a.alc", {1, "A", "", ""});
  prueba::Declarar(ruta, kAno, 1, {{"Cod504", 500}});                    // box 77 holds 500
  prueba::Declarar(ruta, kAno, 2, {{"Cod504", 500}, {"Cod502", 800}});   // all of it used
  const FilaCartera fila = Leer().value(0);
  EXPECT_TRUE(fila.Mes(1).remanente);
  EXPECT_EQ(fila.Mes(1).totalAPagar, Pesos(0));
  EXPECT_FALSE(fila.Mes(2).remanente);
  EXPECT_EQ(fila.Mes(2).totalAPagar, Pesos(300));
}

TEST_F(CarteraTest, ArchivoIlegibleYCasillaNoCalculadaNoDetienenLaLectura) {
  QFile roto(Ruta("Roto.alc"));
  ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
  roto.write(QByteArray(4096, 'x'));
  roto.close();
  const QString ruta = Empresa("b.alc", {1, "B", "", ""});
  prueba::Declarar(ruta, kAno, 5, {{"Cod502", 1}});
  prueba::Declarar(ruta, kAno, 6, {{"Cod502", 1}});
  // Two debits at the top of the range: box 538 and all that follows from it exceed it.
  prueba::EjecutarSql(ruta, {"UPDATE alcabalas SET Cod502 = 9223372036854775807, Cod717 = 9223372036854775807 "
                             "WHERE mes = 6"});

  const QList<FilaCartera> filas = Leer();
  ASSERT_EQ(filas.size(), 2);
  EXPECT_TRUE(filas[0].Legible());
  EXPECT_EQ(filas[0].Mes(5).totalAPagar, Pesos(1));
  EXPECT_TRUE(filas[0].Mes(6).conDeclaracion);
  EXPECT_FALSE(filas[0].Mes(6).totalAPagar.has_value());
  EXPECT_TRUE(filas[0].Mes(6).error.contains(QStringLiteral("91"))) << filas[0].Mes(6).error.toStdString();
  EXPECT_FALSE(filas[0].TotalAno().has_value());
  EXPECT_FALSE(filas[1].Legible());
  EXPECT_EQ(filas[1].NombreMostrado(), QStringLiteral("Roto.alc"));
  EXPECT_EQ(filas[1].error, "«" + Ruta("Roto.alc") + "» no es un archivo de Alcabala o está dañado.");
}

TEST_F(CarteraTest, LaSumaDelAnoQueExcedeElRangoNoSeMuestra) {
  const QString ruta = Empresa("a.alc", {1, "A", "", ""});
  for (int mes = 1; mes <= 2; ++mes)
    prueba::EjecutarSql(ruta, {QStringLiteral("INSERT INTO alcabalas (ano, mes, Cod502) VALUES (%1, %2, %3)")
                                   .arg(kAno)
                                   .arg(mes)
                                   .arg(std::numeric_limits<qint64>::max() - 10)});
  const FilaCartera fila = Leer().value(0);
  EXPECT_TRUE(fila.Mes(1).totalAPagar.has_value());
  EXPECT_FALSE(fila.TotalAno().has_value());
}

TEST_F(CarteraTest, LeerNoCambiaNingunArchivo) {
  const QString nuevo = Empresa("nuevo.alc", {1, "Nuevo", "", ""});
  prueba::Declarar(nuevo, kAno, 1, {{"Cod502", 5}});
  const QString antiguo = Ruta("antiguo.alc");
  prueba::CrearArchivoAntiguo(antiguo);  // older layout, without the invoicing flag
  prueba::EjecutarSql(antiguo, {"ALTER TABLE contribuyente DROP COLUMN FacturaElectronica"});
  const QString wal = Empresa("wal.alc", {2, "Wal", "", ""});
  prueba::EjecutarSql(wal, {"PRAGMA journal_mode = WAL"});
  QList<prueba::Huella> antes;
  for (const QString& ruta : {nuevo, antiguo, wal}) antes << prueba::HuellaDe(ruta);
  const QStringList entradas = QDir(temporal.path()).entryList(QDir::Files | QDir::Hidden);

  const QList<FilaCartera> filas = Leer();
  ASSERT_EQ(filas.size(), 3);
  for (const FilaCartera& fila : filas) EXPECT_TRUE(fila.Legible()) << fila.error.toStdString();
  for (const FilaCartera& fila : filas)
    if (fila.ruta == antiguo) {
      EXPECT_TRUE(fila.facturaElectronica);  // an older file files on the 20th
    }
  int i = 0;
  for (const QString& ruta : {nuevo, antiguo, wal}) EXPECT_TRUE(prueba::HuellaDe(ruta) == antes[i++]) << ruta.toStdString();
  EXPECT_EQ(QDir(temporal.path()).entryList(QDir::Files | QDir::Hidden), entradas);
}

TEST_F(CarteraTest, ElIndicadorDeFacturaElectronicaSeLeeDelArchivo) {
  const QString ruta = Empresa("a.alc", {1, "A", "", ""});
  EXPECT_TRUE(Leer().value(0).facturaElectronica);  // a new file starts with it set
  prueba::EjecutarSql(ruta, {"UPDATE contribuyente SET FacturaElectronica = 0"});
  EXPECT_FALSE(Leer().value(0).facturaElectronica);
}

TEST_F(CarteraTest, CancelarNoDevuelveFilas) {
  Empresa("a.alc", {1, "A", "", ""});
  Empresa("b.alc", {2, "B", "", ""});
  int avisos = 0;
  EXPECT_FALSE(LeerCartera({temporal.path()}, kAno, kChile, [&](int leidos, int total) {
                 EXPECT_EQ(total, 2);
                 ++avisos;
                 return leidos < 1;
               }).has_value());
  EXPECT_EQ(avisos, 2);
}

// --- The state of a cell ---------------------------------------------------------------

TEST(EstadoCelda, SegunLaDeclaracionYElMes) {
  FilaCartera fila;
  fila.meses[0].conDeclaracion = true;
  fila.meses[0].totalAPagar = Pesos(100);
  fila.meses[1].conDeclaracion = true;
  fila.meses[1].totalAPagar = Pesos(0);
  fila.meses[2].conDeclaracion = true;  // box 91 could not be computed
  const QDate hoy(2024, 6, 15);
  struct Caso {
    AnoMes periodo;
    EstadoCelda esperado;
  } casos[] = {
      {{2024, 1}, EstadoCelda::ConPago},   {{2024, 2}, EstadoCelda::SinPago},
      {{2024, 3}, EstadoCelda::NoCalculada}, {{2024, 5}, EstadoCelda::Falta},  // May is over: due
      {{2024, 6}, EstadoCelda::Vacia},     // the current month is not over
      {{2024, 12}, EstadoCelda::Vacia},    {{2023, 12}, EstadoCelda::Falta},
      {{2024, 7}, EstadoCelda::Vacia},
  };
  for (const Caso& caso : casos)
    EXPECT_EQ(EstadoDeCelda(fila, caso.periodo, hoy), caso.esperado) << caso.periodo.ano << "-" << caso.periodo.mes;
  fila.error = QStringLiteral("file is not a database");
  EXPECT_EQ(EstadoDeCelda(fila, {2024, 1}, hoy), EstadoCelda::Ilegible);
}

TEST(EstadoCelda, ElMesPorVencerEsElAnterior) {
  EXPECT_EQ(PeriodoPorVencer(QDate(2025, 1, 3)), (AnoMes{2024, 12}));
  EXPECT_EQ(PeriodoPorVencer(QDate(2025, 7, 31)), (AnoMes{2025, 6}));
}

// --- Month-end runs ------------------------------------------------------------------------

class FinDeMesTest : public CarteraTest {
 protected:
  // A UTM look-up that counts its calls.
  FuncionUTM Utm(double valor = 36000) {
    return [this, valor](int, int) {
      ++consultasUtm;
      return valor;
    };
  }
  int Declaraciones(const QString& ruta, int ano, int mes) {
    return prueba::EscalarSql(ruta, QStringLiteral("SELECT COUNT(*) FROM alcabalas WHERE ano = %1 AND mes = %2")
                                        .arg(ano)
                                        .arg(mes))
        .toInt();
  }
  int consultasUtm = 0;
};

TEST_F(FinDeMesTest, CrearParaTodosResumeHechosOmitidosYFallidos) {
  const QString a = Empresa("a.alc", {1, "A", "", ""});
  const QString b = Empresa("b.alc", {2, "B", "", ""});
  const QString c = Empresa("c.alc", {3, "C", "", ""});
  prueba::Declarar(a, kAno, 2, {{"Cod504", 3600000}});  // box 77 carries 100 UTM
  prueba::Declarar(b, kAno, 3);
  QFile roto(Ruta("d.alc"));
  ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
  roto.write("no es una base de datos");
  roto.close();
  const QByteArray antesB = prueba::ContenidoArchivo(b);
  const QByteArray antesRoto = prueba::ContenidoArchivo(Ruta("d.alc"));

  const QStringList archivos = ArchivosEmpresas({temporal.path()});
  const ResumenFinDeMes resumen = CrearMesParaTodos(archivos, {kAno, 3}, Utm(), kChile);

  EXPECT_EQ(resumen.total, 4);
  EXPECT_EQ(resumen.hechos, (QStringList{"a.alc", "c.alc"}));
  ASSERT_EQ(resumen.omitidos.size(), 1);
  EXPECT_EQ(resumen.omitidos[0].archivo, QStringLiteral("b.alc"));
  ASSERT_EQ(resumen.fallidos.size(), 1);
  EXPECT_EQ(resumen.fallidos[0].archivo, QStringLiteral("d.alc"));
  EXPECT_EQ(resumen.fallidos[0].motivo, "«" + Ruta("d.alc") + "» no es un archivo de Alcabala o está dañado.");
  EXPECT_EQ(consultasUtm, 2);  // the month and the next, once for the whole run
  EXPECT_EQ(Declaraciones(a, kAno, 3), 1);
  EXPECT_EQ(Declaraciones(c, kAno, 3), 1);
  EXPECT_EQ(prueba::EscalarSql(a, "SELECT Cod504 FROM alcabalas WHERE mes = 3").toLongLong(),
            Moneda::DesdePesos(3600000).Crudo());  // carried forward (same UTM)
  EXPECT_EQ(prueba::ContenidoArchivo(b), antesB);  // skipped without being opened for writing
  EXPECT_EQ(prueba::ContenidoArchivo(Ruta("d.alc")), antesRoto);
  EXPECT_EQ(resumen.Texto(), QStringLiteral("Listos: 2. Omitidos: 1. Con error: 1.\n\n"
                                            "Omitidos:\nb.alc: ya tiene la declaración de Marzo del 2024\n\n"
                                            "Con error:\nd.alc: «") + Ruta("d.alc") + "» no es un archivo de Alcabala o está dañado.");
}

TEST_F(FinDeMesTest, SinUTMFallaCadaArchivoSinTocarloYConsultaUnaVez) {
  const QString a = Empresa("a.alc", {1, "A", "", ""});
  const QString b = Empresa("b.alc", {2, "B", "", ""});
  const QByteArray antes = prueba::ContenidoArchivo(a);
  const ResumenFinDeMes resumen = CrearMesParaTodos({a, b}, {kAno, 3}, Utm(0), kChile);
  ASSERT_EQ(resumen.fallidos.size(), 2);
  EXPECT_EQ(resumen.fallidos[1].motivo, QStringLiteral("No existe UTM para Marzo del 2024."));
  EXPECT_EQ(consultasUtm, 2);
  EXPECT_EQ(Declaraciones(a, kAno, 3), 0);
  EXPECT_EQ(prueba::ContenidoArchivo(a).size(), antes.size());
}

TEST_F(FinDeMesTest, UnErrorDeLaConsultaDeUTMSeRecuerdaEnLaCorrida) {
  int llamadas = 0;
  const FuncionUTM unaVez = UTMUnaVezPorEjecucion([&](int, int) -> double {
    ++llamadas;
    throw ErrorAlcabala(QStringLiteral("No se pudo descargar"));
  });
  for (int i = 0; i < 3; ++i) EXPECT_THROW(unaVez(kAno, 3), ErrorAlcabala);
  EXPECT_EQ(llamadas, 1);
}

TEST_F(FinDeMesTest, CancelarDejaElRestoSinProcesar) {
  const QString a = Empresa("a.alc", {1, "A", "", ""});
  const QString b = Empresa("b.alc", {2, "B", "", ""});
  const ResumenFinDeMes resumen =
      CrearMesParaTodos({a, b}, {kAno, 3}, Utm(), kChile, [](int leidos, int) { return leidos < 1; });
  EXPECT_TRUE(resumen.cancelado);
  EXPECT_EQ(resumen.hechos, QStringList{"a.alc"});
  EXPECT_EQ(Declaraciones(b, kAno, 3), 0);
  EXPECT_TRUE(resumen.Texto().contains(QStringLiteral("quedaron 1 de 2 archivos")));
}

TEST_F(FinDeMesTest, CopiasDeCadaArchivoQueTieneElMes) {
  const QString a = Empresa("A.alc", {1, "A", "", ""});
  const QString otroA = Empresa("A.oalc", {2, "Otra A", "", ""});
  const QString b = Empresa("B.alc", {3, "B", "", ""});
  for (const QString& ruta : {a, otroA}) prueba::Declarar(ruta, kAno, 3, {{"Cod502", 10}});
  QTemporaryDir destino;
  ASSERT_TRUE(destino.isValid());

  const ResumenFinDeMes resumen =
      CopiasParaTodos(ArchivosEmpresas({temporal.path()}), {kAno, 3}, destino.path(), kChile, QDate(2024, 4, 2));
  EXPECT_EQ(resumen.hechos, QStringList{"A.alc"});
  ASSERT_EQ(resumen.omitidos.size(), 1);
  EXPECT_EQ(resumen.omitidos[0].motivo, QStringLiteral("no tiene la declaración de Marzo del 2024"));
  ASSERT_EQ(resumen.fallidos.size(), 1);  // A.oalc would replace A.alc's copy
  EXPECT_EQ(resumen.fallidos[0].archivo, QStringLiteral("A.oalc"));
  EXPECT_EQ(QDir(destino.path()).entryList(QDir::Files), QStringList{"A 2024-03.pdf"});
  EXPECT_TRUE(prueba::ContenidoArchivo(destino.filePath("A 2024-03.pdf")).startsWith("%PDF"));
  EXPECT_THROW(CopiasParaTodos({a}, {kAno, 3}, Ruta("no-existe"), kChile, QDate()), ErrorAlcabala);
}

}  // namespace
