// The declaration commands of the main window: create (against a UTM
// server), edit and cancel, save, delete, and the taxpayer dialog.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "app/alcabalaprueba.h"
#include "common/servidorhttp.h"
#include "dialogs/formcrearalcabala.h"
#include "dialogs/formcontribuyente.h"

using namespace prueba;

namespace {

// A UTM document with `meses` months valued base, base + 100, ...
QByteArray DocumentoUTM(int meses, int base) {
  QByteArray cuerpo = "<?xml version=\"1.0\"?><UTMs>";
  for (int i = 0; i < meses; ++i) cuerpo += "<Mes><Monto>" + QByteArray::number(base + 100 * i) + "</Monto></Mes>";
  return cuerpo + "</UTMs>";
}

// What the period dialog showed and what the message boxes said.
struct Dialogos {
  QString anoPropuesto;
  int mesPropuesto = 0;
  std::vector<CajaVista> cajas;
};

// Runs accion answering the period dialog with (textoAno, mes) (or
// cancelling it when textoAno is null) and every message box with OK.
Dialogos ResponderCrear(const QString& textoAno, int mes, const std::function<void()>& accion) {
  static int llamadas = 0;
  const int llamada = ++llamadas;
  Dialogos vistos;
  QTimer vigia;
  vigia.setInterval(5);
  QObject::connect(&vigia, &QTimer::timeout, [&, llamada] {
    QWidget* modal = QApplication::activeModalWidget();
    // The period dialog is shown again by later commands: it is answered
    // once per call, marked with this call's own token.
    const QVariant ficha(llamada);
    if (!modal || !modal->isVisible() || modal->property("respondida") == ficha) return;
    modal->setProperty("respondida", ficha);
    if (auto* dialogo = qobject_cast<TFormCrearAlcabala*>(modal)) {
      vistos.anoPropuesto = dialogo->EditAno->text();
      vistos.mesPropuesto = dialogo->ComboBoxMes->currentIndex() + 1;
      if (textoAno.isNull()) {
        dialogo->ButtonCancelar->click();
        return;
      }
      dialogo->EditAno->setText(textoAno);
      dialogo->ComboBoxMes->setCurrentIndex(mes - 1);
      dialogo->ButtonCrear->click();
    } else if (auto* caja = qobject_cast<QMessageBox*>(modal)) {
      vistos.cajas.push_back({caja->windowTitle(), caja->text(), caja->icon(), caja->standardButtons(), {}});
      caja->button(QMessageBox::Ok) ? caja->button(QMessageBox::Ok)->click() : caja->done(0);
    }
  });
  vigia.start();
  accion();
  vigia.stop();
  return vistos;
}

class Comandos : public ::testing::Test {
 protected:
  Comandos() : url(servidor.UrlBase()) {
    servidor.Servir(QStringLiteral("/UTM/2023.xml"), 200, DocumentoUTM(12, 60000));
    servidor.Servir(QStringLiteral("/UTM/2024.xml"), 200, DocumentoUTM(12, 62000));
  }
  void Abrir(const QList<std::pair<int, int>>& periodos) {
    archivo = std::make_unique<ArchivoPrueba>(periodos);
    v = std::make_unique<VentanaPrueba>(archivo->ruta);
  }
  TFormAlcabala* W() const { return v->ventana.get(); }
  QString Calle() const {
    return EscalarSql(archivo->ruta, QStringLiteral("SELECT Calle FROM contribuyente")).toString().trimmed();
  }

  ErroresAnotados errores;
  ServidorPrueba servidor;
  UrlBaseDePrueba url;
  std::unique_ptr<ArchivoPrueba> archivo;
  std::unique_ptr<VentanaPrueba> v;
};

}  // namespace

