#pragma once
// "Imprimir &Anverso..." and "Imprimir &Reverso...": one side of the
// declaration shown, printed onto the pre-printed form, shifted by the
// calibration of the printer chosen. They read copies of the current
// declaration and taxpayer rows, so the window keeps its declaration, values
// and enabled commands, and nothing is written.

#include <QLocale>

struct ContextoComandos;
class QWidget;

void MenuItemImprimirAnversoAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale);
void MenuItemImprimirReversoAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale);

// "A&justar Impresión...": the calibration dialog over the installed printers.
void MenuItemAjustarImpresionClick(QWidget* ventana, const QLocale& locale);
