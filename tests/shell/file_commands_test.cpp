// "Apri file...", "&Salva...", "&Salva con nome..." and the automatic save.
#include "shell/file_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "graphics/recording_canvas.h"
#include "project/project_files.h"
#include "shell/workspace.h"
#include "support/fake_host.h"
#include "support/sample_records.h"

namespace carvela {
namespace {

namespace fs = std::filesystem;
using campioni::CartellaTemporanea;

struct Ambiente {
    Workspace ws;
    RecordingCanvas canvas;
    FakeHost host;
    CartellaTemporanea dir;

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

TEST(ApriFile, DialogoEAnnullamento) {
    Ambiente a;
    a.ws.TipoDocumento = kDocPoligonaleAperta;
    a.ws.PoligonaleAperta = campioni::poligonaleAperta();
    comandoApri(a.ws, a.canvas, a.host);  // no answer scripted: the user cancels
    ASSERT_EQ(a.host.titoliDialoghi, std::vector<std::string>{"Apri file..."});
    EXPECT_EQ(a.host.filtriDialoghi[0],
              "Planimetria (*.pln)|*.PLN|Profilo (*.pro)|*.PRO|Sezione (*.sez)|*.SEZ|Poligonale aperta (*.pla)|*.PLA|"
              "Poligonale chiusa(*.plc)|*.PLC|Triangolazioni (*.trn)|*.TRN|");
    EXPECT_EQ(a.ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_TRUE(a.ws.PoligonaleAperta == campioni::poligonaleAperta());
    EXPECT_TRUE(a.canvas.operazioni.empty());
}

TEST(ApriFile, OgniTipoPerEstensioneSenzaDistinguereMaiuscole) {
    Ambiente a;
    const std::string pln = a.dir.file("STRADA.PLN");
    const std::string pro = a.dir.file("profilo.Pro");
    const std::string sez = a.dir.file("s.sez");
    const std::string pla = a.dir.file("a.pla");
    const std::string plc = a.dir.file("c.PLC");
    const std::string trn = a.dir.file("t.trn");
    ASSERT_EQ(scriviRecord(pln, campioni::piano(2), false), "");
    ASSERT_EQ(scriviRecord(pro, campioni::profilo(), false), "");
    ASSERT_EQ(scriviRecord(sez, campioni::fileSezioni(3), false), "");
    ASSERT_EQ(scriviRecord(pla, campioni::poligonaleAperta(), false), "");
    ASSERT_EQ(scriviRecord(plc, campioni::poligonaleChiusa(), false), "");
    ASSERT_EQ(scriviRecord(trn, campioni::triangolazione(), false), "");

    a.host.titoloFinestra = "Carvela [ vecchio ]";
    ASSERT_TRUE(a.apri(pln));
    EXPECT_EQ(a.ws.TipoDocumento, kDocPianta);
    EXPECT_EQ(a.ws.NomeFilePln, pln);
    EXPECT_EQ(a.host.titoloFinestra, "Carvela [ " + pln + " ]");
    EXPECT_EQ(a.ws.Sezioni.upperBound(), 2);
    EXPECT_TRUE(a.ws.Profilo == campioni::profilo());
    EXPECT_EQ(a.canvas.operazioni.front().tipo, OperazioneCanvas::Clear);

    ASSERT_TRUE(a.apri(pro));
    EXPECT_EQ(a.ws.TipoDocumento, kDocProfilo);
    EXPECT_EQ(a.ws.NomeFilePro, pro);
    EXPECT_EQ(a.host.titoloFinestra, "Carvela [ " + pro + " ]");

    a.ws.SezioneCorrente = 9;  // beyond the list the file brings: back to the first
    ASSERT_TRUE(a.apri(sez));
    EXPECT_EQ(a.ws.TipoDocumento, kDocSezione);
    EXPECT_EQ(a.ws.Sezioni.upperBound(), 3);
    EXPECT_EQ(a.ws.SezioneCorrente, 1);

    ASSERT_TRUE(a.apri(pla));
    EXPECT_EQ(a.ws.TipoDocumento, kDocPoligonaleAperta);
    EXPECT_TRUE(a.ws.PoligonaleAperta == campioni::poligonaleAperta());
    ASSERT_TRUE(a.apri(plc));
    EXPECT_EQ(a.ws.TipoDocumento, kDocPoligonaleChiusa);
    EXPECT_EQ(a.ws.NomeFilePlc, plc);
    ASSERT_TRUE(a.apri(trn));
    EXPECT_EQ(a.ws.TipoDocumento, kDocTriangolazione);
    EXPECT_EQ(a.ws.NomeFileTrn, trn);
}

TEST(ApriFile, FileIgnotiOGuastiLascianoUnDocumentoVuoto) {
    Ambiente a;
    a.ws.TipoDocumento = kDocPianta;
    a.ws.Piano = campioni::piano(2);
    a.ws.Profilo = campioni::profilo();
    a.host.titoloFinestra = "Carvela [ x ]";

    // An unknown extension: the document was already emptied, nothing is read.
    const std::string txt = a.dir.file("note.txt");
    std::ofstream(txt) << "testo";
    a.apri(txt);
    EXPECT_EQ(a.host.testiMessaggi(), std::vector<std::string>{"Tipo di file sconosciuto!"});
    EXPECT_EQ(a.ws.TipoDocumento, kDocNessuno);
    EXPECT_TRUE(a.ws.Piano == Planimetria{});
    EXPECT_EQ(a.host.titoloFinestra, "Carvela");

    // A plan whose first two bytes are not 01 00, a missing file, an empty file.
    a.ws.TipoDocumento = kDocPianta;
    a.ws.Piano = campioni::piano(2);
    const std::string guasto = a.dir.file("guasto.pln");
    ASSERT_EQ(scriviRecord(guasto, campioni::piano(1), false), "");
    std::vector<uint8_t> b = byteDi(guasto);
    b[0] = 2;
    std::ofstream(guasto, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<long>(b.size()));
    for (const std::string& path : {guasto, a.dir.file("manca.pro"), a.dir.file("vuoto.trn")}) {
        if (path.ends_with("trn")) std::ofstream{path};
        a.host.pulisci();
        a.apri(path);
        EXPECT_EQ(a.host.testiMessaggi(), std::vector<std::string>{"Errore di apertura del file!"}) << path;
        EXPECT_EQ(a.ws.TipoDocumento, kDocNessuno);
        EXPECT_EQ(a.host.titoloFinestra, "Carvela");
    }
    EXPECT_TRUE(a.ws.Piano == Planimetria{});
    EXPECT_EQ(a.ws.Sezioni.upperBound(), 1);
    EXPECT_TRUE(a.ws.NomeFilePln.empty());

    // A sections file holding position 0 only: the single empty section of the reset stays.
    FileSezioni soloZero;
    soloZero.Sezioni.redim(0);
    const std::string sez = a.dir.file("zero.sez");
    ASSERT_EQ(scriviRecord(sez, soloZero, false), "");
    a.host.pulisci();
    ASSERT_TRUE(a.apri(sez));
    EXPECT_EQ(a.ws.Sezioni.upperBound(), 1);
    EXPECT_TRUE(a.ws.Sezioni[1] == Sezione{});
}

TEST(SalvaFile, SenzaDocumentoConNomeEConEstensione) {
    Ambiente a;
    comandoSalva(a.ws, a.host, false);
    comandoSalva(a.ws, a.host, true);
    a.ws.TipoDocumento = kDocDxf;
    comandoSalva(a.ws, a.host, false);
    EXPECT_EQ(a.host.testiMessaggi(), std::vector<std::string>(3, "Nessun documento da salvare!"));
    EXPECT_TRUE(a.host.titoliDialoghi.empty());

    struct Caso {
        uint8_t tipo;
        const char* titolo;
        const char* filtro;
        const char* estensione;
    };
    const Caso casi[] = {
        {kDocPianta, "Salva file di Planimetria", "File di Planimetria (*.pln) | *.PLN", ".pln"},
        {kDocDiagramma, "Salva file di Planimetria", "File di Planimetria (*.pln) | *.PLN", ".pln"},
        {kDocProfilo, "Salva file di Profilo", "File di Profilo (*.pro) | *.PRO", ".pro"},
        {kDocSezione, "Salva file di Sezione", "File di Sezione (*.sez) | *.SEZ", ".sez"},
        {kDocPoligonaleAperta, "Salva file di Poligonale", "File di poligonale (*.pla) | *.PLA", ".pla"},
        {kDocPoligonaleChiusa, "Salva file di Poligonale", "File di poligonale (*.plc) | *.PLC", ".plc"},
        {kDocTriangolazione, "Salva file di triangolazioone", "File di triangolazioone (*.trn) | *.TRN", ".trn"},
    };
    for (const Caso& c : casi) {
        Workspace ws;
        FakeHost host;
        ws.TipoDocumento = c.tipo;
        // "&Salva..." on a document with no file yet asks for a name; a name without the
        // kind's extension (or with another) gets it, so the file opens again as what it is.
        host.fileSalvati.push_back(a.dir.file(std::string("doc") + std::to_string(c.tipo) + ".pol"));
        comandoSalva(ws, host, false);
        ASSERT_EQ(host.titoliDialoghi, std::vector<std::string>{c.titolo});
        EXPECT_EQ(host.filtriDialoghi[0], c.filtro);
        const std::string atteso = a.dir.file(std::string("doc") + std::to_string(c.tipo) + ".pol" + c.estensione);
        EXPECT_TRUE(fs::exists(atteso)) << atteso;
        EXPECT_EQ(host.titoloFinestra, "Carvela [ " + atteso + " ]");
        EXPECT_TRUE(host.messaggi.empty());
        EXPECT_EQ(tipoFileDaNome(atteso) != TipoFile::Sconosciuto, true);
    }
    // A name already ending in the extension, in capitals, is kept as typed.
    a.ws.TipoDocumento = kDocPoligonaleChiusa;
    a.host.pulisci();
    a.host.fileSalvati.push_back(a.dir.file("CHIUSA.PLC"));
    comandoSalva(a.ws, a.host, true);
    EXPECT_EQ(a.ws.NomeFilePlc, a.dir.file("CHIUSA.PLC"));
    // Cancelling the dialog writes nothing and keeps the name.
    comandoSalva(a.ws, a.host, true);
    EXPECT_EQ(a.ws.NomeFilePlc, a.dir.file("CHIUSA.PLC"));
    EXPECT_EQ(a.host.proposteSalvataggio.back(), a.dir.file("CHIUSA.PLC"));
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
    EXPECT_EQ(letto.Piano.Versione, 1);

    // "&Salva..." now writes to the same file without asking, keeping the old one as .BAK.
    const std::vector<uint8_t> prima = byteDi(path);
    a.ws.Piano.Origine = "modificato";
    a.host.pulisci();
    comandoSalva(a.ws, a.host, false);
    EXPECT_TRUE(a.host.titoliDialoghi.empty());
    EXPECT_EQ(byteDi(a.dir.file("progetto.BAK")), prima);
    EXPECT_NE(byteDi(path), prima);

    // Without backups no .BAK is made.
    fs::remove(a.dir.file("progetto.BAK"));
    a.ws.impostazioni.UtilizzaFileBackUp = false;
    comandoSalva(a.ws, a.host, false);
    EXPECT_FALSE(fs::exists(a.dir.file("progetto.BAK")));
}

TEST(SalvaFile, UnFileCheNonSiPuoScrivereLasciaIlVecchio) {
    Ambiente a;
    a.ws.TipoDocumento = kDocTriangolazione;
    a.ws.Triangolazione = campioni::triangolazione();
    const std::string cartella = a.dir.file("occupato.trn");
    fs::create_directory(cartella);
    a.host.fileSalvati.push_back(cartella);
    comandoSalva(a.ws, a.host, true);
    ASSERT_EQ(a.host.messaggi.size(), 1u);
    EXPECT_EQ(a.host.messaggi[0].testo,
              "Errore di salvataggio del file " + cartella + ": il nome indica una cartella.");
    EXPECT_TRUE(fs::is_directory(cartella));
    EXPECT_TRUE(a.ws.NomeFileTrn.empty());
    EXPECT_EQ(a.host.titoloFinestra, "Carvela");

    a.host.pulisci();
    a.host.fileSalvati.push_back(a.dir.file("manca/x.trn"));
    comandoSalva(a.ws, a.host, true);
    EXPECT_EQ(a.host.testiMessaggi(),
              std::vector<std::string>{"Errore di salvataggio del file " + a.dir.file("manca/x.trn") +
                                       ": la cartella non esiste."});
}

TEST(SalvataggioAutomatico, PrimoAlSestoTickPoiOgniSei) {
    Ambiente a;
    a.ws.impostazioni.IntervalloAutoSave = 5;
    a.ws.periodoTimerMs = 5000;
    a.ws.TipoDocumento = kDocProfilo;
    a.ws.Profilo = campioni::profilo();
    a.ws.NomeFilePro = a.dir.file("auto.pro");

    std::vector<int> salvataggi;
    for (int tick = 1; tick <= 20; ++tick) {
        const int periodoPrima = a.ws.periodoTimerMs;
        tickAutoSave(a.ws, a.host);
        if (fs::exists(a.ws.NomeFilePro)) {
            salvataggi.push_back(tick);
            fs::remove(a.ws.NomeFilePro);
            fs::remove(a.dir.file("auto.BAK"));
        }
        if (tick < 6) {
            EXPECT_EQ(a.ws.periodoTimerMs, periodoPrima);
        }
    }
    EXPECT_EQ(salvataggi, (std::vector<int>{6, 12, 18}));
    EXPECT_EQ(a.ws.periodoTimerMs, 60000);
    EXPECT_TRUE(a.host.messaggi.empty());
    EXPECT_TRUE(a.host.titoliDialoghi.empty());

    // Switched off: nothing is saved however many ticks pass, and the count never wraps.
    a.ws.impostazioni.AbilitaAutoSave = false;
    for (int tick = 0; tick < 40000; ++tick) tickAutoSave(a.ws, a.host);
    EXPECT_FALSE(fs::exists(a.ws.NomeFilePro));
    EXPECT_GT(a.ws.contatoreAutoSave, 0);

    // No document, or a document with no file yet: silent, no dialog.
    Ambiente b;
    b.ws.impostazioni.IntervalloAutoSave = 2;
    for (uint8_t tipo : {uint8_t(kDocNessuno), uint8_t(kDocPianta), uint8_t(kDocDxf)}) {
        b.ws.TipoDocumento = tipo;
        for (int tick = 0; tick < 3; ++tick) tickAutoSave(b.ws, b.host);
    }
    EXPECT_TRUE(b.host.messaggi.empty());
    EXPECT_TRUE(b.host.titoliDialoghi.empty());
    EXPECT_EQ(b.ws.periodoTimerMs, 60000);
}

}  // namespace
}  // namespace carvela
