// How the window looks and behaves to the hand: every digit of the widest
// amounts visible, lists that keep their value under the wheel, the page
// kept in place when editing ends, texts shown from their beginning.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTreeView>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

#include "alcabalaprueba.h"
#include "app/arranque.h"
#include "app/controles/cajas.h"
#include "general/moneda.h"

using namespace prueba;

namespace {

const QLocale kChile(QLocale::Spanish, QLocale::Chile);

// The widest text a box can show: the largest total for calculated boxes,
// the most digits that can be typed for the others.
QString TextoMasAncho(const Caja& caja, const QLocale& locale) {
  const int digitos = caja.largoMaximo > 0 ? caja.largoMaximo : 9;
  const qint64 tecleado = QString(digitos, QLatin1Char('9')).toLongLong();
  const auto mayorTotal = QVariant::fromValue(Moneda::DesdePesos(999999999999LL));
  switch (caja.presentacion) {
    case Presentacion::Grupos:
      if (caja.clase == ClaseCaja::C || caja.clase == ClaseCaja::P)
        return TextoDeValor(mayorTotal, caja.presentacion, false, false, locale);
      return TextoDeValor(QVariant(tecleado), caja.presentacion, false, false, locale);
    case Presentacion::GruposDecimal:
      return TextoDeValor(QVariant(static_cast<double>(tecleado)), caja.presentacion, false, false, locale);
    case Presentacion::TextoDerecha:  // a negative total in parentheses
      return QLatin1Char('(') + TextoDeValor(mayorTotal, Presentacion::Grupos, false, false, locale) +
             QLatin1Char(')');
    case Presentacion::Telefono:
      return QString::number(std::numeric_limits<qint32>::max());
    case Presentacion::Rut:
      return TextoDeValor(QVariant(999999999), caja.presentacion, false, false, locale);
    case Presentacion::Texto:
    case Presentacion::Casilla:
    case Presentacion::Lista:
      break;
  }
  return QString();
}

// The room a line edit gives its text: its contents rectangle less the
// margins QLineEdit keeps on either side.
int AnchoParaTexto(QLineEdit* caja) {
  QStyleOptionFrame opcion;
  opcion.initFrom(caja);
  opcion.rect = caja->rect();
  opcion.lineWidth = caja->hasFrame() ? caja->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opcion, caja) : 0;
  opcion.midLineWidth = 0;
  opcion.state |= QStyle::State_Sunken;
  const QRect contenido = caja->style()->subElementRect(QStyle::SE_LineEditContents, &opcion, caja);
  const QMargins margenes = caja->textMargins();
  constexpr int MargenQLineEdit = 2;
  return contenido.width() - margenes.left() - margenes.right() - 2 * MargenQLineEdit;
}

// A data file whose declaration holds 999.999.999 in every typed amount.
struct ArchivoLleno : ArchivoPrueba {
  ArchivoLleno() : ArchivoPrueba({{2024, 5}, {2024, 6}}) {
    QStringList asignaciones;
    for (const Caja& c : Catalogo())
      if (c.clase == ClaseCaja::E && c.tipo == TipoColumna::C) asignaciones << c.campo + " = 9999999990000";
    Poner(2024, 6, asignaciones.join(", "));
    PonerContribuyente(
        "RUT = 76543210, ApellidoPaternoRazonSocial = 'Comercializadora e Importadora Padre Las Casas Limitada'");
  }
};

void Capturar(QWidget* w, const QString& nombre) {
  const QString carpeta = qEnvironmentVariable("ALCABALA_CAPTURAS");
  if (carpeta.isEmpty()) return;
  w->grab().save(QDir(carpeta).filePath(nombre + ".png"));
}

// Both pages, whole, as they stand now.
void CapturarPaginas(TFormAlcabala* v, const QString& prefijo) {
  Capturar(v->ScrollBoxAnverso->widget(), prefijo + "_anverso");
  Capturar(v->ScrollBoxReverso->widget(), prefijo + "_reverso");
}

}  // namespace

