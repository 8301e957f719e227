#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <tuple>

#include "app/arranque.h"
#include "common/cajamodal.h"
#include "app/controles/cajas.h"
#include "app/controles/comando.h"
#include "common/erroresanotados.h"
#include "app/formalcabala.h"
#include "app/controles/iconos.h"
#include "app/paginas.h"
#include "common/servidorhttp.h"
#include "dialogs/formacerca.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

using prueba::ErroresAnotados;

const QByteArray kFeedVacio = "<?xml version=\"1.0\"?><Alcabala/>";

// A program folder of its own for each test: the parameter database is
// copied there from the build, and no data file lies beside it.
struct CarpetaPrograma {
  CarpetaPrograma(bool conParametros = true) {
    if (conParametros)
      QFile::copy(QStringLiteral(ALCABALA_BIN_DIR "/alcabala.mdb"), dir.filePath("alcabala.mdb"));
  }
  QString Ruta() const { return dir.path(); }
  QTemporaryDir dir;
};

QString CarpetaAlcabalas() {
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Alcabalas";
}

void InsertarDeclaraciones(const QString& ruta, const QList<std::pair<int, int>>& periodos) {
  {
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prueba"));
    base.setDatabaseName(ruta);
    ASSERT_TRUE(base.open());
    QSqlQuery consulta(base);
    for (const auto& [ano, mes] : periodos)
      ASSERT_TRUE(consulta.exec(QStringLiteral("INSERT INTO alcabalas (ano, mes) VALUES (%1, %2)").arg(ano).arg(mes)));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("prueba"));
}

QStringList Textos(QComboBox* combo) {
  QStringList textos;
  for (int i = 0; i < combo->count(); ++i) textos << combo->itemText(i);
  return textos;
}

// Catches what the window hands to the desktop to open.
class Navegador : public QObject {
  Q_OBJECT
 public:
  Navegador() {
    for (const char* esquema : {"http", "https", "mailto", "file"})
      QDesktopServices::setUrlHandler(esquema, this, "Abrir");
  }
  ~Navegador() override {
    for (const char* esquema : {"http", "https", "mailto", "file"}) QDesktopServices::unsetUrlHandler(esquema);
  }
  QStringList abiertas;
 public slots:
  void Abrir(const QUrl& url) { abiertas << url.toString(); }
};

class Ventana : public ::testing::Test {
 protected:
  std::unique_ptr<TFormAlcabala> Crear(const QString& archivo = QString()) {
    auto ventana = std::make_unique<TFormAlcabala>(Novedades{}, archivo, programa.Ruta());
    ventana->CrearDialogos();
    return ventana;
  }
  ErroresAnotados errores;
  CarpetaPrograma programa;
  QTemporaryDir datos;
};

struct ItemMenu {
  const char* nombre;
  const char* titulo;
  const char* pista;
  bool imagen;
  bool activo;
};

