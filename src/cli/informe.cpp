// alcabala-cli informe TIPO AAAA-MM [--pdf SALIDA.pdf | --impresora NOMBRE]
// [--carpeta CARPETA]...: one of the six company lists for a period, with the
// same scan, table and template as the window's "&Informes" menu, drawn into
// a PDF file or onto a printer. Without --carpeta the window's two folders
// are scanned; the folders given replace them. Data files are only read.

#include <QCoreApplication>
#include <QFileInfo>

#include "cli/dibujo.h"
#include "cli/ligero/periodo.h"
#include "cli/ligero/subcomando.h"
#include "general/errores.h"
#include "reports/escaneo.h"
#include "reports/informesempresas.h"
#include "reports/listaempresas.h"
#include "reports/tablaempresas.h"

namespace {

QString UsoInforme() {
  QStringList tipos;
  for (const DefinicionInformeEmpresas& definicion : InformesEmpresas()) tipos << definicion.tipoCli;
  return QStringLiteral("informe %1 AAAA-MM %2 [--carpeta CARPETA]...").arg(tipos.join(QLatin1Char('|')), UsoDestinoDibujo);
}

struct OpcionesInforme {
  const DefinicionInformeEmpresas* informe = nullptr;
  int ano = 0;
  int mes = 0;
  QStringList carpetas;  // empty: the window's folders
  DestinoDibujo destino;
};

// Takes every --carpeta with its folder out of the arguments; false when one lacks its folder.
bool LeerCarpetas(QStringList& argumentos, QStringList* carpetas) {
  for (int i = 0; i < argumentos.size();) {
    if (argumentos.at(i) != QLatin1String("--carpeta")) {
      ++i;
      continue;
    }
    if (i + 1 >= argumentos.size() || argumentos.at(i + 1).isEmpty()) return false;
    *carpetas << argumentos.at(i + 1);
    argumentos.remove(i, 2);
  }
  return true;
}

bool LeerOpciones(QStringList argumentos, OpcionesInforme* opciones) {
  if (!LeerCarpetas(argumentos, &opciones->carpetas) || !LeerDestinoDibujo(argumentos, &opciones->destino) ||
      argumentos.size() != 2)
    return false;
  opciones->informe = InformePorTipoCli(argumentos.at(0));
  return opciones->informe != nullptr && LeerPeriodoArgumento(argumentos.at(1), &opciones->ano, &opciones->mes);
}

// A folder the user named must exist: a mistyped path would list no company at all.
void ComprobarCarpetas(const QStringList& carpetas) {
  for (const QString& carpeta : carpetas)
    if (!QFileInfo(carpeta).isDir()) throw ErrorAlcabala(QStringLiteral("La carpeta «%1» no existe").arg(carpeta));
}

int Informe(ContextoCli& contexto) {
  OpcionesInforme opciones;
  if (!LeerOpciones(contexto.argumentos, &opciones)) return ErrorDeUso(contexto, UsoInforme());
  ComprobarCarpetas(opciones.carpetas);
  const QStringList carpetas = opciones.carpetas.isEmpty()
                                   ? CarpetasEmpresas(QCoreApplication::applicationDirPath())
                                   : opciones.carpetas;

  TablaEmpresas tabla(contexto.locale);
  const std::optional<ListaEmpresas> lista =
      PrepararListaEmpresas(tabla, opciones.informe->informe, opciones.ano, opciones.mes, carpetas);
  if (!lista) return 1;  // only a progress notice cancels, and there is none here
  OpcionesRender render;
  render.locale = contexto.locale;
  DibujarEnDestino(opciones.destino, lista->titulo, [&](QPagedPaintDevice& dispositivo) {
    Renderizar(*lista->plantilla, lista->Datos(), dispositivo, render);
  });
  return 0;
}

const bool registrado = RegistrarSubcomando({QStringLiteral("informe"), UsoInforme(), Informe, true});

}  // namespace
