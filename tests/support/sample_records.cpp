#include "support/sample_records.h"

#include <random>

namespace carvela::campioni {
namespace {

// Values that differ by position, so a shifted or swapped element shows.
VbArray<float> lista(int n, float base) {
    VbArray<float> a(n);
    for (int i = 0; i <= n; ++i) a[i] = base + 0.25f * static_cast<float>(i) - 1.5f * (i % 3);
    return a;
}

VbArray2<float> tabella(int n1, int n2, float base) {
    VbArray2<float> a(n1, n2);
    for (int j = 0; j <= n2; ++j)
        for (int i = 0; i <= n1; ++i) a(i, j) = base + static_cast<float>(i) * 10.0f + static_cast<float>(j) * 0.5f;
    return a;
}

}  // namespace

Sezione sezione(int numero) {
    Sezione s;
    s.Nome = "sezione è " + std::to_string(numero);
    s.Numero = static_cast<int16_t>(numero);
    s.Larghezza = 10.5f;
    s.QuotaProgetto = 101.25f + numero;
    s.Progressiva = 20.0f * numero;
    s.NumeroPunti = 4;
    s.QuotaTerrenoCiglio = 99.5f;
    s.RossaCiglioSinistro = -0.75f, s.RossaCiglioDestro = 1.25f, s.RossaAsse = 0.5f;
    s.XPiedeDestro = 7.5f;
    s.Lavoro3 = -3.0f;
    s.NumeroIntersezioni = 2;
    s.PresenteSterro = 1;
    s.AreaRiporto = -12.5f, s.AreaSterro = 8.25f;
    s.DistanzeTerreno = lista(4, -10.0f);
    s.QuoteTerreno = lista(4, 100.0f + numero);
    s.Pendenze = tabella(4, 3, 0.125f);
    s.Intersezioni = lista(2, 3.0f);
    s.PoligonoX = lista(5, -4.0f), s.PoligonoZ = lista(5, 98.0f);
    return s;
}

Profilo profilo() {
    Profilo p;
    p.Versione = 1;
    p.Origine = "C:\\Progetti\\profilo è.pro";
    p.NumeroSezioni = 5;
    p.NumeroLivellette = 2;
    p.ProgressiveLiv = tabella(5, 3, 0.0f), p.TerrenoLiv = tabella(5, 3, 100.0f);
    p.ProgettoLiv = tabella(5, 3, 101.0f), p.RosseLiv = tabella(5, 3, -1.0f);
    p.Progressive = lista(5, 0.0f), p.QuoteTerreno = lista(5, 100.0f);
    p.QuoteProgetto = lista(5, 100.5f), p.QuoteRosse = lista(5, 0.5f);
    p.AreaTerreno = lista(2, 30.0f);
    p.Pendenze = lista(2, 0.02f);
    p.PuntiLivelletta.redim(3);
    for (int i = 0; i <= 3; ++i) p.PuntiLivelletta[i] = 7 - i;
    p.QuotaMassima = 120, p.QuotaRiferimento = 90, p.QuotaMinima = 95.5f;
    p.PrimaSezione = 1;
    p.NumeroCurve = 2;
    p.CurvaDa.assignRaw({0, 1, 3});
    p.CurvaA.assignRaw({0, 3, 5});
    p.CurvaVerso.assignRaw({"", "s", "d"});
    p.CurvaRaggio = lista(2, 50.0f);
    p.CurvaPicchetti.assignRaw({0, 8, 254});
    p.MetodoLivellette = 3;
    return p;
}

TabellaPaleggi paleggi() {
    TabellaPaleggi t;
    t.Versione = 1;
    t.Segmenti.assignRaw({{9, 1.5f, 8, 2.5f}, {1, 0.0f, 2, 20.0f}, {2, 20.0f, 3, 40.0f}});
    t.AreeSterro = lista(3, 5.0f), t.AreeRiporto = lista(3, -5.0f);
    t.Ordinate = lista(3, 0.0f);
    t.ProgressivePunti = lista(3, 0.0f);
    t.ProgressiveSezioni = lista(2, 0.0f);
    t.NumeroPunti = 3;
    t.ScalaVolumi = 10;
    return t;
}

Planimetria piano(int stazioni) {
    Planimetria p;
    p.Versione = 1;
    p.Origine = "rilievo";
    p.NumeroPunti = 3;
    p.Punti.redim(3);
    for (int i = 0; i <= 3; ++i) p.Punti[i] = {100.5f * i, 200.25f - i, 50.0f + i, static_cast<int16_t>(-i)};
    p.SegmentiReticolo.assignRaw({{}, {1, 2, 3, 4, 5, 6}});
    p.NumeroCurveLivello = 2;
    p.CurveLivello.redim(2);
    for (int c = 1; c <= 2; ++c) {
        p.CurveLivello[c].redim(c + 1);
        for (int i = 0; i <= c + 1; ++i)
            p.CurveLivello[c][i] = {float(i), float(c), 100.0f + c, float(i + 1), float(c), 100.0f + c};
    }
    p.CurveLivello[0].redim(0);  // an inner array with position 0 only
    p.PuntiStazione.assignRaw({0, 0, 1, 0});
    p.NumeroPuntiAsse = 2;
    p.AsseTracciato.assignRaw({{}, {0, 0, 0}, {100, 50, kMarcaPicchetto}});
    p.VerticiAsse = p.AsseTracciato;
    p.NumeroIntersezioni = stazioni;
    p.Intersezioni.redim(stazioni), p.Cigli.redim(stazioni), p.Occupazione.redim(stazioni);
    p.EstremiSezioni.redim(stazioni), p.SezioniApplicate.redim(stazioni);
    for (int i = 1; i <= stazioni; ++i) {
        p.Intersezioni[i] = {10.0f * i, 5.0f * i, 100.0f + i, static_cast<int16_t>(1)};
        p.Cigli[i] = {float(i), 1, 2, 3, 4, float(-i)};
        p.EstremiSezioni[i] = {float(i), -7.5f, 2.5f, float(i * i)};
        p.SezioniApplicate[i] = sezione(i);
    }
    p.ProfiloApplicato = profilo();
    p.PaleggiApplicati = paleggi();
    return p;
}

FileSezioni fileSezioni(int quante) {
    FileSezioni f;
    f.Versione = 1;
    f.Sezioni.redim(quante);
    f.Sezioni[0] = sezione(99);
    for (int i = 1; i <= quante; ++i) f.Sezioni[i] = sezione(i);
    return f;
}

OpenTraverse poligonaleAperta() {
    OpenTraverse t;
    t.Versione = 1;
    t.Origine = "aperta";
    t.NumeroStazioni = 4;
    t.LunghezzaTotale = 312.5f;
    t.CostanteDistanziometrica = 100;
    t.LetturaAzimutale = lista(4, 10);
    t.LetturaZenitale = lista(4, 100);
    t.AltezzaStrumentale = lista(4, 1.5f);
    t.Ascissa = lista(4, 1000), t.Ordinata = lista(4, 2000), t.Quota = lista(4, 300);
    t.LetturaSuperiore = lista(4, 2.5f);
    return t;
}

ClosedTraverse poligonaleChiusa() {
    ClosedTraverse t;
    t.Versione = 1;
    t.Tipo = 1;
    t.NumeroStazioni = 5;
    t.SommaAngoli = 600;
    t.ErroreAngolare = -0.0125f;
    t.TolleranzaLineare = 0.3f;
    t.AngoloMisurato = lista(5, 120);
    t.AngoloCompensato = lista(5, 119.99f);
    t.Distanza = lista(5, 80);
    t.Ascissa = lista(5, 0), t.Ordinata = lista(5, 0);
    return t;
}

TriangulationChain triangolazione() {
    TriangulationChain t;
    t.Versione = 1;
    t.Origine = "catena";
    t.NumeroTriangoli = 3;
    t.Angolo1 = lista(3, 60), t.Angolo2 = lista(3, 70), t.Angolo3 = lista(3, 50);
    t.Distanza = lista(3, 120);
    t.X = lista(4, 10), t.Y = lista(4, 20);
    return t;
}

CartellaTemporanea::CartellaTemporanea() {
    std::random_device rd;
    percorso = std::filesystem::temp_directory_path() / ("carvela_test_" + std::to_string(rd()));
    std::filesystem::create_directories(percorso);
}

CartellaTemporanea::~CartellaTemporanea() {
    std::error_code ec;
    std::filesystem::permissions(percorso, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(percorso, ec);
}

}  // namespace carvela::campioni
