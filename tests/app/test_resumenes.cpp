// The annual summaries from the main window: the preview of the current
// year, and the window as it was afterwards, also when the run fails.

#include <gtest/gtest.h>

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <tuple>

#include "app/alcabalaprueba.h"
#include "app/controles/impresion.h"
#include "common/pdf.h"

using namespace prueba;

namespace {

// What the preview showed, and what went to the printer from it.
struct Vista {
  QString titulo;
  bool modal = false;
  int paginas = 0;
  bool cursorNormal = false;
};

class ResumenVentana : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo.Poner(2024, 1, QStringLiteral("Cod502 = 10000000000, Cod504 = 3000000000"));
    archivo.Poner(2024, 2, QStringLiteral("Cod502 = 5000000000, Cod504 = 20000000000"));
    archivo.Poner(2024, 5, QStringLiteral("Cod504 = 15000000000, Cod563 = 20000000000, Cod115 = 1.5"));
    archivo.PonerContribuyente(QStringLiteral("RUT = 7654321, ApellidoPaternoRazonSocial = 'Comercial Los Andes'"));
    v = std::make_unique<VentanaPrueba>(archivo.ruta);
    // The user shows February, not the latest month.
    ASSERT_TRUE(Elegir((*v)->Paginas->ComboBoxMes, QStringLiteral("Febrero")));
    ASSERT_EQ(v->Mes(), 2);
    antes = Foto();
  }
  void TearDown() override { EstablecerEntornoImpresion({}); }

  // Everything of the window a summary must leave as it found it.
  struct Estado {
    int ano, mes, anoActual, mesActual;
    EstadoDataSet estado;
    QString caja502, textoAno, textoMes;
    QStringList anos, meses, habilitados;
    QByteArray bytes;
    bool operator==(const Estado& o) const {
      return std::tie(ano, mes, anoActual, mesActual, estado, caja502, textoAno, textoMes, anos, meses, habilitados, bytes) ==
             std::tie(o.ano, o.mes, o.anoActual, o.mesActual, o.estado, o.caja502, o.textoAno, o.textoMes, o.anos, o.meses,
                      o.habilitados, o.bytes);
    }
  };
  Estado Foto() const {
    Estado e{v->Ano(), v->Mes(), (*v)->AnoActual, (*v)->MesActual, v->Estado(), v->Caja("502")->text(),
             (*v)->Paginas->ComboBoxAno->currentText(), (*v)->Paginas->ComboBoxMes->currentText(),
             Entradas((*v)->Paginas->ComboBoxAno), Entradas((*v)->Paginas->ComboBoxMes), {}, {}};
    for (QAction* a : (*v)->findChildren<QAction*>())
      if (a->isEnabled() && !a->objectName().isEmpty()) e.habilitados << a->objectName();
    e.habilitados.sort();
    QFile f(archivo.ruta);
    if (f.open(QIODevice::ReadOnly)) e.bytes = f.readAll();
    return e;
  }
  // Replaces the preview: notes it, then prints from it into pdf (nothing when empty).
  void Previsualizar(Vista* vista, const QString& pdf) {
    EstablecerEntornoImpresion({[] { return QStringList(); }, {}, [vista, pdf](QPrintPreviewDialog& dialogo) {
                                  vista->titulo = dialogo.windowTitle();
                                  vista->modal = dialogo.isModal();
                                  vista->cursorNormal = QApplication::overrideCursor() == nullptr;
                                  auto* widget = dialogo.findChild<QPrintPreviewWidget*>();
                                  ASSERT_NE(widget, nullptr);
                                  widget->updatePreview();
                                  vista->paginas = widget->pageCount();
                                  if (pdf.isEmpty()) return;
                                  dialogo.printer()->setOutputFileName(pdf);
                                  widget->print();
                                }});
  }
  // Month names in the first column of the page, top to bottom.
  static QStringList Meses(const PaginaPdf& pagina) {
    QList<PalabraPdf> primeras;
    for (const PalabraPdf& p : pagina.palabras)
      if (p.caja.left() < 0.45 * 72 && p.texto != QStringLiteral("Mes")) primeras << p;
    std::sort(primeras.begin(), primeras.end(),
              [](const PalabraPdf& a, const PalabraPdf& b) { return a.caja.top() < b.caja.top(); });
    QStringList textos;
    for (const PalabraPdf& p : primeras) textos << p.texto;
    return textos;
  }

  ArchivoPrueba archivo{{{2023, 12}, {2024, 5}, {2024, 1}, {2024, 2}}};
  std::unique_ptr<VentanaPrueba> v;
  Estado antes;
  QTemporaryDir salida;
};

}  // namespace

