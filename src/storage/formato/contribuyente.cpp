#include "storage/formato/contribuyente.h"

#include "general/valores.h"

namespace {
constexpr int CeldasRut = 8;
}

QList<DefinicionCampo> CamposCalculadosContribuyente() {
  QList<DefinicionCampo> campos;
  for (int k = 1; k <= CeldasRut + 1; ++k)
    campos.append({QStringLiteral("RUT_%1").arg(k), TipoColumna::W, 1, true});
  campos.append({QStringLiteral("nombre"), TipoColumna::W, LargoNombreContribuyente, true});
  return campos;
}

QString NombreImpreso(const QString& apellidoPaterno, const QString& apellidoMaterno, const QString& nombres) {
  const QString dados = nombres.trimmed();
  if (dados.isEmpty()) return apellidoPaterno.trimmed();
  const QString completo = apellidoPaterno.trimmed() + QLatin1Char(' ') + apellidoMaterno.trimmed() +
                           QStringLiteral(", ") + dados;
  return completo.left(LargoNombreContribuyente);
}

void ADODataSetContribuyenteCalcFields(Registro& registro) {
  const QVariant rut = registro.Valor(QStringLiteral("RUT"));
  if (EsNulo(rut)) {
    for (int k = 1; k <= CeldasRut + 1; ++k) registro.Asignar(QStringLiteral("RUT_%1").arg(k), QString());
  } else {
    const qint32 cuerpo = static_cast<qint32>(NuloACeroEntero(rut));
    // "%8s": right-aligned in eight characters; a longer body is not cut, so a
    // nine-digit body shows its first eight digits.
    const QString celdas = QString::number(cuerpo).rightJustified(CeldasRut, QLatin1Char(' '));
    for (int k = 1; k <= CeldasRut; ++k) registro.Asignar(QStringLiteral("RUT_%1").arg(k), celdas.mid(k - 1, 1));
    registro.Asignar(QStringLiteral("RUT_9"), DigitoVerificador(cuerpo));
  }

  const QVariant nombres = registro.Valor(QStringLiteral("nombres"));
  if (EsNulo(nombres)) {
    registro.Asignar(QStringLiteral("nombre"), QString());
    return;
  }
  registro.Asignar(QStringLiteral("nombre"),
                   NombreImpreso(NuloAVacio(registro.Valor(QStringLiteral("ApellidoPaternoRazonSocial"))),
                                 NuloAVacio(registro.Valor(QStringLiteral("ApellidoMaterno"))),
                                 NuloAVacio(nombres)));
}
