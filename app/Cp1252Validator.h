#pragma once
// Keeps an edit's text within Windows-1252: a typed or pasted character that
// the code page cannot hold becomes '?'.

#include "common/Codepage.h"

#include <QValidator>

class Cp1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*pos*/) const override {
        input = tg::Cp1252Sanitize(input);
        return Acceptable;
    }
};
