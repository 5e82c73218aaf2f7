#pragma once
// The DXF drawings of the documents: each export returns the whole file text (ENTITIES
// section only), in project units, independent of the screen view. The large ones take a
// file to write into as they go (see ScrittoreDxf::collega); they then return only the end.
#include <string>

#include "project/records.h"

namespace carvela {
struct Impostazioni;
struct ParametriTerra;
class Host;
class FileAtomico;

// Truncation to a number of decimals (floor), as the labels show coordinates: 1.999 gives
// 1.99 with two decimals. The product is taken in single precision, so a value typed as
// 0.29 stays 0.29.
float troncaDecimali(float v, int decimali);

std::string esportaPoligonaleAperta(const OpenTraverse& p, const Impostazioni& imp);
std::string esportaPoligonaleChiusa(const ClosedTraverse& p, const Impostazioni& imp);
std::string esportaTriangolazione(const TriangulationChain& t, const Impostazioni& imp);
std::string esportaPianta(const Planimetria& piano, const Impostazioni& imp, FileAtomico* file = nullptr);
std::string esportaDiagramma(const TabellaPaleggi& paleggi);
// With a free haul, the balance points and the haul chords (and the corrected mass line when
// swell or shrink is not 1) on the layer "compenso"; without one, the file above.
std::string esportaDiagramma(const TabellaPaleggi& paleggi, const ParametriTerra& parametri);
// The profile and the sections are written from their drawings: dxf/dxf_road_exports.h.

// Sheet offset of the section numbered `numero` (columns of SezioniPerColonnaDXF sections).
void offsetFoglioSezione(int numero, const Impostazioni& imp, double& offsetX, double& offsetY);

// Palette index to DXF colour number: the inverse of the reader's colour map (15 gives 7).
int coloreDxfDaPalette(int indice);

}  // namespace carvela
