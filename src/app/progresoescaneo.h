#pragma once
// The modal progress window of a long company scan. It stays hidden while
// the scan is quick and appears once the scan has run for about a second
// (hundreds of files on a network share), counting the files read
// ("Leyendo archivo 120 de 800") and offering "Cancelar", which ends the
// scan: the command then shows nothing and its table is emptied.

#include <QDialog>
#include <QElapsedTimer>

#include "reports/escaneo.h"

class QLabel;
class QProgressBar;
class QPushButton;

class VentanaProgresoEscaneo : public QDialog {
  Q_OBJECT

 public:
  static constexpr int RetardoPredeterminadoMs = 1000;

  // The time counts from construction: make it when the scan starts.
  explicit VentanaProgresoEscaneo(QWidget* padre, int retardoMs = RetardoPredeterminadoMs);

  // The scan's progress notice (see AvisoProgreso): shows the window when the
  // delay has passed, updates it and lets the user reach "Cancelar". False
  // once the user cancelled.
  bool Avanzar(int leidos, int total);
  // Avanzar as the scan's callback.
  AvisoProgreso Aviso();
  bool Cancelado() const { return cancelado_; }

  // "Leyendo archivo k de n", k being the file being read.
  static QString TextoProgreso(int leidos, int total);

 public slots:
  // Escape and the close button cancel, as "Cancelar" does.
  void reject() override;

 private:
  QLabel* etiqueta_ = nullptr;
  QProgressBar* barra_ = nullptr;
  QPushButton* botonCancelar_ = nullptr;
  QElapsedTimer reloj_;
  int retardoMs_;
  bool cancelado_ = false;
};
