#include "storage/dataset.h"

#include <QHash>
#include <QPointer>
#include <QSqlQuery>
#include <QVector>
#include <algorithm>
#include <limits>
#include <vector>

#include "general/errores.h"
#include "storage/formato/columnas.h"
#include "storage/conexion.h"
#include "storage/filaleida.h"

namespace {

struct Fila {
  qint64 rowid = 0;
  QVector<QVariant> valores;  // stored fields only, in field order
  // Rows held in memory change only when posted: their calculated fields are
  // computed once, when the row is first shown, and kept here (empty until then).
  QVector<QVariant> calculados;
};

int ClaveEntera(const QVariant& valor) {
  // SQLite sorts NULL before every number; so does the index here.
  return EsValorNulo(valor) ? std::numeric_limits<int>::min() : valor.toInt();
}

[[noreturn]] void ErrorCerrado() {
  throw ErrorAlcabala(QStringLiteral("No se puede realizar esta operación en un conjunto de datos cerrado."));
}

[[noreturn]] void ErrorNoEditando() {
  throw ErrorAlcabala(QStringLiteral("El conjunto de datos no está en modo de edición o inserción."));
}

}  // namespace

struct DataSet::Impl {
  DataSet* q = nullptr;

  // Source: a table of a connection, or rows in memory.
  QPointer<Conexion> conexion;
  QString tabla;
  bool ordenAnoMes = false;
  bool enMemoria = false;
  QString campoOrden;
  ComparadorTextos comparador;
  QList<DefinicionCampo> camposMemoria;
  QString filtro;  // SQL condition on the table's rows; empty for every row
  QVariantList parametrosFiltro;

  // Fields: the stored ones, then the calculated ones.
  QList<DefinicionCampo> almacenados;
  QList<DefinicionCampo> calculados;
  QList<DefinicionCampo> todos;
  std::shared_ptr<const DisposicionCampos> disposicion = std::make_shared<DisposicionCampos>();  // of `todos`
  QVector<QVariant> predeterminados;
  int indiceAno = -1;
  int indiceMes = -1;
  int indiceOrden = -1;

  ManejadorCalculo manejador;
  bool recalculo = true;

  EstadoDataSet estado = EstadoDataSet::Cerrado;
  std::vector<Fila> filas;
  int actual = -1;
  bool bof = true;
  bool eof = true;
  qint64 siguienteId = 1;

  // The current record as shown: stored then calculated values.
  QVector<QVariant> buffer;
  QVector<bool> cambiados;
  bool modificado = false;
  bool calculando = false;

  bool Activo() const { return estado != EstadoDataSet::Cerrado; }
  void ComprobarActivo() const {
    if (!Activo()) ErrorCerrado();
  }
  bool Editando() const { return estado == EstadoDataSet::Edicion || estado == EstadoDataSet::Insercion; }

  void IndexarCampos() {
    todos = almacenados + calculados;
    disposicion = std::make_shared<DisposicionCampos>(todos);
    indiceAno = IndiceAlmacenado(QStringLiteral("ano"));
    indiceMes = IndiceAlmacenado(QStringLiteral("mes"));
    indiceOrden = campoOrden.isEmpty() ? -1 : IndiceAlmacenado(campoOrden);
  }

  int IndiceAlmacenado(const QString& nombre) const {
    for (int i = 0; i < almacenados.size(); ++i)
      if (almacenados.at(i).nombre == nombre) return i;
    return -1;
  }

  // --- Reading the table ---
  void LeerEstructura() {
    QVariantList textosPredeterminados;
    almacenados = ColumnasDeTabla(*conexion, tabla, &textosPredeterminados);
    predeterminados.clear();
    for (int i = 0; i < almacenados.size(); ++i)
      predeterminados.append(ValorPredeterminadoColumna(textosPredeterminados.at(i), almacenados.at(i)));
  }

  QString ListaColumnas() const {
    QStringList nombres;
    for (const auto& campo : almacenados) nombres << CitarIdentificador(campo.nombre);
    return nombres.join(QLatin1String(", "));
  }

