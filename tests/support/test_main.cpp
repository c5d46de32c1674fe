// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/test_main.h"

#include <QMetaMethod>
#include <QTest>
#include <cstdio>
#include <optional>
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

namespace {

// A run on a platform that cannot show what a test function checks leaves that function out:
// TIREL_TEST_SKIP holds "Class::function" names separated by commas. Returns the arguments that
// run every other test function of the suite (none when all are named), or nothing when none of
// its functions is named.
std::optional<QStringList> argumentsSkipping(const QObject &suite, int argc, char **argv)
{
    const QStringList skipped =
        qEnvironmentVariable("TIREL_TEST_SKIP").split(u',', Qt::SkipEmptyParts);
    const QMetaObject *meta = suite.metaObject();
    const QString prefix = QString::fromLatin1(meta->className()) + QStringLiteral("::");
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QStringList kept;
    bool skips = false;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const QString name = QString::fromLatin1(method.name());
        if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Private ||
            method.parameterCount() != 0 || name.endsWith(QStringLiteral("_data")) ||
            name == u"initTestCase" || name == u"cleanupTestCase" || name == u"init" ||
            name == u"cleanup")
            continue;
        if (skipped.contains(prefix + name)) {
            skips = true;
            std::fprintf(stderr, "SKIP   : %s%s() left out on this platform\n", qPrintable(prefix),
                         qPrintable(name));
        } else {
            kept.append(name);
        }
    }
    if (!skips)
        return std::nullopt;
    return kept.isEmpty() ? QStringList() : arguments + kept;
}

} // namespace

int main(int argc, char **argv)
{
    TestApplication app(argc, argv);
    int failures = 0;
    // Where standard output does not come through (a Windows test program under Wine), each
    // suite writes its log to a file of its own in TIREL_TEST_LOG_DIR.
    const QString logDir = qEnvironmentVariable("TIREL_TEST_LOG_DIR");
    for (const auto &make : tirel::test::registry()) {
        auto suite = make();
        const std::optional<QStringList> selected = argumentsSkipping(*suite, argc, argv);
        if (selected && selected->isEmpty())
            continue;
        if (logDir.isEmpty() && !selected) {
            failures += QTest::qExec(suite.get(), argc, argv);
            continue;
        }
        QStringList arguments = selected ? *selected : app.arguments();
        if (!logDir.isEmpty())
            arguments << QStringLiteral("-o")
                      << QStringLiteral("%1/%2.txt,txt")
                             .arg(logDir, QString::fromLatin1(suite->metaObject()->className()));
        failures += QTest::qExec(suite.get(), arguments);
    }
    return failures == 0 ? 0 : 1;
}
