#pragma once
// Errors the program raises itself carry Spanish messages; errors of SQLite,
// libxml2 and libcurl travel with their own text.

#include <QString>
#include <functional>
#include <optional>
#include <stdexcept>

class ErrorAlcabala : public std::runtime_error {
 public:
  explicit ErrorAlcabala(const QString& mensaje)
      : std::runtime_error(mensaje.toStdString()), mensaje_(mensaje) {}
  const QString& Mensaje() const { return mensaje_; }

 private:
  QString mensaje_;
};

// A calculation that cannot be carried out: a result beyond the range of the
// amounts, or a rate that is not a finite number. The calculation engine
// leaves the boxes that depend on it empty instead of failing the whole row.
class ErrorCalculo : public ErrorAlcabala {
 public:
  using ErrorAlcabala::ErrorAlcabala;
};

// Raises ErrorCalculo with "El resultado del cálculo excede el rango de los
// montos."
[[noreturn]] void LanzarFueraDeRango();

// Code that puts state back on the way out of a scope (a guard's destructor)
// must never throw: it runs through RestaurarSinLanzar, which catches what it
// raises. When another error is already on its way (the scope is being left
// because of it) that first error is the one the user sees; otherwise the
// failure is kept, the first one only, until the command wrapper takes it.
void RestaurarSinLanzar(const std::function<void()>& restaurar) noexcept;

// The first restoring failure kept since the last call, which forgets it.
std::optional<QString> TomarErrorDeRestauracion();

// The text of the standard error box: the message, with a full stop appended
// when its last character sorts after "." in character-code order.
QString TextoMensajeError(const QString& mensaje);

// The message of any exception, for the standard error box.
QString MensajeDeExcepcion(const std::exception& e);
