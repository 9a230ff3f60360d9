#include "app/Application.h"

#include "app/DialogSeam.h"
#include "convert/Picture.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    tg::SetImageAllocationLimit();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ReportException(error);
    }
    return false;
}

void ReportException(const std::exception& error) {
    ShowErrorBox(QString::fromStdString(error.what()));
}
