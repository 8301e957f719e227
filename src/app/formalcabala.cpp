#include "app/formalcabala.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "app/avisocalculo.h"
#include "app/controles/clic.h"
#include "app/controles/comando.h"
#include "app/comandosalcabala.h"
#include "app/comandoscasillas.h"
#include "app/comandoscopia.h"
#include "app/comandosimprimir.h"
#include "app/comandosinformes.h"
#include "app/comandosresumen.h"
#include "app/entradacajas.h"
#include "app/estados.h"
#include "app/controles/iconos.h"
#include "app/navegacion.h"
#include "app/paginas.h"
#include "app/periodos.h"
#include "declarations/motor/calculo.h"
#include "dialogs/formcrearalcabala.h"
#include "dialogs/formacerca.h"
#include "dialogs/formcontribuyente.h"
#include "general/red/descarga.h"
#include "general/errores.h"
#include "general/valores.h"
#include "reports/escaneo.h"
#include "reports/tablaempresas.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/dataset.h"
#include "storage/parametros.h"

namespace {

// Geometry of the client area, in pixels.
constexpr int kAnchoVentana = TFormAlcabala::AnchoMinimoCliente;
// The outer height of 583 less the title bar and the lower border that the
// window manager adds around it.
constexpr int kAltoVentana = 545;
constexpr int kAltoBarra = 26;
constexpr int kAnchoBoton = 23;
constexpr int kAnchoSeparador = 8;
constexpr int kIzquierdaMarquee = 256;
constexpr int kArribaMarquee = 3;
constexpr int kAltoMarquee = 24;
constexpr int kArribaFranja = 32;
constexpr int kAnchoFranja = 468;
constexpr int kAltoFranja = 60;
constexpr int kArribaPaginas = 92;
constexpr int kAnchoPaginas = 788;
constexpr int kAnchoScrollBox = 781;
constexpr int kDescuentoAltoScrollBox = 28;
// Of the front page, the least the window shows: the head of the form and
// the first lines of its first section.
constexpr int kAltoMinimoPagina = 160;
constexpr int kIntervaloInicialFranjas = 1;
constexpr int kIntervaloMarquee = 100;

// The dialogs offer one entry, "Alcabala (*.alc)", that lists files of both
// extensions: the patterns in the last parentheses are the ones applied,
// and with HideNameFilterDetails Qt shows the text before them.
const QString kFiltroArchivos = QStringLiteral("Alcabala (*.alc) (*.alc *.oalc)");

// Half of a free width, rounded to the nearest pixel with ties to the even one.
int MitadPar(int libre) { return static_cast<int>(std::nearbyint(libre / 2.0)); }

QFont LetraVentana() {
  // "MS Sans Serif" is not on Linux; Liberation Sans has Arial's metrics and
  // keeps the captions inside the room they were laid out for.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  QFont letra(QStringLiteral("MS Sans Serif"));
  letra.setPixelSize(11);
  return letra;
}

QFont LetraMarquee() {
  QFont letra(QStringLiteral("Arial"));
  letra.setBold(true);
  letra.setPixelSize(13);
  return letra;
}

QString TituloConArchivo(const QString& ruta) {
  return NombreSinExtension(ruta) + QStringLiteral(" - ") + TituloAplicacion();
}

}  // namespace

TFormAlcabala::TFormAlcabala(Novedades novedades, const QString& archivoInicial,
                             const QString& carpetaPrograma, QWidget* parent)
    : QMainWindow(parent),
      novedades_(std::move(novedades)),
      descargasFranjas_(new FranjasEnSegundoPlano({}, this)),
      rotacion_(novedades_.Franjas, descargasFranjas_->Descargador()),
      marquee_(novedades_.Mensajes),
      archivoInicial_(archivoInicial),
      tablaEmpresas_(std::make_unique<TablaEmpresas>(QLocale::system())),
      carpetaPrograma_(carpetaPrograma.isEmpty() ? QCoreApplication::applicationDirPath()
                                                 : carpetaPrograma) {
  setObjectName(QStringLiteral("FormAlcabala"));
  setWindowTitle(TituloAplicacion());
  setWindowIcon(IconoVentana());
  setFont(LetraVentana());
  setMinimumWidth(AnchoMinimoCliente);
  resize(kAnchoVentana, kAltoVentana);

  CrearMenus();
  CrearCliente();
  CrearBarraHerramientas();
  setMinimumHeight(menuBar()->sizeHint().height() + kArribaPaginas + kDescuentoAltoScrollBox + kAltoMinimoPagina);
  CrearDialogosArchivo();
  CrearDatos();
  ConectarDeclaraciones();
  FormCreate();
  FormResize();

  TimerFranjas->start();
  TimerMarquee->start();
}

TFormAlcabala::~TFormAlcabala() {
  // The file is closed while the whole window still exists; the data sets'
  // after-close must not reach a window that is half destroyed.
  TimerFranjas->stop();
  TimerMarquee->stop();
  ADODataSetAlcabala->disconnect(this);
  ADOConnectionAlcabala->Cerrar();
}

