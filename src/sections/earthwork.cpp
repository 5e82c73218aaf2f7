#include "sections/earthwork.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "project/vbtext.h"
#include "state/settings.h"

namespace carvela {
namespace {

struct Punto {
    double x, m;
};

double finito(double v) { return std::isfinite(v) ? v : 0.0; }

// The rows of the volume list and the points of the mass diagram (sections and zero points).
void volumi(Movimento& r, std::vector<Punto>& diagramma) {
    const ParametriTerra& p = r.parametri;
    auto corretta = [&](double c, double f) { return c * p.rigonfiamento - f / p.costipamento; };
    const auto& s = r.sezioni;
    double V = 0, mosso = 0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        TrattoTerra t;
        t.progressiva = s[k].progressiva;
        t.areaSterro = s[k].sterro;
        t.areaRiporto = s[k].riporto;
        if (k == 0) {
            r.tratti.push_back(t);
            diagramma.push_back({t.progressiva, 0});
            continue;
        }
        const SezioneTerra& a = s[k - 1];
        const SezioneTerra& b = s[k];
        const double d = b.progressiva - a.progressiva;
        const double A1 = corretta(a.sterro, a.riporto), A2 = corretta(b.sterro, b.riporto);
        auto riga = [&](TrattoTerra& t, double lunghezza, double c1, double f1, double c2, double f2) {
            t.distanza = lunghezza;
            t.volumeSterro = (c1 + c2) / 2 * lunghezza;
            t.volumeRiporto = (f1 + f2) / 2 * lunghezza;
            t.volumeCorretto = corretta(t.volumeSterro, t.volumeRiporto);
            V += t.volumeCorretto;
            mosso += std::fabs(t.volumeCorretto);
            // Areas written with decimals leave a rounding residue where the diagram comes
            // back to the line: it would read as a balance point and an empty last stretch.
            if (std::fabs(V) <= 1e-9 * mosso) V = 0;
            t.ordinata = V;
            r.sterroTotale += t.volumeSterro;
            r.riportoTotale += t.volumeRiporto;
        };
        if (p.puntiDiPassaggio && d > 0 && ((A1 < 0 && A2 > 0) || (A1 > 0 && A2 < 0))) {
            // The zero point, where the corrected net area is 0 between the two sections;
            // cut and fill there are read on the straight line between their end values.
            const double x1 = d * std::fabs(A1) / (std::fabs(A1) + std::fabs(A2));
            const double cz = a.sterro + (b.sterro - a.sterro) * x1 / d;
            const double fz = a.riporto + (b.riporto - a.riporto) * x1 / d;
            TrattoTerra z;
            z.puntoDiPassaggio = true;
            z.progressiva = a.progressiva + x1;
            z.areaSterro = cz;
            z.areaRiporto = fz;
            riga(z, x1, a.sterro, a.riporto, cz, fz);
            r.tratti.push_back(z);
            diagramma.push_back({z.progressiva, V});
            riga(t, d - x1, cz, fz, b.sterro, b.riporto);
        } else {
            riga(t, std::max(d, 0.0), a.sterro, a.riporto, b.sterro, b.riporto);
        }
        r.tratti.push_back(t);
        diagramma.push_back({t.progressiva, V});
    }
    r.sterroSciolto = r.sterroTotale * p.rigonfiamento;
    r.riportoInBanco = r.riportoTotale / p.costipamento;
    r.ordinataFinale = V;
}

// The diagram with a vertex wherever it meets the balance line, so that every stretch of
// one sign starts and ends at a vertex.
std::vector<Punto> conPassaggiPerZero(const std::vector<Punto>& d) {
    std::vector<Punto> out;
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (i > 0) {
            const Punto& a = d[i - 1];
            const Punto& b = d[i];
            if ((a.m < 0 && b.m > 0) || (a.m > 0 && b.m < 0))
                out.push_back({a.x + (b.x - a.x) * (0 - a.m) / (b.m - a.m), 0});
        }
        out.push_back(d[i]);
    }
    return out;
}

