#include "reports/calibracion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <memory>

#include "general/errores.h"
#include "general/escritura.h"

namespace {

const QString Horizontal = QStringLiteral("horizontal");
const QString Vertical = QStringLiteral("vertical");

// A printer's name may hold "/" and "\", which QSettings reads as groups.
QString Grupo(const QString& impresora) {
  return QStringLiteral("Calibracion/") + QString::fromLatin1(QUrl::toPercentEncoding(impresora));
}

std::unique_ptr<QSettings> Ajustes() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Alcabala"),
                                     QStringLiteral("Alcabala"));
}

double LeerGuardado(const QSettings& ajustes, const QString& clave) {
  bool ok = false;
  const double valor = ajustes.value(clave).toString().toDouble(&ok);
  if (!ok || !std::isfinite(valor)) return 0;
  // A value edited by hand off the step is taken to the nearest step, so the
  // value saved next (with the other axis changed) is a valid one.
  const double enPasos = std::round(valor / PasoCalibracionMm) * PasoCalibracionMm;
  return std::clamp(enPasos, -LimiteCalibracionMm, LimiteCalibracionMm);
}

}  // namespace

void ComprobarDesplazamiento(double milimetros, const QString& eje) {
  const QLocale chile(QLocale::Spanish, QLocale::Chile);
  if (!std::isfinite(milimetros) || std::abs(milimetros) > LimiteCalibracionMm)
    throw ErrorAlcabala(QStringLiteral("El desplazamiento %1 debe estar entre %2 y %3 mm")
                            .arg(eje, TextoMilimetros(-LimiteCalibracionMm, chile),
                                 TextoMilimetros(LimiteCalibracionMm, chile)));
  const double pasos = milimetros / PasoCalibracionMm;
  if (std::abs(pasos - std::round(pasos)) > 1e-9)
    throw ErrorAlcabala(QStringLiteral("El desplazamiento %1 debe ir de %2 en %2 mm")
                            .arg(eje, TextoMilimetros(PasoCalibracionMm, chile)));
}

double LeerMilimetros(const QString& texto, const QString& eje) {
  QString normal = texto.trimmed();
  normal.replace(QLatin1Char(','), QLatin1Char('.'));
  normal.replace(QChar(0x2212), QLatin1Char('-'));  // a typographic minus
  bool ok = false;
  const double valor = QLocale::c().toDouble(normal, &ok);
  if (!ok || normal.count(QLatin1Char('.')) > 1)
    throw ErrorAlcabala(
        QStringLiteral("«%1» no es un desplazamiento %2 en milímetros (por ejemplo 2, -1,5 o 1.5)").arg(texto, eje));
  ComprobarDesplazamiento(valor, eje);
  return valor;
}

QString TextoMilimetros(double milimetros, const QLocale& locale) {
  QLocale sinGrupos = locale;
  sinGrupos.setNumberOptions(QLocale::OmitGroupSeparator);
  return sinGrupos.toString(milimetros == 0 ? 0.0 : milimetros, 'f', 1);
}

Calibracion LeerCalibracion(const QString& impresora) {
  const auto ajustes = Ajustes();
  ajustes->beginGroup(Grupo(impresora));
  return {LeerGuardado(*ajustes, Horizontal), LeerGuardado(*ajustes, Vertical)};
}

void GuardarCalibracion(const QString& impresora, const Calibracion& calibracion) {
  ComprobarDesplazamiento(calibracion.horizontalMm, Horizontal);
  ComprobarDesplazamiento(calibracion.verticalMm, Vertical);
  const auto ajustes = Ajustes();
  // The new settings are composed in a scratch file (QSettings knows the
  // format) and written whole like every file of the program, so a full disk
  // or a killed program never leaves the user's settings half-written.
  QTemporaryDir borrador;
  if (!borrador.isValid())
    FallaEscritura(ajustes->fileName(), borrador.errorString());
  const QString rutaBorrador = borrador.filePath(QStringLiteral("Alcabala.conf"));
  {
    QSettings nuevos(rutaBorrador, QSettings::IniFormat);
    for (const QString& clave : ajustes->allKeys()) nuevos.setValue(clave, ajustes->value(clave));
    nuevos.beginGroup(Grupo(impresora));
    // Plain text with a dot, whatever the locale: the file reads the same everywhere.
    nuevos.setValue(Horizontal, QString::number(calibracion.horizontalMm, 'f', 1));
    nuevos.setValue(Vertical, QString::number(calibracion.verticalMm, 'f', 1));
    nuevos.endGroup();
    nuevos.sync();
    if (nuevos.status() != QSettings::NoError)
      throw ErrorAlcabala(QStringLiteral("No se pudo guardar el ajuste de la impresora «%1» en «%2»")
                              .arg(impresora, ajustes->fileName()));
  }
  QFile compuesto(rutaBorrador);
  if (!compuesto.open(QIODevice::ReadOnly))
    FallaEscritura(ajustes->fileName(), compuesto.errorString());
  QDir().mkpath(QFileInfo(ajustes->fileName()).absolutePath());
  EscribirArchivoEntero(ajustes->fileName(), ModoEscritura::Reemplazar, compuesto.readAll());
}
