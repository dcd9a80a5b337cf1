#include "app/Main.h"
#include "common/AppGlobals.h"
#include "data/dmTevaka.h"
#include "common/HtmlView.h"
#include "reading/ContentDataset.h"
#include "reading/ReaderCommands.h"
#include "reading/SuttaTree.h"
#include "settings/Registry.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSplitter>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "app/About.h"
#include "app/Options.h"
#include "look/DMInterface.h"
#include "look/FontStyle.h"
#include "look/LanguageController.h"
#include "look/LanguageManager.h"
#include "look/SkinFile.h"
#include "reading/SuttaTreeModel.h"
#include <QSignalBlocker>

QPointer<TfrmMain> frmMain;

static QAction *makeAction(QObject *owner, const char *name, const QString &caption, bool enabled = true)
{
    auto *a = new QAction(caption, owner);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    return a;
}

static void initResources()
{
    // Resources of a static library must be registered by hand.
    Q_INIT_RESOURCE(app);
}

TfrmMain::TfrmMain(QWidget *parent) : QMainWindow(parent)
{
    initResources();
    setObjectName("frmMain");
    frmMain = this;
    FormCreate();
}

TfrmMain::~TfrmMain() = default;

int TfrmMain::CurrentTVK() const { return qryTevakaSutas ? qryTevakaSutas->ID_TVK() : 0; }
int TfrmMain::CurrentTVC() const { return qryTevakaSutas ? qryTevakaSutas->ID_TVC() : 0; }

