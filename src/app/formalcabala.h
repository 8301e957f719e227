#pragma once
// The main window: both sides of the declaration as two scrolling pages,
// the menus and tool bar, the banner and the marquee. It owns the data file's
// connection and data sets and the parameter database for the whole run.

#include <QMainWindow>
#include <QString>
#include <memory>

#include "news/franjasensegundoplano.h"
#include "news/novedades.h"
#include "news/rotacion.h"

class BaseParametros;
class Conexion;
class DataSet;
class PaginasFormulario;
class QAction;
class QFileDialog;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;
class TablaEmpresas;
class TFormAcerca;
class TFormContribuyente;
class TFormCrearAlcabala;

class TFormAlcabala : public QMainWindow {
  Q_OBJECT

 public:
  // Lowest width of the client area, the width of the form pages.
  static constexpr int AnchoMinimoCliente = 788;

  // Builds the window and runs FormCreate: opens the parameter database of
  // carpetaPrograma (the executable's folder when empty), then the data file
  // archivoInicial when not empty, then paints the vertical captions. An
  // error in a step is shown in the standard error box and skips the steps
  // after it; the window is made all the same.
  TFormAlcabala(Novedades novedades, const QString& archivoInicial,
                const QString& carpetaPrograma = QString(), QWidget* parent = nullptr);
  ~TFormAlcabala() override;

  // Creates the dialogs the window shows, once, after the window itself.
  void CrearDialogos();

  // --- Menus and their items ---
  QMenu* MenuItemArchivos = nullptr;
  QMenu* MenuItemAlcabala = nullptr;
  QMenu* MenuItemInformes = nullptr;
  QMenu* MenuItemAyuda = nullptr;
  QAction* MenuItemCrearArchivo = nullptr;
  QAction* MenuItemAbrirArchivo = nullptr;
  QAction* MenuItemCerrarArchivo = nullptr;
  QAction* MenuItemContribuyente = nullptr;
  QAction* MenuItemSalir = nullptr;
  QAction* MenuItemCrearAlcabala = nullptr;
  QAction* MenuItemEditarAlcabala = nullptr;
  QAction* MenuItemGuardarAlcabala = nullptr;
  QAction* MenuItemEliminarAlcabala = nullptr;
  QAction* MenuItemImprimirAnversoAlcabala = nullptr;
  QAction* MenuItemImprimirReversoAlcabala = nullptr;
  QAction* MenuItemCopiaAlcabala = nullptr;
  QAction* MenuItemCasillasSii = nullptr;
  QAction* MenuItemAjustarImpresion = nullptr;
  QAction* MenuItemEmpresas = nullptr;
  QAction* MenuItemEmpresasSinPagoImpuestos = nullptr;
  QAction* MenuItemEmpresasPagarImpuestos = nullptr;
  QAction* MenuItemEmpresasIVA = nullptr;
  QAction* MenuItemEmpresasRetenciones = nullptr;
  QAction* MenuItemEmpresasPPM = nullptr;
  QAction* MenuItemResumenIVA = nullptr;
  QAction* MenuItemResumenRetenciones = nullptr;
  QAction* MenuItemResumenPPM = nullptr;
  QAction* MenuItemAcerca = nullptr;

  // --- Tool bar: each button shares its menu item's action ---
  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolButtonCrearArchivo = nullptr;
  QToolButton* ToolButtonAbrirArchivo = nullptr;
  QToolButton* ToolButtonCerrarArchivo = nullptr;
  QToolButton* ToolButtonCrearAlcabala = nullptr;
  QToolButton* ToolButtonEditarAlcabala = nullptr;
  QToolButton* ToolButtonGuardarAlcabala = nullptr;
  QToolButton* ToolButtonEliminarAlcabala = nullptr;
  QToolButton* ToolButtonImprimirAnversoAlcabala = nullptr;
  QToolButton* ToolButtonImprimirReversoAlcabala = nullptr;
  QToolButton* ToolButtonSalir = nullptr;

  // --- Client area ---
  QWidget* Cliente = nullptr;  // the central widget; positions are relative to it
  QLineEdit* EditMarquee = nullptr;
  QLabel* ImageFranja = nullptr;
  QTabWidget* PageControlAlcabala = nullptr;
  QWidget* TabSheet10 = nullptr;  // "Anverso"
  QWidget* TabSheet5 = nullptr;   // "Reverso"
  QScrollArea* ScrollBoxAnverso = nullptr;
  QScrollArea* ScrollBoxReverso = nullptr;
  PaginasFormulario* Paginas = nullptr;

