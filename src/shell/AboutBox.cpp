#include "shell/AboutBox.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

// A label that is as large as its text, its text at the top left.
QLabel* TextAt(QWidget* parent, const QString& text, int left, int top)
{
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->move(left, top);
    l->adjustSize();
    return l;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    // A dialog frame whose caption bar has the close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(298, 213);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);

    // Lowered outside, raised inside: the etched frame.
    Panel = new QFrame(this);
    Panel->setGeometry(8, 8, 281, 161);
    Panel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel->setLineWidth(1);
    Panel->setMidLineWidth(0);

    ProgramIcon = new QLabel(Panel);
    ProgramIcon->setGeometry(24, 24, 41, 41);
    ProgramIcon->setScaledContents(true);
    const QIcon appIcon = QApplication::windowIcon();
    const QIcon icon = appIcon.isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation) : appIcon;
    ProgramIcon->setPixmap(icon.pixmap(64, 64));

    ProductName = TextAt(Panel, QStringLiteral("Qorix"), 88, 16);
    Version = TextAt(Panel, QStringLiteral("Version 3.01"), 88, 40);
    Comments = new QLabel(QStringLiteral("Comments: 気軽に遊んでね☆"), Panel);
    Comments->setWordWrap(true);
    Comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Comments->setGeometry(40, 112, 209, Comments->heightForWidth(209));

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* e)
{
    // Centred on the screen, not over the main window.
    QScreen* s = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
    if (s) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->geometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(e);
}
