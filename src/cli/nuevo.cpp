// alcabala-cli nuevo ARCHIVO: creates a data file, exactly as the window's
// "Crear Archivo" does.

#include "cli/ligero/subcomando.h"
#include "storage/archivo.h"

namespace {

const QString kUso = QStringLiteral("nuevo ARCHIVO");

int Nuevo(ContextoCli& contexto) {
  if (contexto.argumentos.size() != 1 || contexto.argumentos.first().startsWith(QLatin1Char('-')))
    return ErrorDeUso(contexto, kUso);
  CrearArchivoAlcabala(contexto.argumentos.first());
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("nuevo"), kUso, Nuevo});

}  // namespace
