// The four company lists as they come out of a real scan: client files in a
// folder, the company table, the list's template, pages composed and painted.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QMap>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "common/locales.h"
#include "common/pdf.h"
#include "general/valores.h"
#include "reports/empresas_prueba.h"
#include "reports/listaempresas.h"
#include "reports/plantillas.h"
#include "reports/tablaempresas.h"
#include "common/sql.h"

namespace {

using prueba::Chile;
using prueba::EEUU;
constexpr double Margen = 0.393701;
constexpr double PulgadasFila = 0.166654;

class Listas : public ::testing::Test {
 protected:
  // A client file "NNN.alc" with a declaration for March 2024 whose debits (box 502) are `debitos`.
  void Empresa(int n, qint64 debitos) {
    const QString ruta = carpeta.filePath(QStringLiteral("%1.alc").arg(n, 3, 10, QLatin1Char('0')));
    prueba::CrearEmpresa(ruta, {1000000 + n, QStringLiteral("Empresa %1").arg(n, 3, 10, QLatin1Char('0')), QString(), QString()});
    prueba::Declarar(ruta, 2024, 3, {{QStringLiteral("Cod502"), debitos}});
  }
  ListaEmpresas Lista(InformeEmpresas informe, const QLocale& locale = Chile) {
    TablaEmpresas tabla(locale);
    auto lista = PrepararListaEmpresas(tabla, informe, 2024, 3, {carpeta.path()});
    EXPECT_TRUE(lista.has_value());
    EXPECT_FALSE(tabla.ClientDataSetAlcabalas().Activo());
    return lista.value_or(ListaEmpresas{});
  }
  QTemporaryDir carpeta;
};

QStringList Textos(const PaginaCompuesta& pagina) {
  QStringList textos;
  for (const Trazo& t : pagina) textos << t.texto;
  return textos;
}

// The texts of one page placed at this top (inches from the page's top), left to right.
QStringList TextosEnLinea(const PaginaCompuesta& pagina, double arriba) {
  QList<const Trazo*> linea;
  for (const Trazo& t : pagina)
    if (!t.esLinea && std::abs(t.caja.top() - arriba) < 1e-6) linea << &t;
  std::sort(linea.begin(), linea.end(), [](const Trazo* a, const Trazo* b) { return a->caja.left() < b->caja.left(); });
  QStringList textos;
  for (const Trazo* t : linea) textos << t->texto;
  return textos;
}

// The words that follow the first word `palabra` of the page.
QStringList PalabrasTras(const prueba::PaginaPdf& pagina, const QString& palabra, int cuantas) {
  QStringList siguientes;
  for (int i = 0; i < pagina.palabras.size(); ++i) {
    if (pagina.palabras.at(i).texto != palabra) continue;
    for (int j = i + 1; j < pagina.palabras.size() && siguientes.size() < cuantas; ++j)
      siguientes << pagina.palabras.at(j).texto;
    break;
  }
  return siguientes;
}

// The field of the data band's column whose left edge is at `izquierda` on the page.
QString CampoEn(const Region& region, double izquierda) {
  for (const Elemento& e : region.datos.elementos)
    if (std::abs(region.izquierda + e.izquierda - izquierda) < 1e-6) return e.campo;
  return QString();
}

// The label of the totals line and its count of companies.
bool EsRotuloDeTotales(const Trazo& t) {
  static const QRegularExpression cantidad(QStringLiteral("^\\d+ empresas?$"));
  return t.texto == QLatin1String("TOTAL") || cantidad.match(t.texto).hasMatch();
}

// Bold 10-point texts: the totals.
QList<Trazo> Totales(const PaginaCompuesta& pagina) {
  QList<Trazo> totales;
  for (const Trazo& t : pagina)
    if (!t.esLinea && t.negrita && t.puntos == 10 && !EsRotuloDeTotales(t)) totales << t;
  return totales;
}

}  // namespace

