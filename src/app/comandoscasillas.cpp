#include "app/comandoscasillas.h"

#include "app/controles/comando.h"
#include "app/comandosalcabala.h"
#include "app/controles/impresion.h"
#include "reports/casillas.h"
#include "storage/dataset.h"

void MenuItemCasillasSiiClick(const ContextoComandos& contexto, const QLocale& locale) {
  const RegistroPlano declaracion = contexto.alcabala->CopiaRegistroActual();
  const RegistroPlano contribuyente = contexto.contribuyente->CopiaRegistroActual();
  const int ano = declaracion.Valor(QStringLiteral("ano")).toInt();
  const int mes = declaracion.Valor(QStringLiteral("mes")).toInt();
  const QString titulo = TituloCasillas(ano, mes);
  const QList<RegistroPlano> filas = FilasCasillas(CasillasParaSii(declaracion, ano, mes));
  OpcionesRender opciones;
  opciones.locale = locale;
  MostrarVistaPrevia(contexto.ventana, PlantillaCasillas(), DatosCasillas(filas, contribuyente, titulo), titulo,
                     opciones);
}
