// The registry's files read into boxes: synthetic files with known totals,
// the samples, every encoding and layout, and each kind of bad input.

#include <gtest/gtest.h>

#include <QDir>
#include <QMap>
#include <QTemporaryDir>

#include "common/locales.h"
#include "common/rcv.h"
#include "general/errores.h"
#include "general/moneda.h"
#include "general/registroplano.h"
#include "rcv/aplicacion.h"
#include "rcv/resumen.h"

using namespace prueba;

namespace {

QMap<QString, qint64> Casillas(const ResumenRcv& r) {
  QMap<QString, qint64> m;
  for (const CasillaRcv& c : r.casillas) m.insert(c.codigo, c.valor);
  return m;
}

class Rcv : public ::testing::Test {
 protected:
  QString Ruta(const QString& nombre) const { return dir_.filePath(nombre); }
  QString Escribir(const QString& nombre, const QByteArray& encabezado, const QList<QByteArray>& filas,
                   const QByteArray& fin = "\r\n") {
    EXPECT_TRUE(EscribirRcv(Ruta(nombre), encabezado, filas, fin));
    return Ruta(nombre);
  }
  QString Bytes(const QString& nombre, const QByteArray& bytes) {
    QFile f(Ruta(nombre));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return Ruta(nombre);
  }
  // The message the reading of the files ends with, empty when it succeeds.
  static QString Error(const QStringList& rutas, int ano = 2026, int mes = 3) {
    try {
      LeerRegistroRcv(rutas, ano, mes);
    } catch (const ErrorAlcabala& e) {
      return e.Mensaje();
    }
    return QString();
  }
  QTemporaryDir dir_;
};

QList<QByteArray> VentasConocidas() {
  return {
      FilaVentaRcv("1", 33, "Del Giro", "54213736-3", 10, "02/03/2026", 0, 1000, 190),
      // The document above's additional tax: never counted again.
      ";33;Del Giro;54213736-3;Cliente S.A.;10;02/03/2026;;;;;;;;;271;701395;18",
      FilaVentaRcv("2", 33, "Del Giro", "54213736-3", 11, "31/03/2026", 0, 2000, 380),
      FilaVentaRcv("3", 34, "Del Giro", "54213736-3", 12, "05/03/2026", 1000, 0, 0),
      FilaVentaRcv("4", 56, "Del Giro", "54213736-3", 13, "05/03/2026", 0, 100, 19),
      FilaVentaRcv("5", 61, "Del Giro", "54213736-3", 14, "05/03/2026", 0, 200, 38),
      FilaVentaRcv("6", 39, "Del Giro", "66666666-6", 15, "05/03/2026", 0, 500, 95),
      FilaVentaRcv("7", 48, "Del Giro", "66666666-6", 16, "05/03/2026", 0, 300, 57),
      FilaVentaRcv("8", 110, "Del Giro", "55555555-5", 17, "05/03/2026", 5000, 0, 0),
      FilaVentaRcv("9", 112, "Del Giro", "55555555-5", 18, "05/03/2026", 1000, 0, 0),
      FilaVentaRcv("10", 33, "Activo Fijo", "54213736-3", 19, "05/03/2026", 0, 10000, 1900),
      FilaVentaRcv("11", 61, "Activo Fijo", "54213736-3", 20, "05/03/2026", 0, 1000, 190),
      FilaVentaRcv("12", 33, "Bienes Raíces", "54213736-3", 21, "05/03/2026", 0, 100000, 19000),
      FilaVentaRcv("13", 29, "Del Giro", "54213736-3", 22, "05/03/2026", 0, 700, 133),
      FilaVentaRcv("14", 33, "Del Giro", "54213736-3", 23, "28/02/2026", 0, 100, 19),
  };
}

}  // namespace

