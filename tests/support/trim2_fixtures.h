#pragma once
// Shared checks of the road-chain and drawing tests.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "project/serializer.h"

namespace carvela::prova {

// Element by element within `tolleranza`; a value that is not a number never matches.
inline ::testing::AssertionResult vicini(const std::vector<double>& a, const std::vector<double>& b,
                                         double tolleranza = 1e-4) {
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << a.size() << " values, " << b.size() << " expected";
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(std::fabs(a[i] - b[i]) <= tolleranza))
            return ::testing::AssertionFailure() << "value " << i << ": " << a[i] << ", expected " << b[i];
    return ::testing::AssertionSuccess();
}

// How many stored numbers of a record (and of the records it holds) are not finite.
struct NonFiniti {
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
    NonFiniti n;
    n(record);
    return n.quanti;
}

}  // namespace carvela::prova
