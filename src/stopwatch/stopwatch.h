#pragma once

#include "common/datetime.h"
#include "common/timeformat.h"

#include <QStringList>

namespace tavrok {

class MessageTable;
class Questions;

// The lines of cbxMezicasy: a separator at every start, then the splits of that run.
class SplitList {
public:
    static inline const QString Separator = QString(46, u'-');

    const QStringList& items() const { return items_; }
    int selected() const { return selected_; }
    int counter() const { return counter_; }
    bool isEmpty() const { return items_.isEmpty(); }

    void select(int index) { selected_ = index >= 0 && index < items_.size() ? index : -1; }
    void addSeparator();
    void addSplit(const DisplayParts& parts);
    // Deletes the selected line; the next one moves into the selection, or the last one when none follows.
    bool deleteSelected();
    void clear();
    void resetCounter() { counter_ = 0; }
    // Restores a list line for line (continuation across restarts).
    void restore(const QStringList& items, int counter);

    // "3:  0; 00:01:05,250"
    static QString splitLine(int number, const DisplayParts& parts);

private:
    QStringList items_;
    int selected_ = -1;
    int counter_ = 0;
};

// The stopwatch: its time is always now minus the moment it counts from, never a sum of ticks.
class Stopwatch {
public:
    bool running() const { return stopwatchRunning_; }
    UtcTime start() const { return stopwatchStart_; }
    TDateTime elapsed() const { return stopwatchElapsed_; }
    SplitList& splits() { return splits_; }
    const SplitList& splits() const { return splits_; }
    bool splitsSaved() const { return splitsSaved_; }
    void setSplitsSaved(bool saved) { splitsSaved_ = saved; }

    // Start: from zero when zacitOdNuly, otherwise continuing from the stopped value.
    void zapniTavrok(UtcTime now, bool zacitOdNuly);
    // Starts (or restarts) counting from an earlier moment: the end of a countdown.
    void zapniTavrokOd(UtcTime start);
    // Stops at the time of `now`: a stop between two ticks loses nothing.
    void vypniTavrok(UtcTime now);
    void tick(UtcTime now);
    void vynuluj() { stopwatchElapsed_ = 0; }
    // Runs on from an earlier moment (continuation after a restart).
    void resumeFrom(UtcTime start, UtcTime now);
    void setElapsed(TDateTime elapsed) { stopwatchElapsed_ = elapsed; }

    // Takes a split at `now`, only while running. Returns whether one was taken.
    bool zkratkaMezicasuStisknuta(UtcTime now);
    // Asks message 4, then message 5 when the splits were not saved; clears the list on two Yes.
    bool btnTvrVymazatVseClick(Questions& questions, const MessageTable& messages);

private:
    bool stopwatchRunning_ = false;
    UtcTime stopwatchStart_;
    TDateTime stopwatchElapsed_ = 0;
    SplitList splits_;
    bool splitsSaved_ = true;
};

} // namespace tavrok
