#include "general/registroplano.h"

#include "general/errores.h"

RegistroPlano::RegistroPlano() : disposicion_(std::make_shared<DisposicionCampos>()) {}

RegistroPlano::RegistroPlano(std::shared_ptr<const DisposicionCampos> disposicion, QVariantList valores)
    : disposicion_(std::move(disposicion)), valores_(std::move(valores)) {
  if (!disposicion_ || valores_.size() != disposicion_->Cantidad())
    throw ErrorAlcabala(QStringLiteral("El registro no tiene un valor por campo."));
}

void RegistroPlano::Agregar(const DefinicionCampo& campo, const QVariant& valor) {
  const int posicion = disposicion_->Posicion(campo.nombre);
  if (posicion >= 0) {
    valores_[posicion] = valor;
    return;
  }
  // The layout may be shared: the new field goes into a copy, unless this
  // record holds the only reference, when it grows in place.
  std::shared_ptr<DisposicionCampos> propia = disposicion_.use_count() == 1
                                                  ? std::const_pointer_cast<DisposicionCampos>(disposicion_)
                                                  : std::make_shared<DisposicionCampos>(*disposicion_);
  propia->Agregar(campo);
  disposicion_ = std::move(propia);
  valores_.append(valor);
}

QStringList RegistroPlano::Campos() const { return disposicion_->Nombres(); }

const QList<DefinicionCampo>& RegistroPlano::Definiciones() const { return disposicion_->Campos(); }

QVariant RegistroPlano::Valor(const QString& campo) const { return valores_.at(disposicion_->PosicionExistente(campo)); }

void RegistroPlano::Asignar(const QString& campo, const QVariant& valor) {
  valores_[disposicion_->PosicionExistente(campo)] = valor;
}

bool RegistroPlano::TieneCampo(const QString& campo) const { return disposicion_->Tiene(campo); }
