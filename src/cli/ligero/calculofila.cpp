#include "cli/ligero/calculofila.h"

#include <optional>

#include "cli/ligero/json.h"
#include "general/errores.h"
#include "general/valores.h"
#include "storage/formato/valorcolumna.h"

namespace {

// The readers of the calculation's inputs: each takes the value its input
// expects straight from the column, and any other as a record would hold it.

// An input amount: null is 0.
struct LecturaMonto : VisitanteVariant<LecturaMonto> {
  LecturaMonto(EntradasCalculo& destino, int numero) : entradas(destino), entrada(numero) {}
  void Nulo() {}
  void Monto(Moneda valor) { entradas.PonerMonto(entrada, valor); }
  void Valor(const QVariant& valor) { entradas.PonerMontoLeido(entrada, valor); }
  EntradasCalculo& entradas;
  int entrada;
};

// A rate, held as a single.
struct LecturaTasa : VisitanteVariant<LecturaTasa> {
  LecturaTasa(EntradasCalculo& destino, int numero) : entradas(destino), entrada(numero) {}
  void Real(float valor) { entradas.PonerTasa(entrada, valor); }
  void Valor(const QVariant& valor) { entradas.PonerTasa(entrada, NuloACeroDouble(valor)); }
  EntradasCalculo& entradas;
  int entrada;
};

// The address-change mark.
struct LecturaMarca : VisitanteVariant<LecturaMarca> {
  explicit LecturaMarca(EntradasCalculo& destino) : entradas(destino) {}
  void Logico(bool valor) { entradas.PonerMarca(valor); }
  void Valor(const QVariant& valor) { entradas.PonerMarca(NuloAFalso(valor)); }
  EntradasCalculo& entradas;
};

// The year or the month as a record holds them (16 or 32-bit integers);
// nullopt for null.
struct LecturaEntero : VisitanteVariant<LecturaEntero> {
  void Nulo() { valor.reset(); }
  void Entero(qint64 leido) { valor = leido; }
  void Valor(const QVariant& leido) { valor = NuloACeroEntero(leido); }
  std::optional<qint64> valor;
};

}  // namespace

CalculoDeFilas::CalculoDeFilas(const QList<DefinicionCampo>& columnas, const QLocale& locale)
    : columnas_(columnas), locale_(locale), plan_([&columnas] {
        QStringList nombres;
        for (const DefinicionCampo& columna : columnas) nombres << columna.nombre;
        return nombres;
      }()) {
  const QStringList& cajas = CajasCalculadas();
  const QList<DefinicionCampo>& textos = CamposTextoCalculados();
  for (const DefinicionCampo& campo : CamposCalculadosAlcabala()) {
    Salida salida;
    salida.clave = ", ";
    AnadirJsonTexto(salida.clave, campo.nombre);
    salida.clave += ": ";
    salida.tamano = campo.tamano;
    for (int t = 0; t < textos.size() && salida.texto < 0; ++t)
      if (textos.at(t).nombre == campo.nombre) salida.texto = t;
    if (salida.texto < 0) {
      salida.codigo = campo.nombre.mid(3);  // "Cod538"
      salida.resultado = static_cast<int>(cajas.indexOf(salida.codigo));
      if (salida.resultado < 0)
        throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(campo.nombre));
    }
    salidas_.push_back(salida);
  }
}

void CalculoDeFilas::Calcular(sqlite3_stmt* fila) {
  if (!plan_.Faltantes().isEmpty())
    throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(plan_.Faltantes().first()));
  entradas_.Limpiar();
  for (int i = 0; i < plan_.CantidadMontos(); ++i) {
    const int columna = plan_.PosicionMonto(i);
    if (columna < 0) continue;  // an optional box the file lacks: 0
    LecturaMonto lectura(entradas_, i);
    LeerColumna(fila, columna, columnas_.at(columna), lectura);
  }
  for (int i = 0; i < plan_.CantidadTasas(); ++i) {
    const int columna = plan_.PosicionTasa(i);
    LecturaTasa lectura(entradas_, i);
    LeerColumna(fila, columna, columnas_.at(columna), lectura);
  }
  const int marca = plan_.PosicionMarca();
  LecturaMarca lecturaMarca(entradas_);
  LeerColumna(fila, marca, columnas_.at(marca), lecturaMarca);
  auto Entero = [&](int columna) {
    LecturaEntero lectura;
    LeerColumna(fila, columna, columnas_.at(columna), lectura);
    return lectura.valor;
  };
  const std::optional<qint64> mes = Entero(plan_.PosicionMes());
  entradas_.PonerPeriodo(mes ? Entero(plan_.PosicionAno()) : std::nullopt, mes);
  CalcularDeclaracion(entradas_, resultados_, locale_);
}

void CalculoDeFilas::AnadirCalculados(QByteArray& destino) const {
  for (const Salida& salida : salidas_) {
    destino += salida.clave;
    if (salida.texto >= 0) {
      const QString& texto = resultados_.Texto(static_cast<TextoCalculado>(salida.texto));
      AnadirJsonTexto(destino, salida.tamano > 0 && texto.size() > salida.tamano ? texto.left(salida.tamano) : texto);
    } else if (resultados_.NoCalculada(salida.resultado)) {
      destino += "null";
    } else {
      AnadirJsonMoneda(destino, resultados_.Monto(salida.resultado));
    }
  }
}

QStringList CalculoDeFilas::NoCalculadas() const {
  QStringList cajas;
  for (const Salida& salida : salidas_)
    if (salida.resultado >= 0 && resultados_.NoCalculada(salida.resultado)) cajas << salida.codigo;
  return cajas;
}
