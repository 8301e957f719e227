#pragma once
// The taxpayer dialog: identity, address, telephones, postal address and
// legal representative of the open data file's one taxpayer row. Its boxes
// are bound straight to the main window's taxpayer data set, so what the user
// types is the row itself; "&Guardar" posts it, "&Cancelar" (also Esc and the
// window's close box) drops every change.

#include <QDialog>
#include <QList>
#include <QLocale>
#include <QPointer>

#include "storage/dataset.h"

class CajaEdicion;
class CasillaDatos;
class ListaDatos;
class QPushButton;
class QTabWidget;
class QWidget;

class TFormContribuyente : public QDialog {
  Q_OBJECT

 public:
  /// The boxes show and edit fields of `contribuyente` (may be bound later).
  explicit TFormContribuyente(DataSet* contribuyente, const QLocale& locale, QWidget* parent = nullptr);

  /// Binds every box to another taxpayer data set.
  void Enlazar(DataSet* contribuyente);
  DataSet* DataSetEnlazado() const { return contribuyente_; }

  /// The "&Contribuyente" command: puts the taxpayer row in edit state, then
  /// shows the dialog modally until it is saved or cancelled. Errors of the
  /// first step (no file open, no row) propagate before anything is shown.
  int Editar(DataSet& contribuyente);

  /// Writes what is still typed in a box into its field, then posts the row
  /// and closes. A value that does not fit or a failed post shows the standard
  /// error box and keeps the dialog open with the row in edit.
  void ButtonGuardarClick();
  /// Drops the changes and closes.
  void ButtonCancelarClick();

  // Top area.
  CajaEdicion* DBEditRUT = nullptr;
  CajaEdicion* DBEditApellidoPaternoRazonSocial = nullptr;
  CajaEdicion* DBEditApellidoMaterno = nullptr;
  CajaEdicion* DBEditNombres = nullptr;
  CajaEdicion* DBEditActividad = nullptr;
  CajaEdicion* DBEditCorreoElectronico = nullptr;
  CajaEdicion* DBEditRUTContador = nullptr;
  // Files and pays online with electronic invoicing: due on the 20th, not the 12th.
  CasillaDatos* DBCheckBoxFacturaElectronica = nullptr;

  QTabWidget* PageControlContribuyente = nullptr;
  // "Dirección"
  QWidget* TabSheetDireccion = nullptr;
  CajaEdicion* DBEditCalle = nullptr;
  CajaEdicion* DBEditNumero = nullptr;
  CajaEdicion* DBEditDepartamento = nullptr;
  CajaEdicion* DBEditVillaPoblacion = nullptr;
  CajaEdicion* DBEditComuna = nullptr;
  CajaEdicion* DBEditCiudad = nullptr;
  ListaDatos* DBComboBoxRegion = nullptr;
  // "Teléfonos"
  QWidget* TabSheetTelefonos = nullptr;
  ListaDatos* DBComboBoxCodigoAreaTelefono = nullptr;
  CajaEdicion* DBEditTelefono = nullptr;
  CajaEdicion* DBEditFax = nullptr;
  CajaEdicion* DBEditTelefonoCelular = nullptr;
  // "Dirección Postal"
  QWidget* TabSheetDireccionPostal = nullptr;
  CajaEdicion* DBEditDomicilioPostal = nullptr;
  CajaEdicion* DBEditComunaPostal = nullptr;
  CajaEdicion* DBEditCiudadPostal = nullptr;
  // "Representante Legal"
  QWidget* TabSheetRepresentanteLegal = nullptr;
  CajaEdicion* DBEditRUTRepresentanteLegal = nullptr;
  CajaEdicion* DBEditRepresentanteLegal = nullptr;

  QPushButton* ButtonGuardar = nullptr;
  QPushButton* ButtonCancelar = nullptr;

  /// Region numbers and telephone area codes, in the order the lists offer them.
  static QList<int> Regiones();
  static QList<int> CodigosArea();

 public slots:
  /// Esc and the window's close box: as "&Cancelar".
  void reject() override;

 protected:
  void showEvent(QShowEvent* evento) override;

 private:
  CajaEdicion* CrearCajaTexto(const QString& columna, const QString& nombre);
  CajaEdicion* CrearCajaNumero(const QString& columna, const QString& nombre, bool rut);
  ListaDatos* CrearLista(const QList<int>& items, const QString& columna, const QString& nombre);
  void CancelarEdicion();
  // Brings the page holding caja to the front and focuses the box.
  void MostrarCaja(CajaEdicion* caja);

  QLocale locale_;
  QPointer<DataSet> contribuyente_;
  QList<CajaEdicion*> cajas_;
  QList<ListaDatos*> listas_;
};
