#include "headerrows.h"

namespace KorHeaderRows {

int RowCount(const QString &Header)
{
    return int(Header.count(Separator)) + (Header.isEmpty() ? 0 : 1);
}

QString Row(const QString &Header, int Index)
{
    if (Index < 0 || Index >= RowCount(Header))
        return {};
    qsizetype start = 0;
    for (int passed = 0; passed < Index; ++passed)
        start = Header.indexOf(Separator, start) + 1;
    const qsizetype end = Header.indexOf(Separator, start);
    return Header.mid(start, end < 0 ? -1 : end - start);
}

void SetRow(QString &Header, int Index, const QString &Value)
{
    if (Index < 0)
        return;
    QString value = Value;
    value.remove(Separator);
    // Pass up to Index separators: n of them, row n starting at p.
    int n = 0;
    qsizetype p = 0;
    for (qsizetype i = 0; n < Index && i < Header.size(); ++i)
        if (Header.at(i) == Separator) {
            ++n;
            p = i + 1;
        }
    const bool deletion = value == DeletionMarker;
    if (n + 1 == Index) {
        if (!value.isEmpty() && !deletion)
            Header += Separator + value; // a new last row
        return;
    }
    if (n != Index)
        return;
    const qsizetype next = Header.indexOf(Separator, p);
    Header.remove(p, (next < 0 ? Header.size() : next) - p);
    if (!deletion)
        Header.insert(p, value);
    else if (p >= 1)
        Header.remove(p - 1, 1); // the separator before a later row
    else if (!Header.isEmpty())
        Header.remove(p, 1); // the separator after the first row
}

} // namespace KorHeaderRows
