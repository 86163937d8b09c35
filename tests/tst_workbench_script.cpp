// Scripted runs of the workbench, end to end through the script interface: placing and linking
// data components and a grid, the grid's columns editor and designer, undo, saving and opening
// forms (damaged files and unwritable folders included), deleting a grid while its designer is
// open, and the runner's own errors. Also the sample database and the database-file editor,
// data that tells the truth at design time, several components of different classes edited
// together, a form named on the command line, recent files that are gone and where the file
// dialogs start.

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include "collectioneditor.h"
#include "databasefileproperty.h"
#include "datarows.h"
#include "formdocument.h"
#include "hostdialogs.h"
#include "objectproperties.h"
#include "packages.h"
#include "sampledatabase.h"
#include "scriptrunner.h"
#include "sqldata.h"
#include "testsupport.h"
#include "workbenchapplication.h"
#include "workbenchsession.h"
#include "workbenchwindow.h"

using namespace Qt::StringLiterals;

namespace {

// A grid over the sample customers, linked as a person would link it.
const char *const kLinkedGrid = R"(
place TSQLConnection Connection1
set Connection1.DatabaseName ${SAMPLE_DB}
set Connection1.Connected True
place TSQLDataSet Customers
set Customers.SQLConnection Connection1
set Customers.CommandText "SELECT * FROM Customers ORDER BY CustNo"
set Customers.Active True
place TDataSource Source1
set Source1.DataSet Customers
place TKorDBGrid Grid1 8 8 480 200
set Grid1.DataSource Source1
)";

// Every published property of the form's components as text, sub-objects and collection items
// included: what must survive saving and opening.
void describe(IDesigner *Designer, TPropertyEditor *Editor, const QString &Path,
              QMap<QString, QString> &Out, int Depth)
{
    Out.insert(Path, Editor->GetValue());
    if (Depth > 4)
        return;
    PPropInfo info = Editor->GetPropInfo();
    auto *collection = info && info->Kind == TTypeKind::tkClass
                           ? qobject_cast<TCollection *>(Editor->GetObjectValue())
                           : nullptr;
    if (collection) {
        for (int i = 0; i < collection->Count(); ++i)
            GetComponentProperties(Designer, {collection->Items(i)}, [&](auto Item) {
                describe(Designer, Item.get(), u"%1[%2].%3"_s.arg(Path).arg(i).arg(Item->GetName()),
                         Out, Depth + 1);
            });
        return;
    }
    if (Editor->GetAttributes() & paSubProperties)
        Editor->GetProperties([&](std::unique_ptr<TPropertyEditor> Sub) {
            describe(Designer, Sub.get(), Path + QLatin1Char('.') + Sub->GetName(), Out, Depth + 1);
        });
}

QMap<QString, QString> describeForm(TFormDesigner *Designer)
{
    QMap<QString, QString> out;
    TComponent *root = Designer->GetRoot();
    for (int i = 0; root && i < root->ComponentCount(); ++i) {
        TComponent *component = root->Components(i);
        GetComponentProperties(Designer, {component->Object()}, [&](auto Editor) {
            describe(Designer, Editor.get(),
                     component->Name() + QLatin1Char('.') + Editor->GetName(), out, 0);
        });
    }
    return out;
}

// How a scenario line becomes a value: double quotes keep blanks and # together, a backslash in
// them escapes a quote or a backslash and is kept before anything else; ${NAME} is the
// environment variable NAME (empty when unset) and ${SAMPLE_DB} the sample database (an empty
// value here), both taken as they are after the line is split.
const struct TWordsRow {
    const char *label, *word, *value;
} kWords[] = {{"quotes in quotes", "\"say \\\"hi\\\" #1\"", "say \"hi\" #1"},
              {"backslashes in quotes", "\"C:\\\\dir\\\\\"", "C:\\dir\\"},
              {"other escapes kept", "\"a\\tb\\n\"", "a\\tb\\n"},
              {"bare backslash", "C:\\\\x", "C:\\\\x"},
              {"quoted part of a word", "ab\"c d\"e", "abc de"},
              {"variable", "${KOR_SCENE_WORD}", "w\u00f6 \"r\"d"},
              {"variables in quotes", "\"<${KOR_SCENE_WORD}|${KOR_SCENE_WORD}>\"",
               "<w\u00f6 \"r\"d|w\u00f6 \"r\"d>"},
              {"unset variable", "a${KOR_NO_SUCH_VARIABLE}b", "ab"},
              {"no braces", "$HOME", "$HOME"},
              {"sample database", "${SAMPLE_DB}", ""}};

