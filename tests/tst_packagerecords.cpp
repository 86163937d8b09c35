// The records the design-time module carries, read from the built module file without loading
// it: the manifest byte for byte, the description and the version record; and how the readers
// treat damaged and foreign files.

#include <QtTest>

#include <dlfcn.h>

#include "hosterrors.h"
#include "packages.h"
#include "testsupport.h"

namespace {

// Builds the bytes a manifest must hold, field by field.
struct Bytes {
    QByteArray data;
    Bytes &u8(int value)
    {
        data.append(char(value));
        return *this;
    }
    Bytes &u32(quint32 value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            u8(int((value >> shift) & 0xFF));
        return *this;
    }
    Bytes &text(const char *value)
    {
        data.append(value);
        return u8(0);
    }
    Bytes &hashed(const char *name) { return u8(PackageNameHash(name)).text(name); }
};

const char *const storedUnits[] = {"DCLKorDBGrid90", "KorDBCtrlsReg", "IDEAboutDlg", "SysInit",
                                   "KorDBListsReg",  "KorDBEditsReg", "IDEGridsDlg", "IDEColorDlg",
                                   "KorDBGridsReg",  "IDELinesDlg",   "IDEDesigner", "IDEPropList",
                                   "IDEDesignEd"};

QByteArray expectedManifest()
{
    Bytes bytes;
    bytes.u32(0x4C000003).u32(2).hashed("VCLKorDBGrid90.bpl").hashed("designide90.bpl").u32(13);
    for (const char *unit : storedUnits)
        bytes.u8(unit == storedUnits[0] ? 3 : 0).hashed(unit);
    bytes.hashed("DCLKorDBGrid90");
    return bytes.data;
}

QByteArray moduleBytes()
{
    QFile file(PackageModuleFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPackageRecords : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(PackageModuleFile()), qPrintable(PackageModuleFile()));
    }

    void nameHashRule()
    {
        // Worked by hand: 'A' = 0x41; then rotl3(0x41) = 0x0A, ^ 'B' (0x42) = 0x48.
        QCOMPARE(PackageNameHash(""), 0);
        QCOMPARE(PackageNameHash("A"), 0x41);
        QCOMPARE(PackageNameHash("AB"), 0x48);
        QCOMPARE(PackageNameHash("ab"), PackageNameHash("AB"));
        QVERIFY(PackageNameHash("KorDBGridsReg") != PackageNameHash("KorDBEditsReg"));
    }

    void manifestBytesAreExact()
    {
        const QByteArray bytes = ReadModuleSection(PackageModuleFile(), PackageInfoSection);
        QCOMPARE(bytes.left(4), QByteArray("\x03\x00\x00\x4C", 4));
        QCOMPARE(bytes.toHex(' '), expectedManifest().toHex(' '));
    }

    void manifestDecodes()
    {
        const TPackageManifest manifest = ReadPackageManifest(PackageModuleFile());
        QCOMPARE(manifest.Flags, 0x4C000003u);
        QVERIFY(manifest.Flags & pfDesignOnly);
        QCOMPARE((manifest.Flags & pfProducerMask) >> pfProducerShift, 3u);
        QCOMPARE(manifest.Requires.size(), 2);
        QCOMPARE(manifest.Requires[0].FileName, QStringLiteral("VCLKorDBGrid90.bpl"));
        QCOMPARE(manifest.Requires[1].FileName, QStringLiteral("designide90.bpl"));
        QCOMPARE(manifest.Contains.size(), 13);
        for (int i = 0; i < 13; ++i) {
            QCOMPARE(manifest.Contains[i].Name, QString::fromLatin1(storedUnits[i]));
            QCOMPARE(manifest.Contains[i].Flags, i == 0 ? ufMainUnit | ufPackageUnit : 0);
        }
        QCOMPARE(manifest.Name, QStringLiteral("DCLKorDBGrid90"));
        QVERIFY(manifest.ContainsUnit(QStringLiteral("kordbgridsreg")));
        QVERIFY(!manifest.ContainsUnit(QStringLiteral("Kordbgrids")));
    }

