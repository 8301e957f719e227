// Which commands, tool buttons, period lists and boxes are on in each
// situation of the main window.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include "app/alcabalaprueba.h"
#include "app/estados.h"

using namespace prueba;

namespace {

// The flags of one column of the situations table, in the order of the rules.
struct Columna {
  bool crearArchivo, abrir, cerrar, contribuyente, crearAlcabala, editar, guardar, resto, listas;
};

void Comparar(const EstadoControles& e, const Columna& c) {
  EXPECT_EQ(e.crearArchivo, c.crearArchivo);
  EXPECT_EQ(e.abrirArchivo, c.abrir);
  EXPECT_EQ(e.cerrarArchivo, c.cerrar);
  EXPECT_EQ(e.contribuyente, c.contribuyente);
  EXPECT_EQ(e.crearAlcabala, c.crearAlcabala);
  EXPECT_EQ(e.editarAlcabala, c.editar);
  EXPECT_EQ(e.guardarAlcabala, c.guardar);
  EXPECT_EQ(e.eliminarAlcabala, c.resto);
  EXPECT_EQ(e.imprimir, c.resto);
  EXPECT_EQ(e.informes, c.resto);
  EXPECT_EQ(e.listas, c.listas);
}

// Flags of the window's real controls, for one column.
void CompararVentana(const VentanaPrueba& v, const Columna& c, const char* situacion) {
  SCOPED_TRACE(situacion);
  TFormAlcabala* w = v.ventana.get();
  const std::pair<QAction*, bool> acciones[] = {
      {w->MenuItemCrearArchivo, c.crearArchivo},
      {w->MenuItemAbrirArchivo, c.abrir},
      {w->MenuItemCerrarArchivo, c.cerrar},
      {w->MenuItemContribuyente, c.contribuyente},
      {w->MenuItemCrearAlcabala, c.crearAlcabala},
      {w->MenuItemEditarAlcabala, c.editar},
      {w->MenuItemGuardarAlcabala, c.guardar},
      {w->MenuItemEliminarAlcabala, c.resto},
      {w->MenuItemImprimirAnversoAlcabala, c.resto},
      {w->MenuItemImprimirReversoAlcabala, c.resto},
      {w->MenuItemEmpresas, c.resto},
      {w->MenuItemEmpresasSinPagoImpuestos, c.resto},
      {w->MenuItemEmpresasPagarImpuestos, c.resto},
      {w->MenuItemEmpresasIVA, c.resto},
      {w->MenuItemEmpresasRetenciones, c.resto},
      {w->MenuItemEmpresasPPM, c.resto},
      {w->MenuItemResumenIVA, c.resto},
      {w->MenuItemResumenRetenciones, c.resto},
      {w->MenuItemResumenPPM, c.resto},
      {w->MenuItemSalir, true},
      {w->MenuItemAcerca, true},
  };
  for (const auto& [accion, activa] : acciones) EXPECT_EQ(accion->isEnabled(), activa) << qPrintable(accion->objectName());
  const std::pair<QToolButton*, QAction*> botones[] = {
      {w->ToolButtonCrearArchivo, w->MenuItemCrearArchivo},
      {w->ToolButtonAbrirArchivo, w->MenuItemAbrirArchivo},
      {w->ToolButtonCerrarArchivo, w->MenuItemCerrarArchivo},
      {w->ToolButtonCrearAlcabala, w->MenuItemCrearAlcabala},
      {w->ToolButtonEditarAlcabala, w->MenuItemEditarAlcabala},
      {w->ToolButtonGuardarAlcabala, w->MenuItemGuardarAlcabala},
      {w->ToolButtonEliminarAlcabala, w->MenuItemEliminarAlcabala},
      {w->ToolButtonImprimirAnversoAlcabala, w->MenuItemImprimirAnversoAlcabala},
      {w->ToolButtonImprimirReversoAlcabala, w->MenuItemImprimirReversoAlcabala},
      {w->ToolButtonSalir, w->MenuItemSalir},
  };
  for (const auto& [boton, accion] : botones) EXPECT_EQ(boton->isEnabled(), accion->isEnabled()) << qPrintable(boton->objectName());
  EXPECT_EQ(w->Paginas->ComboBoxAno->isEnabled(), c.listas);
  EXPECT_EQ(w->Paginas->ComboBoxMes->isEnabled(), c.listas);
}

void CompararTituloEditar(const VentanaPrueba& v, bool editando) {
  const QString titulo = editando ? QStringLiteral("&Cancelar Edición") : QStringLiteral("&Editar");
  const QString pista = editando ? QStringLiteral("Cancelar Edición Alcabala") : QStringLiteral("Editar Alcabala");
  EXPECT_EQ(v->MenuItemEditarAlcabala->text(), titulo);
  EXPECT_EQ(v->MenuItemEditarAlcabala->statusTip(), pista);
  // A tool button shows its action's caption without the accelerator mark.
  EXPECT_EQ(v->ToolButtonEditarAlcabala->text(), QString(titulo).remove(QLatin1Char('&')));
  EXPECT_EQ(v->ToolButtonEditarAlcabala->toolTip(), pista);
}

const Columna kSinArchivo{true, true, false, false, false, false, false, false, false};
const Columna kSinDeclaracion{true, true, true, true, true, false, false, false, false};
const Columna kConsulta{true, true, true, true, true, true, false, true, true};
const Columna kEdicion{false, false, false, true, false, true, true, false, true};
const Columna kInsercion{false, true, false, true, false, false, false, false, false};

// Every control's enabled flag and text, to compare two moments.
QStringList Fotografia(const VentanaPrueba& v) {
  QStringList r;
  for (QAction* a : v->findChildren<QAction*>())
    if (!a->objectName().isEmpty()) r << a->objectName() + ":" + QString::number(a->isEnabled()) + ":" + a->text();
  for (QToolButton* b : v->findChildren<QToolButton*>())
    if (!b->objectName().isEmpty()) r << b->objectName() + ":" + QString::number(b->isEnabled());
  for (QWidget* c : v->Paginas->Controles()) r << c->objectName() + ":" + QString::number(c->isEnabled());
  for (QComboBox* l : {v->Paginas->ComboBoxAno, v->Paginas->ComboBoxMes})
    r << l->objectName() + ":" + QString::number(l->isEnabled()) + ":" + QString::number(l->count());
  r << v->windowTitle();
  r.sort();
  return r;
}

}  // namespace

