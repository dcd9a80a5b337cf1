#pragma once
#include <QDateTime>
#include <QMainWindow>
#include <QPointer>

class QAction;
class TLanguageController;
class QComboBox;
class QLineEdit;
class QMenu;
class QSplitter;
class QSystemTrayIcon;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;
class QVBoxLayout;
class TContentDataset;
class THtmlView;
class TReaderCommands;
class TSuttaTree;
class TSuttaTreeModel;

// The main window: collection tree on the left, the sutta view on the right,
// the menu bar row of large buttons on top and an icon in the notification area.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Members other windows use.
    int vTevakaBook = 0;
    QString vFindSuttaStr;
    int vCurrentLangSutta = 0;
    TSuttaTreeModel *qryTreeSutas = nullptr;   // rows of the tree
    TContentDataset *qryTevakaSutas = nullptr; // the content row of the tree's current row
    THtmlView *ebContent = nullptr;            // the sutta view
    TSuttaTree *SuttaTree = nullptr;           // left pane: collections, filter, tree
    TReaderCommands *Reader = nullptr;         // right pane: page and view commands

    bool vIsInit = false;
    QString vDefTreeSuttaSQL;
    int vVScrollPosPALI = 0, vVScrollPosVIE = 0, vVScrollPosENG = 0;
    bool FIsStartPage = false;
    QDateTime vStartTime, vRunTime;

    // Commands.
    QAction *acExit, *acOption, *acOptionFormat, *acAbout, *acUpdateInfo, *acHelp, *acChangeLang;
    QAction *acDN, *acMN, *acAN, *acSN, *acKN;
    QAction *acExpandTree, *acCollapseTree, *acShowIndexSutas, *acNamePAL, *acNameENG, *acNameVIE;
    QAction *acFindDialog, *acCopy, *acSelectAll, *acPrint, *acPrintPreview, *acSave, *acZoomIn, *acZoomOut;
    QAction *acMarginWidth0, *acMarginWidth1, *acMarginWidth2, *acMarginWidth3;
    QAction *acOtherTranslate, *acDictionary, *acGetWord, *acSearchSutas, *acFavSutta, *acFocusHighlight;
    QAction *acOrganization, *acPhapCu, *acPopupPC;

    // Controls.
    QToolBar *barMain;
    QToolButton *bsiSystem;
    QMenu *bsiSkins, *bsiLanguage;
    QComboBox *bcbInterface, *bcbLanguage;
    QSplitter *splMain;
    QWidget *pnlTree, *pnlContent, *pnlView;
    QVBoxLayout *layView;
    QToolButton *btnDN, *btnMN, *btnAN, *btnSN, *btnKN;
    QLineEdit *edFilterSutta;
    QTreeView *dbtSutas;
    QToolButton *btnFindDialog, *btnCopy, *btnSelectAll, *btnPrint, *btnPrintPreview, *btnSave;
    QToolButton *btnZoomIn, *btnZoomOut, *btnMarginWidth, *btnFocusHighlight, *btnOtherTranslate;
    QToolButton *btnPali, *btnViet, *btnEng;
    QMenu *ppContent, *ppTreeSutas, *ppMarginWidth, *ppMainTray, *ppTreeNames;
    QSystemTrayIcon *tiMainTray = nullptr;
    QTimer *Timer1;

    // Collection and sutta of the page now shown (0 when none).
    int CurrentTVK() const;
    int CurrentTVC() const;

    void InitMainForm();
    void ApplyOptions();
    // Restores and raises the window (a second start hands over to this one).
    void BringToFront();

    // look:
    void BuildSkinList();
    void bcbInterfaceChange();
    void BuildLanguageList();
    void acChangeLangExecute();
    void acOptionExecute();
    void acAboutExecute();
    TLanguageController *lcMain = nullptr;

    void acExitExecute();
    void acHelpExecute();
    void acUpdateInfoExecute();
    void tiMainTrayClick();

    // Question box of the program: Yes/No, question icon, no owner window.
    static bool AskYesNo(const QString &caption, const QString &question);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void CreateActions();
    void CreateLayout();
    void CreateMenus();
    void CreateTray();
    void FormCreate();
    void FormShow();
    bool FormClose();
    QToolButton *ToolButton(QAction *action, const QString &name, QWidget *parent);

    bool m_shown = false;
    bool m_exiting = false;
};

extern QPointer<TfrmMain> frmMain;
