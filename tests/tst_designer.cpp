// The common designer window: opening and reuse, form state in the settings store, the bar
// commands, notifications and selection, tab orders and tab dragging, hints.

#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "briskdesigner.h"
#include "designerlist.h"
#include "formdesigner.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "proplist.h"
#include "regini.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

class TTestComponent : public QObject, public TComponent {
    Q_OBJECT
};

// A page list on Panel1 that counts its loads.
class TProbePage : public TPropList {
    Q_OBJECT
public:
    using TPropList::TPropList;
    int Loads = 0;
    void LoadPropList() override
    {
        ++Loads;
        TPropList::LoadPropList();
    }
};

// A root list whose selected object the test chooses and that records deleted objects.
class TProbeList : public TPropList {
    Q_OBJECT
public:
    using TPropList::TPropList;
    QObject *Selected = nullptr;
    QList<QObject *> Deleted;
    TProbePage *Page = nullptr;
    QObject *SelectedItem() override { return Selected ? Selected : TPropList::SelectedItem(); }
    void ItemDeleted(QObject *Object) override
    {
        Deleted.append(Object);
        TPropList::ItemDeleted(Object);
    }
};

class TProbeDesigner : public TBriskDesigner {
    Q_OBJECT
public:
    static inline bool FailSetUp = false;
    TProbeList *List() const { return static_cast<TProbeList *>(PropList.get()); }
    void CreatePropList() override
    {
        auto list = TPropList::Create<TProbeList>(this, Component()->Object());
        auto page = TPropList::Create<TProbePage>(this, Component()->Object());
        list->Page = page.get();
        list->AddPropList(std::move(page), Panel1);
        PropList = std::move(list);
        if (FailSetUp)
            throw EHostError(u"set-up failed"_s);
    }
};

QList<TBriskDesigner *> openWindows()
{
    QList<TBriskDesigner *> windows;
    if (IDEDesignEd::TDesignerList *list = IDEDesignEd::DesignerList())
        for (const QPointer<QWidget> &entry : *list)
            if (auto *window = qobject_cast<TBriskDesigner *>(entry.data()))
                windows.append(window);
    return windows;
}

QString section(const QString &Name)
{
    const TRegIniFile ini(BaseRegistryKey() + u"\\Property Editors\\Brisk Designer"_s);
    QStringList lines = ini.ReadSectionValues(Name);
    return lines.join(QLatin1Char(','));
}

QTabWidget *addPages(TBriskDesigner *Window, const QStringList &Names)
{
    auto *pages = new QTabWidget(Window->Panel1);
    pages->setGeometry(0, 0, 400, 200);
    for (const QString &name : Names) {
        auto *page = new QWidget;
        page->setObjectName(name);
        pages->addTab(page, name);
    }
    pages->show();
    return pages;
}

QStringList pageOrder(QTabWidget *Pages)
{
    QStringList names;
    for (int i = 0; i < Pages->count(); ++i)
        names.append(Pages->widget(i)->objectName());
    return names;
}

} // namespace

