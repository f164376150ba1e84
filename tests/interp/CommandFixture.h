// A window on test doubles that plays scenario lines given in a test.
#pragma once
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "common/Doubles.h"

class PlayTest : public ::testing::Test {
protected:
    TestWindow W;
    TMainForm& F() { return *W.Form; }

    // Line 0 is the title; play starts at line 1 on the first click.
    void Lines(const std::vector<std::string>& lines) { W.UseLines(lines); }

    // A click on the picture as the window delivers it: an error is shown in
    // a box and the player goes on. The reader clicks after the input timer
    // has ticked, so a lock left by a pause is gone; ClickNow comes before it.
    void Click()
    {
        F().WaitTimerTimer();
        ClickNow();
    }
    void ClickNow() { F().Guarded([this] { F().MbtnClick(); }); }
    void Key(char ch)
    {
        F().WaitTimerTimer();
        F().Guarded([this, ch] { F().FormKeyPress(ch); });
    }

    // A picture file beside the scenario, filled with one colour.
    void Picture(const std::string& name, int width, int height, QRgb colour)
    {
        QImage img(width, height, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(QString::fromStdString(W.Folder + name), "BMP"));
    }

    const std::vector<std::string>& Messages() const { return W.Dialogs.Messages; }
};
