// The records a package module carries: manifest, description and version, decoded from their
// bytes.

#include "packages.h"

#include <QtEndian>

#include "hosterrors.h"

namespace {

// Reads little-endian fields from a record; any read past the end raises EPackageError.
class RecordReader {
public:
    RecordReader(const QByteArray &bytes, const char *what) : m_bytes(bytes), m_what(what) {}

    std::uint8_t U8() { return static_cast<std::uint8_t>(*take(1)); }
    std::uint16_t U16() { return qFromLittleEndian<std::uint16_t>(take(2)); }
    std::uint32_t U32() { return qFromLittleEndian<std::uint32_t>(take(4)); }
    std::int32_t I32() { return qFromLittleEndian<std::int32_t>(take(4)); }

    // A zero-terminated 8-bit string (ASCII names, or UTF-8).
    QByteArray CString()
    {
        const qsizetype end = m_bytes.indexOf('\0', m_pos);
        if (end < 0)
            fail(QStringLiteral("a text is not terminated"));
        const QByteArray text = m_bytes.mid(m_pos, end - m_pos);
        m_pos = end + 1;
        return text;
    }

    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    qsizetype Remaining() const { return m_bytes.size() - m_pos; }

    [[noreturn]] void fail(const QString &why) const
    {
        throw EPackageError(QStringLiteral("Corrupt %1 at byte %2: %3")
                                .arg(QLatin1String(m_what))
                                .arg(m_pos)
                                .arg(why));
    }

private:
    const char *take(qsizetype n)
    {
        if (Remaining() < n)
            fail(QStringLiteral("the record ends early"));
        const char *at = m_bytes.constData() + m_pos;
        m_pos += n;
        return at;
    }

    const QByteArray &m_bytes;
    const char *m_what;
    qsizetype m_pos = 0;
};

// A count field: not negative and not more entries than bytes left (each entry takes at least
// MinEntrySize bytes).
int readCount(RecordReader &reader, int minEntrySize)
{
    const std::int32_t count = reader.I32();
    if (count < 0 || count > reader.Remaining() / minEntrySize)
        reader.fail(QStringLiteral("impossible count %1").arg(count));
    return count;
}

// A name with its hash; a hash that does not match the name marks a damaged manifest.
QString readHashedName(RecordReader &reader, std::uint8_t hash)
{
    const QByteArray name = reader.CString();
    if (name.isEmpty())
        reader.fail(QStringLiteral("empty name"));
    if (PackageNameHash(std::string_view(name.constData(), name.size())) != hash)
        reader.fail(
            QStringLiteral("name hash of \"%1\" does not match").arg(QString::fromLatin1(name)));
    return QString::fromLatin1(name);
}

} // namespace

bool TPackageManifest::ContainsUnit(const QString &Unit) const
{
    return std::any_of(Contains.begin(), Contains.end(), [&](const TContained &c) {
        return c.Name.compare(Unit, Qt::CaseInsensitive) == 0;
    });
}

QString TPackageVersionInfo::FileVersionText() const
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(FileVersion[0])
        .arg(FileVersion[1])
        .arg(FileVersion[2])
        .arg(FileVersion[3]);
}

TPackageManifest ParsePackageManifest(const QByteArray &Bytes)
{
    RecordReader reader(Bytes, "package manifest");
    TPackageManifest manifest;
    manifest.Flags = reader.U32();
    const int required = readCount(reader, 3);
    for (int i = 0; i < required; ++i) {
        TPackageManifest::TRequired entry;
        entry.Hash = reader.U8();
        entry.FileName = readHashedName(reader, entry.Hash);
        manifest.Requires.append(entry);
    }
    const int contained = readCount(reader, 4);
    for (int i = 0; i < contained; ++i) {
        TPackageManifest::TContained entry;
        entry.Flags = reader.U8();
        entry.Hash = reader.U8();
        entry.Name = readHashedName(reader, entry.Hash);
        manifest.Contains.append(entry);
    }
    manifest.NameHash = reader.U8();
    manifest.Name = readHashedName(reader, manifest.NameHash);
    if (!reader.AtEnd())
        reader.fail(QStringLiteral("unexpected bytes after the package name"));
    return manifest;
}

QString ParsePackageDescription(const QByteArray &Bytes)
{
    if (Bytes.size() % 2 != 0)
        throw EPackageError(QStringLiteral("Corrupt package description: odd length"));
    QString text;
    for (qsizetype i = 0; i + 1 < Bytes.size(); i += 2) {
        const auto unit = qFromLittleEndian<char16_t>(Bytes.constData() + i);
        if (unit == 0)
            return text;
        text.append(QChar(unit));
    }
    throw EPackageError(QStringLiteral("Corrupt package description: text is not terminated"));
}

TPackageVersionInfo ParsePackageVersion(const QByteArray &Bytes)
{
    RecordReader reader(Bytes, "version record");
    for (char expected : PackageVersionMagic)
        if (static_cast<char>(reader.U8()) != expected)
            reader.fail(QStringLiteral("unknown record kind"));
    TPackageVersionInfo info;
    for (std::uint16_t &part : info.FileVersion)
        part = reader.U16();
    for (;;) {
        const QByteArray key = reader.CString();
        if (key.isEmpty())
            break;
        info.Values.insert(QString::fromUtf8(key), QString::fromUtf8(reader.CString()));
    }
    if (!reader.AtEnd())
        reader.fail(QStringLiteral("unexpected bytes after the last value"));
    return info;
}
