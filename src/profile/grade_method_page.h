#pragma once
// The window "Imposta tipo di calcolo della livelletta": five tabs, one per grade-line
// method; the selected tab is the method. Tabs 1 to 4 hold a grid with one row per grade
// line, tab 5 a single start elevation.
#include <array>
#include <string>

#include "project/griglia.h"

namespace carvela {
struct Workspace;
class Host;

class PaginaTipoProfilo {
public:
    static constexpr int kSchede = 5;
    // Captions of the tabs, in order.
    static const std::array<const char*, kSchede>& titoliSchede();

    std::array<Griglia, 4> griglie;  // tabs 1..4
    std::string quotaPartenza;       // tab 5: "Quota di progetto di partenza:"
    int scheda = 0;                  // selected tab, 0..4: the method is scheda + 1

    // Opening: at least one grade line; the grids sized to the grade lines.
    void apri(Workspace& ws);
    // Activation: grids filled from the profile, the tab of its method selected, and the
    // method set to the selected tab's.
    void attiva(Workspace& ws);
    // A key in a grid of tab `indiceScheda` (0..3): Backspace removes the last character,
    // any other character is appended.
    void tasto(int indiceScheda, int riga, int colonna, int codice);
    // "&Applica": method = selected tab; its entries stored; solve; the window then redraws
    // the profile. False (with a message, nothing stored) when an entry is not a number.
    bool applica(Workspace& ws, Host& host);
};

}  // namespace carvela
