#include "app/controles/cajas.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>
#include <limits>

#include "app/controles/comando.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/valores.h"
#include "storage/dataset.h"

namespace {

bool Vacia(DataSet* ds) {
  return ds == nullptr || !ds->Activo() || (ds->EstaVacio() && ds->Estado() != EstadoDataSet::Insercion);
}

// A browsing data set goes into edit state when the user changes a bound box.
void AsegurarEdicion(DataSet* ds) {
  if (ds != nullptr && ds->Estado() == EstadoDataSet::Consulta) ds->Editar();
}

bool Escribible(DataSet* ds) {
  return ds != nullptr && ds->Activo() && ds->Estado() != EstadoDataSet::Cerrado &&
         !(ds->EstaVacio() && ds->Estado() == EstadoDataSet::Consulta);
}

}  // namespace

// ---- CajaEdicion ------------------------------------------------------------------

CajaEdicion::CajaEdicion(Presentacion presentacion, const QLocale& locale, QWidget* parent)
    : QLineEdit(parent), presentacion_(presentacion), locale_(locale) {
  const bool derecha = presentacion == Presentacion::Grupos || presentacion == Presentacion::GruposDecimal ||
                       presentacion == Presentacion::TextoDerecha;
  setAlignment((derecha ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  connect(this, &QLineEdit::textEdited, this, [this] { modificada_ = true; });
}

void CajaEdicion::Enlazar(DataSet* dataSet, const QString& campo) {
  if (dataSet_) disconnect(dataSet_, nullptr, this, nullptr);
  dataSet_ = dataSet;
  campo_ = campo;
  modificada_ = false;
  if (dataSet_) connect(dataSet_, &DataSet::RegistroCambiado, this, &CajaEdicion::MostrarValor);
  MostrarValor();
}

bool CajaEdicion::Vacio() const { return Vacia(dataSet_); }

bool CajaEdicion::PuedeEscribir() const { return Escribible(dataSet_) && !isReadOnly(); }

void CajaEdicion::PonerLargoMaximo(int largo) {
  largoMaximo_ = largo;
  if (hasFocus() && largo > 0) setMaxLength(largo);
}

void CajaEdicion::PonerTexto(const QString& texto) {
  // QLineEdit cuts any text to its limit: only the edit form gets it.
  const int limite = hasFocus() && largoMaximo_ > 0 ? largoMaximo_ : 32767;
  mostrando_ = true;
  setMaxLength(32767);
  setText(texto);
  if (limite < 32767 && texto.size() <= limite) setMaxLength(limite);
  // A text longer than the box is read from its beginning; setText leaves
  // the caret, and so the view, at its end.
  if (!hasFocus()) setCursorPosition(0);
  mostrando_ = false;
}

void CajaEdicion::MostrarValor() {
  // What the user is typing survives a recalculation of the record it edits.
  if (modificada_ && hasFocus() && dataSet_ && dataSet_->Estado() != EstadoDataSet::Consulta &&
      dataSet_->Estado() != EstadoDataSet::Cerrado)
    return;
  modificada_ = false;
  if (Vacio() || !dataSet_->TieneCampo(campo_)) {
    PonerTexto(QString());
    return;
  }
  PonerTexto(TextoDeValor(dataSet_->Valor(campo_), presentacion_, hasFocus(), false, locale_));
}

void CajaEdicion::GuardarValor() {
  if (!modificada_ || !dataSet_) return;
  const DefinicionCampo* campo = dataSet_->FindField(campo_);
  if (campo == nullptr) throw ErrorAlcabala(QStringLiteral("El campo %1 no existe").arg(campo_));
  const QVariant valor = ValorDeTexto(text(), campo->tipo, campo->tamano, locale_);
  AsegurarEdicion(dataSet_);
  dataSet_->Asignar(campo_, valor);
  modificada_ = false;
  MostrarValor();
}

void CajaEdicion::DescartarTexto() {
  modificada_ = false;
  MostrarValor();
}

void CajaEdicion::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  MostrarValor();
  // Showing the edit form drops the selection a keyboard user gets on
  // entering a box: put it back, so typing replaces the value.
  const Qt::FocusReason razon = e->reason();
  if (razon == Qt::TabFocusReason || razon == Qt::BacktabFocusReason || razon == Qt::ShortcutFocusReason)
    selectAll();
}

void CajaEdicion::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (!modificada_) {
    MostrarValor();
    emit Salida();
    return;
  }
  const bool bien = EjecutarComando(window(), [this] { GuardarValor(); });
  if (bien) {
    emit Salida();
  } else {
    // The field refused the text: it stays for the user to mend.
    QTimer::singleShot(0, this, [this] {
      if (isEnabled()) setFocus(Qt::OtherFocusReason);
    });
  }
}

