// alcabala-cli calibrar and the offsets of alcabala-cli imprimir: saved per
// printer, shown back, refused with a message when out of range, applied to a
// PDF only when asked.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "common/cli.h"
#include "common/pdf.h"
#include "storage/conexion.h"

namespace {

using prueba::EjecutarCli;

const QString Chile = QStringLiteral("es_CL.UTF-8");
constexpr double Mm = 72 / 25.4;

}  // namespace

TEST(CalibrarCli, GuardaYMuestraPorImpresora) {
  auto r = EjecutarCli({"calibrar", "Oficina CLI", "--horizontal", "2", "--vertical", "-1,5"}, QString(), Chile);
  ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
  EXPECT_EQ(r.salida, "horizontal 2,0 mm\nvertical -1,5 mm\n");
  r = EjecutarCli({"calibrar", "Oficina CLI"});
  EXPECT_EQ(r.salida, "horizontal 2.0 mm\nvertical -1.5 mm\n");
  // One offset alone keeps the other.
  r = EjecutarCli({"calibrar", "Oficina CLI", "--vertical", "0.5"});
  EXPECT_EQ(r.salida, "horizontal 2.0 mm\nvertical 0.5 mm\n");
  EXPECT_EQ(EjecutarCli({"calibrar", "Bodega CLI"}).salida, "horizontal 0.0 mm\nvertical 0.0 mm\n");

  r = EjecutarCli({"calibrar", "Oficina CLI", "--horizontal", "20,5"}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.errores, "El desplazamiento horizontal debe estar entre -20,0 y 20,0 mm.\n");
  r = EjecutarCli({"calibrar", "Oficina CLI", "--vertical", "uno"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("«uno» no es un desplazamiento vertical")) << r.errores.toStdString();
  EXPECT_EQ(EjecutarCli({"calibrar", "Oficina CLI"}).salida, "horizontal 2.0 mm\nvertical 0.5 mm\n");

  for (const QStringList& uso : {QStringList{"calibrar"}, QStringList{"calibrar", "A", "B"},
                                 QStringList{"calibrar", "A", "--horizontal"},
                                 QStringList{"calibrar", "A", "--vertical", "1", "--vertical", "2"}}) {
    r = EjecutarCli(uso);
    EXPECT_EQ(r.codigo, 2) << uso.join(' ').toStdString();
    EXPECT_TRUE(r.errores.startsWith("Uso: alcabala-cli calibrar")) << r.errores.toStdString();
  }
}

TEST(CalibrarCli, ImprimirDesplazaElPdfSoloSiSePide) {
  QTemporaryDir carpeta;
  const QString archivo = carpeta.filePath("Empresa.alc");
  ASSERT_EQ(EjecutarCli({"nuevo", archivo}).codigo, 0);
  {
    Conexion conexion;
    conexion.Abrir(archivo);
    conexion.Ejecutar("INSERT INTO alcabalas (ano, mes, Cod502, Cod20, Cod115) VALUES (2024, 3, 12345670000, 9876500000, 0.25)");
    conexion.Cerrar();
  }
  auto dibujar = [&](const QString& nombre, const QStringList& extra) {
    const QString pdf = carpeta.filePath(nombre);
    const auto r =
        EjecutarCli(QStringList{"imprimir", archivo, "2024-03", "anverso", "--pdf", pdf} + extra, QString(), Chile);
    EXPECT_EQ(r.codigo, 0) << r.errores.toStdString();
    const auto paginas = prueba::LeerPdf(pdf);
    return paginas.isEmpty() ? QList<prueba::PalabraPdf>() : paginas.first().palabras;
  };
  const auto quieta = dibujar("quieta.pdf", {});
  const auto movida = dibujar("movida.pdf", {"--horizontal", "2", "--vertical", "-1.5"});
  const auto derecha = dibujar("derecha.pdf", {"--horizontal", "-0,5"});
  ASSERT_GE(quieta.size(), 3);
  ASSERT_EQ(movida.size(), quieta.size());
  ASSERT_EQ(derecha.size(), quieta.size());
  for (int i = 0; i < quieta.size(); ++i) {
    EXPECT_NEAR(movida.at(i).caja.left() - quieta.at(i).caja.left(), 2 * Mm, 0.02);
    EXPECT_NEAR(movida.at(i).caja.top() - quieta.at(i).caja.top(), -1.5 * Mm, 0.02);
    EXPECT_NEAR(derecha.at(i).caja.left() - quieta.at(i).caja.left(), -0.5 * Mm, 0.02);
    EXPECT_NEAR(derecha.at(i).caja.top(), quieta.at(i).caja.top(), 0.02);
  }
  // The front at its template's place: box 538 ends at 5.860 + 1.610 in.
  const auto it = std::find_if(quieta.begin(), quieta.end(), [](const auto& p) { return p.texto == "1.234.567"; });
  ASSERT_NE(it, quieta.end());
  EXPECT_NEAR(it->caja.right(), (5.860 + 1.610) * 72, 1.0);

  const auto r = EjecutarCli({"imprimir", archivo, "2024-03", "anverso", "--pdf", carpeta.filePath("no.pdf"),
                              "--vertical", "-25"}, QString(), Chile);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(r.errores.contains("entre -20,0 y 20,0 mm")) << r.errores.toStdString();
  EXPECT_FALSE(QFile::exists(carpeta.filePath("no.pdf")));
}
