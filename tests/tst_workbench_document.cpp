// The workbench's form document with the package loaded: undo and redo of property changes the
// designer announces, of placing and deleting, each step holding only what it touched and
// recorded without writing the rest of the form; saving
// and opening; a damaged file or a failed
// save that changes nothing; recent files; pasting under new names.

#include <QDialogButtonBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QUndoStack>
#include <QtTest>
#include <algorithm>

#include "collectioneditor.h"
#include "compedit.h"
#include "datarows.h"
#include "errorof.h"
#include "fieldseditor.h"
#include "formdocument.h"
#include "formproblemsdialog.h"
#include "formsurface.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hostpalette.h"
#include "packages.h"
#include "propedit.h"
#include "sqldata.h"
#include "testsupport.h"

using namespace Qt::StringLiterals;

namespace {

// A component that counts how often its entry is written: writing it reads its one property.
class TWrittenCounter : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Weight READ Weight WRITE SetWeight)
    KOR_PUBLISHED(tkInteger, "Integer", Weight, "0")

public:
    Q_INVOKABLE TWrittenCounter() = default;
    int Weight() const { return ++Reads, m_weight; }
    void SetWeight(int Value) { m_weight = Value; }
    static inline int Reads = 0;

private:
    int m_weight = 0;
};

// Sets a property of Instance as the Object Inspector does, through its property editor.
void setAsInspector(IDesigner *Designer, QObject *Instance, const QString &Property,
                    const QString &Value)
{
    PPropInfo info = GetPropInfo(Instance, Property);
    QVERIFY(info);
    CreatePropertyEditor(FindPropertyEditorClass(info, Instance), Designer, {Instance}, info)
        ->SetValue(Value);
}

// The component of that name on the designer's form, or owned by one of its components.
TComponent *componentNamed(TFormDesigner *Designer, const QString &Name)
{
    if (TComponent *found = Designer->GetComponent(Name))
        return found;
    for (int i = 0; i < Designer->Form()->ComponentCount(); ++i)
        if (TComponent *found = Designer->Form()->Components(i)->FindComponent(Name))
            return found;
    return nullptr;
}

// A change as a person makes it (made by the test's code of that name), the components its
// step holds and the step's name (empty: not checked).
const struct TStepsRow {
    const char *label, *change, *held, *step;
} kSteps[] = {
    {"a property on a designer page", "property", "KorDBGrid1", "Change KorDBGrid1.FixedColor"},
    {"a value set in the inspector", "inspector", "KorDBGrid1", "Change KorDBGrid1.Color"},
    {"two components changed", "two", "DataSource1 KorDBGrid1",
     "Change DataSource1.Enabled, KorDBGrid1.Left"},
    {"a column added", "column add", "KorDBGrid1", "Change KorDBGrid1.Columns"},
    {"a column deleted", "column delete", "KorDBGrid1", "Change KorDBGrid1.Columns"},
    {"a column moved", "column move", "KorDBGrid1", ""},
    {"columns added in the columns editor", "columns editor", "KorDBGrid1", ""},
    {"a component placed", "place", "DataSource2", "Place DataSource2"},
    {"a grid placed on the surface", "surface place", "KorDBGrid3", ""},
    {"a data set deleted, the link to it cleared", "delete linked",
     "DataSource1 SQLDataSet1 SQLDataSet1id", ""},
    {"a grid deleted on the surface", "surface delete", "KorDBGrid2", "Delete KorDBGrid2"},
    {"several pasted", "paste", "DataSource2 KorDBGrid3", "Paste"},
    {"a rename", "rename", "Orders", "Rename KorDBGrid2 to Orders"},
    {"a rename links follow", "rename linked", "KorDBGrid1 Source", ""},
    {"a field added in the fields editor", "field", "SQLDataSet1total", ""},
    {"moved on the surface", "move", "KorDBGrid1", "Move KorDBGrid1"},
    {"resized on the surface", "resize", "KorDBGrid1", "Size KorDBGrid1"},
    {"the form resized", "form size", "", "Size Form1"},
    {"lefts aligned", "align", "KorDBGrid2", "Align Left"},
    {"sent to back", "back", "KorDBGrid2", "Send to Back"},
    {"tab order", "tab order", "KorDBGrid1", "Tab Order"}, // the other keeps 0
    {"an icon moved", "icon", "DataSource1", "Move DataSource1"}};

