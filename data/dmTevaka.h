#pragma once
#include "data/Transaction.h"
#include "settings/SettingsRecord.h"

#include <QObject>
#include <QSqlDatabase>

// Owns the settings record and the connection to the content database.
class TfrmTevakaDM : public QObject, public TSettingsRecord
{
    Q_OBJECT
public:
    explicit TfrmTevakaDM(QObject *parent = nullptr);
    ~TfrmTevakaDM() override;

    // Reads the settings and connects; on failure shows the connection message
    // in the stored interface language and returns false.
    bool DataModuleCreate();

    static QString FailureText(int interfaceLang);

    QSqlDatabase dbTevaka;
    TTransaction trTevaka;
    bool vIsOKTevaka = false;
};

extern TfrmTevakaDM *frmTevakaDM;
