// The collection editor and the grid's columns editor over a real data set: one window per
// collection that follows the designer's selection and closes with its grid; "Add All Fields",
// "Restore Defaults", deletion with the selection that follows, and dragging within column groups.

#include <QtTest>

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

#include "collectioneditor.h"
#include "formdesigner.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hostmessages.h"
#include "kordbgridcolumnseditor.h"
#include "testsupport.h"
#include "tst_runtime_fixture.h"

using namespace Qt::StringLiterals;

namespace {

QStringList fieldNames(const TKorDBGridColumns *Columns)
{
    QStringList names;
    for (int i = 0; i < Columns->Count(); ++i)
        names.append(Columns->Items(i)->FieldName());
    return names;
}

QList<int> selectedRows(const TCollectionEditor *Editor)
{
    QList<int> rows;
    for (int i = 0; i < Editor->ListView1->topLevelItemCount(); ++i)
        if (Editor->ListView1->topLevelItem(i)->isSelected())
            rows.append(i);
    return rows;
}

// Selects Rows as a person would, one click after the other.
void selectRows(TCollectionEditor *Editor, const QList<int> &Rows)
{
    Editor->ListView1->clearSelection();
    for (int row : Rows)
        Editor->ListView1->topLevelItem(row)->setSelected(true);
}

QPoint rowCenter(TCollectionEditor *Editor, int Row)
{
    return Editor->ListView1->visualItemRect(Editor->ListView1->topLevelItem(Row)).center();
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class ColumnsEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<RuntimeFixture> db;
    std::unique_ptr<TFormDesigner> designer;
    TKorDBGrid *grid = nullptr;

    TKorDBGridColumns *columns() const { return grid->Columns(); }

    TKorDBGridColumnsEditor *open()
    {
        TKorDBGridColumnsEditor *editor = ShowKorDBGridColumnsEditor(designer.get(), grid);
        editor->ListView1->doItemsLayout();
        return editor;
    }

    // Customised columns showing Names, in order.
    void customise(const QStringList &Names)
    {
        columns()->RebuildColumns();
        columns()->Clear();
        for (const QString &name : Names)
            columns()->Add()->setFieldName(name);
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ResetTestSettingsDir();
    }

    void init()
    {
        db = std::make_unique<RuntimeFixture>();
        designer = std::make_unique<TFormDesigner>();
        grid = designer->Create<TKorDBGrid>();
        grid->setDataSource(&db->Source);
    }

    void cleanup()
    {
        DestroyCollectionEditors(nullptr);
        designer.reset();
        db.reset();
        settle();
    }

    // ---- The host's window ----

    void oneWindowPerCollection()
    {
        TKorDBGridColumnsEditor *editor = open();
        QCOMPARE(open(), editor);
        QCOMPARE(TCollectionEditor::OpenEditors().size(), 1);
        QCOMPARE(editor->windowTitle(), u"Editing KorDBGrid1.Columns"_s);
        QCOMPARE(editor->ListView1->topLevelItemCount(), 9);
        QCOMPARE(editor->ListView1->topLevelItem(1)->text(0), u"1 - name"_s);

        // Another grid's columns get a window of their own.
        TKorDBGrid *other = designer->Create<TKorDBGrid>();
        TKorDBGridColumnsEditor *second = ShowKorDBGridColumnsEditor(designer.get(), other);
        QVERIFY(second != editor);
        QCOMPARE(TCollectionEditor::OpenEditors().size(), 2);

        QPointer<TCollectionEditor> closed = editor;
        editor->close();
        settle();
        QVERIFY(closed.isNull());
        QVERIFY(open() != nullptr);
    }

    void theWindowClosesWhenItsGridGoes_data()
    {
        QTest::addColumn<bool>("closeDesigner");
        QTest::addRow("grid deleted") << false;
        QTest::addRow("designer closed") << true;
    }

    void theWindowClosesWhenItsGridGoes()
    {
        QFETCH(bool, closeDesigner);
        QPointer<TCollectionEditor> editor = open();
        if (closeDesigner)
            designer->Close();
        else
            designer->DeleteComponent(grid);
        settle();
        QVERIFY(editor.isNull());
        QVERIFY(TCollectionEditor::OpenEditors().isEmpty());
    }

    void rowsAndTheDesignerSelectionFollowEachOther()
    {
        TKorDBGridColumnsEditor *editor = open();
        selectRows(editor, {1, 3});
        QCOMPARE(designer->GetSelections(),
                 QList<QObject *>({columns()->Items(1), columns()->Items(3)}));
        designer->SelectComponent(columns()->Items(5));
        QCOMPARE(selectedRows(editor), QList<int>({5}));
        // No row selected: the grid itself is selected.
        editor->ListView1->clearSelection();
        QCOMPARE(designer->GetSelections(), QList<QObject *>({grid}));
        // Closing selects the grid again.
        designer->SelectComponent(columns()->Items(2));
        editor->close();
        QCOMPARE(designer->GetSelections(), QList<QObject *>({grid}));
    }

    void theHostCommands()
    {
        customise({"id", "name", "born"});
        // The host's own window for the same kind of collection.
        TCollectionEditor *editor = ShowCollectionEditorClass(designer.get(), nullptr, grid,
                                                              columns(), "Columns", AllColOptions);
        QCOMPARE(editor->metaObject(), &TCollectionEditor::staticMetaObject);
        selectRows(editor, {0});
        editor->AddCmd->trigger(); // after the selected row
        QCOMPARE(columns()->Count(), 4);
        QCOMPARE(fieldNames(columns()), QStringList({"id", "", "name", "born"}));
        QCOMPARE(selectedRows(editor), QList<int>({1}));
        editor->MoveDownCmd->trigger();
        QCOMPARE(fieldNames(columns()), QStringList({"id", "name", "", "born"}));
        QCOMPARE(selectedRows(editor), QList<int>({2}));
        editor->DeleteCmd->trigger();
        QCOMPARE(fieldNames(columns()), QStringList({"id", "name", "born"}));
        QCOMPARE(selectedRows(editor), QList<int>({2}));
        editor->MoveUpCmd->trigger();
        QCOMPARE(fieldNames(columns()), QStringList({"id", "born", "name"}));
        editor->SelectAllCmd->trigger();
        QCOMPARE(selectedRows(editor), QList<int>({0, 1, 2}));
        QCOMPARE(designer->GetSelections().size(), 3);
        QVERIFY(!editor->MoveUpCmd->isEnabled());
        QVERIFY(!editor->MoveDownCmd->isEnabled());
    }

    // ---- Add All Fields and Restore Defaults ----

    void addAllFields_data()
    {
        QTest::addColumn<bool>("customised");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<int>("answer"); // mrNone: no question expected
        QTest::addColumn<QStringList>("after");
        const QStringList fields{"id",     "name",  "balance", "born",      "active",
                                 "rating", "notes", "score",   "country_id"};
        QTest::addRow("default columns: rebuilt") << false << fields << int(mrNone) << fields;
        QTest::addRow("customised, empty: rebuilt")
            << true << QStringList{} << int(mrNone) << fields;
        QTest::addRow("customised, Yes: rebuilt")
            << true << QStringList{"score", "id"} << int(mrYes) << fields;
        QTest::addRow("customised, No: appended") << true << QStringList{"score", "id"} << int(mrNo)
                                                  << QStringList{"score", "id"} + fields;
        QTest::addRow("customised, Cancel: unchanged")
            << true << QStringList{"score", "id"} << int(mrCancel) << QStringList{"score", "id"};
    }

    void addAllFields()
    {
        QFETCH(bool, customised);
        QFETCH(QStringList, before);
        QFETCH(int, answer);
        QFETCH(QStringList, after);
        if (customised)
            customise(before);
        QCOMPARE(fieldNames(columns()), before);
        TKorDBGridColumnsEditor *editor = open();
        QVERIFY(editor->AddAllFieldsCmd->isEnabled());
        const int modified = designer->ModifiedCount();

        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers = {answer};
        editor->AddAllFieldsCmd->trigger();
        if (answer == mrNone) {
            QVERIFY(messages.Requests.isEmpty());
        } else {
            QCOMPARE(messages.Requests.size(), 1);
            QCOMPARE(messages.Requests[0].Msg, u"Delete existing columns?"_s);
            QCOMPARE(messages.Requests[0].DlgType, mtConfirmation);
            QCOMPARE(messages.Requests[0].Buttons, mbYes | mbNo | mbCancel);
            QCOMPARE(messages.Requests[0].HelpCtx, 0);
        }
        QCOMPARE(fieldNames(columns()), after);
        QCOMPARE(columns()->State(), Kor::csCustomized);
        // Refreshed and reported on every path, Cancel included, and the lock undone.
        QCOMPARE(editor->ListView1->topLevelItemCount(), after.size());
        QCOMPARE(designer->ModifiedCount(), modified + 1);
        QVERIFY(!editor->StateLocked());
        QVERIFY(messages.Errors.isEmpty());
    }

    void addAllFieldsAddsNothingWithoutADataSet()
    {
        customise({"id"});
        TKorDBGridColumnsEditor *editor = open();
        grid->setDataSource(nullptr);
        editor->UpdateActions();
        QVERIFY(!editor->AddAllFieldsCmd->isEnabled());
        QVERIFY(!editor->AddAllFields1->isEnabled());
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers = {mrNo};
        editor->AddAllFieldsClick(editor->AddAllFieldsCmd);
        QCOMPARE(fieldNames(columns()), QStringList({"id"}));
        QVERIFY(!editor->StateLocked());
    }

    void commandsFollowTheColumnsState()
    {
        TKorDBGridColumnsEditor *editor = open();
        QVERIFY(editor->MoveUpCmd->isVisible() == false);
        QVERIFY(editor->MoveDownCmd->isVisible() == false);
        QVERIFY(editor->AddAllFieldsCmd->isEnabled());
        QVERIFY(!editor->RestoreDefaultsCmd->isEnabled());
        QVERIFY(!editor->Restoredefaults1->isEnabled());
        QVERIFY(!editor->CanAdd(0));
        customise({"id"});
        editor->UpdateListbox();
        QVERIFY(editor->RestoreDefaultsCmd->isEnabled());
        QVERIFY(editor->CanAdd(0));
    }

    void restoreDefaultsRestoresTheSelectedColumns()
    {
        customise({"id", "name", "born"});
        for (int i = 0; i < 3; ++i)
            columns()->Items(i)->setWidth(150 + i);
        TKorDBGridColumnsEditor *editor = open();
        selectRows(editor, {0, 2});
        const int modified = designer->ModifiedCount();
        editor->RestoreDefaultsCmd->trigger();
        QVERIFY(!columns()->Items(0)->IsWidthStored());
        QCOMPARE(columns()->Items(1)->Width(), 151);
        QVERIFY(!columns()->Items(2)->IsWidthStored());
        QCOMPARE(designer->ModifiedCount(), modified + 1);
        QCOMPARE(columns()->UpdateCount(), 0);
    }

    // ---- Deleting ----

    void deleting_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QList<int>>("selectedAfter");
        QTest::addRow("all at once") << QList<int>{0, 1, 2, 3, 4} << QStringList{} << QList<int>{};
        QTest::addRow("the last") << QList<int>{4} << QStringList{"id", "name", "born", "score"}
                                  << QList<int>{3};
        QTest::addRow("in the middle")
            << QList<int>{1, 3} << QStringList{"id", "born", "rating"} << QList<int>{1};
        QTest::addRow("the first")
            << QList<int>{0} << QStringList{"name", "born", "score", "rating"} << QList<int>{0};
    }

