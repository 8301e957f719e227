// alcabala-cli resumen iva|retenciones|ppm ARCHIVO AÑO [--pdf SALIDA.pdf |
// --impresora NOMBRE]: the annual summary of a data file, drawn with the same
// template and lines as the window's preview, into a PDF file or onto a
// printer. The file is opened for reading only and never upgraded; a year
// without declarations prints the headings and a totals line of zeros.

#include "cli/dibujo.h"
#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "declarations/lectura.h"
#include "reports/plantillas.h"
#include "reports/renderizador.h"
#include "reports/resumenes.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/leercontribuyente.h"

namespace {

const QString kUso = QStringLiteral("resumen iva|retenciones|ppm ARCHIVO AÑO ") + UsoDestinoDibujo;

struct OpcionesResumen {
  const DefinicionResumen* resumen = nullptr;
  QString ruta;
  int ano = 0;
  DestinoDibujo destino;
};

const DefinicionResumen* ResumenDeClave(const QString& clave) {
  for (const DefinicionResumen& r : Resumenes())
    if (r.clave == clave) return &r;
  return nullptr;
}

bool LeerOpciones(QStringList argumentos, OpcionesResumen* opciones) {
  if (!LeerDestinoDibujo(argumentos, &opciones->destino) || argumentos.size() != 3) return false;
  opciones->resumen = ResumenDeClave(argumentos.at(0));
  opciones->ruta = argumentos.at(1);
  return opciones->resumen != nullptr && LeerAnoArgumento(argumentos.at(2), &opciones->ano);
}

int Resumir(ContextoCli& contexto) {
  OpcionesResumen opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, kUso);

  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, opciones.ruta);
  const QList<RegistroPlano> declaraciones = LeerDeclaracionesDelAno(conexion, opciones.ano, contexto.locale);
  const RegistroPlano contribuyente = LeerContribuyente(conexion);
  conexion.Cerrar();

  const QString titulo = TituloResumen(*opciones.resumen, opciones.ano);
  const Plantilla& plantilla = BuscarPlantilla(opciones.resumen->plantilla);
  OpcionesRender render;
  render.locale = contexto.locale;
  DibujarEnDestino(opciones.destino, titulo, [&](QPagedPaintDevice& dispositivo) {
    Renderizar(plantilla, DatosResumen(declaraciones, contribuyente, titulo), dispositivo, render);
  });
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("resumen"), kUso, Resumir, true});

}  // namespace
