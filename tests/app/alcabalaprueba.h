#pragma once
// Helpers shared by the tests of the window's states, navigation, commands
// and box input: data files with declarations, the form pages on their own
// over real data sets, the main window on a file, answering message boxes.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/controles/comando.h"
#include "common/cajamodal.h"
#include "common/erroresanotados.h"
#include "common/sql.h"
#include "app/entradacajas.h"
#include "app/estados.h"
#include "app/formalcabala.h"
#include "app/paginas.h"
#include "declarations/motor/calculo.h"
#include "general/valores.h"
#include "storage/archivo.h"
#include "storage/conexion.h"
#include "storage/formato/contribuyente.h"
#include "storage/dataset.h"

namespace prueba {

// Currency columns hold pesos × 10,000.
inline qint64 Pesos(const QVariant& crudo) { return crudo.toLongLong() / 10000; }

// A new data file in a temporary folder, with declarations of the periods given.
struct ArchivoPrueba {
  explicit ArchivoPrueba(const QList<std::pair<int, int>>& periodos = {}) {
    ruta = dir.filePath(QStringLiteral("Empresa.alc"));
    CrearArchivoAlcabala(ruta);
    QStringList sql;
    for (const auto& [ano, mes] : periodos)
      sql << QStringLiteral("INSERT INTO alcabalas (ano, mes) VALUES (%1, %2)").arg(ano).arg(mes);
    EjecutarSql(ruta, sql);
  }
  // Sets columns of the declaration (ano, mes): "Cod502 = 1900000000".
  void Poner(int ano, int mes, const QString& asignaciones) const {
    EjecutarSql(ruta, {QStringLiteral("UPDATE alcabalas SET %1 WHERE ano = %2 AND mes = %3")
                           .arg(asignaciones)
                           .arg(ano)
                           .arg(mes)});
  }
  void PonerContribuyente(const QString& asignaciones) const {
    EjecutarSql(ruta, {QStringLiteral("UPDATE contribuyente SET %1").arg(asignaciones)});
  }
  QVariant Leer(int ano, int mes, const QString& columna) const {
    return EscalarSql(ruta, QStringLiteral("SELECT %1 FROM alcabalas WHERE ano = %2 AND mes = %3")
                             .arg(columna)
                             .arg(ano)
                             .arg(mes));
  }
  int Cantidad() const { return EscalarSql(ruta, QStringLiteral("SELECT COUNT(*) FROM alcabalas")).toInt(); }

  QTemporaryDir dir;
  QString ruta;
};

// Shows a top-level widget and makes it the active window, so focus moves
// as it does for a user.
inline void Activar(QWidget* ventana) {
  ventana->show();
  ventana->activateWindow();
  QApplication::setActiveWindow(ventana);
  ASSERT_TRUE(QTest::qWaitForWindowActive(ventana));
}

// The form pages on their own, over a data file's real data sets, with the
// input behaviour installed for a chosen locale.
struct PaginasPrueba {
  PaginasPrueba(const QString& ruta, const QLocale& locale, double iva = 19)
      : alcabala(&conexion, QStringLiteral("alcabalas"), true),
        contribuyente(&conexion, QStringLiteral("contribuyente"), false) {
    alcabala.DefinirCalculados(CamposCalculadosAlcabala(), [locale](Registro& registro) {
      ADODataSetAlcabalaCalcFields(registro, locale);
    });
    contribuyente.DefinirCalculados(CamposCalculadosContribuyente(), &ADODataSetContribuyenteCalcFields);
    conexion.Abrir(ruta);
    contribuyente.Abrir();
    alcabala.Abrir();
    alcabala.Ultimo();
    anverso = new QWidget(&ventana);
    reverso = new QWidget(&ventana);
    paginas = std::make_unique<PaginasFormulario>(anverso, reverso, locale);
    reverso->move(anverso->width() + 10, 0);
    ventana.resize(anverso->width() + reverso->width() + 10, qMax(anverso->height(), reverso->height()));
    paginas->Enlazar(&alcabala, &contribuyente);
    InstalarEntradaCajas({paginas.get(), &alcabala, &contribuyente, [iva] { return iva; }, locale});
  }
  ~PaginasPrueba() { paginas->Desenlazar(); }

