#pragma once
// The progress window FormWait: a caption and a bar. It keeps the program responsive
// during long work by letting pending events through at most every 50 ms.
#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QProgressBar;

namespace carvela {

class FinestraAttesa : public QDialog {
    Q_OBJECT
public:
    explicit FinestraAttesa(QWidget* parent = nullptr);

    void mostra();
    void chiudi();
    void CaptionLabel(const QString& testo);
    void ImpostaBarra(int massimo);
    void AggiornaSatoBarra(int posizione);

    QString didascalia() const;
    int massimo() const;
    int posizione() const;

protected:
    void closeEvent(QCloseEvent* event) override;  // only the program closes it

private:
    void lasciaPassareEventi(bool subito = false);

    QLabel* etichetta_;
    QProgressBar* barra_;
    QElapsedTimer ultimiEventi_;
    bool cursoreAttesa_ = false;
};

}  // namespace carvela
