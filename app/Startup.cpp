#include "app/Startup.h"
#include "app/DataModules.h"
#include "app/Main.h"
#include "app/SingleInstance.h"
#include "common/AppGlobals.h"
#include "data/DictionaryDM.h"
#include "data/Firebird.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "common/HtmlView.h"
#include "look/DMInterface.h"
#include "look/FontAliases.h"
#include "reading/ReaderCommands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <ctime>
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
    THtmlView::RegisterScheme();
    InstallFontAliases();
}

// Milliseconds since the kernel started this process (its start time in
// /proc/self/stat counts clock ticks since boot); -1 when unreadable.
static qint64 MillisecondsSinceProcessStart()
{
    QFile stat("/proc/self/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble();
    timespec now {};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return qint64(nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK));
}

int RunEntrySequence()
{
    InitAppPath();

    TSingleInstance instance;
    if (instance.HandOverToRunning(vAppPath))
        return 0;
    instance.Listen(vAppPath);

    TDataModules modules;
    if (!modules.Create())
        return 1;

    auto main = std::make_unique<TfrmMain>();
    QObject::connect(&instance, &TSingleInstance::activationRequested, main.get(), &TfrmMain::BringToFront);
    if (QCoreApplication::arguments().contains("--first-page-time")) {
        // Measures the start: prints the time to the first page shown, then ends.
        QObject::connect(main->Reader, &TReaderCommands::pageComplete, main.get(), [] {
            QTextStream(stdout) << "first-page: " << MillisecondsSinceProcessStart() << " ms" << Qt::endl;
            QCoreApplication::exit(0); // quit() would close the window and ask for confirmation
        }, Qt::SingleShotConnection);
    }
    main->showMaximized();
    const int code = QApplication::exec();
    main.reset();
    return code;
}
