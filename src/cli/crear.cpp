// alcabala-cli crear ARCHIVO AAAA-MM: creates the declaration of a period in a
// data file exactly as the window's "&Crear" does, with the UTM values looked
// up on the maker's server; --utm supplies the value of a month the server
// lacks.

#include <QHash>
#include <optional>

#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "declarations/ciclo.h"
#include "general/red/utm.h"
#include "general/valores.h"

namespace {

const QString kUso = QStringLiteral("crear ARCHIVO AAAA-MM [--utm AAAA-MM=VALOR]...");

// What the command line gives: the file, the period and the UTM values typed
// for months the server may lack, by year * 100 + month.
struct ArgumentosCrear {
  QString ruta;
  Periodo periodo;
  QHash<int, double> utm;
};

// "--utm AAAA-MM=VALOR", repeatable, after the file and the period. A value
// that is no UTM raises ErrorAlcabala; anything else amiss is a usage error.
std::optional<ArgumentosCrear> LeerArgumentos(const QStringList& argumentos, const QLocale& locale) {
  if (argumentos.size() < 2 || argumentos.size() % 2 != 0) return std::nullopt;
  ArgumentosCrear leidos;
  leidos.ruta = argumentos.at(0);
  if (!LeerPeriodoArgumento(argumentos.at(1), &leidos.periodo.ano, &leidos.periodo.mes)) return std::nullopt;
  for (int i = 2; i < argumentos.size(); i += 2) {
    const qsizetype igual = argumentos.at(i + 1).indexOf(QLatin1Char('='));
    Periodo mes;
    if (argumentos.at(i) != QLatin1String("--utm") || igual < 0 ||
        !LeerPeriodoArgumento(argumentos.at(i + 1).left(igual), &mes.ano, &mes.mes))
      return std::nullopt;
    leidos.utm.insert(mes.ano * 100 + mes.mes, LeerUTMEscrita(argumentos.at(i + 1).mid(igual + 1), locale));
  }
  return leidos;
}

QString NombrePeriodo(const Periodo& periodo) {
  return NombreDelMes(periodo.mes) + QStringLiteral(" del ") + QString::number(periodo.ano);
}

int Crear(ContextoCli& contexto) {
  const std::optional<ArgumentosCrear> argumentos = LeerArgumentos(contexto.argumentos, contexto.locale);
  if (!argumentos) return ErrorDeUso(contexto, kUso);
  const Periodo periodo = argumentos->periodo;
  const QString ruta = argumentos->ruta;

  const QLocale locale = contexto.locale;
  // The server's value, or the one typed for a month it lacks.
  const QHash<int, double> escritas = argumentos->utm;
  const CreacionDeclaracion creacion = CrearDeclaracionEnArchivo(
      ruta, periodo,
      [locale, escritas](int ano, int mes) {
        const double valor = ValorUTM(ano, mes, locale);
        return valor > 0 ? valor : escritas.value(ano * 100 + mes, valor);
      },
      locale);

  switch (creacion.resultado) {
    case ResultadoCreacion::SinUTM:
      contexto.errores << creacion.mensaje << "\n";
      return 1;
    case ResultadoCreacion::Existente:
      contexto.salida << "Ya existe la declaración de " << NombrePeriodo(periodo) << "; no se cambió nada.\n";
      return 0;
    case ResultadoCreacion::Creada:
      break;
  }
  contexto.salida << "Se creó la declaración de " << NombrePeriodo(periodo) << ".\n";
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("crear"), kUso, Crear});

}  // namespace
