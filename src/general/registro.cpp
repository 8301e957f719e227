#include "general/registro.h"

#include "general/errores.h"

namespace {
[[noreturn]] void SinPosiciones() {
  throw ErrorAlcabala(QStringLiteral("El registro no tiene sus campos por posición."));
}
}  // namespace

const QVariant& Registro::ValorEn(int) const { SinPosiciones(); }

void Registro::AsignarEn(int, const QVariant&) { SinPosiciones(); }
