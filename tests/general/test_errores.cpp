// Guards that put state back never throw out of their destructors.

#include <gtest/gtest.h>

#include <stdexcept>

#include "general/errores.h"

TEST(RestaurarSinLanzar, GuardaElPrimerErrorSoloSiNoHayOtroEnCamino) {
  ASSERT_FALSE(TomarErrorDeRestauracion().has_value());
  RestaurarSinLanzar([] { throw ErrorAlcabala(QStringLiteral("uno")); });
  RestaurarSinLanzar([] { throw std::runtime_error("dos"); });
  RestaurarSinLanzar([] {});
  EXPECT_EQ(TomarErrorDeRestauracion(), std::optional<QString>(QStringLiteral("uno")));
  EXPECT_FALSE(TomarErrorDeRestauracion().has_value());

  // Restoring while unwinding from another error: that error goes on alone.
  struct Guarda {
    ~Guarda() {
      RestaurarSinLanzar([] { throw ErrorAlcabala(QStringLiteral("al volver")); });
    }
  };
  try {
    Guarda guarda;
    throw ErrorAlcabala(QStringLiteral("original"));
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "original");
  }
  EXPECT_FALSE(TomarErrorDeRestauracion().has_value());
}
