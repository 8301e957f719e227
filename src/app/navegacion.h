#pragma once
// Moving between declarations with the year and month lists of the form's
// head. The handlers are connected to the lists' `activated` signal, so only
// the user's choice runs them; selecting an entry from the program does not.

#include "storage/periodos.h"

class Conexion;
class DataSet;
class QComboBox;

/// The current period of the window: the declaration shown (0 and 0: none).
struct PeriodoActual {
  int& ano;
  int& mes;
};

/// What the two handlers act on.
struct ContextoNavegacion {
  QComboBox* comboBoxAno = nullptr;
  QComboBox* comboBoxMes = nullptr;
  Conexion* conexion = nullptr;
  DataSet* alcabala = nullptr;
};

/// Brings the declarations data set back to browse: a declaration being
/// edited is saved as it stands when a field was changed (a plain post of
/// the row), otherwise its edit is cancelled.
void VolverAConsulta(DataSet& alcabala);

/// The stored period just before (paso -1) or just after (paso +1) the
/// period (ano, mes); {0, 0} when there is none.
AnoMes PeriodoVecino(Conexion& conexion, int ano, int mes, int paso);

/// Ctrl+Re Pág / Ctrl+Av Pág: the stored period just before or after the
/// current one becomes current, as if chosen in the lists (a declaration
/// being edited is saved the same way), and the lists show it. At either
/// end nothing happens.
void IrAPeriodoVecino(const ContextoNavegacion& contexto, PeriodoActual periodo, int paso);

/// Brings the data set back to browse, then seeks the declaration of
/// (ano, mes). Returns whether it was found; if not, nothing moved.
bool MoverAPeriodo(DataSet& alcabala, int ano, int mes);

/// The user picked the year entry `indice`: with the busy cursor, the year
/// becomes current, the month list is refilled and its first (latest) month
/// selected and made current, and the declaration is shown.
void ComboBoxAnoChange(const ContextoNavegacion& contexto, PeriodoActual periodo, int indice);

/// The user picked the month entry `indice`: it becomes the current month
/// and its declaration is shown.
void ComboBoxMesChange(const ContextoNavegacion& contexto, PeriodoActual periodo, int indice);
