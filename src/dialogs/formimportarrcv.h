#pragma once
// The review of a registry import: box by box, the declaration's value, the
// registry's and the difference, and below them what was not incorporated.
// "Aplicar" accepts (the command then writes the values into the declaration
// being edited); "Cancelar" changes nothing. "Aplicar" is off when a box
// cannot take its value or the registry feeds no box.

#include <QDialog>
#include <QList>
#include <QLocale>

#include "rcv/aplicacion.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class TFormImportarRcv : public QDialog {
  Q_OBJECT

 public:
  TFormImportarRcv(const ResumenRcv& resumen, const QList<ComparacionRcv>& comparacion, const QLocale& locale,
                   QWidget* parent = nullptr);

  QLabel* LabelResumen = nullptr;
  QTableWidget* TablaCasillas = nullptr;
  QPlainTextEdit* MemoNoIncorporado = nullptr;
  QLabel* LabelProblemas = nullptr;
  QPushButton* ButtonAplicar = nullptr;
  QPushButton* ButtonCancelar = nullptr;

 private:
  void LlenarTabla(const QList<ComparacionRcv>& comparacion, const QLocale& locale);
};
