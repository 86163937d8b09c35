// The About box: its texts, fonts and size, the gradient in two bands, the links through the
// desktop's handler, one form per opening freed at its close; and the product's host entries.

#include <QtTest>

#include <QLabel>
#include <QPushButton>

#include "briskaboutform.h"
#include "briskgraph.h"
#include "hostdialogs.h"
#include "registration.h"
#include "services.h"
#include "testsupport.h"

namespace {

const QColor Purple(0x80, 0x00, 0x80);

QColor textColor(const QLabel *Label)
{
    return Label->palette().color(QPalette::WindowText);
}

// Opens the About box as a verb does and hands the shown form to Inspect before closing it.
// Answers the forms that were shown, which are freed by then.
QList<QPointer<TBriskCAboutForm>> showAbout(int Times,
                                            const std::function<void(TBriskCAboutForm &)> &Inspect)
{
    QList<QPointer<TBriskCAboutForm>> shown;
    TScriptedDialogs dialogs;
    dialogs.Otherwise = &HostDialogs();
    dialogs.OnDialog = [&](QDialog &Dialog) {
        auto &form = dynamic_cast<TBriskCAboutForm &>(Dialog);
        shown.append(&form);
        form.show();
        if (Inspect)
            Inspect(form);
        form.accept();
        return form.result();
    };
    {
        const THostDialogsScope scope(dialogs);
        for (int i = 0; i < Times; ++i)
            IDEAboutDlg::ShowAboutForm();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return shown;
}

} // namespace

class AboutBoxTest : public QObject {
    Q_OBJECT

private slots:
    void textsFontsAndSize()
    {
        showAbout(1, [](TBriskCAboutForm &Form) {
            QCOMPARE(Form.windowTitle(), QStringLiteral("About Kor-DBGrid Component"));
            QCOMPARE(Form.size(), QSize(431, 268));
            QCOMPARE(Form.font().family(), QStringLiteral("Verdana"));
            for (QLabel *label : {Form.Label0, Form.Label1}) {
                QCOMPARE(label->text(), QStringLiteral("-DBGrid Component"));
                QCOMPARE(label->font().family(), QStringLiteral("Arial"));
                QVERIFY(label->font().bold());
                QCOMPARE(label->font().pointSize(), 20);
            }
            QCOMPARE(textColor(Form.Label0), QColor(Qt::white));
            QCOMPARE(textColor(Form.Label1), QColor(Qt::black));
            // The title sits one pixel up and left of its shadow, right of the logo.
            QCOMPARE(Form.Label1->pos(), Form.Label0->pos() - QPoint(1, 1));
            QVERIFY(Form.Label1->x() >= Form.Image1->geometry().right());
            // The version line names this host and the platform it runs on.
            const QString platform = QSysInfo::kernelType();
            QVERIFY2(Form.Label2->text().contains(QStringLiteral("8.6 Kor Design Host 8.6")) &&
                         Form.Label2->text().contains(platform, Qt::CaseInsensitive) &&
                         Form.Label2->text().contains(QSysInfo::currentCpuArchitecture()),
                     qPrintable(Form.Label2->text()));
            QCOMPARE(Form.Label4->font().family(), QStringLiteral("Verdana"));
            QCOMPARE(Form.Label5->font().family(), QStringLiteral("Verdana"));
            QVERIFY(Form.Label4->font().underline());
            QCOMPARE(Form.Label4->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(Form.Label4->text(), IDEAboutDlg::WebAddress());
            QCOMPARE(Form.Label5->text(), IDEAboutDlg::SupportAddress());
            QCOMPARE(Form.Button->text(), QStringLiteral("OK"));

            QCOMPARE(Form.AuthorLabel->font().family(), QStringLiteral("Comic Sans MS"));
            QCOMPARE(Form.AuthorLabel->parentWidget(), &Form);
            QVERIFY(
                Form.HostLabel->text().startsWith(QStringLiteral("Running in Kor Design Host")));
            QVERIFY(Form.HostLabel->y() > Form.Image2->geometry().bottom());
            // No label carries anyone else's notice.
            for (const QLabel *label : Form.findChildren<QLabel *>()) {
                QVERIFY2(!label->autoFillBackground(), qPrintable(label->objectName()));
                QVERIFY2(!label->text().contains(QStringLiteral("trademark")),
                         qPrintable(label->text()));
            }
            QVERIFY(Form.Gradient);
            SaveScreenshot(&Form, QStringLiteral("aboutbox"));
        });
    }

    void eachOpeningIsAFormOfItsOwnFreedAtItsClose()
    {
        const auto shown = showAbout(2, nullptr);
        QCOMPARE(shown.size(), 2);
        for (const QPointer<TBriskCAboutForm> &form : shown)
            QVERIFY(form.isNull());
    }

    void theOkButtonClosesWithOk()
    {
        int result = -1;
        showAbout(1, [&](TBriskCAboutForm &Form) {
            QTest::mouseClick(Form.Button, Qt::LeftButton);
            result = Form.result();
        });
        QCOMPARE(result, int(QDialog::Accepted));
    }

    void linksOpenThroughTheDesktopAndTurnPurple_data()
    {
        QTest::addColumn<bool>("opened");
        QTest::addRow("desktop opens the link") << true;
        QTest::addRow("desktop fails") << false;
    }

    void linksOpenThroughTheDesktopAndTurnPurple()
    {
        QFETCH(bool, opened);
        QStringList links;
        TScriptedDialogs desktop;
        desktop.OnOpenLink = [&](const QString &Link) {
            links.append(Link);
            return opened;
        };
        const THostDialogsScope scope(desktop);
        showAbout(1, [](TBriskCAboutForm &Form) {
            QVERIFY(textColor(Form.Label4) != Purple);
            QTest::mouseClick(Form.Label4, Qt::LeftButton);
            QTest::mouseClick(Form.Label4, Qt::LeftButton);
            QCOMPARE(textColor(Form.Label4), Purple);
            QVERIFY(textColor(Form.Label5) != Purple);
            QTest::mouseClick(Form.Label5, Qt::LeftButton);
            QCOMPARE(textColor(Form.Label5), Purple);
        });
        QCOMPARE(links,
                 QStringList({IDEAboutDlg::WebAddress(), IDEAboutDlg::WebAddress(),
                              QStringLiteral("mailto:support@brisk-components.example"
                                             "?subject=Kor-DBGrid Component 8.6 ") +
                                  IDEAboutDlg::HostEdition() + QStringLiteral(", build 8.134")}));
    }

    void gradientPaintsTwoBands_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addRow("active") << true;
        QTest::addRow("inactive") << false;
    }

