#pragma once
// Grid and text-box helpers shared by the survey pages.
#include <functional>
#include <string>
#include <vector>

#include "project/griglia.h"

namespace carvela {
class Host;

// Sizes a page grid and sets its layout: heading row 500 twips high, other rows 300, column 0
// 800 twips wide and the others 1300. Cells that still fit keep their text.
void dimensionaGrigliaRilievo(Griglia& g, int righe, int colonne);

// Writes the headings of row 0 (column 0 included).
void intestaGriglia(Griglia& g, const std::vector<std::string>& intestazioni);

// Row labels "1", "2", ... in column 0 of rows 1..last.
void numeraRighe(Griglia& g);

// Grows the grid (keeping its texts) so that it has row `riga`, labelling new rows.
void assicuraRiga(Griglia& g, int riga, bool etichetteTratto = false);

// A value as the grids show it ("###0.0000"); nothing for a value that is not a number.
// Coordinates are shown true: the record's value plus its origin.
std::string testoValore(double v);
// A value as a text box shows it (its plain number text).
std::string testoCasella(float v);
// A record coordinate made true by its origin (the value itself, signed zero included, when
// the origin is 0).
inline double coordinataVera(float relativa, double origine) {
    return origine == 0 ? double{relativa} : origine + relativa;
}
// A record coordinate in a text box, true: with origin 0 the plain text of the value, as
// ever; otherwise the value plus the origin to a tenth of a millimetre.
std::string testoCoordinata(float relativa, double origine);
// A coordinate typed in a box, read in double so that national grid values keep their
// millimetre until they are taken relative to an origin.
bool leggiCoordinata(const std::string& testo, double& valore);

enum class Cella { Numero, NonNumerica, FuoriIntervallo };
// A grid cell as the row scan reads it: a number, the end of the list (empty or not
// numeric), or a number no single-precision value can hold.
Cella leggiCella(const Griglia& g, int riga, int colonna, float& valore);

// A text box read as a single-precision number.
bool leggiCasella(const std::string& testo, float& valore);

// "&Esporta TXT": the page's grids written as a text file; `mostraPagina(false)` hides the
// page while the file is written and `mostraPagina(true)` shows it again.
void esportaGriglie(Host& host, const std::vector<const Griglia*>& griglie,
                    const std::function<void(bool)>& mostraPagina = {});

}  // namespace carvela
