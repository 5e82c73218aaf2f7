#pragma once
// An immutable text shared by its copies: one pointer wide, nothing allocated for the empty
// text. The names and layers of a drawing's entities repeat over a million records; with a
// string each, they were most of a large drawing's memory.
#include <atomic>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

namespace carvela {

class TestoCondiviso {
public:
    TestoCondiviso() noexcept = default;
    // Explicit, so that `cond ? entita.Layer : std::string()` reads as a string.
    explicit TestoCondiviso(std::string_view s) : b_(s.empty() ? nullptr : new Blocco{{1}, std::string(s)}) {}
    explicit TestoCondiviso(const char* s) : TestoCondiviso(std::string_view(s)) {}
    explicit TestoCondiviso(const std::string& s) : TestoCondiviso(std::string_view(s)) {}
    TestoCondiviso(const TestoCondiviso& o) noexcept : b_(o.b_) {
        if (b_) b_->riferimenti.fetch_add(1, std::memory_order_relaxed);
    }
    TestoCondiviso(TestoCondiviso&& o) noexcept : b_(std::exchange(o.b_, nullptr)) {}
    ~TestoCondiviso() { rilascia(); }
    TestoCondiviso& operator=(TestoCondiviso o) noexcept {
        std::swap(b_, o.b_);
        return *this;
    }
    TestoCondiviso& operator=(std::string_view s) { return *this = TestoCondiviso(s); }
    TestoCondiviso& operator=(const char* s) { return *this = TestoCondiviso(s); }
    TestoCondiviso& operator=(const std::string& s) { return *this = TestoCondiviso(s); }

    const std::string& str() const noexcept { return b_ ? b_->testo : vuoto(); }
    operator const std::string&() const noexcept { return str(); }
    operator std::string_view() const noexcept { return str(); }

    bool empty() const noexcept { return !b_; }
    std::size_t size() const noexcept { return str().size(); }
    const char* c_str() const noexcept { return str().c_str(); }
    void clear() noexcept { *this = TestoCondiviso(); }
    template <class... A>
    std::size_t find(A&&... a) const {
        return str().find(std::forward<A>(a)...);
    }
    template <class... A>
    std::size_t rfind(A&&... a) const {
        return str().rfind(std::forward<A>(a)...);
    }
    std::string substr(std::size_t pos = 0, std::size_t n = std::string::npos) const { return str().substr(pos, n); }
    // The same block: copies of one text, a cheap first test before comparing the letters.
    bool stessoBlocco(const TestoCondiviso& o) const noexcept { return b_ == o.b_; }

    friend bool operator==(const TestoCondiviso& a, const TestoCondiviso& b) noexcept {
        return a.b_ == b.b_ || a.str() == b.str();
    }
    friend bool operator==(const TestoCondiviso& a, const std::string& b) noexcept { return a.str() == b; }
    friend bool operator==(const TestoCondiviso& a, std::string_view b) noexcept { return a.str() == b; }
    friend bool operator==(const TestoCondiviso& a, const char* b) noexcept { return a.str() == b; }
    friend std::ostream& operator<<(std::ostream& os, const TestoCondiviso& t) { return os << t.str(); }

private:
    struct Blocco {
        std::atomic<int> riferimenti;
        const std::string testo;
    };
    static const std::string& vuoto() noexcept {
        static const std::string v;
        return v;
    }
    void rilascia() noexcept {
        if (b_ && b_->riferimenti.fetch_sub(1, std::memory_order_acq_rel) == 1) delete b_;
        b_ = nullptr;
    }
    Blocco* b_ = nullptr;
};

}  // namespace carvela
