#include "dialogs/formcontribuyente.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/controles/cajas.h"
#include "app/controles/comando.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/valores.h"

namespace {

constexpr int LargoRut = 9;
constexpr int LargoTelefono = 20;
constexpr int AnchoTexto = 300;
constexpr int AnchoNumero = 110;

// Characters of a text column of `contribuyente` (50 or 20).
int TamanoColumna(const QString& columna) {
  for (const ColumnaTabla& c : ColumnasContribuyente())
    if (c.nombre == columna) return c.tamano;
  throw ErrorAlcabala(QStringLiteral("La tabla contribuyente no tiene la columna %1").arg(columna));
}

// Digits and backspace only. Enter and Esc go on to the dialog, so the default
// and cancel buttons work from these boxes too; they never reach the text.
QChar FiltroDigitos(const QString&, QChar tecla, int) {
  if (tecla == QLatin1Char('\r') || tecla == QLatin1Char('\n') || tecla == QChar(0x1b)) return tecla;
  return TeclaDigito(tecla);
}

// The accessible name of a control: its label without the colon.
QString NombreAccesible(const QString& etiqueta) {
  QString nombre = etiqueta;
  if (nombre.endsWith(QLatin1Char(':'))) nombre.chop(1);
  return nombre;
}

QLabel* Etiqueta(const QString& texto, QWidget* companero, QWidget* padre) {
  auto* etiqueta = new QLabel(texto, padre);
  etiqueta->setBuddy(companero);
  return etiqueta;
}

// One "label, box" row of a grid.
void Fila(QGridLayout* grilla, int fila, const QString& etiqueta, QWidget* caja, QWidget* padre) {
  caja->setAccessibleName(NombreAccesible(etiqueta));
  grilla->addWidget(Etiqueta(etiqueta, caja, padre), fila, 0);
  grilla->addWidget(caja, fila, 1, Qt::AlignLeft);
}

}  // namespace

// The entries of the form's drop-down list bound to a taxpayer column: the
// dialog offers exactly what the form's box offers.
static QList<int> ItemsDeColumna(const QString& columna) {
  for (const Caja& caja : Catalogo())
    if (caja.campoContribuyente == columna && !caja.items.isEmpty()) return caja.items;
  throw ErrorAlcabala(QStringLiteral("Ninguna lista del formulario corresponde a la columna ") + columna);
}

QList<int> TFormContribuyente::Regiones() { return ItemsDeColumna(QStringLiteral("region")); }

QList<int> TFormContribuyente::CodigosArea() { return ItemsDeColumna(QStringLiteral("CodigoAreaTelefono")); }

