// The desktop's own message boxes and the version box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "base/Sjis.h"
#include "shell/AboutBox.h"
#include "shell/RealPlatform.h"
#include "shell/ShellTestSupport.h"

namespace {

struct SeenBox {
    QString title, text;
    QStringList buttons;
};

// Answers the next modal message box with the given button, noting what it showed.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton answer)
{
    QTimer::singleShot(0, [&seen, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text();
        box->button(answer)->click();
    });
}

TEST(MessageBoxes, CloseQuestionHasJapaneseYesAndNo)
{
    auto dialogs = CreateRealDialogs(nullptr);
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_FALSE(dialogs->AskYesNo(QString::fromUtf8(kCloseQuestion)));
    EXPECT_EQ(seen.title, QStringLiteral("Qorix"));
    EXPECT_EQ(seen.text, QString::fromUtf8(kCloseQuestion));
    seen.buttons.sort();
    // The buttons carry their access keys, as Japanese systems write them.
    EXPECT_EQ(seen.buttons, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}));

    AnswerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(dialogs->AskYesNo(QString::fromUtf8(kCloseQuestion)));
}

TEST(MessageBoxes, SimpleBoxCarriesTheApplicationTitle)
{
    TestWindow w;
    TMainForm& f = w.Create();
    auto dialogs = CreateRealDialogs(nullptr);
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    dialogs->ShowMessage(QStringLiteral("メッセージ"));
    EXPECT_EQ(seen.title, QStringLiteral("Qorix"));
    EXPECT_EQ(seen.buttons, QStringList{QStringLiteral("OK")});

    // An open scenario gives the application its title line.
    f.SetTitle(S("物語"));
    AnswerNextBox(seen, QMessageBox::Ok);
    dialogs->ShowMessage(QStringLiteral("メッセージ"));
    EXPECT_EQ(seen.title, QStringLiteral("物語"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("物語"));
    f.SetTitle(f.ProductName);
}

TEST(AboutBox, ContentAndLayout)
{
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(box.size(), QSize(298, 213));
    EXPECT_EQ(box.minimumSize(), box.maximumSize()) << "a dialog frame: not resizable";
    EXPECT_TRUE(box.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(box.font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(box.font().pixelSize(), 12);

    EXPECT_EQ(box.Panel->geometry(), QRect(8, 8, 281, 161));
    EXPECT_EQ(box.Panel->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(box.ProgramIcon->geometry(), QRect(24, 24, 41, 41));
    EXPECT_TRUE(box.ProgramIcon->hasScaledContents());
    EXPECT_FALSE(box.ProgramIcon->pixmap().isNull());

    struct Text {
        QLabel* label;
        const char* text;
        QPoint at;
    };
    for (const Text& t : {Text{box.ProductName, "Qorix", {88, 16}}, Text{box.Version, "Version 3.01", {88, 40}},
                          Text{box.Comments, "Comments: 気軽に遊んでね☆", {40, 112}}}) {
        SCOPED_TRACE(t.text);
        EXPECT_EQ(t.label->parentWidget(), box.Panel);
        EXPECT_EQ(t.label->text(), QString::fromUtf8(t.text));
        EXPECT_EQ(t.label->pos(), t.at);
    }
    EXPECT_EQ(box.Comments->width(), 209);
    EXPECT_TRUE(box.Comments->wordWrap());

    EXPECT_EQ(box.OKButton->parentWidget(), &box);
    EXPECT_EQ(box.OKButton->text(), QStringLiteral("OK"));
    EXPECT_EQ(box.OKButton->geometry(), QRect(111, 180, 75, 25));
    EXPECT_TRUE(box.OKButton->isDefault());

    QTimer::singleShot(0, &box, [&box] { box.OKButton->click(); });
    EXPECT_EQ(box.exec(), QDialog::Accepted);
}

} // namespace
