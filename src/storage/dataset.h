#pragma once
// The data-set layer: a table of a data file (or rows held in memory) seen as
// a current record with fields by name, the way the program's windows, rules
// and reports use it.
//
// States: closed, browse, edit, insert. Stored fields come from the table's
// columns (their types from PRAGMA table_info); calculated fields exist only in
// memory and are filled by the calculated-fields handler whenever a record is
// built for display, and after each field change while editing or inserting
// when automatic recalculation is on. Every post is one SQLite transaction.
//
// Rows of a table are identified by SQLite's rowid. A data set with an order
// on (ano, mes) presents them in index order (ties by rowid).

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

#include "general/disposicioncampos.h"
#include "general/errores.h"
#include "general/registro.h"
#include "general/registroplano.h"
#include "general/tipocolumna.h"

class Conexion;

enum class EstadoDataSet { Cerrado, Consulta, Edicion, Insercion };


class DataSet : public QObject, public Registro {
  Q_OBJECT

 public:
  using ManejadorCalculo = std::function<void(Registro&)>;
  // Compares two texts of the order field: negative, zero or positive.
  using ComparadorTextos = std::function<int(const QString&, const QString&)>;

  // A data set over a table of the connection's file. With ordenAnoMes the rows
  // come in the order of the index `mes` (ano, then mes); otherwise in rowid order.
  DataSet(Conexion* conexion, const QString& tabla, bool ordenAnoMes, QObject* parent = nullptr);
  // A data set whose rows live in memory only (no table): its stored fields are
  // given here. Rows are kept ordered by the text field `campoOrden` when not
  // empty, compared by `comparador` (by code point when none is given); rows
  // that compare equal keep the order in which they were posted. A new row
  // starts with 0, empty texts and false, as a table's defaults, or with every
  // field null, as empty boxes.
  enum class FilasNuevas { Vacias, Nulas };
  DataSet(const QList<DefinicionCampo>& campos, const QString& campoOrden, QObject* parent = nullptr);
  DataSet(const QList<DefinicionCampo>& campos, const QString& campoOrden, ComparadorTextos comparador,
          FilasNuevas filasNuevas, QObject* parent = nullptr);
  ~DataSet() override;

  // Calculated fields and their handler; set before opening.
  void DefinirCalculados(const QList<DefinicionCampo>& calculados, ManejadorCalculo manejador);
  // Limits a table's data set to the rows meeting an SQL condition with
  // positional parameters ("ano = ? AND mes = ?"), so a read of a few rows goes
  // through the index instead of loading the table; set before opening. Rows
  // added later stay in the data set until it is refreshed.
  void PonerFiltro(const QString& condicion, const QVariantList& parametros);
  void PonerRecalculoAutomatico(bool activo);
  bool RecalculoAutomatico() const;

  // --- State and navigation ---
  void Abrir();    // reads the rows, moves to the first; opens the connection if needed
  void Cerrar();   // drops any pending edit
  bool Activo() const;
  EstadoDataSet Estado() const;
  bool Bof() const;
  bool Eof() const;
  bool EstaVacio() const;  // at both its beginning and its end
  int CantidadFilas() const;
  void Primero();
  void Ultimo();
  void Siguiente();
  void Anterior();
  // Keyed seek on (ano, mes) in index order: the first row with that key
  // becomes current and true is returned; otherwise nothing moves.
  bool Buscar(int ano, int mes);
  // Re-reads the rows from the table, keeping the current row where it still exists.
  void Refrescar();
  // Moving, seeking, refreshing or appending while a record is being edited
  // first brings the data set back to browse: the changes are posted when a
  // field was changed, otherwise the edit is cancelled.

  // --- Changes ---
  void Agregar();   // insert state on a new record with the columns' defaults
  void Editar();    // edit state on the current record
  void Guardar();   // post: INSERT or UPDATE in one transaction; browse afterwards
  void Cancelar();  // drop the changes; browse afterwards
  bool Modificado() const;  // a field was changed since Editar/Agregar
  // Deletes the current row (one transaction for a table); the row after it,
  // or else the new last row, becomes current. While inserting it cancels.
  void Eliminar();
  // Drops every row of a data set held in memory (not for tables).
  void Vaciar();

  // --- Fields (Registro) ---
  QVariant Valor(const QString& campo) const override;
  void Asignar(const QString& campo, const QVariant& valor) override;
  bool TieneCampo(const QString& campo) const override;
  // The layout of the record (stored then calculated fields): a new one each
  // time the fields change (opening a table, defining the calculated fields).
  const DisposicionCampos* Disposicion() const override;
  const QVariant& ValorEn(int posicion) const override;
  void AsignarEn(int posicion, const QVariant& valor) override;
  const DefinicionCampo* FindField(const QString& campo) const;
  QList<DefinicionCampo> Campos() const;  // stored, then calculated

  // --- Copies for reports (the cursor does not move, no event fires) ---
  // The record shown, stored and calculated fields as they are now.
  RegistroPlano CopiaRegistroActual() const;
  // The row at 0-based position `indice` in the data set's order, with its
  // calculated fields computed by the handler on the copy.
  RegistroPlano CopiaFila(int indice) const;

  Conexion* ConexionDatos() const;
  QString Tabla() const;

 signals:
  void DespuesDeAbrir();
  void DespuesDeCerrar();
  void DespuesDeInsertar();
  void DespuesDeEditar();
  void DespuesDeGuardar();
  void DespuesDeCancelar();
  void DespuesDeEliminar();
  void DespuesDeDesplazar();
  void DespuesDeRefrescar();
  // The current record's values changed (move, recalculation, a field written):
  // bound controls show them again.
  void RegistroCambiado();

 private:
  struct Impl;
  std::unique_ptr<Impl> d;
};

// Turns the data set's automatic recalculation off for its lifetime and puts
// the setting it found back on the way out, also when the work fails.
class RecalculoSuspendido {
 public:
  explicit RecalculoSuspendido(DataSet& dataSet) : dataSet_(dataSet), anterior_(dataSet.RecalculoAutomatico()) {
    dataSet_.PonerRecalculoAutomatico(false);
  }
  ~RecalculoSuspendido() { dataSet_.PonerRecalculoAutomatico(anterior_); }
  RecalculoSuspendido(const RecalculoSuspendido&) = delete;
  RecalculoSuspendido& operator=(const RecalculoSuspendido&) = delete;

 private:
  DataSet& dataSet_;
  bool anterior_;
};

// An append that is either posted or dropped: a row still being inserted when
// the guard goes out of scope is cancelled, so a failure adds nothing.
class InsercionPendiente {
 public:
  explicit InsercionPendiente(DataSet& dataSet) : dataSet_(dataSet) { dataSet_.Agregar(); }
  // Dropping the row recomputes the row shown, which may fail in turn: that
  // failure is kept for the command to report, never thrown from here.
  ~InsercionPendiente() {
    RestaurarSinLanzar([this] {
      if (dataSet_.Estado() == EstadoDataSet::Insercion) dataSet_.Cancelar();
    });
  }
  InsercionPendiente(const InsercionPendiente&) = delete;
  InsercionPendiente& operator=(const InsercionPendiente&) = delete;

 private:
  DataSet& dataSet_;
};
