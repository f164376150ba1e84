#include "shell/AboutBox.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(298, 213);
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(12);
    setFont(f);

    auto* panel = new QFrame(this);
    panel->setGeometry(8, 8, 281, 161);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);

    auto* icon = new QLabel(panel);
    icon->setGeometry(24, 24, 41, 41);
    icon->setScaledContents(true);
    QIcon appIcon = QApplication::windowIcon();
    icon->setPixmap(appIcon.isNull() ? style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(41, 41)
                                     : appIcon.pixmap(41, 41));

    auto* product = new QLabel(QStringLiteral("Qorix"), panel);
    product->move(88, 16);
    auto* version = new QLabel(QStringLiteral("Version 3.01"), panel);
    version->move(88, 40);
    auto* comment = new QLabel(QStringLiteral("Comments: 気軽に遊んでね☆"), panel);
    comment->setGeometry(40, 112, 209, 30);
    comment->setWordWrap(true);
    comment->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(111, 180, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
