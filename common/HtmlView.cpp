#include "common/HtmlView.h"

#include "common/FindBar.h"
#include "common/HtmlPage.h"
#include "common/PageSchemeHandler.h"
#include "settings/SettingsRecord.h"

#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <algorithm>

namespace {

QString tx(const char *vi, const char *en)
{
    return vInterfaceLang == 1 ? QString::fromUtf8(en) : QString::fromUtf8(vi);
}

QByteArray jsonArgs(const QJsonArray &args)
{
    return QJsonDocument(args).toJson(QJsonDocument::Compact);
}

// The view's helpers, run with runJavaScript in the ApplicationWorld (page
// scripts are off; this world shares the document, not the page's globals).
const char *const kHelpers = R"JS(
var T = {};
T.BLOCK = /^(ADDRESS|ARTICLE|ASIDE|BLOCKQUOTE|BODY|CAPTION|CENTER|DD|DETAILS|DIALOG|DIR|DIV|DL|DT|FIELDSET|FIGCAPTION|FIGURE|FOOTER|FORM|H[1-6]|HEADER|HR|LI|MAIN|MENU|NAV|OL|P|PRE|SECTION|SUMMARY|TABLE|TBODY|TD|TFOOT|TH|THEAD|TR|UL)$/;
T.SKIP = /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA|SELECT|TEMPLATE|TITLE|HEAD)$/;
T.WORD = /[\p{L}\p{M}\p{N}]/u;
T.blockOf = function (n) {
  var e = n.parentNode;
  while (e && e.nodeType === 1 && !T.BLOCK.test(e.nodeName.toUpperCase())) e = e.parentNode;
  return e;
};
/* The text of the body as one string with the text node of each position;
   a line feed stands between blocks and for <br>. */
T.collect = function () {
  var body = document.body;
  if (!body) return null;
  var nodes = [], starts = [], parts = [], pos = 0, last = null, br = false;
  var w = document.createTreeWalker(body, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT, {
    acceptNode: function (n) {
      if (n.nodeType === 3) return NodeFilter.FILTER_ACCEPT;
      var name = n.nodeName.toUpperCase();
      if (T.SKIP.test(name)) return NodeFilter.FILTER_REJECT;
      return name === 'BR' ? NodeFilter.FILTER_ACCEPT : NodeFilter.FILTER_SKIP;
    }
  });
  for (var n = w.nextNode(); n; n = w.nextNode()) {
    if (n.nodeType === 1) { br = true; continue; }
    var b = T.blockOf(n);
    if (nodes.length && (br || b !== last)) { parts.push('\n'); pos += 1; }
    br = false; last = b;
    nodes.push(n); starts.push(pos); parts.push(n.data); pos += n.data.length;
  }
  return { text: parts.join(''), nodes: nodes, starts: starts };
};
/* Letter case ignored; blanks of the phrase match any white space. */
T.pattern = function (phrase) {
  var words = String(phrase).split(/\s+/).filter(function (s) { return s.length > 0; });
  if (!words.length) return null;
  return new RegExp(words.map(function (s) {
    return s.replace(/[\\^$.*+?()[\]{}|\/]/g, '\\$&');
  }).join('\\s+'), 'giu');
};
T.matches = function (c, re, max) {
  var out = [], m;
  re.lastIndex = 0;
  while ((m = re.exec(c.text)) !== null) {
    if (!m[0].length) { re.lastIndex++; continue; }
    out.push([m.index, m.index + m[0].length]);
    if (max && out.length >= max) break;
  }
  return out;
};
T.nodeAt = function (starts, i) {
  var lo = 0, hi = starts.length - 1;
  while (lo < hi) { var mid = (lo + hi + 1) >> 1; if (starts[mid] <= i) lo = mid; else hi = mid - 1; }
  return lo;
};
/* [node, from, to] pieces of the text range [s, e). */
T.pieces = function (c, s, e, out) {
  for (var k = T.nodeAt(c.starts, s); k < c.nodes.length && c.starts[k] < e; k++) {
    var st = c.starts[k], len = c.nodes[k].data.length;
    var a = Math.max(s, st) - st, b = Math.min(e, st + len) - st;
    if (b > a) out.push([c.nodes[k], a, b]);
  }
  return out;
};
T.highlightAll = function (phrase, colour) {
  var re = T.pattern(phrase), c = T.collect();
  if (!re || !c) return 0;
  var ms = T.matches(c, re, 0), ps = [];
  for (var i = 0; i < ms.length; i++) T.pieces(c, ms[i][0], ms[i][1], ps);
  /* Last piece first: splitting a text node keeps the offsets before it. */
  for (var j = ps.length - 1; j >= 0; j--) {
    var r = document.createRange();
    r.setStart(ps[j][0], ps[j][1]); r.setEnd(ps[j][0], ps[j][2]);
    var span = document.createElement('span');
    span.setAttribute('data-tevaka-highlight', '');
    span.style.backgroundColor = colour;
    r.surroundContents(span);
  }
  return ms.length;
};
T.scrollToFirst = function (phrase) {
  var re = T.pattern(phrase), c = T.collect();
  if (!re || !c) return false;
  var ms = T.matches(c, re, 1);
  if (!ms.length) return false;
  var ps = T.pieces(c, ms[0][0], ms[0][1], []);
  if (!ps.length) return false;
  var r = document.createRange(), l = ps[ps.length - 1];
  r.setStart(ps[0][0], ps[0][1]); r.setEnd(l[0], l[2]);
  var rect = r.getBoundingClientRect();
  if (!rect || (rect.width === 0 && rect.height === 0)) {
    var el = ps[0][0].parentElement;
    if (!el) return false;
    rect = el.getBoundingClientRect();
  }
  window.scrollTo(window.scrollX, window.scrollY + rect.top);
  return true;
};
T.wordAt = function (x, y) {
  var r = document.caretRangeFromPoint(x, y);
  if (!r || r.startContainer.nodeType !== 3) return '';
  var n = r.startContainer, s = n.data, a = r.startOffset, b = a;
  while (a > 0 && T.WORD.test(s.charAt(a - 1))) a--;
  while (b < s.length && T.WORD.test(s.charAt(b))) b++;
  if (a === b) return '';
  var w = document.createRange();
  w.setStart(n, a); w.setEnd(n, b);
  var rs = w.getClientRects();
  for (var i = 0; i < rs.length; i++) {
    var q = rs[i];
    if (x >= q.left && x <= q.right && y >= q.top && y <= q.bottom) return s.substring(a, b);
  }
  return '';
};
T.selectionHtml = function () {
  var s = window.getSelection();
  if (!s || !s.rangeCount) return '';
  var d = document.createElement('div');
  for (var i = 0; i < s.rangeCount; i++) d.appendChild(s.getRangeAt(i).cloneContents());
  return d.innerHTML;
};
T.selectAll = function () {
  if (!document.body) return false;
  var s = window.getSelection(), r = document.createRange();
  r.selectNodeContents(document.body);
  s.removeAllRanges(); s.addRange(r);
  return true;
};
T.scrollTo = function (y) { window.scrollTo(0, y); return true; };
)JS";

} // namespace

