#pragma once
// The three point-location problems: forward intersection, Pothenot resection and Hansen's
// problem. Angles are in the unit of the straight angle U. The figures are solved in double
// precision: callers pass coordinates relative to an origin near the known points (national
// grid coordinates keep their millimetre) and add it back to the results.
#include <string>

namespace carvela {

// Azimuth of the direction from point 1 to point 2 in radians, clockwise from north, with
// pi held in single precision; due north gives 2 pi (the single value 6.283186), a null
// direction gives 0.
double azimutDirezione(double x1, double y1, double x2, double y2);

struct EsitoIntersezione {
    const char* errore = nullptr;  // the message to show when the figure cannot be solved
    double Xp = 0, Yp = 0, Xq = 0, Yq = 0;
    bool riuscito() const { return errore == nullptr; }
};

// P seen from A under alfa (anticlockwise from AB) and from B under beta (clockwise from BA).
EsitoIntersezione intersezioneAvanti(double Xa, double Ya, double Xb, double Yb, double alfa, double beta,
                                     float angoloPiatto);

// P from the angles it sees: alfa from A to B, beta from B to C (both clockwise; B the middle
// point). Fails on the dangerous circle.
EsitoIntersezione intersezionePotheno(double Xa, double Ya, double Xb, double Yb, double Xc, double Yc, double alfa,
                                      double beta, float angoloPiatto);

// P and Q from the angles measured at P (alfa from Q to A, alfa1 from Q to B) and at Q (beta
// from P to A, beta1 from P to B).
EsitoIntersezione intersezioneHansen(double Xa, double Ya, double Xb, double Yb, double alfa, double alfa1, double beta,
                                     double beta1, float angoloPiatto);

}  // namespace carvela
