#include "reports/escaneo.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>

#include "declarations/catalogo/catalogo.h"
#include "declarations/motor/calculo.h"
#include "general/errores.h"
#include "general/nombresarchivo.h"
#include "general/valores.h"
#include "reports/tablaempresas.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/filaleida.h"

namespace {

// Where a path really leads, so one folder or file reached by two paths is
// seen once; a path that leads nowhere stands for itself. (The name's bytes
// as they are: general/nombresarchivo.h.)
QString RutaCanonica(const QString& ruta) {
  char resuelta[PATH_MAX];
  if (::realpath(BytesDeRuta(ruta).constData(), resuelta)) return RutaDeBytes(QByteArray(resuelta));
  return QDir::cleanPath(QDir(ruta).absolutePath());
}

// The taxpayer's columns copied as they are, null included.
QStringList ColumnasContribuyenteSinNombres() {
  QStringList columnas;
  for (const ColumnaTabla& columna : ColumnasContribuyente()) columnas << columna.nombre;
  for (const char* nombre : {"RUT", "ApellidoPaternoRazonSocial", "ApellidoMaterno", "nombres"})
    columnas.removeOne(QLatin1String(nombre));
  return columnas;
}

// Reads one file after another for the period: its declaration and its
// taxpayer row, as they are stored.
class LectorEmpresas {
 public:
  LectorEmpresas(int ano, int mes) : lector_(ano, mes, {}) {}

  // Reads one file; both tables must be there, whatever the selection.
  void Leer(const QString& ruta) {
    conexion_.AbrirSoloLectura(ruta);
    lector_.Leer(conexion_);
    conexion_.Cerrar();
  }

  bool ConDeclaracion() const { return lector_.ConDeclaracion(); }

  // Appends the company's row to the table, where it is calculated once, when
  // posted; it stays there when the selection admits it by its box 91.
  void Agregar(DataSet& datos, const PeticionEmpresas& peticion) {
    {
      InsercionPendiente insercion(datos);
      if (lector_.ConDeclaracion()) {
        CopiarAlcabala(lector_.Declaracion(), datos);
      } else {
        datos.Asignar(QStringLiteral("ano"), peticion.ano);
        datos.Asignar(QStringLiteral("mes"), peticion.mes);
      }
      if (lector_.ConContribuyente()) CopiarContribuyente(lector_.Contribuyente(), datos);
      datos.Guardar();
    }
    const Caja& seleccion = CajaTotalAPagar();
    // A box 91 the calculation could not compute is no zero: the list would
    // put the company where it does not belong.
    if (ConDeclaracion() && EsNulo(datos.Valor(seleccion.campo)))
      throw ErrorCalculo(MensajeCajasNoCalculadas({seleccion.codigo}, peticion.ano, peticion.mes));
    const Moneda totalAPagar = ConDeclaracion() ? NuloACeroMoneda(datos.Valor(seleccion.campo)) : Moneda();
    if (!SeleccionAdmite(peticion.clase, ConDeclaracion(), totalAPagar)) datos.Eliminar();
  }

 private:
  LectorDeclaracionYContribuyente lector_;
  Conexion conexion_;
};

// Runs one file's step; any error it raises comes out with the file's name
// in front, so the user finds it among hundreds.
template <typename Paso>
void ConNombreDeArchivo(const QString& ruta, Paso paso) {
  try {
    paso();
  } catch (const std::exception& e) {
    throw ErrorAlcabala(RutaVisible(QFileInfo(ruta).fileName()) + QStringLiteral(": ") + MensajeDeExcepcion(e));
  }
}

}  // namespace

QStringList ExtensionesAlcabala() { return {QStringLiteral("alc"), QStringLiteral("oalc")}; }

QStringList CarpetasEmpresas(const QString& carpetaPrograma) {
  return {CarpetaMisDocumentos() + QLatin1Char('/') + QLatin1String(NombreCarpetaAlcabalas), carpetaPrograma};
}

