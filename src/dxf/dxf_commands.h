#pragma once
// The main-window commands of the drawing exchange: import, conversion and export. They
// sit with the drawings: each one redraws what its computation changed.
#include <string>

#include "project/records.h"

namespace carvela {
struct Workspace;
struct LimitiDxf;
struct SceltaDxf;
class ModelloRicavaDxf;
class Canvas;
class Host;

// "Importa file DXF...": dialog, then importaFileDxf; false when nothing was imported.
bool comandoImportaDxf(Workspace& ws, Canvas& canvas, Host& host);
// Reads the file first; when it cannot be read, or holds no entity, says so and leaves the
// document shown as it was (false). Otherwise closes the document, takes the drawing, zooms on
// it, draws it and appends " [ path ]" to the caption. Also the import of the wizard.
bool importaFileDxf(Workspace& ws, Canvas& canvas, Host& host, const std::string& path);
// The zoom of an import: on the header limits, or on the entities when the file has no
// usable limits or its entities lie outside them. The view before is saved.
void zoomSuDisegnoDxf(Workspace& ws, Canvas& canvas, Host& host, const LimitiDxf& limiti);
// Extent of the drawn entities in drawing units; false when there is none.
bool estensioneDxf(const VbArray<DxfEntity>& disegno, double& minX, double& minY, double& maxX, double& maxY);

// "&Esporta DXF disegno corrente...": dialog, then esportaDocumentoDxf.
void comandoEsportaDxf(Workspace& ws, Canvas& canvas, Host& host);
// The export of the document shown to `path`; false when nothing was written (no document,
// an imported drawing, or a file error, which is reported).
bool esportaDocumentoDxf(Workspace& ws, Host& host, const std::string& path);

// The conversion of "Ricava progetto da file DXF" (convertiDisegnoDxf): a plan is drawn, and a
// plan of points then opens its page. False when refused.
bool convertiProgettoDxf(Workspace& ws, Canvas& canvas, Host& host, const SceltaDxf& scelta);
// "<<  &Riconosci... >>" with a choice made: the conversion, then the report of the contour
// lines made, also after a refusal, so the user learns what the drawing held.
bool riconosciDxf(Workspace& ws, Canvas& canvas, Host& host, const SceltaDxf& scelta);
// The same after the window has closed: the window's choice first (ModelloRicavaDxf::scelta).
bool riconosciDxf(const ModelloRicavaDxf& modello, Workspace& ws, Canvas& canvas, Host& host);

// "Importa asse da LandXML..." of the File menu: with contour lines the axis is computed at
// once, otherwise the plan is drawn.
void comandoImportaAsseLandXml(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
