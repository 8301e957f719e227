#pragma once
// The calculation engine: every box of a declaration that follows from the
// stored boxes of the same row.
//
// Its core works on plain values: CalcularDeclaracion takes the inputs of one
// declaration (EntradasCalculo: amounts as Moneda, rates as double, the
// address-change mark, the period) and gives the 34 calculated amounts, each
// with a "could not compute" mark, and the six text fields
// (ResultadosCalculo); formulas.h numbers them. Which field of a record (or
// which column of a file) feeds each input, and which receives each result,
// depends only on the record's field names: a PlanCalculo resolves every name
// to a position once, and one plan serves every row of that layout.
//
// Reading a table straight into plain values:
//
//   const PlanCalculo plan(nombresDeColumnas);      // once per table layout
//   EntradasCalculo entradas;
//   ResultadosCalculo resultados;
//   for each row:
//     entradas.Limpiar();
//     for (int i = 0; i < plan.CantidadMontos(); ++i)
//       if (plan.PosicionMonto(i) >= 0) entradas.PonerMonto(i, <amount of that column>);
//     … likewise PosicionTasa, PosicionMarca, and PonerPeriodo from PosicionAno/PosicionMes …
//     CalcularDeclaracion(entradas, resultados, locale);
//     resultados.Monto(i), resultados.NoCalculada(i) for box CajasCalculadas()[i];
//     resultados.Texto(t) for field CamposTextoCalculados()[t].
//
// A column the layout lacks counts as null, that is 0; plan.Faltantes() names
// the ones that are not optional, which a record must have.
//
// ADODataSetAlcabalaCalcFields is the same calculation for any Registro: it
// reads the inputs, computes and writes the results by name, or by position
// (through a plan cached for the record's layout) when the record offers it.

#include <QList>
#include <QLocale>
#include <QStringList>
#include <memory>
#include <vector>

#include "declarations/motor/formulas.h"
#include "general/disposicioncampos.h"
#include "general/registro.h"
#include "general/tipocolumna.h"

// The 40 calculated fields of a declarations data set: the 34 calculated
// amounts (type C), the catalogue's calculated boxes in its order, and the six
// text fields (type W with their lengths).
QList<DefinicionCampo> CamposCalculadosAlcabala();

// Where each input and result of the formulas stands in one layout of fields.
class PlanCalculo {
 public:
  // The layout's field (or column) names, in order; when a name appears twice
  // the last one counts, as it does for a record's lookup by name.
  explicit PlanCalculo(const QStringList& campos);

  int CantidadMontos() const { return static_cast<int>(montos_.size()); }
  int CantidadTasas() const { return static_cast<int>(tasas_.size()); }
  int CantidadCalculadas() const { return static_cast<int>(calculadas_.size()); }
  // Position of input amount i, rate i, the mark, the year and the month, of
  // result i and of text t; -1 when the layout lacks that field.
  int PosicionMonto(int i) const { return montos_[static_cast<size_t>(i)]; }
  int PosicionTasa(int i) const { return tasas_[static_cast<size_t>(i)]; }
  int PosicionMarca() const { return marca_; }
  int PosicionAno() const { return ano_; }
  int PosicionMes() const { return mes_; }
  int PosicionCalculada(int i) const { return calculadas_[static_cast<size_t>(i)]; }
  int PosicionTexto(TextoCalculado t) const { return textos_[static_cast<size_t>(t)]; }
  // The inputs the layout lacks that are not optional (a declaration's row has
  // them all), in the order of the formulas.
  const QStringList& Faltantes() const { return faltantes_; }

 private:
  std::vector<int> montos_;
  std::vector<int> tasas_;
  int marca_ = -1;
  int ano_ = -1;
  int mes_ = -1;
  std::vector<int> calculadas_;
  std::vector<int> textos_;
  QStringList faltantes_;
};

// The plan of a layout, made the first time it is asked for and kept for the
// next rows of the same layout (a few layouts at a time).
std::shared_ptr<const PlanCalculo> PlanDeDisposicion(const DisposicionCampos& disposicion);

// The core: every calculated box of one declaration. A step whose result would
// exceed the range of the amounts (only stored values no keyboard can type
// reach it) leaves its boxes not computed, and so is every box that follows
// from them; the others are calculated as usual. Never fails.
void CalcularDeclaracion(const EntradasCalculo& entradas, ResultadosCalculo& resultados, const QLocale& locale);

// Computes every calculated field of the record's current row. Boxes 759, 757,
// 760, 752 and 754 enter only when the record has a field of that name. A box
// that could not be computed is left null (see CalcularDeclaracion).
void ADODataSetAlcabalaCalcFields(Registro& registro, const QLocale& locale);

// The codes of the calculated amounts the engine left null on the record's
// row ("537", "89", …), in the order of the calculated fields; empty when
// every box was computed.
QStringList CajasNoCalculadas(const Registro& registro);

// "No se pudieron calcular las casillas 538, 89 de <Mes> del <año>: el
// resultado excede el rango de los montos." for the boxes given ("No se pudo
// calcular la casilla 538 …" for one).
QString MensajeCajasNoCalculadas(const QStringList& cajas, int ano, int mes);
