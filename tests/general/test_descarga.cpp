#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>

#include "common/servidorhttp.h"
#include "general/configuracion.h"
#include "general/red/descarga.h"
#include "general/errores.h"

namespace {

QByteArray ComoPNG(const QImage& imagen) {
  QByteArray datos;
  QBuffer buffer(&datos);
  buffer.open(QIODevice::WriteOnly);
  imagen.save(&buffer, "PNG");
  return datos;
}

QImage ImagenDePrueba(int ancho, int alto) {
  QImage imagen(ancho, alto, QImage::Format_ARGB32);
  imagen.fill(QColor(10, 120, 200));
  imagen.setPixelColor(0, 0, QColor(255, 0, 0));
  imagen.setPixelColor(ancho - 1, alto - 1, QColor(0, 255, 0, 128));
  return imagen;
}

}  // namespace

TEST(UrlBase, TomaElEntornoYTerminaEnBarra) {
  {
    prueba::UrlBaseDePrueba entorno(QStringLiteral("http://servidor.ejemplo:81/alcabala"));
    EXPECT_EQ(UrlBase(), QStringLiteral("http://servidor.ejemplo:81/alcabala/"));
  }
  {
    prueba::UrlBaseDePrueba entorno(QStringLiteral("http://servidor.ejemplo/"));
    EXPECT_EQ(UrlBase(), QStringLiteral("http://servidor.ejemplo/"));
  }
  {
    // Empty counts as not set: the address fixed by the build.
    prueba::UrlBaseDePrueba entorno{QString()};
    EXPECT_TRUE(UrlBase().startsWith(QStringLiteral("http")));
    EXPECT_TRUE(UrlBase().endsWith(QLatin1Char('/')));
  }
}

TEST(DescargarCuerpo, SoloElEstado200EntregaCuerpo) {
  prueba::ServidorPrueba servidor;
  servidor.Servir("/bien", 200, "contenido", "text/plain");
  servidor.Servir("/error", 500, "falla", "text/plain");
  servidor.Servir("/creado", 201, "otro", "text/plain");
  servidor.Servir("/vacio", 200, "", "text/plain");

  const auto bien = DescargarCuerpo(servidor.UrlBase() + "bien", false);
  ASSERT_TRUE(bien.has_value());
  EXPECT_EQ(*bien, QByteArray("contenido"));
  EXPECT_FALSE(DescargarCuerpo(servidor.UrlBase() + "error", false).has_value());
  EXPECT_FALSE(DescargarCuerpo(servidor.UrlBase() + "creado", false).has_value());
  EXPECT_FALSE(DescargarCuerpo(servidor.UrlBase() + "no-existe", false).has_value());
  const auto vacio = DescargarCuerpo(servidor.UrlBase() + "vacio", false);
  ASSERT_TRUE(vacio.has_value());
  EXPECT_TRUE(vacio->isEmpty());
}

TEST(DescargarCuerpo, SinServidorOConEsquemaAjenoNoEntregaNada) {
  const int puerto = prueba::ServidorPrueba::PuertoCerrado();
  EXPECT_FALSE(DescargarCuerpo(QStringLiteral("http://127.0.0.1:%1/Alcabala.xml").arg(puerto), true));
  EXPECT_FALSE(DescargarCuerpo(QStringLiteral("file:///etc/hostname"), false));
  EXPECT_FALSE(DescargarCuerpo(QString(), false));
  EXPECT_FALSE(DescargarCuerpo(QStringLiteral("franja.png"), false));
}

