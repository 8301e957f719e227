#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QSet>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "reports/plantillas.h"
#include "storage/formato/contribuyente.h"

namespace {

QSet<QString> CamposDeclaracion() {
  QSet<QString> campos;
  for (const ColumnaTabla& c : ColumnasAlcabalas()) campos << c.nombre;
  for (const DefinicionCampo& c : CamposCalculadosAlcabala()) campos << c.nombre;
  return campos;
}

QSet<QString> CamposContribuyente() {
  QSet<QString> campos;
  for (const ColumnaTabla& c : ColumnasContribuyente()) campos << c.nombre;
  for (const DefinicionCampo& c : CamposCalculadosContribuyente()) campos << c.nombre;
  return campos;
}

// The fields each data view offers in each kind of template: the declaration
// and the taxpayer data sets for the form and the summaries; for the company
// lists the in-memory table (declaration, taxpayer columns and `nombre`).
QSet<QString> CamposDeVista(const Plantilla& p, const QString& vista) {
  const bool lista = p.nombre.startsWith(QLatin1String("Empresas"), Qt::CaseInsensitive);
  if (vista == VistaContribuyente) return CamposContribuyente();
  if (vista == VistaAlcabalas && lista) {
    QSet<QString> campos = CamposDeclaracion();
    for (const ColumnaTabla& c : ColumnasContribuyente()) campos << c.nombre;
    campos << QStringLiteral("nombre");
    return campos;
  }
  return CamposDeclaracion();
}

int ContarDatos(const Plantilla& p) {
  int n = 0;
  for (const Elemento* e : TodosLosElementos(p)) n += e->clase == ClaseElemento::TextoDato;
  return n;
}

}  // namespace

TEST(Plantillas, LasNueveConSusNombres) {
  QStringList nombres;
  for (const Plantilla& p : Plantillas()) nombres << p.nombre;
  EXPECT_EQ(nombres, (QStringList{PlantillaAnverso, PlantillaReverso, PlantillaEmpresas, PlantillaEmpresasIVA,
                                  PlantillaEmpresasRetenciones, PlantillaEmpresasPPM, PlantillaResumenIVA,
                                  PlantillaResumenRetenciones, PlantillaResumenPPM}));
  EXPECT_THROW(BuscarPlantilla(QStringLiteral("Inexistente")), ErrorAlcabala);
}

TEST(Plantillas, CadaCampoExisteEnElConjuntoDeDatosQueLaAlimenta) {
  for (const Plantilla& p : Plantillas()) {
    for (const Elemento* e : TodosLosElementos(p)) {
      if (e->clase != ClaseElemento::TextoDato && e->clase != ClaseElemento::TextoTotal) continue;
      EXPECT_TRUE(p.vistas.contains(e->vista)) << p.nombre.toStdString() << " " << e->vista.toStdString();
      EXPECT_TRUE(CamposDeVista(p, e->vista).contains(e->campo))
          << p.nombre.toStdString() << ": " << e->campo.toStdString();
    }
  }
}

TEST(Plantillas, AnversoYReversoSonUnaHojaLegalDeTextosDeDatos) {
  const Plantilla& anverso = BuscarPlantilla(PlantillaAnverso);
  const Plantilla& reverso = BuscarPlantilla(PlantillaReverso);
  EXPECT_EQ(ContarDatos(anverso), 129);
  EXPECT_EQ(ContarDatos(reverso), 84);
  for (const Plantilla* p : {&anverso, &reverso}) {
    EXPECT_EQ(p->papel, QPageSize::Legal);
    EXPECT_EQ(p->orientacion, QPageLayout::Portrait);
    EXPECT_FALSE(p->region.has_value());
    QSet<QString> campos;
    for (const Elemento& e : p->elementos) {
      EXPECT_EQ(e.clase, ClaseElemento::TextoDato);
      EXPECT_EQ(e.puntos, 10);
      EXPECT_FALSE(e.negrita);
      EXPECT_FALSE(campos.contains(e.campo)) << "dos veces: " << e.campo.toStdString();
      campos << e.campo;
    }
  }
  for (const Elemento& e : reverso.elementos) EXPECT_EQ(e.vista, VistaAlcabala) << e.campo.toStdString();
}

