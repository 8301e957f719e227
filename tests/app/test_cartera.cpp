// The clients' board window: reading off the window's thread, the cells
// and their states, the due dates, opening a cell in the main window and
// the month-end runs from the board.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

#include "alcabalaprueba.h"
#include "app/ventanacartera.h"

namespace {

const QLocale kChile(QLocale::Spanish, QLocale::Chile);

class CarteraVentana : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(carpeta.isValid());
    ventana = std::make_unique<VentanaCartera>([this] { return QStringList{carpeta.path()}; }, kChile);
    ventana->hoy = [] { return QDate(2024, 6, 15); };
    ventana->SpinBoxAno->setValue(2024);
    ventana->ComboBoxMes->setCurrentIndex(4);  // May
    ventana->retardoProgresoMs = 0;
  }
  QString Empresa(const QString& nombre, qint32 rut) {
    const QString ruta = carpeta.filePath(nombre);
    CrearArchivoAlcabala(ruta);
    prueba::EjecutarSql(ruta, {QStringLiteral("UPDATE contribuyente SET RUT = %1").arg(rut)});
    return ruta;
  }
  static void Declarar(const QString& ruta, int mes, const QString& columnas = "", const QString& valores = "") {
    prueba::EjecutarSql(ruta, {QStringLiteral("INSERT INTO alcabalas (ano, mes%1) VALUES (2024, %2%3)")
                                   .arg(columnas.isEmpty() ? "" : ", " + columnas)
                                   .arg(mes)
                                   .arg(valores.isEmpty() ? "" : ", " + valores)});
  }
  void Leer() {
    QSignalSpy terminada(ventana.get(), &VentanaCartera::LecturaTerminada);
    ventana->Actualizar();
    EXPECT_TRUE(ventana->Leyendo());
    ASSERT_TRUE(terminada.wait(20000));
  }
  QTableWidgetItem* Celda(int fila, int columna) const { return ventana->Tabla->item(fila, columna); }
  QString Texto(int fila, int columna) const { return Celda(fila, columna) ? Celda(fila, columna)->text() : "<nada>"; }

  QTemporaryDir carpeta;
  std::unique_ptr<VentanaCartera> ventana;
};

TEST_F(CarteraVentana, MuestraCadaClientePorMesConSuEstadoYVencimiento) {
  const QString a = Empresa("A.alc", 12345678);
  const QString b = Empresa("B.alc", 7654321);
  Declarar(a, 1, "Cod502", "99999999999990000");  // the largest a box holds
  Declarar(a, 2, "Cod504", "50000000");            // 5,000 of credit carried
  prueba::EjecutarSql(b, {"UPDATE contribuyente SET FacturaElectronica = 0"});
  QFile roto(carpeta.filePath("Roto.alc"));
  ASSERT_TRUE(roto.open(QIODevice::WriteOnly));
  roto.write("no es una base de datos");
  roto.close();
  Leer();

  ASSERT_EQ(ventana->Tabla->rowCount(), 3);
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaNombre), "A");
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaRut), "12345678-5");
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaEnero), "9.999.999.999.999");
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaEnero + 1), "0 R");
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaEnero + 2), "");
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaTotal), "9.999.999.999.999");
  EXPECT_EQ(Celda(0, VentanaCartera::ColumnaEnero)->toolTip(), "Con impuesto a pagar");
  EXPECT_EQ(Celda(0, VentanaCartera::ColumnaEnero + 2)->toolTip(), "Sin declaración");  // March is past due
  EXPECT_TRUE(Celda(0, VentanaCartera::ColumnaEnero + 1)->toolTip().contains("remanente"));
  EXPECT_EQ(Celda(0, VentanaCartera::ColumnaEnero + 6)->background().style(), Qt::NoBrush);  // July: not yet
  const QSet<QRgb> colores{Celda(0, VentanaCartera::ColumnaEnero)->background().color().rgb(),
                           Celda(0, VentanaCartera::ColumnaEnero + 1)->background().color().rgb(),
                           Celda(0, VentanaCartera::ColumnaEnero + 2)->background().color().rgb()};
  EXPECT_EQ(colores.size(), 3);  // to pay, nothing to pay, missing
  // May 2024 is due on the 20th of June (a holiday: the 21st), or on the 12th.
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaVence), "21-06-2024");
  EXPECT_EQ(Texto(1, VentanaCartera::ColumnaVence), "12-06-2024");
  // The unreadable file: its name, "No se pudo leer" across the months, the error on hover.
  EXPECT_EQ(Texto(2, VentanaCartera::ColumnaNombre), "Roto.alc");
  EXPECT_EQ(Texto(2, VentanaCartera::ColumnaEnero), "No se pudo leer");
  EXPECT_EQ(ventana->Tabla->columnSpan(2, VentanaCartera::ColumnaEnero), 12);
  EXPECT_EQ(Celda(2, VentanaCartera::ColumnaEnero)->toolTip(), "«" + carpeta.filePath("Roto.alc") + "» no es un archivo de Alcabala o está dañado.");
  EXPECT_TRUE(ventana->windowTitle().contains("2024"));
}

