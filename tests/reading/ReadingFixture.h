#pragma once
#include <QByteArray>
#include <QString>

// A small content database for the reader's tests, written into a test's
// program folder as TEVAKA.FDB:
//   DN (1): node 101 "Phẩm Giới" (top) > node 102 (child) ; sutta 1 under 101,
//           suttas 2 and 3 under 102. Sutta 2 has an alternative translation
//           and no English name; sutta 3 has no English text.
//   MN (2): node 101 ; suttas 35 and 36.
namespace ReadingFixture {

// A Vietnamese page long enough to scroll, holding "Sāvatthī" split over an element boundary.
QByteArray LongVietnamesePage();
QByteArray PaliPage();
QByteArray EnglishPage();
QByteArray OtherPage();

bool CreateContentDatabase(const QString &appDir, QString *error = nullptr);

} // namespace ReadingFixture
