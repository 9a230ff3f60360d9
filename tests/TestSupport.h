#pragma once
// Support for tests that drive the real window: a temporary BaseFolder, a
// script of answers for the dialogs the window opens, and small pictures.

#include "app/TForm1.h"
#include "tests/core/CoreSupport.h"

#include <QDialog>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Answers the dialogs the window opens, in order; each answer drives the real
// dialog object and returns its result. A dialog with no answer left is
// rejected and counted in Unexpected. Error boxes are collected in Errors and
// answered with OK unless an answer is queued for them.
class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    void Then(std::function<int(QDialog&)> answer) { Answers.push_back(std::move(answer)); }
    // Chooses the file in the next file dialog.
    void ChooseFile(const QString& path);
    // Cancels the next dialog.
    void Cancel();

    QStringList Errors;
    QStringList Opened; // object names of every dialog run, in order
    int Unexpected = 0;

private:
    std::deque<std::function<int(QDialog&)>> Answers;
};

// A window on a temporary BaseFolder with "images" and "saves" folders.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString Path(const QString& name) const { return Folder.filePath(name); }
    // Writes an image into the temporary folder and returns its path.
    QString WritePicture(const QString& name, const QImage& image, const char* format = nullptr);
    // Opens a picture through the real open dialog.
    void Open(const QString& path);

    QTemporaryDir Folder;
    std::unique_ptr<DialogScript> Dialogs;
    std::unique_ptr<TForm1> Form;
};

// What a run of the real converter gave.
struct ConverterRun {
    int Status = -1; // -1 when it crashed or did not finish
    QByteArray Out, Err;
};
// Runs build/tessaglyph-convert with the arguments, without any display.
ConverterRun RunConverter(const QStringList& arguments);
// Runs one of the programs built beside the application (by its file name),
// without any display.
ConverterRun RunProgram(const QString& name, const QStringList& arguments);
