// The period dialog of "&Crear" and the taxpayer dialog, driven as a user
// drives them, on real data files.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>
#include <memory>
#include <vector>

#include "app/controles/cajas.h"
#include "app/controles/comando.h"
#include "declarations/catalogo/catalogo.h"
#include "dialogs/formcrearalcabala.h"
#include "dialogs/formcontribuyente.h"
#include "general/errores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/dataset.h"

namespace {

const QLocale kChile(QLocale::Spanish, QLocale::Chile);

// Shows a dialog modally with `abrir` and runs `dentro` once it is on screen.
// A dialog still open afterwards is rejected, so a failing test cannot hang.
int Modal(QDialog& dialogo, const std::function<int()>& abrir, const std::function<void()>& dentro) {
  QTimer::singleShot(0, &dialogo, [&dialogo, dentro] {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialogo));
    dentro();
    if (dialogo.isVisible()) QTimer::singleShot(0, &dialogo, [&dialogo] { dialogo.QDialog::reject(); });
  });
  return abrir();
}

class ArchivoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(carpeta.isValid());
    ruta = carpeta.filePath(QStringLiteral("Empresa.alc"));
    CrearArchivoAlcabala(ruta);
    conexion.PonerTiempoEspera(100);
    AbrirArchivoAlcabala(conexion, ruta);
    EstablecerPresentadorError([this](QWidget*, const QString& texto) { errores.push_back(texto); });
  }
  void TearDown() override { EstablecerPresentadorError({}); }

  void Insertar(int ano, int mes) {
    conexion.Ejecutar(QStringLiteral("INSERT INTO alcabalas (ano, mes) VALUES (?, ?)"), {ano, mes});
  }
  QString Columna(const QString& columna) {
    return conexion.ValorEscalar(QStringLiteral("SELECT %1 FROM contribuyente").arg(columna)).toString().trimmed();
  }

  QTemporaryDir carpeta;
  QString ruta;
  Conexion conexion;
  std::vector<QString> errores;
};

// --- The period dialog ---------------------------------------------------------------------

class PeriodoTest : public ArchivoTest {
 protected:
  void SetUp() override {
    ArchivoTest::SetUp();
    dialogo.PonerConexion(&conexion);
    dialogo.PonerReloj([] { return QDate(2024, 7, 15); });
  }
  // Shows the dialog (running its proposal) and hides it again.
  void Mostrar() {
    dialogo.show();
    dialogo.hide();
  }
  TFormCrearAlcabala dialogo;
};

TEST_F(PeriodoTest, ArchivoVacioProponeElMesDeHoy) {
  Mostrar();
  EXPECT_EQ(dialogo.EditAno->text(), "2024");
  EXPECT_EQ(dialogo.ComboBoxMes->currentText(), "Julio");
  EXPECT_TRUE(errores.empty());
}

TEST_F(PeriodoTest, ProponeElMesSiguienteCadaVezQueSeMuestra) {
  Insertar(2009, 11);
  Insertar(2009, 12);
  Mostrar();
  EXPECT_EQ(dialogo.EditAno->text(), "2010");
  EXPECT_EQ(dialogo.ComboBoxMes->currentText(), "Enero");
  // The user changes the proposal and cancels; the next showing proposes again.
  dialogo.EditAno->setText(QStringLiteral("1999"));
  Insertar(2010, 1);
  Mostrar();
  EXPECT_EQ(dialogo.EditAno->text(), "2010");
  EXPECT_EQ(dialogo.ComboBoxMes->currentText(), "Febrero");
}

TEST_F(PeriodoTest, SinArchivoAbiertoProponeHoy) {
  conexion.Cerrar();
  Mostrar();
  EXPECT_EQ(dialogo.EditAno->text(), "2024");
  EXPECT_EQ(dialogo.ComboBoxMes->currentText(), "Julio");
}

TEST_F(PeriodoTest, CrearDevuelveElPeriodoElegido) {
  const int resultado = Modal(dialogo, [this] { return dialogo.exec(); }, [this] {
    dialogo.EditAno->setText(QStringLiteral("2011"));
    dialogo.ComboBoxMes->setCurrentIndex(2);
    QTest::keyClick(dialogo.EditAno, Qt::Key_Return);  // the default button
  });
  EXPECT_EQ(resultado, QDialog::Accepted);
  EXPECT_EQ(dialogo.Ano(), 2011);
  EXPECT_EQ(dialogo.Mes(), 3);
}

