#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScreen>
#include <exception>

#include "base/Errors.h"
#include "shell/MainForm.h"
#include "shell/RealPlatform.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    try {
        SetUpApplication();
        // The icon lives in this program's resources; the version box shows it too.
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/qorix.png")));
        // Lets the desktop match the window with its desktop entry.
        QGuiApplication::setDesktopFileName(QStringLiteral("qorix"));
        Services services;
        // Qt has taken its own options out of argv; the first one left is the scenario.
        if (argc > 1) services.Argument = argv[1];
        TMainForm form(services);
        // The window opens in the middle of the screen.
        if (QScreen* s = form.screen()) {
            QRect r = form.frameGeometry();
            r.moveCenter(s->availableGeometry().center());
            form.move(r.topLeft());
        }
        form.show();
        app.exec();
    } catch (const Exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Qorix"), QString::fromStdString(e.Message()));
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Qorix"), QString::fromLocal8Bit(e.what()));
    }
    return 0;
}
