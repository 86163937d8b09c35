// A randomized soak of the workbench with its design windows open: on a form of connections,
// data sets, data sources and grids it places, deletes, renames and links components, undoes and
// redoes, opens and closes the columns editor and the grid designer, switches pages, clicks bound
// controls, adds, deletes and moves columns, sets values as the inspector does, saves and reopens.
// Every step is a line of the workbench's script language, so a failure is replayed by running
// the scenario written next to the message ("korworkbench --script FILE").
//
// After each step it checks that every open design window edits a live component of the form,
// that the selection holds only live objects and is what the inspector shows, that the undo step
// of a grid's value set as the inspector sets it holds only that grid, and (every few steps, and
// after each save) that the form written, read into a fresh form and written again gives the same
// text. Every step recorded is one of the document's per-change steps (TFormChangeCommand, or a
// macro of them), and undoing or redoing one gives back exactly the form's text from before (or
// after) the step that recorded it.
//
// KOR_SOAK_STEPS (default 2000) and KOR_SOAK_SEED (default 20261206) choose the run; a long run
// by hand: KOR_SOAK_STEPS=100000 tests/tst_workbench_soak.

#include <QCheckBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>
#include <random>

#include "collectioneditor.h"
#include "formdesigner.h"
#include "formdocument.h"
#include "formfile.h"
#include "hostpalette.h"
#include "objectproperties.h"
#include "packages.h"
#include "persistent.h"
#include "propertyrowmodel.h"
#include "scriptrunner.h"
#include "services.h"
#include "testsupport.h"
#include "workbenchapplication.h"
#include "workbenchsession.h"
#include "workbenchwindow.h"

using namespace Qt::StringLiterals;

namespace {

int environmentNumber(const char *Name, int Default)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(Name, &ok);
    return ok ? value : Default;
}

const char *const kClasses[] = {"TSQLConnection", "TSQLDataSet", "TDataSource", "TKorDBGrid"};
const char *const kPrefixes[] = {"Conn", "Data", "Source", "Grid"};
const char *const kColours[] = {"clRed", "clWindow", "clBtnFace", "clYellow", "clDefault"};
const char *const kQueries[] = {"SELECT * FROM Customers", "SELECT * FROM Products",
                                "SELECT OrderNo, CustNo, SaleDate FROM Orders"};
const char *const kColumnCommands[] = {"AddCmd", "DeleteCmd", "MoveUpCmd", "MoveDownCmd",
                                       "AddAllFieldsCmd"};

// The form grows to at most this many components; beyond it, placing gives way to deleting, so
// that a long run keeps working on a form of a size people design rather than an ever larger one.
constexpr int kMaxComponents = 32;

} // namespace

class TestWorkbenchSoak : public QObject {
    Q_OBJECT
    QTemporaryDir m_data;
    QTemporaryDir m_files;
    std::unique_ptr<TWorkbenchSession> m_session;
    std::unique_ptr<TWorkbenchWindow> m_window;
    std::unique_ptr<TScriptRunner> m_runner;
    std::mt19937 m_random;
    QStringList m_script;
    int m_refused = 0; // steps the runner refused, as a person's would be
    int m_names = 0;
    // The form's text before and after each step on the undo stack, by the step.
    QHash<const QUndoCommand *, QPair<QByteArray, QByteArray>> m_texts;
    QByteArray m_text; // the form's text after the last step
    int m_undosChecked = 0;

    TFormDesigner *designer() const { return m_window->Document()->Designer(); }
    int pick(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(m_random); }
    bool chance(int Percent) { return pick(100) < Percent; }

    // The form's components of one class (by class name), in creation order.
    QStringList componentsOf(const char *ClassName) const
    {
        QStringList names;
        TComponent *root = designer()->GetRoot();
        for (int i = 0; root && i < root->ComponentCount(); ++i)
            if (root->Components(i)->Object()->inherits(ClassName))
                names << root->Components(i)->Name();
        return names;
    }
    QString any(const QStringList &Names)
    {
        return Names.isEmpty() ? QString() : Names[pick(int(Names.size()))];
    }
    // Format with Args in place of %1, %2...; empty when one of them is (nothing to act on).
    static QString fill(const char *Format, std::initializer_list<QString> Args)
    {
        QString line = QString::fromLatin1(Format);
        for (const QString &arg : Args)
            line = arg.isEmpty() ? QString() : line.arg(arg);
        return line;
    }

