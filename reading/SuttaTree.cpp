#include "reading/SuttaTree.h"
#include "app/Main.h"
#include "data/dmClients.h"
#include "data/dmTevaka.h"
#include "reading/ContentDataset.h"
#include "reading/SuttaTreeDelegate.h"
#include "reading/SuttaTreeModel.h"
#include "settings/SettingsRecord.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QRandomGenerator>
#include <QSqlError>
#include <QToolButton>
#include <QTreeView>

const char *const TSuttaTree::kTreeSuttaSQL =
    "select cast((3000 + T.ID_TVT) as integer) ID_TVC, T.ID_TVK || T.ID_TVT TREE_ID, T.P_ID_TVK || T.P_ID_TVT P_TREE_ID,\n"
    "       T.NAME_TVT_VIE NAME_TVC_VIE, T.NAME_TVT_PAL NAME_TVC_PAL, T.NAME_TVT_ENG NAME_TVC_ENG, 0 NUMBER_TVC,\n"
    "       0 HAS_OTHER_CONTENT\n"
    "from TEVAKA_TREE T\n"
    "where T.ID_TVK = :ID_TVK\n"
    "union\n"
    "select N.ID_TVC, N.ID_TVC || N.ID_TVK || N.ID_TVT TREE_ID, N.ID_TVK || N.ID_TVT P_TREE_ID, N.NAME_TVC_VIE,\n"
    "       N.NAME_TVC_PAL,\n"
    "       case\n"
    "         when N.NAME_TVC_ENG is null then N.NAME_TVC_PAL\n"
    "         else N.NAME_TVC_ENG\n"
    "       end NAME_TVC_ENG,\n"
    "       N.NUMBER_TVC,\n"
    "       case\n"
    "         when N.CONTENT_VIE_OTHER is null then 0\n"
    "         else 1\n"
    "       end\n"
    "from TEVAKA_CONTENT N\n"
    "where N.ID_TVK = :ID_TVK    ";

// One scan instead of one lookup per tree row; the first row of a TVC_SUT counts.
const char *const TSuttaTree::kFavouritesSQL = "select S.TVC_SUT, S.FAVOURITE_SUT from SUTTA_LIST S";

QString TSuttaTree::FilterCondition(bool palShown, bool vieShown, bool engShown)
{
    if (palShown)
        return QStringLiteral(" and (lower(n.name_tvc_pal) like :SEARCH_TEXT)");
    if (vieShown)
        return QStringLiteral(" and (lower(n.name_tvc_vie) like :SEARCH_TEXT)");
    if (engShown)
        return QStringLiteral(" and (lower(n.name_tvc_eng) like :SEARCH_TEXT)");
    return QString();
}

QString TSuttaTree::TrimFilter(const QString &text)
{
    qsizetype from = 0, to = text.size();
    while (from < to && text.at(from).unicode() <= ' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= ' ')
        --to;
    return text.mid(from, to - from);
}

QString TSuttaTree::SearchText(const QString &trimmed)
{
    return QLatin1Char('%') + trimmed.toLower() + QLatin1Char('%');
}

TSuttaTree::TSuttaTree(TfrmMain *main) : QObject(main), m(main)
{
    setObjectName("SuttaTree");
    const QSqlDatabase db = frmTevakaDM ? frmTevakaDM->dbTevaka : QSqlDatabase();
    model = new TSuttaTreeModel(this);
    content = new TContentDataset(db);
    m->qryTreeSutas = model;
    m->qryTevakaSutas = content;

    QTreeView *tree = m->dbtSutas;
    tree->setModel(model);
    tree->setItemDelegate(new TSuttaTreeDelegate(tree));
    tree->setUniformRowHeights(true);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree->setAllColumnsShowFocus(true);
    QHeaderView *header = tree->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(20);
    for (int c : {TSuttaTreeModel::colNAME_TVC_VIE, TSuttaTreeModel::colNAME_TVC_ENG, TSuttaTreeModel::colNAME_TVC_PAL})
        header->setSectionResizeMode(c, QHeaderView::Stretch);
    header->setSectionResizeMode(TSuttaTreeModel::colNUMBER_TVC, QHeaderView::Fixed);
    header->resizeSection(TSuttaTreeModel::colNUMBER_TVC, 35);
    header->setSectionResizeMode(TSuttaTreeModel::colFAV_SUTTA, QHeaderView::Fixed);
    header->resizeSection(TSuttaTreeModel::colFAV_SUTTA, 22);
    for (int c : {TSuttaTreeModel::colID_TVC, TSuttaTreeModel::colTREE_ID, TSuttaTreeModel::colP_TREE_ID,
                  TSuttaTreeModel::colNAME_TVC_ENG, TSuttaTreeModel::colNAME_TVC_PAL, TSuttaTreeModel::colNUMBER_TVC,
                  TSuttaTreeModel::colHAS_OTHER_CONTENT})
        tree->setColumnHidden(c, true);
    // The visible name column carries the tree lines, whichever it is.
    header->moveSection(header->visualIndex(TSuttaTreeModel::colNAME_TVC_VIE), 0);
    header->moveSection(header->visualIndex(TSuttaTreeModel::colNAME_TVC_ENG), 1);
    header->moveSection(header->visualIndex(TSuttaTreeModel::colNAME_TVC_PAL), 2);

    connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) { CurrentChanged(current); });
    connect(tree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m->ppTreeSutas->popup(m->dbtSutas->viewport()->mapToGlobal(pos)); });
    connect(m->ppTreeSutas, &QMenu::aboutToShow, this, &TSuttaTree::acShowIndexSutasUpdate);

    QAction *books[] = {m->acDN, m->acMN, m->acAN, m->acSN, m->acKN};
    for (int i = 0; i < 5; ++i)
        connect(books[i], &QAction::triggered, this, [this, i] { ExecuteBook(i + 1); });
    connect(m->acNamePAL, &QAction::triggered, this, [this] { ViewSuttaName(0); });
    connect(m->acNameVIE, &QAction::triggered, this, [this] { ViewSuttaName(1); });
    connect(m->acNameENG, &QAction::triggered, this, [this] { ViewSuttaName(2); });
    // Runs after the interface language has shown or hidden its name column.
    connect(m->acChangeLang, &QAction::triggered, this, &TSuttaTree::UpdateTreePosition);
    connect(m->acShowIndexSutas, &QAction::triggered, this, &TSuttaTree::acShowIndexSutasExecute);
    connect(m->acExpandTree, &QAction::triggered, this, &TSuttaTree::acExpandTreeExecute);
    connect(m->acCollapseTree, &QAction::triggered, this, &TSuttaTree::acCollapseTreeExecute);
    m->edFilterSutta->installEventFilter(this);
    acShowIndexSutasUpdate();
}

