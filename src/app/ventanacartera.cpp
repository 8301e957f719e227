#include "app/ventanacartera.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <atomic>
#include <mutex>

#include "app/controles/comando.h"
#include "app/progresoescaneo.h"
#include "declarations/vencimiento.h"
#include "general/errores.h"
#include "general/red/utm.h"
#include "general/valores.h"

namespace {

const QString kTitulo = QStringLiteral("Cartera de Clientes");
const QString kMarcaRemanente = QStringLiteral(" R");

// Colours of the states, light enough for black text.
QColor ColorDe(EstadoCelda estado) {
  switch (estado) {
    case EstadoCelda::Falta: return QColor(0xf4, 0xc7, 0xc3);
    case EstadoCelda::ConPago: return QColor(0xfc, 0xe8, 0xb2);
    case EstadoCelda::SinPago: return QColor(0xc8, 0xe6, 0xc9);
    case EstadoCelda::NoCalculada:
    case EstadoCelda::Ilegible: return QColor(0xdd, 0xdd, 0xdd);
    case EstadoCelda::Vacia: break;
  }
  return QColor();
}

QString PistaDe(EstadoCelda estado) {
  switch (estado) {
    case EstadoCelda::Falta: return QStringLiteral("Sin declaración");
    case EstadoCelda::ConPago: return QStringLiteral("Con impuesto a pagar");
    case EstadoCelda::SinPago: return QStringLiteral("Sin pago de impuestos");
    default: break;
  }
  return QString();
}

QTableWidgetItem* Celda(const QString& texto, Qt::Alignment alineacion = Qt::AlignRight | Qt::AlignVCenter) {
  auto* celda = new QTableWidgetItem(texto);
  celda->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  celda->setTextAlignment(alineacion);
  return celda;
}

QString RutaCanonica(const QString& ruta) {
  const QString canonica = QFileInfo(ruta).canonicalFilePath();
  return canonica.isEmpty() ? QFileInfo(ruta).absoluteFilePath() : canonica;
}

}  // namespace

// One reading of the board on its thread: what the thread hands over, and
// the user's "Cancelar".
struct VentanaCartera::Lectura {
  std::atomic<bool> cancelar{false};
  std::mutex mutex;
  std::optional<QList<FilaCartera>> filas;
  QString error;
  int ano = 0;
};

