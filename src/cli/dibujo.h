#pragma once
// What every subcommand that draws shares: where the pages go (a PDF file or
// a printer) and the drawing itself. Such subcommands register with `dibuja`
// set, and main() then starts a QGuiApplication on the offscreen platform:
// text on a paint device needs one, a display does not.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "reports/calibracion.h"

class QPagedPaintDevice;

struct DestinoDibujo {
  QString pdf;        // --pdf SALIDA.pdf
  QString impresora;  // --impresora NOMBRE; both empty: the default printer
};

// The usage text of the two options, for the subcommands' own usage lines.
inline const QString UsoDestinoDibujo = QStringLiteral("[--pdf SALIDA.pdf | --impresora NOMBRE]");

// Takes --pdf and --impresora with their values out of the arguments. False
// when they are misused (both given, one twice, a value missing).
bool LeerDestinoDibujo(QStringList& argumentos, DestinoDibujo* destino);

// The usage text of the calibration offsets.
inline const QString UsoDesplazamiento = QStringLiteral("[--horizontal MM] [--vertical MM]");

// The offsets given on the command line, each one or not.
struct DesplazamientoPedido {
  std::optional<double> horizontalMm;
  std::optional<double> verticalMm;
  bool Pedido() const { return horizontalMm || verticalMm; }
  // The offsets given over those of base.
  Calibracion Sobre(const Calibracion& base) const {
    return {horizontalMm.value_or(base.horizontalMm), verticalMm.value_or(base.verticalMm)};
  }
};

// Takes --horizontal and --vertical with their values (millimetres, "." or
// "," as the decimal separator) out of the arguments. False when they are
// misused (one twice, a value missing). A value that is no number or out of
// range raises ErrorAlcabala with a Spanish message.
bool LeerDesplazamiento(QStringList& argumentos, DesplazamientoPedido* desplazamiento);

// Runs dibujar on the destination. A PDF is written under a temporary name in
// its folder and put in place only when complete, so a failure leaves no
// file behind; a printer is used in full-page mode with the job named
// titulo. Throws ErrorAlcabala with a Spanish message when there is no
// printer, the printer fails, the file cannot be written or it would be a
// data file (.alc, .oalc).
void DibujarEnDestino(const DestinoDibujo& destino, const QString& titulo,
                      const std::function<void(QPagedPaintDevice&)>& dibujar);
