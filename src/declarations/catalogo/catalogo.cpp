#include "declarations/catalogo/catalogo.h"

#include <QHash>
#include <algorithm>
#include <stdexcept>
#include <vector>

// The form is written down once, line by line, as it reads on paper: every
// box with the facts of its domain. The box list, the lines and the table
// columns are views of this data; the screen layout (disposicion.cpp) places
// the boxes by code.

namespace {

using F = FamiliaEntrada;

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
  Def(ClaseCaja clase, const char* codigo, const char* tipo, int posicion, int largo, F familia) {
    c.codigo = QString::fromUtf8(codigo);
    c.campo = QStringLiteral("Cod") + c.codigo;
    c.clase = clase;
    c.tipo = TipoDeLetra(tipo, &c.tamano);
    c.posicion = posicion;
    c.largoMaximo = largo;
    c.familia = familia;
  }
  Def& Etiqueta(const char* texto) { c.etiqueta = QString::fromUtf8(texto); return *this; }
  Def& Campo(const char* campo) { c.campo = QString::fromUtf8(campo); return *this; }
  Def& Contribuyente(const char* campo) { c.campoContribuyente = QString::fromUtf8(campo); return *this; }
  // Its line and role in the diesel rule.
  Def& Diesel(GrupoDiesel grupo, PapelDiesel papel) {
    c.diesel = grupo;
    c.papelDiesel = papel;
    return *this;
  }
  Def& Actualizacion(int orden, TipoColumna tipo) {
    c.ordenActualizacion = orden;
    c.tipoActualizacion = tipo;
    return *this;
  }
  // The box has its own text on the line ("IVA determinado"), which names it.
  Def& Propio(const char* texto) {
    Etiqueta(texto);
    textoPropio = true;
    return *this;
  }
  Def& Items(QList<int> items) { c.items = std::move(items); return *this; }
  Def& Ayuda(const char* texto) { c.ayuda = QString::fromUtf8(texto); return *this; }
  Def& Presenta(Presentacion p) { presentacionFija = true; c.presentacion = p; return *this; }
  // The object name of its control, when it is not "DBEditCod" + code.
  Def& Control(const char* nombre) { c.nombreControl = QString::fromUtf8(nombre); return *this; }
  Def& TotalAPagar() { c.totalAPagar = true; return *this; }

  Caja c;
  bool textoPropio = false;
  bool presentacionFija = false;
};

// Typed amounts and counts.
Def E(const char* codigo, const char* tipo, int posicion, int largo, F familia = F::Montos) {
  return Def(ClaseCaja::E, codigo, tipo, posicion, largo, familia);
}
// Typed boxes whose leaving recomputes box 563.
Def I(const char* codigo, const char* tipo, int posicion, int largo) {
  return Def(ClaseCaja::E, codigo, tipo, posicion, largo, F::BaseIngresos);
}
Def C(const char* codigo) { return Def(ClaseCaja::C, codigo, "C", 0, 0, F::Ninguna); }
Def P(const char* codigo, int posicion) { return Def(ClaseCaja::P, codigo, "C", posicion, 0, F::Ninguna); }
Def A(const char* codigo, const char* tipo, int posicion, int largo, F familia, const char* contribuyente,
      const char* etiqueta) {
  Def d(ClaseCaja::A, codigo, tipo, posicion, largo, familia);
  d.Contribuyente(contribuyente).Etiqueta(etiqueta);
  return d;
}
Def T(const char* codigo, const char* columna, const char* tipo, int largo, F familia) {
  Def d(ClaseCaja::T, codigo, tipo, 0, largo, familia);
  d.Campo(columna);
  return d;
}

// A box of the current edition: a column older files lack, added to them in
// the order given after the ten above (orden 11 on), and the column 164 +
// orden of a new file, so both end with the same columns in the same order.
Def Nueva(const char* codigo, const char* tipo, int orden, int largo, F familia = F::Montos) {
  Def d(ClaseCaja::E, codigo, tipo, 164 + orden, largo, familia);
  d.c.edicionVigente = true;
  return d.Actualizacion(orden, d.c.tipo);
}

// A line of the form: its number (0 when it has none), text and sign, and its boxes.
struct DefLinea {
  int numero = 0;
  QString texto;
  QChar signo;
  std::vector<Def> cajas;
};

DefLinea Ln(int numero, const char* texto, char signo, std::vector<Def> cajas) {
  DefLinea l;
  l.numero = numero;
  l.texto = QString::fromUtf8(texto);
  if (signo != ' ') l.signo = QLatin1Char(signo);
  l.cajas = std::move(cajas);
  return l;
}

// The lines under one section caption (empty outside the framed sections).
struct DefSeccion {
  Pagina pagina;
  QString titulo;
  std::vector<DefLinea> lineas;
};

DefSeccion Seccion(Pagina pagina, const char* titulo, std::vector<DefLinea> lineas) {
  return {pagina, QString::fromUtf8(titulo), std::move(lineas)};
}

