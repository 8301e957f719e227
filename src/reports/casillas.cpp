#include "reports/casillas.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <algorithm>

#include "declarations/motor/calculo.h"
#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/redondeo.h"
#include "general/valores.h"
#include "reports/plantillas.h"

namespace {

// The field that holds a box's value: the amount itself for box 547, which
// the form shows through a text of its own.
QString CampoDelValor(const Caja& caja) {
  return caja.clase == ClaseCaja::C ? QStringLiteral("Cod") + caja.codigo : caja.campo;
}

// Boxes with a value to type: amounts, counts and rates of the form's lines
// (not the taxpayer's names and address, nor the address-change mark).
bool SeDeclara(const Caja& caja) {
  if (caja.clase == ClaseCaja::T || caja.clase == ClaseCaja::A) return false;
  return caja.tipo != TipoColumna::B && caja.tipo != TipoColumna::W;
}

QString Glosa(const Caja& caja) {
  const QString etiqueta = caja.etiqueta.trimmed();
  if (etiqueta.isEmpty() || caja.texto == caja.etiqueta) return caja.texto;
  return caja.texto + QStringLiteral(" (") + etiqueta + QLatin1Char(')');
}

// The value as the online form takes it; empty for none.
QString ValorSii(const QVariant& valor, TipoColumna tipo) {
  if (EsNulo(valor)) return QString();
  switch (tipo) {
    case TipoColumna::C: {
      const Moneda pesos = RedondearPesos(NuloACeroMoneda(valor));
      return pesos.EsCero() ? QString() : QString::number(pesos.Pesos());
    }
    case TipoColumna::F: {
      const double numero = NuloACeroDouble(valor);
      if (numero == 0.0) return QString();
      // Up to two decimals (what a box takes), no trailing zeros, a decimal comma.
      QString texto = QString::number(numero, 'f', 2);
      while (texto.endsWith(QLatin1Char('0'))) texto.chop(1);
      if (texto.endsWith(QLatin1Char('.'))) texto.chop(1);
      return texto.replace(QLatin1Char('.'), QLatin1Char(','));
    }
    default: {
      const qint64 numero = NuloACeroEntero(valor);
      return numero == 0 ? QString() : QString::number(numero);
    }
  }
}

struct Ubicada {
  int orden;  // the line number; an unnumbered line stands after the line before it
  CasillaSii casilla;
};

const QString CampoLinea = QStringLiteral("linea");
const QString CampoCodigo = QStringLiteral("codigo");
const QString CampoGlosa = QStringLiteral("glosa");
const QString CampoValor = QStringLiteral("valor");

}  // namespace

QList<CasillaSii> CasillasParaSii(const Registro& declaracion, int ano, int mes) {
  const QStringList noCalculadas = CajasNoCalculadas(declaracion);
  if (!noCalculadas.isEmpty()) throw ErrorAlcabala(MensajeCajasNoCalculadas(noCalculadas, ano, mes));
  QList<Ubicada> ubicadas;
  int orden = 0;
  for (const LineaCatalogo& linea : LineasCatalogo()) {
    if (linea.numero > 0) orden = linea.numero;
    for (const QString& codigo : linea.codigos) {
      const Caja* caja = BuscarCaja(codigo);
      if (caja == nullptr || !SeDeclara(*caja)) continue;
      const QString campo = CampoDelValor(*caja);
      // A column an older file lacks holds nothing.
      if (!declaracion.TieneCampo(campo)) continue;
      const QString valor = ValorSii(declaracion.Valor(campo), caja->tipo);
      if (valor.isEmpty()) continue;
      ubicadas.append({orden, {linea.numero, caja->codigo, Glosa(*caja), valor}});
    }
  }
  std::stable_sort(ubicadas.begin(), ubicadas.end(),
                   [](const Ubicada& a, const Ubicada& b) { return a.orden < b.orden; });
  QList<CasillaSii> casillas;
  for (const Ubicada& u : ubicadas) casillas.append(u.casilla);
  return casillas;
}

QString TextoCasillas(const QList<CasillaSii>& casillas) {
  QString texto;
  for (const CasillaSii& c : casillas) {
    texto += c.codigo + QLatin1Char('\t') + c.valor + QLatin1Char('\t') +
             (c.linea > 0 ? QString::number(c.linea) : QString()) + QLatin1Char('\t') + c.glosa + QLatin1Char('\n');
  }
  return texto;
}

QByteArray JsonCasillas(const QList<CasillaSii>& casillas, int ano, int mes) {
  QJsonArray lista;
  for (const CasillaSii& c : casillas) {
    QJsonObject o;
    o.insert(CampoCodigo, c.codigo);
    o.insert(CampoValor, c.valor);
    o.insert(CampoLinea, c.linea > 0 ? QJsonValue(c.linea) : QJsonValue());
    o.insert(CampoGlosa, c.glosa);
    lista.append(o);
  }
  QJsonObject raiz;
  raiz.insert(QStringLiteral("ano"), ano);
  raiz.insert(QStringLiteral("mes"), mes);
  raiz.insert(QStringLiteral("casillas"), lista);
  return QJsonDocument(raiz).toJson(QJsonDocument::Indented);
}

