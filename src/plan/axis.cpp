#include "plan/axis.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plan/plan_origin.h"
#include "project/coordinate.h"
#include "project/grid_typing.h"
#include "project/origine.h"
#include "project/project_files.h"
#include "project/vbtext.h"
#include "road/geometry.h"
#include "state/canvas.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

constexpr double kPi = static_cast<double>(kPiGreco);
constexpr const char* kAsseAssente = "Non è presente la poligonale d'asse!";
constexpr const char* kErroreApertura = "Errore di apertura del file!";

double distanza(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }

// The axis from a list of points: polygon and staked axis alike, marks 0.
void impostaVertici(Planimetria& piano, const std::vector<AxisPoint>& punti) {
    const int32_t n = static_cast<int32_t>(punti.size());
    piano.VerticiAsse.redim(n);
    for (int32_t i = 1; i <= n; ++i) piano.VerticiAsse[i] = punti[static_cast<std::size_t>(i) - 1];
    piano.AsseTracciato = piano.VerticiAsse;
    piano.NumeroPuntiAsse = n;
}

// Points 1..count of two coordinate lists, trusting neither the count nor the values. The
// survey's records lie relative to its own origin: the points go through their true
// coordinates into the plan's origin. A plan holding nothing yet and no origin of its own
// takes the survey's, so an axis in national coordinates keeps its millimetre.
bool puntiDaLista(int32_t conteggio, const VbArray<float>& xs, const VbArray<float>& ys,
                  const std::string& origineRilievo, Planimetria& piano, std::vector<AxisPoint>& punti) {
    conteggio = std::max(0, std::min({conteggio, xs.upperBound(), ys.upperBound()}));
    const OrigineProgetto rilievo = leggiOrigine(origineRilievo);
    OrigineProgetto pianta = leggiOrigine(piano.Origine);
    if (pianta.nulla() && pianoSenzaAltreCoordinate(piano, false, true)) pianta = rilievo;
    const double dE = rilievo.est - pianta.est, dN = rilievo.nord - pianta.nord;
    punti.clear();
    for (int32_t i = 1; i <= conteggio; ++i) {
        if (!std::isfinite(xs[i]) || !std::isfinite(ys[i])) return false;
        if (dE == 0 && dN == 0) {
            punti.push_back({xs[i], ys[i], 0});
            continue;
        }
        const float x = static_cast<float>(dE + xs[i]), y = static_cast<float>(dN + ys[i]);
        if (!std::isfinite(x) || !std::isfinite(y)) return false;
        punti.push_back({x, y, 0});
    }
    if (!(pianta == leggiOrigine(piano.Origine))) piano.Origine = testoOrigine(pianta);
    return true;
}

void ridimensionaTabellaCurve(Profilo& pr, int32_t n) {
    pr.CurvaDa.redimPreserve(n);
    pr.CurvaA.redimPreserve(n);
    pr.CurvaVerso.redimPreserve(n);
    pr.CurvaRaggio.redimPreserve(n);
    pr.CurvaTangente.redimPreserve(n);
    pr.CurvaSviluppo.redimPreserve(n);
    pr.CurvaApertura.redimPreserve(n);
    pr.CurvaPicchetti.redimPreserve(n);
}

}  // namespace

int32_t numeroVerticiAsse(const Planimetria& piano) { return std::max(0, piano.VerticiAsse.upperBound()); }

// ---- tracing ----

void iniziaTracciamentoAsse(Workspace& ws, Canvas&, Host&) {
    ws.PianoBackup = ws.Piano;
    ws.Piano.NumeroPuntiAsse = 0;
    ws.Piano.VerticiAsse.erase();
    ws.Piano.AsseTracciato.erase();
    ws.vista.modoAsse = 2;
}

