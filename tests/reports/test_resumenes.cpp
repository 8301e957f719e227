// The annual summaries: the year's declarations read from a data file, and
// the lines, totals and formats the three templates compose from them.

#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <limits>

#include "common/archivos.h"
#include "common/locales.h"
#include "common/pdf.h"
#include "general/errores.h"
#include "general/valores.h"
#include "reports/datos_prueba.h"
#include "reports/plantillas.h"
#include "declarations/lectura.h"
#include "reports/resumenes.h"
#include "storage/archivo.h"
#include "storage/conexion.h"

using prueba::Contribuyente;
using prueba::Declaracion;
using prueba::Pesos;

namespace {

using prueba::Chile;
using prueba::EEUU;

// A summary composed from declarations held in memory.
struct Corrida {
  Corrida(ClaseResumen clase, QList<RegistroPlano> filas, const QLocale& locale = Chile)
      : declaraciones(std::move(filas)),
        contribuyente(Contribuyente(7654321, QStringLiteral("Comercial Los Andes"))),
        resumen(Resumen(clase)) {
    paginas = Componer(BuscarPlantilla(resumen.plantilla),
                       DatosResumen(declaraciones, contribuyente, TituloResumen(resumen, 2024)), locale);
  }
  // The texts of the data line that starts with the month's name, left to right.
  QStringList Linea(const QString& mes) const {
    for (const PaginaCompuesta& pagina : paginas)
      for (const Trazo& t : pagina)
        if (t.texto == mes && !t.negrita) return TextosA(pagina, t.caja.top(), false);
    return {};
  }
  // The totals line (bold 10-point texts), one text per amount column; "" where none prints.
  QStringList Totales() const {
    for (const Trazo& t : paginas.last())
      if (t.negrita && t.puntos == 10 && !t.esLinea) return TextosA(paginas.last(), t.caja.top(), true);
    return {};
  }
  // Month names of the data lines, in print order.
  QStringList Meses() const {
    QStringList meses;
    for (const PaginaCompuesta& pagina : paginas)
      for (const Trazo& t : pagina)
        if (!t.negrita && !t.esLinea && t.puntos == 10 && t.caja.left() < 0.4 && !t.texto.isEmpty()) meses << t.texto;
    return meses;
  }
  static QStringList TextosA(const PaginaCompuesta& pagina, double arriba, bool negrita) {
    QList<const Trazo*> linea;
    for (const Trazo& t : pagina)
      if (!t.esLinea && t.negrita == negrita && t.puntos == 10 && qAbs(t.caja.top() - arriba) < 1e-9) linea << &t;
    std::sort(linea.begin(), linea.end(), [](const Trazo* a, const Trazo* b) { return a->caja.left() < b->caja.left(); });
    QStringList textos;
    for (const Trazo* t : linea) textos << t->texto;
    return textos;
  }
  QList<RegistroPlano> declaraciones;
  RegistroPlano contribuyente;
  const DefinicionResumen& resumen;
  QList<PaginaCompuesta> paginas;
};

// A declaration whose boxes are given in whole pesos (the rate as is).
RegistroPlano Mes(int mes, const QHash<QString, qint64>& pesos, const QLocale& locale = Chile) {
  QHash<QString, QVariant> valores;
  for (auto it = pesos.cbegin(); it != pesos.cend(); ++it) valores.insert(it.key(), Pesos(it.value()));
  return Declaracion(2024, mes, valores, locale);
}

// A data file with declarations written straight into it.
struct ArchivoResumen {
  explicit ArchivoResumen(const QStringList& valores) {
    ruta = carpeta.filePath(QStringLiteral("Empresa.alc"));
    CrearArchivoAlcabala(ruta);
    {
      QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prueba-resumen"));
      base.setDatabaseName(ruta);
      EXPECT_TRUE(base.open());
      QSqlQuery consulta(base);
      for (const QString& v : valores)
        EXPECT_TRUE(consulta.exec(QStringLiteral("INSERT INTO alcabalas (ano, mes, Cod502, Cod504) VALUES ") + v))
            << consulta.lastError().text().toStdString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("prueba-resumen"));
  }
  QByteArray Bytes() const { return prueba::BytesDeArchivo(ruta); }
  QTemporaryDir carpeta;
  QString ruta;
};

}  // namespace

