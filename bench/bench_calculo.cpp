// Speed of the calculation engine, in declarations per second:
//  - the core over plain values (what a reader of a file's columns calls),
//  - the calculation of a record that offers its fields by position (a plain
//    record, a data set's record),
//  - the calculation of a record known by name only (a hash of fields),
//  - a company report's 1,000 rows as plain records.
// A plausible declaration: every stored box filled, rates set.

#include <QElapsedTimer>
#include <QHash>
#include <QLocale>
#include <QVariant>
#include <cstdio>
#include <functional>
#include <vector>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/registro.h"
#include "general/registroplano.h"
#include "storage/dataset.h"

namespace {

// A declaration row held in a hash, known by name only.
class FilaMemoria : public Registro {
 public:
  FilaMemoria() {
    for (const ColumnaTabla& c : ColumnasAlcabalas()) valores_.insert(c.nombre, QVariant());
    for (const DefinicionCampo& c : CamposCalculadosAlcabala()) valores_.insert(c.nombre, QVariant());
  }
  QVariant Valor(const QString& campo) const override {
    const auto it = valores_.constFind(campo);
    if (it == valores_.constEnd()) throw ErrorAlcabala(QStringLiteral("Campo desconocido: ") + campo);
    return *it;
  }
  void Asignar(const QString& campo, const QVariant& valor) override {
    auto it = valores_.find(campo);
    if (it == valores_.end()) throw ErrorAlcabala(QStringLiteral("Campo desconocido: ") + campo);
    *it = valor;
  }
  bool TieneCampo(const QString& campo) const override { return valores_.contains(campo); }

 private:
  QHash<QString, QVariant> valores_;
};

// A plausible declaration: every amount column filled, rates set.
void Llenar(Registro& fila, int semilla) {
  qint64 n = 1000 + semilla;
  for (const ColumnaTabla& c : ColumnasAlcabalas()) {
    n = (n * 7919 + 13) % 9999991;
    if (c.tipo == TipoColumna::C) fila.Asignar(c.nombre, QVariant::fromValue(Moneda::DesdePesos(n * 37)));
    if (c.tipo == TipoColumna::F) fila.Asignar(c.nombre, QVariant(1.5f));
  }
  fila.Asignar(QStringLiteral("ano"), 2024);
  fila.Asignar(QStringLiteral("mes"), 1 + semilla % 12);
}

QList<DefinicionCampo> CamposAlmacenados() {
  QList<DefinicionCampo> campos;
  for (const ColumnaTabla& c : ColumnasAlcabalas()) campos.append({c.nombre, c.tipo, c.tamano, false});
  return campos;
}

RegistroPlano Plano() {
  RegistroPlano r;
  for (const DefinicionCampo& c : CamposAlmacenados() + CamposCalculadosAlcabala()) r.Agregar(c, QVariant());
  return r;
}

double Segundos(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e9; }

void Medir(const char* que, int vueltas, const std::function<void()>& calculo) {
  calculo();  // plans, caches and the formulas themselves made before the clock runs
  QElapsedTimer reloj;
  reloj.start();
  for (int i = 0; i < vueltas; ++i) calculo();
  const double s = Segundos(reloj);
  std::printf("%-52s %9d cálculos: %.3f s, %10.0f declaraciones/s, %6.3f µs por declaración\n", que, vueltas, s,
              vueltas / s, s * 1e6 / vueltas);
}

}  // namespace

int main() {
  const QLocale locale(QLocale::Spanish, QLocale::Chile);

  // The core over plain values, read once from a filled record.
  RegistroPlano plano = Plano();
  Llenar(plano, 0);
  const PlanCalculo plan(plano.Campos());
  EntradasCalculo entradas;
  for (int i = 0; i < plan.CantidadMontos(); ++i)
    if (plan.PosicionMonto(i) >= 0) entradas.PonerMonto(i, plano.ValorEn(plan.PosicionMonto(i)).value<Moneda>());
  for (int i = 0; i < plan.CantidadTasas(); ++i) entradas.PonerTasa(i, plano.ValorEn(plan.PosicionTasa(i)).toDouble());
  entradas.PonerPeriodo(2024, 1);
  ResultadosCalculo resultados;
  Medir("núcleo sobre valores simples", 2000000, [&] { CalcularDeclaracion(entradas, resultados, locale); });

  Medir("registro plano (por posición)", 500000, [&] { ADODataSetAlcabalaCalcFields(plano, locale); });

  DataSet memoria(CamposAlmacenados(), QString());
  memoria.DefinirCalculados(CamposCalculadosAlcabala(), nullptr);
  memoria.Abrir();
  memoria.Agregar();
  Llenar(memoria, 0);
  memoria.Guardar();
  Medir("registro de un conjunto de datos (por posición)", 500000,
        [&] { ADODataSetAlcabalaCalcFields(memoria, locale); });

  FilaMemoria porNombre;
  Llenar(porNombre, 0);
  Medir("registro conocido solo por nombre (tabla hash)", 100000,
        [&] { ADODataSetAlcabalaCalcFields(porNombre, locale); });

  std::vector<RegistroPlano> filas(1000, Plano());
  for (int i = 0; i < 1000; ++i) Llenar(filas[i], i);
  const int pasadas = 200;
  QElapsedTimer reloj;
  reloj.start();
  for (int p = 0; p < pasadas; ++p)
    for (RegistroPlano& f : filas) ADODataSetAlcabalaCalcFields(f, locale);
  const double s = Segundos(reloj);
  std::printf("informe de 1.000 filas (registros planos), %d pasadas: %.3f s, %.3f ms por informe, %.0f "
              "declaraciones/s\n",
              pasadas, s, s * 1e3 / pasadas, pasadas * 1000 / s);
  return 0;
}