// One stretch of one sign, from vertex i0 (on the balance line) to i1. The material is
// split by level: at each ordinate between the balance line and the stretch's extreme,
// the diagram lies beyond that level over intervals; each interval carries the layer's
// volume from one of its ends to the other, over the interval's length. That length,
// against the free haul and the economic limit, decides free haul, overhaul or waste and
// borrow; an interval that runs to the road's end has no far end (waste or borrow).
void compensa(const std::vector<Punto>& d, std::size_t i0, std::size_t i1, int segno, Movimento& r) {
    const ParametriTerra& p = r.parametri;
    const double franco = std::max(p.trasportoFranco, 0.0);
    const double limite = p.trasportoEconomico > 0 ? std::max(p.trasportoEconomico, franco) : 0.0;
    auto y = [&](std::size_t i) { return segno * d[i].m; };

    TrattoCompensato t;
    t.da = d[i0].x;
    t.a = d[i1].x;
    t.verso = segno;
    t.chiuso = y(i1) == 0;

    std::vector<double> livelli{0};
    for (std::size_t i = i0; i <= i1; ++i)
        if (y(i) > 0) livelli.push_back(y(i));
    std::sort(livelli.begin(), livelli.end());
    livelli.erase(std::unique(livelli.begin(), livelli.end()), livelli.end());
    t.estremo = segno * livelli.back();

    // Where segment i crosses level m.
    auto xA = [&](std::size_t i, double m) {
        const double y1 = y(i), y2 = y(i + 1);
        return d[i].x + (d[i + 1].x - d[i].x) * (m - y1) / (y2 - y1);
    };

    for (std::size_t j = 0; j + 1 < livelli.size(); ++j) {
        const double L0 = livelli[j], L1 = livelli[j + 1], h = L1 - L0;
        const double medio = (L0 + L1) / 2;
        // Intervals beyond the middle level: entry and exit segments (exit none: open).
        std::size_t entrata = 0;
        bool dentro = false;
        auto intervallo = [&](std::size_t e, const std::size_t* u) {
            if (!u) {
                (segno > 0 ? t.rifiuto : t.prestito) += h;
                return;
            }
            const double la = xA(*u, L0) - xA(e, L0), lb = xA(*u, L1) - xA(e, L1);
            std::vector<double> tagli{0, 1};
            for (double soglia : {franco, limite}) {
                if (!(soglia > 0) || la == lb) continue;
                const double s = (soglia - la) / (lb - la);
                if (s > 0 && s <= 1) {
                    tagli.push_back(s);
                    const double m = L0 + s * h;
                    r.corde.push_back({xA(e, m), xA(*u, m), segno * m, soglia == limite && soglia != franco});
                }
            }
            std::sort(tagli.begin(), tagli.end());
            for (std::size_t k = 0; k + 1 < tagli.size(); ++k) {
                const double vol = (tagli[k + 1] - tagli[k]) * h;
                if (!(vol > 0)) continue;
                const double l = la + (lb - la) * (tagli[k] + tagli[k + 1]) / 2;
                if (limite > 0 && l > limite) {
                    t.rifiuto += vol;
                    t.prestito += vol;
                } else if (l > franco) {
                    t.volumeOltreFranco += vol;
                    t.trasportoOltreFranco += vol * (l - franco);
                    t.momentoTrasporto += vol * l;
                } else {
                    t.volumeFranco += vol;
                    t.momentoTrasporto += vol * l;
                }
            }
        };
        for (std::size_t i = i0; i < i1; ++i) {
            const bool su = y(i) < medio && y(i + 1) > medio;
            const bool giu = y(i) > medio && y(i + 1) < medio;
            if (su && !dentro) {
                entrata = i;
                dentro = true;
            } else if (giu && dentro) {
                intervallo(entrata, &i);
                dentro = false;
            }
        }
        if (dentro) intervallo(entrata, nullptr);
    }
    r.compensati.push_back(t);
}

