#include "reports/informesempresas.h"

#include "general/errores.h"

const QList<DefinicionInformeEmpresas>& InformesEmpresas() {
  using I = InformeEmpresas;
  using C = ClaseInforme;
  static const QList<DefinicionInformeEmpresas> informes = {
      {I::Empresas, C::Todas, QStringLiteral("empresas"), QStringLiteral("EMPRESAS DEL "),
       QStringLiteral("empresas"), QStringLiteral("MenuItemEmpresas")},
      {I::SinPagoImpuestos, C::SinPago, QStringLiteral("empresas"),
       QStringLiteral("EMPRESAS SIN PAGO DE IMPUESTOS DEL "), QStringLiteral("sin-pago"),
       QStringLiteral("MenuItemEmpresasSinPagoImpuestos")},
      {I::PagarImpuestos, C::APagar, QStringLiteral("empresas"), QStringLiteral("EMPRESAS A PAGAR IMPUESTOS DEL "),
       QStringLiteral("a-pagar"), QStringLiteral("MenuItemEmpresasPagarImpuestos")},
      {I::IVA, C::Todas, QStringLiteral("EmpresasIVA"), QStringLiteral("EMPRESAS E IVA DEL "), QStringLiteral("iva"),
       QStringLiteral("MenuItemEmpresasIVA")},
      {I::Retenciones, C::Todas, QStringLiteral("EmpresasRetenciones"), QStringLiteral("EMPRESAS Y RETENCIONES DEL "),
       QStringLiteral("retenciones"), QStringLiteral("MenuItemEmpresasRetenciones")},
      {I::PPM, C::Todas, QStringLiteral("EmpresasPPM"), QStringLiteral("EMPRESAS Y PPM DEL "), QStringLiteral("ppm"),
       QStringLiteral("MenuItemEmpresasPPM")},
  };
  return informes;
}

const DefinicionInformeEmpresas& DefinicionInforme(InformeEmpresas informe) {
  for (const auto& definicion : InformesEmpresas())
    if (definicion.informe == informe) return definicion;
  throw ErrorAlcabala(QStringLiteral("Informe desconocido."));
}

const DefinicionInformeEmpresas* InformePorTipoCli(const QString& tipo) {
  for (const auto& definicion : InformesEmpresas())
    if (definicion.tipoCli == tipo) return &definicion;
  return nullptr;
}

QString TituloInforme(InformeEmpresas informe, int ano, int mes) {
  return DefinicionInforme(informe).prefijo + QString::number(mes) + QLatin1Char('/') + QString::number(ano);
}

bool SeleccionAdmite(ClaseInforme clase, bool conDeclaracion, Moneda cod91) {
  switch (clase) {
    case ClaseInforme::Todas: return true;
    case ClaseInforme::SinPago: return !conDeclaracion || cod91.EsCero();
    case ClaseInforme::APagar: return conDeclaracion && cod91 > Moneda();
  }
  return false;
}
