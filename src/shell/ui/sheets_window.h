#pragma once
// "Stampa tavole...": the cross-sections and the profile as sheets at scale, to the printer
// or to a PDF file, through the sheets layout the batch tool uses.
#include <QDialog>
#include <QString>

class QComboBox;

namespace carvela {
struct Workspace;
struct OpzioniTavole;
class Host;

class FinestraTavole : public QDialog {
    Q_OBJECT
public:
    FinestraTavole(Workspace& ws, Host& host, QWidget* parent = nullptr);

public slots:
    void stampa();
    // Asks where, then writes the PDF; false when nothing was written.
    bool esportaPdf();

public:
    // The sheets written to `percorso` with the choices on screen; false, with a message, on error.
    bool scriviPdf(const std::string& percorso);

private:
    bool opzioni(OpzioniTavole& o) const;

    Workspace& ws_;
    Host& host_;
    QComboBox* sezioni_;
    QComboBox* profilo_;
    QComboBox* carta_;
};

}  // namespace carvela
