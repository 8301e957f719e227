#include "declarations/calculo.h"

#include <QStringList>
#include <algorithm>
#include <functional>
#include <initializer_list>
#include <vector>

#include "general/errores.h"

#include "general/redondeo.h"
#include "general/valores.h"

namespace {

// One box of a sum: its field, its sign, and whether it enters only when the
// record has that field (columns that later file layouts added).
struct Termino {
  QString campo;
  bool resta = false;
  bool opcional = false;
};

using Suma = std::vector<Termino>;

QString Campo(const char* codigo) { return QLatin1String("Cod") + QLatin1String(codigo); }
Termino Mas(const char* codigo) { return {Campo(codigo), false, false}; }
Termino Menos(const char* codigo) { return {Campo(codigo), true, false}; }
Termino MasSiExiste(const char* codigo) { return {Campo(codigo), false, true}; }

// The sums of stored boxes, as the form adds them (538 also adds box 741).
struct Formulas {
  Suma debitos = {Mas("502"), Mas("717"), Mas("111"), Mas("513"), Menos("510"), Menos("709"), Menos("734"),
                  Mas("517"), Mas("501"), Mas("154"), Mas("518"),  Mas("713"), MasSiExiste("759")};
  Suma creditos = {Mas("520"),  Mas("525"),  Menos("528"), Mas("532"),  Mas("535"),  Mas("553"),
                   Mas("504"),  Menos("593"), Menos("594"), Menos("592"), Menos("539"), Menos("718"),
                   Mas("164"),  Mas("127"),  Mas("544"),  Mas("523"),  Mas("712"),  MasSiExiste("757")};
  Suma subtotalAnverso = {Mas("50"),  Mas("48"),  Mas("151"), Mas("153"), Mas("54"),
                          Mas("56"),  Mas("588"), Mas("589"), Mas("152"), Mas("70"),
                          MasSiExiste("760")};
  Suma articulo37 = {Mas("113"), Menos("28"), Menos("548"), Menos("540"), Mas("541")};
  Suma debitosArticulo42 = {Mas("577"), Mas("32"),    Mas("150"),   Mas("146"),
                            Mas("545"), Menos("546"), Menos("710"), MasSiExiste("752")};
  Suma creditosArticulo42 = {Mas("576"), Mas("33"),  Mas("149"),   Mas("85"),  Mas("551"),
                             Menos("559"), Mas("508"), Menos("533"), Mas("552"), MasSiExiste("754")};
  Suma anticipo = {Mas("556"), Mas("557"), Menos("558")};
  Suma retencionCambioSujeto = {Mas("39"), Mas("554"), Menos("736"), Mas("597"), Mas("555")};
  Suma creditoSolares = {Mas("725"), Mas("737")};
  Suma creditoPatenteAguas = {Mas("704"), Mas("705")};
  Suma creditoCotizacion = {Mas("160"), Mas("161")};
  Suma creditoEmpresas = {Mas("126"), Mas("128")};
  Suma creditoPeajes = {Mas("572"), Mas("568")};
  Suma otrosImpuestosReverso = {Mas("409"), Mas("522"), Mas("526")};
};

const Formulas& Formula() {
  static const Formulas formulas;
  return formulas;
}

Moneda Leer(const Registro& r, const QString& campo) { return NuloACeroMoneda(r.Valor(campo)); }

Moneda Sumar(const Registro& r, const Suma& suma) {
  Moneda total;
  for (const Termino& t : suma) {
    if (t.opcional && !r.TieneCampo(t.campo)) continue;
    const Moneda v = Leer(r, t.campo);
    if (t.resta)
      total -= v;
    else
      total += v;
  }
  return total;
}

void Escribir(Registro& r, const QString& campo, Moneda valor) { r.Asignar(campo, QVariant::fromValue(valor)); }

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

void EscribirPeriodo(Registro& r) {
  const QVariant mes = r.Valor(QStringLiteral("mes"));
  if (EsNulo(mes)) {
    for (const QString& campo : {QStringLiteral("Cod15_1"), QStringLiteral("Cod15_2"), QStringLiteral("Cod15_3"),
                                 QStringLiteral("NombreMes")})
      r.Asignar(campo, QString());
    return;
  }
  const qint64 numero = NuloACeroEntero(mes);
  const QString digitos = QString::number(numero).rightJustified(2, QLatin1Char(' '));
  const QVariant ano = r.Valor(QStringLiteral("ano"));
  r.Asignar(QStringLiteral("Cod15_1"), QString(digitos.at(0)));
  r.Asignar(QStringLiteral("Cod15_2"), QString(digitos.at(1)));
  r.Asignar(QStringLiteral("Cod15_3"), EsNulo(ano) ? QString() : QString::number(NuloACeroEntero(ano)));
  r.Asignar(QStringLiteral("NombreMes"), NombreDelMes(static_cast<int>(numero)));
}

// Box 547 as the form shows it: empty for 0, negatives in brackets.
QString TextoTotalDeterminado(Moneda total, const QLocale& locale) {
  if (total.EsCero()) return QString();
  if (total > Moneda()) return FormatoN0(total, locale);
  return QLatin1Char('(') + FormatoN0(-total, locale) + QLatin1Char(')');
}

// The five special credits whose unabsorbed part carries forward, in the order
// the excess reaches them: the credit subtracted last comes first.
struct Remanente {
  const char* caja;
  Moneda tope;
};

// The calculated amounts, in the order of the data set's calculated fields.
constexpr const char* kMontosCalculados[] = {"538", "537", "89",  "77",  "62",  "123", "703", "723", "724",
                                             "595", "550", "549", "602", "603", "506", "507", "543", "573",
                                             "598", "596", "727", "706", "570", "571", "590", "547", "91",
                                             "591", "130", "73",  "707", "728", "94",  "741"};

// A calculated box the row already has: a null one could not be computed, and
// neither can anything that follows from it.
Moneda LeerCalculada(const Registro& r, const char* codigo) {
  const QVariant valor = r.Valor(Campo(codigo));
  if (EsNulo(valor)) LanzarFueraDeRango();
  return NuloACeroMoneda(valor);
}

// Runs one step of the calculation, which writes the given boxes. A step that
// cannot be carried out (amounts beyond the range, a rate that is no number)
// leaves its boxes null; the row's other boxes are still calculated, so one
// row out of range never keeps a file from opening.
void CalcularPaso(Registro& r, std::initializer_list<const char*> cajas, const std::function<void()>& calculo) {
  try {
    calculo();
  } catch (const ErrorCalculo&) {
    for (const char* caja : cajas) r.Asignar(Campo(caja), QVariant());
  }
}

}  // namespace

