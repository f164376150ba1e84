// Switches the display resolution and puts the start-up one back.
#pragma once
#include <memory>

#include "shell/Platform.h"

class QWidget;

class TChangeDisplay {
public:
    explicit TChangeDisplay(IDisplayModes& modes);
    int OrigWidth = 0;
    int OrigHeight = 0;
    bool Changed = false;
    // Applies the last mode of the size that passes the test; true if one did.
    bool ChangeMode(int width, int height);
    // Back to the start-up size, when a mode was changed.
    bool RestoreMode();

private:
    IDisplayModes& modes_;
};

// The display-mode service of this desktop: XRandR on X11, no modes elsewhere.
std::unique_ptr<IDisplayModes> CreateDisplayModes(QWidget* window);
