// "&Importar RCV..." in the main window: where it stands and when it is on,
// the review box by box, "Aplicar" into the declaration being edited (the
// user still saves or cancels), "Cancelar" and a bad file changing nothing.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app/alcabalaprueba.h"
#include "app/comandosrcv.h"
#include "common/archivos.h"
#include "common/rcv.h"
#include "dialogs/formimportarrcv.h"

using namespace prueba;

namespace {

// Answers the file chooser with the given files.
struct ArchivosPrueba {
  explicit ArchivosPrueba(QStringList archivos) {
    EstablecerDialogoArchivosRcv([archivos](QWidget*) { return archivos; });
  }
  ~ArchivosPrueba() { EstablecerDialogoArchivosRcv({}); }
};

// The real review dialog, looked at and answered with one of its buttons.
struct RevisionPrueba {
  explicit RevisionPrueba(bool aplicar) {
    EstablecerRevisionRcv([this, aplicar](QWidget* padre, const ResumenRcv& r, const QList<ComparacionRcv>& c,
                                          const QLocale& locale) {
      TFormImportarRcv dialogo(r, c, locale, padre);
      dialogo.show();
      filas.clear();
      for (int i = 0; i < dialogo.TablaCasillas->rowCount(); ++i) {
        QStringList celdas;
        for (int col = 0; col < 4; ++col) celdas << dialogo.TablaCasillas->item(i, col)->text();
        filas << celdas.join(QLatin1Char('|'));
      }
      notas = dialogo.MemoNoIncorporado->toPlainText();
      aplicarActivo = dialogo.ButtonAplicar->isEnabled();
      const QString captura = qEnvironmentVariable("ALCABALA_CAPTURA_RCV");
      if (!captura.isEmpty()) dialogo.grab().save(captura);
      QTest::mouseClick(aplicar && aplicarActivo ? dialogo.ButtonAplicar : dialogo.ButtonCancelar, Qt::LeftButton);
      return dialogo.result() == QDialog::Accepted;
    });
  }
  ~RevisionPrueba() { EstablecerRevisionRcv({}); }
  QStringList filas;
  QString notas;
  bool aplicarActivo = false;
};

class RcvVentana : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo.Poner(2026, 3, QStringLiteral("Cod503 = 9, Cod502 = 50000000, Cod586 = 4"));
    ventas = archivo.dir.filePath(QStringLiteral("ventas.csv"));
    ASSERT_TRUE(EscribirRcv(ventas, EncabezadoVentasRcv(),
                            {FilaVentaRcv("1", 33, "Del Giro", "1-9", 1, "02/03/2026", 0, 1000, 190),
                             FilaVentaRcv("2", 33, "Del Giro", "1-9", 2, "03/03/2026", 0, 2000, 380),
                             FilaVentaRcv("3", 29, "Del Giro", "1-9", 3, "03/03/2026", 0, 100, 19)}));
    v = std::make_unique<VentanaPrueba>(archivo.ruta);
    ASSERT_EQ(v->Mes(), 3);
  }
  QByteArray Bytes() const { return BytesDeArchivo(archivo.ruta); }
  ArchivoPrueba archivo{{{2026, 2}, {2026, 3}}};
  QString ventas;
  std::unique_ptr<VentanaPrueba> v;
};

// The accelerator letters of a menu's items, lower-cased.
QStringList Aceleradores(const QMenu* menu) {
  QStringList letras;
  for (const QAction* a : menu->actions()) {
    const int i = a->text().indexOf(QLatin1Char('&'));
    if (i >= 0 && i + 1 < a->text().size()) letras << a->text().mid(i + 1, 1).toLower();
  }
  return letras;
}

}  // namespace

TEST_F(RcvVentana, ComandoDelMenuAlcabalaActivoComoEditar) {
  QAction* importar = (*v)->MenuItemImportarRcv;
  ASSERT_NE(importar, nullptr);
  EXPECT_EQ(importar->text(), QStringLiteral("&Importar RCV..."));
  EXPECT_TRUE((*v)->MenuItemAlcabala->actions().contains(importar));
  EXPECT_EQ(Aceleradores((*v)->MenuItemAlcabala).count(QStringLiteral("i")), 1);
  EXPECT_TRUE(importar->isEnabled());
  (*v)->MenuItemEditarAlcabala->trigger();
  EXPECT_TRUE(importar->isEnabled());
  (*v)->MenuItemEditarAlcabala->trigger();
  (*v)->MenuItemCerrarArchivo->trigger();
  EXPECT_FALSE(importar->isEnabled());
}

