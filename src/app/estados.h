#pragma once
// Which commands of the main window make sense for the data file and the
// declaration shown, and switching the boxes of the form pages on and off.
//
// Two separate mechanisms: EstablecerEstadoControles follows the state of the
// declarations data set (it runs after each of its state changes and moves);
// ActivarControles and DesactivarControles follow the edit, cancel and save
// commands, so the input boxes are not tied to the data set's state.

#include <QList>
#include <QString>

#include "storage/dataset.h"

class Conexion;
class PaginasFormulario;
class QAction;
class QComboBox;

/// What the enabling rules look at.
struct EntradasEstado {
  bool conectado = false;                        ///< a data file is open
  EstadoDataSet estado = EstadoDataSet::Cerrado;  ///< state of the declarations data set
  bool filas = false;                            ///< the declarations data set holds a row
  bool contribuyente = false;                    ///< the taxpayer data set browses a row
};

/// The enabled flags the rules give, and the edit command's caption and hint.
struct EstadoControles {
  bool crearArchivo = false;
  bool abrirArchivo = false;
  bool cerrarArchivo = false;
  bool contribuyente = false;
  bool crearAlcabala = false;
  bool editarAlcabala = false;
  bool guardarAlcabala = false;
  bool eliminarAlcabala = false;
  bool imprimir = false;  ///< both printing items
  bool informes = false;  ///< the nine items of "&Informes"
  bool listas = false;    ///< the year and month lists (as the edit item)
  bool cartera = false;   ///< the clients' board: whenever no declaration is being edited
  bool importarRcv = false;  ///< the registry import (as the edit item: a declaration edited or editable)
  QString tituloEditar;
  QString pistaEditar;
};

/// The rules, as a pure function of their inputs.
EstadoControles CalcularEstadoControles(const EntradasEstado& entradas);

/// Reads the inputs from the connection and the two data sets.
EntradasEstado LeerEntradasEstado(const Conexion& conexion, const DataSet& alcabala, const DataSet& contribuyente);

/// The window's controls the rules switch. Tool buttons share their menu
/// item's action, so they follow it.
struct ControlesVentana {
  QAction* crearArchivo = nullptr;
  QAction* abrirArchivo = nullptr;
  QAction* cerrarArchivo = nullptr;
  QAction* contribuyente = nullptr;
  QAction* crearAlcabala = nullptr;
  QAction* editarAlcabala = nullptr;
  QAction* guardarAlcabala = nullptr;
  QAction* eliminarAlcabala = nullptr;
  QAction* importarRcv = nullptr;
  QList<QAction*> imprimir;
  QList<QAction*> informes;
  QAction* cartera = nullptr;
  QComboBox* comboBoxAno = nullptr;
  QComboBox* comboBoxMes = nullptr;
};

/// Applies the flags, caption and hint to the controls, in the rules' order.
void AplicarEstadoControles(const EstadoControles& estado, const ControlesVentana& controles);

/// Reads the inputs, works out the rules and applies them.
void EstablecerEstadoControles(const Conexion& conexion, const DataSet& alcabala, const DataSet& contribuyente,
                               const ControlesVentana& controles);

/// Enables the input boxes, in catalogue order; then the antecedentes boxes
/// too when the current declaration's box 583 is ticked.
void ActivarControles(PaginasFormulario& paginas, const DataSet& alcabala);
/// Disables the input boxes, then the antecedentes boxes.
void DesactivarControles(PaginasFormulario& paginas);
/// Enables the fifteen identification boxes governed by box 583.
void ActivarControlesAntecedentes(PaginasFormulario& paginas);
/// Disables the fifteen identification boxes.
void DesactivarControlesAntecedentes(PaginasFormulario& paginas);