void aggiungiVerticeAsse(Workspace& ws, Canvas& canvas, Host&, double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    Planimetria& piano = ws.Piano;
    const int32_t n = numeroVerticiAsse(piano) + 1;
    const AxisPoint vertice{static_cast<float>(x), static_cast<float>(y), 0};
    piano.VerticiAsse.redimPreserve(n);
    piano.VerticiAsse[n] = vertice;
    piano.AsseTracciato.redimPreserve(n);
    piano.AsseTracciato[n] = vertice;
    piano.NumeroPuntiAsse = n;
    piano.ProfiloApplicato.MetodoLivellette = 0;
    if (n >= 2) {
        const AxisPoint& a = piano.VerticiAsse[n - 1];
        const Vista& v = ws.vista;
        canvas.line(v.canvasX(a.x), v.canvasY(a.y), v.canvasX(vertice.x), v.canvasY(vertice.y), 15);
    }
}

void terminaTracciamentoAsse(Workspace& ws, Canvas&, Host& host) {
    ws.vista.modoAsse = 0;
    if (ws.wizardAttivo == -1) host.apriPagina(Pagina::Autocomposizione);
    if (numeroVerticiAsse(ws.Piano) < 2) {
        host.messaggio("La poligonale non contiene punti sufficenti!");
        // The trace is abandoned: the plan as it was before tracing comes back, axis
        // included, whether or not it had contour lines.
        ws.Piano = ws.PianoBackup;
    }
}

// ---- import and reversal ----

bool importaVerticiAsse(Workspace& ws, Host& host, bool daTriangolazione) {
    const std::string percorso = daTriangolazione
                                     ? host.apriFile("File di Diagramma (*.trn) | *.TRN", "Apri file di Triangolazione")
                                     : host.apriFile("File di Diagramma (*.pla) | *.PLA", "Apri file di Poligonale");
    if (percorso.empty()) return false;

    std::vector<AxisPoint> punti;
    bool valido = false;
    if (daTriangolazione) {
        TriangulationChain t;
        if (std::string motivo; !leggiRecord(percorso, t, &motivo)) {
            host.messaggio(motivo.empty() ? std::string(kErroreApertura) : kErroreApertura + ("\n" + motivo));
            return false;
        }
        ws.Triangolazione = t;
        valido = puntiDaLista(t.NumeroTriangoli, t.X, t.Y, t.Origine, ws.Piano, punti);
    } else {
        OpenTraverse o;
        if (std::string motivo; !leggiRecord(percorso, o, &motivo)) {
            host.messaggio(motivo.empty() ? std::string(kErroreApertura) : kErroreApertura + ("\n" + motivo));
            return false;
        }
        ws.PoligonaleAperta = o;
        if (o.Tipo != 0) {
            host.messaggio("Il file non contiene una poligonale aperta!");
            return false;
        }
        valido = puntiDaLista(o.NumeroStazioni, o.Ascissa, o.Ordinata, o.Origine, ws.Piano, punti);
    }
    if (!valido) {
        host.messaggio("Tipo di dati non corretto!");
        return false;
    }
    impostaVertici(ws.Piano, punti);
    return true;
}

bool invertiAsse(Workspace& ws, Host& host) {
    const int32_t n = numeroVerticiAsse(ws.Piano);
    if (n < 2) {
        host.messaggio(kAsseAssente);
        return false;
    }
    VbArray<AxisPoint>& v = ws.Piano.VerticiAsse;
    for (int32_t k = 1; k <= n / 2; ++k) std::swap(v[k], v[n - k + 1]);
    return true;
}

// ---- preparation, curves and stakes ----

