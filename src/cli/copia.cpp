// alcabala-cli copia ARCHIVO AAAA-MM --pdf SALIDA.pdf: the complete copy of a
// period's declaration (both sides of the form drawn in full, with its
// values) into a PDF file. The file is opened for reading only.

#include <QDate>

#include "cli/declaracion.h"
#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "reports/copiaformulario.h"
#include "reports/salidapdf.h"

namespace {

const QString kUso = QStringLiteral("copia ARCHIVO AAAA-MM --pdf SALIDA.pdf");

struct OpcionesCopia {
  QString ruta;
  int ano = 0;
  int mes = 0;
  QString pdf;
};

bool LeerOpciones(const QStringList& argumentos, OpcionesCopia* opciones) {
  if (argumentos.size() != 4 || argumentos.at(2) != QLatin1String("--pdf") || argumentos.at(3).isEmpty()) return false;
  opciones->ruta = argumentos.at(0);
  opciones->pdf = argumentos.at(3);
  return LeerPeriodoArgumento(argumentos.at(1), &opciones->ano, &opciones->mes);
}

int Copia(ContextoCli& contexto) {
  OpcionesCopia opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, kUso);

  const FormularioLeido leida = LeerDeclaracion(opciones.ruta, opciones.ano, opciones.mes, contexto.locale);

  const PieCopia pie{opciones.ruta, opciones.ano, opciones.mes, QDate::currentDate()};
  EscribirPdf(opciones.pdf, TituloCopia(opciones.ruta, opciones.ano, opciones.mes),
              [&](QPagedPaintDevice& pdf) {
                DibujarCopia(leida.declaracion, leida.contribuyente, pie, pdf, contexto.locale);
              });
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("copia"), kUso, Copia, true});

}  // namespace
