#include "tests/support/TestSupport.h"
#include "data/Firebird.h"
#include "reading/SuttaTree.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// The tree is keyed on TREE_ID: every key of a collection must name one row.
class TestTreeKeys : public QObject
{
    Q_OBJECT
private slots:
    void uniquePerCollection_data();
    void uniquePerCollection();
};

void TestTreeKeys::uniquePerCollection_data()
{
    QTest::addColumn<int>("book");
    for (int book = 1; book <= 5; ++book)
        QTest::newRow(qPrintable(QString::number(book))) << book;
}

void TestTreeKeys::uniquePerCollection()
{
    QFETCH(int, book);
    const QString path = sampleDatabaseDir() + "/TEVAKA.FDB";
    if (!QFile::exists(path))
        QSKIP("the sample corpus has not been imported");
    QSqlDatabase db = QSqlDatabase::database("keys", false);
    QString error;
    if (!db.isValid())
        QVERIFY2(Firebird::Open(db, "keys", path, &error), qPrintable(error));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    QVERIFY2(q.prepare(QString::fromLatin1(TSuttaTree::kTreeSuttaSQL)), qPrintable(q.lastError().text()));
    q.bindValue(":ID_TVK", book);
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    QSet<QString> keys;
    int rows = 0;
    while (q.next()) {
        const QString key = q.value(1).toString().trimmed();
        QVERIFY2(!keys.contains(key), qPrintable(key));
        keys.insert(key);
        ++rows;
    }
    QVERIFY(rows > 0);
}

int main(int argc, char *argv[])
{
    prepareTestEnvironment();
    TestHome home;
    QCoreApplication app(argc, argv);
    TestTreeKeys test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_TreeKeys.moc"
