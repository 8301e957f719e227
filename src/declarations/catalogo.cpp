#include "declarations/catalogo.h"

#include <QHash>
#include <algorithm>
#include <vector>

// The form is written down once, line by line, as it reads on paper. The box
// list, the table columns and the screen layout are all views of this data.

namespace {

using F = FamiliaEntrada;
using L = LugarEtiqueta;

// Columns of the screen form: left edge of the code cell of a box column,
// counted from the right. Each column is a code cell and a box that holds
// the widest total, 999.999.999.999, in the form's 11-pixel Arial; the
// sign column closes the line. Neighbouring cells share their frames.
constexpr int AnchoCodigo = 23;
constexpr int AnchoCaja = 92;
constexpr int XSigno = 739;
constexpr int PasoColumna = AnchoCodigo + AnchoCaja - 2;
constexpr int C0 = XSigno - PasoColumna;
constexpr int C1 = C0 - PasoColumna;
constexpr int C2 = C1 - PasoColumna;
constexpr int C3 = C2 - PasoColumna;
constexpr int C4 = C3 - PasoColumna;
// Typed boxes that share their line with several others (line 20) take
// the width of the largest typed amount, 999.999.999, only.
constexpr int AnchoCajaTecleada = 81;
constexpr int AnchoSigno = 18;
constexpr int XNumero = 2;
constexpr int AnchoNumero = 23;
constexpr int XTextoSinBanda = 24;
constexpr int AnchoColumna = C0 - C1 + 1;  // a heading over code cell and box
// Left of the code cell of a box of width ancho whose box ends where a cell
// starting at x begins (the frames shared), after a label of anchoEtiqueta.
constexpr int Antes(int x, int ancho, int anchoEtiqueta = 0) {
  return x - (anchoEtiqueta > 0 ? anchoEtiqueta - 1 : 0) - (AnchoCodigo - 1) - (ancho - 1);
}
// Line 20: the diesel tax's cubic metres, base and variable part.
constexpr int X740 = C1;
constexpr int X739 = Antes(X740, AnchoCajaTecleada, 46);
constexpr int X738 = Antes(X739, AnchoCajaTecleada, 32);
// Lines 39 and 40: the cubic metres before the labelled tax components.
constexpr int XComponentes = C1 - 47 + 1;
constexpr int XM3 = Antes(XComponentes, AnchoCaja);
// Its heading reaches further left, over the empty start of its row.
constexpr int AnchoTituloM3 = 60;
// Line 48: the two donation credits before the labelled box 48.
constexpr int X735 = Antes(C0, AnchoCaja, 106);
constexpr int X751 = Antes(X735, AnchoCaja);
// Credits with the last month's balance: the balance box before the
// labelled total, its label filling the room after the first box.
constexpr int XRemanente = Antes(C0, AnchoCaja, 81);
constexpr int AnchoEtiquetaRemanente = XRemanente - (C4 + PasoColumna) + 1;
// Box 547 shows a negative total in parentheses: its box is this much wider.
constexpr int AnchoParentesis = 8;
// The label of a total at C0 after a box at C3 fills the room between them.
constexpr int AnchoEtiquetaTrasC3 = C0 - C2 + 1;

TipoColumna TipoDeLetra(const char* tipo, int* tamano) {
  *tamano = 0;
  switch (tipo[0]) {
    case 'S': return TipoColumna::S;
    case 'L': return TipoColumna::L;
    case 'F': return TipoColumna::F;
    case 'B': return TipoColumna::B;
    case 'W': *tamano = QString::fromLatin1(tipo + 1).toInt(); return TipoColumna::W;
    default: return TipoColumna::C;
  }
}

// One box as written in a line of the form.
class Def {
 public:
  Def(ClaseCaja clase, const char* codigo, const char* tipo, int posicion, int largo, F familia, int x) {
    c.codigo = QString::fromUtf8(codigo);
    c.campo = QStringLiteral("Cod") + c.codigo;
    c.clase = clase;
    c.tipo = TipoDeLetra(tipo, &c.tamano);
    c.posicion = posicion;
    c.largoMaximo = largo;
    c.familia = familia;
    c.x = x;
    c.ancho = AnchoCaja;
  }
  Def& Etiqueta(const char* texto, int ancho, L lugar = L::Izquierda) {
    c.etiqueta = QString::fromUtf8(texto);
    c.anchoEtiqueta = ancho;
    c.lugarEtiqueta = lugar;
    return *this;
  }
  Def& Fila(int fila) { c.fila = fila; return *this; }
  Def& Ancho(int ancho) { c.ancho = ancho; return *this; }
  Def& Campo(const char* campo) { c.campo = QString::fromUtf8(campo); return *this; }
  Def& Contribuyente(const char* campo) { c.campoContribuyente = QString::fromUtf8(campo); return *this; }
  Def& Diesel(GrupoDiesel grupo) { c.diesel = grupo; return *this; }
  Def& Actualizacion(int orden, TipoColumna tipo) {
    c.ordenActualizacion = orden;
    c.tipoActualizacion = tipo;
    return *this;
  }
  // The box has its own text on the line ("IVA determinado"), which names it.
  Def& Propio(const char* texto, int ancho) {
    Etiqueta(texto, ancho);
    textoPropio = true;
    return *this;
  }
  Def& SignoTras(char signo) { c.signoTrasCaja = QLatin1Char(signo); return *this; }
  Def& Items(QList<int> items) { c.items = std::move(items); return *this; }
  Def& Ayuda(const char* texto) { c.ayuda = QString::fromUtf8(texto); return *this; }
  Def& Presenta(Presentacion p) { presentacionFija = true; c.presentacion = p; return *this; }