TEST(DescargarCuerpo, LasRedireccionesSeSiguenSoloEnElMismoServidorYPocasVeces) {
  prueba::ServidorPrueba servidor;
  prueba::ServidorPrueba otro;  // another port of the same host: another server
  servidor.Servir("/nuevo.xml", 200, "<a/>");
  otro.Servir("/nuevo.xml", 200, "<ajeno/>");
  servidor.Redirigir("/relativa", "/nuevo.xml", 301);
  servidor.Redirigir("/absoluta", servidor.UrlBase() + "nuevo.xml");
  servidor.Redirigir("/otro-puerto", otro.UrlBase() + "nuevo.xml");
  servidor.Redirigir("/otro-nombre", QStringLiteral("http://localhost:%1/nuevo.xml").arg(servidor.Puerto()));
  servidor.Redirigir("/otro-esquema", QStringLiteral("https://127.0.0.1:%1/nuevo.xml").arg(servidor.Puerto()));
  for (int i = 0; i < 6; ++i)
    servidor.Redirigir(QStringLiteral("/cadena%1").arg(i), QStringLiteral("/cadena%1").arg(i + 1), 307);
  servidor.Servir("/cadena6", 200, "<fin/>");

  EXPECT_EQ(DescargarCuerpo(servidor.UrlBase() + "relativa", false).value_or("-"), QByteArray("<a/>"));
  EXPECT_EQ(DescargarCuerpo(servidor.UrlBase() + "absoluta", false).value_or("-"), QByteArray("<a/>"));
  EXPECT_EQ(DescargarCuerpo(servidor.UrlBase() + "cadena1", false).value_or("-"), QByteArray("<fin/>"));
  for (const char* ajena : {"otro-puerto", "otro-nombre", "otro-esquema", "cadena0"}) {
    FalloDescarga fallo;
    EXPECT_FALSE(DescargarCuerpo(servidor.UrlBase() + ajena, false, &fallo)) << ajena;
    EXPECT_FALSE(fallo.motivo.isEmpty()) << ajena;
  }
  EXPECT_EQ(otro.Peticiones("/nuevo.xml"), 0);
  EXPECT_EQ(servidor.Peticiones("/cadena6"), 1);
}

TEST(DescargarCuerpo, SeAnunciaComoAlcabalaYElXMLPideCopiaFresca) {
  prueba::ServidorPrueba servidor;
  servidor.Servir("/a.xml", 200, "<a/>");
  servidor.Servir("/a.png", 200, "x", "image/png");

  ASSERT_TRUE(DescargarXML(servidor.UrlBase() + "a.xml"));
  auto peticion = servidor.UltimaPeticion();
  EXPECT_EQ(peticion.ruta, QStringLiteral("/a.xml"));
  EXPECT_EQ(peticion.agente, QStringLiteral("Alcabala"));
  EXPECT_EQ(peticion.cacheControl, QStringLiteral("no-cache"));
  EXPECT_EQ(peticion.pragma, QStringLiteral("no-cache"));

  DescargarPNG(servidor.UrlBase() + "a.png");
  peticion = servidor.UltimaPeticion();
  EXPECT_EQ(peticion.ruta, QStringLiteral("/a.png"));
  EXPECT_EQ(peticion.agente, QStringLiteral("Alcabala"));
  EXPECT_TRUE(peticion.cacheControl.isEmpty());
}

TEST(DescargarXML, LeeElArbolConLaCodificacionDeclarada) {
  prueba::ServidorPrueba servidor;
  // "Año" and "Señal" in Latin-1, as the declaration says.
  const QByteArray latin1 =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
      "<Raiz><!-- nota --><A>A\xf1o</A>texto<B/><A>Se\xf1" "al</A><C><![CDATA[x<y]]></C></Raiz>";
  servidor.Servir("/d.xml", 200, latin1);

  const DocumentoXML documento = DescargarXML(servidor.UrlBase() + "d.xml");
  ASSERT_TRUE(documento);
  EXPECT_EQ(NombreRaiz(documento.get()), QStringLiteral("Raiz"));
  const auto hijos = ElementosHijos(ElementoRaiz(documento.get()));
  ASSERT_EQ(hijos.size(), 4u);
  EXPECT_EQ(NombreElemento(hijos[0]), QStringLiteral("A"));
  EXPECT_EQ(NombreElemento(hijos[1]), QStringLiteral("B"));
  EXPECT_EQ(NombreElemento(hijos[3]), QStringLiteral("C"));
  EXPECT_EQ(TextoElemento(hijos[0]), QStringLiteral("Año"));
  EXPECT_EQ(TextoElemento(PrimerHijo(ElementoRaiz(documento.get()), "A")), QStringLiteral("Año"));
  EXPECT_EQ(TextoElemento(hijos[2]), QStringLiteral("Señal"));
  EXPECT_EQ(TextoElemento(hijos[3]), QStringLiteral("x<y"));
  EXPECT_EQ(PrimerHijo(ElementoRaiz(documento.get()), "a"), nullptr);
  EXPECT_TRUE(TextoElemento(nullptr).isEmpty());
  EXPECT_TRUE(ElementosHijos(nullptr).empty());
}

