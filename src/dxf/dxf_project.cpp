#include "dxf/dxf_project.h"

#include <algorithm>
#include <unordered_set>

#include "dxf/dxf_progress.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

const char* const kTroppeEntita = "Troppe entità selezionate per il tipo di progetto scelto!";
const char* const kNessunaCurva = "Nessuna curva di livello ricavata dalle entità selezionate!";
const char* const kNessunaEntita = "Nessuna entità selezionata per il tipo di progetto scelto!";
const char* const kCriterioVuoto = "Nessun valore disponibile per il criterio di riconoscimento scelto!";
const char* const kTutteAZero =
    "Le curve di livello ricavate sono tutte a quota zero: il disegno non porta le quote delle curve!";

// The largest selections the targets hold: 16-bit counts, and a section's gradient table
// grows with the square of its points.
constexpr int32_t kMassimoStazioni = 32767;
constexpr int32_t kMassimoTriangoli = 32765;
constexpr int32_t kMassimoPuntiSezione = 5000;

bool passaTipo(const std::string& nome, const std::string& tipo) {
    if (tipo == "POLYLINE") return nome == "POLYLINE" || nome == "VERTEX" || nome == "SEQEND";
    return nome == tipo;
}

bool verticeContorno(const DxfEntity& e) { return e.FlagVertice == 8 || e.FlagVertice == 32; }

ContourSegment segmentoTra(const DxfEntity& a, const DxfEntity& b) { return {a.X1, a.Y1, a.Z1, b.X1, b.Y1, b.Z1}; }

void aggiungiCurva(VbArray<VbArray<ContourSegment>>& curve, std::vector<ContourSegment>& segmenti) {
    if (segmenti.empty()) return;
    segmenti.insert(segmenti.begin(), ContourSegment{});  // position 0 unused
    VbArray<ContourSegment> curva;
    curva.assignRaw(std::move(segmenti));
    curve.raw().push_back(std::move(curva));
    segmenti.clear();
}

// Contour lines, vertices (segment starts plus the end of each line) and elevation range.
void misuraCurve(const VbArray<VbArray<ContourSegment>>& curve, RiconoscimentoDxf& r) {
    r.curve = std::max(0, curve.upperBound());
    bool prima = true;
    for (int32_t c = 1; c <= curve.upperBound(); ++c) {
        const auto& linea = curve[c];
        r.vertici += linea.upperBound() + 1;
        for (int32_t k = 1; k <= linea.upperBound(); ++k)
            for (float z : {linea[k].z1, linea[k].z2}) {
                if (prima) r.quotaMinima = r.quotaMassima = z, prima = false;
                r.quotaMinima = std::min<double>(r.quotaMinima, z);
                r.quotaMassima = std::max<double>(r.quotaMassima, z);
            }
    }
}

// The records taken from the drawing lie relative to its origin, which the target keeps in its
// own `Origine`; a free text there stays while the drawing lies near 0.
void prendiOrigine(std::string& destinazione, const OrigineProgetto& o) {
    if (!o.nulla() || !leggiOrigine(destinazione).nulla()) destinazione = testoOrigine(o);
}

VbArray<VbArray<ContourSegment>> nuoveCurve() {
    VbArray<VbArray<ContourSegment>> c;
    c.redim(0);
    return c;
}

}  // namespace

AnalisiDxf analizzaDxf(const VbArray<DxfEntity>& disegno, Host* host) {
    AnalisiDxf a;
    const int32_t n = disegno.upperBound();
    if (host) {
        host->mostraAttesa();
        host->CaptionLabel("Analisi del file DXF in corso...");
    }
    BarraDxf barra(host, n, 1000);
    std::unordered_set<std::string> colori, layer, tipi;
    for (int32_t e = 1; e <= n; ++e) {
        const DxfEntity& d = disegno[e];
        if (d.Nome.empty()) continue;  // an empty slot is no entity
        std::string colore = std::to_string(d.Colore);
        if (colori.insert(colore).second) a.colori.push_back({colore, e});
        if (!d.Layer.empty() && layer.insert(d.Layer).second) a.layer.push_back({d.Layer, e});
        if (d.Nome.find('$') == std::string::npos && tipi.insert(d.Nome).second) a.tipi.push_back({d.Nome, e});
        if (e % 1000 == 0) barra.avanza(e);
    }
    if (host) host->chiudiAttesa();
    return a;
}

