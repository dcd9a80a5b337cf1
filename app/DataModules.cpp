#include "app/DataModules.h"

bool TDataModules::Create()
{
    interfaceDM = std::make_unique<TInterfaceDM>();
    tevaka = std::make_unique<TfrmTevakaDM>();
    frmTevakaDM = tevaka.get();
    if (!tevaka->DataModuleCreate())
        return false;
    clients = std::make_unique<TfrmClientsDM>();
    frmClientsDM = clients.get();
    clients->DataModuleCreate(&tevaka->dbTevaka);
    dictionary = std::make_unique<TfrmDictionaryDM>();
    frmDictionaryDM = dictionary.get();
    dictionary->DataModuleCreate();
    return true;
}

TDataModules::~TDataModules()
{
    dictionary.reset();
    clients.reset();
    tevaka.reset();
    interfaceDM.reset();
}
