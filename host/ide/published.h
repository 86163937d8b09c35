#pragma once
// Macros that publish a property to both Qt's meta-object system (a Q_PROPERTY) and the host's
// type information (a class-info entry with kind, type name and recorded default), and declare
// its storage, getter and setter. A class that uses the field macros declares `void Changed()`,
// which every setter calls after the value changed.
//
// Where they go: at the head of the class, right after Q_OBJECT (Q_CLASSINFO and hand-written
// Q_PROPERTY lines may stand among them), before the class's first access specifier. Q_OBJECT
// leaves the access private; each macro makes its getter and setter public and its storage
// private, and ends at `private:` again, the access it found. The class then names the access
// of its own members (`public:` first), so a macro never makes them public silently; a macro
// placed in a public part would leave what follows private, which the compiler reports at the
// first outside use.
//
//   KOR_INTEGER(Width, 64)                 int, "Integer"
//   KOR_BOOLEAN(Visible, true)             bool, "Boolean"
//   KOR_COLOR(Color, clWindow)             TColor
//   KOR_CURSOR(Cursor, crDefault)          TCursor
//   KOR_CHAR(Delimiter, 0x3B)              QChar, "Char"
//   KOR_FLOAT(Ratio, 0)                    double, "Double"
//   KOR_ENUM(TAlignment, Alignment, taLeftJustify)
//   KOR_SET(TFontStyles, Style, ())        default written as (a | b) or ()
//   KOR_STRING(Hint)                       QString, "string", no default
//   KOR_TYPED_STRING(TFontName, Name)      QString with its own type name
//   KOR_OBJECT(TFont, Font)                owned sub-object; writing assigns
//   KOR_LINK(TDataSource, DataSource)      reference to a component, cleared when it goes
//   KOR_EVENT(TNotifyEvent, OnChange)      event handler name
//   KOR_STORED(Width, IsWidthStored)       stored condition: a Q_INVOKABLE bool method
//
// KOR_PUBLISHED alone adds the type information to a hand-written Q_PROPERTY.

#include <QPointer>
#include <memory>

#include "graphics.h"
#include "typinfo.h"

#define KOR_PUBLISHED(Kind, TypeName, Name, DefaultText)                                           \
    Q_CLASSINFO("prop:" #Name, #Kind "|" TypeName "|" DefaultText)

#define KOR_STORED(Name, Method) Q_CLASSINFO("stored:" #Name, #Method)

#define KOR_FIELD_PROPERTY(CppType, Name, Kind, TypeName, Default)                                 \
    Q_PROPERTY(CppType Name READ Name WRITE set##Name)                                             \
    KOR_PUBLISHED(Kind, TypeName, Name, #Default)                                                  \
public:                                                                                            \
    CppType Name() const                                                                           \
    {                                                                                              \
        return m_##Name;                                                                           \
    }                                                                                              \
    void set##Name(CppType Value)                                                                  \
    {                                                                                              \
        if (m_##Name == Value)                                                                     \
            return;                                                                                \
        m_##Name = Value;                                                                          \
        Changed();                                                                                 \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    CppType m_##Name = CppType(Default);

#define KOR_INTEGER(Name, Default) KOR_FIELD_PROPERTY(int, Name, tkInteger, "Integer", Default)
#define KOR_BOOLEAN(Name, Default) KOR_FIELD_PROPERTY(bool, Name, tkEnumeration, "Boolean", Default)
#define KOR_COLOR(Name, Default) KOR_FIELD_PROPERTY(TColor, Name, tkInteger, "TColor", Default)
#define KOR_CURSOR(Name, Default) KOR_FIELD_PROPERTY(TCursor, Name, tkInteger, "TCursor", Default)
#define KOR_CHAR(Name, Default) KOR_FIELD_PROPERTY(QChar, Name, tkChar, "Char", Default)
#define KOR_FLOAT(Name, Default) KOR_FIELD_PROPERTY(double, Name, tkFloat, "Double", Default)
#define KOR_ENUM(Type, Name, Default) KOR_FIELD_PROPERTY(Type, Name, tkEnumeration, #Type, Default)

#define KOR_SET(Type, Name, Default)                                                               \
    Q_PROPERTY(Type Name READ Name WRITE set##Name)                                                \
    KOR_PUBLISHED(tkSet, #Type, Name, #Default)                                                    \
public:                                                                                            \
    Type Name() const                                                                              \
    {                                                                                              \
        return m_##Name;                                                                           \
    }                                                                                              \
    void set##Name(Type Value)                                                                     \
    {                                                                                              \
        if (m_##Name == Value)                                                                     \
            return;                                                                                \
        m_##Name = Value;                                                                          \
        Changed();                                                                                 \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type m_##Name = Type Default;

#define KOR_STRING_PROPERTY(Kind, TypeName, Name)                                                  \
    Q_PROPERTY(QString Name READ Name WRITE set##Name)                                             \
    KOR_PUBLISHED(Kind, TypeName, Name, "")                                                        \
public:                                                                                            \
    QString Name() const                                                                           \
    {                                                                                              \
        return m_##Name;                                                                           \
    }                                                                                              \
    void set##Name(const QString &Value)                                                           \
    {                                                                                              \
        if (m_##Name == Value)                                                                     \
            return;                                                                                \
        m_##Name = Value;                                                                          \
        Changed();                                                                                 \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    QString m_##Name;

#define KOR_STRING(Name) KOR_STRING_PROPERTY(tkLString, "string", Name)
#define KOR_TYPED_STRING(TypeName, Name) KOR_STRING_PROPERTY(tkLString, #TypeName, Name)
#define KOR_WIDESTRING(Name) KOR_STRING_PROPERTY(tkWString, "WideString", Name)

#define KOR_OBJECT(Class, Name)                                                                    \
    Q_PROPERTY(Class *Name READ Name WRITE set##Name)                                              \
    KOR_PUBLISHED(tkClass, #Class, Name, "")                                                       \
public:                                                                                            \
    Class *Name() const                                                                            \
    {                                                                                              \
        return m_##Name.get();                                                                     \
    }                                                                                              \
    void set##Name(Class *Value)                                                                   \
    {                                                                                              \
        m_##Name->Assign(Value);                                                                   \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    std::unique_ptr<Class> m_##Name;

#define KOR_LINK(Class, Name)                                                                      \
    Q_PROPERTY(Class *Name READ Name WRITE set##Name)                                              \
    KOR_PUBLISHED(tkClass, #Class, Name, "")                                                       \
public:                                                                                            \
    Class *Name() const                                                                            \
    {                                                                                              \
        return m_##Name.data();                                                                    \
    }                                                                                              \
    void set##Name(Class *Value)                                                                   \
    {                                                                                              \
        if (m_##Name == Value)                                                                     \
            return;                                                                                \
        m_##Name = Value;                                                                          \
        Changed();                                                                                 \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    QPointer<Class> m_##Name;

#define KOR_EVENT(TypeName, Name)                                                                  \
    Q_PROPERTY(TMethod Name READ Name WRITE set##Name)                                             \
    KOR_PUBLISHED(tkMethod, #TypeName, Name, "")                                                   \
public:                                                                                            \
    TMethod Name() const                                                                           \
    {                                                                                              \
        return m_##Name;                                                                           \
    }                                                                                              \
    void set##Name(const TMethod &Value)                                                           \
    {                                                                                              \
        m_##Name = Value;                                                                          \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    TMethod m_##Name;
