#pragma once
// How the host tells the user about errors and asks confirmation questions.
//
// Both go through the host's dialogs (hostdialogs.h), which tests and hosts replace. The default
// shows a QMessageBox, except on a headless platform ("offscreen", "minimal") or without a
// QApplication, where it logs the text and answers at once with SafeAnswer(), so nothing ever
// waits for a person there.

#include <QFlags>
#include <QString>
#include <exception>

#include "korhost_export.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn {
    mbYes = 0x1,
    mbNo = 0x2,
    mbOK = 0x4,
    mbCancel = 0x8,
    mbAbort = 0x10,
    mbRetry = 0x20,
    mbIgnore = 0x40,
    mbAll = 0x80,
    mbNoToAll = 0x100,
    mbYesToAll = 0x200,
    mbHelp = 0x400,
};
Q_DECLARE_FLAGS(TMsgDlgButtons, TMsgDlgBtn)
Q_DECLARE_OPERATORS_FOR_FLAGS(TMsgDlgButtons)

// The button a dialog was closed with.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrAll = 8;
inline constexpr TModalResult mrNoToAll = 9;
inline constexpr TModalResult mrYesToAll = 10;

struct TMessageRequest {
    QString Msg;
    TMsgDlgType DlgType = mtInformation;
    TMsgDlgButtons Buttons;
    int HelpCtx = 0;
};

// Asks a question (or tells something) and answers the button chosen.
KORHOST_EXPORT TModalResult MessageDlg(const QString &Msg, TMsgDlgType DlgType,
                                       TMsgDlgButtons Buttons, int HelpCtx = 0);
// An information message with an OK button.
KORHOST_EXPORT void ShowMessage(const QString &Msg);

// Reports an exception to the user with its message (an EHostError's Message(), else what()).
// Never raises, whatever the handler does.
KORHOST_EXPORT void ShowHostException(const std::exception &E);
// Reports the exception being handled; call it from inside a catch block (elsewhere it does
// nothing). Exceptions that are not std::exception are reported as an unknown error.
KORHOST_EXPORT void HandleHostException();

// The answer given without asking: Cancel, else No, else OK, else the first button offered.
KORHOST_EXPORT TModalResult SafeAnswer(TMsgDlgButtons Buttons);
