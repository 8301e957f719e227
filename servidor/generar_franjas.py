#!/usr/bin/env python3
"""Draws the banner pictures of the news feed (franja1.png ... franja3.png,
468 x 60 pixels) beside this script, with the standard library only: a
colour gradient, a thin frame, a title and a subtitle in a small built-in
pixel font, written as PNG through zlib and struct.
"""

import pathlib
import struct
import zlib

ANCHO, ALTO = 468, 60

# 5 x 7 pixel font: one string of five columns per row, "#" is ink.
FUENTE = {
    "A": [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "B": ["#### ", "#   #", "#   #", "#### ", "#   #", "#   #", "#### "],
    "C": [" ### ", "#   #", "#    ", "#    ", "#    ", "#   #", " ### "],
    "D": ["#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    "F": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "],
    "G": [" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"],
    "H": ["#   #", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "I": [" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "J": ["  ###", "   # ", "   # ", "   # ", "   # ", "#  # ", " ##  "],
    "K": ["#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"],
    "L": ["#    ", "#    ", "#    ", "#    ", "#    ", "#    ", "#####"],
    "M": ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    "N": ["#   #", "#   #", "##  #", "# # #", "#  ##", "#   #", "#   #"],
    "O": [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "P": ["#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "],
    "Q": [" ### ", "#   #", "#   #", "#   #", "# # #", "#  # ", " ## #"],
    "R": ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    "S": [" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "],
    "T": ["#####", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
    "U": ["#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "V": ["#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "],
    "W": ["#   #", "#   #", "#   #", "# # #", "# # #", "# # #", " # # "],
    "X": ["#   #", "#   #", " # # ", "  #  ", " # # ", "#   #", "#   #"],
    "Y": ["#   #", "#   #", " # # ", "  #  ", "  #  ", "  #  ", "  #  "],
    "Z": ["#####", "    #", "   # ", "  #  ", " #   ", "#    ", "#####"],
    "0": [" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "],
    "1": ["  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "2": [" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"],
    "3": ["#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "],
    "4": ["   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "],
    "5": ["#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "],
    "6": ["  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "],
    "7": ["#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "],
    "8": [" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "],
    "9": [" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "],
    " ": ["     "] * 7,
    ".": ["     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "],
    ",": ["     ", "     ", "     ", "     ", " ##  ", "  #  ", " #   "],
    ":": ["     ", " ##  ", " ##  ", "     ", " ##  ", " ##  ", "     "],
    "-": ["     ", "     ", "     ", "#####", "     ", "     ", "     "],
    "/": ["     ", "    #", "   # ", "  #  ", " #   ", "#    ", "     "],
    "!": ["  #  ", "  #  ", "  #  ", "  #  ", "  #  ", "     ", "  #  "],
    "¡": ["  #  ", "     ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  "],
}
# Accented capitals: the plain letter with a mark drawn above it.
ACENTOS = {"Á": "A", "É": "E", "Í": "I", "Ó": "O", "Ú": "U", "Ñ": "N"}


def ancho_texto(texto, escala):
    return len(texto) * 6 * escala - escala


def dibujar_texto(pixeles, texto, x0, y0, escala, color):
    for indice, letra in enumerate(texto.upper()):
        base = ACENTOS.get(letra, letra)
        filas = FUENTE[base]
        x = x0 + indice * 6 * escala
        puntos = [(c, f) for f, fila in enumerate(filas) for c, v in enumerate(fila) if v == "#"]
        if letra == "Ñ":
            puntos += [(1, -2), (2, -2), (3, -2)]
        elif letra in ACENTOS:
            puntos += [(3, -2), (2, -1)]
        for c, f in puntos:
            for dy in range(escala):
                for dx in range(escala):
                    px, py = x + c * escala + dx, y0 + f * escala + dy
                    if 0 <= px < ANCHO and 0 <= py < ALTO:
                        pixeles[py][px] = color


def mezclar(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def franja(titulo, subtitulo, izquierda, derecha, texto, sombra):
    pixeles = [[mezclar(izquierda, derecha, x / (ANCHO - 1)) for x in range(ANCHO)] for _ in range(ALTO)]
    for x in range(ANCHO):
        pixeles[0][x] = pixeles[ALTO - 1][x] = sombra
    for y in range(ALTO):
        pixeles[y][0] = pixeles[y][ANCHO - 1] = sombra
    for cadena, escala, y in ((titulo, 3, 9), (subtitulo, 2, 38)):
        x = (ANCHO - ancho_texto(cadena, escala)) // 2
        dibujar_texto(pixeles, cadena, x + 1, y + 1, escala, sombra)
        dibujar_texto(pixeles, cadena, x, y, escala, texto)
    return pixeles


def png(pixeles):
    def bloque(tipo, datos):
        return struct.pack(">I", len(datos)) + tipo + datos + struct.pack(">I", zlib.crc32(tipo + datos))

    crudo = b"".join(b"\x00" + bytes(v for p in fila for v in p) for fila in pixeles)
    return (b"\x89PNG\r\n\x1a\n"
            + bloque(b"IHDR", struct.pack(">IIBBBBB", ANCHO, ALTO, 8, 2, 0, 0, 0))
            + bloque(b"IDAT", zlib.compress(crudo, 9))
            + bloque(b"IEND", b""))


FRANJAS = [
    ("franja1.png", "ALCABALA", "SU DECLARACIÓN MENSUAL F29 AL DÍA",
     (10, 40, 110), (40, 110, 190), (255, 255, 255), (5, 20, 60)),
    ("franja2.png", "VALORES UTM", "ACTUALIZADOS CADA MES DESDE 2015",
     (20, 110, 60), (120, 190, 90), (255, 255, 240), (10, 50, 25)),
    ("franja3.png", "¡RESPALDE SUS DATOS!", "COPIE SUS ARCHIVOS .ALC CADA MES",
     (150, 40, 30), (230, 140, 40), (255, 250, 230), (70, 20, 10)),
]


def main():
    carpeta = pathlib.Path(__file__).resolve().parent
    for nombre, titulo, subtitulo, izquierda, derecha, texto, sombra in FRANJAS:
        (carpeta / nombre).write_bytes(png(franja(titulo, subtitulo, izquierda, derecha, texto, sombra)))


if __name__ == "__main__":
    main()
