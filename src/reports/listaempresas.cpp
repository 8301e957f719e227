#include "reports/listaempresas.h"

#include "reports/plantillas.h"
#include "reports/tablaempresas.h"

DatosInforme ListaEmpresas::Datos() const {
  DatosInforme datos;
  for (const RegistroPlano& fila : filas) datos.filas << &fila;
  datos.parametros.insert(ParametroTitulo, titulo);
  datos.parametros.insert(ParametroHecho, TextoHecho(hecha));
  datos.parametros.insert(ParametroCantidad, TextoCantidadEmpresas(static_cast<int>(filas.size())));
  return datos;
}

std::optional<ListaEmpresas> PrepararListaEmpresas(TablaEmpresas& tabla, InformeEmpresas informe, int ano, int mes,
                                                   const QStringList& carpetas, const AvisoProgreso& aviso) {
  const DefinicionInformeEmpresas& definicion = DefinicionInforme(informe);
  ListaEmpresas lista;
  lista.plantilla = &BuscarPlantilla(definicion.plantilla);
  lista.titulo = TituloInforme(informe, ano, mes);
  lista.hecha = QDate::currentDate();

  UsoTablaEmpresas uso(tabla);
  if (!CopiarAlcabalas(tabla, PeticionEmpresas{ano, mes, definicion.clase, carpetas}, aviso)) return std::nullopt;
  const DataSet& datos = tabla.ClientDataSetAlcabalas();
  const int cantidad = datos.CantidadFilas();
  lista.filas.reserve(cantidad);
  for (int i = 0; i < cantidad; ++i) lista.filas << datos.CopiaFila(i);
  return lista;
}
