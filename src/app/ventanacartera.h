#pragma once
// "Cartera de Clientes": every client file of the data folders by month of
// one year, at a glance. A non-modal window: the files are read on a thread
// of their own (the window and the main window stay responsive, with the
// files read so far and "Cancelar" shown in the window), a double-click on
// a cell opens that file at that month in the main window, and the month-end
// work for all clients (creating a month, writing the copies) starts here.

#include <QDate>
#include <QList>
#include <QLocale>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/comandosalcabala.h"
#include "reports/cartera.h"
#include "reports/findemes.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;

class VentanaCartera : public QWidget {
  Q_OBJECT

 public:
  // Columns of the table: the name, the RUT, the twelve months, the year's
  // total and the due date of the month before the current one.
  static constexpr int ColumnaNombre = 0;
  static constexpr int ColumnaRut = 1;
  static constexpr int ColumnaEnero = 2;
  static constexpr int ColumnaTotal = ColumnaEnero + 12;
  static constexpr int ColumnaVence = ColumnaTotal + 1;

  // `carpetas` gives the folders to read, asked at every reading.
  VentanaCartera(std::function<QStringList()> carpetas, const QLocale& locale, QWidget* padre = nullptr);
  ~VentanaCartera() override;

  // "Actualizar": reads the chosen year again, off this thread. Nothing
  // happens while a reading runs.
  void Actualizar();
  bool Leyendo() const { return hilo_ != nullptr; }
  // The rows shown.
  const QList<FilaCartera>& Filas() const { return filas_; }
  // Reads again the row of one file (after the main window saved it); a
  // file not on the board is left alone.
  void ReleerArchivo(const QString& ruta);
  // A double-click or Enter on a cell: asks the main window to open the
  // file at that month (at its latest month outside the month columns).
  void AbrirCelda(int fila, int columna);

  // "Crear <mes> para todos..." and "Copias en PDF...": the run over every
  // file on the board for the year and month chosen, with progress and
  // "Cancelar", then its summary; the board is read again afterwards.
  void CrearParaTodos();
  void CopiasEnPdf();
  AnoMes PeriodoElegido() const;

  QSpinBox* SpinBoxAno = nullptr;
  QComboBox* ComboBoxMes = nullptr;
  QPushButton* ButtonActualizar = nullptr;
  QPushButton* ButtonCrearTodos = nullptr;
  QPushButton* ButtonCopias = nullptr;
  QLabel* LabelProgreso = nullptr;
  QProgressBar* ProgressBarLectura = nullptr;
  QPushButton* ButtonCancelar = nullptr;
  QTableWidget* Tabla = nullptr;

  // What the window asks and tells through dialogs, replaceable by tests.
  std::function<QDate()> hoy = [] { return QDate::currentDate(); };
  PreguntaSiNo preguntar;                                  // empty: PreguntarSiNo
  Aviso avisar;                                            // empty: Avisar
  std::function<QString(QWidget* padre)> elegirCarpeta;    // empty: the folder dialog
  FuncionUTM utm;                                          // empty: the web look-up
  int retardoProgresoMs = 1000;

 signals:
  void AbrirMes(const QString& ruta, int ano, int mes);
  // A reading ended (shown, cancelled or failed).
  void LecturaTerminada();

 private:
  struct Lectura;

  void LecturaHecha();
  void MostrarProgreso(int leidos, int total);
  void Mostrar();
  void LlenarFila(int fila);
  void AjustarAncho();
  void ActualizarTextoCrear();
  void TerminarCorrida(const QString& titulo, const ResumenFinDeMes& resumen);
  QStringList ArchivosDelTablero();

  std::function<QStringList()> carpetas_;
  QLocale locale_;
  QList<FilaCartera> filas_;
  int anoMostrado_ = 0;
  QThread* hilo_ = nullptr;
  std::shared_ptr<Lectura> lectura_;
};
