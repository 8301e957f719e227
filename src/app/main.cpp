// Alcabala: the monthly tax declaration of Chilean taxpayers.

#include <QApplication>

#include "app/arranque.h"

int main(int argc, char** argv) {
  QApplication aplicacion(argc, argv);
  return EjecutarAlcabala(aplicacion);
}
