#include "general/registroplano.h"

#include "general/errores.h"

void RegistroPlano::Agregar(const DefinicionCampo& campo, const QVariant& valor) {
  const auto encontrado = posicion_.constFind(campo.nombre);
  if (encontrado != posicion_.constEnd()) {
    valores_[*encontrado] = valor;
    return;
  }
  posicion_.insert(campo.nombre, static_cast<int>(campos_.size()));
  campos_.append(campo);
  valores_.append(valor);
}

QStringList RegistroPlano::Campos() const {
  QStringList nombres;
  nombres.reserve(campos_.size());
  for (const DefinicionCampo& campo : campos_) nombres << campo.nombre;
  return nombres;
}

int RegistroPlano::Indice(const QString& campo) const {
  const auto encontrado = posicion_.constFind(campo);
  if (encontrado == posicion_.constEnd())
    throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo));
  return *encontrado;
}

QVariant RegistroPlano::Valor(const QString& campo) const { return valores_.at(Indice(campo)); }

void RegistroPlano::Asignar(const QString& campo, const QVariant& valor) { valores_[Indice(campo)] = valor; }
