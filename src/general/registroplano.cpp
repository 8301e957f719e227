#include "general/registroplano.h"

#include "general/errores.h"

namespace {
[[noreturn]] void CampoDesconocido(const QString& campo) {
  throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo));
}
}  // namespace

void RegistroPlano::Agregar(const QString& campo, const QVariant& valor) {
  if (!valores_.contains(campo)) campos_.append(campo);
  valores_.insert(campo, valor);
}

QVariant RegistroPlano::Valor(const QString& campo) const {
  const auto encontrado = valores_.constFind(campo);
  if (encontrado == valores_.constEnd()) CampoDesconocido(campo);
  return *encontrado;
}

void RegistroPlano::Asignar(const QString& campo, const QVariant& valor) {
  const auto encontrado = valores_.find(campo);
  if (encontrado == valores_.end()) CampoDesconocido(campo);
  *encontrado = valor;
}
