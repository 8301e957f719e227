// Printing the front and back from the main window, and the preview runner
// of the banded reports, with the system's printers and dialogs replaced.

#include <gtest/gtest.h>

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolButton>

#include "common/archivos.h"
#include "app/alcabalaprueba.h"
#include "app/controles/impresion.h"
#include "common/pdf.h"
#include "reports/plantillas.h"

using namespace prueba;

namespace {

// What the print dialog looked like, and what the status window said.
struct Impresion {
  QString tituloDialogo;
  QAbstractPrintDialog::PrintDialogOptions opciones;
  QString trabajo;
  bool paginaCompleta = false;
  QStringList estados;
  QString tituloEstado;
};

// Replaces the system's printers and dialogs for one test.
struct EntornoPrueba {
  explicit EntornoPrueba(QStringList impresoras, std::function<bool(QPrintDialog&)> confirmar,
                         std::function<void(QPrintPreviewDialog&)> previsualizar = {}) {
    EstablecerEntornoImpresion({[impresoras] { return impresoras; }, std::move(confirmar), std::move(previsualizar)});
    // The status window is modal and short-lived: a timer notes what it shows.
    vigia.setInterval(0);
    QObject::connect(&vigia, &QTimer::timeout, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* estado = qobject_cast<VentanaEstadoImpresion*>(w);
        if (estado == nullptr || !estado->isVisible()) continue;
        if (!impresion.estados.contains(estado->Texto())) impresion.estados << estado->Texto();
        impresion.tituloEstado = estado->windowTitle();
      }
    });
    vigia.start();
  }
  ~EntornoPrueba() { EstablecerEntornoImpresion({}); }
  Impresion impresion;
  QTimer vigia;
};

// A confirmation that notes the dialog and prints into a PDF file (or cancels).
std::function<bool(QPrintDialog&)> Confirmacion(Impresion* impresion, const QString& pdf) {
  return [impresion, pdf](QPrintDialog& dialogo) {
    impresion->tituloDialogo = dialogo.windowTitle();
    impresion->opciones = dialogo.options();
    impresion->trabajo = dialogo.printer()->docName();
    impresion->paginaCompleta = dialogo.printer()->fullPage();
    if (pdf.isEmpty()) return false;
    dialogo.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialogo.printer()->setOutputFileName(pdf);
    return true;
  };
}

class Imprimir : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo.Poner(2024, 3, QStringLiteral("Cod502 = 12345670000, Cod115 = 0.25, Cod313 = 12345678"));
    archivo.PonerContribuyente(QStringLiteral("RUT = 7654321, ApellidoPaternoRazonSocial = 'Comercial Los Andes'"));
    v = std::make_unique<VentanaPrueba>(archivo.ruta);
    ElegirMes(*v, QStringLiteral("Marzo"));
    ASSERT_EQ(v->Mes(), 3);
  }
  QByteArray Bytes() const { return prueba::BytesDeArchivo(archivo.ruta); }
  // Which commands of the window are on, by name.
  QStringList Habilitados() const {
    QStringList nombres;
    for (QAction* a : (*v)->findChildren<QAction*>())
      if (a->isEnabled() && !a->objectName().isEmpty()) nombres << a->objectName();
    nombres.sort();
    return nombres;
  }
  ArchivoPrueba archivo{{{2024, 1}, {2024, 3}, {2024, 5}}};
  std::unique_ptr<VentanaPrueba> v;
  QTemporaryDir salida;
};

}  // namespace

TEST_F(Imprimir, AnversoPorElDialogoYLaVentanaQuedaComoEstaba) {
  const QByteArray antes = Bytes();
  const QStringList habilitados = Habilitados();
  const QString pdf = salida.filePath(QStringLiteral("anverso.pdf"));
  ErroresAnotados errores;
  EntornoPrueba entorno({QStringLiteral("Oficina")}, {});
  EstablecerEntornoImpresion({[] { return QStringList{QStringLiteral("Oficina")}; },
                              Confirmacion(&entorno.impresion, pdf), {}});
  (*v)->MenuItemImprimirAnversoAlcabala->trigger();
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));

  const Impresion& i = entorno.impresion;
  EXPECT_EQ(i.tituloDialogo, QStringLiteral("Anverso Alcabala"));
  EXPECT_EQ(i.trabajo, QStringLiteral("Anverso Alcabala"));
  EXPECT_TRUE(i.paginaCompleta);
  for (auto opcion : {QAbstractPrintDialog::PrintToFile, QAbstractPrintDialog::PrintPageRange,
                      QAbstractPrintDialog::PrintCollateCopies, QAbstractPrintDialog::PrintSelection,
                      QAbstractPrintDialog::PrintCurrentPage})
    EXPECT_FALSE(i.opciones.testFlag(opcion)) << opcion;
  EXPECT_EQ(i.estados, QStringList{QStringLiteral("Imprimiendo página 1")});
  EXPECT_EQ(i.tituloEstado, QStringLiteral("Anverso Alcabala"));

  const auto paginas = LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_FALSE(Buscar(paginas.at(0), QLocale::system().decimalPoint() + QStringLiteral("25")).isEmpty());
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("Comercial")).isEmpty());
  // The same declaration, values and commands; not a byte of the file changed.
  EXPECT_EQ(v->Mes(), 3);
  EXPECT_EQ(v->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(v->Caja("502")->text(), QStringLiteral("1.234.567").replace('.', QLocale::system().groupSeparator()));
  EXPECT_EQ((*v)->MesActual, 3);
  EXPECT_EQ(Habilitados(), habilitados);
  EXPECT_EQ(Bytes(), antes);
}

