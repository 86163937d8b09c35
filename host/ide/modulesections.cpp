// Named sections of an ELF module file, read without loading the module, and the package
// records read from them.

#include "packages.h"

#include <QFile>
#include <QSysInfo>

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "hosterrors.h"

namespace {

[[noreturn]] void notAModule(const QString &fileName, const QString &why)
{
    throw EPackageError(QStringLiteral("'%1' is not a valid module: %2").arg(fileName, why));
}

void readAt(QFile &file, const QString &fileName, quint64 offset, void *to, quint64 size)
{
    if (offset > quint64(file.size()) || size > quint64(file.size()) - offset)
        notAModule(fileName, QStringLiteral("it is truncated"));
    if (!file.seek(qint64(offset)) ||
        file.read(static_cast<char *>(to), qint64(size)) != qint64(size))
        throw EPackageError(
            QStringLiteral("Cannot read '%1': %2").arg(fileName, file.errorString()));
}

template <typename Ehdr, typename Shdr>
QByteArray readElfSection(QFile &file, const QString &fileName, std::string_view section)
{
    Ehdr header;
    readAt(file, fileName, 0, &header, sizeof header);
    if (header.e_shoff == 0)
        notAModule(fileName, QStringLiteral("it has no section table"));
    if (header.e_shentsize != sizeof(Shdr))
        notAModule(fileName, QStringLiteral("unexpected section header size"));

    // Counts too large for the header live in the first section header.
    Shdr first;
    readAt(file, fileName, header.e_shoff, &first, sizeof first);
    const quint64 count = header.e_shnum != 0 ? header.e_shnum : quint64(first.sh_size);
    const quint64 namesIndex = header.e_shstrndx != SHN_XINDEX ? header.e_shstrndx : first.sh_link;
    if (count == 0 || count > quint64(file.size()) / sizeof(Shdr) || namesIndex >= count)
        notAModule(fileName, QStringLiteral("damaged section table"));

    std::vector<Shdr> sections(count);
    readAt(file, fileName, header.e_shoff, sections.data(), count * sizeof(Shdr));

    const Shdr &namesHeader = sections[namesIndex];
    if (namesHeader.sh_type == SHT_NOBITS)
        notAModule(fileName, QStringLiteral("damaged section names"));
    QByteArray names(qsizetype(std::min<quint64>(namesHeader.sh_size, quint64(file.size()))), '\0');
    readAt(file, fileName, namesHeader.sh_offset, names.data(), namesHeader.sh_size);

    for (const Shdr &entry : sections) {
        if (entry.sh_name >= quint64(names.size()))
            continue;
        const char *name = names.constData() + entry.sh_name;
        const qsizetype length = qstrnlen(name, names.size() - entry.sh_name);
        if (std::string_view(name, length) != section || entry.sh_type == SHT_NOBITS)
            continue;
        if (entry.sh_size > quint64(file.size()))
            notAModule(fileName,
                       QStringLiteral("section %1 is truncated").arg(QLatin1String(name)));
        QByteArray bytes(qsizetype(entry.sh_size), '\0');
        readAt(file, fileName, entry.sh_offset, bytes.data(), entry.sh_size);
        return bytes;
    }
    return {};
}

QByteArray requireSection(const QString &fileName, const char *section, const char *what)
{
    QByteArray bytes = ReadModuleSection(fileName, section);
    if (bytes.isNull())
        throw EPackageError(
            QStringLiteral("'%1' carries no %2").arg(fileName, QLatin1String(what)));
    return bytes;
}

} // namespace

QByteArray ReadModuleSection(const QString &FileName, std::string_view Section)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EPackageError(
            QStringLiteral("Cannot open '%1': %2").arg(FileName, file.errorString()));
    unsigned char ident[EI_NIDENT];
    if (file.read(reinterpret_cast<char *>(ident), EI_NIDENT) != EI_NIDENT ||
        memcmp(ident, ELFMAG, SELFMAG) != 0)
        notAModule(FileName, QStringLiteral("it is not an ELF file"));
    const unsigned char ownOrder =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? ELFDATA2LSB : ELFDATA2MSB;
    if (ident[EI_DATA] != ownOrder)
        notAModule(FileName, QStringLiteral("it is built for another byte order"));
    if (ident[EI_CLASS] == ELFCLASS64)
        return readElfSection<Elf64_Ehdr, Elf64_Shdr>(file, FileName, Section);
    if (ident[EI_CLASS] == ELFCLASS32)
        return readElfSection<Elf32_Ehdr, Elf32_Shdr>(file, FileName, Section);
    notAModule(FileName, QStringLiteral("unknown ELF class"));
}

TPackageManifest ReadPackageManifest(const QString &FileName)
{
    return ParsePackageManifest(requireSection(FileName, PackageInfoSection, "package manifest"));
}

QString ReadPackageDescription(const QString &FileName)
{
    return ParsePackageDescription(
        requireSection(FileName, PackageDescriptionSection, "package description"));
}

TPackageVersionInfo ReadPackageVersion(const QString &FileName)
{
    return ParsePackageVersion(requireSection(FileName, PackageVersionSection, "version record"));
}

bool IsPackageModule(const QString &FileName)
{
    try {
        return !ReadModuleSection(FileName, PackageInfoSection).isNull();
    } catch (const EHostError &) {
        return false;
    }
}
