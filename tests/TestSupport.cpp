#include "tests/TestSupport.h"

#include "app/DialogSeam.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

DialogScript::DialogScript() {
    SetModalRunner([this](QDialog& dialog) {
        Opened.append(dialog.objectName());
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (box != nullptr && box->icon() == QMessageBox::Critical)
            Errors.append(box->text());
        if (Answers.empty()) {
            if (box != nullptr)
                return int(QMessageBox::Ok);
            ++Unexpected;
            return int(QDialog::Rejected);
        }
        auto answer = std::move(Answers.front());
        Answers.pop_front();
        return answer(dialog);
    });
}

DialogScript::~DialogScript() {
    SetModalRunner({});
}

void DialogScript::ChooseFile(const QString& path) {
    Then([path](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        files.selectFile(path);
        static_cast<QDialog&>(files).accept(); // runs the dialog's own checks
        return files.result();
    });
}

void DialogScript::Cancel() {
    Then([](QDialog& dialog) {
        dialog.reject();
        return int(QDialog::Rejected);
    });
}

void WindowTest::SetUp() {
    ASSERT_TRUE(Folder.isValid());
    QDir(Folder.path()).mkdir(QStringLiteral("images"));
    QDir(Folder.path()).mkdir(QStringLiteral("saves"));
    Dialogs = std::make_unique<DialogScript>();
    Form = std::make_unique<TForm1>(Folder.path());
    Form->FirstStart = false;
    Form->show();
}

void WindowTest::TearDown() {
    Form.reset();
    Dialogs.reset();
}

QString WindowTest::WritePicture(const QString& name, const QImage& image, const char* format) {
    const QString path = Path(name);
    EXPECT_TRUE(image.save(path, format)) << path.toStdString();
    return path;
}

void WindowTest::Open(const QString& path) {
    Dialogs->ChooseFile(path);
    Form->ButtonOpenImage->click();
}

ConverterRun RunConverter(const QStringList& arguments) {
    return RunProgram(QStringLiteral("tessaglyph-convert"), arguments);
}

ConverterRun RunProgram(const QString& name, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TESSAGLYPH_BINARY_DIR "/") + name, arguments);
    ConverterRun run;
    if (!process.waitForFinished(60000))
        return run;
    if (process.exitStatus() == QProcess::NormalExit)
        run.Status = process.exitCode();
    run.Out = process.readAllStandardOutput();
    run.Err = process.readAllStandardError();
    return run;
}
