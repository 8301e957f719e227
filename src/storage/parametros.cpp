#include "storage/parametros.h"

#include <QDir>
#include <QSqlQuery>

#include "general/errores.h"
#include "storage/formato/columnas.h"
#include "storage/conexion.h"

QString RutaBaseParametros(const QString& carpetaPrograma) {
  return QDir(carpetaPrograma).filePath(QString::fromLatin1(NombreBaseParametros));
}

BaseParametros::BaseParametros(QObject* parent) : QObject(parent), conexion_(std::make_unique<Conexion>()) {}

BaseParametros::~BaseParametros() = default;

void BaseParametros::Abrir(const QString& carpetaPrograma) {
  conexion_->AbrirSoloLectura(RutaBaseParametros(carpetaPrograma));
}

void BaseParametros::Cerrar() { conexion_->Cerrar(); }

bool BaseParametros::Abierta() const { return conexion_->Abierta(); }

double BaseParametros::IVA() const {
  if (!conexion_->Abierta())
    throw ErrorAlcabala(QStringLiteral("La base de parámetros %1 no está abierta.")
                            .arg(QString::fromLatin1(NombreBaseParametros)));
  QSqlQuery consulta = conexion_->Consulta(QStringLiteral("SELECT IVA FROM parametros LIMIT 1"));
  if (!consulta.next())
    throw ErrorAlcabala(QStringLiteral("La tabla parametros de %1 no tiene filas.")
                            .arg(QString::fromLatin1(NombreBaseParametros)));
  const QVariant valor = consulta.value(0);
  consulta.finish();
  bool ok = false;
  const double iva = valor.toDouble(&ok);
  if (EsValorNulo(valor) || !ok || !(iva > 0.0))
    throw ErrorAlcabala(QStringLiteral("La tasa de IVA de %1 no es válida.")
                            .arg(QString::fromLatin1(NombreBaseParametros)));
  return iva;
}