    void descriptionAndVersion()
    {
        const QByteArray raw = ReadModuleSection(PackageModuleFile(), PackageDescriptionSection);
        const QString description = ReadPackageDescription(PackageModuleFile());
        QCOMPARE(description, QStringLiteral("Kor-DBGrid Component 8.6"));
        QCOMPARE(raw.size(), 2 * (description.size() + 1));
        QCOMPARE(raw.left(4), QByteArray("K\0o\0", 4));
        QCOMPARE(raw.right(2), QByteArray(2, '\0'));

        const TPackageVersionInfo version = ReadPackageVersion(PackageModuleFile());
        QCOMPARE(version.FileVersionText(), QStringLiteral("8.6.0.134"));
        QCOMPARE(version.Values.value("FileVersion"), QStringLiteral("8.6.0.134"));
        QCOMPARE(version.Values.value("ProductVersion"), QStringLiteral("8.6"));
        QCOMPARE(version.Values.value("InternalName"), QStringLiteral("DCLKorDBGrid90"));
        QCOMPARE(version.Values.value("OriginalFilename"), QStringLiteral("DCLKorDBGrid90.bpl"));
    }

    void exportedAccessorsMatchTheSections()
    {
        void *module =
            dlopen(QFile::encodeName(PackageModuleFile()).constData(), RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(module, dlerror());
        using Accessor = const unsigned char *(*)(quint32 *);
        const std::pair<const char *, const char *> pairs[] = {
            {"GetPackageInfoResource", PackageInfoSection},
            {"GetPackageDescriptionResource", PackageDescriptionSection},
            {"GetPackageVersionResource", PackageVersionSection}};
        for (const auto &[symbol, section] : pairs) {
            auto accessor = reinterpret_cast<Accessor>(dlsym(module, symbol));
            QVERIFY2(accessor, symbol);
            quint32 size = 0;
            const unsigned char *data = accessor(&size);
            QCOMPARE(QByteArray(reinterpret_cast<const char *>(data), size),
                     ReadModuleSection(PackageModuleFile(), section));
        }
        dlclose(module);
    }

    void everyDamagedManifestIsRefused()
    {
        const QByteArray good = expectedManifest();
        QCOMPARE(ParsePackageManifest(good).Contains.size(), 13);
        for (qsizetype length = 0; length < good.size(); ++length)
            QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(good.left(length)));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(good + '\0'));

        QByteArray badHash = good;
        badHash[8] = char(badHash[8] ^ 0x01); // hash of the first required package
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(badHash));

        QByteArray hugeCount = good;
        hugeCount[4] = '\xFF'; // required count 0x000000FF
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(hugeCount));
        hugeCount[7] = '\xFF'; // negative
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageManifest(hugeCount));

        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageDescription(QByteArray("K\0o\0", 4)));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageDescription(QByteArray("K\0o", 3)));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ParsePackageVersion(QByteArray("KVR2........")));
    }

    void foreignAndBrokenFilesRaise()
    {
        QTemporaryDir dir;
        const QByteArray module = moduleBytes();
        QVERIFY(module.size() > 4096);

        QByteArray noSectionTable = module;
        // e_shoff of a 64-bit header sits at byte 40; point it past the end of the file.
        const quint64 past = quint64(module.size()) + 64;
        memcpy(noSectionTable.data() + 40, &past, sizeof past);

        const QStringList broken = {
            WriteTestFile(dir.filePath(QStringLiteral("empty.so")), {}),
            WriteTestFile(dir.filePath(QStringLiteral("text.so")), "This is no module at all\n"),
            WriteTestFile(dir.filePath(QStringLiteral("truncated.so")), module.left(4096)),
            WriteTestFile(dir.filePath(QStringLiteral("header-only.so")), module.left(20)),
            WriteTestFile(dir.filePath(QStringLiteral("bad-table.so")), noSectionTable),
            dir.filePath(QStringLiteral("missing.so")),
        };
        for (const QString &path : broken) {
            QVERIFY(!path.isEmpty());
            QVERIFY_THROWS_EXCEPTION(EPackageError, ReadPackageManifest(path));
            QVERIFY_THROWS_EXCEPTION(EPackageError, LoadPackage(path));
            QVERIFY(!IsPackageModule(path));
        }
        QVERIFY(LoadedPackages().isEmpty());
    }

    void aLibraryWithoutManifestIsNoPackage()
    {
        const QString runtime = QDir(qEnvironmentVariable("KOR_PACKAGE_DIR"))
                                    .filePath(QStringLiteral("libVCLKorDBGrid90.so"));
        QVERIFY(QFileInfo::exists(runtime));
        QVERIFY(ReadModuleSection(runtime, PackageInfoSection).isNull());
        QVERIFY(!IsPackageModule(runtime));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ReadPackageManifest(runtime));
        QVERIFY_THROWS_EXCEPTION(EPackageError, LoadPackage(runtime));
    }
};

QTEST_MAIN(TestPackageRecords)
#include "tst_packagerecords.moc"
