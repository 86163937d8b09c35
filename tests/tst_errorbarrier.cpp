// Errors raised by a property setter while a control event runs: they reach the host, which
// reports them; the program goes on, and the control shows the property's current value again.
// Also the other ways in from the event loop: key handlers, drags, hints and design notices.

#include <QtTest>

#include "checkitems.h"
#include "controldrag.h"
#include "edititems.h"
#include "hostdialogs.h"
#include "hostmessages.h"
#include "listitems.h"
#include "showhint.h"
#include "tst_proplist_fixture.h"

using namespace Qt::StringLiterals;

class ErrorBarrierTest : public QObject {
    Q_OBJECT

private slots:
    void setterErrorFromAControlIsReported_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("error");
        QTest::addRow("check box") << "check"
                                   << "Strict cannot be switched on";
        QTest::addRow("edit, Enter") << "enter"
                                     << "A component named Taken already exists";
        QTest::addRow("edit, leaving it") << "exit"
                                          << "A component named Taken already exists";
        QTest::addRow("combo box") << "combo"
                                   << "Limited refuses pmAll";
    }

    void setterErrorFromAControlIsReported()
    {
        QFETCH(QString, control);
        QFETCH(QString, error);
        TProbeFixture f;
        TScriptedDialogs &messages = f.dialogs;
        f.reloadOnModify();
        // The edited component has a sibling whose name the user types.
        TProbe owner;
        auto *edited = new TProbe(&owner);
        edited->SetName(u"Probe1"_s);
        (new TProbe(&owner))->SetName(u"Taken"_s);
        f.list->SetInstance(edited);
        f.list->AddBoolProp(u"Strict"_s, f.controls.check);
        f.list->AddTextProp(u"Name"_s, f.controls.edit);
        f.list->AddEnumProp(u"Limited"_s, f.controls.combo);
        f.list->LoadPropList();
        f.controls.page->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.controls.page.get()));

        if (control == QLatin1String("check")) {
            QTest::mouseClick(f.controls.check, Qt::LeftButton);
        } else if (control == QLatin1String("combo")) {
            f.controls.combo->SelectIndex(f.controls.combo->IndexOf(u"pmAll"_s));
        } else {
            f.controls.edit->setText(u"Taken"_s);
            if (control == QLatin1String("enter")) {
                QTest::keyClick(f.controls.edit, Qt::Key_Return);
            } else {
                QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
                QApplication::sendEvent(f.controls.edit, &out);
            }
        }

        QCOMPARE(messages.Errors, QStringList{error});
        QCOMPARE(f.designer.modified, 0);
        QVERIFY(!f.controls.check->isChecked());
        QCOMPARE(f.controls.edit->Text(), u"Probe1"_s);
        QCOMPARE(f.controls.combo->Text(), u"pmNone"_s);
        QCOMPARE(edited->Name(), u"Probe1"_s);
        QCOMPARE(edited->Limited(), Probe::pmNone);

        // The controls still work after the error.
        f.controls.edit->setText(u"Renamed"_s);
        QTest::keyClick(f.controls.edit, Qt::Key_Return);
        QCOMPARE(edited->Name(), u"Renamed"_s);
        QCOMPARE(messages.Errors.size(), 1);
    }

    void raisingHandlersOfEveryEntryAreReported()
    {
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        QWidget window;
        window.resize(300, 200);
        auto *edit = new TEdit(&window);
        auto *target = new QWidget(&window);
        target->setGeometry(100, 100, 100, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        // A key handler: the key counts as swallowed and the edit box does not type it.
        edit->OnKeyPress = [](QChar &) { throw EConvertError(u"key refused"_s); };
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(edit->Text(), QString());

        // A drop handler of the host's drag tracker.
        SetDragTarget(
            target, [](QObject *, QObject *, int, int, TDragState, bool &Accept) { Accept = true; },
            [](QObject *, QObject *, int, int) { throw EInvalidOperation(u"drop"_s); });
        BeginDrag(edit, true, -1, edit->mapToGlobal(QPoint(2, 2)));
        QTest::mouseMove(target, QPoint(10, 10));
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(!Dragging());

        // A hint handler.
        edit->setToolTip(u"hint"_s);
        const TShowHintEvent previous = Application::SetOnShowHint(
            [](QString &, bool &, THintInfo &) { throw std::runtime_error("hint refused"); });
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &help);
        Application::SetOnShowHint(previous);

        // A design notice: the listener's error is reported where the host delivers it.
        struct TFailingWindow : TDesignWindow {
            void ItemsModified(IDesigner *) override { throw EListError(u"window refused"_s); }
        } failing;
        TProbeDesigner designer;
        NotifyItemsModified(&designer);

        QCOMPARE(messages.Errors,
                 (QStringList{"key refused", "drop", "hint refused", "window refused"}));
    }

    void errorsReachTheMessageSeam()
    {
        // Dialogs that answer only messages see errors as error messages, like every other message.
        struct TMessagesOnly : THostDialogs {
            QList<TMessageRequest> requests;
            TModalResult MessageDlg(const TMessageRequest &Request) override
            {
                requests.append(Request);
                return mrOk;
            }
        } dialogs;
        {
            const THostDialogsScope scope(dialogs);
            TCheckBox box;
            box.OnClick = [] { throw EPropertyError(u"refused"_s); };
            box.click();
        }
        const QList<TMessageRequest> &requests = dialogs.requests;
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests.first().Msg, u"refused"_s);
        QCOMPARE(requests.first().DlgType, mtError);
        QCOMPARE(requests.first().Buttons, TMsgDlgButtons(mbOK));
    }
};

QTEST_MAIN(ErrorBarrierTest)
#include "moc_tst_proplist_fixture.cpp"
#include "tst_errorbarrier.moc"