TEST_F(CarteraVentana, DobleClicPideAbrirElArchivoEnEseMes) {
  const QString a = Empresa("A.alc", 1);
  Declarar(a, 3);
  Leer();
  QSignalSpy abrir(ventana.get(), &VentanaCartera::AbrirMes);
  ventana->AbrirCelda(0, VentanaCartera::ColumnaEnero + 2);
  ventana->AbrirCelda(0, VentanaCartera::ColumnaNombre);
  ASSERT_EQ(abrir.size(), 2);
  EXPECT_EQ(abrir.at(0), (QVariantList{a, 2024, 3}));
  EXPECT_EQ(abrir.at(1), (QVariantList{a, 2024, 0}));
}

TEST_F(CarteraVentana, ReleerUnArchivoActualizaSuFila) {
  const QString a = Empresa("A.alc", 1);
  Leer();
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaEnero + 3), "");
  Declarar(a, 4, "Cod502", "10000000");
  ventana->ReleerArchivo(a);
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaEnero + 3), "1.000");
}

TEST_F(CarteraVentana, CancelarDejaElTableroComoEstaba) {
  for (int i = 0; i < 30; ++i) Empresa(QStringLiteral("E%1.alc").arg(i), i + 1);
  QSignalSpy terminada(ventana.get(), &VentanaCartera::LecturaTerminada);
  ventana->Actualizar();
  ventana->ButtonCancelar->click();
  ASSERT_TRUE(terminada.wait(20000));
  EXPECT_FALSE(ventana->Leyendo());
  EXPECT_TRUE(ventana->ButtonActualizar->isEnabled());
  EXPECT_TRUE(ventana->ButtonCancelar->isHidden());
  EXPECT_EQ(ventana->Tabla->rowCount(), 0);
}

TEST_F(CarteraVentana, CrearParaTodosMuestraElResumenYRelee) {
  const QString a = Empresa("A.alc", 1);
  const QString b = Empresa("B.alc", 2);
  Declarar(b, 5);
  Leer();
  EXPECT_EQ(ventana->ButtonCrearTodos->text(), "C&rear Mayo para todos...");
  QString pregunta;
  QString resumen;
  ventana->preguntar = [&](QWidget*, const QString&, const QString& texto) {
    pregunta = texto;
    return true;
  };
  ventana->avisar = [&](QWidget*, const QString&, const QString& texto) { resumen = texto; };
  ventana->utm = [](int, int) { return 36000.0; };
  QSignalSpy terminada(ventana.get(), &VentanaCartera::LecturaTerminada);
  ventana->CrearParaTodos();
  EXPECT_EQ(pregunta, "¿Crear la declaración de Mayo del 2024 en cada uno de los 2 archivos que no la tienen?");
  EXPECT_TRUE(resumen.startsWith("Listos: 1. Omitidos: 1. Con error: 0.")) << resumen.toStdString();
  EXPECT_EQ(prueba::EscalarSql(a, "SELECT COUNT(*) FROM alcabalas WHERE ano = 2024 AND mes = 5").toInt(), 1);
  ASSERT_TRUE(terminada.wait(20000));
  EXPECT_EQ(Texto(0, VentanaCartera::ColumnaEnero + 4), "0");
}

TEST_F(CarteraVentana, CopiasEnPdfEnLaCarpetaElegida) {
  const QString a = Empresa("A.alc", 1);
  Declarar(a, 5);
  Leer();
  QTemporaryDir destino;
  QString resumen;
  ventana->elegirCarpeta = [&](QWidget*) { return destino.path(); };
  ventana->avisar = [&](QWidget*, const QString&, const QString& texto) { resumen = texto; };
  QSignalSpy terminada(ventana.get(), &VentanaCartera::LecturaTerminada);
  ventana->CopiasEnPdf();
  EXPECT_TRUE(resumen.startsWith("Listos: 1.")) << resumen.toStdString();
  EXPECT_EQ(QDir(destino.path()).entryList(QDir::Files), QStringList{"A 2024-05.pdf"});
  ASSERT_TRUE(terminada.wait(20000));
}

// The main window opens the board's cell: that file, at that month.
TEST(CarteraVentanaPrincipal, AbreElArchivoEnElMesDeLaCelda) {
  prueba::ArchivoPrueba archivo({{2024, 1}, {2024, 3}, {2025, 2}});
  prueba::VentanaPrueba v;
  EXPECT_TRUE(v->MenuItemCarteraClientes->isEnabled());  // also with no file open
  v->AbrirMesDeCartera(archivo.ruta, 2024, 3);
  EXPECT_EQ(v.Ano(), 2024);
  EXPECT_EQ(v.Mes(), 3);
  EXPECT_EQ(v->AnoActual, 2024);
  EXPECT_EQ(v->Paginas->ComboBoxMes->currentText().toUpper(), NombreDelMes(3).toUpper());
  v->AbrirMesDeCartera(archivo.ruta, 2024, 0);  // same file, no month: stays
  EXPECT_EQ(v.Mes(), 3);
  v->ADODataSetAlcabala->Editar();
  v->EstablecerEstadoControles();
  EXPECT_FALSE(v->MenuItemCarteraClientes->isEnabled());
  EXPECT_THROW(v->AbrirMesDeCartera(archivo.ruta, 2024, 1), ErrorAlcabala);
  v->ADODataSetAlcabala->Cancelar();
}

}  // namespace
