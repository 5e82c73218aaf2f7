#include "plan/mesh.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "state/canvas.h"
#include "state/host.h"
#include "state/view.h"
#include "state/workspace.h"

namespace carvela {
namespace {

// ---- exact arithmetic for the predicates ---------------------------------------------
// The floating-point filters decide almost every case; when the rounding error could
// change the sign, the determinant is computed again exactly on big integers.

class Intero {
public:
    Intero() = default;
    // mantissa * 2^spostamento, spostamento >= 0.
    Intero(int64_t mantissa, int spostamento) {
        negativo_ = mantissa < 0;
        uint64_t m = negativo_ ? static_cast<uint64_t>(-(mantissa + 1)) + 1 : static_cast<uint64_t>(mantissa);
        const int parole = spostamento / 32, bit = spostamento % 32;
        cifre_.assign(static_cast<std::size_t>(parole), 0);
        // Up to 64 + 31 bits of mantissa once shifted.
        unsigned __int128 v = static_cast<unsigned __int128>(m) << bit;
        while (v != 0) {
            cifre_.push_back(static_cast<uint32_t>(v));
            v >>= 32;
        }
        normalizza();
    }
    int segno() const { return cifre_.empty() ? 0 : (negativo_ ? -1 : 1); }

    friend Intero operator+(const Intero& a, const Intero& b) {
        if (a.negativo_ == b.negativo_) return Intero(somma(a.cifre_, b.cifre_), a.negativo_);
        if (confronta(a.cifre_, b.cifre_) >= 0) return Intero(differenza(a.cifre_, b.cifre_), a.negativo_);
        return Intero(differenza(b.cifre_, a.cifre_), b.negativo_);
    }
    friend Intero operator-(const Intero& a, const Intero& b) {
        Intero c = b;
        c.negativo_ = !c.negativo_;
        c.normalizza();
        return a + c;
    }
    friend Intero operator*(const Intero& a, const Intero& b) {
        if (a.cifre_.empty() || b.cifre_.empty()) return Intero();
        std::vector<uint32_t> r(a.cifre_.size() + b.cifre_.size(), 0);
        for (std::size_t i = 0; i < a.cifre_.size(); ++i) {
            uint64_t riporto = 0;
            for (std::size_t j = 0; j < b.cifre_.size(); ++j) {
                const uint64_t t = static_cast<uint64_t>(a.cifre_[i]) * b.cifre_[j] + r[i + j] + riporto;
                r[i + j] = static_cast<uint32_t>(t);
                riporto = t >> 32;
            }
            r[i + b.cifre_.size()] = static_cast<uint32_t>(riporto);
        }
        return Intero(std::move(r), a.negativo_ != b.negativo_);
    }

private:
    Intero(std::vector<uint32_t> cifre, bool negativo) : cifre_(std::move(cifre)), negativo_(negativo) {
        normalizza();
    }
    void normalizza() {
        while (!cifre_.empty() && cifre_.back() == 0) cifre_.pop_back();
        if (cifre_.empty()) negativo_ = false;
    }
    static int confronta(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
        for (std::size_t i = a.size(); i-- > 0;)
            if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
        return 0;
    }
    static std::vector<uint32_t> somma(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        std::vector<uint32_t> r(std::max(a.size(), b.size()) + 1, 0);
        uint64_t riporto = 0;
        for (std::size_t i = 0; i < r.size(); ++i) {
            const uint64_t t = (i < a.size() ? a[i] : 0ull) + (i < b.size() ? b[i] : 0ull) + riporto;
            r[i] = static_cast<uint32_t>(t);
            riporto = t >> 32;
        }
        return r;
    }
    // |a| >= |b|.
    static std::vector<uint32_t> differenza(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
        std::vector<uint32_t> r(a.size(), 0);
        int64_t prestito = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            int64_t t = static_cast<int64_t>(a[i]) - (i < b.size() ? b[i] : 0) - prestito;
            prestito = t < 0;
            if (t < 0) t += int64_t{1} << 32;
            r[i] = static_cast<uint32_t>(t);
        }
        return r;
    }

