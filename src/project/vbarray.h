#pragma once
// Resizable arrays with the semantics the project files and the computations rely on:
// lower bound 0, data usually from position 1, position 0 stored like any element,
// and a "never dimensioned" state distinct from an array holding only position 0.
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace carvela {

template <class T>
class VbArray {
public:
    VbArray() = default;
    explicit VbArray(int32_t upperBound) { redim(upperBound); }

    bool isDimensioned() const { return dimensioned_; }
    // Upper bound, or -1 for an array never dimensioned (or dimensioned with no element).
    int32_t upperBound() const { return static_cast<int32_t>(data_.size()) - 1; }
    std::size_t size() const { return data_.size(); }
    bool empty() const { return data_.empty(); }
    bool has(int32_t i) const { return i >= 0 && i < static_cast<int32_t>(data_.size()); }

    // ReDim: 0..upperBound, every element reset.
    void redim(int32_t upperBound) {
        data_.assign(upperBound < 0 ? 0 : static_cast<std::size_t>(upperBound) + 1, T{});
        dimensioned_ = true;
    }
    // ReDim Preserve: 0..upperBound keeping the elements that still fit.
    void redimPreserve(int32_t upperBound) {
        data_.resize(upperBound < 0 ? 0 : static_cast<std::size_t>(upperBound) + 1);
        dimensioned_ = true;
    }
    // Grows to hold index i (keeping contents); never shrinks.
    void ensure(int32_t i) {
        if (i > upperBound()) redimPreserve(i);
        dimensioned_ = true;
    }
    // Erase: back to the never-dimensioned state.
    void erase() {
        data_.clear();
        data_.shrink_to_fit();
        dimensioned_ = false;
    }

    T& operator[](int32_t i) {
        assert(has(i));
        return data_[static_cast<std::size_t>(i)];
    }
    const T& operator[](int32_t i) const {
        assert(has(i));
        return data_[static_cast<std::size_t>(i)];
    }
    // Element i, or a default value when i is outside the array: for readers of records
    // that may come from a file whose counts disagree with its arrays.
    T get(int32_t i) const { return has(i) ? data_[static_cast<std::size_t>(i)] : T{}; }

    std::vector<T>& raw() { return data_; }
    const std::vector<T>& raw() const { return data_; }
    void assignRaw(std::vector<T> v) {
        data_ = std::move(v);
        dimensioned_ = true;
    }

    bool operator==(const VbArray& o) const { return dimensioned_ == o.dimensioned_ && data_ == o.data_; }

private:
    std::vector<T> data_;
    bool dimensioned_ = false;
};

// Two dimensions indexed (i, j); the first index runs fastest in memory and in files.
template <class T>
class VbArray2 {
public:
    VbArray2() = default;
    VbArray2(int32_t ub1, int32_t ub2) { redim(ub1, ub2); }

    bool isDimensioned() const { return dimensioned_; }
    int32_t upperBound1() const { return n1_ - 1; }
    int32_t upperBound2() const { return n2_ - 1; }
    int32_t count1() const { return n1_; }
    int32_t count2() const { return n2_; }
    bool has(int32_t i, int32_t j) const { return i >= 0 && j >= 0 && i < n1_ && j < n2_; }

    void redim(int32_t ub1, int32_t ub2) {
        n1_ = ub1 < 0 ? 0 : ub1 + 1;
        n2_ = ub2 < 0 ? 0 : ub2 + 1;
        data_.assign(static_cast<std::size_t>(n1_) * static_cast<std::size_t>(n2_), T{});
        dimensioned_ = true;
    }
    // Resizes both dimensions keeping every element whose indexes still fit.
    void redimPreserve(int32_t ub1, int32_t ub2) {
        VbArray2 grown(ub1, ub2);
        for (int32_t j = 0; j < n2_ && j < grown.n2_; ++j)
            for (int32_t i = 0; i < n1_ && i < grown.n1_; ++i) grown(i, j) = (*this)(i, j);
        *this = std::move(grown);
    }
    void erase() {
        data_.clear();
        data_.shrink_to_fit();
        n1_ = n2_ = 0;
        dimensioned_ = false;
    }

    T& operator()(int32_t i, int32_t j) {
        assert(has(i, j));
        return data_[static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * static_cast<std::size_t>(n1_)];
    }
    const T& operator()(int32_t i, int32_t j) const {
        assert(has(i, j));
        return data_[static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * static_cast<std::size_t>(n1_)];
    }
    T get(int32_t i, int32_t j) const { return has(i, j) ? (*this)(i, j) : T{}; }

    std::vector<T>& raw() { return data_; }
    const std::vector<T>& raw() const { return data_; }
    // Used by the file reader once the two counts are known.
    void assignRaw(int32_t n1, int32_t n2, std::vector<T> v) {
        n1_ = n1;
        n2_ = n2;
        data_ = std::move(v);
        dimensioned_ = true;
    }

    bool operator==(const VbArray2& o) const {
        return dimensioned_ == o.dimensioned_ && n1_ == o.n1_ && n2_ == o.n2_ && data_ == o.data_;
    }

private:
    std::vector<T> data_;
    int32_t n1_ = 0, n2_ = 0;
    bool dimensioned_ = false;
};

}  // namespace carvela
