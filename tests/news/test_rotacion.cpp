#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QMap>

#include "common/servidorhttp.h"
#include "news/rotacion.h"

namespace {

Image Franja(const QString& url, qint32 tiempo, const QString& enlace = QString()) {
  Image franja;
  franja.ImageUrl = url;
  franja.NavigateUrl = enlace;
  franja.Time = tiempo;
  return franja;
}

QImage Dibujo(int ancho) {
  QImage imagen(ancho, 60, QImage::Format_RGBA8888);
  imagen.fill(QColor(200, 30, 30));
  return imagen;
}

// A downloader that answers from a table and counts the requests.
struct DescargadorFalso {
  QMap<QString, QImage> imagenes;
  QMap<QString, int> pedidos;
  DescargadorPNG Funcion() {
    return [this](const QString& url) {
      ++pedidos[url];
      return imagenes.value(url);
    };
  }
};

}  // namespace

TEST(RotacionFranjas, SinFranjasSeApagaAlPrimerTick) {
  QVector<Image> franjas;
  DescargadorFalso descargador;
  RotacionFranjas rotacion(franjas, descargador.Funcion());
  const PasoFranja paso = rotacion.Tick();
  EXPECT_EQ(paso.intervalo, 0);
  EXPECT_TRUE(paso.imagen.isNull());
  EXPECT_EQ(rotacion.PosicionFranja(), -1);
  EXPECT_TRUE(rotacion.ImageFranjaClick().isEmpty());
  EXPECT_TRUE(descargador.pedidos.isEmpty());
}

TEST(RotacionFranjas, TiemposCincoTresYCeroSeQuedaEnLaTercera) {
  QVector<Image> franjas{Franja("a", 5000, "https://a.cl/"), Franja("b", 3000), Franja("c", 0, "https://c.cl/")};
  DescargadorFalso descargador;
  descargador.imagenes = {{"a", Dibujo(10)}, {"b", Dibujo(20)}, {"c", Dibujo(30)}};
  RotacionFranjas rotacion(franjas, descargador.Funcion());
  EXPECT_EQ(rotacion.PosicionFranja(), -1);
  EXPECT_TRUE(rotacion.ImageFranjaClick().isEmpty());

  PasoFranja paso = rotacion.Tick();
  EXPECT_EQ(rotacion.PosicionFranja(), 0);
  EXPECT_EQ(paso.imagen.width(), 10);
  EXPECT_TRUE(paso.cursorMano);
  EXPECT_EQ(paso.intervalo, 5000);
  EXPECT_EQ(rotacion.ImageFranjaClick(), QStringLiteral("https://a.cl/"));

  paso = rotacion.Tick();
  EXPECT_EQ(rotacion.PosicionFranja(), 1);
  EXPECT_EQ(paso.imagen.width(), 20);
  EXPECT_FALSE(paso.cursorMano);
  EXPECT_EQ(paso.intervalo, 3000);
  EXPECT_TRUE(rotacion.ImageFranjaClick().isEmpty());

  paso = rotacion.Tick();
  EXPECT_EQ(rotacion.PosicionFranja(), 2);
  EXPECT_EQ(paso.imagen.width(), 30);
  EXPECT_EQ(paso.intervalo, 0);  // the timer goes off: the third stays
  EXPECT_EQ(rotacion.ImageFranjaClick(), QStringLiteral("https://c.cl/"));
}

TEST(RotacionFranjas, VuelveALaPrimeraYNoDescargaDosVeces) {
  QVector<Image> franjas{Franja("a", 100), Franja("b", 200)};
  DescargadorFalso descargador;
  descargador.imagenes = {{"a", Dibujo(10)}, {"b", Dibujo(20)}};
  RotacionFranjas rotacion(franjas, descargador.Funcion());
  for (int i = 0; i < 5; ++i) rotacion.Tick();
  EXPECT_EQ(rotacion.PosicionFranja(), 0);
  EXPECT_EQ(descargador.pedidos.value("a"), 1);
  EXPECT_EQ(descargador.pedidos.value("b"), 1);
  EXPECT_EQ(franjas[1].Imagen.width(), 20);  // kept in the record
}

TEST(RotacionFranjas, UnaImagenFallidaSeReintentaEnLaVueltaSiguiente) {
  QVector<Image> franjas{Franja("a", 100), Franja("b", 200, "javascript:alert(1)")};
  DescargadorFalso descargador;
  descargador.imagenes = {{"a", Dibujo(10)}};
  RotacionFranjas rotacion(franjas, descargador.Funcion());
  rotacion.Tick();
  PasoFranja paso = rotacion.Tick();
  EXPECT_TRUE(paso.imagen.isNull());  // shown empty for this turn
  EXPECT_EQ(paso.intervalo, 200);     // with its own time
  EXPECT_TRUE(paso.cursorMano);
  EXPECT_TRUE(rotacion.ImageFranjaClick().isEmpty());  // not a web address: nothing opens

  descargador.imagenes["b"] = Dibujo(20);
  rotacion.Tick();
  paso = rotacion.Tick();
  EXPECT_EQ(paso.imagen.width(), 20);
  EXPECT_EQ(descargador.pedidos.value("b"), 2);
  EXPECT_EQ(descargador.pedidos.value("a"), 1);
}

