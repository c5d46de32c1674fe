// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answer_bench.h"

#include "stats.h"
#include "window/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <stdexcept>
#include <utility>

namespace tirel::bench {

namespace {

// A box would stop the benchmark in its tracks: every message is counted, none is shown.
class CountingSink : public MessageSink {
public:
    void showMessage(const Message &message) override
    {
        ++count;
        last = message;
    }
    int count = 0;
    Message last;
};

using Inputs = QList<std::pair<FieldId, QString>>;

// One press as the user makes it: the texts typed beforehand, then one click or keystroke.
struct PressCase {
    QString name;
    Inputs inputs;
    std::function<void(Calculator &)> core;
    QString control;               // the button clicked, or the field typed into
    Qt::Key key = Qt::Key_unknown; // the keystroke, for a field
    FieldId answer;                // must hold text afterwards
    QString expected;              // and this text, when not empty
};

Inputs clearedThen(std::initializer_list<FieldId> cleared, const Inputs &typed)
{
    Inputs inputs;
    for (FieldId field : cleared)
        inputs.append({field, QString()});
    inputs.append(typed);
    return inputs;
}

QList<PressCase> pressCases()
{
    using namespace field;
    QList<PressCase> cases;
    cases.append({QStringLiteral("OkAr (arithmetic)"),
                  clearedThen({Id(3), Id(4)}, {{Id(0), "1"}, {Id(1), "2"}, {Id(2), "5"}}),
                  [](Calculator &c) { c.pressOkAr(); }, QStringLiteral("OkAr"), Qt::Key_unknown,
                  Id(4), QStringLiteral("25")});
    cases.append(
        {QStringLiteral("OkGe (geometric)"),
         clearedThen({Idg(2), Idg(3), Idg(4)}, {{Idg(0), "1"}, {Idg(1), "0,5"}, {Idg(2), "10"}}),
         [](Calculator &c) { c.pressOkGe(); }, QStringLiteral("OkGe"), Qt::Key_unknown, Idg(4),
         QStringLiteral("1,998046875")});
    for (int row = 0; row < 4; ++row) {
        const int first = row * 4;
        cases.append(
            {QStringLiteral("OkInteres(%1)").arg(row),
             clearedThen({IdI(first + 3)},
                         {{IdI(first), "1000"}, {IdI(first + 1), "5"}, {IdI(first + 2), "3"}}),
             [row](Calculator &c) { c.pressOkInteres(row); },
             QStringLiteral("OkInteres(%1)").arg(row), Qt::Key_unknown, IdI(first + 3), QString()});
    }
    // "6" becomes "60": a1 follows from S and r, and the typed S stays as it is.
    cases.append({QStringLiteral("key in S (Idg(5))"),
                  clearedThen({Idg(2), Idg(3), Idg(4)}, {{Idg(0), "3"}, {Idg(1), "0,5"}}),
                  [](Calculator &c) { c.edit(field::Idg(5), QStringLiteral("60")); },
                  fieldName(Idg(5)), Qt::Key_0, Idg(0), QStringLiteral("30")});
    return cases;
}

struct ScaleCase {
    ListId list;
    Inputs inputs;
    std::function<void(Calculator &)> core;
    QString button;
};

ScaleCase scaleCase(ListId list, int terms)
{
    const QString k = QString::number(terms);
    if (list == ListId::LstIntrp)
        return {list,
                {{field::IdK, k}, {field::IdA, "1"}, {field::IdB, "2"}},
                [](Calculator &c) { c.pressOkab(); },
                QStringLiteral("Okab")};
    return {list,
            {{field::IdKg, k}, {field::IdAg, "1"}, {field::IdBg, "2"}},
            [](Calculator &c) { c.pressOkABg(); },
            QStringLiteral("OkABg")};
}

void type(Calculator &calculator, const Inputs &inputs)
{
    for (const auto &[field, text] : inputs)
        calculator.edit(field, text);
}

[[noreturn]] void fail(const QString &what)
{
    throw std::runtime_error(what.toStdString());
}

void checkNoMessage(CountingSink &sink, const QString &what)
{
    if (sink.count != 0)
        fail(QStringLiteral("%1 showed \"%2\": \"%3\"").arg(what, sink.last.title, sink.last.text));
}

void checkAnswer(const Form &form, const PressCase &press, const QString &where)
{
    const QString text = form.text(press.answer);
    if (text.isEmpty() || (!press.expected.isEmpty() && text != press.expected))
        fail(QStringLiteral("%1 (%2) answered \"%3\"").arg(press.name, where, text));
}

template <typename T> T *control(QWidget &window, const QString &name)
{
    T *widget = window.findChild<T *>(name);
    if (!widget)
        fail(QStringLiteral("the window has no control %1").arg(name));
    return widget;
}

} // namespace

struct AnswerBench::Impl {
    Impl()
        : locale(QLocale::Catalan, QLocale::Spain), core(coreSink, locale),
          window(locale, &windowSink)
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            fail(QStringLiteral("the main window was never exposed"));
    }

