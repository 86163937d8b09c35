#include "hostmessages.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

#include "hostdialogs.h"
#include "hosterrors.h"

Q_LOGGING_CATEGORY(lcMessages, "kor.messages")

namespace {

// Buttons in the order a message box offers them, with their results.
constexpr struct {
    TMsgDlgBtn button;
    TModalResult result;
    QMessageBox::StandardButton standard; // NoButton: a button of our own
    const char *text;
} kButtons[] = {
    {mbYes, mrYes, QMessageBox::Yes, nullptr},
    {mbNo, mrNo, QMessageBox::No, nullptr},
    {mbOK, mrOk, QMessageBox::Ok, nullptr},
    {mbCancel, mrCancel, QMessageBox::Cancel, nullptr},
    {mbAbort, mrAbort, QMessageBox::Abort, nullptr},
    {mbRetry, mrRetry, QMessageBox::Retry, nullptr},
    {mbIgnore, mrIgnore, QMessageBox::Ignore, nullptr},
    {mbAll, mrAll, QMessageBox::NoButton, QT_TRANSLATE_NOOP("DesignHost", "&All")},
    {mbNoToAll, mrNoToAll, QMessageBox::NoToAll, nullptr},
    {mbYesToAll, mrYesToAll, QMessageBox::YesToAll, nullptr},
    {mbHelp, mrNone, QMessageBox::Help, nullptr},
};

constexpr struct {
    TMsgDlgType type;
    QMessageBox::Icon icon;
    const char *caption;
} kTypes[] = {
    {mtWarning, QMessageBox::Warning, QT_TRANSLATE_NOOP("DesignHost", "Warning")},
    {mtError, QMessageBox::Critical, QT_TRANSLATE_NOOP("DesignHost", "Error")},
    {mtInformation, QMessageBox::Information, QT_TRANSLATE_NOOP("DesignHost", "Information")},
    {mtConfirmation, QMessageBox::Question, QT_TRANSLATE_NOOP("DesignHost", "Confirm")},
    {mtCustom, QMessageBox::NoIcon, nullptr},
};

QString applicationTitle()
{
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

void report(const QString &message)
{
    try {
        HostDialogs().ReportError(message);
    } catch (...) {
        // Reporting must not raise: we are usually inside a catch block already.
        qCWarning(lcMessages).noquote() << "Could not report:" << message;
    }
}

} // namespace

TModalResult SafeAnswer(TMsgDlgButtons Buttons)
{
    if (Buttons & mbCancel)
        return mrCancel;
    if (Buttons & mbNo)
        return mrNo;
    if (Buttons & mbOK)
        return mrOk;
    for (const auto &entry : kButtons)
        if (Buttons & entry.button)
            return entry.result;
    return mrNone;
}

TModalResult MessageDlg(const QString &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        int HelpCtx)
{
    return HostDialogs().MessageDlg({Msg, DlgType, Buttons, HelpCtx});
}

void ShowMessage(const QString &Msg)
{
    MessageDlg(Msg, mtCustom, mbOK);
}

void ShowHostException(const std::exception &E)
{
    if (const auto *hostError = dynamic_cast<const EHostError *>(&E))
        report(hostError->Message());
    else
        report(QString::fromLocal8Bit(E.what()));
}

void HandleHostException()
{
    const std::exception_ptr current = std::current_exception();
    if (!current)
        return;
    try {
        std::rethrow_exception(current);
    } catch (const std::exception &e) {
        ShowHostException(e);
    } catch (...) {
        report(QCoreApplication::translate("DesignHost", "Unknown error"));
    }
}

TModalResult THostDialogs::MessageDlg(const TMessageRequest &request)
{
    if (!CanShowDialogs()) {
        if (request.DlgType == mtError) {
            qCWarning(lcMessages).noquote() << request.Msg;
            return mrOk;
        }
        const TModalResult answer = SafeAnswer(request.Buttons);
        qCInfo(lcMessages).noquote()
            << "Message answered without asking (" << answer << "):" << request.Msg;
        return answer;
    }
    QMessageBox box(QApplication::activeWindow());
    box.setText(request.Msg);
    for (const auto &type : kTypes) {
        if (type.type != request.DlgType)
            continue;
        box.setIcon(type.icon);
        box.setWindowTitle(type.caption ? QCoreApplication::translate("DesignHost", type.caption)
                                        : applicationTitle());
    }
    QList<QPair<QAbstractButton *, TModalResult>> results;
    for (const auto &entry : kButtons) {
        if (!(request.Buttons & entry.button))
            continue;
        QAbstractButton *button =
            entry.standard != QMessageBox::NoButton
                ? static_cast<QAbstractButton *>(box.addButton(entry.standard))
                : box.addButton(QCoreApplication::translate("DesignHost", entry.text),
                                QMessageBox::YesRole);
        results.append({button, entry.result});
    }
    if (results.isEmpty())
        results.append({box.addButton(QMessageBox::Ok), mrOk});
    box.exec();
    for (const auto &[button, result] : results)
        if (box.clickedButton() == button)
            return result;
    return (request.Buttons & mbCancel) ? mrCancel : mrNone;
}

// An error is an error message box, so an implementation that answers messages sees it too.
void THostDialogs::ReportError(const QString &message)
{
    MessageDlg({message, mtError, mbOK, 0});
}
