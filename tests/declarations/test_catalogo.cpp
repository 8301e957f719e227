#include <gtest/gtest.h>

#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <string>

#include "declarations/catalogo/catalogo.h"
#include "declarations/catalogo/disposicion.h"

namespace {

QStringList Codigos(const QList<const Caja*>& cajas) {
  QStringList r;
  for (const Caja* c : cajas) r << c->codigo;
  return r;
}

QSet<QString> Conjunto(const char* lista) {
  QSet<QString> r;
  for (const QString& s : QString::fromLatin1(lista).split(QLatin1Char(' '), Qt::SkipEmptyParts)) r.insert(s);
  return r;
}

QSet<QString> MiembrosDe(FamiliaEntrada f) {
  QSet<QString> r;
  for (const Caja& c : Catalogo())
    if (c.familia == f) r.insert(c.codigo);
  return r;
}

char Letra(TipoColumna t) {
  switch (t) {
    case TipoColumna::S: return 'S';
    case TipoColumna::L: return 'L';
    case TipoColumna::C: return 'C';
    case TipoColumna::F: return 'F';
    case TipoColumna::B: return 'B';
    case TipoColumna::W: return 'W';
  }
  return '?';
}

}  // namespace

TEST(Catalogo, CuentaLasCajasPorClase) {
  int e = 0, a = 0, p = 0, c = 0, t = 0;
  QSet<QString> codigos;
  for (const Caja& caja : Catalogo()) {
    EXPECT_FALSE(codigos.contains(caja.codigo)) << "código repetido " << caja.codigo.toStdString();
    codigos.insert(caja.codigo);
    switch (caja.clase) {
      case ClaseCaja::E: ++e; break;
      case ClaseCaja::A: ++a; break;
      case ClaseCaja::P: ++p; break;
      case ClaseCaja::C: ++c; break;
      case ClaseCaja::T: ++t; break;
    }
  }
  EXPECT_EQ(e, 186);
  EXPECT_EQ(a, 15);
  EXPECT_EQ(p, 2);
  EXPECT_EQ(c, 40);
  EXPECT_EQ(t, 4);
  ASSERT_NE(BuscarCaja(QStringLiteral("583")), nullptr);
  EXPECT_EQ(BuscarCaja(QStringLiteral("583"))->clase, ClaseCaja::E);
  EXPECT_EQ(BuscarCaja(QStringLiteral("999")), nullptr);
}

