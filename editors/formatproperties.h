#pragma once
// Object Inspector editors that offer the display-format catalogue as a drop-down list: total
// formats (filtered by the edited total value) and pick-text formats. The property stays free
// text; a chosen entry is stored as the bare format it carries.

#include "propedit.h"

class TKorDBGridFormatValueProperty : public TStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridFormatValueProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    void SetValue(const QString &Value) override;
};

class TKorDBGridPickTextFormatProperty : public TStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorDBGridPickTextFormatProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    void GetValues(const TGetStrProc &Proc) override;
    void SetValue(const QString &Value) override;
};
