#pragma once
// TPropItem: binds one control of a designer page to one published property, named by a dotted
// property path relative to the instance of the item's list. The base item moves no value; it
// gives its control the property's hint and carries enabling and visibility to the control, its
// label and its direct children (the "none" item). Every other item kind derives from it.

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "typinfo.h"

class TPropList;

class TPropItem {
public:
    TPropItem(const QString &PropName, QWidget *EditControl);
    TPropItem(const TPropItem &) = delete;
    TPropItem &operator=(const TPropItem &) = delete;
    virtual ~TPropItem();

    TPropList *PropList() const { return m_propList; }
    QString PropName() const { return m_propName; }
    // The bound control; not owned, nullptr once the control is gone.
    QWidget *EditControl() const { return m_editControl.data(); }
    // True when the property has no setter; computed by every InitEditControl.
    bool ReadOnly() const { return m_readOnly; }

    // Typed accessors: each resolves Path against the list's instance first.
    PPropInfo GetPropInfo(const QString &Path) const;
    TTypeKind GetPropType(const QString &Path) const;
    QString GetEnumProp(const QString &Path) const;
    void SetEnumProp(const QString &Path, const QString &Value);
    qint32 GetOrdProp(const QString &Path) const;
    void SetOrdProp(const QString &Path, qint32 Value);
    QString GetStrProp(const QString &Path) const;
    void SetStrProp(const QString &Path, const QString &Value);
    QObject *GetObjectProp(const QString &Path, const QMetaObject *Class = nullptr) const;
    void SetObjectProp(const QString &Path, QObject *Value);
    const QMetaObject *GetObjectPropClass(const QString &Path) const;
    bool IsStoredProp(const QString &Path) const;

    // True when the item's path can be followed to an object: no object property on the way
    // holds nil (and the list has an instance).
    bool HasPropInstance() const;

    virtual QString GetPropText();
    virtual void SetPropText(const QString &Value);
    virtual qint32 GetPropValue();
    virtual void SetPropValue(qint32 Value);
    virtual QString GetEditHint();
    virtual QString GetMainHint();
    virtual qint32 GetPropDefault();
    virtual bool GetPropReadOnly();
    virtual bool IsDefault();
    virtual void SetEnabled(bool Value);
    virtual void SetVisible(bool Value);
    virtual void InitEditControl();
    virtual void LoadEditControl();
    virtual void SaveEditControl();

    QString GetPropTypeName() const;
    // The first label among the controls of the bound control's parent whose focus control
    // (buddy) is the bound control; nullptr when there is none.
    QLabel *GetTextControl() const;
    bool GetAllEnabled() const;
    bool GetEnabled() const;
    bool GetVisible() const;
    QString GetItemName() const;
    // Shows the control's font regular (default) or bold (not default).
    void SetDefault(bool IsDefault);

    bool AllEnabled() const { return GetAllEnabled(); }
    bool Enabled() const { return GetEnabled(); }
    bool Visible() const { return GetVisible(); }
    QString ItemName() const { return GetItemName(); }

protected:
    void SetReadOnly(bool Value) { m_readOnly = Value; }

    // Wraps an event handler for a control: the handler does nothing once this item is gone,
    // since controls are not owned and may outlive their items. When the handler raises (a
    // setter refused the value), the control is loaded again so that it shows the property's
    // current value, and the error goes on to the host, which reports it.
    template <class Fn> auto Guard(Fn Handler)
    {
        return [this, alive = std::weak_ptr<int>(m_alive), Handler](auto &&...Args) {
            if (alive.expired())
                return;
            try {
                Handler(std::forward<decltype(Args)>(Args)...);
            } catch (...) {
                if (!alive.expired())
                    ReloadAfterError();
                throw;
            }
        };
    }
    // Shows the property's value again after a failed change; an error while reading it back
    // is dropped, so that the first one is the one reported.
    void ReloadAfterError();

    // The designer of the list's window; nullptr when there is none.
    class IDesigner *Designer() const;

private:
    friend class TPropList;
    // The object and last name that the item's own path leads to, kept for one load of the
    // list (TPropList::LoadPass), with that property's type information once asked for.
    struct TResolvedPath {
        quint64 pass = 0;
        QObject *object = nullptr;
        QString name;
        bool infoKnown = false;
        PPropInfo info = nullptr;
    };
    // Resolves Path against the list's instance; the item's own path once per load.
    const TResolvedPath &Resolve(const QString &Path) const;
    // The type information of the property the item's own path names.
    PPropInfo OwnPropInfo() const;

    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    mutable TResolvedPath m_resolved;
    mutable TResolvedPath m_other;
    // The label found for the bound control, and the parent it was looked for in.
    mutable QPointer<QLabel> m_label;
    mutable QPointer<QWidget> m_labelParent;
    mutable bool m_labelSearched = false;
    TPropList *m_propList = nullptr;
    QString m_propName;
    QPointer<QWidget> m_editControl;
    bool m_readOnly = false;
};
