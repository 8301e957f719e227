#include "declarations/catalogo/disposicion.h"

#include <QHash>
#include <algorithm>
#include <vector>

// The screen form as data: its sections and rows as they stand on the page
// and, keyed by box code, the place of every box. Numbers, texts, signs and
// labels come from the catalogue; this table holds only where things go.

namespace {

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

// The place of one box in a row, by its code.
class Lugar {
 public:
  Lugar(const char* codigo, int x) {
    l.codigo = QString::fromUtf8(codigo);
    l.x = x;
    l.ancho = AnchoCaja;
  }
  Lugar& Etiqueta(int ancho, L lugar = L::Izquierda) {
    l.anchoEtiqueta = ancho;
    l.lugarEtiqueta = lugar;
    return *this;
  }
  Lugar& Fila(int fila) { l.fila = fila; return *this; }
  Lugar& Ancho(int ancho) { l.ancho = ancho; return *this; }
  Lugar& SignoTras(char signo) { l.signoTrasCaja = QLatin1Char(signo); return *this; }

  LugarCaja l;
};

// A box whose code cell starts at x.
Lugar En(const char* codigo, int x) { return Lugar(codigo, x); }
// An antecedentes box: [code][label] on the first row, the box, ancho wide, under both.
Lugar Ant(const char* codigo, int x, int ancho) {
  return Lugar(codigo, x).Etiqueta(ancho - AnchoCodigo + 1, L::Antecedente).Fila(1).Ancho(ancho);
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
  QString texto;     // a title row's text
  int filas = 1;     // rows the line spans
  std::vector<Lugar> cajas;
  std::vector<DefCelda> celdas;
  std::vector<DefEncabezado> encabezados;
};

// The row of a catalogue line: its boxes (their line's number, text and sign
// are the catalogue's), the rows it spans and its free cells.
DefFila Ln(std::vector<Lugar> cajas, int filas = 1, std::vector<DefCelda> celdas = {}) {
  DefFila f;
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

// A section (a framed group box when its boxes' catalogue section has a
// caption) or a plain block.
struct DefSeccion {
  int top;
  int alto;
  int yInicio;  // top of its first row
  std::vector<DefBanda> bandas;
  std::vector<DefFila> filas;
};

DefSeccion Sec(int top, int alto, int yInicio, std::vector<DefBanda> bandas, std::vector<DefFila> filas) {
  return {top, alto, yInicio, std::move(bandas), std::move(filas)};
}

struct DefPagina {
  Pagina pagina;
  std::vector<DefSeccion> secciones;
};

std::vector<DefPagina> Formulario() {
  // ---- Anverso ----------------------------------------------------------------
  std::vector<DefSeccion> anverso;
  anverso.push_back(Sec(0, 56, 2, {},
                        // Box 03 stands at the right of the head.
                        {Ln({En("03", 480).Etiqueta(200, L::Antecedente).Fila(1).Ancho(226)}, 2,
                            {{TipoCelda::Logo, "", 8, -2, 164, 54},
                             {TipoCelda::Encabezado, "PERIODO TRIBUTARIO", 200, 0, 232, AltoCelda},
                             {TipoCelda::Codigo, "15", 200, 16, AnchoCodigo, 37},
                             {TipoCelda::Encabezado, "MES", 226, 16, 113, AltoCelda},
                             {TipoCelda::Encabezado, "AÑO", 338, 16, 94, AltoCelda},
                             {TipoCelda::ListaMes, "MES", 226, 32, 113, 21},
                             {TipoCelda::ListaAno, "AÑO", 338, 32, 94, 21}})}));
  anverso.push_back(
      Sec(59, 444, 16,
          {{"ImageVentas", "\"Ventas y/o Servicios Prestados\"", 24, 32, 17, 305},
           {"ImageVentasExentas", "\"Información\";\"de ingresos\"", 40, 32, 33, 97},
           {"ImageVentasAfectas", "\"Genera Débito\"", 40, 144, 33, 193}},
          {Enc({{"IMPUESTO AL VALOR AGREGADO", -1, 0},
                {"Cantidad de documentos", C1, AnchoColumna},
                {"Monto Neto", C0, AnchoColumna}}),
           Ln({En("585", C1), En("20", C0)}),
           Ln({En("586", C1), En("142", C0)}),
           Ln({En("731", C1), En("732", C0)}),
           Ln({En("714", C1), En("715", C0)}),
           Ln({En("515", C1), En("587", C0)}),
           Ln({En("720", C0)}),
           Enc({{"Cantidad de documentos", C1, AnchoColumna}, {"Débitos", C0, AnchoColumna}}),
           Ln({En("503", C1), En("502", C0)}),
           Ln({En("763", C1), En("764", C0)}),
           Ln({En("716", C1), En("717", C0)}),
           Ln({En("110", C1), En("111", C0)}),
           Ln({En("758", C1), En("759", C0)}),
           Ln({En("512", C1), En("513", C0)}),
           Ln({En("509", C1), En("510", C0)}),
           Ln({En("708", C1), En("709", C0)}),
           Ln({En("733", C1), En("734", C0)}),
           Ln({En("516", C1), En("517", C0)}),
           Ln({En("500", C1), En("501", C0)}),
           Ln({En("817", C1), En("818", C0)}),
           Ln({En("154", C0)}),
           Ln({En("518", C0)}),
           Ln({En("713", C0)}),
           Ln({En("738", X738).Etiqueta(26).Ancho(AnchoCajaTecleada),
               En("739", X739).Etiqueta(32).Ancho(AnchoCajaTecleada), En("740", X740).Etiqueta(46), En("741", C0)}),
           Ln({En("791", C0)}),
           Ln({En("538", C0)})}));
  anverso.push_back(Sec(
      511, 547, 19,
      {{"ImageCompras", "\"Compras y/o Servicios Utilizados\"", 24, 35, 17, 225},
       {"ImageComprasExentas", "\"Sin\";\"Derecho\";\"a Crédito\";\"Fiscal\"", 40, 67, 65, 49},
       {"ImageComprasAfectas", "\"Con derecho a\";\"Crédito Fiscal\"", 40, 131, 33, 129},
       {"ImageComprasInternas", "\"Interna\"", 72, 131, 33, 97},
       {"ImageImportaciones", "\"Impor-\";\"tación\"", 72, 227, 33, 33}},
      {Enc({{"IMPUESTO AL VALOR AGREGADO", -1, 0},
            {"Con Derecho a Crédito", C1, AnchoColumna},
            {"Sin Derecho a Crédito", C0, AnchoColumna}}),
       Ln({En("511", C1), En("514", C0)}),
       Enc({{"Cantidad de documentos", C1, AnchoColumna}, {"Monto Neto", C0, AnchoColumna}}),
       Ln({En("564", C1), En("521", C0)}),
       Ln({En("566", C1), En("560", C0)}),
       Ln({En("584", C1), En("562", C0)}),
       Enc({{"Cantidad de documentos", C1, AnchoColumna}, {"Crédito; Recuperación y Reinte...", C0, AnchoColumna}}),
       Ln({En("519", C1), En("520", C0)}),
       Ln({En("761", C1), En("762", C0)}),
       Ln({En("765", C1), En("766", C0)}),
       Ln({En("524", C1), En("525", C0)}),
       Ln({En("527", C1), En("528", C0)}),
       Ln({En("531", C1), En("532", C0)}),
       Ln({En("534", C1), En("535", C0)}),
       Ln({En("536", C1), En("553", C0)}),
       Ln({En("504", C0)}),
       Ln({En("593", C0)}),
       Ln({En("594", C0)}),
       Ln({En("592", C0)}),
       Ln({En("539", C0)}),
       Ln({En("718", C0)}),
       Ln({En("790", C0)}),
       Ln({En("164", C0)}),
       Enc({{"M3 Comprados con derecho a crédito", XM3 - AnchoTituloM3, AnchoColumna + AnchoTituloM3},
            {"Componentes del Impuesto", XComponentes, C0 - XComponentes + 1}}),
       Ln({En("730", XM3), En("742", C1).Etiqueta(47).Fila(0), En("743", C1).Etiqueta(47).Fila(1), En("127", C0)}, 2),
       Ln({En("729", XM3), En("744", C1).Etiqueta(47).Fila(0), En("745", C1).Etiqueta(47).Fila(1), En("544", C0)}, 2),
       Ln({En("523", C0)}),
       Ln({En("712", C0)}),
       Ln({En("757", C0)}),
       Ln({En("537", C0)})}));
  anverso.push_back(Sec(1062, 66, 0, {},
                        {Enc({{"Impuesto Determinado", C0, AnchoColumna}}),
                         Ln({En("77", C3), En("89", C0).Etiqueta(107)}), Ln({En("760", C0)})}));
  anverso.push_back(
      Sec(1132, 428, 16,
          {{"ImageRetenciones", "\"RETENCIONES\"", 24, 16, 17, 177}, {"ImagePPM", "\"PPM\"", 24, 208, 17, 209}},
          {Ln({En("50", C0)}),
           Ln({En("751", X751).Etiqueta(0, L::Encima).Fila(1), En("735", X735).Etiqueta(0, L::Encima).Fila(1),
               En("48", C0).Etiqueta(106)},
              2, {{TipoCelda::Etiqueta, "Créditos", X751 - 61 + 1, 0, 61, 33}}),
           Ln({En("151", C0)}), Ln({En("153", C0)}), Ln({En("49", C0)}), Ln({En("155", C0)}), Ln({En("54", C0)}), Ln({En("56", C0)}), Ln({En("588", C0)}),
           Ln({En("589", C0)}),
           Enc({{"Monto Pérdida Art.90", C4, AnchoColumna},
                {"Base Imponible", C3, AnchoColumna},
                {"Tasa", C2, AnchoColumna},
                {"Crédito", C1, AnchoColumna},
                {"PPM Neto Determinado", C0, AnchoColumna}}),
           // The long text of line 70 takes two rows beside its five boxes.
           Ln({En("30", C4), En("563", C3), En("115", C2), En("68", C1), En("62", C0)}, 2),
           Ln({En("156", C0)}),
           Ln({En("565", C4), En("120", C3), En("542", C2), En("122", C1), En("123", C0)}),
           Ln({En("700", C4), En("701", C3), En("702", C2), En("711", C1), En("703", C0)}),
           Ln({En("806", C4), En("807", C3), En("808", C2), En("809", C1), En("810", C0)}), Ln({En("66", C0)}),
           Ln({En("721", C3).Etiqueta(0, L::Encima).Fila(1), En("722", C2).Etiqueta(0, L::Encima).Fila(1),
               En("724", C1).Etiqueta(0, L::Encima).Fila(1), En("723", C0).Etiqueta(0, L::Encima).Fila(1)},
              2),
           Ln({En("152", C0)}), Ln({En("157", C0)}), Ln({En("70", C0)}), Ln({En("776", C1)})}));
  anverso.push_back(Sec(
      1564, 152, 0, {},
      {Ln({En("595", C0)}),
       // The three names stand side by side under their labels.
       Ln({En("01", XNumero).Etiqueta(326, L::Antecedente).Fila(1).Ancho(352),
           En("02", 360).Etiqueta(164, L::Antecedente).Fila(1).Ancho(190),
           En("05", 554).Etiqueta(174, L::Antecedente).Fila(1).Ancho(200)},
          2),
       Ln({En("583", C4).Ancho(21)}),
       Ln({En("91", C0)}),
       Ln({En("92", C0)}),
       Ln({En("93", C0)}),
       Ln({En("922", C1), En("795", C0)}),
       Ln({En("94", C0)})}));

  // ---- Reverso ----------------------------------------------------------------
  std::vector<DefSeccion> reverso;
  reverso.push_back(Sec(0, 89, 16, {},
                        {Tit("Sistema de Tributación Simplificada del IVA, Art. 29 D.L.825/74"), Ln({En("529", C1)}),
                         Ln({En("530", C1)}), Ln({En("409", C0)})}));
  reverso.push_back(Sec(
      96, 185, 16, {},
      {Ln({En("522", C0)}), Ln({En("526", C0)}), Ln({En("113", C1)}, 2), Ln({En("28", C1)}), Ln({En("548", C1)}),
       Ln({En("540", C1)}), Ln({En("541", C1)}, 2), Ln({En("549", C3), En("550", C0).Etiqueta(AnchoEtiquetaTrasC3)})}));
  reverso.push_back(Sec(
      288, 433, 16, {},
      {Enc({{"Débitos", C0, AnchoColumna}}),
       Ln({En("577", C0)}),
       Ln({En("32", C0)}),
       Ln({En("150", C0)}),
       Ln({En("146", C0)}),
       Ln({En("752", C0)}),
       Ln({En("545", C0)}),
       Ln({En("546", C0)}),
       Ln({En("710", C0)}),
       Ln({En("602", C0)}),
       Enc({{"Total crédito recargado en ...", C1, AnchoColumna}, {"Crédito imputable del periodo", C0, AnchoColumna}}),
       Ln({En("575", C1), En("576", C0)}),
       Ln({En("574", C1), En("33", C0)}),
       Ln({En("580", C1), En("149", C0)}),
       Ln({En("582", C1), En("85", C0)}),
       Ln({En("753", C1), En("754", C0)}),
       Ln({En("551", C0)}),
       Ln({En("559", C0)}),
       Ln({En("508", C0)}),
       Ln({En("533", C0)}),
       Ln({En("552", C0)}),
       Ln({En("603", C0)}),
       Ln({En("507", C3), En("506", C0).Etiqueta(AnchoEtiquetaTrasC3)}, 2)}));
  reverso.push_back(
      Sec(724, 250, 16, {},
          {Tit("Anticipo Cambio de Sujeto (Contribuyentes Retenidos)"), Ln({En("556", C3)}), Ln({En("557", C3)}),
           Ln({En("558", C3)}), Ln({En("543", C3)}), Ln({En("573", C3), En("598", C0).Etiqueta(AnchoEtiquetaTrasC3)}),
           Tit("Cambio de Sujeto (Agente Retenedor)"), Ln({En("39", C3)}), Ln({En("554", C3)}), Ln({En("736", C3)}),
           Ln({En("597", C3)}),
           Ln({En("555", C3).SignoTras('+'), En("596", C0).Etiqueta(AnchoEtiquetaTrasC3 - AnchoSigno + 1)})}));
  reverso.push_back(Sec(980, 234, 16, {},
                        {Tit("IVA Retenido a Terceros con Retención Total (Art. 3° inc. 7° D.L.825/74)"),
                         Ln({En("100", C1)}), Ln({En("101", C1)}), Ln({En("102", C1)}), Ln({En("103", C0)}),
                         Ln({En("104", C1)}), Tit("IVA Venta Remota de Bienes Corporales Muebles (Art. 3° bis D.L.825/74)"),
                         Ln({En("811", C1)}), Ln({En("812", C1)}), Ln({En("813", C1)}), Ln({En("814", C0)}),
                         Ln({En("815", C1)}), Ln({En("816", C0)})}));
  // The special credits: each line's full text takes two rows beside its three boxes.
  reverso.push_back(
      Sec(1220, 218, 16, {},
          {Ln({En("725", C4), En("737", XRemanente).Etiqueta(AnchoEtiquetaRemanente), En("727", C0).Etiqueta(81)}, 2),
           Ln({En("704", C4), En("705", XRemanente).Etiqueta(AnchoEtiquetaRemanente), En("706", C0).Etiqueta(81)}, 2),
           Ln({En("160", C4), En("161", XRemanente).Etiqueta(AnchoEtiquetaRemanente), En("570", C0).Etiqueta(81)}, 2),
           Ln({En("126", C4), En("128", XRemanente).Etiqueta(AnchoEtiquetaRemanente), En("571", C0).Etiqueta(81)}, 2),
           Ln({En("572", C4), En("568", XRemanente).Etiqueta(AnchoEtiquetaRemanente), En("590", C0).Etiqueta(81)}, 2),
           Ln({En("768", C4), En("769", XRemanente).Etiqueta(AnchoEtiquetaRemanente), En("770", C0).Etiqueta(81)},
              2)}));
  reverso.push_back(Sec(1446, 114, 0, {},
                        {Ln({En("547", C0 - AnchoParentesis).Ancho(AnchoCaja + AnchoParentesis)}), Ln({En("728", C1)}),
                         Ln({En("707", C1)}), Ln({En("73", C1)}), Ln({En("130", C1)}), Ln({En("591", C1)}),
                         Ln({En("771", C1)})}));

  // Antecedentes: columns as on the printed form.
  constexpr int X1 = 4, X2 = 105, X3 = 209, X4 = 312, X5 = 447, X6 = 601;
  reverso.push_back(Sec(1566, 116, 0, {},
                        {Tit("REGISTRE SI CAMBIA ALGUNO DE LOS SIGUIENTES ANTECEDENTES"),
                         Ln({Ant("06", X1, X4 - X1 - 4), Ant("610", X4, X5 - X4 - 4), Ant("611", X5, X6 - X5 - 4),
                             Ant("612", X6, 756 - X6)},
                            2),
                         Ln({Ant("08", X1, X2 - X1 - 4), Ant("53", X2, X3 - X2 - 4), Ant("613", X3, X4 - X3 - 4),
                             Ant("09", X4, X5 - X4 - 4), Ant("601", X5, X6 - X5 - 4), Ant("604", X6, 756 - X6)},
                            2),
                         Ln({Ant("55", X1, X2 - X1 - 4), Ant("44", X2, X4 - X2 - 4), Ant("726", X4, X5 - X4 - 4),
                             Ant("313", X5, X6 - X5 - 4), Ant("314", X6, 756 - X6)},
                            2)}));
  return {{Pagina::Anverso, std::move(anverso)}, {Pagina::Reverso, std::move(reverso)}};
}

// ---- Building the views ----------------------------------------------------------

struct Construido {
  QList<LugarCaja> lugares;
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

// The cells of a line's row; its number, text and sign are those of the
// catalogue line of its first box.
void ConstruirLinea(const DefSeccion& s, const DefFila& f, int y, int seccion, int renglon, DisposicionPagina& p,
                    QList<LugarCaja>& lugares) {
  const LineaCatalogo* linea = f.cajas.empty() ? nullptr : LineaDeCaja(f.cajas.front().l.codigo);
  const int numero = linea != nullptr ? linea->numero : 0;
  const QString texto = linea != nullptr ? linea->texto : QString();
  const QChar signo = linea != nullptr ? linea->signo : QChar();
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
  for (const Lugar& lugar : f.cajas) {
    LugarCaja c = lugar.l;
    c.renglon = renglon;
    lugares.append(c);
    const Caja* caja = BuscarCaja(c.codigo);
    if (caja == nullptr) continue;  // a code the catalogue lacks: the tests name it
    const QString& etiqueta = caja->etiqueta;
    const int filaCaja = c.fila < 0 ? 0 : c.fila;
    const int yCaja = c.fila < 0 ? y + (f.filas - 1) * AltoFila / 2 : y + filaCaja * AltoFila;
    const int altoFilasCaja = c.fila < 0 ? alto : AltoCelda;
    switch (c.lugarEtiqueta) {
      case LugarEtiqueta::Izquierda:
        if (!etiqueta.isEmpty()) {
          const int xe = c.x - c.anchoEtiqueta + 1;
          Agregar(p, seccion, TipoCelda::Etiqueta, QRect(xe, c.fila < 0 ? y : yCaja, c.anchoEtiqueta, altoFilasCaja),
                  etiqueta);
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
                etiqueta);
        Agregar(p, seccion, TipoCelda::Codigo, QRect(c.x, yCaja, AnchoCodigo, AltoCelda), c.codigo);
        Agregar(p, seccion, TipoCelda::Caja, QRect(c.x + AnchoCodigo - 1, yCaja, c.ancho, AltoCelda), QString(),
                c.codigo);
        break;
      case LugarEtiqueta::Antecedente:
        Agregar(p, seccion, TipoCelda::Codigo, QRect(c.x, yCaja - AltoFila, AnchoCodigo, AltoCelda), c.codigo);
        Agregar(p, seccion, TipoCelda::Etiqueta,
                QRect(c.x + AnchoCodigo - 1, yCaja - AltoFila, c.ancho - AnchoCodigo + 1, AltoCelda), etiqueta);
        Agregar(p, seccion, TipoCelda::Caja, QRect(c.x, yCaja, c.ancho, AltoCelda), QString(), c.codigo);
        break;
    }
    izquierda = std::min(izquierda, c.x);
    if (!c.signoTrasCaja.isNull())
      Agregar(p, seccion, TipoCelda::Signo, QRect(c.x + AnchoCodigo - 1 + c.ancho - 1, yCaja, AnchoSigno, AltoCelda),
              QString(c.signoTrasCaja));
  }

  if (numero > 0)
    Agregar(p, seccion, TipoCelda::Numero, QRect(XNumero, y, AnchoNumero, alto), QString::number(numero));
  if (!texto.isEmpty()) Agregar(p, seccion, TipoCelda::Texto, QRect(xt, y, izquierda - xt + 1, alto), texto);
  if (!signo.isNull()) Agregar(p, seccion, TipoCelda::Signo, QRect(XSigno, y, AnchoSigno, alto), QString(signo));
  // A numbered line runs framed from its number to its sign column (or the
  // page's edge when it has none).
  if (numero > 0) CerrarLinea(s, p, inicio, seccion, y, f.filas, signo.isNull() ? XSigno + AnchoSigno - 1 : XSigno);
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

// The caption of a section: the catalogue's section of the boxes in it.
QString TituloDeSeccion(const DefSeccion& s) {
  for (const DefFila& f : s.filas)
    for (const Lugar& lugar : f.cajas)
      if (const Caja* caja = BuscarCaja(lugar.l.codigo)) return caja->seccion;
  return QString();
}

Construido Construir() {
  Construido r;
  int renglon = 0;
  for (const DefPagina& dp : Formulario()) {
    DisposicionPagina& p = r.paginas[dp.pagina == Pagina::Anverso ? 0 : 1];
    for (const DefSeccion& s : dp.secciones) {
      SeccionFormulario sf;
      sf.titulo = TituloDeSeccion(s);
      sf.rect = QRect(0, s.top, AnchoSeccion, s.alto);
      for (const DefBanda& b : s.bandas)
        sf.bandas.append({QString::fromUtf8(b.nombre), QString::fromUtf8(b.caption), QRect(b.x, b.y, b.ancho, b.alto)});
      const int indice = p.secciones.size();
      p.secciones.append(sf);
      int y = s.yInicio;
      for (const DefFila& f : s.filas) {
        switch (f.tipo) {
          case TipoFilaDef::Linea: ConstruirLinea(s, f, y, indice, renglon++, p, r.lugares); break;
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

}  // namespace

const QList<LugarCaja>& Lugares() { return Datos().lugares; }

const LugarCaja* BuscarLugar(const QString& codigo) {
  static const QHash<QString, const LugarCaja*> indice = [] {
    QHash<QString, const LugarCaja*> h;
    for (const LugarCaja& l : Lugares()) h.insert(l.codigo, &l);
    return h;
  }();
  return indice.value(codigo, nullptr);
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