void THtmlView::RegisterScheme()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    TPageSchemeHandler::registerScheme();
}

THtmlView::THtmlView(QWidget *parent)
    : QWidget(parent), m_alive(std::make_shared<bool>(true))
{
    m_view = new QWebEngineView(this);
    m_page = new THtmlPage(m_view);
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_findBar = new TFindBar(m_page, this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_findBar);
    setFocusProxy(m_view);

    connect(m_page, &THtmlPage::documentComplete, this, &THtmlView::documentComplete);
    connect(m_page, &THtmlPage::beforeNavigate, this, &THtmlView::beforeNavigate);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { emit contextMenuRequested(m_view->mapToGlobal(pos)); });
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool) {
        m_printing = false;
        // The engine is done with the printer once it reports the end.
        QMetaObject::invokeMethod(this, [this] { if (!m_printing) m_printer.reset(); }, Qt::QueuedConnection);
    });
}

THtmlView::~THtmlView()
{
    *m_alive = false;
}

void THtmlView::setHostStyleSheet(const QString &css) { m_page->setHostStyleSheet(css); }
QString THtmlView::hostStyleSheet() const { return m_page->hostStyleSheet(); }
void THtmlView::loadHtml(const QByteArray &utf8Html) { m_page->loadHtml(utf8Html); }
QByteArray THtmlView::html() const { return m_page->html(); }

void THtmlView::runHelper(const char *fn, const QByteArray &args,
                          std::function<void(const QVariant &)> done) const
{
    const QString script = QString::fromUtf8(kHelpers) + QStringLiteral("\nT.") + QString::fromLatin1(fn)
                           + QStringLiteral(".apply(null, ") + QString::fromUtf8(args) + QStringLiteral(");");
    std::weak_ptr<bool> alive = m_alive;
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [alive, done](const QVariant &result) {
                              const auto a = alive.lock();
                              if (a && *a && done)
                                  done(result);
                          });
}

QString THtmlView::selectedText() const { return m_view->selectedText(); }

void THtmlView::selectionHtml(std::function<void(const QString &)> done) const
{
    runHelper("selectionHtml", "[]", [done](const QVariant &v) {
        if (done)
            done(v.toString());
    });
}

void THtmlView::copy()
{
    const QString text = m_view->selectedText();
    if (text.isEmpty())
        return;
    selectionHtml([text](const QString &markup) {
        auto *mime = new QMimeData;
        mime->setText(text);
        if (!markup.isEmpty())
            mime->setHtml(markup);
        QGuiApplication::clipboard()->setMimeData(mime);
    });
}

