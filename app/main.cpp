#include "app/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    PrepareProcessEnvironment();
    QApplication app(argc, argv);
    app.setApplicationName("tevaka");
    app.setQuitOnLastWindowClosed(false);
    return RunEntrySequence();
}
