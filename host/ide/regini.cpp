#include "regini.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStringDecoder>
#include <functional>
#include <optional>

Q_LOGGING_CATEGORY(lcSettings, "kor.settings")

namespace {

struct Entry {
    QString name;
    QString value;
};

struct Section {
    QString name;
    QList<Entry> entries;

    Entry *find(const QString &ident)
    {
        for (Entry &entry : entries)
            if (entry.name.compare(ident, Qt::CaseInsensitive) == 0)
                return &entry;
        return nullptr;
    }
};

struct Content {
    QList<Section> sections;

    Section *find(const QString &name)
    {
        for (Section &section : sections)
            if (section.name.compare(name, Qt::CaseInsensitive) == 0)
                return &section;
        return nullptr;
    }
    Section &findOrAdd(const QString &name)
    {
        if (Section *section = find(name))
            return *section;
        sections.append(Section{name, {}});
        return sections.last();
    }
};

enum class FileState { Missing, Ok, Unreadable, Damaged };

struct Loaded {
    FileState state = FileState::Missing;
    Content content;
    QByteArray bytes; // the raw file, kept to back up a damaged one
    QString problem;
};

// Single-character escapes, both ways.
constexpr struct {
    char16_t plain;
    char16_t code;
} kEscapes[] = {
    {u'\\', u'\\'}, {u'\n', u'n'}, {u'\r', u'r'}, {u'\t', u't'}, {u'=', u'='},
    {u'[', u'['},   {u']', u']'},  {u';', u';'},  {u'#', u'#'},  {u' ', u's'},
};

bool needsNumericEscape(const QString &text, qsizetype i)
{
    const QChar ch = text.at(i);
    if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
        return true;
    if (ch.isHighSurrogate())
        return i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate();
    if (ch.isLowSurrogate())
        return i == 0 || !text.at(i - 1).isHighSurrogate();
    return false;
}

// Escapes what the file format gives a meaning to: backslash, line breaks and control
// characters everywhere, "=", "[" and "]" everywhere, a leading ";" or "#" (comment markers)
// and spaces at either end (which a reader trims).
QString escape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype last = text.size() - 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text.at(i).unicode();
        const bool atEdge = i == 0 || i == last;
        bool escaped = false;
        for (const auto &e : kEscapes) {
            if (e.plain != ch)
                continue;
            const bool edgeOnly = ch == u';' || ch == u'#' || ch == u' ';
            if (edgeOnly && !(ch == u' ' ? atEdge : i == 0))
                break;
            out += QLatin1Char('\\');
            out += QChar(e.code);
            escaped = true;
            break;
        }
        if (escaped)
            continue;
        if (needsNumericEscape(text, i))
            out += QStringLiteral("\\u%1").arg(uint(ch), 4, 16, QLatin1Char('0'));
        else
            out += QChar(ch);
    }
    return out;
}

int hexValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return -1;
}

std::optional<QString> unescape(QStringView raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar ch = raw.at(i);
        if (ch != QLatin1Char('\\')) {
            out += ch;
            continue;
        }
        if (++i >= raw.size())
            return std::nullopt;
        const char16_t code = raw.at(i).unicode();
        if (code == u'u') {
            if (i + 4 >= raw.size())
                return std::nullopt;
            uint value = 0;
            for (const QChar digit : raw.sliced(i + 1, 4)) {
                const int nibble = hexValue(digit.unicode());
                if (nibble < 0)
                    return std::nullopt;
                value = value * 16 + uint(nibble);
            }
            out += QChar(char16_t(value));
            i += 4;
            continue;
        }
        bool known = false;
        for (const auto &e : kEscapes) {
            if (e.code == code) {
                out += QChar(e.plain);
                known = true;
                break;
            }
        }
        if (!known)
            return std::nullopt;
    }
    return out;
}

// Index of the first "=" not preceded by an escaping backslash, or -1.
qsizetype separatorIndex(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == QLatin1Char('\\'))
            ++i;
        else if (line.at(i) == QLatin1Char('='))
            return i;
    }
    return -1;
}