    std::vector<uint32_t> cifre_;  // magnitude, least significant word first
    bool negativo_ = false;
};

// The coordinates of one predicate as big integers sharing one power of two.
template <std::size_t N>
std::array<Intero, N> interi(const std::array<double, N>& v) {
    std::array<int64_t, N> mantissa{};
    std::array<int, N> esponente{};
    int minimo = 1 << 20;
    for (std::size_t i = 0; i < N; ++i) {
        int e = 0;
        const double f = std::frexp(v[i], &e);
        mantissa[i] = static_cast<int64_t>(std::ldexp(f, 53));
        esponente[i] = e - 53;
        if (mantissa[i] != 0) minimo = std::min(minimo, esponente[i]);
    }
    std::array<Intero, N> out;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = mantissa[i] == 0 ? Intero() : Intero(mantissa[i], esponente[i] - minimo);
    return out;
}

constexpr double kEpsilon = 1.1102230246251565e-16;  // 2^-53
constexpr double kErroreOrientamento = (3.0 + 16.0 * kEpsilon) * kEpsilon;
constexpr double kErroreCerchio = (10.0 + 96.0 * kEpsilon) * kEpsilon;
// Below this the filters' error bounds no longer hold (underflow): decide exactly.
constexpr double kMinimoFiltro = 1e-250;

}  // namespace

int orientamento(double ax, double ay, double bx, double by, double cx, double cy) {
    const double sinistra = (ax - cx) * (by - cy), destra = (ay - cy) * (bx - cx);
    const double det = sinistra - destra;
    const double somma = std::fabs(sinistra) + std::fabs(destra);
    if (std::fabs(det) > kErroreOrientamento * somma && somma > kMinimoFiltro) return det > 0 ? 1 : -1;
    const auto [Ax, Ay, Bx, By, Cx, Cy] = interi<6>({ax, ay, bx, by, cx, cy});
    return ((Ax - Cx) * (By - Cy) - (Ay - Cy) * (Bx - Cx)).segno();
}

int nelCerchio(double ax, double ay, double bx, double by, double cx, double cy, double dx, double dy) {
    const double adx = ax - dx, ady = ay - dy, bdx = bx - dx, bdy = by - dy, cdx = cx - dx, cdy = cy - dy;
    const double bc = bdx * cdy - cdx * bdy, ca = cdx * ady - adx * cdy, ab = adx * bdy - bdx * ady;
    const double alift = adx * adx + ady * ady, blift = bdx * bdx + bdy * bdy, clift = cdx * cdx + cdy * cdy;
    const double det = alift * bc + blift * ca + clift * ab;
    const double permanente = (std::fabs(bdx * cdy) + std::fabs(cdx * bdy)) * alift +
                              (std::fabs(cdx * ady) + std::fabs(adx * cdy)) * blift +
                              (std::fabs(adx * bdy) + std::fabs(bdx * ady)) * clift;
    if (std::fabs(det) > kErroreCerchio * permanente && permanente > kMinimoFiltro) return det > 0 ? 1 : -1;
    const auto [Ax, Ay, Bx, By, Cx, Cy, Dx, Dy] = interi<8>({ax, ay, bx, by, cx, cy, dx, dy});
    const Intero aX = Ax - Dx, aY = Ay - Dy, bX = Bx - Dx, bY = By - Dy, cX = Cx - Dx, cY = Cy - Dy;
    const Intero r = (aX * aX + aY * aY) * (bX * cY - cX * bY) + (bX * bX + bY * bY) * (cX * aY - aX * cY) +
                     (cX * cX + cY * cY) * (aX * bY - bX * aY);
    return r.segno();
}

namespace {

// ---- divide-and-conquer triangulation on a quad-edge structure -----------------------

class QuadEdge {
public:
    QuadEdge(const std::vector<double>& x, const std::vector<double>& y) : x_(x), y_(y) {}

    static int rot(int e) { return (e & ~3) | ((e + 1) & 3); }
    static int sym(int e) { return (e & ~3) | ((e + 2) & 3); }
    static int rotInv(int e) { return (e & ~3) | ((e + 3) & 3); }
    int onext(int e) const { return next_[static_cast<std::size_t>(e)]; }
    int oprev(int e) const { return rot(onext(rot(e))); }
    int lnext(int e) const { return rot(onext(rotInv(e))); }
    int rprev(int e) const { return onext(sym(e)); }
    int org(int e) const { return org_[static_cast<std::size_t>(e)]; }
    int dest(int e) const { return org(sym(e)); }