TEST(Catalogo, LasColumnasDeAlcabalasSiguenLaTabla) {
  // Names and types of the 205 columns in creation order: those of older
  // files first, then the current edition's boxes in the order of the form.
  const char* esperado =
      "ano:S mes:S Cod585:S Cod20:C Cod586:S Cod142:C Cod731:S Cod732:C Cod714:S Cod715:C Cod515:S Cod587:C "
      "Cod720:C Cod503:S Cod502:C Cod716:S Cod717:C Cod110:L Cod111:C Cod758:L Cod759:C Cod512:S Cod513:C "
      "Cod509:S Cod510:C Cod708:S Cod709:C Cod733:S Cod734:C Cod516:S Cod517:C Cod500:S Cod501:C Cod154:C "
      "Cod518:C Cod713:C Cod738:F Cod739:C Cod740:C Cod511:C Cod514:C Cod564:S Cod521:C Cod566:S Cod560:C "
      "Cod584:S Cod562:C Cod519:S Cod520:C Cod524:S Cod525:C Cod527:S Cod528:C Cod531:S Cod532:C Cod534:S "
      "Cod535:C Cod536:S Cod553:C Cod504:C Cod593:C Cod594:C Cod592:C Cod539:C Cod718:C Cod164:C Cod730:F "
      "Cod742:C Cod743:C Cod127:C Cod729:F Cod744:C Cod745:C Cod544:C Cod523:C Cod712:C Cod757:C Cod50:C "
      "Cod751:C Cod735:C Cod760:C Cod48:C Cod151:C Cod153:C Cod54:C Cod56:C Cod588:C Cod589:C Cod30:C "
      "Cod563:C Cod115:F Cod68:C Cod565:C Cod120:C Cod542:F Cod122:C Cod700:C Cod701:C Cod702:F Cod711:C "
      "Cod66:C Cod721:C Cod722:C Cod152:C Cod70:C Cod529:C Cod530:C Cod409:C Cod522:C Cod526:C Cod113:C "
      "Cod28:C Cod548:C Cod540:C Cod541:C Cod577:C Cod32:C Cod150:C Cod146:C Cod752:C Cod545:C Cod546:C "
      "Cod710:C Cod575:C Cod576:C Cod574:C Cod33:C Cod580:C Cod149:C Cod582:C Cod753:C Cod85:C Cod754:C "
      "Cod551:C Cod559:C Cod508:C Cod533:C Cod552:C Cod556:C Cod557:C Cod558:C Cod39:C Cod554:C Cod736:C "
      "Cod597:C Cod555:C Cod725:C Cod737:C Cod704:C Cod705:C Cod160:C Cod161:C Cod126:C Cod128:C Cod572:C "
      "Cod568:C Cod92:C Cod93:C Cod583:B Cod06:W Cod610:W Cod611:W Cod612:W Cod08:W Cod53:S Cod613:S "
      "Cod09:L Cod601:L Cod604:L Cod55:W Cod44:W Cod726:W Cod313:L Cod314:L "
      "Cod763:S Cod764:C Cod817:S Cod818:C Cod791:C Cod761:S Cod762:C Cod765:S Cod766:C Cod790:C Cod49:C "
      "Cod155:C Cod156:C Cod806:C Cod807:C Cod808:F Cod809:C Cod810:C Cod157:C Cod776:C Cod922:L Cod795:C "
      "Cod100:C Cod101:C Cod102:C Cod811:C Cod812:C Cod813:C Cod816:C Cod768:C Cod769:C";
  const QStringList nombres = QString::fromLatin1(esperado).split(QLatin1Char(' '));
  const QList<ColumnaTabla> columnas = ColumnasAlcabalas();
  ASSERT_EQ(columnas.size(), 205);
  ASSERT_EQ(nombres.size(), 205);
  for (int i = 0; i < columnas.size(); ++i) {
    const QString real = columnas[i].nombre + QLatin1Char(':') + QLatin1Char(Letra(columnas[i].tipo));
    EXPECT_EQ(real.toStdString(), nombres[i].toStdString()) << "columna " << i + 1;
  }
  // Text sizes and the positions held by the boxes agree with the order.
  for (const ColumnaTabla& c : columnas) {
    if (c.tipo != TipoColumna::W) {
      EXPECT_EQ(c.tamano, 0);
      continue;
    }
    const bool corto = c.nombre == QLatin1String("Cod610") || c.nombre == QLatin1String("Cod611");
    EXPECT_EQ(c.tamano, corto ? 10 : 50) << c.nombre.toStdString();
  }
  for (int i = 2; i < columnas.size(); ++i) {
    const Caja* caja = BuscarCaja(columnas[i].nombre.mid(3));
    ASSERT_NE(caja, nullptr);
    EXPECT_EQ(caja->posicion, i + 1);
  }
}

