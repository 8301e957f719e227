#include "reports/empresas_prueba.h"

#include <QFileInfo>

#include "general/moneda.h"
#include "storage/archivo.h"
#include "common/sql.h"

namespace prueba {

namespace {
QString Texto(const QString& texto) {
  QString citado = texto;
  citado.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + citado + QLatin1Char('\'');
}
}  // namespace

void CrearEmpresa(const QString& ruta, const Contribuyente& c) {
  CrearArchivoAlcabala(ruta);
  EjecutarSql(ruta, {QStringLiteral("UPDATE contribuyente SET RUT = %1, ApellidoPaternoRazonSocial = %2, "
                                    "ApellidoMaterno = %3, nombres = %4")
                         .arg(c.rut)
                         .arg(Texto(c.paterno), Texto(c.materno), Texto(c.nombres))});
}

void Declarar(const QString& ruta, int ano, int mes, const QList<QPair<QString, qint64>>& pesos) {
  QStringList columnas = {QStringLiteral("ano"), QStringLiteral("mes")};
  QStringList valores = {QString::number(ano), QString::number(mes)};
  for (const auto& par : pesos) {
    columnas << par.first;
    valores << QString::number(Moneda::DesdePesos(par.second).Crudo());
  }
  EjecutarSql(ruta, {QStringLiteral("INSERT INTO alcabalas (%1) VALUES (%2)").arg(columnas.join(", "),
                                                                                   valores.join(", "))});
}

Huella HuellaDe(const QString& ruta) { return {ContenidoArchivo(ruta), QFileInfo(ruta).lastModified()}; }

QList<QStringList> Filas(TablaEmpresas& tabla, const QStringList& campos) {
  QList<QStringList> filas;
  DataSet& datos = tabla.ClientDataSetAlcabalas();
  for (datos.Primero(); !datos.Eof(); datos.Siguiente()) {
    QStringList fila;
    for (const QString& campo : campos) fila << tabla.TextoMostrado(campo);
    filas << fila;
  }
  return filas;
}

}  // namespace prueba