VentanaCartera::VentanaCartera(std::function<QStringList()> carpetas, const QLocale& locale, QWidget* padre)
    : QWidget(padre, Qt::Window), carpetas_(std::move(carpetas)), locale_(locale) {
  setObjectName(QStringLiteral("VentanaCartera"));
  setWindowTitle(kTitulo);
  setAttribute(Qt::WA_DeleteOnClose, false);

  SpinBoxAno = new QSpinBox(this);
  SpinBoxAno->setObjectName(QStringLiteral("SpinBoxAno"));
  SpinBoxAno->setAccessibleName(QStringLiteral("Año"));
  SpinBoxAno->setRange(1000, 9999);
  SpinBoxAno->setGroupSeparatorShown(false);
  SpinBoxAno->setValue(hoy().year());
  auto* etiquetaAno = new QLabel(QStringLiteral("&Año:"), this);
  etiquetaAno->setBuddy(SpinBoxAno);

  ComboBoxMes = new QComboBox(this);
  ComboBoxMes->setObjectName(QStringLiteral("ComboBoxMes"));
  ComboBoxMes->setAccessibleName(QStringLiteral("Mes"));
  for (int mes = 1; mes <= 12; ++mes) ComboBoxMes->addItem(NombreDelMes(mes), mes);
  ComboBoxMes->setCurrentIndex(PeriodoPorVencer(hoy()).mes - 1);
  auto* etiquetaMes = new QLabel(QStringLiteral("&Mes:"), this);
  etiquetaMes->setBuddy(ComboBoxMes);

  ButtonActualizar = new QPushButton(QStringLiteral("Ac&tualizar"), this);
  ButtonActualizar->setObjectName(QStringLiteral("ButtonActualizar"));
  ButtonCrearTodos = new QPushButton(this);
  ButtonCrearTodos->setObjectName(QStringLiteral("ButtonCrearTodos"));
  ButtonCopias = new QPushButton(QStringLiteral("Copias en &PDF..."), this);
  ButtonCopias->setObjectName(QStringLiteral("ButtonCopias"));

  LabelProgreso = new QLabel(this);
  ProgressBarLectura = new QProgressBar(this);
  ProgressBarLectura->setTextVisible(false);
  ButtonCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
  ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
  for (QWidget* control : {static_cast<QWidget*>(LabelProgreso), static_cast<QWidget*>(ProgressBarLectura),
                           static_cast<QWidget*>(ButtonCancelar)})
    control->hide();

  Tabla = new QTableWidget(0, ColumnaVence + 1, this);
  Tabla->setObjectName(QStringLiteral("TablaCartera"));
  Tabla->setAccessibleName(kTitulo);
  QStringList encabezados{QStringLiteral("Empresa"), QStringLiteral("RUT")};
  for (int mes = 1; mes <= 12; ++mes) encabezados << NombreDelMes(mes).left(3);
  encabezados << QStringLiteral("Total") << QStringLiteral("Vence");
  Tabla->setHorizontalHeaderLabels(encabezados);
  Tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Tabla->setSelectionMode(QAbstractItemView::SingleSelection);
  Tabla->verticalHeader()->hide();
  Tabla->setWordWrap(false);

  auto* barra = new QHBoxLayout;
  barra->addWidget(etiquetaAno);
  barra->addWidget(SpinBoxAno);
  barra->addWidget(ButtonActualizar);
  barra->addSpacing(16);
  barra->addWidget(etiquetaMes);
  barra->addWidget(ComboBoxMes);
  barra->addWidget(ButtonCrearTodos);
  barra->addWidget(ButtonCopias);
  barra->addStretch();
  auto* progreso = new QHBoxLayout;
  progreso->addWidget(LabelProgreso);
  progreso->addWidget(ProgressBarLectura, 1);
  progreso->addWidget(ButtonCancelar);
  auto* principal = new QVBoxLayout(this);
  principal->addLayout(barra);
  principal->addLayout(progreso);
  principal->addWidget(Tabla, 1);
  resize(1180, 560);

  connect(ButtonActualizar, &QPushButton::clicked, this, [this] { EjecutarComando(this, [this] { Actualizar(); }); });
  connect(SpinBoxAno, &QSpinBox::editingFinished, this, [this] {
    if (SpinBoxAno->value() != anoMostrado_) EjecutarComando(this, [this] { Actualizar(); });
  });
  connect(ButtonCancelar, &QPushButton::clicked, this, [this] {
    if (lectura_) lectura_->cancelar = true;
    ButtonCancelar->setEnabled(false);
  });
  connect(ComboBoxMes, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [this] { ActualizarTextoCrear(); });
  connect(ButtonCrearTodos, &QPushButton::clicked, this, [this] { EjecutarComando(this, [this] { CrearParaTodos(); }); });
  connect(ButtonCopias, &QPushButton::clicked, this, [this] { EjecutarComando(this, [this] { CopiasEnPdf(); }); });
  connect(Tabla, &QTableWidget::activated, this, [this](const QModelIndex& indice) {
    EjecutarComando(this, [this, indice] { AbrirCelda(indice.row(), indice.column()); });
  });
  ActualizarTextoCrear();
}

VentanaCartera::~VentanaCartera() {
  if (hilo_ != nullptr) {
    lectura_->cancelar = true;
    hilo_->wait();
  }
}

AnoMes VentanaCartera::PeriodoElegido() const { return {SpinBoxAno->value(), ComboBoxMes->currentData().toInt()}; }

