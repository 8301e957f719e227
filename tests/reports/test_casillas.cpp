// The boxes to type into the online form: which, in what order, with what text.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "general/errores.h"
#include "reports/casillas.h"
#include "reports/datos_prueba.h"

namespace {

using prueba::Pesos;

QStringList Codigos(const QList<CasillaSii>& casillas) {
  QStringList r;
  for (const CasillaSii& c : casillas) r << c.codigo;
  return r;
}

const CasillaSii* Buscar(const QList<CasillaSii>& casillas, const char* codigo) {
  for (const CasillaSii& c : casillas)
    if (c.codigo == QLatin1String(codigo)) return &c;
  return nullptr;
}

// Boxes from the front, the back and the total to pay, of old and new lines.
RegistroPlano Marzo() {
  return prueba::Declaracion(2026, 3,
                             {{"Cod503", 12},
                              {"Cod502", Pesos(1500000)},
                              {"Cod763", 2},
                              {"Cod764", Pesos(300000)},
                              {"Cod520", Pesos(100000)},
                              {"Cod49", Pesos(4500)},
                              {"Cod115", QVariant(0.25f)},
                              {"Cod563", Pesos(1000000)},
                              {"Cod100", Pesos(700)},
                              {"Cod768", Pesos(200)},
                              {"Cod93", Pesos(900)},
                              {"Cod922", 12345},
                              {"Cod795", Pesos(400)}});
}

}  // namespace

TEST(CasillasSii, SoloLasQueTienenValorEnElOrdenDelFormularioEnLinea) {
  const QList<CasillaSii> casillas = CasillasParaSii(Marzo(), 2026, 3);
  // Line 7, 8, 24, 29, 50, 51, 64, 70, 81, 127 (103 from 100), 140, 141,
  // then the totals to pay, last on the online form, with the condonation
  // between lines 150 and 151.
  EXPECT_EQ(Codigos(casillas).join(' ').toStdString(),
            "503 502 763 764 538 520 537 89 49 563 115 62 595 100 103 768 770 547 91 93 922 795 94");
  EXPECT_EQ(Buscar(casillas, "764")->linea, 8);
  EXPECT_EQ(Buscar(casillas, "94")->linea, 151);
  EXPECT_EQ(Buscar(casillas, "922")->linea, 0);
}

TEST(CasillasSii, ValoresComoLosPideElFormularioEnLinea) {
  const QList<CasillaSii> casillas = CasillasParaSii(Marzo(), 2026, 3);
  const struct {
    const char* codigo;
    const char* valor;
  } casos[] = {
      {"503", "12"},       {"502", "1500000"}, {"538", "1800000"}, {"115", "0,25"}, {"62", "2500"},
      {"922", "12345"},    {"795", "400"},     {"91", "1707500"},  {"94", "1708000"},
  };
  for (const auto& c : casos) {
    const CasillaSii* casilla = Buscar(casillas, c.codigo);
    ASSERT_NE(casilla, nullptr) << c.codigo;
    EXPECT_EQ(casilla->valor.toStdString(), c.valor) << c.codigo;
  }
  // A total that leaves a remainder goes out with its sign.
  const RegistroPlano remanente = prueba::Declaracion(2026, 4, {{"Cod725", Pesos(800)}, {"Cod502", Pesos(300)}});
  const QList<CasillaSii> otras = CasillasParaSii(remanente, 2026, 4);
  EXPECT_EQ(Buscar(otras, "547")->valor, "-500");
  EXPECT_EQ(Buscar(otras, "728")->valor, "500");
}

TEST(CasillasSii, GlosasDelFormularioConLaEtiquetaDeLaCaja) {
  const QList<CasillaSii> casillas = CasillasParaSii(Marzo(), 2026, 3);
  EXPECT_EQ(Buscar(casillas, "764")->glosa, "Facturas emitidas por la venta de bienes inmuebles afectas a IVA");
  EXPECT_EQ(Buscar(casillas, "89")->glosa, "IVA determinado");
  EXPECT_EQ(Buscar(casillas, "770")->glosa, "Crédito por desembolsos directos trazabilidad (Total Crédito)");
}

TEST(CasillasSii, TextoYJson) {
  const QList<CasillaSii> casillas = {{8, "764", "Facturas", "300000"}, {0, "922", "Condonación", "12"}};
  EXPECT_EQ(TextoCasillas(casillas), "764\t300000\t8\tFacturas\n922\t12\t\tCondonación\n");
  const QJsonObject json = QJsonDocument::fromJson(JsonCasillas(casillas, 2026, 3)).object();
  EXPECT_EQ(json.value("ano").toInt(), 2026);
  EXPECT_EQ(json.value("mes").toInt(), 3);
  const QJsonArray lista = json.value("casillas").toArray();
  ASSERT_EQ(lista.size(), 2);
  EXPECT_EQ(lista.at(0).toObject().value("valor").toString(), "300000");
  EXPECT_EQ(lista.at(0).toObject().value("linea").toInt(), 8);
  EXPECT_TRUE(lista.at(1).toObject().value("linea").isNull());
  EXPECT_EQ(TituloCasillas(2026, 3), "CASILLAS PARA EL SII - MARZO 2026");
}

TEST(CasillasSii, UnRegistroSinLasColumnasNuevasYUnaCajaNoCalculada) {
  // A record of an older file: the columns it lacks hold nothing.
  RegistroPlano antiguo;
  const RegistroPlano completo = Marzo();
  for (const QString& campo : completo.Campos())
    if (campo != QLatin1String("Cod764") && campo != QLatin1String("Cod763"))
      antiguo.Agregar(campo, completo.Valor(campo));
  const QStringList codigos = Codigos(CasillasParaSii(antiguo, 2026, 3));
  EXPECT_FALSE(codigos.contains("764"));
  EXPECT_TRUE(codigos.contains("502"));
  // A box the engine could not compute is never typed as zero.
  antiguo.Asignar(QStringLiteral("Cod538"), QVariant());
  EXPECT_THROW(CasillasParaSii(antiguo, 2026, 3), ErrorAlcabala);
}

TEST(CasillasSii, LaListaImpresaLlevaUnaFilaPorCasilla) {
  const QList<CasillaSii> casillas = CasillasParaSii(Marzo(), 2026, 3);
  const QList<RegistroPlano> filas = FilasCasillas(casillas);
  const RegistroPlano contribuyente = prueba::Contribuyente(7654321, "Comercial Los Andes");
  const QString titulo = TituloCasillas(2026, 3);
  const QList<PaginaCompuesta> paginas =
      Componer(PlantillaCasillas(), DatosCasillas(filas, contribuyente, titulo), QLocale(QLocale::Spanish, QLocale::Chile));
  ASSERT_EQ(paginas.size(), 1);
  QStringList textos;
  for (const Trazo& t : paginas.first()) textos << t.texto;
  EXPECT_TRUE(textos.contains("Comercial Los Andes"));
  EXPECT_TRUE(textos.contains(titulo));
  EXPECT_EQ(textos.count("1708000"), 1);
  EXPECT_TRUE(textos.contains("Facturas emitidas por la venta de bienes inmuebles afectas a IVA"));
}
