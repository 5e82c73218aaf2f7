#include "support/fake_host.h"

namespace carvela {

std::vector<std::string> FakeHost::testiMessaggi() const {
    std::vector<std::string> out;
    for (const auto& m : messaggi) out.push_back(m.testo);
    return out;
}

void FakeHost::pulisci() {
    messaggi.clear();
    pagine.clear();
    didascalie.clear();
    massimiBarra.clear();
    posizioniBarra.clear();
    titoliDialoghi.clear();
    filtriDialoghi.clear();
}

Risposta FakeHost::messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string&) {
    messaggi.push_back({testo, pulsanti, icona});
    if (pulsanti == Pulsanti::Ok) return Risposta::Ok;
    if (risposte.empty()) {
        if (pulsanti == Pulsanti::SiNoAnnulla) return Risposta::Annulla;
        return pulsanti == Pulsanti::SiNo ? Risposta::Si : Risposta::Ok;
    }
    Risposta r = risposte.front();
    risposte.pop_front();
    return r;
}

std::string FakeHost::inputBox(const std::string&, const std::string& titolo, const std::string&) {
    titoliDialoghi.push_back(titolo);
    if (inputs.empty()) return {};
    std::string s = inputs.front();
    inputs.pop_front();
    return s;
}

std::string FakeHost::apriFile(const std::string& filtro, const std::string& titolo) {
    titoliDialoghi.push_back(titolo);
    filtriDialoghi.push_back(filtro);
    if (fileAperti.empty()) return {};
    std::string s = fileAperti.front();
    fileAperti.pop_front();
    return s;
}

std::string FakeHost::salvaFile(const std::string& proposta, const std::string& filtro, const std::string& titolo) {
    titoliDialoghi.push_back(titolo);
    filtriDialoghi.push_back(filtro);
    proposteSalvataggio.push_back(proposta);
    if (fileSalvati.empty()) return {};
    std::string s = fileSalvati.front();
    fileSalvati.pop_front();
    return s;
}

}  // namespace carvela