TEST(Catalogo, ColumnasAgregadasAArchivosAntiguos) {
  const QList<ColumnaTabla> nuevas = ColumnasActualizacion();
  QStringList texto;
  for (const ColumnaTabla& c : nuevas) texto << c.nombre + QLatin1Char(':') + QLatin1Char(Letra(c.tipo));
  EXPECT_EQ(texto.join(QLatin1Char(' ')).toStdString(),
            "Cod731:L Cod732:C Cod758:L Cod759:C Cod757:C Cod760:C Cod751:C Cod752:C Cod753:C Cod754:C "
            "Cod763:S Cod764:C Cod817:S Cod818:C Cod791:C Cod761:S Cod762:C Cod765:S Cod766:C Cod790:C Cod49:C "
            "Cod155:C Cod156:C Cod806:C Cod807:C Cod808:F Cod809:C Cod810:C Cod157:C Cod776:C Cod922:L Cod795:C "
            "Cod100:C Cod101:C Cod102:C Cod811:C Cod812:C Cod813:C Cod816:C Cod768:C Cod769:C");
  // A new file ends with the same columns, in the same order, as an upgraded one.
  const QList<ColumnaTabla> todas = ColumnasAlcabalas();
  for (int i = 10; i < nuevas.size(); ++i) {
    const ColumnaTabla& alFinal = todas.at(todas.size() - nuevas.size() + i);
    EXPECT_EQ(alFinal.nombre, nuevas.at(i).nombre);
    EXPECT_EQ(alFinal.tipo, nuevas.at(i).tipo);
  }
}

TEST(Catalogo, ColumnasDelContribuyente) {
  const QList<ColumnaTabla> c = ColumnasContribuyente();
  ASSERT_EQ(c.size(), 23);
  EXPECT_EQ(c[0].nombre, QStringLiteral("RUT"));
  EXPECT_EQ(c[0].tipo, TipoColumna::L);
  EXPECT_EQ(c[6].nombre, QStringLiteral("numero"));
  EXPECT_EQ(c[6].tamano, 20);
  EXPECT_EQ(c[11].nombre, QStringLiteral("region"));
  EXPECT_EQ(c[11].tipo, TipoColumna::S);
  EXPECT_EQ(c[22].nombre, QStringLiteral("RepresentanteLegal"));
  // Every A box pairs with a taxpayer column of the table.
  QSet<QString> nombres;
  for (const ColumnaTabla& col : c) nombres.insert(col.nombre);
  for (const Caja& caja : Catalogo()) {
    if (caja.clase == ClaseCaja::A) {
      EXPECT_TRUE(nombres.contains(caja.campoContribuyente)) << caja.codigo.toStdString();
    }
    if (caja.clase == ClaseCaja::T) {
      EXPECT_TRUE(nombres.contains(caja.campo)) << caja.codigo.toStdString();
    }
  }
}

TEST(Catalogo, ParesDeAntecedentes) {
  const QStringList esperado = {
      "06=calle", "610=numero", "611=departamento", "612=VillaPoblacion", "08=comuna", "53=region",
      "613=CodigoAreaTelefono", "09=telefono", "601=fax", "604=TelefonoCelular", "55=CorreoElectronico",
      "44=DomicilioPostal", "726=ComunaPostal", "313=RUTContador", "314=RUTRepresentanteLegal"};
  QStringList real;
  for (const Caja* c : CajasAntecedentes()) real << c->codigo + QLatin1Char('=') + c->campoContribuyente;
  EXPECT_EQ(real, esperado);
  EXPECT_EQ(BuscarCaja(QStringLiteral("03"))->campo, QStringLiteral("RUT"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("01"))->campo, QStringLiteral("ApellidoPaternoRazonSocial"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("02"))->campo, QStringLiteral("ApellidoMaterno"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("05"))->campo, QStringLiteral("nombres"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("547"))->campo, QStringLiteral("Cod547Mostrar"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("585"))->campo, QStringLiteral("Cod585"));
}

