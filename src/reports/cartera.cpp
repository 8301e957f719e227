#include "reports/cartera.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <sqlite3.h>

#include "declarations/motor/calculosentencia.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/motor/formulas.h"
#include "general/errores.h"
#include "general/valores.h"
#include "reports/tablaempresas.h"
#include "storage/formato/columnas.h"
#include "storage/formato/contribuyente.h"
#include "storage/formato/sqlite.h"

namespace {

const QString kFacturaElectronica = QStringLiteral("FacturaElectronica");

// Position of a calculated box among the engine's results; -1 when the
// engine does not compute it.
int ResultadoDeCampo(const QString& campo) {
  const QStringList& cajas = CajasCalculadas();
  for (int i = 0; i < cajas.size(); ++i) {
    const Caja* caja = BuscarCaja(cajas.at(i));
    if (caja != nullptr && caja->campo == campo) return i;
  }
  return -1;
}

// The balances a declaration carries to the next month as credit: box 77
// and every amount of the carry-forward map (rates are not balances).
QStringList CamposDeRemanente() {
  QStringList campos;
  for (const Traslado& traslado : MapaTraslado())
    if (traslado.modo != ModoTraslado::Tasa) campos << traslado.origen;
  return campos;
}

// The columns the board reads of `alcabalas`: the period, the calculation's
// inputs and the stored credit balances, those the file has, in its order.
QList<DefinicionCampo> ColumnasLeidas(const QList<DefinicionCampo>& columnasArchivo) {
  QSet<QString> buscadas{QStringLiteral("ano"), QStringLiteral("mes"), CampoMarcaDeEntrada()};
  for (const CampoDeEntrada& entrada : MontosDeEntrada()) buscadas.insert(entrada.campo);
  for (const CampoDeEntrada& entrada : TasasDeEntrada()) buscadas.insert(entrada.campo);
  for (const QString& campo : CamposDeRemanente()) buscadas.insert(campo);
  QList<DefinicionCampo> leidas;
  for (const DefinicionCampo& columna : columnasArchivo)
    if (buscadas.contains(columna.nombre)) leidas << columna;
  return leidas;
}

QString ListaDeColumnas(const QList<DefinicionCampo>& columnas) {
  QStringList nombres;
  for (const DefinicionCampo& columna : columnas) nombres << CitarIdentificador(columna.nombre);
  return nombres.join(QStringLiteral(", "));
}

int Posicion(const QList<DefinicionCampo>& columnas, const QString& nombre) {
  for (int i = 0; i < columnas.size(); ++i)
    if (columnas.at(i).nombre == nombre) return i;
  return -1;
}

QVariant ValorLeido(sqlite3_stmt* sentencia, int columna, const DefinicionCampo& campo) {
  return LeerValorColumna(ValorCrudo(sentencia, columna), campo);
}

void LeerContribuyente(sqlite3* base, FilaCartera& fila) {
  const QList<DefinicionCampo> columnas = ColumnasDeTabla(base, QStringLiteral("contribuyente"));
  QList<DefinicionCampo> leidas;
  for (const char* nombre : {"RUT", "ApellidoPaternoRazonSocial", "ApellidoMaterno", "nombres"}) {
    const int posicion = Posicion(columnas, QLatin1String(nombre));
    if (posicion < 0) throw ErrorBaseDatos(QStringLiteral("no such column: %1").arg(QLatin1String(nombre)));
    leidas << columnas.at(posicion);
  }
  // Older files lack the flag: they file on the 20th, as almost every company does.
  const int factura = Posicion(columnas, kFacturaElectronica);
  if (factura >= 0) leidas << columnas.at(factura);
  Sentencia sentencia =
      PrepararSentencia(base, QStringLiteral("SELECT %1 FROM contribuyente LIMIT 1").arg(ListaDeColumnas(leidas)));
  if (!PasoSentencia(base, sentencia.get())) return;
  fila.rut = static_cast<qint32>(NuloACeroEntero(ValorLeido(sentencia.get(), 0, leidas.at(0))));
  fila.nombre = NombreImpreso(NuloAVacio(ValorLeido(sentencia.get(), 1, leidas.at(1))),
                              NuloAVacio(ValorLeido(sentencia.get(), 2, leidas.at(2))),
                              NuloAVacio(ValorLeido(sentencia.get(), 3, leidas.at(3))));
  if (factura >= 0) fila.facturaElectronica = NuloAFalso(ValorLeido(sentencia.get(), 4, leidas.at(4)));
}

// Reads the year's declarations (the first of a month stored twice counts).
class LectorAno {
 public:
  LectorAno(sqlite3* base, const QLocale& locale)
      : base_(base), columnas_(ColumnasLeidas(ColumnasDeTabla(base, QStringLiteral("alcabalas")))),
        calculo_(columnas_, locale), total_(ResultadoDeCampo(CajaTotalAPagar().campo)) {
    for (const QString& campo : CamposDeRemanente()) {
      const int resultado = ResultadoDeCampo(campo);
      if (resultado >= 0)
        remanentesCalculados_ << resultado;
      else if (Posicion(columnas_, campo) >= 0)
        remanentesGuardados_ << Posicion(columnas_, campo);
    }
  }