TEST(Resumenes, TitulosYPlantillas) {
  EXPECT_EQ(TituloResumen(Resumen(ClaseResumen::IVA), 2024), QStringLiteral("RESUMEN IVA DEL 2024"));
  EXPECT_EQ(TituloResumen(Resumen(ClaseResumen::Retenciones), 2024), QStringLiteral("RESUMEN RETENCIONES DEL 2024"));
  EXPECT_EQ(TituloResumen(Resumen(ClaseResumen::PPM), 1999), QStringLiteral("RESUMEN PPM DEL 1999"));
  QStringList plantillas;
  for (const DefinicionResumen& r : Resumenes()) plantillas << BuscarPlantilla(r.plantilla).nombre;
  EXPECT_EQ(plantillas, (QStringList{PlantillaResumenIVA, PlantillaResumenRetenciones, PlantillaResumenPPM}));
}

TEST(Resumenes, ElAnoDelArchivoEnOrdenDeMesesSinEscribirNada) {
  // Stored out of order, with neighbours in the years before and after.
  ArchivoResumen archivo({QStringLiteral("(2024, 5, 0, 15000000000)"), QStringLiteral("(2025, 1, 10000, 0)"),
                          QStringLiteral("(2024, 1, 10000000000, 3000000000)"), QStringLiteral("(2023, 12, 10000, 0)"),
                          QStringLiteral("(2024, 2, 5000000000, 20000000000)")});
  const QByteArray antes = archivo.Bytes();
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, archivo.ruta);
  const QList<RegistroPlano> filas = LeerDeclaracionesDelAno(conexion, 2024, Chile);
  EXPECT_TRUE(LeerDeclaracionesDelAno(conexion, 2026, Chile).isEmpty());
  EXPECT_TRUE(LeerDeclaracionesDelAno(conexion, 0, Chile).isEmpty());
  conexion.Cerrar();
  EXPECT_EQ(archivo.Bytes(), antes);

  ASSERT_EQ(filas.size(), 3);
  QStringList meses;
  for (const RegistroPlano& f : filas) meses << f.Valor(QStringLiteral("NombreMes")).toString().trimmed();
  EXPECT_EQ(meses, (QStringList{"Enero", "Febrero", "Mayo"}));

  // IVA: the remainders 504 and 77 add up like any other column; a zero prints 0.
  const Corrida iva(ClaseResumen::IVA, filas);
  EXPECT_EQ(iva.Meses(), (QStringList{"Enero", "Febrero", "Mayo"}));
  EXPECT_EQ(iva.Linea("Enero"), (QStringList{"Enero", "1.000.000", "300.000", "300.000", "0", "700.000"}));
  EXPECT_EQ(iva.Linea("Febrero"), (QStringList{"Febrero", "500.000", "2.000.000", "2.000.000", "1.500.000", "0"}));
  EXPECT_EQ(iva.Linea("Mayo"), (QStringList{"Mayo", "0", "1.500.000", "1.500.000", "1.500.000", "0"}));
  EXPECT_EQ(iva.Totales(), (QStringList{"1.500.000", "3.800.000", "3.800.000", "3.000.000", "700.000"}));
  EXPECT_TRUE(Corrida(ClaseResumen::IVA, filas, EEUU).Totales().contains(QStringLiteral("3,800,000")));
}

