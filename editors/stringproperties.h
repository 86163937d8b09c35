#pragma once
// Hints, captions and headers that may hold several lines get an ellipsis button in the Object
// Inspector that opens the string editor: TKorStringProperty edits the whole value,
// TKorHeaderProperty a header's rows one at a time.

#include "propedit.h"

class TKorStringProperty : public TStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorStringProperty(const TPropertyEditorArgs &Args);
    // The host's base attributes plus the dialog.
    TPropertyAttributes GetAttributes() override;
    // Opens the string editor on the value and writes its text back on OK.
    void Edit() override;

protected:
    virtual bool HeaderMode() const { return false; }
};

class TKorHeaderProperty : public TKorStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKorHeaderProperty(const TPropertyEditorArgs &Args);

protected:
    bool HeaderMode() const override { return true; }
};