void THtmlView::selectAll() { runHelper("selectAll", "[]", {}); }

void THtmlView::showFindBar()
{
    const QString sel = m_view->selectedText().simplified();
    m_findBar->open(sel.size() <= 100 ? sel : QString());
}

void THtmlView::print()
{
    if (m_printing)
        return;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), this);
    dialog.setWindowTitle(tx("In", "Print"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
        m_page->printToPdf(printer->outputFileName(), printer->pageLayout()); // vector
        return;
    }
    m_printer = std::move(printer);
    m_printing = true;
    m_view->print(m_printer.get());
}

void THtmlView::printPreview()
{
    if (m_printing)
        return;
    QPrintPreviewDialog dialog(this);
    dialog.setWindowTitle(tx("Xem trước khi in", "Print preview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *printer) {
        // The engine prints asynchronously; the preview wants the pages now.
        QEventLoop loop;
        QMetaObject::Connection c = connect(m_view, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
        m_printing = true;
        m_view->print(printer);
        QTimer::singleShot(120000, &loop, &QEventLoop::quit); // never wait forever
        loop.exec();
        disconnect(c);
        m_printing = false;
    });
    dialog.exec();
}

void THtmlView::saveAs()
{
    const QString htmlFilter = tx("Trang HTML (*.html *.htm)", "HTML page (*.html *.htm)");
    const QString pdfFilter = tx("Tài liệu PDF (*.pdf)", "PDF document (*.pdf)");
    QString title = m_page->title();
    if (title.isEmpty() || title.startsWith(QLatin1String(TPageSchemeHandler::SchemeName)))
        title = QStringLiteral("Tevaka");
    title.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    QString filter = htmlFilter;
    const QString path = QFileDialog::getSaveFileName(this, tx("Lưu thành tập tin", "Save as"),
                                                      title + QStringLiteral(".html"),
                                                      htmlFilter + QStringLiteral(";;") + pdfFilter, &filter);
    if (path.isEmpty())
        return;
    const bool pdf = QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0
                     || (filter == pdfFilter && QFileInfo(path).suffix().isEmpty());
    if (pdf)
        savePdf(QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".pdf") : path);
    else
        saveHtml(path);
}

bool THtmlView::saveHtml(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = m_page->html();
    return file.write(bytes) == bytes.size() && file.flush();
}

void THtmlView::savePdf(const QString &path, std::function<void(bool)> done)
{
    auto conn = std::make_shared<QMetaObject::Connection>();
    *conn = connect(m_page, &QWebEnginePage::pdfPrintingFinished, this,
                    [conn, path, done](const QString &file, bool ok) {
                        if (file != path)
                            return;
                        QObject::disconnect(*conn);
                        if (done)
                            done(ok);
                    });
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                             QPageLayout::Millimeter);
    m_page->printToPdf(path, layout);
}

int THtmlView::zoomPercent() const { return qRound(m_view->zoomFactor() * 100.0); }

void THtmlView::setZoomPercent(int percent)
{
    m_view->setZoomFactor(std::clamp(percent, MinZoomPercent, MaxZoomPercent) / 100.0);
}

int THtmlView::scrollPosition() const
{
    if (!m_page->hasDocument())
        return -1;
    const qreal zoom = m_page->zoomFactor();
    // The engine reports device-independent pixels of the zoomed page.
    return qRound(m_page->scrollPosition().y() / (zoom > 0 ? zoom : 1.0));
}

void THtmlView::setScrollPosition(int y)
{
    runHelper("scrollTo", jsonArgs({qMax(0, y)}), {});
}

void THtmlView::highlightAll(const QString &phrase, const QString &htmlColour, std::function<void(int)> done)
{
    const QColor colour(htmlColour);
    if (phrase.trimmed().isEmpty() || !colour.isValid()) {
        if (done)
            done(0);
        return;
    }
    runHelper("highlightAll", jsonArgs({phrase, colour.name()}), [done](const QVariant &v) {
        if (done)
            done(v.toInt());
    });
}

void THtmlView::scrollToFirst(const QString &phrase, std::function<void(bool)> done)
{
    if (phrase.trimmed().isEmpty()) {
        if (done)
            done(false);
        return;
    }
    runHelper("scrollToFirst", jsonArgs({phrase}), [done](const QVariant &v) {
        if (done)
            done(v.toBool());
    });
}

void THtmlView::wordAt(const QPoint &viewPos, std::function<void(const QString &)> done) const
{
    const qreal zoom = m_view->zoomFactor() > 0 ? m_view->zoomFactor() : 1.0;
    runHelper("wordAt", jsonArgs({viewPos.x() / zoom, viewPos.y() / zoom}), [done](const QVariant &v) {
        if (done)
            done(v.toString());
    });
}
