#include "common/FindBar.h"

#include "settings/SettingsRecord.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>

namespace {
QString tx(const char *vi, const char *en)
{
    return vInterfaceLang == 1 ? QString::fromUtf8(en) : QString::fromUtf8(vi);
}
} // namespace

TFindBar::TFindBar(QWebEnginePage *page, QWidget *parent) : QWidget(parent), m_page(page)
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_caption = new QLabel(this);
    m_edit = new QLineEdit(this);
    m_edit->setClearButtonEnabled(true);
    m_edit->installEventFilter(this);
    m_previous = new QToolButton(this);
    m_previous->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    m_next = new QToolButton(this);
    m_next->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    m_close = new QToolButton(this);
    m_close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    m_close->setAutoRaise(true);
    m_status = new QLabel(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_previous);
    layout->addWidget(m_next);
    layout->addWidget(m_status);
    layout->addStretch();
    layout->addWidget(m_close);

    connect(m_edit, &QLineEdit::textEdited, this, [this] { find(false); });
    connect(m_edit, &QLineEdit::returnPressed, this, &TFindBar::findNext);
    connect(m_previous, &QToolButton::clicked, this, &TFindBar::findPrevious);
    connect(m_next, &QToolButton::clicked, this, &TFindBar::findNext);
    connect(m_close, &QToolButton::clicked, this, &TFindBar::closeBar);
    retranslate();
    hide();
}

void TFindBar::retranslate()
{
    m_caption->setText(tx("Tìm:", "Find:"));
    m_previous->setToolTip(tx("Tìm lùi (Shift+Enter)", "Find previous (Shift+Enter)"));
    m_next->setToolTip(tx("Tìm tiếp (Enter)", "Find next (Enter)"));
    m_close->setToolTip(tx("Đóng (Esc)", "Close (Esc)"));
}

void TFindBar::open(const QString &text)
{
    retranslate();
    if (!text.isEmpty())
        m_edit->setText(text);
    show();
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

QString TFindBar::text() const { return m_edit->text(); }
void TFindBar::setText(const QString &text) { m_edit->setText(text); }
void TFindBar::findNext() { find(false); }
void TFindBar::findPrevious() { find(true); }

void TFindBar::closeBar()
{
    hide();
    m_status->clear();
    m_page->findText(QString()); // clears the engine's marks
    if (QWidget *p = parentWidget())
        p->setFocus(Qt::OtherFocusReason);
}

void TFindBar::find(bool backward)
{
    const QString text = m_edit->text();
    if (text.isEmpty()) {
        m_status->clear();
        m_page->findText(QString());
        emit found(0, 0);
        return;
    }
    QWebEnginePage::FindFlags flags; // no FindCaseSensitively: letter case is ignored
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    QPointer<TFindBar> self(this);
    m_page->findText(text, flags, [self](const QWebEngineFindTextResult &result) {
        if (self)
            self->showResult(result);
    });
}

void TFindBar::showResult(const QWebEngineFindTextResult &result)
{
    if (result.numberOfMatches() == 0)
        m_status->setText(tx("Không tìm thấy", "Not found"));
    else
        m_status->setText(QStringLiteral("%1/%2").arg(result.activeMatch()).arg(result.numberOfMatches()));
    emit found(result.activeMatch(), result.numberOfMatches());
}

bool TFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            closeBar();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & Qt::ShiftModifier)) {
            findPrevious();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
