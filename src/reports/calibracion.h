#pragma once
// Printer calibration: every printer feeds paper a little differently, so
// the front and back printouts on one printer move by a horizontal and a
// vertical offset in millimetres (positive: right and down) until the values
// land in the pre-printed form's boxes. Offsets are kept per printer name with
// QSettings in the user's configuration folder (organisation and application
// "Alcabala"). Lists, summaries, copies and PDF output are never shifted
// unless asked.

#include <QLocale>
#include <QPointF>
#include <QString>

inline constexpr double LimiteCalibracionMm = 20.0;  // either way
inline constexpr double PasoCalibracionMm = 0.5;

struct Calibracion {
  double horizontalMm = 0;
  double verticalMm = 0;
  QPointF Desplazamiento() const { return {horizontalMm, verticalMm}; }
};

// Raises ErrorAlcabala with a Spanish message when an offset is out of
// range or not a multiple of the step. eje names it in the message.
void ComprobarDesplazamiento(double milimetros, const QString& eje);

// Millimetres typed by the user: "2", "-1.5" or "-1,5" (either decimal
// separator). Raises ErrorAlcabala when the text is no number, or as
// ComprobarDesplazamiento.
double LeerMilimetros(const QString& texto, const QString& eje);

// "2,0" or "-1.5": an offset with one decimal in the locale's notation.
QString TextoMilimetros(double milimetros, const QLocale& locale);

// The saved offsets of a printer; none saved: no shift. A value damaged in
// the settings file counts as no shift, one out of range as the nearest limit,
// one off the step as the nearest step.
Calibracion LeerCalibracion(const QString& impresora);

// Saves the offsets of a printer after checking them. Raises ErrorAlcabala
// when they are not valid or the settings cannot be written.
void GuardarCalibracion(const QString& impresora, const Calibracion& calibracion);
