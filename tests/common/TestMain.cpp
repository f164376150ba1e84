#include <gtest/gtest.h>

#include <QApplication>

#include "shell/RealPlatform.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    if (qgetenv("SDL_AUDIODRIVER").isEmpty()) qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    SetUpApplication();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
