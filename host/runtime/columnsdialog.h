#pragma once
// TKorDBColumnsDialog: a dialog component that lets the user choose which columns of a grid are
// shown. Execute shows it modally, as the application does at run time.
//
// The modal run goes through the host's dialogs (hostdialogs.h), which tests replace so that no
// dialog waits for a person.

#include <QDialog>
#include <QPointer>
#include <functional>

#include "componentlink.h"
#include "grid.h"
#include "korenums.h"
#include "persistent.h"
#include "published.h"
#include "stringlist.h"

class QListWidget;

class KORRUNTIME_EXPORT TKorDBColumnsDialog : public QObject, public TComponent {
    Q_OBJECT
    KOR_ENUM(Kor::TKorDialogBorderStyle, BorderStyle, Kor::dbsDialog)
    // Captions of the OK, Cancel, Apply and Default buttons, one per line; empty lines keep the
    // built-in caption.
    KOR_OBJECT(TStrings, ButtonsTitles)
    KOR_STRING(ColumnsTitle)
    Q_PROPERTY(TKorCustomDBGrid *DBGrid READ DBGrid WRITE setDBGrid)
    KOR_PUBLISHED(tkClass, "TKorCustomDBGrid", DBGrid, "")
    // The Default button shows the first DefaultCount columns (0: all) at DefaultWidth
    // (0: their own width).
    KOR_INTEGER(DefaultCount, 0)
    KOR_INTEGER(DefaultWidth, 0)
    KOR_INTEGER(HelpContext, 0)
    // At least MinimumCount columns stay shown; a shown column is at least MinimumWidth wide.
    KOR_INTEGER(MinimumCount, 1)
    KOR_INTEGER(MinimumWidth, 16)
    KOR_SET(Kor::TKorColumnsDialogOptions, Options, (Kor::dloApplyButton))
    KOR_STRING(Title)
    KOR_EVENT(TNotifyEvent, OnApply)
    KOR_EVENT(TNotifyEvent, OnClose)
    KOR_EVENT(TNotifyEvent, OnCreate)
    KOR_EVENT(TNotifyEvent, OnShow)

public:
    Q_INVOKABLE explicit TKorDBColumnsDialog(QObject *AOwner = nullptr);
    ~TKorDBColumnsDialog() override;

    TKorCustomDBGrid *DBGrid() const { return m_grid.data(); }
    void setDBGrid(TKorCustomDBGrid *Value);

    // Shows the dialog over DBGrid's columns and applies the choice when accepted. Answers
    // whether it was accepted; false without a grid.
    virtual bool Execute();
    // Applies a choice (visibility per column, in column order) to the grid.
    void ApplyChoice(const QList<bool> &Shown);

    // The window the dialog is modal to; nullptr: the grid's window. The design-time test run
    // clears it so that the dialog does not attach itself to the form being designed.
    QWidget *DialogParent() const { return m_dialogParent.data(); }
    void setDialogParent(QWidget *Value) { m_dialogParent = Value; }

    // The object name of the dialog's list of columns, for tests that answer the dialog.
    static constexpr const char *ColumnsListName = "ColumnsList";

    // Runtime notices: after a choice was applied, and when the dialog closes.
    std::function<void(TKorDBColumnsDialog &)> ApplyHandler;
    std::function<void(TKorDBColumnsDialog &)> CloseHandler;

protected:
    void Notification(TComponent *AComponent, TOperation Operation) override;

private:
    void Changed() {}
    QString buttonTitle(int Index, const QString &Fallback) const;
    QList<bool> choiceOf(const QListWidget &List) const;
    void restoreDefaults(QListWidget &List) const;

    TWidgetLink<TKorCustomDBGrid> m_grid;
    QPointer<QWidget> m_dialogParent;
};
