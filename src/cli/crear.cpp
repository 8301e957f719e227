// alcabala-cli crear ARCHIVO AAAA-MM: creates the declaration of a period in a
// data file exactly as the window's "&Crear" does, with the UTM values looked
// up on the maker's server.

#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "declarations/lectura.h"
#include "declarations/ciclo.h"
#include "general/red/utm.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

const QString kUso = QStringLiteral("crear ARCHIVO AAAA-MM");

QString NombrePeriodo(const Periodo& periodo) {
  return NombreDelMes(periodo.mes) + QStringLiteral(" del ") + QString::number(periodo.ano);
}

int Crear(ContextoCli& contexto) {
  Periodo periodo;
  if (contexto.argumentos.size() != 2 || !LeerPeriodoArgumento(contexto.argumentos.at(1), &periodo.ano, &periodo.mes))
    return ErrorDeUso(contexto, kUso);
  const QString ruta = contexto.argumentos.at(0);

  // Opened as the window opens it: older files are upgraded on the way.
  Conexion conexion;
  AbrirArchivoAlcabala(conexion, ruta);
  // Only the period and the one before it are read, through the index.
  DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
  const QLocale locale = contexto.locale;
  LimitarAPeriodos(alcabalas, {PeriodoAnterior(periodo), periodo}, locale);
  alcabalas.Abrir();

  const CreacionDeclaracion creacion = CrearDeclaracion(
      alcabalas, periodo.ano, periodo.mes, [locale](int ano, int mes) { return ValorUTM(ano, mes, locale); });
  conexion.Cerrar();

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
