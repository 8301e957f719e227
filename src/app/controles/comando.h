#pragma once
// The one wrapper every command of the windows runs in, and the busy cursor.
//
// No exception may cross Qt's event loop: every menu item, tool button and
// handler that can fail runs through EjecutarComando, which shows the
// standard error box and swallows the error there. Commands that take time
// hold a CursorOcupado; as it lives inside the command, the normal cursor is
// back before the error box shows.

#include <QString>
#include <functional>

class QAction;
class QWidget;

// The application title: it titles every message box of the program.
QString TituloAplicacion();

// Shows the standard error box for a text that is already final.
using PresentadorError = std::function<void(QWidget* padre, const QString& texto)>;

// Replaces how the standard error box is shown (tests record the text
// instead of showing a modal box). An empty function puts the real box back.
void EstablecerPresentadorError(PresentadorError presentador);

// The standard error box: the message with a full stop appended when its
// last character sorts after "." (TextoMensajeError), titled "Alcabala", with
// a stop icon and only an OK button.
void MostrarCajaError(QWidget* padre, const QString& mensaje);

// Runs accion; any exception it raises ends it there and is shown in the
// standard error box, as is a failure a guard kept while putting its state
// back (RestaurarSinLanzar); the first error is the one shown. Returns true
// when accion ended normally with nothing kept.
bool EjecutarComando(QWidget* padre, const std::function<void()>& accion);

// Connects the action's trigger to accion, run through EjecutarComando.
void ConectarComando(QAction* accion, QWidget* padre, std::function<void()> manejador);

// The hourglass from construction until destruction (also when the command
// fails), or until Restaurar is called.
class CursorOcupado {
 public:
  CursorOcupado();
  ~CursorOcupado();
  CursorOcupado(const CursorOcupado&) = delete;
  CursorOcupado& operator=(const CursorOcupado&) = delete;

  // Puts the normal cursor back now; the destructor then does nothing.
  void Restaurar();

 private:
  bool activo_ = true;
};
