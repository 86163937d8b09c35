// The per-user settings store: round trips, sections, where files live, and what happens to
// files with damaged lines, keys that differ in case, unreadable and unwritable files.

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "regini.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

const QString kKey = u"Software\\Kor\\DesignHost\\3.0\\Property Editors\\Brisk Designer"_s;

void writeRaw(const QString &fileName, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestHostSettings : public QObject {
    Q_OBJECT
    QString m_dir;

private slots:
    void init() { m_dir = ResetTestSettingsDir(); }

    void valuesRoundTripAnyText_data()
    {
        // Each row: section, name, value.
        QTest::addColumn<QStringList>("row");
        const QList<QStringList> rows = {{"TBriskDesigner", "Top", "120"},
                                         {"S", "Hint", "first\nsecond\r\nthird\n"},
                                         {"S", "a=b", "x=y=z"},
                                         {"[S]", "[Name]", "[Other]\n[More]"},
                                         {"S", ";Name", "#not a comment"},
                                         {" S ", " N ", "  padded  "},
                                         {"a\\b", "c\\", "\\n is not a line break\\"},
                                         {"S", "N", QString::fromUtf16(u"\x01\t\x1f\x7f end")},
                                         {"Größe", "名前", QString::fromUtf16(u"\U0001F600 ok")},
                                         {"S", "N", QString(QChar(0xD800)) + "x"},
                                         {"S", "Empty", ""}};
        for (const QStringList &row : rows)
            QTest::addRow("%d", int(&row - rows.data())) << row;
    }

    void valuesRoundTripAnyText()
    {
        QFETCH(QStringList, row);
        const QString &section = row.at(0), &name = row.at(1), &value = row.at(2);
        {
            TRegIniFile ini(kKey);
            QVERIFY(ini.WriteString(section, name, value) &&
                    ini.WriteString(u"After"_s, u"Marker"_s, u"1"_s));
        }
        // A fresh store sees exactly what was written, and nothing leaked into other values.
        TRegIniFile ini(kKey);
        QCOMPARE(ini.ReadString(section, name, u"<absent>"_s), value);
        QCOMPARE(ini.ReadSection(section), QStringList{name});
        QCOMPARE(ini.ReadSections(), (QStringList{section, u"After"_s}));
        QCOMPARE(ini.ReadString(u"After"_s, u"Marker"_s, {}), u"1"_s);
        QVERIFY(!ini.IsDamaged());
        // The file stays one line per value.
        QCOMPARE(ReadTestFile(ini.FileName()).count('\n'), 5);
    }

    void numbersAndBooleans()
    {
        TRegIniFile ini(kKey);
        QCOMPARE(ini.ReadInteger("S", "Width", 599), 599);
        QCOMPARE(ini.ReadBool("S", "Toolbar", true), true);
        QVERIFY(ini.WriteInteger("S", "Width", -42) && ini.WriteBool("S", "Toolbar", false) &&
                ini.WriteString("S", "Junk", "12px"));
        QCOMPARE(ini.ReadInteger("S", "Width", 0), -42);
        QCOMPARE(ini.ReadBool("S", "Toolbar", true), false);
        QCOMPARE(ini.ReadInteger("S", "Junk", 7), 7);
        QCOMPARE(ini.ReadBool("S", "Junk", true), true);
        QVERIFY(ini.WriteString("S", "True", "TRUE"));
        QCOMPARE(ini.ReadBool("S", "True", false), true);
    }

    void sectionsAndKeys()
    {
        TRegIniFile ini(kKey);
        QVERIFY(!ini.SectionExists("TBriskDesigner"));
        for (const char *name : {"Top", "Left", "Width"})
            QVERIFY(ini.WriteInteger("TBriskDesigner", name, 1));
        QVERIFY(ini.WriteString("TKorDBGridDesigner", "Pages", "A;B"));
        QCOMPARE(ini.ReadSection("TBriskDesigner"), (QStringList{"Top", "Left", "Width"}));
        QCOMPARE(ini.ReadSectionValues("TBriskDesigner"),
                 (QStringList{"Top=1", "Left=1", "Width=1"}));

        QVERIFY(ini.DeleteKey("TBriskDesigner", "left") &&
                !ini.ValueExists("TBriskDesigner", "Left") &&
                ini.ValueExists("TBriskDesigner", "Width"));
        QVERIFY(ini.DeleteKey("TBriskDesigner", "NotThere")); // nothing to do is not an error

        QVERIFY(ini.EraseSection("TBriskDesigner") && !ini.SectionExists("TBriskDesigner"));
        QCOMPARE(ini.ReadInteger("TBriskDesigner", "Top", 99), 99);
        QCOMPARE(ini.ReadSections(), QStringList{"TKorDBGridDesigner"});
        QCOMPARE(ini.ReadString("TKorDBGridDesigner", "Pages", {}), u"A;B"_s);
    }

    void keyMapsToFileUnderSettingsFolder()
    {
        QCOMPARE(SettingsFolder(), QDir::cleanPath(m_dir));
        TRegIniFile ini(kKey);
        QCOMPARE(ini.FileName(),
                 m_dir + "/Software/Kor/DesignHost/3.0/Property Editors/Brisk Designer.ini");
        QVERIFY(!QFile::exists(ini.FileName())); // nothing is created by reading
        QCOMPARE(ini.ReadString("S", "N", "d"), u"d"_s);
        QVERIFY(!QFile::exists(ini.FileName()) && ini.WriteString("S", "N", "v") &&
                QFile::exists(ini.FileName()));

        // Segments cannot climb out of the folder or name odd files.
        QCOMPARE(SettingsFileForKey("..\\a/b:c\\\\."), m_dir + "/%2e%2e/a%2fb%3ac/%2e.ini");

        // Another folder in KOR_SETTINGS_DIR redirects every store opened after the change.
        const QString other = m_dir + "/elsewhere";
        const QByteArray saved = qgetenv("KOR_SETTINGS_DIR");
        qputenv("KOR_SETTINGS_DIR", other.toLocal8Bit());
        {
            TRegIniFile moved(kKey);
            QVERIFY(moved.FileName().startsWith(other + '/'));
            QCOMPARE(moved.ReadString("S", "N", "d"), u"d"_s);
        }
        qputenv("KOR_SETTINGS_DIR", saved);
    }

    void handEditedFileIsRead()
    {
        TRegIniFile ini(kKey);
        writeRaw(ini.FileName(),
                 "\xEF\xBB\xBF; edited by hand\r\n[TBriskDesigner]\r\n  Top = 5 \r\n"
                 "# another comment\r\n\r\nHint=a\\nb\r\n[Empty]\r\n");
        QCOMPARE(ini.ReadInteger("TBriskDesigner", "Top", 0), 5);
        QCOMPARE(ini.ReadString("TBriskDesigner", "Hint", {}), u"a\nb"_s);
        QVERIFY(ini.SectionExists("Empty") && !ini.IsDamaged());
    }

    void twoStoresDoNotUndoEachOther()
    {
        TRegIniFile first(kKey);
        TRegIniFile second(kKey);
        QVERIFY(first.WriteInteger("S", "A", 1) && second.WriteInteger("S", "B", 2) &&
                first.WriteInteger("S", "C", 3));
        TRegIniFile third(kKey);
        QCOMPARE(third.ReadSection("S"), (QStringList{"A", "B", "C"}));
    }

    void updateBracketSavesTogether()
    {
        TRegIniFile other(kKey);
        QVERIFY(other.WriteInteger("S", "Kept", 1));
        {
            TRegIniFile ini(kKey);
            ini.BeginUpdate();
            QVERIFY(ini.EraseSection("S") && ini.WriteInteger("S", "Top", 10));
            ini.BeginUpdate();
            QVERIFY(ini.WriteInteger("S", "Left", 20) && ini.EndUpdate());
            // Held changes: this store sees them, the file does not have them yet.
            QCOMPARE(ini.ReadSection("S"), (QStringList{"Top", "Left"}));
            QCOMPARE(other.ReadSection("S"), QStringList{"Kept"});
            QVERIFY(ini.EndUpdate());
            QCOMPARE(other.ReadSection("S"), (QStringList{"Top", "Left"}));

            // Destroyed inside a bracket: the held change is saved all the same.
            ini.BeginUpdate();
            QVERIFY(ini.WriteInteger("S", "Width", 30));
        }
        QCOMPARE(other.ReadInteger("S", "Width", 0), 30);
    }

    // Each row: damaged lines before an intact section [Other], and what Top reads as (-1:
    // skipped). The values under a section name that cannot be read belong to no known section,
    // nor do they join a good section before it.
    void damagedLinesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("garbage");
        QTest::addColumn<int>("top");
        const std::tuple<const char *, const char *, int> rows[] = {
            {"stray line", "[TBriskDesigner]\nTop=10\nthis line is no setting\nLeft=5\n", 10},
            {"not UTF-8", "[TBriskDesigner]\nTop=\xff\xfe\nLeft=5\n", -1},
            {"value outside a section", "Top=10\n[TBriskDesigner]\nLeft=5\n", -1},
            {"unknown escape", "[TBriskDesigner]\nTop=1\\q\nLeft=5\n", -1},
            {"broken section name", "[Lost\nTop=3\n[TBriskDesigner]\nLeft=5\n", -1},
            {"broken section after a good one", "[TBriskDesigner]\nLeft=5\n[Lost]x\nTop=3\n", -1}};
        for (const auto &[name, lines, top] : rows)
            QTest::addRow("%s", name) << QByteArray(lines) + "[Other]\nA=1\n" << top;
    }

    void damagedLinesAreSkipped()
    {
        QFETCH(QByteArray, garbage);
        QFETCH(int, top);
        TRegIniFile ini(kKey);
        writeRaw(ini.FileName(), garbage);

        // The damage is reported once, however often the file is read.
        const QRegularExpression report(u"has lines that cannot be read"_s);
        QTest::ignoreMessage(QtWarningMsg, report);
        QTest::failOnWarning(report);
        QCOMPARE(ini.ReadInteger("TBriskDesigner", "Top", -1), top);
        QCOMPARE(ini.ReadInteger("TBriskDesigner", "Left", -1), 5);
        QCOMPARE(ini.ReadInteger("Other", "A", -1), 1);
        QVERIFY(ini.IsDamaged() && ini.ErrorString().contains(u"line "_s));

        // A form-state save after such a read: the window's section is rewritten, every other
        // section read stays, and the damaged original is kept aside.
        ini.BeginUpdate();
        ini.EraseSection("TBriskDesigner");
        ini.WriteInteger("TBriskDesigner", "Width", 30);
        QVERIFY(ini.EndUpdate());
        QCOMPARE(ReadTestFile(ini.FileName() + ".damaged"), garbage);
        QVERIFY(!ini.IsDamaged());
        QCOMPARE(ini.ReadSections(), (QStringList{"Other", "TBriskDesigner"}));
        QCOMPARE(ini.ReadInteger("Other", "A", -1), 1);
        QCOMPARE(ini.ReadSection("TBriskDesigner"), QStringList{"Width"});

        // A second damage is kept beside the first rather than over it.
        const QByteArray second =
            QByteArray("also broken: ") + QTest::currentDataTag() + "\n[Other]\nA=2\n";
        writeRaw(ini.FileName(), second);
        QTest::ignoreMessage(QtWarningMsg, report);
        QCOMPARE(ini.ReadInteger("Other", "A", -1), 2);
        QVERIFY(ini.WriteInteger("Other", "B", 1));
        QCOMPARE(ReadTestFile(ini.FileName() + ".damaged.2"), second);
        QCOMPARE(ReadTestFile(ini.FileName() + ".damaged"), garbage);
        QCOMPARE(ini.ReadSectionValues("Other"), (QStringList{"A=2", "B=1"}));
    }

    void keysDifferingInCaseOpenOneFile()
    {
        TRegIniFile first(kKey);
        QVERIFY(first.WriteInteger("TBriskDesigner", "Top", 7));
        // Both ways round: the stored spelling is found from another one, and a store opened
        // before the file existed finds the file another store created since.
        TRegIniFile upper(kKey.toUpper());
        TRegIniFile lower(kKey.toLower());
        QCOMPARE(upper.FileName(), first.FileName());
        QCOMPARE(upper.ReadInteger("tbriskdesigner", "TOP", 0), 7);
        QVERIFY(lower.WriteInteger("TBRISKDESIGNER", "Left", 9));
        QCOMPARE(first.ReadInteger("TBriskDesigner", "Left", 0), 9);
        QCOMPARE(QDir(QFileInfo(first.FileName()).absolutePath())
                     .entryList(QDir::Files | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(first.FileName()).fileName()});

        ResetTestSettingsDir();
        TRegIniFile early(kKey.toLower());
        TRegIniFile creator(kKey);
        QVERIFY(creator.WriteInteger("S", "N", 1));
        QCOMPARE(early.ReadInteger("S", "N", 0), 1);
        QCOMPARE(early.FileName(), creator.FileName());
    }

    void unreadableFileIsNotOverwritten()
    {
        TRegIniFile ini(kKey);
        // A folder where the file should be cannot be read (even by a privileged user).
        QVERIFY(QDir().mkpath(ini.FileName()));
        QCOMPARE(ini.ReadInteger("S", "N", 3), 3);
        QVERIFY(ini.IsDamaged() && !ini.WriteInteger("S", "N", 4) &&
                ini.ErrorString().contains(QDir::toNativeSeparators(ini.FileName())) &&
                QFileInfo(ini.FileName()).isDir());
    }

    void unwritableLocationReports()
    {
        // The settings folder lies under a plain file, so it can never be created.
        const QString blocker = m_dir + "/blocker";
        writeRaw(blocker, "x");
        const QByteArray saved = qgetenv("KOR_SETTINGS_DIR");
        qputenv("KOR_SETTINGS_DIR", (blocker + "/settings").toLocal8Bit());
        {
            TRegIniFile ini(kKey);
            QCOMPARE(ini.ReadBool("S", "N", true), true);
            QVERIFY(!ini.WriteBool("S", "N", false) && !ini.ErrorString().isEmpty());
            QVERIFY(ini.EraseSection("S")); // nothing there: succeeds without writing
            QCOMPARE(ini.ReadBool("S", "N", true), true);
        }
        qputenv("KOR_SETTINGS_DIR", saved);
        QCOMPARE(ReadTestFile(blocker), QByteArray("x"));
    }
};

QTEST_GUILESS_MAIN(TestHostSettings)
#include "tst_host_settings.moc"
