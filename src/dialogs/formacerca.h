#pragma once
// The About dialog: product, version, maker and links to its web site and
// mail address.

#include <QDialog>

class QLabel;
class QPushButton;

class TFormAcerca : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAcerca(QWidget* parent = nullptr);

  QLabel* Image1 = nullptr;        // product logo
  QLabel* Label1 = nullptr;        // "Alcabala"
  QLabel* Label2 = nullptr;        // "Versión 8.00"
  QLabel* Label9 = nullptr;        // link to the maker's web site
  QLabel* Label10 = nullptr;       // link to the maker's mail address
  QPushButton* ButtonAceptar = nullptr;

  // The six lines with the maker's name, address, telephone and fax.
  static QStringList LineasFabricante();

 public slots:
  void ButtonAceptarClick();
  void Label9Click();
  void Label10Click();

 protected:
  void showEvent(QShowEvent* evento) override;

 private:
  QLabel* CrearEtiqueta(const QString& texto, int top);
  QLabel* CrearEnlace(const QString& texto, int top);
};
