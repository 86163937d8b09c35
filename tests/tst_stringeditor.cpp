// The multi-row string and header editor: the row algorithm, moving between rows, deleting
// rows, the CR conversions, the line counter, the keyboard rules, text files, and the two
// property editors that open the dialog.

#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "column.h"
#include "datarows.h"
#include "headerrows.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "probedesigner.h"
#include "stringeditor.h"
#include "stringproperties.h"
#include "testsupport.h"
#include "typinfo.h"

namespace {

const QString ESC = KorHeaderRows::DeletionMarker;

// Answers the editor's modal runs: file dialogs choose FileName, the editor runs Script.
struct ModalScript {
    QString FileName;
    std::function<int(TKorStringEditor &)> Editor;
    QPointer<TKorStringEditor> Seen;
    TScriptedDialogs Dialogs;
    const THostDialogsScope Scope{Dialogs};

    ModalScript()
    {
        Dialogs.OnDialog = [this](QDialog &Dialog) {
            if (auto *files = qobject_cast<QFileDialog *>(&Dialog)) {
                if (FileName.isEmpty())
                    return int(QDialog::Rejected);
                files->selectFile(FileName);
                return int(QDialog::Accepted);
            }
            auto &editor = static_cast<TKorStringEditor &>(Dialog);
            Seen = &editor;
            return Editor ? Editor(editor) : int(QDialog::Rejected);
        };
    }
};

struct THeaderRow {
    const char *label;
    QString header;
    int index;
    QString value, expected;
};

struct TDeleteRow {
    const char *label;
    QString header;
    int row;
    QString expected, shown;
    int rowAfter;
};

} // namespace

class StringEditorTest : public QObject {
    Q_OBJECT

private slots:

    // The header's row algorithm, and what the editor shows of it: a row written, appended,
    // deleted (the marker), read back, and the row count.
    void headerRows_data()
    {
        static const THeaderRow rows[] = {
            {"replace middle", "A|B|C", 1, "X", "A|X|C"},
            {"append after last", "A|B|C", 3, "D", "A|B|C|D"},
            {"empty after last", "A|B|C", 3, "", "A|B|C"},
            {"marker after last", "A|B|C", 3, ESC, "A|B|C"},
            {"two past the last", "A|B|C", 4, "E", "A|B|C"},
            {"negative", "A|B|C", -1, "E", "A|B|C"},
            {"delete in empty", "", 0, ESC, ""},
            {"empty row kept", "A|B|C", 1, "", "A||C"},
            {"separators removed", "A|B|C", 1, "x|y|", "A|xy|C"},
            {"first row of empty", "", 0, "Q", "Q"},
            {"delete empty first row", "|B", 0, ESC, "B"},
            {"line breaks kept", "A|B", 0, "one\rtwo", "one\rtwo|B"},
            {"empty rows", "||", 1, "", "||"},
            {"trailing separator", "A|", 0, "A", "A|"},
        };
        AddRows(rows);
    }

    void headerRows()
    {
        QFETCH(THeaderRow, row);
        QString header = row.header;
        KorHeaderRows::SetRow(header, row.index, row.value);
        QCOMPARE(header, row.expected);
        // Read back row by row, the rows join to the header again.
        QStringList rows;
        for (int i = 0; i < KorHeaderRows::RowCount(header); ++i)
            rows.append(KorHeaderRows::Row(header, i));
        QCOMPARE(rows.join('|'), header);
        QVERIFY(KorHeaderRows::Row(header, -1).isEmpty() &&
                KorHeaderRows::Row(header, int(rows.size())).isEmpty());
        if (row.value != ESC && row.index >= 0 && row.index < KorHeaderRows::RowCount(row.header))
            QCOMPARE(KorHeaderRows::Row(header, row.index), QString(row.value).remove('|'));
    }

    void movingBetweenRows()
    {
        TKorStringEditor editor(true, "A|B|C");
        QVERIFY(editor.windowTitle() == "Header editor" && !editor.RowNoLabel->isHidden() &&
                !editor.DeleteButton->isHidden());
        QVERIFY(editor.Memo->toPlainText() == "A" && editor.RowNoLabel->text() == "Row No. 0");
        editor.PriorButton->click(); // stays on row 0
        QCOMPARE(editor.RowIndex, 0);
        editor.NextButton->click();
        editor.NextButton->click();
        QCOMPARE(editor.Memo->toPlainText(), QString("C"));
        editor.NextButton->click();
        QVERIFY(editor.Memo->toPlainText().isEmpty() && editor.RowNoLabel->text() == "Row No. 3");
        editor.NextButton->click(); // one past the last row is as far as it goes
        // An empty new row is no row.
        QVERIFY(editor.RowIndex == 3 && editor.GetText() == "A|B|C");
        QTest::keyClicks(editor.Memo, "D");
        QCOMPARE(editor.GetText(), QString("A|B|C|D"));
        editor.PriorButton->click();
        QCOMPARE(editor.Memo->toPlainText(), QString("C"));

        TKorStringEditor plain(false, "A|B");
        QVERIFY(plain.windowTitle() == "String editor" && plain.RowNoLabel->isHidden() &&
                plain.PriorButton->isHidden() && plain.Memo->toPlainText() == "A|B");
    }

