#include "reports/tablaempresas.h"

#include <QCollator>
#include <QHash>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/valores.h"
#include "storage/formato/columnas.h"

namespace {

DefinicionCampo Campo(const ColumnaTabla& columna) { return {columna.nombre, columna.tipo, columna.tamano, false}; }

// How the catalogue shows each taxpayer column (the RUTs and telephones
// differ from plain numbers): the T boxes by their field, the A boxes by
// their paired taxpayer column.
const QHash<QString, Presentacion>& PresentacionContribuyente() {
  static const QHash<QString, Presentacion> presentaciones = [] {
    QHash<QString, Presentacion> mapa;
    for (const Caja& caja : Catalogo()) {
      const QString columna = caja.clase == ClaseCaja::T ? caja.campo : caja.campoContribuyente;
      if (!columna.isEmpty()) mapa.insert(columna, caja.presentacion);
    }
    return mapa;
  }();
  return presentaciones;
}

}  // namespace

QList<DefinicionCampo> CamposTablaEmpresas() {
  QList<DefinicionCampo> campos;
  for (const ColumnaTabla& columna : ColumnasAlcabalas()) campos.append(Campo(columna));
  for (const ColumnaTabla& columna : ColumnasContribuyente()) campos.append(Campo(columna));
  campos.append({QStringLiteral("nombre"), TipoColumna::W, LargoNombreEmpresa, false});
  return campos;
}

DataSet::ComparadorTextos ComparadorNombres(const QLocale& locale) {
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseSensitive);
  return [collator](const QString& a, const QString& b) { return collator.compare(a, b); };
}

FormatoValor FormatoEmpresas(const DefinicionCampo& campo) {
  switch (PresentacionContribuyente().value(campo.nombre, Presentacion::Texto)) {
    case Presentacion::Rut: return FormatoValor::Rut;
    case Presentacion::Telefono: return FormatoValor::Telefono;
    default: break;
  }
  return campo.tipo == TipoColumna::W ? FormatoValor::TextoTal : FormatoValor::Plano;
}

FormatoValor FormatoCampoEmpresas(const QString& campo) {
  static const QList<DefinicionCampo> campos = CamposTablaEmpresas() + CamposCalculadosAlcabala();
  for (const DefinicionCampo& definicion : campos)
    if (definicion.nombre == campo) return FormatoEmpresas(definicion);
  throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo));
}

QString TextoMostradoEmpresas(const DefinicionCampo& campo, const QVariant& valor, const QLocale& locale) {
  return TextoConFormato(valor, FormatoEmpresas(campo), locale);
}

TablaEmpresas::TablaEmpresas(const QLocale& locale)
    : locale_(locale),
      datos_(std::make_unique<DataSet>(CamposTablaEmpresas(), QStringLiteral("nombre"), ComparadorNombres(locale),
                                       DataSet::FilasNuevas::Nulas)) {
  datos_->setObjectName(QStringLiteral("ClientDataSetAlcabalas"));
  datos_->DefinirCalculados(CamposCalculadosAlcabala(),
                            [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
}

TablaEmpresas::~TablaEmpresas() = default;

QString TablaEmpresas::TextoMostrado(const QString& campo) const {
  const DefinicionCampo* definicion = datos_->FindField(campo);
  if (!definicion) throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo));
  return TextoMostradoEmpresas(*definicion, datos_->Valor(campo), locale_);
}

UsoTablaEmpresas::UsoTablaEmpresas(TablaEmpresas& tabla) : datos_(tabla.ClientDataSetAlcabalas()) {
  datos_.Cerrar();
  datos_.Abrir();
}

// Closing an in-memory data set drops its rows.
UsoTablaEmpresas::~UsoTablaEmpresas() { datos_.Cerrar(); }
