#include "scriptrunner.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>
#include <cstdio>

#include "collection.h"
#include "compedit.h"
#include "controls/customcombobox.h"
#include "formdesigner.h"
#include "formdocument.h"
#include "formfile.h"
#include "formsurface.h"
#include "hostdialogs.h"
#include "hosterrors.h"
#include "hostmessages.h"
#include "propedit.h"
#include "registration.h"
#include "sampledatabase.h"
#include "typinfo.h"
#include "workbenchwindow.h"

namespace {

// A step that cannot be carried out; its message follows "FILE:LINE: ".
class EScriptError : public EHostError {
public:
    using EHostError::EHostError;
};

[[noreturn]] void fail(const QString &Message)
{
    throw EScriptError(Message);
}

QString withoutAccelerator(QString Text)
{
    return Text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// A line split into words: blanks separate them, double quotes keep blanks (a backslash
// escapes a quote or a backslash inside them), and # outside quotes starts a comment.
QStringList splitLine(const QString &Line)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (int i = 0; i < Line.size(); ++i) {
        const QChar c = Line.at(i);
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < Line.size() &&
                (Line.at(i + 1) == QLatin1Char('"') || Line.at(i + 1) == QLatin1Char('\\')))
                word += Line.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                word += c;
        } else if (c == QLatin1Char('"')) {
            quoted = inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else if (c == QLatin1Char('#') && !inWord) {
            break;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        fail(QStringLiteral("a quoted text is not closed"));
    if (inWord)
        words << word;
    return words;
}

// ${SAMPLE_DB}: the sample database; ${NAME}: the environment variable NAME.
QString expandVariables(const QString &Word)
{
    static const QRegularExpression variable(QStringLiteral("\\$\\{(\\w+)\\}"));
    QString result;
    qsizetype last = 0;
    for (auto it = variable.globalMatch(Word); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += Word.mid(last, match.capturedStart() - last);
        const QString name = match.captured(1);
        result += name == QLatin1String("SAMPLE_DB") ? SampleDatabasePath()
                                                     : qEnvironmentVariable(name.toLocal8Bit());
        last = match.capturedEnd();
    }
    return result + Word.mid(last);
}

bool isInteger(const QString &Word)
{
    bool ok = false;
    Word.toInt(&ok);
    return ok;
}

int toInteger(const QString &Word)
{
    bool ok = false;
    const int value = Word.toInt(&ok);
    if (!ok)
        fail(QStringLiteral("\"%1\" is not a number").arg(Word));
    return value;
}

// Windows that are part of another (menus, tool tips) are not windows of their own here.
bool isOwnWindow(const QWidget *Widget)
{
    const Qt::WindowType type = Widget->windowType();
    return Widget->isWindow() && Widget->isVisible() && type != Qt::Popup && type != Qt::ToolTip &&
           type != Qt::SplashScreen && type != Qt::Desktop;
}

// The class a window is known by: the nearest class of its own, not a Qt base.
QString windowClass(const QWidget *Window)
{
    return QString::fromLatin1(Window->metaObject()->className());
}

QString pictureName(const QWidget *Window)
{
    QString name = windowClass(Window);
    if (name.size() > 1 && name.startsWith(QLatin1Char('T')) && name.at(1).isUpper())
        name.remove(0, 1);
    return name.toLower();
}

} // namespace

// ---- the steps -------------------------------------------------------------------------------

class TScriptRunner::TSteps : public QObject {
public:
    TSteps(TScriptRunner *Runner, TWorkbenchWindow *Window) : m_runner(Runner), m_window(Window) {}

    using TStep = void (TSteps::*)(const QStringList &);
    struct TCommand {
        const char *Name;
        int MinArgs;
        int MaxArgs; // -1: any number
        TStep Step;
        const char *Usage;
    };
    static const TCommand kCommands[];

    TScriptRunner *m_runner;
    QPointer<TWorkbenchWindow> m_window;
    QDir m_folder;
    QString m_error;
    QStringList m_messages;
    QStringList m_stepErrors;
    // Answers for the next questions; when they run out, the answer that changes nothing.
    QList<TModalResult> m_answers;
    QString m_screenshotDir;
    int m_modalShots = 0;
    // Top-level windows in the order they were last shown or activated, latest last.
    QList<QPointer<QWidget>> m_order;

