#pragma once
// One description of every stored record (serializza) serves the reader, the writer and
// the size estimate, so the three can never disagree about the byte layout:
//   i16/i32/f32/u8 little-endian; text = u16 length + Windows-1252 bytes;
//   array = u16 dimensions, per dimension u32 count and i32 lower bound, then the elements
//   (first index fastest); a never-dimensioned array is u16 0 alone.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "project/codepage.h"
#include "project/records.h"

namespace carvela {

// ---- the record descriptions -------------------------------------------------------

template <class A>
void serializza(A& a, PlanPoint& p) {
    a(p.x); a(p.y); a(p.z); a(p.riservato);
}
template <class A>
void serializza(A& a, ContourSegment& s) {
    a(s.x1); a(s.y1); a(s.z1); a(s.x2); a(s.y2); a(s.z2);
}
template <class A>
void serializza(A& a, AxisPoint& p) {
    a(p.x); a(p.y); a(p.marca);
}
template <class A>
void serializza(A& a, IntersezioneAsse& p) {
    a(p.x); a(p.y); a(p.z); a(p.k);
}
template <class A>
void serializza(A& a, EstremoSezione& e) {
    a(e.xL); a(e.yL); a(e.xR); a(e.yR);
}
template <class A>
void serializza(A& a, RigaPaleggio& r) {
    a(r.DaSezione); a(r.DaProgressiva); a(r.ASezione); a(r.AProgressiva);
}
template <class A>
void serializza(A& a, Sezione& s) {
    a(s.Nome); a(s.Numero); a(s.Larghezza); a(s.QuotaProgetto); a(s.Progressiva); a(s.NumeroPunti);
    a(s.QuotaTerrenoCiglio); a(s.RossaCiglioSinistro); a(s.RossaCiglioDestro); a(s.RossaAsse);
    a(s.ScostamentoSinistro); a(s.ScostamentoDestro);
    a(s.XPiedeSinistro); a(s.XPiedeDestro); a(s.ZPiedeSinistro); a(s.ZPiedeDestro);
    a(s.Lavoro1); a(s.Lavoro2); a(s.NumeroIntersezioni); a(s.Lavoro3);
    a(s.PresenteSterro); a(s.PresenteRiporto);
    a(s.SommaSterroPezzo); a(s.SommaRiportoPezzo); a(s.AreaRiporto); a(s.AreaSterro);
    a(s.DistanzeTerreno); a(s.QuoteTerreno); a(s.Pendenze); a(s.Intersezioni); a(s.PoligonoX); a(s.PoligonoZ);
}
template <class A>
void serializza(A& a, Profilo& p) {
    a(p.Versione); a(p.Origine); a(p.NumeroSezioni); a(p.NumeroLivellette);
    a(p.ProgressiveLiv); a(p.TerrenoLiv); a(p.ProgettoLiv); a(p.RosseLiv);
    a(p.ListaSezioni); a(p.AscissePassaggio); a(p.QuotePassaggio);
    a(p.Progressive); a(p.QuoteTerreno); a(p.QuoteProgetto); a(p.QuoteRosse);
    a(p.AreaTrapezio); a(p.AreaTerreno); a(p.ListaLivellette); a(p.TabellaLivellette);
    a(p.Pendenze); a(p.PuntiLivelletta); a(p.DistanzaPassaggio); a(p.QuotaPassaggio);
    a(p.QuotaMassima); a(p.QuotaRiferimento); a(p.QuotaMinima); a(p.PrimaSezione); a(p.NumeroCurve);
    a(p.CurvaDa); a(p.CurvaA); a(p.CurvaVerso);
    a(p.CurvaRaggio); a(p.CurvaTangente); a(p.CurvaSviluppo); a(p.CurvaApertura);
    a(p.CurvaPicchetti); a(p.MetodoLivellette);
}
template <class A>
void serializza(A& a, TabellaPaleggi& t) {
    a(t.Versione); a(t.Origine); a(t.Segmenti);
    a(t.AreeSterro); a(t.AreeRiporto); a(t.Ordinate); a(t.ProgressivePunti); a(t.ProgressiveSezioni);
    a(t.NumeroPunti); a(t.ScalaVolumi);
}
template <class A>
void serializza(A& a, Planimetria& p) {
    a(p.Versione); a(p.Origine); a(p.NumeroPunti); a(p.Punti); a(p.SegmentiReticolo);
    a(p.NumeroCurveLivello); a(p.CurveLivello); a(p.PuntiStazione); a(p.NumeroPuntiAsse);
    a(p.Cigli); a(p.Occupazione); a(p.AsseTracciato); a(p.VerticiAsse);
    a(p.NumeroIntersezioni); a(p.Intersezioni); a(p.EstremiSezioni); a(p.SezioniApplicate);
    a(p.ProfiloApplicato); a(p.PaleggiApplicati);
}
template <class A>
void serializza(A& a, FileSezioni& f) {
    a(f.Versione); a(f.Sezioni);
}
template <class A>
void serializza(A& a, OpenTraverse& t) {
    a(t.Versione); a(t.Tipo); a(t.Origine); a(t.NumeroStazioni); a(t.LunghezzaTotale);
    a(t.CostanteDistanziometrica);
    a(t.LetturaAzimutale); a(t.LetturaZenitale); a(t.Riservato); a(t.AltezzaStrumentale);
    a(t.AscissaParziale); a(t.OrdinataParziale); a(t.Dislivello);
    a(t.Ascissa); a(t.Ordinata); a(t.Quota); a(t.DistanzaOrizzontale);
    a(t.LetturaInferiore); a(t.LetturaMedia); a(t.LetturaSuperiore);
}
template <class A>
void serializza(A& a, ClosedTraverse& t) {
    a(t.Versione); a(t.Tipo); a(t.Origine); a(t.NumeroStazioni);
    a(t.SommaAngoli); a(t.Perimetro); a(t.ErroreAscissa); a(t.ErroreOrdinata); a(t.ErroreAngolare);
    a(t.ErroreLineare); a(t.Correzione); a(t.TolleranzaAngolare); a(t.TolleranzaLineare);
    a(t.AngoloZenitale); a(t.AltezzaStrumentale); a(t.AltezzaPrisma); a(t.Quota);
    a(t.AngoloMisurato); a(t.AngoloCompensato); a(t.LetturaIndietro); a(t.LetturaAvanti);
    a(t.Azimut); a(t.Distanza); a(t.AscissaParziale); a(t.OrdinataParziale); a(t.Ascissa); a(t.Ordinata);
}
template <class A>
void serializza(A& a, TriangulationChain& t) {
    a(t.Versione); a(t.Origine); a(t.NumeroTriangoli);
    a(t.Angolo1); a(t.Angolo2); a(t.Angolo3); a(t.Errore); a(t.Azimut); a(t.Distanza); a(t.X); a(t.Y);
}

// ---- the archives ------------------------------------------------------------------

// Smallest number of bytes one serialized T can take; bounds what a file's counts may claim.
class MinSize {
public:
    std::size_t bytes = 0;
    void operator()(int16_t&) { bytes += 2; }
    void operator()(int32_t&) { bytes += 4; }
    void operator()(float&) { bytes += 4; }
    void operator()(uint8_t&) { bytes += 1; }
    void operator()(std::string&) { bytes += 2; }
    template <class T>
    void operator()(VbArray<T>&) { bytes += 2; }
    template <class T>
    void operator()(VbArray2<T>&) { bytes += 2; }
    template <class R>
    void operator()(R& r) { serializza(*this, r); }
};

template <class T>
std::size_t minSerializedSize() {
    MinSize m;
    T value{};
    m(value);
    return m.bytes;
}

class Writer {
public:
    std::vector<uint8_t> out;