void massaTrasporto(Movimento& r, const std::vector<Punto>& diagramma) {
    const std::vector<Punto> d = conPassaggiPerZero(diagramma);
    auto segnoTratto = [&](std::size_t i) {
        const double m = d[i].m + d[i + 1].m;
        return m > 0 ? 1 : m < 0 ? -1 : 0;
    };
    std::size_t i = 0;
    while (i + 1 < d.size()) {
        const int s = segnoTratto(i);
        std::size_t j = i + 1;
        while (j + 1 < d.size() && d[j].m != 0 && segnoTratto(j) == s) ++j;
        if (s != 0) {
            compensa(d, i, j, s, r);
            // Where a stretch leaves or meets the balance line inside the road.
            if (i > 0) r.puntiEquilibrio.push_back(d[i].x);
            if (r.compensati.back().chiuso && j + 1 < d.size()) r.puntiEquilibrio.push_back(d[j].x);
        }
        i = j;
    }

    TrattoCompensato& tot = r.totale;
    tot.da = d.empty() ? 0 : d.front().x;
    tot.a = d.empty() ? 0 : d.back().x;
    for (const TrattoCompensato& t : r.compensati) {
        tot.volumeFranco += t.volumeFranco;
        tot.volumeOltreFranco += t.volumeOltreFranco;
        tot.trasportoOltreFranco += t.trasportoOltreFranco;
        tot.momentoTrasporto += t.momentoTrasporto;
        tot.rifiuto += t.rifiuto;
        tot.prestito += t.prestito;
        if (std::fabs(t.estremo) > std::fabs(tot.estremo)) tot.estremo = t.estremo;
    }
    tot.chiuso = r.ordinataFinale == 0;
}

// Balance points between two stretches that touch the line at a shared vertex are listed once.
void unisciPuntiEquilibrio(std::vector<double>& p) {
    std::sort(p.begin(), p.end());
    p.erase(std::unique(p.begin(), p.end()), p.end());
}

std::string fisso(double v, int decimali = 3) {
    char buf[64];
    v = finito(v);
    if (v == 0) v = 0;  // no "-0.000"
    std::snprintf(buf, sizeof buf, "%.*f", decimali, v);
    std::string s = buf;
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
    return s;
}

std::string colonna(const std::string& s, std::size_t larghezza) {
    // At least one blank before, so that a wide figure never runs into the one before it.
    return std::string(s.size() < larghezza ? larghezza - s.size() : 1, ' ') + s;
}

// A number as a person types it: comma or point decimal, blanks around ignored.
bool numeroCampo(std::string campo, double& v) {
    std::replace(campo.begin(), campo.end(), ',', '.');
    while (!campo.empty() && (campo.back() == ' ' || campo.back() == '\t' || campo.back() == '\r')) campo.pop_back();
    const char* inizio = campo.data() + (campo.size() > 1 && campo[0] == '+' ? 1 : 0);
    const char* fine = campo.data() + campo.size();
    const auto [ptr, ec] = std::from_chars(inizio, fine, v);
    return ec == std::errc() && ptr == fine && std::isfinite(v);
}

// "1+250.5" -> 1250.5, "12+50" -> 1250: the digits before the decimal mark after "+" say
// how many metres a station holds.
bool progressivaCampo(const std::string& campo, double& v) {
    const auto piu = campo.find('+');
    if (piu == std::string::npos || piu == 0) return numeroCampo(campo, v);
    double stazione = 0, resto = 0;
    const std::string destra = campo.substr(piu + 1);
    if (!numeroCampo(campo.substr(0, piu), stazione) || !numeroCampo(destra, resto) || stazione < 0 || resto < 0)
        return false;
    std::size_t cifre = destra.find_first_of(".,");
    if (cifre == std::string::npos) cifre = destra.size();
    v = stazione * std::pow(10.0, static_cast<double>(cifre)) + resto;
    return std::isfinite(v);
}

