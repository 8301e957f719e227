#include "declarations/motor/formulas.h"

#include <algorithm>

#include "general/errores.h"
#include "general/redondeo.h"
#include "general/valores.h"

namespace {

QString Campo(const char* codigo) { return QLatin1String("Cod") + QLatin1String(codigo); }

// One box of a sum: its input number and its sign.
struct Termino {
  int entrada;
  bool resta;
};
using Suma = std::vector<Termino>;

// The formulas with their boxes numbered: each box gets its number the first
// time a formula names it.
class Formulas {
 public:
  Formulas();

  QList<CampoDeEntrada> montos;
  QList<CampoDeEntrada> tasas;
  QStringList calculadas;
  std::vector<PasoCalculo> pasos;

  // Results, in the order the steps compute them.
  int c741, c538, c537, c89, c77, c62, c123, c703, c723, c724, c595, c550, c549, c602, c603, c506, c507, c543,
      c573, c598, c596, c103, c104, c814, c815, c727, c706, c570, c571, c590, c770, c547, c771, c591, c130, c73,
      c707, c728, c91, c94;

  // Inputs named outside the sums.
  int e739, e740, e563, e68, e120, e122, e701, e711, e66, e721, e722, e816, e92, e93, e795;
  int t115, t542, t702;

  // The sums of stored boxes, as the form adds them (538 also adds box 741).
  Suma debitos, creditos, subtotalAnverso, articulo37, debitosArticulo42, creditosArticulo42, anticipo,
      retencionCambioSujeto, retencionTotal, ventaRemota, creditoSolares, creditoPatenteAguas, creditoCotizacion,
      creditoEmpresas, creditoPeajes, creditoTrazabilidad, otrosImpuestosReverso;

 private:
  int Monto(const char* codigo, bool opcional = false) {
    const QString campo = Campo(codigo);
    for (int i = 0; i < montos.size(); ++i)
      if (montos.at(i).campo == campo) return i;
    montos.append({campo, opcional});
    return static_cast<int>(montos.size() - 1);
  }
  int Tasa(const char* codigo) {
    tasas.append({Campo(codigo), false});
    return static_cast<int>(tasas.size() - 1);
  }
  int Calculada(const char* codigo) {
    calculadas << QLatin1String(codigo);
    return static_cast<int>(calculadas.size() - 1);
  }
  Termino Mas(const char* codigo) { return {Monto(codigo), false}; }
  Termino Menos(const char* codigo) { return {Monto(codigo), true}; }
  Termino MasSiExiste(const char* codigo) { return {Monto(codigo, true), false}; }
  Termino MenosSiExiste(const char* codigo) { return {Monto(codigo, true), true}; }

