#include "data/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>

bool TTransaction::StartTransaction(QSqlDatabase &db, QString *error)
{
    m_active = false;
    QSqlQuery probe(db);
    // A file that opened but is not a usable database fails here.
    if (!probe.exec("select 1 from rdb$database") || !probe.next()) {
        if (error)
            *error = probe.lastError().text();
        return false;
    }
    m_active = true;
    return true;
}
