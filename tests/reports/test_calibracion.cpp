// Printer calibration: the offsets typed and checked, kept per printer in
// the user's settings, and every printed element moved by exactly them; the
// test page's boxes spread over the front with a cross at each corner.

#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "common/locales.h"
#include "common/pdf.h"
#include "general/errores.h"
#include "reports/calibracion.h"
#include "reports/datos_prueba.h"
#include "reports/paginaprueba.h"
#include "reports/plantillas.h"
#include "reports/renderizador.h"

namespace {

using prueba::Chile;

QString Mensaje(const std::function<void()>& accion) {
  try {
    accion();
  } catch (const ErrorAlcabala& e) {
    return e.Mensaje();
  }
  return QString();
}

}  // namespace

TEST(Calibracion, MilimetrosConPuntoOComaYDentroDelRango) {
  EXPECT_EQ(LeerMilimetros("2", "horizontal"), 2.0);
  EXPECT_EQ(LeerMilimetros("-1,5", "vertical"), -1.5);
  EXPECT_EQ(LeerMilimetros(" 1.5 ", "vertical"), 1.5);
  EXPECT_EQ(LeerMilimetros("-20", "vertical"), -20.0);
  EXPECT_EQ(LeerMilimetros("20.0", "vertical"), 20.0);
  EXPECT_EQ(LeerMilimetros("0", "vertical"), 0.0);
  for (const char* malo : {"", "abc", "1,2,3", "1.5.", "2mm", "--1"})
    EXPECT_TRUE(Mensaje([malo] { LeerMilimetros(malo, "horizontal"); }).contains("no es un desplazamiento horizontal"))
        << malo;
  for (const char* fuera : {"20.5", "-21", "100", "1e9", "inf"})
    EXPECT_TRUE(Mensaje([fuera] { LeerMilimetros(fuera, "vertical"); }).contains("entre -20,0 y 20,0 mm")) << fuera;
  EXPECT_TRUE(Mensaje([] { LeerMilimetros("0,3", "vertical"); }).contains("de 0,5 en 0,5 mm"));
  EXPECT_EQ(TextoMilimetros(-1.5, Chile), "-1,5");
  EXPECT_EQ(TextoMilimetros(2, QLocale::c()), "2.0");
}

TEST(Calibracion, GuardadaPorImpresoraEnLaConfiguracionDelUsuario) {
  GuardarCalibracion("Oficina", {2, -1.5});
  GuardarCalibracion("HP/Bodega\\2", {-20, 20});
  EXPECT_EQ(LeerCalibracion("Oficina").Desplazamiento(), QPointF(2, -1.5));
  EXPECT_EQ(LeerCalibracion("HP/Bodega\\2").Desplazamiento(), QPointF(-20, 20));
  EXPECT_EQ(LeerCalibracion("Otra").Desplazamiento(), QPointF(0, 0));
  GuardarCalibracion("Oficina", {0.5, 0});
  EXPECT_EQ(LeerCalibracion("Oficina").Desplazamiento(), QPointF(0.5, 0));
  EXPECT_EQ(LeerCalibracion("HP/Bodega\\2").Desplazamiento(), QPointF(-20, 20));

  // Refused values change nothing.
  EXPECT_FALSE(Mensaje([] { GuardarCalibracion("Oficina", {25, 0}); }).isEmpty());
  EXPECT_FALSE(Mensaje([] { GuardarCalibracion("Oficina", {0, 0.25}); }).isEmpty());
  EXPECT_EQ(LeerCalibracion("Oficina").Desplazamiento(), QPointF(0.5, 0));

  // The file is the user's "Alcabala" settings, in the configuration folder
  // the tests point at a temporary folder.
  QSettings ajustes(QSettings::NativeFormat, QSettings::UserScope, "Alcabala", "Alcabala");
  const QString configuracion = qEnvironmentVariable("XDG_CONFIG_HOME");
  ASSERT_FALSE(configuracion.isEmpty());
  EXPECT_TRUE(ajustes.fileName().startsWith(configuracion)) << qPrintable(ajustes.fileName());
  EXPECT_EQ(ajustes.fileName(), configuracion + "/Alcabala/Alcabala.conf");

  // A value damaged by hand counts as no shift; one out of range as the limit.
  const QStringList grupos = [&] {
    ajustes.beginGroup("Calibracion");
    const QStringList g = ajustes.childGroups();
    ajustes.endGroup();
    return g;
  }();
  ASSERT_EQ(grupos.size(), 2);
  for (const QString& g : grupos) {
    ajustes.setValue("Calibracion/" + g + "/horizontal", "dos");
    ajustes.setValue("Calibracion/" + g + "/vertical", "35");
  }
  ajustes.sync();
  EXPECT_EQ(LeerCalibracion("Oficina").Desplazamiento(), QPointF(0, 20));

  // One off the step is read at the nearest step, so saving the other axis works.
  ajustes.setValue("Calibracion/Oficina/horizontal", "1.3");
  ajustes.setValue("Calibracion/Oficina/vertical", "-0.8");
  ajustes.sync();
  EXPECT_EQ(LeerCalibracion("Oficina").Desplazamiento(), QPointF(1.5, -1));
  Calibracion c = LeerCalibracion("Oficina");
  c.verticalMm = 1;
  EXPECT_TRUE(Mensaje([&] { GuardarCalibracion("Oficina", c); }).isEmpty());
  EXPECT_EQ(LeerCalibracion("Oficina").Desplazamiento(), QPointF(1.5, 1));

  // The settings are written whole like any file: no file there, no writing.
  const QString archivo = ajustes.fileName();
  ASSERT_TRUE(QFile::rename(archivo, archivo + ".guardado"));
  ASSERT_TRUE(QDir().mkdir(archivo));
  EXPECT_TRUE(Mensaje([] { GuardarCalibracion("Oficina", {1, 1}); }).startsWith("No se pudo escribir «" + archivo + "»"));
  ASSERT_TRUE(QDir().rmdir(archivo));
  ASSERT_TRUE(QFile::rename(archivo + ".guardado", archivo));
}

