#include "survey/intersection_pages.h"

#include <algorithm>
#include <cmath>

#include "project/origine.h"
#include "state/host.h"
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
    double v[kCaselle] = {};
    casellaErrata = -1;
    for (int i : ingressi)
        if (!leggiCoordinata(Text1[i], v[i])) {
            casellaErrata = i;
            host.messaggio(kMsgTipoDatiNonCorretto);
            return false;
        }
    // Known points in a national grid are taken relative to an origin near them, so the
    // single-precision values of the page keep the millimetre; near 0 the origin is 0 and
    // the page computes exactly as it always did.
    std::vector<int> ascisse = {0, 2}, ordinate = {1, 3};
    if (tipo_ == TipoIntersezione::Potheno) ascisse.push_back(8), ordinate.push_back(9);
    double minE = v[0], maxE = v[0], minN = v[1], maxN = v[1];
    for (int i : ascisse) minE = std::min(minE, v[i]), maxE = std::max(maxE, v[i]);
    for (int i : ordinate) minN = std::min(minN, v[i]), maxN = std::max(maxN, v[i]);
    const OrigineProgetto o = scegliOrigine(minE, minN, maxE, maxN);
    for (int i : ascisse) v[i] -= o.est;
    for (int i : ordinate) v[i] -= o.nord;
    for (int i : ingressi)
        if (!std::isfinite(static_cast<float>(v[i]))) {
            casellaErrata = i;
            host.messaggio(kMsgTipoDatiNonCorretto);
            return false;
        } else {
            v[i] = static_cast<float>(v[i]);
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
    // The results as single-precision values relative to the origin, shown as true
    // coordinates.
    const float xp = static_cast<float>(esito.Xp), yp = static_cast<float>(esito.Yp);
    const float xq = static_cast<float>(esito.Xq), yq = static_cast<float>(esito.Yq);
    if (!std::isfinite(xp) || !std::isfinite(yp) || !std::isfinite(xq) || !std::isfinite(yq)) {
        host.messaggio(tipo_ == TipoIntersezione::Avanti    ? kMsgDirezioniParallele
                       : tipo_ == TipoIntersezione::Potheno ? kMsgCerchioPericoloso
                                                            : kMsgHansenIndeterminato);
        return false;
    }
    Text1[6] = testoCoordinata(xp, o.est);
    Text1[7] = testoCoordinata(yp, o.nord);
    if (tipo_ == TipoIntersezione::Hansen) {
        Text1[10] = testoCoordinata(xq, o.est);
        Text1[11] = testoCoordinata(yq, o.nord);
    }
    return true;
}

}  // namespace carvela
