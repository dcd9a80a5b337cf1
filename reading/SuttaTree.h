#pragma once
#include <QHash>
#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <map>

class TfrmMain;
class TSuttaTreeModel;
class TContentDataset;
class QModelIndex;

// The collection tree of the main window's left pane: the five collection
// commands, the filter box, the tree of nodes and suttas and its menu. The
// tree's current row is what the reader shows: each change re-reads the
// content dataset and announces it with contentChanged().
class TSuttaTree : public QObject
{
    Q_OBJECT
public:
    // The tree query as designed; the main window keeps it in vDefTreeSuttaSQL.
    static const char *const kTreeSuttaSQL;
    static const char *const kFavouritesSQL;

    // The condition appended for a filter, chosen by the first visible name
    // column in the order Pali, Vietnamese, English; empty when none shows.
    static QString FilterCondition(bool palShown, bool vieShown, bool engShown);
    // The filter box's text without leading and trailing blanks and control characters.
    static QString TrimFilter(const QString &text);
    // The SEARCH_TEXT parameter of a trimmed filter text.
    static QString SearchText(const QString &trimmed);

    explicit TSuttaTree(TfrmMain *main);
    ~TSuttaTree() override;

    void LoadTevakaTree();
    void LoadContentData();
    void ViewSuttaName(int aLang);
    // Puts the tree lines into the first visible name column.
    void UpdateTreePosition();
    // The command of collection book (1..5): that button down, the tree reloaded.
    void ExecuteBook(int book);
    // Moves the current row to the first row of the sutta; false when none.
    bool Locate(int idTvc);
    // Tree row now current, -1 when the tree is empty.
    int CurrentRow() const;
    // Re-reads the content row of the current tree row and announces it.
    void RefreshContent();

    void acShowIndexSutasExecute();
    void acShowIndexSutasUpdate();
    void acExpandTreeExecute();
    void acCollapseTreeExecute();

    // Key released in the filter box (Qt key code).
    void edFilterSuttaKeyUp(int key);

signals:
    // The content dataset now holds the row of the current tree row.
    void contentChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CurrentChanged(const QModelIndex &current);
    void dsTreeSutasDataChange();
    void SetCurrentRow(int row);
    void MoveToStartSutta();
    const QHash<int, int> *LoadFavourites();

    TfrmMain *m;
    TSuttaTreeModel *model;
    TContentDataset *content;
    std::map<QString, QSqlQuery> m_treeQueries; // prepared once per select text
    QSqlQuery m_favourites;
    bool m_favouritesPrepared = false;
    QHash<int, int> m_favouriteFlags;
    bool m_contentFollows = true;
};
