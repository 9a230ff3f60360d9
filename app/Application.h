#pragma once
// The application object: the last line of defence for exceptions that
// escape an event; handlers themselves report through TForm1::Guard.

#include <QApplication>
#include <exception>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Shows the exception's message in the standard error box.
void ReportException(const std::exception& error);
