#pragma once
#include <QSqlDatabase>
#include <QStringList>

// The one transaction of a connection. Qt's QIBASE driver commits every
// statement at once when no explicit transaction is open, which is how this
// program works: each insert, update and delete is committed immediately and
// every read sees what is committed. The parameters below are the ones the
// program's transactions are described with; starting the transaction checks
// that the database answers.
class TTransaction
{
public:
    QStringList Params{"write", "isc_tpb_nowait", "read_committed", "rec_version"};

    bool StartTransaction(QSqlDatabase &db, QString *error = nullptr);
    bool Active() const { return m_active; }

private:
    bool m_active = false;
};
