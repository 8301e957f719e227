#include <gtest/gtest.h>

#include <QFile>

#include "common/servidorhttp.h"
#include "general/red/descarga.h"
#include "news/novedades.h"

namespace {

// Serves the feed on a test server the program points at.
class FeedEnServidor : public ::testing::Test {
 protected:
  bool Descargar(const QByteArray& feed, int estado = 200) {
    servidor_.Servir(QStringLiteral("/Alcabala.xml"), estado, feed);
    return DescargarNovedades(novedades_);
  }
  prueba::ServidorPrueba servidor_;
  prueba::UrlBaseDePrueba entorno_{servidor_.UrlBase()};
  Novedades novedades_;
};

const QByteArray FeedCompleto = R"(<?xml version="1.0" encoding="UTF-8"?>
<Alcabala>
  <Images>
    <Image>
      <ImageUrl>franja1.png</ImageUrl>
      <NavigateUrl>https://www.sii.cl/</NavigateUrl>
      <Time>5000</Time>
    </Image>
    <Otra><Time> 3000 </Time><ImageUrl>http://otro.ejemplo/b.png</ImageUrl><NavigateUrl></NavigateUrl></Otra>
    <Image><ImageUrl>img/c.png</ImageUrl><Time>0</Time></Image>
  </Images>
  <Messages>
    <Message><Text>Declaración de marzo</Text></Message>
    <M><NavigateUrl>https://www.sii.cl/utm</NavigateUrl><Text>UTM al día</Text></M>
  </Messages>
  <Images><Image><ImageUrl>ignorada.png</ImageUrl><Time>1</Time></Image></Images>
  <Messages><Message><Text>ignorado</Text></Message></Messages>
</Alcabala>
)";

}  // namespace

TEST_F(FeedEnServidor, LeeBannersYMensajesEnOrden) {
  ASSERT_TRUE(Descargar(FeedCompleto));
  ASSERT_EQ(novedades_.Franjas.size(), 3);
  const Image& primera = novedades_.Franjas[0];
  EXPECT_EQ(primera.ImageUrl, servidor_.UrlBase() + "franja1.png");  // relative to the feed
  EXPECT_EQ(primera.NavigateUrl, QStringLiteral("https://www.sii.cl/"));
  EXPECT_EQ(primera.Time, 5000);
  EXPECT_TRUE(primera.Imagen.isNull());
  EXPECT_EQ(novedades_.Franjas[1].ImageUrl, QStringLiteral("http://otro.ejemplo/b.png"));
  EXPECT_TRUE(novedades_.Franjas[1].NavigateUrl.isEmpty());
  EXPECT_EQ(novedades_.Franjas[1].Time, 3000);
  EXPECT_EQ(novedades_.Franjas[2].ImageUrl, servidor_.UrlBase() + "img/c.png");
  EXPECT_EQ(novedades_.Franjas[2].Time, 0);

  // Only the first Images and the first Messages count.
  ASSERT_EQ(novedades_.Mensajes.size(), 2);
  EXPECT_EQ(novedades_.Mensajes[0].Text, QStringLiteral("Declaración de marzo"));
  EXPECT_TRUE(novedades_.Mensajes[0].NavigateUrl.isEmpty());
  EXPECT_EQ(novedades_.Mensajes[1].Text, QStringLiteral("UTM al día"));
  EXPECT_EQ(novedades_.Mensajes[1].NavigateUrl, QStringLiteral("https://www.sii.cl/utm"));

  const auto peticion = servidor_.UltimaPeticion();
  EXPECT_EQ(peticion.ruta, QStringLiteral("/Alcabala.xml"));
  EXPECT_EQ(peticion.cacheControl, QStringLiteral("no-cache"));
}

TEST_F(FeedEnServidor, SinListasEsValidoYVacio) {
  EXPECT_TRUE(Descargar("<Alcabala/>"));
  EXPECT_TRUE(novedades_.Franjas.isEmpty());
  EXPECT_TRUE(novedades_.Mensajes.isEmpty());

  EXPECT_TRUE(Descargar("<Alcabala><Messages><a><Text>Solo mensajes</Text></a></Messages></Alcabala>"));
  EXPECT_TRUE(novedades_.Franjas.isEmpty());
  ASSERT_EQ(novedades_.Mensajes.size(), 1);

  EXPECT_TRUE(Descargar("<Alcabala><Images><a><ImageUrl>x.png</ImageUrl><Time>1</Time></a></Images></Alcabala>"));
  EXPECT_EQ(novedades_.Franjas.size(), 1);
  EXPECT_TRUE(novedades_.Mensajes.isEmpty());
}