    TFormDocument *document() const { return m_window->Document(); }
    TFormSurface *surface() const { return m_window->Surface(); }
    TFormDesigner *designer() const { return document()->Designer(); }

    void runLine(const QStringList &Words);
    void runCommand(const QStringList &Words);

    // ---- what the steps act on ----
    TComponent *component(const QString &Name) const
    {
        TComponent *found = designer()->GetComponent(Name);
        TComponent *root = designer()->GetRoot();
        if (!found && root && root->Name().compare(Name, Qt::CaseInsensitive) == 0)
            found = root;
        if (!found)
            fail(QStringLiteral("there is no component named %1").arg(Name));
        return found;
    }
    // NAME, then published object properties and collection indexes: Grid1.Columns[2].Title.
    QObject *object(const QString &Path) const
    {
        static const QRegularExpression part(QStringLiteral("^(\\w+)((?:\\[\\d+\\])*)$"));
        const QStringList parts = Path.split(QLatin1Char('.'));
        QObject *current = nullptr;
        for (int i = 0; i < parts.size(); ++i) {
            const QRegularExpressionMatch match = part.match(parts.at(i));
            if (!match.hasMatch())
                fail(QStringLiteral("\"%1\" is not a name path").arg(Path));
            const QString name = match.captured(1);
            if (i == 0) {
                current = component(name)->Object();
            } else {
                if (!GetPropInfo(current, name))
                    fail(QStringLiteral("%1 has no property %2")
                             .arg(parts.mid(0, i).join(QLatin1Char('.')), name));
                current = GetObjectProp(current, name);
                if (!current)
                    fail(QStringLiteral("%1.%2 is not an object")
                             .arg(parts.mid(0, i).join(QLatin1Char('.')), name));
            }
            static const QRegularExpression index(QStringLiteral("\\[(\\d+)\\]"));
            for (auto it = index.globalMatch(match.captured(2)); it.hasNext();) {
                auto *collection = qobject_cast<TCollection *>(current);
                const int at = it.next().captured(1).toInt();
                if (!collection)
                    fail(QStringLiteral("%1 is not a collection").arg(parts.at(i)));
                if (at >= collection->Count())
                    fail(QStringLiteral("%1 has %2 items, there is no item %3")
                             .arg(parts.at(i))
                             .arg(collection->Count())
                             .arg(at));
                current = collection->Items(at);
            }
        }
        return current;
    }
    // The property editor of the last part of a path, on the object the rest names.
    std::unique_ptr<TPropertyEditor> propertyEditor(const QString &Path) const
    {
        const qsizetype dot = Path.lastIndexOf(QLatin1Char('.'));
        if (dot <= 0)
            fail(QStringLiteral("\"%1\" names no property (NAME.PROPERTY)").arg(Path));
        QObject *instance = object(Path.left(dot));
        const QString name = Path.mid(dot + 1);
        PPropInfo info = GetPropInfo(instance, name);
        if (!info)
            fail(QStringLiteral("%1 has no property %2").arg(Path.left(dot), name));
        return CreatePropertyEditor(FindPropertyEditorClass(info, instance), designer(), {instance},
                                    info);
    }
    QString resolveFile(const QString &Name) const
    {
        return QDir::cleanPath(m_folder.absoluteFilePath(Name));
    }
    // Visible windows besides the main window, the one shown or activated last first.
    QList<QWidget *> windows() const
    {
        QList<QWidget *> list;
        for (auto it = m_order.crbegin(); it != m_order.crend(); ++it)
            if (*it && *it != m_window.data() && isOwnWindow(*it) && !list.contains(*it))
                list << it->data();
        // Windows shown before the runner started watching.
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget != m_window.data() && isOwnWindow(widget) && !list.contains(widget))
                list << widget;
        return list;
    }
    QWidget *frontWindow() const { return windows().value(0); }
    // A control by object name, or a button or action by its caption, in the frontmost window
    // that has it.
    QObject *control(const QString &Name) const
    {
        const QList<QWidget *> open = windows();
        if (open.isEmpty())
            fail(QStringLiteral("no design window is open"));
        for (QWidget *window : open) {
            if (auto *found = window->findChild<QWidget *>(Name))
                return found;
            if (auto *found = window->findChild<QAction *>(Name))
                return found;
        }
        const QString caption = withoutAccelerator(Name);
        for (QWidget *window : open) {
            for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
                if (withoutAccelerator(button->text()).compare(caption, Qt::CaseInsensitive) == 0)
                    return button;
            for (QAction *action : window->findChildren<QAction *>())
                if (withoutAccelerator(action->text()).compare(caption, Qt::CaseInsensitive) == 0)
                    return action;
        }
        fail(QStringLiteral("%1 has no control %2").arg(windowClass(open.first()), Name));
    }
    // Component editor verb captions as shown in a menu.
    static QStringList verbs(TDefaultEditor *Editor)
    {
        QStringList captions;
        for (int i = 0; i < Editor->GetVerbCount(); ++i)
            captions << withoutAccelerator(Editor->GetVerb(i));
        return captions;
    }

