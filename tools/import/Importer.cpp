#include "Importer.h"
#include "PageRenderer.h"
#include "data/ClientSchema.h"
#include "data/Firebird.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <map>
#include <unistd.h>

using namespace PageRenderer;

// Widths of the text columns; the importer refuses longer texts instead of cutting them.
static constexpr int kNameWidth = 127;
static constexpr int kVerseWidth = 1023;
static constexpr int kHeadwordWidth = 63;

static const char *const kContentSchema[] = {
    "CREATE TABLE TEVAKA_TREE (ID_TVK INTEGER NOT NULL, ID_TVT INTEGER NOT NULL, P_ID_TVK INTEGER, P_ID_TVT INTEGER,"
    " NAME_TVT_VIE VARCHAR(127), NAME_TVT_PAL VARCHAR(127), NAME_TVT_ENG VARCHAR(127), POSITION_TVT INTEGER,"
    " CONSTRAINT PK_TEVAKA_TREE PRIMARY KEY (ID_TVK, ID_TVT))",
    "CREATE TABLE TEVAKA_CONTENT (ID_TVC INTEGER NOT NULL, ID_TVK INTEGER NOT NULL, ID_TVT INTEGER NOT NULL,"
    " NUMBER_TVC INTEGER, NAME_TVC_VIE VARCHAR(127), NAME_TVC_ENG VARCHAR(127), NAME_TVC_PAL VARCHAR(127),"
    " POSITION_TVC INTEGER, CONTENT_PAL BLOB SUB_TYPE 0, CONTENT_ENG BLOB SUB_TYPE 0, CONTENT_VIE BLOB SUB_TYPE 0,"
    " CONTENT_VIE_OTHER BLOB SUB_TYPE 0, CONSTRAINT PK_TEVAKA_CONTENT PRIMARY KEY (ID_TVC, ID_TVK, ID_TVT))",
    "CREATE UNIQUE INDEX UX_TEVAKA_CONTENT_TVC ON TEVAKA_CONTENT (ID_TVC)",
    "CREATE INDEX IX_TEVAKA_CONTENT_TVK ON TEVAKA_CONTENT (ID_TVK)",
    "CREATE TABLE PHAP_CU (NO_PHC INTEGER NOT NULL, NO_CHAPTER INTEGER, CONTENT_PHC VARCHAR(1023),"
    " CONTENT_PHC_PALI VARCHAR(1023), CONTENT_PHC_ENG VARCHAR(1023), CHAPTER_PHC VARCHAR(255),"
    " CHAPTER_PHC_PALI VARCHAR(127), CHAPTER_PHC_ENG VARCHAR(127), VOICE_PALI BLOB SUB_TYPE 0,"
    " CONSTRAINT PK_PHAP_CU PRIMARY KEY (NO_PHC))",
    "CREATE INDEX IX_PHAP_CU_CHAPTER ON PHAP_CU (NO_CHAPTER)",
};

