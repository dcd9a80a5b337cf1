#include "app/About.h"
#include "common/AppGlobals.h"
#include "common/HtmlPage.h"
#include "common/HtmlView.h"
#include "tests/support/TestSupport.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWebEngineScript>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// Stands in for the system browser: records what the program asked to open.
class TUrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

static QString pageText(QWebEnginePage *page)
{
    QString text;
    bool done = false;
    page->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    QDeadlineTimer deadline(10000);
    while (!done && !deadline.hasExpired())
        QTest::qWait(20);
    return text;
}

class TestAbout : public QObject
{
    Q_OBJECT
    TUrlRecorder browser;

private slots:
    void initTestCase()
    {
        QDesktopServices::setUrlHandler("http", &browser, "open");
        QDesktopServices::setUrlHandler("https", &browser, "open");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
    }
    void init() { browser.opened.clear(); }

    void pageLoadsWithoutOpeningTheBrowser()
    {
        TfrmGioithieu dlg;
        QVERIFY(dlg.FIsStartPage);
        QSignalSpy loaded(dlg.wbAbout, &THtmlView::documentComplete);
        QVERIFY(loaded.wait(15000));
        QVERIFY(loaded.first().first().toBool());
        QVERIFY(!dlg.FIsStartPage);
        QVERIFY(browser.opened.isEmpty());
        const QString text = pageText(dlg.wbAbout->page());
        for (const char *part : {"SuttaCentral", "Sujato", "Thích Minh Châu", "Indacanda", "Thích Thiện Siêu", "miễn phí"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
        QCOMPARE(dlg.windowTitle(), QString::fromUtf8("Giới thiệu Tevaka"));
        QCOMPARE(dlg.lbTevaka->text(), QString("Tevaka"));
        QCOMPARE(dlg.lbVersion->text(), QString("Version 3.0"));
        QVERIFY(!dlg.mmAbout->isVisible());
    }

    // A clicked link goes to the browser and the About page stays.
    void linkOpensTheBrowser()
    {
        TfrmGioithieu dlg;
        dlg.show();
        QSignalSpy loaded(dlg.wbAbout, &THtmlView::documentComplete);
        QVERIFY(loaded.wait(15000));
        const QUrl shown = dlg.wbAbout->engineView()->url();
        dlg.wbAbout->page()->runJavaScript("document.querySelector('a[href^=\"https://suttacentral\"]').click();",
                                           QWebEngineScript::ApplicationWorld);
        QTRY_COMPARE_WITH_TIMEOUT(browser.opened.size(), 1, 10000);
        QCOMPARE(browser.opened.first(), QUrl("https://suttacentral.net/"));
        QTest::qWait(300);
        // A refused navigation may end as a failed load; the page stays.
        for (int i = 1; i < loaded.size(); ++i)
            QVERIFY(!loaded.at(i).first().toBool());
        QCOMPARE(dlg.wbAbout->engineView()->url(), shown);
        QVERIFY(pageText(dlg.wbAbout->page()).contains("SuttaCentral"));
    }

    void navigationRule_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("startPage");
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("web link") << "https://suttacentral.net/mn1" << false << true;
        QTest::newRow("plain http") << "http://example.org/" << false << true;
        QTest::newRow("while loading") << "https://suttacentral.net/" << true << false;
        QTest::newRow("mail link") << "mailto:someone@example.org" << false << false;
        QTest::newRow("anchor") << "about:blank#top" << false << false;
    }
    void navigationRule()
    {
        QFETCH(QString, url);
        QFETCH(bool, startPage);
        QFETCH(bool, cancelled);
        TfrmGioithieu dlg;
        dlg.FIsStartPage = startPage;
        bool cancel = false;
        dlg.wbAboutBeforeNavigate2(QUrl(url), cancel);
        QCOMPARE(cancel, cancelled);
        QCOMPARE(browser.opened.size(), cancelled ? 1 : 0);
    }

    void refreshRefused()
    {
        TfrmGioithieu dlg;
        QSignalSpy loaded(dlg.wbAbout, &THtmlView::documentComplete);
        QVERIFY(loaded.wait(15000));
        dlg.wbAbout->page()->triggerAction(QWebEnginePage::Reload);
        QTest::qWait(500);
        for (int i = 1; i < loaded.size(); ++i)
            QVERIFY(!loaded.at(i).first().toBool());
        QVERIFY(pageText(dlg.wbAbout->page()).contains("SuttaCentral"));
    }

    void moreInformationOpensTheWebPage()
    {
        TfrmGioithieu dlg;
        dlg.show();
        QTest::mouseClick(dlg.lbUpdateInfo, Qt::LeftButton);
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(ProgramWebPage())});
    }

    void closeButtonAccepts()
    {
        TfrmGioithieu dlg;
        dlg.show();
        dlg.btnClose->click();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    }
};

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    THtmlView::RegisterScheme();
    QApplication app(argc, argv);
    TestAbout t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_about.moc"
