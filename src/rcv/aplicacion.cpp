#include "rcv/aplicacion.h"

#include <QStringList>
#include <algorithm>
#include <limits>

#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/registro.h"
#include "general/valores.h"

namespace {

qint64 ValorActual(const Caja& caja, const Registro& declaracion) {
  if (!declaracion.TieneCampo(caja.campo)) return 0;
  const QVariant v = declaracion.Valor(caja.campo);
  return caja.tipo == TipoColumna::C ? NuloACeroMoneda(v).Pesos() : NuloACeroEntero(v);
}

// The largest value a box takes: the digits typed into it and its column.
qint64 MaximoDeCaja(const Caja& caja) {
  qint64 maximo = std::numeric_limits<qint64>::max() / Moneda::Escala;
  if (caja.tipo == TipoColumna::S) maximo = std::numeric_limits<qint16>::max();
  if (caja.tipo == TipoColumna::L) maximo = std::numeric_limits<qint32>::max();
  if (caja.largoMaximo > 0 && caja.largoMaximo < 18) {
    qint64 digitos = 1;
    for (int i = 0; i < caja.largoMaximo; ++i) digitos *= 10;
    maximo = std::min(maximo, digitos - 1);
  }
  return maximo;
}

QString Problema(const Caja* caja, qint64 valor, const Registro& declaracion, const QLocale& locale,
                 const QString& codigo) {
  if (caja == nullptr || caja->posicion == 0)
    return QStringLiteral("la casilla %1 no existe en este formulario").arg(codigo);
  if (!declaracion.TieneCampo(caja->campo))
    return QStringLiteral("la declaración no tiene la casilla %1").arg(codigo);
  if (valor < 0)
    return QStringLiteral("la casilla %1 quedaría negativa (%2)").arg(codigo, AgruparMiles(valor, locale));
  const qint64 maximo = MaximoDeCaja(*caja);
  if (valor > maximo)
    return QStringLiteral("la casilla %1 admite hasta %2 y el registro da %3")
        .arg(codigo, AgruparMiles(maximo, locale), AgruparMiles(valor, locale));
  return QString();
}

}  // namespace

QList<ComparacionRcv> CompararRcv(const ResumenRcv& resumen, const Registro& declaracion, const QLocale& locale) {
  QList<ComparacionRcv> r;
  for (const CasillaRcv& casilla : resumen.casillas) {
    const Caja* caja = BuscarCaja(casilla.codigo);
    ComparacionRcv c;
    c.codigo = casilla.codigo;
    c.registro = casilla.valor;
    if (caja != nullptr) {
      c.texto = caja->texto;
      c.actual = ValorActual(*caja, declaracion);
    }
    c.problema = Problema(caja, casilla.valor, declaracion, locale, casilla.codigo);
    r << c;
  }
  return r;
}

int AplicarRcv(const ResumenRcv& resumen, Registro& declaracion, const QLocale& locale) {
  const QList<ComparacionRcv> comparacion = CompararRcv(resumen, declaracion, locale);
  QStringList problemas;
  for (const ComparacionRcv& c : comparacion)
    if (!c.problema.isEmpty()) problemas << c.problema;
  if (!problemas.isEmpty())
    throw ErrorAlcabala(QStringLiteral("No se escribió nada en la declaración: %1.").arg(problemas.join(QStringLiteral("; "))));
  for (const ComparacionRcv& c : comparacion) {
    const Caja* caja = BuscarCaja(c.codigo);
    if (caja->tipo == TipoColumna::C)
      declaracion.Asignar(caja->campo, QVariant::fromValue(Moneda::DesdePesos(c.registro)));
    else
      declaracion.Asignar(caja->campo, QVariant(static_cast<int>(c.registro)));
  }
  return static_cast<int>(comparacion.size());
}

namespace {

QString Documentos(int n) {
  return n == 1 ? QStringLiteral("1 documento") : QStringLiteral("%1 documentos").arg(n);
}

QString TextoGrupo(const GrupoRcv& g, const QLocale& locale) {
  return QStringLiteral("%1: %2; exento y neto %3, IVA %4, total %5 (%6)")
      .arg(g.descripcion, Documentos(g.documentos), AgruparMiles(g.exentoNeto, locale), AgruparMiles(g.iva, locale),
           AgruparMiles(g.total, locale), g.motivo);
}

void AgregarNota(QList<NotaRcv>& notas, const QString& titulo, const QList<GrupoRcv>& grupos, const QLocale& locale) {
  if (grupos.isEmpty()) return;
  NotaRcv nota{titulo, {}};
  for (const GrupoRcv& g : grupos) nota.lineas << TextoGrupo(g, locale);
  notas << nota;
}

}  // namespace

QList<NotaRcv> NotasRcv(const ResumenRcv& resumen, const QLocale& locale) {
  QList<NotaRcv> notas;
  AgregarNota(notas, QStringLiteral("No incorporado"), resumen.noIncorporado, locale);
  AgregarNota(notas, QStringLiteral("Requiere proporcionalidad (no se suma)"), resumen.proporcionalidad, locale);
  AgregarNota(notas, QStringLiteral("Otros períodos (no se suman)"), resumen.otrosPeriodos, locale);
  if (resumen.totalDuplicados > 0) {
    NotaRcv nota{QStringLiteral("Duplicados, contados una vez (%1)").arg(resumen.totalDuplicados), {}};
    for (const DuplicadoRcv& d : resumen.duplicados)
      nota.lineas << QStringLiteral("%1, línea %2: %3 tipo %4 folio %5 RUT %6, ya leído en %7, línea %8")
                         .arg(d.archivo)
                         .arg(d.linea)
                         .arg(NombreLibro(d.libro))
                         .arg(d.tipo)
                         .arg(d.folio)
                         .arg(d.rut, d.archivoPrimero)
                         .arg(d.lineaPrimero);
    if (resumen.totalDuplicados > resumen.duplicados.size())
      nota.lineas << QStringLiteral("… y %1 más").arg(resumen.totalDuplicados - resumen.duplicados.size());
    notas << nota;
  }
  return notas;
}
