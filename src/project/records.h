#pragma once
// The project records. Members are declared in the order they are stored in the project
// files; every member listed in serializza() (serializer.h) is stored, nothing else is.
// Numbers are single precision in the records; computations use double and store back.
#include <cstdint>
#include <string>

#include "project/testo_condiviso.h"
#include "project/vbarray.h"

namespace carvela {

struct PlanPoint {
    float x = 0, y = 0, z = 0;
    int16_t riservato = 0;  // kept as read, never shown
    bool operator==(const PlanPoint&) const = default;
};

// One straight piece: contour pieces, mesh segments, road edges and land take.
struct ContourSegment {
    float x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0;
    bool operator==(const ContourSegment&) const = default;
};

// Marks of the staked axis: 0 on vertices and on the last stake of a curve, 255 on other stakes.
inline constexpr uint8_t kMarcaPicchetto = 255;

struct AxisPoint {
    float x = 0, y = 0;
    uint8_t marca = 0;
    bool operator==(const AxisPoint&) const = default;
};

// One station of the road: where the axis crosses a contour line (or an axis point).
struct IntersezioneAsse {
    float x = 0, y = 0, z = 0;
    int16_t k = 0;  // leg of AsseTracciato from point k to point k + 1
    bool operator==(const IntersezioneAsse&) const = default;
};

// The two ends of the section line of one station.
struct EstremoSezione {
    float xL = 0, yL = 0, xR = 0, yR = 0;
    bool operator==(const EstremoSezione&) const = default;
};

// One cross-section: ground line, road template values and the results of its solve.
struct Sezione {
    std::string Nome;
    int16_t Numero = 0;
    float Larghezza = 0;      // road width W
    float QuotaProgetto = 0;  // axis design elevation Z
    float Progressiva = 0;
    int16_t NumeroPunti = 0;  // ground point count N
    float QuotaTerrenoCiglio = 0;
    float RossaCiglioSinistro = 0, RossaCiglioDestro = 0, RossaAsse = 0;
    float ScostamentoSinistro = 0, ScostamentoDestro = 0;  // catch offsets
    float XPiedeSinistro = 0, XPiedeDestro = 0, ZPiedeSinistro = 0, ZPiedeDestro = 0;
    float Lavoro1 = 0, Lavoro2 = 0;
    int16_t NumeroIntersezioni = 0;  // crossings of the ground with the platform level
    float Lavoro3 = 0;
    uint8_t PresenteSterro = 0, PresenteRiporto = 0;
    float SommaSterroPezzo = 0, SommaRiportoPezzo = 0;
    float AreaRiporto = 0;  // 0 or negative
    float AreaSterro = 0;   // 0 or positive
    VbArray<float> DistanzeTerreno;  // signed distance from the axis, negative on the left
    VbArray<float> QuoteTerreno;
    VbArray2<float> Pendenze;  // (i + 1, i): gradient of ground segment i
    VbArray<float> Intersezioni;
    VbArray<float> PoligonoX, PoligonoZ;
    bool Risolta = true;  // memory only, not stored: false when the last solve could not place the road

    bool operator==(const Sezione&) const = default;
};

// The longitudinal profile.
struct Profilo {
    int16_t Versione = 0;
    std::string Origine;
    int32_t NumeroSezioni = 0;
    int32_t NumeroLivellette = 0;
    VbArray2<float> ProgressiveLiv, TerrenoLiv, ProgettoLiv, RosseLiv;  // (point, grade line)
    VbArray<float> ListaSezioni;  // per section, unused by the computations
    VbArray<float> AscissePassaggio, QuotePassaggio;
    VbArray<float> Progressive, QuoteTerreno, QuoteProgetto, QuoteRosse;
    VbArray<float> AreaTrapezio;  // per grade line: scratch, area of the last trapezoid summed
    VbArray<float> AreaTerreno;
    VbArray<float> ListaLivellette;      // per grade line, unused
    VbArray2<float> TabellaLivellette;   // (point, grade line), unused
    VbArray<float> Pendenze;
    VbArray<int32_t> PuntiLivelletta;
    VbArray<float> DistanzaPassaggio, QuotaPassaggio;
    float QuotaMassima = 0, QuotaRiferimento = 0, QuotaMinima = 0;
    int32_t PrimaSezione = 0;
    int32_t NumeroCurve = 0;
    VbArray<int32_t> CurvaDa, CurvaA;
    VbArray<std::string> CurvaVerso;  // "s" or "d"
    VbArray<float> CurvaRaggio, CurvaTangente, CurvaSviluppo, CurvaApertura;
    VbArray<uint8_t> CurvaPicchetti;
    uint8_t MetodoLivellette = 0;

    bool operator==(const Profilo&) const = default;
};

// One row of the volume table's segment list: the stretch between two sections.
struct RigaPaleggio {
    int16_t DaSezione = 0;
    float DaProgressiva = 0;
    int16_t ASezione = 0;
    float AProgressiva = 0;
    bool operator==(const RigaPaleggio&) const = default;
};

// The earth-volume table and its mass diagram.
struct TabellaPaleggi {
    int16_t Versione = 0;
    std::string Origine;
    VbArray<RigaPaleggio> Segmenti;
    VbArray<float> AreeSterro, AreeRiporto;
    VbArray<float> Ordinate;             // mass ordinate per diagram point (m3)
    VbArray<float> ProgressivePunti;     // progressive per diagram point
    VbArray<float> ProgressiveSezioni;   // position j: progressive of section j + 1
    int16_t NumeroPunti = 0;
    float ScalaVolumi = 0;

