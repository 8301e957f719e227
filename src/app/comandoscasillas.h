#pragma once
// "Casillas para el &SII...": the boxes of the declaration shown, to type into
// the tax authority's online form, in a print preview (print and PDF from
// there). It reads copies of the current declaration and taxpayer rows, so
// the window keeps its declaration, values and enabled commands.

#include <QLocale>

struct ContextoComandos;

void MenuItemCasillasSiiClick(const ContextoComandos& contexto, const QLocale& locale);