TEST(DescargarXML, SinEstado200NoHayDocumento) {
  prueba::ServidorPrueba servidor;
  servidor.Servir("/d.xml", 404, "<a/>");
  EXPECT_FALSE(DescargarXML(servidor.UrlBase() + "d.xml"));
  servidor.Servir("/d.xml", 500, "<a/>");
  EXPECT_FALSE(DescargarXML(servidor.UrlBase() + "d.xml"));
}

TEST(DescargarXML, UnCuerpoMalFormadoLevantaElMensajeDeLibxml2) {
  prueba::ServidorPrueba servidor;
  servidor.Servir("/malo.xml", 200, "<UTMs><Mes></UTMs>");
  servidor.Servir("/vacio.xml", 200, "");
  try {
    DescargarXML(servidor.UrlBase() + "malo.xml");
    FAIL() << "debió fallar";
  } catch (const ErrorAlcabala& error) {
    EXPECT_TRUE(error.Mensaje().contains(QStringLiteral("mismatch"))) << error.Mensaje().toStdString();
    EXPECT_FALSE(error.Mensaje().endsWith(QLatin1Char('\n')));
  }
  EXPECT_THROW(DescargarXML(servidor.UrlBase() + "vacio.xml"), ErrorAlcabala);
}

// The reason AnalizarXML gives for refusing a text (empty when it reads it).
QString Rechazo(const QByteArray& texto) {
  QString error;
  const DocumentoXML documento = AnalizarXML(texto, QString(), &error);
  return documento ? QString() : error;
}