  Fila FilaDeConsulta(const QSqlQuery& consulta) const {
    Fila fila;
    fila.rowid = consulta.value(0).toLongLong();
    fila.valores.reserve(almacenados.size());
    for (int i = 0; i < almacenados.size(); ++i)
      fila.valores.append(LeerValorColumna(consulta.value(i + 1), almacenados.at(i)));
    return fila;
  }

  void LeerFilas() {
    QString sql = QStringLiteral("SELECT rowid, %1 FROM %2").arg(ListaColumnas(), CitarIdentificador(tabla));
    if (!filtro.isEmpty()) sql += QStringLiteral(" WHERE ") + filtro;
    sql += ordenAnoMes ? QStringLiteral(" ORDER BY ano, mes, rowid") : QStringLiteral(" ORDER BY rowid");
    QSqlQuery consulta = conexion->Consulta(sql, parametrosFiltro);
    std::vector<Fila> leidas;
    while (consulta.next()) leidas.push_back(FilaDeConsulta(consulta));
    consulta.finish();
    filas = std::move(leidas);
  }

  Fila LeerFila(qint64 rowid) const {
    QSqlQuery consulta = conexion->Consulta(
        QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid = ?").arg(ListaColumnas(), CitarIdentificador(tabla)),
        {rowid});
    if (!consulta.next())
      throw ErrorAlcabala(QStringLiteral("No se encontró la fila en la tabla %1; otro programa pudo haberla eliminado.")
                              .arg(tabla));
    Fila fila = FilaDeConsulta(consulta);
    consulta.finish();
    return fila;
  }

  // --- Order ---
  bool Antes(const Fila& a, const Fila& b) const {
    if (enMemoria) {
      if (indiceOrden >= 0) {
        const QString textoA = NuloATexto(a.valores.at(indiceOrden));
        const QString textoB = NuloATexto(b.valores.at(indiceOrden));
        const int comparacion = comparador ? comparador(textoA, textoB) : textoA.compare(textoB);
        if (comparacion != 0) return comparacion < 0;
      }
      return a.rowid < b.rowid;
    }
    if (ordenAnoMes) {
      const int anoA = indiceAno >= 0 ? ClaveEntera(a.valores.at(indiceAno)) : 0;
      const int anoB = indiceAno >= 0 ? ClaveEntera(b.valores.at(indiceAno)) : 0;
      if (anoA != anoB) return anoA < anoB;
      const int mesA = indiceMes >= 0 ? ClaveEntera(a.valores.at(indiceMes)) : 0;
      const int mesB = indiceMes >= 0 ? ClaveEntera(b.valores.at(indiceMes)) : 0;
      if (mesA != mesB) return mesA < mesB;
    }
    return a.rowid < b.rowid;
  }

  static QString NuloATexto(const QVariant& valor) { return EsValorNulo(valor) ? QString() : valor.toString(); }

  // Puts a row where the order wants it and makes it current.
  void ColocarFila(Fila fila) {
    auto lugar = std::upper_bound(filas.begin(), filas.end(), fila,
                                  [this](const Fila& a, const Fila& b) { return Antes(a, b); });
    lugar = filas.insert(lugar, std::move(fila));
    actual = static_cast<int>(lugar - filas.begin());
  }

  // --- The record shown ---
  void ConstruirRegistro() {
    buffer = QVector<QVariant>(todos.size());
    cambiados = QVector<bool>(almacenados.size(), false);
    modificado = false;
    if (actual < 0 || actual >= static_cast<int>(filas.size())) return;
    Fila& fila = filas.at(actual);
    for (int i = 0; i < almacenados.size(); ++i) buffer[i] = fila.valores.at(i);
    if (!fila.calculados.isEmpty()) {
      std::copy(fila.calculados.cbegin(), fila.calculados.cend(), buffer.begin() + almacenados.size());
      return;
    }
    const bool calcula = manejador && !calculando;
    Calcular();
    if (enMemoria && calcula) fila.calculados = buffer.mid(almacenados.size());
  }

  void Calcular() {
    if (!manejador || calculando) return;
    for (int i = almacenados.size(); i < todos.size(); ++i) buffer[i] = QVariant();
    struct Marca {
      bool& bandera;
      explicit Marca(bool& b) : bandera(b) { bandera = true; }
      ~Marca() { bandera = false; }
    } marca(calculando);
    manejador(*q);
  }

