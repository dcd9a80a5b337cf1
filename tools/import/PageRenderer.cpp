#include "PageRenderer.h"

#include <QRegularExpression>
#include <cmark.h>

namespace PageRenderer {

static QString escaped(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (QChar c : s) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

QString InlineHtml(const QString &text)
{
    // The tags the corpus uses inside segments; anything else is text.
    static const QRegularExpression tag(
        QStringLiteral("<(/?(?:b|em|i|a)|i\\s+lang='[a-z]+'\\s+translate='no'|a\\s+href=(?:\"[^\"<>]*\"|'[^'<>]*')|j\\s*/?)>"));
    QString out;
    qsizetype pos = 0;
    auto it = tag.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += escaped(text.mid(pos, m.capturedStart() - pos));
        const QString inner = m.captured(1);
        out += inner.startsWith('j') ? QStringLiteral("<br>") : '<' + inner + '>';
        pos = m.capturedEnd();
    }
    out += escaped(text.mid(pos));
    return out;
}

bool IsVerseText(const QString &uid)
{
    static const QRegularExpression verse(QStringLiteral("^(dhp|thag|thig|snp|tha-ap|thi-ap|bv|cp|vv|pv|ja|iti)\\d"));
    return verse.match(uid).hasMatch();
}

// "mn1:10.3" -> section "10"; "dhp1:2" -> "dhp1" (each verse its own paragraph).
static QString sectionOf(const QString &key)
{
    const int colon = key.indexOf(':');
    const QString rest = key.mid(colon + 1);
    const int dot = rest.indexOf('.');
    return dot < 0 ? key.left(colon) : key.left(colon) + ':' + rest.left(dot);
}

static bool isHeading(const QString &key)
{
    const int colon = key.indexOf(':');
    return colon >= 0 && key.mid(colon + 1).startsWith("0.");
}

// A heading inside the text: a segment number with a 0 part after the section
// ("dn22:3.0" "1.2. The Postures", "thag1.1:1.0.1", "dn10:1.6.5.0") or a lone 0
// ("dhp2:0", a story title).
static bool isSubHeading(const QString &key)
{
    const int colon = key.indexOf(':');
    if (colon < 0)
        return false;
    const QStringList parts = key.mid(colon + 1).split('.');
    if (parts.size() == 1)
        return parts[0] == "0";
    for (int i = 1; i < parts.size(); ++i)
        if (parts[i] == "0")
            return true;
    return false;
}

// In a prose text a section is a verse passage when it has three lines or more,
// every line is short, and at least half of them do not end a sentence.
static bool looksLikeVerse(const QStringList &lines)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression sentenceEnd(QStringLiteral("[.?!:…][\\x{201D}\\x{2019}\"')]*$"));
    if (lines.size() < 3)
        return false;
    int open = 0;
    for (const QString &line : lines) {
        const QString text = QString(line).remove(tags).trimmed();
        if (text.size() > 64)
            return false;
        if (!sentenceEnd.match(text).hasMatch())
            ++open;
    }
    return 2 * open >= lines.size();
}

QString BilaraBody(const QList<BilaraText> &texts, bool anchors)
{
    QString body;
    for (const BilaraText &t : texts) {
        if (anchors)
            body += QStringLiteral("<a name=\"%1\" id=\"%1\"></a>\n").arg(escaped(t.uid));
        const bool verseBook = IsVerseText(t.uid);
        QStringList headings;
        QString section;
        QStringList lines; // the segments of the open paragraph, as HTML
        auto closePara = [&] {
            if (lines.isEmpty())
                return;
            const bool verse = verseBook || looksLikeVerse(lines);
            body += (verse ? "<p class=\"verse\">" : "<p>") + lines.join(verse ? "<br>\n" : " ") + "</p>\n";
            lines.clear();
        };
        auto flushHeadings = [&] {
            for (int i = 0; i < headings.size(); ++i)
                body += i + 1 == headings.size() ? "<h2>" + headings[i] + "</h2>\n"
                                                 : "<h4 class=\"division\">" + headings[i] + "</h4>\n";
            headings.clear();
        };
        for (const auto &[key, value] : t.segments) {
            const QString html = InlineHtml(value.trimmed());
            if (isHeading(key)) {
                closePara();
                headings << html;
                continue;
            }
            flushHeadings();
            const QString s = sectionOf(key);
            if (s != section || isSubHeading(key)) {
                closePara();
                section = s;
            }
            if (html.isEmpty())
                continue;
            if (isSubHeading(key)) {
                body += "<h3>" + html + "</h3>\n";
                continue;
            }
            lines << html;
        }
        closePara();
        flushHeadings();
    }
    return body;
}

QString MarkdownBody(const QByteArray &markdown)
{
    // Sub-headings written as links back to the old table of contents keep only their text.
    static const QRegularExpression tocLink(QStringLiteral("\\[([^\\]\\n]*)\\]\\(#toc\\)"));
    const QByteArray source = QString::fromUtf8(markdown).replace(tocLink, QStringLiteral("\\1")).toUtf8();
    // Raw HTML in the sources is not trusted: cmark's default leaves it out.
    char *html = cmark_markdown_to_html(source.constData(), size_t(source.size()), CMARK_OPT_DEFAULT);
    const QString out = QString::fromUtf8(html);
    free(html);
    return out;
}

QByteArray Document(const QString &title, const QString &body)
{
    const QString page = QStringLiteral(
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>%1</title>\n<style>\n"
        "body { background-color: #FFFFF0; font-family: \"Segoe UI\"; font-size: 12pt; margin: 0.8em 1.6em; }\n"
        "p { line-height: 150%; margin: 0.6em 0; }\n"
        "p.verse { margin-left: 1.5em; }\n"
        "h2 { font-size: 140%; color: #800000; }\n"
        "h3 { font-size: 115%; color: #800000; }\n"
        "h4.division { font-weight: normal; color: #555555; margin: 0.2em 0; }\n"
        "blockquote { margin-left: 1.5em; }\n"
        "</style>\n</head>\n<body>\n%2</body>\n</html>\n")
                             .arg(escaped(title), body);
    return page.toUtf8();
}

} // namespace PageRenderer
