// The complete copy of a declaration: every cell of the screen form's layout
// on its page at its place, the values formatted as on screen, the foot, and
// the PDF read back.

#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>

#include "common/locales.h"
#include "common/pdf.h"
#include "declarations/catalogo/catalogo.h"
#include "declarations/catalogo/disposicion.h"
#include "reports/copiaformulario.h"
#include "reports/datos_prueba.h"
#include "reports/plantillas.h"
#include "reports/renderizador.h"

using prueba::Contribuyente;
using prueba::Declaracion;
using prueba::Pesos;

namespace {

using prueba::Chile;
using prueba::EEUU;

struct Copia {
  RegistroPlano declaracion;
  RegistroPlano contribuyente;
  PieCopia pie;
  DatosInforme Datos() const { return DatosCopia(declaracion, contribuyente, pie); }
};

// The largest amount a box holds, small ones, a rate, a ticked box, a RUT and texts.
Copia Marzo(const QLocale& locale = Chile) {
  return {Declaracion(2024, 3,
                      {{QStringLiteral("Cod502"), Pesos(999999999999)},
                       {QStringLiteral("Cod20"), Pesos(1234567)},
                       {QStringLiteral("Cod585"), 3},
                       {QStringLiteral("Cod529"), Pesos(5000)},
                       {QStringLiteral("Cod115"), QVariant(0.25f)},
                       {QStringLiteral("Cod583"), true},
                       {QStringLiteral("Cod313"), 12345678},
                       {QStringLiteral("Cod53"), 13},
                       {QStringLiteral("Cod06"), QStringLiteral("Avenida Libertador Bernardo O'Higgins 1234")}},
                      locale),
          Contribuyente(7654321, QStringLiteral("Comercial Los Andes")),
          {QStringLiteral("/datos/Comercial Los Andes.alc"), 2024, 3, QDate(2026, 12, 9)}};
}

// Where a cell of the layout lands on its page, in inches.
QRectF LugarEsperado(Pagina pagina, const CeldaFormulario& c) {
  const EscalaCopia escala = CalcularEscalaCopia();
  const DisposicionPagina& d = Disposicion(pagina);
  const QRect r = c.seccion >= 0 ? c.rect.translated(d.secciones.at(c.seccion).rect.topLeft()) : c.rect;
  const QPointF origen = escala.origen[pagina == Pagina::Anverso ? 0 : 1];
  const double s = escala.pulgadasPorPixel;
  return QRectF(origen.x() + r.left() * s, origen.y() + r.top() * s, r.width() * s, r.height() * s);
}

bool Igual(const QRectF& a, const QRectF& b) {
  constexpr double e = 1e-9;
  return std::abs(a.left() - b.left()) < e && std::abs(a.top() - b.top()) < e &&
         std::abs(a.width() - b.width()) < e && std::abs(a.height() - b.height()) < e;
}

// The texts placed exactly at a rectangle of a page.
QStringList TextosEn(const PaginaCompuesta& pagina, const QRectF& lugar) {
  QStringList textos;
  for (const Trazo& t : pagina)
    if (!t.esLinea && Igual(t.caja, lugar)) textos << t.texto;
  return textos;
}

QString Formateado(const Copia& c, const Caja& caja, const QLocale& locale) {
  const Registro& r = caja.clase == ClaseCaja::T ? static_cast<const Registro&>(c.contribuyente) : c.declaracion;
  return TextoConFormato(r.Valor(caja.campo), FormatoDePresentacion(caja.presentacion), locale);
}

}  // namespace