const QList<int> ItemsRegion = {1, 2, 3, 4, 5, 13, 6, 7, 8, 9, 10, 11, 12};
const QList<int> ItemsCodigoArea = {57, 58, 55, 52, 51, 53, 32, 33, 34, 35, 2, 72,
                                    71, 73, 75, 41, 42, 43, 45, 63, 64, 65, 67, 61};

std::vector<DefSeccion> Formulario() {
  using G = GrupoDiesel;
  using D = PapelDiesel;
  using TC = TipoColumna;
  std::vector<DefSeccion> secciones;
  secciones.push_back(
      Seccion(Pagina::Anverso, "",
              {Ln(0, "", ' ',
                  {T("03", "RUT", "L", 9, F::SinClic).Etiqueta("ROL UNICO TRIBUTARIO").Presenta(Presentacion::Rut)})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "DÉBITOS Y VENTAS",
      {Ln(1, "Exportaciones", ' ', {E("585", "S", 3, 5), I("20", "C", 4, 9)}),
       Ln(2, "Ventas y/o Servicios prestados Exentos o No Gravados del giro", ' ',
          {E("586", "S", 5, 5), I("142", "C", 6, 9)}),
       Ln(3, "Ventas con retención sobre el margen de comercialización (contribuyentes retenidos)", ' ',
          {E("731", "S", 7, 5).Actualizacion(1, TC::L), I("732", "C", 8, 9).Actualizacion(2, TC::C)}),
       Ln(4, "Ventas y/o Servicios prestados Exentos o No Gravados que no son del giro", ' ',
          {E("714", "S", 9, 5), I("715", "C", 10, 9)}),
       Ln(5,
          "Facturas de Compra recibidas con retención total (contribuyentes retenidos) y Factura de Inicio emitida",
          ' ', {E("515", "S", 11, 5), I("587", "C", 12, 9)}),
       Ln(6, "Facturas de compra recibidas con retención parcial (Total neto)", ' ', {I("720", "C", 13, 9)}),
       Ln(7, "Facturas emitidas por ventas y servicios del giro, o por cuenta de terceros", '+',
          {E("503", "S", 14, 5), I("502", "C", 15, 9)}),
       Ln(8, "Facturas emitidas por la venta de bienes inmuebles afectas a IVA", '+',
          {Nueva("763", "S", 11, 5), Nueva("764", "C", 12, 9)}),
       Ln(9, "Facturas y Notas de Débitos por ventas y servicios que no son del giro (activo fijo y otros)", '+',
          {E("716", "S", 16, 5), I("717", "C", 17, 9)}),
       Ln(10, "Boletas", '+', {E("110", "L", 18, 9), I("111", "C", 19, 9)}),
       Ln(11, "Comprobantes o Recibos de Pago generados en transacciones pagadas a través de medios electrónicos",
          '+', {E("758", "L", 20, 9).Actualizacion(3, TC::L), I("759", "C", 21, 9).Actualizacion(4, TC::C)}),
       Ln(12,
          "Notas de Débito emitidas del giro y Notas de Débito recibidas de terceros por retención parcial de "
          "cambio de sujeto",
          '+', {E("512", "S", 22, 5), I("513", "C", 23, 9)}),
       Ln(13,
          "Notas de Crédito emitidas por Facturas asociadas al giro y Notas de Crédito recibidas de terceros por "
          "retención parcial de cambio de sujeto",
          '-', {E("509", "S", 24, 5), I("510", "C", 25, 9)}),
       Ln(14, "Notas de Crédito emitidas por Vales de máquinas autorizadas por el Servicio", '-',
          {E("708", "S", 26, 5), I("709", "C", 27, 9)}),
       Ln(15, "Notas de Crédito emitidas por ventas y servicios que no son del giro (activo fijo y otros)", '-',
          {E("733", "S", 28, 5), I("734", "C", 29, 9)}),
       Ln(16, "Facturas de Compra recibidas con retención parcial (contribuyentes retenidos)", '+',
          {E("516", "S", 30, 5), I("517", "C", 31, 9)}),
       Ln(17, "Liquidación y Liquidación Factura recibidas (suma débito; ventas realizadas por terceros)", '+',
          {E("500", "S", 32, 5), I("501", "C", 33, 9)}),
       Ln(18, "Liquidación y Liquidación Factura emitidas (resta débito; ventas realizadas por cuenta de terceros)",
          '-', {Nueva("817", "S", 13, 5), Nueva("818", "C", 14, 9)}),
       Ln(19,
          "Adicionales al Débito Fiscal del mes, originadas en devoluciones excesivas registradas en otros "
          "períodos por Art. 27 bis",
          '+', {E("154", "C", 34, 9)}),
       Ln(20,
          "Restitución Adicional por proporción de operaciones exentas y/o no gravadas por concepto Art. 27 bis, "
          "inc. 2° (Ley N° 19.738)",
          '+', {E("518", "C", 35, 9)}),
       Ln(21,
          "Reintegro del Impuesto de Timbres y Estampillas, Art 3° Ley N° 20.259 e IVA determinado en el "
          "Arrendamiento esporádico de BBRR amoblados",
          '+', {E("713", "C", 36, 9)}),
       Ln(22, "Adiciones al Débito por IEPD. Ley 20.765", '+',
          {E("738", "F", 37, 9).Diesel(G::Debito, D::Metros).Etiqueta(" M3"),
           E("739", "C", 38, 9).Diesel(G::Debito, D::Base).Etiqueta(" Base"),
           E("740", "C", 39, 9).Diesel(G::Debito, D::Variable).Control("DBEDitCod740").Etiqueta(" Variable"),
           C("741").Diesel(G::Debito, D::Total)}),
       Ln(23,
          "Restitución Adicional por proporción de operaciones exentas y/o no gravadas por concepto Reembolso "
          "Remanente CF IVA (Ley 21.256)",
          '+', {Nueva("791", "C", 15, 9)}),
       Ln(24, "TOTAL DÉBITOS", '=', {C("538")})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "CRÉDITOS Y COMPRAS",
      {Ln(25, "IVA por documentos electrónicos recibidos", ' ', {E("511", "C", 40, 0), E("514", "C", 41, 9)}),
       Ln(26, "Internas afectas", ' ', {E("564", "S", 42, 5), E("521", "C", 43, 9)}),
       Ln(27, "Importaciones", ' ', {E("566", "S", 44, 5), E("560", "C", 45, 9)}),
       Ln(28, "Internas exentas, o no gravadas", ' ', {E("584", "S", 46, 5), E("562", "C", 47, 9)}),
       Ln(29,
          "Facturas recibidas del giro, Facturas de compras emitidas y Comisión pagada por recepción de "
          "liquidación factura",
          '+', {E("519", "S", 48, 5), E("520", "C", 49, 9)}),
       Ln(30,
          "Facturas recibidas de Proveedores: Supermercados y Comercios similares, Art.23 Nº4 D.L.825, de 1974 "
          "(Ley Nº20.780)",
          '+', {Nueva("761", "S", 16, 5), Nueva("762", "C", 17, 9)}),
       Ln(31,
          "Facturas recibidas por Adquisición o Construcción de Bienes Inmuebles, Art.8º transitorio (Ley "
          "Nº20.780)",
          '+', {Nueva("765", "S", 18, 5), Nueva("766", "C", 19, 9)}),
       Ln(32, "Facturas activo fijo", '+', {E("524", "S", 50, 5), E("525", "C", 51, 9)}),
       Ln(33, "Notas de Crédito recibidas y Notas de Crédito emitidas por retención de cambio de sujeto", '-',
          {E("527", "S", 52, 5), E("528", "C", 53, 9)}),
       Ln(34, "Notas de Débito recibidas y Notas de Débito emitidas por retención de cambio de sujeto", '+',
          {E("531", "S", 54, 5), E("532", "C", 55, 9)}),
       Ln(35, "Declaraciones de Ingreso (DIN) importaciones del giro", '+',
          {E("534", "S", 56, 5), E("535", "C", 57, 9)}),
       Ln(36, "Declaraciones de Ingreso (DIN) importaciones activo fijo", '+',
          {E("536", "S", 58, 5), E("553", "C", 59, 9)}),
       Ln(37, "Remanente Crédito Fiscal mes anterior", '+', {E("504", "C", 60, 9)}),
       Ln(38, "Devolución Solicitud Art.36 (Exportadores)", '-', {E("593", "C", 61, 9)}),
       Ln(39, "Devolución Solicitud Art.27 bis (Activo fijo)", '-', {E("594", "C", 62, 9)}),
       Ln(40, "Certificado Imputación Art.27 bis (Activo fijo)", '-', {E("592", "C", 63, 9)}),
       Ln(41, "Devolución Solicitud Art.3 (Cambio de sujeto)", '-', {E("539", "C", 64, 9)}),
       Ln(42,
          "Devolución Solicitud Ley Nº 20.258, por remanente CF IVA, originado en Impuesto específico Petróleo "
          "Diésel (Generadoras Eléctricas)",
          '-', {E("718", "C", 65, 9)}),
       Ln(43, "Devolución Solicitud Reembolso Remanente de Crédito Fiscal IVA", '-', {Nueva("790", "C", 20, 9)}),
       Ln(44, "Monto Reintegrado por Devolución Indebida de Crédito Fiscal D.S. 348 (Exportadores)", '+',
          {E("164", "C", 66, 9)}),
       Ln(45,
          "Recuperación de Impuesto Específico al Petróleo Diésel (Art. 7º Ley 18.502, Arts.1º y 3º D.S. Nº "
          "311/86)",
          '+',
          {E("730", "F", 67, 9, F::Decimales).Diesel(G::A, D::Metros),
           E("742", "C", 68, 9, F::DieselBase).Diesel(G::A, D::Base).Etiqueta(" Base"),
           E("743", "C", 69, 9, F::DieselVariable).Diesel(G::A, D::Variable).Etiqueta(" Variable"),
           P("127", 70).Diesel(G::A, D::Total)}),
       Ln(46,
          "Recuperación Impuesto Específico Petróleo Diésel soportado por Transportistas de Carga (Art. 2º Ley Nº "
          "19.764)",
          '+',
          {E("729", "F", 71, 9, F::Decimales).Diesel(G::B, D::Metros),
           E("744", "C", 72, 9, F::DieselBase).Diesel(G::B, D::Base).Etiqueta(" Base"),
           E("745", "C", 73, 9, F::DieselVariable).Diesel(G::B, D::Variable).Etiqueta(" Variable"),
           P("544", 74).Diesel(G::B, D::Total)}),
       Ln(47, "Crédito del Art.11 Ley 18.211 (correspondiente a Zona Franca de Extensión)", '+',
          {E("523", "C", 75, 9)}),
       Ln(48, "Crédito por Impuesto de Timbres y Estampillas, Art. 3º Ley Nº 20.259", '+', {E("712", "C", 76, 9)}),
       Ln(49,
          "Crédito por IVA restituido a aportantes sin domicilio ni residencia en Chile (Art. 83, del artículo "
          "primero Ley 20.712)",
          '+', {E("757", "C", 77, 9).Actualizacion(5, TC::C)}),
       Ln(50, "TOTAL CRÉDITOS", '=', {C("537")})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "",
      {Ln(51, "Remanente de crédito fiscal para el período siguiente", '+',
          {C("77"), C("89").Propio("IVA determinado")}),
       Ln(58, "Restitución de devolución por concepto de Art. 27 ter D.L. 825, de 1974, inc. 2º (Ley Nº 20.720)", '+',
          {E("760", "C", 81, 0).Actualizacion(6, TC::C)})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "Impuesto a la Renta D.L. 824/74",
      {Ln(60,
          "Retención Impuesto Primera Categoría por rentas de capitales mobiliarios del Art. 20 Nº 2, según Art. 73 "
          "LIR",
          '+', {E("50", "C", 78, 9)}),
       Ln(61, "Retención Impuesto Único a los Trabajadores, según Art. 74 Nº 1 LIR", '+',
          {E("751", "C", 79, 9).Actualizacion(7, TC::C).Etiqueta("Donación Ley 20.444/2010"),
           E("735", "C", 80, 9).Etiqueta("Donación Ley 20.444/2010"),
           E("48", "C", 82, 9).Etiqueta("Impuesto Unico 2a Categoría a Pagar")}),
       Ln(62, "Retención de Impuesto con tasa del 10% sobre las rentas del Art. 42 Nº 2, según Art. 74 Nº 2 LIR", '+',
          {E("151", "C", 83, 9)}),
       Ln(63, "Retención de Impuesto con tasa del 10% sobre las rentas del Art. 48, según Art. 74 Nº 3 LIR", '+',
          {E("153", "C", 84, 9)}),
       Ln(64,
          "Retención sobre rentas del Art. 42 Nº1 LIR con tasa del 3%, por reintegro del préstamo tasa 0%, según "
          "art. 9º letra a) Ley Nº 21.252",
          '+', {Nueva("49", "C", 21, 9)}),
       Ln(65,
          "Retención sobre rentas del Art. 42 Nº2 LIR con tasa del 3%, por reintegro del préstamo tasa 0%, según "
          "art. 7º Ley Nº 21.242 y art. 9º letra b) Ley Nº 21.252",
          '+', {Nueva("155", "C", 22, 9)}),
       Ln(66, "Retención a Suplementeros, según Art. 74 Nº 5 (tasa 0,5%) LIR", '+', {E("54", "C", 85, 9)}),
       Ln(67, "Retención por compra de productos mineros, según Art. 74 Nº 6 LIR", '+', {E("56", "C", 86, 9)}),
       Ln(68,
          "Retención sobre rescates y otras cantidades pagadas en cumplimiento de seguros dotales y seguros de vida "
          "con ahorro del Nº 3 del artículo 17 de la LIR (tasa 15%)",
          '+', {E("588", "C", 87, 9)}),
       Ln(69, "Retención sobre retiros de Ahorro Previsional Voluntario del Art. 42 bis LIR (tasa 15%)", '+',
          {E("589", "C", 88, 9)}),
       Ln(70, "1ra Categoría Art. 84 a) y 14 D Nº 3 letra (k) y 8 letra (a) numeral (viii).", '+',
          {E("30", "C", 89, 9), E("563", "C", 90, 9), E("115", "F", 91, 5, F::Decimales), E("68", "C", 92, 9),
           C("62")}),
       Ln(71,
          "1ra Categoría. Art. 84 letra a) y 14 letra D) Nº 3 letra (k) y Nº 8 letra (a) numeral (viii) LIR, con "
          "tasa 3%, por reintegro de préstamo tasa 0%, según art. 9º letra c) Ley Nº 21.252",
          '+', {Nueva("156", "C", 23, 9)}),
       Ln(72, "Mineros Art. 84 a)", '+',
          {E("565", "C", 93, 9), E("120", "C", 94, 9), E("542", "F", 95, 5, F::Decimales), E("122", "C", 96, 9),
           C("123")}),
       Ln(73, "Explotador Minero Art. 84 h)", '+',
          {E("700", "C", 97, 9), E("701", "C", 98, 9), E("702", "F", 99, 5), E("711", "C", 100, 9), C("703")}),
       Ln(74, "Explotador Minero Royalty Ley 21.591", '+',
          {Nueva("806", "C", 24, 9), Nueva("807", "C", 25, 9), Nueva("808", "F", 26, 5, F::Decimales),
           Nueva("809", "C", 27, 9), Nueva("810", "C", 28, 9)}),
       Ln(75, "Transportistas acogidos a Renta Presunta, Art. 84, e) y f) (tasa de 0,3%)", '+', {E("66", "C", 101, 0)}),
       Ln(76, "Crédito Capacitación, Ley 19.518/97", '-',
          {E("721", "C", 102, 9).Etiqueta("Crédito del Mes"), E("722", "C", 103, 9).Etiqueta("Remanente Mes Anterior"),
           C("724").Etiqueta("Remanente Periodo Siguiente"), C("723").Etiqueta("Crédito a Imputar")}),
       Ln(77, "2da. Categoría Art. 84, b) (tasa 10%)", '+', {E("152", "C", 104, 9)}),
       Ln(78,
          "2da. Categoría. Art. 84 letra b) LIR con tasa 3%, por reintegro de préstamo tasa 0%, según art. 7º Ley "
          "Nº 21.242 y art. 9º letra b) Ley Nº 21.252",
          '+', {Nueva("157", "C", 29, 9)}),
       Ln(79, "Taller artesanal Art. 84, c) (tasa de 1,5% o 3%)", '+', {E("70", "C", 105, 9)}),
       Ln(80, "Renta Líquida Provisional inciso final de la letra a) del art 84 de la LIR, Ley Nº 21.210", ' ',
          {Nueva("776", "C", 30, 9)})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "",
      {Ln(81,
          "SUB TOTAL IMPUESTO DETERMINADO ANVERSO (Suma de las líneas 51 a 79, columna Impuesto y/o PPM "
          "determinado)",
          '+', {C("595")}),
       Ln(0, "", ' ',
          {T("01", "ApellidoPaternoRazonSocial", "W50", 0, F::Ninguna)
               .Etiqueta("Apellido Paterno o Razón Social")
               .Presenta(Presentacion::Texto),
           T("02", "ApellidoMaterno", "W50", 0, F::Ninguna).Etiqueta("Apellido Materno").Presenta(Presentacion::Texto),
           T("05", "nombres", "W50", 0, F::Ninguna).Etiqueta("Nombres").Presenta(Presentacion::Texto)}),
       Ln(0, "Cambia datos de Domicilio", ' ', {E("583", "B", 159, 0, F::Casilla583).Presenta(Presentacion::Casilla)}),
       Ln(148, "TOTAL A PAGAR DENTRO DEL PLAZO LEGAL", '+', {C("91").TotalAPagar()}),
       Ln(149, "Más IPC", '+', {E("92", "C", 157, 9)}), Ln(150, "Más Intereses y multas", '+', {E("93", "C", 158, 9)}),
       // The condonation stands between lines 150 and 151, without a number:
       // the resolution's number (informative) and the amount forgiven.
       Ln(0, "Condonación: N° de resolución y Monto Condonación", '-',
          {Nueva("922", "L", 31, 9).Presenta(Presentacion::Telefono), Nueva("795", "C", 32, 9)}),
       Ln(151, "TOTAL A PAGAR CON RECARGO", '+', {C("94")})}));
  secciones.push_back(
      Seccion(Pagina::Reverso, "Simplificada",
              {Ln(82, "Ventas del período", ' ', {E("529", "C", 106, 9)}),
               Ln(83, "Crédito del período", ' ', {E("530", "C", 107, 9)}),
               Ln(84, "IVA determinado por concepto de Tributación Simplificada", '+', {E("409", "C", 108, 9)})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "Impuesto Adicional Art. 37 DL825/74",
      {Ln(85, "Letras e), i), l) (tasa 15%)", '+', {E("522", "C", 109, 9)}),
       Ln(86, "Letra j) (tasa 50%)", '+', {E("526", "C", 110, 9)}),
       Ln(87, "Débito de Impuesto Adicional Ventas Art. 37 letras a), b) y c) y Art. 40 D.L.825/74 (tasa 15%)", '+',
          {E("113", "C", 111, 9)}),
       Ln(88, "Crédito de impuesto Adicional Art.37 letras a), b) y c) D.L.825/74", '-', {E("28", "C", 112, 9)}),
       Ln(89, "Monto reintegrado por devolución indebida de crédito por exportadores D.L. 825/74", '-',
          {E("548", "C", 113, 9)}),
       Ln(90, "Remanente crédito Art.37 mes anterior D.L.825/74", '-', {E("540", "C", 114, 9)}),
       Ln(91, "Devolución Solicitud Art.36 relativa al impuesto Adicional Art.37 letras a), b), y c) D.L.825/74", '+',
          {E("541", "C", 115, 9)}),
       Ln(92, "Remanente crédito impuestos Art.37 para período siguiente", '+',
          {C("549"), C("550").Propio("Impuesto Art. 37 y 40 determinado")})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "Impuesto Adicional Art. 42 DL825/74",
      {Ln(93, "Pisco, Licores, Whisky y Aguardiente (tasa 31,5%)", '+', {E("577", "C", 116, 9)}),
       Ln(94, "Vinos, Champaña, Chichas (tasa 20,5%)", '+', {E("32", "C", 117, 9)}),
       Ln(95, "Cervezas (tasa 20,5%)", '+', {E("150", "C", 118, 9)}),
       Ln(96, "Bebidas analcohólicas (tasa 10%)", '+', {E("146", "C", 119, 9)}),
       Ln(97, "Bebidas analcohólicas elevado contenido azúcares (tasa 18%)", '+',
          {E("752", "C", 120, 9).Actualizacion(8, TC::C)}),
       Ln(98, "Notas de Débito emitidas", '+', {E("545", "C", 121, 9)}),
       Ln(99, "Notas de Crédito emitidas por Facturas", '-', {E("546", "C", 122, 9)}),
       Ln(100, "Notas de Crédito emitidas por Vales de máquinas autorizadas por el Servicio", '-',
          {E("710", "C", 123, 0)}),
       Ln(101, "Total Débitos Art. 42 DL 825/74", '=', {C("602")}),
       Ln(102, "Pisco, Licores, Whisky y Aguardiente (tasa 31,5%)", '+',
          {E("575", "C", 124, 9), E("576", "C", 125, 9)}),
       Ln(103, "Vinos, Champaña, Chichas (tasa 20,5%)", '+', {E("574", "C", 126, 9), E("33", "C", 127, 9)}),
       Ln(104, "Cervezas (tasa 20,5%)", '+', {E("580", "C", 128, 9), E("149", "C", 129, 9)}),
       Ln(105, "Bebidas analcohólicas (tasa 10%)", '+', {E("582", "C", 130, 9), E("85", "C", 132, 9)}),
       Ln(106, "Bebidas analcohólicas elevado contenido azúcares (tasa 18%)", '+',
          {E("753", "C", 131, 9).Actualizacion(9, TC::C), E("754", "C", 133, 9).Actualizacion(10, TC::C)}),
       Ln(107, "Notas de Débito recibidas", '+', {E("551", "C", 134, 9)}),
       Ln(108, "Notas de Crédito recibidas", '-', {E("559", "C", 135, 9)}),
       Ln(109, "Remanente Crédito Art.42 mes anterior", '+', {E("508", "C", 136, 9)}),
       Ln(110, "Devolución Art.36 D.L.825/74 relativas impuesto Art.42", '-', {E("533", "C", 137, 9)}),
       Ln(111, "Monto reintegrado devoluciones indebidas de crédito por exportaciones", '+', {E("552", "C", 138, 9)}),
       Ln(112, "Total Créditos Art. 42 DL 825/74", '=', {C("603")}),
       Ln(113, "Remanente Crédito Impuesto Adic. Art.42 para período siguiente", '+',
          {C("507"), C("506").Propio("Impuesto Adicional Art.42 determi...")})}));
  secciones.push_back(
      Seccion(Pagina::Reverso, "Cambio Sujeto D.L. 825/74",
              {Ln(114, "IVA anticipado del período", '+', {E("556", "C", 139, 9)}),
               Ln(115, "Remanente del mes anterior", '+', {E("557", "C", 140, 9)}),
               Ln(116, "Devolución del mes anterior", '-', {E("558", "C", 141, 9)}),
               Ln(117, "Total de Anticipo", '=', {C("543")}),
               Ln(118, "Remanente Anticipos Cambio Sujeto para período siguiente", '+',
                  {C("573"), C("598").Propio("Anticipo a imputar")}),
               Ln(119, "IVA total retenido a terceros (tasa Art.14 D.L. 825/74)", '+', {E("39", "C", 142, 9)}),
               Ln(120, "IVA parcial retenido a terceros (según tasa)", '+', {E("554", "C", 143, 9)}),
               Ln(121, "IVA Retenido por notas de crédito emitidas", '-', {E("736", "C", 144, 9)}),
               Ln(122, "Retención del margen de comercialización", '+', {E("597", "C", 145, 9)}),
               Ln(123, "Retención Anticipo de Cambio de Sujeto", '+',
                  {E("555", "C", 146, 9), C("596").Propio("Retención Cambio de Sujeto")})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "Cambio Especial de Sujeto, Venta Remota y Ferias Libres",
      {Ln(124,
          "IVA retenido a terceros con retención total en el período (inciso 7° del Art. 3° del D.L. 825)", '+',
          {Nueva("100", "C", 33, 9)}),
       Ln(125,
          "Ajustes por concepto de IVA asociado a reversiones y contracargos (disputas) solucionadas en el período",
          '-', {Nueva("101", "C", 34, 9)}),
       Ln(126, "Valor nominal del remanente de ajuste (código 104 del período anterior)", '-',
          {Nueva("102", "C", 35, 9)}),
       Ln(127, "Monto neto de IVA retenido en el período", '+', {C("103")}),
       Ln(128, "Remanente de ajuste para el próximo período", ' ', {C("104")}),
       Ln(129,
          "IVA total del período por la venta remota de bienes corporales muebles (Art. 3° bis e inciso final del "
          "Art. 4°, D.L. 825)",
          '+', {Nueva("811", "C", 36, 9)}),
       Ln(130, "Ajustes por concepto de IVA asociado a reversiones y contracargos solucionados en el período", '-',
          {Nueva("812", "C", 37, 9)}),
       Ln(131, "Valor nominal del remanente de ajuste (código 815 del período anterior)", '-',
          {Nueva("813", "C", 38, 9)}),
       Ln(132, "Monto neto de IVA del período", '+', {C("814")}),
       Ln(133, "Remanente de ajuste para el próximo período", ' ', {C("815")}),
       Ln(134,
          "Impuesto sustitutivo retenido por régimen tributario especial a comerciantes de ferias libres (párrafo "
          "7° ter, Título II, LIVS)",
          '+', {Nueva("816", "C", 39, 9)})}));
  secciones.push_back(
      Seccion(Pagina::Reverso, "Créditos Especiales",
              {Ln(135, "Crédito por Sistemas Solares Térmicos, Ley 20.365", '-',
                  {E("725", "C", 147, 9, F::SinClic), E("737", "C", 148, 9).Etiqueta("Remanente mes anterior"),
                   C("727").Etiqueta("Total Crédito")}),
               Ln(136, "Imputación del Pago Patente Aguas Ley 20.017/05", '-',
                  {E("704", "C", 149, 9), E("705", "C", 150, 9).Etiqueta("Remanente mes anterior"),
                   C("706").Etiqueta("Total Crédito")}),
               Ln(137, "Cotización Adicional Ley 18.566/86", '-',
                  {E("160", "C", 151, 9), E("161", "C", 152, 9).Etiqueta("Remanente mes anterior"),
                   C("570").Etiqueta("Total Crédito")}),
               Ln(138, "Crédito Especial Empresas Constructoras Art.21 DL 910/75", '-',
                  {E("126", "C", 153, 9), E("128", "C", 154, 9).Etiqueta("Remanente mes anterior"),
                   C("571").Etiqueta("Total Crédito")}),
               Ln(139, "Recuperación de Peajes Transportistas Pasajeros Ley 19.764/01", '-',
                  {E("572", "C", 155, 9), E("568", "C", 156, 9).Etiqueta("Remanente mes anterior"),
                   C("590").Etiqueta("Total Crédito")}),
               Ln(140, "Crédito por desembolsos directos trazabilidad", '-',
                  {Nueva("768", "C", 40, 9), Nueva("769", "C", 41, 9).Etiqueta("Remanente mes anterior"),
                   C("770").Etiqueta("Total Crédito")})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "",
      {Ln(141, "Total Determinado", '=', {C("547").Campo("Cod547Mostrar").Presenta(Presentacion::TextoDerecha)}),
       Ln(142, "Remanente Crédito por Sistemas Solares Térmicos, Ley 20.365", ' ', {C("728")}),
       Ln(143, "Remanente periodo siguiente Patente Aguas. Ley 20.017/05", ' ', {C("707")}),
       Ln(144, "Remanente Cotización Adicional Ley 18.566/86", ' ', {C("73")}),
       Ln(145, "Remanente Crédito Especial Empresas Constructoras", ' ', {C("130")}),
       Ln(146, "Remanente Recuperación de Peajes Transportistas Pasajeros Ley 19.764/01", ' ', {C("591")}),
       Ln(147, "Remanente Crédito por desembolsos directos trazabilidad", ' ', {C("771")})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "",
      {Ln(0, "", ' ',
          {A("06", "W50", 160, 0, F::TextosIdentificacion, "calle", "Calle"),
           A("610", "W10", 161, 0, F::TextosIdentificacion, "numero", "N°"),
           A("611", "W10", 162, 0, F::TextosIdentificacion, "departamento", "Departamento"),
           A("612", "W50", 163, 0, F::TextosIdentificacion, "VillaPoblacion", "Villa o Población")}),
       Ln(0, "", ' ',
          {A("08", "W50", 164, 0, F::TextosIdentificacion, "comuna", "Comuna"),
           A("53", "S", 165, 0, F::ListasIdentificacion, "region", "Reg...")
               .Items(ItemsRegion)
               .Presenta(Presentacion::Lista)
               .Ayuda("Se debe registrar el código de comuna definido en el suplemento tributario de IVA, que en el "
                      "caso de la región metropolitana es la 13."),
           A("613", "S", 166, 0, F::ListasIdentificacion, "CodigoAreaTelefono", "Cód...")
               .Items(ItemsCodigoArea)
               .Presenta(Presentacion::Lista)
               .Ayuda("Se debe registrar el código de área del número de teléfono del contribuyente."),
           A("09", "L", 167, 20, F::NumerosIdentificacion, "telefono", "Teléfono").Presenta(Presentacion::Telefono),
           A("601", "L", 168, 20, F::NumerosIdentificacion, "fax", "Fax").Presenta(Presentacion::Telefono),
           A("604", "L", 169, 20, F::NumerosIdentificacion, "TelefonoCelular", "Teléfono celular")
               .Presenta(Presentacion::Telefono)}),
       Ln(0, "", ' ',
          {A("55", "W50", 170, 0, F::TextosIdentificacion, "CorreoElectronico", "Correo electrónico"),
           A("44", "W50", 171, 0, F::TextosIdentificacion, "DomicilioPostal", "Domicilio postal"),
           A("726", "W50", 172, 0, F::TextosIdentificacion, "ComunaPostal", "Comuna Postal"),
           A("313", "L", 173, 9, F::NumerosIdentificacion, "RUTContador", "Rut Contador").Presenta(Presentacion::Rut),
           A("314", "L", 174, 9, F::NumerosIdentificacion, "RUTRepresentanteLegal", "Rut Representante legal")
               .Presenta(Presentacion::Rut)})}));
  return secciones;
}

// How the stored field of a box shows its value, unless the box states it.
Presentacion PresentacionDeTipo(const Caja& c) {
  switch (c.tipo) {
    case TipoColumna::F: return Presentacion::GruposDecimal;
    case TipoColumna::W: return Presentacion::Texto;
    case TipoColumna::B: return Presentacion::Casilla;
    default: return Presentacion::Grupos;
  }
}

struct Construido {
  QList<Caja> cajas;
  QList<LineaCatalogo> lineas;
};

Construido Construir() {
  Construido r;
  for (const DefSeccion& s : Formulario()) {
    for (const DefLinea& l : s.lineas) {
      LineaCatalogo linea;
      linea.pagina = s.pagina;
      linea.seccion = s.titulo;
      linea.numero = l.numero;
      linea.texto = l.texto;
      linea.signo = l.signo;
      for (const Def& d : l.cajas) {
        Caja c = d.c;
        c.linea = linea.numero;
        c.pagina = linea.pagina;
        c.seccion = linea.seccion;
        c.texto = d.textoPropio || linea.texto.isEmpty() ? c.etiqueta : linea.texto;
        c.signo = linea.signo;
        if (!d.presentacionFija) c.presentacion = PresentacionDeTipo(c);
        linea.codigos.append(c.codigo);
        r.cajas.append(c);
      }
      r.lineas.append(linea);
    }
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

const Caja* Primera(bool (*criterio)(const Caja&)) {
  for (const Caja& c : Catalogo())
    if (criterio(c)) return &c;
  return nullptr;
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

const Caja* CajaDeFamilia(FamiliaEntrada familia) {
  for (const Caja& c : Catalogo())
    if (c.familia == familia) return &c;
  return nullptr;
}

const Caja* CajaDiesel(GrupoDiesel grupo, PapelDiesel papel) {
  if (grupo == GrupoDiesel::Ninguno || papel == PapelDiesel::Ninguno) return nullptr;
  for (const Caja& c : Catalogo())
    if (c.diesel == grupo && c.papelDiesel == papel) return &c;
  return nullptr;
}

const Caja& CajaTotalAPagar() {
  static const Caja* const caja = Primera([](const Caja& c) { return c.totalAPagar; });
  if (caja == nullptr) throw std::logic_error("el catálogo no marca el total a pagar");
  return *caja;
}

const QList<LineaCatalogo>& LineasCatalogo() { return Datos().lineas; }

const LineaCatalogo* LineaDeCaja(const QString& codigo) {
  static const QHash<QString, const LineaCatalogo*> indice = [] {
    QHash<QString, const LineaCatalogo*> h;
    for (const LineaCatalogo& l : LineasCatalogo())
      for (const QString& c : l.codigos) h.insert(c, &l);
    return h;
  }();
  return indice.value(codigo, nullptr);
}

// Taxpayer boxes take input when they have an input family (the RUT, 03).
QList<const Caja*> CajasDeEntrada() {
  return Filtrar([](const Caja& c) {
    return c.clase == ClaseCaja::E || (c.clase == ClaseCaja::T && c.familia != FamiliaEntrada::Ninguna);
  });
}

QList<const Caja*> CajasAntecedentes() {
  return Filtrar([](const Caja& c) { return c.clase == ClaseCaja::A; });
}

QList<const Caja*> CajasSoloLectura() {
  return Filtrar([](const Caja& c) {
    return c.clase == ClaseCaja::C || c.clase == ClaseCaja::P ||
           (c.clase == ClaseCaja::T && c.familia == FamiliaEntrada::Ninguna);
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
