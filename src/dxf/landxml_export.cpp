#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "dxf/landxml.h"
#include "plan/axis.h"
#include "project/origine.h"
#include "project/project_files.h"
#include "project/records.h"
#include "project/xml.h"
#include "road/geometry.h"
#include "state/host.h"
#include "state/settings.h"
#include "state/unita_angolari.h"
#include "state/workspace.h"

namespace carvela {
namespace {

constexpr double kPi = static_cast<double>(kPiGreco);  // the program's pi, as the staking uses it
constexpr double kPiVero = 3.14159265358979323846;

// Numbers with the point whatever the C locale of the program (the windows may set one).
std::string fisso(double v, int decimali) {
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimali);
    std::string s(buf, r.ec == std::errc() ? r.ptr : buf);
    if (s.find_first_not_of("-0.") == std::string::npos && !s.empty() && s[0] == '-') s.erase(0, 1);  // no "-0.0000"
    return s;
}

double leggi(const std::string& s) {
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

// A true coordinate of a record value: the fewest decimals (at least three) that read back,
// less the origin, to the very same single-precision value, so a document read again gives
// the same records.
std::string coordinataEsatta(float record, double origine) {
    const double vero = double{record} + origine;
    for (int d = 3; d <= 10; ++d) {
        const std::string s = fisso(vero, d);
        if (static_cast<float>(leggi(s) - origine) == record) return s;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, vero);
    return std::string(buf, r.ptr);
}

std::string punto(const std::string& nord, const std::string& est) { return nord + " " + est; }

// Lengths and stations are written to a tenth of a millimetre; a station is the sum of the
// lengths written before it, so the document's stations are exactly cumulative.
int64_t decimillimetri(double metri) { return std::llround(metri * 1e4); }
std::string stazione(int64_t d) {
    const int64_t a = d < 0 ? -d : d;
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%lld.%04lld", d < 0 ? "-" : "", static_cast<long long>(a / 10000),
                  static_cast<long long>(a % 10000));
    return buf;
}

struct UnitaAngoli {
    const char* nome;
    double perRadiante;
};
UnitaAngoli unitaAngoli(const Impostazioni& imp) {
    // Grads when the program counts them, otherwise degrees: radians are no unit to read.
    if (unitaDi(imp.AngoloPiatto) == UnitaAngolare::Centesimali) return {"grads", 200 / kPiVero};
    return {"decimal degrees", 180 / kPiVero};
}

// LandXML directions start at north and grow counter-clockwise. They are taken with the true
// pi (the bearings of the staking use the program's single-precision one).
std::string direzione(double dx, double dy, const UnitaAngoli& u) {
    double a = -std::atan2(dx, dy);
    a = std::fmod(a, 2 * kPiVero);
    if (a < 0) a += 2 * kPiVero;
    const double valore = a * u.perRadiante, giro = 2 * kPiVero * u.perRadiante;
    std::string s = fisso(valore, 8);
    if (leggi(s) >= giro) s = fisso(0, 8);
    return s;
}

class Documento {
public:
    Documento(const Planimetria& piano, const Impostazioni& imp)
        : piano_(piano), origine_(leggiOrigine(piano.Origine)), angoli_(unitaAngoli(imp)) {}

    std::string scrivi(const MomentoLandXml& m) {
        x_.apri("LandXML", {{"xmlns", "http://www.landxml.org/schema/LandXML-1.2"},
                            {"xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"},
                            {"xsi:schemaLocation",
                             "http://www.landxml.org/schema/LandXML-1.2 "
                             "http://www.landxml.org/schema/LandXML-1.2/LandXML-1.2.xsd"},
                            {"version", "1.2"},
                            {"date", m.data},
                            {"time", m.ora},
                            {"language", "italiano"}});
        x_.apri("Units");
        x_.elemento("Metric", {{"areaUnit", "squareMeter"},
                               {"linearUnit", "meter"},
                               {"volumeUnit", "cubicMeter"},
                               {"temperatureUnit", "celsius"},
                               {"pressureUnit", "milliBars"},
                               {"angularUnit", angoli_.nome},
                               {"directionUnit", angoli_.nome}});
        x_.chiudi();
        x_.elemento("Application",
                    {{"name", "Carvela"}, {"desc", "Progetto preliminare di strade"}, {"version", CARVELA_VERSION}});
        x_.apri("Alignments", {{"name", "Tracciato stradale"}});
        allineamento();
        x_.chiudi();
        return x_.testo();
    }

private:
    std::string vertice(int i) const {
        const AxisPoint& v = piano_.VerticiAsse[i];
        return punto(coordinataEsatta(v.y, origine_.nord), coordinataEsatta(v.x, origine_.est));
    }
    std::string calcolato(double x, double y) const {
        return punto(fisso(y + origine_.nord, 4), fisso(x + origine_.est, 4));
    }
    // An element's end: the vertex itself where no curve moved it.
    std::string estremo(double x, double y) const {
        const int n = numeroVerticiAsse(piano_);
        for (int i = 1; i <= n; ++i)
            if (double{piano_.VerticiAsse[i].x} == x && double{piano_.VerticiAsse[i].y} == y) return vertice(i);
        return calcolato(x, y);
    }

