#include "app/DialogSeam.h"

#include <QApplication>
#include <QMessageBox>

namespace {
ModalRunner& Runner() {
    static ModalRunner runner;
    return runner;
}
} // namespace

int ExecModal(QDialog& dialog) {
    if (Runner())
        return Runner()(dialog);
    return dialog.exec();
}

void SetModalRunner(ModalRunner runner) {
    Runner() = std::move(runner);
}

void ShowErrorBox(const QString& message) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), message,
                    QMessageBox::Ok, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    ExecModal(box);
}

#include <QFileDialog>

void SetFileFilter(QFileDialog& dialog, const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // The dialog hides the trailing "(patterns)" and shows the rest.
        entries.append(parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(entries);
}

int SelectedFilterIndex(const QFileDialog& dialog) {
    // The dialog reports the entry as shown, without its trailing patterns.
    const QString selected = dialog.selectedNameFilter();
    const QStringList entries = dialog.nameFilters();
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i] == selected || entries[i].startsWith(selected + QStringLiteral(" (")))
            return int(i);
    return -1;
}
