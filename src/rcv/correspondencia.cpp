#include "rcv/correspondencia.h"

#include <algorithm>

namespace {

using M = MontoRcv;
constexpr LibroRcv V = LibroRcv::Ventas;
constexpr LibroRcv C = LibroRcv::Compras;

// The kinds of operation as the registry writes them.
const char* const kDelGiro = "Del Giro";
const char* const kActivoFijo = "Activo Fijo";
const char* const kBienesRaices = "Bienes Raíces";
const char* const kSupermercados = "Supermercados";
const char* const kUsoComun = "IVA Uso Común";
const char* const kNoRecuperable = "IVA No Recuperable";

struct Def {
  LibroRcv libro;
  std::vector<int> tipos;
  std::vector<const char*> operaciones;
  const char* cantidad;
  const char* monto;
  MontoRcv cual;
  int signo = 1;
  DestinoRcv destino = DestinoRcv::Casillas;
  bool ademas = false;
};

Def Proporcional(std::vector<int> tipos, int signo) {
  return {C, std::move(tipos), {kUsoComun}, "", "", M::IvaUsoComun, signo, DestinoRcv::Proporcionalidad};
}

Def Ademas(std::vector<int> tipos, const char* caja, MontoRcv cual, int signo) {
  return {C, std::move(tipos), {}, "", caja, cual, signo, DestinoRcv::Casillas, true};
}

// The electronic documents received (facturas, exentas, liquidaciones
// factura, facturas de compra, notas de débito) and their credit notes.
const std::vector<int> kElectronicasRecibidas = {33, 34, 43, 46, 56};

std::vector<Def> Definiciones() {
  const std::vector<const char*> compras = {kDelGiro, kSupermercados, kActivoFijo};
  return {
      // --- Sales -------------------------------------------------------------
      {V, {30, 33, 55, 56}, {kActivoFijo}, "716", "717", M::Iva},
      {V, {60, 61}, {kActivoFijo}, "733", "734", M::Iva},
      {V, {32, 34}, {kActivoFijo}, "714", "715", M::ExentoMasNeto},
      {V, {30, 33}, {kBienesRaices}, "763", "764", M::Iva},
      {V, {30, 33}, {kDelGiro}, "503", "502", M::Iva},
      {V, {32, 34}, {kDelGiro}, "586", "142", M::ExentoMasNeto},
      {V, {55, 56}, {kDelGiro}, "512", "513", M::Iva},
      {V, {60, 61}, {kDelGiro}, "509", "510", M::Iva},
      {V, {35, 38, 39, 41}, {}, "110", "111", M::Iva},
      {V, {48}, {}, "758", "759", M::Iva},
      {V, {40, 43}, {}, "817", "818", M::Iva},
      {V, {110, 111}, {}, "585", "20", M::ExentoMasNeto},
      {V, {112}, {}, "585", "20", M::ExentoMasNeto, -1},
      // --- Purchases (the register only) ---------------------------------------
      Proporcional({30, 33, 46, 55, 56, 914}, 1),
      Proporcional({60, 61}, -1),
      {C, {914}, {kNoRecuperable}, "566", "560", M::Neto},
      {C, {30, 33, 46, 55, 56}, {kNoRecuperable}, "564", "521", M::Neto},
      {C, {60, 61}, {kNoRecuperable}, "564", "521", M::Neto, -1},
      {C, {32, 34}, compras, "584", "562", M::ExentoMasNeto},
      {C, {60, 61}, compras, "527", "528", M::IvaCredito},
      {C, {55, 56}, compras, "531", "532", M::IvaCredito},
      {C, {914}, {kActivoFijo}, "536", "553", M::IvaCredito},
      {C, {914}, {kDelGiro}, "534", "535", M::IvaCredito},
      {C, {30, 33, 46}, {kSupermercados}, "761", "762", M::IvaCredito},
      {C, {30, 33, 46}, {kActivoFijo}, "524", "525", M::IvaCredito},
      {C, {30, 33, 46}, {kDelGiro}, "519", "520", M::IvaCredito},
      // Besides its line: the VAT of the electronic documents received, with
      // and without the right to credit.
      Ademas(kElectronicasRecibidas, "511", M::IvaConDerecho, 1),
      Ademas({61}, "511", M::IvaConDerecho, -1),
      Ademas(kElectronicasRecibidas, "514", M::IvaNoRecuperable, 1),
      Ademas({61}, "514", M::IvaNoRecuperable, -1),
  };
}

}  // namespace

const std::vector<FilaCorrespondencia>& TablaCorrespondencia() {
  static const std::vector<FilaCorrespondencia> tabla = [] {
    std::vector<FilaCorrespondencia> r;
    for (const Def& d : Definiciones()) {
      FilaCorrespondencia f;
      f.libro = d.libro;
      f.tipos = d.tipos;
      for (const char* o : d.operaciones) f.operaciones << NormalizarOperacion(QString::fromUtf8(o));
      f.cajaCantidad = QString::fromLatin1(d.cantidad);
      f.cajaMonto = QString::fromLatin1(d.monto);
      f.monto = d.cual;
      f.signo = d.signo;
      f.destino = d.destino;
      f.ademas = d.ademas;
      r.push_back(std::move(f));
    }
    return r;
  }();
  return tabla;
}

bool FilaAdmite(const FilaCorrespondencia& fila, LibroRcv libro, int tipo, const QString& operacion) {
  if (fila.libro != libro) return false;
  if (!fila.tipos.empty() && std::find(fila.tipos.begin(), fila.tipos.end(), tipo) == fila.tipos.end())
    return false;
  return fila.operaciones.isEmpty() || fila.operaciones.contains(operacion);
}

qint64 MontoDe(MontoRcv monto, const DocumentoRcv& doc) {
  const qint64 credito = doc.ivaActivoFijo > 0 ? doc.ivaActivoFijo : doc.iva;
  switch (monto) {
    case MontoRcv::Ninguno: return 0;
    case MontoRcv::Iva: return doc.iva;
    case MontoRcv::ExentoMasNeto: return doc.exento + doc.neto;
    case MontoRcv::Neto: return doc.neto;
    case MontoRcv::IvaCredito: return credito;
    case MontoRcv::IvaConDerecho: return credito + doc.ivaUsoComun;
    case MontoRcv::IvaNoRecuperable: return doc.ivaNoRecuperable;
    case MontoRcv::IvaUsoComun: return doc.ivaUsoComun;
  }
  return 0;
}