  // Brings an edited record back to browse before moving: post when changed.
  void AsegurarConsulta() {
    if (!Editando()) return;
    if (modificado) q->Guardar();
    else q->Cancelar();
  }

  void TrasDesplazar() {
    emit q->DespuesDeDesplazar();
    emit q->RegistroCambiado();
  }

  int CantidadFilas() const { return static_cast<int>(filas.size()); }

  // --- Writing the table ---
  qint64 InsertarEnTabla() {
    QStringList marcas;
    QVariantList valores;
    for (int i = 0; i < almacenados.size(); ++i) {
      marcas << QStringLiteral("?");
      valores << ValorParaGuardar(buffer.at(i), almacenados.at(i));
    }
    QSqlQuery consulta = conexion->Consulta(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                .arg(CitarIdentificador(tabla), ListaColumnas(), marcas.join(", ")),
                                            valores);
    const qint64 rowid = consulta.lastInsertId().toLongLong();
    consulta.finish();
    return rowid;
  }

  void ActualizarEnTabla(qint64 rowid) {
    QStringList asignaciones;
    QVariantList valores;
    for (int i = 0; i < almacenados.size(); ++i) {
      if (!cambiados.at(i)) continue;
      asignaciones << CitarIdentificador(almacenados.at(i).nombre) + QStringLiteral(" = ?");
      valores << ValorParaGuardar(buffer.at(i), almacenados.at(i));
    }
    if (asignaciones.isEmpty()) return;
    valores << rowid;
    QSqlQuery consulta = conexion->Consulta(
        QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(CitarIdentificador(tabla), asignaciones.join(", ")),
        valores);
    const int afectadas = consulta.numRowsAffected();
    consulta.finish();
    if (afectadas != 1)
      throw ErrorAlcabala(
          QStringLiteral("No se encontró la fila para actualizarla en la tabla %1; otro programa pudo haberla eliminado.")
              .arg(tabla));
  }

  Fila FilaDelRegistro(qint64 rowid) const {
    Fila fila;
    fila.rowid = rowid;
    fila.valores = buffer.mid(0, almacenados.size());
    return fila;
  }
};

DataSet::DataSet(Conexion* conexion, const QString& tabla, bool ordenAnoMes, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>()) {
  d->q = this;
  d->conexion = conexion;
  d->tabla = tabla;
  d->ordenAnoMes = ordenAnoMes;
  if (conexion) connect(conexion, &Conexion::Cerrando, this, &DataSet::Cerrar, Qt::DirectConnection);
}

DataSet::DataSet(const QList<DefinicionCampo>& campos, const QString& campoOrden, QObject* parent)
    : DataSet(campos, campoOrden, ComparadorTextos(), FilasNuevas::Vacias, parent) {}

DataSet::DataSet(const QList<DefinicionCampo>& campos, const QString& campoOrden, ComparadorTextos comparador,
                 FilasNuevas filasNuevas, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>()) {
  d->q = this;
  d->enMemoria = true;
  d->campoOrden = campoOrden;
  d->comparador = std::move(comparador);
  for (DefinicionCampo campo : campos) {
    campo.calculado = false;
    d->camposMemoria.append(campo);
  }
  d->almacenados = d->camposMemoria;
  for (const auto& campo : d->almacenados)
    d->predeterminados.append(filasNuevas == FilasNuevas::Nulas ? QVariant() : ValorVacio(campo.tipo));
  d->IndexarCampos();
}

DataSet::~DataSet() = default;

void DataSet::DefinirCalculados(const QList<DefinicionCampo>& calculados, ManejadorCalculo manejador) {
  d->calculados.clear();
  for (DefinicionCampo campo : calculados) {
    campo.calculado = true;
    d->calculados.append(campo);
  }
  d->manejador = std::move(manejador);
  for (Fila& fila : d->filas) fila.calculados.clear();
  d->IndexarCampos();
  if (!d->Activo()) return;
  if (d->Editando()) {
    // Keep the values being edited; only the calculated part is new.
    d->buffer.resize(d->todos.size());
    d->Calcular();
  } else {
    d->ConstruirRegistro();
  }
  emit RegistroCambiado();
}

