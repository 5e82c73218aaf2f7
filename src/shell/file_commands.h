#pragma once
// Opening and saving project files, and the automatic save.

namespace carvela {
struct Workspace;
class Canvas;
class Host;

// "Apri file...".
void comandoApri(Workspace& ws, Canvas& canvas, Host& host);
// "&Salva..." (conNome false) and "&Salva con nome..." (true).
void comandoSalva(Workspace& ws, Host& host, bool conNome);
// One tick of the automatic-save timer; may change ws.periodoTimerMs.
void tickAutoSave(Workspace& ws, Host& host);

}  // namespace carvela