// Components copied (a data set with its fields, or a field alone), the one selected, and
// what the paste made, each as owner/name with the form's owner empty; or the error.
const char *const kFieldError = "SQLDataSet1id is owned by a TDataSet: select one to paste it into";
const struct TPastesRow {
    const char *label, *copied, *selected, *pasted, *error;
} kPastes[] = {{"a data set with its fields", "SQLDataSet1", "",
                "/SQLDataSet3 SQLDataSet3/SQLDataSet3id SQLDataSet3/SQLDataSet3total", ""},
               {"a data set and one of its fields", "SQLDataSet1total SQLDataSet1", "KorDBGrid1",
                "/SQLDataSet3 SQLDataSet3/SQLDataSet3id SQLDataSet3/SQLDataSet3total", ""},
               {"a field into its own data set", "SQLDataSet1id", "SQLDataSet1",
                "SQLDataSet1/SQLDataSet1id1", ""},
               {"a field into another data set", "SQLDataSet1total", "SQLDataSet2",
                "SQLDataSet2/SQLDataSet2total", ""},
               {"a field beside a field of another data set", "SQLDataSet1id", "SQLDataSet2id",
                "SQLDataSet2/SQLDataSet2id1", ""},
               {"a field with a grid selected", "SQLDataSet1id", "KorDBGrid1", "", kFieldError},
               {"a field with nothing selected", "SQLDataSet1id", "", "", kFieldError}};

// A component given a name; whether it is taken.
const struct TNamesRow {
    const char *label, *component, *name;
    bool accepted;
} kNames[] = {
    {"a field named like a grid", "SQLDataSet1id", "KorDBGrid1", false},
    {"a field named like another data set's field", "SQLDataSet1id", "sqldataset2ID", false},
    {"a field named like the form", "SQLDataSet1total", "FORM1", false},
    {"a grid named like a field", "KorDBGrid1", "SQLDataSet2id", false},
    {"a field named freely", "SQLDataSet1id", "OrderNumber", true}};

