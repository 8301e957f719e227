// Speed of reading the purchase and sales registry: a register of 100,000
// purchase documents (with an additional-tax row every tenth) read and summed
// into boxes, beside a plain CSV pass over the same file (lines split at `;`,
// nothing converted). The target: under a second, and at most twice the
// plain pass.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "rcv/resumen.h"

namespace {

constexpr int kDocumentos = 100000;

QByteArray Registro() {
  QByteArray r =
      "Nro;Tipo Doc;Tipo Compra;RUT Proveedor;Razon Social;Folio;Fecha Docto;Fecha Recepcion;Fecha Acuse;"
      "Monto Exento;Monto Neto;Monto IVA Recuperable;Monto Iva No Recuperable;Codigo IVA No Rec.;Monto Total;"
      "Monto Neto Activo Fijo;IVA Activo Fijo;IVA uso Comun;Impto. Sin Derecho a Credito;IVA No Retenido;"
      "Tabacos Puros;Tabacos Cigarrillos;Tabacos Elaborados;NCE o NDE sobre Fact. de Compra;Codigo Otro Impuesto;"
      "Valor Otro Impuesto;Tasa Otro Impuesto\r\n";
  const char* const tipos[] = {"Del Giro", "Supermercados", "Activo Fijo", "Del Giro"};
  for (int i = 1; i <= kDocumentos; ++i) {
    const int tipo = i % 7 == 0 ? 61 : 33;
    const qint64 neto = 10000 + (i * 7919) % 5000000;
    const qint64 iva = neto * 19 / 100;
    const QByteArray rut = QByteArray::number(76000000 + i % 5000) + "-" + QByteArray::number(i % 10);
    const QByteArray fecha = QByteArray::number(1 + i % 28).rightJustified(2, '0') + "/03/2026";
    r += QByteArray::number(i) + ';' + QByteArray::number(tipo) + ';' + tipos[i % 4] + ';' + rut +
         ";Proveedor de Prueba SpA;" + QByteArray::number(i) + ';' + fecha + ';' + fecha + " 10:11:12;" + fecha +
         " 12:00:00;0;" + QByteArray::number(neto) + ';' + QByteArray::number(iva) + ";;;" +
         QByteArray::number(neto + iva) + ";;;;;0;;;;0;;;\r\n";
    if (i % 10 == 0)
      r += ';' + QByteArray::number(tipo) + ';' + tipos[i % 4] + ';' + rut + ";Proveedor de Prueba SpA;" +
           QByteArray::number(i) + ';' + fecha + ";;;;;;;;;;;;;;;;;;24;1200;31.5\r\n";
  }
  return r;
}

// Lines split into fields, every field touched; what any CSV reader must do.
long long PasadaPlana(const QString& ruta) {
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  std::vector<char> buffer(1 << 20);
  long long campos = 0;
  long long largo = 0;
  size_t resto = 0;
  for (;;) {
    const qint64 n = f.read(buffer.data() + resto, static_cast<qint64>(buffer.size() - resto));
    if (n <= 0) break;
    const char* p = buffer.data();
    const char* fin = p + resto + n;
    for (;;) {
      const char* nl = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(fin - p)));
      if (nl == nullptr) break;
      const char* c = p;
      for (;;) {
        const char* s = static_cast<const char*>(std::memchr(c, ';', static_cast<size_t>(nl - c)));
        ++campos;
        largo += (s == nullptr ? nl : s) - c;
        if (s == nullptr) break;
        c = s + 1;
      }
      p = nl + 1;
    }
    resto = static_cast<size_t>(fin - p);
    std::memmove(buffer.data(), p, resto);
  }
  return campos + largo;
}

template <typename F>
double MejorDe(int veces, F&& f) {
  double mejor = 1e9;
  for (int i = 0; i < veces; ++i) {
    QElapsedTimer t;
    t.start();
    f();
    mejor = std::min(mejor, t.nsecsElapsed() / 1e9);
  }
  return mejor;
}

}  // namespace

int main() {
  QTemporaryDir dir;
  const QString ruta = dir.filePath(QStringLiteral("RCV_COMPRA_REGISTRO_76354771-K_202603.csv"));
  {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(Registro()) < 0) return 1;
  }
  const qint64 bytes = QFile(ruta).size();
  long long control = 0;
  ResumenRcv resumen;
  const double plana = MejorDe(5, [&] { control += PasadaPlana(ruta); });
  const double registro = MejorDe(5, [&] { resumen = LeerRegistroRcv({ruta}, 2026, 3); });
  std::printf("Registro de compras: %d documentos, %.1f MB (control %lld)\n", kDocumentos, bytes / 1e6, control);
  std::printf("  pasada CSV simple:       %7.3f s\n", plana);
  std::printf("  lectura y suma del RCV:  %7.3f s  (%d documentos del período, %d casillas)\n", registro,
              resumen.documentosDelPeriodo, static_cast<int>(resumen.casillas.size()));
  std::printf("  razón RCV / CSV simple:  %7.2f  (objetivo: menos de 1 s y razón <= 2)\n", registro / plana);
  return 0;
}
