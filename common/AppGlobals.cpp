#include "common/AppGlobals.h"

#include <QCoreApplication>
#include <QDir>

QString vAppPath;
int vAppKind = 0;

void InitAppPath()
{
    QString dir = qEnvironmentVariable("TEVAKA_HOME");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    vAppPath = dir.endsWith('/') ? dir : dir + '/';
}

QString ProgramWebPage()
{
    return QStringLiteral(TEVAKA_WEB_PAGE);
}
