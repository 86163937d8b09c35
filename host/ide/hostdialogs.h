#pragma once
// Every modal dialog the host, the package and the workbench show goes through one interface,
// IHostDialogs, so that a host can show them its own way and a test can answer them.
//
// HostDialogs() answers the implementation in use. THostDialogs, the one in use when nothing is
// installed, shows the real dialogs of the host layer; on a headless platform ("offscreen",
// "minimal") or without a QApplication it answers every dialog "cancelled" at once, so nothing
// waits for a person there. The dialogs of the layers above (the fields editor's, the
// workbench's) are shown by the implementations those layers derive from THostDialogs and
// install for their lifetime; THostDialogs answers them "cancelled".
//
// THostDialogsScope installs an implementation for its lifetime and then restores the one that
// was in use before. TScriptedDialogs is the implementation for tests and scripts: it answers
// what its members say and "cancelled" to everything else.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "hostmessages.h"
#include "korhost_export.h"

class QDialog;
class QWidget;
class TColorDialog;
class TFont;
struct TFormProblem;
struct TNewFieldChoices;
struct TNewFieldDefinition;

class KORHOST_EXPORT IHostDialogs {
public:
    virtual ~IHostDialogs() = default;

    // A message box: asks a question (or tells something) and answers the button chosen.
    virtual TModalResult MessageDlg(const TMessageRequest &Request) = 0;
    // Reports an error the host caught (an exception's message) to the user.
    virtual void ReportError(const QString &Message) = 0;
    // The font dialog on Font; true (and Font changed) when the user confirms.
    virtual bool ExecuteFont(TFont &Font, QWidget *Parent) = 0;
    // The colour dialog on Dialog's colour and custom colours; true (Dialog.Color changed) when
    // the user confirms. The custom colours are updated on Cancel as well.
    virtual bool ExecuteColor(TColorDialog &Dialog, QWidget *Parent) = 0;
    // A file to open, starting in the folder Dir; empty when the user cancels.
    virtual QString GetOpenFileName(QWidget *Parent, const QString &Caption, const QString &Dir,
                                    const QString &Filter) = 0;
    // A file to save to, starting at FileName; empty when the user cancels.
    virtual QString GetSaveFileName(QWidget *Parent, const QString &Caption,
                                    const QString &FileName, const QString &Filter) = 0;
    // Opens a web or mail link with the desktop's handler; answers whether the desktop took it.
    virtual bool OpenLink(const QString &Link) = 0;
    // Runs one of the package's own dialogs modally (the columns dialog, the string editor and
    // its file dialogs, the About box); answers its result (QDialog::Accepted or Rejected).
    virtual int ExecuteDialog(QDialog &Dialog) = 0;
    // Shows the problems of the form file FileName and answers whether to open what can be read.
    virtual bool ConfirmFormProblems(QWidget *Parent, const QString &FileName,
                                     const QList<TFormProblem> &Problems) = 0;
    // Shows the controls named Names in tab order for the user to reorder; true with Names in
    // the new order, false when the user cancels.
    virtual bool EditTabOrder(QWidget *Parent, QStringList &Names) = 0;
    // Lets the user edit the long text Text over several lines under Caption; false (Text
    // unchanged) when the user cancels.
    virtual bool EditMultiLineText(QWidget *Parent, const QString &Caption, QString &Text) = 0;
    // Asks which of Offered to add as fields (Chosen starts as the fields chosen at first); true
    // with Chosen filled on OK.
    virtual bool ChooseFields(const QStringList &Offered, QStringList &Chosen, QWidget *Parent) = 0;
    // Asks for a new field's definition among Choices; true on OK.
    virtual bool DefineNewField(TNewFieldDefinition &Definition, const TNewFieldChoices &Choices,
                                QWidget *Parent) = 0;
};

// The implementation in use.
KORHOST_EXPORT IHostDialogs &HostDialogs();

// Whether a dialog can wait for a person: a QApplication on a platform with a screen.
KORHOST_EXPORT bool CanShowDialogs();

