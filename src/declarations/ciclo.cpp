#include "declarations/ciclo.h"

#include <QRegularExpression>
#include <QScopeGuard>

#include "declarations/motor/reglas.h"
#include "general/errores.h"
#include "general/valores.h"
#include "storage/conexion.h"
#include "storage/dataset.h"
#include "storage/periodos.h"

namespace {

constexpr int AnoMinimo = 1000;
constexpr int AnoMaximo = 9999;

// Drops a change still pending when the returned guard goes (state `estado`:
// an append or an edit), so a failure adds or changes nothing. Dropping it
// recomputes the row shown, which may fail in turn: that failure is kept,
// never thrown out of the guard.
auto CancelarSiSigue(DataSet& dataSet, EstadoDataSet estado) {
  return qScopeGuard([&dataSet, estado] {
    RestaurarSinLanzar([&dataSet, estado] {
      if (dataSet.Estado() == estado) dataSet.Cancelar();
    });
  });
}

bool UtmDisponible(double valor) { return valor > 0; }  // also false for NaN

}  // namespace

VolverAlPeriodo::VolverAlPeriodo(DataSet& alcabala, const Periodo& periodo) : alcabala_(alcabala), periodo_(periodo) {}

VolverAlPeriodo::VolverAlPeriodo(DataSet& alcabala) : alcabala_(alcabala) {
  if (!alcabala_.EstaVacio())
    periodo_ = {static_cast<int>(NuloACeroEntero(alcabala_.Valor(QStringLiteral("ano")))),
                static_cast<int>(NuloACeroEntero(alcabala_.Valor(QStringLiteral("mes"))))};
}

VolverAlPeriodo::~VolverAlPeriodo() {
  if (confirmado_ || periodo_ == Periodo{}) return;
  RestaurarSinLanzar([this] {
    if (alcabala_.Activo() && alcabala_.Estado() == EstadoDataSet::Consulta)
      alcabala_.Buscar(periodo_.ano, periodo_.mes);
  });
}

Periodo PeriodoSiguiente(const Periodo& periodo) {
  if (periodo.mes >= 12) return {periodo.ano + 1, 1};
  return {periodo.ano, periodo.mes + 1};
}

Periodo PeriodoAnterior(const Periodo& periodo) {
  if (periodo.mes <= 1) return {periodo.ano - 1, 12};
  return {periodo.ano, periodo.mes - 1};
}

int LeerAno(const QString& texto) {
  static const QRegularExpression entero(QStringLiteral("^[+-]?[0-9]+$"));
  const QString limpio = texto.trimmed();
  bool correcto = entero.match(limpio).hasMatch();
  const int valor = correcto ? limpio.toInt(&correcto, 10) : 0;
  if (!correcto) throw ErrorAlcabala(QStringLiteral("'%1' is not a valid integer value").arg(texto));
  return valor;
}

void ValidarPeriodo(const Periodo& periodo) {
  if (periodo.ano < AnoMinimo || periodo.ano > AnoMaximo)
    throw ErrorAlcabala(QStringLiteral("El año %1 no es válido: debe tener cuatro cifras.").arg(periodo.ano));
  if (periodo.mes < 1 || periodo.mes > 12)
    throw ErrorAlcabala(QStringLiteral("El mes %1 no es válido: debe estar entre 1 y 12.").arg(periodo.mes));
}

QString MensajeSinUTM(const Periodo& periodo) {
  return QStringLiteral("No existe UTM para ") + NombreDelMes(periodo.mes) + QStringLiteral(" del ") +
         QString::number(periodo.ano) + QStringLiteral(".");
}

