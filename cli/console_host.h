#pragma once
// The host of the batch tool: messages go to standard error, dialogs answer "cancelled",
// the progress window is silent.
#include <string>
#include <vector>

#include "shell/host.h"

namespace carvela::cli {

class ConsoleHost : public Host {
public:
    std::vector<std::string> messaggi;  // every message shown, in order
    bool stampa = true;                 // echo messages to standard error

    Risposta messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
    std::string inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::string apriFile(const std::string&, const std::string&) override { return {}; }
    std::string salvaFile(const std::string&, const std::string&, const std::string&) override { return {}; }
    void impostaStampante() override {}
    void mostraAttesa() override {}
    void CaptionLabel(const std::string&) override {}
    void ImpostaBarra(int16_t) override {}
    void AggiornaSatoBarra(int32_t) override {}
    void chiudiAttesa() override {}
    void cursoreAttesa(bool) override {}
    void beep() override {}
    void apriPagina(Pagina) override {}
    std::string titolo() const override { return titolo_; }
    void impostaTitolo(const std::string& t) override { titolo_ = t; }
    bool avviaInfoSistema() override { return false; }
    void richiediChiusura() override {}

private:
    std::string titolo_ = "Carvela";
};

}  // namespace carvela::cli