    // The next step, as a script line; empty when the chosen kind has nothing to act on.
    QString nextStep()
    {
        const QStringList conns = componentsOf(kClasses[0]), sets = componentsOf(kClasses[1]),
                          sources = componentsOf(kClasses[2]), grids = componentsOf(kClasses[3]);
        const QStringList all = conns + sets + sources + grids;
        QWidget *front = m_runner->FrontWindow();
        const auto yesNo = [this](int Percent) { return chance(Percent) ? u"True"_s : u"False"_s; };
        switch (pick(16)) {
        case 0: {
            if (all.size() >= kMaxComponents)
                return fill("delete %1", {any(all)});
            const int kind = pick(int(std::size(kClasses)));
            const QString name = QLatin1String(kPrefixes[kind]) + QString::number(++m_names);
            if (kind != 3)
                return fill("place %1 %2", {QLatin1String(kClasses[kind]), name});
            return fill("place TKorDBGrid %1 %2 %3 320 160",
                        {name, QString::number(8 * pick(40)), QString::number(8 * pick(30))});
        }
        case 1: {
            const QString name = any(all);
            return !name.isEmpty() && chance(40) ? fill("delete %1", {name}) : QString();
        }
        case 2:
            return fill("set %1.Name Renamed%2", {any(all), QString::number(++m_names)});
        case 3:
            return u"undo"_s;
        case 4:
            return u"redo"_s;
        case 5: // linking: connection to the sample database, data sets, sources, grids
            switch (pick(4)) {
            case 0:
                return fill("set %1.DatabaseName ${SAMPLE_DB}", {any(conns)});
            case 1: {
                const QString data = any(sets), conn = any(conns);
                if (data.isEmpty() || conn.isEmpty())
                    return {};
                return chance(50) ? fill("set %1.SQLConnection %2", {data, conn})
                                  : fill("set %1.CommandText \"%2\"",
                                         {data, QLatin1String(kQueries[pick(3)])});
            }
            case 2:
                return fill("set %1.DataSet %2", {any(sources), any(sets)});
            default:
                return fill("set %1.DataSource %2", {any(grids), any(sources)});
            }
        case 6:
            return fill("set %1.Active %2", {any(sets), yesNo(70)});
        case 7:
            return fill("dblclick %1", {any(grids)});
        case 8:
            return fill("verb %1 \"Columns Editor...\"", {any(grids)});
        case 9:
            return front ? u"close-window"_s : QString();
        case 10: { // a page of the front window
            const QList<QTabWidget *> tabs =
                front ? front->findChildren<QTabWidget *>() : QList<QTabWidget *>();
            QTabWidget *control = tabs.isEmpty() ? nullptr : tabs[pick(int(tabs.size()))];
            if (!control || control->count() == 0)
                return {};
            return fill("page \"%1\"",
                        {control->tabText(pick(control->count())).remove(QLatin1Char('&'))});
        }
        case 11: { // a bound check box of the front window, on the page shown
            QStringList names;
            if (front)
                for (QCheckBox *box : front->findChildren<QCheckBox *>())
                    if (box->isVisible() && box->isEnabled() && !box->objectName().isEmpty())
                        names << box->objectName();
            return fill("click %1", {any(names)});
        }
        case 12: { // a column command of the front window
            const QString command =
                front ? QLatin1String(kColumnCommands[pick(int(std::size(kColumnCommands)))])
                      : QString();
            return front && front->findChild<QObject *>(command) ? fill("click %1", {command})
                                                                 : QString();
        }
        case 13: { // a value as the inspector sets it
            const QString grid = any(grids);
            if (grid.isEmpty())
                return {};
            switch (pick(4)) {
            case 0:
                return fill("set %1.Color %2", {grid, QLatin1String(kColours[pick(5)])});
            case 1:
                return fill("set %1.Left %2", {grid, QString::number(8 * pick(60))});
            case 2:
                return fill("set %1.ReadOnly %2", {grid, yesNo(50)});
            default:
                return fill("set %1.Columns[0].Title.Caption \"Column %2\"",
                            {grid, QString::number(pick(100))});
            }
        }
        case 14: {
            const QString name = any(all);
            if (name.isEmpty() || chance(50) || !grids.contains(name))
                return fill("select %1", {name});
            return fill("select %1.Columns[%2]", {name, QString::number(pick(3))});
        }
        default:
            return chance(50) ? u"save soak.kfm"_s : u"open soak.kfm"_s;
        }
    }

