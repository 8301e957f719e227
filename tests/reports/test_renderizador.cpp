#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "common/locales.h"
#include "common/pdf.h"
#include "declarations/catalogo/catalogo.h"
#include "reports/datos_prueba.h"
#include "reports/plantillas.h"
#include "reports/renderizador.h"

using prueba::Contribuyente;
using prueba::Declaracion;
using prueba::Pesos;

namespace {

using prueba::Chile;
using prueba::EEUU;

// The text placed for a field of a template, with its box.
struct Colocado {
  QString texto;
  QRectF caja;
  bool encontrado = false;
};

Colocado TextoDeCampo(const Plantilla& p, const PaginaCompuesta& pagina, const QString& campo) {
  const QList<const Elemento*> elementos = TodosLosElementos(p);
  for (int i = 0; i < elementos.size() && i < pagina.size(); ++i)
    if (elementos.at(i)->campo == campo) return {pagina.at(i).texto, pagina.at(i).caja, true};
  return {};
}

struct Formulario {
  RegistroPlano declaracion;
  RegistroPlano contribuyente;
  DatosInforme Datos() const {
    DatosInforme d;
    d.actuales.insert(VistaAlcabala, &declaracion);
    d.actuales.insert(VistaContribuyente, &contribuyente);
    return d;
  }
};

Formulario Marzo(const QLocale& locale = Chile) {
  return {Declaracion(2024, 3,
                      {{QStringLiteral("Cod502"), Pesos(1234567)},
                       {QStringLiteral("Cod115"), QVariant(0.25f)},
                       {QStringLiteral("Cod583"), true},
                       {QStringLiteral("Cod313"), 12345678},
                       {QStringLiteral("Cod09"), 5551234},
                       {QStringLiteral("Cod53"), 13},
                       {QStringLiteral("Cod06"), QStringLiteral("Avenida Libertador Bernardo O'Higgins 1234")}},
                      locale),
          Contribuyente(7654321, QStringLiteral("Comercial"), QString(), QString())};
}

}  // namespace

TEST(Paginar, FilasTitulosYTotales) {
  Region r;
  r.alto = 2.0;
  r.titulo.alto = 0.5;
  r.encabezado.alto = 0.5;
  r.datos.alto = 0.25;
  r.totales.alto = 0.2;
  // No rows: one page with the totals.
  auto paginas = Paginar(r, 0);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_TRUE(paginas.at(0).totales);
  // Four rows fill the 1.0 in left exactly; the totals need a page of their own.
  paginas = Paginar(r, 4);
  ASSERT_EQ(paginas.size(), 2);
  EXPECT_EQ(paginas.at(0).filas, 4);
  EXPECT_FALSE(paginas.at(0).totales);
  EXPECT_EQ(paginas.at(1).primeraFila, 4);
  EXPECT_EQ(paginas.at(1).filas, 0);
  EXPECT_TRUE(paginas.at(1).totales);
  // Three rows leave room for the totals under them.
  paginas = Paginar(r, 3);
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_TRUE(paginas.at(0).totales);
  // Nine rows: 4 + 4 + 1 and the totals on the last page.
  paginas = Paginar(r, 9);
  ASSERT_EQ(paginas.size(), 3);
  EXPECT_EQ(paginas.at(2).primeraFila, 8);
  EXPECT_EQ(paginas.at(2).filas, 1);
  EXPECT_TRUE(paginas.at(2).totales);
}

