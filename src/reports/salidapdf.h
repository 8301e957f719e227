#pragma once
// Writing drawn pages into a PDF file safely, as every whole file is written
// (general/escritura.h): put in place only when complete, so a failure leaves
// the earlier file as it was; never through a link, over anything but a
// regular file, or over a data file.

#include <QString>
#include <functional>

class QPagedPaintDevice;

// Runs dibujar on a PDF writer whose document is titled titulo, created by
// "Alcabala". Throws ErrorAlcabala "No se pudo escribir «X»: …" when the file
// cannot be written, is no regular file or would be a data file (.alc, .oalc).
void EscribirPdf(const QString& ruta, const QString& titulo, const std::function<void(QPagedPaintDevice&)>& dibujar);