TEST(EstadoControles, LasCincoSituaciones) {
  Comparar(CalcularEstadoControles({false, EstadoDataSet::Cerrado, false, false}), kSinArchivo);
  Comparar(CalcularEstadoControles({true, EstadoDataSet::Consulta, false, true}), kSinDeclaracion);
  Comparar(CalcularEstadoControles({true, EstadoDataSet::Consulta, true, true}), kConsulta);
  Comparar(CalcularEstadoControles({true, EstadoDataSet::Edicion, true, true}), kEdicion);
  Comparar(CalcularEstadoControles({true, EstadoDataSet::Insercion, true, true}), kInsercion);
  // Without a taxpayer row (or with it being edited) the taxpayer command is off.
  EXPECT_FALSE(CalcularEstadoControles({true, EstadoDataSet::Consulta, true, false}).contribuyente);
  // A connected file whose declarations data set is closed (while deleting).
  const EstadoControles cerrado = CalcularEstadoControles({true, EstadoDataSet::Cerrado, false, true});
  EXPECT_FALSE(cerrado.crearArchivo);
  EXPECT_TRUE(cerrado.abrirArchivo);
  EXPECT_FALSE(cerrado.editarAlcabala);
}

TEST(EstadoControles, TituloYPistaDelComandoEditar) {
  const EstadoControles edicion = CalcularEstadoControles({true, EstadoDataSet::Edicion, true, true});
  EXPECT_EQ(edicion.tituloEditar, QStringLiteral("&Cancelar Edición"));
  EXPECT_EQ(edicion.pistaEditar, QStringLiteral("Cancelar Edición Alcabala"));
  for (EstadoDataSet s : {EstadoDataSet::Cerrado, EstadoDataSet::Consulta, EstadoDataSet::Insercion}) {
    const EstadoControles otro = CalcularEstadoControles({true, s, true, true});
    EXPECT_EQ(otro.tituloEditar, QStringLiteral("&Editar"));
    EXPECT_EQ(otro.pistaEditar, QStringLiteral("Editar Alcabala"));
  }
}

