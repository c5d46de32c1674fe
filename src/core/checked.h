// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Checked double arithmetic: every step of a formula either gives a finite double or throws a
// NumericFailure, so an overflow cannot vanish into a later division.
#include <stdexcept>

namespace tirel {

enum class FailureKind { DivisionByZero, Overflow, InvalidOperation };

class NumericFailure : public std::runtime_error {
public:
    explicit NumericFailure(FailureKind kind);
    FailureKind kind() const { return kind_; }

private:
    FailureKind kind_;
};

// A double whose operations are checked. Converts implicitly from double so that formulas read
// like their tables: (n - 1) * d + a1.
class Num {
public:
    Num(double value) : value_(value) {} // NOLINT(google-explicit-constructor)
    double value() const { return value_; }

    friend Num operator+(Num a, Num b);
    friend Num operator-(Num a, Num b);
    friend Num operator*(Num a, Num b);
    friend Num operator/(Num a, Num b);
    friend Num operator-(Num a);

private:
    double value_;
};

Num pow(Num base, Num exponent); // real power; a negative base needs a whole exponent
Num ln(Num x);                   // natural logarithm of a positive number
Num exp(Num x);
Num abs(Num x);

} // namespace tirel
