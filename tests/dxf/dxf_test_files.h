#pragma once
// Small helpers of the DXF tests: DXF text built from (code, value) pairs, temporary files.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <utility>

namespace carvela::test {

// Pairs as a DXF file would hold them, code lines padded as most writers do.
inline std::string dxfDaCoppie(std::initializer_list<std::pair<int, std::string>> coppie, const char* fineRiga = "\n") {
    std::string s;
    for (const auto& [codice, valore] : coppie) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%3d", codice);
        s += buf;
        s += fineRiga;
        s += valore;
        s += fineRiga;
    }
    return s;
}

// A file in the test's own temporary folder, removed with the object.
class FileTemporaneo {
public:
    explicit FileTemporaneo(const std::string& nome, const std::string& contenuto = {}) {
        cartella_ = std::filesystem::temp_directory_path() /
                    ("carvela_dxf_" + std::to_string(::getpid()) + "_" + std::to_string(contatore()++));
        std::filesystem::create_directories(cartella_);
        path_ = (cartella_ / nome).string();
        if (!contenuto.empty()) scrivi(contenuto);
    }
    ~FileTemporaneo() {
        std::error_code ec;
        std::filesystem::remove_all(cartella_, ec);
    }
    FileTemporaneo(const FileTemporaneo&) = delete;
    FileTemporaneo& operator=(const FileTemporaneo&) = delete;

    const std::string& path() const { return path_; }
    std::string cartella() const { return cartella_.string(); }
    void scrivi(const std::string& contenuto) const { std::ofstream(path_, std::ios::binary) << contenuto; }
    std::string leggi() const {
        std::ifstream f(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    }

private:
    static int& contatore() {
        static int n = 0;
        return n;
    }
    std::filesystem::path cartella_;
    std::string path_;
};

// Runs a shell command: its standard output in `uscita`, its exit status returned (-1 when it
// did not exit normally).
inline int esegui(const std::string& comando, std::string& uscita) {
    uscita.clear();
    std::FILE* p = ::popen(comando.c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) uscita.append(buf, n);
    const int stato = ::pclose(p);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

}  // namespace carvela::test