static const char *const kDictionarySchema[] = {
    "CREATE TABLE DICT_ENTRY (DICT_TYPE INTEGER NOT NULL, WORD_NAME VARCHAR(63) NOT NULL, SORT_NO INTEGER NOT NULL,"
    " WORD_TEXT VARCHAR(8000), WORD_BLOB BLOB SUB_TYPE TEXT,"
    " CONSTRAINT PK_DICT_ENTRY PRIMARY KEY (DICT_TYPE, WORD_NAME))",
    "CREATE UNIQUE INDEX UX_DICT_ENTRY_SORT ON DICT_ENTRY (DICT_TYPE, SORT_NO)",
    // Headwords in the file's order.
    "CREATE PROCEDURE SP_GET_LIST_WORDS (A_DICT INTEGER) RETURNS (WORD_NAME VARCHAR(63), DICT_TYPE INTEGER) AS "
    "BEGIN "
    "  FOR SELECT E.WORD_NAME, E.DICT_TYPE FROM DICT_ENTRY E WHERE E.DICT_TYPE = :A_DICT ORDER BY E.SORT_NO "
    "      INTO :WORD_NAME, :DICT_TYPE DO SUSPEND; "
    "END",
    // Exact, case-sensitive headword test; one row, RESULT 1 or 0. The word parameters are wide so that a
    // long selection sent by the reader gives 0 (or no entry) instead of a truncation error.
    "CREATE PROCEDURE SP_CHECK_WORD (TYPE_DICT INTEGER, A_WORD VARCHAR(8191)) RETURNS (RESULT SMALLINT) AS "
    "BEGIN "
    "  RESULT = 0; "
    "  IF (CHAR_LENGTH(A_WORD) <= 63 AND EXISTS(SELECT 1 FROM DICT_ENTRY E WHERE E.DICT_TYPE = :TYPE_DICT "
    "      AND E.WORD_NAME = :A_WORD AND CHAR_LENGTH(E.WORD_NAME) = CHAR_LENGTH(:A_WORD))) THEN RESULT = 1; "
    "  SUSPEND; "
    "END",
    // The entry; with MULTI_DICT the same headword of the third-language dictionary is appended after a
    // '#' line naming it, and also returned alone in WORD_CONTENT_2.
    "CREATE PROCEDURE SP_GET_WORD_CONTENT (DICT_TYPE INTEGER, WORD_NAME VARCHAR(8191), MULTI_DICT INTEGER) "
    "RETURNS (WORD_CONTENT BLOB SUB_TYPE TEXT, WORD_CONTENT_2 BLOB SUB_TYPE TEXT) AS "
    "DECLARE OTHER INTEGER; "
    "DECLARE OTHER_NAME VARCHAR(40); "
    "BEGIN "
    "  WORD_CONTENT = NULL; WORD_CONTENT_2 = NULL; "
    "  IF (CHAR_LENGTH(:WORD_NAME) <= 63) THEN "
    "  BEGIN "
    "    SELECT COALESCE(E.WORD_BLOB, E.WORD_TEXT) FROM DICT_ENTRY E WHERE E.DICT_TYPE = :DICT_TYPE AND E.WORD_NAME = :WORD_NAME "
    "      INTO :WORD_CONTENT; "
    "    IF (COALESCE(:MULTI_DICT, 0) <> 0) THEN "
    "    BEGIN "
    "      OTHER = CASE :DICT_TYPE WHEN 1 THEN 7 WHEN 2 THEN 6 WHEN 5 THEN 8 WHEN 6 THEN 2 WHEN 7 THEN 1 "
    "                              WHEN 8 THEN 5 ELSE 0 END; "
    "      OTHER_NAME = CASE OTHER WHEN 1 THEN 'Anh - Việt' WHEN 2 THEN 'Việt - Anh' WHEN 5 THEN 'Pāli - Việt' "
    "                   WHEN 6 THEN 'Việt - Pāli' WHEN 7 THEN 'Anh - Pāli' WHEN 8 THEN 'Pāli - Anh' END; "
    "      SELECT COALESCE(E.WORD_BLOB, E.WORD_TEXT) FROM DICT_ENTRY E WHERE E.DICT_TYPE = :OTHER AND E.WORD_NAME = :WORD_NAME "
    "        INTO :WORD_CONTENT_2; "
    "      IF (WORD_CONTENT_2 IS NOT NULL) THEN "
    "        WORD_CONTENT = COALESCE(WORD_CONTENT || ASCII_CHAR(13) || ASCII_CHAR(10), '') || '#' || OTHER_NAME "
    "                       || ASCII_CHAR(13) || ASCII_CHAR(10) || WORD_CONTENT_2; "
    "    END "
    "  END "
    "  SUSPEND; "
    "END",
};

// The temporary files being built. An interrupt (Ctrl+C, SIGTERM, SIGHUP) removes them before the
// process ends, so an interrupted import leaves neither a half-built file nor a changed database.
static char g_temps[2][4096];