  void Leer(int ano, FilaCartera& fila) {
    const int mes = Posicion(columnas_, QStringLiteral("mes"));
    if (mes < 0 || Posicion(columnas_, QStringLiteral("ano")) < 0)
      throw ErrorAlcabala(QStringLiteral("No se encontró el campo \"%1\".").arg(QLatin1String(mes < 0 ? "mes" : "ano")));
    Sentencia sentencia = PrepararSentencia(
        base_, QStringLiteral("SELECT %1 FROM alcabalas WHERE ano = ? ORDER BY ano, mes").arg(ListaDeColumnas(columnas_)),
        {ano});
    while (PasoSentencia(base_, sentencia.get())) {
      const qint64 numero = sqlite3_column_int64(sentencia.get(), mes);
      if (numero < 1 || numero > 12) continue;
      CeldaCartera& celda = fila.meses[static_cast<size_t>(numero - 1)];
      if (celda.conDeclaracion) continue;
      celda.conDeclaracion = true;
      calculo_.Calcular(sentencia.get());
      const ResultadosCalculo& resultados = calculo_.Resultados();
      if (resultados.NoCalculada(total_))
        celda.error = MensajeCajasNoCalculadas({CajaTotalAPagar().codigo}, ano, static_cast<int>(numero));
      else
        celda.totalAPagar = resultados.Monto(total_);
      for (int resultado : remanentesCalculados_)
        celda.remanente = celda.remanente || (!resultados.NoCalculada(resultado) && resultados.Monto(resultado) > Moneda());
      for (int columna : remanentesGuardados_)
        celda.remanente = celda.remanente ||
                          NuloACeroMoneda(ValorLeido(sentencia.get(), columna, columnas_.at(columna))) > Moneda();
    }
  }

 private:
  sqlite3* base_;
  QList<DefinicionCampo> columnas_;
  CalculoDeSentencia calculo_;
  int total_;
  QList<int> remanentesCalculados_;
  QList<int> remanentesGuardados_;
};

}  // namespace

std::optional<Moneda> FilaCartera::TotalAno() const {
  if (!Legible()) return std::nullopt;
  try {
    Moneda suma;
    for (const CeldaCartera& celda : meses) {
      if (!celda.conDeclaracion) continue;
      if (!celda.totalAPagar) return std::nullopt;
      suma += *celda.totalAPagar;
    }
    return suma;
  } catch (const ErrorCalculo&) {
    return std::nullopt;
  }
}

QString FilaCartera::NombreMostrado() const { return Legible() ? nombre : QFileInfo(ruta).fileName(); }

FilaCartera LeerFilaCartera(const QString& ruta, int ano, const QLocale& locale) {
  FilaCartera fila;
  fila.ruta = ruta;
  try {
    ArchivoSoloLecturaSqlite archivo(ruta);
    LeerContribuyente(archivo.Base(), fila);
    LectorAno(archivo.Base(), locale).Leer(ano, fila);
  } catch (const std::exception& e) {
    const FilaCartera vacia;
    fila.meses = vacia.meses;
    fila.error = MensajeDeExcepcion(e);
    if (fila.error.isEmpty()) fila.error = QStringLiteral("No se pudo leer el archivo.");
  }
  return fila;
}

void OrdenarCartera(QList<FilaCartera>& filas, const QLocale& locale) {
  const DataSet::ComparadorTextos comparar = ComparadorNombres(locale);
  std::stable_sort(filas.begin(), filas.end(), [&comparar](const FilaCartera& a, const FilaCartera& b) {
    return comparar(a.NombreMostrado(), b.NombreMostrado()) < 0;
  });
}

std::optional<QList<FilaCartera>> LeerCartera(const QStringList& carpetas, int ano, const QLocale& locale,
                                              const AvisoProgreso& aviso) {
  const QStringList archivos = ArchivosEmpresas(carpetas);
  QList<FilaCartera> filas;
  filas.reserve(archivos.size());
  for (int i = 0; i < archivos.size(); ++i) {
    if (aviso && !aviso(i, archivos.size())) return std::nullopt;
    filas << LeerFilaCartera(archivos.at(i), ano, locale);
  }
  OrdenarCartera(filas, locale);
  return filas;
}

bool MesTerminado(const AnoMes& periodo, const QDate& hoy) {
  return periodo.ano < hoy.year() || (periodo.ano == hoy.year() && periodo.mes < hoy.month());
}

EstadoCelda EstadoDeCelda(const FilaCartera& fila, const AnoMes& periodo, const QDate& hoy) {
  if (!fila.Legible()) return EstadoCelda::Ilegible;
  const CeldaCartera& celda = fila.Mes(periodo.mes);
  if (!celda.conDeclaracion) return MesTerminado(periodo, hoy) ? EstadoCelda::Falta : EstadoCelda::Vacia;
  if (!celda.totalAPagar) return EstadoCelda::NoCalculada;
  return *celda.totalAPagar > Moneda() ? EstadoCelda::ConPago : EstadoCelda::SinPago;
}

AnoMes PeriodoPorVencer(const QDate& hoy) {
  const QDate anterior = QDate(hoy.year(), hoy.month(), 1).addMonths(-1);
  return {anterior.year(), anterior.month()};
}
