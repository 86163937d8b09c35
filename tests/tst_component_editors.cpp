// Component editors: the host's base and lookup, the verbs in a menu, the default double-click;
// and the package's grid, columns dialog and About-box editors with their verbs and double-clicks.

#include <QtTest>

#include <QMenu>

#include "colnedit.h"
#include "columnsdialog.h"
#include "compedit.h"
#include "designerlist.h"
#include "editors.h"
#include "formdesigner.h"
#include "grid.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "ideaboutdlg.h"
#include "idedesigned.h"
#include "idegridsdlg.h"
#include "kordbctrlsreg.h"
#include "kordbeditsreg.h"
#include "kordbgridsreg.h"
#include "kordblistsreg.h"
#include "navigator.h"
#include "probedesigner.h"
#include "propedit.h"
#include "published.h"
#include "registration.h"
#include "testsupport.h"

namespace {

class TBase : public QObject, public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE TBase() = default;
};

class TDerived : public TBase {
    Q_OBJECT
public:
    Q_INVOKABLE TDerived() = default;
};

class TBaseEditor : public TDefaultEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TBaseEditor(const TComponentEditorArgs &Args) : TDefaultEditor(Args) {}
};

class TDerivedEditor : public TDefaultEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDerivedEditor(const TComponentEditorArgs &Args) : TDefaultEditor(Args) {}
};

// Verbs "One", a separator, and "Boom", which raises.
class TVerbEditor : public TDefaultEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TVerbEditor(const TComponentEditorArgs &Args) : TDefaultEditor(Args) {}
    QList<int> executed;
    QList<int> prepared;
    int GetVerbCount() override { return 3; }
    QString GetVerb(int Index) override { return QStringList{"One", "-", "Boom"}.value(Index); }
    void ExecuteVerb(int Index) override
    {
        executed.append(Index);
        if (Index == 2)
            throw EHostError(QStringLiteral("Boom failed"));
    }
    void PrepareItem(int Index, QAction *) override { prepared.append(Index); }
};

class TClickChange : public QObject, public TComponent {
    Q_OBJECT
    KOR_EVENT(TNotifyEvent, OnClick)
    KOR_EVENT(TNotifyEvent, OnChange)
};

class TAllEvents : public QObject, public TComponent {
    Q_OBJECT
    KOR_EVENT(TNotifyEvent, OnClick)
    KOR_EVENT(TNotifyEvent, OnEnter)
    KOR_EVENT(TNotifyEvent, OnCreate)
    KOR_EVENT(TNotifyEvent, OnChange)
};

class TOtherEvents : public QObject, public TComponent {
    Q_OBJECT
    KOR_EVENT(TNotifyEvent, OnEnter)
    KOR_EVENT(TNotifyEvent, OnExit)
};

class TNoEvents : public QObject, public TComponent {
    Q_OBJECT
};

QStringList editedEvents;

// Stands for the host's event editor: records which event a double-click edits.
class TRecordingEventProperty : public TPropertyEditor {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TRecordingEventProperty(const TPropertyEditorArgs &Args)
        : TPropertyEditor(Args)
    {
    }
    void Edit() override { editedEvents.append(GetName()); }
};

// Records the windows shown, in order, by class.
class TShowRecorder : public QObject {
public:
    QStringList shown;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow())
            shown.append(QLatin1String(watched->metaObject()->className()));
        return false;
    }
};

int openDesignerWindows()
{
    int count = 0;
    if (IDEDesignEd::TDesignerList *list = IDEDesignEd::DesignerList())
        for (const QPointer<QWidget> &window : *list)
            count += window ? 1 : 0;
    return count;
}

