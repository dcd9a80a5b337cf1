#include "reading/ContentDataset.h"

#include <QSqlError>
#include <QVariant>

const char *const TContentDataset::kSQL =
    "select N.ID_TVK, N.ID_TVT, N.ID_TVC, N.NUMBER_TVC, N.NAME_TVC_PAL, N.NAME_TVC_ENG, N.NAME_TVC_VIE, N.CONTENT_PAL,\n"
    "       N.CONTENT_ENG, N.CONTENT_VIE, N.CONTENT_VIE_OTHER\n"
    "from TEVAKA_CONTENT N\n"
    "where N.ID_TVC = :ID_TVC";

TContentDataset::TContentDataset(const QSqlDatabase &db) : m_query(db)
{
    m_query.setForwardOnly(true);
}

void TContentDataset::Reset()
{
    m_hasRow = false;
    m_tvk = m_tvt = m_tvc = m_number = 0;
    NAME_TVC_PAL.clear();
    NAME_TVC_ENG.clear();
    NAME_TVC_VIE.clear();
    CONTENT_PAL.clear();
    CONTENT_ENG.clear();
    CONTENT_VIE.clear();
    CONTENT_VIE_OTHER = QByteArray();
}

bool TContentDataset::Open(int idTvc)
{
    Reset();
    m_open = true;
    if (!m_prepared) {
        m_prepared = m_query.prepare(QString::fromLatin1(kSQL));
        if (!m_prepared) {
            m_error = m_query.lastError().text();
            return false;
        }
    }
    m_query.bindValue(":ID_TVC", idTvc);
    if (!m_query.exec()) {
        m_error = m_query.lastError().text();
        return false;
    }
    if (m_query.next()) {
        m_hasRow = true;
        m_tvk = m_query.value(0).toInt();
        m_tvt = m_query.value(1).toInt();
        m_tvc = m_query.value(2).toInt();
        m_number = m_query.value(3).toInt();
        NAME_TVC_PAL = m_query.value(4).toString();
        NAME_TVC_ENG = m_query.value(5).toString();
        NAME_TVC_VIE = m_query.value(6).toString();
        CONTENT_PAL = m_query.value(7).toByteArray();
        CONTENT_ENG = m_query.value(8).toByteArray();
        CONTENT_VIE = m_query.value(9).toByteArray();
        const QVariant other = m_query.value(10);
        CONTENT_VIE_OTHER = other.isNull() ? QByteArray() : other.toByteArray();
    }
    m_query.finish();
    return true;
}

void TContentDataset::Close()
{
    Reset();
    m_open = false;
}

QByteArray TContentDataset::Content(int lang) const
{
    switch (lang) {
    case 0: return CONTENT_PAL;
    case 1: return CONTENT_VIE;
    case 2: return CONTENT_ENG;
    default: return QByteArray();
    }
}
