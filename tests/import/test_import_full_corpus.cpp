#include "Importer.h"
#include "data/Firebird.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlQuery>
#include <QtTest>

// Imports the shared corpus, when it is there, and checks the databases
// against its manifest: what only the real data can show.
class TestImportFullCorpus : public QObject
{
    Q_OBJECT
private slots:
    void counts()
    {
        QString corpus = qEnvironmentVariable("TEVAKA_CORPUS");
        if (corpus.isEmpty())
            corpus = QStringLiteral(TEVAKA_SOURCE_DIR "/../shared/corpus");
        if (!QFileInfo::exists(corpus + "/manifest/leaves.tsv"))
            QSKIP("no shared corpus here");
        QTemporaryDir out;
        Importer importer(corpus, out.path());
        QVERIFY2(importer.Run(), qPrintable(importer.errors.join('\n')));

        // Expected figures from the manifest itself.
        QHash<int, int> perCollection;
        QFile leaves(corpus + "/manifest/leaves.tsv");
        QVERIFY(leaves.open(QIODevice::ReadOnly));
        leaves.readLine();
        while (!leaves.atEnd()) {
            const QList<QByteArray> f = leaves.readLine().split('\t');
            if (f.size() > 1)
                ++perCollection[f[1].toInt()];
        }
        QFile countsFile(corpus + "/manifest/dict-counts.json");
        QVERIFY(countsFile.open(QIODevice::ReadOnly));
        const QJsonObject dictCounts = QJsonDocument::fromJson(countsFile.readAll()).object();

        QSqlDatabase content, dict;
        QVERIFY(Firebird::Open(content, "content", out.path() + "/TEVAKA.FDB"));
        QVERIFY(Firebird::Open(dict, "dict", out.path() + "/PALIDICT.FDB"));
        QSqlQuery q(content);
        for (int c = 1; c <= 5; ++c) {
            QVERIFY(q.exec(QStringLiteral("select count(*) from TEVAKA_CONTENT where ID_TVK = %1").arg(c)));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), perCollection.value(c));
        }
        QVERIFY(q.exec("select count(*), max(char_length(CONTENT_PHC_ENG)) from PHAP_CU"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 423);
        QVERIFY(q.value(1).toInt() > 255);
        QVERIFY(q.exec("select count(*) from PHAP_CU where VOICE_PALI is null"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        QSqlQuery d(dict);
        for (auto it = dictCounts.begin(); it != dictCounts.end(); ++it) {
            QVERIFY(d.exec("select count(*) from DICT_ENTRY where DICT_TYPE = " + it.key()));
            QVERIFY(d.next());
            QCOMPARE(d.value(0).toInt(), it.value().toInt());
        }
        content.close();
        dict.close();
    }
};

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QCoreApplication app(argc, argv);
    TestImportFullCorpus t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_import_full_corpus.moc"
