#pragma once
// The two pages of the form (Anverso and Reverso), built entirely from the
// box catalogue inside the content widgets of the window's scroll areas:
// head, framed sections, vertical captions, line cells and the boxes.

#include <QHash>
#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>

class CajaEdicion;
class CasillaDatos;
class DataSet;
class ListaDatos;
class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

class PaginasFormulario : public QObject {
  Q_OBJECT

 public:
  // Builds both pages into anverso and reverso (the scroll areas' content
  // widgets), sizing them to the form. Every box starts disabled and unbound.
  PaginasFormulario(QWidget* anverso, QWidget* reverso, const QLocale& locale, QObject* parent = nullptr);
  ~PaginasFormulario() override;

  // The control of a box by its code as printed ("538", "06"), or nullptr.
  QWidget* Caja(const QString& codigo) const;
  // The same control when it is an edit box, check box or list; else nullptr.
  CajaEdicion* Edicion(const QString& codigo) const;
  CasillaDatos* Casilla(const QString& codigo) const;
  ListaDatos* Lista(const QString& codigo) const;

  // The groups switched together, in catalogue order: the 156 input boxes,
  // the 15 antecedentes boxes and the 39 display-only boxes.
  QList<QWidget*> ControlesEntrada() const;
  QList<QWidget*> ControlesAntecedentes() const;
  QList<QWidget*> ControlesSoloLectura() const;
  // Every box control, in catalogue order.
  QList<QWidget*> Controles() const;

  // Binds the declaration boxes to alcabala and the taxpayer boxes (01, 02,
  // 03, 05) to contribuyente; nullptr leaves those boxes empty.
  void Enlazar(DataSet* alcabala, DataSet* contribuyente);
  void Desenlazar() { Enlazar(nullptr, nullptr); }

  // Writes the text of the box being typed into its field, as leaving it
  // would; the save command calls it first, since tool buttons take no focus.
  // Raises ErrorAlcabala when the text does not fit.
  void GuardarCajaActiva();

  // When a box has the keyboard focus, gives it to the page that holds the
  // box, so that switching the boxes off leaves the page where it is.
  void SoltarFoco();

  // Paints the ten vertical captions, in the order of start-up.
  void DibujarCaptiones();

  // Period lists of the head, the logo and the vertical caption images.
  QComboBox* ComboBoxMes = nullptr;
  QComboBox* ComboBoxAno = nullptr;
  QLabel* Image4 = nullptr;
  QLabel* ImagenVertical(const QString& nombre) const;
  QGroupBox* Seccion(const QString& titulo) const;

 signals:
  // The logo was clicked.
  void LogoPulsado();

 private:
  void ConstruirPagina(QWidget* pagina, int indice);

  QLocale locale_;
  QHash<QString, QWidget*> cajas_;
  QHash<QString, QLabel*> imagenes_;
  QHash<QString, QGroupBox*> secciones_;
};