    void gradientPaintsTwoBands()
    {
        QFETCH(bool, active);
        showAbout(1, [active](TBriskCAboutForm &Form) {
            Form.Gradient->setStartColor(0x0000FF); // red
            Form.Gradient->setEndColor(0xFF0000);   // blue
            Form.Gradient->setActive(active);
            const QImage image = Form.grab().toImage();
            const QColor top = image.pixelColor(3, 1);
            const QColor belowTop = image.pixelColor(3, 111);
            if (active) {
                // The top band starts with the end colour, the rest with the start colour.
                QVERIFY2(top.blue() > 200 && top.red() < 60, qPrintable(top.name()));
                QVERIFY2(belowTop.red() > 200 && belowTop.blue() < 60, qPrintable(belowTop.name()));
            } else {
                const QColor plain = Form.palette().color(QPalette::Window);
                QCOMPARE(top, plain);
                QCOMPARE(belowTop, plain);
            }
        });
    }

    void closingFreesTheGradient()
    {
        QPointer<TBriskGradient> gradient;
        showAbout(1, [&](TBriskCAboutForm &Form) { gradient = Form.Gradient.get(); });
        QVERIFY(gradient.isNull());
    }

    void productEntriesNeedTheHostServices()
    {
        // Without services nothing is added and the stop has nothing to remove.
        SetSplashScreenServices(nullptr);
        UnregisterIDEService(IID_IOTAAboutBoxServices);
        SetRegisteringModule(QStringLiteral("tst_aboutbox"));
        IDEAboutDlg::RegisterProduct();
        QCOMPARE(IDEAboutDlg::AboutBoxIndex(), -1);
        IDEAboutDlg::Finalization();

        TSplashScreen splash;
        TAboutBox about;
        SetSplashScreenServices(&splash);
        RegisterIDEService(IID_IOTAAboutBoxServices, static_cast<IOTAAboutBoxServices *>(&about));
        IDEAboutDlg::RegisterProduct();
        SetRegisteringModule(QString());
        const QString caption = QStringLiteral("Kor-DBGrid Component - ver. 8.6 (%1), build 8.134")
                                    .arg(DesignHostPlatform());
        QCOMPARE(splash.Entries.size(), 1);
        QCOMPARE(splash.Entries[0].Caption, caption);
        QCOMPARE(about.Entries.size(), 1);
        QCOMPARE(about.Entries[0].Title, caption);
        QCOMPARE(about.Entries[0].Image.size(), QSize(24, 24));
        QCOMPARE(IDEAboutDlg::AboutBoxIndex(), about.Entries[0].Index);
        IDEAboutDlg::Finalization();
        QVERIFY(about.Entries.isEmpty());
        QCOMPARE(IDEAboutDlg::AboutBoxIndex(), -1);
        UnregisterModule(QStringLiteral("tst_aboutbox"));
        UnregisterIDEService(IID_IOTAAboutBoxServices);
        SetSplashScreenServices(nullptr);
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_aboutbox.moc"
