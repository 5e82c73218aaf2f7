// carvela-cli earthwork TABLE.txt [--free-haul M] [--economic-haul M] [--cost-ratio M]
//                       [--swell F] [--shrink F] [--zero-points] [--json]
// Cut and fill volumes, mass ordinates, balance points and haul figures of a plain table of
// sections (progressive, cut area, fill area), without a project.
#include "sections/earthwork.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cli_commands.h"

#ifdef CARVELA_HAVE_JSON
#include <nlohmann/json.hpp>
#endif

namespace carvela::cli {
namespace {

int uso(const std::string& errore) {
    std::cerr << errore
              << "\nUso: carvela-cli earthwork TABELLA.txt [--free-haul M] [--economic-haul M] [--cost-ratio M]\n"
                 "                 [--swell F] [--shrink F] [--zero-points] [--json]\n";
    return 2;
}

bool numero(const std::string& testo, double& v) {
    const char* fine = testo.data() + testo.size();
    const auto [ptr, ec] = std::from_chars(testo.data(), fine, v);
    return ec == std::errc() && ptr == fine && std::isfinite(v);
}

}  // namespace

#ifdef CARVELA_HAVE_JSON
nlohmann::json jsonMovimento(const Movimento& m) {
    nlohmann::json righe = nlohmann::json::array(), tratti = nlohmann::json::array();
    for (const TrattoTerra& t : m.tratti)
        righe.push_back({{"punto_di_passaggio", t.puntoDiPassaggio},
                         {"progressiva", t.progressiva},
                         {"distanza", t.distanza},
                         {"area_sterro", t.areaSterro},
                         {"area_riporto", t.areaRiporto},
                         {"volume_sterro", t.volumeSterro},
                         {"volume_riporto", t.volumeRiporto},
                         {"volume_corretto", t.volumeCorretto},
                         {"ordinata", t.ordinata}});
    auto tratto = [](const TrattoCompensato& t) {
        return nlohmann::json{{"da", t.da},
                              {"a", t.a},
                              {"verso", t.verso},
                              {"chiuso", t.chiuso},
                              {"ordinata_estrema", t.estremo},
                              {"volume_franco", t.volumeFranco},
                              {"volume_oltre_franco", t.volumeOltreFranco},
                              {"trasporto_oltre_franco", t.trasportoOltreFranco},
                              {"momento_trasporto", t.momentoTrasporto},
                              {"rifiuto", t.rifiuto},
                              {"prestito", t.prestito}};
    };
    for (const TrattoCompensato& t : m.compensati) tratti.push_back(tratto(t));
    nlohmann::json corde = nlohmann::json::array();
    for (const CordaDiagramma& c : m.corde)
        corde.push_back({{"da", c.da}, {"a", c.a}, {"ordinata", c.ordinata}, {"economica", c.economica}});
    const TrattoCompensato& t = m.totale;
    return {{"rigonfiamento", m.parametri.rigonfiamento},
            {"costipamento", m.parametri.costipamento},
            {"trasporto_franco", m.parametri.trasportoFranco},
            {"trasporto_economico", m.parametri.trasportoEconomico},
            {"righe", righe},
            {"sterro_totale", m.sterroTotale},
            {"riporto_totale", m.riportoTotale},
            {"sterro_sciolto", m.sterroSciolto},
            {"riporto_in_banco", m.riportoInBanco},
            {"ordinata_finale", m.ordinataFinale},
            {"punti_di_equilibrio", m.puntiEquilibrio},
            {"tratti_compensati", tratti},
            {"corde", corde},
            {"volume_franco", t.volumeFranco},
            {"volume_oltre_franco", t.volumeOltreFranco},
            {"volume_trasportato", t.volumeFranco + t.volumeOltreFranco},
            {"trasporto_oltre_franco", t.trasportoOltreFranco},
            {"momento_trasporto", t.momentoTrasporto},
            {"rifiuto", t.rifiuto},
            {"prestito", t.prestito}};
}
#endif

int earthwork(const Argomenti& args) {
    std::string tabella;
    bool json = false;
    double franco = 0, economico = 0, rapporto = 0;
    ParametriTerra p;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--json" || a == "--zero-points") {
            (a == "--json" ? json : p.puntiDiPassaggio) = true;
            continue;
        }
        double* bersaglio = a == "--free-haul"       ? &franco
                            : a == "--economic-haul" ? &economico
                            : a == "--cost-ratio"    ? &rapporto
                            : a == "--swell"         ? &p.rigonfiamento
                            : a == "--shrink"        ? &p.costipamento
                                                     : nullptr;
        if (bersaglio) {
            if (i + 1 >= args.size() || !numero(args[i + 1], *bersaglio))
                return uso("Valore mancante o non valido per " + a + ".");
            const bool fattore = bersaglio == &p.rigonfiamento || bersaglio == &p.costipamento;
            if (fattore ? !(*bersaglio > 0) : *bersaglio < 0)
                return uso("Valore fuori limiti per " + a + ": " + args[i + 1] + ".");
            ++i;
        } else if (a.rfind("--", 0) == 0 || !tabella.empty()) {
            return uso("Argomento non riconosciuto: " + a + ".");
        } else {
            tabella = a;
        }
    }
    if (tabella.empty()) return uso("Manca la tabella delle sezioni.");

    std::ifstream in(tabella, std::ios::binary);
    if (!in) {
        std::cerr << "Impossibile aprire il file " << tabella << ".\n";
        return 1;
    }
    std::ostringstream testo;
    testo << in.rdbuf();
    std::vector<SezioneTerra> sezioni;
    std::string errore;
    if (!leggiTabellaTerra(testo.str(), sezioni, errore)) {
        std::cerr << tabella << ": " << errore << '\n';
        return 1;
    }
    p.trasportoFranco = franco;
    p.trasportoEconomico = limiteTrasportoEconomico(franco, economico, rapporto);
    if (p.trasportoEconomico > 0 && p.trasportoEconomico < franco)
        return uso("Il limite di trasporto economico è minore della distanza di trasporto franco.");
    const Movimento m = calcolaMovimento(sezioni, p);
    if (json) {
#ifdef CARVELA_HAVE_JSON
        std::cout << jsonMovimento(m).dump(2) << '\n';
#else
        std::cerr << "Uscita JSON non disponibile in questa compilazione.\n";
        return 1;
#endif
    } else {
        std::cout << testoMovimento(m);
    }
    return 0;
}

}  // namespace carvela::cli
