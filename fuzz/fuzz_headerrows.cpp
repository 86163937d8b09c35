// Fuzz target: random header texts and row operations through the header row algorithm, and
// random texts through the header and format property editors' SetValue, checking that rows
// never hold the separator, row counts match the text, every row operation does what a plain
// list of rows would, and nothing crashes.
//
// Input: fields separated by zero bytes, read as 8-bit text. The first field is the header;
// each further field is an operation: its first byte chooses the kind, its second the row
// index (-1 to 6), the rest is the value.

#include <QObject>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "displayformats.h"
#include "formatproperties.h"
#include "fuzztarget.h"
#include "headerrows.h"
#include "persistent.h"
#include "published.h"
#include "stringproperties.h"

namespace {

class TFuzzTitle : public QObject, public TComponent {
    Q_OBJECT
    KOR_STRING(Header)
    KOR_STRING(Format)

private:
    void Changed() {}
};

[[noreturn]] void fail(const char *What, const QString &Header)
{
    std::fprintf(stderr, "invariant broken: %s (header \"%s\")\n", What,
                 Header.toLatin1().toHex().constData());
    std::abort();
}

QStringList rowsOf(const QString &Header)
{
    return Header.isEmpty() ? QStringList() : Header.split(KorHeaderRows::Separator);
}

void checkRows(const QString &Header)
{
    const int count = KorHeaderRows::RowCount(Header);
    if (count != int(rowsOf(Header).size()))
        fail("row count", Header);
    for (int i = 0; i < count; ++i)
        if (KorHeaderRows::Row(Header, i).contains(KorHeaderRows::Separator))
            fail("separator inside a row", Header);
    if (!KorHeaderRows::Row(Header, count).isEmpty() || !KorHeaderRows::Row(Header, -1).isEmpty())
        fail("row outside the rows", Header);
}

// What storing Value into row Index does to a plain list of rows (at least one row).
QStringList expectedRows(QStringList Rows, int Index, QString Value)
{
    Value.remove(KorHeaderRows::Separator);
    const bool deletion = Value == KorHeaderRows::DeletionMarker;
    if (Index < 0 || Index > Rows.size())
        return Rows;
    if (Index == Rows.size()) {
        if (!Value.isEmpty() && !deletion)
            Rows.append(Value);
        return Rows;
    }
    if (deletion)
        Rows.removeAt(Index);
    else
        Rows[Index] = Value;
    return Rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    const QByteArray input(reinterpret_cast<const char *>(Data), qsizetype(Size));
    const QList<QByteArray> fields = input.split('\0');
    QString header = QString::fromLatin1(fields.first());
    header.truncate(4096);

    TFuzzTitle title;
    const TPropertyEditorArgs headerArgs{nullptr, {&title}, GetPropInfo(&title, "Header")};
    TKorHeaderProperty headerProperty(headerArgs);
    const TPropertyEditorArgs formatArgs{nullptr, {&title}, GetPropInfo(&title, "Format")};
    TKorDBGridFormatValueProperty formatProperty(formatArgs);

    headerProperty.SetValue(header);
    if (title.Header() != header)
        fail("header stored by SetValue", header);
    checkRows(header);
    for (qsizetype op = 1; op < fields.size() && op <= 64; ++op) {
        const QByteArray &field = fields.at(op);
        const int kind = field.isEmpty() ? 0 : uchar(field.at(0)) % 3;
        const int index = field.size() < 2 ? 0 : int(uchar(field.at(1)) % 8) - 1;
        const QString value = QString::fromLatin1(field.mid(2));
        if (kind == 2) {
            formatProperty.SetValue(value);
            const QString stored = title.Format();
            if (stored != ExtractStoredFormat(value))
                fail("format stored by SetValue", value);
            if (!value.contains(NBSP) ? stored != value : stored.size() > value.size())
                fail("format extracted", value);
            if (value.contains(NBSP) && stored == QLatin1String("-----"))
                fail("separator stored as a format", value);
            continue;
        }
        const QString stored = kind == 1 ? KorHeaderRows::DeletionMarker : value;
        // For storing, an empty header is one empty row.
        const QStringList expected =
            expectedRows(header.split(KorHeaderRows::Separator), index, stored);
        const QString before = header;
        KorHeaderRows::SetRow(header, index, stored);
        checkRows(header);
        if (header != expected.join(KorHeaderRows::Separator)) {
            std::fprintf(stderr, "index %d, value \"%s\", result \"%s\"\n", index,
                         stored.toLatin1().toHex().constData(),
                         header.toLatin1().toHex().constData());
            fail("row operation", before);
        }
    }
    return 0;
}

static QByteArray bytes(const char *Text, size_t Size)
{
    return QByteArray(Text, qsizetype(Size));
}

#define SEED(text) bytes(text, sizeof(text) - 1)

QList<QByteArray> FuzzSeeds()
{
    return {
        SEED("A|B|C\0\x00\x04"
             "D"),
        SEED("A|B|C\0\x01\x02"),
        SEED("A|B|C\0\x01\x01\0\x01\x01\0\x01\x01"),
        SEED("A\0\x01\x01"),
        SEED("A|B|C\0\x00\x02"),
        SEED("\0\x00\x01Q\0\x00\x03x|y"),
        SEED("||\0\x00\x00\x1b\0\x01\x03"),
        SEED("one\rtwo|three\0\x00\x02"
             "a\r\nb"),
        SEED("\0\x02\x00\xa0%d    \xa0"
             "Decimal   (1000)"),
        SEED("\0\x02\x00\xa0----- \xa0"
             "Float\xa0 -----"),
        SEED("\0\x02\x00"
             "typed %8.2f"),
        SEED("\0\x02\x00x\xa0y \xa0z"),
        SEED("\0\x02\x00\xa0\xa0 \xa0"),
    };
}

#undef SEED

QByteArray FuzzAlphabet()
{
    static const char alphabet[] = "AB|||\r\n\x1b\xa0 -%d\0\x01\x02\x03";
    return QByteArray(alphabet, qsizetype(sizeof(alphabet) - 1));
}

#include "fuzz_headerrows.moc"