TEST_F(Ventana, MenusComoAlArrancar) {
  auto ventana = Crear();
  const ItemMenu items[] = {
      {"MenuItemCrearArchivo", "&Crear", "Crear Archivo", true, true},
      {"MenuItemAbrirArchivo", "&Abrir...", "Abrir Archivo", true, true},
      {"MenuItemCerrarArchivo", "&Cerrar", "Cerrar Archivo", true, false},
      {"MenuItemContribuyente", "&Contribuyente", "", false, false},
      {"MenuItemSalir", "&Salir", "Salir del Software", true, true},
      {"MenuItemCrearAlcabala", "&Crear", "Crear Alcabala", true, false},
      {"MenuItemEditarAlcabala", "&Editar", "Editar Alcabala", true, false},
      {"MenuItemGuardarAlcabala", "&Guardar", "Guardar Alcabala", true, false},
      {"MenuItemEliminarAlcabala", "&Eliminar", "Eliminar Alcabala", true, false},
      {"MenuItemImprimirAnversoAlcabala", "Imprimir &Anverso...", "Imprimir Anverso Alcabala", true, false},
      {"MenuItemImprimirReversoAlcabala", "Imprimir &Reverso...", "Imprimir Reverso Alcabala", true, false},
      {"MenuItemEmpresas", "&Empresas", "", false, false},
      {"MenuItemEmpresasSinPagoImpuestos", "Empresas &sin Pago de Impuestos", "", false, false},
      {"MenuItemEmpresasPagarImpuestos", "Empresas &a Pagar Impuestos", "", false, false},
      {"MenuItemEmpresasIVA", "Empresas e &IVA", "", false, false},
      {"MenuItemEmpresasRetenciones", "Empresas y &Retenciones", "", false, false},
      {"MenuItemEmpresasPPM", "Empresas y &PPM", "", false, false},
      {"MenuItemResumenIVA", "Res&umen IVA", "", false, false},
      {"MenuItemResumenRetenciones", "Resu&men Retenciones", "", false, false},
      {"MenuItemResumenPPM", "Resume&n PPM", "", false, false},
      {"MenuItemAcerca", "&Acerca", "", false, true},
  };
  for (const ItemMenu& item : items) {
    SCOPED_TRACE(item.nombre);
    auto* accion = ventana->findChild<QAction*>(item.nombre);
    ASSERT_NE(accion, nullptr);
    EXPECT_EQ(accion->text(), QString::fromUtf8(item.titulo));
    EXPECT_EQ(accion->statusTip(), QString::fromUtf8(item.pista));
    if (*item.pista) {
      EXPECT_EQ(accion->toolTip(), QString::fromUtf8(item.pista));
    }
    EXPECT_EQ(!accion->icon().isNull(), item.imagen);
    EXPECT_EQ(accion->isEnabled(), item.activo);
    EXPECT_TRUE(accion->shortcut().isEmpty());
  }
  QStringList menus;
  for (QAction* menu : ventana->menuBar()->actions()) menus << menu->text();
  EXPECT_EQ(menus, QStringList({"&Archivos", "&Alcabala", "&Informes", "&Ayuda"}));
  // Separators N2 and N1 in the file menu, in their places.
  const QList<QAction*> archivos = ventana->MenuItemArchivos->actions();
  ASSERT_EQ(archivos.size(), 7);
  EXPECT_TRUE(archivos[3]->isSeparator());
  EXPECT_TRUE(archivos[5]->isSeparator());
  EXPECT_EQ(ventana->windowTitle(), "Alcabala");
  EXPECT_TRUE(errores.textos.isEmpty()) << errores.textos.join('\n').toStdString();
}

TEST_F(Ventana, LosBotonesCompartenLaAccionDeSuMenu) {
  auto ventana = Crear();
  ventana->show();
  QApplication::processEvents();
  const std::tuple<const char*, QAction*, int> botones[] = {
      {"ToolButtonCrearArchivo", ventana->MenuItemCrearArchivo, 0},
      {"ToolButtonAbrirArchivo", ventana->MenuItemAbrirArchivo, 23},
      {"ToolButtonCerrarArchivo", ventana->MenuItemCerrarArchivo, 46},
      {"ToolButtonCrearAlcabala", ventana->MenuItemCrearAlcabala, 77},
      {"ToolButtonEditarAlcabala", ventana->MenuItemEditarAlcabala, 100},
      {"ToolButtonGuardarAlcabala", ventana->MenuItemGuardarAlcabala, 123},
      {"ToolButtonEliminarAlcabala", ventana->MenuItemEliminarAlcabala, 146},
      {"ToolButtonImprimirAnversoAlcabala", ventana->MenuItemImprimirAnversoAlcabala, 177},
      {"ToolButtonImprimirReversoAlcabala", ventana->MenuItemImprimirReversoAlcabala, 200},
      {"ToolButtonSalir", ventana->MenuItemSalir, 231},
  };
  const QList<QAction*> barra = ventana->ToolBar1->actions();
  int separadores = 0;
  for (QAction* a : barra) separadores += a->isSeparator();
  EXPECT_EQ(separadores, 3);
  EXPECT_EQ(barra.size(), 13);
  for (const auto& [nombre, accion, izquierda] : botones) {
    SCOPED_TRACE(nombre);
    auto* boton = ventana->findChild<QToolButton*>(nombre);
    ASSERT_NE(boton, nullptr);
    EXPECT_EQ(boton->x(), izquierda);
    EXPECT_EQ(boton->width(), 23);
    EXPECT_EQ(boton->defaultAction(), accion);
    EXPECT_EQ(boton->isEnabled(), accion->isEnabled());
    EXPECT_EQ(boton->toolTip(), accion->toolTip());
  }
  // The buttons follow their items when these change.
  ventana->MenuItemCerrarArchivo->setEnabled(true);
  EXPECT_TRUE(ventana->ToolButtonCerrarArchivo->isEnabled());
}

