// The collection editor and the grid's columns editor over a real data set: one window per
// collection that follows the designer's selection and closes with its grid; "Add All Fields",
// "Restore Defaults", deletion with the selection that follows, and dragging within column groups.

#include <QtTest>

#include <QAction>
#include <QMenu>
#include <QTreeWidget>

#include "collectioneditor.h"
#include "datarows.h"
#include "formdesigner.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hostmessages.h"
#include "kordbgridcolumnseditor.h"
#include "testsupport.h"
#include "tst_runtime_fixture.h"

using namespace Qt::StringLiterals;

namespace {

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

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QString kAllFields = u"id name balance born active rating notes score country_id"_s;

struct TAddAllRow {
    const char *label;
    bool customised;
    QString before;
    TModalResult answer;
    QString after;
};

struct TDeleteRow {
    const char *label;
    QList<int> selected;
    QString after; // the field names left, by spaces
    QList<int> selectedAfter;
};

// A drag of the rows onto a row (-1: below the last one), and the field names after the drop
// (none: the drag is refused).
struct TDragRow {
    const char *label;
    QList<int> dragged;
    int onto;
    QString after;
};

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
        QVERIFY(open() == editor && TCollectionEditor::OpenEditors().size() == 1 &&
                editor->windowTitle() == u"Editing KorDBGrid1.Columns"_s &&
                editor->ListView1->topLevelItemCount() == 9 &&
                editor->ListView1->topLevelItem(1)->text(0) == u"1 - name"_s);

        // Another grid's columns get a window of their own.
        TKorDBGrid *other = designer->Create<TKorDBGrid>();
        TKorDBGridColumnsEditor *second = ShowKorDBGridColumnsEditor(designer.get(), other);
        QVERIFY(second != editor && TCollectionEditor::OpenEditors().size() == 2);