TEST(CopiaFormulario, CadaCeldaDeLaDisposicionEnSuPaginaYSuLugar) {
  const Copia c = Marzo();
  const QList<PaginaCompuesta> paginas = Componer(PlantillaCopia(), c.Datos(), Chile);
  ASSERT_EQ(paginas.size(), 2);
  int cajasConValor = 0;
  for (Pagina pagina : {Pagina::Anverso, Pagina::Reverso}) {
    const PaginaCompuesta& compuesta = paginas.at(pagina == Pagina::Anverso ? 0 : 1);
    for (const CeldaFormulario& celda : Disposicion(pagina).celdas) {
      if (celda.tipo == TipoCelda::Logo) continue;
      const QStringList textos = TextosEn(compuesta, LugarEsperado(pagina, celda));
      const QString donde = celda.codigo + QLatin1Char(' ') + celda.texto;
      ASSERT_EQ(textos.size(), 1) << qPrintable(donde);
      if (celda.tipo != TipoCelda::Caja && celda.tipo != TipoCelda::ListaMes && celda.tipo != TipoCelda::ListaAno) {
        EXPECT_EQ(textos.first(), celda.texto) << qPrintable(donde);
        continue;
      }
      if (celda.tipo != TipoCelda::Caja) continue;
      const Caja* caja = BuscarCaja(celda.codigo);
      ASSERT_NE(caja, nullptr) << qPrintable(donde);
      if (caja->presentacion == Presentacion::Casilla || caja->presentacion == Presentacion::Lista) continue;
      EXPECT_EQ(textos.first(), Formateado(c, *caja, Chile)) << qPrintable(donde);
      if (!textos.first().isEmpty()) ++cajasConValor;
    }
  }
  // The sample's values and the boxes calculated from them; every other box is blank.
  EXPECT_GE(cajasConValor, 8);
}

TEST(CopiaFormulario, ValoresComoEnPantallaYCajasEnCeroEnBlanco) {
  for (const QLocale& locale : {Chile, EEUU}) {
    const Copia c = Marzo(locale);
    const QList<PaginaCompuesta> paginas = Componer(PlantillaCopia(), c.Datos(), locale);
    const bool chile = locale == Chile;
    auto valor = [&](const QString& codigo) {
      const Caja* caja = BuscarCaja(codigo);
      const int p = caja->pagina == Pagina::Anverso ? 0 : 1;
      for (const CeldaFormulario& celda : Disposicion(caja->pagina).celdas)
        if (celda.tipo == TipoCelda::Caja && celda.codigo == codigo)
          return TextosEn(paginas.at(p), LugarEsperado(caja->pagina, celda)).value(0);
      return QStringLiteral("<sin celda>");
    };
    EXPECT_EQ(valor("502"), chile ? "999.999.999.999" : "999,999,999,999");
    EXPECT_EQ(valor("20"), chile ? "1.234.567" : "1,234,567");
    EXPECT_EQ(valor("585"), "3");
    EXPECT_EQ(valor("115"), chile ? ",25" : ".25");
    EXPECT_EQ(valor("583"), "X");
    EXPECT_EQ(valor("53"), "13");
    EXPECT_EQ(valor("613"), "");  // no entry chosen
    EXPECT_EQ(valor("313"), "12345678-5");
    EXPECT_EQ(valor("03"), "7654321-6");
    EXPECT_EQ(valor("01"), "Comercial Los Andes");
    EXPECT_EQ(valor("06"), "Avenida Libertador Bernardo O'Higgins 1234");
    EXPECT_EQ(valor("586"), "");
    EXPECT_EQ(valor("142"), "");
  }
}

TEST(CopiaFormulario, LaCabezaMuestraElPeriodo) {
  const Copia c = Marzo();
  const PaginaCompuesta anverso = Componer(PlantillaCopia(), c.Datos(), Chile).first();
  QStringList periodo;
  for (const CeldaFormulario& celda : Disposicion(Pagina::Anverso).celdas)
    if (celda.tipo == TipoCelda::ListaMes || celda.tipo == TipoCelda::ListaAno)
      periodo << TextosEn(anverso, LugarEsperado(Pagina::Anverso, celda));
  EXPECT_EQ(periodo, (QStringList{"Marzo", "2024"}));
}

TEST(CopiaFormulario, PieEnCadaPagina) {
  const Copia c = Marzo();
  const QList<PaginaCompuesta> paginas = Componer(PlantillaCopia(), c.Datos(), Chile);
  ASSERT_EQ(paginas.size(), 2);
  for (int i = 0; i < 2; ++i) {
    // The foot's elements come first on every page: the rule, then its texts.
    QStringList pie;
    for (const Trazo& t : paginas.at(i).mid(0, 5))
      if (!t.esLinea) pie << t.texto;
    EXPECT_EQ(pie, (QStringList{"Comercial Los Andes", "Período Marzo 2024", QStringLiteral("Página %1 de 2").arg(i + 1),
                                "Hecha el 9 de diciembre de 2026"}));
  }
}

