// The six project files: layout, round trips, and readers that survive any bytes.
#include "project/project_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#include "project/serializer.h"
#include "support/cases.h"
#include "support/sample_records.h"

namespace carvela {
namespace {

namespace fs = std::filesystem;
using campioni::CartellaTemporanea;
using Byte = std::vector<uint8_t>;

void scriviFile(const std::string& path, const Byte& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Byte leggi(const std::string& path) {
    Byte b;
    EXPECT_TRUE(leggiFileByte(path, b));
    return b;
}

// Little-endian values of `larghezza` bytes each, appended in order.
void aggiungi(Byte& b, int larghezza, std::initializer_list<uint32_t> valori) {
    for (uint32_t v : valori)
        for (int i = 0; i < larghezza; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

template <class R>
bool leggiComeFile(const Byte& bytes, const std::string& path) {
    scriviFile(path, bytes);
    R r;
    return leggiRecord(path, r);
}

// A file kind: written and read back member by member, and what was read writes the same
// file; truncation anywhere, flipped and random bytes give false or a record, never a crash.
template <class R>
void verificaTipo(const R& originale, const std::string& path) {
    ASSERT_EQ(scriviRecord(path, originale, false), "");
    R r;
    ASSERT_TRUE(leggiRecord(path, r));
    EXPECT_TRUE(r == originale);
    const Byte buoni = leggi(path);
    EXPECT_EQ(toBytes(r), buoni);
    for (std::size_t n = 0; n < buoni.size(); ++n)
        ASSERT_FALSE(fromBytes(Byte(buoni.begin(), buoni.begin() + static_cast<std::ptrdiff_t>(n)), r))
            << "troncato a " << n << " di " << buoni.size();
    std::mt19937 caso(1234);
    for (int k = 0; k < 400; ++k) {
        Byte guasto = buoni;
        guasto[caso() % guasto.size()] ^= static_cast<uint8_t>(1u << (caso() % 8));
        guasto[caso() % guasto.size()] = static_cast<uint8_t>(caso());
        fromBytes(guasto, r);
    }
    for (int k = 0; k < 200; ++k) {
        Byte rumore(caso() % 300);
        for (auto& b : rumore) b = static_cast<uint8_t>(caso() % 4 == 0 ? caso() : caso() % 3);
        fromBytes(rumore, r);
    }
    // Through the file reader: a short file, a wrong version and an empty file are refused.
    EXPECT_FALSE(
        leggiComeFile<R>(Byte(buoni.begin(), buoni.begin() + static_cast<std::ptrdiff_t>(buoni.size() / 2)), path));
    Byte versione2 = buoni;
    versione2[0] = 2;
    EXPECT_FALSE(leggiComeFile<R>(versione2, path));
    EXPECT_FALSE(leggiComeFile<R>({}, path));
}

TEST(FileProgetto, OgniTipoRitornaUgualeEResisteAiFileGuasti) {
    CartellaTemporanea dir;
    verificaTipo(campioni::piano(3), dir.file("a.pln"));
    verificaTipo(campioni::profilo(), dir.file("a.pro"));
    verificaTipo(campioni::fileSezioni(4), dir.file("a.sez"));
    verificaTipo(campioni::poligonaleAperta(), dir.file("a.pla"));
    verificaTipo(campioni::poligonaleChiusa(), dir.file("a.plc"));
    verificaTipo(campioni::triangolazione(), dir.file("a.trn"));
    Planimetria p;
    EXPECT_FALSE(leggiRecord(dir.file("non_esiste.pln"), p));
    EXPECT_FALSE(leggiRecord(dir.percorso.string(), p));  // a folder

    // Versione is written as 1 whatever the record held, and the reader then accepts it.
    Profilo pr = campioni::profilo();
    pr.Versione = 0;
    ASSERT_EQ(scriviRecord(dir.file("v.pro"), pr, false), "");
    Profilo letto;
    ASSERT_TRUE(leggiRecord(dir.file("v.pro"), letto));
    EXPECT_EQ(letto.Versione, 1);
    EXPECT_EQ(letto.Origine, "C:\\Progetti\\profilo è.pro");

    // A plan of many blocks leaves block by block: the same bytes as its whole image.
    Planimetria grande = campioni::piano(3);
    grande.Versione = 0;
    grande.NumeroPunti = 30000;
    grande.Punti.redim(30000);
    for (int32_t i = 1; i <= 30000; ++i) grande.Punti[i] = {float(i), float(-i), 0.5f * i};
    ASSERT_EQ(scriviRecord(dir.file("g.pln"), grande, false), "");
    Byte atteso = toBytes(grande);
    atteso[0] = 1, atteso[1] = 0;
    EXPECT_GT(atteso.size(), 4 * Writer::kBlocco);
    EXPECT_EQ(leggi(dir.file("g.pln")), atteso);
}

TEST(FileProgetto, DisposizioneDeiByte) {
    // A section with an empty name and arrays never dimensioned: 00 00, 88 bytes of numbers,
    // then 00 00 for each of the six arrays.
    Sezione vuota;
    vuota.Numero = 0x0102;
    Byte b = toBytes(vuota);
    ASSERT_EQ(b.size(), 2u + 88u + 6u * 2u);
    EXPECT_EQ(Byte(b.begin(), b.begin() + 4), (Byte{0, 0, 0x02, 0x01}));
    for (std::size_t i = 90; i < b.size(); ++i) EXPECT_EQ(b[i], 0) << i;

    // A one-dimensional array: u16 1, u32 count, i32 lower bound 0, then positions 0..n.
    Planimetria p;
    p.Punti.redim(2);
    p.Punti[0] = {1.0f, 0, 0, 0x7F01};
    b = toBytes(p);
    const std::size_t inizio = 2 + 2 + 4;  // Versione, Origine, NumeroPunti, then Punti
    EXPECT_EQ(Byte(b.begin() + inizio, b.begin() + inizio + 24),
              (Byte{1, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x7F}));
    EXPECT_EQ(b.size(), toBytes(Planimetria{}).size() + 8 + 3 * 14);
    // Position 0 only is not "never dimensioned", in memory or on disk.
    VbArray<float> soloZero;
    soloZero.redim(0);
    EXPECT_NE(soloZero, VbArray<float>());

    // Two dimensions: count and lower bound of the first, then of the second; first index fastest.
    Profilo pr;
    pr.ProgressiveLiv.redim(1, 2);
    pr.ProgressiveLiv(1, 0) = 2.0f;
    b = toBytes(pr);
    const std::size_t tab = 2 + 2 + 4 + 4;
    EXPECT_EQ(Byte(b.begin() + tab, b.begin() + tab + 18),
              (Byte{2, 0, 2, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0}));
    float secondo;
    std::memcpy(&secondo, &b[tab + 18 + 4], 4);
    EXPECT_EQ(secondo, 2.0f);

    // Element sizes of the plan's lists; an empty record is its numbers plus two zero bytes
    // per text and array.
    EXPECT_EQ(std::vector({toBytes(PlanPoint{}).size(), toBytes(ContourSegment{}).size(), toBytes(AxisPoint{}).size(),
                           toBytes(IntersezioneAsse{}).size(), toBytes(EstremoSezione{}).size(),
                           toBytes(RigaPaleggio{}).size()}),
              (std::vector<std::size_t>{14, 24, 9, 14, 16, 12}));
    EXPECT_EQ(toBytes(TriangulationChain{}).size(), 2u + 2u + 2u + 8u * 2u);
    EXPECT_EQ(toBytes(OpenTraverse{}).size(), 2u + 1u + 2u + 2u + 8u + 14u * 2u);
    EXPECT_EQ(toBytes(ClosedTraverse{}).size(), 2u + 1u + 2u + 2u + 36u + 14u * 2u);
}

TEST(FileProgetto, TipoDalNomeSenzaDistinguereMaiuscole) {
    const std::pair<const char*, TipoFile> casi[] = {{"/x/STRADA.PLN", TipoFile::Pln}, {"profilo.Pro", TipoFile::Pro},
                                                     {"a.sez", TipoFile::Sez},         {"a.PlA", TipoFile::Pla},
                                                     {"a.plc", TipoFile::Plc},         {"a.trn", TipoFile::Trn},
                                                     {"a.pol", TipoFile::Sconosciuto}, {"pl", TipoFile::Sconosciuto}};
    for (auto [nome, tipo] : casi) EXPECT_EQ(tipoFileDaNome(nome), tipo) << nome;
}

TEST(FileProgetto, ConteggiCheChiedonoPiuDelFile) {
    for (const test::Caso& c : test::leggiCasi("record_bytes_refused.txt")) {
        Byte b;
        int larghezza = 2;
        for (const std::string& v : c.parole(1)) {
            if (v.back() == ':')
                larghezza = std::stoi(v);
            else if (v[0] == '+')
                b.resize(b.size() + std::stoul(v.substr(1)), 0);
            else
                aggiungi(b, larghezza, {static_cast<uint32_t>(std::stoul(v))});
        }
        TriangulationChain t;
        Profilo p;
        EXPECT_FALSE(c.nome() == "profile" ? fromBytes(b, p) : fromBytes(b, t)) << c.testo;
    }
    // Our own writer may produce an empty dimension of ordinary size: that still reads.
    Profilo p;
    p.Versione = 1;
    p.RosseLiv.redim(4, -1);
    Profilo letto;
    ASSERT_TRUE(fromBytes(toBytes(p), letto));
    EXPECT_EQ(letto.RosseLiv.count1(), 5);
    EXPECT_EQ(letto.RosseLiv.count2(), 0);
}

TEST(FileProgetto, LetturaPianoCopiaSezioniProfiloEPaleggi) {
    CartellaTemporanea dir;
    const std::string path = dir.file("piano.pln");

    // Four sections embedded but three stations: only the first three are copied, position 0
    // of Sezioni stays as it was, and the list ends at the last station.
    Planimetria scritto = campioni::piano(4);
    scritto.NumeroIntersezioni = 3;
    ASSERT_EQ(scriviRecord(path, scritto, false), "");
    Planimetria piano;
    VbArray<Sezione> sezioni(7);
    sezioni[0].Nome = "zero";
    TabellaPaleggi paleggi;
    Profilo profilo;
    ASSERT_TRUE(leggiFilePiano(path, piano, sezioni, paleggi, profilo));
    EXPECT_TRUE(piano == scritto);
    ASSERT_EQ(sezioni.upperBound(), 3);
    EXPECT_EQ(sezioni[0].Nome, "zero");
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(sezioni[i] == scritto.SezioniApplicate[i]) << i;
    EXPECT_TRUE(paleggi == scritto.PaleggiApplicati);
    EXPECT_TRUE(profilo == scritto.ProfiloApplicato);

    // No station: position 0 only, also when the section list was never dimensioned (a plan
    // without a computed road).
    scritto.NumeroIntersezioni = 0;
    for (bool dimensionata : {true, false}) {
        if (!dimensionata) scritto.SezioniApplicate.erase();
        ASSERT_EQ(scriviRecord(path, scritto, false), "");
        ASSERT_TRUE(leggiFilePiano(path, piano, sezioni, paleggi, profilo)) << dimensionata;
        EXPECT_EQ(sezioni.upperBound(), 0);
        EXPECT_EQ(sezioni[0].Nome, "zero");
    }

    // More stations than embedded sections, or a negative count: refused, nothing replaced.
    const Planimetria prima = piano;
    for (int32_t n : {5, 1000000000, -1}) {
        scritto.NumeroIntersezioni = n;
        ASSERT_EQ(scriviRecord(path, scritto, false), "");
        EXPECT_FALSE(leggiFilePiano(path, piano, sezioni, paleggi, profilo)) << n;
        EXPECT_TRUE(piano == prima);
        EXPECT_EQ(sezioni.upperBound(), 0);
    }
}

TEST(FileProgetto, LetturaSezioniTieneLaPosizioneZero) {
    CartellaTemporanea dir;
    const std::string path = dir.file("s.sez");
    ASSERT_EQ(scriviRecord(path, campioni::fileSezioni(2), false), "");
    VbArray<Sezione> sezioni(5);
    sezioni[0].Nome = "mia";
    ASSERT_TRUE(leggiFileSezioni(path, sezioni));
    ASSERT_EQ(sezioni.upperBound(), 2);
    EXPECT_EQ(sezioni[0].Nome, "mia");  // the file's position 0 is not taken
    EXPECT_TRUE(sezioni[2] == campioni::sezione(2));

    // A file with position 0 only loads nothing.
    FileSezioni soloZero;
    soloZero.Sezioni.redim(0);
    soloZero.Sezioni[0] = campioni::sezione(9);
    ASSERT_EQ(scriviRecord(path, soloZero, false), "");
    VbArray<Sezione> una(1);
    ASSERT_TRUE(leggiFileSezioni(path, una));
    EXPECT_EQ(una.upperBound(), 1);
    EXPECT_TRUE(una[1] == Sezione{} && una[0] == Sezione{});
}

TEST(FileProgetto, SalvataggioSicuroEConCopiaDiBackup) {
    CartellaTemporanea dir;
    const std::string path = dir.file("strada.pln");
    ASSERT_EQ(scriviByteAtomico(path, "\1\2\3", true), "");
    EXPECT_FALSE(fs::exists(dir.file("strada.BAK")));  // nothing to keep yet
    ASSERT_EQ(scriviByteAtomico(path, "\4\5", true), "");
    EXPECT_EQ(leggi(path), (Byte{4, 5}));
    EXPECT_EQ(leggi(dir.file("strada.BAK")), (Byte{1, 2, 3}));
    ASSERT_EQ(scriviByteAtomico(path, "\6", false), "");
    EXPECT_EQ(leggi(dir.file("strada.BAK")), (Byte{1, 2, 3}));

    // A folder that does not exist, a name that is a folder: a reason in words, no file
    // left behind, the folder untouched.
    EXPECT_EQ(scriviByteAtomico(dir.file("manca/x.pln"), "\1", false), "la cartella non esiste");
    fs::create_directory(dir.file("cartella.pln"));
    scriviFile(dir.file("cartella.pln/dentro"), {9});
    EXPECT_EQ(scriviByteAtomico(dir.file("cartella.pln"), "\1", true), "il nome indica una cartella");
    EXPECT_TRUE(fs::is_directory(dir.file("cartella.pln")));
    int voci = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir.percorso)) ++voci;
    EXPECT_EQ(voci, 3);  // strada.pln, strada.BAK, cartella.pln: no temporary left
}

}  // namespace
}  // namespace carvela
