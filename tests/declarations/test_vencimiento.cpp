#include <gtest/gtest.h>

#include "declarations/vencimiento.h"

namespace {

struct CasoVencimiento {
  const char* nombre;
  AnoMes periodo;
  bool facturaElectronica;
  QDate esperado;
};

TEST(Vencimiento, DiaDelMesSiguienteMovidoAlProximoDiaHabil) {
  const CasoVencimiento casos[] = {
      {"el 12 cae en domingo: lunes 13", {2024, 12}, false, QDate(2025, 1, 13)},
      {"el 12 en día hábil queda", {2025, 11}, false, QDate(2025, 12, 12)},
      {"el 20 es feriado (Pueblos Indígenas, jueves): viernes 21", {2024, 5}, true, QDate(2024, 6, 21)},
      {"el 20 feriado en viernes salta el fin de semana", {2024, 8}, true, QDate(2024, 9, 23)},
      {"diciembre vence en enero del año siguiente (12)", {2025, 12}, false, QDate(2026, 1, 12)},
      {"diciembre vence en enero del año siguiente (20)", {2025, 12}, true, QDate(2026, 1, 20)},
      {"el 12 de octubre de 2027 no es feriado: se movió al lunes 11", {2027, 9}, false, QDate(2027, 10, 12)},
      {"Viernes y Sábado Santo y domingo: lunes", {2024, 2}, false, QDate(2024, 3, 12)},
      {"el 20 en sábado: lunes 22", {2026, 5}, true, QDate(2026, 6, 22)},
      {"el 12 en sábado: lunes 14", {2026, 8}, false, QDate(2026, 9, 14)},
  };
  for (const CasoVencimiento& caso : casos)
    EXPECT_EQ(FechaVencimiento(caso.periodo, caso.facturaElectronica), caso.esperado) << caso.nombre;
}

TEST(Vencimiento, FeriadosDeLaTabla) {
  EXPECT_TRUE(EsFeriadoChile(QDate(2024, 1, 1)));
  EXPECT_TRUE(EsFeriadoChile(QDate(2026, 4, 3)));    // Viernes Santo
  EXPECT_FALSE(EsFeriadoChile(QDate(2026, 4, 2)));
  EXPECT_TRUE(EsFeriadoChile(QDate(2027, 12, 25)));  // the table's last day
  EXPECT_FALSE(EsFeriadoChile(QDate(2025, 12, 31)));  // a bank holiday only
  EXPECT_TRUE(EsDiaHabil(QDate(2025, 12, 31)));
  EXPECT_FALSE(EsDiaHabil(QDate(2025, 12, 27)));     // Saturday
  EXPECT_FALSE(EsFeriadoChile(QDate(2023, 12, 25)));  // outside the table
  EXPECT_EQ(PrimerAnoFeriados(), 2024);
  EXPECT_EQ(UltimoAnoFeriados(), 2027);
}

TEST(Vencimiento, CadaAnoDeLaTablaTieneSusFeriadosFijos) {
  for (int ano = PrimerAnoFeriados(); ano <= UltimoAnoFeriados(); ++ano)
    for (const QDate& fijo : {QDate(ano, 1, 1), QDate(ano, 5, 1), QDate(ano, 5, 21), QDate(ano, 9, 18),
                              QDate(ano, 9, 19), QDate(ano, 12, 25)})
      EXPECT_TRUE(EsFeriadoChile(fijo)) << fijo.toString(Qt::ISODate).toStdString();
}

}  // namespace