class KORHOST_EXPORT THostDialogs : public IHostDialogs {
public:
    TModalResult MessageDlg(const TMessageRequest &Request) override;
    // An error message box through MessageDlg (logged when no dialog can be shown).
    void ReportError(const QString &Message) override;
    bool ExecuteFont(TFont &Font, QWidget *Parent) override;
    bool ExecuteColor(TColorDialog &Dialog, QWidget *Parent) override;
    QString GetOpenFileName(QWidget *Parent, const QString &Caption, const QString &Dir,
                            const QString &Filter) override;
    QString GetSaveFileName(QWidget *Parent, const QString &Caption, const QString &FileName,
                            const QString &Filter) override;
    bool OpenLink(const QString &Link) override;
    int ExecuteDialog(QDialog &Dialog) override;
    bool ConfirmFormProblems(QWidget *, const QString &, const QList<TFormProblem> &) override
    {
        return false;
    }
    bool EditTabOrder(QWidget *, QStringList &) override { return false; }
    bool EditMultiLineText(QWidget *, const QString &, QString &) override { return false; }
    bool ChooseFields(const QStringList &, QStringList &, QWidget *) override { return false; }
    bool DefineNewField(TNewFieldDefinition &, const TNewFieldChoices &, QWidget *) override
    {
        return false;
    }
};

// Installs Dialogs for the scope's lifetime. Scopes nest: when one ends, the implementation in
// use is the latest of those still installed, else THostDialogs.
class KORHOST_EXPORT THostDialogsScope {
public:
    explicit THostDialogsScope(IHostDialogs &Dialogs);
    ~THostDialogsScope();
    THostDialogsScope(const THostDialogsScope &) = delete;
    THostDialogsScope &operator=(const THostDialogsScope &) = delete;

private:
    IHostDialogs *m_dialogs;
};

// The answer to one dialog of IHostDialogs: a function taking what the dialog takes.
template <auto Dialog> struct THostDialogAnswer;
template <class R, class... A, R (IHostDialogs::*Dialog)(A...)> struct THostDialogAnswer<Dialog> {
    using Type = std::function<R(A...)>;
};

// Answers each dialog with the member beside it. A member left empty hands the dialog to
// Otherwise when that is set, else answers it "cancelled" (no file, false, QDialog::Rejected);
// such messages and errors are recorded, and the messages answered from Answers, then with
// SafeAnswer.
class KORHOST_EXPORT TScriptedDialogs : public IHostDialogs {
    template <auto Dialog> using TAnswer = typename THostDialogAnswer<Dialog>::Type;

public:
    TAnswer<&IHostDialogs::MessageDlg> OnMessage;
    TModalResult MessageDlg(const TMessageRequest &Request) override;
    TAnswer<&IHostDialogs::ReportError> OnError;
    void ReportError(const QString &Message) override;
    TAnswer<&IHostDialogs::ExecuteFont> OnFont;
    bool ExecuteFont(TFont &Font, QWidget *Parent) override;
    TAnswer<&IHostDialogs::ExecuteColor> OnColor;
    bool ExecuteColor(TColorDialog &Dialog, QWidget *Parent) override;
    TAnswer<&IHostDialogs::GetOpenFileName> OnOpenFileName;
    QString GetOpenFileName(QWidget *Parent, const QString &Caption, const QString &Dir,
                            const QString &Filter) override;
    TAnswer<&IHostDialogs::GetSaveFileName> OnSaveFileName;
    QString GetSaveFileName(QWidget *Parent, const QString &Caption, const QString &FileName,
                            const QString &Filter) override;
    TAnswer<&IHostDialogs::OpenLink> OnOpenLink;
    bool OpenLink(const QString &Link) override;
    TAnswer<&IHostDialogs::ExecuteDialog> OnDialog;
    int ExecuteDialog(QDialog &Dialog) override;
    TAnswer<&IHostDialogs::ConfirmFormProblems> OnFormProblems;
    bool ConfirmFormProblems(QWidget *Parent, const QString &FileName,
                             const QList<TFormProblem> &Problems) override;
    TAnswer<&IHostDialogs::EditTabOrder> OnTabOrder;
    bool EditTabOrder(QWidget *Parent, QStringList &Names) override;
    TAnswer<&IHostDialogs::EditMultiLineText> OnMultiLineText;
    bool EditMultiLineText(QWidget *Parent, const QString &Caption, QString &Text) override;
    TAnswer<&IHostDialogs::ChooseFields> OnChooseFields;
    bool ChooseFields(const QStringList &Offered, QStringList &Chosen, QWidget *Parent) override;
    TAnswer<&IHostDialogs::DefineNewField> OnNewField;
    bool DefineNewField(TNewFieldDefinition &Definition, const TNewFieldChoices &Choices,
                        QWidget *Parent) override;

    IHostDialogs *Otherwise = nullptr;
    QList<QString> Errors;           // recorded errors, in order
    QList<TMessageRequest> Requests; // recorded messages, in order
    QList<TModalResult> Answers;     // answers still to give to recorded messages
};
