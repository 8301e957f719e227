#include "app/navegacion.h"

#include <QComboBox>

#include "app/controles/comando.h"
#include "app/periodos.h"
#include "general/errores.h"
#include "general/valores.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

// Unless the move is confirmed, puts the current period and both lists back
// to the declaration that was shown, so they never name a period the pages
// do not show (the delete command acts on the current period).
class PeriodoMostrado {
 public:
  PeriodoMostrado(const ContextoNavegacion& contexto, PeriodoActual periodo)
      : contexto_(contexto), periodo_(periodo), ano_(periodo.ano), mes_(periodo.mes) {}
  ~PeriodoMostrado() {
    if (confirmado_) return;
    periodo_.ano = ano_;
    periodo_.mes = mes_;
    // The error that ended the move, if any, is the one to report.
    RestaurarSinLanzar([this] {
      SeleccionarItemComboBoxAno(contexto_.comboBoxAno, ano_);
      if (contexto_.conexion != nullptr && contexto_.conexion->Abierta())
        LlenarComboBoxMes(contexto_.comboBoxMes, *contexto_.conexion, ano_);
      SeleccionarItemComboBoxMes(contexto_.comboBoxMes, mes_);
    });
  }
  PeriodoMostrado(const PeriodoMostrado&) = delete;
  PeriodoMostrado& operator=(const PeriodoMostrado&) = delete;

  void Confirmar() { confirmado_ = true; }

 private:
  const ContextoNavegacion& contexto_;
  PeriodoActual periodo_;
  int ano_;
  int mes_;
  bool confirmado_ = false;
};

void ComprobarContexto(const ContextoNavegacion& contexto) {
  if (contexto.alcabala == nullptr || contexto.conexion == nullptr || !contexto.alcabala->Activo())
    throw ErrorAlcabala(QStringLiteral("No hay un archivo de alcabalas abierto."));
}

int AnoDeTexto(const QString& texto) {
  bool correcto = false;
  const int ano = texto.trimmed().toInt(&correcto);
  if (!correcto) throw ErrorAlcabala(QStringLiteral("«%1» no es un año válido.").arg(texto));
  return ano;
}

}  // namespace

void VolverAConsulta(DataSet& alcabala) {
  const EstadoDataSet estado = alcabala.Estado();
  if (estado != EstadoDataSet::Edicion && estado != EstadoDataSet::Insercion) return;
  if (alcabala.Modificado())
    alcabala.Guardar();
  else
    alcabala.Cancelar();
}

bool MoverAPeriodo(DataSet& alcabala, int ano, int mes) {
  VolverAConsulta(alcabala);
  return alcabala.Buscar(ano, mes);
}

void ComboBoxAnoChange(const ContextoNavegacion& contexto, PeriodoActual periodo, int indice) {
  CursorOcupado cursor;
  ComprobarContexto(contexto);
  PeriodoMostrado mostrado(contexto, periodo);
  periodo.ano = AnoDeTexto(contexto.comboBoxAno->itemText(indice));
  LlenarComboBoxMes(contexto.comboBoxMes, *contexto.conexion, periodo.ano);
  contexto.comboBoxMes->setCurrentIndex(contexto.comboBoxMes->count() > 0 ? 0 : -1);
  periodo.mes = NumeroDelMes(contexto.comboBoxMes->currentText());
  if (MoverAPeriodo(*contexto.alcabala, periodo.ano, periodo.mes)) mostrado.Confirmar();
}

void ComboBoxMesChange(const ContextoNavegacion& contexto, PeriodoActual periodo, int indice) {
  ComprobarContexto(contexto);
  PeriodoMostrado mostrado(contexto, periodo);
  periodo.mes = NumeroDelMes(contexto.comboBoxMes->itemText(indice));
  if (MoverAPeriodo(*contexto.alcabala, periodo.ano, periodo.mes)) mostrado.Confirmar();
}
