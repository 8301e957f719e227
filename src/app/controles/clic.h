#pragma once
// Clicks on widgets that have no click signal of their own (pictures,
// labels, the marquee) and the opening of web and mail addresses.

#include <QString>
#include <functional>

class QWidget;

// Runs manejador, through the command wrapper, whenever the left mouse
// button is released over widget after being pressed on it. The observer is
// owned by the widget.
void AlHacerClic(QWidget* widget, std::function<void()> manejador);

// Hands url to the desktop (default browser, or mail program for mailto:)
// when EsDireccionAbrible accepts it; anything else is ignored. Does not wait
// for the result. Returns whether the address was handed over.
bool AbrirDireccion(const QString& url, bool permitirMailto);

// The maker's web site and mail address, opened by the logo and the About
// dialog.
QString DireccionWebFabricante();
QString DireccionCorreoFabricante();
