#include "reading/SuttaTree.h"
#include "reading/SuttaTreeModel.h"

#include <QtTest>

class TestSuttaTreeFilter : public QObject
{
    Q_OBJECT
private slots:
    void condition_data();
    void condition();
    void searchText_data();
    void searchText();
    void favSutta_data();
    void favSutta();
    void numberText();
};

void TestSuttaTreeFilter::condition_data()
{
    QTest::addColumn<bool>("pal");
    QTest::addColumn<bool>("vie");
    QTest::addColumn<bool>("eng");
    QTest::addColumn<QString>("expected");
    const QString pal = " and (lower(n.name_tvc_pal) like :SEARCH_TEXT)";
    const QString vie = " and (lower(n.name_tvc_vie) like :SEARCH_TEXT)";
    const QString eng = " and (lower(n.name_tvc_eng) like :SEARCH_TEXT)";
    QTest::newRow("Pali alone") << true << false << false << pal;
    QTest::newRow("Pali beside Vietnamese") << true << true << false << pal;
    QTest::newRow("Pali beside English") << true << false << true << pal;
    QTest::newRow("Vietnamese") << false << true << false << vie;
    QTest::newRow("Vietnamese beside English") << false << true << true << vie;
    QTest::newRow("English") << false << false << true << eng;
    QTest::newRow("none shown") << false << false << false << QString();
}

void TestSuttaTreeFilter::condition()
{
    QFETCH(bool, pal);
    QFETCH(bool, vie);
    QFETCH(bool, eng);
    QFETCH(QString, expected);
    QCOMPARE(TSuttaTree::FilterCondition(pal, vie, eng), expected);
}

void TestSuttaTreeFilter::searchText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "Kinh" << "%kinh%";
    QTest::newRow("wildcards kept") << "a%b_c" << "%a%b_c%";
    QTest::newRow("Vietnamese capitals") << QString::fromUtf8("ĐẠI Niệm Xứ") << QString::fromUtf8("%đại niệm xứ%");
    QTest::newRow("Pali capitals") << QString::fromUtf8("Ā Ṭ Ñ") << QString::fromUtf8("%ā ṭ ñ%");
    QTest::newRow("blanks and controls trimmed") << QString("\t  brahma\x01 \r\n") << "%brahma%";
    QTest::newRow("inner blanks stay") << QString(" a  b ") << "%a  b%";
}

void TestSuttaTreeFilter::searchText()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(TSuttaTree::SearchText(TSuttaTree::TrimFilter(typed)), expected);
}

void TestSuttaTreeFilter::favSutta_data()
{
    QTest::addColumn<int>("favourite");
    QTest::addColumn<int>("hasOther");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << 0 << 0 << 0;
    QTest::newRow("important") << 1 << 0 << 1;
    QTest::newRow("important, other translation") << 1 << 1 << 2;
    QTest::newRow("other translation") << 0 << 1 << 3;
}

void TestSuttaTreeFilter::favSutta()
{
    QFETCH(int, favourite);
    QFETCH(int, hasOther);
    QFETCH(int, expected);
    QCOMPARE(TSuttaTreeModel::FavSutta(favourite, hasOther), expected);
}

void TestSuttaTreeFilter::numberText()
{
    QCOMPARE(TSuttaTreeModel::NumberText(0), QString());
    QCOMPARE(TSuttaTreeModel::NumberText(152), QString("152 "));
}

int main(int argc, char *argv[])
{
    TestSuttaTreeFilter test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_SuttaTreeFilter.moc"
