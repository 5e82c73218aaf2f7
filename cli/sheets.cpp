// carvela-cli sheets PROJECT.pln OUT.pdf [--sections 200] [--profile 1000:100] [--paper A3|A4]:
// the cross-sections and the profile of a road project on sheets at scale, as one PDF.
#include "graphics/sheets.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "graphics/pdf_writer.h"
#include "project/project_files.h"
#include "project/records.h"

namespace carvela::cli {
namespace {

int uso() {
    std::cerr
        << "Uso: carvela-cli sheets PROGETTO.pln USCITA.pdf [--sections 100|200|0] [--profile 1000:100|2000:200|0]\n"
           "                 [--paper A3|A4]\n";
    return 2;
}

}  // namespace

int sheets(const Argomenti& args) {
    std::vector<std::string> posizionali;
    OpzioniTavole o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool haValore = i + 1 < args.size();
        if (a == "--sections" && haValore) {
            const std::string v = args[++i];
            if (v == "0")
                o.scalaSezioni = 0;
            else if (!leggiScalaSezioni(v, o.scalaSezioni)) {
                std::cerr << "sheets: scala delle sezioni non valida: " << v << " (per esempio 100 o 200)\n";
                return 2;
            }
        } else if (a == "--profile" && haValore) {
            const std::string v = args[++i];
            if (v == "0")
                o.scalaOrizzontale = o.scalaVerticale = 0;
            else if (!leggiScaleProfilo(v, o.scalaOrizzontale, o.scalaVerticale)) {
                std::cerr << "sheets: scale del profilo non valide: " << v
                          << " (lunghezze:altezze, per esempio 1000:100 o 2000:200)\n";
                return 2;
            }
        } else if (a == "--paper" && haValore) {
            const std::string v = args[++i];
            if (v == "A3" || v == "a3")
                o.formatoA3 = true;
            else if (v == "A4" || v == "a4")
                o.formatoA3 = false;
            else {
                std::cerr << "sheets: formato del foglio non valido: " << v << " (A3 o A4)\n";
                return 2;
            }
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "Opzione sconosciuta: " << a << ".\n";
            return uso();
        } else {
            posizionali.push_back(a);
        }
    }
    if (posizionali.size() != 2) return uso();
    Planimetria piano;
    VbArray<Sezione> sezioni;
    TabellaPaleggi paleggi;
    Profilo profilo;
    if (!leggiFilePiano(posizionali[0], piano, sezioni, paleggi, profilo)) {
        std::cerr << "Errore di apertura del file " << posizionali[0] << ".\n";
        return 1;
    }
    o.progetto = std::filesystem::path(posizionali[0]).stem().string();
    o.data = dataOdierna();
    PdfWriter pdf;
    pdf.titolo("Tavole di " + o.progetto);
    const EsitoTavole esito = disegnaTavole(pdf, sezioni, profilo, o);
    if (!esito.errore.empty()) {
        std::cerr << esito.errore << '\n';
        return 1;
    }
    for (const std::string& a : esito.avvisi) std::cerr << a << '\n';
    const std::string errore = pdf.salva(posizionali[1]);
    if (!errore.empty()) {
        std::cerr << errore << '\n';
        return 1;
    }
    std::cout << "Tavole: " << esito.fogliSezioni << " fogli di sezioni, " << esito.fogliProfilo
              << " fogli di profilo: " << posizionali[1] << '\n';
    return 0;
}

}  // namespace carvela::cli
