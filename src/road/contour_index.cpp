#include "road/contour_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "road/contour_pieces.h"
#include "road/geometry.h"

namespace carvela {
namespace {

int gScansioniComplete = 0;

// A piece over more cells than this is looked at by every query instead.
constexpr int64_t kMaxCellePezzo = 64;
constexpr int32_t kMaxCelleLato = 8192;

// Near-parallel lines get their crossing parameters with a relative error far above the
// rounding of one operation: every search widens by this part of the lengths involved.
constexpr double kMarginePerLunghezza = 1e-3;

}  // namespace

ScansioneCompletaCurve::ScansioneCompletaCurve() { ++gScansioniComplete; }
ScansioneCompletaCurve::~ScansioneCompletaCurve() { --gScansioniComplete; }
bool ScansioneCompletaCurve::attiva() { return gScansioniComplete > 0; }

IndiceCurve::IndiceCurve(const Planimetria& piano) : piano_(&piano) {
    const int32_t curve = std::min(piano.NumeroCurveLivello, piano.CurveLivello.upperBound());
    std::size_t n = 0;
    for (int32_t c = 1; c <= curve; ++c) n += static_cast<std::size_t>(std::max(0, piano.CurveLivello[c].upperBound()));
    pezzi_.reserve(n);
    quotaFinita_.reserve(n);
    double minX = 0, minY = 0, maxX = 0, maxY = 0, grandezza = 0;
    for (int32_t c = 1; c <= curve; ++c) {
        const VbArray<ContourSegment>& curva = piano.CurveLivello[c];
        for (int32_t k = 1; k <= curva.upperBound(); ++k) {
            const ContourSegment& s = curva[k];
            if (pezzi::escluso(s)) continue;
            if (pezzi_.empty()) minX = maxX = s.x1, minY = maxY = s.y1;
            minX = std::min({minX, double{s.x1}, double{s.x2}}), maxX = std::max({maxX, double{s.x1}, double{s.x2}});
            minY = std::min({minY, double{s.y1}, double{s.y2}}), maxY = std::max({maxY, double{s.y1}, double{s.y2}});
            lunghezzaMax_ = std::max(lunghezzaMax_, std::hypot(double{s.x2} - s.x1, double{s.y2} - s.y1));
            pezzi_.push_back(s);
            quotaFinita_.push_back(std::isfinite(s.z1) ? 1 : 0);
        }
    }
    if (pezzi_.empty() || ScansioneCompletaCurve::attiva()) return;
    if (pezzi_.size() >= std::numeric_limits<uint32_t>::max() / 2) return;  // the scan stands in

    grandezza = std::max({std::fabs(minX), std::fabs(maxX), std::fabs(minY), std::fabs(maxY)});
    margine_ = 1e-8 * (1 + grandezza) + 1e-8 * lunghezzaMax_;
    x0_ = minX - margine_, y0_ = minY - margine_, x1_ = maxX + margine_, y1_ = maxY + margine_;
    const double W = x1_ - x0_, H = y1_ - y0_;
    // About two pieces per cell.
    const double m = static_cast<double>(pezzi_.size());
    lato_ = W * H > 0 ? std::sqrt(2 * W * H / m) : 2 * std::max(W, H) / m;
    lato_ = std::max({lato_, W / kMaxCelleLato, H / kMaxCelleLato});
    if (!(lato_ > 0) || !std::isfinite(lato_) || !std::isfinite(W) || !std::isfinite(H)) return;
    nx_ = std::min<int32_t>(kMaxCelleLato + 1, static_cast<int32_t>(W / lato_) + 1);
    ny_ = std::min<int32_t>(kMaxCelleLato + 1, static_cast<int32_t>(H / lato_) + 1);

    // Cells of each piece's box, counted, then filled in piece order: each cell lists its
    // pieces in stored order.
    const std::size_t celle = static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_);
    inizioCella_.assign(celle + 1, 0);
    auto perOgniCella = [&](const ContourSegment& s, auto f) {
        const int32_t i0 = cellaX(std::fmin(s.x1, s.x2) - margine_), i1 = cellaX(std::fmax(s.x1, s.x2) + margine_);
        const int32_t j0 = cellaY(std::fmin(s.y1, s.y2) - margine_), j1 = cellaY(std::fmax(s.y1, s.y2) + margine_);
        if (int64_t{i1 - i0 + 1} * (j1 - j0 + 1) > kMaxCellePezzo) return false;
        for (int32_t j = j0; j <= j1; ++j)
            for (int32_t i = i0; i <= i1; ++i) f(static_cast<std::size_t>(j) * nx_ + i);
        return true;
    };
    for (const ContourSegment& s : pezzi_) perOgniCella(s, [&](std::size_t c) { ++inizioCella_[c + 1]; });
    for (std::size_t c = 0; c < celle; ++c) inizioCella_[c + 1] += inizioCella_[c];
    ids_.resize(inizioCella_[celle]);
    std::vector<uint32_t> riempite(inizioCella_.begin(), inizioCella_.end() - 1);
    for (uint32_t id = 0; id < pezzi_.size(); ++id)
        if (!perOgniCella(pezzi_[id], [&](std::size_t c) { ids_[riempite[c]++] = id; })) grandi_.push_back(id);
    visto_.assign(pezzi_.size(), 0);
}