  // "&Editar": edit state and the input boxes on.
  void Editar() {
    alcabala.Editar();
    ActivarControles(*paginas, alcabala);
  }
  CajaEdicion* Caja(const char* codigo) const { return paginas->Edicion(QString::fromLatin1(codigo)); }
  QVariant Valor(const char* codigo) const { return alcabala.Valor(QStringLiteral("Cod") + QLatin1String(codigo)); }

  Conexion conexion;
  DataSet alcabala;
  DataSet contribuyente;
  QWidget ventana;
  QWidget* anverso = nullptr;
  QWidget* reverso = nullptr;
  std::unique_ptr<PaginasFormulario> paginas;
};

// Gives a box the focus as a keyboard user would reach it.
inline void Enfocar(QWidget* caja) {
  caja->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
}

// Types text into the focused box, key by key, as a keyboard sends it
// (letters beyond ASCII included).
inline void Teclear(QWidget* caja, const QString& texto) {
  for (QChar c : texto) {
    const int tecla = c.unicode() < 128 ? static_cast<int>(c.toUpper().unicode()) : static_cast<int>(Qt::Key_unknown);
    QKeyEvent pulsar(QEvent::KeyPress, tecla, Qt::NoModifier, QString(c));
    QApplication::sendEvent(caja, &pulsar);
    QKeyEvent soltar(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(c));
    QApplication::sendEvent(caja, &soltar);
  }
}

// Leaves a box: the focus moves to another widget.
inline void Salir(QWidget* caja, QWidget* destino) {
  ASSERT_TRUE(caja->hasFocus());
  destino->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
}


// The main window on a data file, shown and active, with a program folder
// of its own holding the parameter database (IVA 19).
struct VentanaPrueba {
  explicit VentanaPrueba(const QString& archivo = QString()) {
    QFile::copy(QStringLiteral(ALCABALA_BIN_DIR "/alcabala.mdb"), programa.filePath(QStringLiteral("alcabala.mdb")));
    ventana = std::make_unique<TFormAlcabala>(Novedades{}, archivo, programa.path());
    ventana->CrearDialogos();
    ventana->TimerFranjas->stop();
    ventana->TimerMarquee->stop();
    Activar(ventana.get());
  }
  TFormAlcabala* operator->() const { return ventana.get(); }
  CajaEdicion* Caja(const char* codigo) const { return ventana->Paginas->Edicion(QString::fromLatin1(codigo)); }
  QVariant Valor(const char* codigo) const {
    return ventana->ADODataSetAlcabala->Valor(QStringLiteral("Cod") + QLatin1String(codigo));
  }
  int Ano() const { return static_cast<int>(NuloACeroEntero(ventana->ADODataSetAlcabala->Valor(QStringLiteral("ano")))); }
  int Mes() const { return static_cast<int>(NuloACeroEntero(ventana->ADODataSetAlcabala->Valor(QStringLiteral("mes")))); }
  EstadoDataSet Estado() const { return ventana->ADODataSetAlcabala->Estado(); }

  QTemporaryDir programa;
  std::unique_ptr<TFormAlcabala> ventana;
};

// Picks the entry with this text as the user does (the list's `activated`);
// false when the list has no such entry.
inline bool Elegir(QComboBox* lista, const QString& texto) {
  const int indice = lista->findText(texto);
  if (indice < 0) return false;
  lista->setCurrentIndex(indice);
  emit lista->activated(indice);
  return true;
}

// Chooses a month in the window's month list, as the user does.
inline void ElegirMes(VentanaPrueba& v, const QString& mes) {
  ASSERT_TRUE(Elegir(v->Paginas->ComboBoxMes, mes)) << qPrintable(mes);
}

inline QStringList Entradas(const QComboBox* lista) {
  QStringList textos;
  for (int i = 0; i < lista->count(); ++i) textos << lista->itemText(i);
  return textos;
}

}  // namespace prueba
