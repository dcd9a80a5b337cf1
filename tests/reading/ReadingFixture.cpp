#include "ReadingFixture.h"
#include "data/Firebird.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace ReadingFixture {

QByteArray LongVietnamesePage()
{
    QByteArray body;
    for (int i = 1; i <= 200; ++i)
        body += "<p>Đoạn " + QByteArray::number(i) + ": Như vầy tôi nghe. Một thời Thế Tôn trú ở Rājagaha.</p>\n";
    return "<html><head><style>body{background:#FFFFF0;font-family:'Segoe UI'}</style></head><body>"
           "<p><a id=\"web\" href=\"https://example.org/tevaka\">web</a></p>"
           "<p>Một thời Thế Tôn trú ở Sāvat<b>thī</b>, Jetavana.</p>\n"
           + body + "</body></html>";
}

QByteArray PaliPage()
{
    return "<html><body><p>Evaṃ me sutaṃ — ekaṃ samayaṃ bhagavā Sāvatthiyaṃ viharati.</p></body></html>";
}

QByteArray EnglishPage()
{
    return "<html><body><p>So I have heard. At one time the Buddha was staying near Sāvatthī.</p></body></html>";
}

QByteArray OtherPage()
{
    return "<html><body style=\"background:#c0ffc0\"><p><a id=\"web\" href=\"https://example.org/other\">web</a></p>"
           "<p>Bản dịch khác: Tôi nghe như vầy.</p></body></html>";
}

bool CreateContentDatabase(const QString &appDir, QString *error)
{
    const QString path = appDir + "TEVAKA.FDB";
    if (!Firebird::CreateDatabase(path, error))
        return false;
    bool ok = true;
    {
        QSqlDatabase db;
        if (!Firebird::Open(db, "fixture", path, error))
            return false;
        QSqlQuery q(db);
        auto run = [&](const QString &sql) {
            if (ok && !q.exec(sql)) {
                ok = false;
                if (error)
                    *error = q.lastError().text();
            }
        };
        run("create table TEVAKA_TREE (ID_TVK integer not null, ID_TVT integer not null, P_ID_TVK integer, "
            "P_ID_TVT integer, NAME_TVT_VIE varchar(127), NAME_TVT_PAL varchar(127), NAME_TVT_ENG varchar(127), "
            "primary key (ID_TVK, ID_TVT))");
        run("create table TEVAKA_CONTENT (ID_TVC integer not null, ID_TVK integer not null, ID_TVT integer not null, "
            "NUMBER_TVC integer, NAME_TVC_VIE varchar(127), NAME_TVC_ENG varchar(127), NAME_TVC_PAL varchar(127), "
            "CONTENT_PAL blob sub_type 0, CONTENT_ENG blob sub_type 0, CONTENT_VIE blob sub_type 0, "
            "CONTENT_VIE_OTHER blob sub_type 0, primary key (ID_TVC, ID_TVK, ID_TVT))");
        struct Node { int tvk, tvt, ptvt; const char *vie, *pal, *eng; };
        const Node nodes[] = {{1, 101, 0, "Phẩm Giới", "Sīlakkhandhavagga", "The Chapter on Ethics"},
                              {1, 102, 101, "Phẩm Đại", "Mahāvagga", nullptr},
                              {2, 101, 0, "Năm Mươi Kinh Căn Bản", "Mūlapaṇṇāsa", "The Root Fifty"}};
        for (const Node &n : nodes) {
            if (!ok)
                break;
            q.prepare("insert into TEVAKA_TREE values (?, ?, ?, ?, ?, ?, ?)");
            q.addBindValue(n.tvk);
            q.addBindValue(n.tvt);
            q.addBindValue(n.tvk);
            q.addBindValue(n.ptvt);
            q.addBindValue(QString::fromUtf8(n.vie));
            q.addBindValue(QString::fromUtf8(n.pal));
            q.addBindValue(n.eng ? QVariant(QString::fromUtf8(n.eng)) : QVariant(QMetaType(QMetaType::QString)));
            ok = q.exec();
        }
        struct Sutta { int tvc, tvk, tvt, number; const char *vie, *eng, *pal; QByteArray p, e, v, o; };
        const Sutta suttas[] = {
            {1, 1, 101, 1, "Kinh Phạm Võng", "The Prime Net", "Brahmajālasutta", PaliPage(), EnglishPage(),
             LongVietnamesePage(), QByteArray()},
            {2, 1, 102, 2, "Kinh Sa Môn Quả", nullptr, "Sāmaññaphalasutta", PaliPage(), EnglishPage(),
             LongVietnamesePage(), OtherPage()},
            {3, 1, 102, 3, "Kinh Ambaṭṭha", "With Ambaṭṭha", "Ambaṭṭhasutta", PaliPage(), QByteArray(),
             "<html><body><p>Kinh Ambaṭṭha</p></body></html>", QByteArray()},
            {35, 2, 101, 1, "Kinh Pháp Môn Căn Bản", "The Root of All Things", "Mūlapariyāyasutta", PaliPage(),
             EnglishPage(), "<html><body><p>Pháp môn căn bản</p></body></html>", QByteArray()},
            {36, 2, 101, 2, "Kinh Tất Cả Lậu Hoặc", "All the Defilements", "Sabbāsavasutta", PaliPage(),
             EnglishPage(), "<html><body><p>Tất cả lậu hoặc</p></body></html>", QByteArray()}};
        for (const Sutta &s : suttas) {
            if (!ok)
                break;
            q.prepare("insert into TEVAKA_CONTENT values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
            q.addBindValue(s.tvc);
            q.addBindValue(s.tvk);
            q.addBindValue(s.tvt);
            q.addBindValue(s.number);
            q.addBindValue(QString::fromUtf8(s.vie));
            q.addBindValue(s.eng ? QVariant(QString::fromUtf8(s.eng)) : QVariant(QMetaType(QMetaType::QString)));
            q.addBindValue(QString::fromUtf8(s.pal));
            for (const QByteArray &b : {s.p, s.e, s.v, s.o})
                q.addBindValue(b.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(b));
            ok = q.exec();
        }
        if (!ok && error && error->isEmpty())
            *error = q.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase("fixture");
    return ok;
}

} // namespace ReadingFixture