TEST(RotacionFranjas, DescargaReal_IlegibleSeReintentaYLuegoSeMuestra) {
  prueba::ServidorPrueba servidor;
  const QString ruta = QStringLiteral("/f.png");
  servidor.Servir(ruta, 200, "no es png", "image/png");
  QVector<Image> franjas{Franja(servidor.UrlBase() + "f.png", 4000)};
  RotacionFranjas rotacion(franjas);  // the program's own downloader

  EXPECT_TRUE(rotacion.Tick().imagen.isNull());
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  Dibujo(468).save(&buffer, "PNG");
  servidor.Servir(ruta, 200, png, "image/png");
  const PasoFranja paso = rotacion.Tick();
  EXPECT_EQ(paso.imagen.size(), QSize(468, 60));
  EXPECT_EQ(paso.intervalo, 4000);
  rotacion.Tick();
  EXPECT_EQ(servidor.Peticiones(ruta), 2);
}

TEST(Marquee, HolaConAnchoSesenta) {
  QVector<Message> mensajes{Message{"Hola", QString()}, Message{"Chao", "https://ejemplo.cl/"}};
  Marquee marquee(mensajes);
  marquee.EstablecerAnchoMarquee(60);
  EXPECT_EQ(marquee.PosicionMensaje(), -1);
  EXPECT_TRUE(marquee.EditMarqueeClick().isEmpty());

  PasoMarquee paso = marquee.Tick();  // the starting tick
  EXPECT_TRUE(paso.seguir);
  EXPECT_EQ(paso.texto, QString(59, QLatin1Char(' ')) + "Hola");
  EXPECT_FALSE(paso.cursorMano);
  EXPECT_EQ(marquee.PosicionMensaje(), 0);
  EXPECT_TRUE(marquee.EditMarqueeClick().isEmpty());

  for (int i = 0; i < 60; ++i) paso = marquee.Tick();
  EXPECT_EQ(paso.texto, QStringLiteral("ola"));
  for (int i = 0; i < 3; ++i) paso = marquee.Tick();  // the 63rd tick after the start
  EXPECT_TRUE(paso.texto.isEmpty());
  EXPECT_EQ(marquee.PosicionMensaje(), 0);

  paso = marquee.Tick();  // the next message starts
  EXPECT_EQ(marquee.PosicionMensaje(), 1);
  EXPECT_EQ(paso.texto, QString(59, QLatin1Char(' ')) + "Chao");
  EXPECT_TRUE(paso.cursorMano);
  EXPECT_EQ(marquee.EditMarqueeClick(), QStringLiteral("https://ejemplo.cl/"));

  for (int i = 0; i < 63; ++i) marquee.Tick();
  marquee.Tick();
  EXPECT_EQ(marquee.PosicionMensaje(), 0);  // after the last, the first again
}

TEST(Marquee, AnchoCeroEmpiezaEnElBordeIzquierdo) {
  QVector<Message> mensajes{Message{"Hola", QString()}};
  Marquee marquee(mensajes);
  EXPECT_EQ(marquee.AnchoMarquee(), 0);
  EXPECT_EQ(marquee.Tick().texto, QStringLiteral("ola"));
  EXPECT_EQ(marquee.Tick().texto, QStringLiteral("la"));
  marquee.Tick();
  EXPECT_TRUE(marquee.Tick().texto.isEmpty());
  EXPECT_EQ(marquee.Tick().texto, QStringLiteral("ola"));
  marquee.EstablecerAnchoMarquee(-5);
  EXPECT_EQ(marquee.AnchoMarquee(), 0);
}

TEST(Marquee, SinMensajesSeApaga) {
  QVector<Message> mensajes;
  Marquee marquee(mensajes);
  marquee.EstablecerAnchoMarquee(60);
  const PasoMarquee paso = marquee.Tick();
  EXPECT_FALSE(paso.seguir);
  EXPECT_TRUE(paso.texto.isEmpty());
  EXPECT_EQ(marquee.PosicionMensaje(), -1);
}

TEST(Marquee, UnCaracterFueraDelPlanoBasicoSaleEntero) {
  QVector<Message> mensajes{Message{QStringLiteral("\U0001F600a"), QString()}};
  Marquee marquee(mensajes);
  marquee.EstablecerAnchoMarquee(1);
  EXPECT_EQ(marquee.Tick().texto, QStringLiteral("\U0001F600a"));
  EXPECT_EQ(marquee.Tick().texto, QStringLiteral("a"));
}
