#pragma once
// The registry files of one period read together into the boxes of the
// declaration: counts and amounts by box, and beside them what did not go
// in (documents of other periods, duplicates across files, documents
// without a box, and the common-use VAT that needs the company's ratio).

#include <QList>
#include <QString>
#include <QStringList>

#include "rcv/lector.h"

struct ArchivoRcv {
  QString nombre;
  LibroRcv libro = LibroRcv::Ventas;
  SeccionRcv seccion = SeccionRcv::Registro;
  int documentos = 0;      // rows read as documents
  int continuaciones = 0;  // continuation rows skipped
};

// Documents summed in one group of the lists.
struct GrupoRcv {
  QString descripcion;  // "Compras PENDIENTE, tipo 33 «Del Giro»"
  QString motivo;       // why it is listed
  int documentos = 0;
  qint64 exentoNeto = 0;
  qint64 iva = 0;
  qint64 total = 0;
};

struct DuplicadoRcv {
  QString archivo;
  int linea = 0;
  LibroRcv libro = LibroRcv::Ventas;
  int tipo = 0;
  qint64 folio = 0;
  QString rut;           // "12345678-5"
  QString archivoPrimero;  // where it was read first
  int lineaPrimero = 0;
};

struct CasillaRcv {
  QString codigo;
  qint64 valor = 0;
};

struct ResumenRcv {
  int ano = 0;
  int mes = 0;
  QList<ArchivoRcv> archivos;
  int documentosDelPeriodo = 0;
  // The boxes the registry feeds (a document went to their line), in the
  // order of the form; codes the form lacks come last.
  QList<CasillaRcv> casillas;
  QList<GrupoRcv> noIncorporado;
  QList<GrupoRcv> proporcionalidad;
  QList<GrupoRcv> otrosPeriodos;
  QList<DuplicadoRcv> duplicados;  // the first ones, at most MaximoDuplicadosListados
  int totalDuplicados = 0;
};

constexpr int MaximoDuplicadosListados = 200;

// Reads the files for the period (year, month). The first fault of a file
// ends the reading with its message (ErrorAlcabala); nothing is returned then.
ResumenRcv LeerRegistroRcv(const QStringList& rutas, int ano, int mes);
