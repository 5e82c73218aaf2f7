#pragma once
// The logic of the three intersection pages: "Intersezione in avanti" (IntersezAvanti),
// "Intersezione di Pothèno" (IntersezPotheno) and "Intersezione di Hansen" (IntersezHansen).
// Each reads its boxes, computes and writes the results into its result boxes.
#include <array>
#include <string>
#include <vector>

namespace carvela {
class Host;

enum class TipoIntersezione { Avanti, Potheno, Hansen };

struct CasellaIntersezione {
    int indice;             // position in Text1
    const char* etichetta;  // the label beside the box
};

struct CorniceIntersezione {
    const char* titolo;
    std::vector<CasellaIntersezione> caselle;  // in the order they stand in the frame
};

class ModelloIntersezione {
public:
    static constexpr int kCaselle = 12;
    static constexpr const char* kCalcola = "<< &Calcola >>";
    static constexpr const char* kChiudi = "C&hiudi";

    explicit ModelloIntersezione(TipoIntersezione tipo) : tipo_(tipo) {}

    TipoIntersezione tipo() const { return tipo_; }
    const char* titolo() const;
    // The three frames: known points, angles, results.
    std::vector<CorniceIntersezione> cornici() const;
    // Indexes of the result boxes.
    std::vector<int> caselleRisultato() const;

    std::array<std::string, kCaselle> Text1;
    // The box a "Tipo di dati non corretto!" of the last calcola refers to, -1 for none.
    int casellaErrata = -1;

    // "<< &Calcola >>": the boxes read as single-precision numbers, the figure solved, the
    // results written as the plain text of their single-precision values. On failure one
    // message is shown and the result boxes keep their text.
    bool calcola(float angoloPiatto, Host& host);

private:
    TipoIntersezione tipo_;
};

}  // namespace carvela
