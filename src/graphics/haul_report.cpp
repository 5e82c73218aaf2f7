#include "graphics/haul_report.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "graphics/pdf_writer.h"
#include "project/vbtext.h"

namespace carvela {
namespace {

std::string numero(double v) { return formatta(std::isfinite(v) ? v : 0.0, "###0.00"); }

// A grid of named values: the names as headings over one row, an empty label column.
Griglia valori(const std::vector<std::pair<std::string, std::string>>& v) {
    Griglia g(2, static_cast<int>(v.size()) + 1);
    for (std::size_t i = 0; i < v.size(); ++i) {
        g.imposta(0, static_cast<int>(i) + 1, v[i].first);
        g.imposta(1, static_cast<int>(i) + 1, v[i].second);
    }
    return g;
}

// The page: A4 landscape, 10 mm margins, rows 6 mm, texts 2.4 mm high.
constexpr double kL = kA4Altezza, kH = kA4Larghezza, kMargine = 10, kRiga = 6, kTesto = 2.4;

struct Impaginatore {
    SuperficieMm& s;
    const std::string& titolo;
    int pagine = 0;
    double y = 0;

    void pagina() {
        s.nuovaPagina(kL, kH);
        ++pagine;
        s.colore(0, 0, 0);
        s.testo(kMargine, kH - kMargine - 4, titolo, 4, 0);
        const std::string n = "Pagina " + std::to_string(pagine);
        s.testo(kL - kMargine - larghezzaTesto(n, kTesto), kMargine - 5, n, kTesto, 0);
        y = kH - kMargine - 12;
    }
    void spazio(double h) {
        if (pagine == 0 || y - h < kMargine) pagina();
    }
    void riga(const std::string& t, double altezza) {
        spazio(altezza + 3);
        y -= altezza + 3;
        s.testo(kMargine, y, t, altezza, 0);
    }
    // A ruled table, its heading row again at the top of every page it runs onto.
    void tabella(const Griglia& g) {
        const int colonne = g.colonne();
        std::vector<double> larghe(static_cast<std::size_t>(colonne), 0);
        for (int c = 0; c < colonne; ++c)
            for (int r = 0; r < g.righe(); ++r)
                larghe[c] = std::max(larghe[c], larghezzaTesto(g.testo(r, c), kTesto) + 3);
        double totale = 0;
        for (double l : larghe) totale += l;
        const double fattore = std::min(1.0, (kL - 2 * kMargine) / std::max(totale, 1.0));
        auto rigaTabella = [&](int r) {
            const double alto = y, basso = y - kRiga;
            double x = kMargine;
            s.spessore(r == 0 ? 0.3 : 0.15);
            s.linea(kMargine, alto, kMargine + totale * fattore, alto);
            s.linea(kMargine, basso, kMargine + totale * fattore, basso);
            for (int c = 0; c < colonne; ++c) {
                const double l = larghe[c] * fattore;
                s.linea(x, alto, x, basso);
                const std::string& t = g.testo(r, c);
                // Numbers to the right, texts and headings to the left.
                const bool destra = r > 0 && !t.empty() && std::isdigit(static_cast<unsigned char>(t.back())) != 0;
                const double tx = destra ? x + l - 1.5 - larghezzaTesto(t, kTesto * fattore) : x + 1.5;
                s.testo(tx, basso + (kRiga - kTesto * fattore) / 2, t, kTesto * fattore, 0);
                x += l;
            }
            s.linea(x, alto, x, basso);
            y = basso;
        };
        spazio(2 * kRiga);
        rigaTabella(0);
        for (int r = 1; r < g.righe(); ++r) {
            if (y - kRiga < kMargine) {  // a new page: the headings first
                pagina();
                rigaTabella(0);
            }
            rigaTabella(r);
        }
        y -= 4;
    }
};

}  // namespace

RapportoTrasporti rapportoTrasporti(const Movimento& m) {
    RapportoTrasporti r;
    const ParametriTerra& p = m.parametri;
    r.formula = "Volume sciolto = sterro x rigonfiamento (" + numero(p.rigonfiamento) +
                "); volume in banco = riporto / costipamento (" + numero(p.costipamento) + ")";
    r.correzione = valori({{"Correzione dei Volumi", r.formula}});
    r.parametri = valori({{"Trasporto Franco (m)", numero(p.trasportoFranco)},
                          {"Limite Economico (m)", p.trasportoEconomico > 0 ? numero(p.trasportoEconomico) : "nessuno"},
                          {"Rigonfiamento", numero(p.rigonfiamento)},
                          {"Costipamento", numero(p.costipamento)}});
    std::string punti;
    for (double x : m.puntiEquilibrio) punti += (punti.empty() ? "" : " ") + numero(x);
    r.totali = valori({{"Sterro Totale", numero(m.sterroTotale)},
                       {"Riporto Totale", numero(m.riportoTotale)},
                       {"Volume Sciolto", numero(m.sterroSciolto)},
                       {"Volume in Banco", numero(m.riportoInBanco)},
                       {"Ordinata Finale", numero(m.ordinataFinale)},
                       {"Punti di Equilibrio", punti.empty() ? "nessuno" : punti}});

    const char* intestazioni[] = {
        "Tratto",    "Da",         "A", "Verso", "Vol. Entro Franco", "Vol. Oltre Franco", "Oltre Franco m3·m",
        "A Rifiuto", "Da Prestito"};
    r.tratti.dimensiona(static_cast<int>(m.compensati.size()) + 2, 9);
    for (int c = 0; c < 9; ++c) r.tratti.imposta(0, c, intestazioni[c]);
    int riga = 1;
    auto scrivi = [&](const TrattoCompensato& t, const std::string& etichetta, const std::string& verso) {
        const std::string celle[] = {etichetta,
                                     numero(t.da),
                                     numero(t.a),
                                     verso,
                                     numero(t.volumeFranco),
                                     numero(t.volumeOltreFranco),
                                     numero(t.trasportoOltreFranco),
                                     numero(t.rifiuto),
                                     numero(t.prestito)};
        for (int c = 0; c < 9; ++c) r.tratti.imposta(riga, c, celle[c]);
        ++riga;
    };
    for (const TrattoCompensato& t : m.compensati)
        scrivi(t, std::to_string(riga), std::string(t.verso > 0 ? "avanti" : "indietro") + (t.chiuso ? "" : " (fine)"));
    scrivi(m.totale, "Totale", "");
    return r;
}

int disegnaRapportoTrasporti(SuperficieMm& superficie, const RapportoTrasporti& r, const std::string& titolo) {
    Impaginatore p{superficie, titolo};
    p.pagina();
    p.riga(r.formula, 3);
    p.y -= 3;
    p.tabella(r.parametri);
    p.tabella(r.totali);
    p.riga("Tratti compensati (linea di compenso a ordinata 0)", 3);
    p.y -= 2;
    p.tabella(r.tratti);
    return p.pagine;
}

}  // namespace carvela
