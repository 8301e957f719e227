#pragma once
// Exact money: the amount times 10,000 in 64 bits, the data file's currency.

#include <QMetaType>
#include <QtGlobal>

class Moneda {
 public:
  static constexpr qint64 Escala = 10000;

  constexpr Moneda() = default;
  static constexpr Moneda DesdeCrudo(qint64 crudo) { return Moneda(crudo); }
  static constexpr Moneda DesdePesos(qint64 pesos) { return Moneda(pesos * Escala); }

  // The stored value: pesos × 10,000.
  constexpr qint64 Crudo() const { return crudo_; }
  // Whole pesos, truncated toward zero (amounts are whole in practice).
  constexpr qint64 Pesos() const { return crudo_ / Escala; }
  constexpr double ADouble() const { return static_cast<double>(crudo_) / Escala; }
  constexpr bool EsCero() const { return crudo_ == 0; }

  constexpr Moneda operator+(Moneda o) const { return Moneda(crudo_ + o.crudo_); }
  constexpr Moneda operator-(Moneda o) const { return Moneda(crudo_ - o.crudo_); }
  constexpr Moneda operator-() const { return Moneda(-crudo_); }
  Moneda& operator+=(Moneda o) { crudo_ += o.crudo_; return *this; }
  Moneda& operator-=(Moneda o) { crudo_ -= o.crudo_; return *this; }

  constexpr bool operator==(Moneda o) const { return crudo_ == o.crudo_; }
  constexpr bool operator!=(Moneda o) const { return crudo_ != o.crudo_; }
  constexpr bool operator<(Moneda o) const { return crudo_ < o.crudo_; }
  constexpr bool operator<=(Moneda o) const { return crudo_ <= o.crudo_; }
  constexpr bool operator>(Moneda o) const { return crudo_ > o.crudo_; }
  constexpr bool operator>=(Moneda o) const { return crudo_ >= o.crudo_; }

 private:
  constexpr explicit Moneda(qint64 crudo) : crudo_(crudo) {}
  qint64 crudo_ = 0;
};

Q_DECLARE_METATYPE(Moneda)
