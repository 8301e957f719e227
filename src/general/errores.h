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

// The text of the standard error box: the message, with a full stop appended
// when its last character sorts after "." in character-code order.
QString TextoMensajeError(const QString& mensaje);

// The message of any exception, for the standard error box.
QString MensajeDeExcepcion(const std::exception& e);
