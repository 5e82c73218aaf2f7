#pragma once
// Earthwork quantities of a road: cut and fill volumes per stretch by average end areas,
// swell and shrink, the mass diagram on the corrected volumes, and the mass haul (balance
// points, free haul, overhaul, waste and borrow beyond the limit of economic haul).
#include <string>
#include <vector>

#include "project/griglia.h"
#include "project/records.h"

namespace carvela {

struct Impostazioni;

// One section as the earthwork takes it: progressive (m), cut and fill areas (m2, both 0 or
// positive).
struct SezioneTerra {
    double progressiva = 0, sterro = 0, riporto = 0;
};

struct ParametriTerra {
    double rigonfiamento = 1;       // swell: loose volume = cut x swell
    double costipamento = 1;        // shrink: bank volume needed = fill / shrink
    double trasportoFranco = 0;     // free-haul distance (m)
    double trasportoEconomico = 0;  // limit of economic haul (m); 0: no limit
    // A zero point (where the corrected net area changes sign) inside a stretch splits it, as
    // the road's volume table does; off, the mass diagram runs straight between the sections
    // as given, as a hand table draws it.
    bool puntiDiPassaggio = false;
};

// The limit of economic haul from the settings: the limit itself when given, else the free
// haul plus the ratio of borrow cost (per m3) to overhaul cost (per m3 and metre), else none.
double limiteTrasportoEconomico(double franco, double limite, double rapportoCosti);

// The parameters of the road's earthwork from the settings: swell, shrink, free haul and the
// economic limit (given or from the cost ratio); zero points split the stretches, as the
// road's volume table does.
ParametriTerra parametriTerra(const Impostazioni& impostazioni);

// One row of the volume list: the stretch to a section, or to a zero point (where the
// corrected net area changes sign), as the volume table splits it.
struct TrattoTerra {
    bool puntoDiPassaggio = false;
    double progressiva = 0, distanza = 0;
    double areaSterro = 0, areaRiporto = 0;      // at the row's end
    double volumeSterro = 0, volumeRiporto = 0;  // own areas, average end areas
    double volumeCorretto = 0;                   // cut x swell - fill / shrink
    double ordinata = 0;                         // mass ordinate at the row's end
};

// A stretch between two consecutive balance points of the balance line (ordinate 0), or
// from the last one to the end of the road when the diagram does not come back to 0.
struct TrattoCompensato {
    double da = 0, a = 0;
    int verso = 1;                     // +1: material moves forward (cut then fill), -1: back
    bool chiuso = true;                // false: the last stretch, open at the road's end
    double volumeFranco = 0;           // moved within the free haul
    double volumeOltreFranco = 0;      // moved beyond the free haul, within the economic limit
    double trasportoOltreFranco = 0;   // overhaul, m3 x m beyond the free haul
    double momentoTrasporto = 0;       // every moved m3 times its haul distance (m3 x m)
    double rifiuto = 0, prestito = 0;  // waste and borrow
    double estremo = 0;                // the diagram's farthest ordinate from 0 in the stretch
};

// A horizontal chord of the mass diagram between the two branches of a loop.
struct CordaDiagramma {
    double da = 0, a = 0, ordinata = 0;
    bool economica = false;  // false: free-haul chord; true: economic-haul chord
};

struct Movimento {
    ParametriTerra parametri;
    std::vector<SezioneTerra> sezioni;
    std::vector<TrattoTerra> tratti;  // first row: the first section, no stretch before it
    double sterroTotale = 0, riportoTotale = 0;
    double sterroSciolto = 0, riportoInBanco = 0;  // cut x swell, fill / shrink
    double ordinataFinale = 0;
    std::vector<double> puntiEquilibrio;
    std::vector<TrattoCompensato> compensati;
    std::vector<CordaDiagramma> corde;
    TrattoCompensato totale;  // sums over the stretches (da, a: the road's ends)
};

// The whole computation. The sections must be in progressive order (a repeated
// progressive is a stretch of no length).
Movimento calcolaMovimento(const std::vector<SezioneTerra>& sezioni, const ParametriTerra& parametri);

// The sections of a volume table: section 1 at the first diagram point, then the section
// progressives, fill areas turned positive.
std::vector<SezioneTerra> sezioniDaPaleggi(const TabellaPaleggi& tabella);

// Reads a plain table, one section per line: progressive, cut area, fill area (fill may be
// written negative). Fields apart by blanks, tabs, ";" or "," (then the point is the
// decimal mark); a comma alone in a field is a decimal comma. A progressive may be a
// station "1+250.5" (the digits after "+" give the metres). Lines starting with "#" and a
// first line of headings are skipped. False with `errore` naming the line on bad input.
bool leggiTabellaTerra(const std::string& testo, std::vector<SezioneTerra>& sezioni, std::string& errore);

// The report as text (point decimals, so it reads the same on every machine) and as the
// grids of the report window and its text export.
std::string testoMovimento(const Movimento& m);
std::vector<Griglia> griglieMovimento(const Movimento& m);

}  // namespace carvela
