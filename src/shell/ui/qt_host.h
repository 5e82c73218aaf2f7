#pragma once
// The host of the desktop program: message boxes, the input box, the file dialogs, the
// progress window, cursors and the pages, on Qt.
#include <QString>
#include <functional>
#include <map>
#include <memory>

#include "shell/ui/page_registry.h"
#include "state/host.h"

class QDialog;
class QWidget;

namespace carvela {
class FinestraAttesa;

// The program's dialog filter ("Nome (*.ext) | *.EXT|...") as a Qt filter: one entry per
// pair, named as written, matching both the listed patterns ("Nome (*.ext *.EXT)").
QString filtroQt(const std::string& filtro);

class QtHost : public Host {
public:
    // `finestra` is the main window: parent of dialogs and pages, owner of the caption.
    QtHost(QWidget* finestra, Workspace& ws, Canvas& canvas);
    ~QtHost() override;

    Risposta messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) override;
    std::string inputBox(const std::string& domanda, const std::string& titolo, const std::string& proposta) override;
    std::string apriFile(const std::string& filtro, const std::string& titolo) override;
    std::string salvaFile(const std::string& proposta, const std::string& filtro, const std::string& titolo) override;
    void impostaStampante() override;

    void mostraAttesa() override;
    void CaptionLabel(const std::string& testo) override;
    void ImpostaBarra(int16_t massimo) override;
    void AggiornaSatoBarra(int32_t posizione) override;
    void chiudiAttesa() override;

    void cursoreAttesa(bool attivo) override;
    void beep() override;
    void apriPagina(Pagina pagina) override;
    std::string titolo() const override;
    void impostaTitolo(const std::string& testo) override;
    bool avviaInfoSistema() override;
    void richiediChiusura() override;

    // The page of that id, created on first use and kept; nullptr when none is registered.
    QDialog* pagina(Pagina pagina);
    FinestraAttesa& finestraAttesa();
    bool attesaVisibile() const;
    // The asterisk after the caption of a project with unsaved changes; titolo() leaves it out.
    void mostraModificato(bool modificato);

    // Answers in place of the dialogs, for scripted runs and window tests: when set, the
    // dialog is not shown and the function answers for it.
    std::function<Risposta(const std::string& testo, Pulsanti, Icona)> rispostaMessaggio;
    std::function<std::string(const std::string& domanda)> rispostaInput;
    std::function<std::string(const std::string& filtro, const std::string& titolo)> rispostaFile;
    // Called before a page opens; returning true means "handled", the page is not shown.
    std::function<bool(Pagina)> intercettaPagina;

private:
    QWidget* finestra_;
    ContestoPagina contesto_;
    std::map<Pagina, QDialog*> pagine_;
    FinestraAttesa* attesa_ = nullptr;
    int cursoriAttesa_ = 0;
    bool modificato_ = false;
};

}  // namespace carvela