  Caja c;
  bool textoPropio = false;
  bool presentacionFija = false;
};

// Typed amounts and counts.
Def E(const char* codigo, const char* tipo, int posicion, int largo, int x, F familia = F::Montos) {
  return Def(ClaseCaja::E, codigo, tipo, posicion, largo, familia, x);
}
// Typed boxes whose leaving recomputes box 563.
Def I(const char* codigo, const char* tipo, int posicion, int largo, int x) {
  return Def(ClaseCaja::E, codigo, tipo, posicion, largo, F::BaseIngresos, x);
}
Def C(const char* codigo, int x) { return Def(ClaseCaja::C, codigo, "C", 0, 0, F::Ninguna, x); }
Def P(const char* codigo, int posicion, int x) { return Def(ClaseCaja::P, codigo, "C", posicion, 0, F::Ninguna, x); }
Def A(const char* codigo, const char* tipo, int posicion, int largo, F familia, const char* contribuyente,
      const char* etiqueta, int x, int ancho) {
  Def d(ClaseCaja::A, codigo, tipo, posicion, largo, familia, x);
  d.Contribuyente(contribuyente).Etiqueta(etiqueta, ancho - AnchoCodigo + 1, L::Antecedente).Fila(1).Ancho(ancho);
  return d;
}
Def T(const char* codigo, const char* columna, const char* tipo, int largo, F familia) {
  Def d(ClaseCaja::T, codigo, tipo, 0, largo, familia, 0);
  d.Campo(columna);
  return d;
}

// A free cell of a line, in pixels from the line's top.
struct DefCelda {
  TipoCelda tipo;
  const char* texto;
  int x, y, ancho, alto;
};

enum class TipoFilaDef { Linea, Encabezado, Titulo };

// A heading over a column: x < 0 starts at the text column.
struct DefEncabezado {
  const char* texto;
  int x;
  int ancho;
};

struct DefFila {
  TipoFilaDef tipo = TipoFilaDef::Linea;
  int numero = 0;
  QString texto;
  QChar signo;
  int filas = 1;
  std::vector<Def> cajas;
  std::vector<DefCelda> celdas;
  std::vector<DefEncabezado> encabezados;
};

DefFila Ln(int numero, const char* texto, char signo, std::vector<Def> cajas, int filas = 1,
           std::vector<DefCelda> celdas = {}) {
  DefFila f;
  f.numero = numero;
  f.texto = QString::fromUtf8(texto);
  if (signo != ' ') f.signo = QLatin1Char(signo);
  f.filas = filas;
  f.cajas = std::move(cajas);
  f.celdas = std::move(celdas);
  return f;
}
DefFila Enc(std::vector<DefEncabezado> encabezados) {
  DefFila f;
  f.tipo = TipoFilaDef::Encabezado;
  f.encabezados = std::move(encabezados);
  return f;
}
DefFila Tit(const char* texto) {
  DefFila f;
  f.tipo = TipoFilaDef::Titulo;
  f.texto = QString::fromUtf8(texto);
  return f;
}

struct DefBanda {
  const char* nombre;
  const char* caption;
  int x, y, ancho, alto;
};

// A section (a framed group box when it has a caption) or a plain block.
struct DefSeccion {
  const char* titulo;
  int top;
  int alto;
  int yInicio;  // top of its first row
  std::vector<DefBanda> bandas;
  std::vector<DefFila> filas;
};

struct DefPagina {
  Pagina pagina;
  std::vector<DefSeccion> secciones;
};

const QList<int> ItemsRegion = {1, 2, 3, 4, 5, 13, 6, 7, 8, 9, 10, 11, 12};
const QList<int> ItemsCodigoArea = {57, 58, 55, 52, 51, 53, 32, 33, 34, 35, 2, 72,
                                    71, 73, 75, 41, 42, 43, 45, 63, 64, 65, 67, 61};

std::vector<DefPagina> Formulario() {
  using G = GrupoDiesel;
  using TC = TipoColumna;
  std::vector<DefPagina> paginas;

  // ---- Anverso ----------------------------------------------------------------
  DefPagina anverso{Pagina::Anverso, {}};

  anverso.secciones.push_back(DefSeccion{
      "", 0, 56, 2, {},
      {Ln(0, "", ' ',
          {T("03", "RUT", "L", 9, F::SinClic).Etiqueta("ROL UNICO TRIBUTARIO", 200, L::Antecedente).Fila(1)
               .Ancho(226).Presenta(Presentacion::Rut)},
          2,
          {{TipoCelda::Logo, "", 8, -2, 164, 54},
           {TipoCelda::Encabezado, "PERIODO TRIBUTARIO", 200, 0, 232, AltoCelda},
           {TipoCelda::Codigo, "15", 200, 16, AnchoCodigo, 37},
           {TipoCelda::Encabezado, "MES", 226, 16, 113, AltoCelda},
           {TipoCelda::Encabezado, "AÑO", 338, 16, 94, AltoCelda},
           {TipoCelda::ListaMes, "MES", 226, 32, 113, 21},
           {TipoCelda::ListaAno, "AÑO", 338, 32, 94, 21}})}});
  // Box 03 stands at the right of the head.
  anverso.secciones.back().filas[0].cajas[0].c.x = 480;

  anverso.secciones.push_back(DefSeccion{
      "DÉBITOS Y VENTAS", 59, 396, 16,
      {{"ImageVentas", "\"Ventas y/o Servicios Prestados\"", 24, 32, 17, 273},
       {"ImageVentasExentas", "\"Información\";\"de ingresos\"", 40, 32, 33, 97},
       {"ImageVentasAfectas", "\"Genera Débito\"", 40, 144, 33, 161}},
      {Enc({{"IMPUESTO AL VALOR AGREGADO", -1, 0}, {"Cantidad de documentos", C1, AnchoColumna},
            {"Monto Neto", C0, AnchoColumna}}),
       Ln(1, "Exportaciones", ' ', {E("585", "S", 3, 5, C1), I("20", "C", 4, 9, C0)}),
       Ln(2, "Ventas y/o Servicios prestados Exentos, o No Gravados del giro", ' ',
          {E("586", "S", 5, 5, C1), I("142", "C", 6, 9, C0)}),
       Ln(3, "Ventas con retención sobre el margen de comercialización (contribuyentes retenidos)", ' ',
          {E("731", "S", 7, 5, C1).Actualizacion(1, TC::L), I("732", "C", 8, 9, C0).Actualizacion(2, TC::C)}),
       Ln(4, "Ventas y/o Servicios prestados exentos o No Gravados que no son del giro", ' ',
          {E("714", "S", 9, 5, C1), I("715", "C", 10, 9, C0)}),
       Ln(5, "Facturas de Compra recibidas con retención total (contribuyentes retenidos)", ' ',
          {E("515", "S", 11, 5, C1), I("587", "C", 12, 9, C0)}),
       Ln(6, "Facturas de compra recibidas con retención parcial (Total neto según línea N° 14)", ' ',
          {I("720", "C", 13, 9, C0)}),
       Enc({{"Cantidad de documentos", C1, AnchoColumna}, {"Débitos", C0, AnchoColumna}}),
       Ln(7, "Facturas emitidas por ventas y servicios del giro", '+',
          {E("503", "S", 14, 5, C1), I("502", "C", 15, 9, C0)}),
       Ln(8, "Facutras, Notas de Débito y Notas de Crédito emitidas por ventas que no son del giro", '+',
          {E("716", "S", 16, 5, C1), I("717", "C", 17, 9, C0)}),
       Ln(9, "Boletas", '+', {E("110", "L", 18, 9, C1), I("111", "C", 19, 9, C0)}),
       Ln(10, "Comprobantes o Recibos de Pagos generados en transacciones pagadas a través de medios", '+',
          {E("758", "L", 20, 9, C1).Actualizacion(3, TC::L), I("759", "C", 21, 9, C0).Actualizacion(4, TC::C)}),
       Ln(11, "Notas de Débito emitidas", '+', {E("512", "S", 22, 5, C1), I("513", "C", 23, 9, C0)}),
       Ln(12, "Notas de Crédito emitidas por Facturas", '-', {E("509", "S", 24, 5, C1), I("510", "C", 25, 9, C0)}),
       Ln(13, "Notas de Crédito emitidas por Vales de máquinas autorizadas por el Servicio", '-',
          {E("708", "S", 26, 5, C1), I("709", "C", 27, 9, C0)}),
       Ln(14, "Notas de Crédito emitidas por ventas y servicios que no son del giro (activo fijo y otros)", '-',
          {E("733", "S", 28, 5, C1), I("734", "C", 29, 9, C0)}),
       Ln(15, "Facturas de Compra recibidas con retención parcial (contribuyentes retenidos)", '+',
          {E("516", "S", 30, 5, C1), I("517", "C", 31, 9, C0)}),
       Ln(16, "Liquidaciones de Facturas", '+', {E("500", "S", 32, 5, C1), I("501", "C", 33, 9, C0)}),
       Ln(17,
          "Adicionales al Débito Fiscal del mes, originadas en devoluciones excesivas registradas en otros "
          "periodos por Art.27 bis",
          '+', {E("154", "C", 34, 9, C0)}),
       Ln(18,
          "Restitución Adicional por proporción de operaciones exentas y/o no gravadas por concepto Art.27 bis, "
          "Inc. 2° (Ley 19.738/01)",
          '+', {E("518", "C", 35, 9, C0)}),
       Ln(19, "Rención del Impuesto de Timbres y Estampillas, Art. 3° Ley N° 20.259", '+',
          {E("713", "C", 36, 9, C0)}),
       Ln(20, "Adicionales al Débito por IEPD, Ley 20.493", '+',
          {E("738", "F", 37, 9, X738).Etiqueta(" M3", 26).Ancho(AnchoCajaTecleada),
           E("739", "C", 38, 9, X739).Etiqueta(" Base", 32).Ancho(AnchoCajaTecleada),
           E("740", "C", 39, 9, X740).Etiqueta(" Variable", 46), C("741", C0)}),
       Ln(21, "TOTAL DÉBITOS", '=', {C("538", C0)})}});

  anverso.secciones.push_back(DefSeccion{
      "CRÉDITOS Y COMPRAS", 463, 499, 19,
      {{"ImageCompras", "\"Compras y/o Servicios Utilizados\"", 24, 35, 17, 193},
       {"ImageComprasExentas", "\"Sin\";\"Derecho\";\"a Crédito\";\"Fiscal\"", 40, 67, 65, 49},
       {"ImageComprasAfectas", "\"Con derecho a\";\"Crédito Fiscal\"", 40, 131, 33, 97},
       {"ImageComprasInternas", "\"Interna\"", 72, 131, 33, 65},
       {"ImageImportaciones", "\"Impor-\";\"tación\"", 72, 195, 33, 33}},
      {Enc({{"IMPUESTO AL VALOR AGREGADO", -1, 0}, {"Con Dercho a Crédito", C1, AnchoColumna},
            {"Sin Derecho a Crédito", C0, AnchoColumna}}),
       Ln(22, "IVA por documentos electrónicos recibidos", ' ', {E("511", "C", 40, 0, C1), E("514", "C", 41, 9, C0)}),
       Enc({{"Cantidad de documentos", C1, AnchoColumna}, {"Monto Neto", C0, AnchoColumna}}),
       Ln(23, "Internas afectas", ' ', {E("564", "S", 42, 5, C1), E("521", "C", 43, 9, C0)}),
       Ln(24, "Importaciones", ' ', {E("566", "S", 44, 5, C1), E("560", "C", 45, 9, C0)}),
       Ln(25, "Internas exentas, o no gravadas", ' ', {E("584", "S", 46, 5, C1), E("562", "C", 47, 9, C0)}),
       Enc({{"Cantidad de documentos", C1, AnchoColumna},
            {"Crédito; Recuperación y Reinte...", C0, AnchoColumna}}),
       Ln(26, "Facturas recibidas del giro y Facturas de compras emitidas", '+',
          {E("519", "S", 48, 5, C1), E("520", "C", 49, 9, C0)}),
       Ln(27, "Facturas activo fijo", '+', {E("524", "S", 50, 5, C1), E("525", "C", 51, 9, C0)}),
       Ln(28, "Notas de Crédito recibidas", '-', {E("527", "S", 52, 5, C1), E("528", "C", 53, 9, C0)}),
       Ln(29, "Notas de Débito recibidas", '+', {E("531", "S", 54, 5, C1), E("532", "C", 55, 9, C0)}),
       Ln(30, "Formulario de pago de importaciones del giro", '+',
          {E("534", "S", 56, 5, C1), E("535", "C", 57, 9, C0)}),
       Ln(31, "Formulario de pago de importaciones de activo fijo", '+',
          {E("536", "S", 58, 5, C1), E("553", "C", 59, 9, C0)}),
       Ln(32, "Remanente Crédito Fiscal mes anterior", '+', {E("504", "C", 60, 9, C0)}),
       Ln(33, "Devolución Solicitud Art. 36 (Exportadores)", '-', {E("593", "C", 61, 9, C0)}),
       Ln(34, "Devolución Solicitud Art. 27 bis (Activo fijo)", '-', {E("594", "C", 62, 9, C0)}),
       Ln(35, "Certificado Imputación Art. 27 bis (Activo fijo)", '-', {E("592", "C", 63, 9, C0)}),
       Ln(36, "Devolución Solicitud Art. 3° (Cambio de Sujeto)", '-', {E("539", "C", 64, 9, C0)}),
       Ln(37,
          "Devolución Solicitud Ley N° 20.258 por remanente CF IVA originado en Impuesto específico Petróleo "
          "Diesel (Generadoras Eléctricas)",
          '-', {E("718", "C", 65, 9, C0)}),
       Ln(38, "Monto Reintegrado por Devolución Indebida de Crédito Fiscal D.S. 348 (Exportadores)", '+',
          {E("164", "C", 66, 9, C0)}),
       Enc({{"M3 Comprados con derecho a crédito", XM3 - AnchoTituloM3, AnchoColumna + AnchoTituloM3},
            {"Componentes del Impuesto", XComponentes, C0 - XComponentes + 1}}),
       Ln(39,
          "Recuperación de Impuesto Específico al Petróleo Diesel (Art. 6° Ley 18.502/86 y Art. 1° y 3° D.S. "
          "N° 311/86)",
          '+',
          {E("730", "F", 67, 9, XM3, F::Decimales),
           E("742", "C", 68, 9, C1, F::DieselBase).Diesel(G::A).Etiqueta(" Base", 47).Fila(0),
           E("743", "C", 69, 9, C1, F::DieselVariable).Diesel(G::A).Etiqueta(" Variable", 47).Fila(1),
           P("127", 70, C0)},
          2),
       Ln(40,
          "Recuperación Impuesto Específico Petróleo Diesel soportado por Transportistas de Carga (Art. 2° Ley "
          "N°19.764/01)",
          '+',
          {E("729", "F", 71, 9, XM3, F::Decimales),
           E("744", "C", 72, 9, C1, F::DieselBase).Diesel(G::B).Etiqueta(" Base", 47).Fila(0),
           E("745", "C", 73, 9, C1, F::DieselVariable).Diesel(G::B).Etiqueta(" Variable", 47).Fila(1),
           P("544", 74, C0)},
          2),
       Ln(41, "Crédito del Art.11° Ley 18.211 (correspondiente a Zona Franca de Extensión)", '+',
          {E("523", "C", 75, 9, C0)}),
       Ln(42, "Crédito por Impuesto de Timbres y Estampillas, ARt. 3° Ley N° 20.259", '+',
          {E("712", "C", 76, 9, C0)}),
       Ln(43,
          "Crédito por IVA restituido a aportantes sin domicilio ni residencia en Chile (Art. 33, del artículo "
          "primero Ley 20.712)",
          '+', {E("757", "C", 77, 9, C0).Actualizacion(5, TC::C)}),
       Ln(44, "TOTAL CRÉDITOS", '=', {C("537", C0)})}});

  anverso.secciones.push_back(DefSeccion{
      "", 966, 66, 0, {},
      {Enc({{"Impuesto Determinado", C0, AnchoColumna}}),
       Ln(45, "Remanente de crédito fiscal para el período siguiente", '+',
          {C("77", C3), C("89", C0).Propio("IVA determinado", 107)}),
       Ln(46, "Restitución de devolución por concepto de Art. 27 ter D.L. 825, de 1974. inc. 2° (Ley N° 20.720)", '+',
          {E("760", "C", 81, 0, C0).Actualizacion(6, TC::C)})}});

  anverso.secciones.push_back(DefSeccion{
      "Impuesto a la Renta D.L. 824/74", 1036, 316, 16,
      {{"ImageRetenciones", "\"RETENCIONES\"", 24, 16, 17, 145}, {"ImagePPM", "\"PPM\"", 24, 176, 17, 129}},
      {Ln(47,
          "Retención Impuesto Primera Categoría por rentas de capitales mobiliarios del Art.20 N°2, según Art.73 "
          "LIR",
          '+', {E("50", "C", 78, 9, C0)}),
       Ln(48, "Retención Impuesto Único a los Trabajadores, según Art. 74 N° 1 LIR", '+',
          {E("751", "C", 79, 9, X751).Actualizacion(7, TC::C).Etiqueta("Donación Ley 20.444/2010", 0, L::Encima).Fila(1),
           E("735", "C", 80, 9, X735).Etiqueta("Donación Ley 20.444/2010", 0, L::Encima).Fila(1),
           E("48", "C", 82, 9, C0).Etiqueta("Impuesto Unico 2a Categoría a Pagar", 106)},
          2, {{TipoCelda::Etiqueta, "Créditos", X751 - 61 + 1, 0, 61, 33}}),
       Ln(49, "Retención de Impuesto con tasa de 10% sobre las rentas del Art. 42 N°2, según Art. 74 N°2 LIR", '+',
          {E("151", "C", 83, 9, C0)}),
       Ln(50, "Retención de Impuesto con tasa del 10% ó 20% sobre las rentas del Art. 48, según Art. 74 N° 3 LIR",
          '+', {E("153", "C", 84, 9, C0)}),
       Ln(51, "Retención a Suplementeros, según Art. 74 N° 5 (tasa 0,5%) LIR", '+', {E("54", "C", 85, 9, C0)}),
       Ln(52, "Retención por compra de productos mineros, según Art. 74 N° 6 LIR", '+', {E("56", "C", 86, 9, C0)}),
       Ln(53, "Retención sobre cantidades pagadas en cumplimiento de Seguros Dotales del Art.17 N°3 (tasa 15%)", '+',
          {E("588", "C", 87, 9, C0)}),
       Ln(54, "Retención sobre retiros de Ahorro Previsional Voluntario del Art.42 bis LIR (tasa 15%)", '+',
          {E("589", "C", 88, 9, C0)}),
       Enc({{"Monto Pérdida Art.90", C4, AnchoColumna}, {"Base Imponible", C3, AnchoColumna},
            {"Tasa", C2, AnchoColumna}, {"Crédito", C1, AnchoColumna}, {"PPM Neto Determinado", C0, AnchoColumna}}),
       Ln(55, "1a Categoría Art. 84 a)", '+',
          {E("30", "C", 89, 9, C4), E("563", "C", 90, 9, C3), E("115", "F", 91, 5, C2, F::Decimales),
           E("68", "C", 92, 9, C1), C("62", C0)}),
       Ln(56, "Mineros, Art.84 a)", '+',
          {E("565", "C", 93, 9, C4), E("120", "C", 94, 9, C3), E("542", "F", 95, 5, C2, F::Decimales),
           E("122", "C", 96, 9, C1), C("123", C0)}),
       Ln(57, "Explotador Minero Art. 84 h)", '+',
          {E("700", "C", 97, 9, C4), E("701", "C", 98, 9, C3), E("702", "F", 99, 5, C2), E("711", "C", 100, 9, C1),
           C("703", C0)}),
       Ln(58, "Transportistas acogidos a Renta Presunta, Art 84, e) y f) (tasa de 0,3%)", '+',
          {E("66", "C", 101, 0, C0)}),
       Ln(59, "Crédito Capacitación, Ley    19.518/97", '-',
          {E("721", "C", 102, 9, C3).Etiqueta("Crédito del Mes", 0, L::Encima).Fila(1),
           E("722", "C", 103, 9, C2).Etiqueta("Remanente Mes Anterior", 0, L::Encima).Fila(1),
           C("724", C1).Etiqueta("Remanente Periodo Siguiente", 0, L::Encima).Fila(1),
           C("723", C0).Etiqueta("Crédito a Imputar", 0, L::Encima).Fila(1)},
          2),
       Ln(60, "2a Categoría Art. 84, b) (tasa 10%)", '+', {E("152", "C", 104, 9, C0)}),
       Ln(61, "Taller artesanal Art.84, c) (tasa de 1,5% o 3%)", '+', {E("70", "C", 105, 9, C0)})}});

  anverso.secciones.push_back(DefSeccion{
      "", 1356, 136, 0, {},
      {Ln(62,
          "SUB TOTAL IMPUESTO DETERMINADO ANVERSO (Suma de las líneas 33 a 46, columna Impuesto y/o PPM "
          "determinado)",
          '+', {C("595", C0)}),
       Ln(0, "", ' ',
          {T("01", "ApellidoPaternoRazonSocial", "W50", 0, F::Ninguna)
               .Etiqueta("Apellido Paterno o Razón Social", 326, L::Antecedente).Fila(1).Ancho(352)
               .Presenta(Presentacion::Texto),
           T("02", "ApellidoMaterno", "W50", 0, F::Ninguna)
               .Etiqueta("Apellido Materno", 164, L::Antecedente).Fila(1).Ancho(190).Presenta(Presentacion::Texto),
           T("05", "nombres", "W50", 0, F::Ninguna)
               .Etiqueta("Nombres", 174, L::Antecedente).Fila(1).Ancho(200).Presenta(Presentacion::Texto)},
          2),
       Ln(0, "Cambia datos de Domicilio", ' ',
          {E("583", "B", 159, 0, C4, F::Casilla583).Ancho(21).Presenta(Presentacion::Casilla)}),
       Ln(116, "TOTAL A PAGAR DENTRO DEL PLAZO LEGAL", '+', {C("91", C0)}),
       Ln(117, "Más IPC", '+', {E("92", "C", 157, 9, C0)}),
       Ln(118, "Más Intereses y multas", '+', {E("93", "C", 158, 9, C0)}),
       Ln(119, "TOTAL A PAGAR CON RECARGO", '+', {C("94", C0)})}});
  // The three names stand side by side under their labels.
  {
    auto& nombres = anverso.secciones.back().filas[1].cajas;
    nombres[0].c.x = XNumero;
    nombres[1].c.x = 360;
    nombres[2].c.x = 554;
  }
  paginas.push_back(std::move(anverso));

  // ---- Reverso ----------------------------------------------------------------
  DefPagina reverso{Pagina::Reverso, {}};
  reverso.secciones.push_back(DefSeccion{
      "Simplificada", 0, 89, 16, {},
      {Tit("Sistema de Tributación Simplificada del IVA, Art. 29 D.L.825/74"),
       Ln(63, "Ventas del período", ' ', {E("529", "C", 106, 9, C1)}),
       Ln(64, "Crédito del período", ' ', {E("530", "C", 107, 9, C1)}),
       Ln(65, "IVA determinado por concepto de Tributación Simplificada", '+', {E("409", "C", 108, 9, C0)})}});

  reverso.secciones.push_back(DefSeccion{
      "Impuesto Adicional Art. 37 DL825/74", 96, 185, 16, {},
      {Ln(66, "Letras e), h), i), l) (tasa 15%)", '+', {E("522", "C", 109, 9, C0)}),
       Ln(67, "Letra j) (tasa 50%)", '+', {E("526", "C", 110, 9, C0)}),
       Ln(68,
          "Débito de Impuesto Adicional Ventas Art. 37 letras a), b) y c) y Art. 40 D.L.825/74 (tasa 15%)", '+',
          {E("113", "C", 111, 9, C1)}, 2),
       Ln(69, "Crédito del período Impuesto Adicional Art.37 letras a), b) y c) D.L. 825/74", '-',
          {E("28", "C", 112, 9, C1)}),
       Ln(70, "Monto reintegrado por devolución indebida de crédito por exportadores D.L. 825/74", '-',
          {E("548", "C", 113, 9, C1)}),
       Ln(71, "Remanente crédito Art. 37 mes anterior D.L.825/74", '-', {E("540", "C", 114, 9, C1)}),
       Ln(72,
          "Devolución Solicitud Art.36 relativa al Impuesto Adicional Art.37 letras a), b) y c) D.L. 825/74", '+',
          {E("541", "C", 115, 9, C1)}, 2),
       Ln(73, "Remanente crédito impuesto Art.37 para período siguiente", '+',
          {C("549", C3), C("550", C0).Propio("Impuesto Art. 37 y 40 determinado", AnchoEtiquetaTrasC3)})}});

  reverso.secciones.push_back(DefSeccion{
      "Impuesto Adicional Art. 42 DL825/74", 288, 433, 16, {},
      {Enc({{"Débitos", C0, AnchoColumna}}),
       Ln(74, "Pisco, Licores, Whisky y Aguardiente (tasa 31,5%)", '+', {E("577", "C", 116, 9, C0)}),
       Ln(75, "Vinos, Champaña. Chichas (tasa 20,5%)", '+', {E("32", "C", 117, 9, C0)}),
       Ln(76, "Cervezas (tasa 20,5%)", '+', {E("150", "C", 118, 9, C0)}),
       Ln(77, "Bebidas analcohólicas (tasa 10%)", '+', {E("146", "C", 119, 9, C0)}),
       Ln(78, "Bebidas analcohólicas elevado contenido azúcares (tasa 18%)", '+',
          {E("752", "C", 120, 9, C0).Actualizacion(8, TC::C)}),
       Ln(79, "Notas Débito emitidas", '+', {E("545", "C", 121, 9, C0)}),
       Ln(80, "Notas Crédito emitidas por Facturas", '-', {E("546", "C", 122, 9, C0)}),
       Ln(81, "Notas Crédito emitidas por Vales de máquinas autorizadas por el Servicio", '-',
          {E("710", "C", 123, 0, C0)}),
       Ln(82, "Total Débitos Art. 42 DL 825/74", '=', {C("602", C0)}),
       Enc({{"Total crédito recargado en ...", C1, AnchoColumna},
            {"Crédito imputable del periodo", C0, AnchoColumna}}),
       Ln(83, "Pisco, Licores, Whisky y Aguardiente (tasa 31,5%)", '+',
          {E("575", "C", 124, 9, C1), E("576", "C", 125, 9, C0)}),
       Ln(84, "Vinos, Champaña. Chichas (tasa 20,5%)", '+', {E("574", "C", 126, 9, C1), E("33", "C", 127, 9, C0)}),
       Ln(85, "Cervezas (tasa 20,5%)", '+', {E("580", "C", 128, 9, C1), E("149", "C", 129, 9, C0)}),
       Ln(86, "Bebidas analcohólicas (tasa 10%)", '+', {E("582", "C", 130, 9, C1), E("85", "C", 132, 9, C0)}),
       Ln(87, "Bebidas analcohólicas elevado contenido azúcares (tasa 18%)", '+',
          {E("753", "C", 131, 9, C1).Actualizacion(9, TC::C), E("754", "C", 133, 9, C0).Actualizacion(10, TC::C)}),
       Ln(88, "Notas Débito recibidas", '+', {E("551", "C", 134, 9, C0)}),
       Ln(89, "Notas Crédito recibidas", '-', {E("559", "C", 135, 9, C0)}),
       Ln(90, "Remanente crédito Art.42 mes anterior", '+', {E("508", "C", 136, 9, C0)}),
       Ln(91, "Devolución Art. 36 D.L.825/74 relativas impuesto Art.42", '-', {E("533", "C", 137, 9, C0)}),
       Ln(92, "Monto reintegrado devoluciones indebidas de crédito por exportaciones", '+',
          {E("552", "C", 138, 9, C0)}),
       Ln(93, "Total Créditos Art. 44 DL 825/74", '=', {C("603", C0)}),
       Ln(94, "Remanente crédito Impuesto Adic. Art.42 para período siguiente", '+',
          {C("507", C3), C("506", C0).Propio("Impuesto Adicional Art.42 determi...", AnchoEtiquetaTrasC3)}, 2)}});

  reverso.secciones.push_back(DefSeccion{
      "Cambio Sujeto D.L. 825/74", 724, 250, 16, {},
      {Tit("Anticipo Cambio de Sujeto (Contribuyentes Retenidos)"),
       Ln(95, "IVA anticipado del período", '+', {E("556", "C", 139, 9, C3)}),
       Ln(96, "Remanente del mes anterior", '+', {E("557", "C", 140, 9, C3)}),
       Ln(97, "Devolución del mes anterior", '-', {E("558", "C", 141, 9, C3)}),
       Ln(98, "Total de Anticipo", '=', {C("543", C3)}),
       Ln(99, "Remanente Anticipos Cambio Sujeto para período siguiente", '+',
          {C("573", C3), C("598", C0).Propio("Anticipo a imputar", AnchoEtiquetaTrasC3)}),
       Tit("Cambio de Sujeto (Agente Retenedor)"),
       Ln(100, "IVA total retenido a terceros (tasa Art. 14 DL 825/74)", '+', {E("39", "C", 142, 9, C3)}),
       Ln(101, "IVA parcial retenido a terceros(según tasa)", '+', {E("554", "C", 143, 9, C3)}),
       Ln(102, "IVA Retenido por notas de crédito emitidas", '-', {E("736", "C", 144, 9, C3)}),
       Ln(103, "Retención de margen de comercialización", '+', {E("597", "C", 145, 9, C3)}),
       Ln(104, "Retención Anticipo de Cambio de Sujeto", '+',
          {E("555", "C", 146, 9, C3).SignoTras('+'), C("596", C0).Propio("Retención Cambio de Sujeto", AnchoEtiquetaTrasC3 - AnchoSigno + 1)})}});

  reverso.secciones.push_back(DefSeccion{
      "Créditos Especiales", 980, 106, 16, {},
      {Ln(105, "Créditos por Sistemas Solares...", '-',
          {E("725", "C", 147, 9, C4, F::SinClic), E("737", "C", 148, 9, XRemanente).Etiqueta("Remanente mes anterior", AnchoEtiquetaRemanente),
           C("727", C0).Etiqueta("Total Crédito", 81)}),
       Ln(106, "Impuesto del Pago Patente Aguas...", '-',
          {E("704", "C", 149, 9, C4), E("705", "C", 150, 9, XRemanente).Etiqueta("Remanente mes anterior", AnchoEtiquetaRemanente),
           C("706", C0).Etiqueta("Total Crédito", 81)}),
       Ln(107, "Cotización Adicional Ley N° 18.566", '-',
          {E("160", "C", 151, 9, C4), E("161", "C", 152, 9, XRemanente).Etiqueta("Remanente mes anterior", AnchoEtiquetaRemanente),
           C("570", C0).Etiqueta("Total Crédito", 81)}),
       Ln(108, "Crédito Especial Empresas Cons...", '-',
          {E("126", "C", 153, 9, C4), E("128", "C", 154, 9, XRemanente).Etiqueta("Remanente mes anterior", AnchoEtiquetaRemanente),
           C("571", C0).Etiqueta("Total Crédito", 81)}),
       Ln(109, "Recuperación de Peajes Transpor...", '-',
          {E("572", "C", 155, 9, C4), E("568", "C", 156, 9, XRemanente).Etiqueta("Remanente mes anterior", AnchoEtiquetaRemanente),
           C("590", C0).Etiqueta("Total Crédito", 81)})}});

  reverso.secciones.push_back(DefSeccion{
      "", 1094, 98, 0, {},
      {Ln(110, "Total Determinado", '=',
          {C("547", C0 - AnchoParentesis).Ancho(AnchoCaja + AnchoParentesis).Campo("Cod547Mostrar")
               .Presenta(Presentacion::TextoDerecha)}),
       Ln(111, "Remanente por Crédito por Sistemas Sociales Térmicos Ley N° 20.365", ' ', {C("728", C1)}),
       Ln(112, "Remanente período siguiente Patente Agua, Ley N° 20.017/05", ' ', {C("707", C1)}),
       Ln(113, "Remanente Cotización Adicional Ley N° 18.566/86", ' ', {C("73", C1)}),
       Ln(114, "Remanente Crédito Especial Empresas", ' ', {C("130", C1)}),
       Ln(115, "Remanente Recuperación de Peajes Transportistas Pasajeros Ley N° 19.764", ' ', {C("591", C1)})}});

  // Antecedentes: columns as on the printed form.
  constexpr int X1 = 4, X2 = 105, X3 = 209, X4 = 312, X5 = 447, X6 = 601;
  reverso.secciones.push_back(DefSeccion{
      "", 1198, 116, 0, {},
      {Tit("REGISTRE SI CAMBIA ALGUNO DE LOS SIGUIENTES ANTECEDENTES"),
       Ln(0, "", ' ',
          {A("06", "W50", 160, 0, F::TextosIdentificacion, "calle", "Calle", X1, X4 - X1 - 4),
           A("610", "W10", 161, 0, F::TextosIdentificacion, "numero", "N°", X4, X5 - X4 - 4),
           A("611", "W10", 162, 0, F::TextosIdentificacion, "departamento", "Departamento", X5, X6 - X5 - 4),
           A("612", "W50", 163, 0, F::TextosIdentificacion, "VillaPoblacion", "Villa o Población", X6, 756 - X6)},
          2),
       Ln(0, "", ' ',
          {A("08", "W50", 164, 0, F::TextosIdentificacion, "comuna", "Comuna", X1, X2 - X1 - 4),
           A("53", "S", 165, 0, F::ListasIdentificacion, "region", "Reg...", X2, X3 - X2 - 4)
               .Items(ItemsRegion)
               .Presenta(Presentacion::Lista)
               .Ayuda("Se debe registrar el código de comuna definido en el suplemento tributario de IVA, que en el "
                      "caso de la región metropolitana es la 13."),
           A("613", "S", 166, 0, F::ListasIdentificacion, "CodigoAreaTelefono", "Cód...", X3, X4 - X3 - 4)
               .Items(ItemsCodigoArea)
               .Presenta(Presentacion::Lista)
               .Ayuda("Se debe registrar el código de área del número de teléfono del contribuyente."),
           A("09", "L", 167, 20, F::NumerosIdentificacion, "telefono", "Teléfono", X4, X5 - X4 - 4),
           A("601", "L", 168, 20, F::NumerosIdentificacion, "fax", "Fax", X5, X6 - X5 - 4),
           A("604", "L", 169, 20, F::NumerosIdentificacion, "TelefonoCelular", "Teléfono celular", X6, 756 - X6)},
          2),
       Ln(0, "", ' ',
          {A("55", "W50", 170, 0, F::TextosIdentificacion, "CorreoElectronico", "Correo electrónico", X1,
             X2 - X1 - 4),
           A("44", "W50", 171, 0, F::TextosIdentificacion, "DomicilioPostal", "Domicilio postal", X2, X4 - X2 - 4),
           A("726", "W50", 172, 0, F::TextosIdentificacion, "ComunaPostal", "Comuna Postal", X4, X5 - X4 - 4),
           A("313", "L", 173, 9, F::NumerosIdentificacion, "RUTContador", "Rut Contrador", X5, X6 - X5 - 4),
           A("314", "L", 174, 9, F::NumerosIdentificacion, "RUTRepresentanteLegal", "Rut Representante legal", X6,
             756 - X6)},
          2)}});
  paginas.push_back(std::move(reverso));
  return paginas;
}

// How the stored field of a box shows its value.
Presentacion PresentacionDeTipo(const Caja& c) {
  if (c.codigo == QLatin1String("09") || c.codigo == QLatin1String("601") || c.codigo == QLatin1String("604"))
    return Presentacion::Telefono;
  if (c.codigo == QLatin1String("313") || c.codigo == QLatin1String("314")) return Presentacion::Rut;
  switch (c.tipo) {
    case TipoColumna::F: return Presentacion::GruposDecimal;
    case TipoColumna::W: return Presentacion::Texto;
    case TipoColumna::B: return Presentacion::Casilla;
    default: return Presentacion::Grupos;
  }
}

// ---- Building the views ----------------------------------------------------------

struct Construido {
  QList<Caja> cajas;
  DisposicionPagina paginas[2];
};

int XTexto(const DefSeccion& s, int y) {
  int x = XTextoSinBanda;
  for (const DefBanda& b : s.bandas)
    if (b.y <= y + 1 && b.y + b.alto >= y + AltoFila) x = std::max(x, b.x + b.ancho - 1);
  return x;
}

void Agregar(DisposicionPagina& p, int seccion, TipoCelda tipo, const QRect& r, const QString& texto,
             const QString& codigo = QString()) {
  CeldaFormulario c;
  c.tipo = tipo;
  c.rect = r;
  c.texto = texto;
  c.codigo = codigo;
  c.seccion = seccion;
  p.celdas.append(c);
}

// The horizontal holes of one row of a line, between XNumero and fin, left
// by the section's vertical captions and the line's cells (from index desde
// on) that cover the whole row. Cells that share a frame leave no hole.
std::vector<std::pair<int, int>> HuecosDeFila(const DefSeccion& s, const DisposicionPagina& p, int desde,
                                              int arriba, int fin) {
  const int abajo = arriba + AltoCelda - 1;
  std::vector<std::pair<int, int>> tramos;
  const auto cubre = [&](const QRect& r) {
    if (r.top() <= arriba && r.bottom() >= abajo) tramos.emplace_back(r.left(), r.right());
  };
  for (const DefBanda& b : s.bandas) cubre(QRect(b.x, b.y, b.ancho, b.alto));
  for (int i = desde; i < p.celdas.size(); ++i) cubre(p.celdas.at(i).rect);
  std::sort(tramos.begin(), tramos.end());
  std::vector<std::pair<int, int>> huecos;
  int x = XNumero;
  for (const auto& [izquierda, derecha] : tramos) {
    if (izquierda > x + 1) huecos.emplace_back(x, izquierda);
    x = std::max(x, derecha);
  }
  if (fin > x + 1) huecos.emplace_back(x, fin);
  return huecos;
}

// Fills the holes of a line with empty framed cells: one as tall as the
// line where a hole runs through all its rows, else one per row.
void CerrarLinea(const DefSeccion& s, DisposicionPagina& p, int desde, int seccion, int y, int filas, int fin) {
  std::vector<std::vector<std::pair<int, int>>> huecos;
  for (int fila = 0; fila < filas; ++fila) huecos.push_back(HuecosDeFila(s, p, desde, y + fila * AltoFila, fin));
  for (int fila = 0; fila < filas; ++fila) {
    for (const auto& hueco : huecos[fila]) {
      const bool entero = std::all_of(huecos.begin(), huecos.end(), [&hueco](const auto& h) {
        return std::find(h.begin(), h.end(), hueco) != h.end();
      });
      if (entero && fila > 0) continue;  // made with the first row
      const int arriba = entero ? y : y + fila * AltoFila;
      const int alto = entero ? filas * AltoFila + 1 : AltoCelda;
      Agregar(p, seccion, TipoCelda::Relleno, QRect(hueco.first, arriba, hueco.second - hueco.first + 1, alto),
              QString());
    }
  }
}

void ConstruirLinea(const DefSeccion& s, const DefFila& f, int y, int seccion, DisposicionPagina& p,
                    QList<Caja>& cajas, Pagina pagina) {
  const int alto = f.filas * AltoFila + 1;
  const int xt = XTexto(s, y);
  int izquierda = XSigno;  // leftmost cell of the line after its text
  const int inicio = p.celdas.size();
  for (const DefCelda& d : f.celdas) {
    const QRect r(d.x, y + d.y, d.ancho, d.alto);
    Agregar(p, seccion, d.tipo, r, QString::fromUtf8(d.texto));
    if (d.tipo != TipoCelda::Logo) {
      izquierda = std::min(izquierda, d.x);
    }
  }
  for (const Def& d : f.cajas) {
    Caja c = d.c;
    c.linea = f.numero;
    c.pagina = pagina;
    c.seccion = QString::fromUtf8(s.titulo);
    c.texto = d.textoPropio ? c.etiqueta : (f.texto.isEmpty() ? c.etiqueta : f.texto);
    c.signo = f.signo;
    if (!d.presentacionFija) c.presentacion = PresentacionDeTipo(c);
    const int filaCaja = c.fila < 0 ? 0 : c.fila;
    const int yCaja = c.fila < 0 ? y + (f.filas - 1) * AltoFila / 2 : y + filaCaja * AltoFila;
    const int altoFilasCaja = c.fila < 0 ? alto : AltoCelda;
    switch (c.lugarEtiqueta) {
      case LugarEtiqueta::Izquierda:
        if (!c.etiqueta.isEmpty()) {
          const int xe = c.x - c.anchoEtiqueta + 1;
          Agregar(p, seccion, TipoCelda::Etiqueta, QRect(xe, c.fila < 0 ? y : yCaja, c.anchoEtiqueta, altoFilasCaja),
                  c.etiqueta);
          izquierda = std::min(izquierda, xe);
        }
        if (c.fila < 0 && f.filas > 1) {
          // A box centred in a tall line: its code cell and a frame around
          // the box take the line's whole height, like its text and sign.
          Agregar(p, seccion, TipoCelda::Codigo, QRect(c.x, y, AnchoCodigo, alto), c.codigo);
          Agregar(p, seccion, TipoCelda::Relleno, QRect(c.x + AnchoCodigo - 1, y, c.ancho, alto), QString());
        } else {
          Agregar(p, seccion, TipoCelda::Codigo, QRect(c.x, yCaja, AnchoCodigo, AltoCelda), c.codigo);
        }
        Agregar(p, seccion, TipoCelda::Caja, QRect(c.x + AnchoCodigo - 1, yCaja, c.ancho, AltoCelda), QString(),
                c.codigo);
        break;
      case LugarEtiqueta::Encima:
        Agregar(p, seccion, TipoCelda::Etiqueta, QRect(c.x, yCaja - AltoFila, AnchoCodigo + c.ancho - 1, AltoCelda),
                c.etiqueta);
        Agregar(p, seccion, TipoCelda::Codigo, QRect(c.x, yCaja, AnchoCodigo, AltoCelda), c.codigo);
        Agregar(p, seccion, TipoCelda::Caja, QRect(c.x + AnchoCodigo - 1, yCaja, c.ancho, AltoCelda), QString(),
                c.codigo);
        break;
      case LugarEtiqueta::Antecedente:
        Agregar(p, seccion, TipoCelda::Codigo, QRect(c.x, yCaja - AltoFila, AnchoCodigo, AltoCelda), c.codigo);
        Agregar(p, seccion, TipoCelda::Etiqueta,
                QRect(c.x + AnchoCodigo - 1, yCaja - AltoFila, c.ancho - AnchoCodigo + 1, AltoCelda), c.etiqueta);
        Agregar(p, seccion, TipoCelda::Caja, QRect(c.x, yCaja, c.ancho, AltoCelda), QString(), c.codigo);
        break;
    }
    izquierda = std::min(izquierda, c.x);
    if (!c.signoTrasCaja.isNull())
      Agregar(p, seccion, TipoCelda::Signo, QRect(c.x + AnchoCodigo - 1 + c.ancho - 1, yCaja, AnchoSigno, AltoCelda),
              QString(c.signoTrasCaja));
    cajas.append(c);
  }

  if (f.numero > 0)
    Agregar(p, seccion, TipoCelda::Numero, QRect(XNumero, y, AnchoNumero, alto), QString::number(f.numero));
  if (!f.texto.isEmpty()) Agregar(p, seccion, TipoCelda::Texto, QRect(xt, y, izquierda - xt + 1, alto), f.texto);
  if (!f.signo.isNull()) Agregar(p, seccion, TipoCelda::Signo, QRect(XSigno, y, AnchoSigno, alto), QString(f.signo));
  // A numbered line runs framed from its number to its sign column (or the
  // page's edge when it has none).
  if (f.numero > 0) CerrarLinea(s, p, inicio, seccion, y, f.filas, f.signo.isNull() ? XSigno + AnchoSigno - 1 : XSigno);
}

void ConstruirEncabezado(const DefSeccion& s, const DefFila& f, int y, int seccion, DisposicionPagina& p) {
  const int xt = XTexto(s, y);
  int siguiente = XSigno;
  for (const DefEncabezado& e : f.encabezados)
    if (e.x >= 0) siguiente = std::min(siguiente, e.x);
  for (const DefEncabezado& e : f.encabezados) {
    const int x = e.x < 0 ? xt : e.x;
    const int ancho = e.x < 0 ? siguiente - xt + 1 : e.ancho;
    Agregar(p, seccion, TipoCelda::Encabezado, QRect(x, y, ancho, AltoCelda), QString::fromUtf8(e.texto));
  }
}

Construido Construir() {
  Construido r;
  for (const DefPagina& dp : Formulario()) {
    DisposicionPagina& p = r.paginas[dp.pagina == Pagina::Anverso ? 0 : 1];
    for (const DefSeccion& s : dp.secciones) {
      SeccionFormulario sf;
      sf.titulo = QString::fromUtf8(s.titulo);
      sf.rect = QRect(0, s.top, AnchoSeccion, s.alto);
      for (const DefBanda& b : s.bandas)
        sf.bandas.append({QString::fromUtf8(b.nombre), QString::fromUtf8(b.caption), QRect(b.x, b.y, b.ancho, b.alto)});
      const int indice = p.secciones.size();
      p.secciones.append(sf);
      int y = s.yInicio;
      for (const DefFila& f : s.filas) {
        switch (f.tipo) {
          case TipoFilaDef::Linea: ConstruirLinea(s, f, y, indice, p, r.cajas, dp.pagina); break;
          case TipoFilaDef::Encabezado: ConstruirEncabezado(s, f, y, indice, p); break;
          case TipoFilaDef::Titulo:
            Agregar(p, indice, TipoCelda::Encabezado,
                    QRect(XTexto(s, y), y, XSigno + AnchoSigno - XTexto(s, y), AltoCelda), f.texto);
            break;
        }
        y += f.filas * AltoFila;
      }
      p.alto = std::max(p.alto, s.top + s.alto);
    }
    p.alto += 8;
  }
  return r;
}

const Construido& Datos() {
  static const Construido datos = Construir();
  return datos;
}

QList<const Caja*> Filtrar(bool (*criterio)(const Caja&)) {
  QList<const Caja*> r;
  for (const Caja& c : Catalogo())
    if (criterio(c)) r.append(&c);
  return r;
}

}  // namespace

