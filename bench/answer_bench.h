// SPDX-FileCopyrightText: 2026 Tirel developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Answer times measured inside one process: the calculator core alone, and the real main window
// driven by mouse clicks and key presses, each press followed by a repaint of the whole window.
#include "floor/widget_census.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace tirel {
class MainWindow;
}

namespace tirel::bench {

struct PressFigures {
    QString name;
    double coreUs = 0;   // the core alone
    double widgetUs = 0; // click or keystroke through the widgets, repaint included
};

struct ScaleFigures {
    QString list; // "LstIntrp" or "Lstg"
    int terms = 0;
    double coreMs = 0;
    double widgetMs = 0; // through the window, the drop-down list filled and repainted
};

struct AnswerSettings {
    int rounds = 15;
    int samples = 25; // presses per round and case; a round counts with their median
    QList<int> terms{0, 1000, 8000, 32765}; // K = 0: the part of a press that lists nothing
};

class AnswerBench {
public:
    AnswerBench();
    ~AnswerBench();

    WidgetCensus windowCensus(QStringList *unknown) const;
    // Runs every round; throws std::runtime_error when a press does not give its answer.
    void run(const AnswerSettings &settings);

    QList<PressFigures> presses() const { return presses_; }
    QList<ScaleFigures> scale() const { return scale_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    QList<PressFigures> presses_;
    QList<ScaleFigures> scale_;
};

} // namespace tirel::bench