std::vector<std::string> campi(const std::string& riga) {
    std::string r = riga;
    const bool separati = r.find(';') != std::string::npos || r.find('\t') != std::string::npos;
    std::vector<std::string> out;
    std::string campo;
    auto chiudi = [&] {
        const auto a = campo.find_first_not_of(' ');
        if (a != std::string::npos) out.push_back(campo.substr(a, campo.find_last_not_of(' ') - a + 1));
        campo.clear();
    };
    // Fields apart by blanks, unless ";" or tabs part them (then blanks may sit inside).
    // Commas part fields only in a line with three or more of them between points.
    bool virgoleSeparano = false;
    if (!separati) {
        std::istringstream in(r);
        std::string parola;
        int parole = 0;
        while (in >> parola) ++parole;
        virgoleSeparano = parole == 1 && r.find(',') != std::string::npos;
    }
    for (char c : r) {
        const bool sep = separati ? (c == ';' || c == '\t') : (c == ' ' || c == '\t' || (virgoleSeparano && c == ','));
        if (sep)
            chiudi();
        else if (c != '\r')
            campo += c;
    }
    chiudi();
    return out;
}

}  // namespace

double limiteTrasportoEconomico(double franco, double limite, double rapportoCosti) {
    if (limite > 0) return limite;
    if (rapportoCosti > 0) return std::max(franco, 0.0) + rapportoCosti;
    return 0;
}

ParametriTerra parametriTerra(const Impostazioni& s) {
    ParametriTerra p;
    p.rigonfiamento = s.FattoreRigonfiamento;
    p.costipamento = s.FattoreCostipamento;
    p.trasportoFranco = s.DistanzaTrasportoFranco;
    p.trasportoEconomico = limiteTrasportoEconomico(s.DistanzaTrasportoFranco, s.DistanzaTrasportoEconomico,
                                                    s.RapportoCostoPrestitoTrasporto);
    p.puntiDiPassaggio = true;
    return p;
}

Movimento calcolaMovimento(const std::vector<SezioneTerra>& sezioni, const ParametriTerra& parametri) {
    Movimento r;
    r.parametri = parametri;
    if (!(r.parametri.rigonfiamento > 0) || !std::isfinite(r.parametri.rigonfiamento)) r.parametri.rigonfiamento = 1;
    if (!(r.parametri.costipamento > 0) || !std::isfinite(r.parametri.costipamento)) r.parametri.costipamento = 1;
    r.parametri.trasportoFranco = std::max(finito(r.parametri.trasportoFranco), 0.0);
    r.parametri.trasportoEconomico = std::max(finito(r.parametri.trasportoEconomico), 0.0);
    for (const SezioneTerra& s : sezioni)
        r.sezioni.push_back({finito(s.progressiva), std::fabs(finito(s.sterro)), std::fabs(finito(s.riporto))});
    std::vector<Punto> diagramma;
    volumi(r, diagramma);
    massaTrasporto(r, diagramma);
    unisciPuntiEquilibrio(r.puntiEquilibrio);
    return r;
}

std::vector<SezioneTerra> sezioniDaPaleggi(const TabellaPaleggi& t) {
    const int32_t n = std::min(t.AreeSterro.upperBound(), t.AreeRiporto.upperBound());
    std::vector<SezioneTerra> out;
    for (int32_t k = 1; k <= n; ++k) {
        const double x = k == 1 ? t.ProgressivePunti.get(1) : t.ProgressiveSezioni.get(k - 1);
        out.push_back({finito(x), std::fabs(finito(t.AreeSterro[k])), std::fabs(finito(t.AreeRiporto[k]))});
    }
    return out;
}

bool leggiTabellaTerra(const std::string& testo, std::vector<SezioneTerra>& sezioni, std::string& errore) {
    sezioni.clear();
    std::istringstream in(testo);
    std::string riga;
    int numero = 0;
    bool primaRiga = true;
    while (std::getline(in, riga)) {
        ++numero;
        const auto a = riga.find_first_not_of(" \t\r");
        if (a == std::string::npos || riga[a] == '#') continue;
        const std::vector<std::string> c = campi(riga);
        SezioneTerra s;
        const bool numeri = c.size() >= 3 && progressivaCampo(c[0], s.progressiva) && numeroCampo(c[1], s.sterro) &&
                            numeroCampo(c[2], s.riporto);
        if (!numeri) {
            double x;
            if (primaRiga && !c.empty() && !progressivaCampo(c[0], x)) {  // a line of headings
                primaRiga = false;
                continue;
            }
            errore = "Riga " + std::to_string(numero) + ": attesi progressiva, area di sterro e area di riporto.";
            return false;
        }
        primaRiga = false;
        if (!sezioni.empty() && s.progressiva < sezioni.back().progressiva) {
            errore = "Riga " + std::to_string(numero) + ": la progressiva diminuisce.";
            return false;
        }
        s.sterro = std::fabs(s.sterro);
        s.riporto = std::fabs(s.riporto);
        sezioni.push_back(s);
    }
    if (sezioni.empty()) {
        errore = "Nessuna sezione nella tabella.";
        return false;
    }
    return true;
}

