// The accountant's board and the month-end work for all clients from the
// shell, over the files the company lists scan (the window's two folders, or
// those named with --carpeta):
//   alcabala-cli cartera AÑO [--carpeta DIR]... [--json | --csv]
//   alcabala-cli crear-todos AAAA-MM [--carpeta DIR]...
//   alcabala-cli copias AAAA-MM --destino DIR [--carpeta DIR]...
// The runs print their summary on standard error and end with 1 when a file
// failed.

#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>

#include "cli/ligero/json.h"
#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "declarations/ciclo.h"
#include "general/red/utm.h"
#include "general/valores.h"
#include "reports/cartera.h"
#include "reports/findemes.h"

namespace {

const QString kUsoCartera = QStringLiteral("cartera AÑO [--carpeta CARPETA]... [--json | --csv]");
const QString kUsoCrearTodos = QStringLiteral("crear-todos AAAA-MM [--carpeta CARPETA]...");
const QString kUsoCopias = QStringLiteral("copias AAAA-MM --destino CARPETA [--carpeta CARPETA]...");

QStringList CarpetasDeLaCorrida(const QStringList& nombradas) {
  ComprobarCarpetas(nombradas);
  return nombradas.isEmpty() ? CarpetasEmpresas(QCoreApplication::applicationDirPath()) : nombradas;
}

// --- cartera -------------------------------------------------------------------

enum class FormatoCartera { Texto, Json, Csv };

struct OpcionesCartera {
  int ano = 0;
  QStringList carpetas;
  FormatoCartera formato = FormatoCartera::Texto;
};

bool LeerOpcionesCartera(QStringList argumentos, OpcionesCartera* opciones) {
  if (!LeerCarpetas(argumentos, &opciones->carpetas)) return false;
  const bool json = argumentos.removeAll(QStringLiteral("--json")) > 0;
  const bool csv = argumentos.removeAll(QStringLiteral("--csv")) > 0;
  if ((json && csv) || argumentos.size() != 1) return false;
  opciones->formato = json ? FormatoCartera::Json : csv ? FormatoCartera::Csv : FormatoCartera::Texto;
  bool bien = false;
  opciones->ano = argumentos.at(0).toInt(&bien);
  return bien && opciones->ano >= 1000 && opciones->ano <= 9999;
}

QString RutDe(const FilaCartera& fila) { return TextoRut(fila.rut, PropositoTexto::Mostrar, false); }

QByteArray Json(const QList<FilaCartera>& filas) {
  QByteArray json = "[";
  for (int i = 0; i < filas.size(); ++i) {
    const FilaCartera& fila = filas.at(i);
    json += i == 0 ? "\n  {\"archivo\": " : ",\n  {\"archivo\": ";
    AnadirJsonTexto(json, QFileInfo(fila.ruta).fileName());
    json += ", \"rut\": ";
    AnadirJsonTexto(json, RutDe(fila));
    json += ", \"nombre\": ";
    AnadirJsonTexto(json, fila.nombre);
    json += ", \"meses\": [";
    for (int mes = 1; mes <= 12; ++mes) {
      if (mes > 1) json += ", ";
      const std::optional<Moneda>& total = fila.Mes(mes).totalAPagar;
      if (total)
        AnadirJsonMoneda(json, *total);
      else
        json += "null";
    }
    json += "], \"total\": ";
    if (const std::optional<Moneda> total = fila.TotalAno())
      AnadirJsonMoneda(json, *total);
    else
      json += "null";
    json += ", \"error\": ";
    if (fila.Legible())
      json += "null";
    else
      AnadirJsonTexto(json, fila.error);
    json += "}";
  }
  json += filas.isEmpty() ? "]\n" : "\n]\n";
  return json;
}

// A CSV field, quoted when it holds a comma, a quote or a line break.
QString CampoCsv(const QString& texto) {
  if (!texto.contains(QLatin1Char(',')) && !texto.contains(QLatin1Char('"')) && !texto.contains(QLatin1Char('\n')))
    return texto;
  QString citado = texto;
  citado.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + citado + QLatin1Char('"');
}

// The board as text: tab-separated for the eye and for a spreadsheet's
// paste, amounts with the locale's grouping; or CSV with plain amounts.
QString Tabla(const QList<FilaCartera>& filas, FormatoCartera formato, const QLocale& locale) {
  const bool csv = formato == FormatoCartera::Csv;
  const QString separador = csv ? QStringLiteral(",") : QStringLiteral("\t");
  auto Monto = [&](const std::optional<Moneda>& monto) {
    if (!monto) return csv ? QString() : QStringLiteral("-");
    return csv ? JsonMoneda(*monto) : FormatoN0(*monto, locale);
  };
  QStringList encabezado{QStringLiteral("archivo"), QStringLiteral("rut"), QStringLiteral("nombre")};
  for (int mes = 1; mes <= 12; ++mes) encabezado << NombreDelMes(mes).left(3).toLower();
  encabezado << QStringLiteral("total") << QStringLiteral("error");
  QString texto = encabezado.join(separador) + QLatin1Char('\n');
  for (const FilaCartera& fila : filas) {
    QStringList campos{QFileInfo(fila.ruta).fileName(), RutDe(fila), fila.nombre};
    for (int mes = 1; mes <= 12; ++mes) campos << Monto(fila.Mes(mes).totalAPagar);
    campos << Monto(fila.TotalAno()) << fila.error;
    if (csv)
      for (QString& campo : campos) campo = CampoCsv(campo);
    else
      for (QString& campo : campos) campo.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    texto += campos.join(separador) + QLatin1Char('\n');
  }
  return texto;
}

int Cartera(ContextoCli& contexto) {
  OpcionesCartera opciones;
  if (!LeerOpcionesCartera(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, kUsoCartera);
  const std::optional<QList<FilaCartera>> filas =
      LeerCartera(CarpetasDeLaCorrida(opciones.carpetas), opciones.ano, contexto.locale);
  if (!filas) return 1;  // only a progress notice cancels, and there is none here
  if (opciones.formato == FormatoCartera::Json)
    EscribirSalida(contexto, Json(*filas));
  else
    contexto.salida << Tabla(*filas, opciones.formato, contexto.locale);
  return 0;
}

// --- crear-todos y copias --------------------------------------------------------------

struct OpcionesFinDeMes {
  AnoMes periodo;
  QStringList carpetas;
  QString destino;
};

// The period, the folders and, for the copies, "--destino CARPETA".
bool LeerOpcionesFinDeMes(QStringList argumentos, bool conDestino, OpcionesFinDeMes* opciones) {
  if (!LeerCarpetas(argumentos, &opciones->carpetas)) return false;
  if (conDestino) {
    const int posicion = static_cast<int>(argumentos.indexOf(QStringLiteral("--destino")));
    if (posicion < 0 || posicion + 1 >= argumentos.size() || argumentos.at(posicion + 1).isEmpty()) return false;
    opciones->destino = argumentos.at(posicion + 1);
    argumentos.remove(posicion, 2);
  }
  return argumentos.size() == 1 &&
         LeerPeriodoArgumento(argumentos.at(0), &opciones->periodo.ano, &opciones->periodo.mes);
}

int TerminarCorrida(ContextoCli& contexto, const ResumenFinDeMes& resumen) {
  contexto.errores << resumen.Texto() << "\n";
  return resumen.fallidos.isEmpty() ? 0 : 1;
}

int CrearTodos(ContextoCli& contexto) {
  OpcionesFinDeMes opciones;
  if (!LeerOpcionesFinDeMes(contexto.argumentos, false, &opciones)) return ErrorDeUso(contexto, kUsoCrearTodos);
  const QLocale locale = contexto.locale;
  const QStringList archivos = ArchivosEmpresas(CarpetasDeLaCorrida(opciones.carpetas));
  return TerminarCorrida(contexto, CrearMesParaTodos(archivos, opciones.periodo,
                                                     [locale](int ano, int mes) { return ValorUTM(ano, mes, locale); },
                                                     locale));
}

int Copias(ContextoCli& contexto) {
  OpcionesFinDeMes opciones;
  if (!LeerOpcionesFinDeMes(contexto.argumentos, true, &opciones)) return ErrorDeUso(contexto, kUsoCopias);
  const QStringList archivos = ArchivosEmpresas(CarpetasDeLaCorrida(opciones.carpetas));
  return TerminarCorrida(contexto, CopiasParaTodos(archivos, opciones.periodo, opciones.destino, contexto.locale,
                                                   QDate::currentDate()));
}

const bool registrados = RegistrarSubcomando({QStringLiteral("cartera"), kUsoCartera, Cartera}) &&
                         RegistrarSubcomando({QStringLiteral("crear-todos"), kUsoCrearTodos, CrearTodos}) &&
                         RegistrarSubcomando({QStringLiteral("copias"), kUsoCopias, Copias, true});

}  // namespace
