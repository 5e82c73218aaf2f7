#include "shell/ui/page_registry.h"

#include <map>

namespace carvela {
namespace {
std::map<Pagina, FabbricaPagina>& registro() {
    static std::map<Pagina, FabbricaPagina> r;
    return r;
}
}  // namespace

void registraPagina(Pagina pagina, FabbricaPagina fabbrica) { registro()[pagina] = std::move(fabbrica); }

QDialog* creaPagina(Pagina pagina, ContestoPagina& contesto, QWidget* parent) {
    auto it = registro().find(pagina);
    return it == registro().end() ? nullptr : it->second(contesto, parent);
}

}  // namespace carvela