    void allineamento() {
        const std::vector<ElementoAsse> elementi = geometriaAsse(piano_);
        std::vector<int64_t> lunghezze;
        int64_t totale = 0;
        for (const ElementoAsse& e : elementi) {
            lunghezze.push_back(decimillimetri(e.lunghezza()));
            totale += lunghezze.back();
        }
        x_.apri("Alignment", {{"name", "Asse stradale"}, {"length", stazione(totale)}, {"staStart", "0.0000"}});
        x_.apri("CoordGeom");
        int64_t sta = 0;
        for (std::size_t k = 0; k < elementi.size(); ++k) {
            const ElementoAsse& e = elementi[k];
            if (!e.curva) {
                x_.apri("Line", {{"staStart", stazione(sta)},
                                 {"length", stazione(lunghezze[k])},
                                 {"dir", direzione(e.fineX - e.inizioX, e.fineY - e.inizioY, angoli_)}});
                x_.elemento("Start", {}, estremo(e.inizioX, e.inizioY));
                x_.elemento("End", {}, estremo(e.fineX, e.fineY));
            } else {
                // The tangent at either end: the radius turned a quarter towards the travel.
                const double segno = e.deviazione > 0 ? 1 : -1;
                auto tangenteIn = [&](double x, double y) {
                    return direzione(segno * (y - e.centroY), -segno * (x - e.centroX), angoli_);
                };
                const double mezzo = std::fabs(e.deviazione) / 2;
                x_.apri("Curve", {{"rot", e.deviazione > 0 ? "cw" : "ccw"},
                                  {"crvType", "arc"},
                                  {"staStart", stazione(sta)},
                                  {"length", stazione(lunghezze[k])},
                                  {"radius", coordinataEsatta(static_cast<float>(e.raggio), 0)},
                                  {"delta", fisso(2 * mezzo * angoli_.perRadiante, 8)},
                                  {"tangent", fisso(e.raggio * std::tan(mezzo), 4)},
                                  {"chord", fisso(2 * e.raggio * std::sin(mezzo), 4)},
                                  {"dirStart", tangenteIn(e.inizioX, e.inizioY)},
                                  {"dirEnd", tangenteIn(e.fineX, e.fineY)}});
                x_.elemento("Start", {}, calcolato(e.inizioX, e.inizioY));
                x_.elemento("Center", {}, calcolato(e.centroX, e.centroY));
                x_.elemento("End", {}, calcolato(e.fineX, e.fineY));
                x_.elemento("PI", {}, vertice(e.vertice));
            }
            x_.chiudi();
            sta += lunghezze[k];
        }
        x_.chiudi();  // CoordGeom
        profilo();
        sezioni();
        x_.chiudi();  // Alignment
    }

