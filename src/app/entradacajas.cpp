#include "app/entradacajas.h"

#include "app/controles/comando.h"
#include "app/estados.h"
#include "app/paginas.h"
#include "declarations/motor/reglas.h"
#include "general/valores.h"
#include "storage/dataset.h"

namespace {

// Keys that move around or confirm and write nothing into a box.
bool EsTeclaNavegacion(QChar tecla) {
  return tecla == QLatin1Char('\r') || tecla == QLatin1Char('\n') || tecla == QLatin1Char('\t') ||
         tecla == QChar(0x1b);
}

bool Escribible(const DataSet& ds) {
  return ds.Estado() == EstadoDataSet::Edicion || ds.Estado() == EstadoDataSet::Insercion;
}

}  // namespace

bool SeleccionaAlPulsar(FamiliaEntrada familia) {
  switch (familia) {
    case FamiliaEntrada::Montos:
    case FamiliaEntrada::BaseIngresos:
    case FamiliaEntrada::DieselBase:
    case FamiliaEntrada::DieselVariable:
    case FamiliaEntrada::Decimales:
    case FamiliaEntrada::NumerosIdentificacion:
    case FamiliaEntrada::TextosIdentificacion:
      return true;
    case FamiliaEntrada::Ninguna:
    case FamiliaEntrada::SinClic:
    case FamiliaEntrada::ListasIdentificacion:
    case FamiliaEntrada::Casilla583:
      return false;
  }
  return false;
}

CajaEdicion::FiltroTeclas FiltroDeFamilia(FamiliaEntrada familia, const QLocale& locale) {
  CajaEdicion::FiltroTeclas base;
  switch (familia) {
    case FamiliaEntrada::Montos:
    case FamiliaEntrada::BaseIngresos:
    case FamiliaEntrada::DieselBase:
    case FamiliaEntrada::SinClic:
    case FamiliaEntrada::NumerosIdentificacion:
      base = [](const QString&, QChar tecla, int) { return TeclaDigito(tecla); };
      break;
    case FamiliaEntrada::DieselVariable:
      base = [](const QString& texto, QChar tecla, int cursor) { return TeclaDigitoConSigno(texto, tecla, cursor); };
      break;
    case FamiliaEntrada::Decimales:
      base = [locale](const QString& texto, QChar tecla, int) { return TeclaDecimal(texto, tecla, locale); };
      break;
    case FamiliaEntrada::Ninguna:
    case FamiliaEntrada::TextosIdentificacion:
    case FamiliaEntrada::ListasIdentificacion:
    case FamiliaEntrada::Casilla583:
      return {};
  }
  return [base](const QString& texto, QChar tecla, int cursor) -> QChar {
    if (EsTeclaNavegacion(tecla)) return tecla;
    return base(texto, tecla, cursor);
  };
}

void SalidaCaja(const Caja& caja, DataSet& alcabala, const FuncionIVA& iva) {
  switch (caja.familia) {
    case FamiliaEntrada::BaseIngresos:
      if (alcabala.Activo() && alcabala.Estado() == EstadoDataSet::Edicion) CalcularCod563(alcabala, iva());
      return;
    case FamiliaEntrada::DieselBase:
    case FamiliaEntrada::DieselVariable:
      // A browsing declaration (boxes left on after a move while editing)
      // holds what was stored after this rule last ran: nothing to do, and
      // its fields cannot be written.
      if (alcabala.Activo() && Escribible(alcabala)) AplicarReglaDiesel(alcabala, caja.diesel);
      return;
    default:
      return;
  }
}

void DBCheckBoxCod583Click(bool marcada, DataSet& alcabala, const DataSet& contribuyente,
                           PaginasFormulario& paginas) {
  // The check box also follows the declaration shown; only the user's change
  // while editing acts.
  if (!alcabala.Activo() || alcabala.Estado() != EstadoDataSet::Edicion) return;
  if (marcada) {
    CopiarContribuyenteADeclaracion(contribuyente, alcabala);
    ActivarControlesAntecedentes(paginas);
  } else {
    DesactivarControlesAntecedentes(paginas);
    VaciarAntecedentes(alcabala);
  }
}

void InstalarEntradaCajas(const ContextoEntrada& contexto) {
  PaginasFormulario* paginas = contexto.paginas;
  for (const Caja& caja : Catalogo()) {
    if (CajaEdicion* edicion = paginas->Edicion(caja.codigo)) {
      edicion->filtroTeclas = FiltroDeFamilia(caja.familia, contexto.locale);
      if (SeleccionaAlPulsar(caja.familia))
        QObject::connect(edicion, &CajaEdicion::Pulsada, edicion, [edicion] { edicion->selectAll(); });
      const bool conSalida = caja.familia == FamiliaEntrada::BaseIngresos ||
                             caja.familia == FamiliaEntrada::DieselBase ||
                             caja.familia == FamiliaEntrada::DieselVariable;
      if (conSalida) {
        const Caja* regla = &caja;
        QObject::connect(edicion, &CajaEdicion::Salida, edicion, [edicion, regla, contexto] {
          EjecutarComando(edicion->window(), [&] { SalidaCaja(*regla, *contexto.alcabala, contexto.iva); });
        });
      }
    } else if (CasillaDatos* casilla = paginas->Casilla(caja.codigo)) {
      if (caja.familia != FamiliaEntrada::Casilla583) continue;
      QObject::connect(casilla, &CasillaDatos::Cambiada, casilla, [casilla, contexto](bool marcada) {
        EjecutarComando(casilla->window(), [&] {
          DBCheckBoxCod583Click(marcada, *contexto.alcabala, *contexto.contribuyente, *contexto.paginas);
        });
      });
    }
  }
}