TFormContribuyente::TFormContribuyente(DataSet* contribuyente, const QLocale& locale, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      locale_(locale) {
  setObjectName(QStringLiteral("FormContribuyente"));
  setWindowTitle(QStringLiteral("Contribuyente"));

  DBEditRUT = CrearCajaNumero(QStringLiteral("RUT"), QStringLiteral("DBEditRUT"), true);
  DBEditApellidoPaternoRazonSocial =
      CrearCajaTexto(QStringLiteral("ApellidoPaternoRazonSocial"), QStringLiteral("DBEditApellidoPaternoRazonSocial"));
  DBEditApellidoMaterno = CrearCajaTexto(QStringLiteral("ApellidoMaterno"), QStringLiteral("DBEditApellidoMaterno"));
  DBEditNombres = CrearCajaTexto(QStringLiteral("nombres"), QStringLiteral("DBEditNombres"));
  DBEditActividad = CrearCajaTexto(QStringLiteral("actividad"), QStringLiteral("DBEditActividad"));

  PageControlContribuyente = new QTabWidget(this);
  PageControlContribuyente->setObjectName(QStringLiteral("PageControlContribuyente"));

  // "Dirección"
  TabSheetDireccion = new QWidget(PageControlContribuyente);
  TabSheetDireccion->setObjectName(QStringLiteral("TabSheetDireccion"));
  DBEditCalle = CrearCajaTexto(QStringLiteral("calle"), QStringLiteral("DBEditCalle"));
  DBEditNumero = CrearCajaTexto(QStringLiteral("numero"), QStringLiteral("DBEditNumero"));
  DBEditDepartamento = CrearCajaTexto(QStringLiteral("departamento"), QStringLiteral("DBEditDepartamento"));
  DBEditVillaPoblacion = CrearCajaTexto(QStringLiteral("VillaPoblacion"), QStringLiteral("DBEditVillaPoblacion"));
  DBEditComuna = CrearCajaTexto(QStringLiteral("comuna"), QStringLiteral("DBEditComuna"));
  DBEditCiudad = CrearCajaTexto(QStringLiteral("ciudad"), QStringLiteral("DBEditCiudad"));
  DBComboBoxRegion = CrearLista(Regiones(), QStringLiteral("region"), QStringLiteral("DBComboBoxRegion"));
  DBEditNumero->setMinimumWidth(AnchoNumero + 40);
  DBEditDepartamento->setMinimumWidth(AnchoNumero + 40);
  {
    auto* grilla = new QGridLayout(TabSheetDireccion);
    Fila(grilla, 0, QStringLiteral("Calle:"), DBEditCalle, TabSheetDireccion);
    Fila(grilla, 1, QStringLiteral("Número:"), DBEditNumero, TabSheetDireccion);
    Fila(grilla, 2, QStringLiteral("Departamento:"), DBEditDepartamento, TabSheetDireccion);
    Fila(grilla, 3, QStringLiteral("Villa o Población:"), DBEditVillaPoblacion, TabSheetDireccion);
    Fila(grilla, 4, QStringLiteral("Comuna:"), DBEditComuna, TabSheetDireccion);
    Fila(grilla, 5, QStringLiteral("Ciudad:"), DBEditCiudad, TabSheetDireccion);
    Fila(grilla, 6, QStringLiteral("Región:"), DBComboBoxRegion, TabSheetDireccion);
    grilla->setRowStretch(7, 1);
  }
  PageControlContribuyente->addTab(TabSheetDireccion, QStringLiteral("Dirección"));

  // "Teléfonos"
  TabSheetTelefonos = new QWidget(PageControlContribuyente);
  TabSheetTelefonos->setObjectName(QStringLiteral("TabSheetTelefonos"));
  DBComboBoxCodigoAreaTelefono =
      CrearLista(CodigosArea(), QStringLiteral("CodigoAreaTelefono"), QStringLiteral("DBComboBoxCodigoAreaTelefono"));
  DBComboBoxCodigoAreaTelefono->setAccessibleName(QStringLiteral("Código de área"));
  DBEditTelefono = CrearCajaNumero(QStringLiteral("telefono"), QStringLiteral("DBEditTelefono"), false);
  DBEditFax = CrearCajaNumero(QStringLiteral("fax"), QStringLiteral("DBEditFax"), false);
  DBEditTelefonoCelular =
      CrearCajaNumero(QStringLiteral("TelefonoCelular"), QStringLiteral("DBEditTelefonoCelular"), false);
  {
    auto* grilla = new QGridLayout(TabSheetTelefonos);
    DBEditTelefono->setAccessibleName(QStringLiteral("Teléfono"));
    auto* telefono = new QHBoxLayout;
    telefono->addWidget(DBComboBoxCodigoAreaTelefono);
    telefono->addWidget(DBEditTelefono);
    telefono->addStretch();
    grilla->addWidget(Etiqueta(QStringLiteral("Teléfono:"), DBComboBoxCodigoAreaTelefono, TabSheetTelefonos), 0, 0);
    grilla->addLayout(telefono, 0, 1);
    Fila(grilla, 1, QStringLiteral("Fax:"), DBEditFax, TabSheetTelefonos);
    Fila(grilla, 2, QStringLiteral("Celular:"), DBEditTelefonoCelular, TabSheetTelefonos);
    grilla->setRowStretch(3, 1);
    grilla->setColumnStretch(1, 1);
  }
  PageControlContribuyente->addTab(TabSheetTelefonos, QStringLiteral("Teléfonos"));

  // "Dirección Postal"
  TabSheetDireccionPostal = new QWidget(PageControlContribuyente);
  TabSheetDireccionPostal->setObjectName(QStringLiteral("TabSheetDireccionPostal"));
  DBEditDomicilioPostal = CrearCajaTexto(QStringLiteral("DomicilioPostal"), QStringLiteral("DBEditDomicilioPostal"));
  DBEditComunaPostal = CrearCajaTexto(QStringLiteral("ComunaPostal"), QStringLiteral("DBEditComunaPostal"));
  DBEditCiudadPostal = CrearCajaTexto(QStringLiteral("CiudadPostal"), QStringLiteral("DBEditCiudadPostal"));
  {
    auto* grilla = new QGridLayout(TabSheetDireccionPostal);
    Fila(grilla, 0, QStringLiteral("Domicilio:"), DBEditDomicilioPostal, TabSheetDireccionPostal);
    Fila(grilla, 1, QStringLiteral("Comuna:"), DBEditComunaPostal, TabSheetDireccionPostal);
    Fila(grilla, 2, QStringLiteral("Ciudad:"), DBEditCiudadPostal, TabSheetDireccionPostal);
    grilla->setRowStretch(3, 1);
    for (CajaEdicion* caja : {DBEditDomicilioPostal, DBEditComunaPostal, DBEditCiudadPostal})
      caja->setAccessibleDescription(QStringLiteral("Dirección Postal"));
  }
  PageControlContribuyente->addTab(TabSheetDireccionPostal, QStringLiteral("Dirección Postal"));

  // "Representante Legal"
  TabSheetRepresentanteLegal = new QWidget(PageControlContribuyente);
  TabSheetRepresentanteLegal->setObjectName(QStringLiteral("TabSheetRepresentanteLegal"));
  DBEditRUTRepresentanteLegal =
      CrearCajaNumero(QStringLiteral("RUTRepresentanteLegal"), QStringLiteral("DBEditRUTRepresentanteLegal"), true);
  DBEditRepresentanteLegal =
      CrearCajaTexto(QStringLiteral("RepresentanteLegal"), QStringLiteral("DBEditRepresentanteLegal"));
  {
    auto* grilla = new QGridLayout(TabSheetRepresentanteLegal);
    Fila(grilla, 0, QStringLiteral("RUT:"), DBEditRUTRepresentanteLegal, TabSheetRepresentanteLegal);
    Fila(grilla, 1, QStringLiteral("Representante Legal:"), DBEditRepresentanteLegal, TabSheetRepresentanteLegal);
    grilla->setRowStretch(2, 1);
    DBEditRUTRepresentanteLegal->setAccessibleDescription(QStringLiteral("Representante Legal"));
  }
  PageControlContribuyente->addTab(TabSheetRepresentanteLegal, QStringLiteral("Representante Legal"));
  PageControlContribuyente->setCurrentIndex(0);

  DBEditCorreoElectronico =
      CrearCajaTexto(QStringLiteral("CorreoElectronico"), QStringLiteral("DBEditCorreoElectronico"));
  DBEditRUTContador = CrearCajaNumero(QStringLiteral("RUTContador"), QStringLiteral("DBEditRUTContador"), true);

  // The buttons take the focus by Tab only: a click leaves the focus in the
  // box being typed, so its value is checked once, by the command itself.
  ButtonGuardar = new QPushButton(QStringLiteral("&Guardar"), this);
  ButtonGuardar->setObjectName(QStringLiteral("ButtonGuardar"));
  ButtonGuardar->setAccessibleName(QStringLiteral("Guardar"));
  ButtonGuardar->setDefault(true);
  ButtonGuardar->setFocusPolicy(Qt::TabFocus);
  connect(ButtonGuardar, &QPushButton::clicked, this, &TFormContribuyente::ButtonGuardarClick);
  ButtonCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
  ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
  ButtonCancelar->setAccessibleName(QStringLiteral("Cancelar"));
  ButtonCancelar->setAutoDefault(false);
  ButtonCancelar->setFocusPolicy(Qt::TabFocus);
  connect(ButtonCancelar, &QPushButton::clicked, this, &TFormContribuyente::ButtonCancelarClick);

  auto* superior = new QGridLayout;
  Fila(superior, 0, QStringLiteral("RUT:"), DBEditRUT, this);
  Fila(superior, 1, QStringLiteral("Apellido Paterno o Razón Social:"), DBEditApellidoPaternoRazonSocial, this);
  Fila(superior, 2, QStringLiteral("Apellido Materno"), DBEditApellidoMaterno, this);
  Fila(superior, 3, QStringLiteral("Nombres:"), DBEditNombres, this);
  Fila(superior, 4, QStringLiteral("Actividad:"), DBEditActividad, this);
  superior->addWidget(PageControlContribuyente, 5, 0, 1, 2);
  Fila(superior, 6, QStringLiteral("Correo Electrónico:"), DBEditCorreoElectronico, this);
  Fila(superior, 7, QStringLiteral("RUT Contador:"), DBEditRUTContador, this);

  auto* botones = new QVBoxLayout;
  botones->addWidget(ButtonGuardar);
  botones->addWidget(ButtonCancelar);
  botones->addStretch();

  auto* principal = new QHBoxLayout(this);
  principal->addLayout(superior);
  principal->addLayout(botones);
  principal->setSizeConstraint(QLayout::SetFixedSize);

  Enlazar(contribuyente);
}

CajaEdicion* TFormContribuyente::CrearCajaTexto(const QString& columna, const QString& nombre) {
  auto* caja = new CajaEdicion(Presentacion::Texto, locale_, this);
  caja->setObjectName(nombre);
  caja->setProperty("columna", columna);
  caja->PonerLargoMaximo(TamanoColumna(columna));
  caja->setMinimumWidth(AnchoTexto);
  cajas_ << caja;
  return caja;
}

CajaEdicion* TFormContribuyente::CrearCajaNumero(const QString& columna, const QString& nombre, bool rut) {
  auto* caja = new CajaEdicion(rut ? Presentacion::Rut : Presentacion::Telefono, locale_, this);
  caja->setObjectName(nombre);
  caja->setProperty("columna", columna);
  caja->PonerLargoMaximo(rut ? LargoRut : LargoTelefono);
  caja->setMinimumWidth(AnchoNumero);
  caja->filtroTeclas = FiltroDigitos;
  cajas_ << caja;
  return caja;
}

ListaDatos* TFormContribuyente::CrearLista(const QList<int>& items, const QString& columna, const QString& nombre) {
  auto* lista = new ListaDatos(items, this);
  lista->setObjectName(nombre);
  lista->setProperty("columna", columna);
  listas_ << lista;
  return lista;
}

void TFormContribuyente::Enlazar(DataSet* contribuyente) {
  contribuyente_ = contribuyente;
  for (CajaEdicion* caja : cajas_) caja->Enlazar(contribuyente, caja->property("columna").toString());
  for (ListaDatos* lista : listas_) lista->Enlazar(contribuyente, lista->property("columna").toString());
}

int TFormContribuyente::Editar(DataSet& contribuyente) {
  if (contribuyente_ != &contribuyente) Enlazar(&contribuyente);
  contribuyente.Editar();
  return exec();
}

void TFormContribuyente::ButtonGuardarClick() {
  CajaEdicion* rechazada = nullptr;
  const bool guardado = EjecutarComando(this, [this, &rechazada] {
    if (!contribuyente_) throw ErrorAlcabala(QStringLiteral("No hay un archivo de alcabalas abierto."));
    // A value still in its box reaches its field first; one that does not
    // fit stops the command, with the row and the dialog as they are.
    for (CajaEdicion* caja : cajas_) {
      if (!caja->Modificada()) continue;
      rechazada = caja;
      caja->GuardarValor();
    }
    rechazada = nullptr;
    contribuyente_->Guardar();
  });
  if (guardado)
    accept();
  else if (rechazada)
    MostrarCaja(rechazada);
}

void TFormContribuyente::MostrarCaja(CajaEdicion* caja) {
  for (int i = 0; i < PageControlContribuyente->count(); ++i)
    if (PageControlContribuyente->widget(i)->isAncestorOf(caja)) PageControlContribuyente->setCurrentIndex(i);
  caja->setFocus(Qt::OtherFocusReason);
}

void TFormContribuyente::ButtonCancelarClick() { reject(); }

void TFormContribuyente::CancelarEdicion() {
  if (contribuyente_ && contribuyente_->Activo()) contribuyente_->Cancelar();
}

void TFormContribuyente::reject() {
  CancelarEdicion();
  QDialog::reject();
}

void TFormContribuyente::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (evento->spontaneous()) return;
  QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!pantalla) return;
  move(pantalla->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}
