#include "app/controles/impresion.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>
#include <exception>

#include "general/errores.h"

namespace {

EntornoImpresion& Entorno() {
  static EntornoImpresion entorno;
  return entorno;
}

bool Confirmar(QPrintDialog& dialogo) {
  return Entorno().confirmar ? Entorno().confirmar(dialogo) : dialogo.exec() == QDialog::Accepted;
}

void Previsualizar(QPrintPreviewDialog& vista) {
  if (Entorno().previsualizar)
    Entorno().previsualizar(vista);
  else
    vista.exec();
}

// A printer ready for our pages: full page (positions from the paper's
// corner, whatever the printable margin) and the job named after the run.
void PrepararImpresora(QPrinter& impresora, const QString& titulo) {
  impresora.setFullPage(true);
  impresora.setDocName(titulo);
}

void ComprobarImpresora(const QPrinter& impresora, const QString& titulo) {
  if (impresora.printerState() == QPrinter::Error)
    throw ErrorAlcabala(QStringLiteral("La impresora «%1» no pudo imprimir «%2»").arg(impresora.printerName(), titulo));
}

// Renders with the status window following the pages.
void ImprimirConEstado(QWidget* padre, QPrinter& impresora, const Plantilla& plantilla, const DatosInforme& datos,
                       const QString& titulo, const OpcionesRender& opciones) {
  VentanaEstadoImpresion estado(titulo, padre);
  OpcionesRender conEstado = opciones;
  conEstado.alComenzarPagina = [&estado, &opciones](int pagina) {
    estado.Pagina(pagina);
    if (opciones.alComenzarPagina) opciones.alComenzarPagina(pagina);
  };
  Renderizar(plantilla, datos, impresora, conEstado);
  ComprobarImpresora(impresora, titulo);
}

// The preview opens at 100 %; its fit buttons are released as Qt does when
// the user types a zoom factor.
void MostrarAlCienPorCiento(QPrintPreviewDialog& vista) {
  if (auto* widget = vista.findChild<QPrintPreviewWidget*>()) {
    widget->setZoomMode(QPrintPreviewWidget::CustomZoom);
    widget->setZoomFactor(1.0);
  }
  for (const char* nombre : {"fitWidthAction", "fitPageAction"}) {
    auto* ajuste = vista.findChild<QAction*>(QLatin1String(nombre));
    if (ajuste == nullptr) continue;
    if (ajuste->actionGroup() != nullptr) ajuste->actionGroup()->setExclusive(false);
    ajuste->setChecked(false);
  }
}

}  // namespace

void EstablecerEntornoImpresion(EntornoImpresion entorno) { Entorno() = std::move(entorno); }

QStringList ImpresorasInstaladas() {
  return Entorno().impresoras ? Entorno().impresoras() : QPrinterInfo::availablePrinterNames();
}

QString ImpresoraPredeterminada() { return QPrinterInfo::defaultPrinterName(); }

// ---- Status window -------------------------------------------------------------------

VentanaEstadoImpresion::VentanaEstadoImpresion(const QString& titulo, QWidget* padre) : QDialog(padre) {
  setWindowTitle(titulo);
  setModal(true);
  texto_ = new QLabel(this);
  texto_->setMinimumWidth(220);
  texto_->setAlignment(Qt::AlignCenter);
  auto* disposicion = new QVBoxLayout(this);
  disposicion->addWidget(texto_);
}