    // ---- the commands ----
    void place(const QStringList &A)
    {
        const QMetaObject *cls = nullptr;
        for (const QString &page : GetPalettePages())
            for (const QMetaObject *mo : GetPaletteClasses(page)) {
                const QString name = QString::fromLatin1(mo->className());
                if (name.compare(A.at(0), Qt::CaseInsensitive) == 0 ||
                    name.mid(1).compare(A.at(0), Qt::CaseInsensitive) == 0)
                    cls = mo;
            }
        if (!cls)
            fail(QStringLiteral("no class %1 on the palette").arg(A.at(0)));
        int next = 1;
        QString name;
        if (next < A.size() && !isInteger(A.at(next)))
            name = A.at(next++);
        QList<int> numbers;
        for (; next < A.size(); ++next)
            numbers << toInteger(A.at(next));
        if (numbers.size() != 0 && numbers.size() != 2 && numbers.size() != 4)
            fail(QStringLiteral("place takes X Y or X Y W H"));
        const int placed = designer()->GetRoot() ? designer()->GetRoot()->ComponentCount() : 0;
        QRect bounds(QPoint(16 + 24 * (placed % 8), 16 + 24 * (placed % 8)), QSize());
        if (numbers.size() >= 2)
            bounds.moveTopLeft(QPoint(numbers.at(0), numbers.at(1)));
        if (numbers.size() == 4)
            bounds.setSize(QSize(numbers.at(2), numbers.at(3)));

        QUndoStack *stack = document()->UndoStack();
        stack->beginMacro(QStringLiteral("Place %1").arg(name.isEmpty() ? A.at(0) : name));
        TComponent *placedComponent = nullptr;
        try {
            placedComponent = surface()->PlaceComponent(cls, bounds);
            if (placedComponent && !name.isEmpty())
                propertyEditor(placedComponent->Name() + QStringLiteral(".Name"))->SetValue(name);
        } catch (...) {
            stack->endMacro();
            throw;
        }
        stack->endMacro();
        if (!placedComponent)
            fail(QStringLiteral("%1 was not placed").arg(A.at(0)));
    }
    void set(const QStringList &A) { propertyEditor(A.at(0))->SetValue(A.at(1)); }
    void select(const QStringList &A)
    {
        QList<QObject *> selection;
        for (const QString &path : A)
            selection << object(path);
        designer()->SetSelections(selection);
    }
    void verb(const QStringList &A)
    {
        std::unique_ptr<TDefaultEditor> editor = GetComponentEditor(component(A.at(0)), designer());
        const QStringList captions = verbs(editor.get());
        const QString wanted = withoutAccelerator(A.at(1));
        for (int i = 0; i < captions.size(); ++i)
            if (captions.at(i).compare(wanted, Qt::CaseInsensitive) == 0 ||
                captions.at(i).compare(wanted + QStringLiteral("..."), Qt::CaseInsensitive) == 0) {
                editor->ExecuteVerb(i);
                return;
            }
        fail(QStringLiteral("%1 has no verb \"%2\"; its verbs: %3")
                 .arg(A.at(0), A.at(1),
                      captions.filter(QRegularExpression(QStringLiteral("^[^-]")))
                          .join(QStringLiteral(", "))));
    }
    void dblclick(const QStringList &A) { EditComponent(component(A.at(0)), designer()); }
    // Shows the page Caption of a page control inside Root, and the pages it lies on inside
    // Window; answers the page shown, or nullptr. Seen collects the captions looked at.
    static QWidget *showPage(QWidget *Window, QWidget *Root, const QString &Caption,
                             QStringList &Seen)
    {
        for (QTabWidget *tabs : Root->findChildren<QTabWidget *>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                const QString caption = withoutAccelerator(tabs->tabText(i));
                Seen << caption;
                if (caption.compare(Caption, Qt::CaseInsensitive) != 0)
                    continue;
                // A page inside another page control: show the outer pages first.
                QList<QPair<QTabWidget *, QWidget *>> path{{tabs, tabs->widget(i)}};
                for (QWidget *w = tabs; w && w != Window; w = w->parentWidget())
                    for (QWidget *up = w->parentWidget(); up && up != Window;
                         up = up->parentWidget())
                        if (auto *outer = qobject_cast<QTabWidget *>(up);
                            outer && outer->indexOf(w) >= 0) {
                            path.prepend({outer, w});
                            break;
                        }
                for (const auto &[pages, sheet] : path) {
                    if (!pages->isTabVisible(pages->indexOf(sheet)))
                        fail(QStringLiteral("the page \"%1\" is hidden")
                                 .arg(withoutAccelerator(pages->tabText(pages->indexOf(sheet)))));
                    pages->setCurrentWidget(sheet);
                }
                return tabs->widget(i);
            }
        }
        return nullptr;
    }
    // "Caption", or "Outer/Inner" for a page of a page control that lies on page Outer.
    void page(const QStringList &A)
    {
        const QList<QWidget *> open = windows();
        if (open.isEmpty())
            fail(QStringLiteral("no design window is open"));
        const QStringList captions = withoutAccelerator(A.at(0)).split(QLatin1Char('/'));
        QStringList seen;
        for (QWidget *window : open) {
            QWidget *root = window;
            for (const QString &caption : captions)
                if (root)
                    root = showPage(window, root, caption, seen);
            if (root)
                return;
        }
        seen.removeDuplicates();
        fail(QStringLiteral("%1 has no page \"%2\"; its pages: %3")
                 .arg(windowClass(open.first()), A.at(0), seen.join(QStringLiteral(", "))));
    }
    void click(const QStringList &A)
    {
        QObject *target = control(A.at(0));
        auto *button = qobject_cast<QAbstractButton *>(target);
        auto *action = qobject_cast<QAction *>(target);
        if (!button && !action)
            fail(QStringLiteral("%1 is not a button, check box or command").arg(A.at(0)));
        if (button ? !button->isEnabled() : !action->isEnabled())
            fail(QStringLiteral("%1 is disabled").arg(A.at(0)));
        if (button)
            button->click();
        else
            action->trigger();
    }
    void answer(const QStringList &A)
    {
        static const QPair<const char *, TModalResult> kAnswers[] = {
            {"OK", mrOk},         {"Cancel", mrCancel}, {"Abort", mrAbort}, {"Retry", mrRetry},
            {"Ignore", mrIgnore}, {"Yes", mrYes},       {"No", mrNo},       {"All", mrAll},
        };
        for (const QString &word : A) {
            const auto *found =
                std::find_if(std::begin(kAnswers), std::end(kAnswers), [&](const auto &a) {
                    return word.compare(QLatin1String(a.first), Qt::CaseInsensitive) == 0;
                });
            if (found == std::end(kAnswers))
                fail(QStringLiteral("\"%1\" is no answer (OK, Cancel, Yes, No, ...)").arg(word));
            m_answers << found->second;
        }
    }
    void type(const QStringList &A)
    {
        auto *widget = qobject_cast<QWidget *>(control(A.at(0)));
        if (!widget)
            fail(QStringLiteral("%1 takes no text").arg(A.at(0)));
        if (!widget->isEnabled())
            fail(QStringLiteral("%1 is disabled").arg(A.at(0)));
        const QString &text = A.at(1);
        if (auto *edit = qobject_cast<QLineEdit *>(widget)) {
            edit->setText(text);
        } else if (auto *memo = qobject_cast<QPlainTextEdit *>(widget)) {
            memo->setPlainText(text);
        } else if (auto *box = qobject_cast<QComboBox *>(widget)) {
            const int index = box->findText(text, Qt::MatchFixedString);
            if (index >= 0 && !box->isEditable()) {
                // As if the entry had been picked from the open list.
                if (auto *hostBox = qobject_cast<TCustomComboBox *>(box)) {
                    hostBox->SelectIndex(index);
                } else {
                    box->setCurrentIndex(index);
                    emit box->activated(index);
                }
                return;
            }
            if (!box->isEditable())
                fail(QStringLiteral("%1 has no entry \"%2\"").arg(A.at(0), text));
            box->setEditText(text);
        } else {
            fail(QStringLiteral("%1 takes no text").arg(A.at(0)));
        }
        // Leaving the control is what commits typed text.
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(widget, &out);
    }
    void undo(const QStringList &)
    {
        if (!document()->UndoStack()->canUndo())
            fail(QStringLiteral("there is nothing to undo"));
        document()->UndoStack()->undo();
    }
    void redo(const QStringList &)
    {
        if (!document()->UndoStack()->canRedo())
            fail(QStringLiteral("there is nothing to redo"));
        document()->UndoStack()->redo();
    }
    void save(const QStringList &A)
    {
        if (!document()->Save(resolveFile(A.at(0))))
            note(QStringLiteral("%1 was not saved").arg(A.at(0)));
    }
    // A message for the runner's messages and for whoever watches the run.
    void note(const QString &Message)
    {
        m_messages << Message;
        std::fprintf(stderr, "%s\n", qPrintable(Message));
    }
    // A file with problems opens with what can be read, its problems going to stderr and the
    // messages, unless an answer given before says Cancel (or No).
    bool confirmFormProblems(const QString &File, const QList<TFormProblem> &Problems)
    {
        for (const TFormProblem &problem : Problems)
            note(QStringLiteral("%1: %2").arg(File, problem.Text()));
        const TModalResult answer = m_answers.isEmpty() ? mrOk : m_answers.takeFirst();
        return answer == mrOk || answer == mrYes;
    }
    void open(const QStringList &A)
    {
        if (!document()->Open(resolveFile(A.at(0))))
            note(QStringLiteral("%1 was not opened").arg(A.at(0)));
    }
    void remove(const QStringList &A)
    {
        TComponent *target = component(A.at(0));
        if (target == designer()->GetRoot())
            fail(QStringLiteral("the form itself cannot be deleted"));
        designer()->SelectComponent(target->Object());
        surface()->DeleteSelection();
    }
    void expect(const QStringList &A)
    {
        QString actual;
        const qsizetype dot = A.at(0).lastIndexOf(QLatin1Char('.'));
        if (dot > 0 &&
            A.at(0).mid(dot + 1).compare(QLatin1String("Count"), Qt::CaseInsensitive) == 0 &&
            qobject_cast<TCollection *>(object(A.at(0).left(dot))))
            actual =
                QString::number(qobject_cast<TCollection *>(object(A.at(0).left(dot)))->Count());
        else
            actual = propertyEditor(A.at(0))->GetValue();
        if (actual != A.at(1))
            fail(QStringLiteral("%1 is \"%2\", expected \"%3\"").arg(A.at(0), actual, A.at(1)));
    }
    void expectWindow(const QStringList &A)
    {
        QWidget *window = frontWindow();
        if (A.at(0).compare(QLatin1String("none"), Qt::CaseInsensitive) == 0) {
            if (window)
                fail(QStringLiteral("%1 is open, expected no window").arg(windowClass(window)));
            return;
        }
        if (!window)
            fail(QStringLiteral("no window is open, expected %1").arg(A.at(0)));
        if (!window->inherits(A.at(0).toLatin1().constData()))
            fail(QStringLiteral("%1 is in front, expected %2").arg(windowClass(window), A.at(0)));
    }
    void closeWindow(const QStringList &)
    {
        QWidget *window = frontWindow();
        if (!window)
            fail(QStringLiteral("no window is open"));
        window->close();
    }
    void expectError(const QStringList &A)
    {
        try {
            runCommand(A.mid(1));
        } catch (const EHostError &e) {
            if (!e.Message().contains(A.at(0), Qt::CaseInsensitive))
                fail(QStringLiteral("the error \"%1\" does not mention \"%2\"")
                         .arg(e.Message(), A.at(0)));
            return;
        }
        fail(QStringLiteral("%1 did not fail").arg(A.at(1)));
    }

    // ---- modal windows and host messages ----
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Event->type() != QEvent::Show && Event->type() != QEvent::WindowActivate)
            return false;
        auto *widget = qobject_cast<QWidget *>(Watched);
        if (!widget || !widget->isWindow() || qobject_cast<QMenu *>(widget))
            return false;
        m_order.removeAll(widget);
        m_order.removeAll(nullptr);
        m_order.append(widget);
        if (Event->type() == QEvent::Show && widget->isModal()) {
            // Nobody answers a modal window in a scripted run: picture it, then cancel it.
            QPointer<QWidget> modal = widget;
            QTimer::singleShot(0, this, [this, modal] {
                if (!modal || !modal->isVisible())
                    return;
                m_messages << QStringLiteral("%1 was answered with Cancel").arg(windowClass(modal));
                if (!m_screenshotDir.isEmpty() && QDir().mkpath(m_screenshotDir))
                    modal->grab().save(QDir(m_screenshotDir)
                                           .filePath(QStringLiteral("modal-%1-%2.png")
                                                         .arg(++m_modalShots)
                                                         .arg(pictureName(modal))));
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->reject();
                else
                    modal->close();
            });
        }
        return false;
    }
};

