// Reading a column straight from a statement gives what a data set reads
// from the same stored value, for every type and every storage class.

#include <gtest/gtest.h>

#include <memory>

#include "general/moneda.h"
#include "storage/formato/valorcolumna.h"

namespace {

// Gathers what the reader hands over, as a record would hold it.
struct Recogida : VisitanteVariant<Recogida> {
  void Valor(const QVariant& leido) { valor = leido; }
  QVariant valor;
};

// Equal values of the same type (amounts compared exactly).
bool Iguales(const QVariant& a, const QVariant& b) {
  if (a.isValid() != b.isValid()) return false;
  if (!a.isValid()) return true;
  if (a.metaType() != b.metaType()) return false;
  if (a.metaType() == QMetaType::fromType<Moneda>()) return a.value<Moneda>().Crudo() == b.value<Moneda>().Crudo();
  return a == b;
}

using Base = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;

TEST(ValorColumna, LeerColumnaComoLoLeeUnDataSet) {
  sqlite3* abierta = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &abierta), SQLITE_OK);
  const Base base(abierta, &sqlite3_close);
  // One column per storage class and edge: null, integers, reals, ASCII and
  // non-ASCII texts, a number as text, a blob.
  const char* sql =
      "SELECT NULL, 7, -32768, 123456789012, 0, -3.5, 2.0, 0.0, 'abc', 'ñandú', '12', '', x'0102'";
  sqlite3_stmt* preparada = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(base.get(), sql, -1, &preparada, nullptr), SQLITE_OK);
  const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> fila(preparada, &sqlite3_finalize);
  ASSERT_EQ(sqlite3_step(fila.get()), SQLITE_ROW);
  const QList<DefinicionCampo> campos = {
      {QStringLiteral("s"), TipoColumna::S, 0, false}, {QStringLiteral("l"), TipoColumna::L, 0, false},
      {QStringLiteral("c"), TipoColumna::C, 0, false}, {QStringLiteral("f"), TipoColumna::F, 0, false},
      {QStringLiteral("b"), TipoColumna::B, 0, false}, {QStringLiteral("w"), TipoColumna::W, 6, false},
      {QStringLiteral("w0"), TipoColumna::W, 0, false}, {QStringLiteral("w2"), TipoColumna::W, 2, false},
  };
  for (const DefinicionCampo& campo : campos) {
    for (int columna = 0; columna < sqlite3_column_count(fila.get()); ++columna) {
      Recogida recogida;
      LeerColumna(fila.get(), columna, campo, recogida);
      const QVariant esperado = LeerValorColumna(ValorCrudo(fila.get(), columna), campo);
      EXPECT_TRUE(Iguales(recogida.valor, esperado))
          << campo.nombre.toStdString() << " columna " << columna << ": " << recogida.valor.toString().toStdString()
          << " en vez de " << esperado.toString().toStdString();
    }
  }
}

TEST(ValorColumna, VisitarValorPorTipoDelCampo) {
  struct Caso {
    QVariant valor;
    TipoColumna tipo;
    QVariant esperado;
  };
  for (const Caso& caso : std::initializer_list<Caso>{
           {QVariant(), TipoColumna::C, QVariant()},
           {QVariant(41), TipoColumna::S, QVariant(41)},
           {QVariant(static_cast<qlonglong>(-7)), TipoColumna::L, QVariant(-7)},
           {QVariant::fromValue(Moneda::DesdeCrudo(15)), TipoColumna::C, QVariant::fromValue(Moneda::DesdeCrudo(15))},
           {QVariant(2.5), TipoColumna::C, QVariant::fromValue(Moneda::DesdeCrudo(25000))},  // a number as an amount
           {QVariant(1.25f), TipoColumna::F, QVariant(1.25f)},
           {QVariant(1), TipoColumna::B, QVariant(true)},
           {QVariant(QStringLiteral("Temuco")), TipoColumna::W, QVariant(QStringLiteral("Temuco"))},
       }) {
    Recogida recogida;
    VisitarValor(caso.valor, caso.tipo, recogida);
    EXPECT_TRUE(Iguales(recogida.valor, caso.esperado)) << caso.valor.toString().toStdString();
  }
}

TEST(ValorColumna, TextoRellenoHastaSuTamano) {
  EXPECT_EQ(TextoRelleno("ab", 2, 5), QStringLiteral("ab   "));
  EXPECT_EQ(TextoRelleno("ñ", 2, 3), QStringLiteral("ñ  "));  // characters, not bytes
  EXPECT_EQ(TextoRelleno("abcdef", 6, 3), QStringLiteral("abcdef"));  // never cut
  EXPECT_EQ(TextoRelleno("ab", 2, 0), QStringLiteral("ab"));
}

}  // namespace
