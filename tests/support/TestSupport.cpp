#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <unistd.h>

TestHome::TestHome() : m_dir(std::make_unique<QTemporaryDir>())
{
    QDir(m_dir->path()).mkpath("app");
    QDir(m_dir->path()).mkpath("config");
    qputenv("TEVAKA_HOME", appDir().toUtf8());
    qputenv("XDG_CONFIG_HOME", configDir().toUtf8());
}

QString TestHome::appDir() const { return m_dir->path() + "/app/"; }
QString TestHome::configDir() const { return m_dir->path() + "/config"; }

bool TestHome::copySampleDatabases(bool content, bool client, bool dictionary) const
{
    const QString src = sampleDatabaseDir() + "/";
    bool ok = true;
    auto copy = [&](bool want, const char *name) {
        if (!want)
            return;
        QFile::remove(appDir() + name);
        ok = QFile::copy(src + name, appDir() + name) && ok;
        QFile(appDir() + name).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    };
    copy(content, "TEVAKA.FDB");
    copy(client, "TEVAKACLIENT.FDB");
    copy(dictionary, "PALIDICT.FDB");
    return ok;
}

void TestHome::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile f(appDir() + name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

void prepareTestEnvironment()
{
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString run = QDir::tempPath() + "/tevaka-test-runtime-" + QString::number(getuid());
        QDir().mkpath(run);
        QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", run.toUtf8());
    }
}

QString sampleCorpusDir() { return QStringLiteral(TEVAKA_SOURCE_DIR "/sample/corpus"); }
QString sampleDatabaseDir() { return QStringLiteral(TEVAKA_SAMPLE_DB_DIR); }