TEST(Componer, AnversoDeMarzoConValoresConocidos) {
  const Plantilla& p = BuscarPlantilla(PlantillaAnverso);
  const Formulario f = Marzo();
  const auto paginas = Componer(p, f.Datos(), Chile);
  ASSERT_EQ(paginas.size(), 1);
  const PaginaCompuesta& pagina = paginas.at(0);
  const auto texto = [&](const char* campo) { return TextoDeCampo(p, pagina, QString::fromLatin1(campo)).texto; };
  EXPECT_EQ(texto("Cod15_1"), QString());
  EXPECT_EQ(texto("Cod15_2"), QStringLiteral("3"));
  EXPECT_EQ(texto("Cod15_3"), QStringLiteral("2024"));
  const QStringList celdas = {QString(), "7", "6", "5", "4", "3", "2", "1", "6"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(TextoDeCampo(p, pagina, QStringLiteral("RUT_%1").arg(i + 1)).texto, celdas.at(i)) << i;
  EXPECT_EQ(texto("Cod538"), QStringLiteral("1.234.567"));
  EXPECT_EQ(texto("Cod502"), QStringLiteral("1.234.567"));
  EXPECT_EQ(texto("Cod115"), QStringLiteral(",25"));
  EXPECT_EQ(texto("Cod20"), QString());
  EXPECT_EQ(texto("Cod583Mostrar"), QStringLiteral("X"));
  EXPECT_EQ(texto("ApellidoPaternoRazonSocial"), QStringLiteral("Comercial"));
  const Colocado c538 = TextoDeCampo(p, pagina, QStringLiteral("Cod538"));
  EXPECT_EQ(c538.caja, QRectF(5.860, 3.836, 1.610, 0));

  // November prints both digits of the month; a comma-grouping locale groups with commas.
  const Formulario noviembre{Declaracion(2024, 11, {{QStringLiteral("Cod502"), Pesos(1234567)}}, EEUU),
                             f.contribuyente};
  const PaginaCompuesta otra = Componer(p, noviembre.Datos(), EEUU).at(0);
  EXPECT_EQ(TextoDeCampo(p, otra, QStringLiteral("Cod15_1")).texto, QStringLiteral("1"));
  EXPECT_EQ(TextoDeCampo(p, otra, QStringLiteral("Cod15_2")).texto, QStringLiteral("1"));
  EXPECT_EQ(TextoDeCampo(p, otra, QStringLiteral("Cod538")).texto, QStringLiteral("1,234,567"));
}

TEST(Componer, TodoEnCeroYContribuyenteSinRut) {
  const Plantilla& p = BuscarPlantilla(PlantillaAnverso);
  const Formulario f{Declaracion(2024, 3), Contribuyente(0, QString())};
  const PaginaCompuesta pagina = Componer(p, f.Datos(), Chile).at(0);
  const QList<const Elemento*> elementos = TodosLosElementos(p);
  // A RUT of 0 splits as the taxpayer's calculated cells give it: "0" and check digit "0".
  const QStringList impresos = {QStringLiteral("Cod15_2"), QStringLiteral("Cod15_3"), QStringLiteral("RUT_8"),
                                QStringLiteral("RUT_9")};
  for (int i = 0; i < elementos.size(); ++i) {
    const QString campo = elementos.at(i)->campo;
    if (impresos.contains(campo)) continue;
    EXPECT_EQ(pagina.at(i).texto, QString()) << campo.toStdString();
  }
  EXPECT_EQ(TextoDeCampo(p, pagina, QStringLiteral("RUT_8")).texto, QStringLiteral("0"));
  EXPECT_EQ(TextoDeCampo(p, pagina, QStringLiteral("Cod15_3")).texto, QStringLiteral("2024"));
}

TEST(Componer, ReversoSinDatosDelContribuyente) {
  const Plantilla& p = BuscarPlantilla(PlantillaReverso);
  const Formulario f = Marzo();
  DatosInforme soloDeclaracion;
  soloDeclaracion.actuales.insert(VistaAlcabala, &f.declaracion);
  const PaginaCompuesta pagina = Componer(p, soloDeclaracion, Chile).at(0);
  EXPECT_EQ(TextoDeCampo(p, pagina, QStringLiteral("Cod313")).texto, QStringLiteral("12345678-5"));
  EXPECT_EQ(TextoDeCampo(p, pagina, QStringLiteral("Cod09")).texto, QStringLiteral("5551234"));
  EXPECT_EQ(TextoDeCampo(p, pagina, QStringLiteral("Cod53")).texto, QStringLiteral("13"));
  EXPECT_EQ(Componer(p, f.Datos(), Chile).at(0).size(), pagina.size());
  for (const Trazo& t : pagina) {
    EXPECT_FALSE(t.texto.contains(QStringLiteral("Comercial")));
    EXPECT_NE(t.texto, QStringLiteral("7654321-6"));
  }
}

TEST(Componer, ListaConPaginasTitulosYTotales) {
  const Plantilla& p = BuscarPlantilla(PlantillaEmpresas);
  QList<RegistroPlano> filas;
  for (int i = 0; i < 60; ++i) {
    RegistroPlano r = Declaracion(2024, 3, {{QStringLiteral("Cod502"), Pesos(1234567)}});
    r.Agregar(QStringLiteral("RUT"), 7654321);
    r.Agregar(QStringLiteral("nombre"), QStringLiteral("Empresa %1").arg(i, 2, 10, QLatin1Char('0')));
    filas << r;
  }
  DatosInforme datos;
  for (const RegistroPlano& r : filas) datos.filas << &r;
  datos.parametros.insert(ParametroTitulo, QStringLiteral("EMPRESAS DEL 3/2024"));
  const auto paginas = Componer(p, datos, Chile);
  ASSERT_GE(paginas.size(), 2);
  int lineas = 0;
  for (int k = 0; k < paginas.size(); ++k) {
    QStringList textos;
    for (const Trazo& t : paginas.at(k)) textos << t.texto;
    EXPECT_TRUE(textos.contains(QStringLiteral("EMPRESAS DEL 3/2024"))) << k;
    EXPECT_TRUE(textos.contains(QStringLiteral("Contribuyente"))) << k;
    EXPECT_TRUE(textos.contains(QStringLiteral("Página %1 de %2").arg(k + 1).arg(paginas.size()))) << k;
    lineas += static_cast<int>(textos.filter(QRegularExpression(QStringLiteral("^Empresa \\d\\d$"))).size());
    // Every line stays inside the region.
    for (const Trazo& t : paginas.at(k)) {
      if (t.texto.startsWith(QStringLiteral("Página"))) continue;
      EXPECT_LE(t.caja.top(), 0.393701 + 7.312598) << t.texto.toStdString();
    }
  }
  EXPECT_EQ(lineas, 60);
  QStringList ultima;
  for (const Trazo& t : paginas.last()) ultima << t.texto;
  EXPECT_TRUE(ultima.contains(QStringLiteral("1234567")));
  EXPECT_TRUE(ultima.contains(QStringLiteral("74.074.020")));  // 60 × 1,234,567, the debits total
  EXPECT_TRUE(ultima.contains(QStringLiteral("7654321-6")));
}

// ---- Painted and read back -------------------------------------------------------------

namespace {

QString PdfDe(const QTemporaryDir& carpeta, const Plantilla& p, const DatosInforme& datos, QPointF desplazamientoMm = {}) {
  const QString ruta = carpeta.filePath(p.nombre + QStringLiteral(".pdf"));
  QPdfWriter pdf(ruta);
  OpcionesRender opciones;
  opciones.locale = Chile;
  opciones.desplazamientoMm = desplazamientoMm;
  EXPECT_EQ(Renderizar(p, datos, pdf, opciones), 1);
  return ruta;
}

}  // namespace

TEST(Renderizar, CadaValorEnSuCasillaDentroDeUnPunto) {
  QTemporaryDir carpeta;
  const Plantilla& p = BuscarPlantilla(PlantillaAnverso);
  const Formulario f = Marzo();
  const auto paginas = prueba::LeerPdf(PdfDe(carpeta, p, f.Datos()));
  ASSERT_EQ(paginas.size(), 1);
  EXPECT_NEAR(paginas.at(0).tamano.width(), 612, 0.5);
  EXPECT_NEAR(paginas.at(0).tamano.height(), 1008, 0.5);
  // Right-aligned amounts end at the box's right edge; the text line starts at its top.
  // 1,234,567 prints in box 502, in its sum 538 and in the boxes that follow from it.
  QList<double> tops;
  for (const auto& m : prueba::Buscar(paginas.at(0), QStringLiteral("1.234.567"))) {
    EXPECT_NEAR(m.caja.right(), (5.860 + 1.610) * 72, 1.0);
    tops << m.caja.top();
  }
  for (const double arriba : {2.029, 3.836}) {
    bool hallado = false;
    for (double t : tops) hallado = hallado || std::abs(t - arriba * 72) <= 1.0;
    EXPECT_TRUE(hallado) << arriba;
  }
  // The check digit in its cell, the business name from the left of its box.
  const auto nombre = prueba::Buscar(paginas.at(0), QStringLiteral("Comercial"));
  ASSERT_EQ(nombre.size(), 1);
  EXPECT_NEAR(nombre.at(0).caja.left(), 0.32 * 72, 1.0);
  EXPECT_NEAR(nombre.at(0).caja.top(), 11.767 * 72, 1.0);
  const auto x = prueba::Buscar(paginas.at(0), QStringLiteral("X"));
  ASSERT_EQ(x.size(), 1);
  EXPECT_NEAR(x.at(0).caja.center().x(), (2.286 + 0.487 / 2) * 72, 1.0);
}

TEST(Renderizar, DesplazamientoDeCalibracionMueveTodo) {
  QTemporaryDir carpeta;
  const Plantilla& p = BuscarPlantilla(PlantillaAnverso);
  const Formulario f = Marzo();
  const auto sin = prueba::LeerPdf(PdfDe(carpeta, p, f.Datos()));
  const auto con = prueba::LeerPdf(PdfDe(carpeta, p, f.Datos(), QPointF(25.4, -12.7)));
  ASSERT_EQ(sin.size(), 1);
  ASSERT_EQ(con.size(), 1);
  const auto a = prueba::Buscar(sin.at(0), QStringLiteral("Comercial"));
  const auto b = prueba::Buscar(con.at(0), QStringLiteral("Comercial"));
  ASSERT_EQ(a.size(), 1);
  ASSERT_EQ(b.size(), 1);
  EXPECT_NEAR(b.at(0).caja.left() - a.at(0).caja.left(), 72, 0.5);
  EXPECT_NEAR(b.at(0).caja.top() - a.at(0).caja.top(), -36, 0.5);
}

TEST(Renderizar, UnNombreLargoSeCortaEnElBordeDeSuCasilla) {
  QTemporaryDir carpeta;
  const Plantilla& p = BuscarPlantilla(PlantillaReverso);
  const Formulario f = Marzo();
  DatosInforme datos;
  datos.actuales.insert(VistaAlcabala, &f.declaracion);
  const QString ruta = carpeta.filePath(QStringLiteral("r.pdf"));
  {
    QPdfWriter pdf(ruta);
    OpcionesRender opciones;
    opciones.locale = Chile;
    Renderizar(p, datos, pdf, opciones);
  }
  // The address of box 06 is wider than its 2.88 in: pdftoppm would show it
  // cut; the text layer keeps the words, so check the page looks right by
  // rasterising the area right of the box, where nothing may be inked.
  QImage imagen;
  {
    QProcess proceso;
    proceso.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                                               QStringLiteral("-singlefile"), ruta, carpeta.filePath(QStringLiteral("r"))});
    ASSERT_TRUE(proceso.waitForFinished(30000));
    ASSERT_TRUE(imagen.load(carpeta.filePath(QStringLiteral("r.png"))));
  }
  const int derecha = static_cast<int>((0.335 + 2.88) * 72) + 2;
  const int arriba = static_cast<int>(11.326 * 72);
  int tinta = 0;
  for (int x = derecha; x < static_cast<int>(3.327 * 72) - 1; ++x)
    for (int y = arriba; y < arriba + 12; ++y) tinta += qGray(imagen.pixel(x, y)) < 128;
  EXPECT_EQ(tinta, 0);
  int dentro = 0;
  for (int x = static_cast<int>(0.335 * 72); x < derecha - 2; ++x)
    for (int y = arriba; y < arriba + 12; ++y) dentro += qGray(imagen.pixel(x, y)) < 128;
  EXPECT_GT(dentro, 0);
}

