// Fuzz target: random bytes as a settings file. Reading never crashes or hangs; after one write
// the file holds everything that was read plus the change, and reads back the same way; a file
// that could not be read at all refuses the write and stays as it was.

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "fuzztarget.h"
#include "regini.h"

using namespace Qt::StringLiterals;

namespace {

const QString Key = u"Software\\Fuzz\\Settings"_s;

struct Contents {
    QStringList Sections;
    QList<QStringList> Values;
    bool operator==(const Contents &) const = default;
};

Contents contents(const TRegIniFile &Ini)
{
    Contents result;
    result.Sections = Ini.ReadSections();
    for (const QString &section : result.Sections)
        result.Values << Ini.ReadSectionValues(section);
    return result;
}

[[noreturn]] void fail(const char *What, const QByteArray &Bytes)
{
    std::fprintf(stderr, "invariant broken: %s (file \"%s\")\n", What, Bytes.toHex().constData());
    std::abort();
}

const QString &settingsFolder()
{
    // Every input is written and saved again: on a memory file system when there is one.
    static QTemporaryDir dir(QDir(u"/dev/shm"_s).exists()
                                 ? u"/dev/shm/fuzz_settings-XXXXXX"_s
                                 : QDir::tempPath() + u"/fuzz_settings-XXXXXX"_s);
    static const bool set = [] {
        qputenv("KOR_SETTINGS_DIR", QFile::encodeName(dir.path()));
        // Damaged files are the point here: their reports would only fill the output.
        QLoggingCategory::setFilterRules(u"kor.settings=false"_s);
        return true;
    }();
    Q_UNUSED(set);
    static const QString path = dir.path();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    QDir folder(settingsFolder());
    folder.removeRecursively();
    const QByteArray bytes(reinterpret_cast<const char *>(Data), qsizetype(Size));
    const QString file = SettingsFileForKey(Key);
    QDir().mkpath(QFileInfo(file).absolutePath());
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            fail("cannot write the input", bytes);
    }

    const QString section = u"Fuzz Section"_s;
    const QString value = u" a value\nover [two] lines\\ = "_s;
    Contents before;
    {
        TRegIniFile ini(Key);
        before = contents(ini);
        if (!ini.WriteString(section, u"FuzzKey"_s, value)) {
            QFile in(file);
            if (!in.open(QIODevice::ReadOnly) || in.readAll() != bytes)
                fail("a refused write changed the file", bytes);
            return 0;
        }
    }
    TRegIniFile ini(Key);
    if (ini.ReadString(section, u"fuzzkey"_s, QString()) != value)
        fail("written value read back differently", bytes);
    // Every other section reads as it did before the write.
    Contents after = contents(ini);
    for (Contents *c : {&before, &after})
        for (qsizetype i = c->Sections.size() - 1; i >= 0; --i)
            if (c->Sections.at(i).compare(section, Qt::CaseInsensitive) == 0) {
                c->Sections.removeAt(i);
                c->Values.removeAt(i);
            }
    if (!(after == before))
        fail("values read before the write differ after it", bytes);
    return 0;
}

QList<QByteArray> FuzzSeeds()
{
    return {
        QByteArrayLiteral("[TKorDBGridDesigner]\nTabs1=A;B;C\nWidth=640\n"),
        QByteArrayLiteral("[a]\nx=1\n[A]\nX=2\n\n[b]\n\\ lead=\\n\\=\\[\n"),
        QByteArrayLiteral("garbage\n[ok]\nk=v\n[broken\nq=1\n"),
        QByteArrayLiteral("\xff\xfe\x00[x]\r\ny=\\q\r\n"),
        QByteArrayLiteral("[Fuzz Section]\nFuzz=Key=old\nother=1\n"),
        QByteArrayLiteral(""),
    };
}

QByteArray FuzzAlphabet()
{
    static const char alphabet[] = "[]=\\\n\r abAB01;\xc3\xa9\xff\x00";
    return QByteArray(alphabet, qsizetype(sizeof(alphabet) - 1));
}