TEST_F(RcvVentana, AplicarPoneLosValoresEnLaDeclaracionQueSeEdita) {
  const QByteArray antes = Bytes();
  ErroresAnotados errores;
  ArchivosPrueba archivos({ventas});
  RevisionPrueba revision(true);
  (*v)->MenuItemImportarRcv->trigger();
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
  // Amounts grouped as the system's locale groups them.
  const QLocale sistema = QLocale::system();
  EXPECT_EQ(revision.filas, (QStringList{"503|9|2|-7", QStringLiteral("502|%1|570|%2").arg(
                                                            AgruparMiles(5000, sistema), AgruparMiles(-4430, sistema))}));
  EXPECT_TRUE(revision.notas.contains(QStringLiteral("No incorporado:")));
  EXPECT_TRUE(revision.notas.contains(QStringLiteral("Ventas, tipo 29 «Del Giro» (ventas.csv): 1 documento")));
  // Edited, not saved: the boxes show the registry's values, 586 is kept.
  EXPECT_EQ(v->Estado(), EstadoDataSet::Edicion);
  EXPECT_EQ(v->Caja("503")->text(), QStringLiteral("2"));
  EXPECT_EQ(v->Caja("502")->text(), QStringLiteral("570"));
  EXPECT_EQ(v->Caja("586")->text(), QStringLiteral("4"));
  EXPECT_TRUE(v->Caja("503")->isEnabled());
  EXPECT_EQ(Bytes(), antes);
  (*v)->MenuItemGuardarAlcabala->trigger();
  EXPECT_EQ(archivo.Leer(2026, 3, QStringLiteral("Cod503")).toInt(), 2);
  EXPECT_EQ(Pesos(archivo.Leer(2026, 3, QStringLiteral("Cod502"))), 570);
  EXPECT_EQ(archivo.Leer(2026, 3, QStringLiteral("Cod586")).toInt(), 4);
}

TEST_F(RcvVentana, CancelarYUnArchivoMaloNoCambianNada) {
  ErroresAnotados errores;
  {
    ArchivosPrueba archivos({ventas});
    RevisionPrueba revision(false);
    (*v)->MenuItemImportarRcv->trigger();
    EXPECT_EQ(revision.filas.size(), 2);
  }
  EXPECT_EQ(v->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(v->Caja("503")->text(), QStringLiteral("9"));
  const QString malo = archivo.dir.filePath(QStringLiteral("malo.csv"));
  ASSERT_TRUE(EscribirRcv(malo, EncabezadoVentasRcv(), {"1;33;Del Giro;1-9"}));
  {
    ArchivosPrueba archivos({ventas, malo});
    RevisionPrueba revision(true);
    (*v)->MenuItemImportarRcv->trigger();
    EXPECT_TRUE(revision.filas.isEmpty());
  }
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(errores.textos.first(), QStringLiteral("«malo.csv», línea 2: la fila tiene 4 columnas y el encabezado 18."));
  EXPECT_EQ(v->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(v->Caja("503")->text(), QStringLiteral("9"));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(RcvVentana, UnaCasillaQueNoAdmiteElValorApagaAplicar) {
  const QString exportacion = archivo.dir.filePath(QStringLiteral("exportacion.csv"));
  ASSERT_TRUE(EscribirRcv(exportacion, EncabezadoVentasRcv(),
                          {FilaVentaRcv("1", 112, "Del Giro", "1-9", 1, "02/03/2026", 10, 0, 0)}));
  (*v)->MenuItemEditarAlcabala->trigger();
  ArchivosPrueba archivos({exportacion});
  RevisionPrueba revision(true);
  (*v)->MenuItemImportarRcv->trigger();
  EXPECT_FALSE(revision.aplicarActivo);
  EXPECT_EQ(v->Estado(), EstadoDataSet::Edicion);
  EXPECT_EQ(v->Caja("585")->text(), QString());
}