TEST_F(ResumenVentana, IVADelAnoEnLaVistaPreviaYLaVentanaComoEstaba) {
  ErroresAnotados errores;
  Vista vista;
  const QString pdf = salida.filePath(QStringLiteral("iva.pdf"));
  Previsualizar(&vista, pdf);
  (*v)->MenuItemResumenIVA->trigger();
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
  EXPECT_EQ(vista.titulo, QStringLiteral("RESUMEN IVA DEL 2024"));
  EXPECT_TRUE(vista.modal);
  EXPECT_TRUE(vista.cursorNormal);
  EXPECT_EQ(vista.paginas, 1);

  const auto paginas = LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_EQ(Meses(paginas.at(0)), (QStringList{"Enero", "Febrero", "Mayo"}));
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("Comercial")).isEmpty());
  // The remainders of the previous month add up: 300,000 + 2,000,000 + 1,500,000.
  const QString grupo = QLocale::system().groupSeparator();
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("3.800.000").replace('.', grupo)).isEmpty());

  EXPECT_TRUE(Foto() == antes);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ResumenVentana, RetencionesYPPMCerradosSinImprimir) {
  ErroresAnotados errores;
  Vista vista;
  Previsualizar(&vista, QString());
  (*v)->MenuItemResumenRetenciones->trigger();
  EXPECT_EQ(vista.titulo, QStringLiteral("RESUMEN RETENCIONES DEL 2024"));
  (*v)->MenuItemResumenPPM->trigger();
  EXPECT_EQ(vista.titulo, QStringLiteral("RESUMEN PPM DEL 2024"));
  EXPECT_EQ(vista.paginas, 1);
  EXPECT_TRUE(errores.textos.isEmpty());
  EXPECT_TRUE(Foto() == antes);
}

TEST_F(ResumenVentana, UnFalloAMitadDeLaCorridaDejaLaVentanaComoEstaba) {
  ErroresAnotados errores;
  Vista vista;
  // Printing from the preview into a folder that does not exist fails while drawing.
  Previsualizar(&vista, salida.filePath(QStringLiteral("no/hay/carpeta.pdf")));
  (*v)->MenuItemResumenPPM->trigger();
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(errores.textos.at(0).startsWith(QStringLiteral("No se pudo"))) << qPrintable(errores.textos.at(0));
  EXPECT_TRUE(Foto() == antes);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // And the next summary runs as usual.
  Previsualizar(&vista, QString());
  (*v)->MenuItemResumenIVA->trigger();
  EXPECT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(vista.titulo, QStringLiteral("RESUMEN IVA DEL 2024"));
}

TEST_F(ResumenVentana, OtroAnoElegidoEsElAnoDelResumen) {
  ASSERT_TRUE(Elegir((*v)->Paginas->ComboBoxAno, QStringLiteral("2023")));
  ASSERT_EQ(v->Ano(), 2023);
  ErroresAnotados errores;
  Vista vista;
  const QString pdf = salida.filePath(QStringLiteral("2023.pdf"));
  Previsualizar(&vista, pdf);
  (*v)->MenuItemResumenIVA->trigger();
  EXPECT_EQ(vista.titulo, QStringLiteral("RESUMEN IVA DEL 2023"));
  const auto paginas = LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_EQ(Meses(paginas.at(0)), QStringList{"Diciembre"});
  EXPECT_EQ(v->Ano(), 2023);
  EXPECT_EQ(v->Mes(), 12);
}
