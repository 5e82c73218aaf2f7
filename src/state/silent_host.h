#pragma once
// A host that shows nothing and answers every dialog "cancelled": for batch work and
// benchmarks. Subclasses override what they want to see.
#include <string>

#include "state/host.h"

namespace carvela {

class HostMuto : public Host {
public:
    Risposta messaggio(const std::string&, Pulsanti pulsanti, Icona, const std::string&) override {
        return pulsanti == Pulsanti::SiNo ? Risposta::Si : Risposta::Ok;
    }
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

}  // namespace carvela