TEST(Aspecto, CadaCajaMuestraEnteroSuValorMasAncho) {
  ArchivoLleno archivo;
  VentanaPrueba v(archivo.ruta);
  int revisadas = 0;
  for (const Caja& caja : Catalogo()) {
    CajaEdicion* edicion = v->Paginas->Edicion(caja.codigo);
    const QString texto = TextoMasAncho(caja, kChile);
    if (edicion == nullptr || texto.isEmpty()) continue;
    ++revisadas;
    EXPECT_LE(edicion->fontMetrics().horizontalAdvance(texto), AnchoParaTexto(edicion))
        << "casilla " << caja.codigo.toStdString() << ": " << texto.toStdString() << " en "
        << edicion->width() << " px con " << edicion->font().family().toStdString();
  }
  EXPECT_GT(revisadas, 150);
  CapturarPaginas(v.ventana.get(), "lleno_consulta");
  v->MenuItemEditarAlcabala->trigger();
  Enfocar(v.Caja("502"));
  CapturarPaginas(v.ventana.get(), "lleno_edicion");
  v->MenuItemEditarAlcabala->trigger();
}

TEST(Aspecto, LasCajasUsanLaLetraDeLosTextos) {
  VentanaPrueba v;
  const std::string arial = QFontInfo(QFont(QStringLiteral("Arial"))).family().toStdString();
  for (const char* codigo : {"538", "502", "06", "53", "583"})
    EXPECT_EQ(QFontInfo(v->Paginas->Caja(codigo)->font()).family().toStdString(), arial) << codigo;
  EXPECT_EQ(QFontInfo(v->Paginas->ComboBoxMes->font()).family().toStdString(), arial);
  // The window's own "MS Sans Serif" is the same Arial-metric face.
  EXPECT_EQ(QFontInfo(v->font()).family().toStdString(), arial);
}

// Every text of both pages is at least 9 pixels high and fits its cell,
// on one line or wrapped.
TEST(Aspecto, LosTextosCabenSinLetraDiminuta) {
  auto anverso = std::make_unique<QWidget>();
  auto reverso = std::make_unique<QWidget>();
  PaginasFormulario paginas(anverso.get(), reverso.get(), kChile);
  int revisados = 0;
  for (QWidget* pagina : {anverso.get(), reverso.get()}) {
    for (QLabel* celda : pagina->findChildren<QLabel*>()) {
      if (celda->text().isEmpty()) continue;
      ++revisados;
      const QFont letra = celda->font();
      EXPECT_GE(letra.pixelSize(), 9) << celda->text().toStdString();
      const QFontMetrics m(letra);
      const QRect area = celda->contentsRect();
      const QRect ocupado = m.boundingRect(area, Qt::AlignCenter | Qt::TextWordWrap, celda->text());
      EXPECT_TRUE(ocupado.height() <= area.height() + 1 && ocupado.width() <= area.width())
          << celda->text().toStdString() << " a " << letra.pixelSize() << " px: " << ocupado.width() << "x"
          << ocupado.height() << " en "
          << area.width() << "x" << area.height();
    }
  }
  EXPECT_GT(revisados, 300);
}

namespace {

// A turn of the mouse wheel over a widget, as the window system sends it:
// what the widget leaves unaccepted goes on to its parents.
void Rueda(QWidget* w, int pasos) {
  const QPoint centro = w->rect().center();
  QWheelEvent rueda(centro, w->mapToGlobal(centro), QPoint(), QPoint(0, -120 * pasos), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &rueda);
}

}  // namespace

