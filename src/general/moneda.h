#pragma once
// Exact money: the amount times 10,000 in 64 bits, the data file's currency.

#include <QMetaType>
#include <QtGlobal>

class Moneda {
 public:
  static constexpr qint64 Escala = 10000;

  constexpr Moneda() = default;
  static constexpr Moneda DesdeCrudo(qint64 crudo) { return Moneda(crudo); }
  static constexpr Moneda DesdePesos(qint64 pesos) {
    qint64 crudo = 0;
    if (__builtin_mul_overflow(pesos, Escala, &crudo)) FueraDeRango();
    return Moneda(crudo);
  }

  // The stored value: pesos × 10,000.
  constexpr qint64 Crudo() const { return crudo_; }
  // Whole pesos, truncated toward zero (amounts are whole in practice).
  constexpr qint64 Pesos() const { return crudo_ / Escala; }
  constexpr double ADouble() const { return static_cast<double>(crudo_) / Escala; }
  constexpr bool EsCero() const { return crudo_ == 0; }

  // Sums and differences never wrap around: a result beyond the range raises
  // ErrorCalculo ("El resultado del cálculo excede el rango de los montos.").
  constexpr Moneda operator+(Moneda o) const {
    qint64 r = 0;
    if (__builtin_add_overflow(crudo_, o.crudo_, &r)) FueraDeRango();
    return Moneda(r);
  }
  constexpr Moneda operator-(Moneda o) const {
    qint64 r = 0;
    if (__builtin_sub_overflow(crudo_, o.crudo_, &r)) FueraDeRango();
    return Moneda(r);
  }
  constexpr Moneda operator-() const { return Moneda() - *this; }
  Moneda& operator+=(Moneda o) { return *this = *this + o; }
  Moneda& operator-=(Moneda o) { return *this = *this - o; }

  constexpr bool operator==(Moneda o) const { return crudo_ == o.crudo_; }
  constexpr bool operator!=(Moneda o) const { return crudo_ != o.crudo_; }
  constexpr bool operator<(Moneda o) const { return crudo_ < o.crudo_; }
  constexpr bool operator<=(Moneda o) const { return crudo_ <= o.crudo_; }
  constexpr bool operator>(Moneda o) const { return crudo_ > o.crudo_; }
  constexpr bool operator>=(Moneda o) const { return crudo_ >= o.crudo_; }

 private:
  [[noreturn]] static void FueraDeRango();  // raises ErrorCalculo
  constexpr explicit Moneda(qint64 crudo) : crudo_(crudo) {}
  qint64 crudo_ = 0;
};

Q_DECLARE_METATYPE(Moneda)