// Parses the file line by line. A line that does not follow the format (or is no UTF-8 text)
// is skipped and named in Problems; everything else reads as stored. The values under a
// section line that cannot be read are skipped with it: they belong to no section we know.
Content parse(const QByteArray &bytes, QStringList &problems)
{
    Content content;
    Section *current = nullptr;
    bool lostSection = false;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const auto skip = [&](const char *why) {
            problems.append(QStringLiteral("line %1 %2").arg(n + 1).arg(QLatin1String(why)));
        };
        QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString text = decoder(lines.at(n));
        if (decoder.hasError()) {
            skip("is not UTF-8 text");
            continue;
        }
        QStringView line = QStringView(text).trimmed();
        if (n == 0 && line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const std::optional<QString> name = line.endsWith(QLatin1Char(']')) && line.size() >= 2
                                                    ? unescape(line.mid(1, line.size() - 2))
                                                    : std::nullopt;
            if (!name) {
                skip("is a section name that cannot be read; its values are skipped");
                current = nullptr;
                lostSection = true;
                continue;
            }
            current = &content.findOrAdd(*name);
            lostSection = false;
            continue;
        }
        const qsizetype eq = separatorIndex(line);
        if (eq < 0) {
            skip("is neither a section nor a name=value pair");
            continue;
        }
        if (!current) {
            if (!lostSection)
                skip("holds a value outside any section");
            continue;
        }
        const std::optional<QString> name = unescape(line.left(eq).trimmed());
        const std::optional<QString> value = unescape(line.mid(eq + 1).trimmed());
        if (!name || !value) {
            skip("has a broken escape");
            continue;
        }
        if (Entry *entry = current->find(*name))
            entry->value = *value;
        else
            current->entries.append(Entry{*name, *value});
    }
    return content;
}

// Each damage is reported once per file and content, however often the file is read.
bool firstReport(const QString &fileName, const QByteArray &bytes)
{
    static QSet<QPair<QString, size_t>> reported;
    const QPair<QString, size_t> key{fileName, qHash(bytes)};
    if (reported.contains(key))
        return false;
    reported.insert(key);
    return true;
}

QByteArray format(const Content &content)
{
    QString text;
    for (const Section &section : content.sections) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QLatin1Char('[') + escape(section.name) + QStringLiteral("]\n");
        for (const Entry &entry : section.entries)
            text += escape(entry.name) + QLatin1Char('=') + escape(entry.value) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QString encodeSegment(const QString &segment)
{
    QString out;
    for (const QChar ch : segment) {
        static const QString reserved = QStringLiteral("%/\\:*?\"<>|");
        if (ch.unicode() < 0x20 || reserved.contains(ch))
            out += QStringLiteral("%%1").arg(uint(ch.unicode()), 2, 16, QLatin1Char('0'));
        else
            out += ch;
    }
    if (out == QLatin1String(".") || out == QLatin1String(".."))
        out.replace(QLatin1Char('.'), QStringLiteral("%2e"));
    return out;
}

// The entry of Folder whose name equals Name without regard to case: Name itself when it
// exists or nothing matches, else the first match in name order (so the choice is stable).
QString existingName(const QString &Folder, const QString &Name)
{
    const QDir dir(Folder);
    if (!dir.exists() || QFileInfo::exists(dir.filePath(Name)))
        return Name;
    QStringList names =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &entry : names)
        if (entry.compare(Name, Qt::CaseInsensitive) == 0)
            return entry;
    return Name;
}

} // namespace

QString SettingsFolder()
{
    const QString overridden = qEnvironmentVariable("KOR_SETTINGS_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/KorDesignHost");
}