const TScriptRunner::TSteps::TCommand TScriptRunner::TSteps::kCommands[] = {
    {"place", 1, 6, &TSteps::place, "place CLASS [NAME] [X Y [W H]]"},
    {"set", 2, 2, &TSteps::set, "set NAME.PROPERTY VALUE"},
    {"select", 1, -1, &TSteps::select, "select NAME[.PROPERTY[INDEX]...] ..."},
    {"verb", 2, 2, &TSteps::verb, "verb NAME \"Caption\""},
    {"dblclick", 1, 1, &TSteps::dblclick, "dblclick NAME"},
    {"page", 1, 1, &TSteps::page, "page \"Caption\""},
    {"click", 1, 1, &TSteps::click, "click CONTROL"},
    {"type", 2, 2, &TSteps::type, "type CONTROL TEXT"},
    {"answer", 1, -1, &TSteps::answer, "answer Yes|No|OK|Cancel ..."},
    {"undo", 0, 0, &TSteps::undo, "undo"},
    {"redo", 0, 0, &TSteps::redo, "redo"},
    {"save", 1, 1, &TSteps::save, "save FILE"},
    {"open", 1, 1, &TSteps::open, "open FILE"},
    {"delete", 1, 1, &TSteps::remove, "delete NAME"},
    {"expect", 2, 2, &TSteps::expect, "expect NAME.PROPERTY VALUE"},
    {"expect-window", 1, 1, &TSteps::expectWindow, "expect-window CLASS|none"},
    {"close-window", 0, 0, &TSteps::closeWindow, "close-window"},
    {"expect-error", 2, -1, &TSteps::expectError, "expect-error TEXT COMMAND ..."},
};