TEST(Resumenes, TituloNombreYEncabezadosEnCadaPagina) {
  const Corrida c(ClaseResumen::Retenciones, {Mes(3, {{"Cod50", 1}})});
  ASSERT_EQ(c.paginas.size(), 1);
  const Region& r = *BuscarPlantilla(PlantillaResumenRetenciones).region;
  bool nombre = false, titulo = false;
  for (const Trazo& t : c.paginas.at(0)) {
    if (t.texto == QStringLiteral("Comercial Los Andes")) {
      nombre = true;
      EXPECT_DOUBLE_EQ(t.caja.top(), r.arriba);
      EXPECT_DOUBLE_EQ(t.caja.width(), 7.712598);
      EXPECT_EQ(t.alineacion, Alineacion::Centro);
      EXPECT_TRUE(t.negrita);
      EXPECT_EQ(t.puntos, 28);
    }
    if (t.texto == QStringLiteral("RESUMEN RETENCIONES DEL 2024")) {
      titulo = true;
      EXPECT_DOUBLE_EQ(t.caja.top(), r.arriba + 0.5);
      EXPECT_EQ(t.puntos, 28);
    }
    EXPECT_FALSE(t.texto.startsWith(QStringLiteral("Página")));
  }
  EXPECT_TRUE(nombre);
  EXPECT_TRUE(titulo);
}

TEST(Resumenes, UnaSolaDeclaracionYUnTotalIgualAElla) {
  const Corrida c(ClaseResumen::Retenciones, {Mes(7, {{"Cod50", 1234567}, {"Cod48", 0}, {"Cod151", 999999999}})});
  EXPECT_EQ(c.Meses(), QStringList{"Julio"});
  EXPECT_EQ(c.Linea("Julio"), (QStringList{"Julio", "1.234.567", "0", "999.999.999"}));
  EXPECT_EQ(c.Totales(), (QStringList{"1.234.567", "0", "999.999.999"}));
}

TEST(Resumenes, PPMComoLoMuestraLaVentanaYTotalesSoloBajoLosNetos) {
  for (const QLocale& locale : {Chile, EEUU}) {
    const QString grupo = locale.groupSeparator();
    RegistroPlano enero = Mes(1, {{"Cod563", 0}, {"Cod68", 0}, {"Cod152", 1234567}}, locale);
    enero.Asignar(QStringLiteral("Cod115"), QVariant(0.25f));
    RegistroPlano marzo = Mes(3, {{"Cod563", 2000000}, {"Cod68", 1000}, {"Cod152", 0}}, locale);
    marzo.Asignar(QStringLiteral("Cod115"), QVariant(1.5f));
    ADODataSetAlcabalaCalcFields(marzo, locale);
    const Corrida c(ClaseResumen::PPM, {enero, marzo}, locale);
    SCOPED_TRACE(locale.name().toStdString());
    // A zero base, credit or net prints nothing; the rate without its leading zero.
    EXPECT_EQ(c.Linea("Enero"),
              (QStringList{"Enero", "", locale.decimalPoint() + "25", "", "", "1" + grupo + "234" + grupo + "567"}));
    // 2,000,000 × 1.5 % = 30,000 less the credit of 1,000.
    EXPECT_EQ(c.Linea("Marzo"), (QStringList{"Marzo", "2" + grupo + "000" + grupo + "000",
                                             "1" + locale.decimalPoint() + "5", "1" + grupo + "000",
                                             "29" + grupo + "000", ""}));
    EXPECT_EQ(c.Totales(), (QStringList{"29" + grupo + "000", "1" + grupo + "234" + grupo + "567"}));
  }
}

TEST(Resumenes, DoceMesesConLosMayoresMontosEnUnaPagina) {
  QList<RegistroPlano> filas;
  for (int mes = 12; mes >= 1; --mes) filas.prepend(Mes(mes, {{"Cod50", 999999999}, {"Cod48", mes}}));
  const Corrida c(ClaseResumen::Retenciones, filas);
  ASSERT_EQ(c.paginas.size(), 1);
  EXPECT_EQ(c.Meses(), (QStringList{"Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio", "Agosto",
                                    "Septiembre", "Octubre", "Noviembre", "Diciembre"}));
  EXPECT_EQ(c.Linea("Diciembre"), (QStringList{"Diciembre", "999.999.999", "12", "0"}));
  EXPECT_EQ(c.Totales(), (QStringList{"11.999.999.988", "78", "0"}));
}