TSuttaTree::~TSuttaTree()
{
    if (m->qryTevakaSutas == content)
        m->qryTevakaSutas = nullptr;
    delete content;
}

const QHash<int, int> *TSuttaTree::LoadFavourites()
{
    if (!frmClientsDM || !frmClientsDM->vIsOKClients)
        return nullptr;
    if (!m_favouritesPrepared) {
        m_favourites = QSqlQuery(frmClientsDM->dbClientTevaka);
        m_favourites.setForwardOnly(true);
        m_favouritesPrepared = m_favourites.prepare(QString::fromLatin1(kFavouritesSQL));
        if (!m_favouritesPrepared)
            return nullptr;
    }
    if (!m_favourites.exec())
        return nullptr;
    m_favouriteFlags.clear();
    while (m_favourites.next()) {
        const int id = m_favourites.value(0).toInt();
        if (!m_favouriteFlags.contains(id))
            m_favouriteFlags.insert(id, m_favourites.value(1).toInt());
    }
    m_favourites.finish();
    return &m_favouriteFlags;
}

void TSuttaTree::LoadTevakaTree()
{
    const QString filter = TrimFilter(m->edFilterSutta->text());
    QString sql = m->vDefTreeSuttaSQL.isEmpty() ? QString::fromLatin1(kTreeSuttaSQL) : m->vDefTreeSuttaSQL;
    const QTreeView *tree = m->dbtSutas;
    QString condition;
    if (!filter.isEmpty())
        condition = FilterCondition(!tree->isColumnHidden(TSuttaTreeModel::colNAME_TVC_PAL),
                                    !tree->isColumnHidden(TSuttaTreeModel::colNAME_TVC_VIE),
                                    !tree->isColumnHidden(TSuttaTreeModel::colNAME_TVC_ENG));
    if (!condition.isEmpty())
        sql += QLatin1Char('\n') + condition;

    auto it = m_treeQueries.find(sql);
    if (it == m_treeQueries.end()) {
        QSqlQuery q(frmTevakaDM ? frmTevakaDM->dbTevaka : QSqlDatabase());
        q.setForwardOnly(true);
        if (!q.prepare(sql)) {
            qWarning("Tree query: %s", qPrintable(q.lastError().text()));
            model->Clear();
            return;
        }
        it = m_treeQueries.emplace(sql, std::move(q)).first;
    }
    QSqlQuery &q = it->second;
    q.bindValue(":ID_TVK", m->vTevakaBook);
    if (!condition.isEmpty())
        q.bindValue(":SEARCH_TEXT", SearchText(filter));
    if (!q.exec()) {
        qWarning("Tree query: %s", qPrintable(q.lastError().text()));
        model->Clear();
        return;
    }
    model->Load(q, LoadFavourites());
    q.finish();
    SetCurrentRow(model->count() > 0 ? 0 : -1);
    if (m->vIsInit)
        MoveToStartSutta();
    m->dbtSutas->expandAll();
}

void TSuttaTree::MoveToStartSutta()
{
    const TSettingsRecord *settings = frmTevakaDM;
    if (!settings)
        return;
    if (settings->vOpenSutta == 1) {
        Locate(settings->vLastSutta);
    } else if (settings->vOpenSutta == 2) {
        // Drawn among the suttas this collection holds, whatever their ids.
        QList<int> ids;
        for (int r = 0; r < model->count(); ++r)
            if (model->row(r).idTvc < 3000)
                ids.append(model->row(r).idTvc);
        if (!ids.isEmpty())
            Locate(ids.at(QRandomGenerator::global()->bounded(int(ids.size()))));
    }
}

