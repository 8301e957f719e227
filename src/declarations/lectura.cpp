#include "declarations/lectura.h"

#include <QStringList>

#include "declarations/calculo.h"
#include "general/errores.h"
#include "storage/conexion.h"

namespace {

void DefinirCalculo(DataSet& alcabala, const QLocale& locale) {
  alcabala.DefinirCalculados(CamposCalculadosAlcabala(),
                             [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
}

QList<DeclaracionLeida> LeerFiltradas(Conexion& conexion, const QString& condicion, const QVariantList& parametros,
                                      const QLocale& locale) {
  DataSet alcabala(&conexion, QStringLiteral("alcabalas"), true);
  alcabala.PonerFiltro(condicion, parametros);
  DefinirCalculo(alcabala, locale);
  alcabala.Abrir();
  QList<DeclaracionLeida> leidas;
  for (alcabala.Primero(); !alcabala.Eof(); alcabala.Siguiente()) leidas.append(DeclaracionLeida(alcabala));
  alcabala.Cerrar();
  return leidas;
}

}  // namespace

DeclaracionLeida::DeclaracionLeida(const DataSet& fuente) : campos_(fuente.Campos()) {
  valores_.reserve(campos_.size());
  for (int i = 0; i < campos_.size(); ++i) {
    posicion_.insert(campos_.at(i).nombre, i);
    valores_.append(fuente.Valor(campos_.at(i).nombre));
  }
}

QVariant DeclaracionLeida::Valor(const QString& campo) const {
  const auto it = posicion_.constFind(campo);
  if (it == posicion_.constEnd()) throw ErrorAlcabala(QStringLiteral("No existe el campo %1.").arg(campo));
  return valores_.at(*it);
}

void DeclaracionLeida::Asignar(const QString& campo, const QVariant& valor) {
  const auto it = posicion_.constFind(campo);
  if (it == posicion_.constEnd()) throw ErrorAlcabala(QStringLiteral("No existe el campo %1.").arg(campo));
  valores_[*it] = valor;
}

bool DeclaracionLeida::TieneCampo(const QString& campo) const { return posicion_.contains(campo); }

void LimitarAPeriodos(DataSet& alcabala, const QList<AnoMes>& periodos, const QLocale& locale) {
  QStringList condiciones;
  QVariantList parametros;
  for (const AnoMes& periodo : periodos) {
    condiciones << QStringLiteral("(ano = ? AND mes = ?)");
    parametros << periodo.ano << periodo.mes;
  }
  // No period: no row (the condition is still read through the table).
  alcabala.PonerFiltro(condiciones.isEmpty() ? QStringLiteral("0") : condiciones.join(QLatin1String(" OR ")),
                       parametros);
  DefinirCalculo(alcabala, locale);
}

QList<DeclaracionLeida> LeerDeclaracionesDelPeriodo(Conexion& conexion, int ano, int mes, const QLocale& locale) {
  return LeerFiltradas(conexion, QStringLiteral("ano = ? AND mes = ?"), {ano, mes}, locale);
}

QList<DeclaracionLeida> LeerDeclaracionesDelAno(Conexion& conexion, int ano, const QLocale& locale) {
  return LeerFiltradas(conexion, QStringLiteral("ano = ?"), {ano}, locale);
}
