#include "reading/SuttaPage.h"
#include "common/ViewHelpers.h"

namespace SuttaPage {

QString HostStyleSheet(const QString &bgHtml)
{
    return QStringLiteral("body {background-color: %1}").arg(bgHtml)
           + QStringLiteral("\r\np {\r\nline-height: 175%\r\n}\r\n");
}

QString SystemTextColorRule(quint32 bgColor)
{
    if ((bgColor >> 24) != 0xFF)
        return QString();
    return QStringLiteral("body {color: %1}\r\n").arg(ColorToHTML(0xFF000008));
}

QByteArray MarginOpening(int level)
{
    switch (level) {
    case 1: return "<blockquote>";
    case 2: return "<blockquote> <blockquote>";
    case 3: return "<blockquote> <blockquote> <blockquote>";
    default: return QByteArray();
    }
}

QByteArray MarginClosing(int level)
{
    switch (level) {
    case 1: return "</blockquote>";
    case 2: return "</blockquote> </blockquote>";
    case 3: return "</blockquote> </blockquote> </blockquote>";
    default: return QByteArray();
    }
}

QByteArray ReplaceIgnoreCase(const QByteArray &text, const QByteArray &from, const QByteArray &to)
{
    if (from.isEmpty() || text.size() < from.size())
        return text;
    // Lower-casing ASCII keeps every byte in place, so positions found in the
    // folded copy are positions in the original UTF-8 text.
    const QByteArray folded = text.toLower();
    const QByteArray needle = from.toLower();
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype at = folded.indexOf(needle); at >= 0; at = folded.indexOf(needle, start)) {
        if (out.isEmpty())
            out.reserve(text.size() + 64);
        out.append(text.constData() + start, at - start);
        out.append(to);
        start = at + needle.size();
    }
    if (start == 0)
        return text;
    out.append(text.constData() + start, text.size() - start);
    return out;
}

QByteArray ApplySettings(const QByteArray &text, const QString &bgHtml, const QString &fontName, bool withColours)
{
    QByteArray t = text;
    if (withColours) {
        const QByteArray b = bgHtml.toUtf8();
        t = ReplaceIgnoreCase(t, "#FFFFF0", b);
        t = ReplaceIgnoreCase(t, "#FFFFFF", b);
    }
    t = ReplaceIgnoreCase(t, "Segoe UI", fontName.toUtf8());
    return ReplaceIgnoreCase(t, "150%", "200%");
}

QByteArray WrapMargin(const QByteArray &text, int level)
{
    const QByteArray opening = MarginOpening(level);
    if (opening.isEmpty())
        return text;
    return opening + '\r' + text + '\r' + MarginClosing(level);
}

QString NoticeMessage(int idTvc, const QString &nameVie, const QString &nameEng, int interfaceLang)
{
    const bool sutta = idTvc < 3000;
    if (interfaceLang == 0)
        return sutta ? QString::fromUtf8("Chưa có dữ liệu...") : nameVie;
    if (interfaceLang == 1)
        return sutta ? QStringLiteral("No data to display...") : nameEng;
    return QString();
}

QByteArray NoticePage(const QString &message)
{
    return QByteArray("<HTML>\r<head>\r<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\r"
                      "<font face = \"Segoe UI\">\r<h3> <p ALIGN=\"CENTER\"> <br> "
                      "<font face=\"Times New Roman\" color=\"#800000\">")
           + message.toUtf8() + "</font> </p> </h3>" + "</font>" + "\r" + "</head>" + "\r" + "</HTML>";
}

QByteArray ComposeSuttaPage(const QByteArray &text, const QString &bgHtml, const QString &fontName, int marginLevel,
                            const QString &notice)
{
    if (text.isEmpty())
        return NoticePage(notice);
    return WrapMargin(ApplySettings(text, bgHtml, fontName, true), marginLevel);
}

QByteArray ComposeOtherPage(const QByteArray &text, const QString &fontName, int marginLevel)
{
    if (text.trimmed().isEmpty())
        return QByteArray();
    return WrapMargin(ApplySettings(text, QString(), fontName, false), marginLevel);
}

} // namespace SuttaPage