void TScriptRunner::TSteps::runCommand(const QStringList &Words)
{
    const QString name = Words.at(0).toLower();
    for (const TCommand &command : kCommands) {
        if (name != QLatin1String(command.Name))
            continue;
        const int args = int(Words.size()) - 1;
        if (args < command.MinArgs || (command.MaxArgs >= 0 && args > command.MaxArgs))
            fail(QStringLiteral("usage: %1").arg(QLatin1String(command.Usage)));
        // Errors the host reports while the step runs (a verb or a double-click reports its
        // own) fail the step as a raised one does.
        m_stepErrors.clear();
        (this->*command.Step)(Words.mid(1));
        Settle();
        if (!m_stepErrors.isEmpty())
            throw EHostError(m_stepErrors.join(QStringLiteral("; ")));
        return;
    }
    fail(QStringLiteral("unknown command \"%1\"").arg(Words.at(0)));
}

void TScriptRunner::TSteps::runLine(const QStringList &Words)
{
    QStringList expanded;
    for (const QString &word : Words)
        expanded << expandVariables(word);
    runCommand(expanded);
}

// ---- TScriptRunner ---------------------------------------------------------------------------

TScriptRunner::TScriptRunner(TWorkbenchWindow *Window, QObject *parent)
    : QObject(parent), m_steps(std::make_unique<TSteps>(this, Window))
{
    qApp->installEventFilter(m_steps.get());
}

