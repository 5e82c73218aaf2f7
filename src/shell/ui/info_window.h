#pragma once
// The information window FormInfo: the program's maker and description, and a close button.
#include <QDialog>

#include "shell/ui/page_registry.h"

namespace carvela {

// The two texts of the window (the version information of the program).
QString nomeProduttore();
QString commentiVersione();

class FinestraInformazioni : public QDialog {
    Q_OBJECT
public:
    FinestraInformazioni(ContestoPagina& contesto, QWidget* parent = nullptr);
};

}  // namespace carvela
