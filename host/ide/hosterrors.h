#pragma once
// The design host's exception hierarchy. Everything the host, its type information or a
// component's property setter raises derives from EHostError, so the host can catch it in one
// place and report it with its message.

#include <QString>
#include <stdexcept>

#include "korhost_export.h"

class KORHOST_EXPORT EHostError : public std::runtime_error {
public:
    explicit EHostError(const QString &message);
    QString Message() const { return m_message; }

private:
    QString m_message;
};

// A property that does not exist, has the wrong kind, or cannot be written.
class KORHOST_EXPORT EPropertyError : public EHostError {
public:
    using EHostError::EHostError;
};

// A value a property setter refuses, or a text that does not convert.
class KORHOST_EXPORT EConvertError : public EHostError {
public:
    using EHostError::EHostError;
};

// An operation that is not valid in the object's current state.
class KORHOST_EXPORT EInvalidOperation : public EHostError {
public:
    using EHostError::EHostError;
};

// A component name clash or an ownership error.
class KORHOST_EXPORT EComponentError : public EHostError {
public:
    using EHostError::EHostError;
};

// A package module that cannot be found, loaded or started.
class KORHOST_EXPORT EPackageError : public EHostError {
public:
    using EHostError::EHostError;
};

// An index outside a list or collection.
class KORHOST_EXPORT EListError : public EHostError {
public:
    using EHostError::EHostError;
};
