#include "hostdialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>

#include "font.h"

// THostDialogs' message box and error report are in hostmessages.cpp, its colour dialog in
// colordialog.cpp and its link opening in shellopen.cpp, next to what they share there.

namespace {

// The installed implementations, latest last. Never destroyed: a plugin's host may end its
// scope while the process exits, after the statics of this library are gone.
QList<IHostDialogs *> &installed()
{
    static auto *list = new QList<IHostDialogs *>;
    return *list;
}

} // namespace

IHostDialogs &HostDialogs()
{
    static auto *defaults = new THostDialogs; // never destroyed, as the list above
    return installed().isEmpty() ? static_cast<IHostDialogs &>(*defaults) : *installed().last();
}

bool CanShowDialogs()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

// ---- THostDialogs ----

bool THostDialogs::ExecuteFont(TFont &Font, QWidget *Parent)
{
    if (!CanShowDialogs())
        return false;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, Font.ToQFont(), Parent);
    if (ok)
        Font.FromQFont(chosen);
    return ok;
}

QString THostDialogs::GetOpenFileName(QWidget *Parent, const QString &Caption, const QString &Dir,
                                      const QString &Filter)
{
    return CanShowDialogs() ? QFileDialog::getOpenFileName(Parent, Caption, Dir, Filter)
                            : QString();
}

QString THostDialogs::GetSaveFileName(QWidget *Parent, const QString &Caption,
                                      const QString &FileName, const QString &Filter)
{
    return CanShowDialogs() ? QFileDialog::getSaveFileName(Parent, Caption, FileName, Filter)
                            : QString();
}

int THostDialogs::ExecuteDialog(QDialog &Dialog)
{
    if (CanShowDialogs())
        return Dialog.exec();
    Dialog.reject();
    return Dialog.result();
}

// ---- THostDialogsScope ----

THostDialogsScope::THostDialogsScope(IHostDialogs &Dialogs) : m_dialogs(&Dialogs)
{
    installed().append(m_dialogs);
}

THostDialogsScope::~THostDialogsScope()
{
    if (const qsizetype at = installed().lastIndexOf(m_dialogs); at >= 0)
        installed().removeAt(at);
}

// ---- TScriptedDialogs ----

TModalResult TScriptedDialogs::MessageDlg(const TMessageRequest &Request)
{
    if (OnMessage)
        return OnMessage(Request);
    if (Otherwise)
        return Otherwise->MessageDlg(Request);
    Requests.append(Request);
    return Answers.isEmpty() ? SafeAnswer(Request.Buttons) : Answers.takeFirst();
}

void TScriptedDialogs::ReportError(const QString &Message)
{
    if (OnError)
        OnError(Message);
    else if (Otherwise)
        Otherwise->ReportError(Message);
    else
        Errors.append(Message);
}

namespace {

// A scripted answer: the member On when it is set, else the same dialog of Otherwise when there
// is one, else Cancelled.
template <class R, class... A, class... P>
R answer(const std::function<R(A...)> &On, IHostDialogs *Otherwise, R (IHostDialogs::*Dialog)(A...),
         R Cancelled, P &&...Args)
{
    if (On)
        return On(std::forward<P>(Args)...);
    return Otherwise ? (Otherwise->*Dialog)(std::forward<P>(Args)...) : Cancelled;
}

} // namespace

bool TScriptedDialogs::ExecuteFont(TFont &Font, QWidget *Parent)
{
    return answer(OnFont, Otherwise, &IHostDialogs::ExecuteFont, false, Font, Parent);
}

bool TScriptedDialogs::ExecuteColor(TColorDialog &Dialog, QWidget *Parent)
{
    return answer(OnColor, Otherwise, &IHostDialogs::ExecuteColor, false, Dialog, Parent);
}

QString TScriptedDialogs::GetOpenFileName(QWidget *Parent, const QString &Caption,
                                          const QString &Dir, const QString &Filter)
{
    return answer(OnOpenFileName, Otherwise, &IHostDialogs::GetOpenFileName, QString(), Parent,
                  Caption, Dir, Filter);
}

QString TScriptedDialogs::GetSaveFileName(QWidget *Parent, const QString &Caption,
                                          const QString &FileName, const QString &Filter)
{
    return answer(OnSaveFileName, Otherwise, &IHostDialogs::GetSaveFileName, QString(), Parent,
                  Caption, FileName, Filter);
}

bool TScriptedDialogs::OpenLink(const QString &Link)
{
    return answer(OnOpenLink, Otherwise, &IHostDialogs::OpenLink, false, Link);
}

bool TScriptedDialogs::ConfirmFormProblems(QWidget *Parent, const QString &FileName,
                                           const QList<TFormProblem> &Problems)
{
    return answer(OnFormProblems, Otherwise, &IHostDialogs::ConfirmFormProblems, false, Parent,
                  FileName, Problems);
}

bool TScriptedDialogs::EditTabOrder(QWidget *Parent, QStringList &Names)
{
    return answer(OnTabOrder, Otherwise, &IHostDialogs::EditTabOrder, false, Parent, Names);
}

bool TScriptedDialogs::EditMultiLineText(QWidget *Parent, const QString &Caption, QString &Text)
{
    return answer(OnMultiLineText, Otherwise, &IHostDialogs::EditMultiLineText, false, Parent,
                  Caption, Text);
}

bool TScriptedDialogs::ChooseFields(const QStringList &Offered, QStringList &Chosen,
                                    QWidget *Parent)
{
    return answer(OnChooseFields, Otherwise, &IHostDialogs::ChooseFields, false, Offered, Chosen,
                  Parent);
}

bool TScriptedDialogs::DefineNewField(TNewFieldDefinition &Definition,
                                      const TNewFieldChoices &Choices, QWidget *Parent)
{
    return answer(OnNewField, Otherwise, &IHostDialogs::DefineNewField, false, Definition, Choices,
                  Parent);
}

int TScriptedDialogs::ExecuteDialog(QDialog &Dialog)
{
    if (OnDialog)
        return OnDialog(Dialog);
    if (Otherwise)
        return Otherwise->ExecuteDialog(Dialog);
    Dialog.reject();
    return Dialog.result();
}
