#include "reports/plantillas.h"

#include "general/errores.h"
#include "general/valores.h"
#include "reports/tablaempresas.h"

QList<const Elemento*> TodosLosElementos(const Plantilla& plantilla) {
  QList<const Elemento*> todos;
  for (const Elemento& e : plantilla.elementos) todos << &e;
  for (const QList<Elemento>& hoja : plantilla.hojas)
    for (const Elemento& e : hoja) todos << &e;
  if (plantilla.region) {
    for (const Banda* banda : {&plantilla.region->titulo, &plantilla.region->encabezado, &plantilla.region->datos,
                               &plantilla.region->totales})
      for (const Elemento& e : banda->elementos) todos << &e;
  }
  return todos;
}

namespace {

// ---- The front and back of the form ----------------------------------------------
// Each column of the official form: left edge, width and alignment shared by
// its texts, and each field with the top of its text line. Values print Arial
// 10 in the format of the catalogue box bound to the field.

struct Celda {
  const char* campo;
  double arriba;
};

struct ColumnaFormulario {
  double izquierda;
  double ancho;
  Alineacion alineacion;
  QList<Celda> celdas;
  const QString* vista = &VistaAlcabala;
};

constexpr Alineacion D = Alineacion::Derecha;
constexpr Alineacion I = Alineacion::Izquierda;
constexpr Alineacion C = Alineacion::Centro;

void AgregarColumnas(Plantilla& plantilla, const QList<ColumnaFormulario>& columnas) {
  for (const ColumnaFormulario& columna : columnas) {
    for (const Celda& celda : columna.celdas) {
      Elemento e;
      e.clase = ClaseElemento::TextoDato;
      e.izquierda = columna.izquierda;
      e.arriba = celda.arriba;
      e.ancho = columna.ancho;
      e.alineacion = columna.alineacion;
      e.vista = *columna.vista;
      e.campo = QString::fromLatin1(celda.campo);
      e.formato = FormatoDeCampo(e.campo);
      plantilla.elementos << e;
    }
  }
}

Plantilla Formulario(const QString& nombre) {
  Plantilla p;
  p.nombre = nombre;
  p.papel = QPageSize::Legal;
  p.orientacion = QPageLayout::Portrait;
  p.vistas = {VistaAlcabala, VistaContribuyente};
  return p;
}

Plantilla Anverso() {
  Plantilla p = Formulario(PlantillaAnverso);
  // The taxpayer's RUT: eight digit cells about 0.19 in apart, the check digit last.
  constexpr double PrimeraCeldaRut = 3.848;
  constexpr double OctavaCeldaRut = 5.197;
  QList<ColumnaFormulario> rut;
  for (int i = 0; i < 8; ++i) {
    static const char* const campos[] = {"RUT_1", "RUT_2", "RUT_3", "RUT_4", "RUT_5", "RUT_6", "RUT_7", "RUT_8"};
    rut.append({PrimeraCeldaRut + i * (OctavaCeldaRut - PrimeraCeldaRut) / 7, 0.177, D, {{campos[i], 0.703}},
                &VistaContribuyente});
  }
  rut.append({5.590, 0.177, D, {{"RUT_9", 0.703}}, &VistaContribuyente});
  AgregarColumnas(p, {
      {2.441, 0.256, D, {{"Cod15_1", 0.703}}},
      {2.71, 0.28, D, {{"Cod15_2", 0.703}}},
      {2.99, 0.55, D, {{"Cod15_3", 0.703}}},
  });
  AgregarColumnas(p, rut);
  AgregarColumnas(p, {
      {3.933, 1.681, D, {{"Cod585", 1.058}, {"Cod586", 1.196}, {"Cod731", 1.336}, {"Cod714", 1.476},
                         {"Cod515", 1.613}, {"Cod503", 2.029}, {"Cod716", 2.169}, {"Cod110", 2.316},
                         {"Cod512", 2.454}, {"Cod509", 2.591}, {"Cod708", 2.719}, {"Cod733", 2.859},
                         {"Cod516", 2.996}, {"Cod500", 3.133}, {"Cod511", 4.249}, {"Cod564", 4.525},
                         {"Cod566", 4.652}, {"Cod584", 4.800}, {"Cod519", 5.075}, {"Cod524", 5.223},
                         {"Cod527", 5.350}, {"Cod531", 5.488}, {"Cod534", 5.625}, {"Cod536", 5.773}}},
      {5.860, 1.759, D, {{"Cod20", 1.058}, {"Cod142", 1.196}, {"Cod732", 1.336}, {"Cod715", 1.476},
                         {"Cod587", 1.613}, {"Cod720", 1.753}, {"Cod514", 4.249}, {"Cod521", 4.525},
                         {"Cod560", 4.652}, {"Cod562", 4.800}}},
      {5.860, 1.610, D, {{"Cod502", 2.029}, {"Cod717", 2.169}, {"Cod111", 2.316}, {"Cod513", 2.454},
                         {"Cod510", 2.591}, {"Cod709", 2.719}, {"Cod734", 2.859}, {"Cod517", 2.996},
                         {"Cod501", 3.133}, {"Cod154", 3.271}, {"Cod518", 3.408}, {"Cod713", 3.538},
                         {"Cod741", 3.688}, {"Cod538", 3.836}, {"Cod520", 5.075}, {"Cod525", 5.223},
                         {"Cod528", 5.350}, {"Cod532", 5.488}, {"Cod535", 5.625}, {"Cod553", 5.773},
                         {"Cod593", 6.037}, {"Cod504", 6.150}, {"Cod594", 6.185}, {"Cod592", 6.322},
                         {"Cod539", 6.470}, {"Cod718", 6.600}, {"Cod164", 6.737}, {"Cod127", 7.095},
                         {"Cod544", 7.362}, {"Cod523", 7.590}, {"Cod712", 7.730}, {"Cod537", 7.867},
                         {"Cod89", 8.417},  {"Cod50", 8.703},  {"Cod48", 8.830},  {"Cod151", 8.978},
                         {"Cod153", 9.115}, {"Cod54", 9.263},  {"Cod56", 9.396},  {"Cod588", 9.538},
                         {"Cod589", 9.675}, {"Cod62", 9.971},  {"Cod123", 10.109}, {"Cod703", 10.246},
                         {"Cod66", 10.390}, {"Cod723", 10.663}, {"Cod152", 10.795}, {"Cod70", 10.935},
                         {"Cod595", 11.217}, {"Cod91", 12.190}, {"Cod92", 12.327}, {"Cod93", 12.464},
                         {"Cod94", 12.602}}},
      {2.57, 0.71, D, {{"Cod738", 3.688}}},
      {3.75, 0.71, D, {{"Cod739", 3.688}}},
      {4.92, 0.71, D, {{"Cod740", 3.688}}},
      {4.41, 1.21, D, {{"Cod742", 7.015}, {"Cod743", 7.155}, {"Cod744", 7.295}, {"Cod745", 7.425}}},
      {2.93, 1.02, D, {{"Cod730", 7.095}, {"Cod729", 7.352}}},
      {3.03, 1.58, D, {{"Cod77", 8.417}}},
      {3.58, 0.93, D, {{"Cod735", 8.830}}},
      {1.773, 0.93, D, {{"Cod30", 9.971}, {"Cod565", 10.109}, {"Cod700", 10.246}, {"Cod721", 10.663}}},
      {2.740, 0.97, D, {{"Cod563", 9.971}, {"Cod120", 10.109}, {"Cod701", 10.246}, {"Cod722", 10.663}}},
      {4.148, 0.52, D, {{"Cod115", 9.971}, {"Cod542", 10.109}, {"Cod702", 10.246}}},
      {5.06, 0.52, D, {{"Cod68", 9.971}, {"Cod122", 10.109}, {"Cod711", 10.246}}},
      {4.15, 0.71, D, {{"Cod724", 10.663}}},
      {0.32, 3.42, I, {{"ApellidoPaternoRazonSocial", 11.767}}, &VistaContribuyente},
      {3.80, 1.84, I, {{"ApellidoMaterno", 11.767}}, &VistaContribuyente},
      {5.71, 1.93, I, {{"nombres", 11.767}}, &VistaContribuyente},
      {2.286, 0.487, C, {{"Cod583Mostrar", 11.905}}},
  });
  return p;
}

Plantilla Reverso() {
  Plantilla p = Formulario(PlantillaReverso);
  AgregarColumnas(p, {
      {2.795, 1.935, D, {{"Cod529", 1.161}, {"Cod530", 1.302}}},
      {5.965, 1.499, D, {{"Cod409", 1.450}, {"Cod522", 1.715}, {"Cod526", 1.852}, {"Cod550", 2.992},
                         {"Cod506", 6.324}, {"Cod598", 7.435}, {"Cod596", 8.410}, {"Cod727", 8.685},
                         {"Cod706", 8.825}, {"Cod570", 8.973}, {"Cod571", 9.100}, {"Cod590", 9.238},
                         {"Cod547Mostrar", 9.800}}},
      {4.312, 1.117, D, {{"Cod113", 2.157}, {"Cod28", 2.295},  {"Cod548", 2.432}, {"Cod540", 2.560},
                         {"Cod541", 2.707}, {"Cod577", 3.396}, {"Cod32", 3.544},  {"Cod150", 3.681},
                         {"Cod146", 3.819}, {"Cod545", 3.956}, {"Cod546", 4.094}, {"Cod710", 4.231},
                         {"Cod602", 4.379}, {"Cod576", 4.792}, {"Cod33", 4.940},  {"Cod149", 5.077},
                         {"Cod85", 5.205},  {"Cod551", 5.352}, {"Cod559", 5.490}, {"Cod508", 5.637},
                         {"Cod533", 5.775}, {"Cod552", 5.902}, {"Cod603", 6.040}}},
      {2.795, 1.237, D, {{"Cod549", 2.992}, {"Cod575", 4.792}, {"Cod574", 4.940}, {"Cod580", 5.077},
                         {"Cod582", 5.205}, {"Cod507", 6.324}, {"Cod556", 6.737}, {"Cod557", 6.875},
                         {"Cod558", 7.022}, {"Cod543", 7.160}, {"Cod39", 7.848},  {"Cod554", 7.985},
                         {"Cod736", 8.123}, {"Cod597", 8.263}, {"Cod555", 8.410}}},
      {2.79, 1.44, D, {{"Cod573", 7.435}}},
      {2.324, 0.92, D, {{"Cod725", 8.685}, {"Cod704", 8.825}, {"Cod160", 8.973}, {"Cod126", 9.100},
                        {"Cod572", 9.238}}},
      {4.154, 1.04, D, {{"Cod737", 8.685}, {"Cod705", 8.825}, {"Cod161", 8.973}, {"Cod128", 9.100},
                        {"Cod568", 9.238}}},
      {2.795, 1.251, D, {{"Cod728", 10.066}, {"Cod707", 10.206}, {"Cod73", 10.344}, {"Cod130", 10.481},
                         {"Cod591", 10.625}}},
      // The taxpayer's particulars as typed on the back: three lines.
      {0.335, 2.88, I, {{"Cod06", 11.326}}},
      {3.327, 1.25, I, {{"Cod610", 11.326}, {"Cod09", 11.601}, {"Cod726", 11.876}}},
      {4.644, 1.41, I, {{"Cod611", 11.326}, {"Cod601", 11.601}, {"Cod313", 11.876}}},
      {6.142, 1.47, I, {{"Cod612", 11.326}, {"Cod604", 11.601}, {"Cod314", 11.876}}},
      {0.335, 0.94, I, {{"Cod08", 11.601}, {"Cod55", 11.876}}},
      {1.318, 0.96, I, {{"Cod53", 11.601}}},
      {2.332, 0.93, I, {{"Cod613", 11.601}}},
      {1.318, 1.95, I, {{"Cod44", 11.876}}},
  });
  return p;
}

// ---- Lists and summaries -------------------------------------------------------------
// One line per row under column headings; a totals line after the last row.

constexpr double AltoBandaDatos = 0.166654;  // 12 points
constexpr double AltoBandaTotales = 0.2;
constexpr double SeparacionLineasEncabezado = 0.2;
constexpr double GrosorLineaBanda = 0.002008;  // the heading's line lies this far above the band's bottom
constexpr double ArribaTextosTotales = 0.02;    // just under the totals band's line
constexpr double AnchoMonto = 0.936969;
constexpr double AnchoRut = 1.018487;
constexpr double AnchoMes = 1.118487;
constexpr double PuntosTitulo = 28;
constexpr double PuntosEncabezado = 12;
constexpr double MargenRegion = 0.393701;

struct ColumnaBandas {
  double izquierda;
  double ancho;
  Alineacion alineacion;
  QStringList encabezado;  // its lines, top to bottom
  QString campo;
  const QString* vista;
  FormatoValor formato;
  bool total;
};

Elemento Texto(ClaseElemento clase, double izquierda, double arriba, double ancho, Alineacion alineacion,
               double puntos, bool negrita) {
  Elemento e;
  e.clase = clase;
  e.izquierda = izquierda;
  e.arriba = arriba;
  e.ancho = ancho;
  e.alineacion = alineacion;
  e.puntos = puntos;
  e.negrita = negrita;
  return e;
}

Elemento LineaHorizontal(double arriba, double ancho) {
  Elemento e;
  e.clase = ClaseElemento::Linea;
  e.arriba = arriba;
  e.ancho = ancho;
  return e;
}

// Heading, data and totals bands of the columns; the title band is the caller's.
Region Bandas(double izquierda, double arriba, double ancho, double alto, double altoEncabezado,
              const QList<ColumnaBandas>& columnas) {
  Region r;
  r.izquierda = izquierda;
  r.arriba = arriba;
  r.ancho = ancho;
  r.alto = alto;
  r.vistaDatos = VistaAlcabalas;
  r.encabezado.alto = altoEncabezado;
  r.datos.alto = AltoBandaDatos;
  r.totales.alto = AltoBandaTotales;
  const double ultimaLinea = altoEncabezado - SeparacionLineasEncabezado;
  for (const ColumnaBandas& c : columnas) {
    const int n = c.encabezado.size();
    for (int i = 0; i < n; ++i) {
      Elemento e = Texto(ClaseElemento::TextoFijo, c.izquierda, ultimaLinea - (n - 1 - i) * SeparacionLineasEncabezado,
                         c.ancho, c.alineacion, PuntosEncabezado, true);
      e.texto = c.encabezado.at(i);
      r.encabezado.elementos << e;
    }
    Elemento dato = Texto(ClaseElemento::TextoDato, c.izquierda, 0, c.ancho, c.alineacion, 10, false);
    dato.vista = *c.vista;
    dato.campo = c.campo;
    dato.formato = c.formato;
    r.datos.elementos << dato;
    if (c.total) {
      Elemento total = Texto(ClaseElemento::TextoTotal, c.izquierda, ArribaTextosTotales, c.ancho, c.alineacion, 10, true);
      total.vista = *c.vista;
      total.campo = c.campo;
      total.formato = FormatoValor::GruposCero;
      r.totales.elementos << total;
    }
  }
  r.encabezado.elementos << LineaHorizontal(altoEncabezado - GrosorLineaBanda, ancho);
  r.totales.elementos << LineaHorizontal(0, ancho);
  return r;
}

// Column makers: the RUT, the company's name, the month and an amount.
// The company lists print each row's field as the company table displays it.
ColumnaBandas Rut() {
  return {0, AnchoRut, I, {QStringLiteral("RUT")}, QStringLiteral("RUT"), &VistaAlcabalas,
          FormatoCampoEmpresas(QStringLiteral("RUT")), false};
}
ColumnaBandas Nombre(double ancho) {
  return {1.018487, ancho, I, {QStringLiteral("Contribuyente")}, QStringLiteral("nombre"), &VistaAlcabalas,
          FormatoCampoEmpresas(QStringLiteral("nombre")), false};
}
ColumnaBandas Mes() {
  return {0, AnchoMes, I, {QStringLiteral("Mes")}, QStringLiteral("NombreMes"), &VistaAlcabalas, FormatoValor::Texto,
          false};
}
ColumnaBandas Monto(double izquierda, const QStringList& encabezado, const char* campo, FormatoValor formato,
                    bool total = true) {
  return {izquierda, AnchoMonto, D, encabezado, QString::fromLatin1(campo), &VistaAlcabalas, formato, total};
}

ColumnaBandas MontoLista(double izquierda, const QStringList& encabezado, const char* campo, bool total = true) {
  return Monto(izquierda, encabezado, campo, FormatoCampoEmpresas(QString::fromLatin1(campo)), total);
}

// Headings shared by several lists and summaries.
const QStringList TotalDebitos = {"TOTAL", "DEBITOS"};
const QStringList TotalCreditos = {"TOTAL", "CREDITOS"};
const QStringList RemanenteAnterior = {"Remanente", "Crédito", "Fiscal", "mes", "anterior"};
const QStringList RemanenteSiguiente = {"Remanente", "de crédito", "fiscal", "para el ", "periodo", "siguiente"};
const QStringList IvaDeterminado = {"IVA", "determina-", "do"};
const QStringList RetencionPrimera = {"Retención", "Impuesto", "Primera", "Categoría"};
const QStringList RetencionUnico = {"Retención", "Impuesto", "Único a los ", "Trabajado-", "res"};
const QStringList RetencionSegunda = {"Retención", "Impuesto", "Segunda", "Categoría"};
const QStringList BasePPM = {"Base", "Imponible", "PPM", "Primera", "Categoría"};
const QStringList TasaPPM = {"Tasa", "PPM", "Primera", "Categoría"};
const QStringList CreditoPPM = {"Crédito", "PPM", "Primera", "Categoría"};
const QStringList NetoPrimera = {"PPM", "Neto", "Determina-", "do Primera", "Categoría"};
const QStringList NetoSegunda = {"PPM", "Neto", "Determina-", "do Segunda", "Categoría"};

// The day the run was made, at the right of the foot.
Elemento Hecho(double izquierda, double arriba, double ancho) {
  Elemento e = Texto(ClaseElemento::TextoParametro, izquierda, arriba, ancho, D, 8, false);
  e.texto = ParametroHecho;
  return e;
}

// Company lists: letter paper in landscape, the title on every page and the
// page number below the region.
Plantilla Lista(const QString& nombre, double altoEncabezado, const QList<ColumnaBandas>& columnas) {
  constexpr double AnchoRegion = 10.212598;
  constexpr double AnchoTextos = 10.2;
  Plantilla p;
  p.nombre = nombre;
  p.papel = QPageSize::Letter;
  p.orientacion = QPageLayout::Landscape;
  p.vistas = {VistaAlcabalas};
  Elemento pagina = Texto(ClaseElemento::TextoPagina, MargenRegion, 7.906299, AnchoTextos, C, 10, false);
  p.elementos << pagina << Hecho(MargenRegion, 7.906299, AnchoTextos);
  Region r = Bandas(MargenRegion, MargenRegion, AnchoRegion, 7.312598, altoEncabezado, columnas);
  // The totals line says what it is and how many companies it adds up.
  Elemento total = Texto(ClaseElemento::TextoFijo, 0, ArribaTextosTotales, AnchoRut, I, 10, true);
  total.texto = QStringLiteral("TOTAL");
  Elemento cantidad = Texto(ClaseElemento::TextoParametro, AnchoRut, ArribaTextosTotales, AnchoRut, I, 10, true);
  cantidad.texto = ParametroCantidad;
  r.totales.elementos << total << cantidad;
  r.titulo.alto = 0.7;
  Elemento titulo = Texto(ClaseElemento::TextoParametro, 0, 0, AnchoTextos, C, PuntosTitulo, true);
  titulo.texto = ParametroTitulo;
  r.titulo.elementos << titulo;
  p.region = r;
  return p;
}

// Annual summaries: letter paper, portrait, the taxpayer's name over the title.
Plantilla Resumen(const QString& nombre, double altoEncabezado, const QList<ColumnaBandas>& columnas) {
  constexpr double AnchoRegion = 7.712598;
  Plantilla p;
  p.nombre = nombre;
  p.papel = QPageSize::Letter;
  p.orientacion = QPageLayout::Portrait;
  p.vistas = {VistaAlcabalas, VistaContribuyente};
  p.elementos << Hecho(MargenRegion, 10.706299, AnchoRegion);
  Region r = Bandas(MargenRegion, MargenRegion, AnchoRegion, 10.212598, altoEncabezado, columnas);
  r.titulo.alto = 1.2;
  Elemento contribuyente = Texto(ClaseElemento::TextoDato, 0, 0, AnchoRegion, C, PuntosTitulo, true);
  contribuyente.vista = VistaContribuyente;
  contribuyente.campo = QStringLiteral("nombre");
  Elemento titulo = Texto(ClaseElemento::TextoParametro, 0, 0.5, AnchoRegion, C, PuntosTitulo, true);
  titulo.texto = ParametroTitulo;
  r.titulo.elementos << contribuyente << titulo;
  p.region = r;
  return p;
}

QList<Plantilla> Construir() {
  constexpr auto G0 = FormatoValor::GruposCero;
  const auto pantalla = [](const char* campo) { return FormatoDeCampo(QString::fromLatin1(campo)); };
  return {
      Anverso(),
      Reverso(),
      Lista(PlantillaEmpresas, 1.2,
            {Rut(), Nombre(1.885714), MontoLista(3.004202, TotalDebitos, "Cod538"),
             MontoLista(4.041176, TotalCreditos, "Cod537"), MontoLista(5.078151, RemanenteSiguiente, "Cod77"),
             MontoLista(6.115126, IvaDeterminado, "Cod89"),
             MontoLista(7.152101, {"SUB TOTAL", "IMPUESTO", "DETERMI-", "NADO", "ANVERSO"}, "Cod595"),
             MontoLista(8.189076, {"TOTAL", "DETERMI-", "NADO"}, "Cod547"),
             MontoLista(9.22605, {"TOTAL A", "PAGAR", "DENTRO", "DEL PLAZO", "LEGAL"}, "Cod91")}),
      Lista(PlantillaEmpresasIVA, 1.2,
            {Rut(), Nombre(3.985714), MontoLista(5.078151, TotalDebitos, "Cod538"),
             MontoLista(6.115126, RemanenteAnterior, "Cod504"), MontoLista(7.152101, TotalCreditos, "Cod537"),
             MontoLista(8.189076, RemanenteSiguiente, "Cod77"), MontoLista(9.22605, IvaDeterminado, "Cod89")}),
      Lista(PlantillaEmpresasRetenciones, 1.0,
            {Rut(), Nombre(6.085714), MontoLista(7.152101, RetencionPrimera, "Cod50"),
             MontoLista(8.189076, RetencionUnico, "Cod48"), MontoLista(9.22605, RetencionSegunda, "Cod151")}),
      Lista(PlantillaEmpresasPPM, 1.0,
            {Rut(), Nombre(3.985714), MontoLista(5.078151, BasePPM, "Cod563", false),
             MontoLista(6.115126, TasaPPM, "Cod115", false), MontoLista(7.152101, CreditoPPM, "Cod68", false),
             MontoLista(8.189076, NetoPrimera, "Cod62"), MontoLista(9.22605, NetoSegunda, "Cod152")}),
      Resumen(PlantillaResumenIVA, 1.2,
              {Mes(), Monto(2.578151, TotalDebitos, "Cod538", G0), Monto(3.615126, RemanenteAnterior, "Cod504", G0),
               Monto(4.652101, TotalCreditos, "Cod537", G0), Monto(5.689076, RemanenteSiguiente, "Cod77", G0),
               Monto(6.72605, IvaDeterminado, "Cod89", G0)}),
      Resumen(PlantillaResumenRetenciones, 1.0,
              {Mes(), Monto(4.652101, RetencionPrimera, "Cod50", G0), Monto(5.689076, RetencionUnico, "Cod48", G0),
               Monto(6.72605, RetencionSegunda, "Cod151", G0)}),
      Resumen(PlantillaResumenPPM, 1.0,
              {Mes(), Monto(2.578151, BasePPM, "Cod563", pantalla("Cod563"), false),
               Monto(3.615126, TasaPPM, "Cod115", pantalla("Cod115"), false),
               Monto(4.652101, CreditoPPM, "Cod68", pantalla("Cod68"), false),
               Monto(5.689076, NetoPrimera, "Cod62", pantalla("Cod62")),
               Monto(6.72605, NetoSegunda, "Cod152", pantalla("Cod152"))}),
  };
}

}  // namespace

const QList<Plantilla>& Plantillas() {
  static const QList<Plantilla> plantillas = Construir();
  return plantillas;
}

const Plantilla& BuscarPlantilla(const QString& nombre) {
  for (const Plantilla& p : Plantillas())
    if (p.nombre == nombre) return p;
  throw ErrorAlcabala(QStringLiteral("No existe la plantilla de informe «%1».").arg(nombre));
}

QString TextoHecho(const QDate& fecha) { return QStringLiteral("Hecho el ") + FechaLarga(fecha); }

QString TextoCantidadEmpresas(int cantidad) {
  return cantidad == 1 ? QStringLiteral("1 empresa") : QStringLiteral("%1 empresas").arg(cantidad);
}

DatosInforme DatosFormulario(const Registro& declaracion, const Registro& contribuyente) {
  DatosInforme datos;
  datos.actuales.insert(VistaAlcabala, &declaracion);
  datos.actuales.insert(VistaContribuyente, &contribuyente);
  return datos;
}
