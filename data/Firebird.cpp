#include "data/Firebird.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <ibase.h>
#include <unistd.h>

namespace Firebird {

void EnsureLockFolder()
{
    if (!qEnvironmentVariableIsEmpty("FIREBIRD_LOCK"))
        return;
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isWritable())
        base = QDir::tempPath();
    const QString lock = base + "/tevaka-firebird-" + QString::number(getuid());
    QDir().mkpath(lock);
    QFile::setPermissions(lock, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("FIREBIRD_LOCK", QFile::encodeName(lock));
}

static QString statusText(const ISC_STATUS *status)
{
    QString text;
    char buffer[512];
    const ISC_STATUS *p = status;
    while (fb_interpret(buffer, sizeof buffer, &p)) {
        if (!text.isEmpty())
            text += "; ";
        text += QString::fromLocal8Bit(buffer);
    }
    return text;
}

bool CreateDatabase(const QString &path, QString *error)
{
    EnsureLockFolder();
    if (QFile::exists(path)) {
        if (error)
            *error = QStringLiteral("file exists: %1").arg(path);
        return false;
    }
    QString escaped = path;
    escaped.replace('\'', "''");
    const QByteArray sql = QStringLiteral("CREATE DATABASE '%1' USER '%2' PASSWORD '%3' "
                                          "PAGE_SIZE 16384 DEFAULT CHARACTER SET UNICODE_FSS")
                               .arg(escaped, kUser, kPassword)
                               .toUtf8();
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (isc_dsql_execute_immediate(status, &db, &tr, 0, sql.constData(), 3, nullptr)) {
        if (error)
            *error = statusText(status);
        return false;
    }
    isc_detach_database(status, &db);
    return true;
}

bool Open(QSqlDatabase &db, const QString &connectionName, const QString &path, QString *error)
{
    EnsureLockFolder();
    db = QSqlDatabase::contains(connectionName) ? QSqlDatabase::database(connectionName, false)
                                                : QSqlDatabase::addDatabase("QIBASE", connectionName);
    if (db.isOpen())
        db.close();
    db.setHostName(QString());            // no server part: the embedded engine opens the file
    db.setDatabaseName(path);
    db.setUserName(kUser);
    db.setPassword(kPassword);
    db.setConnectOptions("ISC_DPB_LC_CTYPE=UNICODE_FSS");
    // A missing file would otherwise surface as an obscure engine error.
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("no such file: %1").arg(path);
        return false;
    }
    if (!db.open()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace Firebird
