// alcabala-cli utm AÑO MES: the UTM value the program would use for a month,
// fetched from the maker's server, as a plain number ("64666", "36789.5";
// "0" when there is none).

#include <QLocale>

#include "cli/ligero/subcomando.h"
#include "general/red/utm.h"

namespace {

const QString UsoUtm = QStringLiteral("utm AÑO MES");

// A whole number written only with digits, within [minimo, maximo].
bool LeerEnteroEnRango(const QString& texto, int minimo, int maximo, int& valor) {
  if (texto.isEmpty()) return false;
  for (const QChar c : texto) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  }
  bool correcto = false;
  valor = texto.toInt(&correcto, 10);
  return correcto && valor >= minimo && valor <= maximo;
}

int EjecutarUtm(ContextoCli& contexto) {
  int ano = 0;
  int mes = 0;
  if (contexto.argumentos.size() != 2 || !LeerEnteroEnRango(contexto.argumentos[0], 1, 9999, ano) ||
      !LeerEnteroEnRango(contexto.argumentos[1], 1, 12, mes)) {
    return ErrorDeUso(contexto, UsoUtm);
  }
  const double valor = ValorUTM(ano, mes, contexto.locale);
  contexto.salida << QString::number(valor, 'f', QLocale::FloatingPointShortest) << "\n";
  return 0;
}

const bool registrado = RegistrarSubcomando(Subcomando{QStringLiteral("utm"), UsoUtm, &EjecutarUtm});

}  // namespace
