#pragma once
// How many stored numbers of a record (and of the records it holds) are not finite: nothing
// computed from an input may store a NaN or an infinity.
#include <cmath>
#include <cstdint>
#include <string>

#include "project/serializer.h"

namespace carvela {

struct ContaNonFiniti {
    int quanti = 0;
    void operator()(float& f) { quanti += !std::isfinite(f); }
    void operator()(int16_t&) {}
    void operator()(int32_t&) {}
    void operator()(uint8_t&) {}
    void operator()(std::string&) {}
    template <class T>
    void operator()(VbArray<T>& a) {
        for (auto& e : a.raw()) (*this)(e);
    }
    template <class T>
    void operator()(VbArray2<T>& a) {
        for (auto& e : a.raw()) (*this)(e);
    }
    template <class R>
    void operator()(R& r) {
        serializza(*this, r);
    }
};

template <class R>
int nonFiniti(R record) {
    ContaNonFiniti n;
    n(record);
    return n.quanti;
}

}  // namespace carvela