// --- Building the window ------------------------------------------------------

void TFormAlcabala::CrearMenus() {
  auto crear = [this](QMenu* menu, QAction*& accion, const char* nombre, const QString& titulo,
                      const QString& pista, int imagen, bool activo) {
    accion = new QAction(titulo, this);
    accion->setObjectName(QString::fromLatin1(nombre));
    if (!pista.isEmpty()) {
      accion->setStatusTip(pista);
      accion->setToolTip(pista);
    }
    if (imagen >= 0) accion->setIcon(IconoHerramienta(static_cast<ImagenHerramienta>(imagen)));
    accion->setEnabled(activo);
    accion->setMenuRole(QAction::NoRole);
    menu->addAction(accion);
  };
  auto separador = [](QMenu* menu, const char* nombre) {
    menu->addSeparator()->setObjectName(QString::fromLatin1(nombre));
  };

  MenuItemArchivos = menuBar()->addMenu(QStringLiteral("&Archivos"));
  MenuItemArchivos->setObjectName(QStringLiteral("MenuItemArchivos"));
  crear(MenuItemArchivos, MenuItemCrearArchivo, "MenuItemCrearArchivo", QStringLiteral("&Crear"),
        QStringLiteral("Crear Archivo"), 0, true);
  crear(MenuItemArchivos, MenuItemAbrirArchivo, "MenuItemAbrirArchivo", QStringLiteral("&Abrir..."),
        QStringLiteral("Abrir Archivo"), 1, true);
  crear(MenuItemArchivos, MenuItemCerrarArchivo, "MenuItemCerrarArchivo", QStringLiteral("&Cerrar"),
        QStringLiteral("Cerrar Archivo"), 5, false);
  separador(MenuItemArchivos, "N2");
  crear(MenuItemArchivos, MenuItemContribuyente, "MenuItemContribuyente",
        QStringLiteral("&Contribuyente"), QString(), -1, false);
  separador(MenuItemArchivos, "N1");
  crear(MenuItemArchivos, MenuItemSalir, "MenuItemSalir", QStringLiteral("&Salir"),
        QStringLiteral("Salir del Software"), 7, true);

  MenuItemAlcabala = menuBar()->addMenu(QStringLiteral("&Alcabala"));
  MenuItemAlcabala->setObjectName(QStringLiteral("MenuItemAlcabala"));
  crear(MenuItemAlcabala, MenuItemCrearAlcabala, "MenuItemCrearAlcabala", QStringLiteral("&Crear"),
        QStringLiteral("Crear Alcabala"), 2, false);
  crear(MenuItemAlcabala, MenuItemEditarAlcabala, "MenuItemEditarAlcabala", QStringLiteral("&Editar"),
        QStringLiteral("Editar Alcabala"), 3, false);
  crear(MenuItemAlcabala, MenuItemGuardarAlcabala, "MenuItemGuardarAlcabala",
        QStringLiteral("&Guardar"), QStringLiteral("Guardar Alcabala"), 4, false);
  crear(MenuItemAlcabala, MenuItemEliminarAlcabala, "MenuItemEliminarAlcabala",
        QStringLiteral("&Eliminar"), QStringLiteral("Eliminar Alcabala"), 8, false);
  separador(MenuItemAlcabala, "N3");
  crear(MenuItemAlcabala, MenuItemImprimirAnversoAlcabala, "MenuItemImprimirAnversoAlcabala",
        QStringLiteral("Imprimir &Anverso..."), QStringLiteral("Imprimir Anverso Alcabala"), 6, false);
  crear(MenuItemAlcabala, MenuItemImprimirReversoAlcabala, "MenuItemImprimirReversoAlcabala",
        QStringLiteral("Imprimir &Reverso..."), QStringLiteral("Imprimir Reverso Alcabala"), 6, false);
  crear(MenuItemAlcabala, MenuItemCopiaAlcabala, "MenuItemCopiaAlcabala", QStringLiteral("&Copia en PDF..."),
        QStringLiteral("Guardar una copia completa de la declaración en PDF"), -1, false);
  crear(MenuItemAlcabala, MenuItemCasillasSii, "MenuItemCasillasSii", QStringLiteral("Casillas para el &SII..."),
        QStringLiteral("Casillas con valor de la declaración, en el orden del formulario en línea"), -1, false);
  crear(MenuItemAlcabala, MenuItemAjustarImpresion, "MenuItemAjustarImpresion", QStringLiteral("A&justar Impresión..."),
        QString(), -1, true);

  MenuItemInformes = menuBar()->addMenu(QStringLiteral("&Informes"));
  MenuItemInformes->setObjectName(QStringLiteral("MenuItemInformes"));
  crear(MenuItemInformes, MenuItemEmpresas, "MenuItemEmpresas", QStringLiteral("&Empresas"), QString(),
        -1, false);
  crear(MenuItemInformes, MenuItemEmpresasSinPagoImpuestos, "MenuItemEmpresasSinPagoImpuestos",
        QStringLiteral("Empresas &sin Pago de Impuestos"), QString(), -1, false);
  crear(MenuItemInformes, MenuItemEmpresasPagarImpuestos, "MenuItemEmpresasPagarImpuestos",
        QStringLiteral("Empresas &a Pagar Impuestos"), QString(), -1, false);
  crear(MenuItemInformes, MenuItemEmpresasIVA, "MenuItemEmpresasIVA", QStringLiteral("Empresas e &IVA"),
        QString(), -1, false);
  crear(MenuItemInformes, MenuItemEmpresasRetenciones, "MenuItemEmpresasRetenciones",
        QStringLiteral("Empresas y &Retenciones"), QString(), -1, false);
  crear(MenuItemInformes, MenuItemEmpresasPPM, "MenuItemEmpresasPPM", QStringLiteral("Empresas y &PPM"),
        QString(), -1, false);
  separador(MenuItemInformes, "N5");
  crear(MenuItemInformes, MenuItemResumenIVA, "MenuItemResumenIVA", QStringLiteral("Res&umen IVA"),
        QString(), -1, false);
  crear(MenuItemInformes, MenuItemResumenRetenciones, "MenuItemResumenRetenciones",
        QStringLiteral("Resu&men Retenciones"), QString(), -1, false);
  crear(MenuItemInformes, MenuItemResumenPPM, "MenuItemResumenPPM", QStringLiteral("Resume&n PPM"),
        QString(), -1, false);

  MenuItemAyuda = menuBar()->addMenu(QStringLiteral("&Ayuda"));
  MenuItemAyuda->setObjectName(QStringLiteral("MenuItemAyuda"));
  crear(MenuItemAyuda, MenuItemAcerca, "MenuItemAcerca", QStringLiteral("&Acerca"), QString(), -1, true);

  ConectarComando(MenuItemCrearArchivo, this, [this] { MenuItemCrearArchivoClick(); });
  ConectarComando(MenuItemAbrirArchivo, this, [this] { MenuItemAbrirArchivoClick(); });
  ConectarComando(MenuItemCerrarArchivo, this, [this] { MenuItemCerrarArchivoClick(); });
  ConectarComando(MenuItemSalir, this, [this] { MenuItemSalirClick(); });
  ConectarComando(MenuItemAcerca, this, [this] { MenuItemAcercaClick(); });
}

