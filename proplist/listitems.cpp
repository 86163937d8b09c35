#include "listitems.h"

#include <QMetaMethod>
#include <algorithm>

#include "controls/seams.h"
#include "db.h"
#include "designintf.h"
#include "designwindow.h"
#include "dropstate.h"
#include "hostdialogs.h"
#include "persistent.h"
#include "proplist.h"
#include "proplistwindow.h"
#include "stringlist.h"

namespace {

constexpr int kMaxDropDownCount = 20;

} // namespace

// TListPropItem

TListPropItem::TListPropItem(const QString &PropName, TComboBox *ComboBox)
    : TPropItem(PropName, ComboBox)
{
}

TComboBox *TListPropItem::GetEditControl() const
{
    return qobject_cast<TComboBox *>(EditControl());
}

int TListPropItem::AddListValues(QStringList &)
{
    return csSimple;
}

int TListPropItem::GetDropDownCount()
{
    TComboBox *box = GetEditControl();
    return box ? qMin(box->ItemCount(), kMaxDropDownCount) : 0;
}

int TListPropItem::GetDropDownWidth()
{
    TComboBox *box = GetEditControl();
    if (!box)
        return 0;
    // Measuring every entry is the costly part; the same entries in the same font are not
    // measured again.
    const QStringList entries = box->Items();
    const QFont font = box->font();
    if (entries != m_measuredList || font != m_measuredFont) {
        int widest = 0;
        for (const QString &entry : entries)
            widest = qMax(widest, box->TextWidth(entry));
        m_measuredList = entries;
        m_measuredFont = font;
        m_widestEntry = widest;
    }
    return dropDownWidth(box);
}

int TListPropItem::dropDownWidth(TComboBox *Box) const
{
    TComboBox *box = Box;
    int width = m_widestEntry;
    if (box->ItemCount() > box->DropDownCount())
        width += ControlSeams().VerticalScrollBarWidth();
    width += 4;
    return width > box->Width() ? width : 0;
}

void TListPropItem::InitEditControl()
{
    TPropItem::InitEditControl();
    // The list of the box the user is working in is not rebuilt during its own save.
    TComboBox *box = GetEditControl();
    if (m_saving || !box)
        return;
    QStringList strings;
    const int style = AddListValues(strings);
    const bool kept = fillList(box, strings);
    box->SetStyle(style);

    const auto select = TNotifyEvent(Guard([this] { ComboBoxSelect(); }));
    const auto keyPress = TKeyPressEvent(Guard([this](QChar &Key) { ComboBoxKeyPress(Key); }));
    const auto attachList = [&](bool Attach) {
        box->OnSelect = Attach ? select : nullptr;
        box->OnCloseUp = Attach ? TNotifyEvent(Guard([this] { ComboBoxCloseUp(); })) : nullptr;
        box->OnDropDown = Attach ? TNotifyEvent(Guard([this] { ComboBoxDropDown(); })) : nullptr;
    };
    switch (style) {
    case csDropDown:
        box->SetSorted(m_sorted);
        attachList(true);
        box->OnDblClick = select;
        box->OnExit = select;
        box->OnKeyPress = keyPress;
        break;
    case csSimple:
        attachList(false);
        box->OnDblClick = select;
        box->OnExit = select;
        box->OnKeyPress = keyPress;
        break;
    case csDropDownList:
    case csOwnerDrawFixed:
        box->SetSorted(m_sorted);
        attachList(true);
        box->OnDblClick = nullptr;
        box->OnExit = nullptr;
        box->OnKeyPress = nullptr;
        break;
    default:
        break;
    }
    box->SetDropDownCount(GetDropDownCount());
    // A kept list is sorted as it was; only a new filling is read back and measured again.
    if (kept && m_measuredList == m_filledList && m_measuredFont == box->font()) {
        m_dropWidth = dropDownWidth(box);
        return;
    }
    m_dropWidth = GetDropDownWidth();
    m_filledList = box->Items(); // sorting may have reordered the entries
}