TEST(Catalogo, GruposDeHabilitacion) {
  EXPECT_EQ(CajasDeEntrada().size(), 187);
  EXPECT_EQ(CajasAntecedentes().size(), 15);
  EXPECT_EQ(CajasSoloLectura().size(), 45);
  // The same members as the switching lists of the window, whatever the order.
  const QSet<QString> entrada = Conjunto(
      "03 585 20 586 142 731 732 515 587 503 502 110 111 758 759 512 513 509 510 708 709 733 734 516 517 500 501 "
      "154 518 511 514 564 521 566 560 584 562 519 520 524 525 527 528 531 532 534 535 536 553 504 593 594 592 "
      "539 164 730 729 523 50 751 735 760 48 151 153 54 56 588 589 30 563 115 68 565 120 542 122 700 701 702 711 "
      "66 721 722 152 70 529 530 409 522 526 113 28 548 540 541 577 32 150 146 752 545 546 710 575 576 574 33 580 "
      "149 582 753 85 754 551 559 508 533 552 556 557 558 39 554 736 597 555 725 737 704 705 160 161 126 128 572 "
      "568 92 93 714 715 720 716 717 713 738 739 740 718 712 757 742 743 744 745 583 "
      "763 764 817 818 791 761 762 765 766 790 49 155 156 806 807 808 809 810 157 776 922 795 100 101 102 811 "
      "812 813 816 768 769");
  const QSet<QString> solo = Conjunto(
      "89 77 595 741 538 01 91 94 02 05 62 123 703 723 724 127 544 537 547 550 549 596 598 573 543 727 706 570 "
      "571 590 506 507 602 603 728 707 73 130 591 103 104 814 815 770 771");
  EXPECT_EQ(entrada.size(), 187);
  const QStringList e = Codigos(CajasDeEntrada());
  const QStringList s = Codigos(CajasSoloLectura());
  EXPECT_EQ(QSet<QString>(e.begin(), e.end()), entrada);
  EXPECT_EQ(QSet<QString>(s.begin(), s.end()), solo);
}

TEST(Catalogo, FamiliasDeEntrada) {
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::BaseIngresos),
            Conjunto("20 111 142 501 502 510 513 517 587 709 715 717 720 732 734 759"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::DieselBase), Conjunto("742 744"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::DieselVariable), Conjunto("743 745"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::Decimales), Conjunto("115 542 729 730 808"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::SinClic), Conjunto("03 725"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::NumerosIdentificacion), Conjunto("09 601 604 313 314"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::TextosIdentificacion), Conjunto("06 08 44 55 610 611 612 726"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::ListasIdentificacion), Conjunto("53 613"));
  EXPECT_EQ(MiembrosDe(FamiliaEntrada::Casilla583), Conjunto("583"));
  const QSet<QString> montos = MiembrosDe(FamiliaEntrada::Montos);
  EXPECT_EQ(montos.size(), 159);
  EXPECT_TRUE(montos.contains(QStringLiteral("702")));
  EXPECT_TRUE(montos.contains(QStringLiteral("738")));
  // Every box that takes input has a family; display-only boxes have none.
  for (const Caja* c : CajasDeEntrada()) EXPECT_NE(c->familia, FamiliaEntrada::Ninguna) << c->codigo.toStdString();
  for (const Caja* c : CajasAntecedentes()) EXPECT_NE(c->familia, FamiliaEntrada::Ninguna) << c->codigo.toStdString();
  for (const Caja* c : CajasSoloLectura()) EXPECT_EQ(c->familia, FamiliaEntrada::Ninguna) << c->codigo.toStdString();
  EXPECT_EQ(CajaDeFamilia(FamiliaEntrada::Casilla583), BuscarCaja(QStringLiteral("583")));
  EXPECT_EQ(CajaDeFamilia(FamiliaEntrada::SinClic), BuscarCaja(QStringLiteral("03")));
}