void TFormAlcabala::CrearCliente() {
  Cliente = new QWidget(this);
  Cliente->setObjectName(QStringLiteral("Cliente"));
  setCentralWidget(Cliente);
  Cliente->installEventFilter(this);

  EditMarquee = new QLineEdit(Cliente);
  EditMarquee->setObjectName(QStringLiteral("EditMarquee"));
  EditMarquee->setReadOnly(true);
  EditMarquee->setFont(LetraMarquee());
  EditMarquee->setFocusPolicy(Qt::ClickFocus);
  EditMarquee->setFrame(true);
  EditMarquee->setCursor(Qt::ArrowCursor);
  EditMarquee->setAccessibleName(QStringLiteral("Novedades"));
  EditMarquee->setGeometry(kIzquierdaMarquee, kArribaMarquee, kAnchoVentana - kIzquierdaMarquee, kAltoMarquee);
  AlHacerClic(EditMarquee, [this] { EditMarqueeClick(); });

  ImageFranja = new QLabel(Cliente);
  ImageFranja->setObjectName(QStringLiteral("ImageFranja"));
  ImageFranja->setAlignment(Qt::AlignCenter);
  ImageFranja->setGeometry(MitadPar(kAnchoVentana - kAnchoFranja), kArribaFranja, kAnchoFranja, kAltoFranja);
  ImageFranja->setAccessibleName(QStringLiteral("Franja"));
  AlHacerClic(ImageFranja, [this] { ImageFranjaClick(); });

  PageControlAlcabala = new QTabWidget(Cliente);
  PageControlAlcabala->setObjectName(QStringLiteral("PageControlAlcabala"));
  PageControlAlcabala->setUsesScrollButtons(false);
  PageControlAlcabala->setGeometry(MitadPar(kAnchoVentana - kAnchoPaginas), kArribaPaginas, kAnchoPaginas,
                                   kAltoVentana - kArribaPaginas);
  auto crearHoja = [this](QWidget*& hoja, QScrollArea*& scroll, const char* nombreHoja,
                          const char* nombreScroll, const QString& titulo) {
    hoja = new QWidget;
    hoja->setObjectName(QString::fromLatin1(nombreHoja));
    PageControlAlcabala->addTab(hoja, titulo);
    scroll = new QScrollArea(hoja);
    scroll->setObjectName(QString::fromLatin1(nombreScroll));
    scroll->setFrameShape(QFrame::NoFrame);
    // The page scrolls with the wheel and follows the box being typed; as a
    // Tab stop of its own it would be an invisible one.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setWidgetResizable(false);
    scroll->verticalScrollBar()->setTracking(true);
    scroll->verticalScrollBar()->setSingleStep(20);
    scroll->setGeometry(0, 0, kAnchoScrollBox, 100);
    auto* contenido = new QWidget;
    contenido->setObjectName(QString::fromLatin1(nombreScroll) + QStringLiteral("Contenido"));
    scroll->setWidget(contenido);
  };
  crearHoja(TabSheet10, ScrollBoxAnverso, "TabSheet10", "ScrollBoxAnverso", QStringLiteral("Anverso"));
  crearHoja(TabSheet5, ScrollBoxReverso, "TabSheet5", "ScrollBoxReverso", QStringLiteral("Reverso"));
  PageControlAlcabala->setCurrentWidget(TabSheet10);

  Paginas = new PaginasFormulario(ScrollBoxAnverso->widget(), ScrollBoxReverso->widget(), QLocale::system(), this);
  connect(Paginas, &PaginasFormulario::LogoPulsado, this, [this] { EjecutarComando(this, [this] { Image4Click(); }); });

  TimerFranjas = new QTimer(this);
  TimerFranjas->setObjectName(QStringLiteral("TimerFranjas"));
  TimerFranjas->setInterval(kIntervaloInicialFranjas);
  connect(TimerFranjas, &QTimer::timeout, this, &TFormAlcabala::TimerFranjasTimer);
  connect(descargasFranjas_, &FranjasEnSegundoPlano::Terminada, this, &TFormAlcabala::FranjaDescargada);
  TimerMarquee = new QTimer(this);
  TimerMarquee->setObjectName(QStringLiteral("TimerMarquee"));
  TimerMarquee->setInterval(kIntervaloMarquee);
  connect(TimerMarquee, &QTimer::timeout, this, &TFormAlcabala::TimerMarqueeTimer);
}

