#include <QApplication>
#include <QFile>

#include "shell/MainForm.h"
#include "shell/RealPlatform.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SetUpApplication();
    Services services;
    if (argc > 1) services.Argument = argv[1];
    TMainForm form(services);
    form.show();
    return app.exec();
}
