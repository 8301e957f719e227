#include "cli/ligero/periodo.h"

#include <QStringView>

namespace {
bool EsDigito(QChar c) { return c >= u'0' && c <= u'9'; }
}  // namespace

bool LeerPeriodoArgumento(const QString& texto, int* ano, int* mes) {
  // Four digits, "-", two digits (a final line break, as a shell may pass
  // it, is let through).
  QStringView periodo(texto);
  if (periodo.endsWith(u'\n')) periodo.chop(1);
  if (periodo.size() != 7 || periodo.at(4) != u'-') return false;
  for (int i : {0, 1, 2, 3, 5, 6})
    if (!EsDigito(periodo.at(i))) return false;
  *ano = periodo.left(4).toInt();
  *mes = periodo.mid(5, 2).toInt();
  return *ano >= 1000 && *mes >= 1 && *mes <= 12;
}
