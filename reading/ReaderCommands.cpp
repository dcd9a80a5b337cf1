#include "reading/ReaderCommands.h"
#include "app/Main.h"
#include "common/HtmlView.h"
#include "common/ViewHelpers.h"
#include "data/dmTevaka.h"
#include "reading/ContentDataset.h"
#include "reading/OtherTranslation.h"
#include "reading/SuttaPage.h"
#include "reading/SuttaTree.h"
#include "reading/SuttaTreeModel.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

// The settings record, or its defaults when the content module is absent.
TSettingsRecord &settings()
{
    static TSettingsRecord defaults;
    return frmTevakaDM ? static_cast<TSettingsRecord &>(*frmTevakaDM) : defaults;
}

} // namespace

TReaderCommands::TReaderCommands(TfrmMain *main) : QObject(main), m(main)
{
    setObjectName("ReaderCommands");
    view = new THtmlView(m->pnlView);
    view->setObjectName("ebContent");
    m->layView->addWidget(view);
    m->ebContent = view;

    connect(view, &THtmlView::documentComplete, this, &TReaderCommands::ebContentDocumentComplete);
    connect(view, &THtmlView::contextMenuRequested, this, &TReaderCommands::ebContentShowContextMenu);
    connect(m->SuttaTree, &TSuttaTree::contentChanged, this, &TReaderCommands::dsTevakaSutasDataChange);

    connect(m->acFindDialog, &QAction::triggered, view, &THtmlView::showFindBar);
    connect(m->acCopy, &QAction::triggered, view, &THtmlView::copy);
    connect(m->acSelectAll, &QAction::triggered, view, &THtmlView::selectAll);
    connect(m->acPrint, &QAction::triggered, view, &THtmlView::print);
    connect(m->acPrintPreview, &QAction::triggered, view, &THtmlView::printPreview);
    connect(m->acSave, &QAction::triggered, view, &THtmlView::saveAs);
    connect(m->acZoomIn, &QAction::triggered, this, &TReaderCommands::acZoomInExecute);
    connect(m->acZoomOut, &QAction::triggered, this, &TReaderCommands::acZoomOutExecute);
    QAction *margins[] = {m->acMarginWidth0, m->acMarginWidth1, m->acMarginWidth2, m->acMarginWidth3};
    for (int level = 0; level < 4; ++level)
        connect(margins[level], &QAction::triggered, this, [this, level] { SetMarginWidth(level); });
    // The main part of the margin button always sets level 0; the arrow opens ppMarginWidth.
    connect(m->btnMarginWidth, &QToolButton::clicked, m->acMarginWidth0, &QAction::trigger);
    connect(m->btnPali, &QToolButton::clicked, this, [this] { LanguageButtonClick(0); });
    connect(m->btnViet, &QToolButton::clicked, this, [this] { LanguageButtonClick(1); });
    connect(m->btnEng, &QToolButton::clicked, this, [this] { LanguageButtonClick(2); });
    connect(m->acOtherTranslate, &QAction::triggered, this, &TReaderCommands::acOtherTranslateExecute);
    connect(view->engineView(), &QWebEngineView::selectionChanged, this, &TReaderCommands::acCopyUpdate);
    for (QMenu *menu : {m->ppContent, m->ppTreeSutas})
        connect(menu, &QMenu::aboutToShow, this, [this] {
            acCopyUpdate();
            acOtherTranslateUpdate();
        });
    acCopyUpdate();
}

int *TReaderCommands::ScrollField(int lang)
{
    switch (lang) {
    case 0: return &m->vVScrollPosPALI;
    case 1: return &m->vVScrollPosVIE;
    case 2: return &m->vVScrollPosENG;
    default: return nullptr;
    }
}

void TReaderCommands::dsTevakaSutasDataChange()
{
    ViewSutta(settings().vLanguageSutta);
    acOtherTranslateUpdate();
}

