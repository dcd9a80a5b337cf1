#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

// Shared view helpers. Called on the user-interface thread only.

// The plain text of an HTML string by the Part's one-pass algorithm: line
// breaks dropped, tags dropped (an unclosed "<" drops the rest), a tab or
// blank dropped before a tab, line break, blank or "<"; then "&quot;",
// "&apos;", "&gt;", "&lt;", "&amp;" decoded in that order (each once,
// case-sensitive); no other entity is decoded.
QString HTMLStripTags(const QString &html);

// The text of the body of html as the browser engine renders it
// (document.body.innerText of a page that is never shown). Asynchronous:
// done is called exactly once, later, from the event loop; with "" when the
// document cannot be obtained. Needs THtmlView::RegisterScheme() before the
// QApplication, like every HTML view.
void HTMLBodyText(const QString &html, std::function<void(const QString &text)> done);

// "#rrggbb" (lower case) of a colour setting: 0x00BBGGRR, or a system colour
// (high byte 0xFF, low byte the Windows system colour index, e.g. 0xFF000005
// the window background), resolved through the application palette.
QString ColorToHTML(quint32 colour);

// Asks "Đồng ý xóa dữ liệu đang chọn?" (caption "Thông báo", question icon,
// Yes and No, no owner window; Vietnamese whatever the interface language).
// The silent abort of the Part is carried as the result: true only when the
// reader answered Yes; false (No, or the box closed) means the caller must
// drop the deletion without any further message.
[[nodiscard]] bool ConfirmDeleteRecord();
