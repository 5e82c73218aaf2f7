#pragma once
// The DXF writer: an ENTITIES section written item by item through six entity writers, in
// the forms every export shares (group codes and colours as " n ", reals as Str, CR LF).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "project/origine.h"

namespace carvela {
class Host;
class FileAtomico;

class ScrittoreDxf {
public:
    // Plan coordinates (groups 10, 11, 20, 21) are written as the true ones, record plus this
    // origin; origin 0 writes the records as they are.
    void origine(const OrigineProgetto& o) { origine_ = o; }

    // With a file, the text goes there as it grows (fine() sends the rest) and contenuto()
    // keeps only what is not sent yet: a large drawing is never whole in memory.
    void collega(FileAtomico* file) { file_ = file; }
    void inizio();  // 0 SECTION, 2 ENTITIES
    void linea(std::string_view layer, int colore, float x1, float y1, float z1, float x2, float y2, float z2);
    void cerchio(std::string_view layer, int colore, float x, float y, float z, float r);
    void testo(std::string_view layer, int colore, float x, float y, float z, float altezza, std::string_view testo,
               float rotazione);
    // A straight POLYLINE of width w with two vertices (the vertices carry no flags).
    void segmentoSpesso(std::string_view layer, int colore, float x1, float y1, float z1, float x2, float y2, float z2,
                        float larghezza);
    void fine();  // 0 ENDSEC, 0 EOF

    const std::string& contenuto() const { return testo_; }
    // Entities left out because a coordinate was not a finite number.
    int scartate() const { return scartate_; }

private:
    void codice(int c);
    void stringa(std::string_view s);
    void reale(float v);
    void est(float v);
    void nord(float v);
    bool finiti(std::initializer_list<float> valori);

    void svuota();

    std::string testo_;
    OrigineProgetto origine_;

    FileAtomico* file_ = nullptr;
    int scartate_ = 0;
};

// Writes the text to the file through a temporary file renamed over it, so a failed export
// never leaves half a drawing; on failure says "Impossibile creare il file PATH: REASON." and
// returns false, the old file left as it was.
bool salvaDxf(const std::string& path, const std::string& contenuto, Host& host);
// The same for a drawing written as it is made: `esporta` connects its writer to the file it
// is given and returns the writer's contenuto().
bool salvaDxf(const std::string& path, const std::function<std::string(FileAtomico*)>& esporta, Host& host);

}  // namespace carvela
