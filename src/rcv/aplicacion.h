#pragma once
// The registry's boxes beside a declaration: the comparison box by box, and
// writing them into the declaration. Boxes the registry does not feed are
// never touched.

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "rcv/resumen.h"

class Registro;

struct ComparacionRcv {
  QString codigo;
  QString texto;         // the text of its line on the form
  qint64 actual = 0;     // the declaration's value (0 for an empty box)
  qint64 registro = 0;   // the registry's
  QString problema;      // why it cannot be written, empty when it can
  qint64 Diferencia() const { return registro - actual; }
};

// Box by box, the declaration's value and the registry's.
QList<ComparacionRcv> CompararRcv(const ResumenRcv& resumen, const Registro& declaracion, const QLocale& locale);

// Writes the registry's values into the declaration (a record being edited).
// When a box cannot take its value (a box this form does not have, a value
// beyond the box, a negative amount) nothing is written and ErrorAlcabala
// names each such box. Returns the number of boxes written.
int AplicarRcv(const ResumenRcv& resumen, Registro& declaracion, const QLocale& locale);

// What did not go into the boxes, as the program tells it: one heading per
// list that has entries ("No incorporado", "Requiere proporcionalidad",
// "Otros períodos", "Duplicados") and its lines.
struct NotaRcv {
  QString titulo;
  QStringList lineas;
};
QList<NotaRcv> NotasRcv(const ResumenRcv& resumen, const QLocale& locale);
