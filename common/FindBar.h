#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;
class QWebEngineFindTextResult;
class QWebEnginePage;

// The find bar of an HTML view (THtmlView::showFindBar): a text field with
// next and previous; matching ignores letter case (and accents, as the engine
// does). Enter finds the next occurrence, Shift+Enter the previous one,
// Escape closes the bar and clears the marks of the search.
class TFindBar : public QWidget
{
    Q_OBJECT
public:
    explicit TFindBar(QWebEnginePage *page, QWidget *parent = nullptr);

    // Shows the bar with text (when not empty), focuses and selects the field.
    void open(const QString &text = QString());
    QString text() const;
    void setText(const QString &text);

public slots:
    void findNext();
    void findPrevious();
    void closeBar();

signals:
    // The result of the last search: the active match (1-based, 0 for none)
    // and the number of matches.
    void found(int activeMatch, int numberOfMatches);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(bool backward);
    void showResult(const QWebEngineFindTextResult &result);
    void retranslate();

    QWebEnginePage *m_page;
    QLabel *m_caption;
    QLineEdit *m_edit;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_close;
    QLabel *m_status;
};
