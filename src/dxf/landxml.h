#pragma once
// LandXML 1.2, the exchange format of road software: the road leaves as one document (axis as
// an alignment of lines and circular curves, longitudinal profile, cross-sections) and its axis
// comes back from any alignment of lines and curves. Coordinates in the document are true
// coordinates: the records plus the project origin.
#include <string>
#include <vector>

namespace carvela {
struct Planimetria;
struct Impostazioni;
struct Workspace;
class Canvas;
class Host;

// Date ("2026-12-07") and time ("14:05:00") written in the document's header: the moment given
// by SOURCE_DATE_EPOCH when set (reproducible output), otherwise now, in UTC.
struct MomentoLandXml {
    std::string data, ora;
};
MomentoLandXml momentoAttuale();

// The whole document of a plan record: its axis with the curve radii of its profile, the
// profile (ground line and grade-line ends) and the solved sections. False with the reason
// when the plan holds no axis.
bool documentoLandXml(const Planimetria& piano, const Impostazioni& imp, const MomentoLandXml& momento,
                      std::string& documento, std::string& errore);

// One element of the axis in record coordinates: a circular curve at vertex `vertice` of the
// polygon (1-based), or a tangent on the leg from vertex `vertice` to the next.
struct ElementoAsse {
    bool curva = false;
    double inizioX = 0, inizioY = 0, fineX = 0, fineY = 0;
    double centroX = 0, centroY = 0, piX = 0, piY = 0, raggio = 0;
    double deviazione = 0;  // signed deflection, radians, positive turning right
    int vertice = 0;
    // A tangent running against its leg: the curves at both its ends overlap on the leg.
    bool rovescio = false;
    double lunghezza() const;
};
// The tangents and curves of the axis: the vertices of the polygon and, at every interior
// vertex with a radius in the profile's curve table, the circle that touches both legs, as the
// staking of the axis places it. Tangents of no length are left out.
std::vector<ElementoAsse> geometriaAsse(const Planimetria& piano);

// An axis read from a document, in true coordinates.
struct AsseLandXml {
    std::string nome;
    std::vector<double> est, nord;  // the vertices: ends and PIs
    std::vector<double> raggi;      // per vertex, 0 where no curve turns it
};
// The first alignment of the document. False with a message naming what is wrong (not well
// formed, no alignment, a spiral, a curve whose radius disagrees with its points by more than
// a millimetre, broken continuity); unknown elements are ignored.
bool leggiAsseLandXml(const std::string& documento, AsseLandXml& asse, std::string& errore);
bool leggiFileAsseLandXml(const std::string& path, AsseLandXml& asse, std::string& errore);

// Makes the axis read the axis of the plan: vertices relative to the project origin (an
// empty plan without origin first gets one that fits the axis), radii into the curve table
// of the profile, which starts anew.
void applicaAsseLandXml(Workspace& ws, const AsseLandXml& asse);

// After the road computation of an imported axis: the curves whose radius the staking changed
// (to fit the legs, or up to the minimum radius), as a warning; empty when none changed.
std::string avvisoRaggiModificati(const Workspace& ws, const AsseLandXml& asse);

// "Esporta LandXML..." of the File menu; its import is in dxf/dxf_commands.h.
void comandoEsportaLandXml(Workspace& ws, Canvas& canvas, Host& host);
// Writes the document of the plan to `path`; false after a message. Curves that overlap on a
// leg are written as the staking has them, with a warning that names their vertices.
bool esportaLandXml(const Planimetria& piano, const Impostazioni& imp, const std::string& path, Host& host);

}  // namespace carvela
