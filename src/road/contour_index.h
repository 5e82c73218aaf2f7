#pragma once
// A uniform grid over the contour pieces of a plan, so the station search, the ground
// elevation and the section crossings look only at the pieces near them. Every query gives
// exactly what a scan of every piece gives: the pieces in their stored order, the same
// nearest piece with ties to the first stored, so the rules that depend on the order of the
// contour lines keep their results.
#include <cstdint>
#include <vector>

#include "project/records.h"

namespace carvela {

class IndiceCurve {
public:
    // Pieces of length 0 and pieces with coordinates that are not finite are left out: no
    // crossing or elevation ever comes from them. The plan must outlive the index.
    explicit IndiceCurve(const Planimetria& piano);

    // Kept pieces, by position in contour then piece order.
    const ContourSegment& pezzo(uint32_t id) const { return pezzi_[id]; }
    std::size_t numeroPezzi() const { return pezzi_.size(); }

    // Pieces that may cross segment A-B (every piece intersezioneSegmenti can accept, and
    // some more), in stored order.
    void pezziLungo(double ax, double ay, double bx, double by, std::vector<uint32_t>& ids) const;

    // Ground elevation at a plan point: exactly quotaTerreno of the plan.
    float quota(double x, double y) const;

private:
    int32_t cellaX(double x) const;
    int32_t cellaY(double y) const;
    // Adds, once each, the pieces of cells i0..i1 of row j that this query has not seen yet.
    template <class F>
    void visitaRiga(int32_t j, int32_t i0, int32_t i1, F f) const;
    // Pieces near segment A-B within `margine`, each once per query stamp, in no set order.
    template <class F>
    void visitaCorridoio(double ax, double ay, double bx, double by, double margine, F f) const;
    void nuovoTimbro() const;

    const Planimetria* piano_;
    std::vector<ContourSegment> pezzi_;
    std::vector<uint8_t> quotaFinita_;   // pieces without a finite elevation give no ground point
    std::vector<uint32_t> inizioCella_;  // cell c holds ids_[inizioCella_[c], inizioCella_[c+1])
    std::vector<uint32_t> ids_;
    std::vector<uint32_t> grandi_;         // pieces over too many cells, seen by every query
    mutable std::vector<uint32_t> visto_;  // query stamp per piece, to visit each once
    mutable uint32_t timbro_ = 0;
    double x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0, lato_ = 1;
    int32_t nx_ = 0, ny_ = 0;
    double margine_ = 0;       // added to every piece's box: rounding at the coordinates' magnitude
    double lunghezzaMax_ = 0;  // longest piece
};

// While one lives, the road computation scans every contour piece as it did before the
// index: the reference of the tests that compare the two.
class ScansioneCompletaCurve {
public:
    ScansioneCompletaCurve();
    ~ScansioneCompletaCurve();
    ScansioneCompletaCurve(const ScansioneCompletaCurve&) = delete;
    ScansioneCompletaCurve& operator=(const ScansioneCompletaCurve&) = delete;
    static bool attiva();
};

}  // namespace carvela
