#pragma once
// The haul report window "Movimenti di terra e trasporti": the mass haul of the road's volume
// table with the earthwork settings, read-only, with its text export, print and PDF.
#include <QWidget>

namespace carvela {
struct Workspace;
class Canvas;
class Host;

// Opens the report (modal) and returns when it closes.
void apriRapportoTrasporti(QWidget* parent, Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