TEST_F(Imprimir, ReversoSinContribuyenteYCancelarNoDiceNada) {
  ErroresAnotados errores;
  EntornoPrueba entorno({QStringLiteral("Oficina")}, {});
  // Cancelled: nothing printed, nothing said.
  EstablecerEntornoImpresion({[] { return QStringList{QStringLiteral("Oficina")}; },
                              Confirmacion(&entorno.impresion, QString()), {}});
  (*v)->ToolButtonImprimirReversoAlcabala->click();
  EXPECT_EQ(entorno.impresion.tituloDialogo, QStringLiteral("Reverso Alcabala"));
  EXPECT_TRUE(entorno.impresion.estados.isEmpty());
  EXPECT_TRUE(errores.textos.isEmpty());

  const QString pdf = salida.filePath(QStringLiteral("reverso.pdf"));
  EstablecerEntornoImpresion({[] { return QStringList{QStringLiteral("Oficina")}; },
                              Confirmacion(&entorno.impresion, pdf), {}});
  (*v)->MenuItemImprimirReversoAlcabala->trigger();
  const auto paginas = LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("12345678-5")).isEmpty());
  EXPECT_TRUE(Buscar(paginas.at(0), QStringLiteral("Comercial")).isEmpty());
  EXPECT_TRUE(errores.textos.isEmpty());
}

TEST_F(Imprimir, SinImpresoraElCuadroDeErrorYNadaCambia) {
  const QStringList habilitados = Habilitados();
  ErroresAnotados errores;
  bool dialogo = false;
  EntornoPrueba entorno({}, [&dialogo](QPrintDialog&) { return dialogo = true; });
  (*v)->MenuItemImprimirAnversoAlcabala->trigger();
  EXPECT_FALSE(dialogo);
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(errores.textos.at(0).startsWith(QStringLiteral("No hay ninguna impresora instalada")));
  EXPECT_EQ(v->Mes(), 3);
  EXPECT_EQ(Habilitados(), habilitados);
}

// ---- The preview of the banded reports ---------------------------------------------------

namespace {

struct Lista {
  Lista() {
    for (int i = 0; i < 3; ++i) {
      RegistroPlano r;
      r.Agregar(QStringLiteral("RUT"), 7654321);
      r.Agregar(QStringLiteral("nombre"), QStringLiteral("Empresa %1").arg(i));
      for (const char* campo : {"Cod563", "Cod115", "Cod68", "Cod62", "Cod152"})
        r.Agregar(QString::fromLatin1(campo), QVariant::fromValue(Moneda::DesdePesos(1000)));
      filas << r;
    }
    for (const RegistroPlano& r : filas) datos.filas << &r;
    datos.parametros.insert(ParametroTitulo, QStringLiteral("EMPRESAS Y PPM DEL 3/2024"));
  }
  QList<RegistroPlano> filas;
  DatosInforme datos;
};

}  // namespace

TEST(VistaPrevia, MaximizadaAlCienPorCientoYCerrarNoImprime) {
  Lista lista;
  QString titulo;
  bool modal = false, maximizada = false;
  double zoom = 0;
  int paginas = 0;
  EntornoPrueba entorno({}, {}, [&](QPrintPreviewDialog& vista) {
    titulo = vista.windowTitle();
    modal = vista.isModal();
    maximizada = vista.windowState().testFlag(Qt::WindowMaximized);
    auto* widget = vista.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widget, nullptr);
    widget->updatePreview();
    zoom = widget->zoomMode() == QPrintPreviewWidget::CustomZoom ? widget->zoomFactor() : -1;
    int ajustes = 0;
    for (QAction* accion : vista.findChildren<QAction*>()) {
      if (!accion->objectName().startsWith(QLatin1String("fit"))) continue;
      ++ajustes;
      EXPECT_FALSE(accion->isChecked()) << accion->objectName().toStdString();
    }
    EXPECT_EQ(ajustes, 2);
    paginas = widget->pageCount();
  });
  OpcionesRender opciones;
  MostrarVistaPrevia(nullptr, BuscarPlantilla(PlantillaEmpresasPPM), lista.datos, QStringLiteral("EMPRESAS Y PPM DEL 3/2024"),
                     opciones);
  EXPECT_EQ(titulo, QStringLiteral("EMPRESAS Y PPM DEL 3/2024"));
  EXPECT_TRUE(modal);
  EXPECT_TRUE(maximizada);
  EXPECT_DOUBLE_EQ(zoom, 1.0);
  EXPECT_EQ(paginas, 1);
  EXPECT_TRUE(entorno.impresion.estados.isEmpty());
}

