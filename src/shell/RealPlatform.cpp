#include "shell/RealPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStandardPaths>
#include <QThread>
#include <QTranslator>
#include <unistd.h>

#include "shell/AboutBox.h"

namespace {

const QString kTitle = QStringLiteral("Qorix");

// The application title: the product name, or the title line of the open
// scenario. The simple boxes carry it; the close question names the product.
QString ApplicationTitle()
{
    const QVariant t = qApp ? qApp->property("qorixTitle") : QVariant();
    return t.isValid() ? t.toString() : kTitle;
}

class RealDialogs : public IDialogs {
public:
    // The version box is made once, with the window, and shown again on request.
    explicit RealDialogs(QWidget* owner) : owner_(owner), about_(std::make_unique<TAboutBox>(owner)) {}
    void ShowMessage(const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), text, QMessageBox::Ok, owner_);
        box.exec();
    }
    bool AskYesNo(const QString& text) override
    {
        QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Yes | QMessageBox::No, owner_);
        return box.exec() == QMessageBox::Yes;
    }
    std::optional<std::string> ChooseScenarioFile() override
    {
        QFileDialog dialog(owner_, QStringLiteral("ScenarioFile読み込み"));
        dialog.setNameFilters({QStringLiteral("シナリオファイル・テキストファイル (*.snr *.txt)"),
                               QStringLiteral("全てのファイル (*)")});
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
        return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
    }
    void ShowAbout() override
    {
        about_->exec();
    }

private:
    QWidget* owner_;
    std::unique_ptr<TAboutBox> about_;
};

class RealSleeper : public ISleeper {
public:
    void Sleep(int ms) override
    {
        // The repaints before a sleep have been drawn; make sure they reach the screen.
        QApplication::sync();
        if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
    }
};

} // namespace

std::unique_ptr<IDialogs> CreateRealDialogs(QWidget* owner)
{
    return std::make_unique<RealDialogs>(owner);
}

std::unique_ptr<ISleeper> CreateRealSleeper()
{
    return std::make_unique<RealSleeper>();
}

void SetUpApplication()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QApplication::setApplicationName(kTitle);
    auto* translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

std::string FindProgramFolder()
{
    QString dir = QCoreApplication::applicationDirPath();
    QByteArray bytes = QFile::encodeName(dir);
    if (!bytes.isEmpty() && ::access(bytes.constData(), W_OK) == 0) return bytes.toStdString() + "/";
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty()) state = QDir::homePath() + QStringLiteral("/.local/state");
    QString folder = state + QStringLiteral("/qorix");
    QDir().mkpath(folder);
    return QFile::encodeName(folder).toStdString() + "/";
}
