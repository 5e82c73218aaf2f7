// "Apri file...", "&Salva...", "&Salva con nome..." and the automatic save.
#include "shell/file_commands.h"

#include "shell/shell_test.h"

namespace carvela {
namespace {

namespace fs = std::filesystem;
using Testi = std::vector<std::string>;

struct Ambiente {
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    campioni::CartellaTemporanea dir;

    bool apri(const std::string& path) {
        host.fileAperti.push_back(path);
        comandoApri(ws, canvas, host);
        return host.messaggi.empty();
    }
};

std::vector<uint8_t> byteDi(const std::string& path) {
    std::vector<uint8_t> b;
    leggiFileByte(path, b);
    return b;
}

TEST(ApriFile, OgniTipoPerEstensioneSenzaDistinguereMaiuscole) {
    Ambiente a;
    // Cancelling the dialog leaves the document shown as it was.
    a.ws.TipoDocumento = kDocPoligonaleAperta;
    comandoApri(a.ws, a.canvas, a.host);
    ASSERT_EQ(a.host.titoliDialoghi, Testi{"Apri file..."});
    EXPECT_EQ(a.host.filtriDialoghi[0],
              "Planimetria (*.pln)|*.PLN|Profilo (*.pro)|*.PRO|Sezione (*.sez)|*.SEZ|Poligonale aperta (*.pla)|*.PLA|"
              "Poligonale chiusa(*.plc)|*.PLC|Triangolazioni (*.trn)|*.TRN|");
    EXPECT_EQ(a.ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_TRUE(a.canvas.operazioni.empty());

    const std::tuple<const char*, uint8_t, std::string Workspace::*> casi[] = {
        {"STRADA.PLN", kDocPianta, &Workspace::NomeFilePln},
        {"profilo.Pro", kDocProfilo, &Workspace::NomeFilePro},
        {"s.sez", kDocSezione, &Workspace::NomeFileSez},
        {"a.pla", kDocPoligonaleAperta, &Workspace::NomeFilePla},
        {"c.PLC", kDocPoligonaleChiusa, &Workspace::NomeFilePlc},
        {"t.trn", kDocTriangolazione, &Workspace::NomeFileTrn},
    };
    ASSERT_EQ(scriviRecord(a.dir.file("STRADA.PLN"), campioni::piano(2), false), "");
    ASSERT_EQ(scriviRecord(a.dir.file("profilo.Pro"), campioni::profilo(), false), "");
    ASSERT_EQ(scriviRecord(a.dir.file("s.sez"), campioni::fileSezioni(3), false), "");
    ASSERT_EQ(scriviRecord(a.dir.file("a.pla"), campioni::poligonaleAperta(), false), "");
    ASSERT_EQ(scriviRecord(a.dir.file("c.PLC"), campioni::poligonaleChiusa(), false), "");
    ASSERT_EQ(scriviRecord(a.dir.file("t.trn"), campioni::triangolazione(), false), "");
    a.host.titoloFinestra = "Carvela [ vecchio ]";
    a.ws.SezioneCorrente = 9;  // beyond the list the sections file brings: back to the first
    for (const auto& [nome, tipo, nomeFile] : casi) {
        const std::string path = a.dir.file(nome);
        a.canvas.operazioni.clear();
        ASSERT_TRUE(a.apri(path)) << nome;
        EXPECT_EQ(a.ws.TipoDocumento, tipo);
        EXPECT_EQ(a.ws.*nomeFile, path);
        EXPECT_EQ(a.host.titoloFinestra, "Carvela [ " + path + " ]");
        EXPECT_EQ(a.canvas.operazioni.front().tipo, OperazioneCanvas::Clear);
        EXPECT_GT(a.canvas.operazioni.size(), 1u) << nome << " drawn";
        // The plan brings its sections and profile; the sections file its own list; the
        // traverse comes back whole.
        EXPECT_TRUE(tipo != kDocPianta || (a.ws.Sezioni.upperBound() == 2 && a.ws.Profilo == campioni::profilo()));
        EXPECT_TRUE(tipo != kDocSezione || (a.ws.Sezioni.upperBound() == 3 && a.ws.SezioneCorrente == 1));
        EXPECT_TRUE(tipo != kDocPoligonaleAperta || a.ws.PoligonaleAperta == campioni::poligonaleAperta());
    }
}

TEST(ApriFile, UnFileIgnotoOGuastoLasciaIlProgettoComEra) {
    // An unknown extension, an empty file or a missing one is refused (the readers refuse any
    // damaged file, see the file tests), and the work in memory, its caption, its file name
    // and its unsaved changes stay as they were.
    Ambiente a;
    std::ofstream(a.dir.file("note.txt")) << "testo";
    std::ofstream{a.dir.file("vuoto.pln")};
    a.ws.TipoDocumento = kDocPianta;
    a.ws.Piano = campioni::piano(2);
    a.ws.NomeFilePln = a.dir.file("mio.pln");
    segnaModifica(a.ws);
    for (auto [nome, messaggio] : {std::pair{"note.txt", "Tipo di file sconosciuto!"},
                                   {"vuoto.pln", "Errore di apertura del file!"},
                                   {"manca.pro", "Errore di apertura del file!"}}) {
        a.host.pulisci();
        a.host.titoloFinestra = "Carvela [ x ]";
        a.host.risposte = {Risposta::No};  // the changes are not saved first
        a.apri(a.dir.file(nome));
        EXPECT_EQ(a.host.testiMessaggi().back(), messaggio) << nome;
        EXPECT_TRUE(a.ws.TipoDocumento == kDocPianta && a.ws.Piano == campioni::piano(2)) << nome;
        EXPECT_EQ(a.host.titoloFinestra, "Carvela [ x ]");
        EXPECT_EQ(a.ws.NomeFilePln, a.dir.file("mio.pln"));
        EXPECT_TRUE(progettoModificato(a.ws));
    }

    // A good file replaces the project and is the unmodified state.
    ASSERT_EQ(scriviRecord(a.dir.file("p.pro"), campioni::profilo(), false), "");
    a.host.pulisci();
    a.host.risposte = {Risposta::No};
    a.apri(a.dir.file("p.pro"));
    EXPECT_EQ(a.ws.TipoDocumento, kDocProfilo);
    EXPECT_FALSE(progettoModificato(a.ws));

    // A sections file holding position 0 only: the single empty section of the reset stays.
    FileSezioni soloZero;
    soloZero.Sezioni.redim(0);
    ASSERT_EQ(scriviRecord(a.dir.file("zero.sez"), soloZero, false), "");
    a.host.pulisci();
    ASSERT_TRUE(a.apri(a.dir.file("zero.sez")));
    EXPECT_EQ(a.ws.Sezioni.upperBound(), 1);
    EXPECT_TRUE(a.ws.Sezioni[1] == Sezione{});
}

TEST(SalvaFile, SenzaDocumentoConNomeEConEstensione) {
    Ambiente a;
    comandoSalva(a.ws, a.host, false);
    comandoSalva(a.ws, a.host, true);
    a.ws.TipoDocumento = kDocDxf;
    comandoSalva(a.ws, a.host, false);
    EXPECT_EQ(a.host.testiMessaggi(), Testi(3, "Nessun documento da salvare!"));
    EXPECT_TRUE(a.host.titoliDialoghi.empty());

    const std::tuple<uint8_t, const char*, const char*, const char*> casi[] = {
        {kDocPianta, "Salva file di Planimetria", "File di Planimetria (*.pln) | *.PLN", ".pln"},
        {kDocDiagramma, "Salva file di Planimetria", "File di Planimetria (*.pln) | *.PLN", ".pln"},
        {kDocProfilo, "Salva file di Profilo", "File di Profilo (*.pro) | *.PRO", ".pro"},
        {kDocSezione, "Salva file di Sezione", "File di Sezione (*.sez) | *.SEZ", ".sez"},
        {kDocPoligonaleAperta, "Salva file di Poligonale", "File di poligonale (*.pla) | *.PLA", ".pla"},
        {kDocPoligonaleChiusa, "Salva file di Poligonale", "File di poligonale (*.plc) | *.PLC", ".plc"},
        {kDocTriangolazione, "Salva file di triangolazioone", "File di triangolazioone (*.trn) | *.TRN", ".trn"},
    };
    for (const auto& [tipo, titolo, filtro, estensione] : casi) {
        // "&Salva..." on a document with no file yet asks for a name; a name without the
        // kind's extension (or with another) gets it, so the file opens again as what it is.
        Workspace ws;
        FakeHost host;
        ws.TipoDocumento = tipo;
        const std::string nome = a.dir.file("doc" + std::to_string(tipo) + ".pol");
        host.fileSalvati.push_back(nome);
        comandoSalva(ws, host, false);
        ASSERT_EQ(host.titoliDialoghi, Testi{titolo});
        EXPECT_EQ(host.filtriDialoghi[0], filtro);
        EXPECT_TRUE(fs::exists(nome + estensione)) << nome + estensione;
        EXPECT_EQ(host.titoloFinestra, "Carvela [ " + nome + estensione + " ]");
        EXPECT_TRUE(host.messaggi.empty());
    }
    // A name already ending in the extension, in capitals, is kept as typed; cancelling the
    // dialog writes nothing and keeps the name.
    a.ws.TipoDocumento = kDocPoligonaleChiusa;
    a.host.pulisci();
    a.host.fileSalvati.push_back(a.dir.file("CHIUSA.PLC"));
    comandoSalva(a.ws, a.host, true);
    EXPECT_EQ(a.ws.NomeFilePlc, a.dir.file("CHIUSA.PLC"));
    comandoSalva(a.ws, a.host, true);
    EXPECT_EQ(a.ws.NomeFilePlc, a.dir.file("CHIUSA.PLC"));
    EXPECT_EQ(a.host.proposteSalvataggio.back(), a.dir.file("CHIUSA.PLC"));

    // A name that cannot be written: the reason in words, the folder untouched, the old name
    // and caption kept.
    const std::string cartella = a.dir.file("occupato.plc");
    fs::create_directory(cartella);
    a.host.pulisci();
    a.host.fileSalvati = {cartella, a.dir.file("manca/x.plc")};
    comandoSalva(a.ws, a.host, true);
    comandoSalva(a.ws, a.host, true);
    EXPECT_EQ(a.host.testiMessaggi(),
              (Testi{"Errore di salvataggio del file " + cartella + ": il nome indica una cartella.",
                     "Errore di salvataggio del file " + a.dir.file("manca/x.plc") + ": la cartella non esiste."}));
    EXPECT_TRUE(fs::is_directory(cartella));
    EXPECT_EQ(a.ws.NomeFilePlc, a.dir.file("CHIUSA.PLC"));
    EXPECT_EQ(a.host.titoloFinestra, "Carvela [ " + a.dir.file("CHIUSA.PLC") + " ]");
}

TEST(SalvaFile, IlPianoPortaConSeSezioniProfiloEPaleggi) {
    Ambiente a;
    a.ws.TipoDocumento = kDocPianta;
    a.ws.Piano = campioni::piano(2);
    a.ws.Piano.SezioniApplicate.erase();
    a.ws.Sezioni.redim(2);
    a.ws.Sezioni[1] = campioni::sezione(11);
    a.ws.Sezioni[2] = campioni::sezione(12);
    a.ws.Profilo = campioni::profilo();
    a.ws.Paleggi = campioni::paleggi();
    const std::string path = a.dir.file("progetto.pln");
    a.host.fileSalvati.push_back(path);
    comandoSalva(a.ws, a.host, true);
    ASSERT_TRUE(a.host.messaggi.empty());

    Workspace letto;
    FakeHost host;
    RecordingCanvas canvas;
    ASSERT_TRUE(apriFileProgetto(letto, canvas, host, path));
    EXPECT_TRUE(letto.Sezioni[2] == campioni::sezione(12));
    EXPECT_TRUE(letto.Profilo == campioni::profilo());
    EXPECT_TRUE(letto.Paleggi == campioni::paleggi());

    // "&Salva..." now writes to the same file without asking, keeping the old one as .BAK;
    // without backups no .BAK is made.
    const std::vector<uint8_t> prima = byteDi(path);
    a.ws.Piano.Origine = "modificato";
    comandoSalva(a.ws, a.host, false);
    EXPECT_EQ(a.host.titoliDialoghi.size(), 1u);
    EXPECT_EQ(byteDi(a.dir.file("progetto.BAK")), prima);
    EXPECT_NE(byteDi(path), prima);
    fs::remove(a.dir.file("progetto.BAK"));
    a.ws.impostazioni.UtilizzaFileBackUp = false;
    comandoSalva(a.ws, a.host, false);
    EXPECT_FALSE(fs::exists(a.dir.file("progetto.BAK")));
}

TEST(SalvataggioAutomatico, OgniIntervalloInMinutiSoloUnProgettoModificatoConIlSuoFile) {
    Ambiente a;
    a.ws.impostazioni.IntervalloAutoSave = 2;  // minutes: twelve ticks of ten seconds
    a.ws.TipoDocumento = kDocProfilo;
    a.ws.Profilo = campioni::profilo();
    a.ws.NomeFilePro = a.dir.file("auto.pro");

    auto giri = [&](int ticks) {
        std::vector<int> salvataggi;
        for (int tick = 1; tick <= ticks; ++tick) {
            if (tick % 5 == 1) segnaModifica(a.ws);
            const std::string scritto = tickAutoSave(a.ws, a.host);
            EXPECT_EQ(scritto.empty(), !fs::exists(a.ws.NomeFilePro)) << tick;
            if (!scritto.empty()) salvataggi.push_back(tick);
            fs::remove(a.ws.NomeFilePro);
        }
        return salvataggi;
    };
    EXPECT_EQ(giri(36), (std::vector<int>{12, 24, 36}));
    EXPECT_FALSE(progettoModificato(a.ws));
    EXPECT_TRUE(a.host.messaggi.empty() && a.host.titoliDialoghi.empty());

    // Unchanged since the last save or open: nothing is written over its file.
    for (int tick = 0; tick < 40; ++tick) EXPECT_EQ(tickAutoSave(a.ws, a.host), "");
    EXPECT_FALSE(fs::exists(a.ws.NomeFilePro));

    // Switched off: nothing is saved however many ticks pass, and the count never wraps.
    a.ws.impostazioni.AbilitaAutoSave = false;
    segnaModifica(a.ws);
    for (int tick = 0; tick < 40000; ++tick) tickAutoSave(a.ws, a.host);
    EXPECT_FALSE(fs::exists(a.ws.NomeFilePro));
    EXPECT_GT(a.ws.contatoreAutoSave, 0);

    // No document, or a modified document with no file yet: silent, no dialog.
    Ambiente b;
    b.ws.impostazioni.IntervalloAutoSave = 1;
    segnaModifica(b.ws);
    for (uint8_t tipo : {uint8_t(kDocNessuno), uint8_t(kDocPianta), uint8_t(kDocDxf)}) {
        b.ws.TipoDocumento = tipo;
        for (int tick = 0; tick < 7; ++tick) EXPECT_EQ(tickAutoSave(b.ws, b.host), "");
    }
    EXPECT_TRUE(b.host.messaggi.empty() && b.host.titoliDialoghi.empty());
}

TEST(ModificheNonSalvate, LaDomandaSalvaScartaOAnnulla) {
    // Si saves the document shown to its file, No discards, Annulla stops; an unmodified
    // project is not asked about.
    Ambiente a;
    EXPECT_TRUE(confermaAbbandono(a.ws, a.host));
    EXPECT_TRUE(a.host.messaggi.empty());
    a.ws.TipoDocumento = kDocProfilo;
    a.ws.Profilo = campioni::profilo();
    a.ws.NomeFilePro = a.dir.file("mio.pro");
    segnaModifica(a.ws);
    a.host.risposte = {Risposta::Annulla, Risposta::No};
    EXPECT_FALSE(confermaAbbandono(a.ws, a.host));
    EXPECT_TRUE(confermaAbbandono(a.ws, a.host));
    EXPECT_FALSE(fs::exists(a.ws.NomeFilePro));
    EXPECT_TRUE(progettoModificato(a.ws));
    ASSERT_EQ(a.host.messaggi.size(), 2u);
    EXPECT_EQ(a.host.messaggi[0].pulsanti, Pulsanti::SiNoAnnulla);
    a.host.risposte = {Risposta::Si};
    EXPECT_TRUE(confermaAbbandono(a.ws, a.host));
    EXPECT_TRUE(fs::exists(a.ws.NomeFilePro));
    EXPECT_FALSE(progettoModificato(a.ws));

    // Cancelling the open keeps everything; the dialog does not even open.
    segnaModifica(a.ws);
    a.host.pulisci();
    a.host.risposte = {Risposta::Annulla};
    a.host.fileAperti = {a.dir.file("mio.pro")};
    comandoApri(a.ws, a.canvas, a.host);
    EXPECT_TRUE(a.host.titoliDialoghi.empty());
    EXPECT_TRUE(progettoModificato(a.ws));
}

}  // namespace
}  // namespace carvela
