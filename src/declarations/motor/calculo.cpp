#include "declarations/motor/calculo.h"

#include <QMutex>
#include <QMutexLocker>
#include <deque>
#include <optional>
#include <utility>

#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/valores.h"

namespace {

QString CampoDeCaja(const QString& codigo) { return QLatin1String("Cod") + codigo; }

// A calculated box of the catalogue: its code and the field of its amount (box
// 547 shows through a text field of its own, but its amount has the usual name).
struct CajaCalculada {
  QString codigo;
  QString campo;
};

const QList<CajaCalculada>& CajasCalculadasDelCatalogo() {
  static const QList<CajaCalculada> cajas = [] {
    QList<CajaCalculada> lista;
    for (const Caja& caja : Catalogo())
      if (caja.clase == ClaseCaja::C) lista.append({caja.codigo, CampoDeCaja(caja.codigo)});
    return lista;
  }();
  return cajas;
}

// The fields of the formulas' results, by result number.
const QStringList& CamposDeResultados() {
  static const QStringList campos = [] {
    QStringList lista;
    for (const QString& codigo : CajasCalculadas()) lista << CampoDeCaja(codigo);
    return lista;
  }();
  return campos;
}

[[noreturn]] void CampoNoEncontrado(const QString& campo) {
  throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo));
}

// --- Reading and writing a record ------------------------------------------------
// By name, for any record; or by the positions of a plan, for a record that
// offers its layout. The plan is null when reading by name.

struct PorNombre {
  Registro& registro;
  const PlanCalculo* plan = nullptr;
  bool Tiene(const QString& campo, int) const { return registro.TieneCampo(campo); }
  QVariant Leer(const QString& campo, int) const { return registro.Valor(campo); }
  void Escribir(const QString& campo, int, const QVariant& valor) const { registro.Asignar(campo, valor); }
};

struct PorPosicion {
  Registro& registro;
  const PlanCalculo* plan;
  bool Tiene(const QString&, int posicion) const { return posicion >= 0; }
  const QVariant& Leer(const QString& campo, int posicion) const {
    if (posicion < 0) CampoNoEncontrado(campo);
    return registro.ValorEn(posicion);
  }
  void Escribir(const QString& campo, int posicion, const QVariant& valor) const {
    if (posicion < 0) CampoNoEncontrado(campo);
    registro.AsignarEn(posicion, valor);
  }
};

std::optional<qint64> Entero(const QVariant& valor) {
  if (EsNulo(valor)) return std::nullopt;
  return NuloACeroEntero(valor);
}

template <typename Acceso>
void LeerEntradas(const Acceso& acceso, EntradasCalculo& entradas) {
  const PlanCalculo* plan = acceso.plan;
  entradas.Limpiar();
  const QList<CampoDeEntrada>& montos = MontosDeEntrada();
  for (int i = 0; i < montos.size(); ++i) {
    const CampoDeEntrada& monto = montos.at(i);
    const int posicion = plan ? plan->PosicionMonto(i) : -1;
    if (monto.opcional && !acceso.Tiene(monto.campo, posicion)) continue;
    entradas.PonerMontoLeido(i, acceso.Leer(monto.campo, posicion));
  }
  const QList<CampoDeEntrada>& tasas = TasasDeEntrada();
  for (int i = 0; i < tasas.size(); ++i)
    entradas.PonerTasa(i, NuloACeroDouble(acceso.Leer(tasas.at(i).campo, plan ? plan->PosicionTasa(i) : -1)));
  entradas.PonerMarca(NuloAFalso(acceso.Leer(CampoMarcaDeEntrada(), plan ? plan->PosicionMarca() : -1)));
  const std::optional<qint64> mes = Entero(acceso.Leer(QStringLiteral("mes"), plan ? plan->PosicionMes() : -1));
  // The year is only read for a month.
  const std::optional<qint64> ano =
      mes ? Entero(acceso.Leer(QStringLiteral("ano"), plan ? plan->PosicionAno() : -1)) : std::nullopt;
  entradas.PonerPeriodo(ano, mes);
}

template <typename Acceso>
void EscribirResultados(const Acceso& acceso, const ResultadosCalculo& resultados) {
  const PlanCalculo* plan = acceso.plan;
  const QList<DefinicionCampo>& textos = CamposTextoCalculados();
  for (int t = 0; t < CantidadTextosCalculados; ++t) {
    const auto texto = static_cast<TextoCalculado>(t);
    acceso.Escribir(textos.at(t).nombre, plan ? plan->PosicionTexto(texto) : -1, resultados.Texto(texto));
  }
  const QStringList& campos = CamposDeResultados();
  for (int i = 0; i < campos.size(); ++i)
    acceso.Escribir(campos.at(i), plan ? plan->PosicionCalculada(i) : -1,
                    resultados.NoCalculada(i) ? QVariant() : QVariant::fromValue(resultados.Monto(i)));
}

// The inputs and results of the calculation running on this thread, reused
// from row to row; a calculation started from inside another (a record that
// recomputes something else while written) gets its own.
struct Espacio {
  EntradasCalculo entradas;
  ResultadosCalculo resultados;
  bool enUso = false;
};