    int nuovoLato(int da, int a) {
        const int e = static_cast<int>(next_.size());
        next_.insert(next_.end(), {e, e + 3, e + 2, e + 1});
        org_.insert(org_.end(), {da, -1, a, -1});
        cancellato_.push_back(false);
        return e;
    }
    void unisci(int a, int b) {
        const int alfa = rot(onext(a)), beta = rot(onext(b));
        std::swap(next_[static_cast<std::size_t>(a)], next_[static_cast<std::size_t>(b)]);
        std::swap(next_[static_cast<std::size_t>(alfa)], next_[static_cast<std::size_t>(beta)]);
    }
    int collega(int a, int b) {
        const int e = nuovoLato(dest(a), org(b));
        unisci(e, lnext(a));
        unisci(sym(e), b);
        return e;
    }
    void elimina(int e) {
        unisci(e, oprev(e));
        unisci(sym(e), oprev(sym(e)));
        cancellato_[static_cast<std::size_t>(e >> 2)] = true;
    }
    bool cancellato(int q) const { return cancellato_[static_cast<std::size_t>(q)]; }
    int quanti() const { return static_cast<int>(cancellato_.size()); }
    void riserva(std::size_t lati) {
        next_.reserve(lati * 4);
        org_.reserve(lati * 4);
        cancellato_.reserve(lati);
    }

    bool ccw(int a, int b, int c) const { return orientamento(x_[a], y_[a], x_[b], y_[b], x_[c], y_[c]) > 0; }
    bool aDestra(int p, int e) const { return ccw(p, dest(e), org(e)); }
    bool aSinistra(int p, int e) const { return ccw(p, org(e), dest(e)); }
    bool dentro(int a, int b, int c, int d) const {
        return nelCerchio(x_[a], y_[a], x_[b], y_[b], x_[c], y_[c], x_[d], y_[d]) > 0;
    }

private:
    const std::vector<double>& x_;
    const std::vector<double>& y_;
    std::vector<int> next_, org_;
    std::vector<bool> cancellato_;
};

// Triangulates the sorted distinct vertices lo..hi-1 (at least 2); returns the hull edge
// leaving the leftmost vertex anticlockwise and the one leaving the rightmost clockwise.
std::pair<int, int> triangola(QuadEdge& q, int lo, int hi) {
    const int n = hi - lo;
    if (n == 2) {
        const int a = q.nuovoLato(lo, lo + 1);
        return {a, QuadEdge::sym(a)};
    }
    if (n == 3) {
        const int a = q.nuovoLato(lo, lo + 1), b = q.nuovoLato(lo + 1, lo + 2);
        q.unisci(QuadEdge::sym(a), b);
        if (q.ccw(lo, lo + 1, lo + 2)) {
            q.collega(b, a);
            return {a, QuadEdge::sym(b)};
        }
        if (q.ccw(lo, lo + 2, lo + 1)) {
            const int c = q.collega(b, a);
            return {QuadEdge::sym(c), c};
        }
        return {a, QuadEdge::sym(b)};  // collinear
    }
    const int meta = lo + n / 2;
    auto [ldo, ldi] = triangola(q, lo, meta);
    auto [rdi, rdo] = triangola(q, meta, hi);
    // The lower common tangent of the two halves.
    for (;;) {
        if (q.aSinistra(q.org(rdi), ldi)) {
            ldi = q.lnext(ldi);
        } else if (q.aDestra(q.org(ldi), rdi)) {
            rdi = q.rprev(rdi);
        } else {
            break;
        }
    }
    int base = q.collega(QuadEdge::sym(rdi), ldi);
    if (q.org(ldi) == q.org(ldo)) ldo = QuadEdge::sym(base);
    if (q.org(rdi) == q.org(rdo)) rdo = base;
    // Zip the halves together upwards.
    for (;;) {
        auto valido = [&](int e) { return q.aDestra(q.dest(e), base); };
        int sinistro = q.onext(QuadEdge::sym(base));
        if (valido(sinistro)) {
            while (q.dentro(q.dest(base), q.org(base), q.dest(sinistro), q.dest(q.onext(sinistro)))) {
                const int t = q.onext(sinistro);
                q.elimina(sinistro);
                sinistro = t;
            }
        }
        int destro = q.oprev(base);
        if (valido(destro)) {
            while (q.dentro(q.dest(base), q.org(base), q.dest(destro), q.dest(q.oprev(destro)))) {
                const int t = q.oprev(destro);
                q.elimina(destro);
                destro = t;
            }
        }
        const bool sinistroValido = valido(sinistro), destroValido = valido(destro);
        if (!sinistroValido && !destroValido) break;
        if (!sinistroValido ||
            (destroValido && q.dentro(q.dest(sinistro), q.org(sinistro), q.org(destro), q.dest(destro)))) {
            base = q.collega(destro, QuadEdge::sym(base));
        } else {
            base = q.collega(QuadEdge::sym(base), QuadEdge::sym(sinistro));
        }
    }
    return {ldo, rdo};
}

}  // namespace

