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

// Before the project in memory is replaced (new, open, DXF import, wizard): when it has
// changes not saved, asks whether to save them. "Sì" saves the document shown (a save that
// fails or is cancelled stops), "No" discards, "Annulla" stops. True when the caller may go on.
bool confermaAbbandono(Workspace& ws, Host& host);
// Closing the program: the question above for a modified project, otherwise the plain
// confirmation. True when the program may close.
bool confermaChiusura(Workspace& ws, Host& host);

// "Apri file...": the question above, then the dialog.
void comandoApri(Workspace& ws, Canvas& canvas, Host& host);
// Opens one project file as the command does after its dialog. The file is read into a
// copy: on failure (message) the project in memory, the drawing and the caption stay as
// they were. True when the file was read; the project is then unmodified.
bool apriFileProgetto(Workspace& ws, Canvas& canvas, Host& host, const std::string& path);

// "&Salva..." (conNome false) and "&Salva con nome..." (true).
void comandoSalva(Workspace& ws, Host& host, bool conNome);
// The save of the automatic timer: the document shown, to the file it already has; silent
// when there is nothing to save or the document has no file yet. True when a file was written.
bool salvaAutomatico(Workspace& ws, Host& host);
// One tick of the automatic-save timer (every ws.periodoTimerMs): once the interval in
// minutes of the settings has passed, a modified project is written to the file it already
// has. Returns the path written, empty when nothing was.
std::string tickAutoSave(Workspace& ws, Host& host);

}  // namespace carvela
