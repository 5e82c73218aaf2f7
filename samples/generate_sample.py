#!/usr/bin/env python3
"""Makes the sample terrains of Carvela: samples/terreno.dxf and samples/asse.txt, and the same
ground in national grid coordinates, samples/terreno_utm.dxf and samples/asse_utm.txt.

The ground is a stretch of hill country 600 m by 400 m in local survey coordinates: a
stream valley winding from west to east between a high hill to the north-west and a lower
one to the south-east. Its contour lines every 2 m are traced by marching squares on a 5 m
grid and written as an R12 drawing, the way a surveying program exports a terrain model:
3D polylines (flags 8) of 3D vertices (flags 32) on layer CURVE_LIVELLO, a label for every
10 m contour on layer QUOTE and a few spot heights on layer PUNTI. A contour that closes on
itself repeats its first vertex at the end. The axis file holds the vertices of a road that
crosses the valley and climbs towards the saddle between the hills.

The second sample places the ground in UTM coordinates (zone 33, east about 487 km, north about
4632 km), where single precision keeps only half a metre, and writes it as a GIS or a recent CAD
program does: release 2000 (AC1015), handles and subclass markers, contour lines as LWPOLYLINE
with the elevation in group 38 and the closed ones flagged closed instead of repeating their
first vertex.

Only the standard library is used; the output is the same on every run.

    python3 samples/generate_sample.py            # writes next to this script
"""
import math
import os

X0, Y0 = 5000.0, 3000.0  # local origin of the survey
E0, N0 = 487250.0, 4632180.0  # where the second sample lies in the national grid
LARGHEZZA, ALTEZZA = 600.0, 400.0
PASSO = 5.0  # grid step of the terrain model
EQUIDISTANZA = 2.0  # contour interval


def quota(x, y):
    """Ground elevation at a local point (metres above the datum)."""
    # The valley floor winds across the area and falls gently to the east.
    asse_valle = 190.0 + 45.0 * math.sin(x / 95.0) + 0.08 * (x - 300.0)
    valle = -16.0 * math.exp(-((y - asse_valle) ** 2) / (2 * 42.0 ** 2))
    collina_nord = 34.0 * math.exp(-(((x - 150.0) / 95.0) ** 2 + ((y - 330.0) / 80.0) ** 2) / 2)
    collina_sud = 22.0 * math.exp(-(((x - 460.0) / 80.0) ** 2 + ((y - 85.0) / 70.0) ** 2) / 2)
    pendio = 0.025 * (LARGHEZZA - x) + 0.01 * y
    ondulazione = 1.2 * math.sin(x / 23.0) * math.cos(y / 31.0)
    return 120.0 + valle + collina_nord + collina_sud + pendio + ondulazione


def griglia():
    nx = int(LARGHEZZA / PASSO) + 1
    ny = int(ALTEZZA / PASSO) + 1
    return nx, ny, [[quota(i * PASSO, j * PASSO) for i in range(nx)] for j in range(ny)]


def segmenti_livello(nx, ny, z, livello):
    """Marching squares: the pieces of one contour level, as pairs of points keyed by cell edge."""
    pezzi = []

    def punto(i1, j1, i2, j2):
        z1, z2 = z[j1][i1], z[j2][i2]
        t = (livello - z1) / (z2 - z1)
        return (round((i1 + t * (i2 - i1)) * PASSO, 6), round((j1 + t * (j2 - j1)) * PASSO, 6))

    for j in range(ny - 1):
        for i in range(nx - 1):
            angoli = [(i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1)]
            sopra = [z[b][a] >= livello for a, b in angoli]
            if all(sopra) or not any(sopra):
                continue
            lati = []
            for k in range(4):
                a, b = angoli[k], angoli[(k + 1) % 4]
                if sopra[k] != sopra[(k + 1) % 4]:
                    lati.append(punto(a[0], a[1], b[0], b[1]))
            if len(lati) == 2:
                pezzi.append((lati[0], lati[1]))
            elif len(lati) == 4:
                # Saddle cell: decide by the centre value.
                centro = sum(z[b][a] for a, b in angoli) / 4 >= livello
                if centro == sopra[0]:
                    pezzi.append((lati[0], lati[3]))
                    pezzi.append((lati[1], lati[2]))
                else:
                    pezzi.append((lati[0], lati[1]))
                    pezzi.append((lati[2], lati[3]))
    return pezzi