TEST_F(Rcv, VentasConocidasDanSusCasillas) {
  const ResumenRcv r = LeerRegistroRcv({Escribir("ventas.csv", EncabezadoVentasRcv(), VentasConocidas())}, 2026, 3);
  const QMap<QString, qint64> c = Casillas(r);
  const QMap<QString, qint64> esperadas = {
      {"503", 2}, {"502", 570},  {"586", 1}, {"142", 1000}, {"512", 1},   {"513", 19},     {"509", 1},
      {"510", 38}, {"110", 1},   {"111", 95}, {"758", 1},   {"759", 57},  {"585", 2},      {"20", 4000},
      {"716", 1}, {"717", 1900}, {"733", 1}, {"734", 190},  {"763", 1},   {"764", 19000}};
  EXPECT_EQ(c, esperadas);
  EXPECT_EQ(r.documentosDelPeriodo, 12);
  ASSERT_EQ(r.archivos.size(), 1);
  EXPECT_EQ(r.archivos[0].documentos, 14);
  EXPECT_EQ(r.archivos[0].continuaciones, 1);
  ASSERT_EQ(r.noIncorporado.size(), 1);
  EXPECT_EQ(r.noIncorporado[0].descripcion, QStringLiteral("Ventas, tipo 29 «Del Giro» (ventas.csv)"));
  EXPECT_EQ(r.noIncorporado[0].iva, 133);
  ASSERT_EQ(r.otrosPeriodos.size(), 1);
  EXPECT_EQ(r.otrosPeriodos[0].descripcion, QStringLiteral("Ventas de Febrero del 2026"));
  EXPECT_EQ(r.otrosPeriodos[0].documentos, 1);
  // The boxes come in the order of the form.
  EXPECT_EQ(r.casillas.first().codigo, QStringLiteral("585"));
}

TEST_F(Rcv, ComprasDelRegistroConocidas) {
  using M = MontosCompraRcv;
  const QList<QByteArray> filas = {
      FilaCompraRcv(1, 33, "Del Giro", 1, "03/03/2026", M{0, 1000, 190}),
      FilaCompraRcv(2, 33, "Supermercados", 2, "03/03/2026", M{0, 500, 95}),
      FilaCompraRcv(3, 33, "Activo Fijo", 3, "03/03/2026", M{0, 2000, 0, 0, 380}),
      FilaCompraRcv(4, 61, "Del Giro", 4, "03/03/2026", M{0, 100, 19}),
      FilaCompraRcv(5, 56, "Del Giro", 5, "03/03/2026", M{0, 200, 38}),
      FilaCompraRcv(6, 34, "Del Giro", 6, "03/03/2026", M{500}),
      FilaCompraRcv(7, 914, "Del Giro", 7, "03/03/2026", M{0, 5000, 1000}),
      FilaCompraRcv(8, 33, "IVA Uso Común", 8, "03/03/2026", M{0, 3000, 0, 0, 0, 570}),
      FilaCompraRcv(9, 33, "IVA No Recuperable", 9, "03/03/2026", M{0, 1000, 0, 190}),
      FilaCompraRcv(10, 33, "No Corresp. Incluir", 10, "03/03/2026", M{0, 100, 19}),
      // Issued in February, received in March: it belongs to March.
      FilaCompraRcv(11, 33, "Del Giro", 11, "01/03/2026", M{0, 10, 2}).replace(";01/03/2026;01/03", ";27/02/2026;01/03"),
  };
  const ResumenRcv r =
      LeerRegistroRcv({Escribir("RCV_COMPRA_REGISTRO_76354771-K_202603.csv", EncabezadoComprasRcv(), filas)}, 2026, 3);
  const QMap<QString, qint64> esperadas = {
      {"519", 2},  {"520", 192}, {"761", 1},  {"762", 95},   {"524", 1},  {"525", 380}, {"527", 1},
      {"528", 19}, {"531", 1},   {"532", 38}, {"584", 1},    {"562", 500}, {"534", 1},  {"535", 1000},
      {"564", 1},  {"521", 1000}, {"511", 190 + 95 + 380 - 19 + 38 + 570 + 2}, {"514", 190}};
  EXPECT_EQ(Casillas(r), esperadas);
  ASSERT_EQ(r.proporcionalidad.size(), 1);
  EXPECT_EQ(r.proporcionalidad[0].iva, 570);
  EXPECT_EQ(r.proporcionalidad[0].motivo, QStringLiteral("requiere proporcionalidad"));
  ASSERT_EQ(r.noIncorporado.size(), 1);
  EXPECT_TRUE(r.noIncorporado[0].descripcion.contains(QStringLiteral("No Corresp. Incluir")));
}

