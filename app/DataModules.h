#pragma once
#include "data/DictionaryDM.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "look/DMInterface.h"

#include <memory>

// The program's modules, created in their fixed order (each finishes before
// the next begins) and destroyed in reverse. Used by the program, the
// benchmark and the tests, so all of them start the same way.
struct TDataModules
{
    std::unique_ptr<TInterfaceDM> interfaceDM;
    std::unique_ptr<TfrmTevakaDM> tevaka;
    std::unique_ptr<TfrmClientsDM> clients;
    std::unique_ptr<TfrmDictionaryDM> dictionary;

    // False when the content database cannot be opened (its message was shown);
    // the user and dictionary modules are then not created.
    bool Create();
    ~TDataModules();
};
