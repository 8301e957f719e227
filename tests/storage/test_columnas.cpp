// The field a declared column type is read as.

#include <gtest/gtest.h>

#include "storage/formato/columnas.h"

namespace {

struct Caso {
  const char* declarado;
  TipoColumna tipo;
  int tamano;
};

TEST(Columnas, TiposDeclaradosYTamanosDeTexto) {
  for (const Caso& caso : std::initializer_list<Caso>{
           {"SMALLINT", TipoColumna::S, 0},
           {"integer", TipoColumna::L, 0},
           {"CURRENCY", TipoColumna::C, 0},
           {" real ", TipoColumna::F, 0},
           {"BOOLEAN", TipoColumna::B, 0},
           {"NCHAR(50)", TipoColumna::W, 50},
           {" nchar ( 7 ) ", TipoColumna::W, 7},
           {"NCHAR\t(3\n)", TipoColumna::W, 3},
           {"NCHAR(99999999999)", TipoColumna::W, 0},  // no size that fits: unbounded
           // Not NCHAR(n): SQLite's affinity rules, a text without a size.
           {"NCHAR()", TipoColumna::W, 0},
           {"NCHAR(5)X", TipoColumna::W, 0},
           {"NCHAR(5", TipoColumna::W, 0},
           {"NCHARS(5)", TipoColumna::W, 0},
           {"NCHAR(-5)", TipoColumna::W, 0},
           {"BIGINT", TipoColumna::L, 0},
           {"DOUBLE", TipoColumna::F, 0},
           {"", TipoColumna::C, 0},
       }) {
    SCOPED_TRACE(caso.declarado);
    const DefinicionCampo campo = CampoDeColumna(QStringLiteral("Cod1"), QString::fromUtf8(caso.declarado));
    EXPECT_EQ(campo.nombre, "Cod1");
    EXPECT_EQ(campo.tipo, caso.tipo);
    EXPECT_EQ(campo.tamano, caso.tamano);
  }
}

}  // namespace
