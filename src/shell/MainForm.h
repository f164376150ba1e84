// The main window: owns every component, the player state and all operations.
// The operations are defined in the folder of the subsystem they belong to.
#pragma once
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/LineList.h"
#include "shell/Platform.h"
#include "widgets/Image.h"
#include "widgets/JpgImg.h"
#include "widgets/ShadoLbl.h"
#include "widgets/Sprite32.h"

class TChangeDisplay;

class TMainForm : public QWidget {
public:
    explicit TMainForm(const Services& services = Services(), QWidget* parent = nullptr);
    ~TMainForm() override;

    // ---- Components ---------------------------------------------------
    QWidget* MainPanel = nullptr;
    TImage* Gamen = nullptr;
    std::array<TShadowLabel*, 10> ShadowLabels{};  // ShadowLabel1 ... ShadowLabel10
    TShadowLabel* HitoNamaeLabel = nullptr;
    TShadowLabel* Mbtn = nullptr;
    TShadowLabel* Abtn = nullptr;
    TShadowLabel* Bbtn = nullptr;
    TShadowLabel* Cbtn = nullptr;
    TJPEGImage BackPic, PersonPic, SubPic;
    QImage BufPic, TmpPic, RollPic;
    TSprite Sprite;
    QTimer* WaitTimer = nullptr;
    QTimer* BGMLoopTimer = nullptr;

    // Pop-up menu. Submenus are reached through their menu action.
    QMenu* PopupMenu = nullptr;
    QAction *Rireki = nullptr, *Rireki1 = nullptr, *Rireki2 = nullptr, *Rireki3 = nullptr;
    QAction* SLoad = nullptr;
    QAction *Save = nullptr, *Save1 = nullptr, *Save2 = nullptr, *Save3 = nullptr;
    QAction *Load = nullptr, *Load1 = nullptr, *Load2 = nullptr, *Load3 = nullptr;
    QAction* MaeDoc = nullptr;
    QAction *Kaizoudo = nullptr, *KaizoudoHyoujun = nullptr, *Kaizoudo800 = nullptr, *Kaizoudo640 = nullptr;
    QAction* AboutVer = nullptr;
    QAction* Exit = nullptr;

    // ---- Player state -------------------------------------------------
    int TextLineCount = 0;
    int CenterDivisor = 0;
    std::string ProductName;
    std::string BaseName;
    std::string SaveExt;
    int ScreenWidth = 0, ScreenHeight = 0;
    bool CanAdvance = false;
    std::array<unsigned char, 50> StoryFlags{};
    std::array<unsigned char, 30> GlobalFlags{};
    bool InputLocked = false;
    std::array<TShadowLabel*, 10> TextLines{};
    std::array<std::string, 11> PageText;
    std::array<std::string, 11> PrevPageText;
    std::string PageSpeaker;
    std::string PrevPageSpeaker;
    bool PrevShown = false;
    std::array<QImage*, 6> MaskPics{};  // levels 1 to 5; [0] unused
    std::string FadeColor;
    std::string TransitionMode;
    bool BackChanged = false;
    int TextLineIndex = 0;
    int FadeLevel = 0;
    int ShadeLevel = 0;
    std::string ScenarioPath;
    std::string ScenarioFolder;
    TStringList ScenarioLines;
    int LineCursor = 0;
    std::string ProgramFolder;
    TStringList SaveLines;
    TStringList RecentList;
    int SaveCursor = 0;
    std::string BackPicName;
    std::string SubPicName;
    std::array<std::string, 5> PersonPicName;  // slots 1 to 4; [0] unused
    std::array<std::string, 5> PersonPos;      // slots 1 to 4; [0] unused
    std::string AnswerLabelA, AnswerLabelB, AnswerLabelC;

    // ---- Services -----------------------------------------------------
    IDialogs& Dialogs() { return *services_.Dialogs; }
    ISleeper& Sleeper() { return *services_.Sleeper; }
    IMusicPlayer& BGMPlayer() { return *services_.Music; }
    ISoundPlayer& SoundPlayer() { return *services_.Sound; }
    TChangeDisplay* ChangeDisplay = nullptr;

    // Runs an event handler: an error it raises is shown in a message box with
    // its text, and the program goes on with the state reached so far.
    void Guarded(const std::function<void()>& handler);
    void ShowMessage(const std::string& utf8Text);