  void Paso(std::vector<int> escribe, void (*calcular)(const EntradasCalculo&, ResultadosCalculo&)) {
    pasos.push_back({std::move(escribe), calcular});
  }
  void DefinirPasos();
};

const Formulas& F() {
  static const Formulas formulas;
  return formulas;
}

Moneda Sumar(const EntradasCalculo& e, const Suma& suma) {
  Moneda total;
  for (const Termino& t : suma) total = t.resta ? total - e.Monto(t.entrada) : total + e.Monto(t.entrada);
  return total;
}

Moneda Abs(Moneda v) { return v < Moneda() ? -v : v; }

// A determined tax and the remainder of credit it leaves: a positive difference
// is the tax; otherwise the tax is 0 and the remainder is its opposite.
struct Saldo {
  Moneda impuesto;
  Moneda remanente;
};

Saldo Separar(Moneda diferencia) {
  if (diferencia > Moneda()) return {diferencia, Moneda()};
  return {Moneda(), -diferencia};
}

void EscribirSaldo(ResultadosCalculo& r, Moneda diferencia, int impuesto, int remanente) {
  const Saldo saldo = Separar(diferencia);
  r.Poner(impuesto, saldo.impuesto);
  r.Poner(remanente, saldo.remanente);
}

// The PPM of the three rate lines and the fixed-amount box.
Moneda Ppm(const EntradasCalculo& e, const ResultadosCalculo& r) {
  const Formulas& f = F();
  return r.Calculada(f.c62) + r.Calculada(f.c123) + r.Calculada(f.c703) + e.Monto(f.e66);
}

// The six special credits whose unabsorbed part carries forward, in the order
// the excess reaches them: the credit subtracted last comes first.
struct Remanente {
  int caja;
  int credito;
};

Formulas::Formulas() {
  c741 = Calculada("741");
  c538 = Calculada("538");
  c537 = Calculada("537");
  c89 = Calculada("89");
  c77 = Calculada("77");
  c62 = Calculada("62");
  c123 = Calculada("123");
  c703 = Calculada("703");
  c723 = Calculada("723");
  c724 = Calculada("724");
  c595 = Calculada("595");
  c550 = Calculada("550");
  c549 = Calculada("549");
  c602 = Calculada("602");
  c603 = Calculada("603");
  c506 = Calculada("506");
  c507 = Calculada("507");
  c543 = Calculada("543");
  c573 = Calculada("573");
  c598 = Calculada("598");
  c596 = Calculada("596");
  c103 = Calculada("103");
  c104 = Calculada("104");
  c814 = Calculada("814");
  c815 = Calculada("815");
  c727 = Calculada("727");
  c706 = Calculada("706");
  c570 = Calculada("570");
  c571 = Calculada("571");
  c590 = Calculada("590");
  c770 = Calculada("770");
  c547 = Calculada("547");
  c771 = Calculada("771");
  c591 = Calculada("591");
  c130 = Calculada("130");
  c73 = Calculada("73");
  c707 = Calculada("707");
  c728 = Calculada("728");
  c91 = Calculada("91");
  c94 = Calculada("94");

  e739 = Monto("739");
  e740 = Monto("740");
  debitos = {Mas("502"), Mas("717"), Mas("111"), Mas("513"), Menos("510"), Menos("709"), Menos("734"),
             Mas("517"), Mas("501"), Mas("154"), Mas("518"),  Mas("713"), MasSiExiste("759"),
             MasSiExiste("764"), MenosSiExiste("818"), MasSiExiste("791")};
  creditos = {Mas("520"),   Mas("525"),   Menos("528"), Mas("532"),   Mas("535"), Mas("553"),
              Mas("504"),   Menos("593"), Menos("594"), Menos("592"), Menos("539"), Menos("718"),
              Mas("164"),   Mas("127"),   Mas("544"),   Mas("523"),   Mas("712"), MasSiExiste("757"),
              MasSiExiste("762"), MasSiExiste("766"), MenosSiExiste("790")};
  e563 = Monto("563");
  e68 = Monto("68");
  e120 = Monto("120");
  e122 = Monto("122");
  e701 = Monto("701");
  e711 = Monto("711");
  t115 = Tasa("115");
  t542 = Tasa("542");
  t702 = Tasa("702");
  e66 = Monto("66");
  e721 = Monto("721");
  e722 = Monto("722");
  subtotalAnverso = {Mas("50"), Mas("48"),  Mas("151"), Mas("153"), Mas("54"),         Mas("56"),
                     Mas("588"), Mas("589"), Mas("152"), Mas("70"), MasSiExiste("760"),
                     // The 3 % loan repayments and the mining royalty's PPM are
                     // declared beside the PPM, outside the training credit's reach.
                     MasSiExiste("49"), MasSiExiste("155"), MasSiExiste("156"), MasSiExiste("810"),
                     MasSiExiste("157")};
  articulo37 = {Mas("113"), Menos("28"), Menos("548"), Menos("540"), Mas("541")};
  debitosArticulo42 = {Mas("577"), Mas("32"), Mas("150"), Mas("146"), Mas("545"), Menos("546"), Menos("710"),
                       MasSiExiste("752")};
  creditosArticulo42 = {Mas("576"), Mas("33"),  Mas("149"),   Mas("85"),  Mas("551"),
                        Menos("559"), Mas("508"), Menos("533"), Mas("552"), MasSiExiste("754")};
  anticipo = {Mas("556"), Mas("557"), Menos("558")};
  retencionCambioSujeto = {Mas("39"), Mas("554"), Menos("736"), Mas("597"), Mas("555")};
  retencionTotal = {MasSiExiste("100"), MenosSiExiste("101"), MenosSiExiste("102")};
  ventaRemota = {MasSiExiste("811"), MenosSiExiste("812"), MenosSiExiste("813")};
  e816 = Monto("816", true);
  creditoSolares = {Mas("725"), Mas("737")};
  creditoPatenteAguas = {Mas("704"), Mas("705")};
  creditoCotizacion = {Mas("160"), Mas("161")};
  creditoEmpresas = {Mas("126"), Mas("128")};
  creditoPeajes = {Mas("572"), Mas("568")};
  creditoTrazabilidad = {MasSiExiste("768"), MasSiExiste("769")};
  otrosImpuestosReverso = {Mas("409"), Mas("522"), Mas("526")};
  e92 = Monto("92");
  e93 = Monto("93");
  e795 = Monto("795", true);
  DefinirPasos();
}

void Formulas::DefinirPasos() {
  using E = EntradasCalculo;
  using R = ResultadosCalculo;

  // IVA: debits, credits, tax or remainder. Box 740 is typed as a size; a
  // negative one (stored by earlier versions after the diesel move) stands
  // for the same net, so both give the additional debit 739 - |740|.
  Paso({c741}, [](const E& e, R& r) {
    const Formulas& f = F();
    const Moneda c740 = e.Monto(f.e740);
    const Moneda c739 = e.Monto(f.e739);
    r.Poner(f.c741, Abs(c740 < Moneda() ? c739 + c740 : c739 - c740));
  });
  Paso({c538}, [](const E& e, R& r) { r.Poner(F().c538, Sumar(e, F().debitos) + r.Calculada(F().c741)); });
  Paso({c537}, [](const E& e, R& r) { r.Poner(F().c537, Sumar(e, F().creditos)); });
  Paso({c89, c77}, [](const E&, R& r) {
    const Formulas& f = F();
    EscribirSaldo(r, r.Calculada(f.c538) - r.Calculada(f.c537), f.c89, f.c77);
  });

  // PPM rate lines and the training credit.
  Paso({c62}, [](const E& e, R& r) {
    const Formulas& f = F();
    r.Poner(f.c62, LineaTasa(e.Monto(f.e563), e.Tasa(f.t115), e.Monto(f.e68)));
  });
  Paso({c123}, [](const E& e, R& r) {
    const Formulas& f = F();
    r.Poner(f.c123, LineaTasa(e.Monto(f.e120), e.Tasa(f.t542), e.Monto(f.e122)));
  });
  Paso({c703}, [](const E& e, R& r) {
    const Formulas& f = F();
    r.Poner(f.c703, LineaTasa(e.Monto(f.e701), e.Tasa(f.t702), e.Monto(f.e711)));
  });
  Paso({c723, c724}, [](const E& e, R& r) {
    const Formulas& f = F();
    const Moneda ppm = Ppm(e, r);
    const Moneda capacitacion = e.Monto(f.e721) + e.Monto(f.e722);
    r.Poner(f.c723, ppm >= capacitacion ? capacitacion : ppm);
    r.Poner(f.c724, ppm >= capacitacion ? Moneda() : capacitacion - ppm);
  });
  Paso({c595}, [](const E& e, R& r) {
    const Formulas& f = F();
    r.Poner(f.c595, r.Calculada(f.c89) + Sumar(e, f.subtotalAnverso) + Ppm(e, r) - r.Calculada(f.c723));
  });

  // Back of the form: additional taxes, change of subject, special credits.
  Paso({c550, c549}, [](const E& e, R& r) { EscribirSaldo(r, Sumar(e, F().articulo37), F().c550, F().c549); });
  Paso({c602}, [](const E& e, R& r) { r.Poner(F().c602, Sumar(e, F().debitosArticulo42)); });
  Paso({c603}, [](const E& e, R& r) { r.Poner(F().c603, Sumar(e, F().creditosArticulo42)); });
  Paso({c506, c507}, [](const E&, R& r) {
    const Formulas& f = F();
    EscribirSaldo(r, r.Calculada(f.c602) - r.Calculada(f.c603), f.c506, f.c507);
  });
  Paso({c543}, [](const E& e, R& r) { r.Poner(F().c543, Sumar(e, F().anticipo)); });
  Paso({c573, c598}, [](const E&, R& r) {
    const Formulas& f = F();
    const Moneda anticipoTotal = r.Calculada(f.c543);
    const Moneda iva = r.Calculada(f.c89);
    r.Poner(f.c573, anticipoTotal > iva ? anticipoTotal - iva : Moneda());
    r.Poner(f.c598, anticipoTotal > iva ? iva : anticipoTotal);
  });
  Paso({c596}, [](const E& e, R& r) { r.Poner(F().c596, Sumar(e, F().retencionCambioSujeto)); });
  // The IVA withheld in full and the IVA of remote sales: a positive net is
  // the tax of the month, a negative one the adjustment left for the next.
  Paso({c103, c104}, [](const E& e, R& r) { EscribirSaldo(r, Sumar(e, F().retencionTotal), F().c103, F().c104); });
  Paso({c814, c815}, [](const E& e, R& r) { EscribirSaldo(r, Sumar(e, F().ventaRemota), F().c814, F().c815); });
  Paso({c727}, [](const E& e, R& r) { r.Poner(F().c727, Sumar(e, F().creditoSolares)); });
  Paso({c706}, [](const E& e, R& r) { r.Poner(F().c706, Sumar(e, F().creditoPatenteAguas)); });
  Paso({c570}, [](const E& e, R& r) { r.Poner(F().c570, Sumar(e, F().creditoCotizacion)); });
  Paso({c571}, [](const E& e, R& r) { r.Poner(F().c571, Sumar(e, F().creditoEmpresas)); });
  Paso({c590}, [](const E& e, R& r) { r.Poner(F().c590, Sumar(e, F().creditoPeajes)); });
  Paso({c770}, [](const E& e, R& r) { r.Poner(F().c770, Sumar(e, F().creditoTrazabilidad)); });

  // Total determined and what to pay or carry forward.
  Paso({c547}, [](const E& e, R& r) {
    const Formulas& f = F();
    auto C = [&r](int caja) { return r.Calculada(caja); };
    r.Poner(f.c547, C(f.c595) + Sumar(e, f.otrosImpuestosReverso) + C(f.c550) + C(f.c506) - C(f.c598) +
                        C(f.c596) + C(f.c103) + C(f.c814) + e.Monto(f.e816) - C(f.c727) - C(f.c706) -
                        C(f.c570) - C(f.c571) - C(f.c590) - C(f.c770));
  });

  // With nothing to pay, the excess R goes to the carry-forward boxes,
  // each taking at most its own credit total. R is a full amount (64 bits), so
  // an excess beyond two thousand million pesos is allocated like any other.
  Paso({c771, c591, c130, c73, c707, c728, c91}, [](const E&, R& r) {
    const Formulas& f = F();
    const Moneda total = r.Calculada(f.c547);
    Moneda exceso = total > Moneda() ? Moneda() : -total;
    for (const Remanente& rem : {Remanente{f.c771, f.c770}, Remanente{f.c591, f.c590}, Remanente{f.c130, f.c571},
                                 Remanente{f.c73, f.c570}, Remanente{f.c707, f.c706}, Remanente{f.c728, f.c727}}) {
      // A credit total below zero (only a stored negative could make one) has
      // nothing to carry forward.
      const Moneda tomado = std::max(std::min(exceso, r.Calculada(rem.credito)), Moneda());
      r.Poner(rem.caja, tomado);
      exceso = std::max(exceso - tomado, Moneda());
    }
    r.Poner(f.c91, total > Moneda() ? total : Moneda());
  });

  Paso({c94}, [](const E& e, R& r) {
    const Formulas& f = F();
    const Moneda c92 = e.Monto(f.e92);
    const Moneda c93 = e.Monto(f.e93);
    const bool recargo = !c92.EsCero() || !c93.EsCero();
    // A condonation (795) lowers the total with surcharges it forgives part of.
    r.Poner(f.c94, recargo ? r.Calculada(f.c91) + c92 + c93 - e.Monto(f.e795) : Moneda());
  });
}

// Box 547 as the form shows it: empty for 0, negatives in brackets.
QString TotalParaMostrar(Moneda total, const QLocale& locale) {
  if (total.EsCero()) return QString();
  if (total > Moneda()) return FormatoN0(total, locale);
  return QLatin1Char('(') + FormatoN0(-total, locale) + QLatin1Char(')');
}

// The month number right-aligned in two characters ("%2s"), one text per
// character; the twelve months are made once.
struct DigitosMes {
  QString primero;
  QString segundo;
};

DigitosMes Digitos(qint64 mes) {
  const QString digitos = QString::number(mes).rightJustified(2, QLatin1Char(' '));
  return {QString(digitos.at(0)), QString(digitos.at(1))};
}

const DigitosMes& DigitosDelMes(qint64 mes) {
  static const std::vector<DigitosMes> meses = [] {
    std::vector<DigitosMes> lista;
    for (int m = 1; m <= 12; ++m) lista.push_back(Digitos(m));
    return lista;
  }();
  thread_local DigitosMes otro;
  if (mes >= 1 && mes <= 12) return meses[static_cast<size_t>(mes - 1)];
  otro = Digitos(mes);
  return otro;
}

// The year in decimal digits; a run of declarations of one year makes it once.
const QString& TextoDelAno(qint64 ano) {
  thread_local qint64 ultimo = 0;
  thread_local QString texto = QStringLiteral("0");
  if (ano != ultimo) {
    texto = QString::number(ano);
    ultimo = ano;
  }
  return texto;
}

}  // namespace

