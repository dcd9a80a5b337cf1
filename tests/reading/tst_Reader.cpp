#include "ReadingFixture.h"
#include "tests/support/TestSupport.h"
#include "app/Main.h"
#include "common/AppGlobals.h"
#include "common/HtmlPage.h"
#include "common/HtmlView.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "reading/ContentDataset.h"
#include "reading/OtherTranslation.h"
#include "reading/ReaderCommands.h"
#include "reading/SuttaTree.h"
#include "reading/SuttaTreeModel.h"
#include "settings/Registry.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

namespace {

constexpr int kLoadTimeout = 20000;

QVariant js(THtmlView *view, const QString &script)
{
    auto state = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
    view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, [state](const QVariant &v) {
        state->first = true;
        state->second = v;
    });
    QElapsedTimer t;
    t.start();
    while (!state->first && t.elapsed() < 10000)
        QTest::qWait(5);
    return state->second;
}

int storedInteger(const QString &name, int absent = -999)
{
    Registry::Key key;
    qint32 v = absent;
    if (key.open(Registry::RootKey::CurrentUser, Registry::kOptionsKey, false))
        key.readInteger(name, v);
    return v;
}

QPoint centreOf(THtmlView *view, const QString &id)
{
    const QVariantList r =
        js(view, QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                                "return [r.left + r.width / 2, r.top + r.height / 2];})()")
                     .arg(id))
            .toList();
    if (r.size() != 2)
        return QPoint(-1, -1);
    const qreal zoom = view->engineView()->zoomFactor();
    return QPoint(qRound(r[0].toDouble() * zoom), qRound(r[1].toDouble() * zoom));
}

QWidget *renderWidget(THtmlView *view)
{
    QWidget *w = view->engineView()->focusProxy();
    return w ? w : view->engineView();
}

} // namespace

class UrlReceiver : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestReader : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void treeShape();
    void filterKeys();
    void filter_data();
    void filter();
    void startPosition_data();
    void startPosition();
    void randomStartStaysInCollection();
    void nodeShowsNotice();
    void languageScrollMemory();
    void languageInertWhileInit();
    void zoomInStores();
    void storedZoomOutOfRangeStillOpens();
    void highlightAcrossElementBoundary();
    void externalLinkHandedOut();
    void otherTranslationRules();
    void otherTranslationFoundByName();

private:
    TfrmMain *openMain();
    bool waitPage();
    QList<int> suttaIds() const;

    std::unique_ptr<TestHome> home;
    std::unique_ptr<TfrmTevakaDM> tevaka;
    std::unique_ptr<TfrmClientsDM> clients;
    std::unique_ptr<TfrmMain> main;
    std::unique_ptr<QSignalSpy> pages;
    UrlReceiver receiver;
};

void TestReader::initTestCase()
{
    home = std::make_unique<TestHome>();
    QString error;
    QVERIFY2(ReadingFixture::CreateContentDatabase(home->appDir(), &error), qPrintable(error));
    InitAppPath();
    tevaka = std::make_unique<TfrmTevakaDM>();
    frmTevakaDM = tevaka.get();
    QVERIFY(tevaka->DataModuleCreate());
    clients = std::make_unique<TfrmClientsDM>();
    frmClientsDM = clients.get();
    clients->DataModuleCreate(&tevaka->dbTevaka);
    QDesktopServices::setUrlHandler("http", &receiver, "open");
    QDesktopServices::setUrlHandler("https", &receiver, "open");
}

void TestReader::init()
{
    tevaka->SetDefaultOptions();
    tevaka->vOpenSutta = 1;
    tevaka->vLastTevaka = 1;
    tevaka->vLastSutta = 1;
    tevaka->vLanguageSutta = 1;
    tevaka->vMarginWidth = 0;
    tevaka->vZoomPercent = 100;
    vInterfaceLang = 0;
    receiver.urls.clear();
}

void TestReader::cleanup()
{
    pages.reset(); // the other-translation windows go with their owner
    main.reset();
}

