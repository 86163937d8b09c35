#include "proplist.h"

#include <QMenu>
#include <QStackedWidget>

#include "checkitems.h"
#include "coloritems.h"
#include "designwindow.h"
#include "edititems.h"
#include "hosterrors.h"
#include "listitems.h"

TPropList::TPropList(TDesignWindow *AOwnerForm, QObject *AInstance)
    : OwnerForm(AOwnerForm), m_emptyPopupMenu(std::make_unique<QMenu>()), m_instance(AInstance),
      m_instanceIdentity(AInstance)
{
}

TPropList::~TPropList()
{
    m_emptyPopupMenu.reset();
    m_items.clear();
    m_lists.clear();
}

IDesigner *TPropList::Designer() const
{
    return OwnerForm ? OwnerForm->Designer() : nullptr;
}

void TPropList::SetInstance(QObject *Value)
{
    // Identity, not only the address: a new object that lands where a dead instance lived is
    // another instance.
    if (Value == m_instanceIdentity && (!Value || m_instance))
        return;
    m_instance = Value;
    m_instanceIdentity = Value;
    InstanceChanged();
}

TPropItem *TPropList::Items(int Index) const
{
    return Index >= 0 && Index < ItemCount() ? m_items[size_t(Index)].get() : nullptr;
}

TPropList *TPropList::Lists(int Index) const
{
    return Index >= 0 && Index < ListCount() ? m_lists[size_t(Index)].get() : nullptr;
}

QString TPropList::ListName() const
{
    return m_listControl ? m_listControl->objectName() : QString();
}

bool TPropList::ListVisible() const
{
    return m_listControl ? ControlVisible(m_listControl) : true;
}

QString TPropList::GetHintPropName(const QString &Path)
{
    return Path;
}

QObject *TPropList::PropInstance(QString &Path)
{
    QObject *object = Instance();
    GetPropInstance(object, Path);
    return object;
}

void TPropList::GetPropInstance(QObject *&Object, QString &Path) const
{
    for (qsizetype dot = Path.indexOf(QLatin1Char('.')); dot >= 0;
         dot = Path.indexOf(QLatin1Char('.'))) {
        // A nil object is not followed; the path is still reduced to its last name.
        if (Object)
            Object = ::GetObjectProp(Object, Path.left(dot));
        Path.remove(0, dot + 1);
    }
}

void TPropList::PropItemChanged(TPropItem *)
{
    // An item writes to the list's instance or to an object it holds (a title, a font): naming
    // the instance lets the designer look at its component alone.
    if (IDesigner *designer = Designer()) {
        if (QObject *instance = Instance())
            designer->ObjectsModified({instance});
        else
            designer->Modified();
    }
}

void TPropList::InstanceChanged() {}

void TPropList::InitPropList() {}

void TPropList::LoadPropList()
{
    static quint64 passes = 0;
    struct TPass {
        quint64 &current;
        const quint64 outer;
        ~TPass() { current = outer; }
    } pass{m_loadPass, m_loadPass};
    m_loadPass = ++passes;
    UpdateVisible();
    if (Instance() && ListVisible()) {
        for (const auto &item : m_items)
            if (item->Visible()) {
                item->InitEditControl();
                item->LoadEditControl();
            }
        UpdateEnabled();
        LoadActiveList();
    }
    SetListActive();
}

void TPropList::SetListVisible(bool Value)
{
    QWidget *control = m_listControl;
    if (!control)
        return;
    // A page of a page control shows only while it is the current page: the page control keeps
    // the others hidden, and showing one would lay it over the current page.
    if (auto *pages = qobject_cast<QStackedWidget *>(control->parentWidget());
        Value && pages && pages->currentWidget() != control)
        return;
    control->setVisible(Value);
}

void TPropList::UpdateEnabled() {}

void TPropList::UpdateVisible()
{
    SetListVisible(Instance() != nullptr);
}

void TPropList::ItemDeleted(QObject *Object)
{
    if (Object && Object == m_instanceIdentity)
        SetInstance(nullptr);
    for (const auto &list : m_lists)
        list->ItemDeleted(Object);
}

QObject *TPropList::SelectedItem()
{
    if (m_activeList)
        if (QObject *selected = m_activeList->SelectedItem())
            return selected;
    return Instance();
}

TPropItem *TPropList::AddPropItem(std::unique_ptr<TPropItem> Item)
{
    Item->m_propList = this;
    m_items.push_back(std::move(Item));
    return m_items.back().get();
}

TPropList *TPropList::AddPropList(std::unique_ptr<TPropList> List, QWidget *Control)
{
    List->m_parentList = this;
    List->m_listControl = Control;
    m_lists.push_back(std::move(List));
    return m_lists.back().get();
}

TPropItem *TPropList::FindItem(QWidget *Control) const
{
    for (const auto &item : m_items)
        if (item->EditControl() == Control)
            return item.get();
    return nullptr;
}

TPropList *TPropList::FindList(QWidget *Control) const
{
    for (const auto &list : m_lists) {
        if (list->ListControl() == Control)
            return list.get();
        if (TPropList *found = list->FindList(Control))
            return found;
    }
    return nullptr;
}

void TPropList::LoadList(QWidget *Control)
{
    if (TPropList *list = FindList(Control))
        list->LoadPropList();
}

void TPropList::LoadActiveList()
{
    if (TPropList *list = GetActiveList())
        list->LoadPropList();
}

void TPropList::SetListActive()
{
    if (m_parentList)
        m_parentList->m_activeList = this;
}