TEST_F(Comandos, CrearEnUnArchivoVacioProponeElMesActual) {
  Abrir({});
  const QDate hoy = QDate::currentDate();
  servidor.Servir(QStringLiteral("/UTM/%1.xml").arg(hoy.year()), 200, DocumentoUTM(12, 62000));
  servidor.Servir(QStringLiteral("/UTM/%1.xml").arg(hoy.year() + 1), 200, DocumentoUTM(12, 64000));
  const Dialogos d = ResponderCrear(QString::number(hoy.year()), hoy.month(),
                                    [&] { W()->MenuItemCrearAlcabala->trigger(); });
  EXPECT_EQ(d.anoPropuesto, QString::number(hoy.year()));
  EXPECT_EQ(d.mesPropuesto, hoy.month());
  EXPECT_TRUE(d.cajas.empty());
  EXPECT_EQ(archivo->Cantidad(), 1);
  EXPECT_EQ(v->Ano(), hoy.year());
  EXPECT_EQ(v->Mes(), hoy.month());
  EXPECT_EQ(W()->AnoActual, hoy.year());
  EXPECT_EQ(W()->MesActual, hoy.month());
  EXPECT_EQ(W()->Paginas->ComboBoxAno->currentText(), QString::number(hoy.year()));
  EXPECT_EQ(W()->Paginas->ComboBoxMes->currentText(), NombreDelMes(hoy.month()));
  EXPECT_TRUE(W()->MenuItemEditarAlcabala->isEnabled());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Comandos, CrearElMesSiguienteLlevaLasTasasYLosSaldos) {
  Abrir({{2023, 11}, {2023, 12}});
  archivo->Poner(2023, 12, QStringLiteral("Cod115 = 1.5"));
  W()->AbrirArchivoAlcabala(archivo->ruta);
  const Dialogos d = ResponderCrear(QStringLiteral("2024"), 1, [&] { W()->MenuItemCrearAlcabala->trigger(); });
  EXPECT_EQ(d.anoPropuesto, QStringLiteral("2024"));
  EXPECT_EQ(d.mesPropuesto, 1);
  EXPECT_EQ(archivo->Cantidad(), 3);
  EXPECT_DOUBLE_EQ(archivo->Leer(2024, 1, QStringLiteral("Cod115")).toDouble(), 1.5);
  EXPECT_EQ(Entradas(W()->Paginas->ComboBoxAno), (QStringList{QStringLiteral("2024"), QStringLiteral("2023")}));
  EXPECT_EQ(Entradas(W()->Paginas->ComboBoxMes), QStringList{QStringLiteral("Enero")});
  EXPECT_EQ(W()->Paginas->ComboBoxMes->currentText(), QStringLiteral("Enero"));
  EXPECT_EQ(v->Mes(), 1);
}

TEST_F(Comandos, SinUTMAvisaYNoCreaNada) {
  Abrir({{2024, 1}});
  servidor.Servir(QStringLiteral("/UTM/2024.xml"), 200, DocumentoUTM(2, 62000));
  Dialogos d = ResponderCrear(QStringLiteral("2024"), 3, [&] { W()->MenuItemCrearAlcabala->trigger(); });
  ASSERT_EQ(d.cajas.size(), 1u);
  EXPECT_EQ(d.cajas[0].titulo, QStringLiteral("Crear Alcabala"));
  EXPECT_EQ(d.cajas[0].texto, QStringLiteral("No existe UTM para Marzo del 2024."));
  EXPECT_EQ(d.cajas[0].botones, QMessageBox::StandardButtons(QMessageBox::Ok));
  // February has its UTM, March (the next month) has not.
  d = ResponderCrear(QStringLiteral("2024"), 2, [&] { W()->MenuItemCrearAlcabala->trigger(); });
  ASSERT_EQ(d.cajas.size(), 1u);
  EXPECT_EQ(d.cajas[0].texto, QStringLiteral("No existe UTM para Marzo del 2024."));
  EXPECT_EQ(archivo->Cantidad(), 1);
  EXPECT_EQ(W()->AnoActual, 2024);
  EXPECT_EQ(W()->MesActual, 1);
  EXPECT_EQ(v->Mes(), 1);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Comandos, UnaDescargaFallidaLoDiceEnLaCajaDeError) {
  Abrir({{2024, 1}});
  servidor.Servir(QStringLiteral("/UTM/2024.xml"), 500, DocumentoUTM(12, 62000));
  const Dialogos d = ResponderCrear(QStringLiteral("2024"), 2, [&] { W()->MenuItemCrearAlcabala->trigger(); });
  EXPECT_TRUE(d.cajas.empty());  // not the notice of a month without UTM
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(errores.textos[0].startsWith(QStringLiteral("No se pudo descargar ") + servidor.UrlBase() +
                                           QStringLiteral("UTM/2024.xml: ")))
      << qPrintable(errores.textos[0]);
  EXPECT_EQ(archivo->Cantidad(), 1);
  EXPECT_EQ(v->Mes(), 1);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Comandos, CrearUnPeriodoQueExisteSoloLoMuestra) {
  Abrir({{2023, 11}, {2023, 12}, {2024, 3}});
  const Dialogos d = ResponderCrear(QStringLiteral("2023"), 11, [&] { W()->MenuItemCrearAlcabala->trigger(); });
  EXPECT_TRUE(d.cajas.empty());
  EXPECT_EQ(archivo->Cantidad(), 3);
  EXPECT_EQ(v->Ano(), 2023);
  EXPECT_EQ(v->Mes(), 11);
  EXPECT_EQ(W()->AnoActual, 2023);
  EXPECT_EQ(W()->MesActual, 11);
  EXPECT_EQ(W()->Paginas->ComboBoxAno->currentText(), QStringLiteral("2023"));
  // The month list is that of the year shown.
  EXPECT_EQ(Entradas(W()->Paginas->ComboBoxMes), (QStringList{QStringLiteral("Diciembre"), QStringLiteral("Noviembre")}));
  EXPECT_EQ(W()->Paginas->ComboBoxMes->currentText(), QStringLiteral("Noviembre"));
}