QList<DefinicionCampo> CamposCalculadosAlcabala() {
  QList<DefinicionCampo> campos;
  for (const char* codigo : kMontosCalculados) campos.append({Campo(codigo), TipoColumna::C, 0, true});
  campos.append({QStringLiteral("Cod15_1"), TipoColumna::W, 1, true});
  campos.append({QStringLiteral("Cod15_2"), TipoColumna::W, 20, true});
  campos.append({QStringLiteral("Cod15_3"), TipoColumna::W, 4, true});
  campos.append({QStringLiteral("NombreMes"), TipoColumna::W, 10, true});
  campos.append({QStringLiteral("Cod583Mostrar"), TipoColumna::W, 1, true});
  campos.append({QStringLiteral("Cod547Mostrar"), TipoColumna::W, 20, true});
  return campos;
}

void ADODataSetAlcabalaCalcFields(Registro& r, const QLocale& locale) {
  const Formulas& f = Formula();
  auto N = [&r](const char* codigo) { return Leer(r, Campo(codigo)); };
  auto C = [&r](const char* codigo) { return LeerCalculada(r, codigo); };
  auto Paso = [&r](std::initializer_list<const char*> cajas, const std::function<void()>& calculo) {
    CalcularPaso(r, cajas, calculo);
  };

  // Period and address-change mark.
  EscribirPeriodo(r);
  r.Asignar(QStringLiteral("Cod583Mostrar"),
            NuloAFalso(r.Valor(QStringLiteral("Cod583"))) ? QStringLiteral("X") : QString());

  // IVA: debits, credits, tax or remainder. Box 740 is typed as a size; a
  // negative one (stored by earlier versions after the diesel move) stands
  // for the same net, so both give the additional debit 739 - |740|.
  Paso({"741"}, [&] {
    const Moneda c740 = N("740");
    Escribir(r, QStringLiteral("Cod741"), Abs(c740 < Moneda() ? N("739") + c740 : N("739") - c740));
  });
  Paso({"538"}, [&] { Escribir(r, QStringLiteral("Cod538"), Sumar(r, f.debitos) + C("741")); });
  Paso({"537"}, [&] { Escribir(r, QStringLiteral("Cod537"), Sumar(r, f.creditos)); });
  Paso({"89", "77"}, [&] {
    const Saldo iva = Separar(C("538") - C("537"));
    Escribir(r, QStringLiteral("Cod89"), iva.impuesto);
    Escribir(r, QStringLiteral("Cod77"), iva.remanente);
  });

  // PPM rate lines and the training credit.
  Paso({"62"}, [&] {
    Escribir(r, QStringLiteral("Cod62"),
             LineaTasa(N("563"), NuloACeroDouble(r.Valor(QStringLiteral("Cod115"))), N("68")));
  });
  Paso({"123"}, [&] {
    Escribir(r, QStringLiteral("Cod123"),
             LineaTasa(N("120"), NuloACeroDouble(r.Valor(QStringLiteral("Cod542"))), N("122")));
  });
  Paso({"703"}, [&] {
    Escribir(r, QStringLiteral("Cod703"),
             LineaTasa(N("701"), NuloACeroDouble(r.Valor(QStringLiteral("Cod702"))), N("711")));
  });
  auto Ppm = [&] { return C("62") + C("123") + C("703") + N("66"); };
  Paso({"723", "724"}, [&] {
    const Moneda ppm = Ppm();
    const Moneda capacitacion = N("721") + N("722");
    Escribir(r, QStringLiteral("Cod723"), ppm >= capacitacion ? capacitacion : ppm);
    Escribir(r, QStringLiteral("Cod724"), ppm >= capacitacion ? Moneda() : capacitacion - ppm);
  });
  Paso({"595"}, [&] {
    Escribir(r, QStringLiteral("Cod595"), C("89") + Sumar(r, f.subtotalAnverso) + Ppm() - C("723"));
  });

  // Back of the form: additional taxes, change of subject, special credits.
  Paso({"550", "549"}, [&] {
    const Saldo art37 = Separar(Sumar(r, f.articulo37));
    Escribir(r, QStringLiteral("Cod550"), art37.impuesto);
    Escribir(r, QStringLiteral("Cod549"), art37.remanente);
  });
  Paso({"602"}, [&] { Escribir(r, QStringLiteral("Cod602"), Sumar(r, f.debitosArticulo42)); });
  Paso({"603"}, [&] { Escribir(r, QStringLiteral("Cod603"), Sumar(r, f.creditosArticulo42)); });
  Paso({"506", "507"}, [&] {
    const Saldo art42 = Separar(C("602") - C("603"));
    Escribir(r, QStringLiteral("Cod506"), art42.impuesto);
    Escribir(r, QStringLiteral("Cod507"), art42.remanente);
  });
  Paso({"543"}, [&] { Escribir(r, QStringLiteral("Cod543"), Sumar(r, f.anticipo)); });
  Paso({"573", "598"}, [&] {
    const Moneda c543 = C("543");
    const Moneda c89 = C("89");
    Escribir(r, QStringLiteral("Cod573"), c543 > c89 ? c543 - c89 : Moneda());
    Escribir(r, QStringLiteral("Cod598"), c543 > c89 ? c89 : c543);
  });
  Paso({"596"}, [&] { Escribir(r, QStringLiteral("Cod596"), Sumar(r, f.retencionCambioSujeto)); });
  Paso({"727"}, [&] { Escribir(r, QStringLiteral("Cod727"), Sumar(r, f.creditoSolares)); });
  Paso({"706"}, [&] { Escribir(r, QStringLiteral("Cod706"), Sumar(r, f.creditoPatenteAguas)); });
  Paso({"570"}, [&] { Escribir(r, QStringLiteral("Cod570"), Sumar(r, f.creditoCotizacion)); });
  Paso({"571"}, [&] { Escribir(r, QStringLiteral("Cod571"), Sumar(r, f.creditoEmpresas)); });
  Paso({"590"}, [&] { Escribir(r, QStringLiteral("Cod590"), Sumar(r, f.creditoPeajes)); });

  // Total determined and what to pay or carry forward.
  r.Asignar(QStringLiteral("Cod547Mostrar"), QString());
  Paso({"547"}, [&] {
    const Moneda c547 = C("595") + Sumar(r, f.otrosImpuestosReverso) + C("550") + C("506") - C("598") + C("596") -
                        C("727") - C("706") - C("570") - C("571") - C("590");
    Escribir(r, QStringLiteral("Cod547"), c547);
    r.Asignar(QStringLiteral("Cod547Mostrar"), TextoTotalDeterminado(c547, locale));
  });

  // With nothing to pay, the excess R goes to the carry-forward boxes,
  // each taking at most its own credit total. R is a full amount (64 bits), so
  // an excess beyond two thousand million pesos is allocated like any other.
  Paso({"591", "130", "73", "707", "728", "91"}, [&] {
    const Moneda c547 = C("547");
    Moneda exceso = c547 > Moneda() ? Moneda() : -c547;
    for (const Remanente& rem : {Remanente{"591", C("590")}, Remanente{"130", C("571")}, Remanente{"73", C("570")},
                                 Remanente{"707", C("706")}, Remanente{"728", C("727")}}) {
      // A credit total below zero (only a stored negative could make one) has
      // nothing to carry forward.
      const Moneda tomado = std::max(std::min(exceso, rem.tope), Moneda());
      Escribir(r, Campo(rem.caja), tomado);
      exceso = std::max(exceso - tomado, Moneda());
    }
    Escribir(r, QStringLiteral("Cod91"), c547 > Moneda() ? c547 : Moneda());
  });

  Paso({"94"}, [&] {
    const Moneda c92 = N("92");
    const Moneda c93 = N("93");
    const bool recargo = !c92.EsCero() || !c93.EsCero();
    Escribir(r, QStringLiteral("Cod94"), recargo ? C("91") + c92 + c93 : Moneda());
  });
}

QStringList CajasNoCalculadas(const Registro& registro) {
  QStringList cajas;
  for (const char* codigo : kMontosCalculados)
    if (registro.TieneCampo(Campo(codigo)) && EsNulo(registro.Valor(Campo(codigo)))) cajas << QLatin1String(codigo);
  return cajas;
}

QString MensajeCajasNoCalculadas(const QStringList& cajas, int ano, int mes) {
  return QStringLiteral("No se %1 %2 de %3 del %4: el resultado excede el rango de los montos.")
      .arg(cajas.size() == 1 ? QStringLiteral("pudo calcular la casilla")
                             : QStringLiteral("pudieron calcular las casillas"),
           cajas.join(QLatin1String(", ")), NombreDelMes(mes), QString::number(ano));
}