TEST(Aspecto, LaRuedaSobreUnaListaSinFocoDesplazaLaPagina) {
  ArchivoPrueba archivo({{2024, 3}, {2024, 4}, {2024, 5}, {2024, 6}});
  archivo.Poner(2024, 6, "Cod583 = 1, Cod53 = 9");
  VentanaPrueba v(archivo.ruta);
  QScrollBar* barra = v->ScrollBoxAnverso->verticalScrollBar();
  barra->setValue(0);
  v->Paginas->Caja("502")->setFocus(Qt::OtherFocusReason);
  const int mes = v->Paginas->ComboBoxMes->currentIndex();
  Rueda(v->Paginas->ComboBoxMes, 2);
  EXPECT_EQ(v->Paginas->ComboBoxMes->currentIndex(), mes);
  EXPECT_EQ(v.Mes(), 6);
  EXPECT_GT(barra->value(), 0) << "la rueda desplaza la página";

  // The region list of box 53 on the back keeps its value as well, also
  // while the declaration is edited.
  v->MenuItemEditarAlcabala->trigger();
  v->PageControlAlcabala->setCurrentIndex(1);
  ListaDatos* region = v->Paginas->Lista("53");
  ASSERT_TRUE(region->isEnabled());
  ASSERT_EQ(region->currentText(), "9");
  Rueda(region, 2);
  EXPECT_EQ(region->currentText(), "9");
  EXPECT_EQ(v.Valor("53").toInt(), 9);
  v->MenuItemEditarAlcabala->trigger();

  // With the keyboard focus the list turns with the wheel, as it does with
  // the arrow keys.
  v->PageControlAlcabala->setCurrentIndex(0);
  v->Paginas->ComboBoxMes->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  ASSERT_TRUE(v->Paginas->ComboBoxMes->hasFocus());
  ASSERT_EQ(v->Paginas->ComboBoxMes->currentText(), "Junio");
  Rueda(v->Paginas->ComboBoxMes, 1);  // the latest month stands first
  EXPECT_EQ(v->Paginas->ComboBoxMes->currentText(), "Mayo");
  EXPECT_EQ(v.Mes(), 5);
}

TEST(Aspecto, TerminarLaEdicionNoMueveLaPagina) {
  ArchivoPrueba archivo({{2024, 6}});
  VentanaPrueba v(archivo.ruta);
  QScrollBar* barra = v->ScrollBoxAnverso->verticalScrollBar();
  for (QAction* fin : {v->MenuItemEditarAlcabala, v->MenuItemGuardarAlcabala}) {
    v->MenuItemEditarAlcabala->trigger();
    ASSERT_EQ(v.Estado(), EstadoDataSet::Edicion);
    CajaEdicion* caja = v.Caja("538") ? v.Caja("504") : nullptr;
    ASSERT_NE(caja, nullptr);
    v->ScrollBoxAnverso->ensureWidgetVisible(caja);
    Enfocar(caja);
    Teclear(caja, "12");
    const int antes = barra->value();
    ASSERT_GT(antes, 0);
    fin->trigger();
    QApplication::processEvents();
    EXPECT_EQ(v.Estado(), EstadoDataSet::Consulta);
    EXPECT_EQ(barra->value(), antes) << fin->objectName().toStdString();
  }
  EXPECT_EQ(archivo.Leer(2024, 6, "Cod504").toLongLong(), 120000);
}

TEST(Aspecto, DeLaPestanaElTabuladorVaALaListaDeMeses) {
  ArchivoPrueba archivo({{2024, 6}});
  VentanaPrueba v(archivo.ruta);
  QTabBar* pestanas = v->PageControlAlcabala->tabBar();
  pestanas->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  QTest::keyClick(pestanas, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), v->Paginas->ComboBoxMes)
      << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "nada");
}

