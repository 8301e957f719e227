#pragma once
// Start-up of the window program: application settings, the news feed, the
// main window and its dialogs.

#include <QString>
#include <QStringList>
#include <memory>

class QApplication;
class TFormAlcabala;

// Milliseconds a hint stays visible before it hides.
inline constexpr int PausaOcultarPistasMs = 100000;

// Text of the box shown when the news feed cannot be had.
QString TextoSinConexion();

// Exit code of a start-up that ends because the news feed cannot be had.
inline constexpr int CodigoSalidaSinConexion = 1;

// Application-wide settings: title "Alcabala", Qt's Spanish translations (so
// standard buttons read "Aceptar", "Cancelar", "Sí", "No"), hints that stay
// 100 s, the window icon. Call once, right after the QApplication exists.
void PrepararAplicacion(QApplication& aplicacion);

// Downloads the news feed; without it, tells the user "Debe estar conectado
// a Internet." and returns nullptr (no window is made). Otherwise creates the
// main window (which opens the parameter database and the data file named by
// the first argument after the program's name, when not empty), then its
// dialogs, and shows it.
std::unique_ptr<TFormAlcabala> IniciarAlcabala(const QStringList& argumentos);

// The whole program: PrepararAplicacion, IniciarAlcabala and the event loop
// until the main window closes. Returns the exit code.
int EjecutarAlcabala(QApplication& aplicacion);