TPropList *TPropList::GetActiveList()
{
    if (m_activeList)
        return m_activeList;
    for (const auto &list : m_lists)
        if (list->ListVisible()) {
            m_activeList = list.get();
            break;
        }
    return m_activeList;
}

bool TPropList::GetAllEnabled() const
{
    return m_parentList ? m_parentList->GetAllEnabled() : AllEnabled;
}

void TPropList::RefuseControl(const QString &PropName, QWidget *Control, const QMetaObject &Wanted)
{
    if (!Control)
        throw EInvalidOperation(
            QStringLiteral("Cannot bind property %1: no control was given").arg(PropName));
    throw EInvalidOperation(
        QStringLiteral("Cannot bind property %1 to control %2: it is a %3, not a %4")
            .arg(PropName, Control->objectName(),
                 QString::fromLatin1(Control->metaObject()->className()),
                 QString::fromLatin1(Wanted.className())));
}

// Factories.

void TPropList::AddNoneProp(const QString &PropName, QWidget *Control)
{
    AddPropItem(std::make_unique<TPropItem>(PropName, BoundControl<QWidget>(PropName, Control)));
}

void TPropList::AddBoolProp(const QString &PropName, QWidget *CheckBox, bool Inverted)
{
    AddPropItem(std::make_unique<TBoolPropItem>(
        PropName, BoundControl<TCheckBox>(PropName, CheckBox), Inverted));
}

void TPropList::AddGrayProp(const QString &PropName, QWidget *CheckBox, bool Inverted)
{
    AddPropItem(std::make_unique<TGrayPropItem>(
        PropName, BoundControl<TCheckBox>(PropName, CheckBox), Inverted));
}

void TPropList::AddElemProp(const QString &PropName, QWidget *CheckBox, int ElemIndex,
                            bool Inverted)
{
    AddPropItem(std::make_unique<TElemPropItem>(
        PropName, BoundControl<TCheckBox>(PropName, CheckBox), ElemIndex, Inverted));
}

void TPropList::AddSelectProp(const QString &PropName, QWidget *CheckBox, bool Checked,
                              const QString &HintText)
{
    AddPropItem(std::make_unique<TSelectPropItem>(
        PropName, BoundControl<TCheckBox>(PropName, CheckBox), Checked, HintText));
}

void TPropList::AddSwitchProp(const QString &PropName, QWidget *CheckBox, QWidget *ShowControl,
                              QWidget *HideControl, bool Checked, const QString &HintText)
{
    AddPropItem(std::make_unique<TSwitchPropItem>(PropName,
                                                  BoundControl<TCheckBox>(PropName, CheckBox),
                                                  ShowControl, HideControl, Checked, HintText));
}

void TPropList::AddListProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(
        std::make_unique<TListPropItem>(PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TPropList::AddEnumProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(
        std::make_unique<TEnumPropItem>(PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TPropList::AddCursProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(
        std::make_unique<TCursPropItem>(PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TPropList::AddLinkProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(
        std::make_unique<TLinkPropItem>(PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TPropList::AddFontNameProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(
        std::make_unique<TFontNamePropItem>(PropName, BoundControl<TComboBox>(PropName, ComboBox)));
}

void TPropList::AddFieldNameProp(const QString &PropName, QWidget *ComboBox)
{
    AddPropItem(std::make_unique<TFieldNamePropItem>(PropName,
                                                     BoundControl<TComboBox>(PropName, ComboBox)));
}

void TPropList::AddColorProp(const QString &PropName, QWidget *ColorBox, TColor DefaultColor,
                             TColor NoneColor)
{
    AddPropItem(std::make_unique<TColorPropItem>(
        PropName, BoundControl<TColorBox>(PropName, ColorBox), DefaultColor, NoneColor));
}

void TPropList::AddBackColorProp(const QString &PropName, QWidget *ColorBox)
{
    AddPropItem(std::make_unique<TBackColorPropItem>(PropName,
                                                     BoundControl<TColorBox>(PropName, ColorBox)));
}

void TPropList::AddFontColorProp(const QString &PropName, QWidget *ColorBox)
{
    AddPropItem(std::make_unique<TFontColorPropItem>(PropName,
                                                     BoundControl<TColorBox>(PropName, ColorBox)));
}

void TPropList::AddTextProp(const QString &PropName, QWidget *Edit)
{
    AddPropItem(std::make_unique<TTextPropItem>(PropName, BoundControl<TEdit>(PropName, Edit)));
}

void TPropList::AddCharProp(const QString &PropName, QWidget *Edit)
{
    AddPropItem(std::make_unique<TCharPropItem>(PropName, BoundControl<TEdit>(PropName, Edit)));
}

void TPropList::AddMemoProp(const QString &PropName, QWidget *Memo)
{
    AddPropItem(std::make_unique<TMemoPropItem>(PropName, BoundControl<TMemo>(PropName, Memo)));
}

void TPropList::AddValueProp(const QString &PropName, QWidget *Edit, qint16 MinValue,
                             qint16 MaxValue)
{
    AddPropItem(std::make_unique<TValuePropItem>(PropName, BoundControl<TEdit>(PropName, Edit),
                                                 MinValue, MaxValue));
}

void TPropList::AddFontSizeProp(const QString &PropName, QWidget *Edit)
{
    AddPropItem(std::make_unique<TFontSizePropItem>(PropName, BoundControl<TEdit>(PropName, Edit)));
}