void closeAllWindows()
{
    DestroyCollectionEditors(nullptr);
    IDEDesignEd::Finalization();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class ComponentEditorsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormDesigner> designer;
    TKorDBGrid *grid = nullptr;
    TKorDBColumnsDialog *columnsDialog = nullptr;
    TKorDBNavigator *navigator = nullptr;
    TKorDBEditor *editor = nullptr;
    TKorDBColumn *column = nullptr;
    int aboutShown = 0;
    int dialogsRun = 0;

    TComponent *componentNamed(const QString &Kind) const
    {
        if (Kind == QLatin1String("grid"))
            return grid;
        if (Kind == QLatin1String("columns dialog"))
            return columnsDialog;
        if (Kind == QLatin1String("navigator"))
            return navigator;
        if (Kind == QLatin1String("editor"))
            return editor;
        return column;
    }

private slots:
    void initTestCase()
    {
        ResetTestSettingsDir();
        // The package's units register as the host would have them do.
        SetRegisteringModule(QStringLiteral("tst_component_editors"));
        KorDBGridsReg::Register();
        KorDBEditsReg::Register();
        KorDBListsReg::Register();
        KorDBCtrlsReg::Register();
        SetRegisteringModule(QString());
        TBriskCAboutForm::SetModalRunner([this](TBriskCAboutForm &Form) {
            ++aboutShown;
            Form.reject();
            return Form.result();
        });
        TKorDBColumnsDialog::SetModalRunner([this](QDialog &) {
            ++dialogsRun;
            return int(QDialog::Rejected);
        });
    }

    void cleanupTestCase()
    {
        UnregisterModule(QStringLiteral("tst_component_editors"));
        TBriskCAboutForm::SetModalRunner({});
        TKorDBColumnsDialog::SetModalRunner({});
    }

    void init()
    {
        designer = std::make_unique<TFormDesigner>();
        grid = designer->Create<TKorDBGrid>();
        columnsDialog = designer->Create<TKorDBColumnsDialog>();
        columnsDialog->setDBGrid(grid);
        navigator = designer->Create<TKorDBNavigator>();
        editor = designer->Create<TKorDBEditor>();
        column = designer->Create<TKorDBColumn>();
        aboutShown = 0;
        dialogsRun = 0;
    }

    void cleanup()
    {
        closeAllWindows();
        designer.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // ---- The host ----

    void theNearestRegisteredEditorWins()
    {
        TBase base;
        TDerived derived;
        TNoEvents other;
        SetRegisteringModule(QStringLiteral("nearest"));
        RegisterComponentEditor(&TBase::staticMetaObject, &TBaseEditor::staticMetaObject);
        QCOMPARE(GetComponentEditor(&derived, nullptr)->metaObject(),
                 &TBaseEditor::staticMetaObject);
        RegisterComponentEditor(&TDerived::staticMetaObject, &TDerivedEditor::staticMetaObject);
        SetRegisteringModule(QString());
        QCOMPARE(GetComponentEditor(&derived, nullptr)->metaObject(),
                 &TDerivedEditor::staticMetaObject);
        QCOMPARE(GetComponentEditor(&base, nullptr)->metaObject(), &TBaseEditor::staticMetaObject);
        TProbeDesigner probe;
        auto fallback = GetComponentEditor(&other, &probe);
        QCOMPARE(fallback->metaObject(), &TDefaultEditor::staticMetaObject);
        QCOMPARE(fallback->Component(), &other);
        QCOMPARE(fallback->GetDesigner(), &probe);
        QCOMPARE(fallback->GetVerbCount(), 0);
        UnregisterModule(QStringLiteral("nearest"));
        QCOMPARE(GetComponentEditor(&derived, nullptr)->metaObject(),
                 &TDefaultEditor::staticMetaObject);

        QVERIFY_THROWS_EXCEPTION(EInvalidOperation, GetComponentEditor(nullptr, nullptr));
        QVERIFY_THROWS_EXCEPTION(EInvalidOperation,
                                 CreateComponentEditor(&TBase::staticMetaObject, &base, nullptr));
    }

    void anEditorForgetsItsDestroyedComponent()
    {
        auto component = std::make_unique<TBase>();
        auto editor = GetComponentEditor(component.get(), nullptr);
        component.reset();
        QCOMPARE(editor->Component(), nullptr);
        editor->Edit(); // nothing to edit, nothing happens
    }

    void verbsFillAMenu()
    {
        TBase base;
        auto editor = CreateComponentEditor(&TVerbEditor::staticMetaObject, &base, nullptr);
        auto *verbs = static_cast<TVerbEditor *>(editor.get());
        QMenu menu;
        QCOMPARE(AddComponentVerbs(&menu, editor.get()), 3);
        const QList<QAction *> actions = menu.actions();
        QCOMPARE(actions.size(), 3);
        QCOMPARE(actions[0]->text(), QStringLiteral("One"));
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[2]->text(), QStringLiteral("Boom"));
        QCOMPARE(verbs->prepared, QList<int>({0, 2}));

        TScopedHostMessages messages;
        actions[0]->trigger();
        actions[2]->trigger(); // its error is reported, not thrown at the menu
        QCOMPARE(verbs->executed, QList<int>({0, 2}));
        QCOMPARE(messages.Errors, QList<QString>({QStringLiteral("Boom failed")}));
    }

    void aDoubleClickWithoutAnEditorEditsTheBestEvent_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("edited");
        QTest::addRow("OnChange before OnClick") << "click-change" << QStringList{"OnChange"};
        QTest::addRow("OnCreate first") << "all" << QStringList{"OnCreate"};
        QTest::addRow("else the first event") << "other" << QStringList{"OnEnter"};
        QTest::addRow("no event") << "none" << QStringList{};
    }

    void aDoubleClickWithoutAnEditorEditsTheBestEvent()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, edited);
        TClickChange clickChange;
        TAllEvents all;
        TOtherEvents other;
        TNoEvents none;
        TComponent *component = kind == "click-change" ? static_cast<TComponent *>(&clickChange)
                                : kind == "all"        ? static_cast<TComponent *>(&all)
                                : kind == "other"      ? static_cast<TComponent *>(&other)
                                                       : static_cast<TComponent *>(&none);
        SetRegisteringModule(QStringLiteral("events"));
        RegisterPropertyEditor(TPropertyType::Named("TNotifyEvent"), nullptr, QString(),
                               &TRecordingEventProperty::staticMetaObject);
        SetRegisteringModule(QString());
        editedEvents.clear();
        EditComponent(component, nullptr);
        UnregisterModule(QStringLiteral("events"));
        QCOMPARE(editedEvents, edited);
    }

    // ---- The package's editors ----

    void registeredForEveryComponent_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("editorClass");
        QTest::addRow("grid") << "grid"
                              << "KorDBGridsReg::TKorDBGridEditor";
        QTest::addRow("columns dialog") << "columns dialog"
                                        << "KorDBListsReg::TKorDBColumnsDialogEditor";
        QTest::addRow("navigator") << "navigator"
                                   << "TBriskEditor";
        QTest::addRow("editor") << "editor"
                                << "TBriskEditor";
        QTest::addRow("column") << "column"
                                << "TBriskEditor";
    }

    void registeredForEveryComponent()
    {
        QFETCH(QString, kind);
        QFETCH(QString, editorClass);
        auto editor = GetComponentEditor(componentNamed(kind), designer.get());
        QCOMPARE(QLatin1String(editor->metaObject()->className()), editorClass);
        QCOMPARE(editor->Component(), componentNamed(kind));
        QCOMPARE(editor->GetDesigner(), designer.get());
    }

    void aGridFamilyGridGetsTheGridEditor()
    {
        TKorDBGridsADO ado;
        QCOMPARE(GetComponentEditor(&ado, nullptr)->metaObject(),
                 &KorDBGridsReg::TKorDBGridEditor::staticMetaObject);
    }

    void verbs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("verbs");
        const QString title = QStringLiteral("Kor-DBGrid Component");
        QTest::addRow("grid") << "grid"
                              << QStringList{title, "-", "Co&lumns Editor...",
                                             "Kor-DBGrid Designer..."};
        QTest::addRow("columns dialog")
            << "columns dialog" << QStringList{title, "-", "Test Dialog"};
        QTest::addRow("navigator") << "navigator" << QStringList{title};
        QTest::addRow("editor") << "editor" << QStringList{title};
        QTest::addRow("column") << "column" << QStringList{title};
    }

    void verbs()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, verbs);
        auto editor = GetComponentEditor(componentNamed(kind), designer.get());
        QCOMPARE(editor->GetVerbCount(), verbs.size());
        for (int i = 0; i < verbs.size(); ++i)
            QCOMPARE(editor->GetVerb(i), verbs[i]);
        for (int index : {-1, -100, int(verbs.size()), int(verbs.size()) + 1, 1000})
            QCOMPARE(editor->GetVerb(index), QString());
    }

    void verbsAndDoubleClicksOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("verb"); // -1000: a double-click
        QTest::addColumn<int>("about");
        QTest::addColumn<int>("columnsEditors");
        QTest::addColumn<int>("designers");
        QTest::addColumn<int>("dialogs");
        constexpr int DoubleClick = -1000;
        QTest::addRow("grid 0 about") << "grid" << 0 << 1 << 0 << 0 << 0;
        QTest::addRow("grid 1 separator") << "grid" << 1 << 0 << 0 << 0 << 0;
        QTest::addRow("grid 2 columns") << "grid" << 2 << 0 << 1 << 0 << 0;
        QTest::addRow("grid 3 designer") << "grid" << 3 << 0 << 0 << 1 << 0;
        QTest::addRow("grid 4") << "grid" << 4 << 0 << 0 << 0 << 0;
        QTest::addRow("grid -1") << "grid" << -1 << 0 << 0 << 0 << 0;
        QTest::addRow("grid double-click") << "grid" << DoubleClick << 0 << 1 << 1 << 0;
        QTest::addRow("dialog 0 about") << "columns dialog" << 0 << 1 << 0 << 0 << 0;
        QTest::addRow("dialog 1 separator") << "columns dialog" << 1 << 0 << 0 << 0 << 0;
        QTest::addRow("dialog 2 test") << "columns dialog" << 2 << 0 << 0 << 0 << 1;
        QTest::addRow("dialog 3") << "columns dialog" << 3 << 0 << 0 << 0 << 0;
        QTest::addRow("dialog -1") << "columns dialog" << -1 << 0 << 0 << 0 << 0;
        QTest::addRow("dialog double-click") << "columns dialog" << DoubleClick << 0 << 0 << 0 << 1;
        QTest::addRow("navigator 0 about") << "navigator" << 0 << 1 << 0 << 0 << 0;
        QTest::addRow("navigator 1") << "navigator" << 1 << 0 << 0 << 0 << 0;
        QTest::addRow("navigator -1") << "navigator" << -1 << 0 << 0 << 0 << 0;
        QTest::addRow("navigator double-click") << "navigator" << DoubleClick << 0 << 0 << 0 << 0;
        QTest::addRow("editor 0 about") << "editor" << 0 << 1 << 0 << 0 << 0;
        QTest::addRow("column 0 about") << "column" << 0 << 1 << 0 << 0 << 0;
    }

    void verbsAndDoubleClicksOpenTheirWindows()
    {
        QFETCH(QString, kind);
        QFETCH(int, verb);
        QFETCH(int, about);
        QFETCH(int, columnsEditors);
        QFETCH(int, designers);
        QFETCH(int, dialogs);
        auto editor = GetComponentEditor(componentNamed(kind), designer.get());
        TScopedHostMessages messages;
        if (verb == -1000)
            editor->Edit();
        else
            editor->ExecuteVerb(verb);
        QCOMPARE(aboutShown, about);
        QCOMPARE(TCollectionEditor::OpenEditors().size(), columnsEditors);
        QCOMPARE(openDesignerWindows(), designers);
        QCOMPARE(dialogsRun, dialogs);
        QVERIFY(messages.Errors.isEmpty());
        if (columnsEditors) {
            TCollectionEditor *open = TCollectionEditor::OpenEditors().first();
            QCOMPARE(open->Collection(), grid->Columns());
            QCOMPARE(open->PropertyName(), QStringLiteral("Columns"));
        }
    }

    void aDoubleClickOnAGridShowsTheColumnsEditorFirst()
    {
        TShowRecorder recorder;
        qApp->installEventFilter(&recorder);
        GetComponentEditor(grid, designer.get())->Edit();
        qApp->removeEventFilter(&recorder);
        QCOMPARE(recorder.shown, QStringList({"TKorDBGridColumnsEditor", "TKorDBGridDesigner"}));
        // A second double-click brings the same two windows forward.
        GetComponentEditor(grid, designer.get())->Edit();
        QCOMPARE(TCollectionEditor::OpenEditors().size(), 1);
        QCOMPARE(openDesignerWindows(), 1);
    }

    void testDialogClearsTheDialogParentForTheRun_data()
    {
        QTest::addColumn<bool>("raises");
        QTest::addColumn<bool>("doubleClick");
        QTest::addRow("verb, dialog returns") << false << false;
        QTest::addRow("verb, dialog raises") << true << false;
        QTest::addRow("double-click, dialog raises") << true << true;
    }

    void testDialogClearsTheDialogParentForTheRun()
    {
        QFETCH(bool, raises);
        QFETCH(bool, doubleClick);
        QWidget parent;
        columnsDialog->setDialogParent(&parent);
        QList<QWidget *> parentsDuringRun;
        const auto previous = TKorDBColumnsDialog::ModalRunner();
        TKorDBColumnsDialog::SetModalRunner([&](QDialog &) -> int {
            parentsDuringRun.append(columnsDialog->DialogParent());
            if (raises)
                throw EHostError(QStringLiteral("The dialog failed"));
            return QDialog::Rejected;
        });
        auto editor = GetComponentEditor(columnsDialog, designer.get());
        const auto run = [&] { doubleClick ? editor->Edit() : editor->ExecuteVerb(2); };
        if (raises)
            QVERIFY_THROWS_EXCEPTION(EHostError, run());
        else
            run();
        TKorDBColumnsDialog::SetModalRunner(previous);
        QCOMPARE(parentsDuringRun, QList<QWidget *>({nullptr}));
        QCOMPARE(columnsDialog->DialogParent(), &parent);
    }

    void theGridsColumnsPropertyOpensTheColumnsEditor()
    {
        PPropInfo info = GetPropInfo(grid, QStringLiteral("Columns"));
        const QMetaObject *editorClass = FindPropertyEditorClass(info, grid);
        QCOMPARE(editorClass, &TKorDBGridColumnsProperty::staticMetaObject);
        auto property = CreatePropertyEditor(editorClass, designer.get(), {grid}, info);
        QCOMPARE(property->GetAttributes(), paDialog | paReadOnly | paVCL);
        InstallCollectionEditor();
        property->Edit();
        TCollectionProperty::SetShowCollectionEditor({});
        const QList<TCollectionEditor *> open = TCollectionEditor::OpenEditors();
        QCOMPARE(open.size(), 1);
        QCOMPARE(open[0]->metaObject(), &TKorDBGridColumnsEditor::staticMetaObject);
        QCOMPARE(open[0]->Collection(), grid->Columns());
    }
};

QTEST_MAIN(ComponentEditorsTest)
#include "tst_component_editors.moc"