// The three diesel lines, each box declaring its line and role; the boxes
// whose leaving runs the rule are the credit lines' base and variable.
TEST(Catalogo, LineasDiesel) {
  struct Esperado {
    GrupoDiesel grupo;
    const char* metros;
    const char* base;
    const char* variable;
    const char* total;
  };
  int declaradas = 0;
  for (const Caja& c : Catalogo())
    if (c.diesel != GrupoDiesel::Ninguno || c.papelDiesel != PapelDiesel::Ninguno) ++declaradas;
  EXPECT_EQ(declaradas, 12);
  for (const Esperado& e : {Esperado{GrupoDiesel::Debito, "738", "739", "740", "741"},
                            Esperado{GrupoDiesel::A, "730", "742", "743", "127"},
                            Esperado{GrupoDiesel::B, "729", "744", "745", "544"}}) {
    const auto codigo = [&e](PapelDiesel papel) {
      const Caja* c = CajaDiesel(e.grupo, papel);
      return c != nullptr ? c->codigo.toStdString() : std::string("ninguna");
    };
    EXPECT_EQ(codigo(PapelDiesel::Metros), e.metros);
    EXPECT_EQ(codigo(PapelDiesel::Base), e.base);
    EXPECT_EQ(codigo(PapelDiesel::Variable), e.variable);
    EXPECT_EQ(codigo(PapelDiesel::Total), e.total);
    // One line of the form holds all four.
    EXPECT_EQ(BuscarCaja(QString::fromLatin1(e.metros))->linea, BuscarCaja(QString::fromLatin1(e.total))->linea);
  }
  for (const Caja& c : Catalogo()) {
    const bool reglaAlSalir =
        c.familia == FamiliaEntrada::DieselBase || c.familia == FamiliaEntrada::DieselVariable;
    EXPECT_EQ(reglaAlSalir, (c.diesel == GrupoDiesel::A || c.diesel == GrupoDiesel::B) &&
                                (c.papelDiesel == PapelDiesel::Base || c.papelDiesel == PapelDiesel::Variable))
        << c.codigo.toStdString();
  }
}

// Facts declared at one box rather than tested by code elsewhere.
TEST(Catalogo, HechosDeclaradosEnLaCaja) {
  QStringList controles;
  QStringList totales;
  for (const Caja& c : Catalogo()) {
    if (!c.nombreControl.isEmpty()) controles << c.codigo + QLatin1Char('=') + c.nombreControl;
    if (c.totalAPagar) totales << c.codigo;
  }
  EXPECT_EQ(controles, QStringList{QStringLiteral("740=DBEDitCod740")});
  EXPECT_EQ(totales, QStringList{QStringLiteral("91")});
  EXPECT_EQ(CajaTotalAPagar().campo, QStringLiteral("Cod91"));
  QStringList telefonos;
  QStringList ruts;
  for (const Caja& c : Catalogo()) {
    if (c.presentacion == Presentacion::Telefono) telefonos << c.codigo;
    if (c.presentacion == Presentacion::Rut) ruts << c.codigo;
  }
  EXPECT_EQ(telefonos, (QStringList{"922", "09", "601", "604"}));
  EXPECT_EQ(ruts, (QStringList{"03", "313", "314"}));
}

TEST(Catalogo, LargosMaximos) {
  auto largo = [](const char* c) { return BuscarCaja(QString::fromLatin1(c))->largoMaximo; };
  EXPECT_EQ(largo("585"), 5);
  EXPECT_EQ(largo("20"), 9);
  EXPECT_EQ(largo("110"), 9);
  EXPECT_EQ(largo("758"), 9);
  EXPECT_EQ(largo("115"), 5);
  EXPECT_EQ(largo("702"), 5);
  EXPECT_EQ(largo("738"), 9);
  EXPECT_EQ(largo("03"), 9);
  EXPECT_EQ(largo("313"), 9);
  EXPECT_EQ(largo("09"), 20);
  for (const char* sinLimite : {"66", "511", "710", "760"}) EXPECT_EQ(largo(sinLimite), 0) << sinLimite;
}