// Key paths compare without regard to case, as registry keys do: each step of the path uses
// the folder or file that is already there under any spelling, and the key's own spelling only
// for what does not exist yet.
QString SettingsFileForKey(const QString &Key)
{
    QStringList segments;
    for (const QString &segment : Key.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
        segments.append(encodeSegment(segment));
    if (segments.isEmpty())
        segments.append(QStringLiteral("Default"));
    segments.last() += QStringLiteral(".ini");
    QString path = SettingsFolder();
    for (const QString &segment : segments)
        path += QLatin1Char('/') + existingName(path, segment);
    return path;
}

struct TRegIniFile::Private {
    QString key;
    mutable QString fileName;
    mutable QString error;
    mutable bool damaged = false;

    // The file as it is on disk, then with the held changes applied.
    Loaded loadFile() const;
    Loaded load() const
    {
        Loaded loaded = loadFile();
        for (const auto &change : pending)
            change(loaded.content);
        return loaded;
    }
    bool fail(const QString &message) const
    {
        error = message;
        qCWarning(lcSettings).noquote() << message;
        return false;
    }
    bool backUp(const QByteArray &bytes) const;
    bool save(const Content &content) const;
    // Re-reads the file, lets Change edit it (answering whether it changed anything) and saves.
    bool modify(std::function<bool(Content &)> Change);
    bool modifyNow(const std::function<bool(Content &)> &Change);

    // Inside BeginUpdate/EndUpdate changes wait here, in order, and reads see them applied.
    int updateDepth = 0;
    QList<std::function<bool(Content &)>> pending;
};

Loaded TRegIniFile::Private::loadFile() const
{
    // The file of a key is found anew each time: another store may have created it under
    // another spelling of the key since.
    fileName = SettingsFileForKey(key);
    Loaded loaded;
    const QFileInfo info(fileName);
    damaged = false;
    if (!info.exists() && !info.isSymLink())
        return loaded;
    QFile file(fileName);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        loaded.state = FileState::Unreadable;
        loaded.problem = info.isDir() ? QStringLiteral("it is a folder") : file.errorString();
    } else {
        loaded.bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            loaded.state = FileState::Unreadable;
            loaded.problem = file.errorString();
        } else {
            QStringList problems;
            loaded.content = parse(loaded.bytes, problems);
            if (problems.isEmpty()) {
                loaded.state = FileState::Ok;
                return loaded;
            }
            loaded.state = FileState::Damaged;
            loaded.problem = problems.join(QLatin1String("; "));
            damaged = true;
            error = QStringLiteral("Settings file %1 has lines that cannot be read, which are "
                                   "skipped (%2)")
                        .arg(QDir::toNativeSeparators(fileName), loaded.problem);
            if (firstReport(fileName, loaded.bytes))
                qCWarning(lcSettings).noquote() << error;
            return loaded;
        }
    }
    damaged = true;
    error = QStringLiteral("Settings file %1 cannot be read (%2); its values read as defaults")
                .arg(QDir::toNativeSeparators(fileName), loaded.problem);
    return loaded;
}

bool TRegIniFile::Private::backUp(const QByteArray &bytes) const
{
    for (int n = 1; n <= 100; ++n) {
        const QString name = fileName + QStringLiteral(".damaged") +
                             (n > 1 ? QStringLiteral(".%1").arg(n) : QString());
        QFile existing(name);
        if (existing.exists()) {
            // The same damaged content was kept before: no need for another copy.
            if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
                return true;
            continue;
        }
        QSaveFile copy(name);
        if (copy.open(QIODevice::WriteOnly) && copy.write(bytes) == bytes.size() && copy.commit()) {
            qCWarning(lcSettings).noquote()
                << QStringLiteral(
                       "Settings file %1 had lines that could not be read; the original was "
                       "kept in %2")
                       .arg(QDir::toNativeSeparators(fileName), QDir::toNativeSeparators(name));
            return true;
        }
        return fail(QStringLiteral("Cannot keep a copy of the damaged settings file %1 (%2); "
                                   "not overwriting it")
                        .arg(QDir::toNativeSeparators(fileName), copy.errorString()));
    }
    return fail(
        QStringLiteral("Too many copies of the damaged settings file %1; not overwriting it")
            .arg(QDir::toNativeSeparators(fileName)));
}

bool TRegIniFile::Private::save(const Content &content) const
{
    const QString folder = QFileInfo(fileName).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("Cannot create the settings folder %1")
                        .arg(QDir::toNativeSeparators(folder)));
    QSaveFile file(fileName);
    const QByteArray bytes = format(content);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(QStringLiteral("Cannot write the settings file %1 (%2)")
                        .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    return true;
}

bool TRegIniFile::Private::modify(std::function<bool(Content &)> Change)
{
    if (updateDepth > 0) {
        pending.append(std::move(Change));
        return true;
    }
    return modifyNow(Change);
}

bool TRegIniFile::Private::modifyNow(const std::function<bool(Content &)> &Change)
{
    error.clear();
    Loaded loaded = load();
    if (loaded.state == FileState::Unreadable)
        return fail(QStringLiteral("Cannot read the settings file %1 (%2); not overwriting it")
                        .arg(QDir::toNativeSeparators(fileName), loaded.problem));
    if (!Change(loaded.content))
        return true;
    if (loaded.state == FileState::Damaged && !backUp(loaded.bytes))
        return false;
    if (!save(loaded.content))
        return false;
    if (loaded.state != FileState::Damaged)
        error.clear();
    damaged = false;
    return true;
}

TRegIniFile::TRegIniFile(const QString &Key) : d(std::make_unique<Private>())
{
    d->key = Key;
    d->fileName = SettingsFileForKey(Key);
}

