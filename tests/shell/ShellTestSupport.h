// Small helpers shared by the shell tests.
#pragma once
#include <QCoreApplication>
#include <QKeyEvent>
#include <algorithm>
#include <string>
#include <vector>

#include "common/Doubles.h"

// Types one character into the window, as the keyboard delivers it.
inline void Type(TMainForm& form, char ch, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    int key = 0;
    QString text = QString(QChar(ch));
    if (ch == '\r') key = Qt::Key_Return;
    else if (ch == ' ') key = Qt::Key_Space;
    else if (ch >= 'a' && ch <= 'z') key = Qt::Key_A + (ch - 'a');
    else if (ch >= 'A' && ch <= 'Z') {
        key = Qt::Key_A + (ch - 'A');
        mods |= Qt::ShiftModifier;
    } else key = ch;  // digits and the like are their own key codes
    if (mods & Qt::ControlModifier) text = QString(QChar(ch & 0x1F));
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QCoreApplication::sendEvent(&form, &press);
}

inline int CountOf(const std::vector<std::string>& messages, const std::string& text)
{
    return static_cast<int>(std::count(messages.begin(), messages.end(), text));
}

inline const char* const kCloseQuestion = "終了しますか？";
inline const char* const kWrongExtension = "「.txt」「.snr」のファイルしかシナリオファイルとして読めません";