TEST(Calibracion, CadaElementoSeMueveExactamenteElDesplazamiento) {
  const RegistroPlano declaracion = prueba::Declaracion(
      2024, 3, {{"Cod502", prueba::Pesos(1234567)}, {"Cod20", prueba::Pesos(98765)}, {"Cod115", QVariant(0.25f)}});
  const RegistroPlano contribuyente = prueba::Contribuyente(7654321, "Comercial Los Andes");
  QTemporaryDir carpeta;
  auto dibujar = [&](const QString& nombre, QPointF mm) {
    const QString ruta = carpeta.filePath(nombre);
    QPdfWriter pdf(ruta);
    OpcionesRender opciones;
    opciones.locale = Chile;
    opciones.desplazamientoMm = mm;
    Renderizar(BuscarPlantilla(PlantillaAnverso), DatosFormulario(declaracion, contribuyente), pdf, opciones);
    return prueba::LeerPdf(ruta);
  };
  const auto quieta = dibujar("quieta.pdf", {});
  const auto movida = dibujar("movida.pdf", {2, -1.5});
  ASSERT_EQ(quieta.size(), 1);
  ASSERT_EQ(movida.size(), 1);
  const auto& a = quieta.at(0).palabras;
  const auto& b = movida.at(0).palabras;
  ASSERT_EQ(a.size(), b.size());
  ASSERT_GE(a.size(), 10);
  const double mm = 72 / 25.4;
  for (int i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a.at(i).texto, b.at(i).texto);
    EXPECT_NEAR(b.at(i).caja.left() - a.at(i).caja.left(), 2 * mm, 0.02) << qPrintable(a.at(i).texto);
    EXPECT_NEAR(b.at(i).caja.top() - a.at(i).caja.top(), -1.5 * mm, 0.02) << qPrintable(a.at(i).texto);
  }
}

TEST(PaginaPrueba, UnaDocenaDeCajasRepartidasConUnaCruzEnCadaEsquina) {
  const Plantilla& anverso = BuscarPlantilla(PlantillaAnverso);
  const QList<const Elemento*> cajas = CajasDePrueba(anverso);
  ASSERT_EQ(cajas.size(), 12);
  EXPECT_EQ(QSet<const Elemento*>(cajas.begin(), cajas.end()).size(), 12);
  // Spread: boxes in the top and bottom quarters and at both sides of the page.
  double arriba = 99, abajo = 0, izquierda = 99, derecha = 0;
  for (const Elemento* e : cajas) {
    EXPECT_EQ(e->clase, ClaseElemento::TextoDato);
    arriba = std::min(arriba, e->arriba);
    abajo = std::max(abajo, e->arriba);
    izquierda = std::min(izquierda, e->izquierda);
    derecha = std::max(derecha, e->izquierda + e->ancho);
  }
  EXPECT_LT(arriba, 2.5);
  EXPECT_GT(abajo, 10.5);
  EXPECT_LT(izquierda, 2.5);
  EXPECT_GT(derecha, 7);

  const Plantilla prueba = PlantillaPrueba(anverso, Chile);
  EXPECT_EQ(prueba.papel, anverso.papel);
  QList<const Elemento*> textos, lineas;
  for (const Elemento& e : prueba.elementos) (e.clase == ClaseElemento::Linea ? lineas : textos) << &e;
  ASSERT_EQ(textos.size(), 12);
  EXPECT_EQ(lineas.size(), 12 * 4 * 2);
  for (int i = 0; i < textos.size(); ++i) {
    EXPECT_EQ(textos.at(i)->clase, ClaseElemento::TextoFijo);
    EXPECT_FALSE(textos.at(i)->texto.isEmpty());
    EXPECT_EQ(textos.at(i)->izquierda, cajas.at(i)->izquierda);
    EXPECT_EQ(textos.at(i)->arriba, cajas.at(i)->arriba);
    // Each corner of the box is where an across and a down arm cross.
    const QRectF r = RectanguloDeCaja(*cajas.at(i));
    for (QPointF esquina : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
      int brazos = 0;
      for (const Elemento* l : lineas) {
        const QRectF linea(l->izquierda, l->arriba, l->ancho, l->alto);
        if (std::abs(linea.center().x() - esquina.x()) < 1e-9 && std::abs(linea.center().y() - esquina.y()) < 1e-9)
          ++brazos;
      }
      EXPECT_EQ(brazos, 2);
    }
  }
  // The sample amount in the user's notation.
  bool monto = false;
  for (const Elemento* t : textos) monto = monto || t->texto == "1.234.567";
  EXPECT_TRUE(monto);
}
