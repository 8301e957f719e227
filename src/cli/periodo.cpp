#include "cli/periodo.h"

#include <QRegularExpression>

bool LeerPeriodoArgumento(const QString& texto, int* ano, int* mes) {
  static const QRegularExpression patron(QStringLiteral("^(\\d{4})-(\\d{2})$"));
  const auto periodo = patron.match(texto);
  if (!periodo.hasMatch()) return false;
  *ano = periodo.captured(1).toInt();
  *mes = periodo.captured(2).toInt();
  return *ano >= 1000 && *mes >= 1 && *mes <= 12;
}