void TFormAlcabala::CrearBarraHerramientas() {
  ToolBar1 = new QToolBar(Cliente);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setContentsMargins(0, 0, 0, 0);
  if (ToolBar1->layout()) {
    ToolBar1->layout()->setSpacing(0);
    ToolBar1->layout()->setContentsMargins(0, 0, 0, 0);
  }
  ToolBar1->setGeometry(0, 0, kAnchoVentana, kAltoBarra);
  ToolBar1->setStyleSheet(QStringLiteral("QToolBar { padding: 0px; spacing: 0px; border: none; } QToolBar::separator { width: %1px; }").arg(kAnchoSeparador));
  ToolBar1->lower();

  auto boton = [this](QToolButton*& destino, const char* nombre, QAction* accion) {
    destino = new QToolButton(ToolBar1);
    destino->setObjectName(QString::fromLatin1(nombre));
    destino->setDefaultAction(accion);
    destino->setAutoRaise(true);
    destino->setFocusPolicy(Qt::NoFocus);
    destino->setToolButtonStyle(Qt::ToolButtonIconOnly);
    destino->setFixedSize(kAnchoBoton, kAltoBarra - 4);
    ToolBar1->addWidget(destino);
  };
  boton(ToolButtonCrearArchivo, "ToolButtonCrearArchivo", MenuItemCrearArchivo);
  boton(ToolButtonAbrirArchivo, "ToolButtonAbrirArchivo", MenuItemAbrirArchivo);
  boton(ToolButtonCerrarArchivo, "ToolButtonCerrarArchivo", MenuItemCerrarArchivo);
  ToolBar1->addSeparator();
  boton(ToolButtonCrearAlcabala, "ToolButtonCrearAlcabala", MenuItemCrearAlcabala);
  boton(ToolButtonEditarAlcabala, "ToolButtonEditarAlcabala", MenuItemEditarAlcabala);
  boton(ToolButtonGuardarAlcabala, "ToolButtonGuardarAlcabala", MenuItemGuardarAlcabala);
  boton(ToolButtonEliminarAlcabala, "ToolButtonEliminarAlcabala", MenuItemEliminarAlcabala);
  ToolBar1->addSeparator();
  boton(ToolButtonImprimirAnversoAlcabala, "ToolButtonImprimirAnversoAlcabala",
        MenuItemImprimirAnversoAlcabala);
  boton(ToolButtonImprimirReversoAlcabala, "ToolButtonImprimirReversoAlcabala",
        MenuItemImprimirReversoAlcabala);
  ToolBar1->addSeparator();
  boton(ToolButtonSalir, "ToolButtonSalir", MenuItemSalir);
}

void TFormAlcabala::CrearDialogosArchivo() {
  auto crear = [this](QFileDialog*& dialogo, const char* nombre, const QString& titulo,
                      QFileDialog::AcceptMode modo) {
    dialogo = new QFileDialog(this, titulo);
    dialogo->setObjectName(QString::fromLatin1(nombre));
    dialogo->setAcceptMode(modo);
    dialogo->setFileMode(QFileDialog::AnyFile);
    dialogo->setOption(QFileDialog::HideNameFilterDetails, true);
    dialogo->setNameFilter(kFiltroArchivos);
    dialogo->setDefaultSuffix(QStringLiteral("alc"));
    dialogo->setOption(QFileDialog::DontConfirmOverwrite, true);
  };
  crear(SaveDialogAlcabala, "SaveDialogAlcabala", QStringLiteral("Crear Archivo Alcabala"),
        QFileDialog::AcceptSave);
  crear(OpenDialogAlcabala, "OpenDialogAlcabala", QStringLiteral("Abrir Archivo Alcabala"),
        QFileDialog::AcceptOpen);
}

