#pragma once
#include <QList>
#include <QPair>
#include <QString>

// A bilara file is one flat JSON object of segment id -> text whose key order
// is the reading order. QJsonDocument sorts keys, so this reader keeps them.
using Segments = QList<QPair<QString, QString>>;

// Parses the object; on failure returns false with the 1-based line in *errorLine.
bool ParseBilara(const QByteArray &bytes, Segments &out, QString *error, int *errorLine);