TEST(Renderizar, ElMontoMasAnchoQuedaEnteroDentroDeSuCasilla) {
  // Every amount box at the widest value it can hold: typed boxes with all
  // the digits they take, calculated ones twelve digits and a minus sign.
  for (const QString& nombre : {PlantillaAnverso, PlantillaReverso}) {
    const Plantilla& p = BuscarPlantilla(nombre);
    Formulario f = Marzo();
    QHash<QString, QString> esperado;
    for (const Elemento& e : p.elementos) {
      if (e.formato != FormatoValor::Grupos && e.formato != FormatoValor::GruposDecimal) continue;
      const Caja* caja = nullptr;
      for (const Caja& c : Catalogo())
        if (c.campo == e.campo) caja = &c;
      ASSERT_NE(caja, nullptr) << e.campo.toStdString();
      QVariant valor;
      if (e.formato == FormatoValor::GruposDecimal) {
        valor = QVariant(99999.99);
      } else {
        const int digitos = caja->largoMaximo > 0 ? caja->largoMaximo : 12;
        const qint64 mayor = QString(digitos, QLatin1Char('9')).toLongLong();
        valor = Pesos(caja->largoMaximo > 0 ? mayor : -mayor);
      }
      f.declaracion.Asignar(e.campo, valor);
      esperado.insert(e.campo, TextoConFormato(valor, e.formato, Chile));
    }
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath(QStringLiteral("anchos.pdf"));
    {
      QPdfWriter pdf(ruta);
      OpcionesRender opciones;
      opciones.locale = Chile;
      Renderizar(p, f.Datos(), pdf, opciones);
    }
    const auto paginas = prueba::LeerPdf(ruta);
    ASSERT_EQ(paginas.size(), 1);
    for (const Elemento& e : p.elementos) {
      if (!esperado.contains(e.campo)) continue;
      bool dentro = false;
      for (const auto& palabra : prueba::Buscar(paginas.at(0), esperado.value(e.campo)))
        dentro = dentro || (std::abs(palabra.caja.top() - e.arriba * 72) < 2 && palabra.caja.left() >= e.izquierda * 72 - 1 &&
                            palabra.caja.right() <= (e.izquierda + e.ancho) * 72 + 1);
      EXPECT_TRUE(dentro) << nombre.toStdString() << " " << e.campo.toStdString() << " "
                          << esperado.value(e.campo).toStdString();
    }
  }
}
