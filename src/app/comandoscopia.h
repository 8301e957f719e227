#pragma once
// "&Copia en PDF...": the complete copy of the declaration shown (both sides
// of the form drawn in full, with its values) saved as a PDF file. It reads
// copies of the current declaration and taxpayer rows, so the window keeps
// its declaration, values and enabled commands, and nothing is written to
// the data file.

#include <QLocale>
#include <QString>
#include <functional>

struct ContextoComandos;
class QWidget;

// The save dialog: titled "Guardar Copia", filter "PDF (*.pdf)", opening on
// the proposed path and asking before it overwrites a file. Returns the path
// chosen, or an empty text when the user cancels. Tests replace it; an empty
// function puts the real dialog back.
using DialogoGuardarCopia = std::function<QString(QWidget* padre, const QString& propuesta)>;
void EstablecerDialogoGuardarCopia(DialogoGuardarCopia dialogo);

// Proposes "<nombre del archivo> AAAA-MM.pdf" in the data file's folder and
// writes the copy where the user says. Cancelling writes nothing.
void MenuItemCopiaAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale);
