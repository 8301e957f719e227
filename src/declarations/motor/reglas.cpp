#include "declarations/motor/reglas.h"

#include <cmath>

#include "general/errores.h"
#include "general/redondeo.h"
#include "general/valores.h"

namespace {

Moneda Leer(const Registro& r, const QString& campo) { return NuloACeroMoneda(r.Valor(campo)); }
void Escribir(Registro& r, const QString& campo, Moneda valor) { r.Asignar(campo, QVariant::fromValue(valor)); }

// The fields of one diesel line, found in the catalogue by the group and
// role declared at its boxes: cubic metres, base, variable component, total.
struct LineaDiesel {
  QString metros;
  QString base;
  QString variable;
  QString total;
};

LineaDiesel Linea(GrupoDiesel grupo) {
  const auto campo = [grupo](PapelDiesel papel) {
    const Caja* caja = CajaDiesel(grupo, papel);
    return caja != nullptr ? caja->campo : QString();
  };
  return {campo(PapelDiesel::Metros), campo(PapelDiesel::Base), campo(PapelDiesel::Variable),
          campo(PapelDiesel::Total)};
}

const LineaDiesel& LineaDe(GrupoDiesel grupo) {
  static const LineaDiesel debito = Linea(GrupoDiesel::Debito);
  static const LineaDiesel a = Linea(GrupoDiesel::A);
  static const LineaDiesel b = Linea(GrupoDiesel::B);
  switch (grupo) {
    case GrupoDiesel::A: return a;
    case GrupoDiesel::B: return b;
    default: return debito;
  }
}

// Text without the blanks that pad a fixed-length column, cut to a size.
QString TextoAjustado(const QVariant& valor, int tamano) {
  QString texto = NuloAVacio(valor);
  int fin = texto.size();
  while (fin > 0 && texto.at(fin - 1) == QLatin1Char(' ')) --fin;
  texto.truncate(fin);
  if (tamano > 0 && texto.size() > tamano) texto.truncate(tamano);
  return texto;
}

QVariant ValorCopiado(const QVariant& valor, TipoColumna tipo, int tamano) {
  if (tipo == TipoColumna::W) return TextoAjustado(valor, tamano);
  return QVariant(static_cast<int>(NuloACeroEntero(valor)));
}

int TamanoContribuyente(const QString& columna) {
  for (const ColumnaTabla& c : ColumnasContribuyente())
    if (c.nombre == columna) return c.tamano;
  return 0;
}

TipoColumna TipoContribuyente(const QString& columna, TipoColumna porDefecto) {
  for (const ColumnaTabla& c : ColumnasContribuyente())
    if (c.nombre == columna) return c.tipo;
  return porDefecto;
}

// The identification boxes: antecedentes boxes paired with a taxpayer column.
QList<const Caja*> Antecedentes() {
  QList<const Caja*> cajas;
  for (const Caja& caja : Catalogo())
    if (caja.clase == ClaseCaja::A && !caja.campoContribuyente.isEmpty()) cajas.append(&caja);
  return cajas;
}

}  // namespace

void CalcularCod563(Registro& d, double iva) {
  if (!std::isfinite(iva) || iva == 0.0)
    throw ErrorAlcabala(QStringLiteral("La tasa de IVA de los parámetros debe ser un número distinto de cero."));
  Escribir(d, CampoBaseIngresos(), BaseIngresos(d, iva));
}

void AplicarReglaDiesel(Registro& d, GrupoDiesel grupo) {
  if (grupo != GrupoDiesel::A && grupo != GrupoDiesel::B) return;
  const LineaDiesel& linea = LineaDe(grupo);
  const LineaDiesel& debito = LineaDe(GrupoDiesel::Debito);
  const Moneda base = Leer(d, linea.base);
  const Moneda variable = Leer(d, linea.variable);
  if (!(variable < Moneda() && -variable > base)) {
    Escribir(d, linea.total, base + variable);
    return;
  }
  const bool debitoVacio = NuloACeroDouble(d.Valor(debito.metros)) == 0.0 && Leer(d, debito.base).EsCero() &&
                           Leer(d, debito.variable).EsCero();
  if (!debitoVacio) return;
  d.Asignar(debito.metros, d.Valor(linea.metros));
  d.Asignar(debito.base, d.Valor(linea.base));
  // The debit line's variable box holds the variable component as a size, as
  // it is typed there, so line 20 adds the net of the moved credit (base -
  // variable), not base plus size.
  Escribir(d, debito.variable, -variable);
  d.Asignar(linea.metros, QVariant(0.0f));
  Escribir(d, linea.base, Moneda());
  Escribir(d, linea.variable, Moneda());
  Escribir(d, linea.total, Moneda());
}

void CopiarContribuyenteADeclaracion(const Registro& contribuyente, Registro& declaracion) {
  for (const Caja* caja : Antecedentes())
    declaracion.Asignar(caja->campo,
                        ValorCopiado(contribuyente.Valor(caja->campoContribuyente), caja->tipo, caja->tamano));
}

void CopiarDeclaracionAContribuyente(const Registro& declaracion, Registro& contribuyente) {
  for (const Caja* caja : Antecedentes()) {
    const QString& columna = caja->campoContribuyente;
    contribuyente.Asignar(columna, ValorCopiado(declaracion.Valor(caja->campo), TipoContribuyente(columna, caja->tipo),
                                                TamanoContribuyente(columna)));
  }
}

void VaciarAntecedentes(Registro& declaracion) {
  for (const Caja* caja : Antecedentes())
    declaracion.Asignar(caja->campo, caja->tipo == TipoColumna::W ? QVariant(QString()) : QVariant(0));
}

Moneda ReajustarSaldo(Moneda x, double utm1, double utm2) {
  if (!std::isfinite(utm1) || utm1 == 0.0)
    throw ErrorAlcabala(QStringLiteral("El valor de la UTM del mes debe ser distinto de cero."));
  return PesosDeCentesimosUtm(CentesimosDeUtm(x, utm1), utm2);
}

QList<ValorTrasladado> CalcularTraslado(const Registro* anterior, double utm1, double utm2) {
  QList<ValorTrasladado> valores;
  for (const Traslado& t : MapaTraslado()) {
    QVariant valor;
    if (t.modo == ModoTraslado::Tasa) {
      const double tasa = anterior ? NuloACeroDouble(anterior->Valor(t.origen)) : 0.0;
      valor = QVariant(static_cast<float>(tasa));
    } else {
      // A balance the engine could not compute (null) must not travel as zero.
      if (anterior && EsNulo(anterior->Valor(t.origen))) LanzarFueraDeRango();
      const Moneda saldo = !anterior ? Moneda()
                           : t.modo == ModoTraslado::Reajustado ? ReajustarSaldo(Leer(*anterior, t.origen), utm1, utm2)
                                                                 : Leer(*anterior, t.origen);
      valor = QVariant::fromValue(saldo);
    }
    valores.append({t.destino, valor});
  }
  return valores;
}