TEST_F(Ventana, FormResizeMantieneAnchoMinimoYCentra) {
  auto ventana = Crear();
  ventana->show();
  ventana->resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(ventana->Cliente->width(), 788);
  EXPECT_EQ(ventana->PageControlAlcabala->x(), 0);
  EXPECT_EQ(ventana->PageControlAlcabala->width(), 788);
  EXPECT_EQ(ventana->EditMarquee->x(), 256);
  EXPECT_EQ(ventana->EditMarquee->width(), 532);
  EXPECT_EQ(ventana->ImageFranja->x(), 160);
  const int anchoAngosto = ventana->AnchoMarquee();
  EXPECT_GT(anchoAngosto, 0);
  const int blanco = QFontMetrics(ventana->EditMarquee->font()).horizontalAdvance(' ');
  EXPECT_EQ(anchoAngosto, 532 / blanco);

  ventana->resize(1000, 700);
  QApplication::processEvents();
  const int alto = ventana->Cliente->height();
  EXPECT_EQ(ventana->Cliente->width(), 1000);
  EXPECT_EQ(ventana->PageControlAlcabala->geometry(), QRect(106, 92, 788, alto - 92));
  EXPECT_EQ(ventana->ImageFranja->geometry(), QRect(266, 32, 468, 60));
  EXPECT_EQ(ventana->EditMarquee->geometry(), QRect(256, 3, 744, 24));
  EXPECT_GT(ventana->AnchoMarquee(), anchoAngosto);
  EXPECT_EQ(ventana->ScrollBoxAnverso->height(), alto - 92 - 28);
  EXPECT_EQ(ventana->ScrollBoxReverso->height(), alto - 92 - 28);
  EXPECT_EQ(ventana->ScrollBoxAnverso->width(), 781);

  // Halves go to the even neighbour: 0.5 → 0, 1.5 → 2, 160.5 → 160, 161.5 → 162.
  ventana->resize(789, 700);
  QApplication::processEvents();
  EXPECT_EQ(ventana->PageControlAlcabala->x(), 0);
  EXPECT_EQ(ventana->ImageFranja->x(), 160);
  ventana->resize(791, 700);
  QApplication::processEvents();
  EXPECT_EQ(ventana->PageControlAlcabala->x(), 2);
  EXPECT_EQ(ventana->ImageFranja->x(), 162);
}

TEST_F(Ventana, PaginasAnversoPrimeroYReverso) {
  auto ventana = Crear();
  ASSERT_EQ(ventana->PageControlAlcabala->count(), 2);
  EXPECT_EQ(ventana->PageControlAlcabala->tabText(0), "Anverso");
  EXPECT_EQ(ventana->PageControlAlcabala->tabText(1), "Reverso");
  EXPECT_EQ(ventana->PageControlAlcabala->currentIndex(), 0);
  EXPECT_TRUE(ventana->EditMarquee->isReadOnly());
  EXPECT_EQ(ventana->EditMarquee->focusPolicy() & Qt::TabFocus, 0);
  EXPECT_EQ(ventana->ImageFranja->size(), QSize(468, 60));
}

TEST_F(Ventana, SinBaseDeParametrosMuestraElErrorYNoAbreElArchivo) {
  CarpetaPrograma sinParametros(false);
  const QString ruta = datos.filePath("Empresa.alc");
  {
    auto ventana = Crear();
    ventana->CrearArchivoAlcabala(ruta);
  }
  errores.textos.clear();
  TFormAlcabala ventana(Novedades{}, ruta, sinParametros.Ruta());
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(errores.textos[0].endsWith('.'));
  EXPECT_FALSE(ventana.ADOConnectionAlcabala->Abierta());
  EXPECT_EQ(ventana.windowTitle(), "Alcabala");
}

