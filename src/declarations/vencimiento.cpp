#include "declarations/vencimiento.h"

#include <algorithm>
#include <iterator>

namespace {

// National public holidays of Chile, as the Biblioteca del Congreso Nacional
// publishes them (https://www.bcn.cl/leychile, laws 2.977, 19.668, 19.973,
// 20.148, 20.215, 20.299, 20.983 and 21.357) and the official calendar at
// https://www.feriados.cl. The days that move with a law's rule (San Pedro
// y San Pablo and Encuentro de Dos Mundos to a Monday, the 17th and 20th of
// September, the Día de los Pueblos Indígenas on the winter solstice, Good
// Friday and Holy Saturday) are written as they fall. Elections held on a
// Sunday are left out: a Sunday is never a business day anyway. Regional
// holidays do not move a national due date. To add a year, add its days here
// in date order and move UltimoAnoFeriados.
constexpr int kFeriados[][3] = {
    {2024, 1, 1},   {2024, 3, 29},  {2024, 3, 30},  {2024, 5, 1},   {2024, 5, 21},  {2024, 6, 20},
    {2024, 6, 29},  {2024, 7, 16},  {2024, 8, 15},  {2024, 9, 18},  {2024, 9, 19},  {2024, 9, 20},
    {2024, 10, 12}, {2024, 10, 31}, {2024, 11, 1},  {2024, 12, 8},  {2024, 12, 25},

    {2025, 1, 1},   {2025, 4, 18},  {2025, 4, 19},  {2025, 5, 1},   {2025, 5, 21},  {2025, 6, 20},
    {2025, 6, 29},  {2025, 7, 16},  {2025, 8, 15},  {2025, 9, 18},  {2025, 9, 19},  {2025, 10, 12},
    {2025, 10, 31}, {2025, 11, 1},  {2025, 12, 8},  {2025, 12, 25},

    {2026, 1, 1},   {2026, 4, 3},   {2026, 4, 4},   {2026, 5, 1},   {2026, 5, 21},  {2026, 6, 21},
    {2026, 6, 29},  {2026, 7, 16},  {2026, 8, 15},  {2026, 9, 18},  {2026, 9, 19},  {2026, 10, 12},
    {2026, 10, 31}, {2026, 11, 1},  {2026, 12, 8},  {2026, 12, 25},

    {2027, 1, 1},   {2027, 3, 26},  {2027, 3, 27},  {2027, 5, 1},   {2027, 5, 21},  {2027, 6, 21},
    {2027, 6, 28},  {2027, 7, 16},  {2027, 8, 15},  {2027, 9, 18},  {2027, 9, 19},  {2027, 10, 11},
    {2027, 10, 31}, {2027, 11, 1},  {2027, 12, 8},  {2027, 12, 25},
};

}  // namespace

int PrimerAnoFeriados() { return kFeriados[0][0]; }
int UltimoAnoFeriados() { return kFeriados[std::size(kFeriados) - 1][0]; }

bool EsFeriadoChile(const QDate& fecha) {
  const int buscado[3] = {fecha.year(), fecha.month(), fecha.day()};
  return std::binary_search(std::begin(kFeriados), std::end(kFeriados), buscado,
                            [](const auto& a, const auto& b) { return std::lexicographical_compare(a, a + 3, b, b + 3); });
}

bool EsDiaHabil(const QDate& fecha) { return fecha.dayOfWeek() < Qt::Saturday && !EsFeriadoChile(fecha); }

QDate FechaVencimiento(const AnoMes& periodo, bool facturaElectronica) {
  const QDate siguiente = QDate(periodo.ano, periodo.mes, 1).addMonths(1);
  QDate fecha(siguiente.year(), siguiente.month(),
              facturaElectronica ? DiaVencimientoFacturaElectronica : DiaVencimientoPapel);
  while (!EsDiaHabil(fecha)) fecha = fecha.addDays(1);
  return fecha;
}
