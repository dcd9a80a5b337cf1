#pragma once
#include <QByteArray>
#include <QString>

// The pure steps of composing a sutta page: stored pages are UTF-8 HTML handled
// as bytes, and every change made to them touches ASCII text only.
namespace SuttaPage {

// The style sheet put beneath every page of the reader, for page colour B (#rrggbb).
QString HostStyleSheet(const QString &bgHtml);
// With a system background colour the page follows the skin, so its text takes
// the skin's text colour too (dark skins would leave black on dark); empty otherwise.
QString SystemTextColorRule(quint32 bgColor);

// Opening and closing texts of a margin level; levels outside 1..3 have none.
QByteArray MarginOpening(int level);
QByteArray MarginClosing(int level);

// Replaces every occurrence of from, ignoring the case of ASCII letters.
QByteArray ReplaceIgnoreCase(const QByteArray &text, const QByteArray &from, const QByteArray &to);

// The stored page made to follow the settings: the two page colours become B
// (only when withColours), "Segoe UI" becomes the font, "150%" becomes "200%".
QByteArray ApplySettings(const QByteArray &text, const QString &bgHtml, const QString &fontName, bool withColours);

// The page wrapped in the margin texts of the level (unchanged for level 0).
QByteArray WrapMargin(const QByteArray &text, int level);

// The notice shown instead of a missing text: for a sutta the "no data"
// message, for a node its name in the interface language.
QString NoticeMessage(int idTvc, const QString &nameVie, const QString &nameEng, int interfaceLang);
QByteArray NoticePage(const QString &message);

// The whole reader page: the notice page when the text is empty, else the
// text with the settings applied and wrapped in the margin.
QByteArray ComposeSuttaPage(const QByteArray &text, const QString &bgHtml, const QString &fontName, int marginLevel,
                            const QString &notice);

// The alternative translation's page: the font and size follow the settings,
// its own colours stay. Empty when the stored text is blank.
QByteArray ComposeOtherPage(const QByteArray &text, const QString &fontName, int marginLevel);

} // namespace SuttaPage
