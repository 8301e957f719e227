#pragma once
// The commands of the "&Alcabala" menu that act on declarations (create,
// edit or cancel, save, delete) and the "&Contribuyente" command. Each runs
// inside the command wrapper of the window that calls it; a failure ends it
// where it happens and leaves nothing half done.

#include <QString>
#include <functional>
#include <optional>

#include "app/navegacion.h"
#include "declarations/ciclo.h"

class Conexion;
class DataSet;
class PaginasFormulario;
class QWidget;
class TFormContribuyente;
class TFormCrearAlcabala;

/// Asks a question with the buttons "Sí" and "No"; true for "Sí".
using PreguntaSiNo = std::function<bool(QWidget* padre, const QString& titulo, const QString& texto)>;
/// Tells the user something, with an OK button.
using Aviso = std::function<void(QWidget* padre, const QString& titulo, const QString& texto)>;

/// Asks the user to type a value; nothing when the user cancels.
using PreguntaTexto = std::function<std::optional<QString>(QWidget* padre, const QString& titulo, const QString& texto)>;

/// The message boxes of the program (real modal boxes).
bool PreguntarSiNo(QWidget* padre, const QString& titulo, const QString& texto);
void Avisar(QWidget* padre, const QString& titulo, const QString& texto);
std::optional<QString> PreguntarTexto(QWidget* padre, const QString& titulo, const QString& texto);

/// What the commands act on; the window builds it for each command.
struct ContextoComandos {
  QWidget* ventana = nullptr;
  Conexion* conexion = nullptr;
  DataSet* alcabala = nullptr;
  DataSet* contribuyente = nullptr;
  PaginasFormulario* paginas = nullptr;
  TFormCrearAlcabala* formCrearAlcabala = nullptr;
  TFormContribuyente* formContribuyente = nullptr;
  FuncionUTM utm;          ///< empty: the web look-up with the system's locale
  PreguntaSiNo preguntar;  ///< empty: PreguntarSiNo
  Aviso avisar;            ///< empty: Avisar
  PreguntaTexto escribir;  ///< empty: PreguntarTexto
};

/// "&Crear": the period dialog, then CrearAlcabala for the period chosen.
void MenuItemCrearAlcabalaClick(const ContextoComandos& contexto, PeriodoActual periodo);

/// Creates (or, when it exists, just shows) the declaration of the year typed
/// as textoAno and month mes. When the server has no UTM value for a month
/// the creation needs, the user is asked to type it (for this creation only);
/// when the user cancels that question (asked once per creation), the month
/// left without a value is told in a box titled "Crear Alcabala" and nothing
/// changes. The period becomes current and the
/// lists show it.
void CrearAlcabala(const ContextoComandos& contexto, PeriodoActual periodo, const QString& textoAno, int mes);

/// "&Editar" / "&Cancelar Edición": browsing, the declaration is put in edit
/// and the input boxes come on; editing, the boxes go off and every change
/// since the last save is dropped. In other states nothing happens.
void MenuItemEditarAlcabalaClick(const ContextoComandos& contexto);

/// Drops every change of the declaration being edited (and of the taxpayer's
/// RUT typed into it) and switches the input boxes off, as "&Cancelar
/// Edición" does.
void DescartarEdicion(const ContextoComandos& contexto);

/// "&Guardar": the box being typed reaches its field, the boxes go off and
/// the declaration is saved (with the address copied into the taxpayer row
/// when box 583 is ticked). When the save fails the declaration stays in
/// edit with the user's values and the boxes come back on.
void MenuItemGuardarAlcabalaClick(const ContextoComandos& contexto);

/// "&Eliminar": after the user confirms, deletes the declaration of the
/// current period and shows the latest one left.
void MenuItemEliminarAlcabalaClick(const ContextoComandos& contexto, PeriodoActual periodo);

/// "&Contribuyente": the taxpayer dialog over the taxpayer row.
void MenuItemContribuyenteClick(const ContextoComandos& contexto);
