#include <algorithm>
#include <cmath>
#include <string>

#include "dxf/dxf_lettura.h"
#include "dxf/dxf_project.h"
#include "project/vbtext.h"

namespace carvela {
namespace {

std::string quante(int64_t n, const char* una, const char* molte) {
    return std::to_string(n) + " " + (n == 1 ? una : molte);
}

}  // namespace

bool disegnoOltreIlMillimetro(const LetturaDxf& l) {
    if (!l.haEstensione) return false;
    const double lontano = std::max({std::fabs(l.minE - l.origine.est), std::fabs(l.maxE - l.origine.est),
                                     std::fabs(l.minN - l.origine.nord), std::fabs(l.maxN - l.origine.nord)});
    return lontano > kRaggioMillimetro;
}

std::string testoRiconoscimento(const LetturaDxf& l, const RiconoscimentoDxf& r) {
    std::string t;
    if (!l.versione.empty()) t += "Versione del file: " + l.versione + "\n";
    t += "Entità del disegno:";
    if (l.tipi.empty()) t += " nessuna";
    for (std::size_t i = 0; i < l.tipi.size(); ++i)
        t += (i ? ", " : " ") + l.tipi[i].first + " " + std::to_string(l.tipi[i].second);
    t += "\n";
    t += "Curve di livello ricavate: " + std::to_string(r.curve);
    if (r.curve > 0)
        t += ", con " + std::to_string(r.vertici) + " vertici, quote da " + formatta(r.quotaMinima, "###0.00") + " a " +
             formatta(r.quotaMassima, "###0.00");
    t += "\n";

    std::string scarti;
    auto aggiungi = [&](int64_t n, const char* una, const char* molte) {
        if (n > 0) scarti += (scarti.empty() ? "" : ", ") + quante(n, una, molte);
    };
    aggiungi(r.senzaQuota, "polilinea senza quota", "polilinee senza quota");
    aggiungi(l.pocheVertici + r.senzaSegmenti, "polilinea con meno di due vertici",
             "polilinee con meno di due vertici");
    aggiungi(l.bulgeNonValido, "polilinea con un arco non valido", "polilinee con un arco non valido");
    aggiungi(l.conteggioErrato, "polilinea con un numero di vertici errato",
             "polilinee con un numero di vertici errato");
    aggiungi(l.senzaSeqend, "polilinea senza SEQEND", "polilinee senza SEQEND");
    aggiungi(l.entitaBlocchi, "entità di definizioni di blocco", "entità di definizioni di blocco");
    aggiungi(l.inserimenti, "blocco inserito (INSERT)", "blocchi inseriti (INSERT)");
    t += "Scartate: " + (scarti.empty() ? std::string("nessuna") : scarti) + "\n";

    if (!l.origine.nulla()) t += "Origine delle coordinate: " + testoOrigine(l.origine) + "\n";
    if (disegnoOltreIlMillimetro(l))
        t += "Attenzione: il disegno si estende oltre " + formatta(kRaggioMillimetro / 1000, "###0.0") +
             " km dall'origine, dove le coordinate non tengono più il millimetro.\n";
    if (!t.empty() && t.back() == '\n') t.pop_back();
    return t;
}

}  // namespace carvela
