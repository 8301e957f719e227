#include "dialogs/formcrearalcabala.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/controles/comando.h"
#include "declarations/ciclo.h"
#include "general/valores.h"
#include "storage/conexion.h"

namespace {

QLabel* CrearEtiqueta(const QString& texto, QWidget* companero, QWidget* padre) {
  auto* etiqueta = new QLabel(texto, padre);
  etiqueta->setBuddy(companero);
  return etiqueta;
}

}  // namespace

TFormCrearAlcabala::TFormCrearAlcabala(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), reloj_([] { return QDate::currentDate(); }) {
  setObjectName(QStringLiteral("FormCrearAlcabala"));
  setWindowTitle(QStringLiteral("Crear Formulario"));

  EditAno = new QLineEdit(this);
  EditAno->setObjectName(QStringLiteral("EditAno"));
  EditAno->setAccessibleName(QStringLiteral("Año"));

  ComboBoxMes = new QComboBox(this);
  ComboBoxMes->setObjectName(QStringLiteral("ComboBoxMes"));
  ComboBoxMes->setEditable(false);
  ComboBoxMes->setAccessibleName(QStringLiteral("Mes"));
  for (int mes = 1; mes <= 12; ++mes) ComboBoxMes->addItem(NombreDelMes(mes));

  ButtonCrear = new QPushButton(QStringLiteral("&Crear"), this);
  ButtonCrear->setObjectName(QStringLiteral("ButtonCrear"));
  ButtonCrear->setAccessibleName(QStringLiteral("Crear"));
  ButtonCrear->setDefault(true);
  connect(ButtonCrear, &QPushButton::clicked, this, &QDialog::accept);

  // Esc reaches QDialog::reject, as this button does.
  ButtonCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
  ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
  ButtonCancelar->setAccessibleName(QStringLiteral("Cancelar"));
  ButtonCancelar->setAutoDefault(false);
  connect(ButtonCancelar, &QPushButton::clicked, this, &QDialog::reject);

  auto* campos = new QGridLayout;
  campos->addWidget(CrearEtiqueta(QStringLiteral("Año:"), EditAno, this), 0, 0);
  campos->addWidget(EditAno, 0, 1);
  campos->addWidget(CrearEtiqueta(QStringLiteral("Mes:"), ComboBoxMes, this), 1, 0);
  campos->addWidget(ComboBoxMes, 1, 1);
  campos->setColumnMinimumWidth(1, 120);

  auto* botones = new QHBoxLayout;
  botones->addStretch();
  botones->addWidget(ButtonCrear);
  botones->addWidget(ButtonCancelar);

  auto* principal = new QVBoxLayout(this);
  principal->addLayout(campos);
  principal->addLayout(botones);
  principal->setSizeConstraint(QLayout::SetFixedSize);  // fixed size, no resizing
}

void TFormCrearAlcabala::PonerConexion(Conexion* conexion) { conexion_ = conexion; }

void TFormCrearAlcabala::PonerReloj(std::function<QDate()> reloj) {
  reloj_ = reloj ? std::move(reloj) : [] { return QDate::currentDate(); };
}

int TFormCrearAlcabala::Ano() const { return LeerAno(EditAno->text()); }

int TFormCrearAlcabala::Mes() const { return NumeroDelMes(ComboBoxMes->currentText()); }

void TFormCrearAlcabala::FormShow() {
  const QDate hoy = reloj_();
  const Periodo propuesta = conexion_ && conexion_->Abierta() ? PeriodoPropuesto(*conexion_, hoy)
                                                              : Periodo{hoy.year(), hoy.month()};
  EditAno->setText(QString::number(propuesta.ano));
  ComboBoxMes->setCurrentIndex(propuesta.mes - 1);
  EditAno->setFocus();
  EditAno->selectAll();
}

void TFormCrearAlcabala::showEvent(QShowEvent* evento) {
  QDialog::showEvent(evento);
  if (evento->spontaneous()) return;
  // The query may fail on an unreadable file: the standard error box tells
  // so, and the dialog stays open for the user to type the period.
  EjecutarComando(this, [this] { FormShow(); });
  QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!pantalla) return;
  move(pantalla->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}
