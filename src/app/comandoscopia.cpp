#include "app/comandoscopia.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "app/controles/comando.h"
#include "app/comandosalcabala.h"
#include "reports/copiaformulario.h"
#include "reports/salidapdf.h"
#include "storage/conexion.h"
#include "storage/dataset.h"

namespace {

DialogoGuardarCopia& Dialogo() {
  static DialogoGuardarCopia dialogo;
  return dialogo;
}

QString PreguntarRuta(QWidget* padre, const QString& propuesta) {
  if (Dialogo()) return Dialogo()(padre, propuesta);
  QFileDialog dialogo(padre, QStringLiteral("Guardar Copia"), propuesta, QStringLiteral("PDF (*.pdf)"));
  dialogo.setAcceptMode(QFileDialog::AcceptSave);
  dialogo.setFileMode(QFileDialog::AnyFile);
  dialogo.setDefaultSuffix(QStringLiteral("pdf"));
  dialogo.selectFile(propuesta);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return QString();
  return dialogo.selectedFiles().constFirst();
}

}  // namespace

void EstablecerDialogoGuardarCopia(DialogoGuardarCopia dialogo) { Dialogo() = std::move(dialogo); }

void MenuItemCopiaAlcabalaClick(const ContextoComandos& contexto, const QLocale& locale) {
  const RegistroPlano declaracion = contexto.alcabala->CopiaRegistroActual();
  const RegistroPlano contribuyente = contexto.contribuyente->CopiaRegistroActual();
  const QString archivo = contexto.conexion->Ruta();
  const int ano = declaracion.Valor(QStringLiteral("ano")).toInt();
  const int mes = declaracion.Valor(QStringLiteral("mes")).toInt();

  const QString propuesta = QFileInfo(archivo).dir().filePath(NombreArchivoCopia(archivo, ano, mes));
  const QString ruta = PreguntarRuta(contexto.ventana, propuesta);
  if (ruta.isEmpty()) return;

  CursorOcupado ocupado;
  const PieCopia pie{archivo, ano, mes, QDate::currentDate()};
  EscribirPdf(ruta, TituloCopia(archivo, ano, mes),
              [&](QPagedPaintDevice& pdf) { DibujarCopia(declaracion, contribuyente, pie, pdf, locale); });
}