int32_t IndiceCurve::cellaX(double x) const {
    const double f = std::floor((x - x0_) / lato_);
    if (!(f >= 0)) return 0;
    return f >= nx_ - 1 ? nx_ - 1 : static_cast<int32_t>(f);
}

int32_t IndiceCurve::cellaY(double y) const {
    const double f = std::floor((y - y0_) / lato_);
    if (!(f >= 0)) return 0;
    return f >= ny_ - 1 ? ny_ - 1 : static_cast<int32_t>(f);
}

void IndiceCurve::nuovoTimbro() const {
    if (++timbro_ == 0) {
        std::fill(visto_.begin(), visto_.end(), 0);
        timbro_ = 1;
    }
}

template <class F>
void IndiceCurve::visitaRiga(int32_t j, int32_t i0, int32_t i1, F f) const {
    if (j < 0 || j >= ny_) return;
    i0 = std::max(i0, 0), i1 = std::min(i1, nx_ - 1);
    for (int32_t i = i0; i <= i1; ++i) {
        const std::size_t c = static_cast<std::size_t>(j) * nx_ + i;
        for (uint32_t k = inizioCella_[c]; k < inizioCella_[c + 1]; ++k) {
            const uint32_t id = ids_[k];
            if (visto_[id] == timbro_) continue;
            visto_[id] = timbro_;
            f(id);
        }
    }
}

template <class F>
void IndiceCurve::visitaCorridoio(double ax, double ay, double bx, double by, double margine, F f) const {
    const int32_t j0 = cellaY(std::fmin(ay, by) - margine), j1 = cellaY(std::fmax(ay, by) + margine);
    for (int32_t j = j0; j <= j1; ++j) {
        // The part of the segment within the row's band, widened by the margin.
        const double basso = y0_ + j * lato_ - margine, alto = y0_ + (j + 1) * lato_ + margine;
        double xa = std::fmin(ax, bx), xb = std::fmax(ax, bx);
        if (ay != by) {
            double ta = (basso - ay) / (by - ay), tb = (alto - ay) / (by - ay);
            if (ta > tb) std::swap(ta, tb);
            ta = std::max(ta, 0.0), tb = std::min(tb, 1.0);
            if (ta > tb) continue;
            const double pa = ax + ta * (bx - ax), pb = ax + tb * (bx - ax);
            xa = std::fmin(pa, pb), xb = std::fmax(pa, pb);
        }
        visitaRiga(j, cellaX(xa - margine), cellaX(xb + margine), f);
    }
}

void IndiceCurve::pezziLungo(double ax, double ay, double bx, double by, std::vector<uint32_t>& ids) const {
    ids.clear();
    if (nx_ == 0) {
        ids.resize(pezzi_.size());
        for (uint32_t id = 0; id < ids.size(); ++id) ids[id] = id;
        return;
    }
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
    nuovoTimbro();
    for (uint32_t id : grandi_) visto_[id] = timbro_, ids.push_back(id);
    const double margine = margine_ +
                           1e-6 * (1 + std::max({std::fabs(ax), std::fabs(ay), std::fabs(bx), std::fabs(by)})) +
                           kMarginePerLunghezza * (std::hypot(bx - ax, by - ay) + lunghezzaMax_);
    visitaCorridoio(ax, ay, bx, by, margine, [&](uint32_t id) { ids.push_back(id); });
    std::sort(ids.begin(), ids.end());
}

