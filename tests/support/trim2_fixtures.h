#pragma once
// Shared checks of the road-chain and drawing tests.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "project/non_finiti.h"

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

// nonFiniti(record): project/non_finiti.h.
using carvela::nonFiniti;

}  // namespace carvela::prova
