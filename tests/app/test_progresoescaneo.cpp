#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/progresoescaneo.h"
#include "reports/tablaempresas.h"
#include "storage/archivo.h"

namespace {

QString TextoVisible(VentanaProgresoEscaneo& ventana) { return ventana.findChild<QLabel*>()->text(); }

TEST(VentanaProgresoEscaneoTest, NoApareceEnUnEscaneoBreve) {
  VentanaProgresoEscaneo ventana(nullptr, 60000);
  EXPECT_TRUE(ventana.Avanzar(0, 800));
  EXPECT_TRUE(ventana.Avanzar(799, 800));
  EXPECT_FALSE(ventana.isVisible());
}

TEST(VentanaProgresoEscaneoTest, CuentaLosArchivosYCancelaConElBoton) {
  VentanaProgresoEscaneo ventana(nullptr, 0);
  EXPECT_TRUE(ventana.Avanzar(119, 800));
  EXPECT_TRUE(ventana.isVisible());
  EXPECT_TRUE(ventana.isModal());
  EXPECT_EQ(ventana.windowTitle(), "Alcabala");
  EXPECT_EQ(TextoVisible(ventana), "Leyendo archivo 120 de 800");
  auto* boton = ventana.findChild<QPushButton*>("ButtonCancelar");
  ASSERT_NE(boton, nullptr);
  EXPECT_EQ(boton->text(), "Cancelar");
  QTest::mouseClick(boton, Qt::LeftButton);
  EXPECT_TRUE(ventana.Cancelado());
  EXPECT_FALSE(ventana.Avanzar(120, 800));
}

TEST(VentanaProgresoEscaneoTest, EscapeTambienCancela) {
  VentanaProgresoEscaneo ventana(nullptr, 0);
  ASSERT_TRUE(ventana.Avanzar(0, 3));
  QTest::keyClick(&ventana, Qt::Key_Escape);
  EXPECT_FALSE(ventana.Avanzar(1, 3));
  EXPECT_EQ(VentanaProgresoEscaneo::TextoProgreso(3, 3), "Leyendo archivo 3 de 3");
}

TEST(VentanaProgresoEscaneoTest, CancelarTerminaElEscaneoConLaTablaVacia) {
  QTemporaryDir carpeta;
  for (const char* nombre : {"a.alc", "b.alc", "c.alc"}) CrearArchivoAlcabala(carpeta.filePath(nombre));
  TablaEmpresas tabla(QLocale(QLocale::Spanish, QLocale::Chile));
  UsoTablaEmpresas uso(tabla);
  VentanaProgresoEscaneo ventana(nullptr, 0);
  const AvisoProgreso aviso = [&](int leidos, int total) {
    if (leidos == 2) ventana.findChild<QPushButton*>("ButtonCancelar")->click();  // the user, mid-scan
    return ventana.Avanzar(leidos, total);
  };
  EXPECT_FALSE(CopiarAlcabalas(tabla, {2024, 3, ClaseInforme::Todas, {carpeta.path()}}, aviso));
  EXPECT_TRUE(tabla.ClientDataSetAlcabalas().EstaVacio());
}

}  // namespace
