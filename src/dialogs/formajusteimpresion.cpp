#include "dialogs/formajusteimpresion.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/controles/comando.h"
#include "app/controles/impresion.h"
#include "reports/paginaprueba.h"
#include "reports/plantillas.h"

namespace {

const QString TituloPrueba = QStringLiteral("Prueba de Impresión");

QDoubleSpinBox* CrearDesplazamiento(const QString& nombre, const QLocale& locale, QWidget* padre) {
  auto* edit = new QDoubleSpinBox(padre);
  edit->setObjectName(nombre);
  edit->setLocale(locale);
  edit->setRange(-LimiteCalibracionMm, LimiteCalibracionMm);
  edit->setSingleStep(PasoCalibracionMm);
  edit->setDecimals(1);
  edit->setSuffix(QStringLiteral(" mm"));
  edit->setAlignment(Qt::AlignRight);
  // Only half millimetres: a typed 1,3 becomes 1,5 when the box is left.
  edit->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  QObject::connect(edit, &QDoubleSpinBox::editingFinished, edit, [edit] {
    edit->setValue(std::round(edit->value() / PasoCalibracionMm) * PasoCalibracionMm);
  });
  return edit;
}

}  // namespace

TFormAjusteImpresion::TFormAjusteImpresion(const QStringList& impresoras, const QString& predeterminada,
                                           const QLocale& locale, QWidget* parent)
    : QDialog(parent), locale_(locale) {
  setWindowTitle(QStringLiteral("Ajustar Impresión"));
  setObjectName(QStringLiteral("FormAjusteImpresion"));

  ComboBoxImpresora = new QComboBox(this);
  ComboBoxImpresora->setObjectName(QStringLiteral("ComboBoxImpresora"));
  ComboBoxImpresora->addItems(impresoras);
  EditHorizontal = CrearDesplazamiento(QStringLiteral("EditHorizontal"), locale, this);
  EditVertical = CrearDesplazamiento(QStringLiteral("EditVertical"), locale, this);

  auto* campos = new QFormLayout;
  auto agregar = [this, campos](const QString& etiqueta, QWidget* control) {
    auto* label = new QLabel(etiqueta, this);
    label->setBuddy(control);
    control->setAccessibleName(QString(etiqueta).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    campos->addRow(label, control);
  };
  agregar(QStringLiteral("&Impresora:"), ComboBoxImpresora);
  agregar(QStringLiteral("&Horizontal:"), EditHorizontal);
  agregar(QStringLiteral("&Vertical:"), EditVertical);

  auto* explicacion = new QLabel(
      QStringLiteral("Mueve lo impreso en el formulario de esta impresora: hacia la derecha y hacia abajo con valores "
                     "positivos, de %1 en %1 mm.")
          .arg(TextoMilimetros(PasoCalibracionMm, locale)),
      this);
  explicacion->setWordWrap(true);
  LabelSinImpresoras = new QLabel(QStringLiteral("No hay ninguna impresora instalada."), this);
  LabelSinImpresoras->setObjectName(QStringLiteral("LabelSinImpresoras"));

  ButtonPrueba = new QPushButton(QStringLiteral("Imprimir Prueba"), this);
  ButtonPrueba->setObjectName(QStringLiteral("ButtonPrueba"));
  ButtonPrueba->setAutoDefault(false);
  ButtonAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
  ButtonAceptar->setObjectName(QStringLiteral("ButtonAceptar"));
  ButtonAceptar->setDefault(true);
  ButtonCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
  ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
  ButtonCancelar->setAutoDefault(false);

  auto* botones = new QHBoxLayout;
  botones->addWidget(ButtonPrueba);
  botones->addStretch();
  botones->addWidget(ButtonAceptar);
  botones->addWidget(ButtonCancelar);
  auto* disposicion = new QVBoxLayout(this);
  disposicion->addWidget(LabelSinImpresoras);
  disposicion->addLayout(campos);
  disposicion->addWidget(explicacion);
  disposicion->addLayout(botones);
  setMinimumWidth(380);

  const bool hay = !impresoras.isEmpty();
  LabelSinImpresoras->setVisible(!hay);
  for (QWidget* w : {static_cast<QWidget*>(ComboBoxImpresora), static_cast<QWidget*>(EditHorizontal),
                     static_cast<QWidget*>(EditVertical), static_cast<QWidget*>(ButtonPrueba),
                     static_cast<QWidget*>(ButtonAceptar)})
    w->setEnabled(hay);
  ButtonCancelar->setDefault(!hay);

  const int elegida = impresoras.indexOf(predeterminada);
  ComboBoxImpresora->setCurrentIndex(hay ? std::max(0, elegida) : -1);
  ComboBoxImpresoraChange();
  connect(ComboBoxImpresora, &QComboBox::currentIndexChanged, this, [this] {
    EjecutarComando(this, [this] { ComboBoxImpresoraChange(); });
  });
  connect(ButtonPrueba, &QPushButton::clicked, this, [this] { EjecutarComando(this, [this] { ButtonPruebaClick(); }); });
  connect(ButtonAceptar, &QPushButton::clicked, this, [this] {
    EjecutarComando(this, [this] { ButtonAceptarClick(); });
  });
  connect(ButtonCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

Calibracion TFormAjusteImpresion::Valores() const { return {EditHorizontal->value(), EditVertical->value()}; }

void TFormAjusteImpresion::RecordarValores() {
  if (!actual_.isEmpty()) pendientes_.insert(actual_, Valores());
}

void TFormAjusteImpresion::ComboBoxImpresoraChange() {
  RecordarValores();
  actual_ = ComboBoxImpresora->currentText();
  if (actual_.isEmpty()) return;
  const Calibracion c = pendientes_.contains(actual_) ? pendientes_.value(actual_) : LeerCalibracion(actual_);
  EditHorizontal->setValue(c.horizontalMm);
  EditVertical->setValue(c.verticalMm);
}

void TFormAjusteImpresion::ButtonPruebaClick() {
  if (actual_.isEmpty()) return;
  const Calibracion c = Valores();
  CursorOcupado ocupado;
  if (imprimirPrueba_) {
    imprimirPrueba_(actual_, c);
    return;
  }
  OpcionesRender opciones;
  opciones.locale = locale_;
  opciones.desplazamientoMm = c.Desplazamiento();
  ImprimirEnImpresora(this, actual_, PlantillaPrueba(BuscarPlantilla(PlantillaAnverso), locale_), DatosInforme{},
                      TituloPrueba, opciones);
}

void TFormAjusteImpresion::ButtonAceptarClick() {
  RecordarValores();
  for (auto it = pendientes_.cbegin(); it != pendientes_.cend(); ++it) GuardarCalibracion(it.key(), it.value());
  accept();
}
