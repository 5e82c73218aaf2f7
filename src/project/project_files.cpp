#include "project/project_files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "project/serializer.h"
#include "project/stored_counts.h"

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

namespace {

// Why a file operation failed, in words the user understands.
std::string ragione(std::errc codice) {
    switch (codice) {
    case std::errc::permission_denied:
    case std::errc::operation_not_permitted: return "accesso negato";
    case std::errc::read_only_file_system: return "il disco è protetto in scrittura";
    case std::errc::no_space_on_device: return "spazio su disco insufficiente";
    case std::errc::no_such_file_or_directory:
    case std::errc::not_a_directory: return "la cartella non esiste";
    case std::errc::is_a_directory: return "il nome indica una cartella";
    case std::errc::filename_too_long: return "il nome del file è troppo lungo";
    default: return "errore di scrittura sul disco";
    }
}

std::errc codiceErrno() { return static_cast<std::errc>(errno); }

}  // namespace

FileAtomico::FileAtomico(const std::string& path) {
    std::error_code ec;
    fs::path target(path);
    if (target.filename().empty()) {
        errore_ = "il nome del file è vuoto";
        return;
    }
    // Saving through a link replaces the file it points to, not the link.
    if (fs::is_symlink(target, ec)) {
        fs::path reale = fs::weakly_canonical(target, ec);
        if (!ec) target = reale;
    }
    if (fs::is_directory(target, ec)) {
        errore_ = ragione(std::errc::is_a_directory);
        return;
    }
    fs::path dir = target.parent_path();
    if (!dir.empty() && !fs::is_directory(dir, ec)) {
        errore_ = ragione(std::errc::no_such_file_or_directory);
        return;
    }

    // A temporary name of our own in the same folder, never an existing file.
    std::random_device rd;
    fs::path tmp;
    for (int tentativo = 0; tentativo < 20 && f_ == nullptr; ++tentativo) {
        tmp = target;
        tmp += ".tmp" + std::to_string(rd() % 1000000);
        f_ = std::fopen(tmp.c_str(), "wbx");
        if (f_ == nullptr && errno != EEXIST) {
            errore_ = ragione(codiceErrno());
            return;
        }
    }
    if (f_ == nullptr) {
        errore_ = ragione(std::errc::file_exists);
        return;
    }
    path_ = target.string();
    tmp_ = tmp.string();
}

FileAtomico::~FileAtomico() {
    if (!f_) return;
    std::fclose(f_);
    std::error_code ec;
    fs::remove(tmp_, ec);
}

bool FileAtomico::scrivi(std::string_view byte) {
    if (!f_ || !errore_.empty()) return false;
    if (!byte.empty() && std::fwrite(byte.data(), 1, byte.size(), f_) != byte.size()) {
        errore_ = ragione(codiceErrno());
        return false;
    }
    return true;
}

std::string FileAtomico::chiudi(bool backup) {
    if (!f_) return errore_;
    std::error_code ec;
    bool ok = errore_.empty();
    if (std::fflush(f_) != 0 && ok) {
        ok = false;
        errore_ = ragione(codiceErrno());
    }
    if (std::fclose(f_) != 0 && ok) {
        ok = false;
        errore_ = ragione(codiceErrno());
    }
    f_ = nullptr;
    const fs::path target(path_), tmp(tmp_);
    if (!ok) {
        fs::remove(tmp, ec);
        return errore_;
    }
    if (fs::exists(target, ec)) {
        // The new file keeps the permissions of the one it replaces.
        fs::permissions(tmp, fs::status(target, ec).permissions(), ec);
        if (backup) {
            fs::path bak = target;
            bak.replace_extension(".BAK");
            fs::copy_file(target, bak, fs::copy_options::overwrite_existing, ec);
            if (ec) {
                std::error_code ignorato;
                fs::remove(tmp, ignorato);
                return errore_ = "impossibile creare la copia di sicurezza " + bak.string();
            }
        }
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ignorato;
        fs::remove(tmp, ignorato);
        return errore_ = ragione(static_cast<std::errc>(ec.value()));
    }
    return {};
}

std::string scriviByteAtomico(const std::string& path, std::string_view bytes, bool backup) {
    FileAtomico f(path);
    f.scrivi(bytes);
    return f.chiudi(backup);
}

