#pragma once
// A host for tests: records every message, page and progress call, and answers dialogs
// from scripted queues (an empty queue answers "cancelled" / OK).
#include <deque>
#include <string>
#include <vector>

#include "state/host.h"

namespace carvela {

class FakeHost : public Host {
public:
    struct Messaggio {
        std::string testo;
        Pulsanti pulsanti;
        Icona icona;
    };

    std::vector<Messaggio> messaggi;
    std::deque<Risposta> risposte;       // answers to messages with OK/Cancel or Yes/No
    std::deque<std::string> inputs;      // answers to the input box
    std::deque<std::string> fileAperti;  // answers to the open dialog
    std::deque<std::string> fileSalvati; // answers to the save dialog
    std::vector<std::string> titoliDialoghi, filtriDialoghi, proposteSalvataggio;
    std::vector<Pagina> pagine;
    std::vector<std::string> didascalie;  // CaptionLabel texts in order
    std::vector<int> massimiBarra;
    std::vector<int> posizioniBarra;
    int attese = 0, attesaAperta = 0, beeps = 0, impostaStampanti = 0, chiusureRichieste = 0;
    bool cursoreAttesaAttivo = false;
    bool infoSistemaDisponibile = false;
    std::string titoloFinestra = "Carvela";

    // Texts of the messages, in order.
    std::vector<std::string> testiMessaggi() const;
    void pulisci();

    Risposta messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
    std::string inputBox(const std::string& domanda, const std::string& titolo, const std::string& proposta) override;
    std::string apriFile(const std::string& filtro, const std::string& titolo) override;
    std::string salvaFile(const std::string& proposta, const std::string& filtro, const std::string& titolo) override;
    void impostaStampante() override { ++impostaStampanti; }
    void mostraAttesa() override {
        ++attese;
        attesaAperta = 1;
    }
    void CaptionLabel(const std::string& testo) override { didascalie.push_back(testo); }
    void ImpostaBarra(int16_t massimo) override { massimiBarra.push_back(massimo); }
    void AggiornaSatoBarra(int32_t posizione) override { posizioniBarra.push_back(posizione); }
    void chiudiAttesa() override { attesaAperta = 0; }
    void cursoreAttesa(bool attivo) override { cursoreAttesaAttivo = attivo; }
    void beep() override { ++beeps; }
    void apriPagina(Pagina pagina) override { pagine.push_back(pagina); }
    std::string titolo() const override { return titoloFinestra; }
    void impostaTitolo(const std::string& testo) override { titoloFinestra = testo; }
    bool avviaInfoSistema() override { return infoSistemaDisponibile; }
    void richiediChiusura() override { ++chiusureRichieste; }
};

}  // namespace carvela
