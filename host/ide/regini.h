#pragma once
// TRegIniFile: the host's per-user settings store, opened by a registry-style key path such as
// BaseRegistryKey() + "\Property Editors\Brisk Designer". Each key is one INI-style file of
// sections holding name=value pairs; section and value names are matched without regard to case.
//
// Where the files live: the key path, split at "\", names folders and a final "<name>.ini" file
// under the settings folder: $KOR_SETTINGS_DIR when that variable is set, else the user's
// configuration folder ("~/.config/KorDesignHost" on Linux).
//
// Persistence is write-through: every Write*, EraseSection and DeleteKey re-reads the file,
// applies its one change and saves the file atomically before it returns, so nothing is lost
// when the object is destroyed without notice, and two stores open on the same key never undo
// each other's changes. Reads also look at the file as it is now. Between BeginUpdate and
// EndUpdate changes are held (reads see them) and saved together by EndUpdate, or by the
// destructor if EndUpdate never comes; use it around a burst of writes such as a form state.
//
// Key paths compare without regard to case, as registry keys do: a key opens the file that
// exists under any spelling of its path.
//
// Damage: a line that cannot be read (not UTF-8, not a section or name=value pair, a broken
// escape, a value outside any section; the values under an unreadable section line) is skipped
// and reported once; every other section and value reads as stored. Before the first write over
// such a file its bytes are copied to "<file>.damaged" (or ".damaged.2", ...), and the file is
// written with everything that was read plus the change. A file that cannot be read at all
// reads as empty; writes over it are refused, as they are when the copy cannot be made. A refused
// or failed write answers false, leaves the file as it was, and sets ErrorString(); it never
// raises. (Inside an update bracket a change always answers true; EndUpdate reports the outcome.)
//
// Values may hold any text: line breaks, "=", "[", leading spaces and control characters are
// escaped with backslashes in the file and restored on reading.

#include <QString>
#include <QStringList>
#include <memory>

#include "korhost_export.h"

class KORHOST_EXPORT TRegIniFile {
public:
    explicit TRegIniFile(const QString &Key);
    ~TRegIniFile();
    TRegIniFile(const TRegIniFile &) = delete;
    TRegIniFile &operator=(const TRegIniFile &) = delete;

    // The key this store was opened on, and the file that holds it.
    QString Key() const;
    QString FileName() const;

    QString ReadString(const QString &Section, const QString &Ident, const QString &Default) const;
    // A value that is absent or not a whole number answers Default.
    int ReadInteger(const QString &Section, const QString &Ident, int Default) const;
    // "1"/"true" and "0"/"false" (any case), or any whole number (non-zero is true).
    bool ReadBool(const QString &Section, const QString &Ident, bool Default) const;

    bool WriteString(const QString &Section, const QString &Ident, const QString &Value);
    bool WriteInteger(const QString &Section, const QString &Ident, int Value);
    bool WriteBool(const QString &Section, const QString &Ident, bool Value);

    bool EraseSection(const QString &Section);
    bool DeleteKey(const QString &Section, const QString &Ident);

    // Brackets may nest; the outermost EndUpdate saves and answers whether that worked.
    void BeginUpdate();
    bool EndUpdate();

    bool SectionExists(const QString &Section) const;
    bool ValueExists(const QString &Section, const QString &Ident) const;
    // Value names of a section, in file order.
    QStringList ReadSection(const QString &Section) const;
    // "name=value" lines of a section (values unescaped), in file order.
    QStringList ReadSectionValues(const QString &Section) const;
    QStringList ReadSections() const;

    // Why the last write failed or the file last read as damaged; empty when all went well.
    QString ErrorString() const;
    // Whether the file, when last read, existed but could not be read or parsed.
    bool IsDamaged() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// The folder settings files live in (see above); created on the first write.
KORHOST_EXPORT QString SettingsFolder();
// The file a key path maps to, under SettingsFolder().
KORHOST_EXPORT QString SettingsFileForKey(const QString &Key);