TEST_F(Ventana, ArchivoDeLineaDeComandos) {
  const QString ruta = datos.filePath("Empresa.alc");
  Crear()->CrearArchivoAlcabala(ruta);
  InsertarDeclaraciones(ruta, {{2023, 11}, {2023, 12}, {2024, 1}});

  auto ventana = Crear(ruta);
  EXPECT_TRUE(errores.textos.isEmpty()) << errores.textos.join('\n').toStdString();
  EXPECT_EQ(ventana->windowTitle(), "Empresa - Alcabala");
  EXPECT_EQ(ventana->AnoActual, 2024);
  EXPECT_EQ(ventana->MesActual, 1);
  EXPECT_EQ(Textos(ventana->Paginas->ComboBoxAno), QStringList({"2024", "2023"}));
  EXPECT_EQ(ventana->Paginas->ComboBoxAno->currentText(), "2024");
  EXPECT_EQ(Textos(ventana->Paginas->ComboBoxMes), QStringList({"Enero"}));
  EXPECT_EQ(ventana->Paginas->ComboBoxMes->currentText(), "Enero");
  EXPECT_TRUE(ventana->MenuItemCerrarArchivo->isEnabled());
  EXPECT_TRUE(ventana->MenuItemEditarAlcabala->isEnabled());
}

TEST_F(Ventana, UnaDeclaracionFueraDeRangoNoImpideAbrirElArchivo) {
  const QString ruta = datos.filePath("Empresa.alc");
  Crear()->CrearArchivoAlcabala(ruta);
  InsertarDeclaraciones(ruta, {{2023, 12}, {2024, 1}});
  {
    // Twelve-digit amounts and a rate of 99999, as another tool may write them.
    QSqlDatabase base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prueba"));
    base.setDatabaseName(ruta);
    ASSERT_TRUE(base.open());
    QSqlQuery consulta(base);
    ASSERT_TRUE(consulta.exec("UPDATE alcabalas SET Cod563 = 9999999999990000, Cod115 = 99999, Cod502 = 10000 "
                              "WHERE ano = 2024"));
  }
  QSqlDatabase::removeDatabase(QStringLiteral("prueba"));

  auto ventana = Crear(ruta);
  QApplication::processEvents();
  EXPECT_EQ(ventana->windowTitle(), "Empresa - Alcabala");
  EXPECT_EQ(ventana->AnoActual, 2024);
  EXPECT_EQ(Textos(ventana->Paginas->ComboBoxAno), QStringList({"2024", "2023"}));
  ASSERT_EQ(errores.textos.size(), 1) << errores.textos.join('\n').toStdString();
  EXPECT_TRUE(errores.textos[0].startsWith("No se pudieron calcular las casillas 62, 724, 723, 595"))
      << errores.textos[0].toStdString();
  EXPECT_TRUE(errores.textos[0].contains("de Enero del 2024"));
  EXPECT_EQ(ventana->Paginas->Edicion("62")->text(), QString());
  EXPECT_EQ(ventana->Paginas->Edicion("538")->text(), "1");
  // Told once: going away and back says nothing new.
  ASSERT_TRUE(ventana->ADODataSetAlcabala->Buscar(2023, 12));
  ASSERT_TRUE(ventana->ADODataSetAlcabala->Buscar(2024, 1));
  QApplication::processEvents();
  EXPECT_EQ(errores.textos.size(), 1);
}

TEST_F(Ventana, ArchivoDeLineaDeComandosQueNoEsBaseDeDatos) {
  const QString ruta = datos.filePath("Basura.alc");
  QFile archivo(ruta);
  ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
  archivo.write(QByteArray(4096, 'x'));
  archivo.close();

  auto ventana = Crear(ruta);
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(errores.textos[0], "«" + ruta + "» no es un archivo de Alcabala o está dañado.");
  EXPECT_EQ(ventana->windowTitle(), "Alcabala");
  EXPECT_FALSE(ventana->ADOConnectionAlcabala->Abierta());
  EXPECT_TRUE(ventana->MenuItemAbrirArchivo->isEnabled());
}