void VentanaCartera::ActualizarTextoCrear() {
  ButtonCrearTodos->setText(QStringLiteral("C&rear %1 para todos...").arg(NombreDelMes(PeriodoElegido().mes)));
}

void VentanaCartera::Actualizar() {
  if (hilo_ != nullptr) return;
  const QStringList carpetas = carpetas_();
  auto lectura = std::make_shared<Lectura>();
  lectura->ano = SpinBoxAno->value();
  const QLocale locale = locale_;
  // The window waits for the thread before it goes, so it outlives every
  // notice the thread posts to it.
  VentanaCartera* ventana = this;
  hilo_ = QThread::create([lectura, carpetas, locale, ventana] {
    try {
      auto filas = LeerCartera(carpetas, lectura->ano, locale, [lectura, ventana](int leidos, int total) {
        if (lectura->cancelar) return false;
        QMetaObject::invokeMethod(
            ventana, [ventana, leidos, total] { ventana->MostrarProgreso(leidos, total); },
            Qt::QueuedConnection);
        return true;
      });
      std::lock_guard<std::mutex> cerrojo(lectura->mutex);
      lectura->filas = std::move(filas);
    } catch (const std::exception& e) {
      std::lock_guard<std::mutex> cerrojo(lectura->mutex);
      lectura->error = MensajeDeExcepcion(e);
    }
  });
  lectura_ = lectura;
  connect(hilo_, &QThread::finished, this, &VentanaCartera::LecturaHecha);
  ButtonActualizar->setEnabled(false);
  ButtonCrearTodos->setEnabled(false);
  ButtonCopias->setEnabled(false);
  ButtonCancelar->setEnabled(true);
  MostrarProgreso(0, 0);
  for (QWidget* control : {static_cast<QWidget*>(LabelProgreso), static_cast<QWidget*>(ProgressBarLectura),
                           static_cast<QWidget*>(ButtonCancelar)})
    control->show();
  hilo_->start();
}

void VentanaCartera::MostrarProgreso(int leidos, int total) {
  if (!Leyendo()) return;
  LabelProgreso->setText(total > 0 ? VentanaProgresoEscaneo::TextoProgreso(leidos, total)
                                   : QStringLiteral("Buscando archivos..."));
  ProgressBarLectura->setRange(0, std::max(total, 1));
  ProgressBarLectura->setValue(leidos);
}

void VentanaCartera::LecturaHecha() {
  hilo_->wait();
  hilo_->deleteLater();
  hilo_ = nullptr;
  const std::shared_ptr<Lectura> lectura = std::move(lectura_);
  for (QWidget* control : {static_cast<QWidget*>(LabelProgreso), static_cast<QWidget*>(ProgressBarLectura),
                           static_cast<QWidget*>(ButtonCancelar)})
    control->hide();
  ButtonActualizar->setEnabled(true);
  ButtonCrearTodos->setEnabled(true);
  ButtonCopias->setEnabled(true);
  {
    std::lock_guard<std::mutex> cerrojo(lectura->mutex);
    if (lectura->filas) {
      filas_ = std::move(*lectura->filas);
      anoMostrado_ = lectura->ano;
      Mostrar();
    }
  }
  if (!lectura->error.isEmpty()) MostrarCajaError(this, lectura->error);
  emit LecturaTerminada();
}

void VentanaCartera::Mostrar() {
  Tabla->clearSpans();
  Tabla->setRowCount(filas_.size());
  for (int fila = 0; fila < filas_.size(); ++fila) LlenarFila(fila);
  Tabla->resizeColumnsToContents();
  AjustarAncho();
  const AnoMes porVencer = PeriodoPorVencer(hoy());
  Tabla->horizontalHeaderItem(ColumnaVence)
      ->setToolTip(QStringLiteral("Vencimiento de la declaración de %1").arg(NombrePeriodo(porVencer)));
  setWindowTitle(QStringLiteral("%1 %2").arg(kTitulo).arg(anoMostrado_));
}

