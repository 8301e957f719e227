#include "general/errores.h"

QString TextoMensajeError(const QString& mensaje) {
  if (!mensaje.isEmpty() && mensaje.back() > QLatin1Char('.')) return mensaje + QLatin1Char('.');
  return mensaje;
}

QString MensajeDeExcepcion(const std::exception& e) {
  if (auto* propio = dynamic_cast<const ErrorAlcabala*>(&e)) return propio->Mensaje();
  return QString::fromUtf8(e.what());
}

void LanzarFueraDeRango() {
  throw ErrorCalculo(QStringLiteral("El resultado del cálculo excede el rango de los montos."));
}
