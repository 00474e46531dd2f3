#pragma once

#include <QValidator>

namespace tavrok {

// Accepts up to `maxDigits` ASCII digits and nothing else (no sign, no separators): the day field.
class DigitsValidator final : public QValidator {
public:
    DigitsValidator(int maxDigits, QObject* parent) : QValidator(parent), maxDigits_(maxDigits) {}

    State validate(QString& input, int&) const override {
        if (input.size() > maxDigits_) {
            return Invalid;
        }
        for (const QChar c : input) {
            if (c < u'0' || c > u'9') {
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    int maxDigits_;
};

} // namespace tavrok
