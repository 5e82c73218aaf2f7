#pragma once
// The program's options: keys stored as texts under "Carvela" / "Impostazioni" (the 30
// original keys, then the earthwork keys).
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace carvela {

inline constexpr float kPiGreco = 3.1415929794311523f;  // pi as the program holds it (3.141593)

struct Impostazioni {
    float AngoloPiatto = 3.141593f;
    float fattoreScalaPlot = 100;
    float marginePlotSinistro = 0;
    float marginePlotSuperiore = 0;
    float DimensioneQuote = 4;
    float fattoreScalaVolumi = 10;
    bool UtilizzaFileBackUp = true;
    bool AbilitaAutoSave = true;
    int32_t IntervalloAutoSave = 10;
    int32_t IntervalloVertexPLine = 1;
    float RaggioMinimoCurve = 20;
    uint8_t PicchettiCurva = 8;
    int32_t numeroPuntiPianoQDefault = 200;
    int32_t numPuntiTerrenoDefault = 50;
    int32_t numSezioniProfiloDefault = 200;
    int32_t numeroCurveProfiloDefault = 10;
    int32_t numeroPuntiPoligoDefault = 200;
    int32_t numeroPuntiTriangolDefault = 200;
    int32_t SezioniPerColonnaDXF = 10;
    float InterasseColonnaDXF = 50;
    float IntervalloColonnaDXF = 40;
    float LarghezzaDefaultStrada = 10;
    uint8_t UsaLarghezzaIndividuale = 0;
    float InclinazioneScarpataSterro = 0.7853982f;
    float InclinazioneScarpataRiporto = 2.094395f;
    bool MuroSezione = true;
    float DistazaRicercaIntersezioni = 15;
    bool MantieniQuoteDraw = true;
    bool AdattaScalaPlot = true;
    float DistazaMinimaSezioni = 5;

    // Earthworks. With their defaults every station, volume and file is as without them.
    float IntervalloSezioniRegolari = 0;       // a station at every multiple (m); 0 = none
    float FattoreRigonfiamento = 1;            // swell: loose volume = cut x factor
    float FattoreCostipamento = 1;             // shrink: bank volume = fill / factor
    float DistanzaTrasportoFranco = 0;         // free haul (m)
    float DistanzaTrasportoEconomico = 0;      // limit of economic haul (m); 0 = from the costs
    float RapportoCostoPrestitoTrasporto = 0;  // borrow cost per m3 / overhaul cost per m3 x m (m)

    bool operator==(const Impostazioni&) const = default;
};

// Where the settings live: QSettings in the program, a map in tests and in the batch tool.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> leggi(const std::string& key) const = 0;
    virtual void scrivi(const std::string& key, const std::string& value) = 0;
};

class MapSettingsStore : public SettingsStore {
public:
    std::map<std::string, std::string> valori;
    std::optional<std::string> leggi(const std::string& key) const override {
        auto it = valori.find(key);
        if (it == valori.end()) return std::nullopt;
        return it->second;
    }
    void scrivi(const std::string& key, const std::string& value) override { valori[key] = value; }
};

// Every key with its default; a value that cannot be read as the key's type, or that lies
// outside what the settings window accepts for that key, takes the default.
Impostazioni caricaImpostazioni(const SettingsStore& store);
void salvaImpostazioni(SettingsStore& store, const Impostazioni& s);

// One key set from its stored text (as "--set KEY=VALUE" of the batch tool does).
// False for an unknown key, a value of the wrong type or one outside the key's bounds.
bool impostaChiave(Impostazioni& s, std::string_view key, std::string_view value);

// The names of the keys in the order above.
const char* const* nomiChiavi(int* count);

}  // namespace carvela
