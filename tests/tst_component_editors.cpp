// Component editors: the host's base and lookup, the verbs in a menu, the default double-click;
// and the package's grid, columns dialog and About-box editors with their verbs and double-clicks.

#include <QtTest>

#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include "briskaboutform.h"
#include "collectioneditor.h"
#include "column.h"
#include "columnsdialog.h"
#include "compedit.h"
#include "datarows.h"
#include "designerlist.h"
#include "fieldseditor.h"
#include "formdesigner.h"
#include "formfile.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "kordbctrlsreg.h"
#include "kordbeditors.h"
#include "kordbeditsreg.h"
#include "kordbgridcolumnseditor.h"
#include "kordbgridsreg.h"
#include "kordblistsreg.h"
#include "navigator.h"
#include "propedit.h"
#include "published.h"
#include "registration.h"
#include "sqldata.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

class TBase : public QObject, public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE TBase() = default;
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
            throw EHostError(u"Boom failed"_s);
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

int openDesignerWindows()
{
    const IDEDesignEd::TDesignerList *list = IDEDesignEd::DesignerList();
    return list ? int(list->size() - list->count(nullptr)) : 0;
}

// The lookup of a customer's city title, by city_id, in Cities.
TNewFieldDefinition cityLookup(const QString &Name)
{
    return {Name, Db::fkLookup, Db::ftString, 0, u"city_id"_s, u"Cities"_s, u"id"_s, u"title"_s};
}

// A definition that cannot work, and the start of the message refusing it.
const struct TBadFieldRow {
    const char *label;
    TNewFieldDefinition definition;
    const char *message;
} kBadFields[] = {
    {"lookup data set gone",
     {u"City"_s, Db::fkLookup, Db::ftString, 0, u"city_id"_s, u"Towns"_s, u"id"_s, u"title"_s},
     "Lookup field 'City': there is no data set"},
    {"key field missing",
     {u"City"_s, Db::fkLookup, Db::ftString, 0, u"town_id"_s, u"Cities"_s, u"id"_s, u"title"_s},
     "Lookup field 'City': Customers has no field"},
    {"name taken",
     {u"name"_s, Db::fkCalculated, Db::ftString, 0, {}, {}, {}, {}},
     "Calculated field 'name': Customers has a field of that name"},
    {"type the driver cannot give",
     {u"city_id"_s, Db::fkData, Db::ftGraphic, 0, {}, {}, {}, {}},
     "Field 'city_id': the driver gives the column as ftInteger, not as ftGraphic"}};

} // namespace

class ComponentEditorsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TFormDesigner> designer;
    TKorDBGrid *grid = nullptr;
    TKorDBColumnsDialog *columnsDialog = nullptr;
    QMap<QString, TComponent *> components; // by kind
    int aboutShown = 0;
    int dialogsRun = 0;
    // Every dialog of the tests; a test adds the answers it needs.
    TScriptedDialogs hostDialogs;
    std::unique_ptr<THostDialogsScope> hostDialogsScope;

    QTemporaryDir dataDir;

    // A connection, the data set Customers over customers (id, name, city_id) and Cities over
    // cities (id, title), both open, on the designer's form.
    TSQLDataSet *placeCustomers()
    {
        const QString database = CreateTestDatabase(
            dataDir.filePath(u"fields.sqlite"_s),
            {u"CREATE TABLE IF NOT EXISTS customers (id INTEGER PRIMARY KEY, "
             "name VARCHAR(30), city_id INTEGER)"_s,
             u"CREATE TABLE IF NOT EXISTS cities (id INTEGER, title VARCHAR(20))"_s,
             u"DELETE FROM customers"_s, u"DELETE FROM cities"_s,
             u"INSERT INTO customers VALUES (1, 'Ann', 2), (2, 'Bob', 1)"_s,
             u"INSERT INTO cities VALUES (1, 'Kansas'), (2, 'Ohio')"_s});
        TFormDesigner::RegisterComponentFactory(&TField::staticMetaObject,
                                                [] { return new TField; });
        RegisterComponents(u"Fields editor test"_s,
                           {&TSQLConnection::staticMetaObject, &TSQLDataSet::staticMetaObject,
                            &TDataSource::staticMetaObject});
        auto *connection = designer->Create<TSQLConnection>();
        connection->setDatabaseName(database);
        const auto open = [&](const char *Name, const char *Query) {
            auto *dataSet = designer->Create<TSQLDataSet>();
            dataSet->SetName(Name);
            dataSet->setSQLConnection(connection);
            dataSet->setCommandText(Query);
            dataSet->Open();
            return dataSet;
        };
        open("Cities", "SELECT * FROM cities");
        return open("Customers", "SELECT * FROM customers ORDER BY id");
    }

    static QStringList fieldNames(const TDataSet *DataSet)
    {
        QStringList names;
        for (const TField *field : DataSet->FieldList())
            names.append(field->FieldName());
        return names;
    }