// --- Inputs and results -------------------------------------------------------------

const QList<CampoDeEntrada>& MontosDeEntrada() { return F().montos; }
const QList<CampoDeEntrada>& TasasDeEntrada() { return F().tasas; }

const QString& CampoMarcaDeEntrada() {
  static const QString campo = Campo("583");
  return campo;
}

const QStringList& CajasCalculadas() { return F().calculadas; }

const QList<DefinicionCampo>& CamposTextoCalculados() {
  static const QList<DefinicionCampo> campos = {
      {QStringLiteral("Cod15_1"), TipoColumna::W, 1, true},   {QStringLiteral("Cod15_2"), TipoColumna::W, 20, true},
      {QStringLiteral("Cod15_3"), TipoColumna::W, 4, true},   {QStringLiteral("NombreMes"), TipoColumna::W, 10, true},
      {QStringLiteral("Cod583Mostrar"), TipoColumna::W, 1, true},
      {QStringLiteral("Cod547Mostrar"), TipoColumna::W, 20, true},
  };
  return campos;
}

EntradasCalculo::EntradasCalculo()
    : montos_(static_cast<size_t>(MontosDeEntrada().size())),
      fueraDeRango_(montos_.size(), 0),
      tasas_(static_cast<size_t>(TasasDeEntrada().size()), 0.0) {}

