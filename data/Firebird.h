#pragma once
#include <QSqlDatabase>
#include <QString>

// Firebird 3 embedded: every database is a plain local file opened in-process
// by libfbclient with the engine plugin; no server is involved.
namespace Firebird {

inline constexpr const char *kUser = "SYSDBA";
inline constexpr const char *kPassword = "pinewoods";

// Points FIREBIRD_LOCK at a folder of the current user unless it is set
// already; the engine's default /tmp/firebird belongs to whoever ran first.
// Must run before the first connection of the process.
void EnsureLockFolder();

// Creates an empty database file (dialect 3, UNICODE_FSS). Fails, leaving any
// existing file alone, when the file already exists.
bool CreateDatabase(const QString &path, QString *error = nullptr);

// Adds and opens a QIBASE connection to a local database file with the
// program's connection parameters. The connection runs in autocommit mode:
// every statement is committed at once.
bool Open(QSqlDatabase &db, const QString &connectionName, const QString &path, QString *error = nullptr);

} // namespace Firebird
