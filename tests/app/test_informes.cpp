// The company lists of the "&Informes" menu, run from the main window with
// the preview replaced: title, pages, the table left empty, the progress
// window's cancel and a broken client file.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "app/alcabalaprueba.h"
#include "app/comandosinformes.h"
#include "app/controles/impresion.h"
#include "common/pdf.h"
#include "reports/informesempresas.h"
#include "reports/tablaempresas.h"

using namespace prueba;

namespace {

// What the preview showed; with a PDF path, its pages are printed there from the preview.
struct Vistas {
  explicit Vistas(const QString& pdf = QString()) {
    EstablecerEntornoImpresion({{}, {}, [this, pdf](QPrintPreviewDialog& vista) {
                                  titulos << vista.windowTitle();
                                  auto* widget = vista.findChild<QPrintPreviewWidget*>();
                                  ASSERT_NE(widget, nullptr);
                                  widget->updatePreview();
                                  if (pdf.isEmpty()) return;
                                  vista.printer()->setOutputFileName(pdf);
                                  widget->print();
                                }});
  }
  ~Vistas() { EstablecerEntornoImpresion({}); }
  QStringList titulos;
};

class Informes : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo.PonerContribuyente(QStringLiteral("RUT = 7654321, ApellidoPaternoRazonSocial = 'Archivo Abierto'"));
    v = std::make_unique<VentanaPrueba>(archivo.ruta);
    ASSERT_EQ((*v)->AnoActual, 2024);
    ASSERT_EQ((*v)->MesActual, 3);
  }
  // A client file in the program's folder, one of the two folders the lists scan.
  void Cliente(const QString& archivoCliente, const QString& nombre, const QString& asignaciones) {
    ArchivoPrueba cliente({{2024, 3}});
    cliente.PonerContribuyente(QStringLiteral("ApellidoPaternoRazonSocial = '%1'").arg(nombre));
    cliente.Poner(2024, 3, asignaciones);
    ASSERT_TRUE(QFile::copy(cliente.ruta, v->programa.filePath(archivoCliente)));
  }
  bool TablaVacia() const {
    const DataSet& tabla = (*v)->TablaInformesEmpresas().ClientDataSetAlcabalas();
    return !tabla.Activo() && tabla.CantidadFilas() == 0;
  }
  QAction* Menu(const QString& nombre) const { return (*v)->findChild<QAction*>(nombre); }

  ArchivoPrueba archivo{{{2024, 3}}};
  std::unique_ptr<VentanaPrueba> v;
  QTemporaryDir salida;
};

}  // namespace

TEST_F(Informes, EmpresasDosVecesMuestraCadaEmpresaUnaVezYDejaLaTablaVacia) {
  Cliente(QStringLiteral("a.alc"), QStringLiteral("Minera Norte"), QStringLiteral("Cod502 = 12345670000"));
  Cliente(QStringLiteral("b.alc"), QStringLiteral("Comercial Andes"), QStringLiteral("Cod502 = 10000000"));
  const QString pdf = salida.filePath(QStringLiteral("lista.pdf"));
  ErroresAnotados errores;
  Vistas vistas(pdf);
  for (int vez = 0; vez < 2; ++vez) {
    Menu(QStringLiteral("MenuItemEmpresas"))->trigger();
    EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
    EXPECT_TRUE(TablaVacia());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const auto paginas = LeerPdf(pdf);
    ASSERT_EQ(paginas.size(), 1);
    EXPECT_EQ(Buscar(paginas.at(0), QStringLiteral("Norte")).size(), 1) << vez;
    EXPECT_EQ(Buscar(paginas.at(0), QStringLiteral("Andes")).size(), 1) << vez;
  }
  EXPECT_EQ(vistas.titulos, QStringList(2, QStringLiteral("EMPRESAS DEL 3/2024")));
}

TEST_F(Informes, CadaElementoDelMenuConSuTitulo) {
  Cliente(QStringLiteral("a.alc"), QStringLiteral("Minera Norte"), QStringLiteral("Cod502 = 12345670000"));
  ErroresAnotados errores;
  Vistas vistas;
  for (const DefinicionInformeEmpresas& definicion : InformesEmpresas()) {
    ASSERT_NE(Menu(definicion.menu), nullptr);
    EXPECT_TRUE(Menu(definicion.menu)->isEnabled());
    Menu(definicion.menu)->trigger();
  }
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
  EXPECT_EQ(vistas.titulos,
            (QStringList{"EMPRESAS DEL 3/2024", "EMPRESAS SIN PAGO DE IMPUESTOS DEL 3/2024",
                         "EMPRESAS A PAGAR IMPUESTOS DEL 3/2024", "EMPRESAS E IVA DEL 3/2024",
                         "EMPRESAS Y RETENCIONES DEL 3/2024", "EMPRESAS Y PPM DEL 3/2024"}));
  EXPECT_TRUE(TablaVacia());
}

TEST_F(Informes, CancelarElProgresoNoMuestraNada) {
  Cliente(QStringLiteral("a.alc"), QStringLiteral("Minera Norte"), QString("Cod502 = 0"));
  ErroresAnotados errores;
  Vistas vistas;
  bool visto = false;
  QTimer::singleShot(0, [&] {
    for (auto* progreso : (*v)->findChildren<VentanaProgresoEscaneo*>()) {
      visto = progreso->isVisible();
      progreso->reject();
    }
  });
  ContextoInformes contexto{v->ventana.get(), &(*v)->TablaInformesEmpresas(), {v->programa.path()}, 2024, 3,
                            QLocale::system(), 0};
  EXPECT_TRUE(EjecutarComando(v->ventana.get(), [&] { EjecutarInformeEmpresas(contexto, InformeEmpresas::PPM); }));
  EXPECT_TRUE(visto);
  EXPECT_TRUE(vistas.titulos.isEmpty());
  EXPECT_TRUE(errores.textos.isEmpty());
  EXPECT_TRUE(TablaVacia());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Informes, ArchivoRotoSeNombraEnLaCajaDeErrorYNoSeMuestraNada) {
  Cliente(QStringLiteral("a.alc"), QStringLiteral("Minera Norte"), QString("Cod502 = 0"));
  QFile roto(v->programa.filePath(QStringLiteral("Roto.alc")));
  ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
  roto.write(QByteArray(4096, 'x'));
  roto.close();
  ErroresAnotados errores;
  Vistas vistas;
  Menu(QStringLiteral("MenuItemEmpresasIVA"))->trigger();
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(errores.textos.at(0).contains(QStringLiteral("Roto.alc"))) << qPrintable(errores.textos.at(0));
  EXPECT_TRUE(vistas.titulos.isEmpty());
  EXPECT_TRUE(TablaVacia());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(v->Estado(), EstadoDataSet::Consulta);
}