TEST(Aspecto, LosTextosLargosSeVenDesdeSuComienzo) {
  ArchivoPrueba archivo({{2024, 6}});
  archivo.Poner(2024, 6,
                "Cod583 = 1, Cod726 = 'Padre Las Casas, Región de La Araucanía', "
                "Cod55 = 'administracion.contabilidad@losaromos.cl', "
                "Cod612 = 'Villa Los Aromos de Padre Las Casas, poniente'");
  ErroresAnotados errores;
  VentanaPrueba v(archivo.ruta);
  for (const char* codigo : {"726", "55", "612"}) {
    CajaEdicion* caja = v.Caja(codigo);
    ASSERT_GT(caja->fontMetrics().horizontalAdvance(caja->text()), caja->width()) << codigo;
    EXPECT_EQ(caja->cursorPositionAt(QPoint(8, caja->height() / 2)), 1) << codigo << ": " << caja->text().toStdString();
  }
  // Also after the box was typed in and left.
  v->MenuItemEditarAlcabala->trigger();
  CajaEdicion* villa = v.Caja("612");
  Enfocar(villa);
  villa->end(false);
  Teclear(villa, " 12");
  Salir(villa, v.Caja("502"));
  EXPECT_TRUE(errores.textos.isEmpty()) << errores.textos.join(' ').toStdString();
  EXPECT_TRUE(villa->text().endsWith("poniente 12"));
  EXPECT_EQ(villa->cursorPositionAt(QPoint(8, villa->height() / 2)), 1);
  v->MenuItemEditarAlcabala->trigger();
}

TEST(Aspecto, DialogoDeArchivoEnEspanol) {
  PrepararAplicacion(*qApp);
  QTemporaryDir carpeta;
  QDir(carpeta.path()).mkdir("Clientes");
  QFile(carpeta.filePath("Empresa.oalc")).open(QIODevice::WriteOnly);
  QFile(carpeta.filePath("Otra.alc")).open(QIODevice::WriteOnly);
  QFile(carpeta.filePath("Notas.txt")).open(QIODevice::WriteOnly);
  VentanaPrueba v;
  QFileDialog* dialogo = v->OpenDialogAlcabala;
  dialogo->setOption(QFileDialog::DontUseNativeDialog);
  dialogo->setDirectory(carpeta.path());
  dialogo->setViewMode(QFileDialog::Detail);
  dialogo->show();
  QTest::qWait(300);
  auto* tipos = dialogo->findChild<QComboBox*>("fileTypeCombo");
  ASSERT_NE(tipos, nullptr);
  EXPECT_EQ(tipos->count(), 1);
  EXPECT_EQ(tipos->itemText(0).toStdString(), "Alcabala (*.alc)");
  auto* vista = dialogo->findChild<QTreeView*>("treeView");
  ASSERT_NE(vista, nullptr);
  QStringList encabezados, nombres, tipoCarpeta;
  for (int i = 0; i < vista->model()->columnCount(); ++i)
    encabezados << vista->model()->headerData(i, Qt::Horizontal).toString();
  const QModelIndex raiz = vista->rootIndex();
  for (int i = 0; i < vista->model()->rowCount(raiz); ++i) {
    const QString nombre = vista->model()->index(i, 0, raiz).data().toString();
    if (vista->isRowHidden(i, raiz)) continue;
    nombres << nombre;
    if (nombre == "Clientes") tipoCarpeta << vista->model()->index(i, 2, raiz).data().toString();
  }
  nombres.sort();
  EXPECT_EQ(encabezados.join(" | ").toStdString(), "Nombre | Tamaño | Tipo | Última modificación");
  EXPECT_EQ(nombres.join(" ").toStdString(), "Clientes Empresa.oalc Otra.alc");
  EXPECT_EQ(tipoCarpeta.join("").toStdString(), "Carpeta");
  // No display name of the application's own: Qt would append it to every
  // dialog's title. Unset, it follows the application's name.
  QApplication::setApplicationName("Otro");
  EXPECT_EQ(QApplication::applicationDisplayName(), "Otro");
  QApplication::setApplicationName("Alcabala");
  dialogo->reject();
}

TEST(Aspecto, LaVentanaNoSeAchicaHastaDesaparecer) {
  VentanaPrueba v;
  v->resize(900, 18);
  QApplication::processEvents();
  EXPECT_GE(v->height(), v->minimumHeight());
  // The head of the form and a few lines stay in sight.
  EXPECT_GE(v->ScrollBoxAnverso->viewport()->height(), 150);
}