void TReaderCommands::ViewSutta(int aLang)
{
    TSettingsRecord &s = settings();
    const QString bg = ColorToHTML(s.vBgColor);
    view->setHostStyleSheet(SuttaPage::HostStyleSheet(bg) + SuttaPage::SystemTextColorRule(s.vBgColor));
    const TContentDataset *content = m->qryTevakaSutas;
    const QByteArray text = content ? content->Content(aLang) : QByteArray();
    QString notice;
    if (text.isEmpty()) {
        // The notice speaks of the tree's row: a sutta without text, or a node.
        const int r = m->SuttaTree->CurrentRow();
        const TSuttaTreeModel *tree = m->qryTreeSutas;
        if (r >= 0)
            notice = SuttaPage::NoticeMessage(tree->row(r).idTvc, tree->row(r).nameVie, tree->row(r).nameEng,
                                              vInterfaceLang);
        else
            notice = SuttaPage::NoticeMessage(0, QString(), QString(), vInterfaceLang);
    }
    m->FIsStartPage = true;
    view->loadHtml(SuttaPage::ComposeSuttaPage(text, bg, vFontName, s.vMarginWidth, notice));
    m->FIsStartPage = false;
    m->vCurrentLangSutta = aLang;
}

void TReaderCommands::LanguageButtonClick(int aLang)
{
    if (m->vCurrentLangSutta != aLang) {
        if (int *field = ScrollField(m->vCurrentLangSutta))
            *field = view->scrollPosition();
    }
    SetContentLanguage(aLang);
}

void TReaderCommands::SetContentLanguage(int aLang)
{
    if (m->vIsInit)
        return;
    settings().vLanguageSutta = aLang;
    ViewSutta(aLang);
    WriteOptionInteger("LanguageSutta", aLang, 1);
    acOtherTranslateUpdate();
}

void TReaderCommands::SetMarginWidth(int level)
{
    WriteOptionInteger("MarginWidth", level, 2);
    settings().vMarginWidth = level;
    ViewSutta(settings().vLanguageSutta);
    m->btnMarginWidth->setText(QString::number(level));
}

void TReaderCommands::SetZoom(int percent)
{
    view->setZoomPercent(percent);
    WriteOptionInteger("ZoomPercent", view->zoomPercent());
}

void TReaderCommands::acZoomInExecute() { SetZoom(view->zoomPercent() + 10); }
void TReaderCommands::acZoomOutExecute() { SetZoom(view->zoomPercent() - 10); }

void TReaderCommands::ebContentDocumentComplete(bool ok)
{
    if (!m->vFindSuttaStr.isEmpty()) {
        view->highlightAll(m->vFindSuttaStr, ColorToHTML(settings().vHighlightColor));
        view->scrollToFirst(m->vFindSuttaStr);
    } else if (const int *field = ScrollField(m->vCurrentLangSutta); field && *field > 0) {
        view->setScrollPosition(*field);
    }
    emit pageComplete(ok);
}

void TReaderCommands::ebContentShowContextMenu(const QPoint &globalPos)
{
    // Ctrl with the right button is the dictionary lookup, not a menu.
    if (QApplication::keyboardModifiers() & Qt::ControlModifier)
        return;
    m->ppContent->popup(globalPos);
}

void TReaderCommands::acCopyUpdate()
{
    m->acCopy->setEnabled(!view->selectedText().isEmpty());
}

void TReaderCommands::acOtherTranslateUpdate()
{
    const int r = m->SuttaTree->CurrentRow();
    const bool on = r >= 0 && m->qryTreeSutas->row(r).hasOther == 1 && settings().vLanguageSutta == 1;
    m->acOtherTranslate->setEnabled(on);
    m->acOtherTranslate->setVisible(on);
}

void TReaderCommands::acOtherTranslateExecute()
{
    const int r = m->SuttaTree->CurrentRow();
    if (r < 0)
        return;
    const TSuttaTreeModel::Row &row = m->qryTreeSutas->row(r);
    const QByteArray text = m->qryTevakaSutas ? m->qryTevakaSutas->CONTENT_VIE_OTHER : QByteArray();
    TfrmOtherTranslation::Open(m, row.idTvc, row.nameVie, text);
}
