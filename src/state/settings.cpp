#include "state/settings.h"

#include <cstring>
#include <variant>

#include "project/vbtext.h"

namespace carvela {
namespace {

enum class Kind { Float, Int32, Int16, Byte, Switch };

// The values a key may hold: what the settings window accepts for it (a value edited by
// hand outside them would upset the drawings and computations, so it loads as the default).
using Ammesso = bool (*)(double);
bool qualsiasi(double) { return true; }
bool positivo(double v) { return v > 0; }
bool oltreUno(double v) { return v > 1; }
bool almenoUno(double v) { return v >= 1; }
bool almenoZero(double v) { return v >= 0; }
bool oltreDieci(double v) { return v > 10; }
bool picchetti(double v) { return v >= 3 && v <= 254; }
bool righePunti(double v) { return v >= 2 && v < 30000; }
bool righe(double v) { return v >= 1 && v < 30000; }
bool zeroOUno(double v) { return v == 0 || v == 1; }

struct Key {
    const char* name;
    Kind kind;
    std::variant<float Impostazioni::*, int32_t Impostazioni::*, uint8_t Impostazioni::*, bool Impostazioni::*> member;
    Ammesso ammesso = qualsiasi;
};

const Key kKeys[] = {
    {"AngoloPiatto", Kind::Float, &Impostazioni::AngoloPiatto, positivo},
    {"fattoreScalaPlot", Kind::Float, &Impostazioni::fattoreScalaPlot},
    {"marginePlotSinistro", Kind::Float, &Impostazioni::marginePlotSinistro},
    {"marginePlotSuperiore", Kind::Float, &Impostazioni::marginePlotSuperiore},
    {"DimensioneQuote", Kind::Float, &Impostazioni::DimensioneQuote, oltreUno},
    {"fattoreScalaVolumi", Kind::Float, &Impostazioni::fattoreScalaVolumi},
    {"UtilizzaFileBackUp", Kind::Switch, &Impostazioni::UtilizzaFileBackUp},
    {"AbilitaAutoSave", Kind::Switch, &Impostazioni::AbilitaAutoSave},
    {"IntervalloAutoSave", Kind::Int32, &Impostazioni::IntervalloAutoSave, oltreUno},
    {"IntervalloVertexPLine", Kind::Int16, &Impostazioni::IntervalloVertexPLine, almenoUno},
    {"RaggioMinimoCurve", Kind::Float, &Impostazioni::RaggioMinimoCurve, almenoUno},
    {"PicchettiCurva", Kind::Byte, &Impostazioni::PicchettiCurva, picchetti},
    {"numeroPuntiPianoQDefault", Kind::Int16, &Impostazioni::numeroPuntiPianoQDefault, righe},
    {"numPuntiTerrenoDefault", Kind::Int16, &Impostazioni::numPuntiTerrenoDefault, righePunti},
    {"numSezioniProfiloDefault", Kind::Int16, &Impostazioni::numSezioniProfiloDefault, righe},
    {"numeroCurveProfiloDefault", Kind::Int16, &Impostazioni::numeroCurveProfiloDefault, almenoZero},
    {"numeroPuntiPoligoDefault", Kind::Int16, &Impostazioni::numeroPuntiPoligoDefault, righe},
    {"numeroPuntiTriangolDefault", Kind::Int16, &Impostazioni::numeroPuntiTriangolDefault, righe},
    {"SezioniPerColonnaDXF", Kind::Int16, &Impostazioni::SezioniPerColonnaDXF, almenoUno},
    {"InterasseColonnaDXF", Kind::Float, &Impostazioni::InterasseColonnaDXF, positivo},
    {"IntervalloColonnaDXF", Kind::Float, &Impostazioni::IntervalloColonnaDXF, oltreDieci},
    {"LarghezzaDefaultStrada", Kind::Float, &Impostazioni::LarghezzaDefaultStrada, oltreUno},
    {"UsaLarghezzaIndividuale", Kind::Byte, &Impostazioni::UsaLarghezzaIndividuale, zeroOUno},
    {"InclinazioneScarpataSterro", Kind::Float, &Impostazioni::InclinazioneScarpataSterro, positivo},
    {"InclinazioneScarpataRiporto", Kind::Float, &Impostazioni::InclinazioneScarpataRiporto, positivo},
    {"MuroSezione", Kind::Switch, &Impostazioni::MuroSezione},
    {"DistazaRicercaIntersezioni", Kind::Float, &Impostazioni::DistazaRicercaIntersezioni, positivo},
    {"MantieniQuoteDraw", Kind::Switch, &Impostazioni::MantieniQuoteDraw},
    {"AdattaScalaPlot", Kind::Switch, &Impostazioni::AdattaScalaPlot},
    {"DistazaMinimaSezioni", Kind::Float, &Impostazioni::DistazaMinimaSezioni, almenoUno},
    {"IntervalloSezioniRegolari", Kind::Float, &Impostazioni::IntervalloSezioniRegolari, almenoZero},
    {"FattoreRigonfiamento", Kind::Float, &Impostazioni::FattoreRigonfiamento, positivo},
    {"FattoreCostipamento", Kind::Float, &Impostazioni::FattoreCostipamento, positivo},
    {"DistanzaTrasportoFranco", Kind::Float, &Impostazioni::DistanzaTrasportoFranco, almenoZero},
    {"DistanzaTrasportoEconomico", Kind::Float, &Impostazioni::DistanzaTrasportoEconomico, almenoZero},
    {"RapportoCostoPrestitoTrasporto", Kind::Float, &Impostazioni::RapportoCostoPrestitoTrasporto, almenoZero},
};
constexpr int kKeyCount = sizeof kKeys / sizeof kKeys[0];
static_assert(kKeyCount == 36);  // the 30 original keys, then the earthwork keys

std::string_view senzaSpazi(std::string_view t) {
    while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    return t;
}

bool parseInto(Impostazioni& s, const Key& k, std::string_view text) {
    switch (k.kind) {
    case Kind::Float: {
        float v;
        if (!leggiFloat(text, v) || !k.ammesso(v)) return false;
        s.*std::get<float Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Int32: {
        int32_t v;
        if (!leggiIntero32(text, v) || !k.ammesso(v)) return false;
        s.*std::get<int32_t Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Int16: {
        int16_t v;
        if (!leggiIntero16(text, v) || !k.ammesso(v)) return false;
        s.*std::get<int32_t Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Byte: {
        uint8_t v;
        if (!leggiByte(text, v) || !k.ammesso(v)) return false;
        s.*std::get<uint8_t Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Switch: {
        bool v;
        const std::string_view t = senzaSpazi(text);
        if (t == "-1" || t == "True" || t == "true" || t == "TRUE")
            v = true;
        else if (t == "0" || t == "False" || t == "false" || t == "FALSE")
            v = false;
        else
            return false;
        s.*std::get<bool Impostazioni::*>(k.member) = v;
        return true;
    }
    }
    return false;
}

std::string format(const Impostazioni& s, const Key& k) {
    switch (k.kind) {
    case Kind::Float: return testoNumero(s.*std::get<float Impostazioni::*>(k.member));
    case Kind::Int32:
    case Kind::Int16: return std::to_string(s.*std::get<int32_t Impostazioni::*>(k.member));
    case Kind::Byte: return std::to_string(s.*std::get<uint8_t Impostazioni::*>(k.member));
    case Kind::Switch: return s.*std::get<bool Impostazioni::*>(k.member) ? "-1" : "0";
    }
    return {};
}

}  // namespace

Impostazioni caricaImpostazioni(const SettingsStore& store) {
    Impostazioni s;
    for (const Key& k : kKeys) {
        std::optional<std::string> v = store.leggi(k.name);
        if (v) parseInto(s, k, *v);  // nonsense keeps the default
    }
    return s;
}

void salvaImpostazioni(SettingsStore& store, const Impostazioni& s) {
    for (const Key& k : kKeys) store.scrivi(k.name, format(s, k));
}

bool impostaChiave(Impostazioni& s, std::string_view key, std::string_view value) {
    for (const Key& k : kKeys)
        if (key == k.name) return parseInto(s, k, value);
    return false;
}

const char* const* nomiChiavi(int* count) {
    static const char* names[kKeyCount];
    for (int i = 0; i < kKeyCount; ++i) names[i] = kKeys[i].name;
    if (count) *count = kKeyCount;
    return names;
}

}  // namespace carvela