    // What must hold after every step; the answer names what does not.
    QString brokenInvariant() const
    {
        TFormDesigner *form = designer();
        TComponent *root = form->GetRoot();
        const auto onForm = [&](TComponent *Component) {
            return Component && (Component == root || (root && Component->Owner() == root));
        };
        for (TCollectionEditor *editor : TCollectionEditor::OpenEditors())
            if (!editor->Collection() || !onForm(editor->Component()))
                return u"a collection editor edits a component that is gone"_s;
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->inherits("TBriskDesigner") &&
                !form->GetComponent(window->windowTitle().section(QLatin1Char(' '), 0, 0)))
                return u"the design window \"%1\" edits no component of the form"_s.arg(
                    window->windowTitle());
        const QList<QObject *> selection = form->GetSelections();
        for (QObject *object : selection) {
            if (!object)
                return u"the selection holds an object that is gone"_s;
            if (TComponent *component = AsComponent(object); component && !onForm(component))
                return u"the selection holds %1, which is not on the form"_s.arg(component->Name());
        }
        if (m_window->Inspector()->Model()->Selection() != selection)
            return u"the inspector does not show the selection"_s;
        return {};
    }

    // The form written, read into a fresh form and written again gives the same text.
    QString roundTripDiffers() const
    {
        const QByteArray text = WriteFormText(designer());
        TFormDesigner fresh(u"Form1"_s);
        try {
            ReadFormText(&fresh, text);
        } catch (const EHostError &e) {
            return u"the written form does not read: %1"_s.arg(e.Message());
        }
        const QByteArray again = WriteFormText(&fresh);
        fresh.Close();
        if (again != text)
            return u"the form reads back differently:\n%1\n---\n%2"_s.arg(QString::fromUtf8(text),
                                                                          QString::fromUtf8(again));
        return {};
    }

    // Whether Step is one of the document's per-change steps, or a macro of nothing else.
    static bool isChangeStep(const QUndoCommand *Step)
    {
        if (Step->childCount() == 0)
            return dynamic_cast<const TFormChangeCommand *>(Step) != nullptr;
        for (int i = 0; i < Step->childCount(); ++i)
            if (!isChangeStep(Step->child(i)))
                return false;
        return true;
    }

    // After a step: Before is the form's text before it, Done and Top the undo stack's index and
    // top step then. A step recorded is a per-change step, and is kept with the texts around it;
    // an undo or redo gives the text from before or after the step it takes back or makes again.
    QString undoDiffers(const QString &Command, const QByteArray &Before, int Done,
                        const QUndoCommand *Top)
    {
        QUndoStack *undo = m_window->Document()->UndoStack();
        const QByteArray now = m_text = WriteFormText(designer());
        const int index = undo->index();
        const QUndoCommand *top = index > 0 ? undo->command(index - 1) : nullptr;
        if (undo->count() == 0) { // a new form
            m_texts.clear();
            return {};
        }
        const bool undone = Command == QLatin1String("undo") && index == Done - 1;
        if (undone || (Command == QLatin1String("redo") && index == Done + 1)) {
            const QUndoCommand *step = undone ? undo->command(index) : top;
            const auto texts = m_texts.constFind(step);
            ++m_undosChecked;
            const QByteArray expected = texts == m_texts.constEnd() ? now
                                        : undone                    ? texts->first
                                                                    : texts->second;
            if (now != expected)
                return u"%1 \"%2\" gives another form than %3 it:\n%4\n---\n%5"_s.arg(
                    undone ? "undoing" : "redoing", step->text(), undone ? "before" : "after",
                    QString::fromUtf8(expected), QString::fromUtf8(now));
        } else if (top && top != Top) {
            if (!isChangeStep(top))
                return u"the step \"%1\" is not a change of the form's components"_s.arg(
                    undo->text(index - 1));
            // Only a single new step is known to lie between the two texts.
            if (index >= 2 ? undo->command(index - 2) == Top : !Top)
                m_texts.insert(top, {Before, now});
            else
                m_texts.remove(top);
        }
        return {};
    }

    // Writes the scenario so far for replaying, and fails with the seed and step.
    void failAt(int Seed, int Step, const QString &Why)
    {
        const QString replay =
            QDir::current().absoluteFilePath(u"soak-%1-step%2.kws"_s.arg(Seed).arg(Step));
        QFile file(replay);
        if (file.open(QIODevice::WriteOnly))
            file.write(m_script.join(QLatin1Char('\n')).toUtf8() + '\n');
        QFAIL(qPrintable(u"seed %1, step %2 (%3): %4\nreplay: %5"_s.arg(Seed).arg(Step).arg(
            m_script.isEmpty() ? QString() : m_script.last(), Why, replay)));
    }