    void deletingRows_data()
    {
        static const TDeleteRow rows[] = {
            {"middle", "A|B|C", 1, "A|C", "C", 1}, {"first", "A|B|C", 0, "B|C", "B", 0},
            {"last", "A|B|C", 2, "A|B", "", 2},    {"only", "A", 0, "", "", 0},
            {"new row", "A|B", 2, "A|B", "", 2},
        };
        AddRows(rows);
    }

    void deletingRows()
    {
        QFETCH(TDeleteRow, row);
        TKorStringEditor editor(true, row.header);
        editor.SetRowIndex(row.row);
        editor.DeleteButton->click();
        QVERIFY(editor.HeaderText == row.expected && editor.Memo->toPlainText() == row.shown &&
                editor.RowIndex == row.rowAfter && editor.GetText() == row.expected);
    }

    void separatorCannotBeTyped()
    {
        for (const bool headerMode : {true, false}) {
            TKorStringEditor editor(headerMode, "A");
            editor.Memo->moveCursor(QTextCursor::End);
            QTest::keyClicks(editor.Memo, "x|y");
            QCOMPARE(editor.Memo->toPlainText(), QString(headerMode ? "Axy" : "Ax|y"));
        }
    }

    void plainModeRoundTrip()
    {
        TKorStringEditor editor(false, "one\rtwo");
        QVERIFY(editor.Memo->document()->blockCount() == 2 && editor.MemoText() == "one\r\ntwo" &&
                editor.GetText() == "one\rtwo");
        // Rows of a header keep their line breaks as single CRs too.
        TKorStringEditor header(true, "a\rb|c");
        QVERIFY(header.Memo->document()->blockCount() == 2);
        header.NextClick();
        QCOMPARE(header.GetText(), QString("a\rb|c"));
    }

    void lineCounter()
    {
        const QList<QPair<QString, QString>> cases{
            {"", "0 &Lines"}, {"a", "1 &Line"}, {"a\rb", "2 &Lines"}, {"a\r", "2 &Lines"}};
        for (const auto &[text, caption] : cases)
            QCOMPARE(TKorStringEditor(false, text).LinesLabel->text(), caption);
        TKorStringEditor editor(false, QString());
        editor.Memo->setPlainText("x\ny\nz");
        QCOMPARE(editor.LinesLabel->text(), QString("3 &Lines"));
    }

    void keyboardRules()
    {
        TKorStringEditor cancelled(false, "a");
        cancelled.show();
        QTest::keyClick(cancelled.Memo, Qt::Key_Escape);
        QVERIFY(cancelled.result() == QDialog::Rejected && cancelled.isHidden());

        TKorStringEditor confirmed(false, "a");
        confirmed.show();
        confirmed.Memo->moveCursor(QTextCursor::End);
        QTest::keyClick(confirmed.Memo, Qt::Key_Return);
        // A plain Enter is a new line.
        QVERIFY(confirmed.isVisible() && confirmed.Memo->toPlainText() == "a\n");
        QTest::keyClick(confirmed.Memo, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(confirmed.result() == QDialog::Accepted && confirmed.GetText() == "a\r");
    }

    void loadingTextFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("CR") << QByteArray("one\rtwo\rthree");
        QTest::addRow("LF") << QByteArray("one\ntwo\nthree\n");
        QTest::addRow("CR LF") << QByteArray("one\r\ntwo\r\nthree\r\n");
        QTest::addRow("mixed") << QByteArray("one\r\ntwo\rthree");
    }

    void loadingTextFiles()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        ModalScript script;
        script.FileName = dir.filePath("lines.txt");
        QVERIFY(!WriteTestFile(script.FileName, bytes).isEmpty());
        TKorStringEditor editor(false, "old");
        editor.LoadMenuItem->trigger();
        QVERIFY(editor.GetText() == "one\rtwo\rthree" && editor.LinesLabel->text() == "3 &Lines");