void VentanaEstadoImpresion::Pagina(int pagina) {
  texto_->setText(QStringLiteral("Imprimiendo página %1").arg(pagina));
  if (!isVisible()) show();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString VentanaEstadoImpresion::Texto() const { return texto_->text(); }

// ---- Front and back --------------------------------------------------------------------

void PrepararDialogoFormulario(QPrintDialog& dialogo, const QString& titulo) {
  dialogo.setWindowTitle(titulo);
  dialogo.setPrintRange(QAbstractPrintDialog::AllPages);
  dialogo.setOptions(QAbstractPrintDialog::PrintDialogOptions());
}

void ImprimirFormulario(QWidget* padre, const Plantilla& plantilla, const DatosInforme& datos, const QString& titulo,
                        const OpcionesRender& opciones,
                        const std::function<QPointF(const QString& impresora)>& calibracion) {
  if (ImpresorasInstaladas().isEmpty())
    throw ErrorAlcabala(QStringLiteral("No hay ninguna impresora instalada. Instale una para imprimir «%1»").arg(titulo));
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setOutputFormat(QPrinter::NativeFormat);
  PrepararImpresora(impresora, titulo);
  QPrintDialog dialogo(&impresora, padre);
  PrepararDialogoFormulario(dialogo, titulo);
  if (!Confirmar(dialogo)) return;
  OpcionesRender calibradas = opciones;
  if (calibracion) calibradas.desplazamientoMm = calibracion(impresora.printerName());
  ImprimirConEstado(padre, impresora, plantilla, datos, titulo, calibradas);
}

void ImprimirEnImpresora(QWidget* padre, const QString& impresora, const Plantilla& plantilla,
                         const DatosInforme& datos, const QString& titulo, const OpcionesRender& opciones) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(impresora);
  if (info.isNull()) throw ErrorAlcabala(QStringLiteral("No existe la impresora «%1»").arg(impresora));
  QPrinter destino(info, QPrinter::HighResolution);
  PrepararImpresora(destino, titulo);
  ImprimirConEstado(padre, destino, plantilla, datos, titulo, opciones);
}

// ---- Preview -------------------------------------------------------------------------------

namespace {

// The preview's print button opens Qt's full print dialog (printer or PDF
// file, copies, collation, duplex, setup), titled with the run's title like
// the preview itself; what the user confirms goes to the printer through the
// preview's pages, and the preview closes.
// The preview's print button: the action bearing Qt's own (translated) text.
QAction* AccionImprimir(const QPrintPreviewDialog& vista) {
  const QString texto = QCoreApplication::translate("QPrintPreviewDialog", "Print");
  for (QAction* accion : vista.findChildren<QAction*>())
    if (accion->text() == texto) return accion;
  return nullptr;
}

void TitularDialogoDeImpresion(QPrintPreviewDialog& vista, QPrinter& impresora, const QString& titulo) {
  QAction* imprimir = AccionImprimir(vista);
  auto* widget = vista.findChild<QPrintPreviewWidget*>();
  if (imprimir == nullptr || widget == nullptr) return;
  QObject::disconnect(imprimir, &QAction::triggered, nullptr, nullptr);
  QObject::connect(imprimir, &QAction::triggered, &vista, [&vista, &impresora, widget, titulo] {
    QPrintDialog dialogo(&impresora, &vista);
    dialogo.setWindowTitle(titulo);
    if (!Confirmar(dialogo)) return;
    widget->print();
    vista.accept();
  });
}

}  // namespace

void MostrarVistaPrevia(QWidget* padre, const Plantilla& plantilla, const DatosInforme& datos, const QString& titulo,
                        const OpcionesRender& opciones) {
  QPrinter impresora(QPrinter::HighResolution);
  // Qt's preview needs a printer; with none installed a PDF printer serves.
  if (ImpresorasInstaladas().isEmpty()) impresora.setOutputFormat(QPrinter::PdfFormat);
  PrepararImpresora(impresora, titulo);
  QPrintPreviewDialog vista(&impresora, padre);
  vista.setWindowTitle(titulo);
  vista.setModal(true);
  vista.setWindowState(vista.windowState() | Qt::WindowMaximized);
  MostrarAlCienPorCiento(vista);
  // No exception may cross the preview's event loop: the first error closes
  // the preview and is raised once it has returned.
  std::exception_ptr error;
  QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, &vista, [&](QPrinter* destino) {
    if (error) return;
    try {
      // The preview's own pages are recorded as pictures; any other engine
      // means the pages are going to the printer (or file) the user chose.
      if (destino->paintEngine() != nullptr && destino->paintEngine()->type() == QPaintEngine::Picture)
        Renderizar(plantilla, datos, *destino, opciones);
      else
        ImprimirConEstado(&vista, *destino, plantilla, datos, titulo, opciones);
    } catch (...) {
      error = std::current_exception();
      vista.reject();
    }
  });
  TitularDialogoDeImpresion(vista, impresora, titulo);
  Previsualizar(vista);
  if (error) std::rethrow_exception(error);
}