void TestReader::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
    clients.reset();
    tevaka.reset();
}

TfrmMain *TestReader::openMain()
{
    main = std::make_unique<TfrmMain>();
    pages = std::make_unique<QSignalSpy>(main->Reader, &TReaderCommands::pageComplete);
    main->resize(1000, 700);
    main->show();
    if (!waitPage())
        qWarning("first page did not complete");
    return main.get();
}

bool TestReader::waitPage()
{
    const int before = pages->count();
    QElapsedTimer t;
    t.start();
    while (pages->count() == before && t.elapsed() < kLoadTimeout)
        QTest::qWait(10);
    if (pages->count() == before)
        return false;
    QTest::qWait(50); // the scroll restore or highlight just asked for
    return pages->last().at(0).toBool();
}

QList<int> TestReader::suttaIds() const
{
    QList<int> ids;
    for (int r = 0; r < main->qryTreeSutas->count(); ++r)
        if (main->qryTreeSutas->row(r).idTvc < 3000)
            ids << main->qryTreeSutas->row(r).idTvc;
    std::sort(ids.begin(), ids.end());
    return ids;
}

void TestReader::treeShape()
{
    TfrmMain *m = openMain();
    const TSuttaTreeModel *tree = m->qryTreeSutas;
    QCOMPARE(tree->count(), 5);
    // Parents by key: sutta 1 under node 101, suttas 2 and 3 under node 102, 102 under 101.
    auto parentId = [&](int idTvc) {
        const QModelIndex p = tree->parent(tree->indexOf(tree->locate(idTvc)));
        return p.isValid() ? tree->row(tree->rowOf(p)).idTvc : -1;
    };
    QCOMPARE(parentId(3101), -1);
    QCOMPARE(parentId(3102), 3101);
    QCOMPARE(parentId(1), 3101);
    QCOMPARE(parentId(2), 3102);
    QCOMPARE(parentId(3), 3102);
    QCOMPARE(tree->row(tree->locate(2)).nameEng, QString::fromUtf8("Sāmaññaphalasutta")); // Pali in place of English
    QCOMPARE(tree->row(tree->locate(2)).hasOther, 1);
    QCOMPARE(tree->row(tree->locate(2)).fav, 3);
    QCOMPARE(tree->row(tree->locate(1)).fav, 0);
    QVERIFY(m->dbtSutas->isExpanded(tree->indexOf(tree->locate(3102))));

    // The number toggle: column and caption follow each other.
    QVERIFY(m->dbtSutas->isColumnHidden(TSuttaTreeModel::colNUMBER_TVC));
    m->acShowIndexSutas->trigger();
    QVERIFY(!m->dbtSutas->isColumnHidden(TSuttaTreeModel::colNUMBER_TVC));
    QCOMPARE(m->acShowIndexSutas->text(), QString::fromUtf8("Ẩn thứ tự bài kinh"));
    vInterfaceLang = 1;
    m->acShowIndexSutas->trigger();
    QCOMPARE(m->acShowIndexSutas->text(), QString("Show number of sutta"));
    QVERIFY(m->dbtSutas->isColumnHidden(TSuttaTreeModel::colNUMBER_TVC));

    // A collection command reloads the tree of that collection.
    m->acMN->trigger();
    QVERIFY(waitPage());
    QCOMPARE(m->vTevakaBook, 2);
    QCOMPARE(suttaIds(), QList<int>({35, 36}));
    QCOMPARE(m->CurrentTVK(), 2);
}