TEST_F(PeriodoTest, CancelarYEscapeDevuelvenRechazo) {
  EXPECT_EQ(Modal(dialogo, [this] { return dialogo.exec(); }, [this] { dialogo.ButtonCancelar->click(); }),
            QDialog::Rejected);
  EXPECT_EQ(Modal(dialogo, [this] { return dialogo.exec(); },
                  [this] { QTest::keyClick(dialogo.EditAno, Qt::Key_Escape); }),
            QDialog::Rejected);
}

TEST_F(PeriodoTest, UnAnoQueNoEsNumeroDaElMensajeDelTexto) {
  dialogo.EditAno->setText(QStringLiteral("20x4"));
  try {
    dialogo.Ano();
    FAIL() << "no error";
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), "'20x4' is not a valid integer value");
  }
}

// --- The taxpayer dialog -------------------------------------------------------------------

class ContribuyenteTest : public ArchivoTest {
 protected:
  void SetUp() override {
    ArchivoTest::SetUp();
    datos = std::make_unique<DataSet>(&conexion, QStringLiteral("contribuyente"), false);
    datos->DefinirCalculados(CamposCalculadosContribuyente(), ADODataSetContribuyenteCalcFields);
    datos->Abrir();
    dialogo = std::make_unique<TFormContribuyente>(datos.get(), kChile);
  }
  void TearDown() override {
    dialogo.reset();
    ArchivoTest::TearDown();
  }
  int Editar(const std::function<void()>& dentro) {
    return Modal(*dialogo, [this] { return dialogo->Editar(*datos); }, dentro);
  }
  // Focuses a box, selects its text and types over it.
  static void Teclear(QLineEdit* caja, const QString& texto) {
    caja->setFocus(Qt::OtherFocusReason);
    caja->selectAll();
    for (const QChar c : texto) {
      if (c.unicode() < 128) {
        QTest::keyClick(caja, c.toLatin1());
      } else {  // letters such as "ñ" have no key of their own in QTest
        QTest::sendKeyEvent(QTest::Press, caja, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, caja, Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
  }

  std::unique_ptr<DataSet> datos;
  std::unique_ptr<TFormContribuyente> dialogo;
};

TEST_F(ContribuyenteTest, LasListasSonLasDeLasCasillasDelFormulario) {
  // The dialog's region and area-code lists offer what the form's boxes bound
  // to the same taxpayer columns offer, in the same order.
  for (const auto& [lista, columna] : {std::pair{static_cast<QComboBox*>(dialogo->DBComboBoxRegion), "region"},
                                       std::pair{static_cast<QComboBox*>(dialogo->DBComboBoxCodigoAreaTelefono),
                                                 "CodigoAreaTelefono"}}) {
    QStringList esperadas;
    for (const Caja& caja : Catalogo())
      if (caja.campoContribuyente == QLatin1String(columna))
        for (int item : caja.items) esperadas << QString::number(item);
    ASSERT_FALSE(esperadas.isEmpty()) << columna;
    QStringList ofrecidas;
    for (int i = 0; i < lista->count(); ++i) ofrecidas << lista->itemText(i);
    EXPECT_EQ(ofrecidas, esperadas) << columna;
  }
}

TEST_F(ContribuyenteTest, MuestraLaFilaDelArchivoNuevo) {
  EXPECT_EQ(dialogo->DBEditApellidoPaternoRazonSocial->text(), "Empresa");
  EXPECT_EQ(dialogo->DBComboBoxRegion->currentText(), "9");
  EXPECT_EQ(dialogo->DBComboBoxCodigoAreaTelefono->currentText(), "45");
  EXPECT_EQ(dialogo->DBEditComunaPostal->text(), "Temuco");
  EXPECT_EQ(dialogo->DBEditRUT->text(), "");  // RUT 0 shows empty
}

TEST_F(ContribuyenteTest, GuardarEscribeLaFilaYCierra) {
  const int resultado = Editar([this] {
    EXPECT_EQ(datos->Estado(), EstadoDataSet::Edicion);
    Teclear(dialogo->DBEditApellidoPaternoRazonSocial, QStringLiteral("Comercial Ñuble Ltda."));
    Teclear(dialogo->DBEditRUT, QStringLiteral("12345678"));
    dialogo->DBComboBoxRegion->setFocus();
    dialogo->DBComboBoxRegion->activated(5);  // region 13
    Teclear(dialogo->DBEditTelefono, QStringLiteral("2214567"));
    dialogo->ButtonGuardar->click();
  });
  EXPECT_EQ(resultado, QDialog::Accepted);
  EXPECT_EQ(datos->Estado(), EstadoDataSet::Consulta);
  EXPECT_TRUE(errores.empty()) << errores.front().toStdString();
  EXPECT_EQ(Columna("ApellidoPaternoRazonSocial"), "Comercial Ñuble Ltda.");
  EXPECT_EQ(Columna("RUT"), "12345678");
  EXPECT_EQ(Columna("region"), "13");
  EXPECT_EQ(Columna("telefono"), "2214567");
  // Shown with its check digit once saved; the printed name follows.
  EXPECT_EQ(dialogo->DBEditRUT->text(), "12345678-5");
  EXPECT_EQ(datos->Valor("nombre").toString().trimmed(), "Comercial Ñuble Ltda.");
}

TEST_F(ContribuyenteTest, EnterEnUnaCajaDeRutGuarda) {
  const int resultado = Editar([this] {
    Teclear(dialogo->DBEditRUTContador, QStringLiteral("7654321"));
    QTest::keyClick(dialogo->DBEditRUTContador, Qt::Key_Return);
  });
  EXPECT_EQ(resultado, QDialog::Accepted);
  EXPECT_EQ(Columna("RUTContador"), "7654321");
}

TEST_F(ContribuyenteTest, CancelarDescartaLosCambios) {
  const int resultado = Editar([this] {
    Teclear(dialogo->DBEditApellidoPaternoRazonSocial, QStringLiteral("Otro Nombre"));
    Teclear(dialogo->DBEditComuna, QStringLiteral("Osorno"));
    dialogo->ButtonCancelar->click();
  });
  EXPECT_EQ(resultado, QDialog::Rejected);
  EXPECT_EQ(datos->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(Columna("ApellidoPaternoRazonSocial"), "Empresa");
  EXPECT_EQ(datos->Valor("ApellidoPaternoRazonSocial").toString().trimmed(), "Empresa");
  EXPECT_EQ(dialogo->DBEditApellidoPaternoRazonSocial->text(), "Empresa");
  EXPECT_EQ(dialogo->DBEditComuna->text(), "Temuco");
}

TEST_F(ContribuyenteTest, EscapeYLaCajaDeCierreCancelanComoCancelar) {
  EXPECT_EQ(Editar([this] {
              Teclear(dialogo->DBEditRUT, QStringLiteral("111"));
              QTest::keyClick(dialogo->DBEditRUT, Qt::Key_Escape);
            }),
            QDialog::Rejected);
  EXPECT_EQ(datos->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(Columna("RUT"), "0");

  EXPECT_EQ(Editar([this] {
              Teclear(dialogo->DBEditNombres, QStringLiteral("Ana"));
              dialogo->close();  // the window's close box
            }),
            QDialog::Rejected);
  EXPECT_EQ(datos->Estado(), EstadoDataSet::Consulta);
  EXPECT_EQ(Columna("nombres"), "");
  EXPECT_EQ(dialogo->DBEditNombres->text(), "");
}

TEST_F(ContribuyenteTest, LasCajasDeRutYTelefonoSoloTomanDigitos) {
  Editar([this] {
    for (QLineEdit* caja : {static_cast<QLineEdit*>(dialogo->DBEditRUT), static_cast<QLineEdit*>(dialogo->DBEditFax),
                            static_cast<QLineEdit*>(dialogo->DBEditTelefonoCelular),
                            static_cast<QLineEdit*>(dialogo->DBEditRUTRepresentanteLegal)}) {
      Teclear(caja, QStringLiteral("12a-3.b4 "));
      EXPECT_EQ(caja->text(), "1234") << caja->objectName().toStdString();
      QTest::keyClick(caja, Qt::Key_Backspace);
      EXPECT_EQ(caja->text(), "123") << caja->objectName().toStdString();
    }
    // The limits hold while typing.
    Teclear(dialogo->DBEditRUT, QStringLiteral("1234567890123"));
    EXPECT_EQ(dialogo->DBEditRUT->text(), "123456789");
    Teclear(dialogo->DBEditTelefono, QString(25, QLatin1Char('5')));
    EXPECT_EQ(dialogo->DBEditTelefono->text().size(), 20);
    // Texts take any character.
    Teclear(dialogo->DBEditCalle, QStringLiteral("Pérez 12-B"));
    EXPECT_EQ(dialogo->DBEditCalle->text(), "Pérez 12-B");
    dialogo->ButtonCancelar->click();
  });
}

TEST_F(ContribuyenteTest, UnTelefonoDemasiadoGrandeDejaElDialogoAbiertoConLoTecleado) {
  bool abiertoTrasError = false;
  const int resultado = Editar([this, &abiertoTrasError] {
    Teclear(dialogo->DBEditNombres, QStringLiteral("Ana María"));
    dialogo->PageControlContribuyente->setCurrentIndex(1);
    Teclear(dialogo->DBEditTelefono, QStringLiteral("99999999999"));
    dialogo->ButtonGuardar->click();
    ASSERT_EQ(errores.size(), 1u);
    EXPECT_TRUE(errores[0].contains(QStringLiteral("no cabe"))) << errores[0].toStdString();
    abiertoTrasError = dialogo->isVisible();
    EXPECT_EQ(datos->Estado(), EstadoDataSet::Edicion);
    EXPECT_EQ(dialogo->DBEditTelefono->text(), "99999999999");
    EXPECT_EQ(dialogo->DBEditNombres->text(), "Ana María");
    EXPECT_EQ(dialogo->PageControlContribuyente->currentIndex(), 1);  // the box is shown
    EXPECT_TRUE(dialogo->DBEditTelefono->hasFocus());
    // The user mends the number and saves.
    Teclear(dialogo->DBEditTelefono, QStringLiteral("2147483647"));
    dialogo->ButtonGuardar->click();
  });
  EXPECT_TRUE(abiertoTrasError);
  EXPECT_EQ(resultado, QDialog::Accepted);
  EXPECT_EQ(errores.size(), 1u);
  EXPECT_EQ(Columna("telefono"), "2147483647");
  EXPECT_EQ(Columna("nombres"), "Ana María");
}

TEST_F(ContribuyenteTest, UnGuardadoFallidoDejaElDialogoAbierto) {
  bool abierto = false;
  Editar([this, &abierto] {
    Teclear(dialogo->DBEditActividad, QStringLiteral("Comercio"));
    // Another program holds the file's write lock: the post fails.
    QSqlDatabase otra = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bloqueo"));
    otra.setDatabaseName(ruta);
    ASSERT_TRUE(otra.open());
    {
      QSqlQuery bloqueo(otra);
      ASSERT_TRUE(bloqueo.exec(QStringLiteral("BEGIN IMMEDIATE")));
      dialogo->ButtonGuardar->click();
      abierto = dialogo->isVisible();
      EXPECT_EQ(errores.size(), 1u);
      EXPECT_EQ(datos->Estado(), EstadoDataSet::Edicion);
      EXPECT_EQ(dialogo->DBEditActividad->text(), "Comercio");
      bloqueo.exec(QStringLiteral("ROLLBACK"));
    }
    otra.close();
    // Once the file is free, saving again works.
    dialogo->ButtonGuardar->click();
  });
  QSqlDatabase::removeDatabase(QStringLiteral("bloqueo"));
  EXPECT_TRUE(abierto);
  EXPECT_EQ(Columna("actividad"), "Comercio");
}

TEST_F(ContribuyenteTest, LaPrimeraVezMuestraDireccionYLuegoLaUltimaPagina) {
  Editar([this] {
    EXPECT_EQ(dialogo->PageControlContribuyente->currentIndex(), 0);
    dialogo->PageControlContribuyente->setCurrentIndex(3);
    dialogo->ButtonCancelar->click();
  });
  Editar([this] {
    EXPECT_EQ(dialogo->PageControlContribuyente->currentIndex(), 3);
    dialogo->ButtonCancelar->click();
  });
}

TEST_F(ContribuyenteTest, SinFilaQueEditarNoSeAbre) {
  datos->Cerrar();
  conexion.Cerrar();
  EXPECT_ANY_THROW(dialogo->Editar(*datos));
  EXPECT_FALSE(dialogo->isVisible());
}

}  // namespace