TScriptRunner::~TScriptRunner()
{
    qApp->removeEventFilter(m_steps.get());
}

bool TScriptRunner::RunFile(const QString &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_steps->m_error =
            QStringLiteral("%1: cannot read the scenario: %2").arg(FileName, file.errorString());
        return false;
    }
    return Run(QString::fromUtf8(file.readAll()), FileName);
}

bool TScriptRunner::Run(const QString &Text, const QString &FileName)
{
    TSteps &steps = *m_steps;
    steps.m_error.clear();
    steps.m_folder = FileName.isEmpty() ? QDir::current() : QFileInfo(FileName).absoluteDir();
    const QString where = FileName.isEmpty() ? QStringLiteral("script") : FileName;
    if (!steps.m_window) {
        steps.m_error = QStringLiteral("%1: the workbench window is gone").arg(where);
        return false;
    }

    // Messages go to the runner while it runs: errors fail the step, questions get the answer
    // that changes nothing. Other dialogs are shown as they were before.
    TScriptedDialogs dialogs;
    dialogs.Otherwise = &HostDialogs();
    dialogs.OnMessage = [&steps](const TMessageRequest &Request) {
        steps.m_messages << Request.Msg;
        return steps.m_answers.isEmpty() ? SafeAnswer(Request.Buttons)
                                         : steps.m_answers.takeFirst();
    };
    dialogs.OnError = [&steps](const QString &Message) {
        steps.m_messages << Message;
        steps.m_stepErrors << Message;
    };
    dialogs.OnFormProblems = [&steps](QWidget *, const QString &File,
                                      const QList<TFormProblem> &Problems) {
        return steps.confirmFormProblems(File, Problems);
    };
    const THostDialogsScope scope(dialogs);

    const QStringList lines = Text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size() && steps.m_error.isEmpty(); ++i) {
        try {
            const QStringList words = splitLine(lines.at(i));
            if (!words.isEmpty())
                steps.runLine(words);
        } catch (const EHostError &e) {
            steps.m_error = QStringLiteral("%1:%2: %3").arg(where).arg(i + 1).arg(e.Message());
        } catch (const std::exception &e) {
            steps.m_error = QStringLiteral("%1:%2: %3")
                                .arg(where)
                                .arg(i + 1)
                                .arg(QString::fromLocal8Bit(e.what()));
        }
    }
    steps.m_answers.clear();
    return steps.m_error.isEmpty();
}

