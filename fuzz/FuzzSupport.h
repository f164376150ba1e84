// What the fuzz targets share: an offscreen application and a main window on
// the test doubles, made once per process.
#pragma once
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <memory>

#include "common/Doubles.h"
#include "shell/RealPlatform.h"

inline QApplication& FuzzApplication()
{
    static int argc = 1;
    static char name[] = "qorix-fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        auto* a = new QApplication(argc, argv);
        SetUpApplication();
        return a;
    }();
    return *app;
}

inline TestWindow& FuzzWindow()
{
    FuzzApplication();
    static TestWindow* window = [] {
        auto* w = new TestWindow;
        w->Create();
        static std::string folder = w->Folder;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        });
        return w;
    }();
    // Message boxes pile up otherwise.
    window->Dialogs.Messages.clear();
    return *window;
}