TEST_F(Rcv, ColumnasPorNombreCodificacionesYFinesDeLinea) {
  // The same two sales in columns of another order, in each encoding.
  const QByteArray encabezado = "Monto IVA;Tipo Venta;Folio;Tipo Doc;Nro;Rut cliente;Fecha Docto;Monto Exento;"
                                "Monto Neto;Monto total";
  const QByteArray a = "190;Del Giro;1;33;1;1-9;01/03/2026;0;1000;1190";
  const QByteArray b = "19000;Bienes Raíces;2;33;2;1-9;02/03/2026;0;100000;119000";
  struct Caso {
    const char* nombre;
    QByteArray bytes;
  };
  const QByteArray utf8 = encabezado + "\n" + a + "\n" + b + "\n";
  const QByteArray crlf = encabezado + "\r\n" + a + "\r\n" + b;
  const QList<Caso> casos = {
      {"utf8.csv", utf8},
      {"bom.csv", "\xEF\xBB\xBF" + utf8},
      {"crlf.csv", crlf},
      {"latin1.csv", QString::fromUtf8(utf8).toLatin1()},
  };
  for (const Caso& c : casos) {
    const QMap<QString, qint64> m = Casillas(LeerRegistroRcv({Bytes(c.nombre, c.bytes)}, 2026, 3));
    EXPECT_EQ(m.value("502"), 190) << c.nombre;
    EXPECT_EQ(m.value("764"), 19000) << c.nombre;
  }
}

TEST_F(Rcv, DuplicadosEntreArchivosSeCuentanUnaVez) {
  const QList<QByteArray> filas = {FilaVentaRcv("1", 33, "Del Giro", "1-9", 1, "01/03/2026", 0, 100, 19),
                                   FilaVentaRcv("2", 33, "Del Giro", "1-9", 2, "01/03/2026", 0, 100, 19)};
  const QString uno = Escribir("uno.csv", EncabezadoVentasRcv(), filas);
  const QString dos = Escribir("dos.csv", EncabezadoVentasRcv(), {filas[1]});
  const ResumenRcv r = LeerRegistroRcv({uno, dos}, 2026, 3);
  EXPECT_EQ(Casillas(r).value("503"), 2);
  EXPECT_EQ(Casillas(r).value("502"), 38);
  EXPECT_EQ(r.totalDuplicados, 1);
  ASSERT_EQ(r.duplicados.size(), 1);
  EXPECT_EQ(r.duplicados[0].archivo, QStringLiteral("dos.csv"));
  EXPECT_EQ(r.duplicados[0].archivoPrimero, QStringLiteral("uno.csv"));
  EXPECT_EQ(r.duplicados[0].lineaPrimero, 3);
  EXPECT_EQ(r.duplicados[0].rut, QStringLiteral("1-9"));
}

