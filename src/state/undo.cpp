#include "state/undo.h"

#include <type_traits>
#include <utility>

#include "state/workspace.h"

namespace carvela {

struct Storia::Passo {
    uint32_t parti = 0;
    uint8_t tipoDocumento = kDocNessuno;
    Planimetria piano;  // only the members of the parts kept
    VbArray<CentroCurva> centri;
    VbArray<Sezione> sezioni;
    int32_t sezioneCorrente = 1;
    ::carvela::Profilo profilo;
    TabellaPaleggi paleggi;
    OpenTraverse aperta;
    ClosedTraverse chiusa;
    TriangulationChain triangolazione;
    VbArray<DxfEntity> dxf;
};

namespace {

constexpr uint32_t kParti[] = {kParteTerreno,  kParteReticolo, kParteTracciato, kParteSezioni,
                               kParteProfilo,  kPartePaleggi,  kParteRilievi,   kParteDxf};

// Calls f(member of the step, member of the workspace) for every member of one part.
template <class P, class W, class F>
void perMembro(uint32_t parte, P& p, W& ws, F&& f) {
    auto& a = p.piano;
    auto& b = ws.Piano;
    switch (parte) {
    case kParteTerreno:
        f(a.NumeroPunti, b.NumeroPunti), f(a.Punti, b.Punti), f(a.PuntiStazione, b.PuntiStazione);
        break;
    case kParteReticolo:
        f(a.SegmentiReticolo, b.SegmentiReticolo), f(a.NumeroCurveLivello, b.NumeroCurveLivello);
        f(a.CurveLivello, b.CurveLivello);
        break;
    case kParteTracciato:
        f(a.Versione, b.Versione), f(a.Origine, b.Origine), f(a.NumeroPuntiAsse, b.NumeroPuntiAsse);
        f(a.Cigli, b.Cigli), f(a.Occupazione, b.Occupazione), f(a.AsseTracciato, b.AsseTracciato);
        f(a.VerticiAsse, b.VerticiAsse), f(a.NumeroIntersezioni, b.NumeroIntersezioni);
        f(a.Intersezioni, b.Intersezioni), f(a.EstremiSezioni, b.EstremiSezioni);
        f(a.SezioniApplicate, b.SezioniApplicate), f(a.ProfiloApplicato, b.ProfiloApplicato);
        f(a.PaleggiApplicati, b.PaleggiApplicati), f(p.centri, ws.CentriCurve);
        break;
    case kParteSezioni: f(p.sezioni, ws.Sezioni), f(p.sezioneCorrente, ws.SezioneCorrente); break;
    case kParteProfilo: f(p.profilo, ws.Profilo); break;
    case kPartePaleggi: f(p.paleggi, ws.Paleggi); break;
    case kParteRilievi:
        f(p.aperta, ws.PoligonaleAperta), f(p.chiusa, ws.PoligonaleChiusa), f(p.triangolazione, ws.Triangolazione);
        break;
    case kParteDxf: f(p.dxf, ws.DxfDrawing); break;
    default: break;
    }
}

void scambia(Storia::Passo& p, Workspace& ws) {
    for (uint32_t parte : kParti)
        if (p.parti & parte) perMembro(parte, p, ws, [](auto& a, auto& b) { std::swap(a, b); });
    std::swap(p.tipoDocumento, ws.TipoDocumento);
}

}  // namespace

Storia::Storia() = default;
Storia::~Storia() = default;

bool Storia::aperto() const { return aperto_ != nullptr; }

void Storia::inizia(const Workspace& ws, uint32_t parti) {
    if (aperto_) concludi(ws);
    aperto_ = std::make_unique<Passo>();
    aperto_->parti = parti | kPartiLeggere;
    aperto_->tipoDocumento = ws.TipoDocumento;
    for (uint32_t parte : kParti)
        if (aperto_->parti & parte) perMembro(parte, *aperto_, ws, [](auto& a, const auto& b) { a = b; });
}

void Storia::concludi(const Workspace& ws) {
    if (!aperto_) return;
    std::unique_ptr<Passo> p = std::move(aperto_);
    for (uint32_t parte : kParti) {
        if (!(p->parti & parte)) continue;
        bool uguale = true;
        perMembro(parte, *p, ws, [&](const auto& a, const auto& b) { uguale = uguale && a == b; });
        if (!uguale) continue;
        p->parti &= ~parte;
        perMembro(parte, *p, ws, [](auto& a, const auto&) { a = std::remove_reference_t<decltype(a)>{}; });
    }
    if (p->parti == 0) return;  // the command changed nothing: no step to undo
    annullabili_.push_back(std::move(p));
    if (annullabili_.size() > kPassiMassimi) annullabili_.pop_front();
    ripetibili_.clear();
}

bool Storia::annulla(Workspace& ws) {
    concludi(ws);
    if (annullabili_.empty()) return false;
    std::unique_ptr<Passo> p = std::move(annullabili_.back());
    annullabili_.pop_back();
    scambia(*p, ws);
    segnaModifica(ws);  // the project differs from the saved one again
    ripetibili_.push_back(std::move(p));
    return true;
}

bool Storia::ripeti(Workspace& ws) {
    concludi(ws);
    if (ripetibili_.empty()) return false;
    std::unique_ptr<Passo> p = std::move(ripetibili_.back());
    ripetibili_.pop_back();
    scambia(*p, ws);
    segnaModifica(ws);
    annullabili_.push_back(std::move(p));
    return true;
}

void Storia::svuota() {
    aperto_.reset();
    annullabili_.clear();
    ripetibili_.clear();
}

PassoStoria::PassoStoria(Workspace& ws, uint32_t parti) : ws_(ws) {
    if (ws_.storia && !ws_.storia->aperto()) ws_.storia->inizia(ws_, parti);
    else attivo_ = false;
}

PassoStoria::~PassoStoria() {
    if (attivo_ && ws_.storia) ws_.storia->concludi(ws_);
}

int64_t partiComando(std::string_view nome) {
    // What each changing command may touch beyond the light parts.
    if (nome == "nuovoProgetto") return kTutteLeParti;
    // An open either changes nothing or starts a new history: a copy of the heavy parts
    // (the imported drawing above all) would only double them while the file is read.
    if (nome == "apriFileProg") return 0;
    if (nome == "ImportDXFin") return kParteDxf | kParteTerreno | kParteReticolo;
    if (nome == "reticolaPiano") return kParteReticolo | kParteTerreno;
    if (nome == "importaOldProfilo" || nome == "risolviSezione" || nome == "RisolviPR" || nome == "assePoligo" ||
        nome == "asseTriangolazione" || nome == "InvertiSM" || nome == "ricavaProfilo")
        return 0;
    return -1;
}

uint32_t partiPagina(Pagina pagina) {
    switch (pagina) {
    case Pagina::PuntiPiano: return kParteTerreno | kParteReticolo;
    // Making a project of the imported drawing leaves the drawing as it is: a copy of it
    // would only double the memory of a large terrain while the plan is made.
    case Pagina::RicavaDxf: return kTutteLeParti & ~kParteDxf;
    case Pagina::Autocomposizione: return kTutteLeParti;
    default: return 0;
    }
}

}  // namespace carvela
