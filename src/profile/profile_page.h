#pragma once
// The profile window "Caratteristiche del profilo longitudinale.": the sections grid, where
// the user marks the sections that close a grade line, and the curves grid, where stakes
// and radii are edited. "&Applica" rebuilds the grade-line layout from the marks, checks the
// radii, solves and keeps a copy of the profile in the plan.
#include <functional>
#include <string>

#include "project/griglia.h"

namespace carvela {
struct Workspace;
class Host;

inline constexpr const char* kChiudiLivelletta = "chiudi livelletta";

class PaginaProfilo {
public:
    Griglia sezioni;  // "Parametri del profilo:"
    Griglia curve;    // "Parametri delle curve:"

    // Sizes both grids (room for the plan's profile and for the profile shown, whichever is
    // larger), writes headings and row numbers, and fills them from Profilo.
    void apri(const Workspace& ws);
    // A click on the sections grid: column 3 toggles the grade-line mark.
    void clicSezioni(int riga, int colonna);
    // A key on the curves grid: only the stakes and radius columns take typing.
    void tastoCurve(int riga, int colonna, int codice);

    // The apply operation; false (with its message) when the profile was not applied.
    bool applica(Workspace& ws, Host& host);
    // The "&Applica" button: the apply, then the profile drawing (`disegna`, given by the
    // window) and the reminder that the plan needs the road computation again.
    bool premiApplica(Workspace& ws, Host& host, const std::function<void()>& disegna);

    // The first grid row that holds a section.
    int primaRiga() const { return primaRiga_; }

private:
    int primaRiga_ = 1;
};

// The reminder shown after a successful apply.
std::string messaggioRicalcoloTracciato();

}  // namespace carvela