extern "C" void removeTempsAndExit(int sig)
{
    for (char *path : g_temps)
        if (path[0])
            unlink(path);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

static void holdTemps(const QString &first, const QString &second)
{
    const QByteArray paths[2] = {QFile::encodeName(first), QFile::encodeName(second)};
    for (int i = 0; i < 2; ++i) {
        g_temps[i][0] = 0;
        if (size_t(paths[i].size()) < sizeof g_temps[i])
            std::memcpy(g_temps[i], paths[i].constData(), size_t(paths[i].size()) + 1);
    }
    for (int sig : {SIGINT, SIGTERM, SIGHUP})
        std::signal(sig, removeTempsAndExit);
}

static void releaseTemps()
{
    g_temps[0][0] = g_temps[1][0] = 0;
}

Importer::Importer(const QString &corpusDir, const QString &outDir)
    : m_corpus(QDir(corpusDir).absolutePath()), m_out(QDir(outDir).absolutePath())
{
}

void Importer::Error(const QString &rel, int line, const QString &message)
{
    errors << (line > 0 ? QStringLiteral("%1:%2: %3").arg(rel).arg(line).arg(message)
                        : QStringLiteral("%1: %2").arg(rel, message));
}

void Importer::Progress(const QString &text)
{
    if (verbose) {
        std::printf("%s\n", qPrintable(text));
        std::fflush(stdout);
    }
}

bool Importer::ReadTsv(const QString &rel, int columns, bool header, QList<QStringList> &rows, QList<int> &lines)
{
    QFile f(m_corpus + '/' + rel);
    if (!f.open(QIODevice::ReadOnly)) {
        Error(rel, 0, "cannot read the file");
        return false;
    }
    const QByteArray all = f.readAll();
    const QList<QByteArray> raw = all.split('\n');
    bool ok = true;
    for (int i = header ? 1 : 0; i < raw.size(); ++i) {
        if (raw[i].isEmpty() && i == raw.size() - 1)
            break;
        const QString line = QString::fromUtf8(raw[i]);
        if (line.contains(QChar::ReplacementCharacter)) {
            Error(rel, i + 1, "not valid UTF-8");
            ok = false;
            continue;
        }
        QStringList fields = line.split('\t');
        if (fields.size() != columns) {
            Error(rel, i + 1, QStringLiteral("%1 fields, %2 expected").arg(fields.size()).arg(columns));
            ok = false;
            continue;
        }
        rows << fields;
        lines << i + 1;
    }
    return ok;
}

static bool toInt(const QString &s, int &v)
{
    bool ok = false;
    v = s.toInt(&ok);
    return ok;
}

bool Importer::ReadManifest()
{
    QList<QStringList> rows;
    QList<int> lines;
    bool ok = ReadTsv("manifest/collections.tsv", 5, true, rows, lines);
    for (int i = 0; i < rows.size(); ++i) {
        int c = 0;
        if (!toInt(rows[i][0], c) || c < 1 || c > 5)
            Error("manifest/collections.tsv", lines[i], "collection must be 1 to 5"), ok = false;
        else
            m_collectionNames[c] = rows[i][2];
    }

    rows.clear(), lines.clear();
    const QString nodesFile = "manifest/nodes.tsv";
    ok = ReadTsv(nodesFile, 9, true, rows, lines) && ok;
    QSet<int> nodeKeys;
    static const QRegularExpression threeDigits("^[1-9][0-9][0-9]$");
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        Node n{};
        n.line = lines[i];
        if (!toInt(r[0], n.collection) || n.collection < 1 || n.collection > 5 || !threeDigits.match(r[1]).hasMatch()
            || !toInt(r[1], n.id) || !toInt(r[2], n.parent) || !toInt(r[3], n.position)) {
            Error(nodesFile, n.line, "bad collection, node_id (three digits), parent_id or position");
            ok = false;
            continue;
        }
        n.vie = r[5], n.pal = r[6], n.eng = r[7];
        if (n.vie.isEmpty() || n.pal.isEmpty())
            Error(nodesFile, n.line, "name_vie and name_pal must not be empty"), ok = false;
        if (n.vie.size() > kNameWidth || n.pal.size() > kNameWidth || n.eng.size() > kNameWidth)
            Error(nodesFile, n.line, "name longer than 127 characters"), ok = false;
        if (nodeKeys.contains(n.collection * 1000 + n.id))
            Error(nodesFile, n.line, QStringLiteral("node %1 twice in collection %2").arg(n.id).arg(n.collection)), ok = false;
        nodeKeys.insert(n.collection * 1000 + n.id);
        m_nodes << n;
    }
    for (const Node &n : m_nodes)
        if (n.parent != 0 && !nodeKeys.contains(n.collection * 1000 + n.parent))
            Error(nodesFile, n.line, QStringLiteral("parent %1 is no node of collection %2").arg(n.parent).arg(n.collection)), ok = false;

    rows.clear(), lines.clear();
    const QString leavesFile = "manifest/leaves.tsv";
    ok = ReadTsv(leavesFile, 11, true, rows, lines) && ok;
    QHash<int, int> leafIndex;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        Leaf l{};
        l.line = lines[i];
        if (!toInt(r[0], l.id) || l.id < 1 || l.id >= 3000 || !toInt(r[1], l.collection) || !toInt(r[2], l.node)
            || !toInt(r[3], l.number) || !toInt(r[4], l.position)) {
            Error(leavesFile, l.line, "bad leaf_id (1 to 2999), collection, node_id, number or position");
            ok = false;
            continue;
        }
        if (!nodeKeys.contains(l.collection * 1000 + l.node))
            Error(leavesFile, l.line, QStringLiteral("node %1 is no node of collection %2").arg(l.node).arg(l.collection)), ok = false;
        if (leafIndex.contains(l.id))
            Error(leavesFile, l.line, QStringLiteral("leaf_id %1 twice").arg(l.id)), ok = false;
        l.uid = r[5], l.vie = r[6], l.pal = r[7], l.eng = r[8];
        l.uids = r[10].split(' ', Qt::SkipEmptyParts);
        if (l.vie.size() > kNameWidth || l.pal.size() > kNameWidth || l.eng.size() > kNameWidth)
            Error(leavesFile, l.line, "name longer than 127 characters"), ok = false;
        leafIndex.insert(l.id, m_leaves.size());
        m_leaves << l;
    }

    rows.clear(), lines.clear();
    const QString textsFile = "manifest/texts.tsv";
    ok = ReadTsv(textsFile, 7, true, rows, lines) && ok;
    static const QSet<QString> langs{"pli", "eng", "vie", "vie_alt"};
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList &r = rows[i];
        int leafId = 0;
        TextFile t{};
        t.line = lines[i];
        if (!toInt(r[0], leafId) || !leafIndex.contains(leafId) || !langs.contains(r[1]) || !toInt(r[2], t.seq)
            || (r[3] != "bilara" && r[3] != "markdown")) {
            Error(textsFile, t.line, "unknown leaf_id, lang, seq or format");
            ok = false;
            continue;
        }
        t.lang = r[1], t.format = r[3], t.path = r[4], t.uid = r[5];
        if (t.path.contains("..") || QDir::isAbsolutePath(t.path) || !QFileInfo(m_corpus + '/' + t.path).isFile()) {
            Error(textsFile, t.line, "missing file " + t.path);
            ok = false;
            continue;
        }
        m_leaves[leafIndex[leafId]].texts << t;
    }
    // Files of one language are read in seq order; the Pali files follow the leaf's uids.
    for (Leaf &l : m_leaves) {
        std::stable_sort(l.texts.begin(), l.texts.end(), [](const TextFile &a, const TextFile &b) {
            return a.lang != b.lang ? a.lang < b.lang : a.seq < b.seq;
        });
        QStringList pali;
        for (const TextFile &t : l.texts)
            if (t.lang == "pli")
                pali << t.uid;
        if (!pali.isEmpty() && pali != l.uids)
            Error(leavesFile, l.line, "uids do not match the leaf's Pali files"), ok = false;
    }
    return ok;
}

