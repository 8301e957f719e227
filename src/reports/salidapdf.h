#pragma once
// Writing drawn pages into a PDF file safely: under a temporary name in the
// file's folder, put in place only when complete, so a failure leaves no
// file behind and never a half-written one; never over a data file.

#include <QString>
#include <functional>

class QPagedPaintDevice;

// Runs dibujar on a PDF writer whose document is titled titulo, created by
// "Alcabala". Throws ErrorAlcabala with a Spanish message when the file
// cannot be written or it would be a data file (.alc, .oalc).
void EscribirPdf(const QString& ruta, const QString& titulo, const std::function<void(QPagedPaintDevice&)>& dibujar);