void TFormAlcabala::CrearDatos() {
  ADOConnectionAlcabala = new Conexion(this);
  ADOConnectionAlcabala->setObjectName(QStringLiteral("ADOConnectionAlcabala"));

  ADODataSetAlcabala = new DataSet(ADOConnectionAlcabala, QStringLiteral("alcabalas"), true, this);
  ADODataSetAlcabala->setObjectName(QStringLiteral("ADODataSetAlcabala"));
  ADODataSetAlcabala->DefinirCalculados(CamposCalculadosAlcabala(), [](Registro& registro) {
    ADODataSetAlcabalaCalcFields(registro, QLocale::system());
  });

  ADODataSetContribuyente = new DataSet(ADOConnectionAlcabala, QStringLiteral("contribuyente"), false, this);
  ADODataSetContribuyente->setObjectName(QStringLiteral("ADODataSetContribuyente"));
  ADODataSetContribuyente->DefinirCalculados(CamposCalculadosContribuyente(),
                                             &ADODataSetContribuyenteCalcFields);

  ADOConnectionParametros = new BaseParametros(this);
  ADOConnectionParametros->setObjectName(QStringLiteral("ADOConnectionParametros"));

  for (auto senal : {&DataSet::DespuesDeAbrir, &DataSet::DespuesDeCerrar, &DataSet::DespuesDeInsertar,
                     &DataSet::DespuesDeEditar, &DataSet::DespuesDeGuardar, &DataSet::DespuesDeCancelar,
                     &DataSet::DespuesDeEliminar, &DataSet::DespuesDeDesplazar,
                     &DataSet::DespuesDeRefrescar})
    connect(ADODataSetAlcabala, senal, this, &TFormAlcabala::DataSetAlcabalaCambioEstado);
  new AvisoCajasNoCalculadas(ADODataSetAlcabala, this);  // owned by the window

  Paginas->Enlazar(ADODataSetAlcabala, ADODataSetContribuyente);
}

void TFormAlcabala::CrearDialogos() {
  if (!FormCrearAlcabala) {
    FormCrearAlcabala = new TFormCrearAlcabala(this);
    FormCrearAlcabala->PonerConexion(ADOConnectionAlcabala);
  }
  if (!FormContribuyente) FormContribuyente = new TFormContribuyente(ADODataSetContribuyente, QLocale::system(), this);
  if (!FormAcerca) FormAcerca = new TFormAcerca(this);
}

void TFormAlcabala::ConectarDeclaraciones() {
  ConectarComando(MenuItemContribuyente, this, [this] { MenuItemContribuyenteClick(); });
  ConectarComando(MenuItemCrearAlcabala, this, [this] { MenuItemCrearAlcabalaClick(); });
  ConectarComando(MenuItemEditarAlcabala, this, [this] { MenuItemEditarAlcabalaClick(); });
  ConectarComando(MenuItemGuardarAlcabala, this, [this] { MenuItemGuardarAlcabalaClick(); });
  ConectarComando(MenuItemEliminarAlcabala, this, [this] { MenuItemEliminarAlcabalaClick(); });
  ConectarComando(MenuItemImprimirAnversoAlcabala, this, [this] { MenuItemImprimirAnversoAlcabalaClick(); });
  ConectarComando(MenuItemImprimirReversoAlcabala, this, [this] { MenuItemImprimirReversoAlcabalaClick(); });
  ConectarComando(MenuItemCopiaAlcabala, this, [this] { MenuItemCopiaAlcabalaClick(); });
  ConectarComando(MenuItemCasillasSii, this, [this] { MenuItemCasillasSiiClick(); });
  ConectarComando(MenuItemAjustarImpresion, this, [this] { ::MenuItemAjustarImpresionClick(this, QLocale::system()); });
  ConectarInformesEmpresas(this, [this] {
    return ContextoInformes{this, tablaEmpresas_.get(), CarpetasEmpresas(CarpetaPrograma()), AnoActual, MesActual,
                            QLocale::system()};
  });
  // Only the user's choice moves: selecting from the program emits no `activated`.
  connect(Paginas->ComboBoxAno, QOverload<int>::of(&QComboBox::activated), this,
          [this](int indice) { EjecutarComando(this, [this, indice] { ComboBoxAnoChange(indice); }); });
  connect(Paginas->ComboBoxMes, QOverload<int>::of(&QComboBox::activated), this,
          [this](int indice) { EjecutarComando(this, [this, indice] { ComboBoxMesChange(indice); }); });
  InstalarEntradaCajas({Paginas, ADODataSetAlcabala, ADODataSetContribuyente,
                        [this] { return ADOConnectionParametros->IVA(); }, QLocale::system()});
  ConectarComando(MenuItemResumenIVA, this, [this] { MenuItemResumenIVAClick(); });
  ConectarComando(MenuItemResumenRetenciones, this, [this] { MenuItemResumenRetencionesClick(); });
  ConectarComando(MenuItemResumenPPM, this, [this] { MenuItemResumenPPMClick(); });
}