void DataSet::PonerFiltro(const QString& condicion, const QVariantList& parametros) {
  if (d->Activo()) throw ErrorAlcabala(QStringLiteral("El filtro se pone antes de abrir el conjunto de datos."));
  d->filtro = condicion;
  d->parametrosFiltro = parametros;
}

void DataSet::PonerRecalculoAutomatico(bool activo) { d->recalculo = activo; }

bool DataSet::RecalculoAutomatico() const { return d->recalculo; }

// --- State and navigation ---------------------------------------------------

void DataSet::Abrir() {
  if (d->Activo()) return;
  if (d->enMemoria) {
    d->almacenados = d->camposMemoria;
    d->filas.clear();
  } else {
    if (!d->conexion) throw ErrorAlcabala(QStringLiteral("El conjunto de datos no tiene conexión."));
    if (!d->conexion->Abierta()) d->conexion->Abrir();
    d->LeerEstructura();
    d->IndexarCampos();
    d->LeerFilas();
  }
  d->estado = EstadoDataSet::Consulta;
  d->actual = d->filas.empty() ? -1 : 0;
  d->bof = true;
  d->eof = d->filas.empty();
  d->ConstruirRegistro();
  emit DespuesDeAbrir();
  d->TrasDesplazar();
}

void DataSet::Cerrar() {
  if (!d->Activo()) return;
  d->estado = EstadoDataSet::Cerrado;
  d->filas.clear();
  d->actual = -1;
  d->bof = d->eof = true;
  d->buffer.clear();
  d->cambiados.clear();
  d->modificado = false;
  if (!d->enMemoria) {
    d->almacenados.clear();
    d->predeterminados.clear();
    d->IndexarCampos();
  }
  emit DespuesDeCerrar();
  emit RegistroCambiado();
}

bool DataSet::Activo() const { return d->Activo(); }

EstadoDataSet DataSet::Estado() const { return d->estado; }

bool DataSet::Bof() const { return d->bof; }

bool DataSet::Eof() const { return d->eof; }

bool DataSet::EstaVacio() const { return d->filas.empty() && d->estado != EstadoDataSet::Insercion; }

int DataSet::CantidadFilas() const { return d->CantidadFilas(); }

void DataSet::Primero() {
  d->ComprobarActivo();
  d->AsegurarConsulta();
  d->actual = d->filas.empty() ? -1 : 0;
  d->bof = true;
  d->eof = d->filas.empty();
  d->ConstruirRegistro();
  d->TrasDesplazar();
}

void DataSet::Ultimo() {
  d->ComprobarActivo();
  d->AsegurarConsulta();
  d->actual = d->CantidadFilas() - 1;
  d->eof = true;
  d->bof = d->filas.empty();
  d->ConstruirRegistro();
  d->TrasDesplazar();
}

void DataSet::Siguiente() {
  d->ComprobarActivo();
  d->AsegurarConsulta();
  if (d->actual + 1 < d->CantidadFilas()) {
    ++d->actual;
    d->bof = d->eof = false;
    d->ConstruirRegistro();
  } else {
    d->eof = true;
  }
  d->TrasDesplazar();
}

void DataSet::Anterior() {
  d->ComprobarActivo();
  d->AsegurarConsulta();
  if (d->actual > 0) {
    --d->actual;
    d->bof = d->eof = false;
    d->ConstruirRegistro();
  } else {
    d->bof = true;
  }
  d->TrasDesplazar();
}

bool DataSet::Buscar(int ano, int mes) {
  d->ComprobarActivo();
  if (d->indiceAno < 0 || d->indiceMes < 0)
    throw ErrorAlcabala(QStringLiteral("El conjunto de datos no tiene los campos ano y mes."));
  d->AsegurarConsulta();
  for (int i = 0; i < d->CantidadFilas(); ++i) {
    const Fila& fila = d->filas.at(i);
    if (EsValorNulo(fila.valores.at(d->indiceAno)) || EsValorNulo(fila.valores.at(d->indiceMes))) continue;
    if (fila.valores.at(d->indiceAno).toInt() != ano || fila.valores.at(d->indiceMes).toInt() != mes) continue;
    d->actual = i;
    d->bof = d->eof = false;
    d->ConstruirRegistro();
    d->TrasDesplazar();
    return true;
  }
  return false;
}