TEST_F(Ventana, CrearSobreUnArchivoExistenteDejaAbiertoElAnterior) {
  auto ventana = Crear();
  const QString primero = datos.filePath("Primera.alc");
  const QString segundo = datos.filePath("Segunda.alc");
  ventana->CrearArchivoAlcabala(primero);
  ventana->CrearArchivoAlcabala(segundo);
  EXPECT_EQ(ventana->windowTitle(), "Segunda - Alcabala");
  const QByteArray antes = [&] { QFile f(primero); f.open(QIODevice::ReadOnly); return f.readAll(); }();

  EXPECT_FALSE(EjecutarComando(nullptr, [&] { ventana->CrearArchivoAlcabala(primero); }));
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(ventana->ADOConnectionAlcabala->Abierta());
  EXPECT_EQ(ventana->ADOConnectionAlcabala->Ruta(), segundo);
  EXPECT_EQ(ventana->windowTitle(), "Segunda - Alcabala");
  EXPECT_TRUE(ventana->ADODataSetContribuyente->Activo());
  QFile f(primero);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), antes);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Ventana, AbrirUnArchivoQueNoEsBaseDeDatosNoDejaArchivoAbierto) {
  auto ventana = Crear();
  const QString bueno = datos.filePath("Buena.alc");
  ventana->CrearArchivoAlcabala(bueno);
  InsertarDeclaraciones(bueno, {{2024, 3}});
  ventana->AbrirArchivoAlcabala(bueno);
  ASSERT_EQ(ventana->Paginas->ComboBoxAno->count(), 1);

  const QString malo = datos.filePath("Mala.alc");
  QFile archivo(malo);
  ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
  archivo.write("no soy una base de datos");
  archivo.close();
  EXPECT_FALSE(EjecutarComando(nullptr, [&] { ventana->AbrirArchivoAlcabala(malo); }));
  EXPECT_FALSE(ventana->ADOConnectionAlcabala->Abierta());
  EXPECT_FALSE(ventana->ADODataSetAlcabala->Activo());
  // Nothing is open any more, so nothing may be named as open.
  EXPECT_EQ(ventana->windowTitle(), "Alcabala");
  EXPECT_EQ(ventana->Paginas->ComboBoxAno->count(), 0);
  EXPECT_EQ(ventana->Paginas->ComboBoxMes->count(), 0);
  EXPECT_FALSE(ventana->MenuItemCerrarArchivo->isEnabled());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  // A missing file is no better, and is not created.
  const QString inexistente = datos.filePath("NoExiste.alc");
  EXPECT_FALSE(EjecutarComando(nullptr, [&] { ventana->AbrirArchivoAlcabala(inexistente); }));
  EXPECT_FALSE(QFile::exists(inexistente));
}

TEST_F(Ventana, CerrarVuelveAlEstadoInicial) {
  auto ventana = Crear();
  const QString ruta = datos.filePath("Empresa.alc");
  ventana->CrearArchivoAlcabala(ruta);
  InsertarDeclaraciones(ruta, {{2024, 2}, {2024, 3}});
  ventana->AbrirArchivoAlcabala(ruta);
  EXPECT_EQ(Textos(ventana->Paginas->ComboBoxMes), QStringList({"Marzo", "Febrero"}));
  ventana->MenuItemCerrarArchivoClick();
  EXPECT_EQ(ventana->windowTitle(), "Alcabala");
  EXPECT_FALSE(ventana->ADOConnectionAlcabala->Abierta());
  EXPECT_EQ(ventana->Paginas->ComboBoxAno->count(), 0);
  EXPECT_EQ(ventana->Paginas->ComboBoxMes->count(), 0);
  QList<QAction*> acciones;
  for (QMenu* menu : {ventana->MenuItemArchivos, ventana->MenuItemAlcabala, ventana->MenuItemInformes,
                      ventana->MenuItemAyuda})
    acciones += menu->actions();
  for (QAction* accion : acciones) {
    if (accion->isSeparator()) continue;
    // The printer calibration and the clients' board need no file: they are always on.
    const bool inicial = accion == ventana->MenuItemCrearArchivo || accion == ventana->MenuItemAbrirArchivo ||
                         accion == ventana->MenuItemSalir || accion == ventana->MenuItemAcerca ||
                         accion == ventana->MenuItemAjustarImpresion || accion == ventana->MenuItemCarteraClientes;
    EXPECT_EQ(accion->isEnabled(), inicial) << accion->objectName().toStdString();
  }
}

