#include "project/project_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "project/serializer.h"

namespace carvela {
namespace fs = std::filesystem;

TipoFile tipoFileDaNome(const std::string& path) {
    if (path.size() < 3) return TipoFile::Sconosciuto;
    std::string ext = path.substr(path.size() - 3);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == "pln") return TipoFile::Pln;
    if (ext == "pro") return TipoFile::Pro;
    if (ext == "sez") return TipoFile::Sez;
    if (ext == "pla") return TipoFile::Pla;
    if (ext == "plc") return TipoFile::Plc;
    if (ext == "trn") return TipoFile::Trn;
    return TipoFile::Sconosciuto;
}

bool leggiFileByte(const std::string& path, std::vector<uint8_t>& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
    return true;
}

std::string scriviByteAtomico(const std::string& path, const std::vector<uint8_t>& bytes, bool backup) {
    fs::path target(path);
    fs::path dir = target.parent_path();
    std::error_code ec;
    if (!dir.empty() && !fs::is_directory(dir, ec)) return "La cartella non esiste: " + dir.string();

    std::random_device rd;
    fs::path tmp = target;
    tmp += ".tmp" + std::to_string(rd() % 1000000);
    {
        std::FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f) return std::string("Impossibile scrivere il file: ") + std::strerror(errno);
        bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        ok = (std::fflush(f) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        if (!ok) {
            fs::remove(tmp, ec);
            return "Errore di scrittura del file: spazio insufficiente o disco non disponibile.";
        }
    }
    if (backup && fs::exists(target, ec)) {
        fs::path bak = target;
        bak.replace_extension(".BAK");
        fs::copy_file(target, bak, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            fs::remove(tmp, ec);
            return "Impossibile creare la copia di backup: " + bak.string();
        }
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return "Impossibile scrivere il file: " + ec.message();
    }
    return {};
}

namespace {

template <class R>
bool leggiVersione1(const std::string& path, R& dest) {
    std::vector<uint8_t> bytes;
    if (!leggiFileByte(path, bytes)) return false;
    R tmp{};
    if (!fromBytes(bytes, tmp) || tmp.Versione != 1) return false;
    dest = std::move(tmp);
    return true;
}

template <class R>
std::string scriviVersione1(const std::string& path, const R& r, bool backup) {
    std::vector<uint8_t> bytes = toBytes(r);
    // Versione is the first member of every stored record.
    bytes[0] = 1;
    bytes[1] = 0;
    return scriviByteAtomico(path, bytes, backup);
}

}  // namespace

bool leggiRecord(const std::string& path, Planimetria& dest) { return leggiVersione1(path, dest); }
bool leggiRecord(const std::string& path, Profilo& dest) { return leggiVersione1(path, dest); }
bool leggiRecord(const std::string& path, FileSezioni& dest) { return leggiVersione1(path, dest); }
bool leggiRecord(const std::string& path, OpenTraverse& dest) { return leggiVersione1(path, dest); }
bool leggiRecord(const std::string& path, ClosedTraverse& dest) { return leggiVersione1(path, dest); }
bool leggiRecord(const std::string& path, TriangulationChain& dest) { return leggiVersione1(path, dest); }

bool leggiFilePiano(const std::string& path, Planimetria& piano, VbArray<Sezione>& sezioni,
                    TabellaPaleggi& paleggi, Profilo& profilo) {
    Planimetria letto;
    if (!leggiRecord(path, letto)) return false;
    piano = std::move(letto);
    // A plan whose embedded sections are fewer than its stations copies those it has.
    int32_t n = std::max<int32_t>(0, piano.NumeroIntersezioni);
    sezioni.redimPreserve(n);
    for (int32_t i = 1; i <= n; ++i) sezioni[i] = piano.SezioniApplicate.get(i);
    paleggi = piano.PaleggiApplicati;
    profilo = piano.ProfiloApplicato;
    return true;
}

bool leggiFileSezioni(const std::string& path, VbArray<Sezione>& sezioni) {
    FileSezioni letto;
    if (!leggiRecord(path, letto)) return false;
    for (int32_t i = 1; i <= letto.Sezioni.upperBound(); ++i) {
        sezioni.ensure(i);
        sezioni[i] = letto.Sezioni[i];
    }
    return true;
}

std::string scriviRecord(const std::string& path, const Planimetria& r, bool backup) { return scriviVersione1(path, r, backup); }
std::string scriviRecord(const std::string& path, const Profilo& r, bool backup) { return scriviVersione1(path, r, backup); }
std::string scriviRecord(const std::string& path, const FileSezioni& r, bool backup) { return scriviVersione1(path, r, backup); }
std::string scriviRecord(const std::string& path, const OpenTraverse& r, bool backup) { return scriviVersione1(path, r, backup); }
std::string scriviRecord(const std::string& path, const ClosedTraverse& r, bool backup) { return scriviVersione1(path, r, backup); }
std::string scriviRecord(const std::string& path, const TriangulationChain& r, bool backup) { return scriviVersione1(path, r, backup); }

}  // namespace carvela
