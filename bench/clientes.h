#pragma once
// What the benchmarks over many client files share: copies of a model file,
// each with a taxpayer of its own, and the median of the rounds.

#include <sqlite3.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <vector>

inline bool Sql(sqlite3* base, const char* sql) { return sqlite3_exec(base, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// `cantidad` copies of the model in the folder, "Cliente0000.alc" …, named
// in an order other than the files' own.
inline QStringList CopiarClientes(const QString& modelo, const QString& carpeta, int cantidad) {
  QStringList rutas;
  for (int i = 0; i < cantidad; ++i) {
    const QString ruta = QStringLiteral("%1/Cliente%2.alc").arg(carpeta).arg(i, 4, 10, QLatin1Char('0'));
    QFile::copy(modelo, ruta);
    sqlite3* base = nullptr;
    sqlite3_open(ruta.toUtf8().constData(), &base);
    const QByteArray sql = QStringLiteral("PRAGMA synchronous=OFF; UPDATE contribuyente SET RUT = %1, "
                                          "ApellidoPaternoRazonSocial = 'Cliente %2'")
                               .arg(1000000 + i)
                               .arg((i * 7919) % cantidad)
                               .toUtf8();
    if (!Sql(base, sql.constData())) std::printf("no se pudo preparar %s\n", qPrintable(ruta));
    sqlite3_close(base);
    rutas << ruta;
  }
  return rutas;
}

inline double Mediana(std::vector<double> valores) {
  std::sort(valores.begin(), valores.end());
  return valores.at(valores.size() / 2);
}
