// alcabala-cli casillas ARCHIVO AAAA-MM [--json | --pdf SALIDA.pdf]: the boxes
// of a period's declaration to type into the tax authority's online form, in
// its order: one "código<TAB>valor<TAB>línea<TAB>glosa" line per box, the same
// as JSON, or the printed list as a PDF. The file is opened for reading only.

#include "declarations/lectura.h"
#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "reports/casillas.h"
#include "reports/renderizador.h"
#include "reports/salidapdf.h"

namespace {

const QString kUso = QStringLiteral("casillas ARCHIVO AAAA-MM [--json | --pdf SALIDA.pdf]");

enum class FormaCasillas { Texto, Json, Pdf };

struct OpcionesCasillas {
  QString ruta;
  int ano = 0;
  int mes = 0;
  FormaCasillas forma = FormaCasillas::Texto;
  QString pdf;
};

bool LeerOpciones(const QStringList& argumentos, OpcionesCasillas* opciones) {
  if (argumentos.size() < 2) return false;
  const QStringList resto = argumentos.mid(2);
  if (resto == QStringList{QStringLiteral("--json")}) {
    opciones->forma = FormaCasillas::Json;
  } else if (resto.size() == 2 && resto.at(0) == QLatin1String("--pdf") && !resto.at(1).isEmpty()) {
    opciones->forma = FormaCasillas::Pdf;
    opciones->pdf = resto.at(1);
  } else if (!resto.isEmpty()) {
    return false;
  }
  opciones->ruta = argumentos.at(0);
  return LeerPeriodoArgumento(argumentos.at(1), &opciones->ano, &opciones->mes);
}

int Casillas(ContextoCli& contexto) {
  OpcionesCasillas opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, kUso);

  const FormularioLeido leida = LeerDeclaracion(opciones.ruta, opciones.ano, opciones.mes, contexto.locale);
  const QList<CasillaSii> casillas = CasillasParaSii(leida.declaracion, opciones.ano, opciones.mes);
  switch (opciones.forma) {
    case FormaCasillas::Texto: EscribirSalida(contexto, TextoCasillas(casillas).toUtf8()); break;
    case FormaCasillas::Json: EscribirSalida(contexto, JsonCasillas(casillas, opciones.ano, opciones.mes)); break;
    case FormaCasillas::Pdf: {
      const QString titulo = TituloCasillas(opciones.ano, opciones.mes);
      const QList<RegistroPlano> filas = FilasCasillas(casillas);
      OpcionesRender render;
      render.locale = contexto.locale;
      EscribirPdf(opciones.pdf, titulo, [&](QPagedPaintDevice& pdf) {
        Renderizar(PlantillaCasillas(), DatosCasillas(filas, leida.contribuyente, titulo), pdf, render);
      });
      break;
    }
  }
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("casillas"), kUso, Casillas, true});

}  // namespace
