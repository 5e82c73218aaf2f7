#pragma once
// The texts the survey pages show.

namespace carvela {

inline constexpr const char* kMsgTipoDatiNonCorretto = "Tipo di dati non corretto!";
inline constexpr const char* kMsgChiusuraAngolare = "CHIUSURA ANGOLARE FUORI TOLLERANZA!";
inline constexpr const char* kMsgTolleranzaLineare = "TOLLERANZA LINARE NON RISPETTATA!";
inline constexpr const char* kMsgTolleranzaTriangolo = "Tolleranza angolare non rispettata: angoli non compensabili!";

// Inputs the computations cannot work on: the page says why and keeps what it showed.
inline constexpr const char* kMsgUnitaAngolare =
    "L'unità angolare impostata non è valida: scegliere gradi centesimali, sessagesimali o radianti nelle "
    "impostazioni!";
inline constexpr const char* kMsgPoligonaleChiusaCorta =
    "La poligonale chiusa richiede almeno tre vertici con tutte le letture!";
inline constexpr const char* kMsgTriangolazioneVuota =
    "Nessun triangolo completo: inserire i tre angoli di almeno un triangolo!";
inline constexpr const char* kMsgPoligonaleNonCalcolabile =
    "Calcolo impossibile: controllare le letture zenitali (non possono essere nulle) e le distanze!";
inline constexpr const char* kMsgTriangolazioneNonCalcolabile =
    "Calcolo impossibile: un triangolo ha un angolo nullo o piatto!";
inline constexpr const char* kMsgPuntiCoincidenti = "I punti di appoggio coincidono: il calcolo non è possibile!";
inline constexpr const char* kMsgDirezioniParallele =
    "Le direzioni da A e da B sono parallele: il punto P non è determinabile!";
inline constexpr const char* kMsgAngoliNulli =
    "Gli angoli non possono essere nulli o piatti: il punto P non è determinabile!";
inline constexpr const char* kMsgCerchioPericoloso =
    "I punti A, B, C e P sono sulla stessa circonferenza (cerchio pericoloso): il punto P non è determinabile!";
inline constexpr const char* kMsgHansenIndeterminato =
    "La figura non è risolvibile con gli angoli misurati: i punti P e Q non sono determinabili!";

}  // namespace carvela