const QList<Caja>& Catalogo() { return Datos().cajas; }

const Caja* BuscarCaja(const QString& codigo) {
  static const QHash<QString, const Caja*> indice = [] {
    QHash<QString, const Caja*> h;
    for (const Caja& c : Catalogo()) h.insert(c.codigo, &c);
    return h;
  }();
  return indice.value(codigo, nullptr);
}

QList<const Caja*> CajasDeEntrada() {
  return Filtrar([](const Caja& c) { return c.clase == ClaseCaja::E || c.codigo == QLatin1String("03"); });
}

QList<const Caja*> CajasAntecedentes() {
  return Filtrar([](const Caja& c) { return c.clase == ClaseCaja::A; });
}

QList<const Caja*> CajasSoloLectura() {
  return Filtrar([](const Caja& c) {
    return c.clase == ClaseCaja::C || c.clase == ClaseCaja::P ||
           (c.clase == ClaseCaja::T && c.codigo != QLatin1String("03"));
  });
}

QList<ColumnaTabla> ColumnasAlcabalas() {
  QList<const Caja*> almacenadas;
  for (const Caja& c : Catalogo())
    if (c.posicion > 0) almacenadas.append(&c);
  std::sort(almacenadas.begin(), almacenadas.end(),
            [](const Caja* a, const Caja* b) { return a->posicion < b->posicion; });
  QList<ColumnaTabla> columnas = {{QStringLiteral("ano"), TipoColumna::S, 0},
                                  {QStringLiteral("mes"), TipoColumna::S, 0}};
  for (const Caja* c : almacenadas) columnas.append({c->campo, c->tipo, c->tamano});
  return columnas;
}

