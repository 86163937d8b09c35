#pragma once
// The rows of a header value: texts joined by "|". The empty value has no rows; a non-empty one
// has one row more than it has separators, and no row contains "|". Storing the deletion
// marker (a single ESC character) into a row removes the row.

#include <QChar>
#include <QString>

namespace KorHeaderRows {

inline constexpr QChar Separator = QLatin1Char('|');
inline const QString DeletionMarker = QString(QChar(27));

// The number of separators, plus one when Header is not empty.
int RowCount(const QString &Header);
// The text of row Index; empty for an index outside the rows.
QString Row(const QString &Header, int Index);
// Stores Value (without its separators) as row Index: an existing row is replaced (the deletion
// marker removes it with one separator), the row right after the last one is appended when
// Value is neither empty nor the marker; any other index changes nothing.
void SetRow(QString &Header, int Index, const QString &Value);

} // namespace KorHeaderRows
