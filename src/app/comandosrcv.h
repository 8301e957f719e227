#pragma once
// "&Importar RCV...": the registry files of the current period read and
// reviewed box by box; "Aplicar" writes the registry's boxes into the
// declaration being edited (put into edit when it is being browsed), which
// the user then saves or cancels as always. Nothing is written to the data
// file by this command.

#include <QLocale>
#include <QStringList>
#include <functional>

#include "rcv/aplicacion.h"

struct ContextoComandos;
class QWidget;

// The file chooser: several CSV files; an empty list when the user cancels.
using DialogoArchivosRcv = std::function<QStringList(QWidget* padre)>;
// The review: true when the user chose "Aplicar".
using RevisionRcv = std::function<bool(QWidget* padre, const ResumenRcv& resumen,
                                       const QList<ComparacionRcv>& comparacion, const QLocale& locale)>;
// Tests replace them; an empty function puts the real dialog back.
void EstablecerDialogoArchivosRcv(DialogoArchivosRcv dialogo);
void EstablecerRevisionRcv(RevisionRcv revision);

void MenuItemImportarRcvClick(const ContextoComandos& contexto, int ano, int mes, const QLocale& locale);