QList<ColumnaTabla> ColumnasActualizacion() {
  QList<const Caja*> nuevas;
  for (const Caja& c : Catalogo())
    if (c.ordenActualizacion > 0) nuevas.append(&c);
  std::sort(nuevas.begin(), nuevas.end(),
            [](const Caja* a, const Caja* b) { return a->ordenActualizacion < b->ordenActualizacion; });
  QList<ColumnaTabla> columnas;
  for (const Caja* c : nuevas) columnas.append({c->campo, c->tipoActualizacion, 0});
  return columnas;
}

QList<ColumnaTabla> ColumnasContribuyente() {
  using TC = TipoColumna;
  return {{QStringLiteral("RUT"), TC::L, 0},
          {QStringLiteral("ApellidoPaternoRazonSocial"), TC::W, 50},
          {QStringLiteral("ApellidoMaterno"), TC::W, 50},
          {QStringLiteral("nombres"), TC::W, 50},
          {QStringLiteral("actividad"), TC::W, 50},
          {QStringLiteral("calle"), TC::W, 50},
          {QStringLiteral("numero"), TC::W, 20},
          {QStringLiteral("departamento"), TC::W, 20},
          {QStringLiteral("VillaPoblacion"), TC::W, 50},
          {QStringLiteral("comuna"), TC::W, 50},
          {QStringLiteral("ciudad"), TC::W, 50},
          {QStringLiteral("region"), TC::S, 0},
          {QStringLiteral("CodigoAreaTelefono"), TC::S, 0},
          {QStringLiteral("telefono"), TC::L, 0},
          {QStringLiteral("fax"), TC::L, 0},
          {QStringLiteral("TelefonoCelular"), TC::L, 0},
          {QStringLiteral("CorreoElectronico"), TC::W, 50},
          {QStringLiteral("DomicilioPostal"), TC::W, 50},
          {QStringLiteral("ComunaPostal"), TC::W, 50},
          {QStringLiteral("CiudadPostal"), TC::W, 50},
          {QStringLiteral("RUTContador"), TC::L, 0},
          {QStringLiteral("RUTRepresentanteLegal"), TC::L, 0},
          {QStringLiteral("RepresentanteLegal"), TC::W, 50}};
}

const DisposicionPagina& Disposicion(Pagina pagina) {
  return Datos().paginas[pagina == Pagina::Anverso ? 0 : 1];
}

QStringList OrdenBandasVerticales() {
  return {QStringLiteral("ImageVentas"),          QStringLiteral("ImageVentasAfectas"),
          QStringLiteral("ImageVentasExentas"),   QStringLiteral("ImageCompras"),
          QStringLiteral("ImageComprasAfectas"),  QStringLiteral("ImageImportaciones"),
          QStringLiteral("ImageComprasInternas"), QStringLiteral("ImageComprasExentas"),
          QStringLiteral("ImageRetenciones"),     QStringLiteral("ImagePPM")};
}
