#include "reading/SuttaTreeModel.h"
#include "reading/SuttaTreeIcons.h"

#include <QSqlQuery>
#include <QSqlRecord>

TSuttaTreeModel::TSuttaTreeModel(QObject *parent) : QAbstractItemModel(parent) {}

int TSuttaTreeModel::FavSutta(int favourite, int hasOther)
{
    if (favourite == 1 && hasOther == 1)
        return 2;
    if (favourite == 0 && hasOther == 1)
        return 3;
    return favourite;
}

QString TSuttaTreeModel::NumberText(int number)
{
    return number == 0 ? QString() : QString::number(number) + QLatin1Char(' ');
}

void TSuttaTreeModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_children.clear();
    m_top.clear();
    endResetModel();
}

void TSuttaTreeModel::Load(QSqlQuery &query, const QHash<int, int> *favourites)
{
    beginResetModel();
    m_rows.clear();
    const QSqlRecord rec = query.record();
    const int fId = rec.indexOf("ID_TVC"), fTree = rec.indexOf("TREE_ID"), fParent = rec.indexOf("P_TREE_ID");
    const int fVie = rec.indexOf("NAME_TVC_VIE"), fPal = rec.indexOf("NAME_TVC_PAL"), fEng = rec.indexOf("NAME_TVC_ENG");
    const int fNumber = rec.indexOf("NUMBER_TVC"), fOther = rec.indexOf("HAS_OTHER_CONTENT");
    while (query.next()) {
        Row r;
        r.idTvc = query.value(fId).toInt();
        r.treeId = query.value(fTree).toString().trimmed();
        r.pTreeId = query.value(fParent).toString().trimmed();
        r.nameVie = query.value(fVie).toString();
        r.namePal = query.value(fPal).toString();
        r.nameEng = query.value(fEng).toString();
        r.number = query.value(fNumber).toInt();
        // The sutta half of the union leaves this column unnamed; it is the last one.
        r.hasOther = query.value(fOther >= 0 ? fOther : rec.count() - 1).toInt();
        if (favourites)
            r.fav = FavSutta(favourites->value(r.idTvc, 0), r.hasOther);
        m_rows.append(r);
    }
    Arrange();
    endResetModel();
}

void TSuttaTreeModel::Arrange()
{
    QHash<QString, int> byKey;
    byKey.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        byKey.insert(m_rows[i].treeId, i); // a repeated key names its last row, as a keyed lookup would
    for (Row &r : m_rows)
        r.parent = byKey.value(r.pTreeId, -1);
    // A row whose chain of parents leads back to itself would never be shown:
    // such rows stand at the top instead.
    for (int i = 0; i < m_rows.size(); ++i) {
        int p = m_rows[i].parent;
        for (int steps = 0; p >= 0 && steps <= m_rows.size(); ++steps) {
            if (p == i) {
                m_rows[i].parent = -1;
                break;
            }
            p = m_rows[p].parent;
        }
    }
    m_children = QList<QList<int>>(m_rows.size());
    m_top.clear();
    for (int i = 0; i < m_rows.size(); ++i) {
        QList<int> &siblings = m_rows[i].parent < 0 ? m_top : m_children[m_rows[i].parent];
        m_rows[i].position = siblings.size();
        siblings.append(i);
    }
}

int TSuttaTreeModel::rowOf(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this ? int(index.internalId()) : -1;
}

QModelIndex TSuttaTreeModel::indexOf(int r, int column) const
{
    if (r < 0 || r >= m_rows.size())
        return QModelIndex();
    return createIndex(m_rows[r].position, column, quintptr(r));
}

int TSuttaTreeModel::locate(int idTvc) const
{
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].idTvc == idTvc)
            return i;
    return -1;
}

QModelIndex TSuttaTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column < 0 || column >= ColumnCount || row < 0)
        return QModelIndex();
    const QList<int> &siblings = parent.isValid() ? m_children[rowOf(parent)] : m_top;
    if (row >= siblings.size())
        return QModelIndex();
    return createIndex(row, column, quintptr(siblings[row]));
}

QModelIndex TSuttaTreeModel::parent(const QModelIndex &child) const
{
    const int r = rowOf(child);
    if (r < 0 || m_rows[r].parent < 0)
        return QModelIndex();
    return indexOf(m_rows[r].parent);
}

int TSuttaTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_top.size();
    if (parent.column() != 0)
        return 0;
    return m_children[rowOf(parent)].size();
}

int TSuttaTreeModel::columnCount(const QModelIndex &) const { return ColumnCount; }

Qt::ItemFlags TSuttaTreeModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QVariant TSuttaTreeModel::data(const QModelIndex &index, int role) const
{
    const int r = rowOf(index);
    if (r < 0)
        return QVariant();
    const Row &row = m_rows[r];
    if (role == HasOtherRole)
        return row.hasOther;
    if (role == FavIconRole || (role == Qt::DecorationRole && index.column() == colFAV_SUTTA))
        return index.column() == colFAV_SUTTA ? SuttaTreeIcons::ForStatus(row.fav) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    switch (index.column()) {
    case colID_TVC: return row.idTvc;
    case colTREE_ID: return row.treeId;
    case colP_TREE_ID: return row.pTreeId;
    case colNAME_TVC_VIE: return row.nameVie;
    case colNAME_TVC_ENG: return row.nameEng;
    case colNAME_TVC_PAL: return row.namePal;
    case colNUMBER_TVC: return NumberText(row.number);
    case colHAS_OTHER_CONTENT: return row.hasOther;
    case colFAV_SUTTA: return role == Qt::EditRole && row.fav >= 0 ? QVariant(row.fav) : QVariant();
    default: return QVariant();
    }
}
