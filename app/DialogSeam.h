#pragma once
// Every modal dialog of the application runs through ExecModal. Tests install
// a runner that drives the real dialog object (choose a file, a colour, a
// text, accept or reject) and returns its result, with no nested event loop.

#include <QDialog>
#include <QString>
#include <functional>

using ModalRunner = std::function<int(QDialog&)>;

// Runs the dialog modally (or through the installed runner) and returns its
// result code (QDialog::Accepted or QDialog::Rejected).
int ExecModal(QDialog& dialog);
// Installs a runner for every following dialog; an empty runner restores exec().
void SetModalRunner(ModalRunner runner);

// The standard error box with the message, titled with the application's title.
void ShowErrorBox(const QString& message);

class QFileDialog;

// Gives a file dialog the filter of a "description|patterns|..." list: each
// entry is shown by its description as it stands, and its patterns (separated
// by ";") select the files.
void SetFileFilter(QFileDialog& dialog, const QString& filter);
// The index, from 0, of the entry the dialog has selected in its filter.
int SelectedFilterIndex(const QFileDialog& dialog);
