#include "reports/findemes.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <memory>
#include <optional>

#include "declarations/lectura.h"
#include "general/errores.h"
#include "general/valores.h"
#include "reports/copiaformulario.h"
#include "reports/salidapdf.h"
#include "storage/formato/sqlite.h"

namespace {

// Whether the file already has a declaration of the period: a read-only look
// through the index, so a file that has it is never opened for writing.
bool TieneDeclaracion(const QString& ruta, const AnoMes& periodo) {
  ArchivoSoloLecturaSqlite archivo(ruta);
  Sentencia sentencia = PrepararSentencia(
      archivo.Base(), QStringLiteral("SELECT 1 FROM alcabalas WHERE ano = ? AND mes = ? LIMIT 1"),
      {periodo.ano, periodo.mes});
  return PasoSentencia(archivo.Base(), sentencia.get());
}

// Runs `paso` for each file with the progress notice; a failure is the
// file's, with the error's message, and the run goes on.
template <typename Paso>
ResumenFinDeMes Recorrer(const QStringList& archivos, const AvisoProgreso& aviso, Paso paso) {
  ResumenFinDeMes resumen;
  resumen.total = archivos.size();
  for (int i = 0; i < archivos.size(); ++i) {
    if (aviso && !aviso(i, archivos.size())) {
      resumen.cancelado = true;
      break;
    }
    const QString& ruta = archivos.at(i);
    const QString nombre = QFileInfo(ruta).fileName();
    try {
      const std::optional<QString> omision = paso(ruta);
      if (omision)
        resumen.omitidos << ArchivoConMotivo{nombre, *omision};
      else
        resumen.hechos << nombre;
    } catch (const std::exception& e) {
      resumen.fallidos << ArchivoConMotivo{nombre, MensajeDeExcepcion(e)};
    }
  }
  return resumen;
}

}  // namespace

QString NombrePeriodo(const AnoMes& periodo) {
  return NombreDelMes(periodo.mes) + QStringLiteral(" del ") + QString::number(periodo.ano);
}

QString ResumenFinDeMes::Texto() const {
  QString texto = QStringLiteral("Listos: %1. Omitidos: %2. Con error: %3.")
                      .arg(hechos.size())
                      .arg(omitidos.size())
                      .arg(fallidos.size());
  if (cancelado)
    texto += QStringLiteral("\nCancelado: quedaron %1 de %2 archivos sin procesar.")
                 .arg(total - hechos.size() - omitidos.size() - fallidos.size())
                 .arg(total);
  if (!omitidos.isEmpty()) texto += QStringLiteral("\n\nOmitidos:");
  for (const ArchivoConMotivo& omitido : omitidos) texto += QStringLiteral("\n") + omitido.archivo + QStringLiteral(": ") + omitido.motivo;
  if (!fallidos.isEmpty()) texto += QStringLiteral("\n\nCon error:");
  for (const ArchivoConMotivo& fallido : fallidos) texto += QStringLiteral("\n") + fallido.archivo + QStringLiteral(": ") + fallido.motivo;
  return texto;
}

FuncionUTM UTMUnaVezPorEjecucion(const FuncionUTM& utm) {
  struct Respuesta {
    double valor = 0;
    QString error;
  };
  auto respuestas = std::make_shared<QHash<int, Respuesta>>();
  return [utm, respuestas](int ano, int mes) {
    const int clave = ano * 100 + mes;
    if (!respuestas->contains(clave)) {
      Respuesta respuesta;
      try {
        respuesta.valor = utm(ano, mes);
      } catch (const std::exception& e) {
        respuesta.error = MensajeDeExcepcion(e);
      }
      respuestas->insert(clave, respuesta);
    }
    const Respuesta& respuesta = respuestas->value(clave);
    if (!respuesta.error.isEmpty()) throw ErrorAlcabala(respuesta.error);
    return respuesta.valor;
  };
}

ResumenFinDeMes CrearMesParaTodos(const QStringList& archivos, const AnoMes& periodo, const FuncionUTM& utm,
                                  const QLocale& locale, const AvisoProgreso& aviso) {
  ValidarPeriodo(periodo);
  const FuncionUTM unaVez = UTMUnaVezPorEjecucion(utm);
  const QString yaEsta = QStringLiteral("ya tiene la declaración de %1").arg(NombrePeriodo(periodo));
  return Recorrer(archivos, aviso, [&](const QString& ruta) -> std::optional<QString> {
    if (TieneDeclaracion(ruta, periodo)) return yaEsta;
    const CreacionDeclaracion creacion = CrearDeclaracionEnArchivo(ruta, periodo, unaVez, locale);
    switch (creacion.resultado) {
      case ResultadoCreacion::Creada: return std::nullopt;
      case ResultadoCreacion::Existente: return yaEsta;  // another program made it meanwhile
      case ResultadoCreacion::SinUTM: break;
    }
    throw ErrorAlcabala(creacion.mensaje);
  });
}

ResumenFinDeMes CopiasParaTodos(const QStringList& archivos, const AnoMes& periodo, const QString& destino,
                                const QLocale& locale, const QDate& hoy, const AvisoProgreso& aviso) {
  ValidarPeriodo(periodo);
  if (!QFileInfo(destino).isDir())
    throw ErrorAlcabala(QStringLiteral("La carpeta «%1» no existe").arg(QDir::toNativeSeparators(destino)));
  const QString noTiene = QStringLiteral("no tiene la declaración de %1").arg(NombrePeriodo(periodo));
  QSet<QString> escritas;
  return Recorrer(archivos, aviso, [&](const QString& ruta) -> std::optional<QString> {
    const QString nombre = NombreArchivoCopia(ruta, periodo.ano, periodo.mes);
    const QString salida = QDir(destino).filePath(nombre);
    if (escritas.contains(nombre))
      throw ErrorAlcabala(
          QStringLiteral("otro archivo de este nombre ya dejó su copia en «%1»; no se reemplazó").arg(nombre));
    const std::optional<FormularioLeido> leido = LeerFormularioSiExiste(ruta, periodo.ano, periodo.mes, locale);
    if (!leido) return noTiene;
    const PieCopia pie{ruta, periodo.ano, periodo.mes, hoy};
    EscribirPdf(salida, TituloCopia(ruta, periodo.ano, periodo.mes), [&](QPagedPaintDevice& pdf) {
      DibujarCopia(leido->declaracion, leido->contribuyente, pie, pdf, locale);
    });
    escritas.insert(nombre);
    return std::nullopt;
  });
}