TEST(EstadosVentana, LasCincoSituacionesEnLaVentana) {
  ErroresAnotados errores;
  {
    VentanaPrueba v;
    CompararVentana(v, kSinArchivo, "sin archivo");
    CompararTituloEditar(v, false);
  }
  {
    ArchivoPrueba vacio;
    VentanaPrueba v(vacio.ruta);
    CompararVentana(v, kSinDeclaracion, "archivo sin declaraciones");
  }
  ArchivoPrueba archivo({{2024, 3}});
  VentanaPrueba v(archivo.ruta);
  CompararVentana(v, kConsulta, "consultando");
  CompararTituloEditar(v, false);

  v->MenuItemEditarAlcabala->trigger();
  ASSERT_EQ(v.Estado(), EstadoDataSet::Edicion);
  CompararVentana(v, kEdicion, "editando");
  CompararTituloEditar(v, true);

  // The tool button runs the same command: it cancels now.
  QTest::mouseClick(v->ToolButtonEditarAlcabala, Qt::LeftButton);
  EXPECT_EQ(v.Estado(), EstadoDataSet::Consulta);
  CompararVentana(v, kConsulta, "tras cancelar");
  CompararTituloEditar(v, false);

  // The short moment of inserting, as the window sees it.
  QStringList enInsercion;
  QObject::connect(v->ADODataSetAlcabala, &DataSet::DespuesDeInsertar, v.ventana.get(),
                   [&] { CompararVentana(v, kInsercion, "insertando"); enInsercion << "visto"; });
  v->ADODataSetAlcabala->Agregar();
  v->ADODataSetAlcabala->Cancelar();
  EXPECT_EQ(enInsercion.size(), 1);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST(EstadosVentana, EditarSin583DejaApagadosLosAntecedentes) {
  ErroresAnotados errores;
  ArchivoPrueba archivo({{2024, 2}, {2024, 3}});
  archivo.Poner(2024, 2, QStringLiteral("Cod583 = 1"));
  VentanaPrueba v(archivo.ruta);
  const PaginasFormulario& p = *v->Paginas;
  ASSERT_EQ(p.ControlesEntrada().size(), 187);
  ASSERT_EQ(p.ControlesAntecedentes().size(), 15);
  ASSERT_EQ(p.ControlesSoloLectura().size(), 45);
  for (QWidget* w : p.Controles()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());

  v->MenuItemEditarAlcabala->trigger();
  for (QWidget* w : p.ControlesEntrada()) EXPECT_TRUE(w->isEnabled()) << qPrintable(w->objectName());
  for (QWidget* w : p.ControlesAntecedentes()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
  for (QWidget* w : p.ControlesSoloLectura()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
  v->MenuItemEditarAlcabalaClick();  // cancel
  for (QWidget* w : p.Controles()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());

  // February has box 583 ticked: its identification boxes come on too.
  ASSERT_TRUE(v->ADODataSetAlcabala->Buscar(2024, 2));
  v->MenuItemEditarAlcabala->trigger();
  for (QWidget* w : p.ControlesEntrada()) EXPECT_TRUE(w->isEnabled()) << qPrintable(w->objectName());
  for (QWidget* w : p.ControlesAntecedentes()) EXPECT_TRUE(w->isEnabled()) << qPrintable(w->objectName());
  for (QWidget* w : p.ControlesSoloLectura()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
  v->MenuItemGuardarAlcabala->trigger();
  for (QWidget* w : p.Controles()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
  CompararTituloEditar(v, false);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST(EstadosVentana, CerrarElArchivoVuelveTodoAlEstadoInicial) {
  ErroresAnotados errores;
  ArchivoPrueba archivo({{2024, 2}, {2024, 3}});
  VentanaPrueba v(archivo.ruta);
  VentanaPrueba nueva;
  const QStringList inicial = Fotografia(nueva);

  // Browsing a declaration.
  v->MenuItemCerrarArchivo->trigger();
  EXPECT_EQ(Fotografia(v), inicial);

  // Editing, then a move to another month leaves the boxes on and the file
  // can be closed: they go off with it.
  v->AbrirArchivoAlcabala(archivo.ruta);
  v->MenuItemEditarAlcabala->trigger();
  v->Paginas->ComboBoxMes->setCurrentIndex(1);
  emit v->Paginas->ComboBoxMes->activated(1);
  ASSERT_EQ(v.Mes(), 2);
  ASSERT_TRUE(v.Caja("521")->isEnabled());
  ASSERT_TRUE(v->MenuItemCerrarArchivo->isEnabled());
  v->MenuItemCerrarArchivo->trigger();
  EXPECT_EQ(Fotografia(v), inicial);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}
