// Speed of the calculation engine: one declaration recomputed over and over
// (as while a box is edited), and 1,000 declarations as a company report
// computes them. Prints records per second.

#include <QElapsedTimer>
#include <QHash>
#include <QLocale>
#include <QVariant>
#include <cstdio>
#include <vector>

#include "declarations/calculo.h"
#include "declarations/catalogo.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/registro.h"

namespace {

// A declaration row held in a hash, as a data set's record buffer is.
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
void Llenar(FilaMemoria& fila, int semilla) {
  qint64 n = 1000 + semilla;
  for (const ColumnaTabla& c : ColumnasAlcabalas()) {
    n = (n * 7919 + 13) % 9999991;
    if (c.tipo == TipoColumna::C) fila.Asignar(c.nombre, QVariant::fromValue(Moneda::DesdePesos(n * 37)));
    if (c.tipo == TipoColumna::F) fila.Asignar(c.nombre, QVariant(1.5f));
  }
  fila.Asignar(QStringLiteral("ano"), 2024);
  fila.Asignar(QStringLiteral("mes"), 1 + semilla % 12);
}

double Segundos(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e9; }

}  // namespace

int main() {
  const QLocale locale(QLocale::Spanish, QLocale::Chile);

  FilaMemoria una;
  Llenar(una, 0);
  const int vueltas = 200000;
  QElapsedTimer reloj;
  reloj.start();
  for (int i = 0; i < vueltas; ++i) ADODataSetAlcabalaCalcFields(una, locale);
  const double s1 = Segundos(reloj);
  std::printf("una declaración, %d cálculos: %.3f s, %.0f registros/s, %.2f µs por registro\n", vueltas, s1,
              vueltas / s1, s1 * 1e6 / vueltas);

  std::vector<FilaMemoria> filas(1000);
  for (int i = 0; i < 1000; ++i) Llenar(filas[i], i);
  const int pasadas = 100;
  reloj.restart();
  for (int p = 0; p < pasadas; ++p)
    for (FilaMemoria& f : filas) ADODataSetAlcabalaCalcFields(f, locale);
  const double s2 = Segundos(reloj);
  std::printf("informe de 1.000 filas, %d pasadas: %.3f s, %.2f ms por informe, %.0f registros/s\n", pasadas, s2,
              s2 * 1e3 / pasadas, pasadas * 1000 / s2);
  return 0;
}