class TestDesigner : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormDesigner> designer;
    TTestComponent *grid1 = nullptr;
    TTestComponent *grid2 = nullptr;

    TProbeDesigner *openProbe(TTestComponent *Component, QWidget *Parent = nullptr)
    {
        return static_cast<TProbeDesigner *>(ShowBriskDesignerClass(
            designer.get(), Component, BriskDesignerClass<TProbeDesigner>(), Parent));
    }

    static void closeAndFree(QWidget *Window)
    {
        QPointer<QWidget> guard = Window;
        Window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

private slots:
    void init()
    {
        ResetTestSettingsDir();
        TProbeDesigner::FailSetUp = false;
        designer = std::make_unique<TFormDesigner>();
        grid1 = designer->Create<TTestComponent>();
        grid2 = designer->Create<TTestComponent>();
    }

    void cleanup()
    {
        for (TBriskDesigner *window : openWindows())
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        designer.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(openWindows().isEmpty());
    }

    // The bars and commands it opens with the bar and state tests see. The caption follows a
    // rename, which reaches the window as a modification.
    void captionFollowsARename()
    {
        ShowBriskDesigner(designer.get(), grid1, nullptr);
        QCOMPARE(openWindows().size(), 1);
        TBriskDesigner *window = openWindows().first();
        grid1->SetName(u"Renamed"_s);
        designer->Modified();
        QCOMPARE(window->windowTitle(), u"Renamed Designer"_s);
    }

    void reusesTheWindowOfTheSameComponent()
    {
        TProbeDesigner *first = openProbe(grid1);
        QVERIFY(first);
        const QSize size = first->size();
        // State written since the first opening is not read again on reuse.
        TRegIniFile(first->GetRegKey()).WriteInteger(u"TProbeDesigner"_s, u"Width"_s, 300);
        QCOMPARE(openProbe(grid1), first);
        QCOMPARE(first->size(), size);
        // Another component, or the same one asked for with another class, finds its own.
        TProbeDesigner *second = openProbe(grid2);
        QVERIFY(second && second != first);
        QCOMPARE(second->width(), 300);
        QCOMPARE(ShowBriskDesignerClass(designer.get(), grid2, BriskDesignerClass<TBriskDesigner>(),
                                        nullptr),
                 second);
        QCOMPARE(openWindows().size(), 2);
        // A closed window is not handed out again.
        closeAndFree(first);
        TProbeDesigner *third = openProbe(grid1);
        QVERIFY(third && third != second);
    }

    void barCommandsKeepPanelHeight()
    {
        TBriskDesigner *window = openProbe(grid1);
        const int panel = window->Panel1->height();
        const int status = window->StatusBar1->height();
        const int bars = window->ToolBar1->height() + window->Splitter1->height();

        window->StatusBarCmd->trigger();
        QVERIFY(window->StatusBar1->isHidden() && !window->StatusBarCmd->isChecked() &&
                !window->StatusBar2->isChecked());
        QCOMPARE(window->height(), 392 - status);
        QCOMPARE(window->Panel1->height(), panel);

        window->ToolbarCmd->trigger();
        QVERIFY(window->ToolBar1->isHidden() && window->Splitter1->isHidden());
        QCOMPARE(window->height(), 392 - status - bars);
        QCOMPARE(window->Panel1->height(), panel);

        window->StatusBar2->trigger(); // the menu entry of the same command
        window->ToolbarCmd->trigger();
        QCOMPARE(window->height(), 392);
        QVERIFY(window->StatusBarCmd->isChecked() && window->ToolbarCmd->isChecked());

        window->TextLabelsCmd->trigger();
        QCOMPARE(window->ToolBar1->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(window->height() > 392);
        QCOMPARE(window->Panel1->height(), panel);
    }

    void stateIsRememberedPerClass()
    {
        TRegIniFile ini(BaseRegistryKey() + u"\\Property Editors\\Brisk Designer"_s);
        ini.WriteString(u"TBriskDesigner"_s, u"Stray"_s, "x");
        ShowBriskDesigner(designer.get(), grid1, nullptr);
        TBriskDesigner *window = openWindows().first();
        window->move(40, 50);
        window->StatusBarCmd->trigger();
        window->EnableAllCmd->trigger();
        window->SaveTabsCmd->trigger();
        window->SetLargeButtons(true);
        const int height = window->height();
        closeAndFree(window);
        QCOMPARE(section(u"TBriskDesigner"_s),
                 u"Top=50,Left=40,Width=599,Height=%1,LargeButtons=1,Toolbar=1,"
                 "StatusBar=0,EnableAll=1,SaveTabs=1"_s.arg(height));
        QVERIFY(section(u"TProbeDesigner"_s).isEmpty());

        ShowBriskDesigner(designer.get(), grid1, nullptr);
        window = openWindows().first();
        // The place, size and EnableAll come back as the grid designer's tests see.
        QVERIFY(window->StatusBar1->isHidden() && !window->StatusBarCmd->isChecked());
        QVERIFY(window->SaveTabsCmd->isChecked() && window->LargeButtons());
        QCOMPARE(window->ToolBar1->iconSize(), QSize(24, 24));
        // Restoring a hidden bar leaves the window's size alone: the panel takes the room.
        QCOMPARE(window->Panel1->height(),
                 height - window->ToolBar1->height() - window->Splitter1->height());
    }

    // A stored place off the screen is brought back onto it: the grid designer's tests see it.
    void brokenSizesAreSafe()
    {
        TRegIniFile ini(BaseRegistryKey() + u"\\Property Editors\\Brisk Designer"_s);
        ini.WriteString(u"TBriskDesigner"_s, u"Width"_s, "-20");
        ini.WriteString(u"TBriskDesigner"_s, u"Height"_s, "many");
        ShowBriskDesigner(designer.get(), grid1, nullptr);
        QCOMPARE(openWindows().first()->size(), QSize(599, 392));
    }

    void tabOrdersAreSavedAndRestored()
    {
        ShowBriskDesigner(designer.get(), grid1, nullptr);
        TBriskDesigner *window = openWindows().first();
        QTabWidget *pages =
            addPages(window, {"LayoutTabSheet", "ColumnsTabSheet", "TotalsTabSheet"});
        // Saved as the current page, then the order (the grid designer's tests see that). Read
        // back, a stale name is skipped without using up a place; unnamed pages keep their order.
        TRegIniFile ini(window->GetRegKey());
        ini.WriteString(u"TBriskDesigner"_s, u"Tabs1"_s,
                        u"totalstabsheet;TotalsTabSheet;GoneTabSheet;ColumnsTabSheet"_s);
        window->ReadTabsOrder(u"Tabs1"_s, pages);
        QCOMPARE(pageOrder(pages),
                 QStringList({"TotalsTabSheet", "ColumnsTabSheet", "LayoutTabSheet"}));
        QCOMPARE(pages->currentWidget()->objectName(), u"TotalsTabSheet"_s);
        QCOMPARE(pages->tabText(0), u"TotalsTabSheet"_s);

        // Absent or empty values and missing page controls change nothing.
        window->ReadTabsOrder(u"Tabs2"_s, pages);
        window->ReadTabsOrder(u"Tabs1"_s, nullptr);
        QCOMPARE(pageOrder(pages).first(), u"TotalsTabSheet"_s);

        window->SaveTabsOrder(u"Tabs1"_s, nullptr);
        QVERIFY(!ini.ValueExists(u"TBriskDesigner"_s, u"Tabs1"_s));
    }

    void deletingObjectsAndClosingDesigners()
    {
        TProbeDesigner *window = openProbe(grid1);
        QPointer<QWidget> guard = window;
        TProbeList *list = window->List();
        designer->DeleteComponent(grid2);
        QCOMPARE(list->Deleted, QList<QObject *>({static_cast<QObject *>(grid2)}));
        QVERIFY(window->isVisible());

        designer->DeleteComponent(grid1);
        QVERIFY(!window->isVisible() && !window->GetPropList() && !window->Component());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Closing after the component went leaves the selection alone.
        QVERIFY(guard.isNull() && designer->GetSelections().isEmpty());

        auto *grid3 = designer->Create<TTestComponent>();
        guard = openProbe(grid3);
        delete grid3; // destroyed without DeleteComponent
        QVERIFY(!guard->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());

        auto *grid4 = designer->Create<TTestComponent>();
        guard = openProbe(grid4);
        designer->Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

    void closingReturnsSelectionToComponent()
    {
        TProbeDesigner *window = openProbe(grid1);
        designer->SelectComponent(grid2);
        closeAndFree(window);
        // It saves its state as it goes, as the grid designer's tests see.
        QCOMPARE(designer->GetSelections(), QList<QObject *>({static_cast<QObject *>(grid1)}));
    }

    void failedSetUpLeavesNoWindow()
    {
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        TProbeDesigner::FailSetUp = true;
        QVERIFY(openProbe(grid1) == nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(openWindows().isEmpty());
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<TBriskDesigner *>(widget));
        QVERIFY(messages.Errors.isEmpty() && messages.Requests.isEmpty());
    }

    void placedBesideParentForm()
    {
        QWidget parent;
        parent.setGeometry(10, 20, 150, 300);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        TProbeDesigner *window = openProbe(grid1, &parent);
        QCOMPARE(window->x(), parent.x() + parent.frameGeometry().width());
        QCOMPARE(window->y(), parent.y());
        // That the parent keeps its size, the grid designer's tests check.

        // Reuse brings the window forward where it is.
        window->move(300, 300);
        parent.move(5, 10);
        QCOMPARE(openProbe(grid1, &parent), window);
        QCOMPARE(window->pos(), QPoint(300, 300));
    }

    void selectionFollowsTheList()
    {
        TProbeDesigner *window = openProbe(grid1);
        QVERIFY(QTest::qWaitForWindowActive(window) && window->Active());
        QVERIFY(designer->ActivateCount() > 0);
        QCOMPARE(designer->GetSelections(), QList<QObject *>({static_cast<QObject *>(grid1)}));

        // A sub-object that is no component is selected through a selection list.
        QObject title;
        window->List()->Selected = &title;
        const int loads = window->List()->Page->Loads;
        designer->Modified();
        QCOMPARE(window->List()->Page->Loads, loads + 1);
        QCOMPARE(designer->GetSelections(), QList<QObject *>({&title}));
        window->List()->Selected = nullptr;

        window->EnableAllCmd->trigger();
        QVERIFY(window->EnableAllCmd->isChecked() && window->List()->AllEnabled);
        QCOMPARE(window->List()->Page->Loads, loads + 2);
        window->EnableAllCmd->trigger();
        QVERIFY(!window->EnableAllCmd->isChecked() && !window->List()->AllEnabled);
    }

    void hintsGoToTheStatusBarWhileActive()
    {
        TProbeDesigner *window = openProbe(grid1);
        QVERIFY(QTest::qWaitForWindowActive(window) && Application::OnShowHint());
        auto *edit = new QLineEdit(window->Panel1);
        edit->setToolTip(u"The grid's colour"_s);
        edit->show();

        QHelpEvent request(QEvent::ToolTip, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &request);
        QCOMPARE(window->StatusBar1->currentMessage(), u"The grid's colour"_s);

        // Tool-bar buttons keep their pop-up hints.
        window->StatusBar1->clearMessage();
        QHelpEvent buttonRequest(QEvent::ToolTip, QPoint(2, 2),
                                 window->ToolButton1->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(window->ToolButton1, &buttonRequest);
        QVERIFY(window->StatusBar1->currentMessage().isEmpty());

        // Another window taking over restores the handler and clears the status text.
        window->StatusBar1->showMessage(u"old"_s);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other) && !window->Active());
        QVERIFY(!Application::OnShowHint() && window->StatusBar1->currentMessage().isEmpty());
    }

    void tabsMoveByDragAndDrop()
    {
        TProbeDesigner *window = openProbe(grid1);
        QTabWidget *pages = addPages(window, {"A", "B", "C", "D"});
        QTabBar *bar = pages->tabBar();

        bool accept = true;
        window->PageControlDragOver(pages, window, 0, 0, dsDragMove, accept);
        QVERIFY(!accept);
        window->PageControlDragOver(pages, pages, 0, 0, dsDragMove, accept);
        QVERIFY(accept);

        window->PageControlDragDrop(pages, pages, 5, pages->height() - 5); // not on a tab
        QCOMPARE(pageOrder(pages), QStringList({"A", "B", "C", "D"}));

        // With the mouse: press on D, drag onto A's tab, release.
        window->BindPageControl(pages);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QPoint from = bar->tabRect(3).center();
        QTest::mousePress(bar, Qt::LeftButton, {}, from);
        QCOMPARE(pages->currentIndex(), 3);
        QTest::mouseMove(bar, from - QPoint(20, 0));
        QTest::mouseMove(bar, bar->tabRect(0).center());
        QVERIFY(Dragging());
        QTest::mouseRelease(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QVERIFY(!Dragging());
        QCOMPARE(pageOrder(pages), QStringList({"D", "A", "B", "C"}));
        QCOMPARE(pages->currentWidget()->objectName(), u"D"_s);
    }
};

QTEST_MAIN(TestDesigner)
#include "tst_designer.moc"
