#include "data/dmTevaka.h"
#include "common/AppGlobals.h"
#include "data/Firebird.h"

#include <QMessageBox>

TfrmTevakaDM *frmTevakaDM = nullptr;

TfrmTevakaDM::TfrmTevakaDM(QObject *parent) : QObject(parent) {}

TfrmTevakaDM::~TfrmTevakaDM()
{
    if (dbTevaka.isValid())
        dbTevaka.close();
    dbTevaka = QSqlDatabase();
    QSqlDatabase::removeDatabase("dbTevaka");
    if (frmTevakaDM == this)
        frmTevakaDM = nullptr;
}

QString TfrmTevakaDM::FailureText(int interfaceLang)
{
    if (interfaceLang == 0)
        return QString::fromUtf8(
            "Kết nối dữ liệu không thành công!\r\rCách 1: Nhấn chuột phải vào biểu tượng Tevaka trên Desktop -> "
            "Chọn Run as Administrator\r\rCách 2: Vào Control Panel -> System Security -> Change User Account "
            "Control Settings\r-> Chọn mức Notyfi thấp hơn trong cửa sổ mới hiện ra (Never Notify)\r-> OK và "
            "khởi động lại máy!");
    if (interfaceLang == 1)
        return QStringLiteral(
            "Can not connect to database!\r\rOpt 1: Click right mouse Tevaka symbol on Desktop -> Select Run as "
            "Administator\r\rOpt 2: (Control Panel -> System Security -> Change User Account Control Settings\r-> "
            "Set lower notify (Never Notify)\r-> OK and Restart operating system!)");
    return QString();
}

bool TfrmTevakaDM::DataModuleCreate()
{
    vIsOKTevaka = true;
    ReadSystemOptions();
    if (vAppPath.isEmpty())
        InitAppPath();
    QString error;
    if (!Firebird::Open(dbTevaka, "dbTevaka", vAppPath + "TEVAKA.FDB", &error)
        || !trTevaka.StartTransaction(dbTevaka, &error)) {
        QString text = FailureText(vInterfaceLang);
        text.replace('\r', '\n');
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tevaka 2.0"), text, QMessageBox::Ok);
        box.setObjectName("msgConnectFailure");
        box.exec();
        vIsOKTevaka = false;
        return false;
    }
    return true;
}
