// tevaka-bench: headless timings of the reader on the databases of the program
// folder (TEVAKA_HOME or the executable's folder). One "name: value unit" line
// per figure.
//   tevaka-bench tree [reloads]   tree reload per collection, with favourites
//   tevaka-bench page [count]     compose + load + document complete
#include "app/DataModules.h"
#include "app/Main.h"
#include "app/Startup.h"
#include "common/AppGlobals.h"
#include "data/DictionaryDM.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "reading/ContentDataset.h"
#include "reading/ReaderCommands.h"
#include "reading/SuttaTree.h"
#include "reading/SuttaTreeModel.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTextStream>
#include <algorithm>
#include <memory>

namespace {

QTextStream out(stdout);

double percentile(QList<double> v, double p)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.at(qMin(v.size() - 1, qsizetype(p * (v.size() - 1) + 0.5)));
}

void report(const QString &name, const QList<double> &ms)
{
    out << name << ".p50: " << QString::number(percentile(ms, 0.5), 'f', 1) << " ms\n";
    out << name << ".p95: " << QString::number(percentile(ms, 0.95), 'f', 1) << " ms\n";
    out << name << ".max: " << QString::number(percentile(ms, 1.0), 'f', 1) << " ms\n";
}

// Loads the sutta's page in lang and waits for its document complete; -1 on timeout.
double timePage(TfrmMain &m, int idTvc, int lang)
{
    bool done = false;
    auto c = QObject::connect(m.Reader, &TReaderCommands::pageComplete, [&] { done = true; });
    QElapsedTimer t;
    t.start();
    m.qryTevakaSutas->Open(idTvc);
    m.Reader->ViewSutta(lang);
    while (!done && t.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QObject::disconnect(c);
    return done ? t.nsecsElapsed() / 1e6 : -1;
}

int benchTree(TfrmMain &m, int reloads)
{
    QAction *books[] = {m.acDN, m.acMN, m.acAN, m.acSN, m.acKN};
    const char *codes[] = {"dn", "mn", "an", "sn", "kn"};
    QList<double> all;
    for (int b = 0; b < 5; ++b) {
        books[b]->trigger();
        QList<double> ms;
        for (int i = 0; i < reloads; ++i) {
            QElapsedTimer t;
            t.start();
            m.SuttaTree->LoadTevakaTree();
            ms << t.nsecsElapsed() / 1e6;
        }
        out << "tree." << codes[b] << ".rows: " << m.qryTreeSutas->count() << " rows\n";
        report(QString("tree.") + codes[b], ms);
        all << ms;
    }
    report("tree.all", all);
    return 0;
}

int benchPage(TfrmMain &m, int count)
{
    QList<int> ids;
    QSqlQuery q(frmTevakaDM->dbTevaka);
    q.setForwardOnly(true);
    q.exec("select ID_TVC from TEVAKA_CONTENT order by ID_TVC");
    while (q.next())
        ids << q.value(0).toInt();
    // An even sample over all suttas (all of them when count is 0 or larger).
    QList<int> sample;
    const int step = count > 0 && count < ids.size() ? ids.size() / count : 1;
    for (int i = 0; i < ids.size(); i += step)
        sample << ids.at(i);
    const char *langs[] = {"pli", "vie", "eng"};
    QList<double> all;
    int failed = 0;
    for (int lang = 0; lang < 3; ++lang)
        for (int id : sample) {
            const double ms = timePage(m, id, lang);
            if (ms < 0)
                ++failed;
            else
                all << ms;
        }
    out << "page.loads: " << all.size() << " pages\n";
    out << "page.failed: " << failed << " pages\n";
    report("page", all);
    const char *columns[] = {"CONTENT_PAL", "CONTENT_VIE", "CONTENT_ENG"};
    for (int lang = 0; lang < 3; ++lang) {
        QSqlQuery big(frmTevakaDM->dbTevaka);
        big.setForwardOnly(true);
        big.exec(QString("select first 1 ID_TVC, octet_length(%1) from TEVAKA_CONTENT order by 2 desc nulls last")
                     .arg(columns[lang]));
        if (!big.next())
            continue;
        const int id = big.value(0).toInt();
        const qint64 bytes = big.value(1).toLongLong();
        const double ms = timePage(m, id, lang);
        out << "page.largest." << langs[lang] << ".bytes: " << bytes << " bytes\n";
        out << "page.largest." << langs[lang] << ": " << QString::number(ms, 'f', 1) << " ms\n";
    }
    return failed ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    PrepareProcessEnvironment();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    const QStringList args = app.arguments();
    const QString command = args.value(1);
    if (command != "tree" && command != "page") {
        QTextStream(stderr) << "usage: tevaka-bench tree [reloads] | page [count]\n";
        return 2;
    }
    InitAppPath();
    TDataModules modules;
    if (!modules.Create())
        return 1;
    auto main = std::make_unique<TfrmMain>();
    main->resize(1280, 900);
    main->show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 1500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const int code = command == "tree" ? benchTree(*main, args.value(2, "50").toInt())
                                       : benchPage(*main, args.value(2, "0").toInt());
    out.flush();
    main.reset();
    return code;
}