// --- Declarations ----------------------------------------------------------------

namespace {

ContextoComandos ContextoDe(TFormAlcabala* v) {
  ContextoComandos c;
  c.ventana = v;
  c.conexion = v->ADOConnectionAlcabala;
  c.alcabala = v->ADODataSetAlcabala;
  c.contribuyente = v->ADODataSetContribuyente;
  c.paginas = v->Paginas;
  c.formCrearAlcabala = v->FormCrearAlcabala;
  c.formContribuyente = v->FormContribuyente;
  return c;
}

}  // namespace

void TFormAlcabala::MenuItemContribuyenteClick() {
  CrearDialogos();
  ::MenuItemContribuyenteClick(ContextoDe(this));
}

void TFormAlcabala::MenuItemImprimirAnversoAlcabalaClick() {
  ::MenuItemImprimirAnversoAlcabalaClick(ContextoDe(this), QLocale::system());
}

void TFormAlcabala::MenuItemImprimirReversoAlcabalaClick() {
  ::MenuItemImprimirReversoAlcabalaClick(ContextoDe(this), QLocale::system());
}

void TFormAlcabala::MenuItemCopiaAlcabalaClick() {
  ::MenuItemCopiaAlcabalaClick(ContextoDe(this), QLocale::system());
}

void TFormAlcabala::MenuItemCasillasSiiClick() {
  ::MenuItemCasillasSiiClick(ContextoDe(this), QLocale::system());
}

void TFormAlcabala::MenuItemCrearAlcabalaClick() {
  CrearDialogos();
  ::MenuItemCrearAlcabalaClick(ContextoDe(this), {AnoActual, MesActual});
}

void TFormAlcabala::MenuItemEditarAlcabalaClick() { ::MenuItemEditarAlcabalaClick(ContextoDe(this)); }

void TFormAlcabala::MenuItemGuardarAlcabalaClick() { ::MenuItemGuardarAlcabalaClick(ContextoDe(this)); }

void TFormAlcabala::MenuItemEliminarAlcabalaClick() {
  ::MenuItemEliminarAlcabalaClick(ContextoDe(this), {AnoActual, MesActual});
}

void TFormAlcabala::MenuItemResumenIVAClick() {
  MostrarResumenAnual(ContextoDe(this), ClaseResumen::IVA, AnoActual, QLocale::system());
}

void TFormAlcabala::MenuItemResumenRetencionesClick() {
  MostrarResumenAnual(ContextoDe(this), ClaseResumen::Retenciones, AnoActual, QLocale::system());
}

void TFormAlcabala::MenuItemResumenPPMClick() {
  MostrarResumenAnual(ContextoDe(this), ClaseResumen::PPM, AnoActual, QLocale::system());
}

void TFormAlcabala::ComboBoxAnoChange(int indice) {
  ::ComboBoxAnoChange({Paginas->ComboBoxAno, Paginas->ComboBoxMes, ADOConnectionAlcabala, ADODataSetAlcabala},
                      {AnoActual, MesActual}, indice);
}

void TFormAlcabala::ComboBoxMesChange(int indice) {
  ::ComboBoxMesChange({Paginas->ComboBoxAno, Paginas->ComboBoxMes, ADOConnectionAlcabala, ADODataSetAlcabala},
                      {AnoActual, MesActual}, indice);
}

void TFormAlcabala::ActivarControles() { ::ActivarControles(*Paginas, *ADODataSetAlcabala); }

void TFormAlcabala::DesactivarControles() { ::DesactivarControles(*Paginas); }

void TFormAlcabala::ActivarControlesAntecedentes() { ::ActivarControlesAntecedentes(*Paginas); }

void TFormAlcabala::DesactivarControlesAntecedentes() { ::DesactivarControlesAntecedentes(*Paginas); }

// --- FormCreate and FormResize -----------------------------------------------------

void TFormAlcabala::FormCreate() {
  move(0, 0);
  // The error box has no parent: the window is not on screen yet.
  EjecutarComando(nullptr, [this] {
    ADOConnectionParametros->Abrir(carpetaPrograma_);
    if (!archivoInicial_.isEmpty()) AbrirArchivoAlcabala(archivoInicial_);
    // The in-memory table of the company lists is made by the reports.
    Paginas->DibujarCaptiones();
  });
}

