// alcabala-cli exportar ARCHIVO [--periodo AAAA-MM]: the taxpayer and the
// declarations of a data file as one JSON document, calculated boxes
// included. The file is opened for reading only and never upgraded.
//
// An accountant's script runs this over hundreds of files: it reads through
// SQLite's own interface, the stored columns of each row by position straight
// into the JSON text, and needs nothing but Qt Core and SQLite.

#include "cli/ligero/exportar.h"

#include <sqlite3.h>

#include "cli/ligero/calculofila.h"
#include "cli/ligero/filajson.h"
#include "cli/ligero/json.h"
#include "cli/ligero/periodo.h"
#include "declarations/motor/calculo.h"
#include "general/registroplano.h"
#include "general/valores.h"
#include "storage/formato/columnas.h"
#include "storage/formato/contribuyente.h"
#include "storage/formato/sqlite.h"

namespace {

// A plain text: the subcommand may be asked for by other files' static objects.
constexpr char kUso[] = "exportar ARCHIVO [--periodo AAAA-MM]";

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

// The taxpayer row's stored columns and calculated fields in one record, for
// the handler that reads fields by name.
class RegistroCalculado {
 public:
  RegistroCalculado(const QList<DefinicionCampo>& columnas, const QList<DefinicionCampo>& calculados)
      : columnas_(columnas), calculados_(calculados) {
    for (const DefinicionCampo& campo : columnas) registro_.Agregar(campo, QVariant());
    for (const DefinicionCampo& campo : calculados) {
      registro_.Agregar(campo, QVariant());
      QByteArray clave = ", ";
      AnadirJsonTexto(clave, campo.nombre);
      claves_.append(clave + ": ");
    }
  }

  // Takes the stored values of the statement's current row; the calculated
  // fields start null.
  RegistroPlano& Leer(sqlite3_stmt* fila) {
    for (int i = 0; i < columnas_.size(); ++i)
      registro_.Agregar(columnas_.at(i), LeerValorColumna(ValorCrudo(fila, i), columnas_.at(i)));
    for (const DefinicionCampo& campo : calculados_) registro_.Agregar(campo, QVariant());
    return registro_;
  }

  // Holds the calculated values as a data set holds them (amounts as Moneda,
  // texts cut to their size) and appends them as JSON members, each after ", ".
  void AnadirCalculados(QByteArray& destino) const {
    for (int i = 0; i < calculados_.size(); ++i) {
      const DefinicionCampo& campo = calculados_.at(i);
      destino += claves_.at(i);
      AnadirJsonValorCampo(destino, ConvertirValorCampo(registro_.Valor(campo.nombre), campo), campo);
    }
  }

 private:
  QList<DefinicionCampo> columnas_;
  QList<DefinicionCampo> calculados_;
  QList<QByteArray> claves_;  // `, "name": ` of each calculated field
  RegistroPlano registro_;
};

// The year or the month of the row, for a message (0 when null).
int Periodo(sqlite3_stmt* fila, const QList<DefinicionCampo>& columnas, const QString& nombre) {
  for (int i = 0; i < columnas.size(); ++i)
    if (columnas.at(i).nombre == nombre)
      return static_cast<int>(NuloACeroEntero(LeerValorColumna(ValorCrudo(fila, i), columnas.at(i))));
  return 0;
}

// The taxpayer row as JSON, or null when the table holds none.
QByteArray ExportarContribuyente(sqlite3* base) {
  const QList<DefinicionCampo> columnas = ColumnasDeTabla(base, QStringLiteral("contribuyente"));
  Sentencia fila = PrepararSentencia(base, QStringLiteral("SELECT * FROM contribuyente ORDER BY rowid LIMIT 1"));
  if (!PasoSentencia(base, fila.get())) return QByteArrayLiteral("null");
  if (sqlite3_column_count(fila.get()) != columnas.size())
    throw ErrorAlcabala(QStringLiteral("La tabla contribuyente cambió mientras se leía."));
  RegistroCalculado contribuyente(columnas, CamposCalculadosContribuyente());
  ADODataSetContribuyenteCalcFields(contribuyente.Leer(fila.get()));
  QByteArray json = "{";
  MiembrosJson(columnas).AnadirFila(json, fila.get());
  contribuyente.AnadirCalculados(json);
  json += '}';
  return json;
}

// The declarations as the members of a JSON array, in the order of the index
// (year, month, then as stored). The boxes the engine could not compute go
// out as null, and standard error says which. Returns the number of rows.
int ExportarDeclaraciones(sqlite3* base, const OpcionesExportar& opciones, const QLocale& locale,
                          QTextStream& errores, QByteArray& destino) {
  const QList<DefinicionCampo> columnas = ColumnasDeTabla(base, QStringLiteral("alcabalas"));
  // One period goes through the index; the table is not read.
  Sentencia filas = opciones.conPeriodo
                        ? PrepararSentencia(base,
                                            QStringLiteral("SELECT * FROM alcabalas WHERE ano = ? AND mes = ? "
                                                           "ORDER BY ano, mes, rowid"),
                                            {opciones.ano, opciones.mes})
                        : PrepararSentencia(base, QStringLiteral("SELECT * FROM alcabalas ORDER BY ano, mes, rowid"));
  const MiembrosJson miembros(columnas);
  CalculoDeFilas calculo(columnas, locale);
  int cantidad = 0;
  while (PasoSentencia(base, filas.get())) {
    if (sqlite3_column_count(filas.get()) != columnas.size())
      throw ErrorAlcabala(QStringLiteral("La tabla alcabalas cambió mientras se leía."));
    calculo.Calcular(filas.get());
    if (const QStringList fallidas = calculo.NoCalculadas(); !fallidas.isEmpty())
      errores << MensajeCajasNoCalculadas(fallidas, Periodo(filas.get(), columnas, QStringLiteral("ano")),
                                          Periodo(filas.get(), columnas, QStringLiteral("mes")))
              << "\n";
    destino += cantidad++ == 0 ? "\n    {" : ",\n    {";
    miembros.AnadirFila(destino, filas.get());
    calculo.AnadirCalculados(destino);
    destino += '}';
  }
  return cantidad;
}

int Exportar(ContextoCli& contexto) {
  OpcionesExportar opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, QString::fromLatin1(kUso));

  QByteArray documento;
  documento.reserve(1 << 16);
  documento += "{\n  \"archivo\": ";
  AnadirJsonTexto(documento, NombreSinExtension(opciones.ruta));
  {
    const ArchivoSoloLecturaSqlite archivo(opciones.ruta);
    // One snapshot for the taxpayer and every declaration, even while another
    // program writes the file; closing the file ends it.
    EjecutarSentencia(archivo.Base(), QStringLiteral("BEGIN"));
    documento += ",\n  \"contribuyente\": ";
    documento += ExportarContribuyente(archivo.Base());
    documento += ",\n  \"alcabalas\": [";
    const int declaraciones =
        ExportarDeclaraciones(archivo.Base(), opciones, contexto.locale, contexto.errores, documento);
    documento += declaraciones == 0 ? "]\n}\n" : "\n  ]\n}\n";
  }
  EscribirSalida(contexto, documento);
  return 0;
}

}  // namespace

const Subcomando& SubcomandoExportar() {
  static const Subcomando exportar{QStringLiteral("exportar"), QString::fromLatin1(kUso), Exportar};
  return exportar;
}