    // ---- Player shell (src/shell) ---------------------------------------
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void FormResize();
    void FormKeyPress(int ch);
    void ResetPlayer();
    void MbtnMouseMove();
    void AbtnMouseMove();
    void BbtnMouseMove();
    void CbtnMouseMove();
    void AboutVerClick();
    void ExitClick();
    void FullScreen(int width, int height);
    void StandardScreen();
    void KaizoudoHyoujunClick() { StandardScreen(); }
    void Kaizoudo800Click() { FullScreen(800, 600); }
    void Kaizoudo640Click() { FullScreen(640, 480); }
    // Draws the title screen on Gamen.
    void DrawTitleScreen();
    // A menu item's command runs from its shortcut only while the item and
    // every submenu above it are enabled.
    bool ItemUsable(QAction* item) const;
    std::string RirekiCaption(int n) const;  // n = 1..3
    void SetRirekiCaption(int n, const std::string& bytes);

    // ---- Interpreter (src/interp) ---------------------------------------
    void RunScenario();
    void MbtnClick();
    void HoldPage();
    void TurnPage();
    void ShowPrevPage();
    void RestorePage();
    void LockInput();
    void UnlockInput();
    void WaitTimerTimer();
    void MaeDocClick() { ShowPrevPage(); }
    // Executes one command line; returns true when the run stops after it.
    bool ExecuteCommand(const std::string& head, const std::string& argument);
    void ClearPage();
    void JumpToLabel(const std::string& name);
    void ShowAnswers();
    void HideAnswers();
    void AbtnClick();
    void BbtnClick();
    void CbtnClick();
    void AnswerClick(const std::string& label);
    void RepaintText();  // repaints the speaker label and the ten lines at once

    // ---- Presentation (src/present) -------------------------------------
    void ComposeScreen();
    void LoadPicture(TJPEGImage& loader, const std::string& path);
    void PlacePerson(const std::string& path, const std::string& position);
    void DrawSubPicture(QImage& target);
    void ApplyMask(int level, QImage& target);
    void FadeOut();
    void FadeIn(int lowest);
    void PanVertical();
    void PanHorizontal();
    void ChangeMusic(const std::string& argument);
    void StopMusic();
    void BGMLoopTimerTimer();
    void PlaySoundEffect(const std::string& argument);
    void HideText();  // hides the speaker label and the ten lines, repainting each
    void ShowText();  // makes them visible again, repainting each

    // ---- Persistence (src/persist) --------------------------------------
    std::string SavePath() const;
    void OpenSaveFile();
    void CreateSaveFile();
    void WriteGlobalFlags();
    void SaveBookmark(int slot);
    void LoadBookmark(int slot);
    void Save1Click();
    void Save2Click();
    void Save3Click();
    void Load1Click();
    void Load2Click();
    void Load3Click();
    std::string RecentFilePath() const;
    void LoadRecentFile();
    void SaveRecentFile();

    // ---- Scenario files (src/scenario) ----------------------------------
    void OpenScenario();
    void LoadScenario();
    void SLoadClick();
    void Rireki1Click();
    void Rireki2Click();
    void Rireki3Click();
    void RirekiClick(int n);
    // A dropped file; only the first of several counts.
    void DropFile(const std::string& path);
    void SetTitle(const std::string& bytes);  // window caption and application title

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void CreateComponents();
    void CreateMenu();
    void SetBorderless(bool on);
    Services services_;
    std::array<QImage, 6> masks_;
    std::unique_ptr<IDialogs> ownDialogs_;
    std::unique_ptr<ISleeper> ownSleeper_;
    std::unique_ptr<IDisplayModes> ownDisplayModes_;
    std::unique_ptr<IMusicPlayer> ownMusic_;
    std::unique_ptr<ISoundPlayer> ownSound_;
    bool draining_ = false;
    bool closing_ = false;
    // Where the full-screen command put the panel; the window system answers
    // a maximize or a frame change later than the call, and the panel stays
    // where the command put it. Empty in the standard window.
    std::optional<QPoint> fullScreenPanel_;
};

// The state-record string constants as Shift-JIS bytes.
bool IsScenarioFileName(const std::string& path);
