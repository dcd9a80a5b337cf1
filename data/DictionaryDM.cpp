#include "data/DictionaryDM.h"
#include "common/AppGlobals.h"
#include "data/Firebird.h"

TfrmDictionaryDM *frmDictionaryDM = nullptr;

TfrmDictionaryDM::TfrmDictionaryDM(QObject *parent) : QObject(parent) {}

TfrmDictionaryDM::~TfrmDictionaryDM()
{
    if (dbDictionary.isValid())
        dbDictionary.close();
    dbDictionary = QSqlDatabase();
    QSqlDatabase::removeDatabase("dbDictionary");
    if (frmDictionaryDM == this)
        frmDictionaryDM = nullptr;
}

void TfrmDictionaryDM::DataModuleCreate()
{
    vIsOKDictionary = Firebird::Open(dbDictionary, "dbDictionary", vAppPath + "PALIDICT.FDB")
                      && trDictionary.StartTransaction(dbDictionary);
}