QStringList words(const char *Text)
{
    return QString::fromLatin1(Text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

class TestWorkbenchDocument : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_database;

    TKorDBGrid *placeGrid(TFormDocument &Document)
    {
        auto *grid = static_cast<TKorDBGrid *>(
            Document.Designer()->CreateComponent(&TKorDBGrid::staticMetaObject));
        Document.RecordChange(u"Place"_s);
        return grid;
    }

    // A data set over the sample table, its data source and a grid with customised columns.
    void buildForm(TFormDocument &Document)
    {
        TFormDesigner *designer = Document.Designer();
        auto *connection = static_cast<TSQLConnection *>(
            designer->CreateComponent(&TSQLConnection::staticMetaObject));
        connection->setDatabaseName(m_database);
        auto *dataSet =
            static_cast<TSQLDataSet *>(designer->CreateComponent(&TSQLDataSet::staticMetaObject));
        dataSet->setSQLConnection(connection);
        dataSet->setCommandText(u"SELECT * FROM orders"_s);
        dataSet->setActive(true);
        auto *source =
            static_cast<TDataSource *>(designer->CreateComponent(&TDataSource::staticMetaObject));
        source->setDataSet(dataSet);
        auto *grid = placeGrid(Document);
        grid->setDataSource(source);
        grid->Columns()->RebuildColumns();
        grid->Columns()->Items(0)->Title()->setCaption(u"Order"_s);
        Document.RecordChange(u"Link"_s);
    }

    // buildForm's form with persistent fields id and total on SQLDataSet1, and a second data set
    // over the same table, SQLDataSet2, with a persistent field id.
    void buildFieldsForm(TFormDocument &Document)
    {
        buildForm(Document);
        TFormDesigner *designer = Document.Designer();
        auto *first = dynamic_cast<TDataSet *>(designer->GetComponent(u"SQLDataSet1"_s));
        auto *second =
            static_cast<TSQLDataSet *>(designer->CreateComponent(&TSQLDataSet::staticMetaObject));
        second->setSQLConnection(dynamic_cast<TSQLDataSet *>(first)->SQLConnection());
        second->setCommandText(u"SELECT * FROM orders"_s);
        QCOMPARE(TFieldsEditor(first, designer).AddFields({"id", "total"}).size(), 2);
        QCOMPARE(TFieldsEditor(second, designer).AddFields({"id"}).size(), 1);
        Document.RecordChange(u"Fields"_s);
    }

private slots:
    void initTestCase()
    {
        ResetTestSettingsDir();
        QVERIFY(m_dir.isValid());
        m_database =
            CreateTestDatabase(m_dir.filePath(u"orders.sqlite"_s),
                               {u"CREATE TABLE orders (id INTEGER PRIMARY KEY, total REAL)"_s,
                                u"INSERT INTO orders VALUES (1, 9.5), (2, 12)"_s});
        RegisterHostComponents();
        LoadPackage(u"DCLKorDBGrid90.bpl"_s);
        QVERIFY(TFormDesigner::FindComponentClass(u"TKorDBGrid"_s));
    }

    // Property changes the designer announces are one undo step. A long session keeps only the
    // latest steps; the oldest reachable state is the one before the first step still kept, and
    // the form stays modified. Undoing a delete gives back the components in their order and
    // stacking, selected.
    void undoStepsOfAnnouncedChangesReachBackALimitedWay()
    {
        TFormDocument document;
        TFormDesigner *designer = document.Designer();
        QSignalSpy modified(&document, &TFormDocument::ModifiedChanged);
        TKorDBGrid *grid = placeGrid(document);
        QCOMPARE(document.UndoStack()->count(), 1);
        QVERIFY(document.IsModified());
        QCOMPARE(modified.count(), 1);

        // A designer page writes through the type information, then tells the designer, which
        // may happen several times for one change: one step, once the event loop comes round.
        SetOrdProp(grid, u"FixedColor"_s, clRed);
        document.Designer()->Modified();
        SetOrdProp(grid, u"GridLineWidth"_s, 3);
        document.Designer()->Modified();
        QCOMPARE(document.UndoStack()->count(), 1);
        QTRY_COMPARE(document.UndoStack()->count(), 2);
        QCOMPARE(document.UndoStack()->text(1),
                 u"Change KorDBGrid1.FixedColor, KorDBGrid1.GridLineWidth"_s);

        document.UndoStack()->undo();
        QCOMPARE(document.Designer()->GetComponent(u"KorDBGrid1"_s), grid);
        QCOMPARE(grid->FixedColor(), clBtnFace);
        QCOMPARE(grid->GridLineWidth(), 1);
        QCoreApplication::processEvents(); // the undo's own notice is not a change
        QCOMPARE(document.UndoStack()->count(), 2);
        document.UndoStack()->redo();
        QCOMPARE(grid->FixedColor(), clRed);
        QCOMPARE(grid->GridLineWidth(), 3);
        // Undone back to the start, the form has nothing to save.
        document.UndoStack()->undo();
        document.UndoStack()->undo();
        QVERIFY(!document.IsModified());
        QCOMPARE(document.Designer()->Form()->ComponentCount(), 0);

        TKorDBGrid *first = placeGrid(document);
        document.FlushPendingChange();
        const int changes = TFormDocument::UndoLimit + 10;
        for (int i = 1; i <= changes; ++i) {
            first->setLeft(i);
            document.RecordChange(u"Move"_s);
        }
        QCOMPARE(document.UndoStack()->count(), TFormDocument::UndoLimit);
        while (document.UndoStack()->canUndo())
            document.UndoStack()->undo();
        QCOMPARE(first->Left(), changes - TFormDocument::UndoLimit);
        QVERIFY(document.IsModified());

        first->SetBounds(8, 8, 200, 100);
        TComponent *source = designer->CreateComponent(&TDataSource::staticMetaObject);
        TKorDBGrid *last = placeGrid(document);
        last->SetBounds(100, 50, 200, 100); // over the first
        document.RecordChange(u"Build"_s);
        const QByteArray before = WriteFormText(designer);
        designer->SelectComponent(last);
        designer->DeleteComponent(first);
        designer->DeleteComponent(source);
        document.RecordChange();
        QCOMPARE(document.UndoStack()->text(document.UndoStack()->count() - 1),
                 u"Delete KorDBGrid1, DataSource1"_s);

        document.UndoStack()->undo();
        QCOMPARE(WriteFormText(designer), before);
        TComponent *firstBack = designer->GetComponent(u"KorDBGrid1"_s);
        TComponent *sourceBack = designer->GetComponent(u"DataSource1"_s);
        // The grid made again lies under the one placed after it, as before.
        const QObjectList stacked = designer->Form()->children();
        QVERIFY(stacked.indexOf(firstBack->Object()) < stacked.indexOf(last));
        QCOMPARE(designer->GetSelections(),
                 (QList<QObject *>{firstBack->Object(), sourceBack->Object()}));
    }

    void everyKindOfStepIsUndoneAndRedoneExactly_data() { AddRows(kSteps); }

    void everyKindOfStepIsUndoneAndRedoneExactly()
    {
        // A step holds the components its change touched, not the form; undoing it gives back
        // the form's text exactly (order, owners and icon places too), and so does redoing it.
        // Each change is made as a person makes it, and recording one whose notices name what it
        // touched writes no entry of the components it did not touch.
        QFETCH(TStepsRow, row);
        const QLatin1String Change(row.change);
        TFormDocument document;
        buildForm(document);
        TFormDesigner *designer = document.Designer();
        auto *grid = static_cast<TKorDBGrid *>(designer->GetComponent(u"KorDBGrid1"_s));
        grid->SetBounds(8, 8, 300, 120);
        grid->Columns()->Items(1)->setWidth(77);
        TKorDBGrid *other = placeGrid(document);
        other->SetBounds(40, 200, 200, 100);
        TComponent *source = designer->GetComponent(u"DataSource1"_s);
        auto *dataSet =
            qobject_cast<TDataSet *>(designer->GetComponent(u"SQLDataSet1"_s)->Object());
        source->Object()->setProperty("DesignPosition", QPoint(320, 16));
        TFieldsEditor::Open(dataSet, designer)->AddFields({u"id"_s});
        for (int i = 0; i < 8; ++i)
            designer->CreateComponent(&TWrittenCounter::staticMetaObject);
        TFormSurface surface(&document); // gives the icons without a place one
        document.FlushPendingChange();
        document.RecordChange(u"Build"_s);
        const QByteArray before = WriteFormText(designer);
        const int steps = document.UndoStack()->count();
        TScriptedDialogs dialogs;
        dialogs.OnTabOrder = [](QWidget *, QStringList &Names) {
            std::reverse(Names.begin(), Names.end());
            return true;
        };
        const THostDialogsScope answers(dialogs);
        TWrittenCounter::Reads = 0;

        // A change that tells the designer without naming what it wrote is recorded by comparing
        // the whole form, unless it placed or deleted components. The inspector, the surface and
        // the columns and fields editors name what they changed.
        bool compared = false;
        const auto announce = [designer, &compared] {
            designer->Modified();
            compared = true;
        };
        designer->SelectComponent(grid);
        if (Change == QLatin1String("property")) {
            SetOrdProp(grid, u"FixedColor"_s, clRed);
            announce();
        } else if (Change == QLatin1String("two")) {
            grid->setLeft(grid->Left() + 8);
            SetOrdProp(source->Object(), u"Enabled"_s, 0);
            announce();
        } else if (Change == QLatin1String("inspector")) {
            designer->SelectComponent(other); // a script sets what is not selected
            setAsInspector(designer, grid, u"Color"_s, u"clYellow"_s);
        } else if (Change == QLatin1String("column add")) {
            grid->Columns()->Add()->setFieldName(u"total"_s);
            announce();
        } else if (Change == QLatin1String("column delete")) {
            designer->SelectComponent(grid->Columns()->Items(1));
            grid->Columns()->Delete(0);
            announce();
        } else if (Change == QLatin1String("column move")) {
            designer->SelectComponent(grid->Columns()->Items(1));
            grid->Columns()->Items(1)->SetIndex(0);
            announce();
        } else if (Change == QLatin1String("columns editor")) {
            std::unique_ptr<TDefaultEditor> editor = GetComponentEditor(grid, designer);
            for (int i = 0; i < editor->GetVerbCount(); ++i)
                if (editor->GetVerb(i) == QLatin1String("Co&lumns Editor..."))
                    editor->ExecuteVerb(i);
            QCOMPARE(TCollectionEditor::OpenEditors().size(), 1);
            TCollectionEditor *columns = TCollectionEditor::OpenEditors().constFirst();
            columns->AddClick(nullptr);
            columns->AddClick(nullptr);
            delete columns;
        } else if (Change == QLatin1String("place")) {
            designer->CreateComponent(&TDataSource::staticMetaObject);
            designer->Modified();
        } else if (Change == QLatin1String("surface place")) {
            surface.PlaceComponent(&TKorDBGrid::staticMetaObject, QRect(300, 200, 120, 80));
        } else if (Change == QLatin1String("delete linked")) {
            designer->SelectComponent(dataSet);
            designer->DeleteComponent(AsComponent(dataSet));
            designer->Modified();
        } else if (Change == QLatin1String("surface delete")) {
            designer->SelectComponent(other);
            surface.DeleteSelection();
        } else if (Change == QLatin1String("paste")) {
            document.PasteComponents(document.CopyComponents({source, grid}));
        } else if (Change == QLatin1String("rename")) {
            setAsInspector(designer, other, u"Name"_s, u"Orders"_s);
        } else if (Change == QLatin1String("rename linked")) {
            designer->SelectComponent(source->Object());
            source->SetName(u"Source"_s);
            announce();
        } else if (Change == QLatin1String("field")) {
            TFieldsEditor::Find(dataSet)->AddFields({u"total"_s});
        } else if (Change == QLatin1String("move")) {
            surface.MoveSelection(QPoint(8, 16));
        } else if (Change == QLatin1String("resize")) {
            surface.ResizeSelection(QSize(16, -8));
        } else if (Change == QLatin1String("form size")) {
            surface.ResizeForm(QSize(700, 500));
        } else if (Change == QLatin1String("icon")) {
            designer->SelectComponent(source->Object());
            surface.MoveSelection(QPoint(40, 0));
        } else if (Change == QLatin1String("align")) {
            designer->SetSelections({grid->Object(), other->Object()});
            surface.Arrange(TArrange::AlignLefts);
        } else if (Change == QLatin1String("tab order")) {
            surface.EditTabOrder();
        } else {
            designer->SetSelections({other->Object()});
            surface.Arrange(TArrange::SendToBack);
        }
        document.FlushPendingChange();
        QCOMPARE(document.UndoStack()->count(), steps + 1);
        if (*row.step)
            QCOMPARE(document.UndoStack()->text(steps), QLatin1String(row.step));
        if (!compared)
            QCOMPARE(TWrittenCounter::Reads, 0);
        const QByteArray after = WriteFormText(designer);
        QVERIFY(after != before);
        QStringList held = document.StepComponents(steps);
        held.sort();
        QCOMPARE(held, words(row.held));

        for (int round = 0; round < 2; ++round) {
            document.UndoStack()->undo();
            QCOMPARE(WriteFormText(designer), before);
            document.UndoStack()->redo();
            QCOMPARE(WriteFormText(designer), after);
        }
        // Nothing is left over for the next change to record.
        document.FlushPendingChange();
        document.RecordChange();
        QCOMPARE(document.UndoStack()->count(), steps + 1);
        delete TFieldsEditor::Find(dataSet);
    }

    // A form file with problems opens with what can be read once the user has seen them and
    // agrees; the file stays as it is until saved, saving over it asks first, and what this
    // version does not know is written back.
    void damagedFormOpensWithWhatCanBeRead()
    {
        const QString file = m_dir.filePath(u"newer.kform"_s);
        const QByteArray text = R"({
  "name": "Form1", "class": "TDesignForm", "Version": 7,
  "properties": {"Caption": "Orders", "Shade": 3}, "components": [
    {"name": "Source1", "class": "TDataSource", "Glow": true},
    {"name": "Gauge1", "class": "TFancyGauge", "properties": {"Needle": [3, 4]}},
    {"name": "Grid1", "class": "TKorDBGrid", "properties": {
      "DataSource": "Source1", "Sparkle": {"Level": 2}, "Width": "wide", "Gauge": "Gauge1",
      "PopupMenu": "Nowhere", "Columns": [{"FieldName": "id", "Tint": "blue"}]}}]})";
        QVERIFY(!WriteTestFile(file, text).isEmpty());
        QList<TFormProblem> shown;
        bool agree = false;
        TScriptedDialogs dialogs;
        dialogs.OnFormProblems = [&](QWidget *, const QString &FileName,
                                     const QList<TFormProblem> &Problems) {
            if (FileName == file)
                shown = Problems;
            return agree;
        };
        const THostDialogsScope dialogsScope(dialogs);

        TFormDocument document;
        TFormDesigner *empty = document.Designer();
        QVERIFY(!document.Open(file));
        QCOMPARE(document.Designer(), empty);
        QVERIFY(document.FileName().isEmpty());
        QStringList seen;
        for (const TFormProblem &problem : std::as_const(shown))
            seen << problem.Component + QLatin1Char('.') + problem.Property;
        seen.sort();
        QCOMPARE(seen,
                 QStringList({".", ".Shade", "Gauge1.", "Grid1.Columns[0].Tint", "Grid1.Gauge",
                              "Grid1.PopupMenu", "Grid1.Sparkle", "Grid1.Width", "Source1."}));
        // The window that asks names the file and lists each problem where it is, the form's
        // own under "(form)"; Enter opens nothing.
        TFormProblemsDialog asking(file, shown);
        QCOMPARE(asking.windowTitle(), u"Problems in newer.kform"_s);
        const auto *list = asking.findChild<QTreeWidget *>(u"ProblemList"_s);
        QCOMPARE(list->findItems(u"(form)"_s, Qt::MatchExactly, 2).size(), 2);
        const QTreeWidgetItem *width = list->findItems(u"Width"_s, Qt::MatchExactly, 3).value(0);
        QCOMPARE(QStringList({width->text(0), width->text(1), width->text(2)}),
                 QStringList({"7", "57", "Grid1"}));
        QVERIFY(
            asking.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->isDefault());

        agree = true;
        QVERIFY(document.Open(file));
        TFormDesigner *designer = document.Designer();
        auto *grid = dynamic_cast<TKorDBGrid *>(designer->GetComponent(u"Grid1"_s));
        QVERIFY(grid);
        QCOMPARE(grid->DataSource(), designer->GetComponent(u"Source1"_s)->Object());
        QCOMPARE(grid->Columns()->Items(0)->FieldName(), u"id"_s);
        QVERIFY(!designer->GetComponent(u"Gauge1"_s));
        QCOMPARE(designer->Form()->windowTitle(), u"Orders"_s);
        QCOMPARE(ReadTestFile(file), text);

        // Saving over it asks; No writes nothing. Saved over once, it asks no more.
        grid->SetName(u"Orders"_s);
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers = {mrNo, mrYes};
        for (const TModalResult answer : {mrNo, mrYes}) {
            QCOMPARE(document.Save(file), answer == mrYes);
            QCOMPARE(messages.Requests.size(), answer == mrNo ? 1 : 2);
            QCOMPARE(messages.Requests.last().DlgType, mtConfirmation);
            QCOMPARE(ReadTestFile(file) == text, answer == mrNo);
        }
        // What the host does not know is back, with the component it belongs to.
        const QJsonObject original = QJsonDocument::fromJson(text).object();
        const QJsonObject saved = QJsonDocument::fromJson(ReadTestFile(file)).object();
        QCOMPARE(saved["Version"], original["Version"]);
        QCOMPARE(saved["properties"]["Shade"], QJsonValue(3));
        const QJsonArray components = saved["components"].toArray();
        QCOMPARE(components.size(), 3);
        QCOMPARE(components[1], original["components"][1]);
        const QJsonObject orders = components[2]["properties"].toObject();
        QCOMPARE(components[2]["name"], QJsonValue("Orders"));
        QCOMPARE(orders["Sparkle"], original["components"][2]["properties"]["Sparkle"]);
        QCOMPARE(orders["Columns"][0]["Tint"], QJsonValue("blue"));
        QVERIFY(!orders.contains("Width") && !orders.contains("PopupMenu"));
        QVERIFY(document.Save(file));
        QCOMPARE(messages.Requests.size(), 2);
    }

    // A data set is copied with its fields and pasted with fields of its own; a field copied alone
    // goes to the selected data set (or the data set of the selected field). Pasted names follow
    // the new owner's; the paste is one step, and undoing it leaves the form as it was.
    void pastedFieldsGoToADataSet_data() { AddRows(kPastes); }

    void pastedFieldsGoToADataSet()
    {
        QFETCH(TPastesRow, row);
        const QStringList copied = words(row.copied), pasted = words(row.pasted);
        const QString selected = QLatin1String(row.selected), error = QLatin1String(row.error);
        TFormDocument document;
        buildFieldsForm(document);
        TFormDesigner *designer = document.Designer();
        QList<TComponent *> components;
        for (const QString &name : copied)
            components.append(componentNamed(designer, name));
        const QByteArray clipboard = document.CopyComponents(components);
        QList<QObject *> selection;
        if (!selected.isEmpty())
            selection.append(componentNamed(designer, selected)->Object());
        designer->SetSelections(selection);
        const QByteArray before = WriteFormText(designer);
        const int steps = document.UndoStack()->count();

        QList<TComponent *> made;
        QCOMPARE(ErrorOf<EHostError>([&] { made = document.PasteComponents(clipboard); }), error);
        QStringList names;
        for (TComponent *component : std::as_const(made)) {
            TComponent *owner = component->Owner();
            names.append((owner == designer->Form() ? QString() : owner->Name()) +
                         QLatin1Char('/') + component->Name());
            // A pasted field is one of its data set's fields.
            if (auto *field = dynamic_cast<TField *>(component))
                QCOMPARE(static_cast<TComponent *>(field->DataSet()), owner);
        }
        QCOMPARE(names, pasted);
        QCOMPARE(document.UndoStack()->count(), steps + (error.isEmpty() ? 1 : 0));
        if (error.isEmpty()) {
            // The originals keep their fields.
            for (const QString &original :
                 QStringList{"SQLDataSet1id", "SQLDataSet1total", "SQLDataSet2id"})
                QCOMPARE(componentNamed(designer, original)->Owner()->Name(), original.left(11));
            document.UndoStack()->undo();
        }
        QCOMPARE(WriteFormText(designer), before);
    }

    // A name is unique on the whole form, letter case ignored: a field may not take the name of
    // a grid, of another data set's field or of the form, nor a grid the name of a field. A
    // refused name leaves the old one.
    void componentNamesAreUniqueOnTheWholeForm_data() { AddRows(kNames); }

    void componentNamesAreUniqueOnTheWholeForm()
    {
        QFETCH(TNamesRow, row);
        TFormDocument document;
        buildFieldsForm(document);
        const QString component = QLatin1String(row.component), name = QLatin1String(row.name);
        QObject *object = componentNamed(document.Designer(), component)->Object();
        const QString error = ErrorOf<EHostError>([&] { SetStrProp(object, u"Name"_s, name); });
        QCOMPARE(error,
                 row.accepted ? QString() : u"A component named %1 already exists"_s.arg(name));
        QCOMPARE(object->objectName(), row.accepted ? name : component);
    }
};

QTEST_MAIN(TestWorkbenchDocument)
#include "tst_workbench_document.moc"
