#include "common/pdf.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace prueba {

QList<PaginaPdf> LeerPdf(const QString& ruta) {
  QProcess proceso;
  proceso.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), ruta, QStringLiteral("-")});
  if (!proceso.waitForFinished(30000) || proceso.exitCode() != 0) {
    ADD_FAILURE() << "pdftotext no pudo leer " << ruta.toStdString() << ": "
                  << proceso.readAllStandardError().toStdString();
    return {};
  }
  const QString html = QString::fromUtf8(proceso.readAllStandardOutput());
  static const QRegularExpression pagina(QStringLiteral(R"x(<page width="([\d.]+)" height="([\d.]+)">)x"));
  static const QRegularExpression palabra(
      QStringLiteral(R"x(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)x"));
  QList<PaginaPdf> paginas;
  for (const QString& trozo : html.split(QStringLiteral("</page>"))) {
    const auto p = pagina.match(trozo);
    if (!p.hasMatch()) continue;
    PaginaPdf leida;
    leida.tamano = QSizeF(p.captured(1).toDouble(), p.captured(2).toDouble());
    auto it = palabra.globalMatch(trozo);
    while (it.hasNext()) {
      const auto w = it.next();
      const double izq = w.captured(1).toDouble(), sup = w.captured(2).toDouble();
      const double der = w.captured(3).toDouble(), inf = w.captured(4).toDouble();
      leida.palabras.append({QTextDocumentFragment::fromHtml(w.captured(5)).toPlainText(),
                             QRectF(QPointF(izq, sup), QPointF(der, inf))});
    }
    paginas << leida;
  }
  return paginas;
}

QList<PalabraPdf> Buscar(const PaginaPdf& pagina, const QString& texto) {
  QList<PalabraPdf> encontradas;
  for (const PalabraPdf& p : pagina.palabras)
    if (p.texto == texto) encontradas << p;
  return encontradas;
}

bool EnCasilla(const PaginaPdf& pagina, const QString& texto, double derecha, double arriba) {
  for (const PalabraPdf& p : Buscar(pagina, texto))
    if (std::abs(p.caja.right() - derecha * 72) <= 1.0 && std::abs(p.caja.top() - arriba * 72) <= 1.0) return true;
  return false;
}

}  // namespace prueba