CreacionDeclaracion CrearDeclaracion(DataSet& alcabala, int ano, int mes, const FuncionUTM& utm) {
  const Periodo periodo{ano, mes};
  ValidarPeriodo(periodo);
  if (!alcabala.Activo()) throw ErrorAlcabala(QStringLiteral("No hay un archivo de alcabalas abierto."));
  if (alcabala.Estado() != EstadoDataSet::Consulta)
    throw ErrorAlcabala(QStringLiteral("Guarde o cancele la alcabala en edición antes de crear otra."));

  if (alcabala.Buscar(ano, mes)) return {ResultadoCreacion::Existente, QString()};

  // Both values are looked up before either is tested.
  const Periodo siguiente = PeriodoSiguiente(periodo);
  const double utm1 = utm(periodo.ano, periodo.mes);
  const double utm2 = utm(siguiente.ano, siguiente.mes);
  if (!UtmDisponible(utm1)) return {ResultadoCreacion::SinUTM, MensajeSinUTM(periodo)};
  if (!UtmDisponible(utm2)) return {ResultadoCreacion::SinUTM, MensajeSinUTM(siguiente)};

  VolverAlPeriodo posicion(alcabala);
  // The look-ups may take long, and another copy of the program may share the
  // file: whether the period exists and the insert are decided in one write
  // transaction, on rows read again inside it.
  Conexion* conexion = alcabala.ConexionDatos();
  if (!conexion) throw ErrorAlcabala(QStringLiteral("No hay un archivo de alcabalas abierto."));
  Transaccion escritura(*conexion);
  alcabala.Refrescar();
  if (alcabala.Buscar(ano, mes)) {
    posicion.Confirmar();
    return {ResultadoCreacion::Existente, QString()};
  }
  const Periodo anterior = PeriodoAnterior(periodo);
  // The seek makes the previous declaration current, so its calculated boxes
  // are those the engine computes for it now.
  const QList<ValorTrasladado> traslado = alcabala.Buscar(anterior.ano, anterior.mes)
                                              ? CalcularTraslado(&alcabala, utm1, utm2)
                                              : CalcularTraslado(nullptr, utm1, utm2);
  {
    RecalculoSuspendido recalculo(alcabala);
    InsercionPendiente insercion(alcabala);
    alcabala.Asignar(QStringLiteral("ano"), periodo.ano);
    alcabala.Asignar(QStringLiteral("mes"), periodo.mes);
    for (const ValorTrasladado& valor : traslado) alcabala.Asignar(valor.campo, valor.valor);
    alcabala.Guardar();
  }
  escritura.Confirmar();
  posicion.Confirmar();
  return {ResultadoCreacion::Creada, QString()};
}

void GuardarDeclaracion(DataSet& alcabala, DataSet& contribuyente) {
  alcabala.Guardar();
  // Box 583, the address-change check box.
  if (!NuloAFalso(alcabala.Valor(CajaDeFamilia(FamiliaEntrada::Casilla583)->campo))) return;

  contribuyente.Editar();
  const auto edicion = CancelarSiSigue(contribuyente, EstadoDataSet::Edicion);
  CopiarDeclaracionAContribuyente(alcabala, contribuyente);
  contribuyente.Guardar();
}

Periodo PeriodoPropuesto(Conexion& conexion, const QDate& hoy) {
  const Periodo ultimo = UltimoPeriodo(conexion);
  if (ultimo == Periodo{}) return {hoy.year(), hoy.month()};
  return PeriodoSiguiente(ultimo);
}

Periodo EliminarDeclaracionActual(DataSet& alcabala, const Periodo& periodo) {
  Conexion* conexion = alcabala.ConexionDatos();
  if (!conexion || !conexion->Abierta() || !alcabala.Activo())
    throw ErrorAlcabala(QStringLiteral("No hay un archivo de alcabalas abierto."));
  alcabala.Cerrar();
  {
    // The data set comes back whatever the delete does, so the window keeps
    // showing the file.
    const auto reapertura = qScopeGuard([&alcabala] {
      RestaurarSinLanzar([&alcabala] {
        if (!alcabala.Activo()) alcabala.Abrir();
      });
    });
    EliminarDeclaracion(*conexion, periodo.ano, periodo.mes);
    alcabala.Abrir();
  }
  alcabala.Ultimo();
  if (alcabala.EstaVacio()) return {};
  return {static_cast<int>(NuloACeroEntero(alcabala.Valor(QStringLiteral("ano")))),
          static_cast<int>(NuloACeroEntero(alcabala.Valor(QStringLiteral("mes"))))};
}
