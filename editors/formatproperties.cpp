#include "formatproperties.h"

#include "displayformats.h"

TKorDBGridFormatListProperty::TKorDBGridFormatListProperty(const TPropertyEditorArgs &Args)
    : TStringProperty(Args)
{
}

TPropertyAttributes TKorDBGridFormatListProperty::GetAttributes()
{
    // Unsorted, so the catalogue order stands; not read-only, so any format can be typed.
    return paValueList | paMultiSelect | paRevertable;
}

void TKorDBGridFormatListProperty::GetValues(const TGetStrProc &Proc)
{
    for (const QString &value : FormatEntries())
        Proc(value);
}

void TKorDBGridFormatListProperty::SetValue(const QString &Value)
{
    TStringProperty::SetValue(ExtractStoredFormat(Value));
}

TKorDBGridFormatValueProperty::TKorDBGridFormatValueProperty(const TPropertyEditorArgs &Args)
    : TKorDBGridFormatListProperty(Args)
{
}

QStringList TKorDBGridFormatValueProperty::FormatEntries()
{
    const QObject *edited = PropCount() > 0 ? GetComponent(0) : nullptr;
    return TotalFormatEntries(TotalFormatSampleValue(edited));
}

TKorDBGridPickTextFormatProperty::TKorDBGridPickTextFormatProperty(const TPropertyEditorArgs &Args)
    : TKorDBGridFormatListProperty(Args)
{
}

QStringList TKorDBGridPickTextFormatProperty::FormatEntries()
{
    return PickTextFormatEntries();
}
