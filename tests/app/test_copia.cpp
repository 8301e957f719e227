// "&Copia en PDF..." in the main window: where it stands, when it is on, the
// file name it proposes, and the copy it writes, with the save dialog replaced.

#include <gtest/gtest.h>

#include <QMenu>

#include "common/archivos.h"
#include "app/alcabalaprueba.h"
#include "app/comandoscopia.h"
#include "common/pdf.h"

using namespace prueba;

namespace {

// Answers the save dialog with a path (empty: cancels) and notes what it proposed.
struct DialogoPrueba {
  explicit DialogoPrueba(QString respuesta) {
    EstablecerDialogoGuardarCopia([this, respuesta](QWidget*, const QString& propuesta) {
      propuestas << propuesta;
      return respuesta;
    });
  }
  ~DialogoPrueba() { EstablecerDialogoGuardarCopia({}); }
  QStringList propuestas;
};

class CopiaVentana : public ::testing::Test {
 protected:
  void SetUp() override {
    archivo.Poner(2024, 3, QStringLiteral("Cod502 = 12345670000, Cod313 = 12345678"));
    archivo.PonerContribuyente(QStringLiteral("RUT = 7654321, ApellidoPaternoRazonSocial = 'Comercial Los Andes'"));
    v = std::make_unique<VentanaPrueba>(archivo.ruta);
    ElegirMes(*v, QStringLiteral("Marzo"));
    ASSERT_EQ(v->Mes(), 3);
  }
  QByteArray Bytes() const { return prueba::BytesDeArchivo(archivo.ruta); }
  ArchivoPrueba archivo{{{2024, 1}, {2024, 3}}};
  std::unique_ptr<VentanaPrueba> v;
  QTemporaryDir salida;
};

}  // namespace

TEST_F(CopiaVentana, ComandoTrasLosDeImprimirYActivoComoEllos) {
  QAction* copia = (*v)->MenuItemCopiaAlcabala;
  ASSERT_NE(copia, nullptr);
  EXPECT_EQ(copia->text(), QStringLiteral("Copia en &PDF..."));
  EXPECT_EQ(copia->statusTip(), QStringLiteral("Guardar una copia completa de la declaración en PDF"));
  const QList<QAction*> acciones = (*v)->MenuItemAlcabala->actions();
  const int reverso = acciones.indexOf((*v)->MenuItemImprimirReversoAlcabala);
  ASSERT_GE(reverso, 0);
  EXPECT_EQ(acciones.indexOf(copia), reverso + 1);

  EXPECT_TRUE(copia->isEnabled());
  (*v)->MenuItemEditarAlcabala->trigger();  // editing: printing is off, and so is the copy
  EXPECT_EQ(copia->isEnabled(), (*v)->MenuItemImprimirAnversoAlcabala->isEnabled());
  EXPECT_FALSE(copia->isEnabled());
  (*v)->MenuItemEditarAlcabala->trigger();
  EXPECT_TRUE(copia->isEnabled());
  (*v)->MenuItemCerrarArchivo->trigger();
  EXPECT_FALSE(copia->isEnabled());
}

TEST_F(CopiaVentana, GuardaLaCopiaDondeDiceElUsuario) {
  const QByteArray antes = Bytes();
  const QString pdf = salida.filePath(QStringLiteral("copia.pdf"));
  ErroresAnotados errores;
  DialogoPrueba dialogo(pdf);
  (*v)->MenuItemCopiaAlcabala->trigger();
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
  EXPECT_EQ(dialogo.propuestas, QStringList{archivo.dir.filePath(QStringLiteral("Empresa 2024-03.pdf"))});
  const auto paginas = LeerPdf(pdf);
  ASSERT_EQ(paginas.size(), 2);
  EXPECT_FALSE(Buscar(paginas.at(0), QStringLiteral("Comercial")).isEmpty());
  EXPECT_FALSE(Buscar(paginas.at(1), QStringLiteral("12345678-5")).isEmpty());
  EXPECT_EQ(Bytes(), antes);
  EXPECT_EQ(v->Mes(), 3);
  EXPECT_TRUE((*v)->MenuItemCopiaAlcabala->isEnabled());
}

TEST_F(CopiaVentana, CancelarNoEscribeNadaYUnErrorSeMuestra) {
  ErroresAnotados errores;
  {
    DialogoPrueba dialogo{QString()};
    (*v)->MenuItemCopiaAlcabala->trigger();
  }
  EXPECT_TRUE(errores.textos.isEmpty());
  EXPECT_TRUE(QDir(salida.path()).isEmpty());
  // A folder that does not exist: the standard error box, no file.
  DialogoPrueba dialogo(salida.filePath(QStringLiteral("no/hay/copia.pdf")));
  (*v)->MenuItemCopiaAlcabala->trigger();
  ASSERT_EQ(errores.textos.size(), 1);
  EXPECT_TRUE(errores.textos.first().startsWith(QStringLiteral("No se pudo escribir «")));
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