bool Importer::RenderLeaf(const Leaf &leaf, const QString &lang, QByteArray &page)
{
    QList<BilaraText> bilara;
    QString markdown;
    bool any = false;
    for (const TextFile &t : leaf.texts) {
        if (t.lang != lang)
            continue;
        any = true;
        QFile f(m_corpus + '/' + t.path);
        if (!f.open(QIODevice::ReadOnly)) {
            Error(t.path, 0, "cannot read the file");
            return false;
        }
        const QByteArray bytes = f.readAll();
        if (t.format == "bilara") {
            BilaraText b;
            b.uid = t.uid;
            QString why;
            int line = 0;
            if (!ParseBilara(bytes, b.segments, &why, &line)) {
                Error(t.path, line, "bad JSON: " + why);
                return false;
            }
            bilara << b;
        } else {
            if (QString::fromUtf8(bytes).contains(QChar::ReplacementCharacter)) {
                Error(t.path, 0, "not valid UTF-8");
                return false;
            }
            if (leaf.uids.size() > 1)
                markdown += QStringLiteral("<a name=\"%1\" id=\"%1\"></a>\n").arg(t.uid);
            markdown += MarkdownBody(bytes);
        }
    }
    if (!any) {
        page = QByteArray();
        return true;
    }
    const QString title = lang == "eng" && !leaf.eng.isEmpty() ? leaf.eng : lang == "pli" ? leaf.pal : leaf.vie;
    page = Document(title, BilaraBody(bilara, leaf.uids.size() > 1) + markdown);
    return true;
}