TEST(Catalogo, TextosSignosYLugares) {
  const Caja* c8 = BuscarCaja(QStringLiteral("716"));
  EXPECT_EQ(c8->linea, 9);
  EXPECT_EQ(c8->texto, QStringLiteral(
                           "Facturas y Notas de Débitos por ventas y servicios que no son del giro (activo fijo y otros)"));
  EXPECT_EQ(c8->signo, QLatin1Char('+'));
  EXPECT_EQ(c8->seccion, QStringLiteral("DÉBITOS Y VENTAS"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("721"))->texto, QStringLiteral("Crédito Capacitación, Ley 19.518/97"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("510"))->signo, QLatin1Char('-'));
  EXPECT_EQ(BuscarCaja(QStringLiteral("538"))->signo, QLatin1Char('='));
  EXPECT_TRUE(BuscarCaja(QStringLiteral("585"))->signo.isNull());
  EXPECT_EQ(BuscarCaja(QStringLiteral("739"))->etiqueta, QStringLiteral(" Base"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("89"))->texto, QStringLiteral("IVA determinado"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("77"))->texto,
            QStringLiteral("Remanente de crédito fiscal para el período siguiente"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("313"))->texto, QStringLiteral("Rut Contador"));
  EXPECT_EQ(BuscarCaja(QStringLiteral("409"))->pagina, Pagina::Reverso);
  EXPECT_EQ(BuscarCaja(QStringLiteral("94"))->pagina, Pagina::Anverso);
  EXPECT_EQ(BuscarCaja(QStringLiteral("94"))->linea, 151);
  EXPECT_EQ(BuscarCaja(QStringLiteral("53"))->items,
            (QList<int>{1, 2, 3, 4, 5, 13, 6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(BuscarCaja(QStringLiteral("613"))->items.size(), 24);
  EXPECT_EQ(BuscarCaja(QStringLiteral("613"))->items.first(), 57);
  EXPECT_EQ(BuscarCaja(QStringLiteral("613"))->items.last(), 61);
  // Presentation of the stored fields.
  EXPECT_EQ(BuscarCaja(QStringLiteral("115"))->presentacion, Presentacion::GruposDecimal);
  EXPECT_EQ(BuscarCaja(QStringLiteral("09"))->presentacion, Presentacion::Telefono);
  EXPECT_EQ(BuscarCaja(QStringLiteral("313"))->presentacion, Presentacion::Rut);
  EXPECT_EQ(BuscarCaja(QStringLiteral("03"))->presentacion, Presentacion::Rut);
  EXPECT_EQ(BuscarCaja(QStringLiteral("06"))->presentacion, Presentacion::Texto);
  EXPECT_EQ(BuscarCaja(QStringLiteral("110"))->presentacion, Presentacion::Grupos);
  EXPECT_EQ(BuscarCaja(QStringLiteral("547"))->presentacion, Presentacion::TextoDerecha);
  EXPECT_EQ(BuscarCaja(QStringLiteral("583"))->presentacion, Presentacion::Casilla);
}

TEST(Disposicion, CadaCajaTieneSuCeldaDentroDeSuSeccion) {
  QSet<QString> vistas;
  for (Pagina pagina : {Pagina::Anverso, Pagina::Reverso}) {
    const DisposicionPagina& p = Disposicion(pagina);
    for (const CeldaFormulario& c : p.celdas) {
      QRect marco(0, 0, AnchoPagina, p.alto);
      if (c.seccion >= 0) {
        ASSERT_LT(c.seccion, p.secciones.size());
        marco = QRect(QPoint(0, 0), p.secciones[c.seccion].rect.size());
      }
      EXPECT_TRUE(marco.contains(c.rect)) << c.texto.toStdString() << " " << c.codigo.toStdString();
      if (c.tipo == TipoCelda::Caja) {
        EXPECT_FALSE(vistas.contains(c.codigo));
        vistas.insert(c.codigo);
        EXPECT_EQ(BuscarCaja(c.codigo)->pagina, pagina);
      }
    }
  }
  EXPECT_EQ(vistas.size(), Catalogo().size());
}

TEST(Disposicion, GruposYBandasDondeVan) {
  const DisposicionPagina& a = Disposicion(Pagina::Anverso);
  QStringList titulos;
  for (const SeccionFormulario& s : a.secciones)
    if (!s.titulo.isEmpty()) titulos << s.titulo + QLatin1Char('@') + QString::number(s.rect.top());
  EXPECT_EQ(titulos, (QStringList{"DÉBITOS Y VENTAS@59", "CRÉDITOS Y COMPRAS@511",
                                  "Impuesto a la Renta D.L. 824/74@1132"}));
  QStringList bandas;
  for (const SeccionFormulario& s : a.secciones)
    for (const BandaVertical& b : s.bandas) bandas << b.nombre;
  QStringList orden = OrdenBandasVerticales();
  std::sort(bandas.begin(), bandas.end());
  std::sort(orden.begin(), orden.end());
  EXPECT_EQ(bandas, orden);
  const DisposicionPagina& r = Disposicion(Pagina::Reverso);
  QStringList reverso;
  for (const SeccionFormulario& s : r.secciones)
    if (!s.titulo.isEmpty())
      reverso << QStringLiteral("%1@%2/%3").arg(s.titulo).arg(s.rect.top()).arg(s.rect.height());
  EXPECT_EQ(reverso, (QStringList{"Simplificada@0/89", "Impuesto Adicional Art. 37 DL825/74@96/185",
                                  "Impuesto Adicional Art. 42 DL825/74@288/433", "Cambio Sujeto D.L. 825/74@724/250",
                                  "Cambio Especial de Sujeto, Venta Remota y Ferias Libres@980/234",
                                  "Créditos Especiales@1220/218"}));
}

TEST(Disposicion, LasSeccionesNoSeMontan) {
  for (Pagina pagina : {Pagina::Anverso, Pagina::Reverso}) {
    const DisposicionPagina& p = Disposicion(pagina);
    for (int i = 1; i < p.secciones.size(); ++i)
      EXPECT_GE(p.secciones[i].rect.top(), p.secciones[i - 1].rect.bottom()) << i;
  }
}

// Every row of a numbered line is framed from its number to its sign column
// (or the page's edge): no cell floats, no grey band between two cells.
TEST(Disposicion, CadaLineaNumeradaEstaEnmarcadaDeLadoALado) {
  for (Pagina pagina : {Pagina::Anverso, Pagina::Reverso}) {
    const DisposicionPagina& p = Disposicion(pagina);
    for (const CeldaFormulario& numero : p.celdas) {
      if (numero.tipo != TipoCelda::Numero) continue;
      int finLinea = 0;
      for (const CeldaFormulario& c : p.celdas)
        if (c.seccion == numero.seccion && c.rect.top() == numero.rect.top() &&
            c.rect.bottom() == numero.rect.bottom())
          finLinea = std::max(finLinea, c.rect.right());
      for (int arriba = numero.rect.top(); arriba + AltoCelda - 1 <= numero.rect.bottom(); arriba += AltoFila) {
        std::vector<std::pair<int, int>> tramos;
        for (const BandaVertical& b : p.secciones[numero.seccion].bandas)
          if (b.rect.top() <= arriba && b.rect.bottom() >= arriba + AltoCelda - 1)
            tramos.emplace_back(b.rect.left(), b.rect.right());
        for (const CeldaFormulario& c : p.celdas)
          if (c.seccion == numero.seccion && c.rect.top() <= arriba && c.rect.bottom() >= arriba + AltoCelda - 1)
            tramos.emplace_back(c.rect.left(), c.rect.right());
        std::sort(tramos.begin(), tramos.end());
        int x = numero.rect.left();
        for (const auto& [izquierda, derecha] : tramos) {
          EXPECT_LE(izquierda, x + 1) << "línea " << numero.texto.toStdString() << " hueco en x=" << x;
          x = std::max(x, derecha);
        }
        EXPECT_GE(x, finLinea) << "línea " << numero.texto.toStdString();
        EXPECT_GE(x, 738) << "línea " << numero.texto.toStdString();
      }
    }
  }
}

TEST(Disposicion, NingunaCeldaTapaUnaBandaVertical) {
  const DisposicionPagina& p = Disposicion(Pagina::Anverso);
  for (const CeldaFormulario& c : p.celdas) {
    if (c.seccion < 0) continue;
    for (const BandaVertical& b : p.secciones[c.seccion].bandas)
      EXPECT_FALSE(c.rect.intersects(b.rect.adjusted(1, 1, -1, -1)))
          << b.nombre.toStdString() << " bajo " << c.texto.toStdString() << c.codigo.toStdString();
  }
}

// --- The catalogue and the layout, checked against each other ---------------

TEST(CatalogoYDisposicion, CadaCajaSeColocaUnaVezEnElOrdenDelCatalogo) {
  QHash<QString, int> veces;
  QStringList orden;
  for (const LugarCaja& l : Lugares()) {
    ++veces[l.codigo];
    orden << l.codigo;
    EXPECT_NE(BuscarCaja(l.codigo), nullptr) << "la disposición coloca " << l.codigo.toStdString()
                                            << ", que el catálogo no tiene";
  }
  QStringList catalogo;
  for (const Caja& c : Catalogo()) {
    catalogo << c.codigo;
    EXPECT_EQ(veces.value(c.codigo), 1) << "la caja " << c.codigo.toStdString() << " se coloca "
                                        << veces.value(c.codigo) << " veces";
    const LugarCaja* lugar = BuscarLugar(c.codigo);
    ASSERT_NE(lugar, nullptr) << c.codigo.toStdString();
    EXPECT_EQ(lugar->codigo, c.codigo);
  }
  EXPECT_EQ(orden, catalogo);
  EXPECT_EQ(BuscarLugar(QStringLiteral("999")), nullptr);
}

TEST(CatalogoYDisposicion, CadaRenglonEsUnaLineaDelCatalogo) {
  QMap<int, QStringList> renglones;
  for (const LugarCaja& l : Lugares()) renglones[l.renglon] << l.codigo;
  QSet<const LineaCatalogo*> vistas;
  for (auto it = renglones.cbegin(); it != renglones.cend(); ++it) {
    const QStringList& codigos = it.value();
    const LineaCatalogo* linea = LineaDeCaja(codigos.first());
    ASSERT_NE(linea, nullptr) << codigos.first().toStdString();
    // Every box of the row is of that line, and the row holds the whole line.
    EXPECT_EQ(codigos, linea->codigos) << "renglón " << it.key() << ": " << codigos.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(vistas.contains(linea)) << "línea " << linea->numero << " en dos renglones";
    vistas.insert(linea);
  }
  EXPECT_EQ(vistas.size(), LineasCatalogo().size());
}

TEST(CatalogoYDisposicion, LasCeldasMuestranLosHechosDelCatalogo) {
  int cajas = 0;
  for (Pagina pagina : {Pagina::Anverso, Pagina::Reverso}) {
    const DisposicionPagina& p = Disposicion(pagina);
    for (const CeldaFormulario& c : p.celdas) {
      if (c.tipo != TipoCelda::Caja) continue;
      ++cajas;
      const Caja* caja = BuscarCaja(c.codigo);
      ASSERT_NE(caja, nullptr);
      EXPECT_EQ(caja->pagina, pagina) << c.codigo.toStdString();
      // The section it is drawn in has the catalogue's caption.
      ASSERT_GE(c.seccion, 0);
      EXPECT_EQ(p.secciones.at(c.seccion).titulo, caja->seccion) << c.codigo.toStdString();
      // Box and place agree on its width.
      EXPECT_EQ(c.rect.width(), BuscarLugar(c.codigo)->ancho) << c.codigo.toStdString();
    }
  }
  EXPECT_EQ(cajas, Catalogo().size());
}