TEST_F(Comandos, UnAnoQueNoEsNumeroYElDialogoCancelado) {
  Abrir({{2024, 1}});
  ResponderCrear(QStringLiteral("20x4"), 2, [&] { W()->MenuItemCrearAlcabala->trigger(); });
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(errores.textos[0], QStringLiteral("'20x4' is not a valid integer value."));
  ResponderCrear(QString(), 0, [&] { W()->MenuItemCrearAlcabala->trigger(); });
  EXPECT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(archivo->Cantidad(), 1);
  EXPECT_EQ(W()->MesActual, 1);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Comandos, CancelarLaEdicionDescartaLoEscrito) {
  Abrir({{2024, 3}});
  archivo->Poner(2024, 3, QStringLiteral("Cod521 = 50000"));
  W()->AbrirArchivoAlcabala(archivo->ruta);
  W()->MenuItemEditarAlcabala->trigger();
  Enfocar(v->Caja("521"));
  Teclear(v->Caja("521"), QStringLiteral("99"));
  Enfocar(v->Caja("586"));
  Teclear(v->Caja("586"), QStringLiteral("99999"));  // too big for a count, still being typed
  W()->MenuItemEditarAlcabala->trigger();
  EXPECT_EQ(v->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(NuloACeroMoneda(v->Valor("521")).Pesos(), 5);
  EXPECT_EQ(Pesos(archivo->Leer(2024, 3, QStringLiteral("Cod521"))), 5);
  EXPECT_FALSE(v->Caja("521")->isEnabled());
  EXPECT_EQ(W()->MenuItemEditarAlcabala->text(), QStringLiteral("&Editar"));
  // Dropping the text in the box being typed raised no error.
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Comandos, GuardarCon583CopiaAlContribuyente) {
  Abrir({{2024, 2}, {2024, 3}});
  archivo->PonerContribuyente(QStringLiteral("Calle = 'Prat', Telefono = 451111"));
  W()->AbrirArchivoAlcabala(archivo->ruta);

  // Without 583 the taxpayer is not touched; the box being typed is saved.
  W()->MenuItemEditarAlcabala->trigger();
  Enfocar(v->Caja("521"));
  Teclear(v->Caja("521"), QStringLiteral("4321"));
  QTest::mouseClick(W()->ToolButtonGuardarAlcabala, Qt::LeftButton);
  EXPECT_EQ(v->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(Pesos(archivo->Leer(2024, 3, QStringLiteral("Cod521"))), 4321);
  EXPECT_EQ(Calle(), QStringLiteral("Prat"));

  W()->MenuItemEditarAlcabala->trigger();
  QTest::mouseClick(W()->Paginas->Casilla(QStringLiteral("583")), Qt::LeftButton);
  Enfocar(v->Caja("06"));
  Teclear(v->Caja("06"), QStringLiteral("Bulnes"));
  Enfocar(v->Caja("09"));
  QTest::keyClick(v->Caja("09"), Qt::Key_Backspace);  // selected by Tab: empties it
  W()->MenuItemGuardarAlcabala->trigger();
  EXPECT_EQ(Calle(), QStringLiteral("Bulnes"));
  EXPECT_EQ(EscalarSql(archivo->ruta, QStringLiteral("SELECT Telefono FROM contribuyente")).toInt(), 0);
  EXPECT_EQ(archivo->Leer(2024, 3, QStringLiteral("Cod583")).toInt(), 1);
  for (QWidget* w : W()->Paginas->Controles()) EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Comandos, ElRutDe03SeGuardaConLaDeclaracion) {
  Abrir({{2024, 3}});
  W()->MenuItemEditarAlcabala->trigger();
  Enfocar(v->Caja("03"));
  Teclear(v->Caja("03"), QStringLiteral("7654321"));
  W()->MenuItemGuardarAlcabala->trigger();
  EXPECT_EQ(EscalarSql(archivo->ruta, QStringLiteral("SELECT RUT FROM contribuyente")).toInt(), 7654321);
  EXPECT_EQ(W()->ADODataSetContribuyente->Estado(), EstadoDataSet::Consulta);
  EXPECT_TRUE(W()->MenuItemContribuyente->isEnabled());
  // Cancelled with the declaration, it is dropped.
  W()->MenuItemEditarAlcabala->trigger();
  Enfocar(v->Caja("03"));
  Teclear(v->Caja("03"), QStringLiteral("1111111"));
  Enfocar(v->Caja("521"));
  W()->MenuItemEditarAlcabala->trigger();
  EXPECT_EQ(W()->ADODataSetContribuyente->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(NuloACeroEntero(W()->ADODataSetContribuyente->Valor(QStringLiteral("RUT"))), 7654321);
}

TEST_F(Comandos, UnGuardadoFallidoSigueEditandoConLoEscrito) {
  Abrir({{2024, 3}});
  W()->ADOConnectionAlcabala->PonerTiempoEspera(50);
  W()->AbrirArchivoAlcabala(archivo->ruta);
  W()->MenuItemEditarAlcabala->trigger();
  Enfocar(v->Caja("521"));
  Teclear(v->Caja("521"), QStringLiteral("2500"));
  {
    QSqlDatabase otra = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bloqueo"));
    otra.setDatabaseName(archivo->ruta);
    ASSERT_TRUE(otra.open());
    QSqlQuery bloqueo(otra);
    ASSERT_TRUE(bloqueo.exec(QStringLiteral("BEGIN IMMEDIATE")));
    W()->MenuItemGuardarAlcabala->trigger();
    ASSERT_TRUE(bloqueo.exec(QStringLiteral("ROLLBACK")));
    otra.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("bloqueo"));
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_EQ(v->Estado(), EstadoDataSet::Edicion);
  EXPECT_EQ(NuloACeroMoneda(v->Valor("521")).Pesos(), 2500);
  EXPECT_TRUE(v->Caja("521")->isEnabled());
  EXPECT_TRUE(W()->MenuItemGuardarAlcabala->isEnabled());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  W()->MenuItemGuardarAlcabala->trigger();
  EXPECT_EQ(Pesos(archivo->Leer(2024, 3, QStringLiteral("Cod521"))), 2500);
  EXPECT_FALSE(v->Caja("521")->isEnabled());
}

TEST_F(Comandos, EliminarPreguntaYRespetaElNo) {
  Abrir({{2024, 3}});
  const auto cajas = ResponderCajas(QMessageBox::No, [&] { W()->MenuItemEliminarAlcabala->trigger(); });
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].titulo, QStringLiteral("Eliminar Alcabala"));
  EXPECT_EQ(cajas[0].texto, QStringLiteral("¿Está seguro que desea eliminar este alcabala?"));
  EXPECT_EQ(cajas[0].botones, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(archivo->Cantidad(), 1);
  EXPECT_EQ(v->Mes(), 3);
}

TEST_F(Comandos, EliminarLaUnicaDejaElArchivoSinPeriodo) {
  Abrir({{2024, 3}});
  ResponderCajas(QMessageBox::Yes, [&] { W()->MenuItemEliminarAlcabala->trigger(); });
  EXPECT_EQ(archivo->Cantidad(), 0);
  EXPECT_EQ(W()->AnoActual, 0);
  EXPECT_EQ(W()->MesActual, 0);
  EXPECT_EQ(W()->Paginas->ComboBoxAno->count(), 0);
  EXPECT_EQ(W()->Paginas->ComboBoxMes->count(), 0);
  EXPECT_FALSE(W()->MenuItemEditarAlcabala->isEnabled());
  EXPECT_TRUE(W()->MenuItemCrearAlcabala->isEnabled());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(Comandos, EliminarUnaDelMedioMuestraLaUltima) {
  Abrir({{2023, 11}, {2023, 12}, {2024, 3}});
  ASSERT_TRUE(W()->ADODataSetAlcabala->Buscar(2023, 12));
  W()->AnoActual = 2023;
  W()->MesActual = 12;
  ResponderCajas(QMessageBox::Yes, [&] { W()->MenuItemEliminarAlcabala->trigger(); });
  EXPECT_EQ(archivo->Cantidad(), 2);
  EXPECT_FALSE(archivo->Leer(2023, 12, QStringLiteral("ano")).isValid());
  EXPECT_EQ(v->Ano(), 2024);
  EXPECT_EQ(v->Mes(), 3);
  EXPECT_EQ(W()->AnoActual, 2024);
  EXPECT_EQ(W()->MesActual, 3);
  EXPECT_EQ(W()->Paginas->ComboBoxAno->currentText(), QStringLiteral("2024"));
  EXPECT_EQ(W()->Paginas->ComboBoxMes->currentText(), QStringLiteral("Marzo"));
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}

TEST_F(Comandos, ContribuyenteAbreElDialogoSobreLaFila) {
  Abrir({{2024, 3}});
  bool visto = false;
  QTimer::singleShot(50, [&] {
    auto* dialogo = qobject_cast<TFormContribuyente*>(QApplication::activeModalWidget());
    visto = dialogo != nullptr && W()->ADODataSetContribuyente->Estado() == EstadoDataSet::Edicion;
    if (dialogo) dialogo->ButtonCancelar->click();
  });
  W()->MenuItemContribuyente->trigger();
  EXPECT_TRUE(visto);
  EXPECT_EQ(W()->ADODataSetContribuyente->Estado(), EstadoDataSet::Consulta);
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}