void TfrmMain::CreateActions()
{
    // Commands whose windows are not part of this build stay disabled.
    acExit = makeAction(this, "acExit", QString::fromUtf8("Thoát"));
    acOption = makeAction(this, "acOption", QString::fromUtf8("Tùy chọn  "));
    acOptionFormat = makeAction(this, "acOptionFormat", QString::fromUtf8("Tùy chọn ..."));
    acAbout = makeAction(this, "acAbout", QString::fromUtf8("Giới thiệu "));
    acUpdateInfo = makeAction(this, "acUpdateInfo", QString::fromUtf8("Thông tin cập nhật..."));
    acHelp = makeAction(this, "acHelp", QString::fromUtf8("Hướng dẫn sử dụng"));
    acHelp->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    acChangeLang = makeAction(this, "acChangeLang", QString());

    acDN = makeAction(this, "acDN", "&DN");
    acMN = makeAction(this, "acMN", "&MN");
    acAN = makeAction(this, "acAN", "&AN");
    acSN = makeAction(this, "acSN", "&SN");
    acKN = makeAction(this, "acKN", "&KN");
    const QString hints[] = {QString::fromUtf8("Trường Bộ Kinh"), QString::fromUtf8("Trung Bộ Kinh"),
                             QString::fromUtf8("Tăng Chi Bộ Kinh"), QString::fromUtf8("Tương Ưng Bộ Kinh"),
                             QString::fromUtf8("Tiểu Bộ Kinh")};
    QAction *books[] = {acDN, acMN, acAN, acSN, acKN};
    auto *bookGroup = new QActionGroup(this);
    for (int i = 0; i < 5; ++i) {
        books[i]->setCheckable(true);
        books[i]->setToolTip(hints[i]);
        bookGroup->addAction(books[i]);
    }

    acExpandTree = makeAction(this, "acExpandTree", QString::fromUtf8("Mở rộng"));
    acCollapseTree = makeAction(this, "acCollapseTree", QString::fromUtf8("Thu gọn"));
    acShowIndexSutas = makeAction(this, "acShowIndexSutas", QString::fromUtf8("Hiển thị STT"));
    acShowIndexSutas->setCheckable(true);
    acNamePAL = makeAction(this, "acNamePAL", QString::fromUtf8("Pāli"));
    acNameENG = makeAction(this, "acNameENG", QString::fromUtf8("Anh"));
    acNameVIE = makeAction(this, "acNameVIE", QString::fromUtf8("Việt"));
    for (QAction *a : {acNamePAL, acNameENG, acNameVIE})
        a->setCheckable(true);

    acFindDialog = makeAction(this, "acFindDialog", QString::fromUtf8("Tìm..."));
    acFindDialog->setShortcut(QKeySequence("Ctrl+F"));
    acFindDialog->setToolTip(QString::fromUtf8("Tìm từ, ngữ, đoạn văn trong bài kinh"));
    acCopy = makeAction(this, "acCopy", QString::fromUtf8("Sao chép"));
    acCopy->setShortcut(QKeySequence("Ctrl+C"));
    acCopy->setToolTip(QString::fromUtf8("Sao chép (copy) đoạn văn bản đang chọn"));
    acSelectAll = makeAction(this, "acSelectAll", QString::fromUtf8("Chọn tất cả"));
    acSelectAll->setShortcut(QKeySequence("Ctrl+A"));
    acSelectAll->setToolTip(QString::fromUtf8("Chọn tất cả văn bản"));
    acPrint = makeAction(this, "acPrint", QString::fromUtf8("In..."));
    acPrint->setToolTip(QString::fromUtf8("In văn bản đang hiển thị"));
    acPrintPreview = makeAction(this, "acPrintPreview", QString::fromUtf8("Xem trước khi in"));
    acPrintPreview->setToolTip(QString::fromUtf8("Xem văn bản trước khi in"));
    acSave = makeAction(this, "acSave", QString::fromUtf8("Lưu..."));
    acSave->setToolTip(QString::fromUtf8("Lưu thành tập tin..."));
    acZoomIn = makeAction(this, "acZoomIn", QString::fromUtf8("Phóng to"));
    acZoomIn->setToolTip(QString::fromUtf8("Hiển thị với phông chữ lớn hơn"));
    acZoomOut = makeAction(this, "acZoomOut", QString::fromUtf8("Thu nhỏ"));
    acZoomOut->setToolTip(QString::fromUtf8("Hiển thị với phông chữ nhỏ hơn"));
    acMarginWidth0 = makeAction(this, "acMarginWidth0", "0");
    acMarginWidth1 = makeAction(this, "acMarginWidth1", "1");
    acMarginWidth2 = makeAction(this, "acMarginWidth2", "2");
    acMarginWidth3 = makeAction(this, "acMarginWidth3", "3");

    acOtherTranslate = makeAction(this, "acOtherTranslate", QString::fromUtf8("Bản dịch khác..."), false);
    acDictionary = makeAction(this, "acDictionary", QString::fromUtf8("Từ điển  "), false);
    acGetWord = makeAction(this, "acGetWord", QString::fromUtf8("Xem từ điển..."), false);
    acSearchSutas = makeAction(this, "acSearchSutas", QString::fromUtf8("Tìm kiếm "), false);
    acSearchSutas->setShortcuts({QKeySequence("F2"), QKeySequence("Ctrl+Shift+F")});
    acFavSutta = makeAction(this, "acFavSutta", QString::fromUtf8("Bài kinh cần quan tâm"), false);
    acFocusHighlight = makeAction(this, "acFocusHighlight", QString::fromUtf8("Đánh dấu đoạn kinh quan trọng"), false);
    acOrganization = makeAction(this, "acOrganization", QString::fromUtf8(" Đánh dấu  "), false);
    acPhapCu = makeAction(this, "acPhapCu", QString::fromUtf8("Vui học  "), false);
    acPopupPC = makeAction(this, "acPopupPC", QString(), false);

    // Shortcuts work wherever the focus is in the window.
    addActions({acFindDialog, acCopy, acSelectAll, acSearchSutas});

    connect(acExit, &QAction::triggered, this, &TfrmMain::acExitExecute);
    connect(acHelp, &QAction::triggered, this, &TfrmMain::acHelpExecute);
    connect(acUpdateInfo, &QAction::triggered, this, &TfrmMain::acUpdateInfoExecute);
    connect(acOption, &QAction::triggered, this, &TfrmMain::acOptionExecute);
    connect(acOptionFormat, &QAction::triggered, this, &TfrmMain::acOptionExecute);
    connect(acAbout, &QAction::triggered, this, &TfrmMain::acAboutExecute);
    connect(acChangeLang, &QAction::triggered, this, &TfrmMain::acChangeLangExecute);
}

