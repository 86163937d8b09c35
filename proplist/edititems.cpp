#include "edititems.h"

#include "proplist.h"
#include "stringlist.h"

namespace {

QString charText(qint32 Code)
{
    return Code == 0 ? QString() : QString(QChar(char16_t(Code)));
}

} // namespace

// TTextPropItem

TTextPropItem::TTextPropItem(const QString &PropName, TEdit *Edit) : TPropItem(PropName, Edit) {}

TEdit *TTextPropItem::GetEditControl() const
{
    return qobject_cast<TEdit *>(EditControl());
}

void TTextPropItem::InitEditControl()
{
    TPropItem::InitEditControl();
    if (TEdit *edit = GetEditControl()) {
        edit->OnExit = Guard([this] { EditExit(); });
        edit->OnKeyPress = Guard([this](QChar &Key) { EditKeyPress(Key); });
    }
}

void TTextPropItem::LoadEditControl()
{
    TEdit *edit = GetEditControl();
    if (!edit)
        return;
    edit->SetText(GetPropText());
    SetDefault(IsDefault());
    if (edit->Focused())
        edit->SelectAll();
}

void TTextPropItem::SaveEditControl()
{
    if (TEdit *edit = GetEditControl())
        SetPropText(edit->Text());
    PropList()->PropItemChanged(this);
}

void TTextPropItem::EditCheckChange()
{
    TEdit *edit = GetEditControl();
    if (edit && edit->Text() != GetPropText())
        SaveEditControl();
}

void TTextPropItem::EditExit()
{
    EditCheckChange();
    if (TEdit *edit = GetEditControl())
        edit->SetSelLength(0);
}

void TTextPropItem::EditKeyPress(QChar &Key)
{
    if (Key.unicode() != 13)
        return;
    Key = QChar();
    EditCheckChange();
}

// TCharPropItem

TCharPropItem::TCharPropItem(const QString &PropName, TEdit *Edit) : TTextPropItem(PropName, Edit)
{
    if (Edit)
        Edit->SetMaxLength(1);
}

void TCharPropItem::LoadEditControl()
{
    TEdit *edit = GetEditControl();
    if (!edit)
        return;
    edit->SetText(charText(GetPropValue()));
    SetDefault(IsDefault());
    if (edit->Focused())
        edit->SelectAll();
}

void TCharPropItem::EditCheckChange()
{
    TEdit *edit = GetEditControl();
    if (edit && edit->Text() != charText(GetPropValue()))
        SaveEditControl();
}

void TCharPropItem::SaveEditControl()
{
    if (TEdit *edit = GetEditControl()) {
        const QString text = edit->Text();
        SetPropValue(text.isEmpty() ? 0 : text.at(0).unicode());
    }
    PropList()->PropItemChanged(this);
}

// TMemoPropItem

TMemoPropItem::TMemoPropItem(const QString &PropName, TMemo *Memo) : TPropItem(PropName, Memo) {}

TMemo *TMemoPropItem::GetEditControl() const
{
    return qobject_cast<TMemo *>(EditControl());
}

TStrings *TMemoPropItem::GetPropItems()
{
    return qobject_cast<TStrings *>(GetObjectProp(PropName(), &TStrings::staticMetaObject));
}

void TMemoPropItem::SetPropItems(const QStringList &Lines)
{
    if (ReadOnly())
        return;
    TStrings strings;
    strings.SetLines(Lines);
    SetObjectProp(PropName(), &strings); // the property copies the lines
}

bool TMemoPropItem::IsDefault()
{
    TStrings *items = GetPropItems();
    return !items || items->Count() == 0;
}

void TMemoPropItem::InitEditControl()
{
    TPropItem::InitEditControl();
    if (TMemo *memo = GetEditControl()) {
        memo->OnExit = Guard([this] { MemoCheckChange(); });
        memo->OnKeyDown =
            Guard([this](quint16 &Key, TShiftState Shift) { MemoKeyDown(Key, Shift); });
    }
}

void TMemoPropItem::LoadEditControl()
{
    TMemo *memo = GetEditControl();
    if (!memo)
        return;
    TStrings *items = GetPropItems();
    memo->SetLines(items ? items->Lines() : QStringList());
    SetDefault(IsDefault());
}

void TMemoPropItem::SaveEditControl()
{
    if (TMemo *memo = GetEditControl())
        SetPropItems(memo->Lines());
    PropList()->PropItemChanged(this);
}

void TMemoPropItem::MemoCheckChange()
{
    TMemo *memo = GetEditControl();
    if (!memo)
        return;
    TStrings typed;
    typed.SetLines(memo->Lines());
    TStrings *items = GetPropItems();
    if (typed.Text() != (items ? items->Text() : QString()))
        SaveEditControl();
}

void TMemoPropItem::MemoKeyDown(quint16 &Key, TShiftState Shift)
{
    if (Key != VK_RETURN || !(Shift & Qt::AltModifier))
        return;
    Key = 0;
    MemoCheckChange();
}

// TValuePropItem