    void profilo() {
        const Profilo& pr = piano_.ProfiloApplicato;
        const int32_t n = std::min({pr.NumeroSezioni, pr.Progressive.upperBound(), pr.QuoteTerreno.upperBound()});
        if (n < 2) return;
        std::string terreno;
        int punti = 0;
        for (int32_t j = 1; j <= n; ++j) {
            if (!std::isfinite(pr.Progressive[j]) || !std::isfinite(pr.QuoteTerreno[j])) continue;
            if (!terreno.empty()) terreno += ' ';
            terreno += fisso(pr.Progressive[j], 4) + " " + fisso(pr.QuoteTerreno[j], 4);
            ++punti;
        }
        bool aperto = false;
        auto apri = [&] {
            if (!aperto) x_.apri("Profile", {{"name", "Profilo longitudinale"}, {"staStart", "0.0000"}});
            aperto = true;
        };
        if (punti >= 2) {
            apri();
            x_.apri("ProfSurf", {{"name", "Terreno"}});
            x_.elemento("PntList2D", {}, terreno);
            x_.chiudi();
        }
        // The design line: a PVI where every grade line starts, and the end of the last; a grade
        // line that does not start where the previous one ends gets that end too.
        std::vector<std::pair<float, float>> pvi;
        auto aggiungi = [&](int32_t j, int32_t g) {
            if (!pr.ProgressiveLiv.has(j, g) || !pr.ProgettoLiv.has(j, g)) return;
            const std::pair<float, float> p{pr.ProgressiveLiv(j, g), pr.ProgettoLiv(j, g)};
            if (!std::isfinite(p.first) || !std::isfinite(p.second)) return;
            if (!pvi.empty() && pvi.back() == p) return;
            pvi.push_back(p);
        };
        const int32_t livellette = pr.MetodoLivellette == 0 ? 0 : pr.NumeroLivellette;
        for (int32_t g = 1; g <= livellette; ++g) {
            const int32_t ultimo = pr.PuntiLivelletta.get(g);
            if (ultimo < 2) continue;
            if (g > 1 && !pvi.empty() && std::fabs(double{pr.ProgettoLiv.get(1, g)} - pvi.back().second) > 0.001)
                aggiungi(pr.PuntiLivelletta.get(g - 1), g - 1);
            aggiungi(1, g);
            if (g == livellette) aggiungi(ultimo, g);
        }
        if (pvi.size() >= 2) {
            apri();
            x_.apri("ProfAlign", {{"name", "Progetto"}});
            for (const auto& [s, z] : pvi) x_.elemento("PVI", {}, fisso(s, 4) + " " + fisso(z, 4));
            x_.chiudi();
        }
        if (aperto) x_.chiudi();
    }

    void sezioni() {
        const VbArray<Sezione>& sez = piano_.SezioniApplicate;
        std::vector<const Sezione*> scelte;
        std::string ultimaStazione;
        for (int32_t i = 1; i <= sez.upperBound(); ++i) {
            const Sezione& s = sez[i];
            const int32_t n =
                std::min<int32_t>({s.NumeroPunti, s.DistanzeTerreno.upperBound(), s.QuoteTerreno.upperBound()});
            if (n < 1 || !std::isfinite(s.Progressiva)) continue;
            // Two sections at one station are one and the same place (no length between them).
            const std::string sta = fisso(s.Progressiva, 4);
            if (sta == ultimaStazione) continue;
            ultimaStazione = sta;
            scelte.push_back(&s);
        }
        if (scelte.empty()) return;
        x_.apri("CrossSects", {{"name", "Sezioni trasversali"}});
        for (const Sezione* s : scelte) sezione(*s);
        x_.chiudi();
    }

