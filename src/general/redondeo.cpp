#include "general/redondeo.h"

#include <cmath>
#include <limits>

#include "general/errores.h"

namespace {

__extension__ typedef __int128 Entero128;
__extension__ typedef unsigned __int128 Natural128;

// A finite double as mantisa × 2^exponente, the mantissa odd (or zero).
struct Binario {
  qint64 mantisa = 0;
  int exponente = 0;
};

[[noreturn]] void FueraDeRango() { LanzarFueraDeRango(); }

Binario Descomponer(double valor) {
  if (!std::isfinite(valor))
    throw ErrorCalculo(QStringLiteral("La tasa o el valor de la UTM no es un número válido."));
  Binario b;
  if (valor == 0.0) return b;
  int exponente = 0;
  const double fraccion = std::frexp(valor, &exponente);  // |fraccion| in [0.5, 1)
  // 53 bits hold every significant bit of a double: the product is exact.
  b.mantisa = static_cast<qint64>(std::ldexp(fraccion, 53));
  // The trailing zero bits go into the exponent (an exact division).
  const int ceros = __builtin_ctzll(static_cast<quint64>(b.mantisa));
  b.mantisa >>= ceros;
  b.exponente = exponente - 53 + ceros;
  return b;
}

// Significant bits of |v|.
int Bits(Entero128 v) {
  const Natural128 m = v < 0 ? Natural128(0) - Natural128(v) : Natural128(v);
  const quint64 alto = static_cast<quint64>(m >> 64);
  const quint64 bajo = static_cast<quint64>(m);
  if (alto != 0) return 128 - __builtin_clzll(alto);
  return bajo != 0 ? 64 - __builtin_clzll(bajo) : 0;
}

bool Cabe64(Entero128 v) {
  return v >= std::numeric_limits<qint64>::min() && v <= std::numeric_limits<qint64>::max();
}

// n ÷ d rounded to the nearest integer, ties to even. d ≠ 0.
Entero128 CocientePar(Entero128 n, Entero128 d) {
  if (d < 0) {
    n = -n;
    d = -d;
  }
  // Both usually fit in 64 bits, whose division is much quicker.
  const bool corto = Cabe64(n) && Cabe64(d);
  Entero128 q = corto ? Entero128(static_cast<qint64>(n) / static_cast<qint64>(d)) : n / d;
  const Entero128 r = corto ? Entero128(static_cast<qint64>(n) % static_cast<qint64>(d)) : n % d;  // sign of n
  const Entero128 resto = r < 0 ? -r : r;
  if (resto != 0) {
    const Entero128 falta = d - resto;
    if (resto > falta || (resto == falta && (q & 1) != 0)) q += n < 0 ? -1 : 1;
  }
  return q;
}

// n × 2^k ÷ d rounded to the nearest integer, ties to even.
// Callers keep |n| below 2^118 and 0 < |d| below 2^62, so a shift that would
// leave 126 bits means a quotient far beyond any amount.
Entero128 RedondearRacional(Entero128 n, Entero128 d, int k) {
  if (n == 0) return 0;
  if (k >= 0) {
    if (Bits(n) + k > 126) FueraDeRango();
    return CocientePar(n * (Entero128(1) << k), d);
  }
  const int desplazamiento = -k;
  // When d × 2^desplazamiento exceeds twice |n| the quotient is below one half.
  if (Bits(d) + desplazamiento > Bits(n) + 1) return 0;
  return CocientePar(n, d * (Entero128(1) << desplazamiento));
}

Moneda ACrudo(Entero128 crudo) {
  if (crudo > std::numeric_limits<qint64>::max() || crudo < std::numeric_limits<qint64>::min()) FueraDeRango();
  return Moneda::DesdeCrudo(static_cast<qint64>(crudo));
}

void ExigirDistintoDeCero(const Binario& b) {
  if (b.mantisa == 0) throw ErrorAlcabala(QStringLiteral("División por cero en el cálculo."));
}

}  // namespace

void Moneda::FueraDeRango() { LanzarFueraDeRango(); }

Moneda RedondearPesos(Moneda valor) {
  const Entero128 pesos = CocientePar(valor.Crudo(), Moneda::Escala);
  return ACrudo(pesos * Moneda::Escala);
}

namespace {
// monto × tasa kept to four decimals, in ten-thousandths, without the range
// limit of an amount: the rate lines divide it again before it is kept.
Entero128 ProductoTasa(Moneda monto, double tasa) {
  const Binario t = Descomponer(tasa);
  return RedondearRacional(Entero128(monto.Crudo()) * t.mantisa, 1, t.exponente);
}
}  // namespace

Moneda MultiplicarTasa(Moneda monto, double tasa) { return ACrudo(ProductoTasa(monto, tasa)); }

Moneda DividirPorCien(Moneda monto) { return ACrudo(CocientePar(monto.Crudo(), 100)); }

Moneda DividirPorTasaPorcentual(Moneda monto, double tasa) {
  const Binario t = Descomponer(tasa);
  ExigirDistintoDeCero(t);
  return ACrudo(RedondearRacional(Entero128(monto.Crudo()) * 100, t.mantisa, -t.exponente));
}

Moneda LineaTasa(Moneda base, double tasa, Moneda credito) {
  // The same steps and roundings as MultiplicarTasa, DividirPorCien and
  // RedondearPesos, on 128 bits: only the line's result must be an amount.
  const Entero128 neto = CocientePar(ProductoTasa(base, tasa), 100);
  const Entero128 diferencia = neto - credito.Crudo();
  return ACrudo(CocientePar(diferencia, Moneda::Escala) * Moneda::Escala);
}

qint64 CentesimosDeUtm(Moneda monto, double utm) {
  const Binario u = Descomponer(utm);
  ExigirDistintoDeCero(u);
  // monto × 100 ÷ utm with monto = crudo ÷ 10,000: crudo ÷ (100 × utm).
  const Entero128 c = RedondearRacional(monto.Crudo(), Entero128(100) * u.mantisa, -u.exponente);
  if (c > std::numeric_limits<qint64>::max() || c < std::numeric_limits<qint64>::min()) FueraDeRango();
  return static_cast<qint64>(c);
}

Moneda PesosDeCentesimosUtm(qint64 centesimos, double utm) {
  const Binario u = Descomponer(utm);
  const Entero128 pesos = RedondearRacional(Entero128(centesimos) * u.mantisa, 100, u.exponente);
  if (pesos > std::numeric_limits<qint64>::max() / Moneda::Escala ||
      pesos < std::numeric_limits<qint64>::min() / Moneda::Escala)
    FueraDeRango();
  return Moneda::DesdePesos(static_cast<qint64>(pesos));
}
