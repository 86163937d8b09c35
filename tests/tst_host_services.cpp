// Host services (splash screen, about box, the service registry), the base registry key, and
// the host's dialogs: errors, questions and the scope that replaces them.

#include <QDialog>
#include <QTest>
#include <functional>
#include <stdexcept>

#include "colordialog.h"
#include "designintf.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "services.h"
#include "shellopen.h"

using namespace Qt::StringLiterals;

class TestHostServices : public QObject {
    Q_OBJECT

private slots:
    // Packages find the host's services by the identity's text; a service that goes away is
    // forgotten; about-box indexes are never reused, so a package removes only its own entry.
    void servicesAreFoundAndForgotten()
    {
        QCOMPARE(BaseRegistryKey(), u"Software\\Kor\\DesignHost\\3.0"_s);
        QCOMPARE(DesignHostServices(nullptr), nullptr);
        {
            TAboutBox about;
            RegisterIDEService(IID_IOTAAboutBoxServices,
                               static_cast<IOTAAboutBoxServices *>(&about));
            const QByteArray copy(IID_IOTAAboutBoxServices);
            auto *service = static_cast<IOTAAboutBoxServices *>(DesignHostServices(copy.data()));
            QCOMPARE(service, &about);
            QCOMPARE(DesignHostServices("{00000000-0000-0000-0000-000000000000}"), nullptr);
            const int first = service->AddPluginInfo("A", "first", {});
            const int second = service->AddPluginInfo("B", "second", {});
            service->RemovePluginInfo(first);
            service->RemovePluginInfo(first);
            service->RemovePluginInfo(12345);
            QCOMPARE(about.Entries.size(), 1);
            QCOMPARE(about.Entries[0].Index, second);
            QVERIFY(service->AddPluginInfo("C", "third", {}) != first);
        }
        QCOMPARE(DesignHostServices(IID_IOTAAboutBoxServices), nullptr);
        {
            auto splash = std::make_unique<TSplashScreen>();
            SetSplashScreenServices(splash.get());
        }
        QCOMPARE(SplashScreenServices(), nullptr);
    }

    void exceptionsAreReportedThroughHandler()
    {
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        ShowHostException(EPropertyError("Invalid property value"));
        ShowHostException(std::runtime_error("plain failure"));
        const auto handle = [](auto Thrown) {
            try {
                throw Thrown;
            } catch (...) {
                HandleHostException();
            }
        };
        handle(EConvertError("'abc' is not a valid integer value"));
        handle(42);
        HandleHostException(); // outside a catch block: nothing to report
        QCOMPARE(messages.Errors,
                 (QStringList{"Invalid property value", "plain failure",
                              "'abc' is not a valid integer value", "Unknown error"}));

        // A report that itself fails does not turn reporting into a new error.
        {
            TScriptedDialogs broken;
            broken.OnError = [](const QString &) { throw std::logic_error("broken"); };
            const THostDialogsScope brokenScope(broken);
            ShowHostException(EHostError("ignored"));
        }
        ShowHostException(EHostError("again"));
        QCOMPARE(messages.Errors.last(), u"again"_s);
    }

    void questionsAreAnsweredByHandler()
    {
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers = {mrNo};
        QCOMPARE(MessageDlg("Delete existing columns?", mtConfirmation, mbYes | mbNo | mbCancel, 0),
                 mrNo);
        // Once the scripted answers run out the safe answer is given.
        QCOMPARE(MessageDlg("Again?", mtConfirmation, mbYes | mbNo | mbCancel, 7), mrCancel);
        QCOMPARE(messages.Requests.size(), 2);
        QCOMPARE(messages.Requests[0].Msg, u"Delete existing columns?"_s);
        QCOMPARE(messages.Requests[0].DlgType, mtConfirmation);
        QCOMPARE(messages.Requests[0].Buttons, mbYes | mbNo | mbCancel);
        QCOMPARE(messages.Requests[1].HelpCtx, 7);

        QCOMPARE(SafeAnswer(mbYes | mbNo), mrNo);
        QCOMPARE(SafeAnswer(mbOK), mrOk);
        QCOMPARE(SafeAnswer(mbYes | mbRetry), mrYes);
        QCOMPARE(SafeAnswer({}), mrNone);
    }

    // Each kind of dialog, asked through the host's entry points: what it answers in a scope
    // that answers it, and what it answers when nobody does.
    void scopesNestAndUnansweredDialogsCancel()
    {
        const QString no = u"cancelled"_s;
        const auto ok = [no](bool Answered, const char *Text) {
            return Answered ? QString::fromLatin1(Text) : no;
        };
        const std::tuple<std::function<QString()>, QString, QString> rows[] = {
            {[] {
                 return QString::number(
                     MessageDlg("Save changes?", mtConfirmation, mbYes | mbNo | mbCancel));
             },
             QString::number(mrYes), QString::number(mrCancel)},
            {[=] {
                 TColor color = clRed;
                 return TColorDialog::Execute(color) ? ColorToString(color) : no;
             },
             "clLime", no},
            {[=] { return ok(ShellOpen("https://example.org"), "opened"); }, "opened", no},
            {[=] {
                 QDialog dialog;
                 return ok(HostDialogs().ExecuteDialog(dialog) == QDialog::Accepted, "accepted");
             },
             "accepted", no},
            {[] {
                 return HostDialogs().GetSaveFileName(nullptr, "Save Form As", "Form1.kform",
                                                      "*.kform");
             },
             "/forms/Form1.kform", QString()}};
        for (const auto &[ask, answered, cancelled] : rows) {
            TScriptedDialogs outer;
            outer.OnMessage = [](const TMessageRequest &) { return mrYes; };
            outer.OnColor = [](TColorDialog &Dialog, QWidget *) {
                Dialog.Color = clLime;
                return true;
            };
            outer.OnOpenLink = [](const QString &) { return true; };
            outer.OnDialog = [](QDialog &) { return int(QDialog::Accepted); };
            outer.OnSaveFileName = [](QWidget *, const QString &, const QString &Start,
                                      const QString &) { return u"/forms/"_s + Start; };
            {
                const THostDialogsScope outerScope(outer);
                QCOMPARE(ask(), answered);
                {
                    // A test's dialogs answer what they were not told "cancelled", never asking a
                    // person.
                    TScriptedDialogs inner;
                    const THostDialogsScope innerScope(inner);
                    QCOMPARE(ask(), cancelled);
                }
                QCOMPARE(ask(), answered);
            }
            // The host's own dialogs again: on the offscreen platform they answer at once.
            QCOMPARE(ask(), cancelled);
        }
    }
};

QTEST_MAIN(TestHostServices)
#include "tst_host_services.moc"
