#pragma once
// Tells the user, once per declaration of the open file, which calculated
// boxes the engine could not compute for it (amounts beyond the range, which
// only a file written by another tool can hold). The declaration is shown
// with those boxes empty; the file opens and works as usual.

#include <QObject>
#include <QSet>
#include <QString>

class DataSet;
class QWidget;

class AvisoCajasNoCalculadas : public QObject {
 public:
  // Watches the declarations data set; the message goes to the standard error
  // box of ventana, shown after the command that moved to the row ends.
  AvisoCajasNoCalculadas(DataSet* alcabala, QWidget* ventana);

 private:
  void Revisar();

  DataSet* alcabala_;
  QWidget* ventana_;
  QSet<QString> avisados_;  // "año-mes: casillas" already told, for the open file
};
