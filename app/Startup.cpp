#include "app/Startup.h"
#include "app/Main.h"
#include "app/SingleInstance.h"
#include "common/AppGlobals.h"
#include "data/DictionaryDM.h"
#include "data/Firebird.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <memory>
#include <unistd.h>

void PrepareProcessEnvironment()
{
    // The web engine's sandbox cannot run as root; a normal user keeps it.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString run = QDir::tempPath() + "/runtime-" + QString::number(getuid());
        QDir().mkpath(run);
        QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run));
    }
    Firebird::EnsureLockFolder();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

int RunEntrySequence()
{
    InitAppPath();

    TSingleInstance instance;
    if (instance.HandOverToRunning(vAppPath))
        return 0;
    instance.Listen(vAppPath);

    auto tevaka = std::make_unique<TfrmTevakaDM>();
    frmTevakaDM = tevaka.get();
    if (!tevaka->DataModuleCreate())
        return 1;
    auto clients = std::make_unique<TfrmClientsDM>();
    frmClientsDM = clients.get();
    clients->DataModuleCreate(&tevaka->dbTevaka);
    auto dictionary = std::make_unique<TfrmDictionaryDM>();
    frmDictionaryDM = dictionary.get();
    dictionary->DataModuleCreate();

    auto main = std::make_unique<TfrmMain>();
    QObject::connect(&instance, &TSingleInstance::activationRequested, main.get(), &TfrmMain::BringToFront);
    main->showMaximized();
    const int code = QApplication::exec();
    main.reset();
    return code;
}