void TestReader::filterKeys()
{
    TfrmMain *m = openMain();
    QCOMPARE(m->SuttaTree->CurrentRow(), 0);
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Up);
    QCOMPARE(m->SuttaTree->CurrentRow(), 0); // already at the start
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Down);
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Down);
    QCOMPARE(m->SuttaTree->CurrentRow(), 2);
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Up);
    QCOMPARE(m->SuttaTree->CurrentRow(), 1);
    for (int i = 0; i < 10; ++i)
        QTest::keyRelease(m->edFilterSutta, Qt::Key_Down);
    QCOMPARE(m->SuttaTree->CurrentRow(), m->qryTreeSutas->count() - 1); // stops at the end
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Return);
    QCOMPARE(m->SuttaTree->CurrentRow(), m->qryTreeSutas->count() - 1);
    // Left and Right reload: back on the first row, and the page follows.
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Right);
    QCOMPARE(m->SuttaTree->CurrentRow(), 0);
    QVERIFY(waitPage());
    QCOMPARE(m->CurrentTVC(), m->qryTreeSutas->row(0).idTvc < 3000 ? m->qryTreeSutas->row(0).idTvc : 0);
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Down);
    QTest::keyRelease(m->edFilterSutta, Qt::Key_Left);
    QCOMPARE(m->SuttaTree->CurrentRow(), 0);
}

void TestReader::filter_data()
{
    QTest::addColumn<int>("nameLang");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("Vietnamese, case ignored") << 1 << "KINH" << QList<int>({1, 2, 3});
    QTest::newRow("underscore is one letter") << 1 << "ph_m" << QList<int>({1});
    QTest::newRow("percent is any run") << 1 << QString::fromUtf8("sa%quả") << QList<int>({2});
    QTest::newRow("diacritics must match") << 1 << "pham" << QList<int>();
    QTest::newRow("Pali") << 0 << QString::fromUtf8("AMBAṬṬHA") << QList<int>({3});
    QTest::newRow("English tests the stored name") << 2 << QString::fromUtf8("sāmañña") << QList<int>();
    QTest::newRow("English") << 2 << " net " << QList<int>({1});
}

void TestReader::filter()
{
    QFETCH(int, nameLang);
    QFETCH(QString, text);
    QFETCH(QList<int>, expected);
    TfrmMain *m = openMain();
    m->SuttaTree->ViewSuttaName(nameLang);
    m->edFilterSutta->setText(text);
    QTest::keyRelease(m->edFilterSutta, Qt::Key_End);
    QCOMPARE(suttaIds(), expected);
    // Every node of the collection stays.
    QVERIFY(m->qryTreeSutas->locate(3101) >= 0);
    QVERIFY(m->qryTreeSutas->locate(3102) >= 0);
}

void TestReader::startPosition_data()
{
    QTest::addColumn<int>("lastSutta");
    QTest::addColumn<int>("expectedTvc");
    QTest::newRow("last sutta") << 3 << 3;
    QTest::newRow("last sutta of another collection") << 35 << -1;
    QTest::newRow("unknown sutta") << 2999 << -1;
}

void TestReader::startPosition()
{
    QFETCH(int, lastSutta);
    QFETCH(int, expectedTvc);
    tevaka->vLastSutta = lastSutta;
    TfrmMain *m = openMain();
    const int r = m->SuttaTree->CurrentRow();
    if (expectedTvc < 0)
        QCOMPARE(r, 0);
    else
        QCOMPARE(m->qryTreeSutas->row(r).idTvc, expectedTvc);
}

void TestReader::randomStartStaysInCollection()
{
    tevaka->vOpenSutta = 2;
    QSet<int> seen;
    for (int i = 0; i < 8; ++i) {
        TfrmMain *m = openMain();
        const int book = m->vTevakaBook;
        QVERIFY(book >= 1 && book <= 5);
        const int r = m->SuttaTree->CurrentRow();
        if (book == 1 || book == 2) {
            const int id = m->qryTreeSutas->row(r).idTvc;
            QVERIFY2(suttaIds().contains(id), qPrintable(QString::number(id)));
            seen << id;
        } else {
            QCOMPARE(r, -1); // the fixture holds no tree there
        }
        cleanup();
    }
}