TEST_F(Ventana, DialogosDeArchivo) {
  // The documents folder exists; its Alcabalas folder is made on first use.
  QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  auto ventana = Crear();
  ventana->SaveDialogAlcabala->setOption(QFileDialog::DontUseNativeDialog);
  ventana->OpenDialogAlcabala->setOption(QFileDialog::DontUseNativeDialog);
  QString titulo, carpeta;
  QTimer::singleShot(0, ventana->SaveDialogAlcabala, [&] {
    titulo = ventana->SaveDialogAlcabala->windowTitle();
    carpeta = ventana->SaveDialogAlcabala->directory().absolutePath();
    ventana->SaveDialogAlcabala->selectFile("Empresa");  // no extension: .alc is added
    QMetaObject::invokeMethod(ventana->SaveDialogAlcabala, "accept");
  });
  ventana->MenuItemCrearArchivo->trigger();
  EXPECT_TRUE(errores.textos.isEmpty()) << errores.textos.join('\n').toStdString();
  EXPECT_EQ(titulo, "Crear Archivo Alcabala");
  EXPECT_EQ(carpeta, QDir(CarpetaAlcabalas()).absolutePath());
  EXPECT_TRUE(QFile::exists(CarpetaAlcabalas() + "/Empresa.alc"));
  EXPECT_EQ(ventana->windowTitle(), "Empresa - Alcabala");
  EXPECT_EQ(ventana->ADODataSetContribuyente->Valor("ApellidoPaternoRazonSocial").toString().trimmed(),
            "Empresa");

  ventana->MenuItemCerrarArchivoClick();
  QTimer::singleShot(0, ventana->OpenDialogAlcabala, [&] {
    titulo = ventana->OpenDialogAlcabala->windowTitle();
    ventana->OpenDialogAlcabala->selectFile(CarpetaAlcabalas() + "/Empresa.alc");
    QMetaObject::invokeMethod(ventana->OpenDialogAlcabala, "accept");
  });
  ventana->MenuItemAbrirArchivo->trigger();
  EXPECT_EQ(titulo, "Abrir Archivo Alcabala");
  EXPECT_EQ(ventana->windowTitle(), "Empresa - Alcabala");

  // Cancelling changes nothing.
  QTimer::singleShot(0, ventana->OpenDialogAlcabala, [&] { ventana->OpenDialogAlcabala->reject(); });
  ventana->MenuItemAbrirArchivo->trigger();
  EXPECT_TRUE(ventana->ADOConnectionAlcabala->Abierta());
  EXPECT_EQ(ventana->windowTitle(), "Empresa - Alcabala");
}

TEST_F(Ventana, AcercaDe) {
  auto ventana = Crear();
  TFormAcerca* acerca = ventana->FormAcerca;
  ASSERT_NE(acerca, nullptr);
  EXPECT_EQ(acerca->windowTitle(), "Acerca");
  EXPECT_EQ(acerca->size(), QSize(385, 320));
  EXPECT_EQ(acerca->minimumSize(), acerca->maximumSize());
  EXPECT_EQ(acerca->Image1->geometry(), QRect(75, 8, 236, 78));
  EXPECT_EQ(acerca->Label1->text(), "Alcabala");
  EXPECT_EQ(acerca->Label2->text(), "Versión 8.00");
  EXPECT_EQ(acerca->ButtonAceptar->text(), "&Aceptar");
  EXPECT_TRUE(acerca->ButtonAceptar->isDefault());
  EXPECT_EQ(acerca->Label9->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(acerca->Label10->font().underline());
  EXPECT_EQ(acerca->Label1->font().pixelSize(), 13);
  EXPECT_TRUE(acerca->Label1->font().bold());

  // Esc closes it, as the cancel button would.
  QTimer::singleShot(0, acerca, [acerca] {
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(acerca, &esc);
  });
  ventana->MenuItemAcerca->trigger();
  EXPECT_FALSE(acerca->isVisible());
}

TEST_F(Ventana, EnlacesDelFabricante) {
  Navegador navegador;
  auto ventana = Crear();
  ventana->Image4Click();
  ventana->FormAcerca->Label9Click();
  ventana->FormAcerca->Label10Click();
  ASSERT_EQ(navegador.abiertas.size(), 3);
  EXPECT_TRUE(navegador.abiertas[0].startsWith("https://"));
  EXPECT_EQ(navegador.abiertas[1], navegador.abiertas[0]);
  EXPECT_TRUE(navegador.abiertas[2].startsWith("mailto:"));
}

// --- Start-up against a feed server ---------------------------------------------

class Arranque : public ::testing::Test {
 protected:
  void SetUp() override { qputenv("ALCABALA_URL_BASE", servidor.UrlBase().toUtf8()); }
  void TearDown() override { qunsetenv("ALCABALA_URL_BASE"); }
  prueba::ServidorPrueba servidor;
  ErroresAnotados errores;
};

TEST_F(Arranque, SinNovedadesAvisaYNoMuestraVentana) {
  std::unique_ptr<TFormAlcabala> ventana;
  const auto cajas = prueba::ResponderCajas([&] { ventana = IniciarAlcabala({"alcabala"}); });
  EXPECT_EQ(ventana, nullptr);
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].titulo, "Alcabala");
  EXPECT_EQ(cajas[0].texto, "Debe estar conectado a Internet.");
  EXPECT_EQ(cajas[0].botones, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(servidor.Peticiones("/Alcabala.xml"), 1);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<TFormAlcabala*>(w) && w->isVisible());
}

