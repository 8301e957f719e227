#include "cli/dibujo.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "general/errores.h"
#include "reports/salidapdf.h"

bool LeerDestinoDibujo(QStringList& argumentos, DestinoDibujo* destino) {
  QStringList resto;
  for (int i = 0; i < argumentos.size(); ++i) {
    const QString& argumento = argumentos.at(i);
    QString* valor = argumento == QLatin1String("--pdf")         ? &destino->pdf
                     : argumento == QLatin1String("--impresora") ? &destino->impresora
                                                                 : nullptr;
    if (valor == nullptr) {
      resto << argumento;
      continue;
    }
    if (!valor->isEmpty() || i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty()) return false;
    *valor = argumentos.at(++i);
  }
  if (!destino->pdf.isEmpty() && !destino->impresora.isEmpty()) return false;
  argumentos = resto;
  return true;
}

bool LeerDesplazamiento(QStringList& argumentos, DesplazamientoPedido* desplazamiento) {
  QStringList resto;
  std::optional<QString> textos[2];  // horizontal, vertical
  for (int i = 0; i < argumentos.size(); ++i) {
    const QString& argumento = argumentos.at(i);
    const int eje = argumento == QLatin1String("--horizontal") ? 0 : argumento == QLatin1String("--vertical") ? 1 : -1;
    if (eje < 0) {
      resto << argumento;
      continue;
    }
    if (textos[eje] || i + 1 >= argumentos.size()) return false;
    textos[eje] = argumentos.at(++i);
  }
  argumentos = resto;
  if (textos[0]) desplazamiento->horizontalMm = LeerMilimetros(*textos[0], QStringLiteral("horizontal"));
  if (textos[1]) desplazamiento->verticalMm = LeerMilimetros(*textos[1], QStringLiteral("vertical"));
  return true;
}

namespace {

QPrinterInfo ImpresoraElegida(const QString& nombre) {
  if (QPrinterInfo::availablePrinterNames().isEmpty())
    throw ErrorAlcabala(QStringLiteral("No hay ninguna impresora instalada"));
  if (!nombre.isEmpty()) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(nombre);
    if (info.isNull()) throw ErrorAlcabala(QStringLiteral("No existe la impresora «%1»").arg(nombre));
    return info;
  }
  const QPrinterInfo predeterminada = QPrinterInfo::defaultPrinter();
  if (predeterminada.isNull())
    throw ErrorAlcabala(QStringLiteral("No hay una impresora predeterminada: indique una con --impresora NOMBRE"));
  return predeterminada;
}

void DibujarEnImpresora(const QString& nombre, const QString& titulo,
                        const std::function<void(QPagedPaintDevice&)>& dibujar) {
  QPrinter impresora(ImpresoraElegida(nombre), QPrinter::HighResolution);
  impresora.setFullPage(true);
  impresora.setDocName(titulo);
  dibujar(impresora);
  if (impresora.printerState() == QPrinter::Error)
    throw ErrorAlcabala(QStringLiteral("La impresora «%1» no pudo imprimir «%2»").arg(impresora.printerName(), titulo));
}

}  // namespace

void DibujarEnDestino(const DestinoDibujo& destino, const QString& titulo,
                      const std::function<void(QPagedPaintDevice&)>& dibujar) {
  if (!destino.pdf.isEmpty())
    EscribirPdf(destino.pdf, titulo, dibujar);
  else
    DibujarEnImpresora(destino.impresora, titulo, dibujar);
}
