#!/usr/bin/env python3
"""Writes UTM/<year>.xml for every year of utm.tsv (beside this script).

Each document has the root <UTMs> with one element per month in calendar
order, January first, each holding <Monto> with the value in pesos ("."
as the decimal separator, no thousands separators). A month missing from
the table before the year's last listed month gets an empty <Monto> (no
value); months after it are left out.
"""

import csv
import pathlib
import sys

MESES = ["Enero", "Febrero", "Marzo", "Abril", "Mayo", "Junio", "Julio",
         "Agosto", "Septiembre", "Octubre", "Noviembre", "Diciembre"]


def leer_tabla(ruta):
    valores = {}
    with open(ruta, encoding="utf-8") as archivo:
        filas = (linea for linea in archivo if linea.strip() and not linea.startswith("#"))
        for fila in csv.DictReader(filas, delimiter="\t"):
            ano, mes = int(fila["ano"]), int(fila["mes"])
            if not 1 <= mes <= 12:
                sys.exit(f"Mes fuera de rango en {ruta}: {ano} {mes}")
            valores.setdefault(ano, {})[mes] = fila["utm"].strip()
    return valores


def documento(meses):
    lineas = ['<?xml version="1.0" encoding="UTF-8"?>', "<UTMs>"]
    for mes in range(1, max(meses) + 1):
        monto = meses.get(mes, "")
        lineas.append(f'  <Mes numero="{mes}" nombre="{MESES[mes - 1]}"><Monto>{monto}</Monto></Mes>')
    lineas.append("</UTMs>")
    return "\n".join(lineas) + "\n"


def main():
    carpeta = pathlib.Path(__file__).resolve().parent
    destino = carpeta / "UTM"
    destino.mkdir(exist_ok=True)
    for ano, meses in sorted(leer_tabla(carpeta / "utm.tsv").items()):
        (destino / f"{ano}.xml").write_text(documento(meses), encoding="utf-8")


if __name__ == "__main__":
    main()