bool TListPropItem::fillList(TComboBox *Box, const QStringList &Strings)
{
    // A reload lists the same entries most of the time; rebuilding the box's list then would
    // only cost time. Its current entry is set by the load that follows either way.
    if (Strings == m_filledWith && Box->ItemCount() == m_filledList.size() &&
        Box->Items() == m_filledList)
        return true;
    Box->SetItems(Strings);
    m_filledWith = Strings;
    return false;
}

void TListPropItem::LoadEditControl()
{
    TComboBox *box = GetEditControl();
    if (!box)
        return;
    const QString text = GetPropText();
    switch (box->Style()) {
    case csDropDown:
        box->SetItemIndex(box->IndexOf(text));
        if (box->ItemIndex() < 0)
            box->SetText(text); // a value outside the list is still shown
        break;
    case csSimple:
        box->SetText(text);
        if (box->Focused())
            box->SelectAll();
        break;
    case csDropDownList:
    case csOwnerDrawFixed:
        box->SetItemIndex(box->IndexOf(text));
        break;
    default:
        break;
    }
    SetDefault(IsDefault());
}

void TListPropItem::SaveEditControl()
{
    TComboBox *box = GetEditControl();
    if (!box)
        return;
    struct SavingScope {
        TListPropItem *item;
        ~SavingScope() { item->m_saving = false; }
    } scope{this};
    m_saving = true;
    SetPropText(box->Text());
    PropList()->PropItemChanged(this);
}

void TListPropItem::SetListWidth(bool Wide)
{
    DropState::SetListWidth(GetEditControl(), m_dropWidth, Wide);
}

void TListPropItem::ComboBoxSelect()
{
    TComboBox *box = GetEditControl();
    if (box && box->Text() != GetPropText())
        SaveEditControl();
}

void TListPropItem::ComboBoxDropDown()
{
    SetDefault(true); // the text is regular while the list is open
    SetListWidth(true);
}

void TListPropItem::ComboBoxCloseUp()
{
    SetListWidth(false);
    SetDefault(IsDefault());
}

void TListPropItem::ComboBoxKeyPress(QChar &Key)
{
    if (Key.unicode() != 13)
        return;
    Key = QChar();
    ComboBoxSelect();
}

// TChooserPropItem

void TChooserPropItem::SaveEditControl()
{
    TComboBox *box = GetEditControl();
    if (!box)
        return;
    // The page is reloaded for the new choice, and the window selects its object in the host
    // again.
    SaveWhileSaving([&] {
        SetPropText(box->Text());
        UpdateOwnerPropList(PropList());
    });
}

void UpdateOwnerPropList(TPropList *List)
{
    if (auto *window = dynamic_cast<IPropListWindow *>(List ? List->OwnerForm : nullptr))
        window->UpdatePropList();
}

// TEnumPropItem

QString TEnumPropItem::GetPropText()
{
    return GetEnumProp(PropName());
}

void TEnumPropItem::SetPropText(const QString &Value)
{
    if (!ReadOnly())
        SetEnumProp(PropName(), Value);
}

int TEnumPropItem::AddListValues(QStringList &Strings)
{
    if (PPropInfo info = GetPropInfo(PropName())) {
        // Every value of the enumeration, in ordinal order.
        QList<int> values;
        if (info->TypeName == QLatin1String("Boolean"))
            values = {0, 1};
        else if (info->Enum.isValid())
            for (int i = 0; i < info->Enum.keyCount(); ++i)
                values.append(info->Enum.value(i));
        std::sort(values.begin(), values.end());
        values.erase(std::unique(values.begin(), values.end()), values.end());
        for (int value : values)
            Strings.append(info->EnumName(value));
    }
    SetSorted(true);
    return csDropDownList;
}

// TCursPropItem

QString TCursPropItem::GetPropText()
{
    return CursorToString(GetPropValue());
}

