#pragma once
// "Ajustar Impresión": the calibration of each printer for the pre-printed
// form. The user picks a printer (the default one first), sets how far the
// front and back printouts move on it (millimetres, positive right and down),
// may print a test page with those offsets, and saves them with "&Aceptar".
// Offsets changed for several printers are all saved together.

#include <QDialog>
#include <QHash>
#include <QLocale>
#include <QStringList>
#include <functional>

#include "reports/calibracion.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

class TFormAjusteImpresion : public QDialog {
  Q_OBJECT

 public:
  // Prints the test page on a printer with the offsets shown.
  using ImpresionPrueba = std::function<void(const QString& impresora, const Calibracion& calibracion)>;

  TFormAjusteImpresion(const QStringList& impresoras, const QString& predeterminada, const QLocale& locale,
                       QWidget* parent = nullptr);

  // Replaces the printing of the test page (tests); empty: the real printer.
  void PonerImpresionPrueba(ImpresionPrueba imprimir) { imprimirPrueba_ = std::move(imprimir); }

  QComboBox* ComboBoxImpresora = nullptr;
  QDoubleSpinBox* EditHorizontal = nullptr;
  QDoubleSpinBox* EditVertical = nullptr;
  QLabel* LabelSinImpresoras = nullptr;  // "No hay ninguna impresora instalada."
  QPushButton* ButtonPrueba = nullptr;   // "Imprimir Prueba"
  QPushButton* ButtonAceptar = nullptr;
  QPushButton* ButtonCancelar = nullptr;

 private:
  void ComboBoxImpresoraChange();
  void ButtonPruebaClick();
  void ButtonAceptarClick();
  void RecordarValores();
  Calibracion Valores() const;

  QLocale locale_;
  QString actual_;                          // the printer whose offsets are shown
  QHash<QString, Calibracion> pendientes_;  // offsets shown so far, by printer
  ImpresionPrueba imprimirPrueba_;
};