TEST_F(Listas, TresPaginasConTitulosEncabezadosNumeroYTotalesTrasLaUltimaFila) {
  // 32 rows fill a page: 70 companies are 32 + 32 + 6 rows.
  for (int n = 1; n <= 70; ++n) Empresa(n, 1000);
  const ListaEmpresas lista = Lista(InformeEmpresas::Empresas);
  ASSERT_EQ(lista.filas.size(), 70);
  EXPECT_EQ(lista.titulo, QStringLiteral("EMPRESAS DEL 3/2024"));

  QTemporaryDir salida;
  const QString ruta = salida.filePath(QStringLiteral("empresas.pdf"));
  {
    QPdfWriter pdf(ruta);
    OpcionesRender opciones;
    opciones.locale = Chile;
    ASSERT_EQ(Renderizar(*lista.plantilla, lista.Datos(), pdf, opciones), 3);
  }
  const auto paginas = prueba::LeerPdf(ruta);
  ASSERT_EQ(paginas.size(), 3);
  int filas = 0;
  for (int k = 0; k < 3; ++k) {
    const prueba::PaginaPdf& p = paginas.at(k);
    EXPECT_NEAR(p.tamano.width(), 11 * 72, 0.5);
    EXPECT_NEAR(p.tamano.height(), 8.5 * 72, 0.5);
    EXPECT_EQ(prueba::Buscar(p, QStringLiteral("3/2024")).size(), 1) << k;
    EXPECT_EQ(prueba::Buscar(p, QStringLiteral("Contribuyente")).size(), 1) << k;
    EXPECT_EQ(prueba::Buscar(p, QStringLiteral("DEBITOS")).size(), 1) << k;
    // "Página k de 3" centred at the foot.
    const auto pagina = prueba::Buscar(p, QStringLiteral("Página"));
    ASSERT_EQ(pagina.size(), 1) << k;
    EXPECT_NEAR(pagina.at(0).caja.top(), 7.906299 * 72, 3);
    EXPECT_NEAR(pagina.at(0).caja.left(), (Margen + 5.1) * 72 - 40, 25);
    EXPECT_EQ(PalabrasTras(p, QStringLiteral("Página"), 3), (QStringList{QString::number(k + 1), "de", "3"})) << k;
    filas += static_cast<int>(prueba::Buscar(p, QStringLiteral("Empresa")).size());
  }
  EXPECT_EQ(filas, 70);
  EXPECT_EQ(prueba::Buscar(paginas.at(0), QStringLiteral("Empresa")).size(), 32);
  // The totals only on the last page, under its last row.
  for (int k = 0; k < 2; ++k) EXPECT_TRUE(prueba::Buscar(paginas.at(k), QStringLiteral("70.000")).isEmpty()) << k;
  const auto total = prueba::Buscar(paginas.at(2), QStringLiteral("70.000"));
  ASSERT_FALSE(total.isEmpty());
  const auto ultima = prueba::Buscar(paginas.at(2), QStringLiteral("070"));
  ASSERT_EQ(ultima.size(), 1);
  EXPECT_GT(total.at(0).caja.top(), ultima.at(0).caja.bottom());
}

TEST_F(Listas, TotalesQueNoCabenVanAUnaPaginaNuevaConAmbasBandas) {
  for (int n = 1; n <= 32; ++n) Empresa(n, 1000);
  const ListaEmpresas lista = Lista(InformeEmpresas::IVA);
  const auto paginas = Componer(*lista.plantilla, lista.Datos(), Chile);
  ASSERT_EQ(paginas.size(), 2);
  const QStringList segunda = Textos(paginas.at(1));
  EXPECT_TRUE(segunda.contains(QStringLiteral("EMPRESAS E IVA DEL 3/2024")));
  EXPECT_TRUE(segunda.contains(QStringLiteral("Contribuyente")));
  EXPECT_TRUE(segunda.contains(QStringLiteral("Página 2 de 2")));
  EXPECT_TRUE(segunda.filter(QRegularExpression(QStringLiteral("^Empresa"))).isEmpty());
  // The totals band right under the heading band: title 0.7 + heading 1.2.
  const QList<Trazo> totales = Totales(paginas.at(1));
  ASSERT_FALSE(totales.isEmpty());
  EXPECT_NEAR(totales.at(0).caja.top(), Margen + 1.9 + 0.02, 1e-6);
  EXPECT_TRUE(Totales(paginas.at(0)).isEmpty());
}

TEST_F(Listas, TotalesSoloBajoSusColumnasConGruposEnDosLocales) {
  // Two companies with 12-digit amounts: totals need every digit and the locale's grouping.
  Empresa(1, 400000000000);
  Empresa(2, 123456789012);
  const QMap<InformeEmpresas, QStringList> columnasConTotal = {
      {InformeEmpresas::Empresas, {"Cod538", "Cod537", "Cod77", "Cod89", "Cod595", "Cod547", "Cod91"}},
      {InformeEmpresas::IVA, {"Cod538", "Cod504", "Cod537", "Cod77", "Cod89"}},
      {InformeEmpresas::Retenciones, {"Cod50", "Cod48", "Cod151"}},
      {InformeEmpresas::PPM, {"Cod62", "Cod152"}},
  };
  for (const QLocale& locale : {Chile, EEUU}) {
    for (auto it = columnasConTotal.cbegin(); it != columnasConTotal.cend(); ++it) {
      const ListaEmpresas lista = Lista(it.key(), locale);
      const Region& region = *lista.plantilla->region;
      const auto paginas = Componer(*lista.plantilla, lista.Datos(), locale);
      ASSERT_EQ(paginas.size(), 1);
      QStringList campos;
      for (const Trazo& t : Totales(paginas.at(0))) {
        const QString campo = CampoEn(region, t.caja.left());
        campos << campo;
        EXPECT_EQ(t.alineacion, Alineacion::Derecha);
        EXPECT_TRUE(t.texto == QStringLiteral("0") || t.texto.contains(locale.groupSeparator()))
            << campo.toStdString() << " " << t.texto.toStdString();
      }
      EXPECT_EQ(campos, it.value()) << lista.plantilla->nombre.toStdString();
    }
  }
  // The debits total, grouped by each locale.
  const ListaEmpresas ivaChile = Lista(InformeEmpresas::IVA);
  EXPECT_TRUE(Textos(Componer(*ivaChile.plantilla, ivaChile.Datos(), Chile).at(0)).contains("523.456.789.012"));
  const ListaEmpresas iva = Lista(InformeEmpresas::IVA, EEUU);
  EXPECT_TRUE(Textos(Componer(*iva.plantilla, iva.Datos(), EEUU).at(0)).contains(QStringLiteral("523,456,789,012")));
}

