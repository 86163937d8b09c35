#pragma once
// Type information over published properties: read and write a property of any component or
// persistent object by name, and learn its kind, type name, recorded default, write access and
// stored condition.
//
// A property is published when its class declares it with one of the macros of published.h:
// a Q_PROPERTY that Qt's meta-object system sees, plus a class-info entry "prop:<Name>" with
// "<kind>|<type name>|<default>". Components also publish their Name. Ordinal values
// (integers, enumerations, sets, colours, cursors, Booleans, characters) travel as signed 32-bit
// integers; a set's bit i stands for its element with ordinal i.
//
// Names are matched without regard to case. Every error (no such property, wrong kind, read-only,
// a value the setter refuses) raises an EHostError.

#include <QList>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QObject>
#include <QString>

#include "korhost_export.h"

enum class TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
};

// The recorded default of a property that has none.
constexpr qint32 NoDefault = qint32(0x80000000);

// An event handler as the form designer keeps it: the name of the method it calls.
struct TMethod {
    QString Name;
    bool IsAssigned() const { return !Name.isEmpty(); }
    friend bool operator==(const TMethod &a, const TMethod &b) { return a.Name == b.Name; }
};
Q_DECLARE_METATYPE(TMethod)

class KORHOST_EXPORT TPropInfo {
public:
    QString Name;
    TTypeKind Kind = TTypeKind::tkUnknown;
    QString TypeName;
    qint32 Default = NoDefault;
    QMetaProperty Meta;                       // invalid for the synthetic Name of components
    QMetaEnum Enum;                           // enumeration or set: the element names
    const QMetaObject *ObjectClass = nullptr; // class properties: the declared class
    QString StoredMethod; // empty: always stored; "false": never; else a method name

    bool HasWrite() const;
    bool IsOrdinal() const;
    bool IsString() const;
    // Identifier of an enumeration value or of set element Index; empty when out of range.
    QString EnumName(int Value) const;
    // Value of an identifier; -1 when there is none.
    int EnumValue(const QString &Ident) const;
    // Number of enumeration values or set elements.
    int EnumCount() const;
};
using PPropInfo = const TPropInfo *;

KORHOST_EXPORT const char *TypeKindName(TTypeKind Kind);

// nullptr when Instance is nil or has no published property of that name.
KORHOST_EXPORT PPropInfo GetPropInfo(const QObject *Instance, const QString &PropName);
// Every published property of Instance, base class first, in declaration order.
KORHOST_EXPORT QList<PPropInfo> GetPropList(const QObject *Instance);
// Like GetPropInfo but raises EPropertyError when there is no such property.
KORHOST_EXPORT PPropInfo FindPropInfo(const QObject *Instance, const QString &PropName);
KORHOST_EXPORT TTypeKind PropType(const QObject *Instance, const QString &PropName);
KORHOST_EXPORT bool IsPublishedProp(const QObject *Instance, const QString &PropName);

KORHOST_EXPORT qint32 GetOrdProp(const QObject *Instance, PPropInfo PropInfo);
KORHOST_EXPORT qint32 GetOrdProp(const QObject *Instance, const QString &PropName);
KORHOST_EXPORT void SetOrdProp(QObject *Instance, PPropInfo PropInfo, qint32 Value);
KORHOST_EXPORT void SetOrdProp(QObject *Instance, const QString &PropName, qint32 Value);

// Enumerations (and Booleans, as "False"/"True") by identifier.
KORHOST_EXPORT QString GetEnumProp(const QObject *Instance, const QString &PropName);
KORHOST_EXPORT void SetEnumProp(QObject *Instance, const QString &PropName, const QString &Value);

// String kinds; characters read and write as one-character strings.
KORHOST_EXPORT QString GetStrProp(const QObject *Instance, PPropInfo PropInfo);
KORHOST_EXPORT QString GetStrProp(const QObject *Instance, const QString &PropName);
KORHOST_EXPORT void SetStrProp(QObject *Instance, PPropInfo PropInfo, const QString &Value);
KORHOST_EXPORT void SetStrProp(QObject *Instance, const QString &PropName, const QString &Value);

KORHOST_EXPORT double GetFloatProp(const QObject *Instance, const QString &PropName);
KORHOST_EXPORT void SetFloatProp(QObject *Instance, const QString &PropName, double Value);

// Object properties. GetObjectProp answers nullptr when the value is not of MinClass.
KORHOST_EXPORT QObject *GetObjectProp(const QObject *Instance, const QString &PropName,
                                      const QMetaObject *MinClass = nullptr);
KORHOST_EXPORT void SetObjectProp(QObject *Instance, const QString &PropName, QObject *Value);
KORHOST_EXPORT const QMetaObject *GetObjectPropClass(const QObject *Instance,
                                                     const QString &PropName);

KORHOST_EXPORT TMethod GetMethodProp(const QObject *Instance, const QString &PropName);
KORHOST_EXPORT void SetMethodProp(QObject *Instance, const QString &PropName, const TMethod &Value);

// The stored condition: true, false, or the answer of the class's stored method.
KORHOST_EXPORT bool IsStoredProp(const QObject *Instance, PPropInfo PropInfo);
KORHOST_EXPORT bool IsStoredProp(const QObject *Instance, const QString &PropName);

// Forgets cached type information of classes whose code is about to be unloaded.
KORHOST_EXPORT void ForgetTypeInfo(const QMetaObject *Class);