    void deleting()
    {
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, after);
        QFETCH(QList<int>, selectedAfter);
        customise({"id", "name", "born", "score", "rating"});
        TKorDBGridColumnsEditor *editor = open();
        selectRows(editor, selected);
        const int modified = designer->ModifiedCount();
        editor->DeleteCmd->trigger();
        QCOMPARE(fieldNames(columns()), after);
        QCOMPARE(editor->ListView1->topLevelItemCount(), after.size());
        QCOMPARE(selectedRows(editor), selectedAfter);
        QList<QObject *> selection;
        for (int row : selectedAfter)
            selection.append(columns()->Items(row));
        if (selection.isEmpty())
            selection.append(grid);
        QCOMPARE(designer->GetSelections(), selection);
        QCOMPARE(designer->ModifiedCount(), modified + 1);
        QCOMPARE(columns()->UpdateCount(), 0);
    }

    // ---- Dragging ----

    // A drag is taken only within one group, from the list itself; dropped, the columns land
    // after a target below them (after its whole group) or before one above them.
    void dragAndDrop_data()
    {
        QTest::addColumn<QList<int>>("dragged");
        QTest::addColumn<int>("onto");          // -1: below the last row
        QTest::addColumn<QStringList>("after"); // empty: the drag is refused
        // Columns: 0 id, 1 name, 2 born (heads 3 and 4), 3 score, 4 rating, 5 notes.
        QTest::addRow("two from above onto a top-level column")
            << QList<int>{0, 1} << 5
            << QStringList{"born", "score", "rating", "notes", "id", "name"};
        QTest::addRow("from above onto an expandable column: after its group")
            << QList<int>{0} << 2 << QStringList{"name", "born", "score", "rating", "id", "notes"};
        QTest::addRow("two from above onto an expandable column")
            << QList<int>{0, 1} << 2
            << QStringList{"born", "score", "rating", "id", "name", "notes"};
        QTest::addRow("from above onto a plain column: after it")
            << QList<int>{0} << 1 << QStringList{"name", "id", "born", "score", "rating", "notes"};
        QTest::addRow("from below: before the target")
            << QList<int>{5} << 0 << QStringList{"notes", "id", "name", "born", "score", "rating"};
        QTest::addRow("within a group, downwards")
            << QList<int>{3} << 4 << QStringList{"id", "name", "born", "rating", "score", "notes"};
        QTest::addRow("two groups mixed") << QList<int>{0, 3} << 1 << QStringList{};
        QTest::addRow("into another group") << QList<int>{0} << 4 << QStringList{};
        QTest::addRow("nothing under the point") << QList<int>{0} << -1 << QStringList{};
    }

    void dragAndDrop()
    {
        QFETCH(QList<int>, dragged);
        QFETCH(int, onto);
        QFETCH(QStringList, after);
        customise({"id", "name", "born", "score", "rating", "notes"});
        columns()->Items(2)->setExpandCols(2);
        TKorDBGridColumnsEditor *editor = open();
        selectRows(editor, dragged);
        const QPoint at = onto >= 0 ? rowCenter(editor, onto)
                                    : QPoint(5, editor->ListView1->viewport()->height() - 2);
        QObject elsewhere;
        bool accept = true;
        editor->ListView1DragOver(editor->ListView1, &elsewhere, at.x(), at.y(), accept);
        QVERIFY(!accept);
        accept = false;
        editor->ListView1DragOver(editor->ListView1, editor->ListView1, at.x(), at.y(), accept);
        QCOMPARE(accept, !after.isEmpty());
        if (!accept)
            return;
        QList<TKorColumn *> moved;
        for (int row : dragged)
            moved.append(columns()->Items(row));
        const int modified = designer->ModifiedCount();
        editor->ListView1DragDrop(editor->ListView1, editor->ListView1, at.x(), at.y());
        QCOMPARE(fieldNames(columns()), after);
        QCOMPARE(columns()->DesignUpdateCount(), 0);
        QCOMPARE(columns()->UpdateCount(), 0);
        QCOMPARE(designer->ModifiedCount(), modified + 1);
        // The moved columns stay selected, in their new rows.
        QList<int> rows;
        for (TKorColumn *column : moved)
            rows.append(column->Index());
        QCOMPARE(selectedRows(editor), rows);
        QCOMPARE(editor->ListView1->topLevelItem(0)->text(0), u"0 - %1"_s.arg(after[0]));
    }
};

QTEST_MAIN(ColumnsEditorTest)
#include "tst_columns_editor.moc"
