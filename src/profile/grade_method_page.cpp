#include "profile/grade_method_page.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "profile/grade_lines.h"
#include "profile/profile_solve.h"
#include "project/grid_typing.h"
#include "project/vbtext.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// A typed character as UTF-8.
std::string carattere(int codice) {
    std::string s;
    const auto c = static_cast<unsigned>(codice);
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x110000) {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

void assicura(VbArray<float>& v, int32_t n) {
    if (!v.isDimensioned() || v.upperBound() < n) v.redimPreserve(n);
}

// Last point of grade line g (at least 1).
int32_t ultimoPunto(const Profilo& pr, int32_t g) { return std::max(1, pr.PuntiLivelletta.get(g)); }

}  // namespace

const std::array<const char*, PaginaTipoProfilo::kSchede>& PaginaTipoProfilo::titoliSchede() {
    static const std::array<const char*, kSchede> titoli = {
        "1) Compensa con quota di partenza livelletta", "2) Inserimento diretto delle quote di progetto",
        "3) Compensa con punto di passaggio", "4) Compensa con pendeza data", "5) Compensa con quota di partenza data"};
    return titoli;
}

void PaginaTipoProfilo::apri(Workspace& ws) {
    Profilo& pr = ws.Profilo;
    if (pr.NumeroLivellette < 1) pr.NumeroLivellette = 1;
    const int righe = pr.NumeroLivellette + 1;
    const std::vector<std::vector<std::pair<const char*, int>>> colonne = {
        {{"Livelletta n°", 1000}, {"Quota di progetto", 1700}},
        {{"Livelletta n°", 1000}, {"Quota di partenza", 1700}, {"Quota di arrivo", 1700}},
        {{"Livelletta n°", 1000}, {"Quota del terreno", 1700}, {"Distanza progressiva", 1700}},
        {{"Livelletta n°", 1000}, {"Pendenza % della livelletta", 2300}},
    };
    for (std::size_t t = 0; t < griglie.size(); ++t) {
        Griglia& g = griglie[t];
        g = Griglia(righe, static_cast<int>(colonne[t].size()));
        g.altezzaIntestazione = g.altezzaRiga = 300;
        for (std::size_t c = 0; c < colonne[t].size(); ++c) {
            g.imposta(0, static_cast<int>(c), colonne[t][c].first);
            g.larghezzeColonne.push_back(colonne[t][c].second);
        }
        for (int r = 1; r < righe; ++r) g.imposta(r, 0, testoNumero(static_cast<int64_t>(r)));
    }
    quotaPartenza.clear();
}

void PaginaTipoProfilo::attiva(Workspace& ws) {
    Profilo& pr = ws.Profilo;
    const int32_t righe = std::min(griglie[0].righe() - 1, pr.NumeroLivellette);
    if (pr.MetodoLivellette != 3) {
        for (int32_t g = 1; g <= righe; ++g) {
            const float z1 = pr.ProgettoLiv.get(1, g), zn = pr.ProgettoLiv.get(ultimoPunto(pr, g), g);
            griglie[0].imposta(g, 1, testoNumero(z1));
            griglie[1].imposta(g, 1, testoNumero(z1));
            griglie[1].imposta(g, 2, testoNumero(zn));
            griglie[3].imposta(g, 1, testoNumero(static_cast<float>(double{pr.Pendenze.get(g)} * 100)));
        }
        quotaPartenza = testoNumero(pr.ProgettoLiv.get(1, 1));
    } else {
        for (int32_t g = 1; g <= std::min(griglie[2].righe() - 1, pr.NumeroLivellette); ++g) {
            griglie[2].imposta(g, 1, testoNumero(pr.QuotaPassaggio.get(g)));
            griglie[2].imposta(g, 2, testoNumero(pr.DistanzaPassaggio.get(g)));
        }
    }
    if (pr.MetodoLivellette >= 1 && pr.MetodoLivellette <= kSchede) scheda = pr.MetodoLivellette - 1;
    pr.MetodoLivellette = static_cast<uint8_t>(scheda + 1);
}