template <typename Acceso>
void CalcularRegistro(const Acceso& acceso, const QLocale& locale) {
  thread_local Espacio reutilizado;
  std::optional<Espacio> propio;
  Espacio* espacio = &reutilizado;
  if (reutilizado.enUso) espacio = &propio.emplace();
  espacio->enUso = true;
  struct Liberar {
    Espacio* espacio;
    ~Liberar() { espacio->enUso = false; }
  } liberar{espacio};
  LeerEntradas(acceso, espacio->entradas);
  CalcularDeclaracion(espacio->entradas, espacio->resultados, locale);
  EscribirResultados(acceso, espacio->resultados);
}

}  // namespace

QList<DefinicionCampo> CamposCalculadosAlcabala() {
  QList<DefinicionCampo> campos;
  for (const CajaCalculada& caja : CajasCalculadasDelCatalogo()) campos.append({caja.campo, TipoColumna::C, 0, true});
  campos.append(CamposTextoCalculados());
  return campos;
}

// --- Plan ---------------------------------------------------------------------------

PlanCalculo::PlanCalculo(const QStringList& campos) {
  QHash<QString, int> posicion;
  for (int i = 0; i < campos.size(); ++i) posicion.insert(campos.at(i), i);
  auto En = [&posicion](const QString& campo) { return posicion.value(campo, -1); };
  for (const CampoDeEntrada& monto : MontosDeEntrada()) {
    montos_.push_back(En(monto.campo));
    if (montos_.back() < 0 && !monto.opcional) faltantes_ << monto.campo;
  }
  for (const CampoDeEntrada& tasa : TasasDeEntrada()) {
    tasas_.push_back(En(tasa.campo));
    if (tasas_.back() < 0) faltantes_ << tasa.campo;
  }
  marca_ = En(CampoMarcaDeEntrada());
  if (marca_ < 0) faltantes_ << CampoMarcaDeEntrada();
  ano_ = En(QStringLiteral("ano"));
  mes_ = En(QStringLiteral("mes"));
  for (const QString& campo : {QStringLiteral("ano"), QStringLiteral("mes")})
    if (En(campo) < 0) faltantes_ << campo;
  for (const QString& campo : CamposDeResultados()) calculadas_.push_back(En(campo));
  for (const DefinicionCampo& texto : CamposTextoCalculados()) textos_.push_back(En(texto.nombre));
}

std::shared_ptr<const PlanCalculo> PlanDeDisposicion(const DisposicionCampos& disposicion) {
  // A handful of layouts is the most a session sees at once (the window's
  // file, a report's file, the company list); the oldest plan makes room.
  constexpr size_t kPlanesGuardados = 8;
  static QMutex mutex;
  static std::deque<std::pair<quint64, std::shared_ptr<const PlanCalculo>>> planes;
  QMutexLocker bloqueo(&mutex);
  for (const auto& [identidad, plan] : planes)
    if (identidad == disposicion.Identidad()) return plan;
  auto plan = std::make_shared<const PlanCalculo>(disposicion.Nombres());
  planes.emplace_front(disposicion.Identidad(), plan);
  if (planes.size() > kPlanesGuardados) planes.pop_back();
  return plan;
}

// --- Calculation ----------------------------------------------------------------------

void CalcularDeclaracion(const EntradasCalculo& entradas, ResultadosCalculo& resultados, const QLocale& locale) {
  resultados.Reiniciar();
  for (const PasoCalculo& paso : PasosCalculo()) {
    // A step that cannot be carried out leaves its boxes not computed; the
    // row's other boxes are still calculated, so one row out of range never
    // keeps a file from opening.
    try {
      paso.calcular(entradas, resultados);
    } catch (const ErrorCalculo&) {
      for (int caja : paso.escribe) resultados.MarcarNoCalculada(caja);
    }
  }
  CalcularTextos(entradas, resultados, locale);
}

void ADODataSetAlcabalaCalcFields(Registro& registro, const QLocale& locale) {
  if (const DisposicionCampos* disposicion = registro.Disposicion()) {
    const std::shared_ptr<const PlanCalculo> plan = PlanDeDisposicion(*disposicion);
    CalcularRegistro(PorPosicion{registro, plan.get()}, locale);
  } else {
    CalcularRegistro(PorNombre{registro}, locale);
  }
}

QStringList CajasNoCalculadas(const Registro& registro) {
  QStringList cajas;
  for (const CajaCalculada& caja : CajasCalculadasDelCatalogo())
    if (registro.TieneCampo(caja.campo) && EsNulo(registro.Valor(caja.campo))) cajas << caja.codigo;
  return cajas;
}

QString MensajeCajasNoCalculadas(const QStringList& cajas, int ano, int mes) {
  return QStringLiteral("No se %1 %2 de %3 del %4: el resultado excede el rango de los montos.")
      .arg(cajas.size() == 1 ? QStringLiteral("pudo calcular la casilla")
                             : QStringLiteral("pudieron calcular las casillas"),
           cajas.join(QLatin1String(", ")), NombreDelMes(mes), QString::number(ano));
}
