#pragma once
// Data-aware boxes of the form pages: each is bound by field name to a
// DataSet, shows the field's value of the current record and writes what the
// user changes back into that field. How each box reacts to clicks and keys
// (the input families) is attached from outside through the hooks below.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QString>
#include <functional>

#include "declarations/catalogo/catalogo.h"
#include "declarations/catalogo/presentacion.h"
#include "storage/dataset.h"

// A one-line box bound to a field.
class CajaEdicion : public QLineEdit {
  Q_OBJECT

 public:
  // Key filter: receives the box's text, the typed character and the caret
  // position; returns the character to let through, or QChar() to drop it.
  using FiltroTeclas = std::function<QChar(const QString& texto, QChar tecla, int cursor)>;

  CajaEdicion(Presentacion presentacion, const QLocale& locale, QWidget* parent = nullptr);

  // Binds to campo of dataSet (nullptr: unbound, shows nothing).
  void Enlazar(DataSet* dataSet, const QString& campo);
  DataSet* DataSetEnlazado() const { return dataSet_; }
  QString Campo() const { return campo_; }
  Presentacion PresentacionCaja() const { return presentacion_; }

  // Most characters the user may type (0: no limit). It holds while the box
  // is being edited only: the display form may be longer (separators, the
  // RUT's check digit).
  void PonerLargoMaximo(int largo);
  int LargoMaximo() const { return largoMaximo_; }

  // Shows the field's current value again (display or edit form).
  void MostrarValor();
  // Writes the typed text into the field when the user changed it, putting
  // a browsing data set into edit state first. Raises ErrorAlcabala when the
  // text does not fit the field; the text stays.
  void GuardarValor();
  // Whether the text differs from the field's value since it was shown.
  bool Modificada() const { return modificada_; }
  // Drops what was typed and not yet written: the field's value shows again.
  void DescartarTexto();

  // Hooks for the input behaviour of the box.
  FiltroTeclas filtroTeclas;

 signals:
  // A mouse click inside the box (after the caret has moved).
  void Pulsada();
  // The box lost the focus and its value reached the field. When the value
  // does not fit, the standard error box says why, the typed text stays and
  // the focus comes back; Salida is not emitted then.
  void Salida();

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  bool Vacio() const;
  bool PuedeEscribir() const;
  void PonerTexto(const QString& texto);

  Presentacion presentacion_;
  QLocale locale_;
  QPointer<DataSet> dataSet_;
  QString campo_;
  int largoMaximo_ = 0;
  bool modificada_ = false;
  bool mostrando_ = false;
};

// A check box bound to a boolean field. Cambiada is emitted on every change
// of its state, also when another record is shown (handlers check the data
// set's state); a click by the user writes the field first.
class CasillaDatos : public QCheckBox {
  Q_OBJECT

 public:
  explicit CasillaDatos(QWidget* parent = nullptr);
  void Enlazar(DataSet* dataSet, const QString& campo);
  DataSet* DataSetEnlazado() const { return dataSet_; }
  void MostrarValor();

 signals:
  // The user changed the state and the field holds the new value.
  void Cambiada(bool marcada);

 private:
  void AlCambiar(bool marcada);

  QPointer<DataSet> dataSet_;
  QString campo_;
  bool mostrando_ = false;
};

// A drop-down list of fixed numbers bound to a small-integer field; a stored
// number that is not among the items shows as no selection. Cambiada is
// emitted when the user picks an item, after the field holds it.
class ListaDatos : public QComboBox {
  Q_OBJECT

 public:
  ListaDatos(const QList<int>& items, QWidget* parent = nullptr);
  void Enlazar(DataSet* dataSet, const QString& campo);
  DataSet* DataSetEnlazado() const { return dataSet_; }
  void MostrarValor();
  QList<int> Items() const { return items_; }

 signals:
  void Cambiada(int valor);

 private:
  void AlElegir(int indice);

  QList<int> items_;
  QPointer<DataSet> dataSet_;
  QString campo_;
  bool mostrando_ = false;
};
