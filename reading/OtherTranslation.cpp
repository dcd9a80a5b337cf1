#include "reading/OtherTranslation.h"
#include "common/HtmlView.h"
#include "common/ViewHelpers.h"
#include "data/dmTevaka.h"
#include "reading/SuttaPage.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWebEngineView>

TfrmOtherTranslation::TfrmOtherTranslation(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    FormCreate();
}

QString TfrmOtherTranslation::WindowName(int idTvc)
{
    return QStringLiteral("frmOtherTranslation") + QString::number(idTvc);
}

TfrmOtherTranslation *TfrmOtherTranslation::Find(int idTvc)
{
    const QString name = WindowName(idTvc);
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<TfrmOtherTranslation *>(w); f && f->objectName() == name)
            return f;
    return nullptr;
}

TfrmOtherTranslation *TfrmOtherTranslation::Open(QWidget *owner, int idTvc, const QString &nameVie,
                                                 const QByteArray &content)
{
    if (TfrmOtherTranslation *open = Find(idTvc)) {
        // Found: only a minimised window comes back; it is not raised.
        if (open->isMinimized())
            open->showNormal();
        return open;
    }
    auto *f = new TfrmOtherTranslation(owner);
    f->setObjectName(WindowName(idTvc));
    f->setWindowTitle(nameVie.trimmed() + QString::fromUtf8(" - Bản dịch khác..."));
    f->vOtherContent = content;
    f->show();
    return f;
}

void TfrmOtherTranslation::FormCreate()
{
    FIsStartPage = true;
    setWindowTitle(QString::fromUtf8("Bản dịch khác..."));
    setFont(QFont("Segoe UI", 10));
    resize(834, 602);
    if (const QScreen *screen = QApplication::primaryScreen()) {
        QRect r(QPoint(), size());
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }

    auto action = [this](const char *name, const QString &caption, QStyle::StandardPixmap icon) {
        auto *a = new QAction(style()->standardIcon(icon), caption, this);
        a->setObjectName(QString::fromLatin1(name));
        addAction(a);
        return a;
    };
    acFindDialog = action("acFindDialog", QString::fromUtf8("Tìm..."), QStyle::SP_FileDialogContentsView);
    acFindDialog->setShortcut(QKeySequence("Ctrl+F"));
    acCopy = action("acCopy", "Copy", QStyle::SP_FileDialogDetailedView);
    acCopy->setShortcut(QKeySequence("Ctrl+C"));
    acSelectAll = action("acSelectAll", "Select All", QStyle::SP_FileDialogListView);
    acSelectAll->setShortcut(QKeySequence("Ctrl+A"));
    acPrint = action("acPrint", "In...", QStyle::SP_DriveFDIcon);
    acPrintPreview = action("acPrintPreview", QString::fromUtf8("Xem trước khi in"), QStyle::SP_FileDialogInfoView);
    acSave = action("acSave", QString::fromUtf8("Lưu..."), QStyle::SP_DialogSaveButton);
    acZoomIn = action("acZoomIn", QString::fromUtf8("Phóng to"), QStyle::SP_ArrowUp);
    acZoomOut = action("acZoomOut", QString::fromUtf8("Thu nhỏ"), QStyle::SP_ArrowDown);
    for (QAction *a : {acFindDialog, acCopy, acSelectAll})
        a->setShortcutContext(Qt::WindowShortcut);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    barOther = new QToolBar(this);
    barOther->setObjectName("barOther");
    barOther->addAction(acFindDialog);
    barOther->addSeparator();
    barOther->addActions({acCopy, acSelectAll});
    barOther->addSeparator();
    barOther->addActions({acPrint, acPrintPreview, acSave});
    barOther->addSeparator();
    barOther->addActions({acZoomIn, acZoomOut});
    layout->addWidget(barOther);
    ebOtherContent = new THtmlView(this);
    ebOtherContent->setObjectName("ebOtherContent");
    layout->addWidget(ebOtherContent, 1);

    ppOtherContent = new QMenu(this);
    ppOtherContent->setObjectName("ppOtherContent");
    ppOtherContent->addAction(acFindDialog);
    ppOtherContent->addSeparator();
    ppOtherContent->addActions({acCopy, acSelectAll});
    ppOtherContent->addSeparator();
    ppOtherContent->addActions({acPrint, acPrintPreview, acSave, acZoomIn, acZoomOut});

    connect(acFindDialog, &QAction::triggered, ebOtherContent, &THtmlView::showFindBar);
    connect(acCopy, &QAction::triggered, ebOtherContent, &THtmlView::copy);
    connect(acSelectAll, &QAction::triggered, ebOtherContent, &THtmlView::selectAll);
    connect(acPrint, &QAction::triggered, ebOtherContent, &THtmlView::print);
    connect(acPrintPreview, &QAction::triggered, ebOtherContent, &THtmlView::printPreview);
    connect(acSave, &QAction::triggered, ebOtherContent, &THtmlView::saveAs);
    // Its own zoom: nothing is stored.
    connect(acZoomIn, &QAction::triggered, this,
            [this] { ebOtherContent->setZoomPercent(ebOtherContent->zoomPercent() + 10); });
    connect(acZoomOut, &QAction::triggered, this,
            [this] { ebOtherContent->setZoomPercent(ebOtherContent->zoomPercent() - 10); });
    auto copyUpdate = [this] { acCopy->setEnabled(!ebOtherContent->selectedText().isEmpty()); };
    connect(ebOtherContent->engineView(), &QWebEngineView::selectionChanged, this, copyUpdate);
    connect(ppOtherContent, &QMenu::aboutToShow, this, copyUpdate);
    connect(ebOtherContent, &THtmlView::contextMenuRequested, this,
            [this](const QPoint &globalPos) { ppOtherContent->popup(globalPos); });
    copyUpdate();
}

void TfrmOtherTranslation::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        LoadOtherContent();
    }
}

void TfrmOtherTranslation::LoadOtherContent()
{
    if (vOtherContent.trimmed().isEmpty())
        return;
    static const TSettingsRecord defaults;
    const TSettingsRecord &s = frmTevakaDM ? *frmTevakaDM : defaults;
    ebOtherContent->setHostStyleSheet(SuttaPage::HostStyleSheet(ColorToHTML(s.vBgColor))
                                      + SuttaPage::SystemTextColorRule(s.vBgColor));
    ebOtherContent->loadHtml(SuttaPage::ComposeOtherPage(vOtherContent, vFontName, s.vMarginWidth));
    FIsStartPage = false;
}
