#pragma once
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A private program folder (TEVAKA_HOME) and settings folder (XDG_CONFIG_HOME)
// for one test process, so tests never touch the user's files or each other's.
class TestHome
{
public:
    TestHome();
    QString appDir() const;     // with a trailing "/"
    QString configDir() const;  // XDG_CONFIG_HOME
    // Copies the databases imported from the sample corpus into appDir().
    // Returns false when the sample import has not run.
    bool copySampleDatabases(bool content = true, bool client = true, bool dictionary = true) const;
    // Writes a file of arbitrary bytes into appDir().
    void writeFile(const QString &name, const QByteArray &bytes) const;

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

// Sets the environment every test process needs before QApplication exists
// (web engine sandbox as root, runtime folder, Firebird lock folder).
void prepareTestEnvironment();

QString sampleCorpusDir();
QString sampleDatabaseDir();