def concatena(pezzi):
    """Joins the pieces of one level into polylines (lists of points)."""
    vicini = {}
    for k, (a, b) in enumerate(pezzi):
        vicini.setdefault(a, []).append(k)
        vicini.setdefault(b, []).append(k)
    usati = [False] * len(pezzi)
    linee = []

    def prosegui(linea):
        while True:
            ultimo = linea[-1]
            prossimo = next((k for k in vicini[ultimo] if not usati[k]), None)
            if prossimo is None:
                return
            usati[prossimo] = True
            a, b = pezzi[prossimo]
            linea.append(b if a == ultimo else a)

    # Open lines start at the border (points with one piece), then the closed rings.
    inizi = [p for p, ks in vicini.items() if len(ks) == 1] + list(vicini)
    for p in inizi:
        k = next((k for k in vicini[p] if not usati[k]), None)
        if k is None:
            continue
        usati[k] = True
        a, b = pezzi[k]
        linea = [p, b if a == p else a]
        prosegui(linea)
        if linea[0] != linea[-1] and len(vicini[linea[0]]) > 1:
            linea.reverse()
            prosegui(linea)
        linee.append(linea)
    return linee


def semplifica(linea, tolleranza=0.25):
    """Drops vertices that lie within the tolerance of the line through their neighbours."""
    if len(linea) < 4:
        return linea
    tenuti = [linea[0]]
    for k in range(1, len(linea) - 1):
        ax, ay = tenuti[-1]
        bx, by = linea[k + 1]
        px, py = linea[k]
        lunghezza = math.hypot(bx - ax, by - ay)
        distanza = abs((bx - ax) * (ay - py) - (ax - px) * (by - ay)) / lunghezza if lunghezza else 0
        if distanza > tolleranza or math.hypot(px - ax, py - ay) > 40:
            tenuti.append(linea[k])
    tenuti.append(linea[-1])
    return tenuti


class Dxf:
    def __init__(self):
        self.righe = []

    def c(self, codice, valore):
        self.righe.append("%3d" % codice)
        self.righe.append(valore if isinstance(valore, str) else ("%.3f" % valore))

    def testo(self):
        return "\r\n".join(self.righe) + "\r\n"


