#pragma once
// The 3D view: the plan's contour lines in perspective, turned about the centre of the
// terrain and seen from a chosen distance, drawn through the view transform of the canvas.
#include <cstdint>
#include <string>

namespace carvela {
struct Planimetria;
struct Vista;
class Canvas;

// Viewpoint (radians, the distance negative) and the centre of the terrain.
struct StatoVista3D {
    float azimut = 0;        // theta
    float elevazione = 0;    // phi
    float distanza = -2000;  // d
    float centroX = 0, centroY = 0, centroZ = 0;
};

// Middle of the bounding box of the contour lines: x and y from the start points of their
// pieces, z from their elevations. The origin when the plan has no contour line.
void centroTerreno(const Planimetria& piano, StatoVista3D& stato);

// Projection of a world point: relative to the centre, turned and put in perspective; the
// result is then drawn through the view transform. A point level with the viewpoint
// (denominator 0) projects to (0, 0).
struct PuntoProiettato {
    double x = 0, y = 0;
};
PuntoProiettato proiettaPunto(const StatoVista3D& stato, double x, double y, double z);

// Clears the canvas and draws every contour line in the current pen colour, sampled every
// `passo` pieces ("IntervalloVertexPLine") as the plan drawing draws it; then the road axis
// through its stations (white) and the road edges (yellow) at the design elevation of each
// station's section (the ground's where no design is known).
void disegnaVista3D(Vista& vista, Canvas& canvas, const Planimetria& piano, int32_t passo, const StatoVista3D& stato);
// Sets the view so that everything the 3D view draws (projected) fits a canvas of that size
// with the margin of "Zoom estensione": the window opens on the whole terrain wherever it
// lies. False (the view unchanged) when there is nothing to show.
bool adattaVista3D(Vista& vista, int larghezza, int altezza, const Planimetria& piano, const StatoVista3D& stato);

// The three sliders of the window: 0 elevation, 1 azimuth (tenths of a radian), 2 distance.
struct CursoreVista3D {
    int minimo, massimo, iniziale;
};
inline constexpr CursoreVista3D kCursoriVista3D[3] = {{0, 63, 0}, {0, 63, 0}, {-2000, -200, -2000}};

// The window's state: slider values and the view they drive.
class ModelloVista3D {
public:
    // Opening: the centre of the plan's terrain, every slider at its initial value.
    explicit ModelloVista3D(const Planimetria& piano);

    // A slider moved: the value is kept within its range and drives its angle or distance.
    void imposta(int cursore, int valore);
    int valore(int cursore) const;
    // The caption of the slider's label: its value as a whole number.
    std::string etichetta(int cursore) const;
    const StatoVista3D& stato() const { return stato_; }

private:
    int valori_[3];
    StatoVista3D stato_;
};

}  // namespace carvela
