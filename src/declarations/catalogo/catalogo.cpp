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
       Ln(2, "Ventas y/o Servicios prestados Exentos, o No Gravados del giro", ' ',
          {E("586", "S", 5, 5), I("142", "C", 6, 9)}),
       Ln(3, "Ventas con retención sobre el margen de comercialización (contribuyentes retenidos)", ' ',
          {E("731", "S", 7, 5).Actualizacion(1, TC::L), I("732", "C", 8, 9).Actualizacion(2, TC::C)}),
       Ln(4, "Ventas y/o Servicios prestados exentos o No Gravados que no son del giro", ' ',
          {E("714", "S", 9, 5), I("715", "C", 10, 9)}),
       Ln(5, "Facturas de Compra recibidas con retención total (contribuyentes retenidos)", ' ',
          {E("515", "S", 11, 5), I("587", "C", 12, 9)}),
       Ln(6, "Facturas de compra recibidas con retención parcial (Total neto según línea N° 14)", ' ',
          {I("720", "C", 13, 9)}),
       Ln(7, "Facturas emitidas por ventas y servicios del giro", '+', {E("503", "S", 14, 5), I("502", "C", 15, 9)}),
       Ln(8, "Facutras, Notas de Débito y Notas de Crédito emitidas por ventas que no son del giro", '+',
          {E("716", "S", 16, 5), I("717", "C", 17, 9)}),
       Ln(9, "Boletas", '+', {E("110", "L", 18, 9), I("111", "C", 19, 9)}),
       Ln(10, "Comprobantes o Recibos de Pagos generados en transacciones pagadas a través de medios", '+',
          {E("758", "L", 20, 9).Actualizacion(3, TC::L), I("759", "C", 21, 9).Actualizacion(4, TC::C)}),
       Ln(11, "Notas de Débito emitidas", '+', {E("512", "S", 22, 5), I("513", "C", 23, 9)}),
       Ln(12, "Notas de Crédito emitidas por Facturas", '-', {E("509", "S", 24, 5), I("510", "C", 25, 9)}),
       Ln(13, "Notas de Crédito emitidas por Vales de máquinas autorizadas por el Servicio", '-',
          {E("708", "S", 26, 5), I("709", "C", 27, 9)}),
       Ln(14, "Notas de Crédito emitidas por ventas y servicios que no son del giro (activo fijo y otros)", '-',
          {E("733", "S", 28, 5), I("734", "C", 29, 9)}),
       Ln(15, "Facturas de Compra recibidas con retención parcial (contribuyentes retenidos)", '+',
          {E("516", "S", 30, 5), I("517", "C", 31, 9)}),
       Ln(16, "Liquidaciones de Facturas", '+', {E("500", "S", 32, 5), I("501", "C", 33, 9)}),
       Ln(17,
          "Adicionales al Débito Fiscal del mes, originadas en devoluciones excesivas registradas en otros periodos "
          "por Art.27 bis",
          '+', {E("154", "C", 34, 9)}),
       Ln(18,
          "Restitución Adicional por proporción de operaciones exentas y/o no gravadas por concepto Art.27 bis, Inc. "
          "2° (Ley 19.738/01)",
          '+', {E("518", "C", 35, 9)}),
       Ln(19, "Rención del Impuesto de Timbres y Estampillas, Art. 3° Ley N° 20.259", '+', {E("713", "C", 36, 9)}),
       Ln(20, "Adicionales al Débito por IEPD, Ley 20.493", '+',
          {E("738", "F", 37, 9).Diesel(G::Debito, D::Metros).Etiqueta(" M3"),
           E("739", "C", 38, 9).Diesel(G::Debito, D::Base).Etiqueta(" Base"),
           E("740", "C", 39, 9).Diesel(G::Debito, D::Variable).Control("DBEDitCod740").Etiqueta(" Variable"),
           C("741").Diesel(G::Debito, D::Total)}),
       Ln(21, "TOTAL DÉBITOS", '=', {C("538")})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "CRÉDITOS Y COMPRAS",
      {Ln(22, "IVA por documentos electrónicos recibidos", ' ', {E("511", "C", 40, 0), E("514", "C", 41, 9)}),
       Ln(23, "Internas afectas", ' ', {E("564", "S", 42, 5), E("521", "C", 43, 9)}),
       Ln(24, "Importaciones", ' ', {E("566", "S", 44, 5), E("560", "C", 45, 9)}),
       Ln(25, "Internas exentas, o no gravadas", ' ', {E("584", "S", 46, 5), E("562", "C", 47, 9)}),
       Ln(26, "Facturas recibidas del giro y Facturas de compras emitidas", '+',
          {E("519", "S", 48, 5), E("520", "C", 49, 9)}),
       Ln(27, "Facturas activo fijo", '+', {E("524", "S", 50, 5), E("525", "C", 51, 9)}),
       Ln(28, "Notas de Crédito recibidas", '-', {E("527", "S", 52, 5), E("528", "C", 53, 9)}),
       Ln(29, "Notas de Débito recibidas", '+', {E("531", "S", 54, 5), E("532", "C", 55, 9)}),
       Ln(30, "Formulario de pago de importaciones del giro", '+', {E("534", "S", 56, 5), E("535", "C", 57, 9)}),
       Ln(31, "Formulario de pago de importaciones de activo fijo", '+', {E("536", "S", 58, 5), E("553", "C", 59, 9)}),
       Ln(32, "Remanente Crédito Fiscal mes anterior", '+', {E("504", "C", 60, 9)}),
       Ln(33, "Devolución Solicitud Art. 36 (Exportadores)", '-', {E("593", "C", 61, 9)}),
       Ln(34, "Devolución Solicitud Art. 27 bis (Activo fijo)", '-', {E("594", "C", 62, 9)}),
       Ln(35, "Certificado Imputación Art. 27 bis (Activo fijo)", '-', {E("592", "C", 63, 9)}),
       Ln(36, "Devolución Solicitud Art. 3° (Cambio de Sujeto)", '-', {E("539", "C", 64, 9)}),
       Ln(37,
          "Devolución Solicitud Ley N° 20.258 por remanente CF IVA originado en Impuesto específico Petróleo Diesel "
          "(Generadoras Eléctricas)",
          '-', {E("718", "C", 65, 9)}),
       Ln(38, "Monto Reintegrado por Devolución Indebida de Crédito Fiscal D.S. 348 (Exportadores)", '+',
          {E("164", "C", 66, 9)}),
       Ln(39,
          "Recuperación de Impuesto Específico al Petróleo Diesel (Art. 6° Ley 18.502/86 y Art. 1° y 3° D.S. N° "
          "311/86)",
          '+',
          {E("730", "F", 67, 9, F::Decimales).Diesel(G::A, D::Metros),
           E("742", "C", 68, 9, F::DieselBase).Diesel(G::A, D::Base).Etiqueta(" Base"),
           E("743", "C", 69, 9, F::DieselVariable).Diesel(G::A, D::Variable).Etiqueta(" Variable"),
           P("127", 70).Diesel(G::A, D::Total)}),
       Ln(40,
          "Recuperación Impuesto Específico Petróleo Diesel soportado por Transportistas de Carga (Art. 2° Ley "
          "N°19.764/01)",
          '+',
          {E("729", "F", 71, 9, F::Decimales).Diesel(G::B, D::Metros),
           E("744", "C", 72, 9, F::DieselBase).Diesel(G::B, D::Base).Etiqueta(" Base"),
           E("745", "C", 73, 9, F::DieselVariable).Diesel(G::B, D::Variable).Etiqueta(" Variable"),
           P("544", 74).Diesel(G::B, D::Total)}),
       Ln(41, "Crédito del Art.11° Ley 18.211 (correspondiente a Zona Franca de Extensión)", '+',
          {E("523", "C", 75, 9)}),
       Ln(42, "Crédito por Impuesto de Timbres y Estampillas, ARt. 3° Ley N° 20.259", '+', {E("712", "C", 76, 9)}),
       Ln(43,
          "Crédito por IVA restituido a aportantes sin domicilio ni residencia en Chile (Art. 33, del artículo primero "
          "Ley 20.712)",
          '+', {E("757", "C", 77, 9).Actualizacion(5, TC::C)}),
       Ln(44, "TOTAL CRÉDITOS", '=', {C("537")})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "",
      {Ln(45, "Remanente de crédito fiscal para el período siguiente", '+',
          {C("77"), C("89").Propio("IVA determinado")}),
       Ln(46, "Restitución de devolución por concepto de Art. 27 ter D.L. 825, de 1974. inc. 2° (Ley N° 20.720)", '+',
          {E("760", "C", 81, 0).Actualizacion(6, TC::C)})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "Impuesto a la Renta D.L. 824/74",
      {Ln(47,
          "Retención Impuesto Primera Categoría por rentas de capitales mobiliarios del Art.20 N°2, según Art.73 LIR",
          '+', {E("50", "C", 78, 9)}),
       Ln(48, "Retención Impuesto Único a los Trabajadores, según Art. 74 N° 1 LIR", '+',
          {E("751", "C", 79, 9).Actualizacion(7, TC::C).Etiqueta("Donación Ley 20.444/2010"),
           E("735", "C", 80, 9).Etiqueta("Donación Ley 20.444/2010"),
           E("48", "C", 82, 9).Etiqueta("Impuesto Unico 2a Categoría a Pagar")}),
       Ln(49, "Retención de Impuesto con tasa de 10% sobre las rentas del Art. 42 N°2, según Art. 74 N°2 LIR", '+',
          {E("151", "C", 83, 9)}),
       Ln(50, "Retención de Impuesto con tasa del 10% ó 20% sobre las rentas del Art. 48, según Art. 74 N° 3 LIR", '+',
          {E("153", "C", 84, 9)}),
       Ln(51, "Retención a Suplementeros, según Art. 74 N° 5 (tasa 0,5%) LIR", '+', {E("54", "C", 85, 9)}),
       Ln(52, "Retención por compra de productos mineros, según Art. 74 N° 6 LIR", '+', {E("56", "C", 86, 9)}),
       Ln(53, "Retención sobre cantidades pagadas en cumplimiento de Seguros Dotales del Art.17 N°3 (tasa 15%)", '+',
          {E("588", "C", 87, 9)}),
       Ln(54, "Retención sobre retiros de Ahorro Previsional Voluntario del Art.42 bis LIR (tasa 15%)", '+',
          {E("589", "C", 88, 9)}),
       Ln(55, "1a Categoría Art. 84 a)", '+',
          {E("30", "C", 89, 9), E("563", "C", 90, 9), E("115", "F", 91, 5, F::Decimales), E("68", "C", 92, 9),
           C("62")}),
       Ln(56, "Mineros, Art.84 a)", '+',
          {E("565", "C", 93, 9), E("120", "C", 94, 9), E("542", "F", 95, 5, F::Decimales), E("122", "C", 96, 9),
           C("123")}),
       Ln(57, "Explotador Minero Art. 84 h)", '+',
          {E("700", "C", 97, 9), E("701", "C", 98, 9), E("702", "F", 99, 5), E("711", "C", 100, 9), C("703")}),
       Ln(58, "Transportistas acogidos a Renta Presunta, Art 84, e) y f) (tasa de 0,3%)", '+', {E("66", "C", 101, 0)}),
       Ln(59, "Crédito Capacitación, Ley    19.518/97", '-',
          {E("721", "C", 102, 9).Etiqueta("Crédito del Mes"), E("722", "C", 103, 9).Etiqueta("Remanente Mes Anterior"),
           C("724").Etiqueta("Remanente Periodo Siguiente"), C("723").Etiqueta("Crédito a Imputar")}),
       Ln(60, "2a Categoría Art. 84, b) (tasa 10%)", '+', {E("152", "C", 104, 9)}),
       Ln(61, "Taller artesanal Art.84, c) (tasa de 1,5% o 3%)", '+', {E("70", "C", 105, 9)})}));
  secciones.push_back(Seccion(
      Pagina::Anverso, "",
      {Ln(62,
          "SUB TOTAL IMPUESTO DETERMINADO ANVERSO (Suma de las líneas 33 a 46, columna Impuesto y/o PPM determinado)",
          '+', {C("595")}),
       Ln(0, "", ' ',
          {T("01", "ApellidoPaternoRazonSocial", "W50", 0, F::Ninguna)
               .Etiqueta("Apellido Paterno o Razón Social")
               .Presenta(Presentacion::Texto),
           T("02", "ApellidoMaterno", "W50", 0, F::Ninguna).Etiqueta("Apellido Materno").Presenta(Presentacion::Texto),
           T("05", "nombres", "W50", 0, F::Ninguna).Etiqueta("Nombres").Presenta(Presentacion::Texto)}),
       Ln(0, "Cambia datos de Domicilio", ' ', {E("583", "B", 159, 0, F::Casilla583).Presenta(Presentacion::Casilla)}),
       Ln(116, "TOTAL A PAGAR DENTRO DEL PLAZO LEGAL", '+', {C("91").TotalAPagar()}),
       Ln(117, "Más IPC", '+', {E("92", "C", 157, 9)}), Ln(118, "Más Intereses y multas", '+', {E("93", "C", 158, 9)}),
       Ln(119, "TOTAL A PAGAR CON RECARGO", '+', {C("94")})}));
  secciones.push_back(
      Seccion(Pagina::Reverso, "Simplificada",
              {Ln(63, "Ventas del período", ' ', {E("529", "C", 106, 9)}),
               Ln(64, "Crédito del período", ' ', {E("530", "C", 107, 9)}),
               Ln(65, "IVA determinado por concepto de Tributación Simplificada", '+', {E("409", "C", 108, 9)})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "Impuesto Adicional Art. 37 DL825/74",
      {Ln(66, "Letras e), h), i), l) (tasa 15%)", '+', {E("522", "C", 109, 9)}),
       Ln(67, "Letra j) (tasa 50%)", '+', {E("526", "C", 110, 9)}),
       Ln(68, "Débito de Impuesto Adicional Ventas Art. 37 letras a), b) y c) y Art. 40 D.L.825/74 (tasa 15%)", '+',
          {E("113", "C", 111, 9)}),
       Ln(69, "Crédito del período Impuesto Adicional Art.37 letras a), b) y c) D.L. 825/74", '-',
          {E("28", "C", 112, 9)}),
       Ln(70, "Monto reintegrado por devolución indebida de crédito por exportadores D.L. 825/74", '-',
          {E("548", "C", 113, 9)}),
       Ln(71, "Remanente crédito Art. 37 mes anterior D.L.825/74", '-', {E("540", "C", 114, 9)}),
       Ln(72, "Devolución Solicitud Art.36 relativa al Impuesto Adicional Art.37 letras a), b) y c) D.L. 825/74", '+',
          {E("541", "C", 115, 9)}),
       Ln(73, "Remanente crédito impuesto Art.37 para período siguiente", '+',
          {C("549"), C("550").Propio("Impuesto Art. 37 y 40 determinado")})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "Impuesto Adicional Art. 42 DL825/74",
      {Ln(74, "Pisco, Licores, Whisky y Aguardiente (tasa 31,5%)", '+', {E("577", "C", 116, 9)}),
       Ln(75, "Vinos, Champaña. Chichas (tasa 20,5%)", '+', {E("32", "C", 117, 9)}),
       Ln(76, "Cervezas (tasa 20,5%)", '+', {E("150", "C", 118, 9)}),
       Ln(77, "Bebidas analcohólicas (tasa 10%)", '+', {E("146", "C", 119, 9)}),
       Ln(78, "Bebidas analcohólicas elevado contenido azúcares (tasa 18%)", '+',
          {E("752", "C", 120, 9).Actualizacion(8, TC::C)}),
       Ln(79, "Notas Débito emitidas", '+', {E("545", "C", 121, 9)}),
       Ln(80, "Notas Crédito emitidas por Facturas", '-', {E("546", "C", 122, 9)}),
       Ln(81, "Notas Crédito emitidas por Vales de máquinas autorizadas por el Servicio", '-', {E("710", "C", 123, 0)}),
       Ln(82, "Total Débitos Art. 42 DL 825/74", '=', {C("602")}),
       Ln(83, "Pisco, Licores, Whisky y Aguardiente (tasa 31,5%)", '+', {E("575", "C", 124, 9), E("576", "C", 125, 9)}),
       Ln(84, "Vinos, Champaña. Chichas (tasa 20,5%)", '+', {E("574", "C", 126, 9), E("33", "C", 127, 9)}),
       Ln(85, "Cervezas (tasa 20,5%)", '+', {E("580", "C", 128, 9), E("149", "C", 129, 9)}),
       Ln(86, "Bebidas analcohólicas (tasa 10%)", '+', {E("582", "C", 130, 9), E("85", "C", 132, 9)}),
       Ln(87, "Bebidas analcohólicas elevado contenido azúcares (tasa 18%)", '+',
          {E("753", "C", 131, 9).Actualizacion(9, TC::C), E("754", "C", 133, 9).Actualizacion(10, TC::C)}),
       Ln(88, "Notas Débito recibidas", '+', {E("551", "C", 134, 9)}),
       Ln(89, "Notas Crédito recibidas", '-', {E("559", "C", 135, 9)}),
       Ln(90, "Remanente crédito Art.42 mes anterior", '+', {E("508", "C", 136, 9)}),
       Ln(91, "Devolución Art. 36 D.L.825/74 relativas impuesto Art.42", '-', {E("533", "C", 137, 9)}),
       Ln(92, "Monto reintegrado devoluciones indebidas de crédito por exportaciones", '+', {E("552", "C", 138, 9)}),
       Ln(93, "Total Créditos Art. 44 DL 825/74", '=', {C("603")}),
       Ln(94, "Remanente crédito Impuesto Adic. Art.42 para período siguiente", '+',
          {C("507"), C("506").Propio("Impuesto Adicional Art.42 determi...")})}));
  secciones.push_back(
      Seccion(Pagina::Reverso, "Cambio Sujeto D.L. 825/74",
              {Ln(95, "IVA anticipado del período", '+', {E("556", "C", 139, 9)}),
               Ln(96, "Remanente del mes anterior", '+', {E("557", "C", 140, 9)}),
               Ln(97, "Devolución del mes anterior", '-', {E("558", "C", 141, 9)}),
               Ln(98, "Total de Anticipo", '=', {C("543")}),
               Ln(99, "Remanente Anticipos Cambio Sujeto para período siguiente", '+',
                  {C("573"), C("598").Propio("Anticipo a imputar")}),
               Ln(100, "IVA total retenido a terceros (tasa Art. 14 DL 825/74)", '+', {E("39", "C", 142, 9)}),
               Ln(101, "IVA parcial retenido a terceros(según tasa)", '+', {E("554", "C", 143, 9)}),
               Ln(102, "IVA Retenido por notas de crédito emitidas", '-', {E("736", "C", 144, 9)}),
               Ln(103, "Retención de margen de comercialización", '+', {E("597", "C", 145, 9)}),
               Ln(104, "Retención Anticipo de Cambio de Sujeto", '+',
                  {E("555", "C", 146, 9), C("596").Propio("Retención Cambio de Sujeto")})}));
  secciones.push_back(
      Seccion(Pagina::Reverso, "Créditos Especiales",
              {Ln(105, "Créditos por Sistemas Solares...", '-',
                  {E("725", "C", 147, 9, F::SinClic), E("737", "C", 148, 9).Etiqueta("Remanente mes anterior"),
                   C("727").Etiqueta("Total Crédito")}),
               Ln(106, "Impuesto del Pago Patente Aguas...", '-',
                  {E("704", "C", 149, 9), E("705", "C", 150, 9).Etiqueta("Remanente mes anterior"),
                   C("706").Etiqueta("Total Crédito")}),
               Ln(107, "Cotización Adicional Ley N° 18.566", '-',
                  {E("160", "C", 151, 9), E("161", "C", 152, 9).Etiqueta("Remanente mes anterior"),
                   C("570").Etiqueta("Total Crédito")}),
               Ln(108, "Crédito Especial Empresas Cons...", '-',
                  {E("126", "C", 153, 9), E("128", "C", 154, 9).Etiqueta("Remanente mes anterior"),
                   C("571").Etiqueta("Total Crédito")}),
               Ln(109, "Recuperación de Peajes Transpor...", '-',
                  {E("572", "C", 155, 9), E("568", "C", 156, 9).Etiqueta("Remanente mes anterior"),
                   C("590").Etiqueta("Total Crédito")})}));
  secciones.push_back(Seccion(
      Pagina::Reverso, "",
      {Ln(110, "Total Determinado", '=', {C("547").Campo("Cod547Mostrar").Presenta(Presentacion::TextoDerecha)}),
       Ln(111, "Remanente por Crédito por Sistemas Sociales Térmicos Ley N° 20.365", ' ', {C("728")}),
       Ln(112, "Remanente período siguiente Patente Agua, Ley N° 20.017/05", ' ', {C("707")}),
       Ln(113, "Remanente Cotización Adicional Ley N° 18.566/86", ' ', {C("73")}),
       Ln(114, "Remanente Crédito Especial Empresas", ' ', {C("130")}),
       Ln(115, "Remanente Recuperación de Peajes Transportistas Pasajeros Ley N° 19.764", ' ', {C("591")})}));
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
           A("313", "L", 173, 9, F::NumerosIdentificacion, "RUTContador", "Rut Contrador").Presenta(Presentacion::Rut),
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
