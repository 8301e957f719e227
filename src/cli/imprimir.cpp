// alcabala-cli imprimir ARCHIVO AAAA-MM anverso|reverso [--pdf SALIDA.pdf |
// --impresora NOMBRE]: one side of a period's declaration, drawn with the
// same templates and renderer as the window's printouts, into a PDF file or
// onto a printer. The file is opened for reading only and never upgraded.

#include <QRegularExpression>

#include "cli/dibujo.h"
#include "cli/subcomando.h"
#include "declarations/calculo.h"
#include "general/errores.h"
#include "general/valores.h"
#include "reports/plantillas.h"
#include "reports/renderizador.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/contribuyente.h"
#include "storage/dataset.h"

namespace {

const QString kUso = QStringLiteral("imprimir ARCHIVO AAAA-MM anverso|reverso ") + UsoDestinoDibujo;

struct OpcionesImprimir {
  QString ruta;
  int ano = 0;
  int mes = 0;
  bool anverso = true;
  DestinoDibujo destino;
};

bool LeerOpciones(QStringList argumentos, OpcionesImprimir* opciones) {
  if (!LeerDestinoDibujo(argumentos, &opciones->destino) || argumentos.size() != 3) return false;
  static const QRegularExpression patronPeriodo(QStringLiteral("^(\\d{4})-(\\d{2})$"));
  const auto periodo = patronPeriodo.match(argumentos.at(1));
  if (!periodo.hasMatch()) return false;
  opciones->ruta = argumentos.at(0);
  opciones->ano = periodo.captured(1).toInt();
  opciones->mes = periodo.captured(2).toInt();
  if (opciones->mes < 1 || opciones->mes > 12) return false;
  const QString lado = argumentos.at(2);
  if (lado != QLatin1String("anverso") && lado != QLatin1String("reverso")) return false;
  opciones->anverso = lado == QLatin1String("anverso");
  return true;
}

// The declaration of one period with its calculated boxes.
RegistroPlano LeerDeclaracion(Conexion& conexion, const OpcionesImprimir& opciones, const QLocale& locale) {
  DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
  alcabalas.DefinirCalculados(CamposCalculadosAlcabala(),
                              [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
  alcabalas.Restringir(opciones.ano, opciones.mes);
  alcabalas.Abrir();
  if (!alcabalas.Buscar(opciones.ano, opciones.mes))
    throw ErrorAlcabala(QStringLiteral("El archivo «%1» no tiene la declaración de %2 de %3")
                            .arg(NombreSinExtension(opciones.ruta), NombreDelMes(opciones.mes))
                            .arg(opciones.ano));
  return alcabalas.CopiaRegistroActual();
}

int Imprimir(ContextoCli& contexto) {
  OpcionesImprimir opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, kUso);

  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, opciones.ruta);
  const RegistroPlano declaracion = LeerDeclaracion(conexion, opciones, contexto.locale);
  const RegistroPlano contribuyente = LeerContribuyente(conexion);
  conexion.Cerrar();

  const Plantilla& plantilla = BuscarPlantilla(opciones.anverso ? PlantillaAnverso : PlantillaReverso);
  OpcionesRender render;
  render.locale = contexto.locale;
  DibujarEnDestino(opciones.destino, opciones.anverso ? TituloAnverso : TituloReverso,
                   [&](QPagedPaintDevice& dispositivo) {
                     Renderizar(plantilla, DatosFormulario(declaracion, contribuyente), dispositivo, render);
                   });
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("imprimir"), kUso, Imprimir, true});

}  // namespace
