#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

#include "dxf/landxml.h"
#include "plan/axis.h"
#include "project/origine.h"
#include "project/xml.h"
#include "state/host.h"
#include "state/workspace.h"

namespace carvela {
namespace {

constexpr double kTolleranza = 0.001;  // metres: a curve's radius against its points, element joints
constexpr std::size_t kDimensioneMassima = 256u << 20;

struct Punto {
    double est = 0, nord = 0;
};

double distanza(const Punto& a, const Punto& b) { return std::hypot(a.est - b.est, a.nord - b.nord); }

std::string metri(double v) {
    std::ostringstream s;
    s.setf(std::ios::fixed);
    s.precision(4);
    s << v;
    std::string t = s.str();
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

// Metres per unit of the document's linear unit; 0 for a unit not known.
double metriPerUnita(const NodoXml& radice) {
    const NodoXml* unita = radice.figlio("Units");
    if (!unita) return 1;  // no Units: metres, as the road is drawn
    for (const NodoXml& u : unita->figli) {
        const std::string* l = u.attributo("linearUnit");
        if (!l) continue;
        static const std::map<std::string, double> fattori = {
            {"millimeter", 0.001}, {"centimeter", 0.01}, {"meter", 1},       {"kilometer", 1000},
            {"foot", 0.3048},      {"inch", 0.0254},     {"mile", 1609.344}, {"USSurveyFoot", 1200.0 / 3937.0},
        };
        const auto it = fattori.find(*l);
        return it == fattori.end() ? 0 : it->second;
    }
    return 1;
}

class LettoreAsse {
public:
    LettoreAsse(const NodoXml& radice, double scala) : radice_(radice), scala_(scala) {
        for (const NodoXml& gruppo : radice.figli)
            if (gruppo.nome == "CgPoints")
                for (const NodoXml& p : gruppo.figli)
                    if (const std::string* nome = p.attributo("name"); nome && p.nome == "CgPoint")
                        cgPoints_.emplace(*nome, p.testo);
    }

    bool leggi(const NodoXml& allineamento, AsseLandXml& asse, std::string& errore) {
        const NodoXml* geometria = allineamento.figlio("CoordGeom");
        if (!geometria) return fallisci(errore, "l'asse non ha geometria (manca l'elemento CoordGeom)");
        std::vector<Punto> vertici;
        std::vector<double> raggi;
        Punto fine;
        int numero = 0;
        bool precedenteRetta = false;
        for (const NodoXml& e : geometria->figli) {
            const bool retta = e.nome == "Line", curva = e.nome == "Curve";
            if (e.nome == "Spiral")
                return fallisci(errore, "l'asse contiene una clotoide (Spiral, riga " + std::to_string(e.riga) +
                                            "): sono ammessi solo rettifili e curve circolari");
            if (e.nome == "IrregularLine" || e.nome == "Chain")
                return fallisci(errore, "l'asse contiene un elemento " + e.nome + " (riga " + std::to_string(e.riga) +
                                            "): sono ammessi solo rettifili e curve circolari");
            if (!retta && !curva) continue;  // features and other foreign elements
            ++numero;
            const std::string quale = "elemento n. " + std::to_string(numero) + (retta ? " (rettifilo" : " (curva") +
                                      ", riga " + std::to_string(e.riga) + ")";
            Punto inizio, termine;
            if (!punto(e, "Start", inizio, quale, errore) || !punto(e, "End", termine, quale, errore)) return false;
            if (vertici.empty()) {
                vertici.push_back(inizio);
                raggi.push_back(0);
            } else if (distanza(inizio, fine) > kTolleranza) {
                return fallisci(errore, "l'" + quale + " non comincia dove finisce l'elemento precedente (distanza " +
                                            metri(distanza(inizio, fine)) + " m)");
            }
            if (retta) {
                if (precedenteRetta) {  // two tangents meet at a vertex without curve
                    vertici.push_back(inizio);
                    raggi.push_back(0);
                }
            } else {
                Punto centro, pi;
                if (!punto(e, "Center", centro, quale, errore)) return false;
                const double rInizio = distanza(inizio, centro), rFine = distanza(termine, centro);
                double raggio = rInizio;
                if (!(raggio > 0)) return fallisci(errore, "l'" + quale + " ha raggio nullo");
                if (const std::string* r = e.attributo("radius")) {
                    if (!numeroDa(*r, raggio) || !(raggio > 0))
                        return fallisci(errore, "l'" + quale + " ha un raggio non valido: \"" + *r + "\"");
                    raggio *= scala_;
                }
                const double scarto = std::max(std::fabs(rInizio - raggio), std::fabs(rFine - raggio));
                if (scarto > kTolleranza)
                    return fallisci(errore, "l'" + quale + " ha raggio " + metri(raggio) +
                                                " m, ma i suoi punti distano dal centro " + metri(rInizio) + " m e " +
                                                metri(rFine) + " m");
                if (e.figlio("PI")) {
                    if (!punto(e, "PI", pi, quale, errore)) return false;
                } else {
                    // Where the tangents at both ends meet: on the bisector, R / cos(delta / 2) from the centre.
                    const Punto medio{(inizio.est + termine.est) / 2, (inizio.nord + termine.nord) / 2};
                    const double d = distanza(medio, centro);
                    if (!(d > 1e-6 * raggio))
                        return fallisci(errore, "l'" + quale + " è una semicirconferenza, senza vertice");
                    const double k = raggio * raggio / (d * d);
                    pi = {centro.est + (medio.est - centro.est) * k, centro.nord + (medio.nord - centro.nord) * k};
                }
                vertici.push_back(pi);
                raggi.push_back(raggio);
            }
            precedenteRetta = retta;
            fine = termine;
        }
        if (vertici.empty()) return fallisci(errore, "l'asse non contiene rettifili né curve");
        vertici.push_back(fine);
        raggi.push_back(0);
        if (vertici.size() == 2 && distanza(vertici[0], vertici[1]) == 0)
            return fallisci(errore, "l'asse ha lunghezza nulla");
        asse.est.clear(), asse.nord.clear();
        for (const Punto& p : vertici) {
            asse.est.push_back(p.est);
            asse.nord.push_back(p.nord);
        }
        asse.raggi = raggi;
        return true;
    }

private:
    static bool fallisci(std::string& errore, const std::string& motivo) {
        errore = motivo;
        return false;
    }

    // An xs:double: point decimals whatever the C locale, surrounding blanks allowed.
    static bool numeroDa(const std::string& t, double& v) {
        const auto inizio = t.find_first_not_of(" \t\r\n");
        const auto fine = t.find_last_not_of(" \t\r\n");
        if (inizio == std::string::npos) return false;
        const char* a = t.data() + inizio + (t[inizio] == '+' ? 1 : 0);
        const char* b = t.data() + fine + 1;
        const auto r = std::from_chars(a, b, v);
        return r.ec == std::errc() && r.ptr == b && std::isfinite(v);
    }

    // A point's "north east [elev]" text, or that of the CgPoint it refers to.
    bool punto(const NodoXml& e, const char* nome, Punto& p, const std::string& quale, std::string& errore) const {
        const NodoXml* n = e.figlio(nome);
        if (!n) return fallisci(errore, "l'" + quale + " non ha il punto " + nome);
        std::string testo = n->testo;
        if (testo.find_first_not_of(" \t\r\n") == std::string::npos) {
            const std::string* rif = n->attributo("pntRef");
            const auto it = rif ? cgPoints_.find(*rif) : cgPoints_.end();
            if (it == cgPoints_.end())
                return fallisci(errore, "il punto " + std::string(nome) + " dell'" + quale + " non ha coordinate");
            testo = it->second;
        }
        std::istringstream campi(testo);
        campi.imbue(std::locale::classic());
        std::string a, b;
        double nord = 0, est = 0;
        if (!(campi >> a >> b) || !numeroDa(a, nord) || !numeroDa(b, est))
            return fallisci(errore, "il punto " + std::string(nome) + " dell'" + quale +
                                        " non è nella forma \"nord est\": \"" + testo + "\"");
        p = {est * scala_, nord * scala_};
        if (std::fabs(p.est) > 1e9 || std::fabs(p.nord) > 1e9)
            return fallisci(errore, "il punto " + std::string(nome) + " dell'" + quale + " ha coordinate fuori scala");
        return true;
    }

    const NodoXml& radice_;
    double scala_;
    std::map<std::string, std::string> cgPoints_;
};

}  // namespace

bool leggiAsseLandXml(const std::string& documento, AsseLandXml& asse, std::string& errore) {
    NodoXml radice;
    std::string motivo;
    if (!leggiXml(documento, radice, motivo)) {
        errore = "Il file LandXML non è un documento XML corretto (" + motivo + ").";
        return false;
    }
    if (radice.nome != "LandXML") {
        errore = "Il file non è un documento LandXML (l'elemento principale è <" + radice.nome + ">).";
        return false;
    }
    const double scala = metriPerUnita(radice);
    if (!(scala > 0)) {
        errore = "Il file LandXML usa un'unità di lunghezza non gestita.";
        return false;
    }
    // The first alignment, preferring one with a plan geometry to those that have none.
    const NodoXml* allineamento = nullptr;
    for (const NodoXml& gruppo : radice.figli)
        if (gruppo.nome == "Alignments")
            for (const NodoXml& a : gruppo.figli)
                if (a.nome == "Alignment" &&
                    (!allineamento || (!allineamento->figlio("CoordGeom") && a.figlio("CoordGeom"))))
                    allineamento = &a;
    if (!allineamento) {
        errore = "Il file LandXML non contiene alcun asse (elemento Alignment).";
        return false;
    }
    AsseLandXml letto;
    if (const std::string* nome = allineamento->attributo("name")) letto.nome = *nome;
    if (!LettoreAsse(radice, scala).leggi(*allineamento, letto, motivo)) {
        errore = "Asse \"" + letto.nome + "\" del file LandXML non valido: " + motivo + ".";
        return false;
    }
    asse = std::move(letto);
    return true;
}

bool leggiFileAsseLandXml(const std::string& path, AsseLandXml& asse, std::string& errore) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        errore = "Impossibile aprire il file " + path + ".";
        return false;
    }
    f.seekg(0, std::ios::end);
    const auto dimensione = f.tellg();
    if (dimensione < 0 || static_cast<std::size_t>(dimensione) > kDimensioneMassima) {
        errore = "Il file " + path + " è troppo grande per un file LandXML.";
        return false;
    }
    f.seekg(0);
    std::string testo(static_cast<std::size_t>(dimensione), '\0');
    if (!f.read(testo.data(), dimensione)) {
        errore = "Errore di lettura del file " + path + ".";
        return false;
    }
    return leggiAsseLandXml(testo, asse, errore);
}

