#include "survey/intersection_pages.h"

#include "shell/host.h"
#include "survey/intersections.h"
#include "survey/survey_grid.h"
#include "survey/survey_messages.h"

namespace carvela {

const char* ModelloIntersezione::titolo() const {
    switch (tipo_) {
    case TipoIntersezione::Avanti: return "Intersezione in avanti";
    case TipoIntersezione::Potheno: return "Intersezione di Pothèno";
    case TipoIntersezione::Hansen: return "Intersezione di Hansen";
    }
    return "";
}

std::vector<CorniceIntersezione> ModelloIntersezione::cornici() const {
    const char* appoggio = "Coordinate dei punti di appoggio:";
    const char* angoli = "Angoli:";
    switch (tipo_) {
    case TipoIntersezione::Avanti:
        return {{appoggio, {{0, "Xa:"}, {1, "Ya:"}, {2, "Xb:"}, {3, "Yb:"}}},
                {angoli, {{4, "Angolo <alfa>"}, {5, "Angolo <beta>"}}},
                {"Coordinate del punto P:", {{6, "Xp:"}, {7, "Yp:"}}}};
    case TipoIntersezione::Potheno:
        return {{appoggio, {{0, "Xa:"}, {1, "Ya:"}, {2, "Xb:"}, {3, "Yb:"}, {8, "Xc:"}, {9, "Yc:"}}},
                {angoli, {{4, "Angolo <alfa>"}, {5, "Angolo <beta>"}}},
                {"Coordinate del punto P:", {{6, "Xp:"}, {7, "Yp:"}}}};
    case TipoIntersezione::Hansen:
        return {{appoggio, {{0, "Xa:"}, {1, "Ya:"}, {2, "Xb:"}, {3, "Yb:"}}},
                {angoli, {{4, "Angolo <alfa>"}, {8, "Angolo <alfa 1>"}, {5, "Angolo <beta>"}, {9, "Angolo <beta 1>"}}},
                {"Coordinate del punto P e del punto Q:", {{6, "Xp:"}, {7, "Yp:"}, {10, "Xq:"}, {11, "Yq:"}}}};
    }
    return {};
}

std::vector<int> ModelloIntersezione::caselleRisultato() const {
    if (tipo_ == TipoIntersezione::Hansen) return {6, 7, 10, 11};
    return {6, 7};
}

bool ModelloIntersezione::calcola(float angoloPiatto, Host& host) {
    // The inputs of each page, as box indexes.
    std::vector<int> ingressi;
    switch (tipo_) {
    case TipoIntersezione::Avanti: ingressi = {0, 1, 2, 3, 4, 5}; break;
    case TipoIntersezione::Potheno: ingressi = {0, 1, 2, 3, 8, 9, 4, 5}; break;
    case TipoIntersezione::Hansen: ingressi = {0, 1, 2, 3, 4, 8, 5, 9}; break;
    }
    float v[kCaselle] = {};
    for (int i : ingressi)
        if (!leggiCasella(Text1[i], v[i])) {
            host.messaggio(kMsgTipoDatiNonCorretto);
            return false;
        }

    EsitoIntersezione esito;
    switch (tipo_) {
    case TipoIntersezione::Avanti: esito = intersezioneAvanti(v[0], v[1], v[2], v[3], v[4], v[5], angoloPiatto); break;
    case TipoIntersezione::Potheno:
        esito = intersezionePotheno(v[0], v[1], v[2], v[3], v[8], v[9], v[4], v[5], angoloPiatto);
        break;
    case TipoIntersezione::Hansen:
        esito = intersezioneHansen(v[0], v[1], v[2], v[3], v[4], v[8], v[5], v[9], angoloPiatto);
        break;
    }
    if (!esito.riuscito()) {
        host.messaggio(esito.errore);
        return false;
    }
    Text1[6] = testoCasella(esito.Xp);
    Text1[7] = testoCasella(esito.Yp);
    if (tipo_ == TipoIntersezione::Hansen) {
        Text1[10] = testoCasella(esito.Xq);
        Text1[11] = testoCasella(esito.Yq);
    }
    return true;
}

}  // namespace carvela