// The runner counts as open the windows a person sees as windows: not the main window, nor
// hidden ones, menus, tool tips or splash screens.
const struct TWindowsRow {
    const char *label;
    Qt::WindowType flags;
    bool shown, counted;
} kWindows[] = {{"dialog", Qt::Dialog, true, true},
                {"tool window", Qt::Tool, true, true},
                {"plain window", Qt::Window, true, true},
                {"hidden dialog", Qt::Dialog, false, false},
                {"menu", Qt::Popup, true, false},
                {"tool tip", Qt::ToolTip, true, false},
                {"splash screen", Qt::SplashScreen, true, false}};

// A script with one of the runner's own errors, and the error after FILE:
const struct TErrorsRow {
    const char *label, *script, *error;
} kErrors[] = {{"unknown command",
                "# a comment\n\nplace TDataSource\nfrobnicate Grid1\nplace TDataSource",
                "4: unknown command \"frobnicate\""},
               {"wrong arguments", "set Grid1.Hint", "1: usage: set NAME.PROPERTY VALUE"},
               {"no such component", "\nselect Grid9", "2: there is no component named Grid9"},
               {"failed expectation", "place TDataSource Source1\nexpect Source1.Enabled False",
                "2: Source1.Enabled is \"True\", expected \"False\""},
               {"refused value", "place TDataSource Source1\nset Source1.DataSet Nothing", "2: "},
               {"open quote", "set Source1.Name \"abc", "1: a quoted text is not closed"},
               {"no window", "page Settings", "1: no design window is open"},
               {"no verb", "place TKorDBGrid Grid1\nverb Grid1 Frobnicate",
                "2: Grid1 has no verb \"Frobnicate\"; its verbs: "}};

} // namespace

class TestWorkbenchScript : public QObject {
    Q_OBJECT
    QTemporaryDir m_data;
    QTemporaryDir m_files;
    std::unique_ptr<TWorkbenchSession> m_session;
    std::unique_ptr<TWorkbenchWindow> m_window;
    std::unique_ptr<TScriptRunner> m_runner;

    bool run(const QString &Script)
    {
        const bool passed = m_runner->Run(Script, m_files.filePath(u"test.kws"_s));
        if (!passed)
            qWarning("%s", qPrintable(m_runner->Error()));
        return passed;
    }
    TFormDesigner *designer() const { return m_window->Document()->Designer(); }
    QString file(const QString &Name) const { return m_files.filePath(Name); }

private slots:
    void initTestCase()
    {
        qputenv("KOR_DATA_DIR", m_data.path().toLocal8Bit());
        ResetTestSettingsDir();
        m_session = std::make_unique<TWorkbenchSession>();
    }

    void init()
    {
        m_window = std::make_unique<TWorkbenchWindow>();
        if (!IsPackageLoaded(u"DCLKorDBGrid90"_s))
            m_window->LoadDesignPackage(u"DCLKorDBGrid90"_s);
        m_window->show();
        m_runner = std::make_unique<TScriptRunner>(m_window.get());
        TScriptRunner::Settle();
    }

