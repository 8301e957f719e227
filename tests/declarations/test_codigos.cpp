// No box code outside the catalogue: the program's sources name a box by a
// string literal ("538", "Cod538", QLatin1String("740")) only in the tables
// that state the boxes and in the calculation's formulas. Everything else
// finds its boxes through the catalogue (a box's class, family, list, diesel
// role or declared flag).

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <vector>

#include "declarations/catalogo/catalogo.h"

namespace {

// Files allowed to name boxes, relative to src/.
const QStringList kPermitidos = {
    QStringLiteral("declarations/catalogo/catalogo.cpp"),     // the catalogue: every box and its domain facts
    QStringLiteral("declarations/catalogo/catalogo.h"),
    QStringLiteral("declarations/catalogo/disposicion.cpp"),  // the screen layout, keyed by box code
    QStringLiteral("declarations/catalogo/disposicion.h"),
    QStringLiteral("reports/plantillas.cpp"),                 // the print templates, keyed by field
    QStringLiteral("declarations/motor/formulas.cpp"),       // the calculation's formulas
};

struct Literal {
  int linea;
  QString texto;
};

bool EsIdentificador(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// The string literals of a C++ source with their line numbers; comments and
// character literals are skipped, and adjacent pieces are not joined. Escapes
// are kept as written: a box code never holds one.
std::vector<Literal> LiteralesDeCadena(const QString& fuente) {
  std::vector<Literal> r;
  int linea = 1;
  const int n = fuente.size();
  int i = 0;
  const auto avanzar = [&](int hasta) {
    for (; i < hasta && i < n; ++i)
      if (fuente.at(i) == QLatin1Char('\n')) ++linea;
  };
  while (i < n) {
    const QChar c = fuente.at(i);
    const QChar siguiente = i + 1 < n ? fuente.at(i + 1) : QChar();
    if (c == QLatin1Char('/') && siguiente == QLatin1Char('/')) {
      const int fin = fuente.indexOf(QLatin1Char('\n'), i);
      avanzar(fin < 0 ? n : fin);
    } else if (c == QLatin1Char('/') && siguiente == QLatin1Char('*')) {
      const int fin = fuente.indexOf(QStringLiteral("*/"), i + 2);
      avanzar(fin < 0 ? n : fin + 2);
    } else if (c == QLatin1Char('"')) {
      // A raw string: R"delim( … )delim", the R right before the quote.
      int inicioPrefijo = i;
      while (inicioPrefijo > 0 && EsIdentificador(fuente.at(inicioPrefijo - 1))) --inicioPrefijo;
      const QString prefijo = fuente.mid(inicioPrefijo, i - inicioPrefijo);
      const int lineaInicio = linea;
      if (QStringList{QStringLiteral("R"), QStringLiteral("u8R"), QStringLiteral("uR"), QStringLiteral("UR"),
                      QStringLiteral("LR")}
              .contains(prefijo)) {
        const int abre = fuente.indexOf(QLatin1Char('('), i);
        const QString cierre = QLatin1Char(')') + fuente.mid(i + 1, abre - i - 1) + QLatin1Char('"');
        const int fin = fuente.indexOf(cierre, abre);
        const int finTexto = fin < 0 ? n : fin;
        r.push_back({lineaInicio, fuente.mid(abre + 1, finTexto - abre - 1)});
        avanzar(fin < 0 ? n : fin + cierre.size());
        continue;
      }
      int j = i + 1;
      while (j < n && fuente.at(j) != QLatin1Char('"') && fuente.at(j) != QLatin1Char('\n'))
        j += fuente.at(j) == QLatin1Char('\\') ? 2 : 1;
      r.push_back({lineaInicio, fuente.mid(i + 1, std::min(j, n) - i - 1)});
      avanzar(j + 1);
    } else if (c == QLatin1Char('\'') && !(i > 0 && fuente.at(i - 1).isLetterOrNumber())) {
      // A character literal (a digit separator follows a digit: left alone).
      int j = i + 1;
      while (j < n && fuente.at(j) != QLatin1Char('\'') && fuente.at(j) != QLatin1Char('\n'))
        j += fuente.at(j) == QLatin1Char('\\') ? 2 : 1;
      avanzar(j + 1);
    } else {
      avanzar(i + 1);
    }
  }
  return r;
}

QSet<QString> CodigosYCampos() {
  QSet<QString> r;
  for (const Caja& c : Catalogo()) {
    r.insert(c.codigo);
    r.insert(QStringLiteral("Cod") + c.codigo);
  }
  return r;
}

// "línea: literal" for every literal of the source that names a box.
QStringList CodigosEn(const QString& fuente, const QSet<QString>& codigos) {
  QStringList r;
  for (const Literal& l : LiteralesDeCadena(fuente))
    if (codigos.contains(l.texto)) r << QStringLiteral("%1: \"%2\"").arg(l.linea).arg(l.texto);
  return r;
}

}  // namespace

TEST(CodigosDeCajas, ElLectorVeLiteralesNoComentariosNiNombres) {
  const QSet<QString> codigos = CodigosYCampos();
  const QString fuente = QStringLiteral(
      "// a comment naming \"538\" does not count\n"
      "/* nor \"Cod583\"\n in a block */\n"
      "void DBCheckBoxCod583Click();\n"
      "int x = CalcularCod563(r, '\"');\n"
      "auto a = QLatin1String(\"740\");\n"
      "auto b = QStringLiteral(\"Cod538\") + \"DBEDitCod740\" + \"Cod547Mostrar\";\n"
      "auto c = \"escaped \\\" 538\"; auto d = \"91\";\n"
      "auto e = R\"x(\"03\")x\"; auto f = R\"(03)\";\n"
      "auto g = 1'000; auto h = \"06\";\n");
  EXPECT_EQ(CodigosEn(fuente, codigos).join(QLatin1Char('|')).toStdString(),
            "6: \"740\"|7: \"Cod538\"|8: \"91\"|9: \"03\"|10: \"06\"");
}

TEST(CodigosDeCajas, NingunCodigoFueraDelCatalogoYLasFormulas) {
  const QSet<QString> codigos = CodigosYCampos();
  ASSERT_GT(codigos.size(), 400);
  const QDir src(QStringLiteral(ALCABALA_SOURCE_DIR "/src"));
  ASSERT_TRUE(src.exists()) << src.path().toStdString();
  QStringList hallazgos;
  int leidos = 0;
  QDirIterator it(src.path(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString ruta = it.next();
    const QString relativa = src.relativeFilePath(ruta);
    QFile archivo(ruta);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << ruta.toStdString();
    ++leidos;
    if (kPermitidos.contains(relativa)) continue;
    for (const QString& h : CodigosEn(QString::fromUtf8(archivo.readAll()), codigos))
      hallazgos << QStringLiteral("src/%1:%2").arg(relativa, h);
  }
  EXPECT_GT(leidos, 100);
  hallazgos.sort();
  EXPECT_TRUE(hallazgos.isEmpty()) << "códigos de caja fuera del catálogo:\n"
                                   << hallazgos.join(QLatin1Char('\n')).toStdString();
}
