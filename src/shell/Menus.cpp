// The pop-up menu, its shortcuts, the key map and the answer highlight.
#include <QApplication>

#include "shell/MainForm.h"

namespace {

QAction* Item(QWidget* owner, QMenu* menu, const char* caption, const QKeySequence& key,
              const std::function<void()>& command)
{
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    if (!key.isEmpty()) {
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        owner->addAction(a);  // shortcuts work while the menu is closed
    }
    QObject::connect(a, &QAction::triggered, owner, command);
    return a;
}

// Before any scenario and after a failed open no answer is on offer, although
// CanAdvance is false; an answer key then has no label to go to and would run
// the empty line list, so it is ignored. A pending choice shows button A,
// unless the previous page hides it for the moment.
bool AnswerOnOffer(const TMainForm& f)
{
    return !f.Abtn->isHidden() || f.PrevShown;
}

} // namespace

void TMainForm::CreateMenu()
{
    PopupMenu = new QMenu(this);
    auto run = [this](void (TMainForm::*handler)(), QAction** item) {
        return [this, handler, item] {
            if (!ItemUsable(*item)) return;
            Guarded([this, handler] { (this->*handler)(); });
        };
    };

    QMenu* rireki = PopupMenu->addMenu(QStringLiteral("▼"));
    Rireki = rireki->menuAction();
    Rireki1 = Item(this, rireki, "", {}, run(&TMainForm::Rireki1Click, &Rireki1));
    Rireki2 = Item(this, rireki, "", {}, run(&TMainForm::Rireki2Click, &Rireki2));
    Rireki3 = Item(this, rireki, "", {}, run(&TMainForm::Rireki3Click, &Rireki3));
    SLoad = Item(this, PopupMenu, "Scenario&File読み込み", QKeySequence(Qt::CTRL | Qt::Key_F),
                 run(&TMainForm::SLoadClick, &SLoad));

    QMenu* save = PopupMenu->addMenu(QStringLiteral("セーブ"));
    Save = save->menuAction();
    Save1 = Item(this, save, "しおり　「い」", {}, run(&TMainForm::Save1Click, &Save1));
    Save2 = Item(this, save, "しおり　「ろ」", {}, run(&TMainForm::Save2Click, &Save2));
    Save3 = Item(this, save, "しおり　「は」", QKeySequence(Qt::CTRL | Qt::Key_S), run(&TMainForm::Save3Click, &Save3));
    Save->setEnabled(false);

    QMenu* load = PopupMenu->addMenu(QStringLiteral("ロード"));
    Load = load->menuAction();
    Load1 = Item(this, load, "しおり　「い」", {}, run(&TMainForm::Load1Click, &Load1));
    Load2 = Item(this, load, "しおり　「ろ」", {}, run(&TMainForm::Load2Click, &Load2));
    Load3 = Item(this, load, "しおり　「は」", QKeySequence(Qt::CTRL | Qt::Key_L), run(&TMainForm::Load3Click, &Load3));
    Load->setEnabled(false);

    MaeDoc = Item(this, PopupMenu, "前文章を読み返す", QKeySequence(Qt::CTRL | Qt::Key_R), run(&TMainForm::MaeDocClick, &MaeDoc));
    MaeDoc->setEnabled(false);

    QMenu* kaizoudo = PopupMenu->addMenu(QStringLiteral("画面変更"));
    Kaizoudo = kaizoudo->menuAction();
    KaizoudoHyoujun = Item(this, kaizoudo, "標準", QKeySequence(Qt::Key_F1), run(&TMainForm::KaizoudoHyoujunClick, &KaizoudoHyoujun));
    Kaizoudo800 = Item(this, kaizoudo, "フルスクリーン　800*600", QKeySequence(Qt::Key_F2), run(&TMainForm::Kaizoudo800Click, &Kaizoudo800));
    Kaizoudo640 = Item(this, kaizoudo, "フルスクリーン　640*480", QKeySequence(Qt::Key_F3), run(&TMainForm::Kaizoudo640Click, &Kaizoudo640));

    AboutVer = Item(this, PopupMenu, "バージョン情報", QKeySequence(Qt::CTRL | Qt::Key_V), run(&TMainForm::AboutVerClick, &AboutVer));
    Exit = Item(this, PopupMenu, "終了", QKeySequence(Qt::Key_Delete), run(&TMainForm::ExitClick, &Exit));
}

bool TMainForm::ItemUsable(QAction* item) const
{
    if (!item || !item->isEnabled()) return false;
    // Walk up through the submenus that hold the item.
    for (QObject* o = item->parent(); o; o = o->parent()) {
        auto* menu = qobject_cast<QMenu*>(o);
        if (!menu || menu == PopupMenu) break;
        if (!menu->menuAction()->isEnabled()) return false;
    }
    return true;
}

void TMainForm::FormKeyPress(int ch)
{
    switch (ch) {
    case ' ':
    case 13:
        MbtnClick();
        return;
    case '1': case 'a': case 'A':
        if (!CanAdvance && AnswerOnOffer(*this)) AbtnClick();
        return;
    case '2': case 'b': case 'B':
        if (!CanAdvance && AnswerOnOffer(*this)) BbtnClick();
        return;
    case '3': case 'c': case 'C':
        if (!CanAdvance && AnswerOnOffer(*this)) CbtnClick();
        return;
    case 'f': case 'F':
        if (SLoad->isEnabled()) SLoadClick();
        return;
    case 'v': case 'V':
        if (AboutVer->isEnabled()) AboutVerClick();
        return;
    case 'd': case 'D':
        if (Exit->isEnabled()) ExitClick();
        return;
    case 'r': case 'R':
        if (MaeDoc->isEnabled()) MaeDocClick();
        return;
    case 's': case 'S':
        if (Save->isEnabled()) Save3Click();
        return;
    case 'l': case 'L':
        if (Load->isEnabled()) Load3Click();
        return;
    default:
        return;
    }
}

void TMainForm::MbtnMouseMove()
{
    for (TShadowLabel* b : {Abtn, Bbtn, Cbtn}) b->SetFontColor(QColor(192, 192, 192));
}

void TMainForm::AbtnMouseMove() { Abtn->SetFontColor(Qt::white); }
void TMainForm::BbtnMouseMove() { Bbtn->SetFontColor(Qt::white); }
void TMainForm::CbtnMouseMove() { Cbtn->SetFontColor(Qt::white); }

void TMainForm::AboutVerClick()
{
    Dialogs().ShowAbout();
}

void TMainForm::ExitClick()
{
    close();
}