namespace {

bool passa(const DxfEntity& d, const SceltaDxf& s) {
    if (d.Nome.empty()) return false;
    switch (s.modo) {
    case ModoSelezioneDxf::Colore: return d.Colore == s.colore;
    case ModoSelezioneDxf::Layer: return d.Layer == s.layer;
    case ModoSelezioneDxf::Entita: return passaTipo(d.Nome, s.tipo);
    case ModoSelezioneDxf::Tutte: return true;
    case ModoSelezioneDxf::Combinata: return d.Layer == s.layer && d.Colore == s.colore && passaTipo(d.Nome, s.tipo);
    }
    return false;
}

}  // namespace

namespace {

// The positions in the drawing of the entities that pass, from position 1 (0 unused).
std::vector<int32_t> posizioniScelte(const VbArray<DxfEntity>& disegno, const SceltaDxf& s, Host* host) {
    const int32_t n = disegno.upperBound();
    if (host) host->CaptionLabel("Selezione delle entità in corso...");
    BarraDxf barra(host, n, 1000);
    std::vector<int32_t> scelte(1);
    for (int32_t e = 1; e <= n; ++e) {
        if (passa(disegno[e], s)) scelte.push_back(e);
        if (e % 1000 == 0) barra.avanza(e);
    }
    return scelte;
}

// A selection read in place: the entities of a drawing by their positions, numbered from 1
// as the selection's copy would be.
class VistaScelta {
public:
    VistaScelta(const VbArray<DxfEntity>& d, std::vector<int32_t> p) : disegno_(d), posizioni_(std::move(p)) {}
    int32_t upperBound() const { return static_cast<int32_t>(posizioni_.size()) - 1; }
    const DxfEntity& operator[](int32_t i) const { return disegno_[posizioni_[static_cast<std::size_t>(i)]]; }

private:
    const VbArray<DxfEntity>& disegno_;
    std::vector<int32_t> posizioni_;
};

}  // namespace

VbArray<DxfEntity> selezionaEntitaDxf(const VbArray<DxfEntity>& disegno, const SceltaDxf& s, Host* host) {
    const std::vector<int32_t> scelte = posizioniScelte(disegno, s, host);
    std::vector<DxfEntity> w(1);
    w.reserve(scelte.size());
    for (std::size_t k = 1; k < scelte.size(); ++k) w.push_back(disegno[scelte[k]]);
    VbArray<DxfEntity> out;
    out.assignRaw(std::move(w));
    return out;
}

VbArray<DxfEntity> selezionaEntitaDxf(VbArray<DxfEntity>&& disegno, const SceltaDxf& s, Host* host) {
    std::vector<DxfEntity> w = std::move(disegno.raw());
    disegno = VbArray<DxfEntity>();
    const int32_t n = static_cast<int32_t>(w.size()) - 1;
    if (host) host->CaptionLabel("Selezione delle entità in corso...");
    BarraDxf barra(host, n, 1000);
    if (w.empty()) w.emplace_back();
    w[0] = DxfEntity{};
    std::size_t tenute = 1;
    for (int32_t e = 1; e <= n; ++e) {
        if (passa(w[static_cast<std::size_t>(e)], s)) {
            if (tenute != static_cast<std::size_t>(e)) w[tenute] = std::move(w[static_cast<std::size_t>(e)]);
            ++tenute;
        }
        if (e % 1000 == 0) barra.avanza(e);
    }
    w.resize(tenute);
    VbArray<DxfEntity> out;
    out.assignRaw(std::move(w));
    return out;
}

