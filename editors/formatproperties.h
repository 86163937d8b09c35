#pragma once
// Object Inspector editors that offer the display-format catalogue as a drop-down list: total
// formats (filtered by the edited total value) and pick-text formats. The property stays free
// text; a chosen entry is stored as the bare format it carries.

#include <QStringList>

#include "propedit.h"

// A free-text format property with catalogue entries to pick from, in catalogue order.
class TKorDBGridFormatListProperty : public TStringProperty {
    Q_OBJECT
public:
    explicit TKorDBGridFormatListProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    // Stores the bare format of a chosen entry, or the typed text.
    void SetValue(const QString &Value) override;

protected:
    // The catalogue entries the list offers.
    virtual QStringList FormatEntries() = 0;
};

class TKorDBGridFormatValueProperty : public TKorDBGridFormatListProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridFormatValueProperty(const TPropertyEditorArgs &Args);

protected:
    QStringList FormatEntries() override;
};

class TKorDBGridPickTextFormatProperty : public TKorDBGridFormatListProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridPickTextFormatProperty(const TPropertyEditorArgs &Args);

protected:
    QStringList FormatEntries() override;
};