private slots:
    void initTestCase()
    {
        qputenv("KOR_DATA_DIR", m_data.path().toLocal8Bit());
        ResetTestSettingsDir();
        m_session = std::make_unique<TWorkbenchSession>();
        m_window = std::make_unique<TWorkbenchWindow>();
        m_window->LoadDesignPackage(u"DCLKorDBGrid90"_s);
        QVERIFY(IsPackageLoaded(u"DCLKorDBGrid90"_s));
        m_window->show();
        m_runner = std::make_unique<TScriptRunner>(m_window.get());
        TScriptRunner::Settle();
        QDir::setCurrent(m_files.path());
    }

    void cleanupTestCase()
    {
        m_runner.reset();
        m_window.reset();
        TScriptRunner::Settle();
        m_session.reset();
    }

    void randomSteps()
    {
        const int seed = environmentNumber("KOR_SOAK_SEED", 20261206);
        const int steps = environmentNumber("KOR_SOAK_STEPS", 2000);
        m_random.seed(seed);
        const QString scriptFile = m_files.filePath(u"soak.kws"_s);
        m_window->Document()->FlushPendingChange();
        m_text = WriteFormText(designer());
        for (int step = 1; step <= steps; ++step) {
            QString line;
            while (line.isEmpty())
                line = nextStep();
            m_script << line;
            const QString command = line.section(QLatin1Char(' '), 0, 0);
            QUndoStack *undo = m_window->Document()->UndoStack();
            const QByteArray before = m_text;
            const int done = undo->index();
            const QUndoCommand *top = done > 0 ? undo->command(done - 1) : nullptr;
            const bool ran = m_runner->Run(line, scriptFile);
            m_refused += !ran;
            if (const QString broken = brokenInvariant(); !broken.isEmpty())
                return failAt(seed, step, broken);
            if (ran && command == QLatin1String("set")) {
                // Undo keeps what a change touched, not the form: a value of a grid's own look or
                // place (not a link, a name or a data set's, which others follow) is a step
                // holding that grid only.
                const QString path = line.section(QLatin1Char(' '), 1, 1);
                const QString component = path.section(QLatin1Char('.'), 0, 0);
                const QString property = path.section(QLatin1Char('.'), 1);
                m_window->Document()->FlushPendingChange();
                const int last = undo->index() - 1;
                const bool own = QStringList{"Color", "Left", "ReadOnly"}.contains(property) ||
                                 property.startsWith("Columns["_L1);
                if (own && last >= 0 && (last + 1 != done || undo->command(last) != top) &&
                    m_window->Document()->StepComponents(last) != QStringList{component})
                    return failAt(seed, step,
                                  u"the step holds %1"_s.arg(
                                      m_window->Document()->StepComponents(last).join(u", "_s)));
            }
            m_window->Document()->FlushPendingChange();
            if (const QString differs = undoDiffers(command, before, done, top); !differs.isEmpty())
                return failAt(seed, step, differs);
            if (step % 50 == 0 || line.startsWith(QLatin1String("save")))
                if (const QString differs = roundTripDiffers(); !differs.isEmpty())
                    return failAt(seed, step, differs);
        }
        qInfo("seed %d: %d steps, %d refused, %d undos and redos compared with the form before "
              "and after their step",
              seed, steps, m_refused, m_undosChecked);
    }
};

int main(int argc, char **argv)
{
    // A long run outlasts the test library's five-minute limit on one test function.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(24 * 3600 * 1000));
    TWorkbenchApplication app(argc, argv);
    TestWorkbenchSoak test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_workbench_soak.moc"