namespace {

template <class Entita>
VbArray<VbArray<ContourSegment>> curveDaPolilineeDi(const Entita& w, RiconoscimentoDxf* r) {
    VbArray<VbArray<ContourSegment>> curve = nuoveCurve();
    const int32_t m = w.upperBound();
    std::vector<ContourSegment> segmenti;
    int32_t i = 1;
    while (i <= m) {
        // Entities outside a polyline (a selection by colour or layer may hold any kind) are
        // not polyline headers: the next polyline starts at the next POLYLINE.
        if (w[i].Nome != "POLYLINE") {
            ++i;
            continue;
        }
        const bool chiusa5 = w[i].FlagPolilinea == 5;
        int32_t j = i + (chiusa5 ? 3 : 2);
        int32_t ultimo = 0;
        bool conVertici = i + 1 <= m && verticeContorno(w[i + 1]);
        for (; j <= m && w[j].Nome != "SEQEND" && w[j].Nome != "POLYLINE"; ++j) {
            if (!verticeContorno(w[j])) continue;
            conVertici = true;
            segmenti.push_back(segmentoTra(w[j - 1], w[j]));
            ultimo = j;
        }
        if (chiusa5 && ultimo > 0 && i + 2 <= m) segmenti.push_back(segmentoTra(w[ultimo], w[i + 2]));
        const bool piatta = !(w[i].FlagPolilinea & 8) && !segmenti.empty() &&
                            std::all_of(segmenti.begin(), segmenti.end(),
                                        [](const ContourSegment& s) { return s.z1 == 0 && s.z2 == 0; });
        if (piatta) segmenti.clear();
        if (r && piatta) ++r->senzaQuota;
        // A polyline the reader already left without contour vertices was counted there.
        if (r && !piatta && segmenti.empty() && conVertici) ++r->senzaSegmenti;
        aggiungiCurva(curve, segmenti);
        // After the SEQEND; a polyline that lost its SEQEND ends where the next one begins.
        i = j <= m && w[j].Nome == "POLYLINE" ? j : j + 1;
    }
    return curve;
}

template <class Entita>
VbArray<VbArray<ContourSegment>> curveDaLineeDi(const Entita& w) {
    VbArray<VbArray<ContourSegment>> curve = nuoveCurve();
    std::vector<ContourSegment> segmenti;
    float quotaIniziale = 0;
    for (int32_t k = 1; k <= w.upperBound(); ++k) {
        const DxfEntity& e = w[k];
        if (e.Nome != "LINE") continue;
        if (!segmenti.empty() && e.Z1 != quotaIniziale) aggiungiCurva(curve, segmenti);
        segmenti.push_back({e.X1, e.Y1, e.Z1, e.X2, e.Y2, e.Z2});
        quotaIniziale = e.Z1;
    }
    aggiungiCurva(curve, segmenti);
    return curve;
}

}  // namespace

VbArray<VbArray<ContourSegment>> curveDaPolilinee(const VbArray<DxfEntity>& w, RiconoscimentoDxf* r) {
    return curveDaPolilineeDi(w, r);
}

VbArray<VbArray<ContourSegment>> curveDaLinee(const VbArray<DxfEntity>& w) { return curveDaLineeDi(w); }