void EntradasCalculo::PonerMonto(int entrada, Moneda valor) {
  montos_[entrada] = valor;
  fueraDeRango_[entrada] = 0;
}

void EntradasCalculo::PonerMontoFueraDeRango(int entrada) {
  montos_[entrada] = Moneda();
  fueraDeRango_[entrada] = 1;
}

void EntradasCalculo::PonerMontoLeido(int entrada, const QVariant& valor) {
  try {
    PonerMonto(entrada, NuloACeroMoneda(valor));
  } catch (const ErrorCalculo&) {
    PonerMontoFueraDeRango(entrada);
  }
}

void EntradasCalculo::Limpiar() {
  std::fill(montos_.begin(), montos_.end(), Moneda());
  std::fill(fueraDeRango_.begin(), fueraDeRango_.end(), 0);
  std::fill(tasas_.begin(), tasas_.end(), 0.0);
  marca_ = false;
  ano_.reset();
  mes_.reset();
}

ResultadosCalculo::ResultadosCalculo()
    : montos_(static_cast<size_t>(CajasCalculadas().size())), noCalculado_(montos_.size(), 0) {}

void ResultadosCalculo::Reiniciar() {
  std::fill(montos_.begin(), montos_.end(), Moneda());
  std::fill(noCalculado_.begin(), noCalculado_.end(), 0);
  for (QString& texto : textos_) texto.clear();
}

