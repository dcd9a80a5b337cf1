#include "data/ClientSchema.h"
#include "data/Firebird.h"

#include <QFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace ClientSchema {

static const char *const kTables[] = {
    "CREATE TABLE SUTTA_LIST ("
    " TVK_SUT INTEGER NOT NULL,"
    " TVC_SUT INTEGER NOT NULL,"
    " NAME_SUT_VIE VARCHAR(127),"
    " NAME_SUT_PAL VARCHAR(127),"
    " NAME_SUT_ENG VARCHAR(127),"
    " FAVOURITE_SUT SMALLINT DEFAULT 0,"
    " CONSTRAINT PK_SUTTA_LIST PRIMARY KEY (TVK_SUT, TVC_SUT))",
    "CREATE INDEX IX_SUTTA_LIST_TVC ON SUTTA_LIST (TVC_SUT)",
    "CREATE TABLE SUTTA_TEXT_FOCUS ("
    " ID_FOC INTEGER NOT NULL,"
    " NAME_FOC VARCHAR(127),"
    " TEXT_FOC BLOB SUB_TYPE 0,"
    " PRIORITY_FOC INTEGER,"
    " DESC_FOC VARCHAR(2047),"
    " TVK_SUT INTEGER,"
    " TVC_SUT INTEGER,"
    " DATETIME_FOC TIMESTAMP,"
    " KEYWORD_FOC VARCHAR(127),"
    " CONSTRAINT PK_SUTTA_TEXT_FOCUS PRIMARY KEY (ID_FOC))",
};

bool Create(const QString &path, QString *error)
{
    if (QFile::exists(path)) {
        if (error)
            *error = QStringLiteral("file exists: %1").arg(path);
        return false;
    }
    // Built under a temporary name so a failure never leaves a half-made database behind.
    const QString temp = path + ".new-" + QUuid::createUuid().toString(QUuid::Id128).left(8);
    if (!Firebird::CreateDatabase(temp, error))
        return false;
    const QString name = "ClientSchema-" + temp;
    bool ok = true;
    {
        QSqlDatabase db;
        ok = Firebird::Open(db, name, temp, error);
        for (const char *sql : kTables) {
            if (!ok)
                break;
            QSqlQuery q(db);
            if (!(ok = q.exec(QString::fromLatin1(sql))) && error)
                *error = q.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (ok && !QFile::rename(temp, path)) {
        ok = false;
        if (error)
            *error = QStringLiteral("cannot rename %1 to %2").arg(temp, path);
    }
    if (!ok)
        QFile::remove(temp);
    return ok;
}

int AddMissingSuttas(QSqlDatabase &client, QSqlDatabase &content, QString *error)
{
    auto fail = [error](const QSqlQuery &q) {
        if (error)
            *error = q.lastError().text();
        return -1;
    };
    QSet<qint64> present;
    QSqlQuery have(client);
    have.setForwardOnly(true);
    if (!have.exec("SELECT TVK_SUT, TVC_SUT FROM SUTTA_LIST"))
        return fail(have);
    while (have.next())
        present.insert(have.value(0).toLongLong() << 32 | have.value(1).toUInt());

    QSqlQuery suttas(content);
    suttas.setForwardOnly(true);
    if (!suttas.exec("SELECT ID_TVK, ID_TVC, NAME_TVC_VIE, NAME_TVC_PAL, NAME_TVC_ENG FROM TEVAKA_CONTENT ORDER BY ID_TVC"))
        return fail(suttas);
    QSqlQuery insert(client);
    if (!insert.prepare("INSERT INTO SUTTA_LIST( TVK_SUT, TVC_SUT, NAME_SUT_VIE, NAME_SUT_PAL, NAME_SUT_ENG, "
                        "FAVOURITE_SUT ) VALUES( :TVK_SUT, :TVC_SUT, :NAME_SUT_VIE, :NAME_SUT_PAL, :NAME_SUT_ENG, 0 )"))
        return fail(insert);
    int added = 0;
    while (suttas.next()) {
        if (present.contains(suttas.value(0).toLongLong() << 32 | suttas.value(1).toUInt()))
            continue;
        insert.bindValue(":TVK_SUT", suttas.value(0));
        insert.bindValue(":TVC_SUT", suttas.value(1));
        insert.bindValue(":NAME_SUT_VIE", suttas.value(2));
        insert.bindValue(":NAME_SUT_PAL", suttas.value(3));
        insert.bindValue(":NAME_SUT_ENG", suttas.value(4));
        if (!insert.exec())
            return fail(insert);
        ++added;
    }
    return added;
}

} // namespace ClientSchema