TEST_F(FeedEnServidor, LaRaizDebeSerExactamenteAlcabala) {
  EXPECT_FALSE(Descargar("<alcabala><Messages><a><Text>x</Text></a></Messages></alcabala>"));
  EXPECT_FALSE(Descargar("<ALCABALA/>"));
  EXPECT_FALSE(Descargar("<Novedades/>"));
  EXPECT_TRUE(novedades_.Mensajes.isEmpty());
}

TEST_F(FeedEnServidor, UnFeedInvalidoCuentaComoSinFeed) {
  const QByteArray casos[] = {
      "<Alcabala><Images>",  // not well-formed
      "",
      "<Alcabala><Images><a><ImageUrl>x.png</ImageUrl></a></Images></Alcabala>",  // no Time
      "<Alcabala><Images><a><ImageUrl>x.png</ImageUrl><Time>5s</Time></a></Images></Alcabala>",
      "<Alcabala><Images><a><ImageUrl>x.png</ImageUrl><Time>1.5</Time></a></Images></Alcabala>",
      "<Alcabala><Images><a><ImageUrl>x.png</ImageUrl><Time>-100</Time></a></Images></Alcabala>",
      "<Alcabala><Images><a><ImageUrl>x.png</ImageUrl><Time></Time></a></Images></Alcabala>",
      "<Alcabala><Images><a><ImageUrl>x.png</ImageUrl><Time>99999999999</Time></a></Images></Alcabala>",
      "<Alcabala><Images><a><Time>1000</Time></a></Images></Alcabala>",  // no ImageUrl
      "<Alcabala><Messages><a><NavigateUrl>https://x.cl</NavigateUrl></a></Messages></Alcabala>",  // no Text
  };
  for (const QByteArray& feed : casos) {
    novedades_.Mensajes.append(Message{QStringLiteral("resto"), QString()});
    EXPECT_FALSE(Descargar(feed)) << feed.constData();
    EXPECT_TRUE(novedades_.Franjas.isEmpty()) << feed.constData();
    EXPECT_TRUE(novedades_.Mensajes.isEmpty()) << feed.constData();
  }
}

TEST_F(FeedEnServidor, UnFeedConEntidadesODemasiadoGrandeCuentaComoSinFeed) {
  const QByteArray mensaje = "<Alcabala><Messages><a><Text>hola</Text></a></Messages></Alcabala>";
  ASSERT_TRUE(Descargar(mensaje));
  EXPECT_FALSE(Descargar("<!DOCTYPE Alcabala [<!ENTITY t \"hola\">]>"
                         "<Alcabala><Messages><a><Text>&t;</Text></a></Messages></Alcabala>"));
  EXPECT_FALSE(Descargar(mensaje + QByteArray(TamanoMaximoXML, ' ')));
  EXPECT_TRUE(novedades_.Mensajes.isEmpty());
}

TEST_F(FeedEnServidor, SinEstado200NoHayFeed) {
  EXPECT_FALSE(Descargar("<Alcabala/>", 404));
  EXPECT_FALSE(Descargar("<Alcabala/>", 500));
  servidor_.Quitar(QStringLiteral("/Alcabala.xml"));
  EXPECT_FALSE(DescargarNovedades(novedades_));
}

TEST(DescargarNovedades, SinServidorNoHayFeed) {
  prueba::UrlBaseDePrueba entorno(QStringLiteral("http://127.0.0.1:%1/").arg(prueba::ServidorPrueba::PuertoCerrado()));
  Novedades novedades;
  EXPECT_FALSE(DescargarNovedades(novedades));
}

TEST(DescargarNovedades, ElFeedDelServidorDeDemostracionEsValido) {
  QFile archivo(QStringLiteral(ALCABALA_SOURCE_DIR "/servidor/Alcabala.xml"));
  ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
  prueba::ServidorPrueba servidor;
  prueba::UrlBaseDePrueba entorno(servidor.UrlBase());
  servidor.Servir(QStringLiteral("/Alcabala.xml"), 200, archivo.readAll());
  Novedades novedades;
  ASSERT_TRUE(DescargarNovedades(novedades));
  EXPECT_GE(novedades.Franjas.size(), 2);
  EXPECT_GE(novedades.Mensajes.size(), 2);
  for (const Image& franja : novedades.Franjas) {
    EXPECT_TRUE(franja.ImageUrl.startsWith(servidor.UrlBase())) << franja.ImageUrl.toStdString();
    EXPECT_GT(franja.Time, 0);
  }
}