void TSuttaTree::LoadContentData()
{
    content->Close();
    m_contentFollows = false;
    LoadTevakaTree();
    m_contentFollows = true;
    RefreshContent();
}

void TSuttaTree::RefreshContent()
{
    const int r = CurrentRow();
    content->Open(r >= 0 ? model->row(r).idTvc : 0);
    emit contentChanged();
}

void TSuttaTree::ExecuteBook(int book)
{
    m->vTevakaBook = book;
    QAction *books[] = {m->acDN, m->acMN, m->acAN, m->acSN, m->acKN};
    if (book >= 1 && book <= 5)
        books[book - 1]->setChecked(true);
    LoadContentData();
}

void TSuttaTree::ViewSuttaName(int aLang)
{
    QTreeView *tree = m->dbtSutas;
    tree->setColumnHidden(TSuttaTreeModel::colNAME_TVC_PAL, aLang != 0);
    tree->setColumnHidden(TSuttaTreeModel::colNAME_TVC_VIE, aLang != 1);
    tree->setColumnHidden(TSuttaTreeModel::colNAME_TVC_ENG, aLang != 2);
    m->acNamePAL->setChecked(aLang == 0);
    m->acNameVIE->setChecked(aLang == 1);
    m->acNameENG->setChecked(aLang == 2);
    UpdateTreePosition();
}

void TSuttaTree::UpdateTreePosition()
{
    // The tree lines and expand buttons belong to the first visible name column.
    for (int c : {TSuttaTreeModel::colNAME_TVC_VIE, TSuttaTreeModel::colNAME_TVC_ENG, TSuttaTreeModel::colNAME_TVC_PAL})
        if (!m->dbtSutas->isColumnHidden(c)) {
            m->dbtSutas->setTreePosition(c);
            return;
        }
}

int TSuttaTree::CurrentRow() const
{
    return model->rowOf(m->dbtSutas->currentIndex());
}

void TSuttaTree::SetCurrentRow(int row)
{
    const QModelIndex index = model->indexOf(row);
    if (!index.isValid())
        return;
    if (m->dbtSutas->currentIndex().isValid() && model->rowOf(m->dbtSutas->currentIndex()) == row)
        return;
    m->dbtSutas->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool TSuttaTree::Locate(int idTvc)
{
    const int r = model->locate(idTvc);
    if (r < 0)
        return false;
    SetCurrentRow(r);
    m->dbtSutas->scrollTo(model->indexOf(r));
    return true;
}

void TSuttaTree::CurrentChanged(const QModelIndex &current)
{
    if (model->rowOf(current) < 0)
        return;
    dsTreeSutasDataChange();
    if (m_contentFollows)
        RefreshContent();
}

void TSuttaTree::dsTreeSutasDataChange()
{
    m->vVScrollPosPALI = m->vVScrollPosVIE = m->vVScrollPosENG = 0;
    const int r = CurrentRow();
    m->btnOtherTranslate->setVisible(r >= 0 && model->row(r).hasOther == 1);
}

void TSuttaTree::acShowIndexSutasExecute()
{
    QTreeView *tree = m->dbtSutas;
    tree->setColumnHidden(TSuttaTreeModel::colNUMBER_TVC, !tree->isColumnHidden(TSuttaTreeModel::colNUMBER_TVC));
    acShowIndexSutasUpdate();
}

void TSuttaTree::acShowIndexSutasUpdate()
{
    const bool shown = !m->dbtSutas->isColumnHidden(TSuttaTreeModel::colNUMBER_TVC);
    m->acShowIndexSutas->setChecked(shown);
    if (vInterfaceLang == 0)
        m->acShowIndexSutas->setText(shown ? QString::fromUtf8("Ẩn thứ tự bài kinh")
                                           : QString::fromUtf8("Hiện thứ tự bài kinh"));
    else if (vInterfaceLang == 1)
        m->acShowIndexSutas->setText(shown ? QStringLiteral("Hide number of sutta")
                                           : QStringLiteral("Show number of sutta"));
}

void TSuttaTree::acExpandTreeExecute() { m->dbtSutas->expandAll(); }
void TSuttaTree::acCollapseTreeExecute() { m->dbtSutas->collapseAll(); }

void TSuttaTree::edFilterSuttaKeyUp(int key)
{
    const int r = CurrentRow();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return;
    case Qt::Key_Down:
        if (r + 1 < model->count())
            SetCurrentRow(r + 1);
        return;
    case Qt::Key_Up:
        if (r > 0)
            SetCurrentRow(r - 1);
        return;
    default:
        LoadContentData();
    }
}

bool TSuttaTree::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m->edFilterSutta) {
        if (event->type() == QEvent::KeyRelease)
            edFilterSuttaKeyUp(static_cast<QKeyEvent *>(event)->key());
        else if (event->type() == QEvent::MouseButtonDblClick)
            m->acPopupPC->trigger();
    }
    return QObject::eventFilter(watched, event);
}
