// The desktop program's memory on the large contour terrain: its main window (offscreen when
// there is no display) imports the drawing, makes the plan of its contour lines with
// "Ricava progetto da DXF", takes the axis from a LandXML alignment and computes the road, all
// through its menu commands and pages, with the dialogs answered by script. After each step
// it prints the peak resident memory so far and its ratio to the file; then the time of a plan
// redraw on the window's canvas, at extent and zoomed in; last, the peak of an open of the
// saved project with the drawing still in memory.
//
//   desktop_memory_bench [--mb 100] AXIS.xml
//
// AXIS.xml is a road's LandXML (progetto.xml of `carvela-cli road --keep` on the same terrain
// with road_job_bench's axis).
#include <sys/resource.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "dxf/ui/ricava_dxf_page.h"
#include "dxf_contour_generator.h"
#include "graphics/redraw.h"
#include "graphics/ui/canvas_widget.h"
#include "shell/commands.h"
#include "shell/ui/main_window.h"
#include "shell/ui/qt_host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace {

double piccoMb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return static_cast<double>(uso.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::size_t mb = 100;
    std::string asse;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mb") == 0 && i + 1 < argc)
            mb = std::strtoul(argv[++i], nullptr, 10);
        else
            asse = argv[i];
    }
    if (asse.empty()) {
        std::fprintf(stderr, "Uso: desktop_memory_bench [--mb 100] ASSE.xml\n");
        return 2;
    }
    const std::string dxf = carvela::bench::fileCurveDxf(mb << 20);
    const double fileMb = static_cast<double>(std::filesystem::file_size(dxf)) / (1 << 20);

    std::setvbuf(stdout, nullptr, _IONBF, 0);
    QApplication app(argc, argv);
    carvela::FinestraPrincipale finestra;
    finestra.resize(1280, 800);
    finestra.show();
    QApplication::processEvents();
    carvela::QtHost& host = finestra.host();
    host.rispostaMessaggio = [](const std::string& testo, carvela::Pulsanti, carvela::Icona) {
        std::fprintf(stderr, "  messaggio: %s\n", testo.c_str());
        return carvela::Risposta::Ok;
    };
    std::string prossimoFile;
    host.rispostaFile = [&](const std::string&, const std::string&) { return prossimoFile; };
    const double avvio = piccoMb();
    auto passo = [&](const char* nome) {
        QApplication::processEvents();
        const double p = piccoMb();
        std::printf("  %-28s picco %7.1f MB (%.2f volte il file)\n", nome, p, p / fileMb);
    };
    std::printf("File %s: %.1f MB; finestra aperta: %.1f MB\n", dxf.c_str(), fileMb, avvio);

    prossimoFile = dxf;
    finestra.comandi().esegui("ImportDXFin");
    passo("Importa file DXF");

    // The page the command opens (as a modal window), shown here without its own loop.
    auto* pagina = dynamic_cast<carvela::PaginaRicavaDxf*>(host.pagina(carvela::Pagina::RicavaDxf));
    if (!pagina) return 1;
    pagina->show();
    pagina->gruppoProgetto()->button(0)->click();
    pagina->gruppoSelezione()->button(2)->click();
    pagina->elenco(2)->setCurrentIndex(pagina->elenco(2)->findText("POLYLINE"));
    pagina->casellaCurve()->setChecked(true);
    pagina->pulsanteRiconosci()->click();
    passo("Ricava progetto da DXF");

    prossimoFile = asse;
    finestra.comandi().esegui("importaAsseLandXML");
    finestra.comandi().esegui("ricavaProfilo");
    const carvela::Workspace& ws = finestra.workspace();
    passo("Risolvi tracciato stradale");
    std::printf("Curve di livello %d, stazioni %d, entità del disegno %d\n", ws.Piano.NumeroCurveLivello,
                ws.Piano.NumeroIntersezioni, ws.DxfDrawing.upperBound());
    const int32_t stazioni = ws.Piano.NumeroIntersezioni;

    // The plan redrawn on the window's canvas, at extent and in a 200 m window in its middle:
    // the median of 5.
    carvela::Workspace& w = finestra.workspace();
    carvela::CanvasWidget& canvas = finestra.canvas();
    auto ridisegni = [&](const char* nome) {
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i) {
            const auto t0 = std::chrono::steady_clock::now();
            carvela::MantieniVista mantieni(w.vista);
            carvela::ridisegna(w, canvas, host);
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
        }
        std::sort(ms.begin(), ms.end());
        std::printf("  pianta sulla finestra, %-16s %7.1f ms\n", nome, ms[2]);
    };
    finestra.comandi().esegui("zoomEstenzione");
    ridisegni("estensione");
    carvela::Vista& v = w.vista;
    const double cx = v.mondoX(canvas.width() / 2.0), cy = v.mondoY(canvas.height() / 2.0);
    v.scala = static_cast<float>(canvas.width() / 200.0);
    v.offsetX = static_cast<float>(canvas.width() / 2.0 - v.scala * cx);
    v.offsetY = static_cast<float>(canvas.height() / 2.0 + v.scala * cy);
    ridisegni("finestra di 200 m");

    // The project saved and opened again, the drawing still in memory: the open reads into a
    // copy of the workspace.
    prossimoFile = (std::filesystem::temp_directory_path() / "carvela_desktop_bench.pln").string();
    finestra.comandi().esegui("salvaConNome");
    passo("Salva progetto");
    prossimoFile = ws.NomeFilePln.empty() ? ws.NomeFilePro : ws.NomeFilePln;
    finestra.comandi().esegui("apriFileProg");
    passo("Apri progetto");
    std::printf("Aperto %s: curve di livello %d, entità del disegno %d\n", prossimoFile.c_str(),
                ws.Piano.NumeroCurveLivello, ws.DxfDrawing.upperBound());
    std::filesystem::remove(prossimoFile);
    return stazioni > 0 ? 0 : 1;
}