static bool execAll(QSqlDatabase &db, const char *const *sql, size_t n, QString *error)
{
    for (size_t i = 0; i < n; ++i) {
        QSqlQuery q(db);
        if (!q.exec(QString::fromUtf8(sql[i]))) {
            *error = q.lastError().text();
            return false;
        }
    }
    return true;
}

static QString nullIfEmpty(const QString &s) { return s.isEmpty() ? QString() : s; }

static QString decodeEscapes(const QString &s, bool crlf)
{
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            if (s[i + 1] == 'n') {
                out += crlf ? "\r\n" : "\n";
                ++i;
                continue;
            }
            if (s[i + 1] == '\\') {
                out += '\\';
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

bool Importer::BuildContent(const QString &path)
{
    QString error;
    if (!Firebird::CreateDatabase(path, &error)) {
        Error(path, 0, error);
        return false;
    }
    const QString conn = "import-content";
    bool ok = true;
    {
        QSqlDatabase db;
        if (!Firebird::Open(db, conn, path, &error) || !execAll(db, kContentSchema, std::size(kContentSchema), &error)) {
            Error(path, 0, error);
            return false;
        }
        db.transaction();
        QSqlQuery node(db);
        node.prepare("INSERT INTO TEVAKA_TREE (ID_TVK, ID_TVT, P_ID_TVK, P_ID_TVT, NAME_TVT_VIE, NAME_TVT_PAL, "
                     "NAME_TVT_ENG, POSITION_TVT) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
        std::vector<Node> nodes(m_nodes.begin(), m_nodes.end());
        std::stable_sort(nodes.begin(), nodes.end(), [](const Node &a, const Node &b) {
            return a.collection != b.collection ? a.collection < b.collection : a.position < b.position;
        });
        for (const Node &n : nodes) {
            for (const QVariant &v : {QVariant(n.collection), QVariant(n.id), QVariant(n.collection), QVariant(n.parent),
                                      QVariant(n.vie), QVariant(n.pal), QVariant(nullIfEmpty(n.eng)), QVariant(n.position)})
                node.addBindValue(v);
            if (!node.exec()) {
                Error("manifest/nodes.tsv", n.line, node.lastError().text());
                ok = false;
            }
        }
        Progress(QStringLiteral("  tree: %1 nodes").arg(nodes.size()));

        QSqlQuery leaf(db);
        leaf.prepare("INSERT INTO TEVAKA_CONTENT (ID_TVC, ID_TVK, ID_TVT, NUMBER_TVC, NAME_TVC_VIE, NAME_TVC_ENG, "
                     "NAME_TVC_PAL, POSITION_TVC, CONTENT_PAL, CONTENT_ENG, CONTENT_VIE, CONTENT_VIE_OTHER) "
                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        int count = 0;
        for (const Leaf &l : m_leaves) {
            QByteArray pal, eng, vie, other;
            if (!RenderLeaf(l, "pli", pal) || !RenderLeaf(l, "eng", eng) || !RenderLeaf(l, "vie", vie)
                || !RenderLeaf(l, "vie_alt", other)) {
                ok = false;
                continue;
            }
            for (const QVariant &v : {QVariant(l.id), QVariant(l.collection), QVariant(l.node), QVariant(l.number),
                                      QVariant(l.vie), QVariant(nullIfEmpty(l.eng)), QVariant(l.pal),
                                      QVariant(l.position), QVariant(pal), QVariant(eng), QVariant(vie), QVariant(other)})
                leaf.addBindValue(v);
            if (!leaf.exec()) {
                Error("manifest/leaves.tsv", l.line, leaf.lastError().text());
                ok = false;
            }
            if (++count % 500 == 0)
                Progress(QStringLiteral("  suttas: %1").arg(count));
        }
        Progress(QStringLiteral("  suttas: %1").arg(count));

        // Dhammapada verses with their recordings.
        QList<QStringList> rows;
        QList<int> lines;
        const QString dhp = "dhammapada/dhammapada.tsv";
        ok = ReadTsv(dhp, 9, true, rows, lines) && ok;
        QSqlQuery verse(db);
        verse.prepare("INSERT INTO PHAP_CU (NO_PHC, NO_CHAPTER, CONTENT_PHC, CONTENT_PHC_PALI, CONTENT_PHC_ENG, "
                      "CHAPTER_PHC, CHAPTER_PHC_PALI, CHAPTER_PHC_ENG, VOICE_PALI) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList &r = rows[i];
            int no = 0, chapter = 0;
            if (!toInt(r[0], no) || !toInt(r[1], chapter)) {
                Error(dhp, lines[i], "bad verse or chapter number");
                ok = false;
                continue;
            }
            const QString texts[] = {decodeEscapes(r[2], true), decodeEscapes(r[3], true), decodeEscapes(r[4], true)};
            bool fits = true;
            for (const QString &t : texts)
                fits = fits && t.size() <= kVerseWidth;
            if (!fits || r[5].size() > 255 || r[6].size() > kNameWidth || r[7].size() > kNameWidth) {
                Error(dhp, lines[i], "text longer than its column");
                ok = false;
                continue;
            }
            QFile voice(m_corpus + "/dhammapada/" + r[8]);
            if (r[8].contains("..") || !voice.open(QIODevice::ReadOnly)) {
                Error(dhp, lines[i], "missing recording " + r[8]);
                ok = false;
                continue;
            }
            for (const QVariant &v : {QVariant(no), QVariant(chapter), QVariant(texts[0]), QVariant(texts[1]),
                                      QVariant(texts[2]), QVariant(r[5]), QVariant(r[6]), QVariant(r[7]),
                                      QVariant(voice.readAll())})
                verse.addBindValue(v);
            if (!verse.exec()) {
                Error(dhp, lines[i], verse.lastError().text());
                ok = false;
            }
        }
        Progress(QStringLiteral("  verses: %1").arg(rows.size()));

        if (ok && !db.commit()) {
            Error(path, 0, db.lastError().text());
            ok = false;
        }
        if (ok) {
            QSqlQuery check(db);
            ok = check.exec("SELECT (SELECT COUNT(*) FROM TEVAKA_TREE), (SELECT COUNT(*) FROM TEVAKA_CONTENT), "
                            "(SELECT COUNT(*) FROM PHAP_CU) FROM RDB$DATABASE")
                 && check.next() && check.value(0).toInt() == m_nodes.size()
                 && check.value(1).toInt() == m_leaves.size() && check.value(2).toInt() == rows.size();
            if (!ok)
                Error(path, 0, "verification failed: row counts differ from the corpus");
        } else {
            db.rollback();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
    return ok;
}

bool Importer::BuildDictionary(const QString &path)
{
    QString error;
    if (!Firebird::CreateDatabase(path, &error)) {
        Error(path, 0, error);
        return false;
    }
    const QString conn = "import-dictionary";
    bool ok = true;
    {
        QSqlDatabase db;
        if (!Firebird::Open(db, conn, path, &error)
            || !execAll(db, kDictionarySchema, std::size(kDictionarySchema), &error)) {
            Error(path, 0, error);
            return false;
        }
        db.transaction();
        QSqlQuery insert(db);
        // Most entries fit a VARCHAR, which loads far faster than a blob per row; longer ones go to the blob.
        insert.prepare("INSERT INTO DICT_ENTRY (DICT_TYPE, WORD_NAME, SORT_NO, WORD_TEXT, WORD_BLOB) VALUES (?, ?, ?, ?, ?)");
        int total = 0;
        for (int code = 1; code <= 8; ++code) {
            const QString rel = QStringLiteral("dict/%1.tsv").arg(code);
            QList<QStringList> rows;
            QList<int> lines;
            ok = ReadTsv(rel, 2, false, rows, lines) && ok;
            QSet<QString> seen;
            for (int i = 0; i < rows.size(); ++i) {
                const QString &word = rows[i][0];
                if (word.isEmpty() || word.size() > kHeadwordWidth || word != word.trimmed()) {
                    Error(rel, lines[i], "headword empty, untrimmed or longer than 63 characters");
                    ok = false;
                    continue;
                }
                if (seen.contains(word)) {
                    Error(rel, lines[i], "duplicate headword " + word);
                    ok = false;
                    continue;
                }
                seen.insert(word);
                insert.addBindValue(code);
                insert.addBindValue(word);
                insert.addBindValue(i + 1);
                const QString entry = decodeEscapes(rows[i][1], true);
                const bool small = entry.size() <= 8000;
                insert.addBindValue(small ? entry : QString());
                insert.addBindValue(small ? QVariant(QMetaType(QMetaType::QString)) : QVariant(entry));
                if (!insert.exec()) {
                    Error(rel, lines[i], insert.lastError().text());
                    ok = false;
                }
            }
            total += seen.size();
            Progress(QStringLiteral("  dictionary %1: %2 headwords").arg(code).arg(seen.size()));
            if (!ok)
                break;
        }
        if (ok && !db.commit()) {
            Error(path, 0, db.lastError().text());
            ok = false;
        }
        if (ok) {
            QSqlQuery check(db);
            ok = check.exec("SELECT COUNT(*) FROM DICT_ENTRY") && check.next() && check.value(0).toInt() == total;
            if (!ok)
                Error(path, 0, "verification failed: entry count differs from the corpus");
        } else {
            db.rollback();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
    return ok;
}

bool Importer::UpdateClient(const QString &contentPath)
{
    const QString path = m_out + "/TEVAKACLIENT.FDB";
    QString error;
    if (!QFileInfo::exists(path)) {
        if (!ClientSchema::Create(path, &error)) {
            Error(path, 0, error);
            return false;
        }
        Progress("  user database created");
    }
    bool ok = true;
    {
        QSqlDatabase client, content;
        if (!Firebird::Open(client, "import-client", path, &error)
            || !Firebird::Open(content, "import-content-read", contentPath, &error)) {
            Error(path, 0, error);
            ok = false;
        } else {
            const int added = ClientSchema::AddMissingSuttas(client, content, &error);
            if (added < 0) {
                Error(path, 0, error);
                ok = false;
            } else {
                Progress(QStringLiteral("  user database: %1 sutta rows added").arg(added));
            }
        }
        client.close();
        content.close();
    }
    QSqlDatabase::removeDatabase("import-client");
    QSqlDatabase::removeDatabase("import-content-read");
    return ok;
}

bool Importer::Replace(const QString &temp, const QString &final)
{
    // rename(2) replaces the old file in one step.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(final).constData()) != 0) {
        Error(final, 0, "cannot replace the file");
        QFile::remove(temp);
        return false;
    }
    return true;
}

bool Importer::Run()
{
    QElapsedTimer clock;
    clock.start();
    if (!QDir().mkpath(m_out)) {
        Error(m_out, 0, "cannot create the output folder");
        return false;
    }
    Progress("Reading the manifest of " + m_corpus);
    if (!ReadManifest())
        return false;

    const QString tag = QUuid::createUuid().toString(QUuid::Id128).left(8);
    const QString contentTemp = m_out + "/TEVAKA.FDB.new-" + tag;
    const QString dictTemp = m_out + "/PALIDICT.FDB.new-" + tag;
    holdTemps(contentTemp, dictTemp);
    struct Release { ~Release() { releaseTemps(); } } release;
    Progress("Building the content database");
    if (!BuildContent(contentTemp)) {
        QFile::remove(contentTemp);
        return false;
    }
    Progress("Building the dictionary database");
    if (!BuildDictionary(dictTemp)) {
        QFile::remove(contentTemp);
        QFile::remove(dictTemp);
        return false;
    }
    // Both built and verified: only now do they replace the old files.
    if (!Replace(contentTemp, m_out + "/TEVAKA.FDB") || !Replace(dictTemp, m_out + "/PALIDICT.FDB")) {
        QFile::remove(dictTemp);
        return false;
    }
    Progress("Updating the user database");
    if (!UpdateClient(m_out + "/TEVAKA.FDB"))
        return false;

    int suttas[6] = {};
    for (const Leaf &l : m_leaves)
        ++suttas[l.collection];
    auto mib = [this](const char *name) {
        return QString::number(QFileInfo(m_out + '/' + name).size() / 1048576.0, 'f', 1);
    };
    Progress(QStringLiteral("Done in %1 s: %2 nodes, %3 suttas (DN %4, MN %5, AN %6, SN %7, KN %8); "
                            "TEVAKA.FDB %9 MiB, PALIDICT.FDB %10 MiB, TEVAKACLIENT.FDB %11 MiB")
                 .arg(clock.elapsed() / 1000.0, 0, 'f', 1)
                 .arg(m_nodes.size())
                 .arg(m_leaves.size())
                 .arg(suttas[1]).arg(suttas[2]).arg(suttas[3]).arg(suttas[4]).arg(suttas[5])
                 .arg(mib("TEVAKA.FDB"), mib("PALIDICT.FDB"), mib("TEVAKACLIENT.FDB")));
    return true;
}
