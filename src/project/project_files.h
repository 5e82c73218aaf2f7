#pragma once
// The six binary project files (.pln .pro .sez .pla .plc .trn): readers and writers.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "project/records.h"

namespace carvela {

enum class TipoFile { Sconosciuto, Pln, Pro, Sez, Pla, Plc, Trn };

// Kind by the last three characters of the name, compared without regard to case.
TipoFile tipoFileDaNome(const std::string& path);

// Whole file as bytes; false when it cannot be opened or read.
bool leggiFileByte(const std::string& path, std::vector<uint8_t>& bytes);

// Writes through a temporary file in the same folder renamed over the target, so a failed
// save never destroys the previous file. With backup, an existing target is first copied
// to the same name with the extension ".BAK". Returns an empty string, or the reason in
// Italian words ("accesso negato", "spazio su disco insufficiente", ...) for a message.
std::string scriviByteAtomico(const std::string& path, std::string_view bytes, bool backup);

// The same, for a file written piece by piece: the pieces go to the temporary file, chiudi()
// renames it over the target. Dropped unclosed, or after a failure, the temporary file goes
// and the target stays as it was.
class FileAtomico {
public:
    explicit FileAtomico(const std::string& path);
    ~FileAtomico();
    FileAtomico(const FileAtomico&) = delete;
    FileAtomico& operator=(const FileAtomico&) = delete;

    // False once anything has failed; the later pieces are not written.
    bool scrivi(std::string_view byte);
    // An empty string, or the reason of the first failure, as scriviByteAtomico says it.
    std::string chiudi(bool backup);

private:
    std::string path_, tmp_, errore_;
    std::FILE* f_ = nullptr;
};

// Raw readers: the record of the file's kind, accepted only with Versione 1 and with every
// stored count agreeing with its lists (stored_counts.h); the destination is left unchanged
// on failure. A damaged file's reason, when there is one to tell, goes to `motivo`.
bool leggiRecord(const std::string& path, Planimetria& dest, std::string* motivo = nullptr);
bool leggiRecord(const std::string& path, Profilo& dest, std::string* motivo = nullptr);
bool leggiRecord(const std::string& path, FileSezioni& dest, std::string* motivo = nullptr);
bool leggiRecord(const std::string& path, OpenTraverse& dest, std::string* motivo = nullptr);
bool leggiRecord(const std::string& path, ClosedTraverse& dest, std::string* motivo = nullptr);
bool leggiRecord(const std::string& path, TriangulationChain& dest, std::string* motivo = nullptr);

// The plan reader of the open command: replaces the plan, then copies its embedded
// sections (1..NumeroIntersezioni), volume table and profile outwards. A plan holding fewer
// sections than NumeroIntersezioni (or any other count that disagrees) is refused and
// changes nothing.
bool leggiFilePiano(const std::string& path, Planimetria& piano, VbArray<Sezione>& sezioni, TabellaPaleggi& paleggi,
                    Profilo& profilo, std::string* motivo = nullptr);
// The sections reader: `sezioni` takes the length of the file's array and its positions
// 1..upper bound; position 0 of `sezioni` is kept; a file with position 0 only changes nothing.
bool leggiFileSezioni(const std::string& path, VbArray<Sezione>& sezioni, std::string* motivo = nullptr);

// Writers: Versione is written as 1 whatever the record holds.
std::string scriviRecord(const std::string& path, const Planimetria& r, bool backup);
std::string scriviRecord(const std::string& path, const Profilo& r, bool backup);
std::string scriviRecord(const std::string& path, const FileSezioni& r, bool backup);
std::string scriviRecord(const std::string& path, const OpenTraverse& r, bool backup);
std::string scriviRecord(const std::string& path, const ClosedTraverse& r, bool backup);
std::string scriviRecord(const std::string& path, const TriangulationChain& r, bool backup);

}  // namespace carvela