void CajaEdicion::mouseReleaseEvent(QMouseEvent* e) {
  QLineEdit::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton) emit Pulsada();
}

void CajaEdicion::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::SelectAll)) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  const QString texto = e->text();
  QChar tecla = texto.size() == 1 ? texto.at(0) : QChar();
  const bool retroceso = tecla == QChar(TeclaRetroceso);
  const bool cambiaTexto = e->key() == Qt::Key_Delete || e->matches(QKeySequence::Cut) ||
                           e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Undo) ||
                           e->matches(QKeySequence::Redo);
  if (!tecla.isNull() && filtroTeclas && (tecla.isPrint() || !cambiaTexto || e->matches(QKeySequence::Paste))) {
    const int cursor = hasSelectedText() ? selectionStart() : cursorPosition();
    const QChar filtrada = filtroTeclas(text(), tecla, cursor);
    if (filtrada.isNull()) {
      e->accept();
      return;
    }
    tecla = filtrada;
  }
  const bool escribe = !tecla.isNull() && (tecla.isPrint() || retroceso);
  if (!escribe && !cambiaTexto) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  if (!PuedeEscribir()) {
    e->accept();
    return;
  }
  if (!EjecutarComando(window(), [this] { AsegurarEdicion(dataSet_); })) return;
  if (escribe && tecla != texto.at(0)) {
    // The filter changed the character (a "." typed for the decimal comma).
    QKeyEvent cambiado(e->type(), e->key(), e->modifiers(), QString(tecla), e->isAutoRepeat(), e->count());
    QLineEdit::keyPressEvent(&cambiado);
    e->setAccepted(cambiado.isAccepted());
    return;
  }
  QLineEdit::keyPressEvent(e);
}

// ---- CasillaDatos -----------------------------------------------------------------

CasillaDatos::CasillaDatos(QWidget* parent) : QCheckBox(parent) {
  connect(this, &QCheckBox::toggled, this, &CasillaDatos::AlCambiar);
}

void CasillaDatos::Enlazar(DataSet* dataSet, const QString& campo) {
  if (dataSet_) disconnect(dataSet_, nullptr, this, nullptr);
  dataSet_ = dataSet;
  campo_ = campo;
  if (dataSet_) connect(dataSet_, &DataSet::RegistroCambiado, this, &CasillaDatos::MostrarValor);
  MostrarValor();
}

void CasillaDatos::MostrarValor() {
  const bool marcada = !Vacia(dataSet_) && dataSet_->TieneCampo(campo_) && NuloAFalso(dataSet_->Valor(campo_));
  if (marcada == isChecked()) return;
  mostrando_ = true;
  setChecked(marcada);
  mostrando_ = false;
}

void CasillaDatos::AlCambiar(bool marcada) {
  if (!mostrando_) {
    const bool bien = EjecutarComando(window(), [this, marcada] {
      if (!Escribible(dataSet_)) throw ErrorAlcabala(QStringLiteral("No hay una declaración que modificar"));
      AsegurarEdicion(dataSet_);
      dataSet_->Asignar(campo_, marcada);
    });
    if (!bien) {
      MostrarValor();
      return;
    }
  }
  emit Cambiada(marcada);
}

// ---- ListaDatos -------------------------------------------------------------------

ListaDatos::ListaDatos(const QList<int>& items, QWidget* parent) : QComboBox(parent), items_(items) {
  setEditable(false);
  for (int item : items_) addItem(QString::number(item), item);
  setCurrentIndex(-1);
  connect(this, QOverload<int>::of(&QComboBox::activated), this, &ListaDatos::AlElegir);
}

void ListaDatos::Enlazar(DataSet* dataSet, const QString& campo) {
  if (dataSet_) disconnect(dataSet_, nullptr, this, nullptr);
  dataSet_ = dataSet;
  campo_ = campo;
  if (dataSet_) connect(dataSet_, &DataSet::RegistroCambiado, this, &ListaDatos::MostrarValor);
  MostrarValor();
}

void ListaDatos::MostrarValor() {
  int indice = -1;
  if (!Vacia(dataSet_) && dataSet_->TieneCampo(campo_))
    indice = items_.indexOf(static_cast<int>(NuloACeroEntero(dataSet_->Valor(campo_))));
  mostrando_ = true;
  setCurrentIndex(indice);
  mostrando_ = false;
}

void ListaDatos::AlElegir(int indice) {
  if (mostrando_ || indice < 0 || indice >= items_.size()) return;
  const int valor = items_.at(indice);
  const bool bien = EjecutarComando(window(), [this, valor] {
    if (!Escribible(dataSet_)) throw ErrorAlcabala(QStringLiteral("No hay una declaración que modificar"));
    AsegurarEdicion(dataSet_);
    dataSet_->Asignar(campo_, valor);
  });
  if (bien)
    emit Cambiada(valor);
  else
    MostrarValor();
}