QToolButton *TfrmMain::ToolButton(QAction *action, const QString &name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setDefaultAction(action);
    b->setAutoRaise(true);
    return b;
}

void TfrmMain::CreateLayout()
{
    setWindowTitle("Tevaka 3.0");
    setWindowIcon(QIcon(":/app/tevaka.svg"));
    setMinimumSize(800, 600);
    resize(1006, 730);
    setFont(QFont("Segoe UI", 10));

    // The single menu bar row of large buttons.
    barMain = new QToolBar(this);
    barMain->setObjectName("barMain");
    barMain->setMovable(false);
    barMain->setFloatable(false);
    barMain->setFixedHeight(33);
    barMain->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    barMain->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    addToolBar(Qt::TopToolBarArea, barMain);
    auto addLarge = [&](QAction *a, const char *name) {
        barMain->addAction(a);
        barMain->widgetForAction(a)->setObjectName(QString::fromLatin1(name));
    };
    addLarge(acOrganization, "lbOrganization");
    addLarge(acDictionary, "lbDictionary");
    addLarge(acSearchSutas, "lbSearchSutas");
    addLarge(acPhapCu, "lbPhapCu");
    addLarge(acOption, "lbOptions");
    barMain->addAction(acHelp);
    if (auto *help = qobject_cast<QToolButton *>(barMain->widgetForAction(acHelp))) {
        help->setObjectName("lbHelp");
        help->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    auto *spacer = new QWidget(barMain);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    barMain->addWidget(spacer);
    bsiSystem = new QToolButton(barMain);
    bsiSystem->setObjectName("bsiSystem");
    bsiSystem->setText(QString::fromUtf8("Hệ thống"));
    bsiSystem->setPopupMode(QToolButton::InstantPopup);
    barMain->addWidget(bsiSystem);

    splMain = new QSplitter(Qt::Horizontal, this);
    splMain->setObjectName("splMain");
    splMain->setHandleWidth(1);
    splMain->setChildrenCollapsible(false);
    setCentralWidget(splMain);

    // Tree pane: five collection buttons and the filter box above the tree.
    pnlTree = new QWidget(splMain);
    pnlTree->setObjectName("pnlTree");
    auto *treeLayout = new QVBoxLayout(pnlTree);
    treeLayout->setContentsMargins(2, 2, 0, 2);
    treeLayout->setSpacing(2);
    auto *bookRow = new QHBoxLayout;
    bookRow->setSpacing(1);
    const char *bookNames[] = {"btnDN", "btnMN", "btnAN", "btnSN", "btnKN"};
    const QString bookHints[] = {
        QString::fromUtf8("Trường Bộ Kinh\n(Dìgha Tevaka)"), QString::fromUtf8("Trung Bộ Kinh\n(Majjhima Tevaka)"),
        QString::fromUtf8("Tăng Chi Bộ Kinh\n(Anguttara Tevaka)"), QString::fromUtf8("Tương Ưng Bộ Kinh\n(Samyutta Tevaka)"),
        QString::fromUtf8("Tiểu Bộ Kinh\n(Khuddaka Tevaka)")};
    QAction *books[] = {acDN, acMN, acAN, acSN, acKN};
    QToolButton **bookButtons[] = {&btnDN, &btnMN, &btnAN, &btnSN, &btnKN};
    for (int i = 0; i < 5; ++i) {
        // Bound by hand rather than as the command's default widget, which would
        // overwrite the button's two-line hint with the command's one-line hint.
        auto *b = new QToolButton(pnlTree);
        b->setObjectName(QString::fromLatin1(bookNames[i]));
        b->setText(books[i]->text());
        b->setCheckable(true);
        b->setFixedSize(30, 25);
        b->setToolTip(bookHints[i]);
        QAction *book = books[i];
        connect(b, &QToolButton::clicked, book, [book, b] {
            b->setChecked(book->isChecked());
            book->trigger();
        });
        connect(book, &QAction::toggled, b, &QToolButton::setChecked);
        connect(book, &QAction::enabledChanged, b, &QToolButton::setEnabled);
        *bookButtons[i] = b;
        bookRow->addWidget(b);
    }
    edFilterSutta = new QLineEdit(pnlTree);
    edFilterSutta->setObjectName("edFilterSutta");
    edFilterSutta->setClearButtonEnabled(true);
    bookRow->addWidget(edFilterSutta, 1);
    treeLayout->addLayout(bookRow);
    dbtSutas = new QTreeView(pnlTree);
    dbtSutas->setObjectName("dbtSutas");
    dbtSutas->setHeaderHidden(true);
    dbtSutas->setFrameShape(QFrame::NoFrame);
    dbtSutas->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbtSutas->setContextMenuPolicy(Qt::CustomContextMenu);
    treeLayout->addWidget(dbtSutas, 1);

    // Content pane: toolbar row above the HTML view.
    pnlContent = new QWidget(splMain);
    pnlContent->setObjectName("pnlContent");
    auto *contentLayout = new QVBoxLayout(pnlContent);
    contentLayout->setContentsMargins(0, 2, 2, 2);
    contentLayout->setSpacing(2);
    auto *bar = new QHBoxLayout;
    bar->setSpacing(1);
    auto small = [&](QAction *a, const char *name, QStyle::StandardPixmap icon) {
        a->setIcon(style()->standardIcon(icon));
        auto *b = ToolButton(a, name, pnlContent);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        b->setFixedSize(30, 25);
        bar->addWidget(b);
        return b;
    };
    btnFindDialog = small(acFindDialog, "btnFindDialog", QStyle::SP_FileDialogContentsView);
    btnCopy = small(acCopy, "btnCopy", QStyle::SP_FileDialogDetailedView);
    btnSelectAll = small(acSelectAll, "btnSelectAll", QStyle::SP_FileDialogListView);
    bar->addSpacing(6);
    btnPrint = small(acPrint, "btnPrint", QStyle::SP_DriveFDIcon);
    btnPrintPreview = small(acPrintPreview, "btnPrintPreview", QStyle::SP_FileDialogInfoView);
    btnSave = small(acSave, "btnSave", QStyle::SP_DialogSaveButton);
    bar->addSpacing(6);
    btnZoomIn = small(acZoomIn, "btnZoomIn", QStyle::SP_ArrowUp);
    btnZoomOut = small(acZoomOut, "btnZoomOut", QStyle::SP_ArrowDown);
    bar->addSpacing(6);
    btnMarginWidth = new QToolButton(pnlContent);
    btnMarginWidth->setObjectName("btnMarginWidth");
    btnMarginWidth->setFixedSize(50, 25);
    btnMarginWidth->setPopupMode(QToolButton::MenuButtonPopup);
    btnMarginWidth->setToolTip(QString::fromUtf8("Độ rộng lề"));
    bar->addWidget(btnMarginWidth);
    btnFocusHighlight = new QToolButton(pnlContent);
    btnFocusHighlight->setObjectName("btnFocusHighlight");
    btnFocusHighlight->setFixedSize(100, 25);
    btnFocusHighlight->setText(QString::fromUtf8("Đánh dấu..."));
    btnFocusHighlight->setEnabled(false);
    connect(acFocusHighlight, &QAction::changed, btnFocusHighlight,
            [this] { btnFocusHighlight->setEnabled(acFocusHighlight->isEnabled()); });
    connect(btnFocusHighlight, &QToolButton::clicked, acFocusHighlight, &QAction::trigger);
    bar->addWidget(btnFocusHighlight);
    btnOtherTranslate = ToolButton(acOtherTranslate, "btnOtherTranslate", pnlContent);
    btnOtherTranslate->setFixedSize(120, 25);
    btnOtherTranslate->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnOtherTranslate->setVisible(false);
    bar->addWidget(btnOtherTranslate);
    bar->addStretch(1);
    auto lang = [&](const char *name, const QString &text, const QString &hint) {
        auto *b = new QToolButton(pnlContent);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(hint);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        b->setFixedSize(30, 25);
        bar->addWidget(b);
        return b;
    };
    btnPali = lang("btnPali", "P", QString::fromUtf8("Xem kinh theo Tiếng Pali"));
    btnViet = lang("btnViet", "V", QString::fromUtf8("Xem kinh theo Tiếng Việt"));
    btnEng = lang("btnEng", "E", QString::fromUtf8("Xem kinh bằng Tiếng Anh"));
    btnViet->setChecked(true);
    contentLayout->addLayout(bar);
    pnlView = new QWidget(pnlContent);
    pnlView->setObjectName("pnlView");
    layView = new QVBoxLayout(pnlView);
    layView->setContentsMargins(0, 0, 0, 0);
    contentLayout->addWidget(pnlView, 1);

    splMain->addWidget(pnlTree);
    splMain->addWidget(pnlContent);
    splMain->setStretchFactor(1, 1);
    splMain->setSizes({320, 686});

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(60000);
}

void TfrmMain::CreateMenus()
{
    auto *system = new QMenu(this);
    system->setObjectName("ppSystem");
    bsiSkins = system->addMenu(QString::fromUtf8("Giao diện"));
    bsiSkins->setObjectName("bsiSkins");
    bcbInterface = new QComboBox(this);
    bcbInterface->setObjectName("bcbInterface");
    bcbInterface->setFixedWidth(120);
    bcbInterface->setMaxVisibleItems(28);
    auto *skinAction = new QWidgetAction(bsiSkins);
    skinAction->setDefaultWidget(bcbInterface);
    bsiSkins->addAction(skinAction);
    bsiLanguage = system->addMenu(QString::fromUtf8("Ngôn ngữ"));
    bsiLanguage->setObjectName("bsiLanguage");
    bcbLanguage = new QComboBox(this);
    bcbLanguage->setObjectName("bcbLanguage");
    bcbLanguage->setFixedWidth(150);
    auto *langAction = new QWidgetAction(bsiLanguage);
    langAction->setDefaultWidget(bcbLanguage);
    bsiLanguage->addAction(langAction);
    system->addAction(acOption);
    system->addSeparator();
    system->addAction(acHelp);
    system->addAction(acUpdateInfo);
    system->addSeparator();
    system->addAction(acAbout);
    bsiSystem->setMenu(system);

    ppMarginWidth = new QMenu(this);
    ppMarginWidth->setObjectName("ppMarginWidth");
    ppMarginWidth->addActions({acMarginWidth0, acMarginWidth1, acMarginWidth2, acMarginWidth3});
    btnMarginWidth->setMenu(ppMarginWidth);

    ppContent = new QMenu(this);
    ppContent->setObjectName("ppContent");
    ppContent->addAction(acFindDialog);
    ppContent->addSeparator();
    ppContent->addActions({acCopy, acSelectAll});
    ppContent->addSeparator();
    ppContent->addActions({acPrint, acPrintPreview, acSave});
    ppContent->addSeparator();
    ppContent->addActions({acZoomIn, acZoomOut});
    QMenu *margins = ppContent->addMenu(QString::fromUtf8("Độ rộng lề"));
    margins->setObjectName("bsiMarginWidth");
    margins->addActions({acMarginWidth0, acMarginWidth1, acMarginWidth2, acMarginWidth3});
    ppContent->addSeparator();
    ppContent->addAction(acOptionFormat);
    ppContent->addSeparator();
    ppContent->addActions({acFocusHighlight, acFavSutta});
    ppContent->addSeparator();
    ppContent->addAction(acOtherTranslate);
    ppContent->addSeparator();
    ppContent->addAction(acGetWord);

    ppTreeSutas = new QMenu(this);
    ppTreeSutas->setObjectName("ppTreeSutas");
    ppTreeSutas->addAction(acShowIndexSutas);
    ppTreeNames = ppTreeSutas->addMenu(QString::fromUtf8("Hiển thị tên bài kinh theo tiếng"));
    ppTreeNames->setObjectName("bsiTreeName");
    ppTreeNames->addActions({acNamePAL, acNameENG, acNameVIE});
    ppTreeSutas->addSeparator();
    ppTreeSutas->addActions({acExpandTree, acCollapseTree});
    ppTreeSutas->addSeparator();
    ppTreeSutas->addActions({acFavSutta, acOtherTranslate});
}

void TfrmMain::CreateTray()
{
    ppMainTray = new QMenu(this);
    ppMainTray->setObjectName("ppMainTray");
    ppMainTray->addAction(acOption);
    ppMainTray->addSeparator();
    ppMainTray->addActions({acAbout, acHelp, acUpdateInfo});
    ppMainTray->addSeparator();
    ppMainTray->addAction(acExit);
    // Without a notification area there is no icon; nothing else depends on it.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    tiMainTray = new QSystemTrayIcon(windowIcon(), this);
    tiMainTray->setObjectName("tiMainTray");
    tiMainTray->setToolTip("Tevaka Study");
    tiMainTray->setContextMenu(ppMainTray);
    connect(tiMainTray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger)
            tiMainTrayClick();
    });
    tiMainTray->show();
}

