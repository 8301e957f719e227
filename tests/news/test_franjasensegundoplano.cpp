#include <gtest/gtest.h>

#include <QColor>
#include <QSignalSpy>
#include <QTest>
#include <atomic>
#include <future>

#include "news/franjasensegundoplano.h"

namespace {

QImage Dibujo() {
  QImage imagen(468, 60, QImage::Format_RGBA8888);
  imagen.fill(QColor(20, 90, 200));
  return imagen;
}

// A download that waits until the test lets it end, with the answer given.
struct DescargaRetenida {
  std::promise<QImage> respuesta;
  std::shared_future<QImage> futuro = respuesta.get_future().share();
  std::atomic<int> pedidos{0};
  DescargadorPNG Funcion() {
    return [this](const QString&) {
      ++pedidos;
      return futuro.get();
    };
  }
};

}  // namespace

TEST(FranjasEnSegundoPlano, PedirNoEsperaLaDescarga) {
  DescargaRetenida descarga;
  FranjasEnSegundoPlano franjas(descarga.Funcion());
  QSignalSpy terminadas(&franjas, &FranjasEnSegundoPlano::Terminada);
  const DescargadorPNG pedir = franjas.Descargador();
  // The download has not ended, and yet the request answers.
  EXPECT_TRUE(pedir("http://127.0.0.1/franja.png").isNull());
  EXPECT_EQ(franjas.EnCurso(), 1);
  // Asked again meanwhile: no second download.
  EXPECT_TRUE(pedir("http://127.0.0.1/franja.png").isNull());
  descarga.respuesta.set_value(Dibujo());
  ASSERT_TRUE(terminadas.wait(5000));
  EXPECT_EQ(descarga.pedidos.load(), 1);
  EXPECT_EQ(terminadas.at(0).at(0).toString(), "http://127.0.0.1/franja.png");
  EXPECT_EQ(terminadas.at(0).at(1).value<QImage>().size(), QSize(468, 60));
  EXPECT_EQ(franjas.EnCurso(), 0);
  // The picture that arrived is kept: later turns fetch nothing.
  EXPECT_EQ(pedir("http://127.0.0.1/franja.png").size(), QSize(468, 60));
  EXPECT_EQ(descarga.pedidos.load(), 1);
}

TEST(FranjasEnSegundoPlano, UnaDescargaFallidaSeIntentaOtraVez) {
  std::atomic<int> pedidos{0};
  FranjasEnSegundoPlano franjas([&pedidos](const QString&) {
    ++pedidos;
    return QImage();
  });
  QSignalSpy terminadas(&franjas, &FranjasEnSegundoPlano::Terminada);
  const DescargadorPNG pedir = franjas.Descargador();
  EXPECT_TRUE(pedir("http://127.0.0.1/falta.png").isNull());
  ASSERT_TRUE(terminadas.wait(5000));
  EXPECT_TRUE(terminadas.at(0).at(1).value<QImage>().isNull());
  EXPECT_TRUE(pedir("http://127.0.0.1/falta.png").isNull());
  ASSERT_TRUE(terminadas.wait(5000));
  EXPECT_EQ(pedidos.load(), 2);
}

TEST(FranjasEnSegundoPlano, UnResultadoTardioNoLlegaAUnObjetoDestruido) {
  DescargaRetenida descarga;
  {
    FranjasEnSegundoPlano franjas(descarga.Funcion());
    franjas.Descargador()("http://127.0.0.1/lenta.png");
  }
  // The worker ends with no one to hand the picture to: nothing is posted
  // to the destroyed object (a sanitizer build would see it).
  descarga.respuesta.set_value(Dibujo());
  for (int i = 0; i < 100 && descarga.pedidos.load() == 0; ++i) QTest::qWait(10);
  EXPECT_EQ(descarga.pedidos.load(), 1);
  QTest::qWait(50);
}