TEST_F(Rcv, MuestrasDelRegistro) {
  const QDir m(kCarpetaMuestrasRcv);
  // The register of June 2019: one document received in June, one in July.
  ResumenRcv r = LeerRegistroRcv({m.filePath("RCV-compra-registro-rz_leading_trailing_whitespace.csv")}, 2019, 6);
  EXPECT_EQ(Casillas(r).value("519"), 1);
  EXPECT_EQ(Casillas(r).value("520"), 45632);
  EXPECT_EQ(Casillas(r).value("511"), 45632);
  ASSERT_EQ(r.otrosPeriodos.size(), 1);
  EXPECT_EQ(r.otrosPeriodos[0].iva, 5198);
  // Pending, claimed and not-to-include never enter.
  r = LeerRegistroRcv({m.filePath("RCV-compra-pendiente-rz_leading_trailing_whitespace.csv"),
                       m.filePath("RCV-compra-reclamado-rz_leading_trailing_whitespace.csv"),
                       m.filePath("RCV-compra-no_incluir-rz_leading_trailing_whitespace.csv")},
                      2019, 6);
  EXPECT_TRUE(r.casillas.isEmpty());
  ASSERT_EQ(r.archivos.size(), 3);
  EXPECT_EQ(r.archivos[0].seccion, SeccionRcv::Pendiente);
  EXPECT_EQ(r.archivos[1].seccion, SeccionRcv::Reclamado);
  EXPECT_EQ(r.archivos[2].seccion, SeccionRcv::NoIncluir);
  int documentos = 0;
  for (const GrupoRcv& g : r.noIncorporado) documentos += g.documentos;
  EXPECT_EQ(documentos, 6);
  // Sales of September 2025 with additional-tax rows: four invoices (folio
  // 3210 twice, to two clients) and one exempt invoice.
  r = LeerRegistroRcv({m.filePath("RCV-venta-extra-empty-impuestos-rows.csv")}, 2025, 9);
  EXPECT_EQ(Casillas(r).value("503"), 4);
  EXPECT_EQ(Casillas(r).value("502"), 1371283 + 1687018 + 3899347 + 3899347);
  EXPECT_EQ(Casillas(r).value("586"), 1);
  EXPECT_EQ(Casillas(r).value("142"), 9999);
  EXPECT_EQ(r.totalDuplicados, 0);
  EXPECT_EQ(r.archivos[0].continuaciones, 2);
}

TEST_F(Rcv, MuestrasConErroresSeRechazanNombrandoLaLinea) {
  const QDir m(kCarpetaMuestrasRcv);
  EXPECT_EQ(Error({m.filePath("RCV-compra-reclamado.csv")}),
            QStringLiteral("«RCV-compra-reclamado.csv», línea 5: la fila trae datos después de la última columna del "
                           "encabezado: «notanumber»"));
  EXPECT_EQ(Error({m.filePath("RCV-venta-missing-required-fields.csv")}),
            QStringLiteral("«RCV-venta-missing-required-fields.csv», línea 2: falta el tipo de documento («Tipo Doc»)"));
  EXPECT_EQ(Error({m.filePath("RCV-venta-validation-errors.csv")}), QString());
  EXPECT_EQ(Error({m.filePath("RCV-venta-multiple-dte-referencias.csv")}), QString());
}