TEST(CopiaFormulario, CabeEnElPapelConLaMismaEscalaEnAmbasCaras) {
  const Copia c = Marzo();
  const EscalaCopia escala = CalcularEscalaCopia();
  // Readable: a line's text (11 pixels on screen) stays at 6 points or more.
  EXPECT_GE(escala.pulgadasPorPixel * 11 * 72, 6.0);
  for (const PaginaCompuesta& pagina : Componer(PlantillaCopia(), c.Datos(), Chile)) {
    for (const Trazo& t : pagina) {
      EXPECT_GE(t.caja.left(), 0.3);
      EXPECT_LE(t.caja.right(), 8.5 - 0.3);
      EXPECT_GE(t.caja.top(), 0.3);
      EXPECT_LE(t.caja.bottom(), 14 - 0.2);
    }
  }
}

TEST(CopiaFormulario, TituloYNombreDelArchivo) {
  EXPECT_EQ(TituloCopia(QStringLiteral("/datos/Comercial Los Andes.alc"), 2024, 3),
            QStringLiteral("Formulario 29 Comercial Los Andes 03/2024"));
  EXPECT_EQ(NombreArchivoCopia(QStringLiteral("/datos/Empresa.oalc"), 2023, 12), QStringLiteral("Empresa 2023-12.pdf"));
}

TEST(CopiaFormulario, PdfLeidoDeVueltaConTextosYValoresEnSuLugar) {
  const Copia c = Marzo();
  QTemporaryDir carpeta;
  const QString ruta = carpeta.filePath(QStringLiteral("copia.pdf"));
  {
    QPdfWriter pdf(ruta);
    EXPECT_EQ(DibujarCopia(c.declaracion, c.contribuyente, c.pie, pdf, Chile), 2);
  }
  const QList<prueba::PaginaPdf> paginas = prueba::LeerPdf(ruta);
  ASSERT_EQ(paginas.size(), 2);
  EXPECT_NEAR(paginas.at(0).tamano.width(), 612, 1);
  EXPECT_NEAR(paginas.at(0).tamano.height(), 1008, 1);

  // A value stands inside its box, right-aligned; a line's text inside its cell.
  auto dentro = [](const prueba::PaginaPdf& pagina, const QString& texto, const QRectF& celda, bool derecha) {
    const QRectF puntos(celda.left() * 72, celda.top() * 72, celda.width() * 72, celda.height() * 72);
    for (const auto& p : prueba::Buscar(pagina, texto)) {
      if (p.caja.left() < puntos.left() - 0.5 || p.caja.right() > puntos.right() + 0.5) continue;
      if (p.caja.center().y() < puntos.top() || p.caja.center().y() > puntos.bottom()) continue;
      if (derecha && puntos.right() - p.caja.right() > 0.1 * puntos.width()) continue;
      return true;
    }
    return false;
  };
  for (const CeldaFormulario& celda : Disposicion(Pagina::Anverso).celdas) {
    const QRectF lugar = LugarEsperado(Pagina::Anverso, celda);
    if (celda.tipo == TipoCelda::Caja && celda.codigo == QLatin1String("502")) {
      EXPECT_TRUE(dentro(paginas.at(0), QStringLiteral("999.999.999.999"), lugar, true));
    } else if (celda.tipo == TipoCelda::Caja && celda.codigo == QLatin1String("20")) {
      EXPECT_TRUE(dentro(paginas.at(0), QStringLiteral("1.234.567"), lugar, true));
    } else if ((celda.tipo == TipoCelda::Codigo && celda.texto == QLatin1String("538")) ||
               (celda.tipo == TipoCelda::Texto && celda.texto == QLatin1String("Exportaciones"))) {
      EXPECT_TRUE(dentro(paginas.at(0), celda.texto, lugar, false)) << qPrintable(celda.texto);
    }
  }
  EXPECT_FALSE(prueba::Buscar(paginas.at(0), QStringLiteral("DÉBITOS")).isEmpty());
  EXPECT_FALSE(prueba::Buscar(paginas.at(1), QStringLiteral("12345678-5")).isEmpty());
}