        // In header mode only the current row is replaced.
        TKorStringEditor header(true, "A|B|C");
        header.NextClick();
        header.LoadMenuItem->trigger();
        QCOMPARE(header.GetText(), QString("A|one\rtwo\rthree|C"));
    }

    void savingAndFailingFiles()
    {
        QTemporaryDir dir;
        ModalScript script;
        const TScriptedDialogs &messages = script.Dialogs; // its errors are recorded there
        TKorStringEditor editor(false, "keep\rme");
        script.FileName = dir.filePath("missing.txt");
        editor.LoadMenuItem->trigger();
        QVERIFY(messages.Errors.size() == 1 && messages.Errors.first().contains("missing.txt"));
        QCOMPARE(editor.GetText(), QString("keep\rme"));
        QVERIFY_THROWS_EXCEPTION(EHostError, editor.LoadFromFile(dir.path())); // a folder

        script.FileName = dir.filePath("no/such/folder/out.txt");
        editor.SaveMenuItem->trigger();
        QVERIFY(messages.Errors.size() == 2 && messages.Errors.last().contains("out.txt"));
        QCOMPARE(editor.GetText(), QString("keep\rme"));

        // Saved in Latin-1 with CR LF line ends.
        const QString name = script.FileName = dir.filePath("saved.txt");
        editor.SetText(QString::fromUtf8("caf\u00e9\rtwo"));
        editor.SaveMenuItem->trigger();
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("caf\xe9\r\ntwo"));
        // Loading what was saved gives the same text back.
        TKorStringEditor again(false, QString());
        again.LoadFromFile(name);
        QCOMPARE(again.GetText(), editor.GetText());
    }

    void fileDialogsAndUnusualText()
    {
        // A non-breaking space stays one through the memo.
        const QString nbsp = QString::fromUtf8("a\u00a0b\rc");
        QCOMPARE(TKorStringEditor(false, nbsp).GetText(), nbsp);

        QTemporaryDir dir;
        const QString picked = dir.filePath("picked.txt"), loaded = dir.filePath("README");
        QVERIFY(!WriteTestFile(loaded, "text").isEmpty());
        TKorStringEditor editor(false, QString());
        // "All files" matches a file without an extension on this platform.
        const QString all = editor.OpenDialog->nameFilters().filter("All files").value(0);
        QVERIFY(QDir::match(all.section('(', 1).section(')', 0, 0).split(' '), "README"));

        // The runner picks a file in every dialog; Open is answered by Answer, Save is cancelled
        // after noting where it started.
        int answer = QDialog::Rejected;
        QString saveStartedAt;
        TScriptedDialogs dialogs;
        dialogs.OnDialog = [&](QDialog &Dialog) {
            auto &files = static_cast<QFileDialog &>(Dialog);
            if (&files == editor.SaveDialog) {
                saveStartedAt = files.selectedFiles().value(0);
                return int(QDialog::Rejected);
            }
            files.selectFile(answer == QDialog::Accepted ? loaded : picked);
            return answer;
        };
        const THostDialogsScope dialogsScope(dialogs);
        editor.LoadMenuItem->trigger();
        editor.SaveMenuItem->trigger();
        QVERIFY2(!saveStartedAt.endsWith("picked.txt"), qPrintable(saveStartedAt));
        answer = QDialog::Accepted;
        editor.LoadMenuItem->trigger();
        QCOMPARE(editor.GetText(), QString("text"));
        editor.SaveMenuItem->trigger();
        // (A saved name gets the default suffix.)
        QCOMPARE(QFileInfo(saveStartedAt).completeBaseName(), QString("README"));
    }

    // Each property, its text, and that text once "!" is typed at the end of the dialog's row:
    // OK writes it and reports the modification, Cancel leaves the text.
    void propertyEditorsOpenTheDialog()
    {
        const std::tuple<QString, QString, QString> properties[] = {
            {"Hint", "first\rsecond", "first\rsecond!"}, {"Header", "A|B|C", "A|B!|C"}};
        for (const auto &[property, text, edited] : properties) {
            for (const bool confirm : {true, false}) {
                TProbeDesigner designer;
                TKorColumn column;
                SetStrProp(column.Title(), property, text);
                const bool header = property == "Header";
                auto editor = CreatePropertyEditor(header ? &TKorHeaderProperty::staticMetaObject
                                                          : &TKorStringProperty::staticMetaObject,
                                                   &designer, {column.Title()},
                                                   GetPropInfo(column.Title(), property));
                QCOMPARE(editor->GetAttributes(), paRevertable | paDialog);
                ModalScript script;
                bool headerMode = !header;
                script.Editor = [&](TKorStringEditor &Dialog) {
                    headerMode = Dialog.HeaderMode;
                    if (header)
                        Dialog.NextClick();
                    Dialog.Memo->moveCursor(QTextCursor::End);
                    QTest::keyClicks(Dialog.Memo, "!");
                    return confirm ? int(QDialog::Accepted) : int(QDialog::Rejected);
                };
                editor->Edit();
                QVERIFY(headerMode == header &&
                        GetStrProp(column.Title(), property) == (confirm ? edited : text) &&
                        designer.modified == (confirm ? 1 : 0));
                // The dialog is released once its own event handling has ended.
                QVERIFY(script.Seen);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QVERIFY(!script.Seen);
            }
        }
    }
};

QTEST_MAIN(StringEditorTest)
#include "tst_stringeditor.moc"
