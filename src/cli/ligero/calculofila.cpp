#include "cli/ligero/calculofila.h"

#include "cli/ligero/json.h"
#include "general/errores.h"
#include "general/valores.h"

CalculoDeFilas::CalculoDeFilas(const QList<DefinicionCampo>& columnas, const QLocale& locale)
    : calculo_(columnas, locale) {
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

void CalculoDeFilas::Calcular(sqlite3_stmt* fila) { calculo_.Calcular(fila); }

void CalculoDeFilas::AnadirCalculados(QByteArray& destino) const {
  for (const Salida& salida : salidas_) {
    destino += salida.clave;
    if (salida.texto >= 0) {
      const QString& texto = calculo_.Resultados().Texto(static_cast<TextoCalculado>(salida.texto));
      AnadirJsonTexto(destino, salida.tamano > 0 && texto.size() > salida.tamano ? texto.left(salida.tamano) : texto);
    } else if (calculo_.Resultados().NoCalculada(salida.resultado)) {
      destino += "null";
    } else {
      AnadirJsonMoneda(destino, calculo_.Resultados().Monto(salida.resultado));
    }
  }
}

QStringList CalculoDeFilas::NoCalculadas() const {
  QStringList cajas;
  for (const Salida& salida : salidas_)
    if (salida.resultado >= 0 && calculo_.Resultados().NoCalculada(salida.resultado)) cajas << salida.codigo;
  return cajas;
}
