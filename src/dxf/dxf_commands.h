#pragma once
// The main-window commands of the drawing exchange: import and export.

namespace carvela {
struct Workspace;
class Canvas;
class Host;

// "Importa file DXF...": dialog, reset, read, zoom to the limits, draw, caption.
void comandoImportaDxf(Workspace& ws, Canvas& canvas, Host& host);
// "&Esporta DXF disegno corrente...": dialog, then the export of the document shown.
void comandoEsportaDxf(Workspace& ws, Canvas& canvas, Host& host);

}  // namespace carvela