void preparaAsse(Workspace& ws) {
    Planimetria& piano = ws.Piano;
    if (piano.ProfiloApplicato.MetodoLivellette == 0) ws.Profilo = Profilo{};
    piano.ProfiloApplicato = ws.Profilo;

    const int32_t n = numeroVerticiAsse(piano);
    piano.NumeroPuntiAsse = n;
    VbArray<AxisPoint>& v = piano.VerticiAsse;
    for (int32_t k = 2; k <= n; ++k) {
        if (v[k].x == v[k - 1].x) v[k].x = static_cast<float>(double{v[k].x} + 0.0005);
        if (v[k].y == v[k - 1].y) v[k].y = static_cast<float>(double{v[k].y} + 0.0005);
    }
    piano.AsseTracciato = v;

    Profilo& pr = ws.Profilo;
    pr.NumeroCurve = std::max(0, n - 2);
    ridimensionaTabellaCurve(pr, pr.NumeroCurve);
    for (int32_t i = 1; i <= pr.NumeroCurve; ++i)
        if (!(pr.CurvaRaggio[i] > 0) || !std::isfinite(pr.CurvaRaggio[i]))
            pr.CurvaRaggio[i] = ws.impostazioni.RaggioMinimoCurve;
}

void calcolaCurvePicchetti(Workspace& ws) {
    Planimetria& piano = ws.Piano;
    Profilo& pr = ws.Profilo;
    const Impostazioni& imp = ws.impostazioni;
    const VbArray<AxisPoint>& v = piano.VerticiAsse;
    const int32_t n = numeroVerticiAsse(piano);
    const int32_t curve = std::min(pr.NumeroCurve, std::max(0, n - 2));
    if (curve < 1) {
        ws.CentriCurve.redim(piano.NumeroPuntiAsse);
        return;
    }
    ridimensionaTabellaCurve(pr, std::max(pr.NumeroCurve, curve));

    std::vector<AxisPoint> punti{v[1]};
    std::vector<CentroCurva> centri{CentroCurva{}};
    const double raggioMinimo = imp.RaggioMinimoCurve;
    double indietroX = v[1].x, indietroY = v[1].y;  // the last stake placed so far

    for (int32_t i = 1; i <= curve; ++i) {
        const double px = v[i].x, py = v[i].y, vx = v[i + 1].x, vy = v[i + 1].y, qx = v[i + 2].x, qy = v[i + 2].y;

        if (pr.CurvaPicchetti[i] < 2) pr.CurvaPicchetti[i] = std::max<uint8_t>(imp.PicchettiCurva, 1);
        const int m = pr.CurvaPicchetti[i];

        const double entrata = rilevamento(vx - px, vy - py);
        double delta = rilevamento(qx - vx, qy - vy) - entrata;
        while (delta > kPi) delta -= 2 * kPi;
        while (delta <= -kPi) delta += 2 * kPi;
        // Three aligned vertices turn neither way: their stakes all fall on the vertex, and
        // the curve is recorded as a right-hand one.
        const bool destra = delta >= 0;
        pr.CurvaVerso[i] = destra ? "d" : "s";
        const double segno = destra ? 1 : -1;

        const double disponibile = std::min(distanza(indietroX, indietroY, vx, vy), distanza(vx, vy, qx, qy));
        const double mezzo = std::fabs(delta) / 2;
        const double raggioMassimo = std::fabs(disponibile * std::tan(mezzo));
        double raggio = pr.CurvaRaggio[i];
        if (!(raggio > 0) || !std::isfinite(raggio)) raggio = raggioMinimo;
        raggio = raggioMassimo >= raggioMinimo ? std::min(raggio, raggioMassimo) : std::max(raggio, raggioMinimo);
        pr.CurvaRaggio[i] = static_cast<float>(raggio);
        raggio = pr.CurvaRaggio[i];

        // Centre on the bisector, inside the turn, at R / cos(|delta| / 2) from the vertex.
        // A turn back on the same line has no such circle: it is staked like aligned vertices.
        double coseno = std::cos(mezzo);
        double deltaArco = delta;
        double tangente = std::tan(mezzo);
        if (!(coseno > 1e-9)) {
            coseno = 1;
            deltaArco = 0;
            tangente = 0;
        }
        const double bisettrice = entrata + deltaArco / 2 + segno * kPi / 2;
        const double cx = vx + raggio / coseno * std::sin(bisettrice);
        const double cy = vy + raggio / coseno * std::cos(bisettrice);
        // Where the circle touches the leg P-V, and its bearing from the centre.
        const double tx = vx - raggio * tangente * std::sin(entrata);
        const double ty = vy - raggio * tangente * std::cos(entrata);
        const double theta0 = rilevamento(tx - cx, ty - cy);

        const CentroCurva centro{static_cast<float>(cx), static_cast<float>(cy), static_cast<uint8_t>(destra ? 0 : 1)};
        for (int k = 0; k < m; ++k) {
            const double theta = theta0 + k * deltaArco / m;
            AxisPoint picchetto{static_cast<float>(cx + raggio * std::sin(theta)),
                                static_cast<float>(cy + raggio * std::cos(theta)), kMarcaPicchetto};
            if (k == m - 1) picchetto.marca = 0;
            punti.push_back(picchetto);
            centri.push_back(centro);
        }
        indietroX = punti.back().x;
        indietroY = punti.back().y;
    }
    punti.push_back(v[n]);
    centri.push_back(centri.back());

    const int32_t totale = static_cast<int32_t>(punti.size());
    const AxisPoint zero = v.get(0);
    piano.AsseTracciato.redim(totale);
    piano.AsseTracciato[0] = zero;
    ws.CentriCurve.redim(totale);
    for (int32_t i = 1; i <= totale; ++i) {
        piano.AsseTracciato[i] = punti[static_cast<std::size_t>(i) - 1];
        ws.CentriCurve[i] = centri[static_cast<std::size_t>(i) - 1];
    }
    piano.NumeroPuntiAsse = totale;
}

