#include "data/dmClients.h"
#include "common/AppGlobals.h"
#include "data/ClientSchema.h"
#include "data/Firebird.h"

#include <QFileInfo>

TfrmClientsDM *frmClientsDM = nullptr;

const char *const TfrmClientsDM::kFocusSQL =
    "select F.ID_FOC, F.NAME_FOC, F.TEXT_FOC, F.PRIORITY_FOC, F.DESC_FOC, F.TVK_SUT, F.TVC_SUT, S.NAME_SUT_VIE, "
    "S.NAME_SUT_PAL, S.NAME_SUT_ENG, S.FAVOURITE_SUT, F.DATETIME_FOC, F.KEYWORD_FOC from SUTTA_TEXT_FOCUS F "
    "inner join SUTTA_LIST S on (S.TVK_SUT = F.TVK_SUT and S.TVC_SUT = F.TVC_SUT)";

TfrmClientsDM::TfrmClientsDM(QObject *parent) : QObject(parent) {}

TfrmClientsDM::~TfrmClientsDM()
{
    if (dbClientTevaka.isValid())
        dbClientTevaka.close();
    dbClientTevaka = QSqlDatabase();
    QSqlDatabase::removeDatabase("dbClientTevaka");
    if (frmClientsDM == this)
        frmClientsDM = nullptr;
}

void TfrmClientsDM::DataModuleCreate(QSqlDatabase *content)
{
    vIsOKClients = true;
    const QString path = vAppPath + "TEVAKACLIENT.FDB";
    bool created = false;
    // QFileInfo::exists is false for a dangling link too; never create over anything that is there.
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        created = ClientSchema::Create(path);

    if (!Firebird::Open(dbClientTevaka, "dbClientTevaka", path) || !trClientTevaka.StartTransaction(dbClientTevaka)) {
        vIsOKClients = false;
        return;
    }
    if (created && content && content->isOpen())
        ClientSchema::AddMissingSuttas(dbClientTevaka, *content);
    vDefFocusSQL = QString::fromLatin1(kFocusSQL);
}
