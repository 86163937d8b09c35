#include "hosterrors.h"

EHostError::EHostError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}