    void sezione(const Sezione& s) {
        const int32_t n =
            std::min<int32_t>({s.NumeroPunti, s.DistanzeTerreno.upperBound(), s.QuoteTerreno.upperBound()});
        const VbArray<float>& x = s.DistanzeTerreno;
        const VbArray<float>& z = s.QuoteTerreno;
        // A wall added by the solve is a ground point at the slope's end above (or below) the
        // first or last surveyed point: it belongs to the design, not to the ground.
        const bool muroSinistro =
            s.Risolta && n >= 3 && x[1] == x[2] && s.XPiedeSinistro == x[1] && s.ZPiedeSinistro == z[1];
        const bool muroDestro = s.Risolta && n >= 3 && x[n] == x[n - 1] && s.XPiedeDestro == x[n] &&
                                s.ZPiedeDestro == z[n] && !(muroSinistro && n < 4);
        std::string terreno;
        int punti = 0;
        for (int32_t i = muroSinistro ? 2 : 1; i <= (muroDestro ? n - 1 : n); ++i) {
            if (!std::isfinite(x[i]) || !std::isfinite(z[i])) continue;
            if (!terreno.empty()) terreno += ' ';
            terreno += fisso(x[i], 4) + " " + fisso(z[i], 4);
            ++punti;
        }
        AttributiXml attributi{{"sta", fisso(s.Progressiva, 4)}, {"name", "Sezione " + std::to_string(s.Numero)}};
        if (std::isfinite(s.AreaSterro)) attributi.push_back({"areaCut", fisso(s.AreaSterro, 4)});
        if (std::isfinite(s.AreaRiporto)) attributi.push_back({"areaFill", fisso(-double{s.AreaRiporto}, 4)});
        x_.apri("CrossSect", attributi);
        if (punti >= 2) {
            x_.apri("CrossSectSurf", {{"name", "Terreno"}});
            x_.elemento("PntList2D", {}, terreno);
            x_.chiudi();
        }
        if (s.Risolta) {
            const double w = double{s.Larghezza} / 2, q = s.QuotaProgetto;
            std::vector<std::pair<double, double>> progetto;
            if (muroSinistro) progetto.push_back({x[2], z[2]});
            progetto.push_back({s.XPiedeSinistro, s.ZPiedeSinistro});
            progetto.push_back({-w, q});
            progetto.push_back({w, q});
            progetto.push_back({s.XPiedeDestro, s.ZPiedeDestro});
            if (muroDestro) progetto.push_back({x[n - 1], z[n - 1]});
            bool finito = true;
            for (const auto& [o, e] : progetto) finito = finito && std::isfinite(o) && std::isfinite(e);
            if (finito) {
                // A platform edge at the ground is its own catch point: written once.
                std::vector<std::string> punti;
                for (const auto& [o, e] : progetto) {
                    std::string p = fisso(o, 4) + " " + fisso(e, 4);
                    if (punti.empty() || punti.back() != p) punti.push_back(std::move(p));
                }
                x_.apri("DesignCrossSectSurf", {{"name", "Progetto"}, {"closedArea", "false"}});
                for (const std::string& p : punti) x_.elemento("CrossSectPnt", {}, p);
                x_.chiudi();
            }
        }
        x_.chiudi();
    }

    const Planimetria& piano_;
    OrigineProgetto origine_;
    UnitaAngoli angoli_;
    ScrittoreXml x_;
};

}  // namespace

double ElementoAsse::lunghezza() const {
    if (curva) return raggio * std::fabs(deviazione);
    return std::hypot(fineX - inizioX, fineY - inizioY);
}

std::vector<ElementoAsse> geometriaAsse(const Planimetria& piano) {
    std::vector<ElementoAsse> elementi;
    const int n = numeroVerticiAsse(piano);
    if (n < 2) return elementi;
    const VbArray<AxisPoint>& v = piano.VerticiAsse;
    const Profilo& pr = piano.ProfiloApplicato;
    double ultimoX = v[1].x, ultimoY = v[1].y;
    auto tangente = [&](double x, double y, int k) {
        ElementoAsse e;
        e.inizioX = ultimoX, e.inizioY = ultimoY, e.fineX = x, e.fineY = y;
        e.vertice = k;
        e.rovescio = (x - ultimoX) * (double{v[k + 1].x} - v[k].x) + (y - ultimoY) * (double{v[k + 1].y} - v[k].y) < 0;
        if (e.lunghezza() > 0) elementi.push_back(e);
        ultimoX = x, ultimoY = y;
    };
    for (int k = 2; k < n; ++k) {
        const double px = v[k - 1].x, py = v[k - 1].y, vx = v[k].x, vy = v[k].y, qx = v[k + 1].x, qy = v[k + 1].y;
        const double raggio = pr.CurvaRaggio.get(k - 1);
        const double entrata = rilevamento(vx - px, vy - py);
        double delta = rilevamento(qx - vx, qy - vy) - entrata;
        while (delta > kPi) delta -= 2 * kPi;
        while (delta <= -kPi) delta += 2 * kPi;
        const double mezzo = std::fabs(delta) / 2, coseno = std::cos(mezzo);
        // No curve where none is set, where the legs are aligned, or where they fold back.
        if (!(raggio > 0) || !std::isfinite(raggio) || delta == 0 || !(coseno > 1e-9) ||
            std::hypot(vx - px, vy - py) == 0 || std::hypot(qx - vx, qy - vy) == 0) {
            tangente(vx, vy, k - 1);
            continue;
        }
        const double segno = delta > 0 ? 1 : -1;
        const double t = raggio * std::tan(mezzo);
        const double uscita = rilevamento(qx - vx, qy - vy);
        ElementoAsse c;
        c.curva = true;
        c.vertice = k;
        c.raggio = raggio;
        c.deviazione = delta;
        c.piX = vx, c.piY = vy;
        c.inizioX = vx - t * std::sin(entrata), c.inizioY = vy - t * std::cos(entrata);
        c.fineX = vx + t * std::sin(uscita), c.fineY = vy + t * std::cos(uscita);
        const double bisettrice = entrata + delta / 2 + segno * kPi / 2;
        c.centroX = vx + raggio / coseno * std::sin(bisettrice);
        c.centroY = vy + raggio / coseno * std::cos(bisettrice);
        tangente(c.inizioX, c.inizioY, k - 1);
        elementi.push_back(c);
        ultimoX = c.fineX, ultimoY = c.fineY;
    }
    tangente(v[n].x, v[n].y, n - 1);
    return elementi;
}

