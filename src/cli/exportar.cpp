// alcabala-cli exportar ARCHIVO [--periodo AAAA-MM]: the taxpayer and the
// declarations of a data file as one JSON document, calculated boxes
// included. The file is opened for reading only and never upgraded.

#include "cli/json.h"
#include "cli/periodo.h"
#include "cli/subcomando.h"
#include "declarations/calculo.h"
#include "declarations/lectura.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/contribuyente.h"
#include "storage/dataset.h"

namespace {

const QString kUso = QStringLiteral("exportar ARCHIVO [--periodo AAAA-MM]");

struct OpcionesExportar {
  QString ruta;
  bool conPeriodo = false;
  int ano = 0;
  int mes = 0;
};

// False for arguments that do not make a valid call.
bool LeerOpciones(const QStringList& argumentos, OpcionesExportar* opciones) {
  for (int i = 0; i < argumentos.size(); ++i) {
    const QString& argumento = argumentos.at(i);
    if (argumento == QLatin1String("--periodo")) {
      if (opciones->conPeriodo || i + 1 >= argumentos.size()) return false;
      if (!LeerPeriodoArgumento(argumentos.at(++i), &opciones->ano, &opciones->mes)) return false;
      opciones->conPeriodo = true;
    } else if (argumento.startsWith(QLatin1Char('-')) || !opciones->ruta.isEmpty()) {
      return false;
    } else {
      opciones->ruta = argumento;
    }
  }
  return !opciones->ruta.isEmpty();
}

QString ExportarContribuyente(Conexion& conexion) {
  DataSet contribuyente(&conexion, QStringLiteral("contribuyente"), false);
  contribuyente.DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
  contribuyente.Abrir();
  return contribuyente.EstaVacio() ? QStringLiteral("null") : JsonRegistro(contribuyente, contribuyente.Campos());
}

// One declaration as JSON; the boxes the engine could not compute go out as
// null, and standard error says which.
QString ExportarDeclaracion(const Registro& declaracion, const QList<DefinicionCampo>& campos,
                            QTextStream& errores) {
  const QStringList fallidas = CajasNoCalculadas(declaracion);
  if (!fallidas.isEmpty())
    errores << MensajeCajasNoCalculadas(fallidas,
                                        static_cast<int>(NuloACeroEntero(declaracion.Valor(QStringLiteral("ano")))),
                                        static_cast<int>(NuloACeroEntero(declaracion.Valor(QStringLiteral("mes")))))
            << "\n";
  return JsonRegistro(declaracion, campos);
}

QStringList ExportarDeclaraciones(Conexion& conexion, const OpcionesExportar& opciones, const QLocale& locale,
                                  QTextStream& errores) {
  QStringList objetos;
  if (opciones.conPeriodo) {
    // One period goes through the index; the table is not loaded.
    for (const RegistroPlano& declaracion :
         LeerDeclaracionesDelPeriodo(conexion, opciones.ano, opciones.mes, locale))
      objetos << ExportarDeclaracion(declaracion, declaracion.Definiciones(), errores);
    return objetos;
  }
  DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
  alcabalas.DefinirCalculados(CamposCalculadosAlcabala(),
                              [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
  alcabalas.Abrir();
  for (alcabalas.Primero(); !alcabalas.Eof(); alcabalas.Siguiente())
    objetos << ExportarDeclaracion(alcabalas, alcabalas.Campos(), errores);
  return objetos;
}

int Exportar(ContextoCli& contexto) {
  OpcionesExportar opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, kUso);

  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, opciones.ruta);
  const QString contribuyente = ExportarContribuyente(conexion);
  const QStringList declaraciones = ExportarDeclaraciones(conexion, opciones, contexto.locale, contexto.errores);
  conexion.Cerrar();

  QTextStream& salida = contexto.salida;
  salida << "{\n  \"archivo\": " << JsonTexto(NombreSinExtension(opciones.ruta)) << ",\n";
  salida << "  \"contribuyente\": " << contribuyente << ",\n";
  salida << "  \"alcabalas\": [";
  for (int i = 0; i < declaraciones.size(); ++i)
    salida << (i == 0 ? "\n    " : ",\n    ") << declaraciones.at(i);
  salida << (declaraciones.isEmpty() ? "]\n}\n" : "\n  ]\n}\n");
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("exportar"), kUso, Exportar});

}  // namespace
