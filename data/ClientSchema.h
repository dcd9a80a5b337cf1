#pragma once
#include <QSqlDatabase>
#include <QString>

// Schema of the user database, shared by the importer and by the program,
// which creates a missing user database on its first start.
namespace ClientSchema {

// Creates a new, empty user database file with its tables, keys and index.
// Fails, leaving any file alone, when the file exists.
bool Create(const QString &path, QString *error = nullptr);

// Adds a SUTTA_LIST row (titles copied, FAVOURITE_SUT 0) for every sutta of
// the content database that has none; never changes or deletes a row.
// Returns the number of rows added, or -1 on error.
int AddMissingSuttas(QSqlDatabase &client, QSqlDatabase &content, QString *error = nullptr);

} // namespace ClientSchema
