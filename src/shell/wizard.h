#pragma once
// The project wizard "Autocomposizione del Carvela": six steps from a drawing-exchange file
// to a computed road. The wizard holds the order of the steps, their texts and the
// navigation; each step hands its work to the part that owns it (DXF import, recognition
// window, axis tracing, road computation).
#include <cstdint>
#include <string>

namespace carvela {
struct Workspace;
class Canvas;
class Host;
class SettingsStore;

// The program's string table for the wizard and its confirmation window; an empty text for
// a number it does not hold.
std::string testoWizard(int numero);

inline constexpr int kPassiWizard = 6;
// Title text number of each step.
inline constexpr int kTitoliPassi[kPassiWizard] = {1000, 2000, 2002, 2004, 2006, 3000};
// Explanation text numbers of each step (0 where there is no second one).
inline constexpr int kSpiegazioniPassi[kPassiWizard][2] = {{1001, 0}, {2001, 0}, {2003, 0},
                                                           {2005, 0}, {2007, 0}, {3001, 3002}};

// The step-5 options: what to show at the end.
enum class OpzioneFinale { Planimetria = 1, Profilo = 2, Sezioni = 3, Diagramma = 4 };
// Their order on screen: profile, sections, diagram, plan.
inline constexpr OpzioneFinale kOrdineOpzioni[4] = {OpzioneFinale::Profilo, OpzioneFinale::Sezioni,
                                                    OpzioneFinale::Diagramma, OpzioneFinale::Planimetria};
const char* testoOpzione(OpzioneFinale opzione);

// Keys of the wizard's own settings (application "Wizards", section "WizardTemplate").
inline constexpr const char* kChiaveConferma = "ConfirmScreen";
inline constexpr const char* kChiaveIntroduzione = "IntroScreen";
inline constexpr const char* kNonMostrare = "DontShow";

// What the wizard asks of its window and of the desktop around it.
class InterfacciaWizard {
public:
    virtual ~InterfacciaWizard() = default;
    virtual void nascondi() = 0;
    virtual void mostra() = 0;
    virtual void abilitaPrincipale(bool abilitata) = 0;
    // Opens the help at a context number, shows it again when open; false when not available.
    virtual bool apriGuida(int contesto) = 0;
    virtual void chiudiGuida() = 0;
    // The window goes away (the model has already done its closing work).
    virtual void chiudiFinestra() = 0;
    // The confirmation window "Progetto completato", modal.
    virtual void mostraConferma() = 0;
};

class Autocomposizione {
public:
    Autocomposizione(Workspace& ws, Canvas& canvas, Host& host, InterfacciaWizard& finestra,
                     SettingsStore& impostazioniWizard);

    // Opening: step 0 (step 1 when the introduction was switched off), the wizard-active flag
    // set, the main window disabled.
    void apri();
    bool aperta() const { return aperta_; }

    int passo() const { return passo_; }
    // "<title of the step> - Autocomposizione del Carvela".
    std::string didascalia() const;
    bool indietroAbilitato() const { return passo_ > 0; }
    bool avantiAbilitato() const { return passo_ < kPassiWizard - 1; }
    bool fineAbilitata() const { return fineConsentita_; }

    // Next and Back; the action of the step arrived at runs first. False when the wizard
    // stays where it was (empty file name).
    bool avanti();
    bool indietro();
    bool vaiAlPasso(int passo);

    // "Sfoglia...": the open dialog; a chosen path goes into the file name.
    void sfoglia();
    // Help and F1: the help at the context of the current step.
    void guida();
    static int contestoGuida(int passo) { return (passo + 101) * 10; }
    // "&Interrompi": asks first; true when the wizard closed.
    bool interrompi();
    // "&Fine": closes, then the confirmation unless it was switched off.
    void fine();
    // Closing by any way (also the window's close button): the chosen option becomes the
    // document shown, the help closes, the flag returns to 0, the main window is enabled.
    void chiudi();
    // The canvas ended axis tracing: back to the wizard when it started the tracing.
    void tracciamentoTerminato();

    std::string nomeFile;  // TextFileName
    OpzioneFinale opzione = OpzioneFinale::Planimetria;
    bool introduzioneDaNonMostrare() const;
    void impostaIntroduzioneDaNonMostrare(bool nonMostrare);
    bool guidaAperta() const { return guidaAperta_; }

    // The confirmation's check box: "DontShow" when ticked, an empty value when cleared.
    static bool confermaDaMostrare(const SettingsStore& impostazioni);
    static void impostaConfermaDaNonMostrare(SettingsStore& impostazioni, bool nonMostrare);

private:
    bool eseguiAzione(int passo);
    void mostraDocumentoScelto();

    Workspace& ws_;
    Canvas& canvas_;
    Host& host_;
    InterfacciaWizard& finestra_;
    SettingsStore& impostazioni_;
    int passo_ = 0;
    bool aperta_ = false;
    bool fineConsentita_ = false;
    bool guidaAperta_ = false;
    bool inTracciamento_ = false;  // the wizard is hidden while the user traces the axis
    bool opzioneOfferta_ = false;  // the last step was reached, so its option counts
};

}  // namespace carvela