QStringList ExplorarCarpeta(const QString& carpeta, const QString& extension) {
  // Read as bytes: a name that is no valid UTF-8 is listed and opened as it is.
  const QByteArray bytesCarpeta = BytesDeRuta(carpeta);
  DIR* directorio = ::opendir(bytesCarpeta.constData());
  if (!directorio) return {};
  const QString sufijo = QLatin1Char('.') + extension;
  QStringList nombres;
  while (const dirent* entrada = ::readdir(directorio)) {
    const QByteArray nombre(entrada->d_name);
    const QString texto = RutaDeBytes(nombre);
    if (!texto.endsWith(sufijo, Qt::CaseInsensitive)) continue;
    struct stat info {};
    if (::stat((bytesCarpeta + '/' + nombre).constData(), &info) == 0 && S_ISREG(info.st_mode)) nombres << texto;
  }
  ::closedir(directorio);
  std::sort(nombres.begin(), nombres.end());
  QStringList rutas;
  const QDir dir(carpeta);
  for (const QString& nombre : nombres) rutas << dir.filePath(nombre);
  return rutas;
}

QStringList ArchivosEmpresas(const QStringList& carpetas) {
  QStringList distintas;
  QSet<QString> vistas;
  for (const QString& carpeta : carpetas) {
    struct stat info {};
    if (carpeta.isEmpty() || ::stat(BytesDeRuta(carpeta).constData(), &info) != 0 || !S_ISDIR(info.st_mode)) continue;
    const QString canonica = RutaCanonica(carpeta);
    if (vistas.contains(canonica)) continue;
    vistas.insert(canonica);
    distintas << carpeta;
  }
  QStringList archivos;
  QSet<QString> leidos;
  for (const QString& extension : ExtensionesAlcabala())
    for (const QString& carpeta : distintas)
      for (const QString& ruta : ExplorarCarpeta(carpeta, extension)) {
        const QString canonica = RutaCanonica(ruta);
        if (leidos.contains(canonica)) continue;
        leidos.insert(canonica);
        archivos << ruta;
      }
  return archivos;
}

void CopiarAlcabala(const Registro& origen, Registro& destino) {
  for (const ColumnaTabla& columna : ColumnasAlcabalas())
    if (origen.TieneCampo(columna.nombre)) destino.Asignar(columna.nombre, origen.Valor(columna.nombre));
}

void CopiarContribuyente(const Registro& origen, Registro& destino) {
  destino.Asignar(QStringLiteral("RUT"), origen.Valor(QStringLiteral("RUT")));
  const QString paterno = NuloAVacio(origen.Valor(QStringLiteral("ApellidoPaternoRazonSocial")));
  const QString materno = NuloAVacio(origen.Valor(QStringLiteral("ApellidoMaterno")));
  const QString nombres = NuloAVacio(origen.Valor(QStringLiteral("nombres")));
  destino.Asignar(QStringLiteral("ApellidoPaternoRazonSocial"), paterno);
  destino.Asignar(QStringLiteral("ApellidoMaterno"), materno);
  destino.Asignar(QStringLiteral("nombres"), nombres);
  destino.Asignar(QStringLiteral("nombre"), NombreImpreso(paterno, materno, nombres));
  static const QStringList resto = ColumnasContribuyenteSinNombres();
  for (const QString& columna : resto)
    if (origen.TieneCampo(columna)) destino.Asignar(columna, origen.Valor(columna));
}

bool CopiarAlcabalas(TablaEmpresas& tabla, const PeticionEmpresas& peticion, const AvisoProgreso& aviso) {
  DataSet& datos = tabla.ClientDataSetAlcabalas();
  if (!datos.Activo()) throw ErrorAlcabala(QStringLiteral("La tabla de empresas no está abierta."));
  const QStringList archivos = ArchivosEmpresas(peticion.carpetas);
  RecalculoSuspendido recalculo(datos);
  LectorEmpresas lector(peticion.ano, peticion.mes);
  for (int i = 0; i < archivos.size(); ++i) {
    if (aviso && !aviso(i, archivos.size())) {
      datos.Vaciar();
      return false;
    }
    const QString& ruta = archivos.at(i);
    ConNombreDeArchivo(ruta, [&] {
      lector.Leer(ruta);
      lector.Agregar(datos, peticion);
    });
  }
  return true;
}
