#include "app/progresoescaneo.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/controles/comando.h"

VentanaProgresoEscaneo::VentanaProgresoEscaneo(QWidget* padre, int retardoMs)
    : QDialog(padre), retardoMs_(retardoMs) {
  setObjectName(QStringLiteral("VentanaProgresoEscaneo"));
  setWindowTitle(TituloAplicacion());
  setWindowModality(Qt::ApplicationModal);
  etiqueta_ = new QLabel(this);
  etiqueta_->setMinimumWidth(260);
  barra_ = new QProgressBar(this);
  barra_->setTextVisible(false);
  botonCancelar_ = new QPushButton(QStringLiteral("Cancelar"), this);
  botonCancelar_->setObjectName(QStringLiteral("ButtonCancelar"));
  botonCancelar_->setDefault(true);
  connect(botonCancelar_, &QPushButton::clicked, this, &VentanaProgresoEscaneo::reject);
  auto* disposicion = new QVBoxLayout(this);
  disposicion->addWidget(etiqueta_);
  disposicion->addWidget(barra_);
  disposicion->addWidget(botonCancelar_, 0, Qt::AlignHCenter);
  reloj_.start();
}

QString VentanaProgresoEscaneo::TextoProgreso(int leidos, int total) {
  return QStringLiteral("Leyendo archivo %1 de %2").arg(std::min(leidos + 1, total)).arg(total);
}

bool VentanaProgresoEscaneo::Avanzar(int leidos, int total) {
  if (cancelado_) return false;
  if (!isVisible() && reloj_.elapsed() >= retardoMs_) show();
  if (!isVisible()) return true;
  etiqueta_->setText(TextoProgreso(leidos, total));
  barra_->setRange(0, std::max(total, 1));
  barra_->setValue(leidos);
  // The scan runs on this thread: let the window paint and hear "Cancelar"
  // (the window is modal, so nothing else can be clicked meanwhile).
  QCoreApplication::processEvents();
  return !cancelado_;
}

AvisoProgreso VentanaProgresoEscaneo::Aviso() {
  return [this](int leidos, int total) { return Avanzar(leidos, total); };
}

void VentanaProgresoEscaneo::reject() {
  cancelado_ = true;
  botonCancelar_->setEnabled(false);
}
