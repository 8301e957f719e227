#pragma once
// The period dialog of "&Crear": the user picks the year and month of the new
// declaration; each showing proposes the month after the latest declaration
// of the open file (or today's month when the file has none).

#include <QDate>
#include <QDialog>
#include <functional>

class Conexion;
class QComboBox;
class QLineEdit;
class QPushButton;

class TFormCrearAlcabala : public QDialog {
  Q_OBJECT

 public:
  explicit TFormCrearAlcabala(QWidget* parent = nullptr);

  /// The main window's data-file connection, read on every showing. While it
  /// is missing or closed the proposal is today's month.
  void PonerConexion(Conexion* conexion);
  /// Where "today" comes from (QDate::currentDate unless replaced).
  void PonerReloj(std::function<QDate()> reloj);

  /// The year typed in EditAno; raises ErrorAlcabala("'<text>' is not a valid
  /// integer value") when it is not a whole number.
  int Ano() const;
  /// The month chosen in ComboBoxMes, 1–12.
  int Mes() const;

  /// Fills the proposal; runs every time the dialog is shown.
  void FormShow();

  QLineEdit* EditAno = nullptr;
  QComboBox* ComboBoxMes = nullptr;
  QPushButton* ButtonCrear = nullptr;
  QPushButton* ButtonCancelar = nullptr;

 protected:
  void showEvent(QShowEvent* evento) override;

 private:
  Conexion* conexion_ = nullptr;
  std::function<QDate()> reloj_;
};
