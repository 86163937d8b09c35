#include "stringlist.h"

#include "hosterrors.h"

TStrings::TStrings(QObject *parent) : QObject(parent) {}

QString TStrings::Strings(int Index) const
{
    if (Index < 0 || Index >= m_lines.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return m_lines.at(Index);
}

void TStrings::SetLines(const QStringList &Lines)
{
    if (m_lines == Lines)
        return;
    m_lines = Lines;
    emit changed();
}

QString TStrings::Text() const
{
    QString text;
    for (const QString &line : m_lines)
        text += line + QLatin1String("\r\n");
    return text;
}

void TStrings::SetText(const QString &Text)
{
    QString normalised = Text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normalised.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    SetLines(lines);
}

void TStrings::Add(const QString &Line)
{
    m_lines.append(Line);
    emit changed();
}

void TStrings::Clear()
{
    SetLines({});
}

int TStrings::IndexOf(const QString &Line) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines.at(i).compare(Line, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TStrings::Assign(const TPersistent *Source)
{
    if (const auto *source = dynamic_cast<const TStrings *>(Source)) {
        SetLines(source->m_lines);
        return;
    }
    TPersistent::Assign(Source);
}
