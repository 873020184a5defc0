#pragma once
// Fixed-size tables with inclusive bounds and checked access. An index outside
// the bounds raises error 9 "Subscript out of range" instead of touching memory
// outside the table. The check is one compare per index and stays on in every build.
#include <algorithm>
#include <array>
#include <cstddef>

#include "shared/RuntimeError.h"

namespace tarvisol {

template <class T, int Lo, int Hi>
class Array1 {
    static_assert(Hi >= Lo);

public:
    static constexpr int Lower = Lo;
    static constexpr int Upper = Hi;
    static constexpr std::size_t Size = static_cast<std::size_t>(Hi - Lo + 1);

    T& operator()(int i) {
        if (i < Lo || i > Hi) RaiseSubscriptOutOfRange();
        return v_[static_cast<std::size_t>(i - Lo)];
    }
    const T& operator()(int i) const {
        if (i < Lo || i > Hi) RaiseSubscriptOutOfRange();
        return v_[static_cast<std::size_t>(i - Lo)];
    }
    void Fill(const T& x) { v_.fill(x); }
    T* data() { return v_.data(); }
    const T* data() const { return v_.data(); }
    bool operator==(const Array1&) const = default;

private:
    std::array<T, Size> v_{};
};

// Two indices, both from 0. Stored with the second index varying fastest.
template <class T, int Hi0, int Hi1>
class Table2 {
public:
    static constexpr int Upper0 = Hi0;
    static constexpr int Upper1 = Hi1;
    static constexpr std::size_t Cols = static_cast<std::size_t>(Hi1 + 1);

    T& operator()(int a, int b) {
        if (static_cast<unsigned>(a) > static_cast<unsigned>(Hi0) ||
            static_cast<unsigned>(b) > static_cast<unsigned>(Hi1))
            RaiseSubscriptOutOfRange();
        return v_[static_cast<std::size_t>(a) * Cols + static_cast<std::size_t>(b)];
    }
    const T& operator()(int a, int b) const { return const_cast<Table2&>(*this)(a, b); }
    // Row a as a plain array of Hi1 + 1 entries, for tight loops over one row
    // (the row index is checked here, the loop's bounds by the caller).
    T* Row(int a) {
        if (static_cast<unsigned>(a) > static_cast<unsigned>(Hi0)) RaiseSubscriptOutOfRange();
        return v_.data() + static_cast<std::size_t>(a) * Cols;
    }
    const T* Row(int a) const { return const_cast<Table2&>(*this).Row(a); }
    void Fill(const T& x) { v_.fill(x); }
    bool operator==(const Table2&) const = default;

private:
    std::array<T, static_cast<std::size_t>(Hi0 + 1) * Cols> v_{};
};

// Three indices, all from 0.
template <class T, int Hi0, int Hi1, int Hi2>
class Table3 {
public:
    static constexpr int Upper0 = Hi0;
    static constexpr int Upper1 = Hi1;
    static constexpr int Upper2 = Hi2;

    T& operator()(int a, int b, int c) {
        if (static_cast<unsigned>(a) > static_cast<unsigned>(Hi0) ||
            static_cast<unsigned>(b) > static_cast<unsigned>(Hi1) ||
            static_cast<unsigned>(c) > static_cast<unsigned>(Hi2))
            RaiseSubscriptOutOfRange();
        return v_[(static_cast<std::size_t>(a) * (Hi1 + 1) + static_cast<std::size_t>(b)) * (Hi2 + 1) +
                  static_cast<std::size_t>(c)];
    }
    const T& operator()(int a, int b, int c) const { return const_cast<Table3&>(*this)(a, b, c); }
    void Fill(const T& x) { v_.fill(x); }
    bool operator==(const Table3&) const = default;

private:
    std::array<T, static_cast<std::size_t>(Hi0 + 1) * (Hi1 + 1) * (Hi2 + 1)> v_{};
};

// Four indices, all from 0.
template <class T, int Hi0, int Hi1, int Hi2, int Hi3>
class Table4 {
public:
    T& operator()(int a, int b, int c, int e) {
        if (static_cast<unsigned>(a) > static_cast<unsigned>(Hi0) ||
            static_cast<unsigned>(b) > static_cast<unsigned>(Hi1) ||
            static_cast<unsigned>(c) > static_cast<unsigned>(Hi2) ||
            static_cast<unsigned>(e) > static_cast<unsigned>(Hi3))
            RaiseSubscriptOutOfRange();
        return v_[((static_cast<std::size_t>(a) * (Hi1 + 1) + static_cast<std::size_t>(b)) * (Hi2 + 1) +
                   static_cast<std::size_t>(c)) *
                      (Hi3 + 1) +
                  static_cast<std::size_t>(e)];
    }
    const T& operator()(int a, int b, int c, int e) const { return const_cast<Table4&>(*this)(a, b, c, e); }
    void Fill(const T& x) { v_.fill(x); }
    bool operator==(const Table4&) const = default;

private:
    std::array<T, static_cast<std::size_t>(Hi0 + 1) * (Hi1 + 1) * (Hi2 + 1) * (Hi3 + 1)> v_{};
};

}  // namespace tarvisol