// ---- coordinates page ----

void PaginaCoordinateAsse::apri(const Workspace& ws) {
    const int32_t n = numeroVerticiAsse(ws.Piano);
    griglia = Griglia(n + 1, 3);
    griglia.larghezzeColonne = {700, 1600, 1600};
    griglia.altezzaIntestazione = 300;
    griglia.altezzaRiga = 300;
    griglia.imposta(0, 0, "Punto n°");
    griglia.imposta(0, 1, "Ascisse");
    griglia.imposta(0, 2, "Ordinate");
    const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);  // true coordinates on the page
    for (int32_t i = 1; i <= n; ++i) {
        const AxisPoint& p = ws.Piano.VerticiAsse[i];
        griglia.imposta(i, 0, testoNumero(static_cast<int64_t>(i)));
        griglia.imposta(i, 1, testoCoordinataGriglia(p.x, o.est));
        griglia.imposta(i, 2, testoCoordinataGriglia(p.y, o.nord));
    }
}

void PaginaCoordinateAsse::tasto(int riga, int colonna, int codice) {
    if (riga < 1 || colonna < 1 || !griglia.valida(riga, colonna)) return;
    griglia.imposta(riga, colonna, filtraTasto(codice, griglia.testo(riga, colonna)));
}

bool PaginaCoordinateAsse::applica(Workspace& ws, Host& host) const {
    if (numeroVerticiAsse(ws.Piano) < 1) {
        host.messaggio("Nessun punto di poligonale d'asse inserito!");
        return false;
    }
    std::vector<AxisPoint> punti;
    // The page replaces the whole axis: a plan holding nothing else follows what is typed.
    if (pianoSenzaAltreCoordinate(ws.Piano, false, true)) origineDaCoordinate(ws.Piano, coordinateDigitate(griglia, 1));
    const OrigineProgetto o = leggiOrigine(ws.Piano.Origine);
    for (int r = 1; r < griglia.righe(); ++r) {
        float x = 0, y = 0;
        const bool xLetta = leggiCoordinataGriglia(griglia.testo(r, 1), o.est, x) && std::isfinite(x);
        if (!xLetta || !leggiCoordinataGriglia(griglia.testo(r, 2), o.nord, y) || !std::isfinite(y)) {
            griglia.segnaErrore(r, xLetta ? 2 : 1);
            host.messaggio("Tipo di dati non corretto!");
            return false;
        }
        punti.push_back({x, y, 0});
    }
    impostaVertici(ws.Piano, punti);
    return true;
}

}  // namespace carvela