QString TituloCasillas(int ano, int mes) {
  return QStringLiteral("CASILLAS PARA EL SII - %1 %2").arg(NombreDelMes(mes).toUpper()).arg(ano);
}

QList<RegistroPlano> FilasCasillas(const QList<CasillaSii>& casillas) {
  QList<RegistroPlano> filas;
  for (const CasillaSii& c : casillas) {
    RegistroPlano fila;
    fila.Agregar(CampoLinea, c.linea > 0 ? QString::number(c.linea) : QString());
    fila.Agregar(CampoCodigo, c.codigo);
    fila.Agregar(CampoGlosa, c.glosa);
    fila.Agregar(CampoValor, c.valor);
    filas.append(fila);
  }
  return filas;
}

namespace {

constexpr double Margen = 0.5;
constexpr double AnchoRegion = 7.5;
constexpr double AltoRegion = 9.8;
constexpr double AltoFilaCasilla = 0.32;

Elemento TextoCasilla(ClaseElemento clase, double izquierda, double ancho, Alineacion alineacion, double puntos,
                      bool negrita) {
  Elemento e;
  e.clase = clase;
  e.izquierda = izquierda;
  e.ancho = ancho;
  e.alineacion = alineacion;
  e.puntos = puntos;
  e.negrita = negrita;
  return e;
}

struct ColumnaCasillas {
  const char* encabezado;
  const QString* campo;
  double izquierda;
  double ancho;
  Alineacion alineacion;
};

Plantilla ConstruirPlantilla() {
  Plantilla p;
  p.nombre = QStringLiteral("CasillasSII");
  p.papel = QPageSize::Letter;
  p.orientacion = QPageLayout::Portrait;
  p.vistas = {VistaAlcabalas, VistaContribuyente};
  Elemento pagina = TextoCasilla(ClaseElemento::TextoPagina, Margen, AnchoRegion, Alineacion::Centro, 9, false);
  pagina.arriba = Margen + AltoRegion + 0.1;
  p.elementos << pagina;

  Region r;
  r.izquierda = Margen;
  r.arriba = Margen;
  r.ancho = AnchoRegion;
  r.alto = AltoRegion;
  r.vistaDatos = VistaAlcabalas;
  r.titulo.alto = 0.75;
  Elemento nombre = TextoCasilla(ClaseElemento::TextoDato, 0, AnchoRegion, Alineacion::Centro, 14, true);
  nombre.vista = VistaContribuyente;
  nombre.campo = QStringLiteral("nombre");
  Elemento titulo = TextoCasilla(ClaseElemento::TextoParametro, 0, AnchoRegion, Alineacion::Centro, 12, true);
  titulo.arriba = 0.3;
  titulo.texto = ParametroTitulo;
  r.titulo.elementos << nombre << titulo;

  const ColumnaCasillas columnas[] = {
      {"Línea", &CampoLinea, 0, 0.55, Alineacion::Derecha},
      {"Código", &CampoCodigo, 0.65, 0.6, Alineacion::Derecha},
      {"Glosa", &CampoGlosa, 1.4, 4.6, Alineacion::Izquierda},
      {"Valor", &CampoValor, 6.1, 1.4, Alineacion::Derecha},
  };
  r.encabezado.alto = 0.3;
  r.datos.alto = AltoFilaCasilla;
  for (const ColumnaCasillas& c : columnas) {
    Elemento encabezado = TextoCasilla(ClaseElemento::TextoFijo, c.izquierda, c.ancho, c.alineacion, 10, true);
    encabezado.texto = QString::fromUtf8(c.encabezado);
    r.encabezado.elementos << encabezado;
    Elemento dato = TextoCasilla(ClaseElemento::TextoDato, c.izquierda, c.ancho, c.alineacion, 9, false);
    dato.vista = VistaAlcabalas;
    dato.campo = *c.campo;
    dato.formato = FormatoValor::TextoTal;
    // The long texts of the form wrap in their row and take a smaller size.
    dato.alto = AltoFilaCasilla;
    dato.aspecto.ajustar = true;
    dato.aspecto.puntosMinimos = 6;
    r.datos.elementos << dato;
  }
  Elemento linea;
  linea.clase = ClaseElemento::Linea;
  linea.arriba = r.encabezado.alto - 0.02;
  linea.ancho = AnchoRegion;
  r.encabezado.elementos << linea;
  p.region = r;
  return p;
}

}  // namespace

const Plantilla& PlantillaCasillas() {
  static const Plantilla plantilla = ConstruirPlantilla();
  return plantilla;
}

DatosInforme DatosCasillas(const QList<RegistroPlano>& filas, const Registro& contribuyente, const QString& titulo) {
  DatosInforme datos;
  for (const RegistroPlano& fila : filas) datos.filas << &fila;
  datos.actuales.insert(VistaContribuyente, &contribuyente);
  datos.parametros.insert(ParametroTitulo, titulo);
  return datos;
}
