// "Casillas para el &SII...": placed and enabled like the print commands, it
// previews the declaration's boxes through the report layer.

#include <gtest/gtest.h>

#include <QMenu>
#include <QPrintPreviewDialog>
#include <QSet>

#include "app/alcabalaprueba.h"
#include "app/controles/impresion.h"
#include "common/erroresanotados.h"

using namespace prueba;

TEST(CasillasVentana, EnElMenuAlcabalaActivoComoImprimirYConSuVistaPrevia) {
  ErroresAnotados errores;
  ArchivoPrueba archivo({{2026, 3}});
  archivo.Poner(2026, 3, QStringLiteral("Cod502 = 10000000, Cod764 = 20000000"));
  VentanaPrueba v(archivo.ruta);
  QAction* casillas = v->MenuItemCasillasSii;
  ASSERT_NE(casillas, nullptr);
  EXPECT_EQ(casillas->text(), QStringLiteral("Casillas para el &SII..."));
  // No sibling of the menu shares its accelerator letter.
  QSet<QChar> letras;
  for (QAction* a : v->MenuItemAlcabala->actions()) {
    const int i = a->text().indexOf(QLatin1Char('&'));
    if (a != casillas && i >= 0) letras.insert(a->text().at(i + 1).toUpper());
  }
  EXPECT_FALSE(letras.contains(QLatin1Char('S')));
  const QList<QAction*> acciones = v->MenuItemAlcabala->actions();
  EXPECT_EQ(acciones.indexOf(casillas), acciones.indexOf(v->MenuItemCopiaAlcabala) + 1);

  EXPECT_TRUE(casillas->isEnabled());
  v->MenuItemEditarAlcabala->trigger();
  EXPECT_EQ(casillas->isEnabled(), v->MenuItemImprimirAnversoAlcabala->isEnabled());
  EXPECT_FALSE(casillas->isEnabled());
  v->MenuItemEditarAlcabala->trigger();
  ASSERT_TRUE(casillas->isEnabled());

  QStringList titulos;
  EstablecerEntornoImpresion({{}, {}, [&titulos](QPrintPreviewDialog& vista) { titulos << vista.windowTitle(); }});
  casillas->trigger();
  EstablecerEntornoImpresion({});
  EXPECT_EQ(titulos, QStringList{QStringLiteral("CASILLAS PARA EL SII - MARZO 2026")});
  EXPECT_TRUE(errores.textos.isEmpty()) << qPrintable(errores.textos.join('\n'));
}
