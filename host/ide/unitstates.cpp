#include "unitstates.h"

TUnitStates::TUnitStates(QStringList Names)
    : m_names(std::move(Names)), m_started(std::size_t(m_names.size()), false)
{
}

void TUnitStates::SetStarted(const char *Unit, bool Started)
{
    const qsizetype index = m_names.indexOf(QLatin1String(Unit));
    if (index >= 0)
        m_started[std::size_t(index)] = Started;
}

bool TUnitStates::IsStarted(const QString &Unit) const
{
    const qsizetype index = m_names.indexOf(Unit);
    return index >= 0 && m_started[std::size_t(index)];
}