void TCursPropItem::SetPropText(const QString &Value)
{
    TCursor cursor = crDefault;
    if (IdentToCursor(Value, cursor))
        SetPropValue(cursor);
}

int TCursPropItem::AddListValues(QStringList &Strings)
{
    StringsTarget = &Strings;
    if (const auto values = ControlSeams().CursorValues)
        values([this](const QString &Ident) { StringsTarget->append(Ident); });
    StringsTarget = nullptr;
    SetSorted(true);
    return csDropDownList;
}

// TLinkPropItem

QString TLinkPropItem::GetPropText()
{
    QObject *value = GetObjectProp(PropName());
    if (!value)
        return {};
    TComponent *component = AsComponent(value);
    if (IDesigner *designer = Designer(); designer && component)
        return designer->GetComponentName(component);
    return component ? component->Name() : value->objectName();
}

void TLinkPropItem::SetPropText(const QString &Value)
{
    QObject *component = nullptr;
    if (!Value.isEmpty())
        if (IDesigner *designer = Designer())
            if (TComponent *found = designer->GetComponent(Value)) {
                component = found->Object();
                const QMetaObject *declared = GetObjectPropClass(PropName());
                if (declared && !component->metaObject()->inherits(declared))
                    component = nullptr;
            }
    if (ReadOnly())
        return;
    try {
        SetObjectProp(PropName(), component);
    } catch (const std::exception &) {
        // A refused component leaves the property empty rather than half-set.
        SetObjectProp(PropName(), nullptr);
    }
}

int TLinkPropItem::AddListValues(QStringList &Strings)
{
    StringsTarget = &Strings;
    if (IDesigner *designer = Designer())
        designer->GetComponentNames(GetObjectPropClass(PropName()),
                                    [this](const QString &Name) { StringsTarget->append(Name); });
    StringsTarget = nullptr;
    SetSorted(true);
    return csDropDown;
}

// TFontNamePropItem

QString TFontNamePropItem::GetEditHint()
{
    return QStringLiteral("   (Click right mouse button to select font from FontDialog)");
}

bool TFontNamePropItem::IsDefault()
{
    const auto defaultName = ControlSeams().DefaultFontName;
    return GetPropText() == (defaultName ? defaultName() : QString());
}

void TFontNamePropItem::InitEditControl()
{
    TListPropItem::InitEditControl();
    if (TComboBox *box = GetEditControl()) {
        box->SetPopupMenu(PropList()->EmptyPopupMenu());
        box->OnContextPopup = Guard([this](const QPoint &MousePos, bool &Handled) {
            ComboBoxContextPopup(MousePos, Handled);
        });
    }
}

int TFontNamePropItem::AddListValues(QStringList &Strings)
{
    if (const auto fonts = ControlSeams().ScreenFonts)
        Strings = fonts();
    SetSorted(true);
    return csDropDownList;
}

void TFontNamePropItem::ComboBoxContextPopup(const QPoint &, bool &Handled)
{
    Handled = true; // no menu
    TComboBox *box = GetEditControl();
    if (!box || box->DroppedDown())
        return;
    box->SetFocus();
    const qsizetype at = PropName().indexOf(QLatin1String(".Name"));
    if (at < 0)
        return; // not bound to the name of a font object
    const QString fontPath = PropName().left(at);
    TFont font;
    if (auto *current = qobject_cast<TFont *>(GetObjectProp(fontPath, &TFont::staticMetaObject)))
        font.Assign(current);
    if (!HostDialogs().ExecuteFont(font, box))
        return;
    SetObjectProp(fontPath, &font);
    PropList()->PropItemChanged(this);
}

// TFieldNamePropItem

QObject *TFieldNamePropItem::GetDataSource()
{
    QObject *instance = PropList() ? PropList()->Instance() : nullptr;
    if (!instance || !IsPublishedProp(instance, QStringLiteral("DataSource")))
        return nullptr;
    return ::GetObjectProp(instance, QStringLiteral("DataSource"));
}