QString TScriptRunner::Error() const
{
    return m_steps->m_error;
}

QStringList TScriptRunner::Messages() const
{
    return m_steps->m_messages;
}

void TScriptRunner::SetScreenshotDirectory(const QString &Dir)
{
    m_steps->m_screenshotDir = Dir;
}

QWidget *TScriptRunner::FrontWindow() const
{
    return m_steps->frontWindow();
}

QStringList TScriptRunner::WriteScreenshots(const QString &Dir)
{
    if (!QDir().mkpath(Dir))
        throw EHostError(QStringLiteral("Cannot create the folder %1").arg(Dir));
    const QDir out(Dir);
    QList<QWidget *> windows;
    if (m_steps->m_window)
        windows << m_steps->m_window.data();
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget != m_steps->m_window.data() && isOwnWindow(widget))
            windows << widget;
    QStringList written;
    QStringList names;
    for (QWidget *window : windows) {
        QString name =
            window == m_steps->m_window.data() ? QStringLiteral("workbench") : pictureName(window);
        const QString base = name;
        for (int n = 2; names.contains(name); ++n)
            name = QStringLiteral("%1-%2").arg(base).arg(n);
        names << name;
        const QString file = out.filePath(name + QStringLiteral(".png"));
        if (!window->grab().save(file))
            throw EHostError(QStringLiteral("Cannot write %1").arg(file));
        written << file;
    }
    return written;
}

void TScriptRunner::Settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}
