#include "Importer.h"
#include "data/Firebird.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

static QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

static void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QFileInfo &fi : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (fi.isDir())
            copyTree(fi.filePath(), to + '/' + fi.fileName());
        else
            QFile::copy(fi.filePath(), to + '/' + fi.fileName());
    }
}

// The sample corpus with its generated recordings, as the fixture imported it.
static QString importedCorpus() { return QStringLiteral(TEVAKA_SAMPLE_CORPUS_COPY); }

class TestImport : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestHome> home;
    QSqlDatabase content, client, dict;

    void openAll()
    {
        QVERIFY(Firebird::Open(content, "content", home->appDir() + "TEVAKA.FDB"));
        QVERIFY(Firebird::Open(client, "client", home->appDir() + "TEVAKACLIENT.FDB"));
        QVERIFY(Firebird::Open(dict, "dict", home->appDir() + "PALIDICT.FDB"));
    }
    void closeAll()
    {
        for (QSqlDatabase *db : {&content, &client, &dict}) {
            const QString name = db->connectionName();
            db->close();
            *db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
        }
    }
    static QVariant one(QSqlDatabase &db, const QString &sql)
    {
        QSqlQuery q(db);
        if (!q.exec(sql) || !q.next())
            return QVariant();
        return q.value(0);
    }