TEST_F(Rcv, EntradasMalasDanMensajeConArchivoYLinea) {
  const QByteArray v = EncabezadoVentasRcv();
  const QByteArray buena = FilaVentaRcv("1", 33, "Del Giro", "1-9", 1, "01/03/2026", 0, 100, 19);
  struct Caso {
    const char* nombre;
    QByteArray bytes;
    const char* mensaje;
  };
  const QList<Caso> casos = {
      {"vacio.csv", "", "«vacio.csv» está vacío: no trae el encabezado del Registro de Compras y Ventas."},
      {"bom.csv", "\xEF\xBB\xBF\r\n", "«bom.csv» está vacío: no trae el encabezado del Registro de Compras y Ventas."},
      {"comas.csv", QByteArray(v).replace(';', ',') + "\n",
       "«comas.csv», línea 1: las columnas no están separadas por «;» (el archivo usa «,»)"},
      {"sinencabezado.csv", buena + "\n" + buena + "\n",
       "«sinencabezado.csv», línea 1: falta el encabezado: la primera línea trae datos («1»)"},
      {"otro.csv", "Nro;Tipo Doc;Tipo Venta;Folio\n",
       "«otro.csv», línea 1: el encabezado no es el del detalle de ventas del Registro de Compras y Ventas: falta la "
       "columna «Rut cliente»"},
      {"corta.csv", v + "\n" + buena + "\n1;33;Del Giro;1-9\n",
       "«corta.csv», línea 3: la fila tiene 4 columnas y el encabezado 18"},
      {"texto.csv", v + "\n" + QByteArray(buena).replace(";100;19;", ";100;diez;") + "\n",
       "«texto.csv», línea 2: el monto de «Monto IVA» no es un número entero de pesos: «diez»"},
      {"negativo.csv", v + "\n" + QByteArray(buena).replace(";100;19;", ";100;-19;") + "\n",
       "«negativo.csv», línea 2: el monto de «Monto IVA» es negativo: «-19»"},
      {"fecha.csv", v + "\n" + QByteArray(buena).replace("01/03/2026;", "31/02/2026;") + "\n",
       "«fecha.csv», línea 2: «Fecha Docto» no es una fecha DD/MM/AAAA: «31/02/2026»"},
      {"c1.csv", v + "\n" + QByteArray(buena).replace("Cliente", "Cliente \x85") + "\n",
       "«c1.csv», línea 2: el byte 0x85 no corresponde a UTF-8 ni a ISO-8859-1"},
      {"mixto.csv", v + "\n" + QByteArray(buena).replace("Cliente", "Línea") + "\n" +
                        QByteArray(buena).replace("Cliente", "L\xEDnea").replace(";1;01", ";2;01") + "\n",
       "«mixto.csv», línea 3: el byte 0xED no es UTF-8, la codificación del archivo hasta aquí"},
      {"utf16.csv", "\xFF\xFEN\0r\0o\0", "«utf16.csv», línea 1: el archivo está en UTF-16; guárdelo como UTF-8 o ISO-8859-1"},
      {"rut.csv", v + "\n" + QByteArray(buena).replace("1-9", "INVALID-RUT") + "\n",
       "«rut.csv», línea 2: «Rut cliente» no es un RUT: «INVALID-RUT»"},
      {"larga.csv", v + "\n" + QByteArray(100000, 'x') + "\n",
       "«larga.csv», línea 2: la línea tiene más de 65536 bytes: no es un archivo del Registro de Compras y Ventas"},
      {"sobra.csv", v + "\n" + buena + ";dato\n",
       "«sobra.csv», línea 2: la fila trae datos después de la última columna del encabezado: «dato»"},
  };
  for (const Caso& c : casos) EXPECT_EQ(Error({Bytes(c.nombre, c.bytes)}), QString::fromUtf8(c.mensaje)) << c.nombre;
}

TEST_F(Rcv, SeccionPorNombreOColumnas) {
  using M = MontosCompraRcv;
  const QByteArray fila = FilaCompraRcv(1, 33, "Del Giro", 1, "03/03/2026", M{0, 100, 19});
  const QByteArray sinAcuse = QByteArray(EncabezadoComprasRcv()).replace("Fecha Acuse;", "");
  QByteArray filaSinAcuse = fila;
  filaSinAcuse.replace(" 09:00:00;;", " 09:00:00;");
  struct Caso {
    const char* nombre;
    QByteArray encabezado;
    QByteArray fila;
    SeccionRcv seccion;
  };
  const QList<Caso> casos = {
      {"compras.csv", EncabezadoComprasRcv(), fila, SeccionRcv::Registro},
      {"RCV_COMPRA_PENDIENTE_1-9_202603.csv", EncabezadoComprasRcv(), fila, SeccionRcv::Pendiente},
      {"RCV_COMPRA_NO_INCLUIR_1-9_202603.csv", EncabezadoComprasRcv(), fila, SeccionRcv::NoIncluir},
      {"sinacuse.csv", sinAcuse, filaSinAcuse, SeccionRcv::Pendiente},
      {"reclamo.csv", QByteArray(EncabezadoComprasRcv()).replace("Fecha Acuse", "Fecha Reclamo"), fila,
       SeccionRcv::Reclamado},
  };
  for (const Caso& c : casos) {
    const ResumenRcv r = LeerRegistroRcv({Escribir(c.nombre, c.encabezado, {c.fila})}, 2026, 3);
    ASSERT_EQ(r.archivos.size(), 1);
    EXPECT_EQ(r.archivos[0].seccion, c.seccion) << c.nombre;
    EXPECT_EQ(r.casillas.isEmpty(), c.seccion != SeccionRcv::Registro) << c.nombre;
  }
}

