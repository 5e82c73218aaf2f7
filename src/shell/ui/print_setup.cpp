#include "shell/ui/print_setup.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>

namespace carvela {

QPrinter& stampanteCondivisa() {
    static QPrinter* stampante = [] {
        auto* p = new QPrinter(QPrinter::HighResolution);
        p->setPageSize(QPageSize(QPageSize::A4));
        p->setPageOrientation(QPageLayout::Portrait);
        p->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        return p;
    }();
    return *stampante;
}

void impostaStampanteQt(QWidget* parent) {
    QPageSetupDialog dialogo(&stampanteCondivisa(), parent);
    dialogo.setWindowTitle(QStringLiteral("Imposta stampante"));
    dialogo.exec();
}

}  // namespace carvela