MomentoLandXml momentoAttuale() {
    std::time_t t = std::time(nullptr);
    if (const char* sde = std::getenv("SOURCE_DATE_EPOCH")) {
        char* fine = nullptr;
        const long long s = std::strtoll(sde, &fine, 10);
        if (fine != sde && *fine == '\0' && s >= 0) t = static_cast<std::time_t>(s);
    }
    std::tm tm{};
    gmtime_r(&t, &tm);
    char data[32], ora[32];
    std::strftime(data, sizeof data, "%Y-%m-%d", &tm);
    std::strftime(ora, sizeof ora, "%H:%M:%S", &tm);
    return {data, ora};
}

bool documentoLandXml(const Planimetria& piano, const Impostazioni& imp, const MomentoLandXml& momento,
                      std::string& documento, std::string& errore) {
    if (numeroVerticiAsse(piano) < 2) {
        errore = "Non è presente la poligonale d'asse!";
        return false;
    }
    for (int i = 1; i <= numeroVerticiAsse(piano); ++i)
        if (!std::isfinite(piano.VerticiAsse[i].x) || !std::isfinite(piano.VerticiAsse[i].y)) {
            errore = "Tipo di dati non corretto!";
            return false;
        }
    if (geometriaAsse(piano).empty()) {
        errore = "La poligonale d'asse ha lunghezza nulla!";
        return false;
    }
    documento = Documento(piano, imp).scrivi(momento);
    return true;
}

bool esportaLandXml(const Planimetria& piano, const Impostazioni& imp, const std::string& path, Host& host) {
    std::string documento, errore;
    if (!documentoLandXml(piano, imp, momentoAttuale(), documento, errore)) {
        host.messaggio(errore);
        return false;
    }
    errore = scriviByteAtomico(path, documento, false);
    if (!errore.empty()) {
        host.messaggio("Impossibile creare il file " + path + ": " + errore + ".");
        return false;
    }
    std::string sovrapposte;
    for (const ElementoAsse& e : geometriaAsse(piano))
        if (e.rovescio)
            sovrapposte +=
                (sovrapposte.empty() ? "" : ", ") + std::to_string(e.vertice) + " e " + std::to_string(e.vertice + 1);
    if (!sovrapposte.empty())
        host.messaggio("Attenzione: le curve ai vertici " + sovrapposte +
                           " si sovrappongono sul rettifilo che le unisce, che nel file LandXML risulta percorso "
                           "all'indietro. Ridurre i raggi e ricalcolare il tracciato.",
                       Pulsanti::Ok, Icona::Avviso);
    return true;
}

void comandoEsportaLandXml(Workspace& ws, Canvas&, Host& host) {
    if (numeroVerticiAsse(ws.Piano) < 2) {
        host.messaggio("Non è presente la poligonale d'asse!");
        return;
    }
    const std::string path = host.salvaFile("", "File LandXML (*.xml) | *.XML", "Esporta file LandXML");
    if (path.empty()) return;
    host.cursoreAttesa(true);
    esportaLandXml(ws.Piano, ws.impostazioni, path, host);
    host.cursoreAttesa(false);
}

}  // namespace carvela
