#pragma once
// A data page's grid as plain cell texts: rows x columns, row 0 the headings, column 0 the
// row labels. Page logic fills and reads these; the window only shows them.
#include <cstdint>
#include <string>
#include <vector>

namespace carvela {

class Griglia {
public:
    Griglia() = default;
    Griglia(int righe, int colonne) { dimensiona(righe, colonne); }

    int righe() const { return righe_; }
    int colonne() const { return colonne_; }

    // New size; the cells that still fit keep their text.
    void dimensiona(int righe, int colonne) {
        std::vector<std::string> celle(static_cast<std::size_t>(righe < 0 ? 0 : righe) *
                                       static_cast<std::size_t>(colonne < 0 ? 0 : colonne));
        for (int r = 0; r < righe && r < righe_; ++r)
            for (int c = 0; c < colonne && c < colonne_; ++c)
                celle[static_cast<std::size_t>(r) * colonne + c] = std::move(cella(r, c));
        celle_ = std::move(celle);
        righe_ = righe < 0 ? 0 : righe;
        colonne_ = colonne < 0 ? 0 : colonne;
    }
    bool valida(int r, int c) const { return r >= 0 && c >= 0 && r < righe_ && c < colonne_; }
    std::string& cella(int r, int c) { return celle_[static_cast<std::size_t>(r) * colonne_ + c]; }
    const std::string& cella(int r, int c) const { return celle_[static_cast<std::size_t>(r) * colonne_ + c]; }
    // Reading outside the grid gives an empty text.
    std::string testo(int r, int c) const { return valida(r, c) ? cella(r, c) : std::string(); }
    void imposta(int r, int c, std::string t) {
        if (valida(r, c)) cella(r, c) = std::move(t);
    }
    void pulisci() {
        for (auto& s : celle_) s.clear();
    }

    // The cell a failed check of the page refers to ("Tipo di dati non corretto!"), so that
    // the window can bring the focus there; row 0 when there is none. The checks read the
    // grid as const, hence mutable.
    struct Posizione {
        int riga = 0, colonna = 0;
    };
    void segnaErrore(int r, int c) const { errore_ = {r, c}; }
    void azzeraErrore() const { errore_ = {}; }
    Posizione errore() const { return errore_; }

    // Presentation hints for the window (twips as designed; the window converts).
    std::vector<int> larghezzeColonne;
    int altezzaIntestazione = 300;
    int altezzaRiga = 300;

private:
    std::vector<std::string> celle_;
    int righe_ = 0, colonne_ = 0;
    mutable Posizione errore_;
};

}  // namespace carvela
