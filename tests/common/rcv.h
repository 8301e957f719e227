#pragma once
// Registry files made by the tests, in the layout the tax authority's
// downloads have, and the samples kept in the shared folder.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>

// Texts printed readably when a comparison fails.
inline void PrintTo(const QString& texto, std::ostream* os) { *os << '"' << texto.toStdString() << '"'; }

namespace prueba {

inline const QString kCarpetaMuestrasRcv = QStringLiteral(ALCABALA_SOURCE_DIR "/tests/rcv/muestras");

inline QByteArray EncabezadoVentasRcv() {
  return "Nro;Tipo Doc;Tipo Venta;Rut cliente;Razon Social;Folio;Fecha Docto;Fecha Recepcion;Fecha Acuse Recibo;"
         "Fecha Reclamo;Monto Exento;Monto Neto;Monto IVA;Monto total;IVA Retenido Total;Codigo Otro Imp.;"
         "Valor Otro Imp.;Tasa Otro Imp.";
}

// A sale: Nro, type, kind, RUT, folio, date, exempt, net, VAT; the total is their sum.
inline QByteArray FilaVentaRcv(const QByteArray& nro, int tipo, const QByteArray& operacion, const QByteArray& rut,
                               qint64 folio, const QByteArray& fecha, qint64 exento, qint64 neto, qint64 iva) {
  return nro + ';' + QByteArray::number(tipo) + ';' + operacion + ';' + rut + ";Cliente S.A.;" +
         QByteArray::number(folio) + ';' + fecha + ';' + fecha + " 10:00:00;;;" + QByteArray::number(exento) + ';' +
         QByteArray::number(neto) + ';' + QByteArray::number(iva) + ';' + QByteArray::number(exento + neto + iva) +
         ";0;;;;";
}

inline QByteArray EncabezadoComprasRcv() {
  return "Nro;Tipo Doc;Tipo Compra;RUT Proveedor;Razon Social;Folio;Fecha Docto;Fecha Recepcion;Fecha Acuse;"
         "Monto Exento;Monto Neto;Monto IVA Recuperable;Monto Iva No Recuperable;Codigo IVA No Rec.;Monto Total;"
         "Monto Neto Activo Fijo;IVA Activo Fijo;IVA uso Comun;Impto. Sin Derecho a Credito;IVA No Retenido;"
         "Codigo Otro Impuesto;Valor Otro Impuesto;Tasa Otro Impuesto";
}

struct MontosCompraRcv {
  qint64 exento = 0;
  qint64 neto = 0;
  qint64 iva = 0;
  qint64 noRecuperable = 0;
  qint64 activoFijo = 0;
  qint64 usoComun = 0;
};

// A purchase received on `recepcion` (DD/MM/AAAA).
inline QByteArray FilaCompraRcv(int nro, int tipo, const QByteArray& operacion, qint64 folio,
                                const QByteArray& recepcion, const MontosCompraRcv& m) {
  const auto n = [](qint64 v) { return v == 0 ? QByteArray() : QByteArray::number(v); };
  const qint64 total = m.exento + m.neto + m.iva + m.noRecuperable + m.activoFijo + m.usoComun;
  return QByteArray::number(nro) + ';' + QByteArray::number(tipo) + ';' + operacion + ";76354771-K;Proveedor;" +
         QByteArray::number(folio) + ';' + recepcion + ';' + recepcion + " 09:00:00;;" + QByteArray::number(m.exento) +
         ';' + QByteArray::number(m.neto) + ';' + n(m.iva) + ';' + n(m.noRecuperable) + ";;" +
         QByteArray::number(total) + ";;" + n(m.activoFijo) + ';' + n(m.usoComun) + ";;0;;;;";
}

// Writes the rows after the header, each line ending in `fin`.
inline bool EscribirRcv(const QString& ruta, const QByteArray& encabezado, const QList<QByteArray>& filas,
                        const QByteArray& fin = "\r\n") {
  QFile archivo(ruta);
  if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  QByteArray todo = encabezado + fin;
  for (const QByteArray& f : filas) todo += f + fin;
  return archivo.write(todo) == todo.size();
}

}  // namespace prueba