void TfrmMain::FormCreate()
{
    CreateActions();
    CreateLayout();
    CreateMenus();
    CreateTray();
    BuildSkinList();
    BuildLanguageList();
    SuttaTree = new TSuttaTree(this);
    Reader = new TReaderCommands(this);
    InitMainForm();
    SuttaTree->LoadContentData();
    Timer1->start();
}

void TfrmMain::InitMainForm()
{
    vIsInit = true;
    vDefTreeSuttaSQL = QString::fromLatin1(TSuttaTree::kTreeSuttaSQL);
    vAppKind = 2;
    TfrmTevakaDM *dm = frmTevakaDM;
    vTevakaBook = 0;
    if (dm) {
        switch (dm->vOpenSutta) {
        case 1: vTevakaBook = dm->vLastTevaka; break;
        case 2: vTevakaBook = QRandomGenerator::global()->bounded(1, 6); break;
        case 3: vTevakaBook = 1; break;
        default: break;
        }
    }
    QAction *books[] = {acDN, acMN, acAN, acSN, acKN};
    if (vTevakaBook >= 1 && vTevakaBook <= 5)
        books[vTevakaBook - 1]->setChecked(true);

    const int lang = dm ? dm->vLanguageSutta : 1;
    if (lang == 0) {
        btnPali->setChecked(true);
        acNamePAL->trigger();
    } else if (lang == 1) {
        btnViet->setChecked(true);
        acNameVIE->trigger();
    } else if (lang == 2) {
        btnEng->setChecked(true);
        acNameENG->trigger();
    }
    btnMarginWidth->setText(QString::number(dm ? dm->vMarginWidth : 0));
    vStartTime = vRunTime = QDateTime::currentDateTime();
}

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmMain::FormShow()
{
    acExpandTree->trigger();
    acChangeLang->trigger();
    if (frmTevakaDM)
        ebContent->setZoomPercent(frmTevakaDM->vZoomPercent); // the view clamps it to its range
    vIsInit = false;
}