    Writer() = default;
    // With a sink, the bytes leave in blocks of about kBlocco as they are made, so a large
    // plan is never held whole in memory; the sink empties the block it is given.
    using Sink = std::function<void(std::vector<uint8_t>&)>;
    static constexpr std::size_t kBlocco = 1 << 16;
    explicit Writer(Sink sink) : sink_(std::move(sink)) { out.reserve(kBlocco + 256); }
    void svuota() {
        if (sink_ && !out.empty()) sink_(out);
    }

    void operator()(int16_t& v) { putInt(static_cast<uint16_t>(v), 2); }
    void operator()(int32_t& v) { putInt(static_cast<uint32_t>(v), 4); }
    void operator()(uint8_t& v) { out.push_back(v); }
    void operator()(float& v) {
        uint32_t bits;
        std::memcpy(&bits, &v, 4);
        putInt(bits, 4);
    }
    void operator()(std::string& s) {
        std::string bytes = utf8ToCp1252(s);
        if (bytes.size() > 0xFFFF) bytes.resize(0xFFFF);
        putInt(static_cast<uint32_t>(bytes.size()), 2);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    template <class T>
    void operator()(VbArray<T>& a) {
        if (!a.isDimensioned()) {
            putInt(0, 2);
            return;
        }
        putInt(1, 2);
        putInt(static_cast<uint32_t>(a.size()), 4);
        putInt(0, 4);
        for (auto& e : a.raw()) element(e), forseSvuota();
    }
    template <class T>
    void operator()(VbArray2<T>& a) {
        if (!a.isDimensioned()) {
            putInt(0, 2);
            return;
        }
        putInt(2, 2);
        putInt(static_cast<uint32_t>(a.count1()), 4);
        putInt(0, 4);
        putInt(static_cast<uint32_t>(a.count2()), 4);
        putInt(0, 4);
        for (auto& e : a.raw()) element(e), forseSvuota();
    }
    template <class R>
    void operator()(R& r) { serializza(*this, r); }

private:
    Sink sink_;
    void forseSvuota() {
        if (sink_ && out.size() >= kBlocco) sink_(out);
    }
    void putInt(uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    // vector<bool>-free element access: T is never bool here.
    template <class T>
    void element(T& e) { (*this)(e); }
};

class Reader {
public:
    Reader(const uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}

    bool ok() const { return ok_; }
    std::size_t remaining() const { return static_cast<std::size_t>(end_ - p_); }

    void operator()(int16_t& v) { v = static_cast<int16_t>(getInt(2)); }
    void operator()(int32_t& v) { v = static_cast<int32_t>(getInt(4)); }
    void operator()(uint8_t& v) { v = static_cast<uint8_t>(getInt(1)); }
    void operator()(float& v) {
        uint32_t bits = getInt(4);
        std::memcpy(&v, &bits, 4);
    }
    void operator()(std::string& s) {
        uint32_t n = getInt(2);
        if (!ok_ || n > remaining()) return fail();
        s = cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(p_), n));
        p_ += n;
    }
    template <class T>
    void operator()(VbArray<T>& a) {
        uint32_t dims = getInt(2);
        if (!ok_) return;
        if (dims == 0) {
            a.erase();
            return;
        }
        if (dims != 1) return fail();
        uint32_t count = getInt(4);
        int32_t lower = static_cast<int32_t>(getInt(4));
        if (!ok_ || lower != 0 || !fits(count, minSerializedSize<T>())) return fail();
        std::vector<T> v(count);
        for (auto& e : v) {
            (*this)(e);
            if (!ok_) return;
        }
        a.assignRaw(std::move(v));
    }
    template <class T>
    void operator()(VbArray2<T>& a) {
        uint32_t dims = getInt(2);
        if (!ok_) return;
        if (dims == 0) {
            a.erase();
            return;
        }
        if (dims != 2) return fail();
        uint32_t n1 = getInt(4);
        int32_t l1 = static_cast<int32_t>(getInt(4));
        uint32_t n2 = getInt(4);
        int32_t l2 = static_cast<int32_t>(getInt(4));
        if (!ok_ || l1 != 0 || l2 != 0 || n1 > 0x7FFFFFFF || n2 > 0x7FFFFFFF) return fail();
        uint64_t total = static_cast<uint64_t>(n1) * n2;
        // With no element at all the other bound costs no bytes, so the file cannot vouch for
        // it: a bound beyond any real table is refused rather than trusted by later loops.
        if (total == 0 && (n1 > kMaxVuoto || n2 > kMaxVuoto)) return fail();
        if (!fits(total, minSerializedSize<T>())) return fail();
        std::vector<T> v(static_cast<std::size_t>(total));
        for (auto& e : v) {
            (*this)(e);
            if (!ok_) return;
        }
        a.assignRaw(static_cast<int32_t>(n1), static_cast<int32_t>(n2), std::move(v));
    }
    template <class R>
    void operator()(R& r) {
        if (ok_) serializza(*this, r);
    }

private:
    static constexpr uint32_t kMaxVuoto = 1u << 20;
    void fail() { ok_ = false; }
    bool fits(uint64_t count, std::size_t minSize) const {
        return count <= 0x7FFFFFFF && count * minSize <= remaining();
    }
    uint32_t getInt(int n) {
        if (!ok_ || remaining() < static_cast<std::size_t>(n)) {
            ok_ = false;
            return 0;
        }
        uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= static_cast<uint32_t>(p_[i]) << (8 * i);
        p_ += n;
        return v;
    }

    const uint8_t* p_;
    const uint8_t* end_;
    bool ok_ = true;
};

// Byte image of a record.
template <class R>
std::vector<uint8_t> toBytes(const R& record) {
    Writer w;
    w(const_cast<R&>(record));  // the writer only reads
    return std::move(w.out);
}

// Reads a whole record from the start of a byte image; false when the bytes are short or
// malformed. Bytes after the record are ignored, as the original reader did.
template <class R>
bool fromBytes(const std::vector<uint8_t>& bytes, R& record) {
    Reader r(bytes.data(), bytes.size());
    R tmp{};
    r(tmp);
    if (!r.ok()) return false;
    record = std::move(tmp);
    return true;
}

}  // namespace carvela