void TFormAlcabala::FormResize() {
  const int ancho = Cliente->width();
  if (ancho < AnchoMinimoCliente) {
    // The minimum width keeps this from happening where the window system honours it.
    resize(AnchoMinimoCliente, height());
    return;
  }
  const int alto = Cliente->height();
  ToolBar1->setGeometry(0, 0, ancho, kAltoBarra);
  EditMarquee->setGeometry(kIzquierdaMarquee, kArribaMarquee, ancho - kIzquierdaMarquee, kAltoMarquee);
  const int blanco = QFontMetrics(EditMarquee->font()).horizontalAdvance(QLatin1Char(' '));
  if (blanco > 0) marquee_.EstablecerAnchoMarquee(EditMarquee->width() / blanco);
  ImageFranja->move(MitadPar(ancho - ImageFranja->width()), kArribaFranja);
  PageControlAlcabala->setGeometry(MitadPar(ancho - PageControlAlcabala->width()), kArribaPaginas,
                                   PageControlAlcabala->width(), qMax(0, alto - kArribaPaginas));
  const int altoScroll = qMax(0, PageControlAlcabala->height() - kDescuentoAltoScrollBox);
  ScrollBoxAnverso->resize(kAnchoScrollBox, altoScroll);
  ScrollBoxReverso->resize(kAnchoScrollBox, altoScroll);
}

int TFormAlcabala::AnchoMarquee() const { return marquee_.AnchoMarquee(); }

bool TFormAlcabala::eventFilter(QObject* objeto, QEvent* evento) {
  if (objeto == Cliente && evento->type() == QEvent::Resize) FormResize();
  return QMainWindow::eventFilter(objeto, evento);
}

void TFormAlcabala::showEvent(QShowEvent* evento) {
  QMainWindow::showEvent(evento);
  if (centrada_ || evento->spontaneous()) return;
  centrada_ = true;
  QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!pantalla) return;
  const QRect area = pantalla->availableGeometry();
  const QSize marco = frameGeometry().size();
  move(area.x() + MitadPar(area.width() - marco.width()), area.y() + MitadPar(area.height() - marco.height()));
}

// --- Banner and marquee ----------------------------------------------------------