        QPointer<TCollectionEditor> closed = editor;
        editor->close();
        settle();
        QVERIFY(closed.isNull() && open() != nullptr);
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
        QVERIFY(editor.isNull() && TCollectionEditor::OpenEditors().isEmpty());
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
        // Each command, then the columns and the selected rows; Add adds after the selected row.
        const std::tuple<QAction *, QStringList, QList<int>> steps[] = {
            {editor->AddCmd, {"id", "", "name", "born"}, {1}},
            {editor->MoveDownCmd, {"id", "name", "", "born"}, {2}},
            {editor->DeleteCmd, {"id", "name", "born"}, {2}},
            {editor->MoveUpCmd, {"id", "born", "name"}, {1}},
            {editor->SelectAllCmd, {"id", "born", "name"}, {0, 1, 2}}};
        for (const auto &[command, names, rows] : steps) {
            command->trigger();
            QCOMPARE(ColumnFieldNames(*columns()), names);
            QCOMPARE(selectedRows(editor), rows);
        }
        QVERIFY(designer->GetSelections().size() == 3 && !editor->MoveUpCmd->isEnabled() &&
                !editor->MoveDownCmd->isEnabled());
    }

    // ---- Add All Fields and Restore Defaults ----

    void addAllFields_data()
    {
        // The columns before (default ones when not customised), the answer to the question
        // (mrNone: none asked), and the columns after; "*" stands for all the fields.
        static const TAddAllRow rows[] = {
            {"default columns: rebuilt", false, "*", mrNone, "*"},
            {"customised, empty: rebuilt", true, "", mrNone, "*"},
            {"customised, Yes: rebuilt", true, "score id", mrYes, "*"},
            {"customised, No: appended", true, "score id", mrNo, "score id *"},
            {"customised, Cancel: unchanged", true, "score id", mrCancel, "score id"},
        };
        AddRows(rows);
    }

    void addAllFields()
    {
        QFETCH(TAddAllRow, row);
        const auto names = [](QString Names) {
            return Names.replace(u"*"_s, kAllFields).split(' ', Qt::SkipEmptyParts);
        };
        const QStringList before = names(row.before), after = names(row.after);
        if (row.customised)
            customise(before);
        QCOMPARE(ColumnFieldNames(*columns()), before);
        TKorDBGridColumnsEditor *editor = open();
        QVERIFY(editor->AddAllFieldsCmd->isEnabled());
        const int modified = designer->ModifiedCount();

        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers = {row.answer};
        editor->AddAllFieldsCmd->trigger();
        if (row.answer == mrNone) {
            QVERIFY(messages.Requests.isEmpty());
        } else {
            QCOMPARE(messages.Requests.size(), 1);
            const TMessageRequest &asked = messages.Requests[0];
            QVERIFY(asked.Msg == u"Delete existing columns?"_s && asked.DlgType == mtConfirmation &&
                    asked.Buttons == (mbYes | mbNo | mbCancel) && asked.HelpCtx == 0);
        }
        QCOMPARE(ColumnFieldNames(*columns()), after);
        // Refreshed and reported on every path, Cancel included, and the lock undone.
        QVERIFY(columns()->State() == Kor::csCustomized &&
                editor->ListView1->topLevelItemCount() == after.size() &&
                designer->ModifiedCount() == modified + 1 && !editor->StateLocked() &&
                messages.Errors.isEmpty());
    }

    void addAllFieldsAddsNothingWithoutADataSet()
    {
        customise({"id"});
        TKorDBGridColumnsEditor *editor = open();
        grid->setDataSource(nullptr);
        editor->UpdateActions();
        QVERIFY(!editor->AddAllFieldsCmd->isEnabled() && !editor->AddAllFields1->isEnabled());
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers = {mrNo};
        editor->AddAllFieldsClick(editor->AddAllFieldsCmd);
        QVERIFY(ColumnFieldNames(*columns()) == QStringList({"id"}) && !editor->StateLocked());
    }

    void commandsFollowTheColumnsState()
    {
        TKorDBGridColumnsEditor *editor = open();
        QVERIFY(!editor->MoveUpCmd->isVisible() && !editor->MoveDownCmd->isVisible() &&
                editor->AddAllFieldsCmd->isEnabled() && !editor->RestoreDefaultsCmd->isEnabled() &&
                !editor->Restoredefaults1->isEnabled() && !editor->CanAdd(0));
        customise({"id"});
        editor->UpdateListbox();
        QVERIFY(editor->RestoreDefaultsCmd->isEnabled() && editor->CanAdd(0));
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
        QVERIFY(!columns()->Items(0)->IsWidthStored() && columns()->Items(1)->Width() == 151 &&
                !columns()->Items(2)->IsWidthStored() &&
                designer->ModifiedCount() == modified + 1 && columns()->UpdateCount() == 0);
    }

    // ---- Deleting ----

    void deleting_data()
    {
        static const TDeleteRow rows[] = {
            {"all at once", {0, 1, 2, 3, 4}, "", {}},
            {"the last", {4}, "id name born score", {3}},
            {"in the middle", {1, 3}, "id born rating", {1}},
            {"the first", {0}, "name born score rating", {0}},
        };
        AddRows(rows);
    }

    void deleting()
    {
        QFETCH(TDeleteRow, row);
        const QStringList after = row.after.split(' ', Qt::SkipEmptyParts);
        customise({"id", "name", "born", "score", "rating"});
        TKorDBGridColumnsEditor *editor = open();
        selectRows(editor, row.selected);
        const int modified = designer->ModifiedCount();
        editor->DeleteCmd->trigger();
        QCOMPARE(ColumnFieldNames(*columns()), after);
        QCOMPARE(editor->ListView1->topLevelItemCount(), after.size());
        QCOMPARE(selectedRows(editor), row.selectedAfter);
        QList<QObject *> selection;
        for (int index : row.selectedAfter)
            selection.append(columns()->Items(index));
        if (selection.isEmpty())
            selection.append(grid);
        QCOMPARE(designer->GetSelections(), selection);
        QVERIFY(designer->ModifiedCount() == modified + 1 && columns()->UpdateCount() == 0);
    }

    // ---- Dragging ----

    // A drag is taken only within one group, from the list itself; dropped, the columns land
    // after a target below them (after its whole group) or before one above them.
    void dragAndDrop_data()
    {
        // Columns: 0 id, 1 name, 2 born (heads 3 and 4), 3 score, 4 rating, 5 notes.
        static const TDragRow rows[] = {
            {"two onto a top-level column", {0, 1}, 5, "born score rating notes id name"},
            {"onto a group's head: after the group", {0}, 2, "name born score rating id notes"},
            {"two onto a group's head", {0, 1}, 2, "born score rating id name notes"},
            {"onto a plain column: after it", {0}, 1, "name id born score rating notes"},
            {"from below: before the target", {5}, 0, "notes id name born score rating"},
            {"within a group, downwards", {3}, 4, "id name born rating score notes"},
            {"two groups mixed", {0, 3}, 1, ""},
            {"into another group", {0}, 4, ""},
            {"nothing under the point", {0}, -1, ""},
        };
        AddRows(rows);
    }

    void dragAndDrop()
    {
        QFETCH(TDragRow, row);
        const auto &[label, dragged, onto, afterText] = row;
        const QStringList after = afterText.split(' ', Qt::SkipEmptyParts);
        customise({"id", "name", "born", "score", "rating", "notes"});
        columns()->Items(2)->setExpandCols(2);
        TKorDBGridColumnsEditor *editor = open();
        selectRows(editor, dragged);
        QTreeWidget *list = editor->ListView1;
        const QPoint at = onto >= 0 ? list->visualItemRect(list->topLevelItem(onto)).center()
                                    : QPoint(5, list->viewport()->height() - 2);
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
        for (int index : dragged)
            moved.append(columns()->Items(index));
        const int modified = designer->ModifiedCount();
        editor->ListView1DragDrop(editor->ListView1, editor->ListView1, at.x(), at.y());
        QCOMPARE(ColumnFieldNames(*columns()), after);
        QVERIFY(columns()->DesignUpdateCount() == 0 && columns()->UpdateCount() == 0 &&
                designer->ModifiedCount() == modified + 1);
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
