#include "app/Application.h"
#include "app/TForm1.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    int status = 0;
    try {
        TForm1 window;
        window.show();
        status = application.exec();
    } catch (const std::exception& error) {
        ReportException(error);
    }
    return status;
}
