#include "storage/archivo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStringList>

#include "declarations/catalogo/catalogo.h"
#include "general/errores.h"
#include "general/escritura.h"
#include "general/nombresarchivo.h"
#include "general/valores.h"
#include "storage/formato/columnas.h"
#include "storage/conexion.h"

namespace {

QString Nativa(const QString& ruta) { return RutaVisible(QDir::toNativeSeparators(ruta)); }

bool EsFacturaElectronica(const ColumnaTabla& columna) {
  return columna.nombre == QLatin1String(CampoFacturaElectronica);
}

QString DefinicionColumna(const ColumnaTabla& columna) {
  // Almost every company invoices electronically today: the flag starts set.
  const QString predeterminado = columna.tipo == TipoColumna::W ? QStringLiteral("DEFAULT ''")
                                 : EsFacturaElectronica(columna) ? QStringLiteral("DEFAULT 1")
                                                                 : QStringLiteral("DEFAULT 0");
  return QStringLiteral("%1 %2 NOT NULL %3")
      .arg(CitarIdentificador(columna.nombre), TipoSql(columna.tipo, columna.tamano), predeterminado);
}

QString SqlCrearTabla(const QString& tabla, const QList<ColumnaTabla>& columnas) {
  QStringList definiciones;
  for (const auto& columna : columnas) definiciones << DefinicionColumna(columna);
  return QStringLiteral("CREATE TABLE %1 (%2)").arg(CitarIdentificador(tabla), definiciones.join(QLatin1String(", ")));
}

DefinicionCampo CampoDe(const ColumnaTabla& columna) {
  DefinicionCampo campo;
  campo.nombre = columna.nombre;
  campo.tipo = columna.tipo;
  campo.tamano = columna.tamano;
  return campo;
}

// The taxpayer row a new file starts with: every column given, texts padded
// as the file keeps them.
void InsertarContribuyenteInicial(Conexion& conexion, const QString& ruta) {
  const QString ciudad = QString::fromLatin1(CiudadPredeterminada);
  QStringList nombres;
  QStringList marcas;
  QVariantList valores;
  for (const auto& columna : ColumnasContribuyente()) {
    const DefinicionCampo campo = CampoDe(columna);
    QVariant valor = ValorVacio(columna.tipo);
    if (columna.nombre == QLatin1String("ApellidoPaternoRazonSocial")) valor = NombreSinExtension(ruta);
    else if (columna.nombre == QLatin1String("comuna") || columna.nombre == QLatin1String("ciudad") ||
             columna.nombre == QLatin1String("ComunaPostal") || columna.nombre == QLatin1String("CiudadPostal"))
      valor = ciudad;
    else if (columna.nombre == QLatin1String("region")) valor = RegionPredeterminada;
    else if (columna.nombre == QLatin1String("CodigoAreaTelefono")) valor = CodigoAreaPredeterminado;
    else if (EsFacturaElectronica(columna)) valor = true;
    nombres << CitarIdentificador(columna.nombre);
    marcas << QStringLiteral("?");
    valores << ValorParaGuardar(valor, campo);  // texts cut to their size and padded
  }
  conexion.Ejecutar(QStringLiteral("INSERT INTO contribuyente (%1) VALUES (%2)")
                        .arg(nombres.join(QLatin1String(", ")), marcas.join(QLatin1String(", "))),
                    valores);
}

QStringList NombresColumnas(Conexion& conexion, const QString& tabla) {
  QSqlQuery consulta = conexion.Consulta(QStringLiteral("PRAGMA table_info(%1)").arg(CitarIdentificador(tabla)));
  QStringList nombres;
  while (consulta.next()) nombres << consulta.value(1).toString();
  consulta.finish();
  // SQLite answers the pragma of a missing table with no rows.
  if (nombres.isEmpty()) throw ErrorBaseDatos(QStringLiteral("no such table: %1").arg(tabla));
  return nombres;
}

void ComprobarTablas(Conexion& conexion) { ComprobarTablasAlcabala(conexion.Manejador()); }

}  // namespace

