// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Lets each test file of a suite register its Qt Test class; one main runs them all.
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace tirel::test {

using Factory = std::function<std::unique_ptr<QObject>()>;
std::vector<Factory> &registry();

struct Registrar {
    explicit Registrar(Factory factory) { registry().push_back(std::move(factory)); }
};

} // namespace tirel::test

#define TIREL_TEST(Class)                                                                          \
    static const ::tirel::test::Registrar registrar_##Class                                        \
    {                                                                                              \
        [] { return std::unique_ptr<QObject>(new Class); }                                         \
    }