    void cleanup()
    {
        m_runner.reset();
        m_window.reset();
        TScriptRunner::Settle();
        for (QWidget *widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), widget->metaObject()->className());
    }

    void cleanupTestCase() { m_session.reset(); }

    // The sample database: created once in KOR_DATA_DIR and left alone by a second start, the
    // same rows on every creation, the tables and columns the scenes and benchmarks use; and
    // the editor that picks a database file.
    void sampleDatabaseAndItsFileEditor()
    {
        const QString path = SampleDatabasePath();
        QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(m_data.path()).absoluteFilePath());
        const auto dump = [](const QString &File) {
            QStringList rows;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"dump"_s);
                db.setDatabaseName(File);
                db.open();
                QSqlQuery query(db);
                for (const char *table : {"Customers", "Products", "Orders", "OrderLines"}) {
                    query.exec(u"SELECT * FROM %1"_s.arg(QLatin1String(table)));
                    int count = 0;
                    for (; query.next(); ++count)
                        for (int i = 0; i < 9; ++i)
                            rows << query.value(i).toString();
                    rows << u"%1 %2"_s.arg(QLatin1String(table)).arg(count);
                }
                rows << u"columns %1"_s.arg(
                    query.exec(u"SELECT CustNo, Company, City, State, Active, "
                               "Since, Balance FROM Customers"_s));
            }
            QSqlDatabase::removeDatabase(u"dump"_s);
            return rows;
        };
        const QStringList first = dump(path);
        for (const char *wanted : {"Customers 60", "Products 40", "Orders 200", "columns 1"})
            QVERIFY2(first.contains(QLatin1String(wanted)), wanted);
        QVERIFY(first.filter(QRegularExpression(u"^OrderLines [3-9]\\d\\d$"_s)).size() == 1);
        CreateSampleDatabase(file(u"again.sqlite"_s));
        QCOMPARE(dump(file(u"again.sqlite"_s)), first);
        const QDateTime written = QFileInfo(path).lastModified();
        QCOMPARE(SampleDatabasePath(), path);
        QCOMPARE(QFileInfo(path).lastModified(), written);

        // The connection's DatabaseName row: "..." asks for a file through the seam; a connected
        // connection opens the new file and its open data sets follow; cancelling changes
        // nothing.
        const QString other = file(u"other.sqlite"_s);
        CreateTestDatabase(other,
                           {u"DROP TABLE IF EXISTS Customers"_s,
                            u"CREATE TABLE Customers (CustNo INTEGER, Nickname VARCHAR(20))"_s,
                            u"INSERT INTO Customers VALUES (1, 'Ace')"_s});
        QVERIFY(run(QString::fromUtf8(kLinkedGrid)));
        auto *connection =
            qobject_cast<TSQLConnection *>(designer()->GetComponent(u"Connection1"_s)->Object());
        auto *customers =
            qobject_cast<TSQLDataSet *>(designer()->GetComponent(u"Customers"_s)->Object());
        const QString sample = connection->DatabaseName();

        PPropInfo info = GetPropInfo(connection, u"DatabaseName"_s);
        auto editor = CreatePropertyEditor(FindPropertyEditorClass(info, connection), designer(),
                                           {connection}, info);
        QVERIFY(qobject_cast<TDatabaseFileProperty *>(editor.get()));
        QVERIFY(editor->GetAttributes() & paDialog);
        QStringList offered;
        editor->GetValues([&](const QString &Value) { offered << Value; });
        QCOMPARE(offered, QStringList{SampleDatabasePath()});

        // Cancelled first, then picked.
        for (const bool pick : {false, true}) {
            QString asked;
            TScriptedDialogs dialogs;
            dialogs.OnOpenFileName = [&](QWidget *, const QString &, const QString &Dir,
                                         const QString &) {
                asked = Dir;
                return pick ? other : QString();
            };
            const THostDialogsScope dialogsScope(dialogs);
            const int modified = designer()->ModifiedCount();
            editor->Edit();
            QCOMPARE(asked, QFileInfo(sample).absolutePath());
            QCOMPARE(connection->DatabaseName(), pick ? other : sample);
            QVERIFY(connection->Connected());
            QVERIFY(customers->Active());
            QCOMPARE(customers->RecordCount(), pick ? 1 : 60);
            QCOMPARE(customers->FindField(u"Nickname"_s) != nullptr, pick);
            QCOMPARE(designer()->ModifiedCount() > modified, pick);
        }
    }

    // A column whose field the data set lacks is named on the status bar. Saved and opened
    // again, the form is the same, property for property. A damaged file
    // (non-ASCII text before the damage) names where it is damaged, and a save that cannot
    // be written names the file; neither changes the form.
    void savedFormComesBackAndFileErrorsChangeNothing()
    {
        QVERIFY(run(QString::fromUtf8(kLinkedGrid) + uR"(
dblclick Grid1
click "Add All Fields"
close-window
close-window
set Grid1.Columns[2].Title.Caption "Home town"
set Grid1.Columns[3].Color clYellow
set Grid1.Hint "Über uns"
set Grid1.Columns[1].FieldName Nickname
select Customers
select Grid1
)"_s));
        // A column whose field the data set lacks is named on the status bar.
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"Grid1: Field 'Nickname' not found in Customers"_s);
        QVERIFY(run(u"save form.kwf"_s));
        const QMap<QString, QString> before = describeForm(designer());
        QVERIFY(before.size() > 100);
        WriteTestFile(file(u"damaged.kwf"_s),
                      "{\"name\": \"F\u00f6rm1\", \"class\": \"TDesignForm\",\n  \"components\": "
                      "[{\"name\": \"Gr\u00fc\u00dfe\" \"class\"");
        QVERIFY(run(u"expect-error \"Line 2, column 36\" open damaged.kwf"_s));
        WriteTestFile(file(u"bare.kwf"_s), R"({"name": "F", "class": "TDesignForm"})");
        QVERIFY(run(u"expect-error \"not a form\" open bare.kwf"_s));
        QCOMPARE(describeForm(designer()), before);
        QCOMPARE(m_window->Document()->FileName(), file(u"form.kwf"_s));

        QVERIFY(m_window->NewForm());
        QVERIFY(run(u"open form.kwf"_s));
        QCOMPARE(describeForm(designer()), before);
        QVERIFY(!m_window->Document()->IsModified());

        // A folder that is a file: the save fails, naming the file, and leaves the file alone.
        QVERIFY(run(u"set Grid1.Hint \"Changed\""_s));
        const QByteArray plain = "not a folder";
        WriteTestFile(file(u"plain"_s), plain);
        QVERIFY(run(u"expect-error plain/form.kwf save plain/form.kwf"_s));
        QFile written(file(u"plain"_s));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), plain);
        QCOMPARE(m_window->Document()->FileName(), file(u"form.kwf"_s));
        QVERIFY(m_window->Document()->IsModified());
    }

    // A component name is an identifier that no other component of the form, nor the form,
    // has (letter case ignored). Typed in the inspector, a name that breaks a rule is refused,
    // saying which, and the old name stays; pasted or read from a form file, the component gets
    // a valid name of its own instead.
    void componentNamesAreValidOnEveryPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("rule");
        const std::tuple<const char *, const char *, const char *> names[] = {
            {"empty", "", "cannot be empty"},
            {"digit first", "9lives", "not a valid component name"},
            {"space", "1 bad", "not a valid component name"},
            {"dot", "a.b", "not a valid component name"},
            {"another's in other case", "SOURCE1", "already exists"},
            {"the form's", "form1", "already exists"},
        };
        for (const char *path : {"inspector", "paste", "form file"})
            for (const auto &[label, name, rule] : names)
                QTest::addRow("%s, %s", path, label) << path << name << rule;
    }

    void componentNamesAreValidOnEveryPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, rule);
        QVERIFY(run(u"place TDataSource Source1\nplace TKorDBGrid Grid1"_s));
        TComponent *root = designer()->GetRoot(), *grid = designer()->GetComponent(u"Grid1"_s);
        const QString text = uR"({"name": "Form1", "class": "TDesignForm", "components": [
  {"name": "Source1", "class": "TDataSource"},
  {"name": "%1", "class": "TKorDBGrid"}]})"_s.arg(name);
        QString given; // the name the component got instead
        if (path == QLatin1String("inspector")) {
            TObjectInspector *inspector = m_window->Inspector();
            designer()->SelectComponent(grid->Object());
            TScriptRunner::Settle();
            const QModelIndex row = inspector->Model()->FindRow(u"Name"_s);
            QVERIFY(row.isValid());
            TScriptedDialogs messages;
            const THostDialogsScope messagesScope(messages);
            QVERIFY(!inspector->Model()->Commit(row.siblingAtColumn(1), name));
            QCOMPARE(messages.Errors.size(), 1);
            QVERIFY2(messages.Errors.first().contains(rule), qPrintable(messages.Errors.first()));
            QCOMPARE(grid->Name(), u"Grid1"_s);
            // A name that keeps the rules is taken, and the header shows it at once.
            QVERIFY(inspector->Model()->Commit(row.siblingAtColumn(1), u"Orders"_s));
            const auto *header = inspector->findChild<QLabel *>(u"SelectionLabel"_s);
            QVERIFY(header);
            QCOMPARE(header->text(), u"Orders: TKorDBGrid"_s);
            return;
        }
        if (path == QLatin1String("paste")) {
            const QList<TComponent *> pasted = m_window->Document()->PasteComponents(text.toUtf8());
            QCOMPARE(pasted.size(), 2);
            given = pasted.at(1)->Name();
        } else {
            WriteTestFile(file(u"names.kwf"_s), text.toUtf8());
            QVERIFY(run(u"open names.kwf"_s));
            QCOMPARE(m_runner->Messages().filter(u"names.kwf: Line 3, column 4: "_s).size(), 1);
            root = designer()->GetRoot();
            for (int i = 0; i < root->ComponentCount(); ++i)
                if (root->Components(i)->Object()->inherits("TKorDBGrid"))
                    given = root->Components(i)->Name();
        }
        QVERIFY2(QRegularExpression(u"^[A-Za-z_][A-Za-z0-9_]*$"_s).match(given).hasMatch(),
                 qPrintable(given));
        int holders = root->Name().compare(given, Qt::CaseInsensitive) == 0;
        for (int i = 0; i < root->ComponentCount(); ++i)
            holders += root->Components(i)->Name().compare(given, Qt::CaseInsensitive) == 0;
        QCOMPARE(holders, 1);
    }

    // Every scene in the scenes folder runs to its end; adding a scene is adding a file.
    // SCENE_OUT names a folder the scene may write in.
    void scenes_data()
    {
        QTest::addColumn<QString>("scene");
        const QFileInfoList scenes =
            QDir(QStringLiteral(KOR_SCENE_DIR)).entryInfoList({u"*.kws"_s}, QDir::Files);
        if (scenes.isEmpty())
            QFAIL("no scenes in " KOR_SCENE_DIR);
        for (const QFileInfo &scene : scenes)
            QTest::addRow("%s", qPrintable(scene.completeBaseName())) << scene.absoluteFilePath();
    }
    void scenes()
    {
        QFETCH(QString, scene);
        QTemporaryDir out;
        qputenv("SCENE_OUT", out.path().toLocal8Bit());
        QVERIFY2(m_runner->RunFile(scene), qPrintable(m_runner->Error()));
        // Nothing makes a database the scene did not ask for.
        QCOMPARE(QDir(out.path()).entryList({u"*.sqlite"_s}), QStringList());
    }

    void scenarioWordsBecomeValues_data()
    {
        qputenv("KOR_SCENE_WORD", "w\u00f6 \"r\"d");
        AddRows(kWords);
    }
    void scenarioWordsBecomeValues()
    {
        QFETCH(TWordsRow, row);
        const QString word = QString::fromUtf8(row.word),
                      value = *row.value ? QString::fromUtf8(row.value) : SampleDatabasePath();
        QVERIFY(run(u"place TKorDBGrid Grid1\nset Grid1.Hint %1 # a comment"_s.arg(word)));
        QCOMPARE(GetStrProp(designer()->GetComponent(u"Grid1"_s)->Object(), u"Hint"_s), value);
    }

    void openWindowsAreTheOnesShown_data() { AddRows(kWindows); }
    void openWindowsAreTheOnesShown()
    {
        QFETCH(TWindowsRow, row);
        QVERIFY(run(u"expect-window none"_s));
        QLabel window(u"a window"_s, nullptr, row.flags);
        window.setVisible(row.shown);
        TScriptRunner::Settle();
        QCOMPARE(m_runner->FrontWindow(), row.counted ? &window : nullptr);
        QCOMPARE(m_runner->Run(u"expect-window QLabel"_s), row.counted);
        QCOMPARE(m_runner->Run(u"expect-window none"_s), !row.counted);
    }

    // A modal window that opens while a step runs does not wait for a person: it is answered
    // with Cancel, pictured first when asked; the About box verb returns at once. Choosing a
    // recent file that is gone asks whether to take it off the list.
    void modalWindowsDoNotBlockAndVanishedRecentFilesAreOffered()
    {
        QTemporaryDir shots;
        m_runner->SetScreenshotDirectory(shots.path());
        int result = -1;
        QTimer::singleShot(0, [&result] {
            QDialog dialog;
            dialog.resize(200, 100);
            result = dialog.exec();
        });
        const QString kept = file(u"kept.kform"_s), gone = file(u"gone.kform"_s);
        QVERIFY(run(QString::fromUtf8(kLinkedGrid) + uR"(
verb Grid1 "Kor-DBGrid Component"
expect-window none
save %1
save %2
)"_s.arg(gone, kept)));
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(m_runner->Messages().filter(u"QDialog was answered with Cancel"_s).size(), 1);
        QCOMPARE(QDir(shots.path()).entryList(QDir::Files), QStringList{u"modal-1-qdialog.png"_s});
        QVERIFY(QFile::remove(gone));
        auto *menu = m_window->findChild<QMenu *>(u"RecentFilesMenu"_s);
        QVERIFY(menu);
        const auto choose = [menu](const QString &File) {
            emit menu->aboutToShow();
            for (QAction *action : menu->actions())
                if (action->text().endsWith(QLatin1Char(' ') + File)) {
                    action->trigger();
                    return true;
                }
            return false;
        };
        TScriptedDialogs messages;
        const THostDialogsScope messagesScope(messages);
        messages.Answers = {mrNo, mrYes};
        QStringList listed = m_window->Document()->RecentFiles();
        for (const TModalResult answer : {mrNo, mrYes}) {
            QVERIFY(choose(gone));
            QCOMPARE(messages.Requests.size(), answer == mrNo ? 1 : 2);
            QVERIFY(messages.Requests.last().Msg.contains(gone));
            if (answer == mrYes) // the others stay, in their order
                listed.removeAll(gone);
            QCOMPARE(m_window->Document()->RecentFiles(), listed);
            QCOMPARE(m_window->Document()->FileName(), kept);
        }
        QVERIFY(!choose(gone));
        QVERIFY(m_window->Document()->RecentFiles().contains(kept));
        // Most recent first, each once, at most eight.
        for (int i = 0; i < 9; ++i)
            QVERIFY(run(u"save copy%1.kform"_s.arg(i < 8 ? i : 5)));
        QStringList recent = m_window->Document()->RecentFiles();
        QCOMPARE(recent.size(), 8);
        QCOMPARE(recent.first(), file(u"copy5.kform"_s));
        QVERIFY(!recent.contains(kept));
        QCOMPARE(recent.removeDuplicates(), 0);
    }

    // Open and Save As start in the folder of the form open now, or of the one opened last.
    // korworkbench FORM opens the form at start, with --script and --screenshot as before.
    void fileDialogsAndTheCommandLineFindTheForm()
    {
        QDir().mkpath(file(u"forms"_s));
        const QString form = file(u"forms/orders.kform"_s);
        QVERIFY(run(QString::fromUtf8(kLinkedGrid) + u"save %1"_s.arg(form)));
        QStringList opened;
        QStringList saved;
        TScriptedDialogs dialogs;
        dialogs.OnOpenFileName = [&](QWidget *, const QString &, const QString &Dir,
                                     const QString &) {
            opened << Dir;
            return QString();
        };
        dialogs.OnSaveFileName = [&](QWidget *, const QString &, const QString &Start,
                                     const QString &) {
            saved << Start;
            return QString();
        };
        const THostDialogsScope dialogsScope(dialogs);
        QVERIFY(!m_window->OpenForm());
        QVERIFY(!m_window->SaveFormAs());
        QVERIFY(m_window->NewForm());
        QVERIFY(!m_window->OpenForm());
        QVERIFY(!m_window->SaveFormAs());
        const QString folder = file(u"forms"_s);
        QCOMPARE(opened, (QStringList{folder, folder}));
        QCOMPARE(saved, (QStringList{form, folder + u"/Form1.kform"_s}));

        const QString script = file(u"start.kws"_s);
        WriteTestFile(script, "expect Grid1.DataSource Source1\nexpect Customers.Active True\n");
        const TWorkbenchOptions options =
            ParseWorkbenchOptions({u"korworkbench"_s, form, u"--script"_s, script});
        QCOMPARE(options.Form, form);
        QCOMPARE(options.Script, script);
        QCOMPARE(StartWorkbench(*m_window, options), 0);
        QCOMPARE(m_window->Document()->FileName(), form);
    }

    // The runner's own errors stop the run with FILE:LINE, and later lines do not run.
    void scriptErrorsNameTheLine_data() { AddRows(kErrors); }
    void scriptErrorsNameTheLine()
    {
        QFETCH(TErrorsRow, row);
        QVERIFY(!m_runner->Run(QString::fromUtf8(row.script), file(u"test.kws"_s)));
        QVERIFY2(m_runner->Error().startsWith(file(u"test.kws:"_s) + QString::fromUtf8(row.error)),
                 qPrintable(m_runner->Error()));
        // Nothing after the failing line ran.
        QVERIFY(designer()->GetRoot()->ComponentCount() <= 1);
    }
};

// The workbench's own application object, so an error escaping an event handler is reported as
// in the program instead of ending the test.
int main(int argc, char **argv)
{
    TWorkbenchApplication app(argc, argv);
    TestWorkbenchScript test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_workbench_script.moc"