void applicaAsseLandXml(Workspace& ws, const AsseLandXml& asse) {
    Planimetria& piano = ws.Piano;
    const int32_t n = static_cast<int32_t>(std::min(asse.est.size(), asse.nord.size()));
    OrigineProgetto origine = leggiOrigine(piano.Origine);
    const bool vuoto =
        piano.Punti.upperBound() < 1 && piano.CurveLivello.upperBound() < 1 && piano.SegmentiReticolo.upperBound() < 1;
    if (origine.nulla() && vuoto && n > 0) {
        const auto [minE, maxE] = std::minmax_element(asse.est.begin(), asse.est.begin() + n);
        const auto [minN, maxN] = std::minmax_element(asse.nord.begin(), asse.nord.begin() + n);
        origine = scegliOrigine(*minE, *minN, *maxE, *maxN);
        piano.Origine = testoOrigine(origine);
    }
    piano.VerticiAsse.redim(n);
    for (int32_t i = 1; i <= n; ++i) {
        const std::size_t k = static_cast<std::size_t>(i) - 1;
        piano.VerticiAsse[i] = {static_cast<float>(asse.est[k] - origine.est),
                                static_cast<float>(asse.nord[k] - origine.nord), 0};
    }
    piano.AsseTracciato = piano.VerticiAsse;
    piano.NumeroPuntiAsse = n;

    // A new axis gets a new profile; it starts with the curve radii of the document, and its
    // method is the one a new profile gets, so the computation keeps the radii.
    Profilo pr;
    pr.NumeroCurve = std::max(0, n - 2);
    for (VbArray<float>* v : {&pr.CurvaRaggio, &pr.CurvaTangente, &pr.CurvaSviluppo, &pr.CurvaApertura})
        v->redim(pr.NumeroCurve);
    pr.CurvaDa.redim(pr.NumeroCurve);
    pr.CurvaA.redim(pr.NumeroCurve);
    pr.CurvaVerso.redim(pr.NumeroCurve);
    pr.CurvaPicchetti.redim(pr.NumeroCurve);
    for (int32_t i = 1; i <= pr.NumeroCurve; ++i)
        pr.CurvaRaggio[i] = static_cast<float>(asse.raggi.size() > std::size_t(i) ? asse.raggi[std::size_t(i)] : 0.0);
    pr.MetodoLivellette = 5;
    ws.Profilo = pr;
    piano.ProfiloApplicato = pr;
}

std::string avvisoRaggiModificati(const Workspace& ws, const AsseLandXml& asse) {
    std::string elenco;
    for (std::size_t k = 1; k + 1 < asse.raggi.size(); ++k) {
        const double letto = asse.raggi[k], usato = ws.Profilo.CurvaRaggio.get(static_cast<int32_t>(k));
        if (letto > 0 && std::fabs(usato - letto) > kTolleranza)
            elenco += "\n- vertice " + std::to_string(k + 1) + ": da " + metri(letto) + " m a " + metri(usato) + " m";
    }
    if (elenco.empty()) return {};
    return "Attenzione: il calcolo del tracciato ha modificato i raggi di alcune curve del file LandXML per "
           "adattarle ai rettifili o al raggio minimo:" +
           elenco;
}

}  // namespace carvela
