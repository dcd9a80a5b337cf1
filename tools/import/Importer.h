#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Builds TEVAKA.FDB and PALIDICT.FDB from a corpus folder, and TEVAKACLIENT.FDB
// when it does not exist (an existing one only gains missing sutta rows).
// Each database is built under a temporary name and renamed over the old file
// only when complete and verified.
class Importer
{
public:
    Importer(const QString &corpusDir, const QString &outDir);
    bool Run();

    QStringList errors;   // "file:line: message"
    bool verbose = true;

private:
    struct Node { int collection, id, parent, position; QString vie, pal, eng; int line; };
    struct TextFile { QString lang, format, path, uid; int seq; int line; };
    struct Leaf { int id, collection, node, number, position; QString uid, vie, pal, eng; QStringList uids; QList<TextFile> texts; int line; };

    bool ReadManifest();
    bool BuildContent(const QString &path);
    bool BuildDictionary(const QString &path);
    bool UpdateClient(const QString &contentPath);
    bool RenderLeaf(const Leaf &leaf, const QString &lang, QByteArray &page);
    bool ReadTsv(const QString &rel, int columns, bool header, QList<QStringList> &rows, QList<int> &lines);
    void Error(const QString &rel, int line, const QString &message);
    void Progress(const QString &text);
    bool Replace(const QString &temp, const QString &final);

    QString m_corpus, m_out;
    QList<Node> m_nodes;
    QList<Leaf> m_leaves;
    QHash<int, QString> m_collectionNames;
};