  // --- Non-visual members ---
  QTimer* TimerFranjas = nullptr;
  QTimer* TimerMarquee = nullptr;
  QFileDialog* SaveDialogAlcabala = nullptr;
  QFileDialog* OpenDialogAlcabala = nullptr;
  Conexion* ADOConnectionAlcabala = nullptr;
  DataSet* ADODataSetAlcabala = nullptr;
  DataSet* ADODataSetContribuyente = nullptr;
  BaseParametros* ADOConnectionParametros = nullptr;
  TFormAcerca* FormAcerca = nullptr;
  TFormCrearAlcabala* FormCrearAlcabala = nullptr;
  TFormContribuyente* FormContribuyente = nullptr;

  // The banner pictures' downloads.
  FranjasEnSegundoPlano* DescargasFranjas() const { return descargasFranjas_; }

  // The current period; 0 and 0 when there is none.
  int AnoActual = 0;
  int MesActual = 0;

  // Blanks that fill the marquee's width in its font; 0 until the first resize.
  int AnchoMarquee() const;
  // The folder of the program (where alcabala.mdb lies).
  QString CarpetaPrograma() const { return carpetaPrograma_; }
  // ClientDataSetAlcabalas, the company lists' table: empty between commands.
  TablaEmpresas& TablaInformesEmpresas() const { return *tablaEmpresas_; }

  // Closes the open file, if any, then upgrades the file at ruta, opens it and
  // shows its latest declaration with the period lists filled. The title
  // becomes "<name> - Alcabala" only when all of it succeeds; when it fails
  // after the old file was closed, the window shows no file.
  void AbrirArchivoAlcabala(const QString& ruta);

  // Makes a new data file at ruta and leaves it open (the create command
  // after its dialog). When making the file fails, the file open before
  // stays open and unchanged.
  void CrearArchivoAlcabala(const QString& ruta);

  // Enables the commands and the period lists for the state of the data
  // file and of the declarations data set.
  void EstablecerEstadoControles();

  // The input boxes of both pages on (with the antecedentes boxes when the
  // declaration's box 583 is ticked) and off; the antecedentes boxes alone.
  void ActivarControles();
  void DesactivarControles();
  void ActivarControlesAntecedentes();
  void DesactivarControlesAntecedentes();

 public slots:
  void MenuItemCrearArchivoClick();
  void MenuItemAbrirArchivoClick();
  void MenuItemCerrarArchivoClick();
  void MenuItemSalirClick();
  void MenuItemAcercaClick();
  void MenuItemContribuyenteClick();
  void MenuItemCrearAlcabalaClick();
  void MenuItemEditarAlcabalaClick();
  void MenuItemGuardarAlcabalaClick();
  void MenuItemEliminarAlcabalaClick();
  void MenuItemImprimirAnversoAlcabalaClick();
  void MenuItemImprimirReversoAlcabalaClick();
  void MenuItemCopiaAlcabalaClick();
  void MenuItemCasillasSiiClick();
  // The user picked an entry of the year or month list.
  void ComboBoxAnoChange(int indice);
  void ComboBoxMesChange(int indice);
  void Image4Click();
  void TimerFranjasTimer();
  void TimerMarqueeTimer();
  // A banner picture's download ended (imagen null when it failed).
  void FranjaDescargada(const QString& url, const QImage& imagen);
  void ImageFranjaClick();
  void EditMarqueeClick();
  // The annual summaries of the current year.
  void MenuItemResumenIVAClick();
  void MenuItemResumenRetencionesClick();
  void MenuItemResumenPPMClick();

 protected:
  void showEvent(QShowEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void CrearMenus();
  void CrearBarraHerramientas();
  void CrearCliente();
  void CrearDialogosArchivo();
  void CrearDatos();
  // The declaration commands, the period lists and the boxes' behaviour.
  void ConectarDeclaraciones();
  void FormCreate();
  void FormResize();
  void PrepararDialogoArchivo(QFileDialog* dialogo);
  // Runs after every state change or move of the declarations data set:
  // the commands follow it.
  void DataSetAlcabalaCambioEstado();
  // Title and lists of a window with no file.
  void MostrarSinArchivo();

  Novedades novedades_;
  // Fetches the banner pictures on worker threads; made before the rotation
  // that asks it for them.
  FranjasEnSegundoPlano* descargasFranjas_;
  RotacionFranjas rotacion_;
  Marquee marquee_;
  QString archivoInicial_;
  std::unique_ptr<TablaEmpresas> tablaEmpresas_;
  QString carpetaPrograma_;
  bool centrada_ = false;
};
