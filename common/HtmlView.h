#pragma once
#include <QByteArray>
#include <QWidget>
#include <functional>
#include <memory>

class QPrinter;
class QWebEngineView;
class TFindBar;
class THtmlPage;

// The one HTML view of the program (ebContent, the dictionary, passage, About
// and Dhammapada views): the stand-in for the embedded browser of the
// platform interfaces, built on Qt WebEngine.
//
// Before the QApplication exists, main() (and every test main) must call
// THtmlView::RegisterScheme().
//
// Pages are handed over as UTF-8 bytes and never run their own scripts; the
// view's helpers (highlight, scroll, selection markup, word at a point) run in
// an isolated script world. Nothing is loaded from the network. A clicked link
// to a web address (scheme http or https; also one that asks for a new window)
// is cancelled and handed to QDesktopServices::openUrl; every other navigation
// asked by the page first raises beforeNavigate. Refresh is refused, the
// engine's own context menu never shows (contextMenuRequested instead).
//
// Operations that need the page's document run asynchronously; their results
// come through callbacks, which are not called when the view is destroyed first.
class THtmlView : public QWidget
{
    Q_OBJECT
public:
    // The zoom range the engine supports; setZoomPercent clamps to it.
    static constexpr int MinZoomPercent = 25;
    static constexpr int MaxZoomPercent = 500;

    // Registers the page scheme and sets Qt::AA_ShareOpenGLContexts. Call
    // once before constructing QApplication.
    static void RegisterScheme();

    explicit THtmlView(QWidget *parent = nullptr);
    ~THtmlView() override;

    // --- Loading
    // The style sheet applied beneath the page's own rules of every page
    // loaded from now on (a cascade layer: any rule of the page wins).
    void setHostStyleSheet(const QString &css);
    QString hostStyleSheet() const;
    // Loads a page given as UTF-8 bytes (any size). Ends with documentComplete;
    // raises no beforeNavigate. A page replaced before it finished reports nothing.
    void loadHtml(const QByteArray &utf8Html);
    // The bytes last handed to loadHtml.
    QByteArray html() const;

    // --- Selection
    QString selectedText() const; // synchronous
    // The selection as HTML markup ("" when nothing is selected).
    void selectionHtml(std::function<void(const QString &)> done) const;
    // Puts the selection on the clipboard as text and markup (works without focus).
    void copy();
    // Selects the whole body of the page.
    void selectAll();

    // --- Find
    // Opens the find bar (next/previous, letter case ignored) with the
    // selected text, if any. Ctrl+F belongs to the owner's command.
    void showFindBar();
    TFindBar *findBar() const { return m_findBar; }

    // --- Print and save
    // Print with the print dialog. Printing to a PDF file goes through the
    // vector PDF export; a printer gets the engine's print path.
    void print();
    // The print preview dialog.
    void printPreview();
    // The save-as dialog: an HTML page (the bytes of the page) or a PDF document.
    void saveAs();
    bool saveHtml(const QString &path) const;
    // Vector PDF export (A4 portrait, 15 mm margins).
    void savePdf(const QString &path, std::function<void(bool ok)> done = {});

    // --- Zoom, in percent (100 = normal size)
    int zoomPercent() const;
    // Clamped to MinZoomPercent..MaxZoomPercent; kept across page loads.
    void setZoomPercent(int percent);

    // --- Vertical scroll position, in CSS pixels of the page (independent of zoom)
    // -1 when no page has been loaded successfully.
    int scrollPosition() const;
    // Scrolls to horizontal 0 and vertical y.
    void setScrollPosition(int y);

    // --- Phrases
    // Marks every occurrence of phrase with the background colour htmlColour
    // ("#rrggbb"); the text colour stays, the view does not scroll. Letter case
    // is ignored, the phrase is found inside words and across element
    // boundaries (not across block boundaries); blanks in the phrase match
    // any white space. done gets the number of occurrences (0 on failure).
    void highlightAll(const QString &phrase, const QString &htmlColour,
                      std::function<void(int occurrences)> done = {});
    // Scrolls the first occurrence of phrase (same matching) to the top of the
    // view; done gets whether it was found.
    void scrollToFirst(const QString &phrase, std::function<void(bool found)> done = {});

    // --- Word at a point given in view coordinates ("" when the point is not
    // on a word). A word is a run of letters, marks and digits.
    void wordAt(const QPoint &viewPos, std::function<void(const QString &word)> done) const;

    // The engine objects, for what the operations above do not cover.
    QWebEngineView *engineView() const { return m_view; }
    THtmlPage *page() const { return m_page; }

signals:
    void documentComplete(bool ok);
    // A navigation asked by the page; set cancel to refuse it (connect directly).
    void beforeNavigate(const QUrl &url, bool &cancel);
    // The reader asked for a context menu at this screen position.
    void contextMenuRequested(const QPoint &globalPos);

private:
    // Runs function fn of the helper script library with args (a JSON array
    // text) in the isolated world.
    void runHelper(const char *fn, const QByteArray &jsonArgs,
                   std::function<void(const QVariant &)> done) const;

    QWebEngineView *m_view;
    THtmlPage *m_page;
    TFindBar *m_findBar;
    std::unique_ptr<QPrinter> m_printer; // alive while the engine prints
    bool m_printing = false;
    std::shared_ptr<bool> m_alive;
};
