#pragma once
#include <QByteArray>
#include <QSqlQuery>
#include <QString>

// The one TEVAKA_CONTENT row of the tree's current row. A node row (ID_TVC
// 3000 and above) matches none: the dataset is empty and every field reads
// empty or 0.
class TContentDataset
{
public:
    static const char *const kSQL;

    explicit TContentDataset(const QSqlDatabase &db);

    // Re-reads the row of idTvc. Returns false on a database error.
    bool Open(int idTvc);
    void Close();
    bool IsOpen() const { return m_open; }
    bool IsEmpty() const { return !m_hasRow; }

    int ID_TVK() const { return m_tvk; }
    int ID_TVT() const { return m_tvt; }
    int ID_TVC() const { return m_tvc; }
    int NUMBER_TVC() const { return m_number; }
    QString NAME_TVC_PAL, NAME_TVC_ENG, NAME_TVC_VIE;
    QByteArray CONTENT_PAL, CONTENT_ENG, CONTENT_VIE, CONTENT_VIE_OTHER;

    // The stored page of a content language (0 Pali, 1 Vietnamese, 2 English); empty otherwise.
    QByteArray Content(int lang) const;
    QString LastError() const { return m_error; }

private:
    void Reset();

    QSqlQuery m_query;
    bool m_prepared = false;
    bool m_open = false;
    bool m_hasRow = false;
    int m_tvk = 0, m_tvt = 0, m_tvc = 0, m_number = 0;
    QString m_error;
};
