// alcabala-cli rcv ARCHIVO AAAA-MM CSV... [--aplicar] [--json]: the purchase
// and sales registry's files of a period beside that period's declaration,
// box by box. Without --aplicar the data file is opened for reading only and
// nothing is written; with it the registry's boxes are written into the
// declaration in one transaction, every other box kept.

#include "cli/ligero/json.h"
#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "declarations/ciclo.h"
#include "declarations/lectura.h"
#include "general/errores.h"
#include "general/valores.h"
#include "rcv/aplicacion.h"
#include "rcv/resumen.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

const QString kUso = QStringLiteral("rcv ARCHIVO AAAA-MM CSV... [--aplicar] [--json]");

struct Orden {
  QString archivo;
  Periodo periodo;
  QStringList csv;
  bool aplicar = false;
  bool json = false;
};

bool LeerOrden(const QStringList& argumentos, Orden* orden) {
  QStringList posicionales;
  for (const QString& a : argumentos) {
    if (a == QLatin1String("--aplicar")) orden->aplicar = true;
    else if (a == QLatin1String("--json")) orden->json = true;
    else if (a.startsWith(QLatin1String("--"))) return false;
    else posicionales << a;
  }
  if (posicionales.size() < 3) return false;
  orden->archivo = posicionales.takeFirst();
  if (!LeerPeriodoArgumento(posicionales.takeFirst(), &orden->periodo.ano, &orden->periodo.mes)) return false;
  orden->csv = posicionales;
  return true;
}

QString NombrePeriodo(const Periodo& p) { return NombreDelMes(p.mes) + QStringLiteral(" del ") + QString::number(p.ano); }

[[noreturn]] void SinDeclaracion(const Orden& orden) {
  throw ErrorAlcabala(QStringLiteral("No existe la declaración de %1 en «%2»; créela antes de importar el registro.")
                          .arg(NombrePeriodo(orden.periodo), orden.archivo));
}

// The comparison with the data file untouched: opened for reading only.
QList<ComparacionRcv> Comparar(const Orden& orden, const ResumenRcv& resumen, const QLocale& locale) {
  Conexion conexion;
  conexion.AbrirSoloLectura(orden.archivo);
  const QList<RegistroPlano> filas = LeerDeclaracionesDelPeriodo(conexion, orden.periodo.ano, orden.periodo.mes, locale);
  if (filas.isEmpty()) SinDeclaracion(orden);
  return CompararRcv(resumen, filas.first(), locale);
}

// The comparison, then the boxes written and the declaration posted in one
// transaction. A box that cannot take its value stops it before anything is
// written (the edit is dropped when the file closes).
QList<ComparacionRcv> Aplicar(const Orden& orden, const ResumenRcv& resumen, const QLocale& locale) {
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, orden.archivo);
  DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
  LimitarAPeriodos(alcabalas, {orden.periodo}, locale);
  alcabalas.Abrir();
  if (!alcabalas.Buscar(orden.periodo.ano, orden.periodo.mes)) SinDeclaracion(orden);
  const QList<ComparacionRcv> comparacion = CompararRcv(resumen, alcabalas, locale);
  alcabalas.Editar();
  AplicarRcv(resumen, alcabalas, locale);
  alcabalas.Guardar();
  conexion.Cerrar();
  return comparacion;
}

QString ConSigno(qint64 valor, const QLocale& locale) {
  return (valor > 0 ? QStringLiteral("+") : QString()) + AgruparMiles(valor, locale);
}

QString Texto(const Orden& orden, const ResumenRcv& r, const QList<ComparacionRcv>& comparacion,
              const QLocale& locale) {
  QString t;
  t += QStringLiteral("Registro de Compras y Ventas de %1: %2 archivo(s), %3 documento(s) del período.\n")
           .arg(NombrePeriodo(orden.periodo))
           .arg(r.archivos.size())
           .arg(r.documentosDelPeriodo);
  for (const ArchivoRcv& a : r.archivos)
    t += QStringLiteral("  %1: %2 %3, %4 documento(s)\n")
             .arg(a.nombre, NombreLibro(a.libro), NombreSeccion(a.seccion))
             .arg(a.documentos);
  t += QStringLiteral("\n%1 %2 %3 %4  %5\n")
           .arg(QStringLiteral("Casilla"), -7)
           .arg(QStringLiteral("Actual"), 15)
           .arg(QStringLiteral("Registro"), 15)
           .arg(QStringLiteral("Diferencia"), 15)
           .arg(QStringLiteral("Línea"));
  if (comparacion.isEmpty()) t += QStringLiteral("(el registro no alimenta ninguna casilla)\n");
  QStringList problemas;
  for (const ComparacionRcv& c : comparacion) {
    t += QStringLiteral("%1 %2 %3 %4  %5\n")
             .arg(c.codigo, -7)
             .arg(AgruparMiles(c.actual, locale), 15)
             .arg(AgruparMiles(c.registro, locale), 15)
             .arg(ConSigno(c.Diferencia(), locale), 15)
             .arg(c.texto);
    if (!c.problema.isEmpty()) problemas << c.problema;
  }
  for (const NotaRcv& nota : NotasRcv(r, locale)) {
    t += QLatin1Char('\n') + nota.titulo + QStringLiteral(":\n");
    for (const QString& linea : nota.lineas) t += QStringLiteral("  ") + linea + QLatin1Char('\n');
  }
  if (!problemas.isEmpty())
    t += QStringLiteral("\nNo se puede escribir: %1.\n").arg(problemas.join(QStringLiteral("; ")));
  if (orden.aplicar)
    t += QStringLiteral("\nSe escribieron %1 casilla(s) en la declaración de %2.\n")
             .arg(comparacion.size())
             .arg(NombrePeriodo(orden.periodo));
  else
    t += QStringLiteral("\nSolo comparación: no se escribió nada (--aplicar escribe las casillas).\n");
  return t;
}