void TFormAlcabala::TimerFranjasTimer() {
  // Stopped while it runs: an error box must not be followed by more ticks
  // behind it. The picture itself downloads in the background.
  TimerFranjas->stop();
  EjecutarComando(this, [this] {
    const PasoFranja paso = rotacion_.Tick();
    if (paso.imagen.isNull())
      ImageFranja->clear();
    else
      ImageFranja->setPixmap(QPixmap::fromImage(paso.imagen));
    ImageFranja->setCursor(paso.cursorMano ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (paso.intervalo > 0) TimerFranjas->start(paso.intervalo);
  });
}

void TFormAlcabala::FranjaDescargada(const QString& url, const QImage& imagen) {
  const int posicion = rotacion_.PosicionFranja();
  if (imagen.isNull() || posicion < 0 || posicion >= novedades_.Franjas.size()) return;
  Image& franja = novedades_.Franjas[posicion];
  // A picture that arrives while its banner is up shows at once.
  if (franja.ImageUrl != url || !franja.Imagen.isNull()) return;
  franja.Imagen = imagen;
  ImageFranja->setPixmap(QPixmap::fromImage(imagen));
}

void TFormAlcabala::TimerMarqueeTimer() {
  const PasoMarquee paso = marquee_.Tick();
  if (!paso.seguir) {
    TimerMarquee->stop();
    return;
  }
  EditMarquee->setText(paso.texto);
  // Shown from its first character: the line edit would otherwise scroll
  // to the end of a text longer than the box.
  EditMarquee->setCursorPosition(0);
  EditMarquee->setCursor(paso.cursorMano ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TFormAlcabala::ImageFranjaClick() { AbrirDireccion(rotacion_.ImageFranjaClick(), false); }

void TFormAlcabala::EditMarqueeClick() { AbrirDireccion(marquee_.EditMarqueeClick(), false); }

void TFormAlcabala::Image4Click() { AbrirDireccion(DireccionWebFabricante(), false); }

// --- File commands ---------------------------------------------------------------

void TFormAlcabala::PrepararDialogoArchivo(QFileDialog* dialogo) {
  const QString carpeta = CarpetaPredeterminada(carpetaPrograma_);
  dialogo->setDirectory(carpeta);
  dialogo->selectFile(QString());
}

void TFormAlcabala::MenuItemCrearArchivoClick() {
  PrepararDialogoArchivo(SaveDialogAlcabala);
  if (SaveDialogAlcabala->exec() != QDialog::Accepted) return;
  const QStringList elegidos = SaveDialogAlcabala->selectedFiles();
  if (elegidos.isEmpty()) return;
  CrearArchivoAlcabala(elegidos.first());
}

void TFormAlcabala::CrearArchivoAlcabala(const QString& ruta) {
  CursorOcupado cursor;
  // The file is made (tables, index and the taxpayer's row) before the old
  // one is closed: a failure here leaves the old file open and unchanged.
  ::CrearArchivoAlcabala(ruta);
  ADOConnectionAlcabala->Cerrar();
  DesactivarControles();
  ADOConnectionAlcabala->Abrir(ruta);
  ADODataSetContribuyente->Abrir();
  ADODataSetAlcabala->Abrir();
  AnoActual = 0;
  MesActual = 0;
  setWindowTitle(TituloConArchivo(ruta));
  LlenarComboBoxAno(Paginas->ComboBoxAno, *ADOConnectionAlcabala);
  LlenarComboBoxMes(Paginas->ComboBoxMes, *ADOConnectionAlcabala, AnoActual);
}

void TFormAlcabala::MenuItemAbrirArchivoClick() {
  PrepararDialogoArchivo(OpenDialogAlcabala);
  if (OpenDialogAlcabala->exec() != QDialog::Accepted) return;
  const QStringList elegidos = OpenDialogAlcabala->selectedFiles();
  if (elegidos.isEmpty()) return;
  AbrirArchivoAlcabala(elegidos.first());
}

namespace {

// Shows the window with no file unless the open it guards reaches its end.
class GuardaApertura {
 public:
  explicit GuardaApertura(std::function<void()> alFallar) : alFallar_(std::move(alFallar)) {}
  ~GuardaApertura() {
    if (!completa_) RestaurarSinLanzar(alFallar_);
  }
  GuardaApertura(const GuardaApertura&) = delete;
  GuardaApertura& operator=(const GuardaApertura&) = delete;
  void Completar() { completa_ = true; }

 private:
  std::function<void()> alFallar_;
  bool completa_ = false;
};

}  // namespace

void TFormAlcabala::AbrirArchivoAlcabala(const QString& ruta) {
  CursorOcupado cursor;
  ADOConnectionAlcabala->Cerrar();
  DesactivarControles();
  // From here on the old file is closed: should the open fail, the title and
  // the lists must not go on naming it.
  GuardaApertura guarda([this] { MostrarSinArchivo(); });
  ::AbrirArchivoAlcabala(*ADOConnectionAlcabala, ruta);  // checks and upgrades the schema
  ADODataSetContribuyente->Abrir();
  ADODataSetAlcabala->Abrir();
  ADODataSetAlcabala->Ultimo();
  if (ADODataSetAlcabala->EstaVacio()) {
    AnoActual = 0;
    MesActual = 0;
  } else {
    AnoActual = static_cast<int>(NuloACeroEntero(ADODataSetAlcabala->Valor(QStringLiteral("ano"))));
    MesActual = static_cast<int>(NuloACeroEntero(ADODataSetAlcabala->Valor(QStringLiteral("mes"))));
  }
  LlenarComboBoxAno(Paginas->ComboBoxAno, *ADOConnectionAlcabala);
  SeleccionarItemComboBoxAno(Paginas->ComboBoxAno, AnoActual);
  LlenarComboBoxMes(Paginas->ComboBoxMes, *ADOConnectionAlcabala, AnoActual);
  SeleccionarItemComboBoxMes(Paginas->ComboBoxMes, MesActual);
  setWindowTitle(TituloConArchivo(ruta));
  guarda.Completar();
}

void TFormAlcabala::MenuItemCerrarArchivoClick() {
  CursorOcupado cursor;
  ADOConnectionAlcabala->Cerrar();
  MostrarSinArchivo();
}

void TFormAlcabala::MostrarSinArchivo() {
  setWindowTitle(TituloAplicacion());
  // Boxes left on by an edit (or by a move while editing) go off with the file.
  DesactivarControles();
  VaciarComboBox(Paginas->ComboBoxAno);
  VaciarComboBox(Paginas->ComboBoxMes);
  // The data sets announced their closing while the file was still
  // connected; now that it is not, the commands are those of no file.
  EstablecerEstadoControles();
}

void TFormAlcabala::MenuItemSalirClick() { close(); }

void TFormAlcabala::MenuItemAcercaClick() {
  CrearDialogos();
  FormAcerca->exec();
}

// --- Command states ------------------------------------------------------------------

void TFormAlcabala::DataSetAlcabalaCambioEstado() { EstablecerEstadoControles(); }

void TFormAlcabala::EstablecerEstadoControles() {
  ControlesVentana controles;
  controles.crearArchivo = MenuItemCrearArchivo;
  controles.abrirArchivo = MenuItemAbrirArchivo;
  controles.cerrarArchivo = MenuItemCerrarArchivo;
  controles.contribuyente = MenuItemContribuyente;
  controles.crearAlcabala = MenuItemCrearAlcabala;
  controles.editarAlcabala = MenuItemEditarAlcabala;
  controles.guardarAlcabala = MenuItemGuardarAlcabala;
  controles.eliminarAlcabala = MenuItemEliminarAlcabala;
  controles.imprimir = {MenuItemImprimirAnversoAlcabala, MenuItemImprimirReversoAlcabala, MenuItemCopiaAlcabala,
                        MenuItemCasillasSii};
  controles.informes = {MenuItemEmpresas,           MenuItemEmpresasSinPagoImpuestos, MenuItemEmpresasPagarImpuestos,
                        MenuItemEmpresasIVA,        MenuItemEmpresasRetenciones,      MenuItemEmpresasPPM,
                        MenuItemResumenIVA,         MenuItemResumenRetenciones,       MenuItemResumenPPM};
  controles.comboBoxAno = Paginas->ComboBoxAno;
  controles.comboBoxMes = Paginas->ComboBoxMes;
  ::EstablecerEstadoControles(*ADOConnectionAlcabala, *ADODataSetAlcabala, *ADODataSetContribuyente, controles);
}