private slots:
    void init()
    {
        home = std::make_unique<TestHome>();
        QVERIFY(home->copySampleDatabases());
        openAll();
    }
    void cleanup() { closeAll(); }

    void rowCounts_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("count");
        QTest::newRow("nodes") << "select count(*) from TEVAKA_TREE" << 7;
        QTest::newRow("suttas") << "select count(*) from TEVAKA_CONTENT" << 7;
        QTest::newRow("DN") << "select count(*) from TEVAKA_CONTENT where ID_TVK = 1" << 2;
        QTest::newRow("KN") << "select count(*) from TEVAKA_CONTENT where ID_TVK = 5" << 2;
        QTest::newRow("verses") << "select count(*) from PHAP_CU" << 3;
        QTest::newRow("no English text") << "select count(*) from TEVAKA_CONTENT where CONTENT_ENG is null" << 2;
        QTest::newRow("English name null, not empty") << "select count(*) from TEVAKA_CONTENT where NAME_TVC_ENG is null" << 1;
        QTest::newRow("other translation") << "select count(*) from TEVAKA_CONTENT where CONTENT_VIE_OTHER is not null" << 1;
        QTest::newRow("no Vietnamese missing") << "select count(*) from TEVAKA_CONTENT where CONTENT_VIE is null" << 0;
        QTest::newRow("top-level nodes") << "select count(*) from TEVAKA_TREE where P_ID_TVT = 0" << 6;
    }

    void rowCounts()
    {
        QFETCH(QString, sql);
        QFETCH(int, count);
        QCOMPARE(one(content, sql).toInt(), count);
    }

    void userDatabaseHasEverySutta()
    {
        QCOMPARE(one(client, "select count(*) from SUTTA_LIST").toInt(), 7);
        QCOMPARE(one(client, "select count(*) from SUTTA_LIST where FAVOURITE_SUT <> 0").toInt(), 0);
        QCOMPARE(one(client, "select NAME_SUT_PAL from SUTTA_LIST where TVC_SUT = 35").toString(),
                 QString::fromUtf8("Mūlapariyāyasutta"));
    }

    void treeQueryKeysAndOtherContent()
    {
        // The reader's tree query, as it loads one collection.
        const QString tree =
            "select cast((3000 + T.ID_TVT) as integer) ID_TVC, T.ID_TVK || T.ID_TVT TREE_ID, T.P_ID_TVK || T.P_ID_TVT P_TREE_ID,\n"
            "       0 HAS_OTHER_CONTENT\nfrom TEVAKA_TREE T\nwhere T.ID_TVK = :ID_TVK\nunion\n"
            "select N.ID_TVC, N.ID_TVC || N.ID_TVK || N.ID_TVT TREE_ID, N.ID_TVK || N.ID_TVT P_TREE_ID,\n"
            "       case\n         when N.CONTENT_VIE_OTHER is null then 0\n         else 1\n       end\n"
            "from TEVAKA_CONTENT N\nwhere N.ID_TVK = :ID_TVK    ";
        for (int book = 1; book <= 5; ++book) {
            QSqlQuery q(content);
            QVERIFY(q.prepare(tree));
            q.bindValue(":ID_TVK", book);
            QVERIFY(q.exec());
            QSet<QString> keys;
            int rows = 0, other = 0;
            while (q.next()) {
                ++rows;
                keys.insert(q.value(1).toString());
                if (q.value(3).toInt() == 1) {
                    ++other;
                    QCOMPARE(q.value(0).toInt(), 604);
                }
            }
            QVERIFY(rows > 0);
            QCOMPARE(keys.size(), rows);
            QCOMPARE(other, book == 5 ? 1 : 0);
        }
    }

    void pages()
    {
        QSqlQuery q(content);
        QVERIFY(q.exec("select CONTENT_PAL, CONTENT_ENG from TEVAKA_CONTENT where ID_TVC = 1"));
        QVERIFY(q.next());
        const QString pali = QString::fromUtf8(q.value(0).toByteArray());
        QVERIFY(pali.indexOf("Tatra kho") < pali.indexOf("Idamavoca")); // file order, not key order
        QCOMPARE(pali.count("<p>"), 3);
        const QString eng = QString::fromUtf8(q.value(1).toByteArray());
        QVERIFY(eng.contains(QString::fromUtf8("Rājagaha &amp; Nāḷandā, where 1 &lt; 2.")));
        QVERIFY(eng.contains("<b>between</b>"));
        QVERIFY(q.exec("select CONTENT_PAL, CONTENT_VIE from TEVAKA_CONTENT where ID_TVC = 373"));
        QVERIFY(q.next());
        const QString grouped = QString::fromUtf8(q.value(0).toByteArray());
        QVERIFY(grouped.indexOf("id=\"sn1.1\"") >= 0);
        QVERIFY(grouped.indexOf("id=\"sn1.1\"") < grouped.indexOf("id=\"sn1.2\""));
        const QString vie = QString::fromUtf8(q.value(1).toByteArray());
        QVERIFY(vie.indexOf(QString::fromUtf8("Vượt Qua")) < vie.indexOf(QString::fromUtf8("Giải Thoát")));
    }

    void verses()
    {
        QSqlQuery q(content);
        QVERIFY(q.exec("select NO_PHC, CONTENT_PHC, CONTENT_PHC_ENG, VOICE_PALI from PHAP_CU order by NO_PHC"));
        QVERIFY(q.next());
        QCOMPARE(q.value(1).toString(), QString::fromUtf8("Tâm đi trước mọi việc,\r\ntâm dẫn lối, tâm làm;"));
        QCOMPARE(q.value(3).toByteArray(), readFile(importedCorpus() + "/dhammapada/voice/001.mp3"));
        QVERIFY(q.value(3).toByteArray().size() > 100);
        QVERIFY(q.next());
        QVERIFY(q.value(2).toString().endsWith("you speak or act \\ back-slash."));
        QVERIFY(q.next());
        QVERIFY(q.value(2).toString().size() > 255); // stored whole, not cut
    }

    void listWords()
    {
        QSqlQuery q(dict);
        QVERIFY(q.prepare("SELECT e.WORD_NAME, e.DICT_TYPE FROM SP_GET_LIST_WORDS(:A_DICT) e"));
        q.bindValue(":A_DICT", 8);
        QVERIFY(q.exec());
        QStringList words;
        while (q.next()) {
            words << q.value(0).toString();
            QCOMPARE(q.value(1).toInt(), 8);
        }
        QCOMPARE(words, (QStringList{"dhamma", "Dhamma", "mano"}));
        QVERIFY(q.prepare("SELECT e.WORD_NAME, e.DICT_TYPE FROM SP_GET_LIST_WORDS(:A_DICT) e where "
                          " (e.WORD_NAME starting with :SEARCHTEXT) or  (e.WORD_NAME starting with :SEARCHTEXT_MIXER)"));
        q.bindValue(":A_DICT", 8);
        q.bindValue(":SEARCHTEXT", "dh");
        q.bindValue(":SEARCHTEXT_MIXER", "Dh");
        QVERIFY(q.exec());
        int n = 0;
        while (q.next())
            ++n;
        QCOMPARE(n, 2);
    }

    void checkWord_data()
    {
        QTest::addColumn<int>("dictType");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("result");
        QTest::newRow("exact") << 8 << "Dhamma" << 1;
        QTest::newRow("lower-case headword") << 8 << "dhamma" << 1;
        QTest::newRow("other case") << 8 << "DHAMMA" << 0;
        QTest::newRow("other dictionary") << 5 << "Dhamma" << 0;
        QTest::newRow("prefix only") << 8 << "dham" << 0;
        QTest::newRow("trailing blank") << 8 << "mano " << 0;
        QTest::newRow("Vietnamese") << 6 << QString::fromUtf8("pháp") << 1;
        QTest::newRow("too long for a headword") << 8 << QString(200, 'a') << 0;
        QTest::newRow("a long selection") << 5 << QString(2000, 'a') << 0; // no truncation error
    }

    void checkWord()
    {
        QFETCH(int, dictType);
        QFETCH(QString, word);
        QFETCH(int, result);
        QSqlQuery q(dict);
        QVERIFY(q.prepare("select sp.result from sp_check_word(:TYPE_DICT, :A_WORD) sp"));
        q.bindValue(":TYPE_DICT", dictType);
        q.bindValue(":A_WORD", word);
        QVERIFY(q.exec());
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), result);
    }

    void wordContent_data()
    {
        QTest::addColumn<int>("dictType");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("multi");
        QTest::addColumn<QString>("content"); // "<null>" for NULL
        QTest::addColumn<QString>("second");
        const QString pv = QString::fromUtf8("@nam tính\r\n*1\r\n-pháp+giáo pháp\r\n=dhammaṁ deseti+thuyết pháp");
        const QString pe = "*1 masc\r\n-teaching; nature";
        QTest::newRow("single") << 5 << "dhamma" << 0 << pv << "<null>";
        QTest::newRow("multi 5 -> 8") << 5 << "dhamma" << 1 << pv + QString::fromUtf8("\r\n#Pāli - Anh\r\n") + pe << pe;
        QTest::newRow("multi 8 -> 5") << 8 << "dhamma" << 1 << pe + QString::fromUtf8("\r\n#Pāli - Việt\r\n") + pv << pv;
        QTest::newRow("multi, none in the other") << 8 << "Dhamma" << 1 << "-the teaching (capitalised)" << "<null>";
        QTest::newRow("multi 2 -> 6") << 2 << QString::fromUtf8("tâm") << 1
                                      << QString::fromUtf8("@danh từ\r\n-mind+heart\r\n#Việt - Pāli\r\n-citta") << "-citta";
        QTest::newRow("absent") << 8 << "nothing" << 0 << "<null>" << "<null>";
        QTest::newRow("only in the other dictionary") << 7 << "go" << 1
                                                       << QString::fromUtf8("#Anh - Việt\r\n-đi") << QString::fromUtf8("-đi");
        QTest::newRow("a long selection") << 5 << QString(2000, 'a') << 1 << "<null>" << "<null>";
    }

    void wordContent()
    {
        QFETCH(int, dictType);
        QFETCH(QString, word);
        QFETCH(int, multi);
        QFETCH(QString, content);
        QFETCH(QString, second);
        QSqlQuery q(dict);
        QVERIFY(q.prepare("select E.WORD_CONTENT, E.WORD_CONTENT_2\nfrom SP_GET_WORD_CONTENT(:DICT_TYPE, :WORD_NAME, :MULTI_DICT) E"));
        q.bindValue(":DICT_TYPE", dictType);
        q.bindValue(":WORD_NAME", word);
        q.bindValue(":MULTI_DICT", multi);
        QVERIFY(q.exec());
        QString got = "<null>", got2 = "<null>";
        if (q.next()) {
            if (!q.value(0).isNull())
                got = QString::fromUtf8(q.value(0).toByteArray());
            if (!q.value(1).isNull())
                got2 = QString::fromUtf8(q.value(1).toByteArray());
        }
        QCOMPARE(got, content);
        QCOMPARE(got2, second);
    }

    void reimportKeepsTheUserDatabase()
    {
        QSqlQuery q(client);
        QVERIFY(q.exec("update SUTTA_LIST set FAVOURITE_SUT = 1 where TVC_SUT = 35"));
        QVERIFY(q.exec("insert into SUTTA_TEXT_FOCUS (ID_FOC, NAME_FOC, PRIORITY_FOC, TVK_SUT, TVC_SUT) "
                       "values (1, 'Đoạn quý', 2, 2, 35)"));
        QVERIFY(q.exec("delete from SUTTA_LIST where TVC_SUT = 1"));
        closeAll();

        Importer importer(importedCorpus(), home->appDir());
        importer.verbose = false;
        QVERIFY2(importer.Run(), qPrintable(importer.errors.join('\n')));

        openAll();
        QCOMPARE(one(client, "select FAVOURITE_SUT from SUTTA_LIST where TVC_SUT = 35").toInt(), 1);
        QCOMPARE(one(client, "select NAME_FOC from SUTTA_TEXT_FOCUS where ID_FOC = 1").toString(), QString::fromUtf8("Đoạn quý"));
        QCOMPARE(one(client, "select count(*) from SUTTA_LIST").toInt(), 7); // the missing row came back
    }

    void corpusErrors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replace");
        QTest::addColumn<QString>("where");
        QTest::newRow("bad TSV row") << "manifest/leaves.tsv" << "\tdn2\t" << "\tdn2\textra\t" << "manifest/leaves.tsv:3:";
        QTest::newRow("node id not three digits") << "manifest/nodes.tsv" << "2\t101\t0" << "2\t1011\t0" << "manifest/nodes.tsv:3:";
        QTest::newRow("missing text file") << "manifest/texts.tsv" << "dn2.md" << "dn2-gone.md" << "manifest/texts.tsv:";
        QTest::newRow("bad JSON") << "texts/root/pli/ms/sutta/mn/mn1_root-pli-ms.json" << "\"mn1:1.1\":" << "\"mn1:1.1\"" << "mn1_root-pli-ms.json:";
        QTest::newRow("duplicate headword") << "dict/8.tsv" << "mano\t" << "dhamma\t" << "dict/8.tsv:3:";
        QTest::newRow("verse too long") << "dhammapada/dhammapada.tsv" << "Sati maggo sukhassa." << QString(1100, 'a') << "dhammapada/dhammapada.tsv:4:";
    }

    void corpusErrors()
    {
        QFETCH(QString, file);
        QFETCH(QString, find);
        QFETCH(QString, replace);
        QFETCH(QString, where);
        closeAll();
        QTemporaryDir broken;
        copyTree(importedCorpus(), broken.path());
        const QString path = broken.path() + '/' + file;
        QString text = QString::fromUtf8(readFile(path));
        QVERIFY(text.contains(find));
        text.replace(text.indexOf(find), find.size(), replace);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
        f.close();

        const QByteArray before = readFile(home->appDir() + "TEVAKA.FDB");
        const QByteArray dictBefore = readFile(home->appDir() + "PALIDICT.FDB");
        Importer importer(broken.path(), home->appDir());
        importer.verbose = false;
        QVERIFY(!importer.Run());
        QVERIFY2(importer.errors.join('\n').contains(where), qPrintable(importer.errors.join('\n')));
        // The old databases stay, and no temporary file is left behind.
        QCOMPARE(readFile(home->appDir() + "TEVAKA.FDB"), before);
        QCOMPARE(readFile(home->appDir() + "PALIDICT.FDB"), dictBefore);
        QCOMPARE(QDir(home->appDir()).entryList({"*.new-*"}), QStringList());
        openAll();
    }
};

int main(int argc, char **argv)
{
    prepareTestEnvironment();
    QCoreApplication app(argc, argv);
    TestImport t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_import.moc"