void VentanaCartera::AjustarAncho() {
  // Wide enough for every column when the screen allows it: large amounts
  // make the months wide, and the total and the due date come last.
  if (isMaximized() || isFullScreen()) return;
  int ancho = Tabla->frameWidth() * 2 + Tabla->verticalScrollBar()->sizeHint().width();
  for (int columna = 0; columna < Tabla->columnCount(); ++columna) ancho += Tabla->columnWidth(columna);
  const QMargins margenes = layout()->contentsMargins();
  ancho += margenes.left() + margenes.right();
  const QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
  if (pantalla != nullptr) ancho = std::min(ancho, pantalla->availableGeometry().width());
  if (ancho > width()) resize(ancho, height());
}

void VentanaCartera::LlenarFila(int indice) {
  const FilaCartera& fila = filas_.at(indice);
  const QDate fecha = hoy();
  auto* nombre = Celda(fila.NombreMostrado(), Qt::AlignLeft | Qt::AlignVCenter);
  nombre->setToolTip(QDir::toNativeSeparators(fila.ruta));
  Tabla->setItem(indice, ColumnaNombre, nombre);
  Tabla->setItem(indice, ColumnaRut, Celda(TextoRut(fila.rut, PropositoTexto::Mostrar, false)));
  if (Tabla->columnSpan(indice, ColumnaEnero) > 1) Tabla->setSpan(indice, ColumnaEnero, 1, 1);
  if (!fila.Legible()) {
    for (int columna = ColumnaEnero; columna <= ColumnaVence; ++columna) {
      auto* celda = Celda(columna == ColumnaEnero ? QStringLiteral("No se pudo leer") : QString(),
                          Qt::AlignLeft | Qt::AlignVCenter);
      celda->setToolTip(fila.error);
      celda->setBackground(ColorDe(EstadoCelda::Ilegible));
      Tabla->setItem(indice, columna, celda);
    }
    nombre->setToolTip(QDir::toNativeSeparators(fila.ruta) + QStringLiteral("\n") + fila.error);
    Tabla->setSpan(indice, ColumnaEnero, 1, 12);
    return;
  }
  for (int mes = 1; mes <= 12; ++mes) {
    const CeldaCartera& datos = fila.Mes(mes);
    const EstadoCelda estado = EstadoDeCelda(fila, {anoMostrado_, mes}, fecha);
    QString texto;
    if (datos.totalAPagar) texto = FormatoN0(*datos.totalAPagar, locale_);
    else if (datos.conDeclaracion) texto = QStringLiteral("?");
    if (datos.remanente) texto += kMarcaRemanente;
    auto* celda = Celda(texto);
    QStringList pista{PistaDe(estado)};
    if (datos.remanente) pista << QStringLiteral("R: con remanente de crédito para el mes siguiente");
    if (!datos.error.isEmpty()) pista << datos.error;
    pista.removeAll(QString());
    celda->setToolTip(pista.join(QLatin1Char('\n')));
    if (ColorDe(estado).isValid()) celda->setBackground(ColorDe(estado));
    Tabla->setItem(indice, ColumnaEnero + mes - 1, celda);
  }
  const std::optional<Moneda> total = fila.TotalAno();
  Tabla->setItem(indice, ColumnaTotal, Celda(total ? FormatoN0(*total, locale_) : QStringLiteral("?")));
  const AnoMes porVencer = PeriodoPorVencer(fecha);
  const QDate vence = FechaVencimiento(porVencer, fila.facturaElectronica);
  auto* celdaVence = Celda(locale_.toString(vence, QStringLiteral("dd-MM-yyyy")), Qt::AlignCenter);
  celdaVence->setToolTip(QStringLiteral("%1, día %2")
                             .arg(NombrePeriodo(porVencer))
                             .arg(fila.facturaElectronica ? DiaVencimientoFacturaElectronica : DiaVencimientoPapel));
  // The due date is red while the month's declaration is missing and due.
  if (anoMostrado_ == porVencer.ano && !fila.Mes(porVencer.mes).conDeclaracion)
    celdaVence->setBackground(ColorDe(vence < fecha ? EstadoCelda::Falta : EstadoCelda::ConPago));
  Tabla->setItem(indice, ColumnaVence, celdaVence);
}