TEST(Resumenes, AnoSinDeclaracionesTituloEncabezadosYTotalesEnCero) {
  const Corrida c(ClaseResumen::IVA, {});
  ASSERT_EQ(c.paginas.size(), 1);
  EXPECT_TRUE(c.Meses().isEmpty());
  EXPECT_EQ(c.Totales(), (QStringList{"0", "0", "0", "0", "0"}));
  QStringList textos;
  for (const Trazo& t : c.paginas.at(0)) textos << t.texto;
  EXPECT_TRUE(textos.contains(QStringLiteral("RESUMEN IVA DEL 2024")));
  EXPECT_TRUE(textos.contains(QStringLiteral("DEBITOS")));
  // The foot says the day the summary was made.
  EXPECT_TRUE(textos.contains(QStringLiteral("Hecho el ") + FechaLarga(QDate::currentDate())));
}

TEST(Resumenes, UnTotalFueraDeRangoEsUnErrorYNoUnaCifraFalsa) {
  const qint64 casiMaximo = std::numeric_limits<qint64>::max() - 5;
  QList<RegistroPlano> filas = {Mes(1, {}), Mes(2, {})};
  for (RegistroPlano& f : filas) f.Asignar(QStringLiteral("Cod152"), QVariant::fromValue(Moneda::DesdeCrudo(casiMaximo)));
  const DefinicionResumen& ppm = Resumen(ClaseResumen::PPM);
  const RegistroPlano contribuyente = Contribuyente(0, QString());
  try {
    Componer(BuscarPlantilla(ppm.plantilla), DatosResumen(filas, contribuyente, TituloResumen(ppm, 2024)), Chile);
    ADD_FAILURE() << "a total beyond the currency's range was printed";
  } catch (const ErrorAlcabala& e) {
    EXPECT_TRUE(e.Mensaje().contains(QStringLiteral("casilla 152"))) << e.what();
  }
}

TEST(Resumenes, UnNombreLargoSaleEnteroSobreElTitulo) {
  // A company name of the fifty characters a name prints with, far wider than
  // the page at 28 points: drawn smaller, not cut at both ends.
  const QList<RegistroPlano> filas = {Mes(1, {{"Cod502", 1}})};
  const RegistroPlano contribuyente =
      Contribuyente(7654321, QStringLiteral("Sociedad Comercializadora Importadora Austral Sur"));
  const DefinicionResumen& iva = Resumen(ClaseResumen::IVA);
  QTemporaryDir carpeta;
  const QString ruta = carpeta.filePath(QStringLiteral("iva.pdf"));
  {
    QPdfWriter pdf(ruta);
    OpcionesRender opciones;
    opciones.locale = Chile;
    Renderizar(BuscarPlantilla(iva.plantilla), DatosResumen(filas, contribuyente, TituloResumen(iva, 2024)), pdf,
               opciones);
  }
  const auto paginas = prueba::LeerPdf(ruta);
  ASSERT_EQ(paginas.size(), 1);
  const auto primera = prueba::Buscar(paginas.at(0), QStringLiteral("Sociedad"));
  const auto ultima = prueba::Buscar(paginas.at(0), QStringLiteral("Sur"));
  ASSERT_EQ(primera.size(), 1);
  ASSERT_EQ(ultima.size(), 1);
  EXPECT_GE(primera.at(0).caja.left(), 0.393701 * 72 - 0.5);
  EXPECT_LE(ultima.at(0).caja.right(), (0.393701 + 7.712598) * 72 + 0.5);
  EXPECT_LT(ultima.at(0).caja.top(), 0.393701 * 72 + 36);  // still above the title
}
