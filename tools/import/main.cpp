#include "Importer.h"
#include "data/Firebird.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QString corpus, out;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--corpus" && i + 1 < args.size())
            corpus = args[++i];
        else if (args[i] == "--out" && i + 1 < args.size())
            out = args[++i];
    }
    if (corpus.isEmpty() || out.isEmpty()) {
        std::fprintf(stderr, "usage: tevaka-import --corpus DIR --out DIR\n");
        return 2;
    }
    Firebird::EnsureLockFolder();
    Importer importer(corpus, out);
    if (!importer.Run()) {
        for (const QString &e : importer.errors)
            std::fprintf(stderr, "error: %s\n", qPrintable(e));
        std::fprintf(stderr, "Import failed; the existing databases were left as they were.\n");
        return 1;
    }
    return 0;
}