TEST_F(Arranque, UnaRaizConOtrasMayusculasNoArranca) {
  servidor.Servir("/Alcabala.xml", 200, "<?xml version=\"1.0\"?><alcabala/>");
  std::unique_ptr<TFormAlcabala> ventana;
  const auto cajas = prueba::ResponderCajas([&] { ventana = IniciarAlcabala({"alcabala"}); });
  EXPECT_EQ(ventana, nullptr);
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].texto, "Debe estar conectado a Internet.");
}

TEST_F(Arranque, ConNovedadesMuestraLaVentanaYLasRota) {
  servidor.Servir("/Alcabala.xml", 200,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Alcabala><Messages>"
                  "<Message><Text>Hola</Text><NavigateUrl>https://example.org/</NavigateUrl></Message>"
                  "</Messages></Alcabala>");
  std::unique_ptr<TFormAlcabala> ventana;
  const auto cajas = prueba::ResponderCajas([&] { ventana = IniciarAlcabala({"alcabala", ""}); });
  EXPECT_TRUE(cajas.empty());
  ASSERT_NE(ventana, nullptr);
  EXPECT_TRUE(ventana->isVisible());
  EXPECT_EQ(ventana->windowTitle(), "Alcabala");
  EXPECT_NE(ventana->FormAcerca, nullptr);
  EXPECT_FALSE(ventana->ADOConnectionAlcabala->Abierta());  // an empty argument opens nothing
  EXPECT_TRUE(errores.textos.isEmpty()) << errores.textos.join('\n').toStdString();

  ventana->TimerMarqueeTimer();
  const QString texto = ventana->EditMarquee->text();
  EXPECT_TRUE(texto.endsWith("Hola"));
  EXPECT_EQ(texto.size(), ventana->AnchoMarquee() - 1 + 4);
  EXPECT_EQ(ventana->EditMarquee->cursorPosition(), 0);  // shown from the left, entering from the right
  EXPECT_EQ(ventana->EditMarquee->cursor().shape(), Qt::PointingHandCursor);
  ventana->TimerFranjasTimer();  // no banners: the banner timer stops for good
  EXPECT_FALSE(ventana->TimerFranjas->isActive());
  EXPECT_TRUE(ventana->TimerMarquee->isActive());
}

TEST_F(Arranque, FeedVacioApagaAmbosRelojes) {
  servidor.Servir("/Alcabala.xml", 200, kFeedVacio);
  auto ventana = IniciarAlcabala({"alcabala"});
  ASSERT_NE(ventana, nullptr);
  ventana->TimerFranjasTimer();
  ventana->TimerMarqueeTimer();
  EXPECT_FALSE(ventana->TimerFranjas->isActive());
  EXPECT_FALSE(ventana->TimerMarquee->isActive());
  EXPECT_TRUE(ventana->EditMarquee->text().isEmpty());
  EXPECT_TRUE(ventana->ImageFranja->pixmap().isNull());
}

