#pragma once
// The pictures of the program: the nine tool images of the menus and the
// tool bar, the window icon and the logos. Taken from the desktop's icon
// theme when it has all of them, otherwise drawn here, so a bare machine
// shows them too.

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The tool images, by their index in the image list.
enum class ImagenHerramienta {
  CrearArchivo = 0,
  AbrirArchivo = 1,
  CrearAlcabala = 2,
  EditarAlcabala = 3,
  GuardarAlcabala = 4,
  CerrarArchivo = 5,
  Imprimir = 6,
  Salir = 7,
  EliminarAlcabala = 8,
};
inline constexpr int CantidadImagenesHerramienta = 9;

// A tool image from the icon theme, or the program's own drawing when the
// theme lacks any of the nine (so the set never mixes two styles).
QIcon IconoHerramienta(ImagenHerramienta imagen);

// The program's own drawing of a tool image (16, 24, 32 and 48 pixels).
QIcon IconoHerramientaDibujado(ImagenHerramienta imagen);

// The window icon: the installed application icon, or the drawn one.
QIcon IconoVentana();

// The product logo (a form sheet and the name "Alcabala") drawn to fill
// tamano; used by the About dialog and the form's header.
QPixmap DibujarLogo(QSize tamano);
