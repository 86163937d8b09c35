// Host services (splash screen, about box, the service registry), the base registry key, and
// the reporting seams for errors and questions.

#include <QTest>
#include <stdexcept>

#include "designintf.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "services.h"

class TestHostServices : public QObject {
    Q_OBJECT
private slots:
    void splashAndAboutBox();
    void serviceRegistryForgetsDestroyedServices();
    void baseRegistryKey();
    void exceptionsAreReportedThroughHandler();
    void questionsAreAnsweredByHandler();
    void defaultHandlersNeverBlockHeadless();
};

void TestHostServices::splashAndAboutBox()
{
    QCOMPARE(SplashScreenServices(), nullptr);
    TSplashScreen splash;
    SetSplashScreenServices(&splash);
    SplashScreenServices()->AddPluginBitmap("Kor-DBGrid 8.6", QImage(24, 24, QImage::Format_RGB32));
    QCOMPARE(splash.Entries.size(), 1);
    QCOMPARE(splash.Entries[0].Caption, QStringLiteral("Kor-DBGrid 8.6"));
    QCOMPARE(splash.Entries[0].Bitmap.size(), QSize(24, 24));

    TAboutBox about;
    IOTAAboutBoxServices &service = about; // packages see only the interface
    const int first = service.AddPluginInfo("A", "first", {});
    const int second = service.AddPluginInfo("B", "second", {});
    QVERIFY(first != second);
    service.RemovePluginInfo(first);
    service.RemovePluginInfo(first); // already gone
    service.RemovePluginInfo(12345); // never there
    QCOMPARE(about.Entries.size(), 1);
    QCOMPARE(about.Entries[0].Index, second);
    // Indexes are not reused after a removal.
    QVERIFY(service.AddPluginInfo("C", "third", {}) != first);
    SetSplashScreenServices(nullptr);
}

void TestHostServices::serviceRegistryForgetsDestroyedServices()
{
    QCOMPARE(DesignHostServices(IID_IOTAAboutBoxServices), nullptr);
    QCOMPARE(DesignHostServices(nullptr), nullptr);
    {
        TAboutBox about;
        RegisterIDEService(IID_IOTAAboutBoxServices, static_cast<IOTAAboutBoxServices *>(&about));
        // Looked up by the identity's text, not by the address of the constant.
        const QByteArray copy(IID_IOTAAboutBoxServices);
        auto *found = static_cast<IOTAAboutBoxServices *>(DesignHostServices(copy.constData()));
        QCOMPARE(found, &about);
        QCOMPARE(DesignHostServices("{00000000-0000-0000-0000-000000000000}"), nullptr);
    }
    QCOMPARE(DesignHostServices(IID_IOTAAboutBoxServices), nullptr);

    TAboutBox about;
    RegisterIDEService(IID_IOTAAboutBoxServices, static_cast<IOTAAboutBoxServices *>(&about));
    UnregisterIDEService(IID_IOTAAboutBoxServices);
    QCOMPARE(DesignHostServices(IID_IOTAAboutBoxServices), nullptr);

    {
        auto splash = std::make_unique<TSplashScreen>();
        SetSplashScreenServices(splash.get());
    }
    QCOMPARE(SplashScreenServices(), nullptr);
}

void TestHostServices::baseRegistryKey()
{
    QCOMPARE(BaseRegistryKey(), QStringLiteral("Software\\Kor\\DesignHost\\3.0"));
    SetBaseRegistryKey("Software\\Test");
    QCOMPARE(BaseRegistryKey(), QStringLiteral("Software\\Test"));
    SetBaseRegistryKey("Software\\Kor\\DesignHost\\3.0");
}

void TestHostServices::exceptionsAreReportedThroughHandler()
{
    TScopedHostMessages messages;
    ShowHostException(EPropertyError("Invalid property value"));
    ShowHostException(std::runtime_error("plain failure"));
    try {
        throw EConvertError("'abc' is not a valid integer value");
    } catch (...) {
        HandleHostException();
    }
    try {
        throw 42;
    } catch (...) {
        HandleHostException();
    }
    HandleHostException(); // outside a catch block: nothing to report
    QCOMPARE(messages.Errors, (QStringList{"Invalid property value", "plain failure",
                                           "'abc' is not a valid integer value", "Unknown error"}));

    // A handler that itself fails does not turn reporting into a new error.
    const THostExceptionHandler previous =
        SetHostExceptionHandler([](const QString &) { throw std::logic_error("broken"); });
    ShowHostException(EHostError("ignored"));
    SetHostExceptionHandler(previous);
    ShowHostException(EHostError("again"));
    QCOMPARE(messages.Errors.last(), QStringLiteral("again"));
}

void TestHostServices::questionsAreAnsweredByHandler()
{
    TScopedHostMessages messages;
    messages.Answers = {mrNo};
    QCOMPARE(MessageDlg("Delete existing columns?", mtConfirmation, mbYes | mbNo | mbCancel, 0),
             mrNo);
    // Once the scripted answers run out the safe answer is given.
    QCOMPARE(MessageDlg("Again?", mtConfirmation, mbYes | mbNo | mbCancel, 7), mrCancel);
    QCOMPARE(messages.Requests.size(), 2);
    QCOMPARE(messages.Requests[0].Msg, QStringLiteral("Delete existing columns?"));
    QCOMPARE(messages.Requests[0].DlgType, mtConfirmation);
    QCOMPARE(messages.Requests[0].Buttons, mbYes | mbNo | mbCancel);
    QCOMPARE(messages.Requests[1].HelpCtx, 7);

    QCOMPARE(SafeAnswer(mbYes | mbNo), mrNo);
    QCOMPARE(SafeAnswer(mbOK), mrOk);
    QCOMPARE(SafeAnswer(mbYes | mbRetry), mrYes);
    QCOMPARE(SafeAnswer({}), mrNone);
}

void TestHostServices::defaultHandlersNeverBlockHeadless()
{
    // No handler installed: on the offscreen platform the defaults log and answer at once.
    QCOMPARE(MessageDlg("Delete existing columns?", mtConfirmation, mbYes | mbNo | mbCancel),
             mrCancel);
    ShowMessage("Nothing to see");
    ShowHostException(EHostError("logged, not shown"));
    // A scope restores whatever it replaced.
    {
        TScopedHostMessages outer;
        {
            TScopedHostMessages inner;
            ShowHostException(EHostError("inner"));
        }
        ShowHostException(EHostError("outer"));
        QCOMPARE(outer.Errors, QStringList{"outer"});
    }
}

QTEST_MAIN(TestHostServices)
#include "tst_host_services.moc"