def scrivi_dxf(path, curve, quote_punti):
    d = Dxf()
    xmin, ymin, xmax, ymax = X0, Y0, X0 + LARGHEZZA, Y0 + ALTEZZA
    d.c(0, "SECTION"), d.c(2, "HEADER")
    d.c(9, "$ACADVER"), d.c(1, "AC1009")
    for nome, x, y in (("$INSBASE", 0.0, 0.0), ("$EXTMIN", xmin, ymin), ("$EXTMAX", xmax, ymax),
                       ("$LIMMIN", xmin, ymin), ("$LIMMAX", xmax, ymax)):
        d.c(9, nome), d.c(10, x), d.c(20, y)
    d.c(0, "ENDSEC")
    d.c(0, "SECTION"), d.c(2, "TABLES")
    d.c(0, "TABLE"), d.c(2, "LTYPE"), d.c(70, "1")
    d.c(0, "LTYPE"), d.c(2, "CONTINUOUS"), d.c(70, "0"), d.c(3, "Solid line"), d.c(72, "65"), d.c(73, "0")
    d.c(40, 0.0)
    d.c(0, "ENDTAB")
    strati = (("0", "7"), ("CURVE_LIVELLO", "3"), ("QUOTE", "2"), ("PUNTI", "1"))
    d.c(0, "TABLE"), d.c(2, "LAYER"), d.c(70, str(len(strati)))
    for nome, colore in strati:
        d.c(0, "LAYER"), d.c(2, nome), d.c(70, "0"), d.c(62, colore), d.c(6, "CONTINUOUS")
    d.c(0, "ENDTAB")
    d.c(0, "ENDSEC")

    d.c(0, "SECTION"), d.c(2, "ENTITIES")
    for z, linea in curve:
        d.c(0, "POLYLINE"), d.c(8, "CURVE_LIVELLO"), d.c(62, "3"), d.c(66, "1")
        d.c(10, 0.0), d.c(20, 0.0), d.c(30, z), d.c(70, "8")
        for x, y in linea:
            d.c(0, "VERTEX"), d.c(8, "CURVE_LIVELLO"), d.c(62, "3")
            d.c(10, X0 + x), d.c(20, Y0 + y), d.c(30, z), d.c(70, "32")
        d.c(0, "SEQEND"), d.c(8, "CURVE_LIVELLO")
        if abs(z / 10.0 - round(z / 10.0)) < 1e-9 and len(linea) > 8:
            x, y = linea[len(linea) // 2]
            d.c(0, "TEXT"), d.c(8, "QUOTE"), d.c(62, "2"), d.c(10, X0 + x), d.c(20, Y0 + y), d.c(30, z)
            d.c(40, 3.0), d.c(1, "%.0f" % z)
    for x, y, z in quote_punti:
        d.c(0, "POINT"), d.c(8, "PUNTI"), d.c(62, "1"), d.c(10, X0 + x), d.c(20, Y0 + y), d.c(30, z)
    d.c(0, "ENDSEC"), d.c(0, "EOF")
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write(d.testo())


def scrivi_dxf_lw(path, curve, quote_punti):
    d = Dxf()
    maniglia = [0x30]

    def entita(nome, strato, colore, classe):
        maniglia[0] += 1
        d.c(0, nome), d.c(5, "%X" % maniglia[0]), d.c(330, "1F"), d.c(100, "AcDbEntity")
        d.c(8, strato), d.c(62, colore), d.c(100, classe)

    xmin, ymin, xmax, ymax = E0, N0, E0 + LARGHEZZA, N0 + ALTEZZA
    d.c(0, "SECTION"), d.c(2, "HEADER")
    d.c(9, "$ACADVER"), d.c(1, "AC1015")
    d.c(9, "$DWGCODEPAGE"), d.c(3, "ANSI_1252")
    d.c(9, "$INSUNITS"), d.c(70, "6")
    for nome, x, y in (("$EXTMIN", xmin, ymin), ("$EXTMAX", xmax, ymax)):
        d.c(9, nome), d.c(10, x), d.c(20, y), d.c(30, 0.0)
    d.c(0, "ENDSEC")
    d.c(0, "SECTION"), d.c(2, "TABLES")
    strati = (("0", "7"), ("CURVE_LIVELLO", "3"), ("QUOTE", "2"), ("PUNTI", "1"))
    d.c(0, "TABLE"), d.c(2, "LAYER"), d.c(5, "2"), d.c(100, "AcDbSymbolTable"), d.c(70, str(len(strati)))
    for k, (nome, colore) in enumerate(strati):
        d.c(0, "LAYER"), d.c(5, "%X" % (0x10 + k)), d.c(100, "AcDbSymbolTableRecord"), d.c(100, "AcDbLayerTableRecord")
        d.c(2, nome), d.c(70, "0"), d.c(62, colore), d.c(6, "CONTINUOUS")
    d.c(0, "ENDTAB")
    d.c(0, "ENDSEC")

    d.c(0, "SECTION"), d.c(2, "ENTITIES")
    for z, linea in curve:
        chiusa = len(linea) > 3 and linea[0] == linea[-1]
        vertici = linea[:-1] if chiusa else linea
        entita("LWPOLYLINE", "CURVE_LIVELLO", "3", "AcDbPolyline")
        d.c(90, str(len(vertici))), d.c(70, "1" if chiusa else "0"), d.c(38, z), d.c(43, 0.0)
        for x, y in vertici:
            d.c(10, E0 + x), d.c(20, N0 + y)
        if abs(z / 10.0 - round(z / 10.0)) < 1e-9 and len(linea) > 8:
            x, y = linea[len(linea) // 2]
            entita("TEXT", "QUOTE", "2", "AcDbText")
            d.c(10, E0 + x), d.c(20, N0 + y), d.c(30, z), d.c(40, 3.0), d.c(1, "%.0f" % z), d.c(100, "AcDbText")
    for x, y, z in quote_punti:
        entita("POINT", "PUNTI", "1", "AcDbPoint")
        d.c(10, E0 + x), d.c(20, N0 + y), d.c(30, z)
    d.c(0, "ENDSEC")
    d.c(0, "SECTION"), d.c(2, "OBJECTS")
    d.c(0, "DICTIONARY"), d.c(5, "C"), d.c(330, "0"), d.c(100, "AcDbDictionary"), d.c(281, "1")
    d.c(0, "ENDSEC"), d.c(0, "EOF")
    with open(path, "w", encoding="ascii", newline="") as f:
        f.write(d.testo())


def scrivi_asse(path, asse, e0, n0):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("# Vertici della poligonale d'asse: ascissa e ordinata (m)\n")
        for x, y in asse:
            f.write("%.3f %.3f\n" % (e0 + x, n0 + y))


def main():
    cartella = os.path.dirname(os.path.abspath(__file__))
    nx, ny, z = griglia()
    zmin = min(min(r) for r in z)
    zmax = max(max(r) for r in z)
    curve = []
    livello = math.ceil(zmin / EQUIDISTANZA) * EQUIDISTANZA
    while livello <= zmax:
        for linea in concatena(segmenti_livello(nx, ny, z, livello)):
            linea = semplifica(linea)
            if len(linea) >= 3:
                curve.append((livello, linea))
        livello += EQUIDISTANZA
    punti = [(x, y, round(quota(x, y), 2)) for x, y in ((150, 330), (460, 85), (300, 200), (80, 60), (540, 360))]
    scrivi_dxf(os.path.join(cartella, "terreno.dxf"), curve, punti)
    scrivi_dxf_lw(os.path.join(cartella, "terreno_utm.dxf"), curve, punti)

    # The road: from the south-west across the valley, then along the slope to the east.
    asse = [(40.0, 40.0), (190.0, 150.0), (330.0, 250.0), (470.0, 270.0), (570.0, 370.0)]
    scrivi_asse(os.path.join(cartella, "asse.txt"), asse, X0, Y0)
    scrivi_asse(os.path.join(cartella, "asse_utm.txt"), asse, E0, N0)


if __name__ == "__main__":
    main()
