#include "stopwatch/stopwatch.h"

#include "lang/messagetable.h"
#include "platform/questions.h"

namespace tavrok {

QString SplitList::splitLine(int number, const DisplayParts& p) {
    return QString::number(number) + QStringLiteral(":  ") + p.days + QStringLiteral("; ") + p.hours + u':' +
           p.minutes + u':' + p.seconds + u',' + p.millis;
}

void SplitList::addSeparator() {
    items_.append(Separator);
    selected_ = static_cast<int>(items_.size()) - 1;
}

void SplitList::addSplit(const DisplayParts& parts) {
    ++counter_;
    items_.append(splitLine(counter_, parts));
    selected_ = static_cast<int>(items_.size()) - 1;
}

bool SplitList::deleteSelected() {
    if (selected_ < 0 || selected_ >= items_.size()) {
        return false;
    }
    items_.removeAt(selected_);
    if (selected_ >= items_.size()) {
        selected_ = static_cast<int>(items_.size()) - 1;
    }
    return true;
}

void SplitList::clear() {
    items_.clear();
    selected_ = -1;
    counter_ = 0;
}

void SplitList::restore(const QStringList& items, int counter) {
    items_ = items;
    counter_ = counter;
    selected_ = -1;
}

void Stopwatch::zapniTavrok(UtcTime now, bool zacitOdNuly) {
    stopwatchStart_ = zacitOdNuly ? now : now - stopwatchElapsed_;
    if (zacitOdNuly) {
        stopwatchElapsed_ = 0;
    }
    stopwatchRunning_ = true;
    splits_.addSeparator();
    splits_.resetCounter();
}

void Stopwatch::zapniTavrokOd(UtcTime start) {
    stopwatchStart_ = start;
    stopwatchElapsed_ = 0;
    stopwatchRunning_ = true;
    splits_.addSeparator();
    splits_.resetCounter();
}

void Stopwatch::vypniTavrok(UtcTime now) {
    tick(now);
    stopwatchRunning_ = false;
}

void Stopwatch::tick(UtcTime now) {
    if (stopwatchRunning_) {
        stopwatchElapsed_ = now - stopwatchStart_;
    }
}

void Stopwatch::resumeFrom(UtcTime start, UtcTime now) {
    stopwatchStart_ = start;
    stopwatchRunning_ = true;
    stopwatchElapsed_ = now - start;
}

bool Stopwatch::zkratkaMezicasuStisknuta(UtcTime now) {
    if (!stopwatchRunning_) {
        return false;
    }
    tick(now);
    splits_.addSplit(dekodujCasProDisplej(stopwatchElapsed_));
    splitsSaved_ = false;
    return true;
}

bool Stopwatch::btnTvrVymazatVseClick(Questions& questions, const MessageTable& messages) {
    if (questions.ask(messages.text(4), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        return false;
    }
    if (!splitsSaved_ &&
        questions.ask(messages.text(5), MessageIcon::Warning, MessageButtons::YesNo) != Answer::Yes) {
        return false;
    }
    splits_.clear();
    splitsSaved_ = true; // nothing is left that could be lost
    return true;
}

} // namespace tavrok
