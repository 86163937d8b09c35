#include "formatproperties.h"

#include "displayformats.h"

namespace {

// Unsorted, so the catalogue order stands; not read-only, so any format can be typed.
constexpr TPropertyAttributes kListAttributes = paValueList | paMultiSelect | paRevertable;

} // namespace

TKorDBGridFormatValueProperty::TKorDBGridFormatValueProperty(const TPropertyEditorArgs &Args)
    : TStringProperty(Args)
{
}

TPropertyAttributes TKorDBGridFormatValueProperty::GetAttributes()
{
    return kListAttributes;
}

void TKorDBGridFormatValueProperty::GetValues(const TGetStrProc &Proc)
{
    const QObject *edited = PropCount() > 0 ? GetComponent(0) : nullptr;
    for (const QString &value : TotalFormatEntries(TotalFormatSampleValue(edited)))
        Proc(value);
}

void TKorDBGridFormatValueProperty::SetValue(const QString &Value)
{
    TStringProperty::SetValue(ExtractStoredFormat(Value));
}

TKorDBGridPickTextFormatProperty::TKorDBGridPickTextFormatProperty(const TPropertyEditorArgs &Args)
    : TStringProperty(Args)
{
}

TPropertyAttributes TKorDBGridPickTextFormatProperty::GetAttributes()
{
    return kListAttributes;
}

void TKorDBGridPickTextFormatProperty::GetValues(const TGetStrProc &Proc)
{
    for (const QString &value : PickTextFormatEntries())
        Proc(value);
}

void TKorDBGridPickTextFormatProperty::SetValue(const QString &Value)
{
    TStringProperty::SetValue(ExtractStoredFormat(Value));
}
