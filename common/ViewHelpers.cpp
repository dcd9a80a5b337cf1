#include "common/ViewHelpers.h"

#include "common/HtmlPage.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPalette>
#include <QTimer>
#include <QWebEngineScript>

QString HTMLStripTags(const QString &html)
{
    QString result;
    result.reserve(html.size());
    bool inTag = false;
    const qsizetype n = html.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = html.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            continue;
        if (c == QLatin1Char('<')) {
            inTag = true;
            continue;
        }
        if (c == QLatin1Char('>')) {
            inTag = false;
            continue;
        }
        if (inTag)
            continue;
        if ((c == QLatin1Char('\t') || c == QLatin1Char(' ')) && i + 1 < n) {
            const QChar next = html.at(i + 1);
            if (next == QLatin1Char('\t') || next == QLatin1Char('\n') || next == QLatin1Char('\r')
                || next == QLatin1Char(' ') || next == QLatin1Char('<'))
                continue;
        }
        result.append(c);
    }
    result.replace(QLatin1String("&quot;"), QLatin1String("\""));
    result.replace(QLatin1String("&apos;"), QLatin1String("'"));
    result.replace(QLatin1String("&gt;"), QLatin1String(">"));
    result.replace(QLatin1String("&lt;"), QLatin1String("<"));
    result.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return result;
}

void HTMLBodyText(const QString &html, std::function<void(const QString &)> done)
{
    // A page with no view is never shown; it is freed in every case.
    auto *page = new THtmlPage;
    auto finished = std::make_shared<bool>(false);
    auto finish = [page, finished, done](const QString &text) {
        if (*finished)
            return;
        *finished = true;
        page->deleteLater();
        if (done)
            done(text);
    };
    QObject::connect(page, &THtmlPage::documentComplete, page, [page, finish](bool ok) {
        if (!ok) {
            finish(QString());
            return;
        }
        page->runJavaScript(QStringLiteral("document.body ? document.body.innerText : null"),
                            QWebEngineScript::ApplicationWorld,
                            [finish](const QVariant &v) { finish(v.isNull() ? QString() : v.toString()); });
    });
    // A document that never completes gives the empty result.
    QTimer::singleShot(30000, page, [finish] { finish(QString()); });
    page->loadHtml(html.toUtf8());
}

namespace {

// The Windows system colour indexes (GetSysColor) and the palette roles that
// stand for them.
QColor SystemColour(quint32 index)
{
    const QPalette pal = qGuiApp ? QGuiApplication::palette() : QPalette();
    switch (index) {
    case 0:  return pal.color(QPalette::Button);          // COLOR_SCROLLBAR
    case 1:  return pal.color(QPalette::Dark);            // COLOR_BACKGROUND (desktop)
    case 2:  return pal.color(QPalette::Active, QPalette::Highlight);   // COLOR_ACTIVECAPTION
    case 3:  return pal.color(QPalette::Inactive, QPalette::Highlight); // COLOR_INACTIVECAPTION
    case 4:  return pal.color(QPalette::Window);          // COLOR_MENU
    case 5:  return pal.color(QPalette::Base);            // COLOR_WINDOW (document background)
    case 6:  return pal.color(QPalette::Shadow);          // COLOR_WINDOWFRAME
    case 7:  return pal.color(QPalette::WindowText);      // COLOR_MENUTEXT
    case 8:  return pal.color(QPalette::Text);            // COLOR_WINDOWTEXT
    case 9:  return pal.color(QPalette::Active, QPalette::HighlightedText);   // COLOR_CAPTIONTEXT
    case 10: return pal.color(QPalette::Window);          // COLOR_ACTIVEBORDER
    case 11: return pal.color(QPalette::Window);          // COLOR_INACTIVEBORDER
    case 12: return pal.color(QPalette::Dark);            // COLOR_APPWORKSPACE
    case 13: return pal.color(QPalette::Highlight);       // COLOR_HIGHLIGHT
    case 14: return pal.color(QPalette::HighlightedText); // COLOR_HIGHLIGHTTEXT
    case 15: return pal.color(QPalette::Button);          // COLOR_BTNFACE
    case 16: return pal.color(QPalette::Dark);            // COLOR_BTNSHADOW
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);             // COLOR_GRAYTEXT
    case 18: return pal.color(QPalette::ButtonText);      // COLOR_BTNTEXT
    case 19: return pal.color(QPalette::Inactive, QPalette::HighlightedText); // COLOR_INACTIVECAPTIONTEXT
    case 20: return pal.color(QPalette::Light);           // COLOR_BTNHIGHLIGHT
    case 21: return pal.color(QPalette::Shadow);          // COLOR_3DDKSHADOW
    case 22: return pal.color(QPalette::Midlight);        // COLOR_3DLIGHT
    case 23: return pal.color(QPalette::ToolTipText);     // COLOR_INFOTEXT
    case 24: return pal.color(QPalette::ToolTipBase);     // COLOR_INFOBK
    case 26: return pal.color(QPalette::Link);            // COLOR_HOTLIGHT
    case 27: return pal.color(QPalette::Active, QPalette::Highlight);   // COLOR_GRADIENTACTIVECAPTION
    case 28: return pal.color(QPalette::Inactive, QPalette::Highlight); // COLOR_GRADIENTINACTIVECAPTION
    case 29: return pal.color(QPalette::Highlight);       // COLOR_MENUHILIGHT
    case 30: return pal.color(QPalette::Window);          // COLOR_MENUBAR
    default: return QColor(0, 0, 0);                      // GetSysColor gives 0 for others
    }
}

} // namespace

QString ColorToHTML(quint32 colour)
{
    quint32 rgb = colour; // 0x00BBGGRR
    if ((colour >> 24) == 0xFF) {
        const QColor c = SystemColour(colour & 0xFF);
        rgb = quint32(c.red()) | (quint32(c.green()) << 8) | (quint32(c.blue()) << 16);
    }
    return QString::asprintf("#%.2x%.2x%.2x", rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

bool ConfirmDeleteRecord()
{
    QMessageBox box(QMessageBox::Question, QString::fromUtf8("Thông báo"),
                    QString::fromUtf8("Đồng ý xóa dữ liệu đang chọn?"),
                    QMessageBox::Yes | QMessageBox::No, nullptr);
    return box.exec() == QMessageBox::Yes;
}
