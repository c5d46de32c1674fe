// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/test_main.h"

#include <QTest>
#ifdef TIREL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

namespace tirel::test {
std::vector<Factory> &registry()
{
    static std::vector<Factory> factories;
    return factories;
}
} // namespace tirel::test

int main(int argc, char **argv)
{
    TestApplication app(argc, argv);
    int failures = 0;
    for (const auto &make : tirel::test::registry()) {
        auto suite = make();
        failures += QTest::qExec(suite.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
