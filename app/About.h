#pragma once
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QUrl;
class THtmlView;
class TLanguageController;

// The About box: product name, version, and a page about the program whose
// links open in the default browser.
class TfrmGioithieu : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmGioithieu(QWidget *parent = nullptr);

    QLabel *lbTevaka, *lbVersion, *lbFreeware, *imgTevaka, *lbUpdateInfo;
    THtmlView *wbAbout;
    QPushButton *btnClose;
    QPlainTextEdit *mmAbout; // the About page as HTML, never shown
    bool FIsStartPage = false;

    // Links of the page; the view itself refuses reloads and never shows the web.
    void wbAboutBeforeNavigate2(const QUrl &url, bool &cancel);
    void lbUpdateInfoClick();

    static QString AboutPage();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();

    TLanguageController *m_language = nullptr;
};
