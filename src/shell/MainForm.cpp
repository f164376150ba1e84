#include "shell/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include "base/Errors.h"
#include "base/Sjis.h"
#include "present/Masks.h"
#include "shell/ChangeDisplay.h"
#include "shell/RealPlatform.h"

namespace {

const char* const kStartCaptions[4] = {
    "　　サウンドノベルシナリオプレーヤーです。",
    "　　右クリックでポップアップメニューが開きます。",
    "　　まず、シナリオファイルを読み込んでください。",
    "　　テキストリーダーとしても使えます。",
};

QFont GothicFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

TShadowLabel* MakeLabel(QWidget* parent, int l, int t, int w, int h)
{
    auto* label = new TShadowLabel(parent);
    label->setGeometry(l, t, w, h);
    return label;
}

} // namespace

TMainForm::TMainForm(const Services& services, QWidget* parent) : QWidget(parent), services_(services)
{
    if (!services_.Dialogs) {
        ownDialogs_ = CreateRealDialogs(this);
        services_.Dialogs = ownDialogs_.get();
    }
    if (!services_.Sleeper) {
        ownSleeper_ = CreateRealSleeper();
        services_.Sleeper = ownSleeper_.get();
    }
    if (!services_.DisplayModes) {
        ownDisplayModes_ = CreateDisplayModes(this);
        services_.DisplayModes = ownDisplayModes_.get();
    }
    if (!services_.Music) {
        ownMusic_ = CreateMusicPlayer();
        services_.Music = ownMusic_.get();
    }
    if (!services_.Sound) {
        ownSound_ = CreateSoundPlayer();
        services_.Sound = ownSound_.get();
    }
    CreateComponents();
    CreateMenu();
    Guarded([this] { FormCreate(); });
}

TMainForm::~TMainForm()
{
    FormDestroy();
}

void TMainForm::CreateComponents()
{
    // As the form lays them out; start-up then sizes the picture and the click surface.
    setWindowTitle(QStringLiteral("Qorix"));
    setFont(GothicFont(12, false));
    resize(674, 480);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 0, 0));
    setPalette(pal);
    setMouseTracking(true);

    MainPanel = new QWidget(this);
    MainPanel->setGeometry(0, 0, 640, 480);
    MainPanel->setMouseTracking(true);

    // Children of the panel in stacking order, bottom first.
    Gamen = new TImage(MainPanel);
    Gamen->setGeometry(0, 0, 480, 360);
    Gamen->setMouseTracking(true);

    auto textLine = [this](int n) {
        auto* l = MakeLabel(MainPanel, 60, 50 + 35 * (n - 1), 581, 31);
        l->setFont(GothicFont(24, true));
        l->SetFontColor(Qt::white);
        l->SetTransparent(true);
        l->Highlight()->SetVisible(false);
        l->Shadow()->SetColor(Qt::black);
        l->Shadow()->SetOffsetLeft(2);
        l->Shadow()->SetOffsetTop(2);
        if (n >= 7) l->SetCaption(Utf8ToSjis(kStartCaptions[n - 7]));
        return l;
    };
    ShadowLabels[0] = textLine(1);

    HitoNamaeLabel = MakeLabel(MainPanel, 626, 420, 7, 20);
    HitoNamaeLabel->setFont(GothicFont(20, true));
    HitoNamaeLabel->SetFontColor(Qt::white);
    HitoNamaeLabel->SetTransparent(true);
    HitoNamaeLabel->SetCaption("      ");
    HitoNamaeLabel->Highlight()->SetColor(QColor(128, 128, 128));
    HitoNamaeLabel->Shadow()->SetColor(Qt::black);
    HitoNamaeLabel->Shadow()->SetOffsetLeft(2);
    HitoNamaeLabel->setVisible(false);

    BackPic.Bounds = QRect(376, 56, 33, 33);
    PersonPic.Bounds = QRect(416, 56, 33, 25);
    SubPic.Bounds = QRect(424, 284, 100, 100);

    for (int n = 2; n <= 10; ++n) ShadowLabels[n - 1] = textLine(n);

    Mbtn = MakeLabel(MainPanel, 304, 8, 173, 465);
    Mbtn->SetTransparent(true);
    Mbtn->SetAlignment(Qt::AlignHCenter);
    Mbtn->setFont(GothicFont(30, true));
    Mbtn->SetFontColor(QColor(128, 128, 128));
    Mbtn->Shadow()->SetVisible(false);
    Mbtn->Highlight()->SetVisible(false);
    Mbtn->SetCaption(Utf8ToSjis("Ｍボタン"));
    Mbtn->OnClick = [this] { Guarded([this] { MbtnClick(); }); };
    Mbtn->OnMouseMove = [this] { MbtnMouseMove(); };

    auto answer = [this](int left, const char* caption) {
        auto* b = MakeLabel(MainPanel, left, 411, 165, 28);
        b->SetTransparent(true);
        b->SetAlignment(Qt::AlignHCenter);
        b->setFont(GothicFont(24, true));
        b->SetFontColor(QColor(128, 128, 128));
        b->Highlight()->SetVisible(false);
        b->Shadow()->SetColor(Qt::black);
        b->SetCaption(Utf8ToSjis(caption));
        b->setVisible(false);
        return b;
    };
    Bbtn = answer(235, "Ｂボタン");
    Cbtn = answer(415, "Ｃボタン");
    Abtn = answer(55, "Ａボタン");
    Abtn->OnClick = [this] { Guarded([this] { AbtnClick(); }); };
    Bbtn->OnClick = [this] { Guarded([this] { BbtnClick(); }); };
    Cbtn->OnClick = [this] { Guarded([this] { CbtnClick(); }); };
    Abtn->OnMouseMove = [this] { AbtnMouseMove(); };
    Bbtn->OnMouseMove = [this] { BbtnMouseMove(); };
    Cbtn->OnMouseMove = [this] { CbtnMouseMove(); };

    for (int level = 1; level <= 5; ++level) masks_[level] = MakeMaskPicture(level);

    Sprite.SetCount(1);
    Sprite.SetIndex(0);
    Sprite.Transparent = true;
    Sprite.Centering = false;
    Sprite.SetColorKey(qRgb(255, 255, 255));

    WaitTimer = new QTimer(this);
    WaitTimer->setInterval(800);
    connect(WaitTimer, &QTimer::timeout, this, [this] { Guarded([this] { WaitTimerTimer(); }); });
    WaitTimer->start();
    BGMLoopTimer = new QTimer(this);
    BGMLoopTimer->setInterval(300);
    connect(BGMLoopTimer, &QTimer::timeout, this, [this] { Guarded([this] { BGMLoopTimerTimer(); }); });
    BGMLoopTimer->start();
}