private slots:
    void initTestCase()
    {
        ResetTestSettingsDir();
        // The package's units register as the host would have them do.
        SetRegisteringModule(u"tst_component_editors"_s);
        KorDBGridsReg::Register();
        KorDBEditsReg::Register();
        KorDBListsReg::Register();
        KorDBCtrlsReg::Register();
        SetRegisteringModule(QString());
        // The host's own editor of a data set's fields.
        RegisterComponentEditor(&TDataSet::staticMetaObject,
                                &TDataSetFieldsEditor::staticMetaObject);
        hostDialogsScope = std::make_unique<THostDialogsScope>(hostDialogs);
    }

    void cleanupTestCase()
    {
        UnregisterModule(u"tst_component_editors"_s);
        hostDialogsScope.reset();
    }

    void init()
    {
        designer = std::make_unique<TFormDesigner>();
        grid = designer->Create<TKorDBGrid>();
        columnsDialog = designer->Create<TKorDBColumnsDialog>();
        columnsDialog->setDBGrid(grid);
        components = {{"grid", grid},
                      {"columns dialog", columnsDialog},
                      {"navigator", designer->Create<TKorDBNavigator>()},
                      {"editor", designer->Create<TKorDBEditor>()},
                      {"column", designer->Create<TKorDBColumn>()}};
        aboutShown = dialogsRun = 0;
        // The About box and the columns dialog are counted and cancelled.
        hostDialogs = {};
        hostDialogs.OnDialog = [this](QDialog &Dialog) {
            ++(qobject_cast<TBriskCAboutForm *>(&Dialog) ? aboutShown : dialogsRun);
            Dialog.reject();
            return Dialog.result();
        };
    }

    void cleanup()
    {
        DestroyCollectionEditors(nullptr);
        IDEDesignEd::Finalization();
        designer.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // ---- The host ----

    void anEditorForgetsItsDestroyedComponent()
    {
        auto component = std::make_unique<TBase>();
        auto editor = GetComponentEditor(component.get(), nullptr);
        component.reset();
        QCOMPARE(editor->Component(), nullptr);
        editor->Edit(); // nothing to edit, nothing happens
    }

    // Verbs fill a menu, separators as separators; a verb's error goes to the host.
    void verbsFillAMenu()
    {
        TBase base;
        auto editor = CreateComponentEditor(&TVerbEditor::staticMetaObject, &base, nullptr);
        auto *verbs = static_cast<TVerbEditor *>(editor.get());
        QMenu menu;
        QCOMPARE(AddComponentVerbs(&menu, editor.get()), 3);
        const QList<QAction *> actions = menu.actions();
        QCOMPARE(actions.size(), 3);
        QVERIFY(actions[1]->isSeparator());
        QCOMPARE(actions[2]->text(), u"Boom"_s);
        QCOMPARE(verbs->prepared, QList<int>({0, 2}));
        actions[0]->trigger();
        actions[2]->trigger();
        QCOMPARE(verbs->executed, QList<int>({0, 2}));
        QCOMPARE(hostDialogs.Errors, QList<QString>({u"Boom failed"_s}));
    }

    // A double-click edits OnChange before OnClick, OnCreate first, else the first event, and
    // nothing on a component without events.
    void aDoubleClickWithoutAnEditorEditsTheBestEvent()
    {
        TClickChange clickChange;
        TAllEvents all;
        TOtherEvents other;
        TBase none;
        SetRegisteringModule(u"events"_s);
        RegisterPropertyEditor(TPropertyType::Named("TNotifyEvent"), nullptr, QString(),
                               &TRecordingEventProperty::staticMetaObject);
        SetRegisteringModule(QString());
        const QList<std::pair<TComponent *, QStringList>> rows{
            {&clickChange, {"OnChange"}}, {&all, {"OnCreate"}}, {&other, {"OnEnter"}}, {&none, {}}};
        for (const auto &[component, edited] : rows) {
            editedEvents.clear();
            EditComponent(component, nullptr);
            QCOMPARE(editedEvents, edited);
        }
        UnregisterModule(u"events"_s);
    }

    // ---- The package's editors ----

    // What a verb, or a double-click (verb -1), opens: About boxes, columns editors, grid
    // designers, runs of the columns dialog. Every component offers the About box first.
    void verbsAndDoubleClicksOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("verb");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("opened"); // about, columns editors, designers, dialogs
        QTest::addRow("grid columns") << "grid" << 2 << "Co&lumns Editor..." << QList{0, 1, 0, 0};
        QTest::addRow("grid designer")
            << "grid" << 3 << "Kor-DBGrid Designer..." << QList{0, 0, 1, 0};
        QTest::addRow("grid past the verbs") << "grid" << 4 << "" << QList{0, 0, 0, 0};
        QTest::addRow("dialog test") << "columns dialog" << 2 << "Test Dialog" << QList{0, 0, 0, 1};
        QTest::addRow("dialog double-click") << "columns dialog" << -1 << "" << QList{0, 0, 0, 1};
        QTest::addRow("navigator double-click") << "navigator" << -1 << "" << QList{0, 0, 0, 0};
        for (const char *kind : {"grid", "columns dialog", "navigator", "editor", "column"})
            QTest::addRow("%s About", kind)
                << kind << 0 << "Kor-DBGrid Component" << QList{1, 0, 0, 0};
    }

    void verbsAndDoubleClicksOpenTheirWindows()
    {
        QFETCH(QString, kind);
        QFETCH(int, verb);
        QFETCH(QString, text);
        QFETCH(QList<int>, opened);
        auto editor = GetComponentEditor(components.value(kind), designer.get());
        QCOMPARE(editor->Component(), components.value(kind));
        if (verb < 0) {
            editor->Edit();
        } else {
            QCOMPARE(editor->GetVerb(verb), text);
            editor->ExecuteVerb(verb);
        }
        const QList<int> seen{aboutShown, int(TCollectionEditor::OpenEditors().size()),
                              openDesignerWindows(), dialogsRun};
        QCOMPARE(seen, opened);
        QVERIFY(hostDialogs.Errors.isEmpty());
        if (opened[1])
            QCOMPARE(TCollectionEditor::OpenEditors().first()->Collection(), grid->Columns());
    }

    // A double-click on a grid shows the columns editor, then the grid designer (the scripted
    // scenes see which is in front); again, it brings the same two windows forward.
    void aDoubleClickOnAGridShowsItsTwoWindowsOnce()
    {
        GetComponentEditor(grid, designer.get())->Edit();
        GetComponentEditor(grid, designer.get())->Edit();
        QCOMPARE(TCollectionEditor::OpenEditors().size(), 1);
        QCOMPARE(openDesignerWindows(), 1);
    }

    // The designed form is not the dialog's parent during a test run, from the verb or a
    // double-click, and is again after it, even when the run raises.
    void testDialogClearsTheDialogParentForTheRun()
    {
        QWidget parent;
        columnsDialog->setDialogParent(&parent);
        QList<QWidget *> parentsDuringRun;
        hostDialogs.OnDialog = [&](QDialog &) -> int {
            parentsDuringRun.append(columnsDialog->DialogParent());
            throw EHostError(u"The dialog failed"_s);
        };
        auto editor = GetComponentEditor(columnsDialog, designer.get());
        QVERIFY_THROWS_EXCEPTION(EHostError, editor->Edit());
        QVERIFY_THROWS_EXCEPTION(EHostError, editor->ExecuteVerb(2));
        QCOMPARE(parentsDuringRun, QList<QWidget *>({nullptr, nullptr}));
        QCOMPARE(columnsDialog->DialogParent(), &parent);
    }

    void theGridsColumnsPropertyOpensTheColumnsEditor()
    {
        PPropInfo info = GetPropInfo(grid, u"Columns"_s);
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
    // Each change of the fields editor is one change the designer announces, and reading the
    // form's text from before it (what undo does) takes it back.
    void fieldsEditorChangesAreOneStepEach_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("fields");
        QTest::addRow("add fields") << "add" << QStringList{"id", "name", "city_id"};
        QTest::addRow("new lookup") << "lookup" << QStringList{"id", "name", "city_id", "City"};
        QTest::addRow("new calculated")
            << "calculated" << QStringList{"id", "name", "city_id", "Shown"};
        QTest::addRow("reorder") << "reorder" << QStringList{"city_id", "id", "name"};
        QTest::addRow("delete") << "delete" << QStringList{"id", "city_id"};
    }

    void fieldsEditorChangesAreOneStepEach()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, fields);
        TSQLDataSet *customers = placeCustomers();
        GetComponentEditor(customers, designer.get())->Edit();
        TFieldsEditor *editor = TFieldsEditor::Find(customers);
        QVERIFY(editor && editor->isVisible());
        // Add Fields offers the columns, all chosen at first.
        hostDialogs.OnChooseFields = [](const QStringList &Offered, QStringList &Chosen,
                                        QWidget *) {
            return Chosen == Offered && Offered == QStringList{"id", "name", "city_id"};
        };
        TNewFieldDefinition asked;
        TNewFieldChoices choices;
        hostDialogs.OnNewField = [&](TNewFieldDefinition &Definition,
                                     const TNewFieldChoices &Choices, QWidget *) {
            Definition = asked;
            choices = Choices;
            return true;
        };
        QByteArray before = WriteFormText(designer.get());
        int modified = designer->ModifiedCount();
        QCOMPARE(editor->AddFields().size(), 3);
        if (change != "add"_L1) {
            QCOMPARE(designer->ModifiedCount(), modified + 1);
            before = WriteFormText(designer.get());
            modified = designer->ModifiedCount();
        }
        if (change == "lookup"_L1) {
            asked = cityLookup(u"City"_s);
            TField *city = editor->NewField();
            QCOMPARE(choices.LookupDataSets, QStringList{"Cities"});
            QCOMPARE(choices.FieldsOf(u"Cities"_s), (QStringList{"id", "title"}));
            QVERIFY(choices.Fields.contains(u"city_id"_s));
            QCOMPARE(city->AsString(), u"Ohio"_s);
            editor->List()->item(3)->setSelected(true);
            QCOMPARE(designer->GetSelections(), QList<QObject *>{city});
            // A grid over the data set shows the value looked up; its column's field name
            // editor offers the lookup.
            auto *source = designer->Create<TDataSource>();
            source->setDataSet(customers);
            grid->setDataSource(source);
            TKorColumn *cityColumn = grid->Columns()->Items(3);
            QCOMPARE(grid->CellText(cityColumn, 1), u"Kansas"_s);
            PPropInfo info = GetPropInfo(cityColumn, u"FieldName"_s);
            QStringList names;
            CreatePropertyEditor(FindPropertyEditorClass(info, cityColumn), designer.get(),
                                 {cityColumn}, info)
                ->GetValues([&](const QString &Name) { names.append(Name); });
            QCOMPARE(names, fields);
        } else if (change == "calculated"_L1) {
            asked = {u"Shown"_s, Db::fkCalculated, Db::ftString, 0, {}, {}, {}, {}};
            TField *shown = editor->NewField();
            QVERIFY(shown && shown->IsNull());
            QCOMPARE(shown->Name(), u"CustomersShown"_s);
        } else if (change == "reorder"_L1) {
            editor->MoveField(customers->FieldByName("city_id"), 0);
        } else if (change == "delete"_L1) {
            editor->DeleteFields({customers->FieldByName("name")});
        }
        QCOMPARE(fieldNames(customers), fields);
        QCOMPARE(editor->List()->count(), fields.size());
        QCOMPARE(designer->ModifiedCount(), modified + 1);
        QVERIFY(hostDialogs.Errors.isEmpty());
        const QByteArray after = WriteFormText(designer.get());
        ReadFormText(designer.get(), before);
        QCOMPARE(QString::fromUtf8(WriteFormText(designer.get())), QString::fromUtf8(before));
        QCOMPARE(editor->List()->count(), customers->PersistentFields().size());
        ReadFormText(designer.get(), after);
        QCOMPARE(fieldNames(customers), fields);
    }

    // A definition that cannot work is refused with a message naming the field; the form is
    // left as it was.
    void fieldsEditorRefusesBadFields_data() { AddRows(kBadFields); }

    void fieldsEditorRefusesBadFields()
    {
        QFETCH(TBadFieldRow, row);
        TSQLDataSet *customers = placeCustomers();
        TFieldsEditor *editor = TFieldsEditor::Open(customers, designer.get());
        editor->AddFields({u"id"_s, u"name"_s});
        hostDialogs.OnNewField = [&](TNewFieldDefinition &Definition, const TNewFieldChoices &,
                                     QWidget *) {
            Definition = row.definition;
            return true;
        };
        const QByteArray before = WriteFormText(designer.get());
        const int modified = designer->ModifiedCount();
        QTest::mouseClick(editor->findChildren<QPushButton *>().at(1), Qt::LeftButton);
        QCOMPARE(hostDialogs.Errors.size(), 1);
        QVERIFY(hostDialogs.Errors.first().startsWith(QLatin1String(row.message)));
        QCOMPARE(QString::fromUtf8(WriteFormText(designer.get())), QString::fromUtf8(before));
        QCOMPARE(designer->ModifiedCount(), modified);
        QCOMPARE(editor->List()->count(), 2);

        // Deleting the lookup data set clears the links to it; the text from before brings them
        // back.
        TField *city = editor->NewField(cityLookup(u"Town"_s));
        const QByteArray linked = WriteFormText(designer.get());
        designer->DeleteComponent(designer->GetComponent(u"Cities"_s));
        QVERIFY(!city->LookupDataSet() && city->IsNull());
        ReadFormText(designer.get(), linked);
        QCOMPARE(city->LookupDataSet(), designer->GetComponent(u"Cities"_s));
        QCOMPARE(city->AsString(), u"Ohio"_s);
    }
};

QTEST_MAIN(ComponentEditorsTest)
#include "tst_component_editors.moc"
