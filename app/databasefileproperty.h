#pragma once
// TDatabaseFileProperty: the Object Inspector's editor of a connection's DatabaseName. The file
// is typed, picked from the list (the sample database), or chosen in a file dialog behind the
// row's "..." button. A connection that is connected opens the new file at once, and its data
// sets that were open are opened again on it, so grids show the new rows at design time.
//
// The file dialog goes through a replaceable handler so tests (and a host without a screen)
// can answer it: the default shows a QFileDialog, except on a headless platform, where it
// answers "no file chosen" at once.

#include <QString>
#include <functional>

#include "propedit.h"

class TDatabaseFileProperty : public TStringProperty {
    Q_OBJECT
public:
    // Asks for a database file starting at Current; an empty answer means cancelled.
    using TFileDialogHandler = std::function<QString(const QString &Current)>;
    // Installs a handler (an empty one restores the default); answers the one it replaced.
    static TFileDialogHandler SetFileDialogHandler(TFileDialogHandler Handler);

    Q_INVOKABLE explicit TDatabaseFileProperty(const TPropertyEditorArgs &Args);
    TPropertyAttributes GetAttributes() override;
    // The sample database, when there is one.
    void GetValues(const TGetStrProc &Proc) override;
    // Raises EDatabaseError (the connection stays closed) when a connected connection cannot
    // open the new file.
    void SetValue(const QString &Value) override;
    void Edit() override;
};