TEST_F(Listas, LaLineaDeTotalesDiceTotalYCuantasEmpresasYElPieLaFecha) {
  Empresa(1, 1000);
  Empresa(2, 2000);
  for (InformeEmpresas informe : {InformeEmpresas::Empresas, InformeEmpresas::IVA, InformeEmpresas::Retenciones,
                                  InformeEmpresas::PPM}) {
    ListaEmpresas lista = Lista(informe);
    lista.hecha = QDate(2026, 12, 9);
    const PaginaCompuesta pagina = Componer(*lista.plantilla, lista.Datos(), Chile).last();
    double arriba = -1;
    for (const Trazo& t : pagina)
      if (t.texto == QLatin1String("TOTAL")) arriba = t.caja.top();
    ASSERT_GE(arriba, 0) << lista.plantilla->nombre.toStdString();
    const QStringList linea = TextosEnLinea(pagina, arriba);
    EXPECT_EQ(linea.mid(0, 2), (QStringList{"TOTAL", "2 empresas"})) << lista.plantilla->nombre.toStdString();
    EXPECT_TRUE(Textos(pagina).contains(QStringLiteral("Hecho el 9 de diciembre de 2026")));
  }
  EXPECT_EQ(TextoCantidadEmpresas(1), QStringLiteral("1 empresa"));
  EXPECT_EQ(TextoCantidadEmpresas(0), QStringLiteral("0 empresas"));
}

TEST_F(Listas, FilasEnDigitosPlanosYEmpresaSinDeclaracion) {
  const QString conDeclaracion = carpeta.filePath(QStringLiteral("a.alc"));
  prueba::CrearEmpresa(conDeclaracion, {7654321, QStringLiteral("Agrícola"), QString(), QString()});
  prueba::EjecutarSql(conDeclaracion, {QStringLiteral("INSERT INTO alcabalas (ano, mes, Cod563, Cod115, Cod30) "
                                                      "VALUES (2024, 3, 12345670000, 0.25, 12345670000)")});
  prueba::CrearEmpresa(carpeta.filePath(QStringLiteral("b.alc")),
                       {12345678, QStringLiteral("Pérez"), QStringLiteral("Soto"), QStringLiteral("Ana María")});

  const ListaEmpresas lista = Lista(InformeEmpresas::PPM);
  const auto paginas = Componer(*lista.plantilla, lista.Datos(), Chile);
  ASSERT_EQ(paginas.size(), 1);
  const double primera = Margen + 0.7 + 1.0;
  // Ordered by name; stored boxes of a company without declaration print nothing (563, 115, 68, 152),
  // calculated ones 0 (62).
  const QStringList agricola = TextosEnLinea(paginas.at(0), primera);
  const QStringList perez = TextosEnLinea(paginas.at(0), primera + PulgadasFila);
  ASSERT_EQ(agricola.size(), 7);
  EXPECT_EQ(agricola.at(0), TextoRut(7654321, PropositoTexto::Mostrar, false));
  EXPECT_EQ(agricola.mid(1, 3), (QStringList{"Agrícola", "1234567", "0,25"}));
  EXPECT_EQ(perez, (QStringList{TextoRut(12345678, PropositoTexto::Mostrar, false), "Pérez Soto, Ana María", "", "",
                                "", "0", ""}));
  // The row and the table display the same text for every printed field.
  TablaEmpresas tabla(Chile);
  UsoTablaEmpresas uso(tabla);
  ASSERT_TRUE(CopiarAlcabalas(tabla, {2024, 3, ClaseInforme::Todas, {carpeta.path()}}));
  tabla.ClientDataSetAlcabalas().Primero();
  QStringList mostrados;
  for (const Elemento& e : lista.plantilla->region->datos.elementos) mostrados << tabla.TextoMostrado(e.campo);
  EXPECT_EQ(mostrados, agricola);
}

TEST_F(Listas, CancelarElEscaneoDejaLaTablaVaciaYNoDaLista) {
  for (int n = 1; n <= 3; ++n) Empresa(n, 1000);
  TablaEmpresas tabla(Chile);
  int avisos = 0;
  const auto lista = PrepararListaEmpresas(tabla, InformeEmpresas::Empresas, 2024, 3, {carpeta.path()},
                                           [&](int leidos, int) { return ++avisos, leidos < 2; });
  EXPECT_FALSE(lista.has_value());
  EXPECT_EQ(avisos, 3);
  EXPECT_FALSE(tabla.ClientDataSetAlcabalas().Activo());
  EXPECT_EQ(tabla.ClientDataSetAlcabalas().CantidadFilas(), 0);
}
