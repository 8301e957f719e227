#pragma once
// The window side of printing: the print dialog of the front and back of the
// form, the print preview of the lists and summaries, and the small status
// window shown while pages go to the printer. The pages themselves come from
// the core's renderer.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

#include "reports/plantilla.h"
#include "reports/renderizador.h"

class QLabel;
class QPrintDialog;
class QPrintPreviewDialog;

// What printing asks of the system. Tests replace it; an empty member means
// the real one (the installed printers, the dialogs run modally).
struct EntornoImpresion {
  std::function<QStringList()> impresoras;                    // names of the installed printers
  std::function<bool(QPrintDialog& dialogo)> confirmar;       // shows the print dialog; true to print
  std::function<void(QPrintPreviewDialog& vista)> previsualizar;  // shows the preview until it closes
};
void EstablecerEntornoImpresion(EntornoImpresion entorno);

// The installed printers, and the system's default one (empty when there is none).
QStringList ImpresorasInstaladas();
QString ImpresoraPredeterminada();

// The small modal window "Imprimiendo página k" while pages are sent.
class VentanaEstadoImpresion : public QDialog {
  Q_OBJECT

 public:
  VentanaEstadoImpresion(const QString& titulo, QWidget* padre);
  // Shows the number of the page being sent and lets the window paint.
  void Pagina(int pagina);
  QString Texto() const;

 private:
  QLabel* texto_ = nullptr;
};

// The print dialog of the front and back: titled titulo, offering the
// printer and its setup only (no file, page range, copies' collation or
// current page).
void PrepararDialogoFormulario(QPrintDialog& dialogo, const QString& titulo);

// Prints one page template through the print dialog. Cancelling prints
// nothing and says nothing. No printer installed, or a printer that fails:
// ErrorAlcabala with a Spanish message (the command wrapper shows it).
// calibracion, when given, gives the shift in millimetres for the printer
// chosen in the dialog, by its name.
void ImprimirFormulario(QWidget* padre, const Plantilla& plantilla, const DatosInforme& datos, const QString& titulo,
                        const OpcionesRender& opciones,
                        const std::function<QPointF(const QString& impresora)>& calibracion = {});

// Prints a template straight onto the printer of that name, with the status
// window and the job named titulo. ErrorAlcabala when the printer does not
// exist or fails.
void ImprimirEnImpresora(QWidget* padre, const QString& impresora, const Plantilla& plantilla,
                         const DatosInforme& datos, const QString& titulo, const OpcionesRender& opciones);

// The banded reports: Qt's print preview, maximised at 100 %, modal, titled
// titulo; printing from it goes through Qt's full print dialog, with the
// status window, the job named titulo. With no printer installed the preview
// still shows (on a PDF printer), and printing from it writes a PDF file.
// An error while drawing closes the preview and is raised afterwards.
void MostrarVistaPrevia(QWidget* padre, const Plantilla& plantilla, const DatosInforme& datos, const QString& titulo,
                        const OpcionesRender& opciones);