bool TfrmMain::AskYesNo(const QString &caption, const QString &question)
{
    QMessageBox box(QMessageBox::Question, caption, question, QMessageBox::Yes | QMessageBox::No);
    box.setObjectName("msgQuestion");
    return box.exec() == QMessageBox::Yes;
}

static bool askQuit()
{
    if (vInterfaceLang == 1)
        return TfrmMain::AskYesNo("Information", "Are you sure you wish to quit Tevaka?");
    if (vInterfaceLang == 0)
        return TfrmMain::AskYesNo(QString::fromUtf8("Thông báo"), QString::fromUtf8("Đồng ý thoát khỏi Tevaka?"));
    return TfrmMain::AskYesNo(QString(), QString());
}

bool TfrmMain::FormClose()
{
    if (!askQuit())
        return false;
    Registry::Key key;
    if (key.open(Registry::RootKey::CurrentUser, Registry::kOptionsKey, true)) {
        if (!key.writeInteger("LastTevaka", CurrentTVK()) || !key.writeInteger("LastSutta", CurrentTVC())) {
            key.writeInteger("LastTevaka", 1);
            key.writeInteger("LastSutta", 1);
        }
    }
    return true;
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (m_exiting || FormClose()) {
        event->accept();
        m_exiting = true;
        QApplication::quit();
    } else {
        event->ignore();
    }
}