void PaginaTipoProfilo::tasto(int indiceScheda, int riga, int colonna, int codice) {
    if (indiceScheda < 0 || indiceScheda >= static_cast<int>(griglie.size())) return;
    Griglia& g = griglie[static_cast<std::size_t>(indiceScheda)];
    if (riga < 1 || colonna < 1 || !g.valida(riga, colonna)) return;
    const std::string testo = g.testo(riga, colonna);
    g.imposta(riga, colonna, codice == kTastoBackspace ? filtraTasto(codice, testo) : testo + carattere(codice));
}

bool PaginaTipoProfilo::applica(Workspace& ws, Host& host) {
    Profilo& pr = ws.Profilo;
    const int metodo = scheda + 1;

    // Every entry of the tab is checked before anything is stored.
    struct Riga {
        int32_t g;
        float a, b;
    };
    std::vector<Riga> valori;
    bool valido = true;
    // The first wrong cell is noted in its grid for the window; tab 5 has its one box.
    const Griglia* griglia = metodo <= 4 ? &griglie[static_cast<std::size_t>(scheda)] : nullptr;
    auto leggi = [&](const std::string& testo, float& v, int riga, int colonna) {
        if (leggiFloat(testo, v) && std::isfinite(v)) return;
        if (valido && griglia) griglia->segnaErrore(riga, colonna);
        valido = false;
    };
    if (griglia) {
        const int32_t righe = std::min(griglia->righe() - 1, pr.NumeroLivellette);
        for (int32_t g = 1; g <= righe; ++g) {
            if (griglia->testo(g, 1).empty()) continue;  // left as it was
            Riga r{g, 0, 0};
            leggi(griglia->testo(g, 1), r.a, g, 1);
            if (metodo == 2 || metodo == 3) leggi(griglia->testo(g, 2), r.b, g, 2);
            valori.push_back(r);
        }
    } else if (!quotaPartenza.empty()) {
        Riga r{1, 0, 0};
        leggi(quotaPartenza, r.a, 0, 0);
        valori.push_back(r);
    }
    if (!valido) {
        host.messaggio("Tipo di dati non corretto!");
        return false;
    }

    pr.MetodoLivellette = static_cast<uint8_t>(metodo);
    int32_t punti = 1;
    for (int32_t g = 1; g <= pr.NumeroLivellette; ++g) punti = std::max(punti, pr.PuntiLivelletta.get(g));
    for (VbArray2<float>* t : {&pr.ProgressiveLiv, &pr.TerrenoLiv, &pr.ProgettoLiv, &pr.RosseLiv})
        allargaTabellaLivellette(*t, punti, pr.NumeroLivellette + 1);
    for (VbArray<float>* v : {&pr.Pendenze, &pr.QuotaPassaggio, &pr.DistanzaPassaggio})
        assicura(*v, pr.NumeroLivellette);
    for (const Riga& r : valori) {
        switch (metodo) {
        case 1:
        case 5: pr.ProgettoLiv(1, r.g) = r.a; break;
        case 2:
            pr.ProgettoLiv(1, r.g) = r.a;
            pr.ProgettoLiv(ultimoPunto(pr, r.g), r.g) = r.b;
            break;
        case 3:
            pr.QuotaPassaggio[r.g] = r.a;
            pr.DistanzaPassaggio[r.g] = r.b;
            break;
        case 4: pr.Pendenze[r.g] = static_cast<float>(double{r.a} / 100); break;
        }
    }

    std::vector<int> nonRisolte;
    risolviProfilo(pr, &nonRisolte);
    if (!nonRisolte.empty()) host.messaggio(messaggioLivelletteNonRisolte(nonRisolte));
    return true;
}

}  // namespace carvela
