#pragma once
// Pages register themselves by id; the Qt host creates each on first use and reuses it.
#include <QDialog>
#include <functional>

#include "state/host.h"

namespace carvela {
struct Workspace;
class Canvas;

// What a page works on: the program state, the canvas to redraw, the host for messages.
struct ContestoPagina {
    Workspace& ws;
    Canvas& canvas;
    Host& host;
};

using FabbricaPagina = std::function<QDialog*(ContestoPagina& contesto, QWidget* parent)>;

void registraPagina(Pagina pagina, FabbricaPagina fabbrica);
// A new page, or nullptr when no page is registered under that id.
QDialog* creaPagina(Pagina pagina, ContestoPagina& contesto, QWidget* parent);

}  // namespace carvela

// In the page's .cpp: CARVELA_REGISTRA_PAGINA(Pagina::Sezione, PaginaSezione)
// where PaginaSezione has a constructor (ContestoPagina&, QWidget*).
#define CARVELA_REGISTRA_PAGINA(id, Classe)                                                       \
    namespace {                                                                                  \
    const bool registrata_##Classe = (::carvela::registraPagina(                                  \
                                          id,                                                    \
                                          [](::carvela::ContestoPagina& c, QWidget* p) -> QDialog* { \
                                              return new Classe(c, p);                           \
                                          }),                                                    \
                                      true);                                                     \
    }
