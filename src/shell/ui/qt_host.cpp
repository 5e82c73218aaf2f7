#include "shell/ui/qt_host.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>

#include "shell/ui/print_setup.h"
#include "shell/ui/wait_window.h"

namespace carvela {

QString filtroQt(const std::string& filtro) {
    const QStringList parti = QString::fromStdString(filtro).split('|');
    QStringList voci;
    for (int i = 0; i + 1 < parti.size(); i += 2) {
        QString nome = parti[i].trimmed();
        QStringList modelli;
        // Patterns named in the description, then those of the second half of the pair.
        static const QRegularExpression tra("\\(([^()]*)\\)\\s*$");
        const QRegularExpressionMatch m = tra.match(nome);
        if (m.hasMatch()) {
            modelli += m.captured(1).split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts);
            nome = nome.left(m.capturedStart()).trimmed();
        }
        modelli += parti[i + 1].trimmed().split(QRegularExpression("[;\\s]+"), Qt::SkipEmptyParts);
        modelli.removeDuplicates();
        if (nome.isEmpty() && modelli.isEmpty()) continue;
        voci << QString("%1 (%2)").arg(nome, modelli.join(' '));
    }
    return voci.join(";;");
}

QtHost::QtHost(QWidget* finestra, Workspace& ws, Canvas& canvas) : finestra_(finestra), contesto_{ws, canvas, *this} {}

QtHost::~QtHost() {
    while (cursoriAttesa_ > 0) {
        QApplication::restoreOverrideCursor();
        --cursoriAttesa_;
    }
}

Risposta QtHost::messaggio(const std::string& testo, Pulsanti pulsanti, Icona icona, const std::string& titolo) {
    if (rispostaMessaggio) return rispostaMessaggio(testo, pulsanti, icona);
    QMessageBox::Icon qIcona = QMessageBox::Information;
    switch (icona) {
    case Icona::Informazione: qIcona = QMessageBox::Information; break;
    case Icona::Avviso: qIcona = QMessageBox::Warning; break;
    case Icona::Domanda: qIcona = QMessageBox::Question; break;
    case Icona::Critico: qIcona = QMessageBox::Critical; break;
    }
    QMessageBox box(qIcona, QString::fromStdString(titolo), QString::fromStdString(testo), QMessageBox::NoButton,
                    finestra_);
    box.setWindowModality(Qt::ApplicationModal);
    switch (pulsanti) {
    case Pulsanti::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Pulsanti::OkAnnulla:
        // A question that may undo work defaults to the safe answer.
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Cancel);
        break;
    case Pulsanti::SiNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Pulsanti::SiNoAnnulla:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return Risposta::Ok;
    case QMessageBox::Yes: return Risposta::Si;
    case QMessageBox::No: return Risposta::No;
    default:
        return pulsanti == Pulsanti::Ok ? Risposta::Ok
                                        : (pulsanti == Pulsanti::SiNo ? Risposta::No : Risposta::Annulla);
    }
}

std::string QtHost::inputBox(const std::string& domanda, const std::string& titolo, const std::string& proposta) {
    if (rispostaInput) return rispostaInput(domanda);
    bool ok = false;
    const QString testo =
        QInputDialog::getText(finestra_, QString::fromStdString(titolo), QString::fromStdString(domanda),
                              QLineEdit::Normal, QString::fromStdString(proposta), &ok);
    return ok ? testo.toStdString() : std::string();
}

std::string QtHost::apriFile(const std::string& filtro, const std::string& titolo) {
    if (rispostaFile) return rispostaFile(filtro, titolo);
    // The name field starts empty; the dialog accepts only an existing file.
    return QFileDialog::getOpenFileName(finestra_, QString::fromStdString(titolo), QString(), filtroQt(filtro))
        .toStdString();
}

std::string QtHost::salvaFile(const std::string& proposta, const std::string& filtro, const std::string& titolo) {
    if (rispostaFile) return rispostaFile(filtro, titolo);
    // The dialog asks before replacing an existing file.
    return QFileDialog::getSaveFileName(finestra_, QString::fromStdString(titolo), QString::fromStdString(proposta),
                                        filtroQt(filtro))
        .toStdString();
}

// The page set up here is the one every later print and plot uses. Without a printer the
// dialog may not open at all: that is not an error.
void QtHost::impostaStampante() { impostaStampanteQt(finestra_); }

FinestraAttesa& QtHost::finestraAttesa() {
    if (attesa_ == nullptr) attesa_ = new FinestraAttesa(finestra_);
    return *attesa_;
}

bool QtHost::attesaVisibile() const { return attesa_ != nullptr && attesa_->isVisible(); }

void QtHost::mostraAttesa() { finestraAttesa().mostra(); }
void QtHost::CaptionLabel(const std::string& testo) { finestraAttesa().CaptionLabel(QString::fromStdString(testo)); }
void QtHost::ImpostaBarra(int16_t massimo) { finestraAttesa().ImpostaBarra(massimo); }
void QtHost::AggiornaSatoBarra(int32_t posizione) { finestraAttesa().AggiornaSatoBarra(posizione); }
void QtHost::chiudiAttesa() {
    if (attesa_) attesa_->chiudi();
}

void QtHost::cursoreAttesa(bool attivo) {
    if (attivo) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++cursoriAttesa_;
    } else if (cursoriAttesa_ > 0) {
        QApplication::restoreOverrideCursor();
        --cursoriAttesa_;
    }
}

void QtHost::beep() { QApplication::beep(); }

QDialog* QtHost::pagina(Pagina id) {
    auto it = pagine_.find(id);
    if (it != pagine_.end()) return it->second;
    QDialog* nuova = creaPagina(id, contesto_, finestra_);
    if (nuova) pagine_[id] = nuova;
    return nuova;
}

void QtHost::apriPagina(Pagina id) {
    if (intercettaPagina && intercettaPagina(id)) return;
    QDialog* p = pagina(id);
    if (p == nullptr) {
        messaggio("Questa finestra non è disponibile in questa versione del programma.", Pulsanti::Ok,
                  Icona::Informazione, "Carvela");
        return;
    }
    if (id == Pagina::Autocomposizione) {
        p->setModal(false);
        p->show();
        p->raise();
        p->activateWindow();
        return;
    }
    p->exec();
}

std::string QtHost::titolo() const {
    if (!finestra_) return {};
    QString t = finestra_->windowTitle();
    if (modificato_ && t.endsWith(" *")) t.chop(2);
    return t.toStdString();
}

void QtHost::impostaTitolo(const std::string& testo) {
    if (finestra_) finestra_->setWindowTitle(QString::fromStdString(testo) + (modificato_ ? " *" : ""));
}

void QtHost::mostraModificato(bool modificato) {
    if (modificato == modificato_) return;
    const std::string base = titolo();
    modificato_ = modificato;
    impostaTitolo(base);
}

bool QtHost::avviaInfoSistema() {
    // The system-information programs of the usual desktops, the first one installed.
    for (const char* programma : {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor", "xfce4-taskmanager",
                                  "lxtask", "mate-system-monitor"}) {
        const QString percorso = QStandardPaths::findExecutable(programma);
        if (!percorso.isEmpty() && QProcess::startDetached(percorso, {})) return true;
    }
    return false;
}

void QtHost::richiediChiusura() {
    if (finestra_) finestra_->close();
}

}  // namespace carvela
