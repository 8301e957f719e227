#include "app/periodos.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "general/valores.h"
#include "storage/conexion.h"
#include "storage/periodos.h"

namespace {

// Selects the first entry for which coincide is true, or none.
template <typename Predicado>
void SeleccionarPrimero(QComboBox* comboBox, Predicado coincide) {
  const QSignalBlocker bloqueo(comboBox);
  int indice = -1;
  for (int i = 0; i < comboBox->count(); ++i) {
    if (coincide(comboBox->itemText(i))) {
      indice = i;
      break;
    }
  }
  comboBox->setCurrentIndex(indice);
}

}  // namespace

void LlenarComboBoxAno(QComboBox* comboBoxAno, Conexion& conexion) {
  const QSignalBlocker bloqueo(comboBoxAno);
  comboBoxAno->clear();
  for (int ano : AnosDeclarados(conexion)) comboBoxAno->addItem(QString::number(ano));
  comboBoxAno->setCurrentIndex(-1);
}

void LlenarComboBoxMes(QComboBox* comboBoxMes, Conexion& conexion, int ano) {
  const QSignalBlocker bloqueo(comboBoxMes);
  comboBoxMes->clear();
  for (int mes : MesesDeclarados(conexion, ano)) comboBoxMes->addItem(NombreDelMes(mes));
  comboBoxMes->setCurrentIndex(-1);
}

void SeleccionarItemComboBoxAno(QComboBox* comboBoxAno, int ano) {
  const QString buscado = QString::number(ano);
  SeleccionarPrimero(comboBoxAno, [&](const QString& texto) { return texto.trimmed() == buscado; });
}

void SeleccionarItemComboBoxMes(QComboBox* comboBoxMes, int mes) {
  const QString buscado = NombreDelMes(mes).trimmed().toUpper();
  SeleccionarPrimero(comboBoxMes, [&](const QString& texto) {
    return !buscado.isEmpty() && texto.trimmed().toUpper() == buscado;
  });
}

void VaciarComboBox(QComboBox* comboBox) {
  const QSignalBlocker bloqueo(comboBox);
  comboBox->clear();
}
