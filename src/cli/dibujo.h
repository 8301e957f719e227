#pragma once
// What every subcommand that draws shares: where the pages go (a PDF file or
// a printer) and the drawing itself. Such subcommands register with `dibuja`
// set, and main() then starts a QGuiApplication on the offscreen platform:
// text on a paint device needs one, a display does not.

#include <QString>
#include <QStringList>
#include <functional>

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

// Runs dibujar on the destination. A PDF is written under a temporary name in
// its folder and put in place only when complete, so a failure leaves no
// file behind; a printer is used in full-page mode with the job named
// titulo. Throws ErrorAlcabala with a Spanish message when there is no
// printer, the printer fails, the file cannot be written or it would be a
// data file (.alc, .oalc).
void DibujarEnDestino(const DestinoDibujo& destino, const QString& titulo,
                      const std::function<void(QPagedPaintDevice&)>& dibujar);