std::string testoMovimento(const Movimento& m) {
    std::ostringstream o;
    const ParametriTerra& p = m.parametri;
    o << "Movimenti di terra: " << m.sezioni.size() << " sezioni";
    if (!m.sezioni.empty())
        o << ", da " << fisso(m.sezioni.front().progressiva) << " a " << fisso(m.sezioni.back().progressiva) << " m";
    o << "\nVolume corretto = sterro x rigonfiamento - riporto / costipamento\n"
      << "Fattore di rigonfiamento: " << fisso(p.rigonfiamento, 4) << '\n'
      << "Fattore di costipamento: " << fisso(p.costipamento, 4) << '\n'
      << "Distanza di trasporto franco: " << fisso(p.trasportoFranco) << " m\n"
      << "Limite di trasporto economico: "
      << (p.trasportoEconomico > 0 ? fisso(p.trasportoEconomico) + " m" : std::string("nessuno")) << "\n\n";

    const char* intestazioni[] = {"Progressiva", "Distanza",     "Area sterro",   "Area riporto",
                                  "Vol. sterro", "Vol. riporto", "Vol. corretto", "Ordinata"};
    o << "  ";
    for (const char* h : intestazioni) o << colonna(h, 14);
    o << '\n';
    for (const TrattoTerra& t : m.tratti) {
        o << (t.puntoDiPassaggio ? "* " : "  ");
        for (double v : {t.progressiva, t.distanza, t.areaSterro, t.areaRiporto, t.volumeSterro, t.volumeRiporto,
                         t.volumeCorretto, t.ordinata})
            o << colonna(fisso(v), 14);
        o << '\n';
    }
    o << "\nSterro totale: " << fisso(m.sterroTotale) << " m3\n"
      << "Riporto totale: " << fisso(m.riportoTotale) << " m3\n"
      << "Sterro sciolto (sterro x rigonfiamento): " << fisso(m.sterroSciolto) << " m3\n"
      << "Riporto in banco (riporto / costipamento): " << fisso(m.riportoInBanco) << " m3\n"
      << "Ordinata finale: " << fisso(m.ordinataFinale) << " m3\n\n";

    o << "Punti di equilibrio:";
    if (m.puntiEquilibrio.empty()) o << " nessuno";
    for (double x : m.puntiEquilibrio) o << ' ' << fisso(x);
    o << "\n\nTratti compensati (linea di compenso a ordinata 0)\n";
    const char* colonne[] = {"Da",         "A",          "Verso",       "Ordinata max", "Vol. franco",
                             "Vol. oltre", "Oltre m3*m", "Trasp. m3*m", "Rifiuto",      "Prestito"};
    for (const char* h : colonne) o << colonna(h, 14);
    o << '\n';
    for (const TrattoCompensato& t : m.compensati) {
        o << colonna(fisso(t.da), 14) << colonna(t.chiuso ? fisso(t.a) : fisso(t.a) + " (fine)", 14)
          << colonna(t.verso > 0 ? "avanti" : "indietro", 14);
        for (double v : {t.estremo, t.volumeFranco, t.volumeOltreFranco, t.trasportoOltreFranco, t.momentoTrasporto,
                         t.rifiuto, t.prestito})
            o << colonna(fisso(v), 14);
        o << '\n';
    }
    const TrattoCompensato& t = m.totale;
    const double trasportato = t.volumeFranco + t.volumeOltreFranco;
    o << "\nVolume in trasporto franco: " << fisso(t.volumeFranco) << " m3\n"
      << "Volume in trasporto oltre il franco: " << fisso(t.volumeOltreFranco) << " m3\n"
      << "Volume trasportato: " << fisso(trasportato) << " m3\n"
      << "Trasporto oltre il franco: " << fisso(t.trasportoOltreFranco) << " m3*m\n"
      << "Momento di trasporto: " << fisso(t.momentoTrasporto) << " m3*m\n"
      << "Distanza media di trasporto: " << fisso(trasportato > 0 ? t.momentoTrasporto / trasportato : 0) << " m\n"
      << "Distanza media oltre il franco: "
      << fisso(t.volumeOltreFranco > 0 ? t.trasportoOltreFranco / t.volumeOltreFranco + p.trasportoFranco : 0) << " m\n"
      << "A rifiuto: " << fisso(t.rifiuto) << " m3\n"
      << "Da prestito: " << fisso(t.prestito) << " m3\n";
    return o.str();
}