QObject *TFieldNamePropItem::GetDataSet()
{
    QObject *source = GetDataSource();
    if (!source || !IsPublishedProp(source, QStringLiteral("DataSet")))
        return nullptr;
    return ::GetObjectProp(source, QStringLiteral("DataSet"));
}

int TFieldNamePropItem::AddListValues(QStringList &Strings)
{
    QObject *dataSet = GetDataSet();
    if (!dataSet)
        return csSimple; // the name is typed
    Strings += DataSetFieldNames(dataSet);
    SetSorted(true);
    return csDropDown;
}

QStringList DataSetFieldNames(QObject *DataSet)
{
    QStringList names;
    if (!DataSet)
        return names;
    if (auto *dataSet = qobject_cast<TDataSet *>(DataSet)) {
        dataSet->GetFieldNames(names);
        return names;
    }
    // Other datasets answer through an invokable GetFieldNames.
    const QMetaObject *meta = DataSet->metaObject();
    if (meta->indexOfMethod("GetFieldNames()") >= 0) {
        QMetaObject::invokeMethod(DataSet, "GetFieldNames", Qt::DirectConnection,
                                  Q_RETURN_ARG(QStringList, names));
    } else if (meta->indexOfMethod("GetFieldNames(TStrings*)") >= 0) {
        TStrings list;
        QMetaObject::invokeMethod(DataSet, "GetFieldNames", Qt::DirectConnection,
                                  Q_ARG(TStrings *, &list));
        names = list.Lines();
    }
    return names;
}

// TImageIndexPropItem

QString TImageIndexPropItem::GetPropText()
{
    return QString::number(GetPropValue());
}

void TImageIndexPropItem::SetPropText(const QString &Value)
{
    bool ok = false;
    const int index = Value.trimmed().toInt(&ok);
    SetPropValue(ok ? index : -1);
}

void TImageIndexPropItem::InitEditControl()
{
    TListPropItem::InitEditControl();
    if (TComboBox *box = GetEditControl())
        box->OnDrawItem = Guard([this](int Index, const QRect &Rect, QPainter &Canvas) {
            ComboBoxDrawItem(Index, Rect, Canvas);
        });
}

int TImageIndexPropItem::AddListValues(QStringList &Strings)
{
    if (TCustomImageList *images = GetImageList())
        for (int i = 0; i < images->Count(); ++i)
            Strings.append(QString::number(i));
    if (TCustomImageList *indicators = GetIndicators()) {
        Strings.append(QStringLiteral("-1"));
        for (int i = 0; i < indicators->Count(); ++i)
            Strings.append(QString::number(-2 - i));
    }
    SetSorted(false);
    return csOwnerDrawFixed;
}

TCustomImageList *TImageIndexPropItem::GetImageList()
{
    return nullptr;
}

TCustomImageList *TImageIndexPropItem::GetIndicators()
{
    return nullptr;
}

void TImageIndexPropItem::ComboBoxDrawItem(int Index, const QRect &Rect, QPainter &Canvas)
{
    TComboBox *box = GetEditControl();
    if (!box)
        return;
    const QString text = box->itemText(Index);
    int n = text.toInt();
    TCustomImageList *images = nullptr;
    int gap = 0;
    if (n >= 0) {
        images = GetImageList();
        gap = 4;
    } else {
        images = GetIndicators();
        n = -n - 2;
    }
    if (!images)
        return;
    QRect rect = Rect;
    Canvas.fillRect(rect, Canvas.brush());
    if (images->Height() <= 16) {
        if (n >= 0 && n < images->Count())
            images->Draw(Canvas, rect.left() + 2,
                         rect.top() + (rect.height() - images->Height()) / 2, n, true);
        rect.setLeft(rect.left() + images->Width() + 2 + gap);
    }
    Canvas.drawText(
        QRect(rect.left() + 2, rect.top() + 1, qMax(0, rect.width() - 2), rect.height() - 1),
        Qt::AlignLeft | Qt::AlignTop, text);
}
