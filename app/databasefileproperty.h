#pragma once
// TDatabaseFileProperty: the Object Inspector's editor of a connection's DatabaseName. The file
// is typed, picked from the list (the sample database), or chosen in a file dialog behind the
// row's "..." button. A connection that is connected opens the new file at once, and its data
// sets that were open are opened again on it, so grids show the new rows at design time.
//
// The file dialog is the host's (IHostDialogs::GetOpenFileName), which tests replace; on a
// headless platform it answers "no file chosen" at once.

#include <QString>

#include "propedit.h"

class TDatabaseFileProperty : public TStringProperty {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDatabaseFileProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    // The sample database, when there is one.
    void GetValues(const TGetStrProc &Proc) override;
    // Raises EDatabaseError (the connection stays closed) when a connected connection cannot
    // open the new file.
    void SetValue(const QString &Value) override;
    void Edit() override;
};
