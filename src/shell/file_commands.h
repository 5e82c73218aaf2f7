#pragma once
// Opening and saving project files, and the automatic save.
#include <string>

namespace carvela {
struct Workspace;
class Canvas;
class Host;

// The open dialog's title and filter.
inline constexpr const char* kTitoloApri = "Apri file...";
inline constexpr const char* kFiltroApri =
    "Planimetria (*.pln)|*.PLN|Profilo (*.pro)|*.PRO|Sezione (*.sez)|*.SEZ|Poligonale aperta (*.pla)|*.PLA|"
    "Poligonale chiusa(*.plc)|*.PLC|Triangolazioni (*.trn)|*.TRN|";

// "Apri file...".
void comandoApri(Workspace& ws, Canvas& canvas, Host& host);
// Opens one project file as the command does after its dialog (reset, read, draw, caption).
// True when the file was read.
bool apriFileProgetto(Workspace& ws, Canvas& canvas, Host& host, const std::string& path);

// "&Salva..." (conNome false) and "&Salva con nome..." (true).
void comandoSalva(Workspace& ws, Host& host, bool conNome);
// The save of the automatic timer: the document shown, to the file it already has; silent
// when there is nothing to save or the document has no file yet. True when a file was written.
bool salvaAutomatico(Workspace& ws, Host& host);
// One tick of the automatic-save timer; may change ws.periodoTimerMs.
void tickAutoSave(Workspace& ws, Host& host);

}  // namespace carvela
