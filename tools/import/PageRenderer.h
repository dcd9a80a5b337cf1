#pragma once
#include "BilaraJson.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Turns corpus texts into the stored pages: one complete UTF-8 HTML document
// per sutta and language. The page is written with the background "#FFFFF0",
// the font "Segoe UI" and the paragraph line height "150%", which the reader
// replaces by the user's settings.
namespace PageRenderer {

struct BilaraText
{
    QString uid;       // anchor of this text on the page
    Segments segments; // in file order
};

// Text with the corpus's inline tags kept and everything else escaped;
// "<j>" becomes a line break.
QString InlineHtml(const QString &text);

// True for the verse books, whose segments are verse lines.
bool IsVerseText(const QString &uid);

QString BilaraBody(const QList<BilaraText> &texts, bool anchors);
QString MarkdownBody(const QByteArray &markdown);
QByteArray Document(const QString &title, const QString &body);

} // namespace PageRenderer
