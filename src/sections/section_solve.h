#pragma once
// The cross-section solve: platform, slopes, catch points, walls, cut and fill areas.
#include <cstdint>
#include <string>
#include <vector>

#include "project/vbarray.h"

namespace carvela {
struct Sezione;
struct Impostazioni;

// Why a section could not be solved. An unsolved section keeps its ground line, gets
// neutral results (catch points on the platform edges, no crossing, zero areas) and
// Risolta = false, so no value of an earlier solve passes for a result of this one.
enum class EsitoSezione : uint8_t {
    Risolta,
    PuntiInsufficienti,    // fewer than two ground points, or lists shorter than the count
    ValoriNonValidi,       // a value that is not a finite number, or a negative width
    DistanzeNonCrescenti,  // the ground line goes back on itself
    CiglioFuoriTerreno,    // a platform edge lies outside the ground line
    ScarpataSenzaTerreno,  // a slope meets no ground and walls are off
};

void risolviSezione(Sezione& sezione, const Impostazioni& impostazioni);
EsitoSezione risolviSezioneConEsito(Sezione& sezione, const Impostazioni& impostazioni);

// The reason in words, for the messages ("" for a solved section).
const char* testoEsito(EsitoSezione esito);

// Positions among 1..numeroSezioni of the sections whose last solve failed.
std::vector<int32_t> sezioniNonRisolte(const VbArray<Sezione>& sezioni, int32_t numeroSezioni);
int32_t contaSezioniNonRisolte(const VbArray<Sezione>& sezioni, int32_t numeroSezioni);
// The warning shown after the road computation when some sections could not be solved;
// empty when the list is empty.
std::string messaggioSezioniNonRisolte(const std::vector<int32_t>& posizioni);

}  // namespace carvela
