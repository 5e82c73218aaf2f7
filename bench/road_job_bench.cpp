// The whole batch road job on a 100 MB contour drawing next to a bare line scanner over the
// same file, both as whole processes in the same run: medians of the wall times, their ratio,
// and the peak resident memory of each (the children's ru_maxrss) against the file size.
//
//   road_job_bench [--mb 100] [--runs 3] [--cli PATH/carvela-cli] [--keep DIR]
//
// The terrain and its axis are made once in the temporary folder; the job's files go to a
// temporary folder removed at the end (or to --keep DIR).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "dxf_contour_generator.h"

namespace {

namespace fs = std::filesystem;

// What a bare C++ reader of the file does: every line read, trimmed and, on value lines,
// its number parsed.
int scansiona(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return 1;
    std::vector<char> buf(1 << 20);
    std::string riga;
    double somma = 0;
    long righe = 0;
    std::size_t n;
    auto chiudi = [&] {
        std::size_t a = 0, b = riga.size();
        while (b > a && (riga[b - 1] == '\r' || riga[b - 1] == ' ')) --b;
        while (a < b && riga[a] == ' ') ++a;
        if (righe % 2 == 1 && b > a) somma += std::strtod(riga.c_str() + a, nullptr);
        ++righe;
        riga.clear();
    };
    while ((n = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
        const char* p = buf.data();
        const char* fine = p + n;
        while (p < fine) {
            const char* a = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(fine - p)));
            if (!a) {
                riga.append(p, fine);
                break;
            }
            riga.append(p, a);
            chiudi();
            p = a + 1;
        }
    }
    if (!riga.empty()) chiudi();
    std::fclose(f);
    std::printf("%ld righe, somma %.3f\n", righe, somma);
    return 0;
}

struct Esito {
    double secondi = 0;
    long piccoKb = 0;
    int stato = -1;
};

// One child process, silent; its wall time and peak resident set.
Esito esegui(const std::vector<std::string>& argomenti) {
    std::vector<char*> argv;
    for (const auto& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto t0 = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        execv(argv[0], argv.data());
        _exit(127);
    }
    Esito e;
    int stato = 0;
    rusage uso{};
    if (pid < 0 || wait4(pid, &stato, 0, &uso) != pid) return e;
    e.secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    e.piccoKb = uso.ru_maxrss;
    e.stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    return e;
}

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--scansiona") == 0) return scansiona(argv[2]);

    std::size_t mb = 100;
    int prove = 3;
    std::string cli = (fs::canonical("/proc/self/exe").parent_path() / "carvela-cli").string();
    std::string tieni;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--mb")
            mb = std::stoul(argv[i + 1]);
        else if (a == "--runs")
            prove = std::max(1, std::stoi(argv[i + 1]));
        else if (a == "--cli")
            cli = argv[i + 1];
        else if (a == "--keep")
            tieni = argv[i + 1];
    }

    const std::string dxf = carvela::bench::fileCurveDxf(mb << 20);
    const auto byte = fs::file_size(dxf);
    // A 2 km axis of six vertices over the hill, in the drawing's true coordinates.
    const std::string asse = (fs::temp_directory_path() / "carvela_asse_bench.txt").string();
    if (std::FILE* f = std::fopen(asse.c_str(), "w")) {
        std::fputs(
            "1511100 5033700\n1511500 5033900\n1511850 5033800\n"
            "1512250 5034050\n1512600 5033950\n1512950 5034200\n",
            f);
        std::fclose(f);
    }
    const std::string uscita =
        tieni.empty() ? (fs::temp_directory_path() / ("carvela_road_bench_" + std::to_string(getpid()))).string()
                      : tieni;

    const std::string self = fs::canonical("/proc/self/exe").string();
    std::vector<double> tScanner, tStrada;
    long picScanner = 0, picStrada = 0;
    for (int i = 0; i < prove; ++i) {
        const Esito s = esegui({self, "--scansiona", dxf});
        const Esito r = esegui({cli, "road", dxf, asse, uscita});
        if (s.stato != 0 || r.stato != 0) {
            std::fprintf(stderr, "Esecuzione non riuscita (scanner %d, carvela-cli %d): %s\n", s.stato, r.stato,
                         cli.c_str());
            return 1;
        }
        tScanner.push_back(s.secondi), tStrada.push_back(r.secondi);
        picScanner = std::max(picScanner, s.piccoKb), picStrada = std::max(picStrada, r.piccoKb);
    }
    if (tieni.empty()) fs::remove_all(uscita);

    const double fileMb = static_cast<double>(byte) / (1 << 20);
    const double ms = mediana(tScanner), mr = mediana(tStrada);
    std::printf("File %s: %.1f MB, %d prove (mediane)\n", dxf.c_str(), fileMb, prove);
    std::printf("  scanner di righe:  %7.3f s  picco %7.1f MB\n", ms, picScanner / 1024.0);
    std::printf("  carvela-cli road:  %7.3f s  picco %7.1f MB (%.2f volte il file)\n", mr, picStrada / 1024.0,
                picStrada * 1024.0 / static_cast<double>(byte));
    std::printf("  rapporto dei tempi: %.1f\n", ms > 0 ? mr / ms : 0.0);
    return 0;
}