TEST_F(Rcv, AplicarEscribeSoloLoQueElRegistroAlimenta) {
  const ResumenRcv r = LeerRegistroRcv(
      {Escribir("v.csv", EncabezadoVentasRcv(), {FilaVentaRcv("1", 33, "Del Giro", "1-9", 1, "01/03/2026", 0, 100, 19)})},
      2026, 3);
  RegistroPlano d;
  d.Agregar(QStringLiteral("Cod503"), 7);
  d.Agregar(QStringLiteral("Cod502"), QVariant::fromValue(Moneda::DesdePesos(500)));
  d.Agregar(QStringLiteral("Cod586"), 4);
  const QList<ComparacionRcv> c = CompararRcv(r, d, Chile);
  ASSERT_EQ(c.size(), 2);
  EXPECT_EQ(c[0].codigo, QStringLiteral("503"));
  EXPECT_EQ(c[0].actual, 7);
  EXPECT_EQ(c[0].Diferencia(), -6);
  EXPECT_EQ(c[1].Diferencia(), -481);
  EXPECT_EQ(AplicarRcv(r, d, Chile), 2);
  EXPECT_EQ(d.Valor(QStringLiteral("Cod503")).toInt(), 1);
  EXPECT_EQ(d.Valor(QStringLiteral("Cod502")).value<Moneda>(), Moneda::DesdePesos(19));
  EXPECT_EQ(d.Valor(QStringLiteral("Cod586")).toInt(), 4);
}

TEST_F(Rcv, AplicarRechazaSinEscribirNada) {
  QList<QByteArray> filas;
  for (int i = 0; i < 3; ++i) filas << FilaVentaRcv("1", 112, "Del Giro", "1-9", i, "01/03/2026", 10, 0, 0);
  filas << FilaVentaRcv("9", 33, "Del Giro", "1-9", 99, "01/03/2026", 0, 100, 19);
  const ResumenRcv r = LeerRegistroRcv({Escribir("v.csv", EncabezadoVentasRcv(), filas)}, 2026, 3);
  RegistroPlano d;
  for (const char* campo : {"Cod585", "Cod20", "Cod503", "Cod502"}) d.Agregar(QString::fromLatin1(campo), 0);
  try {
    AplicarRcv(r, d, Chile);
    FAIL() << "se aplicó";
  } catch (const ErrorAlcabala& e) {
    EXPECT_EQ(e.Mensaje(), QStringLiteral("No se escribió nada en la declaración: la casilla 20 quedaría negativa (-30)."));
  }
  EXPECT_EQ(d.Valor(QStringLiteral("Cod503")).toInt(), 0);
  // A box the declaration lacks, and an amount beyond the digits of its box.
  RegistroPlano sinCampos;
  EXPECT_EQ(CompararRcv(r, sinCampos, Chile).at(0).problema, QStringLiteral("la declaración no tiene la casilla 585"));
  const ResumenRcv grande = LeerRegistroRcv(
      {Escribir("g.csv", EncabezadoVentasRcv(),
                {FilaVentaRcv("1", 33, "Del Giro", "1-9", 1, "01/03/2026", 0, 5000000000, 1000000000)})},
      2026, 3);
  EXPECT_EQ(CompararRcv(grande, d, Chile).at(1).problema,
            QStringLiteral("la casilla 502 admite hasta 999.999.999 y el registro da 1.000.000.000"));
}