    double pressCore(const PressCase &press)
    {
        type(core, press.inputs);
        const Clock::time_point start = Clock::now();
        press.core(core);
        const Clock::time_point end = Clock::now();
        checkNoMessage(coreSink, press.name);
        checkAnswer(core.form(), press, QStringLiteral("core"));
        return microsecondsBetween(start, end);
    }

    // The press itself and the repaint of the whole window; typing the inputs and the updates
    // they leave behind are done before the clock starts.
    double pressWindow(const std::function<void()> &act)
    {
        QApplication::processEvents();
        window.repaint();
        QApplication::processEvents();
        const Clock::time_point start = Clock::now();
        act();
        window.repaint();
        const Clock::time_point end = Clock::now();
        QApplication::processEvents();
        return microsecondsBetween(start, end);
    }

    double pressWindow(const PressCase &press)
    {
        type(window.calculator(), press.inputs);
        double us = 0;
        if (press.key == Qt::Key_unknown) {
            auto *button = control<QPushButton>(window, press.control);
            us = pressWindow([button] { QTest::mouseClick(button, Qt::LeftButton); });
        } else {
            auto *edit = control<QLineEdit>(window, press.control);
            edit->setCursorPosition(edit->text().size());
            us = pressWindow([edit, &press] { QTest::keyClick(edit, press.key); });
        }
        checkNoMessage(windowSink, press.name);
        checkAnswer(window.calculator().form(), press, QStringLiteral("window"));
        return us;
    }

    double scaleCore(const ScaleCase &scale, int terms)
    {
        type(core, scale.inputs);
        const Clock::time_point start = Clock::now();
        scale.core(core);
        const Clock::time_point end = Clock::now();
        checkNoMessage(coreSink, scale.button);
        if (core.form().listEntries(scale.list).size() != terms)
            fail(QStringLiteral("%1 listed %2 terms, not %3")
                     .arg(scale.button)
                     .arg(core.form().listEntries(scale.list).size())
                     .arg(terms));
        return microsecondsBetween(start, end) / 1000;
    }

    double scaleWindow(const ScaleCase &scale, int terms)
    {
        type(window.calculator(), scale.inputs);
        auto *button = control<QPushButton>(window, scale.button);
        const double ms =
            pressWindow([button] { QTest::mouseClick(button, Qt::LeftButton); }) / 1000;
        checkNoMessage(windowSink, scale.button);
        const int shown = control<QComboBox>(window, listName(scale.list))->count();
        if (shown != terms)
            fail(QStringLiteral("%1 showed %2 terms, not %3")
                     .arg(scale.button)
                     .arg(shown)
                     .arg(terms));
        return ms;
    }

    QLocale locale;
    CountingSink coreSink;
    CountingSink windowSink;
    Calculator core;
    MainWindow window;
};

AnswerBench::AnswerBench() : impl_(std::make_unique<Impl>()) {}

AnswerBench::~AnswerBench() = default;

WidgetCensus AnswerBench::windowCensus(QStringList *unknown) const
{
    return countWidgets(impl_->window, unknown);
}

void AnswerBench::run(const AnswerSettings &settings)
{
    const QList<PressCase> cases = pressCases();
    const QList<ListId> lists{ListId::LstIntrp, ListId::Lstg};
    std::vector<std::vector<double>> core(cases.size()), widget(cases.size());
    std::vector<std::vector<double>> scaleCore(lists.size() * settings.terms.size());
    std::vector<std::vector<double>> scaleWidget(scaleCore.size());

    // One untimed pass first: the first press of each kind loads fonts and fills caches.
    for (const PressCase &press : cases) {
        impl_->pressCore(press);
        impl_->pressWindow(press);
    }

    for (int round = 0; round < settings.rounds; ++round) {
        for (qsizetype c = 0; c < cases.size(); ++c) {
            std::vector<double> coreSamples, widgetSamples;
            for (int s = 0; s < settings.samples; ++s) {
                coreSamples.push_back(impl_->pressCore(cases[c]));
                widgetSamples.push_back(impl_->pressWindow(cases[c]));
            }
            core[c].push_back(median(coreSamples));
            widget[c].push_back(median(widgetSamples));
        }
        std::size_t s = 0;
        for (int terms : settings.terms) {
            for (ListId list : lists) {
                const ScaleCase scale = scaleCase(list, terms);
                // Timed as a press that replaces a list of as many terms: dropping the old list
                // costs in proportion to its length, and a press after a longer one would carry it.
                impl_->scaleCore(scale, terms);
                impl_->scaleWindow(scale, terms);
                scaleCore[s].push_back(impl_->scaleCore(scale, terms));
                scaleWidget[s].push_back(impl_->scaleWindow(scale, terms));
                ++s;
            }
        }
    }

    presses_.clear();
    for (qsizetype c = 0; c < cases.size(); ++c)
        presses_.append({cases[c].name, median(core[c]), median(widget[c])});
    scale_.clear();
    std::size_t s = 0;
    for (int terms : settings.terms) {
        for (ListId list : lists) {
            scale_.append({listName(list), terms, median(scaleCore[s]), median(scaleWidget[s])});
            ++s;
        }
    }
}

} // namespace tirel::bench