// A JSON object written member by member into a buffer.
class ObjetoJson {
 public:
  explicit ObjetoJson(QByteArray& j) : j_(j) { j_ += '{'; }
  ~ObjetoJson() { j_ += '}'; }
  ObjetoJson(const ObjetoJson&) = delete;
  ObjetoJson& operator=(const ObjetoJson&) = delete;
  QByteArray& Clave(const char* nombre) {
    if (!primero_) j_ += ',';
    primero_ = false;
    j_ += '"';
    j_ += nombre;
    j_ += "\":";
    return j_;
  }
  void Texto(const char* nombre, const QString& valor) { AnadirJsonTexto(Clave(nombre), valor); }
  void Entero(const char* nombre, qint64 valor) { AnadirJsonEntero(Clave(nombre), valor); }
  // An array of objects, one per element, each written by `escribir`.
  template <typename T, typename F>
  void Lista(const char* nombre, const QList<T>& elementos, F escribir) {
    QByteArray& j = Clave(nombre);
    j += '[';
    for (int i = 0; i < elementos.size(); ++i) {
      if (i > 0) j += ',';
      ObjetoJson objeto(j);
      escribir(objeto, elementos[i]);
    }
    j += ']';
  }

 private:
  QByteArray& j_;
  bool primero_ = true;
};

void GrupoJson(ObjetoJson& o, const GrupoRcv& g) {
  o.Texto("descripcion", g.descripcion);
  o.Texto("motivo", g.motivo);
  o.Entero("documentos", g.documentos);
  o.Entero("exentoNeto", g.exentoNeto);
  o.Entero("iva", g.iva);
  o.Entero("total", g.total);
}

QByteArray Json(const Orden& orden, const ResumenRcv& r, const QList<ComparacionRcv>& comparacion) {
  QByteArray j;
  {
    ObjetoJson o(j);
    o.Texto("periodo", QStringLiteral("%1-%2").arg(orden.periodo.ano).arg(orden.periodo.mes, 2, 10, QLatin1Char('0')));
    o.Lista("archivos", r.archivos, [](ObjetoJson& a, const ArchivoRcv& archivo) {
      a.Texto("archivo", archivo.nombre);
      a.Texto("libro", NombreLibro(archivo.libro));
      a.Texto("seccion", NombreSeccion(archivo.seccion));
      a.Entero("documentos", archivo.documentos);
      a.Entero("continuaciones", archivo.continuaciones);
    });
    o.Entero("documentosDelPeriodo", r.documentosDelPeriodo);
    o.Lista("casillas", comparacion, [](ObjetoJson& c, const ComparacionRcv& casilla) {
      c.Texto("casilla", casilla.codigo);
      c.Entero("actual", casilla.actual);
      c.Entero("registro", casilla.registro);
      c.Entero("diferencia", casilla.Diferencia());
      if (casilla.problema.isEmpty()) c.Clave("problema") += "null";
      else c.Texto("problema", casilla.problema);
    });
    o.Lista("noIncorporado", r.noIncorporado, GrupoJson);
    o.Lista("requiereProporcionalidad", r.proporcionalidad, GrupoJson);
    o.Lista("otrosPeriodos", r.otrosPeriodos, GrupoJson);
    o.Entero("duplicados", r.totalDuplicados);
    o.Clave("aplicado") += orden.aplicar ? "true" : "false";
  }
  return j + '\n';
}

int Rcv(ContextoCli& contexto) {
  Orden orden;
  if (!LeerOrden(contexto.argumentos, &orden)) return ErrorDeUso(contexto, kUso);
  // The registry is read whole before the data file is opened: a fault of
  // a file ends the command with nothing opened, nothing written.
  const ResumenRcv resumen = LeerRegistroRcv(orden.csv, orden.periodo.ano, orden.periodo.mes);
  const QList<ComparacionRcv> comparacion =
      orden.aplicar ? Aplicar(orden, resumen, contexto.locale) : Comparar(orden, resumen, contexto.locale);
  if (orden.json) EscribirSalida(contexto, Json(orden, resumen, comparacion));
  else contexto.salida << Texto(orden, resumen, comparacion, contexto.locale);
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("rcv"), kUso, Rcv});

}  // namespace