Moneda ResultadosCalculo::Calculada(int caja) const {
  if (noCalculado_[caja]) LanzarFueraDeRango();
  return montos_[caja];
}

const std::vector<PasoCalculo>& PasosCalculo() { return F().pasos; }

void CalcularTextos(const EntradasCalculo& e, ResultadosCalculo& r, const QLocale& locale) {
  if (const std::optional<qint64> mes = e.Mes()) {
    const DigitosMes& digitos = DigitosDelMes(*mes);
    r.PonerTexto(TextoDigitoMes1, digitos.primero);
    r.PonerTexto(TextoDigitoMes2, digitos.segundo);
    r.PonerTexto(TextoAno, e.Ano() ? TextoDelAno(*e.Ano()) : QString());
    r.PonerTexto(TextoNombreMes, NombreDelMes(static_cast<int>(*mes)));
  } else {
    for (TextoCalculado t : {TextoDigitoMes1, TextoDigitoMes2, TextoAno, TextoNombreMes}) r.PonerTexto(t, QString());
  }
  r.PonerTexto(TextoMarca, e.Marca() ? QStringLiteral("X") : QString());
  const int total = F().c547;
  r.PonerTexto(TextoTotalDeterminado,
               r.NoCalculada(total) ? QString() : TotalParaMostrar(r.Monto(total), locale));
}

