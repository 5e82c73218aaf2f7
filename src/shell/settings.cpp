#include "shell/settings.h"

#include <cstring>
#include <variant>

#include "project/vbtext.h"

namespace carvela {
namespace {

enum class Kind { Float, Int32, Int16, Byte, Switch };

struct Key {
    const char* name;
    Kind kind;
    std::variant<float Impostazioni::*, int32_t Impostazioni::*, uint8_t Impostazioni::*, bool Impostazioni::*> member;
};

const Key kKeys[] = {
    {"AngoloPiatto", Kind::Float, &Impostazioni::AngoloPiatto},
    {"fattoreScalaPlot", Kind::Float, &Impostazioni::fattoreScalaPlot},
    {"marginePlotSinistro", Kind::Float, &Impostazioni::marginePlotSinistro},
    {"marginePlotSuperiore", Kind::Float, &Impostazioni::marginePlotSuperiore},
    {"DimensioneQuote", Kind::Float, &Impostazioni::DimensioneQuote},
    {"fattoreScalaVolumi", Kind::Float, &Impostazioni::fattoreScalaVolumi},
    {"UtilizzaFileBackUp", Kind::Switch, &Impostazioni::UtilizzaFileBackUp},
    {"AbilitaAutoSave", Kind::Switch, &Impostazioni::AbilitaAutoSave},
    {"IntervalloAutoSave", Kind::Int32, &Impostazioni::IntervalloAutoSave},
    {"IntervalloVertexPLine", Kind::Int16, &Impostazioni::IntervalloVertexPLine},
    {"RaggioMinimoCurve", Kind::Float, &Impostazioni::RaggioMinimoCurve},
    {"PicchettiCurva", Kind::Byte, &Impostazioni::PicchettiCurva},
    {"numeroPuntiPianoQDefault", Kind::Int16, &Impostazioni::numeroPuntiPianoQDefault},
    {"numPuntiTerrenoDefault", Kind::Int16, &Impostazioni::numPuntiTerrenoDefault},
    {"numSezioniProfiloDefault", Kind::Int16, &Impostazioni::numSezioniProfiloDefault},
    {"numeroCurveProfiloDefault", Kind::Int16, &Impostazioni::numeroCurveProfiloDefault},
    {"numeroPuntiPoligoDefault", Kind::Int16, &Impostazioni::numeroPuntiPoligoDefault},
    {"numeroPuntiTriangolDefault", Kind::Int16, &Impostazioni::numeroPuntiTriangolDefault},
    {"SezioniPerColonnaDXF", Kind::Int16, &Impostazioni::SezioniPerColonnaDXF},
    {"InterasseColonnaDXF", Kind::Float, &Impostazioni::InterasseColonnaDXF},
    {"IntervalloColonnaDXF", Kind::Float, &Impostazioni::IntervalloColonnaDXF},
    {"LarghezzaDefaultStrada", Kind::Float, &Impostazioni::LarghezzaDefaultStrada},
    {"UsaLarghezzaIndividuale", Kind::Byte, &Impostazioni::UsaLarghezzaIndividuale},
    {"InclinazioneScarpataSterro", Kind::Float, &Impostazioni::InclinazioneScarpataSterro},
    {"InclinazioneScarpataRiporto", Kind::Float, &Impostazioni::InclinazioneScarpataRiporto},
    {"MuroSezione", Kind::Switch, &Impostazioni::MuroSezione},
    {"DistazaRicercaIntersezioni", Kind::Float, &Impostazioni::DistazaRicercaIntersezioni},
    {"MantieniQuoteDraw", Kind::Switch, &Impostazioni::MantieniQuoteDraw},
    {"AdattaScalaPlot", Kind::Switch, &Impostazioni::AdattaScalaPlot},
    {"DistazaMinimaSezioni", Kind::Float, &Impostazioni::DistazaMinimaSezioni},
};
constexpr int kKeyCount = sizeof kKeys / sizeof kKeys[0];
static_assert(kKeyCount == 30);

bool parseInto(Impostazioni& s, const Key& k, std::string_view text) {
    switch (k.kind) {
    case Kind::Float: {
        float v;
        if (!leggiFloat(text, v)) return false;
        s.*std::get<float Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Int32: {
        int32_t v;
        if (!leggiIntero32(text, v)) return false;
        s.*std::get<int32_t Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Int16: {
        int16_t v;
        if (!leggiIntero16(text, v)) return false;
        s.*std::get<int32_t Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Byte: {
        uint8_t v;
        if (!leggiByte(text, v)) return false;
        s.*std::get<uint8_t Impostazioni::*>(k.member) = v;
        return true;
    }
    case Kind::Switch: {
        bool v;
        if (text == "-1" || text == "True" || text == "true") v = true;
        else if (text == "0" || text == "False" || text == "false") v = false;
        else return false;
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