TRegIniFile::~TRegIniFile()
{
    // Changes still held by an open update are saved, not dropped.
    if (!d->pending.isEmpty()) {
        d->updateDepth = 1;
        EndUpdate();
    }
}

void TRegIniFile::BeginUpdate()
{
    ++d->updateDepth;
}

bool TRegIniFile::EndUpdate()
{
    if (d->updateDepth == 0 || --d->updateDepth > 0)
        return true;
    if (d->pending.isEmpty())
        return true;
    const QList<std::function<bool(Content &)>> changes = std::exchange(d->pending, {});
    return d->modifyNow([&changes](Content &content) {
        bool changed = false;
        for (const auto &change : changes)
            changed = change(content) || changed;
        return changed;
    });
}

QString TRegIniFile::Key() const
{
    return d->key;
}

QString TRegIniFile::FileName() const
{
    d->fileName = SettingsFileForKey(d->key);
    return d->fileName;
}

QString TRegIniFile::ErrorString() const
{
    return d->error;
}

bool TRegIniFile::IsDamaged() const
{
    return d->damaged;
}

QString TRegIniFile::ReadString(const QString &Section, const QString &Ident,
                                const QString &Default) const
{
    Loaded loaded = d->load();
    if (::Section *section = loaded.content.find(Section))
        if (const Entry *entry = section->find(Ident))
            return entry->value;
    return Default;
}

int TRegIniFile::ReadInteger(const QString &Section, const QString &Ident, int Default) const
{
    bool ok = false;
    const int value = ReadString(Section, Ident, QString()).trimmed().toInt(&ok);
    return ok ? value : Default;
}

bool TRegIniFile::ReadBool(const QString &Section, const QString &Ident, bool Default) const
{
    const QString text = ReadString(Section, Ident, QString()).trimmed();
    if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value != 0 : Default;
}

bool TRegIniFile::WriteString(const QString &Section, const QString &Ident, const QString &Value)
{
    return d->modify([Section, Ident, Value](Content &content) {
        ::Section &section = content.findOrAdd(Section);
        if (Entry *entry = section.find(Ident)) {
            if (entry->value == Value)
                return false;
            entry->value = Value;
        } else {
            section.entries.append(Entry{Ident, Value});
        }
        return true;
    });
}

bool TRegIniFile::WriteInteger(const QString &Section, const QString &Ident, int Value)
{
    return WriteString(Section, Ident, QString::number(Value));
}

bool TRegIniFile::WriteBool(const QString &Section, const QString &Ident, bool Value)
{
    return WriteString(Section, Ident, Value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TRegIniFile::EraseSection(const QString &Section)
{
    return d->modify([Section](Content &content) {
        return content.sections.removeIf([&](const ::Section &section) {
            return section.name.compare(Section, Qt::CaseInsensitive) == 0;
        }) > 0;
    });
}

bool TRegIniFile::DeleteKey(const QString &Section, const QString &Ident)
{
    return d->modify([Section, Ident](Content &content) {
        ::Section *section = content.find(Section);
        return section && section->entries.removeIf([&](const Entry &entry) {
            return entry.name.compare(Ident, Qt::CaseInsensitive) == 0;
        }) > 0;
    });
}

bool TRegIniFile::SectionExists(const QString &Section) const
{
    Loaded loaded = d->load();
    return loaded.content.find(Section) != nullptr;
}

bool TRegIniFile::ValueExists(const QString &Section, const QString &Ident) const
{
    Loaded loaded = d->load();
    ::Section *section = loaded.content.find(Section);
    return section && section->find(Ident);
}

QStringList TRegIniFile::ReadSection(const QString &Section) const
{
    Loaded loaded = d->load();
    QStringList names;
    if (::Section *section = loaded.content.find(Section))
        for (const Entry &entry : section->entries)
            names.append(entry.name);
    return names;
}

QStringList TRegIniFile::ReadSectionValues(const QString &Section) const
{
    Loaded loaded = d->load();
    QStringList lines;
    if (::Section *section = loaded.content.find(Section))
        for (const Entry &entry : section->entries)
            lines.append(entry.name + QLatin1Char('=') + entry.value);
    return lines;
}

QStringList TRegIniFile::ReadSections() const
{
    Loaded loaded = d->load();
    QStringList names;
    for (const ::Section &section : loaded.content.sections)
        names.append(section.name);
    return names;
}