void TMainForm::Guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Exception& e) {
        ShowMessage(e.Message());
    } catch (const std::bad_alloc&) {
        ShowMessage("メモリが足りません");
    } catch (const std::exception& e) {
        ShowMessage(e.what());
    }
}

void TMainForm::ShowMessage(const std::string& utf8Text)
{
    Dialogs().ShowMessage(QString::fromStdString(utf8Text));
}

void TMainForm::SetTitle(const std::string& bytes)
{
    QString title = SjisToQString(bytes);
    setWindowTitle(title);
    QApplication::setApplicationDisplayName(QString());
    if (qApp) qApp->setProperty("qorixTitle", title);
}

void TMainForm::closeEvent(QCloseEvent* e)
{
    if (closing_) {
        e->accept();
        return;
    }
    bool ok = false;
    Guarded([&] { ok = FormCloseQuery(); });
    if (!ok) {
        e->ignore();
        return;
    }
    closing_ = true;
    Guarded([this] { FormClose(); });
    e->accept();
}

void TMainForm::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FormResize();
    if (fullScreenPanel_) MainPanel->move(*fullScreenPanel_);
}

void TMainForm::keyPressEvent(QKeyEvent* e)
{
    const QString text = e->text();
    int ch = 0;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) ch = 13;
    else if (text.size() == 1 && text[0].unicode() < 128 && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        ch = text[0].unicode();
    if (ch == 0) {
        QWidget::keyPressEvent(e);
        return;
    }
    Guarded([&] { FormKeyPress(ch); });
}

void TMainForm::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) Guarded([this] { MbtnClick(); });
    else QWidget::mouseReleaseEvent(e);
}

void TMainForm::mouseMoveEvent(QMouseEvent*)
{
    MbtnMouseMove();
}

void TMainForm::contextMenuEvent(QContextMenuEvent* e)
{
    PopupMenu->popup(e->globalPos());
}

void TMainForm::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* e)
{
    const auto urls = e->mimeData()->urls();
    if (urls.isEmpty()) return;
    const QByteArray name = QFile::encodeName(urls.first().toLocalFile());
    e->acceptProposedAction();
    Guarded([&] { DropFile(name.toStdString()); });
}

std::string TMainForm::RirekiCaption(int n) const
{
    QAction* a = n == 1 ? Rireki1 : n == 2 ? Rireki2 : Rireki3;
    return a->data().toByteArray().toStdString();
}

void TMainForm::SetRirekiCaption(int n, const std::string& bytes)
{
    QAction* a = n == 1 ? Rireki1 : n == 2 ? Rireki2 : Rireki3;
    a->setData(QByteArray::fromStdString(bytes));
    QString shown = DisplayName(bytes);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    a->setText(shown);
}
