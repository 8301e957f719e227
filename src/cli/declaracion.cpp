#include "cli/declaracion.h"

#include <QRegularExpression>

#include "declarations/calculo.h"
#include "general/errores.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/contribuyente.h"
#include "storage/dataset.h"

bool LeerPeriodoArgumento(const QString& texto, int* ano, int* mes) {
  static const QRegularExpression patronPeriodo(QStringLiteral("^(\\d{4})-(\\d{2})$"));
  const auto periodo = patronPeriodo.match(texto);
  if (!periodo.hasMatch()) return false;
  *ano = periodo.captured(1).toInt();
  *mes = periodo.captured(2).toInt();
  return *mes >= 1 && *mes <= 12;
}

namespace {

RegistroPlano LeerAlcabala(Conexion& conexion, const QString& ruta, int ano, int mes, const QLocale& locale) {
  DataSet alcabalas(&conexion, QStringLiteral("alcabalas"), true);
  alcabalas.DefinirCalculados(CamposCalculadosAlcabala(),
                              [locale](Registro& registro) { ADODataSetAlcabalaCalcFields(registro, locale); });
  alcabalas.Restringir(ano, mes);
  alcabalas.Abrir();
  if (!alcabalas.Buscar(ano, mes))
    throw ErrorAlcabala(QStringLiteral("El archivo «%1» no tiene la declaración de %2 de %3")
                            .arg(NombreSinExtension(ruta), NombreDelMes(mes))
                            .arg(ano));
  return alcabalas.CopiaRegistroActual();
}

}  // namespace

FormularioLeido LeerDeclaracion(const QString& ruta, int ano, int mes, const QLocale& locale) {
  Conexion conexion;
  AbrirArchivoSoloLectura(conexion, ruta);
  FormularioLeido leida{LeerAlcabala(conexion, ruta, ano, mes, locale), LeerContribuyente(conexion)};
  conexion.Cerrar();
  return leida;
}
