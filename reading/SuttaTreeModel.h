#pragma once
#include <QAbstractItemModel>
#include <QHash>
#include <QList>
#include <QString>

class QSqlQuery;

// The rows of one collection's tree (nodes and suttas) in the order the query
// returned them, arranged by TREE_ID / P_TREE_ID. "Row" below always means the
// position in that order, which is the order Up/Down in the filter box follow.
class TSuttaTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Column { colID_TVC, colTREE_ID, colP_TREE_ID, colNAME_TVC_VIE, colNAME_TVC_ENG, colNAME_TVC_PAL,
                  colNUMBER_TVC, colHAS_OTHER_CONTENT, colFAV_SUTTA, ColumnCount };
    // The icon of FAV_SUTTA for the status column (a QIcon).
    static constexpr int FavIconRole = Qt::UserRole + 1;
    static constexpr int HasOtherRole = Qt::UserRole + 2;

    struct Row
    {
        int idTvc = 0;
        QString treeId, pTreeId, nameVie, namePal, nameEng;
        int number = 0;
        int hasOther = 0;
        int fav = -1; // -1: no status (user database not open)
        int parent = -1;
        int position = 0; // among the parent's children
    };

    explicit TSuttaTreeModel(QObject *parent = nullptr);

    // Replaces the rows with those of an executed tree query. favourites maps
    // TVC_SUT to FAVOURITE_SUT; null leaves every status empty.
    void Load(QSqlQuery &query, const QHash<int, int> *favourites);
    void Clear();

    int count() const { return m_rows.size(); }
    const Row &row(int r) const { return m_rows[r]; }
    int rowOf(const QModelIndex &index) const;
    QModelIndex indexOf(int r, int column = 0) const;
    // The first row whose ID_TVC equals id, or -1.
    int locate(int idTvc) const;

    // Status of a tree row from its FAVOURITE_SUT and HAS_OTHER_CONTENT.
    static int FavSutta(int favourite, int hasOther);
    // Display text of NUMBER_TVC: empty for 0, else the digits and a blank.
    static QString NumberText(int number);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void Arrange();

    QList<Row> m_rows;
    QList<QList<int>> m_children; // per row
    QList<int> m_top;
};
