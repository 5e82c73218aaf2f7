// Throughput and peak memory of the DXF reader on a 100 MB contour drawing, next to plain
// line scanners that only read and trim the same lines: std::getline on a stream, and one
// buffer scanned with memchr; and next to the getline scanner that also makes one empty
// entity record per keyword line, the memory the reader cannot do without (the records are
// 152 bytes each). At the end the ratios of the reader to each are printed.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <new>
#include <string>

#include "dxf/dxf_reader.h"
#include "dxf_contour_generator.h"
#include "state/silent_host.h"

// ---- heap accounting: every allocation of the process goes through these ----
namespace {
std::atomic<std::size_t> gInUso{0}, gPicco{0};

void* prendi(std::size_t n) {
    void* p = std::malloc(n ? n : 1);
    if (!p) throw std::bad_alloc();
    const std::size_t ora = gInUso.fetch_add(malloc_usable_size(p)) + malloc_usable_size(p);
    std::size_t picco = gPicco.load();
    while (ora > picco && !gPicco.compare_exchange_weak(picco, ora)) {
    }
    return p;
}
void libera(void* p) {
    if (!p) return;
    gInUso.fetch_sub(malloc_usable_size(p));
    std::free(p);
}
}  // namespace

void* operator new(std::size_t n) { return prendi(n); }
void* operator new[](std::size_t n) { return prendi(n); }
void operator delete(void* p) noexcept { libera(p); }
void operator delete[](void* p) noexcept { libera(p); }
void operator delete(void* p, std::size_t) noexcept { libera(p); }
void operator delete[](void* p, std::size_t) noexcept { libera(p); }

namespace {

constexpr std::size_t kByte = 100u << 20;

std::string_view trim(std::string_view r) {
    while (!r.empty() && (r.back() == ' ' || r.back() == '\r' || r.back() == '\t')) r.remove_suffix(1);
    while (!r.empty() && (r.front() == ' ' || r.front() == '\t')) r.remove_prefix(1);
    return r;
}

void contatori(benchmark::State& state, std::size_t byteFile) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * byteFile));
    state.counters["picco_MB"] = static_cast<double>(gPicco.load()) / (1 << 20);
    state.counters["picco_su_file"] = static_cast<double>(gPicco.load()) / static_cast<double>(byteFile);
}

void RigheGetline(benchmark::State& state) {
    const std::string path = carvela::bench::fileCurveDxf(kByte);
    const auto byte = std::filesystem::file_size(path);
    gPicco = gInUso.load();
    for (auto _ : state) {
        std::ifstream f(path, std::ios::binary);
        std::string riga;
        std::size_t somma = 0;
        while (std::getline(f, riga)) somma += trim(riga).size();
        benchmark::DoNotOptimize(somma);
    }
    contatori(state, byte);
}

void RigheBuffer(benchmark::State& state) {
    const std::string path = carvela::bench::fileCurveDxf(kByte);
    const auto byte = std::filesystem::file_size(path);
    gPicco = gInUso.load();
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        std::string testo(byte, '\0');
        testo.resize(std::fread(testo.data(), 1, testo.size(), f));
        std::fclose(f);
        std::size_t somma = 0;
        const char* p = testo.data();
        const char* fine = p + testo.size();
        while (p < fine) {
            const char* a = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(fine - p)));
            const char* e = a ? a : fine;
            somma += trim(std::string_view(p, static_cast<std::size_t>(e - p))).size();
            p = a ? a + 1 : fine;
        }
        benchmark::DoNotOptimize(somma);
    }
    contatori(state, byte);
}

bool parolaChiave(std::string_view r) {
    return r == "POLYLINE" || r == "VERTEX" || r == "SEQEND" || r == "LINE" || r == "POINT" || r == "CIRCLE" ||
           r == "ARC" || r == "TEXT" || r == "$LIMMIN" || r == "$LIMMAX";
}

void RigheERecord(benchmark::State& state) {
    const std::string path = carvela::bench::fileCurveDxf(kByte);
    const auto byte = std::filesystem::file_size(path);
    std::size_t parole = 0;
    {
        std::ifstream f(path, std::ios::binary);
        for (std::string riga; std::getline(f, riga);) parole += parolaChiave(trim(riga));
    }
    gPicco = gInUso.load();
    for (auto _ : state) {
        std::ifstream f(path, std::ios::binary);
        std::vector<carvela::DxfEntity> lista;
        lista.reserve(parole + 1);
        lista.emplace_back();
        for (std::string riga; std::getline(f, riga);) {
            const std::string_view r = trim(riga);
            if (!r.empty() && r[0] >= 'A' && parolaChiave(r)) lista.emplace_back().Nome = r;
        }
        benchmark::DoNotOptimize(lista.data());
    }
    contatori(state, byte);
}

void LettoreDxf(benchmark::State& state) {
    const std::string path = carvela::bench::fileCurveDxf(kByte);
    const auto byte = std::filesystem::file_size(path);
    carvela::HostMuto host;
    gPicco = gInUso.load();
    int32_t entita = 0;
    for (auto _ : state) {
        carvela::VbArray<carvela::DxfEntity> disegno;
        carvela::LimitiDxf limiti;
        if (!carvela::leggiFileDxf(path, disegno, limiti, host)) state.SkipWithError("file non letto");
        entita = disegno.upperBound();
        benchmark::DoNotOptimize(disegno);
    }
    contatori(state, byte);
    state.counters["entita"] = entita;
    state.counters["byte_per_entita"] = static_cast<double>(sizeof(carvela::DxfEntity));
}

// Prints the ratios of the reader to the two scanners once every run is in.
class RapportoReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            auto it = r.counters.find("bytes_per_second");
            if (it != r.counters.end()) velocita_[r.benchmark_name()] = it->second;
            auto p = r.counters.find("picco_MB");
            if (p != r.counters.end()) picco_[r.benchmark_name()] = p->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        auto trova = [&](const std::map<std::string, double>& m, const std::string& prefisso) {
            for (const auto& [nome, v] : m)
                if (nome.rfind(prefisso, 0) == 0) return v;
            return 0.0;
        };
        const double lettore = trova(velocita_, "LettoreDxf"), getline = trova(velocita_, "RigheGetline"),
                     buffer = trova(velocita_, "RigheBuffer"), record = trova(velocita_, "RigheERecord");
        if (lettore <= 0) return;
        std::printf("\nLettore DXF: %.0f MB/s, picco %.0f MB\n", lettore / (1 << 20), trova(picco_, "LettoreDxf"));
        if (getline > 0)
            std::printf("  rispetto a getline + trim  (%.0f MB/s): %.2f volte il tempo\n", getline / (1 << 20),
                        getline / lettore);
        if (buffer > 0)
            std::printf("  rispetto a buffer + memchr (%.0f MB/s): %.2f volte il tempo\n", buffer / (1 << 20),
                        buffer / lettore);
        if (record > 0)
            std::printf("  rispetto a getline + record vuoti (%.0f MB/s): %.2f volte il tempo\n", record / (1 << 20),
                        record / lettore);
    }

private:
    std::map<std::string, double> velocita_, picco_;
};

}  // namespace

BENCHMARK(RigheGetline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RigheBuffer)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(RigheERecord)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(LettoreDxf)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RapportoReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
