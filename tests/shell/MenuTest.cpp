// The pop-up menu: its items, captions and shortcuts, which items are
// enabled when, and the rule that a shortcut needs its item and every
// submenu above it enabled.
#include <gtest/gtest.h>

#include <QMenu>
#include <map>

#include "shell/ShellTestSupport.h"

namespace {

struct ItemRow {
    QAction* TMainForm::*item;
    QAction* TMainForm::*submenu;  // null for the top level
    const char* caption;
    QKeySequence shortcut;
    bool enabledAtStart;
};

const ItemRow kItems[] = {
    {&TMainForm::Rireki, nullptr, "▼", {}, true},
    {&TMainForm::SLoad, nullptr, "Scenario&File読み込み", QKeySequence(Qt::CTRL | Qt::Key_F), true},
    {&TMainForm::Save, nullptr, "セーブ", {}, false},
    {&TMainForm::Save1, &TMainForm::Save, "しおり　「い」", {}, true},
    {&TMainForm::Save2, &TMainForm::Save, "しおり　「ろ」", {}, true},
    {&TMainForm::Save3, &TMainForm::Save, "しおり　「は」", QKeySequence(Qt::CTRL | Qt::Key_S), true},
    {&TMainForm::Load, nullptr, "ロード", {}, false},
    {&TMainForm::Load1, &TMainForm::Load, "しおり　「い」", {}, true},
    {&TMainForm::Load2, &TMainForm::Load, "しおり　「ろ」", {}, true},
    {&TMainForm::Load3, &TMainForm::Load, "しおり　「は」", QKeySequence(Qt::CTRL | Qt::Key_L), true},
    {&TMainForm::MaeDoc, nullptr, "前文章を読み返す", QKeySequence(Qt::CTRL | Qt::Key_R), false},
    {&TMainForm::Kaizoudo, nullptr, "画面変更", {}, true},
    {&TMainForm::KaizoudoHyoujun, &TMainForm::Kaizoudo, "標準", QKeySequence(Qt::Key_F1), true},
    {&TMainForm::Kaizoudo800, &TMainForm::Kaizoudo, "フルスクリーン　800*600", QKeySequence(Qt::Key_F2), true},
    {&TMainForm::Kaizoudo640, &TMainForm::Kaizoudo, "フルスクリーン　640*480", QKeySequence(Qt::Key_F3), true},
    {&TMainForm::AboutVer, nullptr, "バージョン情報", QKeySequence(Qt::CTRL | Qt::Key_V), true},
    {&TMainForm::Exit, nullptr, "終了", QKeySequence(Qt::Key_Delete), true},
};

TEST(PopupMenu, ItemsCaptionsShortcutsAndStartState)
{
    TestWindow w;
    TMainForm& f = w.Create();
    std::vector<QAction*> top;
    std::map<QAction*, std::vector<QAction*>> sub;
    for (const ItemRow& row : kItems) {
        QAction* a = f.*row.item;
        ASSERT_NE(a, nullptr);
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(a->text().toStdString(), row.caption);
        EXPECT_EQ(a->shortcut(), row.shortcut);
        EXPECT_EQ(a->isEnabled(), row.enabledAtStart);
        if (row.submenu) sub[f.*row.submenu].push_back(a);
        else top.push_back(a);
        if (!row.shortcut.isEmpty()) {
            // Shortcuts work while the menu is closed: the window holds them.
            EXPECT_TRUE(f.actions().contains(a));
            EXPECT_EQ(a->shortcutContext(), Qt::WindowShortcut);
        }
    }
    // Menu order as in the table; the recent entries sit in their submenu.
    const QList<QAction*> popup = f.PopupMenu->actions();
    EXPECT_EQ(std::vector<QAction*>(popup.begin(), popup.end()), top);
    for (auto& [menuAction, items] : sub) {
        ASSERT_NE(menuAction->menu(), nullptr);
        const QList<QAction*> in = menuAction->menu()->actions();
        EXPECT_EQ(std::vector<QAction*>(in.begin(), in.end()), items);
    }
    const QList<QAction*> recent = f.Rireki->menu()->actions();
    EXPECT_EQ(std::vector<QAction*>(recent.begin(), recent.end()),
              (std::vector<QAction*>{f.Rireki1, f.Rireki2, f.Rireki3}));
}

TEST(PopupMenu, ShortcutNeedsItsItemAndEverySubmenuAboveEnabled)
{
    TestWindow w;
    TMainForm& f = w.Create();
    struct Case {
        bool submenuOn, itemOn, usable;
    };
    for (const Case c : {Case{false, true, false}, Case{true, false, false}, Case{true, true, true},
                         Case{false, false, false}}) {
        SCOPED_TRACE(std::to_string(c.submenuOn) + std::to_string(c.itemOn));
        f.Save->setEnabled(c.submenuOn);
        f.Save3->setEnabled(c.itemOn);
        f.Load->setEnabled(c.submenuOn);
        f.Load3->setEnabled(c.itemOn);
        EXPECT_EQ(f.ItemUsable(f.Save3), c.usable);
        EXPECT_EQ(f.ItemUsable(f.Load3), c.usable);
    }
    f.MaeDoc->setEnabled(false);
    EXPECT_FALSE(f.ItemUsable(f.MaeDoc));
    f.MaeDoc->setEnabled(true);
    EXPECT_TRUE(f.ItemUsable(f.MaeDoc));
    EXPECT_TRUE(f.ItemUsable(f.Kaizoudo800));
}

TEST(PopupMenu, ShortcutsRunTheirCommands)
{
    // What a shortcut does is the item's trigger: the toolkit fires it for the key.
    TestWindow w;
    w.Display.Modes = {{800, 600, 8}};
    TMainForm& f = w.Create();
    f.AboutVer->trigger();
    EXPECT_EQ(w.Dialogs.AboutShown, 1);
    // A disabled submenu stops the shortcut of an enabled item in it.
    f.Kaizoudo->setEnabled(false);
    f.Kaizoudo800->trigger();
    EXPECT_TRUE(w.Display.Applied.empty());
    f.Kaizoudo->setEnabled(true);
    f.Kaizoudo800->trigger();
    EXPECT_EQ(w.Display.Applied, (std::vector<long>{8}));
    f.Exit->trigger();
    EXPECT_EQ(CountOf(w.Dialogs.Messages, kCloseQuestion), 1);
}

TEST(PopupMenu, ReReadShortcutDoesNothingWhileDisabled)
{
    TestWindow w;
    w.UseLines({"T", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", ".w"});
    TMainForm& f = *w.Form;
    f.MbtnClick();
    ASSERT_FALSE(f.MaeDoc->isEnabled());
    f.MaeDoc->trigger();
    EXPECT_FALSE(f.PrevShown);
    f.MbtnClick();  // the page turns: the previous page can be shown
    ASSERT_TRUE(f.MaeDoc->isEnabled());
    f.MaeDoc->trigger();
    EXPECT_TRUE(f.PrevShown);
}

// ---- Enabling of Save, Load and MaeDoc through a reading --------------------

struct Enabled {
    bool save, load, maeDoc;
    bool operator==(const Enabled&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Enabled& e)
{
    return os << "Save " << e.save << ", Load " << e.load << ", MaeDoc " << e.maeDoc;
}

Enabled EnabledOf(const TMainForm& f)
{
    return {f.Save->isEnabled(), f.Load->isEnabled(), f.MaeDoc->isEnabled()};
}

std::vector<std::string> TwoPages()
{
    std::vector<std::string> lines = {"Title"};
    for (int i = 1; i <= 12; ++i) lines.push_back("line " + std::to_string(i));
    lines.push_back(".w");
    lines.push_back("last");
    lines.push_back(".w");
    return lines;
}

TEST(MenuEnabling, AcrossAReadingAndTheReRead)
{
    TestWindow w;
    TMainForm& f = w.Create();
    EXPECT_EQ(EnabledOf(f), (Enabled{false, false, false})) << "at start";

    // A scenario in the state an open leaves: Save and Load on.
    w.UseLines(TwoPages());
    f.Save->setEnabled(true);
    f.Load->setEnabled(true);
    f.MbtnClick();
    EXPECT_EQ(EnabledOf(f), (Enabled{true, true, false})) << "first page";
    f.MbtnClick();
    EXPECT_EQ(EnabledOf(f), (Enabled{true, true, true})) << "after a page turn";

    f.MaeDocClick();
    EXPECT_EQ(EnabledOf(f), (Enabled{false, false, false})) << "previous page shown";

    f.MbtnClick();
    EXPECT_EQ(EnabledOf(f), (Enabled{true, true, true})) << "current page restored";
    EXPECT_FALSE(f.PrevShown);

    f.ResetPlayer();
    EXPECT_EQ(EnabledOf(f), (Enabled{true, true, false})) << "after a reset";
}

TEST(MenuEnabling, OpeningAScenario)
{
    TestWindow w;
    const std::string path = w.WriteFile("story.snr", "Story\r\nfirst line\r\n.w\r\nsecond\r\n.w\r\n");
    w.Create();
    w.Form->ScenarioPath = path;
    w.Form->OpenScenario();
    if (w.Form->ScenarioLines.Count() <= 3)
        GTEST_SKIP() << "OpenScenario does not load files in this build yet";
    EXPECT_EQ(EnabledOf(*w.Form), (Enabled{true, true, false}));

    // A missing file: no bookmarks.
    w.Form->ScenarioPath = w.Folder + "missing.snr";
    w.Form->OpenScenario();
    EXPECT_EQ(EnabledOf(*w.Form), (Enabled{false, false, false}));
    EXPECT_FALSE(w.Form->CanAdvance);
}

TEST(MenuEnabling, LoadingABookmark)
{
    TestWindow w;
    std::string text = "Story\r\n";
    for (int i = 1; i <= 25; ++i) text += "line " + std::to_string(i) + "\r\n";
    text += ".w\r\n";
    const std::string path = w.WriteFile("story.snr", text);
    w.Create();
    w.Form->ScenarioPath = path;
    w.Form->OpenScenario();
    if (w.Form->ScenarioLines.Count() <= 3 || w.Form->SaveLines.Count() == 0)
        GTEST_SKIP() << "opening with a save file is not in this build yet";
    w.Form->MbtnClick();  // a page turn: the re-read command is on
    ASSERT_TRUE(w.Form->MaeDoc->isEnabled());
    w.Form->Load3Click();
    EXPECT_EQ(EnabledOf(*w.Form), (Enabled{true, true, false}));
}

} // namespace
