#pragma once
// The formulas of the declaration, held in one place: the stored boxes the
// calculation reads, the boxes it computes and how (its steps, in order), the
// base of box 563 and the balances a new declaration carries forward. The
// calculation engine (calculo.h) runs these steps over plain values; the
// rules (reglas.h) apply the other two to a record.
//
// The formulas number their inputs and results: amount i of the inputs is the
// field MontosDeEntrada()[i], result i is box CajasCalculadas()[i], and so on.
// Those numbers are fixed for the program's run, whatever the record's layout.

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

#include "general/errores.h"
#include "general/moneda.h"
#include "general/registro.h"
#include "general/tipocolumna.h"

// A stored field the calculation reads. An optional one (a column later file
// layouts added) enters its sum only when the record has it; a record without
// it counts as if it held 0.
struct CampoDeEntrada {
  QString campo;
  bool opcional = false;
};

// The amounts read (Moneda; boxes held as doubles, such as 721 or 739, are
// read through NuloACeroMoneda like the others), by input number.
const QList<CampoDeEntrada>& MontosDeEntrada();
// The rates read (per cent, widened to double), by input number.
const QList<CampoDeEntrada>& TasasDeEntrada();
// The address-change mark the calculation shows (a boolean field).
const QString& CampoMarcaDeEntrada();

// The codes of the calculated amounts ("538", …), by result number: the order
// in which the steps compute them.
const QStringList& CajasCalculadas();

// The six text fields the calculation writes, by their number.
enum TextoCalculado {
  TextoDigitoMes1,         // first character of the month, right-aligned in two
  TextoDigitoMes2,         // second character of the month
  TextoAno,                // the year in decimal digits
  TextoNombreMes,          // the month's name
  TextoMarca,              // "X" when the address-change mark is set
  TextoTotalDeterminado,   // the total determined for display, negatives in brackets
  CantidadTextosCalculados
};
// Their fields (name, W, length), by TextoCalculado.
const QList<DefinicionCampo>& CamposTextoCalculados();

// The inputs of one declaration as plain values, numbered as above. A new
// object holds zeros, false and no period.
class EntradasCalculo {
 public:
  EntradasCalculo();

  void PonerMonto(int entrada, Moneda valor);
  // An amount the record holds but that has no Moneda (beyond its range): the
  // steps that read it cannot be carried out, the others are.
  void PonerMontoFueraDeRango(int entrada);
  // An amount as a record holds it, read by the null rule; one that has no
  // Moneda (a whole number too wide) is put beyond the range, as above.
  void PonerMontoLeido(int entrada, const QVariant& valor);
  void PonerTasa(int entrada, double valor) { tasas_[entrada] = valor; }
  void PonerMarca(bool valor) { marca_ = valor; }
  // The period; nullopt for a null year or month.
  void PonerPeriodo(std::optional<qint64> ano, std::optional<qint64> mes) {
    ano_ = ano;
    mes_ = mes;
  }
  // Everything back to zero, false and no period.
  void Limpiar();

  // An amount; raises ErrorCalculo for one beyond the range.
  Moneda Monto(int entrada) const {
    if (fueraDeRango_[entrada]) LanzarFueraDeRango();
    return montos_[entrada];
  }
  double Tasa(int entrada) const { return tasas_[entrada]; }
  bool Marca() const { return marca_; }
  std::optional<qint64> Ano() const { return ano_; }
  std::optional<qint64> Mes() const { return mes_; }

 private:
  std::vector<Moneda> montos_;
  std::vector<char> fueraDeRango_;
  std::vector<double> tasas_;
  bool marca_ = false;
  std::optional<qint64> ano_;
  std::optional<qint64> mes_;
};

// The results of one declaration: the calculated amounts by result number,
// each with the mark of a box that could not be computed (its result would
// exceed the range of the amounts, or it follows from such a box), and the
// six texts.
class ResultadosCalculo {
 public:
  ResultadosCalculo();

  // Every amount 0 and computed, every text empty.
  void Reiniciar();
  void Poner(int caja, Moneda valor) {
    montos_[caja] = valor;
    noCalculado_[caja] = false;
  }
  void MarcarNoCalculada(int caja) {
    montos_[caja] = Moneda();
    noCalculado_[caja] = true;
  }
  bool NoCalculada(int caja) const { return noCalculado_[caja]; }
  // A computed amount (0 for one not computed: see NoCalculada).
  Moneda Monto(int caja) const { return montos_[caja]; }
  // An amount an earlier step computed; raises ErrorCalculo for one it could
  // not, so nothing that follows from it is computed either.
  Moneda Calculada(int caja) const;

  const QString& Texto(TextoCalculado texto) const { return textos_[texto]; }
  void PonerTexto(TextoCalculado texto, const QString& valor) { textos_[texto] = valor; }

 private:
  std::vector<Moneda> montos_;
  std::vector<char> noCalculado_;
  QString textos_[CantidadTextosCalculados];
};

// One step of the calculation: the results it writes and how. A step whose
// arithmetic fails (ErrorCalculo) leaves every box it writes not computed.
struct PasoCalculo {
  std::vector<int> escribe;
  void (*calcular)(const EntradasCalculo&, ResultadosCalculo&);
};

// The steps in the order they run; a step reads only what earlier ones wrote.
const std::vector<PasoCalculo>& PasosCalculo();

// The six texts from the inputs and the amounts computed (a total determined
// that could not be computed shows empty).
void CalcularTextos(const EntradasCalculo& entradas, ResultadosCalculo& resultados, const QLocale& locale);

// --- Box 563 ---------------------------------------------------------------------

// The field of box 563, the gross-income base.
const QString& CampoBaseIngresos();
// Box 563 := the net sales whose IVA is the taxed sales of the record, at the
// IVA rate iva (per cent, not zero), plus the untaxed sales boxes: 20, 142,
// 732 (when the record has it), 715, 587 and 720.
Moneda BaseIngresos(const Registro& declaracion, double iva);

// --- Carry forward ------------------------------------------------------------------

// How a value travels to the next period.
enum class ModoTraslado {
  Tasa,        // a rate, copied
  Reajustado,  // an amount readjusted through the UTM of both months
  Nominal,     // an amount copied at face value
};

// One box a new declaration takes from the previous period.
struct Traslado {
  QString origen;   // field of the previous declaration
  QString destino;  // field of the new declaration
  ModoTraslado modo;
};

// The carry-forward map, in the order the new declaration is filled:
// 115, 542, 504, 540, 508, 557, 737, 705, 161, 128, 568, 722, 102, 813, 769.
const QList<Traslado>& MapaTraslado();