TEST(VistaPrevia, ImprimirDesdeLaVistaConLaVentanaDeEstado) {
  Lista lista;
  QTemporaryDir salida;
  const QString pdf = salida.filePath(QStringLiteral("lista.pdf"));
  QString trabajo;
  EntornoPrueba entorno({}, {}, [&](QPrintPreviewDialog& vista) {
    auto* widget = vista.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widget, nullptr);
    widget->updatePreview();  // the screen's pages: no status window for them
    QPrinter* impresora = vista.printer();
    trabajo = impresora->docName();
    impresora->setOutputFileName(pdf);
    widget->print();
  });
  MostrarVistaPrevia(nullptr, BuscarPlantilla(PlantillaEmpresasPPM), lista.datos,
                     QStringLiteral("EMPRESAS Y PPM DEL 3/2024"), OpcionesRender{});
  EXPECT_EQ(trabajo, QStringLiteral("EMPRESAS Y PPM DEL 3/2024"));
  EXPECT_EQ(entorno.impresion.estados, QStringList{QStringLiteral("Imprimiendo página 1")});
  EXPECT_EQ(entorno.impresion.tituloEstado, QStringLiteral("EMPRESAS Y PPM DEL 3/2024"));
  const auto paginas = LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_NEAR(paginas.at(0).tamano.width(), 792, 0.5);  // letter, landscape
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("Empresa")).isEmpty());
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("Página")).isEmpty());
}

// The preview's print button, found as a user finds it: by its caption.
QAction* AccionImprimirDeLaVista(const QPrintPreviewDialog& vista) {
  for (QAction* accion : vista.findChildren<QAction*>())
    if (accion->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) return accion;
  return nullptr;
}

TEST(VistaPrevia, ElBotonImprimirAbreElDialogoCompletoConElTituloDeLaCorrida) {
  Lista lista;
  QTemporaryDir salida;
  const QString pdf = salida.filePath(QStringLiteral("lista.pdf"));
  Impresion impresion;
  bool cerrada = false;
  EntornoPrueba entorno({}, Confirmacion(&impresion, pdf), [&](QPrintPreviewDialog& vista) {
    vista.findChild<QPrintPreviewWidget*>()->updatePreview();
    QAction* imprimir = AccionImprimirDeLaVista(vista);
    ASSERT_NE(imprimir, nullptr);
    imprimir->trigger();
    cerrada = vista.result() == QDialog::Accepted;
  });
  MostrarVistaPrevia(nullptr, BuscarPlantilla(PlantillaEmpresasPPM), lista.datos,
                     QStringLiteral("EMPRESAS Y PPM DEL 3/2024"), OpcionesRender{});
  EXPECT_EQ(impresion.tituloDialogo, QStringLiteral("EMPRESAS Y PPM DEL 3/2024"));
  EXPECT_TRUE(impresion.opciones.testFlag(QAbstractPrintDialog::PrintToFile));
  EXPECT_TRUE(impresion.opciones.testFlag(QAbstractPrintDialog::PrintCollateCopies));
  EXPECT_EQ(impresion.trabajo, QStringLiteral("EMPRESAS Y PPM DEL 3/2024"));
  EXPECT_TRUE(cerrada);
  EXPECT_EQ(entorno.impresion.estados, QStringList{QStringLiteral("Imprimiendo página 1")});
  const auto paginas = LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("Página")).isEmpty());
}

TEST(VistaPrevia, CancelarElDialogoDeLaVistaNoImprimeNiLaCierra) {
  Lista lista;
  Impresion impresion;
  bool abierta = false;
  EntornoPrueba entorno({}, Confirmacion(&impresion, QString()), [&](QPrintPreviewDialog& vista) {
    AccionImprimirDeLaVista(vista)->trigger();
    abierta = vista.result() != QDialog::Accepted;
  });
  MostrarVistaPrevia(nullptr, BuscarPlantilla(PlantillaEmpresasPPM), lista.datos, QStringLiteral("X"),
                     OpcionesRender{});
  EXPECT_EQ(impresion.tituloDialogo, QStringLiteral("X"));
  EXPECT_TRUE(abierta);
  EXPECT_TRUE(entorno.impresion.estados.isEmpty());
}

TEST(VistaPrevia, UnErrorAlDibujarCierraLaVistaYSeInformaDespues) {
  Lista lista;
  RegistroPlano incompleta;  // lacks every field the list prints
  lista.datos.filas << &incompleta;
  bool mostrada = false;
  EntornoPrueba entorno({}, {}, [&](QPrintPreviewDialog& vista) {
    vista.findChild<QPrintPreviewWidget*>()->updatePreview();
    mostrada = true;
  });
  EXPECT_THROW(MostrarVistaPrevia(nullptr, BuscarPlantilla(PlantillaEmpresasPPM), lista.datos, QStringLiteral("X"),
                                  OpcionesRender{}),
               ErrorAlcabala);
  EXPECT_TRUE(mostrada);
}
