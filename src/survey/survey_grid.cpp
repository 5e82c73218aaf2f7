#include "survey/survey_grid.h"

#include <cmath>

#include "project/vbtext.h"
#include "state/host.h"
#include "state/text_export_command.h"

namespace carvela {

void dimensionaGrigliaRilievo(Griglia& g, int righe, int colonne) {
    g.dimensiona(righe, colonne);
    g.larghezzeColonne.assign(static_cast<std::size_t>(colonne), 1300);
    if (colonne > 0) g.larghezzeColonne[0] = 800;
    g.altezzaIntestazione = 500;
    g.altezzaRiga = 300;
}

void intestaGriglia(Griglia& g, const std::vector<std::string>& intestazioni) {
    for (int c = 0; c < static_cast<int>(intestazioni.size()); ++c) g.imposta(0, c, intestazioni[c]);
}

void numeraRighe(Griglia& g) {
    for (int r = 1; r < g.righe(); ++r) g.imposta(r, 0, std::to_string(r));
}

void assicuraRiga(Griglia& g, int riga, bool etichetteTratto) {
    if (riga < g.righe()) return;
    const int prima = g.righe();
    g.dimensiona(riga + 1, g.colonne());
    for (int r = std::max(prima, 1); r <= riga; ++r)
        g.imposta(r, 0, etichetteTratto ? std::to_string(r) + "-" + std::to_string(r + 1) : std::to_string(r));
}

std::string testoValore(double v) { return std::isfinite(v) ? formatta(v, "###0.0000") : std::string(); }

std::string testoCasella(float v) { return std::isfinite(v) ? testoNumero(v) : std::string(); }

std::string testoCoordinata(float relativa, double origine) {
    if (origine == 0 || !std::isfinite(relativa)) return testoCasella(relativa);
    std::string s = formatta(origine + relativa, "0.0000");
    while (s.back() == '0') s.pop_back();
    if (s.back() == ',') s.pop_back();
    return s;
}

bool leggiCoordinata(const std::string& testo, double& valore) {
    float f;
    return leggiFloat(testo, f) && leggiNumero(testo, valore);
}

Cella leggiCella(const Griglia& g, int riga, int colonna, float& valore) {
    double v;
    if (!leggiNumero(g.testo(riga, colonna), v)) return Cella::NonNumerica;
    if (!leggiFloat(g.testo(riga, colonna), valore)) return Cella::FuoriIntervallo;
    return Cella::Numero;
}

bool leggiCasella(const std::string& testo, float& valore) { return leggiFloat(testo, valore); }

void esportaGriglie(Host& host, const std::vector<const Griglia*>& griglie,
                    const std::function<void(bool)>& mostraPagina) {
    esportaTesto(host, griglie, mostraPagina);
}

}  // namespace carvela