namespace {

// The conversion of the selection `w` (entities numbered from 1), the waiting shown.
template <class Entita>
EsitoConversioneDxf converti(Workspace& ws, Host& host, const SceltaDxf& s, const Entita& w) {
    const int32_t m = std::max(0, w.upperBound());

    host.CaptionLabel("Conversione in corso...");
    BarraDxf barra(&host, m, 1000);
    auto rifiuta = [&](const char* testo) {
        host.chiudiAttesa();
        host.messaggio(testo);
        return EsitoConversioneDxf::Rifiutata;
    };

    // An empty selection makes nothing: the target keeps what it holds. Contour lines say
    // so below, after their report is made.
    const bool perCurve =
        s.progetto == TipoProgettoDxf::PianoQuotato && s.curveDaPolilinee && (s.tipo == "POLYLINE" || s.tipo == "LINE");
    if (m == 0 && !perCurve) return rifiuta(kNessunaEntita);

    const OrigineProgetto& origine = ws.LetturaDisegno.origine;
    switch (s.progetto) {
    case TipoProgettoDxf::PianoQuotato: {
        const bool daPolilinee = s.curveDaPolilinee && s.tipo == "POLYLINE";
        Planimetria& piano = ws.Piano;
        if (perCurve) {
            host.CaptionLabel("Conversione SPLine in corso...");
            VbArray<VbArray<ContourSegment>> curve;
            RiconoscimentoDxf ric;
            ric.eseguito = true;
            if (daPolilinee) {
                curve = curveDaPolilineeDi(w, &ric);
            } else {
                host.CaptionLabel("Unione delle SPLine in corso...");
                curve = curveDaLineeDi(w);
            }
            barra.avanza(m);
            misuraCurve(curve, ric);
            ws.RiconoscimentoDisegno = ric;
            // No contour line in the selection, or none with an elevation: the plan keeps the
            // ones it had.
            if (curve.upperBound() < 1) return rifiuta(kNessunaCurva);
            if (ric.quotaMinima == 0 && ric.quotaMassima == 0) return rifiuta(kTutteAZero);
            piano.NumeroCurveLivello = curve.upperBound();
            piano.CurveLivello = std::move(curve);
        } else {
            piano.NumeroPunti = m;
            piano.Punti.redim(m);
            piano.PuntiStazione.redim(m);
            for (int32_t i = 1; i <= m; ++i) {
                piano.Punti[i] = {w[i].X1, w[i].Y1, w[i].Z1, 0};
                if (i % 1000 == 0) barra.avanza(i);
            }
        }
        prendiOrigine(piano.Origine, origine);
        host.chiudiAttesa();
        return perCurve ? EsitoConversioneDxf::CurvePiano : EsitoConversioneDxf::PuntiPiano;
    }
    case TipoProgettoDxf::PoligonaleAperta: {
        if (m > kMassimoStazioni) return rifiuta(kTroppeEntita);
        OpenTraverse& p = ws.PoligonaleAperta;
        p.NumeroStazioni = static_cast<int16_t>(m);
        for (VbArray<float>* a :
             {&p.LetturaAzimutale, &p.LetturaZenitale, &p.Riservato, &p.AltezzaStrumentale, &p.AscissaParziale,
              &p.OrdinataParziale, &p.Dislivello, &p.Ascissa, &p.Ordinata, &p.Quota, &p.DistanzaOrizzontale,
              &p.LetturaInferiore, &p.LetturaMedia, &p.LetturaSuperiore})
            a->redim(m);
        for (int32_t i = 1; i <= m; ++i) p.Ascissa[i] = w[i].X1, p.Ordinata[i] = w[i].Y1;
        prendiOrigine(p.Origine, origine);
        host.chiudiAttesa();
        host.apriPagina(Pagina::PoligonaleAperta);
        return EsitoConversioneDxf::Convertita;
    }
    case TipoProgettoDxf::PoligonaleChiusa: {
        if (m > kMassimoStazioni) return rifiuta(kTroppeEntita);
        ClosedTraverse& p = ws.PoligonaleChiusa;
        p.NumeroStazioni = static_cast<int16_t>(m);
        for (VbArray<float>* a :
             {&p.AngoloZenitale, &p.AltezzaStrumentale, &p.AltezzaPrisma, &p.Quota, &p.AngoloMisurato,
              &p.AngoloCompensato, &p.LetturaIndietro, &p.LetturaAvanti, &p.Azimut, &p.Distanza, &p.AscissaParziale,
              &p.OrdinataParziale, &p.Ascissa, &p.Ordinata})
            a->redim(m);
        for (int32_t i = 1; i <= m; ++i) p.Ascissa[i] = w[i].X1, p.Ordinata[i] = w[i].Y1;
        prendiOrigine(p.Origine, origine);
        host.chiudiAttesa();
        host.apriPagina(Pagina::PoligonaleChiusa);
        return EsitoConversioneDxf::Convertita;
    }
    case TipoProgettoDxf::Triangolazione: {
        if (m > kMassimoTriangoli) return rifiuta(kTroppeEntita);
        TriangulationChain& t = ws.Triangolazione;
        t.NumeroTriangoli = static_cast<int16_t>(m);
        t.X.redim(m + 1), t.Y.redim(m + 1);
        t.Azimut.redim(m + 2), t.Distanza.redim(m + 2);
        t.Angolo1.redim(m), t.Angolo2.redim(m), t.Angolo3.redim(m), t.Errore.redim(m);
        for (int32_t i = 1; i <= m; ++i) t.X[i] = w[i].X1, t.Y[i] = w[i].Y1;
        prendiOrigine(t.Origine, origine);
        host.chiudiAttesa();
        host.apriPagina(Pagina::Triangolazione);
        return EsitoConversioneDxf::Convertita;
    }
    case TipoProgettoDxf::Profilo: {
        Profilo& p = ws.Profilo;
        p.NumeroSezioni = m;
        p.NumeroLivellette = 1;
        for (VbArray2<float>* t : {&p.ProgressiveLiv, &p.TerrenoLiv, &p.ProgettoLiv, &p.RosseLiv, &p.TabellaLivellette})
            t->redim(m, 1);
        for (VbArray<float>* a : {&p.ListaSezioni, &p.AscissePassaggio, &p.QuotePassaggio, &p.Progressive,
                                  &p.QuoteTerreno, &p.QuoteProgetto, &p.QuoteRosse, &p.Pendenze})
            a->redim(m);
        for (VbArray<float>* a :
             {&p.AreaTrapezio, &p.AreaTerreno, &p.ListaLivellette, &p.DistanzaPassaggio, &p.QuotaPassaggio})
            a->redim(1);
        if (p.Pendenze.upperBound() < 1) p.Pendenze.redim(1);
        p.PuntiLivelletta.redim(1);
        p.PuntiLivelletta[1] = m;
        for (int32_t i = 1; i <= m; ++i) {
            p.Progressive[i] = w[i].X1;
            p.QuoteTerreno[i] = w[i].Y1;
            p.ProgressiveLiv(i, 1) = w[i].X1;
            p.TerrenoLiv(i, 1) = w[i].Y1;
        }
        host.chiudiAttesa();
        host.apriPagina(Pagina::Profilo);
        return EsitoConversioneDxf::Convertita;
    }
    case TipoProgettoDxf::Sezione: {
        if (m > kMassimoPuntiSezione) return rifiuta(kTroppeEntita);
        Sezione& z = sezioneCorrente(ws);
        z.NumeroPunti = static_cast<int16_t>(m);
        // A new ground has no crossings yet: the old count would outrun the list cleared here.
        z.NumeroIntersezioni = 0;
        for (VbArray<float>* a : {&z.DistanzeTerreno, &z.QuoteTerreno, &z.Intersezioni, &z.PoligonoX, &z.PoligonoZ})
            a->redim(m);
        z.Pendenze.redim(m, m);
        for (int32_t i = 1; i <= m; ++i) z.DistanzeTerreno[i] = w[i].X1, z.QuoteTerreno[i] = w[i].Y1;
        host.chiudiAttesa();
        host.apriPagina(Pagina::Sezione);
        return EsitoConversioneDxf::Convertita;
    }
    }
    host.chiudiAttesa();
    return EsitoConversioneDxf::Rifiutata;
}

}  // namespace

