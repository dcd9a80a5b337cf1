#pragma once
#include "data/Transaction.h"

#include <QObject>
#include <QSqlDatabase>

// Owns the user database, the only store the program writes. Optional: when it
// cannot be opened the program runs on without personal marks.
class TfrmClientsDM : public QObject
{
    Q_OBJECT
public:
    explicit TfrmClientsDM(QObject *parent = nullptr);
    ~TfrmClientsDM() override;

    // Connects; a missing file is first created empty and filled with one
    // SUTTA_LIST row per sutta of the content database. A file that exists but
    // cannot be opened is left untouched and only clears vIsOKClients.
    void DataModuleCreate(QSqlDatabase *content);

    // The passage list's select statement as designed.
    static const char *const kFocusSQL;

    QSqlDatabase dbClientTevaka;
    TTransaction trClientTevaka;
    bool vIsOKClients = false;
    QString vDefFocusSQL;
};

extern TfrmClientsDM *frmClientsDM;
