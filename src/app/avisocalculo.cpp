#include "app/avisocalculo.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "app/controles/comando.h"
#include "declarations/motor/calculo.h"
#include "general/valores.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

AvisoCajasNoCalculadas::AvisoCajasNoCalculadas(DataSet* alcabala, QWidget* ventana)
    : QObject(ventana), alcabala_(alcabala), ventana_(ventana) {
  for (auto senal : {&DataSet::DespuesDeAbrir, &DataSet::DespuesDeDesplazar, &DataSet::DespuesDeRefrescar,
                     &DataSet::DespuesDeGuardar, &DataSet::DespuesDeCancelar})
    connect(alcabala_, senal, this, &AvisoCajasNoCalculadas::Revisar);
  // Another file (or the same one opened again) is told afresh.
  if (Conexion* conexion = alcabala_->ConexionDatos())
    connect(conexion, &Conexion::Cerrando, this, [this] { avisados_.clear(); });
}

void AvisoCajasNoCalculadas::Revisar() {
  if (!alcabala_->Activo() || alcabala_->Estado() != EstadoDataSet::Consulta || alcabala_->EstaVacio()) return;
  const QStringList cajas = CajasNoCalculadas(*alcabala_);
  if (cajas.isEmpty()) return;
  const int ano = static_cast<int>(NuloACeroEntero(alcabala_->Valor(QStringLiteral("ano"))));
  const int mes = static_cast<int>(NuloACeroEntero(alcabala_->Valor(QStringLiteral("mes"))));
  const QString clave = QStringLiteral("%1-%2: %3").arg(ano).arg(mes).arg(cajas.join(QLatin1Char(',')));
  if (avisados_.contains(clave)) return;
  avisados_.insert(clave);
  // Shown once the event loop runs again: the command that opened or moved
  // the file has ended and put the normal cursor back by then.
  const QString texto = MensajeCajasNoCalculadas(cajas, ano, mes);
  QPointer<QWidget> ventana(ventana_);
  QTimer::singleShot(0, this, [ventana, texto] {
    if (ventana) MostrarCajaError(ventana, texto);
  });
}
