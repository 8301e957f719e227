#pragma once
// Errors the program raises itself carry Spanish messages; errors of SQLite,
// libxml2 and libcurl travel with their own text.

#include <QString>
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

// The text of the standard error box: the message, with a full stop appended
// when its last character sorts after "." in character-code order.
QString TextoMensajeError(const QString& mensaje);

// The message of any exception, for the standard error box.
QString MensajeDeExcepcion(const std::exception& e);
