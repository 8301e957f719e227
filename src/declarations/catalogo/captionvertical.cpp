#include "declarations/catalogo/captionvertical.h"

QStringList DividirCaption(const QString& caption) {
  const QChar comillas = QLatin1Char('"');
  const QChar separador = QLatin1Char(';');
  auto blanco = [](QChar c) { return c.unicode() >= 1 && c.unicode() <= 32; };
  QStringList lineas;
  const int n = caption.size();
  int i = 0;
  while (i < n && blanco(caption.at(i))) ++i;
  while (i < n) {
    QString linea;
    if (caption.at(i) == comillas) {
      ++i;
      while (i < n) {
        if (caption.at(i) == comillas) {
          if (i + 1 < n && caption.at(i + 1) == comillas) {
            linea += comillas;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        linea += caption.at(i++);
      }
    } else {
      const int inicio = i;
      while (i < n && !blanco(caption.at(i)) && caption.at(i) != separador) ++i;
      linea = caption.mid(inicio, i - inicio);
    }
    lineas << linea;
    while (i < n && blanco(caption.at(i))) ++i;
    if (i < n && caption.at(i) == separador) {
      if (i + 1 == n) lineas << QString();
      ++i;
      while (i < n && blanco(caption.at(i))) ++i;
    }
  }
  return lineas;
}
