// The About box: what it says of the product and the host, the gradient in two bands, the links
// through the desktop's handler, one form per opening freed at its close by its OK button.

#include <QtTest>

#include <QLabel>
#include <QPushButton>

#include "briskaboutform.h"
#include "briskgraph.h"
#include "hostdialogs.h"
#include "services.h"

using namespace Qt::StringLiterals;

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
    // The title with its shadow, the version line naming this host and its platform, the links.
    void namesTheProductAndTheHost()
    {
        showAbout(1, [](TBriskCAboutForm &Form) {
            QVERIFY(Form.windowTitle().contains(u"Kor-DBGrid"_s) &&
                    !Form.Label0->text().isEmpty() && Form.Label1->text() == Form.Label0->text());
            const QString text = Form.Label2->text();
            QVERIFY(text.contains(DesignHostName()) &&
                    text.contains(QSysInfo::kernelType(), Qt::CaseInsensitive) &&
                    text.contains(QSysInfo::currentCpuArchitecture()));
            for (QLabel *link : {Form.Label4, Form.Label5})
                QVERIFY(link->font().underline() &&
                        link->cursor().shape() == Qt::PointingHandCursor);
        });
    }

    // Each opening is a form of its own, with its gradient, freed at its close by OK.
    void eachOpeningIsFreedAtItsCloseByOk()
    {
        QList<QPointer<TBriskGradient>> gradients;
        QList<int> results;
        const auto shown = showAbout(2, [&](TBriskCAboutForm &Form) {
            QVERIFY(Form.Gradient);
            gradients.append(Form.Gradient.get());
            QTest::mouseClick(Form.Button, Qt::LeftButton);
            results.append(Form.result());
        });
        QVERIFY(shown.size() == 2 && results == QList<int>({QDialog::Accepted, QDialog::Accepted}));
        for (int i = 0; i < 2; ++i)
            QVERIFY(shown[i].isNull() && gradients[i].isNull());
    }

    // Whether or not the desktop opens the link, the clicked link turns purple.
    void linksOpenThroughTheDesktopAndTurnPurple()
    {
        for (const bool opened : {true, false}) {
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
                QVERIFY(textColor(Form.Label4) == Purple && textColor(Form.Label5) != Purple);
                QTest::mouseClick(Form.Label5, Qt::LeftButton);
                QCOMPARE(textColor(Form.Label5), Purple);
            });
            QCOMPARE(links, QStringList({IDEAboutDlg::WebAddress(), IDEAboutDlg::WebAddress(),
                                         u"mailto:support@brisk-components.example"
                                         "?subject=Kor-DBGrid Component 8.6 "_s +
                                             IDEAboutDlg::HostEdition() + u", build 8.134"_s}));
        }
    }

    // The top band starts with the end colour, the rest with the start colour; an inactive
    // gradient leaves the plain background.
    void gradientPaintsTwoBands()
    {
        for (const bool active : {true, false}) {
            showAbout(1, [active](TBriskCAboutForm &Form) {
                Form.Gradient->setStartColor(0x0000FF); // red
                Form.Gradient->setEndColor(0xFF0000);   // blue
                Form.Gradient->setActive(active);
                const QImage image = Form.grab().toImage();
                const QColor plain = Form.palette().color(QPalette::Window);
                const QColor top = image.pixelColor(3, 1), rest = image.pixelColor(3, 111);
                QVERIFY(active ? top.blue() > 200 && top.red() < 60 : top == plain);
                QVERIFY(active ? rest.red() > 200 && rest.blue() < 60 : rest == plain);
            });
        }
    }
};

QTEST_MAIN(AboutBoxTest)
#include "tst_aboutbox.moc"