void DataSet::Refrescar() {
  d->ComprobarActivo();
  d->AsegurarConsulta();
  if (!d->enMemoria) {
    const qint64 rowid = d->actual >= 0 ? d->filas.at(d->actual).rowid : -1;
    const int anterior = d->actual;
    d->LeerFilas();
    d->actual = -1;
    for (int i = 0; i < d->CantidadFilas(); ++i)
      if (d->filas.at(i).rowid == rowid) d->actual = i;
    if (d->actual < 0 && !d->filas.empty()) d->actual = std::clamp(anterior, 0, d->CantidadFilas() - 1);
    d->bof = d->eof = d->filas.empty();
  }
  d->ConstruirRegistro();
  emit DespuesDeRefrescar();
  emit RegistroCambiado();
}

// --- Changes -----------------------------------------------------------------

void DataSet::Agregar() {
  d->ComprobarActivo();
  d->AsegurarConsulta();
  d->estado = EstadoDataSet::Insercion;
  d->buffer = QVector<QVariant>(d->todos.size());
  for (int i = 0; i < d->almacenados.size(); ++i) d->buffer[i] = d->predeterminados.value(i);
  d->cambiados = QVector<bool>(d->almacenados.size(), false);
  d->modificado = false;
  d->Calcular();
  emit DespuesDeInsertar();
  emit RegistroCambiado();
}

void DataSet::Editar() {
  d->ComprobarActivo();
  if (d->Editando()) return;
  if (d->actual < 0) throw ErrorAlcabala(QStringLiteral("No hay ningún registro que editar."));
  d->estado = EstadoDataSet::Edicion;
  d->cambiados = QVector<bool>(d->almacenados.size(), false);
  d->modificado = false;
  emit DespuesDeEditar();
}

void DataSet::Guardar() {
  d->ComprobarActivo();
  if (!d->Editando()) return;
  const bool insertando = d->estado == EstadoDataSet::Insercion;
  Fila guardada;
  if (d->enMemoria) {
    guardada = d->FilaDelRegistro(insertando ? d->siguienteId++ : d->filas.at(d->actual).rowid);
  } else {
    if (!d->conexion || !d->conexion->Abierta()) ErrorCerrado();
    Transaccion transaccion(*d->conexion);
    qint64 rowid = 0;
    if (insertando) {
      rowid = d->InsertarEnTabla();
    } else {
      rowid = d->filas.at(d->actual).rowid;
      d->ActualizarEnTabla(rowid);
    }
    // The record shows exactly what the file now holds.
    guardada = d->LeerFila(rowid);
    transaccion.Confirmar();
  }
  // Stored: from here on nothing can fail.
  if (!insertando) d->filas.erase(d->filas.begin() + d->actual);
  d->ColocarFila(std::move(guardada));
  d->estado = EstadoDataSet::Consulta;
  d->bof = d->eof = false;
  d->ConstruirRegistro();
  emit DespuesDeGuardar();
  emit RegistroCambiado();
}

void DataSet::Cancelar() {
  d->ComprobarActivo();
  if (!d->Editando()) return;
  d->estado = EstadoDataSet::Consulta;
  d->ConstruirRegistro();
  emit DespuesDeCancelar();
  emit RegistroCambiado();
}

bool DataSet::Modificado() const { return d->modificado; }

void DataSet::Eliminar() {
  d->ComprobarActivo();
  if (d->estado == EstadoDataSet::Insercion) {
    Cancelar();
    return;
  }
  if (d->actual < 0) throw ErrorAlcabala(QStringLiteral("No hay ningún registro que eliminar."));
  const qint64 rowid = d->filas.at(d->actual).rowid;
  if (!d->enMemoria) {
    if (!d->conexion || !d->conexion->Abierta()) ErrorCerrado();
    Transaccion transaccion(*d->conexion);
    d->conexion->Ejecutar(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(CitarIdentificador(d->tabla)), {rowid});
    transaccion.Confirmar();
  }
  d->estado = EstadoDataSet::Consulta;
  d->filas.erase(d->filas.begin() + d->actual);
  d->actual = std::min(d->actual, d->CantidadFilas() - 1);
  d->bof = d->eof = d->filas.empty();
  d->ConstruirRegistro();
  emit DespuesDeEliminar();
  d->TrasDesplazar();
}