MagliaDelaunay triangolaDelaunay(const std::vector<double>& x, const std::vector<double>& y) {
    MagliaDelaunay maglia;
    const std::size_t n = std::min(x.size(), y.size());
    std::vector<int32_t> ordine;
    ordine.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        if (std::isfinite(x[i]) && std::isfinite(y[i])) ordine.push_back(static_cast<int32_t>(i));
    // By x, then y; coinciding points keep the first of them.
    std::stable_sort(ordine.begin(), ordine.end(), [&](int32_t a, int32_t b) {
        return x[a] < x[b] || (x[a] == x[b] && y[a] < y[b]);
    });
    ordine.erase(std::unique(ordine.begin(), ordine.end(),
                             [&](int32_t a, int32_t b) { return x[a] == x[b] && y[a] == y[b]; }),
                 ordine.end());
    if (ordine.size() < 2) return maglia;

    std::vector<double> sx(ordine.size()), sy(ordine.size());
    for (std::size_t i = 0; i < ordine.size(); ++i) {
        sx[i] = x[static_cast<std::size_t>(ordine[i])];
        sy[i] = y[static_cast<std::size_t>(ordine[i])];
    }
    QuadEdge q(sx, sy);
    q.riserva(ordine.size() * 3);
    triangola(q, 0, static_cast<int>(ordine.size()));

    for (int e = 0; e < q.quanti(); ++e) {
        if (q.cancellato(e)) continue;
        int32_t a = ordine[static_cast<std::size_t>(q.org(4 * e))], b = ordine[static_cast<std::size_t>(q.dest(4 * e))];
        maglia.lati.emplace_back(std::min(a, b), std::max(a, b));
        // Each edge has two faces on its sides; a triangle is recorded from its edge whose
        // origin is the smallest of its three vertices.
        for (int lato : {4 * e, QuadEdge::sym(4 * e)}) {
            const int l1 = q.lnext(lato), l2 = q.lnext(l1);
            if (q.lnext(l2) != lato) continue;
            const int v0 = q.org(lato), v1 = q.org(l1), v2 = q.org(l2);
            if (v0 > v1 || v0 > v2 || !q.ccw(v0, v1, v2)) continue;
            maglia.triangoli.push_back({ordine[static_cast<std::size_t>(v0)], ordine[static_cast<std::size_t>(v1)],
                                        ordine[static_cast<std::size_t>(v2)]});
        }
    }
    std::sort(maglia.lati.begin(), maglia.lati.end());
    return maglia;
}

int32_t costruisciReticolo(Planimetria& piano) {
    const int32_t n = std::min(piano.NumeroPunti, piano.Punti.upperBound());
    std::vector<double> x, y;
    x.reserve(static_cast<std::size_t>(std::max(n, 0)));
    y.reserve(x.capacity());
    for (int32_t i = 1; i <= n; ++i) {
        x.push_back(piano.Punti[i].x);
        y.push_back(piano.Punti[i].y);
    }
    const MagliaDelaunay maglia = triangolaDelaunay(x, y);
    const int32_t lati = static_cast<int32_t>(maglia.lati.size());
    piano.SegmentiReticolo.redim(lati);
    for (int32_t k = 0; k < lati; ++k) {
        const PlanPoint& a = piano.Punti[maglia.lati[static_cast<std::size_t>(k)].first + 1];
        const PlanPoint& b = piano.Punti[maglia.lati[static_cast<std::size_t>(k)].second + 1];
        piano.SegmentiReticolo[k + 1] = {a.x, a.y, a.z, b.x, b.y, b.z};
    }
    return lati;
}

void comandoReticolo(Workspace& ws, Canvas& canvas, Host& host) {
    if (ws.TipoDocumento != kDocPianta) {
        host.messaggio("Assenza di dati: nessuna planimetria presa in esame!");
        return;
    }
    if (ws.Piano.NumeroPunti <= 0 || ws.Piano.Punti.upperBound() < 1) {
        host.messaggio("La planimetria non contiene punti!");
        return;
    }
    host.cursoreAttesa(true);
    const int32_t lati = costruisciReticolo(ws.Piano);
    const Vista& v = ws.vista;
    for (int32_t k = 1; k <= lati; ++k) {
        const ContourSegment& s = ws.Piano.SegmentiReticolo[k];
        canvas.line(v.canvasX(s.x1), v.canvasY(s.y1), v.canvasX(s.x2), v.canvasY(s.y2), 15);
    }
    host.cursoreAttesa(false);
}

}  // namespace carvela
