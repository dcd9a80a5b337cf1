#pragma once
#include <QObject>

class TfrmMain;
class THtmlView;
class QPoint;
class QUrl;

// The sutta view of the main window and the commands above it: the page
// composed from the content dataset, content language with a scroll position
// per language, margin level, zoom, find, copy, print and save, the view's
// context menu, the highlight of a search phrase, and the other-translation
// command.
class TReaderCommands : public QObject
{
    Q_OBJECT
public:
    explicit TReaderCommands(TfrmMain *main);

    // Composes the page of the content dataset's row in language aLang and loads it.
    void ViewSutta(int aLang);
    void SetContentLanguage(int aLang);
    // The language buttons: remember where the reader is, then switch.
    void LanguageButtonClick(int aLang);
    void SetMarginWidth(int level);
    void acZoomInExecute();
    void acZoomOutExecute();
    void acCopyUpdate();
    void acOtherTranslateUpdate();
    void acOtherTranslateExecute();

signals:
    // ebContent finished loading a page (after the highlight or scroll restore).
    void pageComplete(bool ok);

private:
    void dsTevakaSutasDataChange();
    void ebContentDocumentComplete(bool ok);
    void ebContentBeforeNavigate2(const QUrl &url, bool &cancel);
    void ebContentShowContextMenu(const QPoint &globalPos);
    void SetZoom(int percent);
    int *ScrollField(int lang);

    TfrmMain *m;
    THtmlView *view;
};