void DataSet::Vaciar() {
  if (!d->enMemoria) throw ErrorAlcabala(QStringLiteral("Solo se puede vaciar un conjunto de datos en memoria."));
  d->ComprobarActivo();
  d->estado = EstadoDataSet::Consulta;
  d->filas.clear();
  d->actual = -1;
  d->bof = d->eof = true;
  d->ConstruirRegistro();
  emit DespuesDeEliminar();
  d->TrasDesplazar();
}

// --- Fields --------------------------------------------------------------------

QVariant DataSet::Valor(const QString& campo) const {
  const int indice = d->disposicion->PosicionExistente(campo);
  d->ComprobarActivo();
  return d->buffer.value(indice);
}

void DataSet::Asignar(const QString& campo, const QVariant& valor) {
  AsignarEn(d->disposicion->PosicionExistente(campo), valor);
}

bool DataSet::TieneCampo(const QString& campo) const { return d->disposicion->Tiene(campo); }

const DisposicionCampos* DataSet::Disposicion() const { return d->disposicion.get(); }

const QVariant& DataSet::ValorEn(int posicion) const {
  d->ComprobarActivo();
  return d->buffer.at(posicion);
}

void DataSet::AsignarEn(int indice, const QVariant& valor) {
  d->ComprobarActivo();
  const DefinicionCampo& definicion = d->todos.at(indice);
  if (d->calculando) {
    // The calculated-fields handler writes into the record shown only.
    d->buffer[indice] = ConvertirValorCampo(valor, definicion);
    return;
  }
  if (definicion.calculado) {
    d->buffer[indice] = ConvertirValorCampo(valor, definicion);
    emit RegistroCambiado();
    return;
  }
  if (!d->Editando()) ErrorNoEditando();
  d->buffer[indice] = ConvertirValorCampo(valor, definicion);
  d->cambiados[indice] = true;
  d->modificado = true;
  if (d->recalculo) d->Calcular();
  emit RegistroCambiado();
}

const DefinicionCampo* DataSet::FindField(const QString& campo) const {
  const int indice = d->disposicion->Posicion(campo);
  return indice < 0 ? nullptr : &d->todos.at(indice);
}

QList<DefinicionCampo> DataSet::Campos() const { return d->todos; }

// --- Copies for reports ------------------------------------------------------------

RegistroPlano DataSet::CopiaRegistroActual() const {
  d->ComprobarActivo();
  QVariantList valores;
  valores.reserve(d->todos.size());
  for (int i = 0; i < d->todos.size(); ++i) valores.append(d->buffer.value(i));
  return RegistroPlano(d->disposicion, std::move(valores));
}

RegistroPlano DataSet::CopiaFila(int indice) const {
  d->ComprobarActivo();
  if (indice < 0 || indice >= d->CantidadFilas())
    throw ErrorAlcabala(QStringLiteral("No existe la fila %1 del conjunto de datos.").arg(indice + 1));
  const Fila& fila = d->filas.at(indice);
  QVariantList valores;
  valores.reserve(d->todos.size());
  for (int i = 0; i < d->almacenados.size(); ++i) valores.append(fila.valores.at(i));
  if (!fila.calculados.isEmpty()) {
    valores.append(fila.calculados.toList());
    return RegistroPlano(d->disposicion, std::move(valores));
  }
  for (int i = d->almacenados.size(); i < d->todos.size(); ++i) valores.append(QVariant());
  RegistroPlano copia(d->disposicion, std::move(valores));
  if (d->manejador) d->manejador(copia);
  // Held as the data set holds them (amounts as Moneda, texts cut to size).
  for (int i = d->almacenados.size(); i < d->todos.size(); ++i)
    copia.AsignarEn(i, ConvertirValorCampo(copia.ValorEn(i), d->todos.at(i)));
  return copia;
}

Conexion* DataSet::ConexionDatos() const { return d->conexion; }

QString DataSet::Tabla() const { return d->tabla; }
