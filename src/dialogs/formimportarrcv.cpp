#include "dialogs/formimportarrcv.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "general/valores.h"

namespace {

QTableWidgetItem* Celda(const QString& texto, Qt::Alignment alineacion) {
  auto* celda = new QTableWidgetItem(texto);
  celda->setTextAlignment(alineacion | Qt::AlignVCenter);
  celda->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return celda;
}

QString ConSigno(qint64 valor, const QLocale& locale) {
  return (valor > 0 ? QStringLiteral("+") : QString()) + AgruparMiles(valor, locale);
}

}  // namespace

TFormImportarRcv::TFormImportarRcv(const ResumenRcv& resumen, const QList<ComparacionRcv>& comparacion,
                                   const QLocale& locale, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("FormImportarRcv"));
  setWindowTitle(QStringLiteral("Importar RCV: %1 del %2").arg(NombreDelMes(resumen.mes)).arg(resumen.ano));
  auto* layout = new QVBoxLayout(this);

  LabelResumen = new QLabel(this);
  LabelResumen->setObjectName(QStringLiteral("LabelResumen"));
  QStringList archivos;
  for (const ArchivoRcv& a : resumen.archivos)
    archivos << QStringLiteral("%1 (%2 %3, %4)")
                    .arg(a.nombre, NombreLibro(a.libro), NombreSeccion(a.seccion))
                    .arg(a.documentos);
  LabelResumen->setText(QStringLiteral("%1 documento(s) del período en %2 archivo(s): %3")
                            .arg(resumen.documentosDelPeriodo)
                            .arg(resumen.archivos.size())
                            .arg(archivos.join(QStringLiteral(", "))));
  LabelResumen->setWordWrap(true);
  layout->addWidget(LabelResumen);

  TablaCasillas = new QTableWidget(this);
  TablaCasillas->setObjectName(QStringLiteral("TablaCasillas"));
  TablaCasillas->setAccessibleName(QStringLiteral("Casillas"));
  LlenarTabla(comparacion, locale);
  layout->addWidget(TablaCasillas, 3);

  auto* titulo = new QLabel(QStringLiteral("&No incorporado y avisos:"), this);
  layout->addWidget(titulo);
  MemoNoIncorporado = new QPlainTextEdit(this);
  MemoNoIncorporado->setObjectName(QStringLiteral("MemoNoIncorporado"));
  MemoNoIncorporado->setAccessibleName(QStringLiteral("No incorporado y avisos"));
  MemoNoIncorporado->setReadOnly(true);
  titulo->setBuddy(MemoNoIncorporado);
  QStringList notas;
  for (const NotaRcv& nota : NotasRcv(resumen, locale)) {
    notas << nota.titulo + QLatin1Char(':');
    for (const QString& linea : nota.lineas) notas << QStringLiteral("  ") + linea;
  }
  MemoNoIncorporado->setPlainText(notas.isEmpty() ? QStringLiteral("Todo lo leído entró en las casillas.")
                                                  : notas.join(QLatin1Char('\n')));
  layout->addWidget(MemoNoIncorporado, 2);

  QStringList problemas;
  for (const ComparacionRcv& c : comparacion)
    if (!c.problema.isEmpty()) problemas << c.problema;
  if (comparacion.isEmpty()) problemas << QStringLiteral("el registro no alimenta ninguna casilla de este período");
  LabelProblemas = new QLabel(this);
  LabelProblemas->setObjectName(QStringLiteral("LabelProblemas"));
  LabelProblemas->setWordWrap(true);
  LabelProblemas->setStyleSheet(QStringLiteral("color: #b00000;"));
  LabelProblemas->setText(QStringLiteral("No se puede aplicar: %1.").arg(problemas.join(QStringLiteral("; "))));
  LabelProblemas->setVisible(!problemas.isEmpty());
  layout->addWidget(LabelProblemas);

  auto* botones = new QDialogButtonBox(this);
  ButtonAplicar = botones->addButton(QStringLiteral("&Aplicar"), QDialogButtonBox::AcceptRole);
  ButtonAplicar->setObjectName(QStringLiteral("ButtonAplicar"));
  ButtonAplicar->setEnabled(problemas.isEmpty());
  ButtonAplicar->setDefault(problemas.isEmpty());
  ButtonCancelar = botones->addButton(QStringLiteral("&Cancelar"), QDialogButtonBox::RejectRole);
  ButtonCancelar->setObjectName(QStringLiteral("ButtonCancelar"));
  connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(botones);
  resize(860, 600);
}

void TFormImportarRcv::LlenarTabla(const QList<ComparacionRcv>& comparacion, const QLocale& locale) {
  TablaCasillas->setColumnCount(5);
  TablaCasillas->setHorizontalHeaderLabels({QStringLiteral("Casilla"), QStringLiteral("Actual"),
                                            QStringLiteral("Registro"), QStringLiteral("Diferencia"),
                                            QStringLiteral("Línea")});
  TablaCasillas->setRowCount(static_cast<int>(comparacion.size()));
  TablaCasillas->verticalHeader()->setVisible(false);
  TablaCasillas->setSelectionBehavior(QAbstractItemView::SelectRows);
  TablaCasillas->setEditTriggers(QAbstractItemView::NoEditTriggers);
  const auto derecha = Qt::AlignRight;
  for (int i = 0; i < comparacion.size(); ++i) {
    const ComparacionRcv& c = comparacion[i];
    QList<QTableWidgetItem*> celdas = {Celda(c.codigo, Qt::AlignLeft), Celda(AgruparMiles(c.actual, locale), derecha),
                                       Celda(AgruparMiles(c.registro, locale), derecha),
                                       Celda(ConSigno(c.Diferencia(), locale), derecha), Celda(c.texto, Qt::AlignLeft)};
    for (int col = 0; col < celdas.size(); ++col) {
      QTableWidgetItem* celda = celdas[col];
      if (c.Diferencia() != 0 && col == 3) {
        QFont negrita = celda->font();
        negrita.setBold(true);
        celda->setFont(negrita);
      }
      if (!c.problema.isEmpty()) {
        celda->setForeground(Qt::red);
        celda->setToolTip(c.problema);
      }
      TablaCasillas->setItem(i, col, celda);
    }
  }
  TablaCasillas->resizeColumnsToContents();
  TablaCasillas->horizontalHeader()->setStretchLastSection(true);
}
