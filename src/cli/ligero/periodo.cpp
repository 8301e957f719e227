#include "cli/ligero/periodo.h"

#include <QFileInfo>
#include <QStringView>

#include "general/errores.h"

namespace {
bool EsDigito(QChar c) { return c >= u'0' && c <= u'9'; }

bool LeerAno(QStringView texto, int* ano) {
  if (texto.size() != 4) return false;
  for (QChar c : texto)
    if (!EsDigito(c)) return false;
  *ano = texto.toInt();
  return *ano >= 1000;
}
}  // namespace

bool LeerPeriodoArgumento(const QString& texto, int* ano, int* mes) {
  // Four digits, "-", two digits (a final line break, as a shell may pass
  // it, is let through).
  QStringView periodo(texto);
  if (periodo.endsWith(u'\n')) periodo.chop(1);
  if (periodo.size() != 7 || periodo.at(4) != u'-') return false;
  if (!EsDigito(periodo.at(5)) || !EsDigito(periodo.at(6)) || !LeerAno(periodo.left(4), ano)) return false;
  *mes = periodo.mid(5, 2).toInt();
  return *mes >= 1 && *mes <= 12;
}

bool LeerCarpetas(QStringList& argumentos, QStringList* carpetas) {
  for (int i = 0; i < argumentos.size();) {
    if (argumentos.at(i) != QLatin1String("--carpeta")) {
      ++i;
      continue;
    }
    if (i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty()) return false;
    *carpetas << argumentos.at(i + 1);
    argumentos.remove(i, 2);
  }
  return true;
}

void ComprobarCarpetas(const QStringList& carpetas) {
  for (const QString& carpeta : carpetas)
    if (!QFileInfo(carpeta).isDir()) throw ErrorAlcabala(QStringLiteral("La carpeta «%1» no existe").arg(carpeta));
}

bool LeerAnoArgumento(const QString& texto, int* ano) { return LeerAno(texto, ano); }
