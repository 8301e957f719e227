#include <gtest/gtest.h>

#include <QSet>

#include "reports/informesempresas.h"

namespace {

TEST(InformesEmpresasTest, TitulosSinCerosALaIzquierda) {
  EXPECT_EQ(TituloInforme(InformeEmpresas::Empresas, 2010, 1), "EMPRESAS DEL 1/2010");
  EXPECT_EQ(TituloInforme(InformeEmpresas::Empresas, 2008, 3), "EMPRESAS DEL 3/2008");
  EXPECT_EQ(TituloInforme(InformeEmpresas::SinPagoImpuestos, 2024, 12),
            "EMPRESAS SIN PAGO DE IMPUESTOS DEL 12/2024");
  EXPECT_EQ(TituloInforme(InformeEmpresas::PagarImpuestos, 2024, 10), "EMPRESAS A PAGAR IMPUESTOS DEL 10/2024");
  EXPECT_EQ(TituloInforme(InformeEmpresas::IVA, 2009, 5), "EMPRESAS E IVA DEL 5/2009");
  EXPECT_EQ(TituloInforme(InformeEmpresas::Retenciones, 2009, 5), "EMPRESAS Y RETENCIONES DEL 5/2009");
  EXPECT_EQ(TituloInforme(InformeEmpresas::PPM, 2009, 5), "EMPRESAS Y PPM DEL 5/2009");
}

TEST(InformesEmpresasTest, SeisInformesConSuSeleccionYPlantilla) {
  ASSERT_EQ(InformesEmpresas().size(), 6);
  QSet<QString> tipos;
  for (const auto& d : InformesEmpresas()) {
    tipos.insert(d.tipoCli);
    EXPECT_EQ(InformePorTipoCli(d.tipoCli), &d);
    EXPECT_EQ(&DefinicionInforme(d.informe), &d);
  }
  EXPECT_EQ(tipos.size(), 6);
  EXPECT_EQ(InformePorTipoCli("desconocido"), nullptr);
  // The three lists of the `empresas` template differ only in their selection.
  EXPECT_EQ(DefinicionInforme(InformeEmpresas::SinPagoImpuestos).clase, ClaseInforme::SinPago);
  EXPECT_EQ(DefinicionInforme(InformeEmpresas::PagarImpuestos).clase, ClaseInforme::APagar);
  EXPECT_EQ(DefinicionInforme(InformeEmpresas::PagarImpuestos).plantilla, "empresas");
  EXPECT_EQ(DefinicionInforme(InformeEmpresas::PPM).clase, ClaseInforme::Todas);
  EXPECT_EQ(DefinicionInforme(InformeEmpresas::PPM).plantilla, "EmpresasPPM");
}

TEST(InformesEmpresasTest, SeleccionPorCaja91) {
  const Moneda cero, unPeso = Moneda::DesdePesos(1), negativo = Moneda::DesdePesos(-5);
  // Selection 1: everybody.
  EXPECT_TRUE(SeleccionAdmite(ClaseInforme::Todas, false, cero));
  EXPECT_TRUE(SeleccionAdmite(ClaseInforme::Todas, true, negativo));
  // Selection 2: box 91 equal to 0, and companies without a declaration.
  EXPECT_TRUE(SeleccionAdmite(ClaseInforme::SinPago, true, cero));
  EXPECT_TRUE(SeleccionAdmite(ClaseInforme::SinPago, false, unPeso));
  EXPECT_FALSE(SeleccionAdmite(ClaseInforme::SinPago, true, unPeso));
  EXPECT_FALSE(SeleccionAdmite(ClaseInforme::SinPago, true, negativo));
  EXPECT_FALSE(SeleccionAdmite(ClaseInforme::SinPago, true, Moneda::DesdeCrudo(1)));
  // Selection 3: box 91 greater than 0; never a company without a declaration.
  EXPECT_TRUE(SeleccionAdmite(ClaseInforme::APagar, true, unPeso));
  EXPECT_FALSE(SeleccionAdmite(ClaseInforme::APagar, true, cero));
  EXPECT_FALSE(SeleccionAdmite(ClaseInforme::APagar, true, negativo));
  EXPECT_FALSE(SeleccionAdmite(ClaseInforme::APagar, false, unPeso));
}

}  // namespace