void TestReader::nodeShowsNotice()
{
    TfrmMain *m = openMain();
    m->SuttaTree->Locate(3101);
    QVERIFY(waitPage());
    QVERIFY(m->qryTevakaSutas->IsEmpty());
    QCOMPARE(m->CurrentTVC(), 0);
    QVERIFY(m->ebContent->html().contains(QString::fromUtf8("Phẩm Giới").toUtf8()));
    m->SuttaTree->Locate(3);
    QVERIFY(waitPage());
    m->btnEng->click(); // sutta 3 has no English text
    QVERIFY(waitPage());
    QVERIFY(m->ebContent->html().contains(QString::fromUtf8("Chưa có dữ liệu...").toUtf8()));
}

void TestReader::languageScrollMemory()
{
    TfrmMain *m = openMain();
    QCOMPARE(m->vCurrentLangSutta, 1);
    m->ebContent->setScrollPosition(800);
    QTRY_COMPARE(m->ebContent->scrollPosition(), 800);
    m->btnPali->click();
    QVERIFY(waitPage());
    QCOMPARE(m->vCurrentLangSutta, 0);
    QCOMPARE(m->vVScrollPosVIE, 800);
    QCOMPARE(storedInteger("LanguageSutta"), 0);
    m->btnViet->click();
    QVERIFY(waitPage());
    QCOMPARE(m->vCurrentLangSutta, 1);
    QTRY_COMPARE(m->ebContent->scrollPosition(), 800);
    // A change of sutta forgets the positions.
    m->SuttaTree->Locate(2);
    QVERIFY(waitPage());
    QCOMPARE(m->vVScrollPosVIE, 0);
    QCOMPARE(m->ebContent->scrollPosition(), 0);
}

void TestReader::languageInertWhileInit()
{
    TfrmMain *m = openMain();
    const int stored = storedInteger("LanguageSutta");
    const QByteArray page = m->ebContent->html();
    m->vIsInit = true;
    m->Reader->SetContentLanguage(2);
    QCOMPARE(m->vCurrentLangSutta, 1);
    QCOMPARE(tevaka->vLanguageSutta, 1);
    QCOMPARE(storedInteger("LanguageSutta"), stored);
    QCOMPARE(m->ebContent->html(), page);
    m->vIsInit = false;
    m->Reader->SetContentLanguage(2);
    QCOMPARE(m->vCurrentLangSutta, 2);
    QCOMPARE(storedInteger("LanguageSutta"), 2);
}

void TestReader::zoomInStores()
{
    TfrmMain *m = openMain();
    QCOMPARE(m->ebContent->zoomPercent(), 100);
    for (int i = 0; i < 5; ++i)
        m->acZoomIn->trigger();
    QCOMPARE(m->ebContent->zoomPercent(), 150);
    QCOMPARE(storedInteger("ZoomPercent"), 150);
    // The zoom stays across a page load.
    m->SuttaTree->Locate(2);
    QVERIFY(waitPage());
    QCOMPARE(m->ebContent->zoomPercent(), 150);
    m->acZoomOut->trigger();
    QCOMPARE(storedInteger("ZoomPercent"), 140);
}

void TestReader::storedZoomOutOfRangeStillOpens()
{
    tevaka->vZoomPercent = 100000;
    TfrmMain *m = openMain();
    QCOMPARE(m->ebContent->zoomPercent(), THtmlView::MaxZoomPercent);
    QVERIFY(m->ebContent->scrollPosition() >= 0); // a page is shown
}

void TestReader::highlightAcrossElementBoundary()
{
    TfrmMain *m = openMain();
    m->ebContent->setScrollPosition(1500);
    QTRY_COMPARE(m->ebContent->scrollPosition(), 1500);
    m->vFindSuttaStr = QString::fromUtf8("SĀVATTHĪ");
    m->Reader->ViewSutta(1);
    QVERIFY(waitPage());
    const QString script = "(function(){var s=document.querySelectorAll('[data-tevaka-highlight]');"
                           "var t='';for(var i=0;i<s.length;i++)t+=s[i].textContent;"
                           "return t+'|'+(s.length?getComputedStyle(s[0]).backgroundColor:'');})()";
    QTRY_COMPARE(js(m->ebContent, script).toString(), QString::fromUtf8("Sāvatthī|rgb(255, 255, 0)"));
    // The first occurrence is scrolled to the top (it is near the start of the page).
    QTRY_VERIFY(m->ebContent->scrollPosition() < 200);

    // A phrase that is not there: no highlight, the page stays at the top.
    m->vFindSuttaStr = "nowhere at all";
    m->Reader->ViewSutta(1);
    QVERIFY(waitPage());
    QCOMPARE(js(m->ebContent, "document.querySelectorAll('[data-tevaka-highlight]').length").toInt(), 0);
    QCOMPARE(m->ebContent->scrollPosition(), 0);
}

