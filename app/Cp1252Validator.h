#pragma once
// Keeps an edit's text within Windows-1252: a typed or pasted character that
// the code page cannot hold becomes '?', and Replaced (when set) is told which
// character it was.

#include "common/Codepage.h"

#include <QValidator>
#include <functional>

class Cp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        const QString kept = tg::Cp1252Sanitize(input);
        if (kept != input && Replaced) {
            for (qsizetype i = 0; i < input.size(); ++i)
                if (kept[i] != input[i]) {
                    const bool pair = input[i].isHighSurrogate() && i + 1 < input.size();
                    Replaced(input.mid(i, pair ? 2 : 1));
                    break;
                }
        }
        input = kept;
        return Acceptable;
    }
    std::function<void(const QString&)> Replaced;
};