void VentanaCartera::ReleerArchivo(const QString& ruta) {
  if (Leyendo() || ruta.isEmpty()) return;
  const QString buscada = RutaCanonica(ruta);
  for (int i = 0; i < filas_.size(); ++i) {
    if (RutaCanonica(filas_.at(i).ruta) != buscada) continue;
    filas_[i] = LeerFilaCartera(filas_.at(i).ruta, anoMostrado_, locale_);
    LlenarFila(i);
  }
}

void VentanaCartera::AbrirCelda(int fila, int columna) {
  if (fila < 0 || fila >= filas_.size()) return;
  const FilaCartera& datos = filas_.at(fila);
  if (!datos.Legible()) throw ErrorAlcabala(datos.error);
  const bool esMes = columna >= ColumnaEnero && columna < ColumnaEnero + 12;
  emit AbrirMes(datos.ruta, anoMostrado_, esMes ? columna - ColumnaEnero + 1 : 0);
}

QStringList VentanaCartera::ArchivosDelTablero() {
  if (anoMostrado_ == 0) return ArchivosEmpresas(carpetas_());
  QStringList archivos;
  for (const FilaCartera& fila : filas_) archivos << fila.ruta;
  return archivos;
}

void VentanaCartera::TerminarCorrida(const QString& titulo, const ResumenFinDeMes& resumen) {
  (avisar ? avisar : Avisar)(this, titulo, resumen.Texto());
  Actualizar();
}

void VentanaCartera::CrearParaTodos() {
  if (Leyendo()) return;
  const AnoMes periodo = PeriodoElegido();
  ValidarPeriodo(periodo);
  const QStringList archivos = ArchivosDelTablero();
  const QString titulo = QStringLiteral("Crear %1 para todos").arg(NombreDelMes(periodo.mes));
  const QString pregunta = QStringLiteral("¿Crear la declaración de %1 en cada uno de los %2 archivos que no la tienen?")
                               .arg(NombrePeriodo(periodo))
                               .arg(archivos.size());
  if (!(preguntar ? preguntar : PreguntarSiNo)(this, titulo, pregunta)) return;
  const QLocale locale = locale_;
  const FuncionUTM consulta = utm ? utm : FuncionUTM([locale](int ano, int mes) { return ValorUTM(ano, mes, locale); });
  ResumenFinDeMes resumen;
  {
    CursorOcupado cursor;
    VentanaProgresoEscaneo progreso(this, retardoProgresoMs);
    resumen = CrearMesParaTodos(archivos, periodo, consulta, locale_, progreso.Aviso());
  }
  TerminarCorrida(titulo, resumen);
}

void VentanaCartera::CopiasEnPdf() {
  if (Leyendo()) return;
  const AnoMes periodo = PeriodoElegido();
  ValidarPeriodo(periodo);
  const QString destino =
      elegirCarpeta ? elegirCarpeta(this)
                    : QFileDialog::getExistingDirectory(this, QStringLiteral("Copias en PDF de %1").arg(NombrePeriodo(periodo)));
  if (destino.isEmpty()) return;
  const QStringList archivos = ArchivosDelTablero();
  ResumenFinDeMes resumen;
  {
    CursorOcupado cursor;
    VentanaProgresoEscaneo progreso(this, retardoProgresoMs);
    resumen = CopiasParaTodos(archivos, periodo, destino, locale_, hoy(), progreso.Aviso());
  }
  TerminarCorrida(QStringLiteral("Copias en PDF"), resumen);
}
