#include <gtest/gtest.h>

#include <limits>

#include "general/errores.h"
#include "general/redondeo.h"

namespace {

Moneda P(qint64 pesos) { return Moneda::DesdePesos(pesos); }
Moneda Crudo(qint64 c) { return Moneda::DesdeCrudo(c); }

TEST(RedondearPesos, EmpatesAlPar) {
  EXPECT_EQ(RedondearPesos(Crudo(5000)), P(0));
  EXPECT_EQ(RedondearPesos(Crudo(15000)), P(2));
  EXPECT_EQ(RedondearPesos(Crudo(25000)), P(2));
  EXPECT_EQ(RedondearPesos(Crudo(-15000)), P(-2));
  EXPECT_EQ(RedondearPesos(Crudo(-25000)), P(-2));
  EXPECT_EQ(RedondearPesos(Crudo(-5000)), P(0));
}

TEST(RedondearPesos, FueraDelEmpateAlMasCercano) {
  EXPECT_EQ(RedondearPesos(Crudo(5001)), P(1));
  EXPECT_EQ(RedondearPesos(Crudo(24999)), P(2));
  EXPECT_EQ(RedondearPesos(Crudo(-5001)), P(-1));
  EXPECT_EQ(RedondearPesos(P(123456789)), P(123456789));
}

TEST(MultiplicarTasa, ProductoExactoConCuatroDecimales) {
  // 12,345 × 2.5 = 30,862.5 exactly.
  EXPECT_EQ(MultiplicarTasa(P(12345), 2.5), Crudo(308625000));
  // 0.0001 × 0.5 = 0.00005: a tie at the fifth decimal goes to the even 0.0000.
  EXPECT_EQ(MultiplicarTasa(Crudo(1), 0.5), Crudo(0));
  // 0.0003 × 0.5 = 0.00015: goes to the even 0.0002.
  EXPECT_EQ(MultiplicarTasa(Crudo(3), 0.5), Crudo(2));
  EXPECT_EQ(MultiplicarTasa(Crudo(-3), 0.5), Crudo(-2));
}

TEST(MultiplicarTasa, UsaElValorBinarioExactoDeLaTasa) {
  // 0.1f is 0.100000001490116…: 5,000 pesos give 500.0000074…, kept as 500.0000;
  // 0.1 (double) is 0.1000000000000000055…, just as close to 500.
  EXPECT_EQ(MultiplicarTasa(P(5000), static_cast<double>(0.1f)), P(500));
  // 0.3f is 0.300000011920928955…: 1,000,000 × 0.3f = 300,000.01192… → 300,000.0119.
  EXPECT_EQ(MultiplicarTasa(P(1000000), static_cast<double>(0.3f)), Crudo(3000000119));
  // The same with 0.3 (double) is 299,999.99999999998889… → 300,000.0000.
  EXPECT_EQ(MultiplicarTasa(P(1000000), 0.3), P(300000));
}

TEST(DividirPorCien, CuatroDecimalesEmpatesAlPar) {
  EXPECT_EQ(DividirPorCien(Crudo(308625000)), Crudo(3086250));
  EXPECT_EQ(DividirPorCien(Crudo(50)), Crudo(0));    // 0.00005 → 0.0000
  EXPECT_EQ(DividirPorCien(Crudo(150)), Crudo(2));   // 0.00015 → 0.0002
  EXPECT_EQ(DividirPorCien(Crudo(250)), Crudo(2));   // 0.00025 → 0.0002
  EXPECT_EQ(DividirPorCien(Crudo(-150)), Crudo(-2));
  EXPECT_EQ(DividirPorCien(Crudo(151)), Crudo(2));
}

TEST(LineaTasa, EjemplosDelFormulario) {
  EXPECT_EQ(LineaTasa(P(100), 0.5, P(0)), P(0));        // 0.5 → 0
  EXPECT_EQ(LineaTasa(P(300), 0.5, P(0)), P(2));        // 1.5 → 2
  EXPECT_EQ(LineaTasa(P(500), 0.5, P(0)), P(2));        // 2.5 → 2
  EXPECT_EQ(LineaTasa(P(12345), 2.5, P(0)), P(309));    // 308.625 → 309
  EXPECT_EQ(LineaTasa(P(12345), 2.5, P(400)), P(-91));  // -91.375 → -91, not clamped
  EXPECT_EQ(LineaTasa(P(300), 0.5, P(3)), P(-2));       // -1.5 → -2
}

TEST(LineaTasa, CadaRedondeoCuentaPorSiMismo) {
  const double decimo = static_cast<double>(0.1f);
  // The product's four decimals absorb 0.1f's excess: 500 × 0.1f = 50.0000000745
  // is kept as 50.0000, so the line is the tie 0.5, which goes to 0 (one
  // rounding of the exact value would give 1).
  EXPECT_EQ(LineaTasa(P(500), decimo, P(0)), P(0));
  // On a large base the excess survives: 3,355,450.05 ÷ 100 = 33,554.5005 → 33,555,
  // where the decimal rate 0.1 gives the tie 33,554.5 → 33,554.
  EXPECT_EQ(LineaTasa(P(33554500), decimo, P(0)), P(33555));
  EXPECT_EQ(LineaTasa(P(33554500), 0.1, P(0)), P(33554));
  // The quotient's four decimals: 117,500 × 0.02f = 2,349.9999 (kept), ÷ 100 =
  // 23.499999 kept as 23.5000, a tie that goes to 24 (the exact quotient gives 23).
  EXPECT_EQ(MultiplicarTasa(P(117500), static_cast<double>(0.02f)), Crudo(23499999));
  EXPECT_EQ(LineaTasa(P(117500), static_cast<double>(0.02f), P(0)), P(24));
}

TEST(DividirPorTasaPorcentual, BaseDeIngresos) {
  EXPECT_EQ(DividirPorTasaPorcentual(P(190000), 19.0), P(1000000));
  // 10,000 ÷ 19 = 526.315789… → 526.3158.
  EXPECT_EQ(DividirPorTasaPorcentual(P(100), 19.0), Crudo(5263158));
  // 1 ÷ 8 × 100 ÷ 100 with ties: 0.0001 × 100 ÷ 16 = 0.000625 → 0.0006.
  EXPECT_EQ(DividirPorTasaPorcentual(Crudo(1), 16.0), Crudo(6));
  EXPECT_EQ(DividirPorTasaPorcentual(Crudo(-1), 16.0), Crudo(-6));
  EXPECT_THROW(DividirPorTasaPorcentual(P(1), 0.0), ErrorAlcabala);
  EXPECT_THROW(DividirPorTasaPorcentual(P(1), std::numeric_limits<double>::quiet_NaN()), ErrorAlcabala);
}

TEST(ReajusteUtm, EjemploYEmpates) {
  EXPECT_EQ(CentesimosDeUtm(P(1000000), 36000.0), 2778);
  EXPECT_EQ(PesosDeCentesimosUtm(2778, 36200.0), P(1005636));
  // 50 pesos at a UTM of 10,000 is 0.5 hundredths → 0; 150 → 2; 250 → 2.
  EXPECT_EQ(CentesimosDeUtm(P(50), 10000.0), 0);
  EXPECT_EQ(CentesimosDeUtm(P(150), 10000.0), 2);
  EXPECT_EQ(CentesimosDeUtm(P(250), 10000.0), 2);
  // 1 hundredth at 50 pesos is 0.5 → 0; 3 hundredths at 50 is 1.5 → 2.
  EXPECT_EQ(PesosDeCentesimosUtm(1, 50.0), P(0));
  EXPECT_EQ(PesosDeCentesimosUtm(3, 50.0), P(2));
  EXPECT_EQ(PesosDeCentesimosUtm(5, 50.0), P(2));
  EXPECT_THROW(CentesimosDeUtm(P(1), 0.0), ErrorAlcabala);
}

TEST(Limites, MontosGrandesSinDesborde) {
  // The largest typed amount at a large rate is still exact.
  EXPECT_EQ(LineaTasa(P(999999999), 99.99, P(0)), P(999899999));  // 999,899,999.0001 → …999
  EXPECT_EQ(DividirPorTasaPorcentual(P(8999999991LL), 19.0), Crudo(473684210052632LL));
  const Moneda maximo = Moneda::DesdeCrudo(std::numeric_limits<qint64>::max());
  EXPECT_THROW(MultiplicarTasa(maximo, 2.0), ErrorAlcabala);
  EXPECT_THROW(RedondearPesos(maximo), ErrorAlcabala);
  EXPECT_THROW(MultiplicarTasa(P(1), std::numeric_limits<double>::infinity()), ErrorAlcabala);
  // A tiny rate gives nothing, not garbage.
  EXPECT_EQ(MultiplicarTasa(P(999999999), 1e-300), Crudo(0));
  EXPECT_EQ(MultiplicarTasa(P(1), 0.0), Crudo(0));
}

}  // namespace