void TfrmMain::acExitExecute()
{
    if (!askQuit())
        return;
    // Leaves at once: the last position is not stored on this path.
    m_exiting = true;
    QApplication::quit();
}

void TfrmMain::acHelpExecute()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(vAppPath + "UserGuide.pdf"));
}

void TfrmMain::acUpdateInfoExecute()
{
    QDesktopServices::openUrl(QUrl(ProgramWebPage()));
}

void TfrmMain::tiMainTrayClick()
{
    if (isHidden())
        show();
    else if (isMinimized()) {
        showMaximized();
        activateWindow();
        raise();
    }
}

void TfrmMain::BringToFront()
{
    if (isMinimized() || isHidden())
        showMaximized();
    activateWindow();
    raise();
}

void TfrmMain::ApplyOptions()
{
    SuttaTree->RefreshContent();
}

// look:
static QString skinFile() { return vAppPath + "AllSkins.skinres"; }

void TfrmMain::BuildSkinList()
{
    // Without a skin file the list stays empty and the platform look stays.
    {
        const QSignalBlocker quiet(bcbInterface);
        bcbInterface->clear();
        bcbInterface->addItems(SkinNames(skinFile()));
        bcbInterface->setCurrentIndex(-1);
    }
    connect(bcbInterface, &QComboBox::currentIndexChanged, this, &TfrmMain::bcbInterfaceChange);
    if (frmTevakaDM)
        frmTevakaDM->ReadActiveStyle();
    else
        TSettingsRecord().ReadActiveStyle();
    if (InterfaceDM)
        InterfaceDM->SetSkinCaptionFont("Segoe UI", 10);
    // Position 0 (or one past the list) selects nothing, so nothing is applied.
    if (vGlobalActiveStyle >= 1 && vGlobalActiveStyle <= bcbInterface->count())
        bcbInterface->setCurrentIndex(vGlobalActiveStyle - 1);
}