float IndiceCurve::quota(double x, double y) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return 0;
    if (nx_ == 0) return quotaTerreno(*piano_, x, y);

    // Nearest contour point A, ring by ring of cells around p: the least squared distance,
    // ties to the first stored piece, as the scan finds it; a piece p lies on wins at once.
    bool trovato = false;
    uint32_t vicino = 0, sulla = std::numeric_limits<uint32_t>::max();
    pezzi::Piede migliore;
    auto valuta = [&](uint32_t id) {
        if (!quotaFinita_[id]) return;
        const pezzi::Piede p = pezzi::piede(pezzi_[id], x, y);
        if (p.sulPezzo) {
            sulla = std::min(sulla, id);
        } else if (!trovato || p.d2 < migliore.d2 || (p.d2 == migliore.d2 && id < vicino)) {
            trovato = true;
            migliore = p;
            vicino = id;
        }
    };
    nuovoTimbro();
    for (uint32_t id : grandi_) visto_[id] = timbro_, valuta(id);
    const int32_t ic = cellaX(x), jc = cellaY(y);
    for (int32_t r = 0;; ++r) {
        visitaRiga(jc - r, ic - r, ic + r, valuta);
        if (r > 0) visitaRiga(jc + r, ic - r, ic + r, valuta);
        // The ring's side columns, only while they lie on the grid: once a ring outgrows a
        // long thin grid, walking their rows would make each query quadratic in its length.
        const int32_t jDa = std::max(jc - r + 1, 0), jA = std::min(jc + r - 1, ny_ - 1);
        for (int32_t i : {ic - r, ic + r}) {
            if (i < 0 || i >= nx_) continue;
            for (int32_t j = jDa; j <= jA; ++j) visitaRiga(j, i, i, valuta);
        }
        // Every piece p lies on is listed in p's own cell.
        if (sulla != std::numeric_limits<uint32_t>::max()) return static_cast<float>(pezzi_[sulla].z1);
        // Pieces not seen lie wholly beyond a side of the block of rings that is not the
        // grid's edge, farther than the margin past it.
        double oltre = std::numeric_limits<double>::infinity();
        if (ic - r > 0) oltre = std::min(oltre, x - (x0_ + (ic - r) * lato_));
        if (ic + r < nx_ - 1) oltre = std::min(oltre, x0_ + (ic + r + 1) * lato_ - x);
        if (jc - r > 0) oltre = std::min(oltre, y - (y0_ + (jc - r) * lato_));
        if (jc + r < ny_ - 1) oltre = std::min(oltre, y0_ + (jc + r + 1) * lato_ - y);
        if (oltre == std::numeric_limits<double>::infinity()) break;
        if (trovato && oltre > 0 && migliore.d2 < oltre * oltre) break;
    }
    if (!trovato) return 0;
    const double za = pezzi_[vicino].z1;
    const double ax = migliore.cx, ay = migliore.cy;
    const double ex = x - ax, ey = y - ay;
    if (ex == 0 && ey == 0) return static_cast<float>(za);

    // Next contour point B: the nearest crossing of the line A-p beyond p, found along the
    // line in stretches of growing length from p until the grid ends.
    bool oltre = false;
    double lambda = 0;
    uint32_t prossimo = 0;
    auto incrocio = [&](uint32_t id) {
        double t = 0;
        if (!quotaFinita_[id] || !pezzi::incrocioOltre(pezzi_[id], ax, ay, ex, ey, t)) return;
        if (!oltre || t < lambda || (t == lambda && id < prossimo)) {
            oltre = true;
            lambda = t;
            prossimo = id;
        }
    };
    nuovoTimbro();
    for (uint32_t id : grandi_) visto_[id] = timbro_, incrocio(id);
    const double e = std::hypot(ex, ey), ux = ex / e, uy = ey / e;
    double fino = 0;  // farthest distance from p along the line that the grid can hold
    for (double cx : {x0_, x1_})
        for (double cy : {y0_, y1_}) fino = std::max(fino, std::hypot(cx - x, cy - y));
    const double base =
        margine_ + 1e-6 * (1 + std::max(std::fabs(x), std::fabs(y))) + 1e-8 * e + kMarginePerLunghezza * lunghezzaMax_;
    for (double da = 0, a = lato_;; da = a, a *= 2) {
        const double margine = base + kMarginePerLunghezza * (a + e);
        visitaCorridoio(x + ux * da, y + uy * da, x + ux * a, y + uy * a, margine, incrocio);
        if (oltre && (lambda - 1) * e < a - margine) break;
        if (a > fino + margine || !std::isfinite(a)) break;
    }
    return pezzi::quotaInterpolata(oltre, lambda, za, oltre ? double{pezzi_[prossimo].z1} : 0.0);
}

}  // namespace carvela
