#pragma once
// TPropList: groups the property items of one designer page (or group of pages) around one
// instance, resolves their paths, loads them into their controls, passes every change on to the
// host designer, and forms a tree of sub-lists of which one is active.
//
// Lists are created through TPropList::Create<L>(...), which runs InitPropList right after
// construction (subclasses add their items and sub-lists there).

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

#include "graphics.h"
#include "persistent.h"
#include "propitem.h"

class IDesigner;
class TDesignWindow;
class TCheckBox;
class TComboBox;
class TColorBox;
class TEdit;
class TMemo;
class QMenu;

class TPropList : public QObject, public TPersistent {
    Q_OBJECT
public:
    TPropList(TDesignWindow *OwnerForm, QObject *Instance);
    ~TPropList() override;

    // Constructs a list and runs its InitPropList; the only way lists should be made.
    template <class L, class... Args> static std::unique_ptr<L> Create(Args &&...args)
    {
        auto list = std::make_unique<L>(std::forward<Args>(args)...);
        static_cast<TPropList *>(list.get())->InitPropList();
        return list;
    }

    // Meaningful on the root: every item enabled whatever the page's rules say.
    bool AllEnabled = false;
    // The window whose designer receives the modification notice; not owned.
    TDesignWindow *OwnerForm = nullptr;

    QObject *Instance() const { return m_instance.data(); }
    void SetInstance(QObject *Value);
    TPropList *ParentList() const { return m_parentList; }
    QWidget *ListControl() const { return m_listControl.data(); }
    TPropList *ActiveList() const { return m_activeList; }
    int ItemCount() const { return int(m_items.size()); }
    TPropItem *Items(int Index) const;
    int ListCount() const { return int(m_lists.size()); }
    TPropList *Lists(int Index) const;
    QString ListName() const;
    bool ListVisible() const;
    // A menu without entries for controls whose own context menu must not show.
    QMenu *EmptyPopupMenu() const { return m_emptyPopupMenu.get(); }
    // The designer of OwnerForm; nullptr without a window or designer.
    IDesigner *Designer() const;
    // Non-zero while LoadPropList runs, and another number for every run: nothing changes what
    // the items' paths lead to meanwhile, so an item resolves its path once per load.
    quint64 LoadPass() const { return m_loadPass; }

    virtual QString GetHintPropName(const QString &Path);
    // The object that owns the last property of Path; Path is reduced to that last name.
    // nullptr when the instance is nil or an object property on the way holds nil.
    virtual QObject *PropInstance(QString &Path);
    virtual void PropItemChanged(TPropItem *Item);
    virtual void InstanceChanged();
    virtual void InitPropList();
    virtual void LoadPropList();
    virtual void SetListVisible(bool Value);
    virtual void UpdateEnabled();
    virtual void UpdateVisible();
    virtual void ItemDeleted(QObject *Object);
    virtual QObject *SelectedItem();

    // Takes ownership of Item; returns it for convenience.
    TPropItem *AddPropItem(std::unique_ptr<TPropItem> Item);
    TPropList *AddPropList(std::unique_ptr<TPropList> List, QWidget *Control);
    TPropItem *FindItem(QWidget *Control) const;
    TPropList *FindList(QWidget *Control) const;
    void LoadList(QWidget *Control);
    void LoadActiveList();
    void SetListActive();
    TPropList *GetActiveList();
    bool GetAllEnabled() const;
    // Walks Path from Object through its object-typed properties; on return Object owns the
    // property that Path names. Object becomes nullptr when a property on the way holds nil.
    void GetPropInstance(QObject *&Object, QString &Path) const;

    // Item factories: the property path first, the bound control second. The control must be of
    // the class the item kind binds (a check box, a combo box, ...); a missing control or one of
    // another class raises EInvalidOperation naming the control and the path.
    void AddNoneProp(const QString &PropName, QWidget *Control);
    void AddBoolProp(const QString &PropName, QWidget *CheckBox, bool Inverted = false);
    void AddGrayProp(const QString &PropName, QWidget *CheckBox, bool Inverted = false);
    void AddElemProp(const QString &PropName, QWidget *CheckBox, int ElemIndex,
                     bool Inverted = false);
    void AddSelectProp(const QString &PropName, QWidget *CheckBox, bool Checked,
                       const QString &HintText);
    void AddSwitchProp(const QString &PropName, QWidget *CheckBox, QWidget *ShowControl,
                       QWidget *HideControl, bool Checked, const QString &HintText);
    void AddListProp(const QString &PropName, QWidget *ComboBox);
    void AddEnumProp(const QString &PropName, QWidget *ComboBox);
    void AddCursProp(const QString &PropName, QWidget *ComboBox);
    void AddLinkProp(const QString &PropName, QWidget *ComboBox);
    void AddFontNameProp(const QString &PropName, QWidget *ComboBox);
    void AddFieldNameProp(const QString &PropName, QWidget *ComboBox);
    void AddColorProp(const QString &PropName, QWidget *ColorBox, TColor DefaultColor,
                      TColor NoneColor);
    void AddBackColorProp(const QString &PropName, QWidget *ColorBox);
    void AddFontColorProp(const QString &PropName, QWidget *ColorBox);
    void AddTextProp(const QString &PropName, QWidget *Edit);
    void AddCharProp(const QString &PropName, QWidget *Edit);
    void AddMemoProp(const QString &PropName, QWidget *Memo);
    void AddValueProp(const QString &PropName, QWidget *Edit, qint16 MinValue, qint16 MaxValue);
    void AddFontSizeProp(const QString &PropName, QWidget *Edit);

    // Control as the class C that an item of PropName binds, or EInvalidOperation.
    template <class C> static C *BoundControl(const QString &PropName, QWidget *Control)
    {
        if (auto *typed = qobject_cast<C *>(Control))
            return typed;
        RefuseControl(PropName, Control, C::staticMetaObject);
    }
    [[noreturn]] static void RefuseControl(const QString &PropName, QWidget *Control,
                                           const QMetaObject &Wanted);

private:
    quint64 m_loadPass = 0;
    QPointer<QWidget> m_listControl;
    TPropList *m_parentList = nullptr;
    TPropList *m_activeList = nullptr;
    std::vector<std::unique_ptr<TPropItem>> m_items;
    std::vector<std::unique_ptr<TPropList>> m_lists;
    std::unique_ptr<QMenu> m_emptyPopupMenu;
    QPointer<QObject> m_instance;
    // The instance as it was given, to recognise it in ItemDeleted even after it is gone.
    QObject *m_instanceIdentity = nullptr;
};