QString CarpetaPredeterminada(const QString& carpetaPrograma) {
  QString carpeta = QDir::cleanPath(carpetaPrograma);
  const QStringList datos =
      QDir(carpeta).entryList({QStringLiteral("*.alc"), QStringLiteral("*.oalc")},
                              QDir::Files | QDir::Hidden | QDir::System);
  if (carpetaPrograma.isEmpty() || datos.isEmpty())
    carpeta = CarpetaMisDocumentos() + QLatin1Char('/') + QString::fromLatin1(NombreCarpetaAlcabalas);
  QDir().mkdir(carpeta);  // the last level only; an existing or impossible folder is no error here
  return carpeta;
}

void CrearArchivoAlcabala(const QString& ruta) {
  const QFileInfo info(ruta);
  if (info.isSymLink() || (!RutaConBytesSueltos(ruta) && info.exists()))
    throw ErrorAlcabala(QStringLiteral("El archivo \"%1\" ya existe.").arg(Nativa(ruta)));
  if (!RutaConBytesSueltos(ruta) && !info.absoluteDir().exists())
    throw ErrorAlcabala(QStringLiteral("No existe la carpeta \"%1\".").arg(Nativa(info.absolutePath())));

  // The file is built in memory and written whole: a failure or a killed
  // program never leaves a half-built file, nor a journal, in the folder.
  QByteArray contenido;
  {
    Conexion conexion;
    conexion.AbrirEnMemoria();
    Transaccion transaccion(conexion);
    conexion.Ejecutar(SqlCrearTabla(QStringLiteral("alcabalas"), ColumnasAlcabalas()));
    conexion.Ejecutar(QStringLiteral("CREATE INDEX mes ON alcabalas (ano, mes)"));
    conexion.Ejecutar(SqlCrearTabla(QStringLiteral("contribuyente"), ColumnasContribuyente()));
    InsertarContribuyenteInicial(conexion, ruta);
    transaccion.Confirmar();
    contenido = SerializarBase(conexion.Manejador());
    conexion.Cerrar();
  }
  EscribirArchivoEntero(ruta, ModoEscritura::SoloNuevo, contenido);
}

bool ExisteColumna(Conexion& conexion, const QString& nombre) {
  return NombresColumnas(conexion, QStringLiteral("alcabalas")).contains(nombre, Qt::CaseSensitive);
}

int ActualizarArchivo(Conexion& conexion) {
  const QStringList existentes = NombresColumnas(conexion, QStringLiteral("alcabalas"));
  QList<ColumnaTabla> faltantes;
  for (const auto& columna : ColumnasActualizacion())
    if (!existentes.contains(columna.nombre, Qt::CaseSensitive)) faltantes << columna;
  if (faltantes.isEmpty()) return 0;  // an up-to-date file is not even locked

  Transaccion transaccion(conexion);
  for (const auto& columna : faltantes)
    conexion.Ejecutar(QStringLiteral("ALTER TABLE alcabalas ADD COLUMN %1 %2 DEFAULT 0")
                          .arg(CitarIdentificador(columna.nombre), TipoSql(columna.tipo, columna.tamano)));
  transaccion.Confirmar();
  return faltantes.size();
}

bool ActualizarContribuyente(Conexion& conexion) {
  const QStringList existentes = NombresColumnas(conexion, QStringLiteral("contribuyente"));
  const ColumnaTabla ultima = ColumnasContribuyente().constLast();
  if (existentes.contains(ultima.nombre, Qt::CaseSensitive)) return false;
  conexion.Ejecutar(QStringLiteral("ALTER TABLE contribuyente ADD COLUMN %1").arg(DefinicionColumna(ultima)));
  return true;
}

void AbrirArchivoAlcabala(Conexion& conexion, const QString& ruta) {
  conexion.Abrir(ruta);
  try {
    ComprobarTablas(conexion);
    ActualizarArchivo(conexion);
    ActualizarContribuyente(conexion);
  } catch (...) {
    conexion.Cerrar();
    throw;
  }
}

void AbrirArchivoSoloLectura(Conexion& conexion, const QString& ruta) {
  conexion.AbrirSoloLectura(ruta);
  try {
    ComprobarTablas(conexion);
  } catch (...) {
    conexion.Cerrar();
    throw;
  }
}
