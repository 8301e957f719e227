#pragma once
// JSON text for alcabala-cli, written by hand where QJsonDocument would lose
// exactness: amounts come from the exact scaled integer and single-precision
// values print as the shortest decimal that reads back to the same single.

#include <QByteArray>
#include <QString>
#include <QVariant>

#include "general/moneda.h"
#include "general/registro.h"
#include "general/tipocolumna.h"

// The writers append UTF-8 JSON text to a buffer, for output written
// straight from the values read; the QString forms below give the same text.
void AnadirJsonTexto(QByteArray& destino, const QString& texto);
// A JSON string literal of text that is pure ASCII (bytes below 0x80).
void AnadirJsonTextoAscii(QByteArray& destino, const char* texto, int largo);
void AnadirJsonEntero(QByteArray& destino, qint64 valor);
void AnadirJsonMoneda(QByteArray& destino, Moneda valor);
void AnadirJsonReal(QByteArray& destino, float valor);
// A stored text (UTF-8 bytes) padded with blanks to `tamano`, as a record
// holds it: ASCII is written straight from the bytes.
void AnadirJsonTextoGuardado(QByteArray& destino, const char* utf8, int largo, int tamano);
// A field's value by its type (see JsonValorCampo).
void AnadirJsonValorCampo(QByteArray& destino, const QVariant& valor, const DefinicionCampo& campo);

// Writes each value it is handed as JSON (a visitor of
// storage/formato/valorcolumna.h).
struct EscritorJson {
  QByteArray& destino;

  void Nulo() { destino += "null"; }
  void Entero(qint64 valor) { AnadirJsonEntero(destino, valor); }
  void Monto(Moneda valor) { AnadirJsonMoneda(destino, valor); }
  void Real(float valor) { AnadirJsonReal(destino, valor); }
  void Logico(bool valor) { destino += valor ? "true" : "false"; }
  void Texto(const QString& texto) { AnadirJsonTexto(destino, texto); }
  void TextoGuardado(const char* utf8, int largo, int tamano) { AnadirJsonTextoGuardado(destino, utf8, largo, tamano); }
};

// A JSON string literal, quotes included.
QString JsonTexto(const QString& texto);
// An amount as a JSON number: whole pesos as an integer, otherwise exact to
// four decimals without trailing zeros (1.5, -0.0001).
QString JsonMoneda(Moneda valor);
// The shortest decimal that reads back to the same float (0.1, 12.5);
// null for values JSON cannot hold (NaN, infinities).
QString JsonReal(float valor);
// A field's value by its type: null, integer, true/false, amount, real, text.
QString JsonValorCampo(const QVariant& valor, const DefinicionCampo& campo);
// A record as one JSON object with the given fields, in their order.
QString JsonRegistro(const Registro& registro, const QList<DefinicionCampo>& campos);
