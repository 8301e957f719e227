#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QWidget>
#include <stdexcept>

#include "common/cajamodal.h"
#include "common/erroresanotados.h"
#include "app/controles/comando.h"
#include "general/errores.h"

namespace {

// Records the texts of the standard error box instead of showing it, and
// the override cursor in effect when the box would show.
class CajasRegistradas : public ::testing::Test {
 protected:
  void TearDown() override {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
  prueba::ErroresAnotados errores;
  const QStringList& textos = errores.textos;
  const std::vector<bool>& cursorAlMostrar = errores.cursorAlMostrar;
};

TEST_F(CajasRegistradas, UnComandoSinErrorNoMuestraCaja) {
  bool corrio = false;
  EXPECT_TRUE(EjecutarComando(nullptr, [&] { corrio = true; }));
  EXPECT_TRUE(corrio);
  EXPECT_TRUE(textos.empty());
}

TEST_F(CajasRegistradas, ElTextoLlevaPuntoSoloCuandoSuUltimoCaracterVaDespuesDelPunto) {
  auto falla = [](const QString& mensaje) { return [mensaje] { throw ErrorAlcabala(mensaje); }; };
  EXPECT_FALSE(EjecutarComando(nullptr, falla("no such table: alcabalas")));
  EjecutarComando(nullptr, falla("Archivo dañado."));
  EjecutarComando(nullptr, falla("¿Existe el archivo?"));  // '?' sorts after '.'
  EjecutarComando(nullptr, falla("error (código 5)"));     // ')' sorts before '.'
  EjecutarComando(nullptr, falla("valor -"));              // '-' sorts before '.'
  ASSERT_EQ(textos.size(), 5);
  EXPECT_EQ(textos[0], "no such table: alcabalas.");
  EXPECT_EQ(textos[1], "Archivo dañado.");
  EXPECT_EQ(textos[2], "¿Existe el archivo?.");
  EXPECT_EQ(textos[3], "error (código 5)");
  EXPECT_EQ(textos[4], "valor -");
}

TEST_F(CajasRegistradas, MuestraElTextoDeCualquierExcepcion) {
  EjecutarComando(nullptr, [] { throw std::runtime_error("database is locked"); });
  EjecutarComando(nullptr, [] { throw 42; });
  ASSERT_EQ(textos.size(), 2);
  EXPECT_EQ(textos[0], "database is locked.");
  EXPECT_EQ(textos[1], "Se produjo un error inesperado.");
}

TEST_F(CajasRegistradas, ElCursorNormalVuelveAntesDeLaCajaYDespues) {
  EjecutarComando(nullptr, [] {
    CursorOcupado cursor;
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    throw ErrorAlcabala("Falla");
  });
  ASSERT_EQ(cursorAlMostrar.size(), 1u);
  EXPECT_FALSE(cursorAlMostrar[0]);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CajasRegistradas, CursorOcupadoRestauraUnaSolaVez) {
  {
    CursorOcupado externo;
    {
      CursorOcupado interno;
      interno.Restaurar();
      interno.Restaurar();
      ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);  // the outer one still holds
    }
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CajasRegistradas, UnaAccionConectadaNoDejaEscaparElError) {
  QWidget ventana;
  QAction accion(&ventana);
  ConectarComando(&accion, &ventana, [] { throw ErrorAlcabala("Sin archivo"); });
  accion.trigger();  // must not throw through Qt
  ASSERT_EQ(textos.size(), 1);
  EXPECT_EQ(textos[0], "Sin archivo.");
}

TEST(CajaDeError, EsLaCajaEstandarDeAlcabala) {
  EstablecerPresentadorError({});
  const auto cajas = prueba::ResponderCajas(
      [] { EjecutarComando(nullptr, [] { throw ErrorAlcabala("file is not a database"); }); });
  ASSERT_EQ(cajas.size(), 1u);
  EXPECT_EQ(cajas[0].titulo, "Alcabala");
  EXPECT_EQ(cajas[0].texto, "file is not a database.");
  EXPECT_EQ(cajas[0].icono, QMessageBox::Critical);
  EXPECT_EQ(cajas[0].botones, QMessageBox::StandardButtons(QMessageBox::Ok));
}

}  // namespace

// A guard whose putting back fails, as the data-set guards may.
struct GuardaQueFalla {
  QString mensaje;
  ~GuardaQueFalla() {
    RestaurarSinLanzar([this] { throw ErrorAlcabala(mensaje); });
  }
};

TEST_F(CajasRegistradas, UnaRestauracionFallidaEsElErrorDelComando) {
  EXPECT_FALSE(EjecutarComando(nullptr, [] { GuardaQueFalla guarda{QStringLiteral("no se pudo volver")}; }));
  EXPECT_EQ(textos, QStringList{QStringLiteral("no se pudo volver.")});
  // Reported once: the next command starts clean.
  EXPECT_TRUE(EjecutarComando(nullptr, [] {}));
  EXPECT_EQ(textos.size(), 1);
}

TEST_F(CajasRegistradas, ElPrimerErrorEsElQueSeMuestra) {
  // The restoring fails while the command's error is on its way: that one is shown.
  EXPECT_FALSE(EjecutarComando(nullptr, [] {
    GuardaQueFalla guarda{QStringLiteral("segundo")};
    throw ErrorAlcabala(QStringLiteral("primero"));
  }));
  // The restoring failed first, the command went on and failed later.
  EXPECT_FALSE(EjecutarComando(nullptr, [] {
    { GuardaQueFalla guarda{QStringLiteral("primero")}; }
    { GuardaQueFalla guarda{QStringLiteral("segundo")}; }
    throw ErrorAlcabala(QStringLiteral("tercero"));
  }));
  EXPECT_EQ(textos, (QStringList{QStringLiteral("primero."), QStringLiteral("primero.")}));
}