namespace {

template <class R>
bool leggiVersione1(const std::string& path, R& dest, std::string* motivo) {
    std::vector<uint8_t> bytes;
    if (!leggiFileByte(path, bytes)) return false;
    R tmp{};
    if (!fromBytes(bytes, tmp) || tmp.Versione != 1) return false;
    if (std::string errato = conteggiErrati(tmp); !errato.empty()) {
        if (motivo) *motivo = "Il file è danneggiato: " + errato + ".";
        return false;
    }
    dest = std::move(tmp);
    return true;
}

template <class R>
std::string scriviVersione1(const std::string& path, const R& r, bool backup) {
    FileAtomico f(path);
    bool primo = true;
    Writer w([&](std::vector<uint8_t>& blocco) {
        // Versione is the first member of every stored record.
        if (primo) blocco[0] = 1, blocco[1] = 0, primo = false;
        f.scrivi(std::string_view(reinterpret_cast<const char*>(blocco.data()), blocco.size()));
        blocco.clear();
    });
    w(const_cast<R&>(r));  // the writer only reads
    w.svuota();
    return f.chiudi(backup);
}

}  // namespace

bool leggiRecord(const std::string& path, Planimetria& dest, std::string* motivo) {
    return leggiVersione1(path, dest, motivo);
}
bool leggiRecord(const std::string& path, Profilo& dest, std::string* motivo) {
    return leggiVersione1(path, dest, motivo);
}
bool leggiRecord(const std::string& path, FileSezioni& dest, std::string* motivo) {
    return leggiVersione1(path, dest, motivo);
}
bool leggiRecord(const std::string& path, OpenTraverse& dest, std::string* motivo) {
    return leggiVersione1(path, dest, motivo);
}
bool leggiRecord(const std::string& path, ClosedTraverse& dest, std::string* motivo) {
    return leggiVersione1(path, dest, motivo);
}
bool leggiRecord(const std::string& path, TriangulationChain& dest, std::string* motivo) {
    return leggiVersione1(path, dest, motivo);
}

bool leggiFilePiano(const std::string& path, Planimetria& piano, VbArray<Sezione>& sezioni, TabellaPaleggi& paleggi,
                    Profilo& profilo, std::string* motivo) {
    Planimetria letto;
    // Every station has its section in the file (the reader checks it, so the count can size
    // Sezioni). A plan with no stations has no road yet: its section list may never have been
    // dimensioned.
    if (!leggiRecord(path, letto, motivo)) return false;
    const int32_t n = letto.NumeroIntersezioni;
    piano = std::move(letto);
    sezioni.redimPreserve(n);
    for (int32_t i = 1; i <= n; ++i) sezioni[i] = piano.SezioniApplicate.get(i);
    paleggi = piano.PaleggiApplicati;
    profilo = piano.ProfiloApplicato;
    return true;
}

bool leggiFileSezioni(const std::string& path, VbArray<Sezione>& sezioni, std::string* motivo) {
    FileSezioni letto;
    if (!leggiRecord(path, letto, motivo)) return false;
    // Section by section the list takes the file's length (position 0 stays as it was); a
    // file with position 0 only leaves the list untouched.
    const int32_t n = letto.Sezioni.upperBound();
    if (n < 1) return true;
    sezioni.redimPreserve(n);
    for (int32_t i = 1; i <= n; ++i) sezioni[i] = std::move(letto.Sezioni[i]);
    return true;
}

std::string scriviRecord(const std::string& path, const Planimetria& r, bool backup) {
    return scriviVersione1(path, r, backup);
}
std::string scriviRecord(const std::string& path, const Profilo& r, bool backup) {
    return scriviVersione1(path, r, backup);
}
std::string scriviRecord(const std::string& path, const FileSezioni& r, bool backup) {
    return scriviVersione1(path, r, backup);
}
std::string scriviRecord(const std::string& path, const OpenTraverse& r, bool backup) {
    return scriviVersione1(path, r, backup);
}
std::string scriviRecord(const std::string& path, const ClosedTraverse& r, bool backup) {
    return scriviVersione1(path, r, backup);
}
std::string scriviRecord(const std::string& path, const TriangulationChain& r, bool backup) {
    return scriviVersione1(path, r, backup);
}

}  // namespace carvela
