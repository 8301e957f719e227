#pragma once
// The caption of a vertical column band, as the catalogue writes it: lines
// in double quotes separated by ";". Read by the window's images and by the
// drawn copy of the form.

#include <QString>
#include <QStringList>

// The lines of a caption: ";" and blanks outside double quotes separate
// lines; a quoted line keeps its blanks and ";"; inside quotes "" is one
// quote. "\"Impor-\";\"tación\"" gives "Impor-" and "tación".
QStringList DividirCaption(const QString& caption);