// --- Box 563 ----------------------------------------------------------------------

const QString& CampoBaseIngresos() {
  static const QString campo = Campo("563");
  return campo;
}

Moneda BaseIngresos(const Registro& d, double iva) {
  auto N = [&d](const char* codigo) { return NuloACeroMoneda(d.Valor(Campo(codigo))); };
  const Moneda ventasAfectas =
      N("502") + N("717") + N("111") + N("759") + N("513") - N("510") - N("709") - N("734") + N("501");
  Moneda base = RedondearPesos(DividirPorTasaPorcentual(ventasAfectas, iva));
  base = RedondearPesos(base + N("20") + N("142"));
  if (d.TieneCampo(Campo("732"))) base = RedondearPesos(base + N("732"));
  return RedondearPesos(base + N("715") + N("587") + N("720"));
}

// --- Carry forward ---------------------------------------------------------------------

const QList<Traslado>& MapaTraslado() {
  using M = ModoTraslado;
  static const QList<Traslado> mapa = {
      {Campo("115"), Campo("115"), M::Tasa},       {Campo("542"), Campo("542"), M::Tasa},
      {Campo("77"), Campo("504"), M::Reajustado},  {Campo("549"), Campo("540"), M::Reajustado},
      {Campo("507"), Campo("508"), M::Reajustado}, {Campo("573"), Campo("557"), M::Reajustado},
      {Campo("728"), Campo("737"), M::Reajustado}, {Campo("707"), Campo("705"), M::Reajustado},
      {Campo("73"), Campo("161"), M::Reajustado},  {Campo("130"), Campo("128"), M::Reajustado},
      {Campo("591"), Campo("568"), M::Reajustado}, {Campo("724"), Campo("722"), M::Reajustado},
      // The adjustment remainders travel at face value; the traceability
      // credit's remainder is readjusted like the others.
      {Campo("104"), Campo("102"), M::Nominal},    {Campo("815"), Campo("813"), M::Nominal},
      {Campo("771"), Campo("769"), M::Reajustado},
  };
  return mapa;
}