TEST_F(Arranque, LaFranjaSeDescargaYSuClicAbreSuEnlace) {
  QImage franja(468, 60, QImage::Format_RGB32);
  franja.fill(Qt::darkBlue);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  franja.save(&buffer, "PNG");
  servidor.Servir("/franja.png", 200, png, "image/png");
  servidor.Servir("/Alcabala.xml", 200,
                  "<?xml version=\"1.0\"?><Alcabala><Images><Image><ImageUrl>franja.png</ImageUrl>"
                  "<NavigateUrl>https://example.org/oferta</NavigateUrl><Time>5000</Time></Image>"
                  "</Images></Alcabala>");
  Navegador navegador;
  auto ventana = IniciarAlcabala({"alcabala"});
  ASSERT_NE(ventana, nullptr);
  ventana->ImageFranjaClick();  // no banner shown yet: nothing opens
  EXPECT_TRUE(navegador.abiertas.isEmpty());
  QSignalSpy descargas(ventana->DescargasFranjas(), &FranjasEnSegundoPlano::Terminada);
  ventana->TimerFranjasTimer();
  // The picture arrives from the background and shows while its banner is up.
  ASSERT_TRUE(descargas.wait(5000));
  EXPECT_EQ(servidor.Peticiones("/franja.png"), 1);
  EXPECT_EQ(ventana->ImageFranja->pixmap().size(), QSize(468, 60));
  EXPECT_EQ(ventana->ImageFranja->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(ventana->TimerFranjas->isActive());
  EXPECT_EQ(ventana->TimerFranjas->interval(), 5000);
  ventana->ImageFranjaClick();
  EXPECT_EQ(navegador.abiertas, QStringList({"https://example.org/oferta"}));
  ventana->TimerFranjasTimer();  // the picture stays in memory
  EXPECT_EQ(servidor.Peticiones("/franja.png"), 1);
}

// A host that takes the connection and never answers.
class HostMudo {
 public:
  HostMudo() {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in direccion{};
    direccion.sin_family = AF_INET;
    direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof(direccion);
    if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&direccion), largo) != 0 ||
        ::listen(socket_, 8) != 0 || ::getsockname(socket_, reinterpret_cast<sockaddr*>(&direccion), &largo) != 0)
      return;
    puerto_ = ntohs(direccion.sin_port);
  }
  ~HostMudo() {
    if (socket_ >= 0) ::close(socket_);
  }
  int Puerto() const { return puerto_; }

 private:
  int socket_ = -1;
  int puerto_ = 0;
};

TEST_F(Arranque, UnHostDeFranjasMudoNoDetieneLaVentana) {
  HostMudo mudo;
  ASSERT_GT(mudo.Puerto(), 0);
  servidor.Servir("/Alcabala.xml", 200,
                  QStringLiteral("<?xml version=\"1.0\"?><Alcabala><Images><Image><ImageUrl>http://127.0.0.1:%1/f.png"
                                 "</ImageUrl><Time>4000</Time></Image></Images></Alcabala>")
                      .arg(mudo.Puerto())
                      .toUtf8());
  auto ventana = IniciarAlcabala({"alcabala"});
  ASSERT_NE(ventana, nullptr);
  ventana->TimerFranjasTimer();
  // The tick is over while the picture is still awaited: the window goes on
  // with an empty banner and its rotation.
  EXPECT_EQ(ventana->DescargasFranjas()->EnCurso(), 1);
  EXPECT_TRUE(ventana->ImageFranja->pixmap().isNull());
  EXPECT_EQ(ventana->TimerFranjas->interval(), 4000);
  ventana->TimerFranjasTimer();  // its next turn starts no second download
  EXPECT_EQ(ventana->DescargasFranjas()->EnCurso(), 1);
}

TEST(Iconos, NueveImagenesDibujadasDistintas) {
  QList<QImage> vistas;
  for (int i = 0; i < CantidadImagenesHerramienta; ++i) {
    const QPixmap pixmap = IconoHerramientaDibujado(static_cast<ImagenHerramienta>(i)).pixmap(16, 16);
    ASSERT_FALSE(pixmap.isNull()) << i;
    const QImage imagen = pixmap.toImage();
    EXPECT_FALSE(vistas.contains(imagen)) << i;
    vistas << imagen;
  }
  EXPECT_FALSE(IconoVentana().isNull());
  EXPECT_EQ(DibujarLogo(QSize(236, 78)).size(), QSize(236, 78));
}

TEST(Aplicacion, PrepararAplicacionDaTituloBotonesEnEspanolYPistasLargas) {
  PrepararAplicacion(*qApp);
  EXPECT_EQ(QApplication::applicationName(), "Alcabala");
  EXPECT_EQ(QApplication::applicationDisplayName(), "Alcabala");

  QWidget widget;
  widget.setToolTip("Pista");
  QHelpEvent evento(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
  QApplication::sendEvent(&widget, &evento);
  EXPECT_EQ(widget.toolTipDuration(), PausaOcultarPistasMs);

  EstablecerPresentadorError({});
  const auto cajas = prueba::ResponderCajas([] { MostrarCajaError(nullptr, "Falla"); });
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].textosBotones, QStringList({"Aceptar"}));
}

}  // namespace

#include "test_ventana.moc"