TEST(LeerXML, UnaDeclaracionDeTipoDeDocumentoSeRechazaSinSustituirNada) {
  const QByteArray externa =
      "<?xml version=\"1.0\"?>\n"
      "<!DOCTYPE a [<!ENTITY ext SYSTEM \"file://" ALCABALA_SOURCE_DIR "/servidor/utm.tsv\">]>\n"
      "<a>&ext;</a>";
  const QByteArray interna =
      "<!DOCTYPE UTMs [<!ENTITY v \"60000\">]><UTMs><Mes><Monto>&v;</Monto></Mes></UTMs>";
  const QByteArray sinEntidades = "<!DOCTYPE UTMs><UTMs/>";
  for (const QByteArray& texto : {externa, interna, sinEntidades})
    EXPECT_TRUE(Rechazo(texto).contains(QStringLiteral("DOCTYPE"))) << texto.constData();
  // The same in another encoding: the parser, not a look at the bytes, finds it.
  const QString utf16 = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>") + QString::fromLatin1(interna);
  QByteArray bytes(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
  bytes.prepend("\xff\xfe");
  EXPECT_TRUE(Rechazo(bytes).contains(QStringLiteral("DOCTYPE")));
}

TEST(LeerXML, UnaEntidadEnormeNoSeExpande) {
  // One entity of 100,000 characters referenced 10,000 times: refused before
  // anything is expanded (it would take gigabytes).
  QByteArray texto = "<!DOCTYPE UTMs [<!ENTITY v \"" + QByteArray(100000, 'x') + "\">]><UTMs><Mes><Monto>";
  for (int i = 0; i < 10000; ++i) texto += "&v;";
  texto += "</Monto></Mes></UTMs>";
  EXPECT_FALSE(Rechazo(texto).isEmpty());
}

TEST(LeerXML, DocumentosDemasiadoGrandesOConDemasiadosAtributosSeRechazan) {
  EXPECT_TRUE(Rechazo("<a>" + QByteArray(TamanoMaximoXML, 'x') + "</a>").contains(QStringLiteral("grande")));
  QByteArray atributos = "<UTMs";
  for (int i = 0; i < 60000; ++i) atributos += " a" + QByteArray::number(i) + "=\"1\"";  // under the size cap
  atributos += "/>";
  EXPECT_TRUE(Rechazo(atributos).contains(QStringLiteral("atributos")));
  // The count stops at the tag: many elements with a few attributes each, an
  // "=" inside a quoted value, comments and CDATA are fine.
  QByteArray muchos = "<UTMs>";
  for (int i = 0; i < 1000; ++i) muchos += "<Mes a=\"1\" b='=='><Monto>1</Monto></Mes>";
  muchos += "<!-- = = = --><![CDATA[ = < = ]]></UTMs>";
  EXPECT_EQ(Rechazo(muchos), QString());
  QByteArray justos = "<UTMs";
  for (int i = 0; i < AtributosMaximosXML; ++i) justos += " a" + QByteArray::number(i) + "='1'";
  EXPECT_EQ(Rechazo(justos + "/>"), QString());
  EXPECT_FALSE(Rechazo(justos + " otro='1'/>").isEmpty());
}

TEST(DecodificarPNG, UnPNGRealDaSuTamanoYSusPixeles) {
  const QImage original = ImagenDePrueba(31, 7);
  const QImage leida = DecodificarPNG(ComoPNG(original));
  ASSERT_FALSE(leida.isNull());
  EXPECT_EQ(leida.size(), QSize(31, 7));
  EXPECT_EQ(leida.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(leida.pixelColor(5, 3), QColor(10, 120, 200));
  EXPECT_EQ(leida.pixelColor(30, 6), QColor(0, 255, 0, 128));
}

TEST(DecodificarPNG, LasFranjasDelServidorMiden468Por60) {
  for (const char* nombre : {"franja1.png", "franja2.png", "franja3.png"}) {
    QFile archivo(QStringLiteral(ALCABALA_SOURCE_DIR "/servidor/") + QLatin1String(nombre));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << nombre;
    EXPECT_EQ(DecodificarPNG(archivo.readAll()).size(), QSize(468, 60)) << nombre;
  }
}

TEST(DecodificarPNG, DatosQueNoSonPNGDanImagenNula) {
  EXPECT_TRUE(DecodificarPNG(QByteArray()).isNull());
  EXPECT_TRUE(DecodificarPNG("no es un png").isNull());
  QByteArray cortado = ComoPNG(ImagenDePrueba(40, 40));
  cortado.truncate(cortado.size() / 2);
  EXPECT_TRUE(DecodificarPNG(cortado).isNull());
}

TEST(DescargarPNG, DescargaYDecodificaONadaSiFalla) {
  prueba::ServidorPrueba servidor;
  servidor.Servir("/f.png", 200, ComoPNG(ImagenDePrueba(468, 60)), "image/png");
  servidor.Servir("/roto.png", 200, "<html>no</html>", "image/png");
  servidor.Servir("/falta.png", 404, ComoPNG(ImagenDePrueba(4, 4)), "image/png");
  EXPECT_EQ(DescargarPNG(servidor.UrlBase() + "f.png").size(), QSize(468, 60));
  servidor.Servir("/franja ñandú.png", 200, ComoPNG(ImagenDePrueba(5, 6)), "image/png");
  EXPECT_EQ(DescargarPNG(servidor.UrlBase() + "franja ñandú.png").size(), QSize(5, 6));
  EXPECT_TRUE(DescargarPNG(servidor.UrlBase() + "roto.png").isNull());
  EXPECT_TRUE(DescargarPNG(servidor.UrlBase() + "falta.png").isNull());
}
