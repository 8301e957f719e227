#include "common/sql.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <stdexcept>

namespace prueba {
namespace {

template <typename F>
void ConBase(const QString& ruta, F trabajo) {
  static QAtomicInt contador;
  const QString nombre = QStringLiteral("prueba-sql-%1").arg(contador.fetchAndAddRelaxed(1));
  {
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
    base.setDatabaseName(ruta);
    if (!base.open()) throw std::runtime_error(base.lastError().text().toStdString());
    trabajo(base);
    base.close();
  }
  QSqlDatabase::removeDatabase(nombre);
}

void Ejecutar(QSqlQuery& consulta, const QString& sql) {
  if (!consulta.exec(sql))
    throw std::runtime_error((sql + QStringLiteral(": ") + consulta.lastError().text()).toStdString());
}

}  // namespace

void EjecutarSql(const QString& ruta, const QStringList& sentencias) {
  ConBase(ruta, [&](QSqlDatabase& base) {
    QSqlQuery consulta(base);
    for (const QString& sql : sentencias) Ejecutar(consulta, sql);
  });
}

QList<QVariantList> ConsultarSql(const QString& ruta, const QString& sql) {
  QList<QVariantList> filas;
  ConBase(ruta, [&](QSqlDatabase& base) {
    QSqlQuery consulta(base);
    Ejecutar(consulta, sql);
    while (consulta.next()) {
      QVariantList fila;
      for (int i = 0; i < consulta.record().count(); ++i) fila << consulta.value(i);
      filas << fila;
    }
  });
  return filas;
}

QVariant EscalarSql(const QString& ruta, const QString& sql) {
  const auto filas = ConsultarSql(ruta, sql);
  return filas.isEmpty() ? QVariant() : filas.first().value(0);
}

QByteArray ContenidoArchivo(const QString& ruta) {
  QFile archivo(ruta);
  if (!archivo.open(QIODevice::ReadOnly)) return QByteArray();
  return archivo.readAll();
}

}  // namespace prueba