TEST(Plantillas, PosicionesDelAnversoConTresDecimales) {
  QHash<QString, const Elemento*> por;
  for (const Elemento& e : BuscarPlantilla(PlantillaAnverso).elementos) por.insert(e.campo, &e);
  struct Esperado { const char* campo; double izquierda, arriba, ancho; Alineacion a; };
  for (const Esperado& x : {Esperado{"Cod15_1", 2.441, 0.703, 0.256, Alineacion::Derecha},
                            Esperado{"RUT_1", 3.848, 0.703, 0.177, Alineacion::Derecha},
                            Esperado{"RUT_8", 5.197, 0.703, 0.177, Alineacion::Derecha},
                            Esperado{"RUT_9", 5.590, 0.703, 0.177, Alineacion::Derecha},
                            Esperado{"Cod585", 3.933, 1.058, 1.681, Alineacion::Derecha},
                            Esperado{"Cod20", 5.860, 1.058, 1.759, Alineacion::Derecha},
                            Esperado{"Cod538", 5.860, 3.836, 1.610, Alineacion::Derecha},
                            Esperado{"Cod30", 1.773, 9.971, 0.93, Alineacion::Derecha},
                            Esperado{"Cod94", 5.860, 12.602, 1.610, Alineacion::Derecha},
                            Esperado{"nombres", 5.71, 11.767, 1.93, Alineacion::Izquierda},
                            Esperado{"Cod583Mostrar", 2.286, 11.905, 0.487, Alineacion::Centro}}) {
    const Elemento* e = por.value(QString::fromLatin1(x.campo));
    ASSERT_NE(e, nullptr) << x.campo;
    EXPECT_DOUBLE_EQ(e->izquierda, x.izquierda) << x.campo;
    EXPECT_DOUBLE_EQ(e->arriba, x.arriba) << x.campo;
    EXPECT_DOUBLE_EQ(e->ancho, x.ancho) << x.campo;
    EXPECT_EQ(e->alineacion, x.a) << x.campo;
  }
  // The eight digit cells of the RUT lie about 0.19 in apart, as on the form.
  for (int i = 1; i < 8; ++i)
    EXPECT_NEAR(por.value(QStringLiteral("RUT_%1").arg(i + 1))->izquierda - por.value(QStringLiteral("RUT_%1").arg(i))->izquierda,
                0.19, 0.005);
}

TEST(Plantillas, ListasYResumenesConSusBandas) {
  for (const Plantilla& p : Plantillas()) {
    if (!p.region) continue;
    const Region& r = *p.region;
    const bool lista = p.orientacion == QPageLayout::Landscape;
    EXPECT_EQ(p.papel, QPageSize::Letter) << p.nombre.toStdString();
    EXPECT_DOUBLE_EQ(r.datos.alto, 0.166654);
    EXPECT_DOUBLE_EQ(r.totales.alto, 0.2);
    EXPECT_DOUBLE_EQ(r.titulo.alto, lista ? 0.7 : 1.2);
    // The page number only on the lists.
    EXPECT_EQ(p.elementos.size(), lista ? 1 : 0) << p.nombre.toStdString();
    // Heading lines 0.2 apart, the last on the band's last line; no misspelt headings.
    QHash<double, double> ultimaPorColumna;
    for (const Elemento& e : r.encabezado.elementos) {
      if (e.clase == ClaseElemento::Linea) {
        EXPECT_NEAR(e.arriba, r.encabezado.alto - 0.002008, 1e-9);
        EXPECT_DOUBLE_EQ(e.ancho, r.ancho);
        continue;
      }
      EXPECT_TRUE(e.negrita);
      EXPECT_EQ(e.puntos, 12);
      EXPECT_FALSE(e.texto.contains(QStringLiteral("Rentención")));
      EXPECT_FALSE(e.texto.contains(QStringLiteral("Categorían")));
      ultimaPorColumna[e.izquierda] = std::max(ultimaPorColumna.value(e.izquierda, -1.0), e.arriba);
    }
    for (double ultima : ultimaPorColumna) EXPECT_NEAR(ultima, r.encabezado.alto - 0.2, 1e-9) << p.nombre.toStdString();
  }
  // Totals of the PPM templates only under the two net PPM columns.
  for (const QString& nombre : {PlantillaEmpresasPPM, PlantillaResumenPPM}) {
    QStringList totales;
    for (const Elemento& e : BuscarPlantilla(nombre).region->totales.elementos)
      if (e.clase == ClaseElemento::TextoTotal) totales << e.campo;
    EXPECT_EQ(totales, (QStringList{QStringLiteral("Cod62"), QStringLiteral("Cod152")}));
  }
}