    bool operator==(const TabellaPaleggi&) const = default;
};

// The plan: points, contour lines, axis, stations, and the embedded road documents.
struct Planimetria {
    int16_t Versione = 0;
    std::string Origine;
    int32_t NumeroPunti = 0;
    VbArray<PlanPoint> Punti;
    VbArray<ContourSegment> SegmentiReticolo;
    int32_t NumeroCurveLivello = 0;
    VbArray<VbArray<ContourSegment>> CurveLivello;
    VbArray<uint8_t> PuntiStazione;
    int32_t NumeroPuntiAsse = 0;
    VbArray<ContourSegment> Cigli;
    VbArray<ContourSegment> Occupazione;
    VbArray<AxisPoint> AsseTracciato;
    VbArray<AxisPoint> VerticiAsse;
    int32_t NumeroIntersezioni = 0;
    VbArray<IntersezioneAsse> Intersezioni;
    VbArray<EstremoSezione> EstremiSezioni;
    VbArray<Sezione> SezioniApplicate;
    Profilo ProfiloApplicato;
    TabellaPaleggi PaleggiApplicati;

    bool operator==(const Planimetria&) const = default;
};

// Content of a sections file.
struct FileSezioni {
    int16_t Versione = 0;
    VbArray<Sezione> Sezioni;
    bool operator==(const FileSezioni&) const = default;
};

struct OpenTraverse {
    int16_t Versione = 0;
    uint8_t Tipo = 0;  // the axis import takes the points only when 0
    std::string Origine;
    int16_t NumeroStazioni = 0;
    float LunghezzaTotale = 0;
    float CostanteDistanziometrica = 0;
    VbArray<float> LetturaAzimutale, LetturaZenitale, Riservato, AltezzaStrumentale;
    VbArray<float> AscissaParziale, OrdinataParziale, Dislivello;
    VbArray<float> Ascissa, Ordinata, Quota;
    VbArray<float> DistanzaOrizzontale;
    VbArray<float> LetturaInferiore, LetturaMedia, LetturaSuperiore;

    bool operator==(const OpenTraverse&) const = default;
};

struct ClosedTraverse {
    int16_t Versione = 0;
    uint8_t Tipo = 0;
    std::string Origine;
    int16_t NumeroStazioni = 0;
    float SommaAngoli = 0;
    float Perimetro = 0;
    float ErroreAscissa = 0, ErroreOrdinata = 0;  // fx, fy
    float ErroreAngolare = 0;                     // signed
    float ErroreLineare = 0;
    float Correzione = 0;  // angular correction per vertex
    float TolleranzaAngolare = 0, TolleranzaLineare = 0;
    VbArray<float> AngoloZenitale, AltezzaStrumentale, AltezzaPrisma, Quota;
    VbArray<float> AngoloMisurato, AngoloCompensato;
    VbArray<float> LetturaIndietro, LetturaAvanti;
    VbArray<float> Azimut, Distanza;
    VbArray<float> AscissaParziale, OrdinataParziale;
    VbArray<float> Ascissa, Ordinata;

    bool operator==(const ClosedTraverse&) const = default;
};

struct TriangulationChain {
    int16_t Versione = 0;
    std::string Origine;
    int16_t NumeroTriangoli = 0;
    VbArray<float> Angolo1, Angolo2, Angolo3;
    VbArray<float> Errore;
    VbArray<float> Azimut, Distanza;
    VbArray<float> X, Y;

    bool operator==(const TriangulationChain&) const = default;
};

// One entity of an imported drawing (never stored in project files). Its texts are shared by
// the copies (a polyline's vertices carry its name and layer), so a large drawing takes about
// half the memory it took with a string each.
struct DxfEntity {
    TestoCondiviso Nome;
    TestoCondiviso Layer;
    TestoCondiviso Testo;
    float X1 = 0, Y1 = 0, Z1 = 0;
    float Riservato1 = 0;
    float X2 = 0, Y2 = 0, Z2 = 0;
    float Riservato2 = 0;
    float R = 0;
    float AngoloIniziale = 0, AngoloFinale = 0;
    uint8_t Colore = 15;
    uint8_t FlagVertice = 0;
    uint8_t FlagPolilinea = 0;

    bool operator==(const DxfEntity&) const = default;
};

// Per stake of the staked axis: the centre and side of its curve (memory only).
struct CentroCurva {
    float x = 0, y = 0;
    uint8_t lato = 0;  // 0 right ("d"), 1 left ("s")
    bool operator==(const CentroCurva&) const = default;
};

// Which document the main window shows.
enum TipoDoc : uint8_t {
    kDocNessuno = 0,
    kDocProfilo = 1,
    kDocSezione = 2,
    kDocDiagramma = 3,
    kDocPianta = 4,
    kDocPoligonaleAperta = 5,
    kDocPoligonaleChiusa = 6,
    kDocTriangolazione = 7,
    kDocDxf = 8,
};

}  // namespace carvela
