// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/checked.h"

#include "core/platform_math.h"

#include <cmath>

namespace tirel {

namespace {
const char *describe(FailureKind kind)
{
    switch (kind) {
    case FailureKind::DivisionByZero:
        return "division by zero";
    case FailureKind::Overflow:
        return "overflow";
    case FailureKind::InvalidOperation:
        return "invalid operation";
    }
    return "numeric failure";
}

Num checkedResult(double result)
{
    if (std::isnan(result))
        throw NumericFailure(FailureKind::InvalidOperation);
    if (std::isinf(result))
        throw NumericFailure(FailureKind::Overflow);
    return result;
}
} // namespace

NumericFailure::NumericFailure(FailureKind kind) : std::runtime_error(describe(kind)), kind_(kind)
{
}

Num operator+(Num a, Num b)
{
    return checkedResult(a.value_ + b.value_);
}
Num operator-(Num a, Num b)
{
    return checkedResult(a.value_ - b.value_);
}
Num operator*(Num a, Num b)
{
    return checkedResult(a.value_ * b.value_);
}
Num operator-(Num a)
{
    return -a.value_;
}

Num operator/(Num a, Num b)
{
    // Any zero divisor is a division by zero, 0 / 0 included.
    if (b.value_ == 0.0)
        throw NumericFailure(FailureKind::DivisionByZero);
    return checkedResult(a.value_ / b.value_);
}

Num pow(Num base, Num exponent)
{
    const double b = base.value();
    const double e = exponent.value();
    if (b < 0.0 && std::trunc(e) != e)
        throw NumericFailure(FailureKind::InvalidOperation);
    if (b == 0.0 && e < 0.0)
        throw NumericFailure(FailureKind::InvalidOperation);
    return checkedResult(platform::pow(b, e));
}

Num ln(Num x)
{
    if (x.value() <= 0.0)
        throw NumericFailure(FailureKind::InvalidOperation);
    return checkedResult(platform::log(x.value()));
}

Num exp(Num x)
{
    return checkedResult(platform::exp(x.value()));
}

Num abs(Num x)
{
    return std::fabs(x.value());
}

} // namespace tirel