void TestReader::externalLinkHandedOut()
{
    TfrmMain *m = openMain();
    const QByteArray page = m->ebContent->html();
    QTest::mouseClick(renderWidget(m->ebContent), Qt::LeftButton, {}, centreOf(m->ebContent, "web"));
    QTRY_COMPARE(receiver.urls, QList<QUrl>({QUrl("https://example.org/tevaka")}));
    QTest::qWait(200);
    QCOMPARE(m->ebContent->html(), page);
    QVERIFY(js(m->ebContent, "document.getElementById('web') !== null").toBool()); // the page stayed
}

void TestReader::otherTranslationRules()
{
    TfrmMain *m = openMain();
    m->Reader->acOtherTranslateUpdate();
    QVERIFY(!m->acOtherTranslate->isEnabled()); // sutta 1 has none
    QVERIFY(!m->btnOtherTranslate->isVisible());
    m->SuttaTree->Locate(2);
    QVERIFY(waitPage());
    QVERIFY(m->acOtherTranslate->isEnabled());
    QVERIFY(m->acOtherTranslate->isVisible());
    QVERIFY(m->btnOtherTranslate->isVisible());
    m->btnPali->click();
    QVERIFY(waitPage());
    QVERIFY(!m->acOtherTranslate->isEnabled());
    QVERIFY(!m->acOtherTranslate->isVisible());
}

void TestReader::otherTranslationFoundByName()
{
    TfrmMain *m = openMain();
    m->SuttaTree->Locate(2);
    QVERIFY(waitPage());
    m->acOtherTranslate->trigger();
    TfrmOtherTranslation *w = TfrmOtherTranslation::Find(2);
    QVERIFY(w);
    QCOMPARE(w->objectName(), QString("frmOtherTranslation2"));
    QCOMPARE(w->windowTitle(), QString::fromUtf8("Kinh Sa Môn Quả - Bản dịch khác..."));
    QSignalSpy loaded(w->ebOtherContent, &THtmlView::documentComplete);
    QVERIFY(loaded.wait(kLoadTimeout));
    // Its own colours stay; a web link opens outside.
    QVERIFY(w->ebOtherContent->html().contains("#c0ffc0"));
    QTest::mouseClick(renderWidget(w->ebOtherContent), Qt::LeftButton, {}, centreOf(w->ebOtherContent, "web"));
    QTRY_COMPARE(receiver.urls, QList<QUrl>({QUrl("https://example.org/other")}));

    // Found again: no second window; a minimised one comes back.
    w->showMinimized();
    QTRY_VERIFY(w->isMinimized());
    m->acOtherTranslate->trigger();
    int count = 0;
    for (QWidget *top : QApplication::topLevelWidgets())
        count += qobject_cast<TfrmOtherTranslation *>(top) ? 1 : 0;
    QCOMPARE(count, 1);
    QTRY_VERIFY(!w->isMinimized());

    // Its zoom is its own and stored nowhere.
    const int stored = storedInteger("ZoomPercent");
    w->acZoomIn->trigger();
    QCOMPARE(w->ebOtherContent->zoomPercent(), 110);
    QCOMPARE(m->ebContent->zoomPercent(), 100);
    QCOMPARE(storedInteger("ZoomPercent"), stored);
}

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    THtmlView::RegisterScheme();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestReader test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_Reader.moc"
