#pragma once
// What the benchmarks over many client files share: copies of a model file,
// each with a taxpayer of its own, the bare SQLite loop they are measured
// against, and the median of the rounds.

#include <sqlite3.h>

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
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

// Reads every column of every row of the statement, as a program would use them.
inline long long LeerFilas(sqlite3_stmt* sentencia) {
  long long suma = 0;
  while (sqlite3_step(sentencia) == SQLITE_ROW)
    for (int c = 0; c < sqlite3_column_count(sentencia); ++c)
      suma += sqlite3_column_type(sentencia, c) == SQLITE_TEXT ? sqlite3_column_bytes(sentencia, c)
                                                                : sqlite3_column_int64(sentencia, c);
  return suma;
}

// The bare SQLite loop: every file opened read-only, the declarations that
// `sql` selects (its parameters bound in order) and the taxpayer row read
// whole. Milliseconds.
inline double BucleDesnudo(const QStringList& rutas, const char* sql, std::initializer_list<int> parametros) {
  QElapsedTimer reloj;
  reloj.start();
  long long suma = 0;
  for (const QString& ruta : rutas) {
    sqlite3* base = nullptr;
    if (sqlite3_open_v2(ruta.toUtf8().constData(), &base, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      std::printf("no se pudo abrir %s\n", qPrintable(ruta));
      sqlite3_close(base);
      continue;
    }
    sqlite3_stmt* declaraciones = nullptr;
    sqlite3_prepare_v2(base, sql, -1, &declaraciones, nullptr);
    int posicion = 0;
    for (int valor : parametros) sqlite3_bind_int(declaraciones, ++posicion, valor);
    suma += LeerFilas(declaraciones);
    sqlite3_finalize(declaraciones);
    sqlite3_stmt* contribuyente = nullptr;
    sqlite3_prepare_v2(base, "SELECT * FROM contribuyente ORDER BY rowid LIMIT 1", -1, &contribuyente, nullptr);
    suma += LeerFilas(contribuyente);
    sqlite3_finalize(contribuyente);
    sqlite3_close(base);
  }
  const double ms = reloj.nsecsElapsed() / 1e6;
  if (suma == 0) std::printf("bucle sin lecturas\n");
  return ms;
}