EsitoConversioneDxf convertiDisegnoDxf(Workspace& ws, Host& host, const SceltaDxf& s) {
    host.mostraAttesa();
    if (s.rilasciaDisegno) return converti(ws, host, s, selezionaEntitaDxf(std::move(ws.DxfDrawing), s, &host));
    // The drawing stays: the selection is read where it lies, never copied beside it.
    return converti(ws, host, s, VistaScelta(ws.DxfDrawing, posizioniScelte(ws.DxfDrawing, s, &host)));
}

void ModelloRicavaDxf::analizza(const VbArray<DxfEntity>& disegno, Host* host) {
    analisi_ = analizzaDxf(disegno, host);
    indiceColore = analisi_.colori.empty() ? -1 : 0;
    indiceLayer = analisi_.layer.empty() ? -1 : 0;
    indiceTipo = analisi_.tipi.empty() ? -1 : 0;
}

bool ModelloRicavaDxf::scelta(const VbArray<DxfEntity>& disegno, Host& host, SceltaDxf& out) const {
    auto entita = [&](const std::vector<VoceDxf>& lista, int indice) -> const DxfEntity* {
        if (indice < 0 || indice >= static_cast<int>(lista.size())) return nullptr;
        const int32_t e = lista[static_cast<std::size_t>(indice)].entita;
        return disegno.has(e) ? &disegno[e] : nullptr;
    };
    const DxfEntity* colore = entita(analisi_.colori, indiceColore);
    const DxfEntity* layer = entita(analisi_.layer, indiceLayer);
    const DxfEntity* tipo = entita(analisi_.tipi, indiceTipo);
    // The mode needs its list: with nothing to choose, nothing can be recognised.
    const bool manca = (modo == ModoSelezioneDxf::Colore && !colore) || (modo == ModoSelezioneDxf::Layer && !layer) ||
                       (modo == ModoSelezioneDxf::Entita && !tipo) ||
                       (modo == ModoSelezioneDxf::Combinata && (!colore || !layer || !tipo));
    if (manca) {
        host.messaggio(kCriterioVuoto);
        return false;
    }
    out.progetto = progetto;
    out.modo = modo;
    out.colore = colore ? colore->Colore : 15;
    out.layer = layer ? layer->Layer : std::string();
    out.tipo = tipo ? tipo->Nome : std::string();
    out.curveDaPolilinee = curveDaPolilinee;
    return true;
}

}  // namespace carvela
