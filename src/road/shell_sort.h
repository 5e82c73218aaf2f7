#pragma once
// The Shell sort the road computation uses for stations and section ground points. Its
// exact order of comparisons fixes where items with equal keys end up, so it is kept as
// the program has always sorted: gaps n/2, n/4, ... 1; at each gap, passes swap the
// neighbours (i, i + gap) whose key is strictly greater, each new pass stopping at the last
// swap position minus the gap, until a pass makes no swap.
#include <cstddef>
#include <utility>
#include <vector>

namespace carvela {

// Sorts items[inizio, fine) by chiave(item) ascending. The keys are taken once, before the
// sort, so a key may be costly to compute.
template <class T, class Chiave>
void ordinaShell(std::vector<T>& elementi, std::size_t inizio, std::size_t fine, Chiave chiave) {
    if (fine > elementi.size()) fine = elementi.size();
    if (fine <= inizio + 1) return;
    const std::size_t n = fine - inizio;
    std::vector<double> chiavi(n);
    for (std::size_t i = 0; i < n; ++i) chiavi[i] = static_cast<double>(chiave(elementi[inizio + i]));

    // 1-based positions as in the classic formulation: compare r and r + gap for r = 1..limite.
    for (std::size_t gap = n / 2; gap > 0; gap /= 2) {
        std::ptrdiff_t limite = static_cast<std::ptrdiff_t>(n - gap);
        std::size_t scambio = 0;
        do {
            scambio = 0;
            for (std::ptrdiff_t r = 1; r <= limite; ++r) {
                const std::size_t a = static_cast<std::size_t>(r) - 1, b = a + gap;
                if (chiavi[a] > chiavi[b]) {
                    std::swap(chiavi[a], chiavi[b]);
                    std::swap(elementi[inizio + a], elementi[inizio + b]);
                    scambio = static_cast<std::size_t>(r);
                }
            }
            limite = static_cast<std::ptrdiff_t>(scambio) - static_cast<std::ptrdiff_t>(gap);
        } while (scambio != 0);
    }
}

template <class T, class Chiave>
void ordinaShell(std::vector<T>& elementi, Chiave chiave) {
    ordinaShell(elementi, 0, elementi.size(), chiave);
}

}  // namespace carvela
