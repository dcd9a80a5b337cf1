#pragma once
#include "data/Transaction.h"

#include <QObject>
#include <QSqlDatabase>

// Owns the dictionary database; optional, read through its stored procedures.
class TfrmDictionaryDM : public QObject
{
    Q_OBJECT
public:
    explicit TfrmDictionaryDM(QObject *parent = nullptr);
    ~TfrmDictionaryDM() override;

    void DataModuleCreate();

    QSqlDatabase dbDictionary;
    TTransaction trDictionary;
    bool vIsOKDictionary = false;
};

extern TfrmDictionaryDM *frmDictionaryDM;
