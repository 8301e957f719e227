#include "general/errores.h"

#include <exception>

namespace {

// The first restoring failure no command has reported yet.
thread_local std::optional<QString> errorDeRestauracion;

void AnotarErrorDeRestauracion(const QString& mensaje) {
  if (std::uncaught_exceptions() > 0) return;  // the error being thrown is the first
  if (!errorDeRestauracion) errorDeRestauracion = mensaje;
}

}  // namespace

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

void RestaurarSinLanzar(const std::function<void()>& restaurar) noexcept {
  try {
    restaurar();
  } catch (const std::exception& e) {
    AnotarErrorDeRestauracion(MensajeDeExcepcion(e));
  } catch (...) {
    AnotarErrorDeRestauracion(QStringLiteral("Se produjo un error inesperado"));
  }
}

std::optional<QString> TomarErrorDeRestauracion() {
  std::optional<QString> error;
  error.swap(errorDeRestauracion);
  return error;
}