void TfrmMain::bcbInterfaceChange()
{
    if (bcbInterface->currentIndex() < 0)
        return;
    const QString name = bcbInterface->currentText();
    if (InterfaceDM && InterfaceDM->LoadUserSkin(skinFile(), name))
        InterfaceDM->ApplyUserSkin();
    ApplyWindowFonts(this);
    vGlobalActiveStyle = bcbInterface->currentIndex() + 1;
    vGlobalActiveName = name;
    TSettingsRecord().WirteActiveStyle();
}

void TfrmMain::BuildLanguageList()
{
    TLanguageManager &languages = LangManager();
    languages.SetDefaultLanguageID(1066);
    languages.ScanForLangFiles(vAppPath, "*.lng");
    {
        const QSignalBlocker quiet(bcbLanguage);
        bcbLanguage->clear();
        for (int i = 0; i < languages.LanguageCount(); ++i)
            bcbLanguage->addItem(languages.LanguageNames(i));
        bcbLanguage->setCurrentIndex(-1);
    }
    lcMain = new TLanguageController(this);
    connect(bcbLanguage, &QComboBox::currentIndexChanged, acChangeLang, &QAction::trigger);
    if (vInterfaceLang == 0 || (vInterfaceLang == 1 && bcbLanguage->count() > 1))
        bcbLanguage->setCurrentIndex(vInterfaceLang);
}

void TfrmMain::acChangeLangExecute()
{
    const int position = qMax(0, bcbLanguage->currentIndex());
    LangManager().SetLanguageID(LangManager().LanguageIDs(position));
    vInterfaceLang = position;
    // The Pali-name column is left as it is.
    if (position == 0 || position == 1) {
        dbtSutas->setColumnHidden(TSuttaTreeModel::colNAME_TVC_VIE, position != 0);
        dbtSutas->setColumnHidden(TSuttaTreeModel::colNAME_TVC_ENG, position != 1);
    }
    WriteOptionInteger("InterfaceLang", position, 0);
}

void TfrmMain::acOptionExecute()
{
    TfrmOptions dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        ApplyOptions();
}

void TfrmMain::acAboutExecute()
{
    TfrmGioithieu dialog(this);
    dialog.exec();
}