std::vector<Griglia> griglieMovimento(const Movimento& m) {
    auto n = [](double v) { return formatta(finito(v), "###0.00"); };
    std::vector<Griglia> g;

    Griglia righe(static_cast<int>(m.tratti.size()) + 1, 9);
    const char* h1[] = {"Sez. n°",          "Dist. Progressiva", "Dist. Parziale",  "Area di Sterro", "Area di Riporto",
                        "Volume di Sterro", "Volume di Riporto", "Volume Corretto", "Ordinata"};
    for (int c = 0; c < 9; ++c) righe.imposta(0, c, h1[c]);
    int sezione = 0, r = 1;
    for (const TrattoTerra& t : m.tratti) {
        righe.imposta(r, 0, t.puntoDiPassaggio ? "*" : std::to_string(++sezione));
        const double v[] = {t.progressiva,  t.distanza,      t.areaSterro,     t.areaRiporto,
                            t.volumeSterro, t.volumeRiporto, t.volumeCorretto, t.ordinata};
        for (int c = 0; c < 8; ++c) righe.imposta(r, c + 1, n(v[c]));
        ++r;
    }
    g.push_back(std::move(righe));

    Griglia totali(2, 6);
    const char* h2[] = {"Sterro Totale",    "Riporto Totale",  "Sterro Sciolto",
                        "Riporto in Banco", "Ordinata Finale", "Punti di Equilibrio"};
    for (int c = 0; c < 6; ++c) totali.imposta(0, c, h2[c]);
    const double v2[] = {m.sterroTotale, m.riportoTotale, m.sterroSciolto, m.riportoInBanco, m.ordinataFinale};
    for (int c = 0; c < 5; ++c) totali.imposta(1, c, n(v2[c]));
    std::string punti;
    for (double x : m.puntiEquilibrio) punti += (punti.empty() ? "" : " ") + n(x);
    totali.imposta(1, 5, punti);
    g.push_back(std::move(totali));

    Griglia tratti(static_cast<int>(m.compensati.size()) + 2, 10);
    const char* h3[] = {"Da",
                        "A",
                        "Verso",
                        "Ordinata Massima",
                        "Vol. Trasporto Franco",
                        "Vol. Oltre Franco",
                        "Oltre Franco m3·m",
                        "Trasporto m3·m",
                        "Rifiuto",
                        "Prestito"};
    for (int c = 0; c < 10; ++c) tratti.imposta(0, c, h3[c]);
    r = 1;
    auto rigaTratto = [&](const TrattoCompensato& t, const std::string& verso) {
        tratti.imposta(r, 0, n(t.da));
        tratti.imposta(r, 1, n(t.a));
        tratti.imposta(r, 2, verso);
        const double v[] = {t.estremo,          t.volumeFranco, t.volumeOltreFranco, t.trasportoOltreFranco,
                            t.momentoTrasporto, t.rifiuto,      t.prestito};
        for (int c = 0; c < 7; ++c) tratti.imposta(r, c + 3, n(v[c]));
        ++r;
    };
    for (const TrattoCompensato& t : m.compensati)
        rigaTratto(t, std::string(t.verso > 0 ? "avanti" : "indietro") + (t.chiuso ? "" : " (fine)"));
    rigaTratto(m.totale, "Totale");
    g.push_back(std::move(tratti));
    return g;
}

}  // namespace carvela
