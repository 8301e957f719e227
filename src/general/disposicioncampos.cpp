#include "general/disposicioncampos.h"

#include <atomic>

#include "general/errores.h"

DisposicionCampos::DisposicionCampos() : identidad_(NuevaIdentidad()) {}

DisposicionCampos::DisposicionCampos(const QList<DefinicionCampo>& campos) : DisposicionCampos() {
  campos_.reserve(campos.size());
  for (const DefinicionCampo& campo : campos) {
    posicion_.insert(campo.nombre, static_cast<int>(campos_.size()));
    campos_.append(campo);
  }
}

DisposicionCampos::DisposicionCampos(const DisposicionCampos& otra)
    : identidad_(NuevaIdentidad()), campos_(otra.campos_), posicion_(otra.posicion_) {}

quint64 DisposicionCampos::NuevaIdentidad() {
  static std::atomic<quint64> siguiente{1};
  return siguiente.fetch_add(1, std::memory_order_relaxed);
}

QStringList DisposicionCampos::Nombres() const {
  QStringList nombres;
  nombres.reserve(campos_.size());
  for (const DefinicionCampo& campo : campos_) nombres << campo.nombre;
  return nombres;
}

int DisposicionCampos::PosicionExistente(const QString& nombre) const {
  const auto encontrado = posicion_.constFind(nombre);
  if (encontrado == posicion_.constEnd())
    throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(nombre));
  return *encontrado;
}

void DisposicionCampos::Agregar(const DefinicionCampo& campo) {
  posicion_.insert(campo.nombre, static_cast<int>(campos_.size()));
  campos_.append(campo);
  identidad_ = NuevaIdentidad();
}