TValuePropItem::TValuePropItem(const QString &PropName, TEdit *Edit, qint16 MinValue,
                               qint16 MaxValue)
    : TPropItem(PropName, Edit), m_minValue(MinValue), m_maxValue(MaxValue)
{
    FindSpinControl();
}

void TValuePropItem::FindSpinControl()
{
    TEdit *edit = GetEditControl();
    if (TUpDown *spin = GetSpinControl(); spin && edit && spin->Associate() == edit)
        return;
    m_spinControl = nullptr;
    QWidget *parent = edit ? edit->parentWidget() : nullptr;
    if (!parent)
        return;
    for (QObject *child : parent->children())
        if (auto *spin = qobject_cast<TUpDown *>(child); spin && spin->Associate() == edit) {
            m_spinControl = spin;
            break;
        }
}

TEdit *TValuePropItem::GetEditControl() const
{
    return qobject_cast<TEdit *>(EditControl());
}

void TValuePropItem::SetEnabled(bool Value)
{
    TPropItem::SetEnabled(Value);
    if (GetSpinControl())
        GetSpinControl()->setEnabled(Value || GetAllEnabled());
}

void TValuePropItem::SetVisible(bool Value)
{
    TPropItem::SetVisible(Value);
    if (GetSpinControl())
        GetSpinControl()->setVisible(Value);
}

void TValuePropItem::InitEditControl()
{
    // A spinner associated with the edit box after the item was made is found now.
    FindSpinControl();
    TPropItem::InitEditControl();
    TEdit *edit = GetEditControl();
    if (!edit)
        return;
    const auto check = TNotifyEvent(Guard([this] { EditCheckChange(); }));
    edit->OnDblClick = check;
    edit->OnExit = check;
    edit->OnKeyDown = Guard([this](quint16 &Key, TShiftState Shift) { EditKeyDown(Key, Shift); });
    edit->OnKeyPress = Guard([this](QChar &Key) { EditKeyPress(Key); });
    if (TUpDown *spin = GetSpinControl()) {
        spin->SetMin(m_minValue);
        spin->SetMax(m_maxValue);
        SetControlHint(spin, GetMainHint());
        spin->SetThousands(false);
        spin->OnChanging = Guard([this](bool &AllowChange) { SpinChanging(AllowChange); });
    }
}

void TValuePropItem::LoadEditControl()
{
    TUpDown *spin = GetSpinControl();
    TEdit *edit = GetEditControl();
    if (!spin || !edit)
        return;
    const TUDChangingEvent changing = spin->OnChanging;
    spin->OnChanging = nullptr;
    spin->SetPosition(GetPropValue());
    SetDefault(IsDefault());
    // Selecting lays the text out again; a reload mostly finds it selected already.
    const int length = int(edit->text().size());
    if (!(length > 0 && edit->selectionStart() == 0 && edit->selectedText().size() == length &&
          edit->cursorPosition() == length))
        edit->SelectAll();
    spin->OnChanging = changing;
}

void TValuePropItem::SaveEditControl()
{
    if (TUpDown *spin = GetSpinControl())
        SetPropValue(qint16(spin->Position()));
    PropList()->PropItemChanged(this);
}

void TValuePropItem::SetOnChange(bool On)
{
    if (TEdit *edit = GetEditControl())
        edit->OnChange = On ? TNotifyEvent(Guard([this] { EditCheckChange(); })) : nullptr;
}

void TValuePropItem::SpinChanging(bool &AllowChange)
{
    if (TEdit *edit = GetEditControl())
        edit->SetFocus();
    SetOnChange(true); // the text the spinner writes next runs the check
    AllowChange = true;
}

void TValuePropItem::EditKeyPress(QChar &Key)
{
    if (Key.unicode() != 13)
        return;
    Key = QChar();
    EditCheckChange();
}

void TValuePropItem::EditKeyDown(quint16 &Key, TShiftState Shift)
{
    TUpDown *spin = GetSpinControl();
    if (!spin || (Key != VK_PRIOR && Key != VK_NEXT))
        return;
    const bool up = Key == VK_PRIOR;
    if (Shift & Qt::ControlModifier)
        spin->SetPosition(up ? spin->Max() : spin->Min());
    else
        spin->SetPosition(spin->Position() + (up ? 10 : -10));
}

void TValuePropItem::EditCheckChange()
{
    SetOnChange(false);
    TUpDown *spin = GetSpinControl();
    TEdit *edit = GetEditControl();
    if (!spin || !edit)
        return;
    if (GetPropValue() != spin->Position()) {
        SaveEditControl();
        CheckZeroText();
        return;
    }
    bool ok = false;
    const int number = edit->Text().trimmed().toInt(&ok);
    if (ok) {
        spin->SetPosition(number); // clamped; nothing is stored now
        CheckZeroText();
        return;
    }
    edit->SetText(QString::number(spin->Position()));
    edit->SelectAll();
}

void TValuePropItem::CheckZeroText()
{
    TUpDown *spin = GetSpinControl();
    TEdit *edit = GetEditControl();
    if (spin && edit && spin->Position() == 0 && edit->Text() != QLatin1String("0"))
        edit->SetText(QStringLiteral("0"));
}
