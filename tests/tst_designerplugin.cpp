// The Qt Designer plugin, loaded as Designer loads it and driven through Designer's own
// components in this process: the widget box entries, the task menu opening the package's
// windows, and the IDesigner over a form window (a change on a designer page becomes an
// undoable property change of the form, selection both ways, names, removed widgets and closed
// forms closing their windows).

#include <QtTest>
#include <memory>
#include <vector>

#include <QComboBox>
#include <QDesignerComponents>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerIntegration>
#include <QDesignerObjectInspectorInterface>
#include <QDesignerPropertyEditorInterface>
#include <QDesignerPropertySheetExtension>
#include <QDesignerTaskMenuExtension>
#include <QDesignerWidgetBoxInterface>
#include <QDesignerWidgetFactoryInterface>
#include <QDialog>
#include <QDomDocument>
#include <QExtensionManager>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPluginLoader>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUiLoader>
#include <QUndoStack>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include "column.h"
#include "controls/checkbox.h"
#include "designintf.h"
#include "designwindow.h"
#include "grid.h"
#include "hostdialogs.h"
#include "sqldata.h"
#include "testsupport.h"
#include "uicomponents.h"

using namespace Qt::StringLiterals;

namespace {

const QString kPluginFile =
    QStringLiteral(KOR_DESIGNER_PLUGIN_ROOT "/designer/libkordbgridplugin.so");

// A widget of a form: its class, name, place and formText.
struct TFormWidget {
    const char *Class, *Name;
    QRect Place;
    QString Text = {};
};

// A form of Widgets, as Designer would save it.
QString formOf(const QList<TFormWidget> &Widgets)
{
    const auto geometry = [](const QRect &R) {
        return QString::asprintf("   <property name=\"geometry\"><rect><x>%d</x><y>%d</y><width>%d"
                                 "</width><height>%d</height></rect></property>\n",
                                 R.x(), R.y(), R.width(), R.height());
    };
    QString form = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\">\n "
                   "<class>Orders</class>\n <widget class=\"QWidget\" name=\"Orders\">\n"_s +
                   geometry({0, 0, 640, 400});
    for (const TFormWidget &widget : Widgets) {
        form += u"  <widget class=\"%1\" name=\"%2\">\n"_s.arg(QLatin1String(widget.Class),
                                                               QLatin1String(widget.Name));
        if (!widget.Place.isNull())
            form += geometry(widget.Place);
        if (!widget.Text.isEmpty())
            form += u"   <property name=\"formText\"><string>%1</string></property>\n"_s.arg(
                widget.Text.toHtmlEscaped());
        form += u"  </widget>\n"_s;
    }
    return form + u" </widget>\n</ui>\n"_s;
}

// A form with a grid and a data source.
const QString kForm = formOf({{"TKorDBGrid", "grid1", {10, 10, 400, 200}},
                              {"TDataSourcePlaceholder", "dataSource1", {450, 10, 120, 28}}});

// The text of a data set: a query through connection1.
const QString kQueryText =
    uR"({"CommandText":"SELECT id\nFROM orders","SQLConnection":"connection1"})"_s;

// A form whose components are linked: a grid shows a data source's data set, which reads
// through a connection; a second grid and a second data set to link to.
const QString kLinkedForm = formOf(
    {{"TKorDBGrid", "grid1", {10, 10, 300, 200}, uR"({"DataSource":"dataSource1"})"_s},
     {"TKorDBGrid", "grid2", {320, 10, 120, 200}},
     {"TDataSourcePlaceholder", "dataSource1", {450, 10, 120, 28}, uR"({"DataSet":"dataSet1"})"_s},
     {"TSQLDataSetPlaceholder", "dataSet1", {450, 50, 120, 28}, kQueryText},
     {"TSQLDataSetPlaceholder", "dataSet2", {450, 90, 120, 28}},
     {"TSQLConnectionPlaceholder", "connection1", {450, 130, 120, 28}}});

// The component a link property of Component names now.
QObject *linked(const TComponent *Component, const char *Link)
{
    return Component->Object()->property(Link).value<QObject *>();
}

// Records the design notices the package's windows hear.
class TNoticeProbe : public IDesignNotification {
public:
    TNoticeProbe() { RegisterDesignNotification(this); }
    ~TNoticeProbe() override { UnregisterDesignNotification(this); }

    QList<QObject *> lastSelection, deleted;
    QList<IDesigner *> closed;

    void ItemDeleted(IDesigner *, QObject *Item) override { deleted.append(Item); }
    void ItemInserted(IDesigner *, QObject *) override {}
    void ItemsModified(IDesigner *) override {}
    void SelectionChanged(IDesigner *, const QList<QObject *> &S) override { lastSelection = S; }
    void DesignerOpened(IDesigner *, bool) override {}
    void DesignerClosed(IDesigner *ADesigner, bool) override { closed.append(ADesigner); }
};

// The package's windows on show, of the class ClassName.
QList<TDesignWindow *> openDesignWindows(const char *ClassName = "TDesignWindow")
{
    QList<TDesignWindow *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<TDesignWindow *>(widget);
            window && window->isVisible() && window->inherits(ClassName))
            windows.append(window);
    return windows;
}

TDesignWindow *openWindow(const char *ClassName)
{
    return openDesignWindows(ClassName).value(0);
}

} // namespace

class TestDesignerPlugin : public QObject {
    Q_OBJECT

    QPluginLoader m_loader{kPluginFile};
    QDesignerCustomWidgetCollectionInterface *m_collection = nullptr;
    QDesignerFormEditorInterface *m_core = nullptr;
    // Designer's main window, which holds the form window.
    std::unique_ptr<QMainWindow> m_main;
    QPointer<QDesignerFormWindowInterface> m_form;
    QUndoStack *m_history = nullptr; // the form's
    // Errors go to the test: its dialogs are installed before the plugin is loaded, and again
    // over the dialogs the plugin's host installs.
    TScriptedDialogs m_dialogs;
    std::vector<std::unique_ptr<THostDialogsScope>> m_dialogsScopes;
    QStringList &m_errors = m_dialogs.Errors;

    QWidget *formWidget(const char *Name) const
    {
        return m_form->mainContainer()->findChild<QWidget *>(QString::fromLatin1(Name));
    }

    // Runs the widget's task-menu entry named Text, as a person picks it from the menu.
    bool runTask(QWidget *Widget, const QString &Text)
    {
        auto *menu = qt_extension<QDesignerTaskMenuExtension *>(m_core->extensionManager(), Widget);
        for (QAction *action : menu ? menu->taskActions() : QList<QAction *>())
            if (action->text() == Text) {
                action->trigger();
                return true;
            }
        return false;
    }

    TDesignWindow *openGridDesigner()
    {
        return runTask(formWidget("grid1"), u"Kor-DBGrid Designer..."_s)
                   ? openWindow("TKorDBGridDesigner")
                   : nullptr;
    }

    // Shows the page Page of the tab control Control of Window.
    static void showPage(TDesignWindow *Window, const QString &Control, const QString &Page)
    {
        Window->findChild<QTabWidget *>(Control)->setCurrentWidget(
            Window->findChild<QWidget *>(Page));
    }

    // The check box Name on the grid designer's Design page, shown.
    static TCheckBox *designPageBox(TDesignWindow *Window, const QString &Name)
    {
        showPage(Window, u"PageControl"_s, u"DesignTabSheet"_s);
        return Window->findChild<TCheckBox *>(Name);
    }

    // Deletes Widget as a person does: selects it and picks Delete.
    bool deleteWidget(QWidget *Widget)
    {
        m_form->clearSelection(false);
        m_form->selectWidget(Widget, true);
        flush();
        QAction *remove =
            m_core->formWindowManager()->action(QDesignerFormWindowManagerInterface::DeleteAction);
        if (!remove->isEnabled())
            return false;
        remove->trigger();
        flush();
        return true;
    }

    static void flush()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    static void closeDesignWindows()
    {
        for (TDesignWindow *window : openDesignWindows())
            window->close();
        flush();
    }

    // kForm with a connection to Database; given a Query, a data set of it, open, under
    // dataSource1, which the grid shows.
    static QString formOver(const QString &Database, const char *Query = nullptr)
    {
        const auto json = [](const QJsonObject &Object) {
            return QString::fromUtf8(QJsonDocument(Object).toJson(QJsonDocument::Compact));
        };
        const auto link = [&](const char *Key, const char *Name) {
            return Query ? json({{QLatin1String(Key), Name}}) : QString();
        };
        const QString query =
            json({{"SQLConnection", "connection"}, {"CommandText", Query}, {"Active", true}});
        QList<TFormWidget> widgets{
            {"TKorDBGrid", "grid1", {10, 10, 400, 200}, link("DataSource", "dataSource1")},
            {"TSQLConnectionPlaceholder", "connection", {}, json({{"DatabaseName", Database}})},
            {"TSQLDataSetPlaceholder", "data", {}, query},
            {"TDataSourcePlaceholder", "dataSource1", {450, 10, 120, 28}, link("DataSet", "data")}};
        if (!Query)
            widgets.removeAt(2);
        return formOf(widgets);
    }

    // Sets a property of Widget as Designer's property editor does: one undoable command.
    void set(QWidget *Widget, const char *Name, const QVariant &Value)
    {
        m_form->cursor()->setWidgetProperty(Widget, QString::fromLatin1(Name), Value);
    }

    QDesignerPropertySheetExtension *sheet(QWidget *Widget) const
    {
        return qt_extension<QDesignerPropertySheetExtension *>(m_core->extensionManager(), Widget);
    }

    // What Designer's property editor shows for the property Name of Widget; nothing for a
    // property it does not show.
    QVariant value(QWidget *Widget, const char *Name) const
    {
        QDesignerPropertySheetExtension *properties = sheet(Widget);
        const int index = properties->indexOf(QString::fromLatin1(Name));
        return index >= 0 && properties->isVisible(index) ? properties->property(index)
                                                          : QVariant();
    }

private slots:
    void initTestCase()
    {
        ResetTestSettingsDir();
        m_dialogsScopes.push_back(std::make_unique<THostDialogsScope>(m_dialogs));
        // Designer finds the plugin where it finds every plugin: in "designer" below a plugin
        // folder.
        QCoreApplication::addLibraryPath(QStringLiteral(KOR_DESIGNER_PLUGIN_ROOT));
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        m_collection =
            qobject_cast<QDesignerCustomWidgetCollectionInterface *>(m_loader.instance());
        QVERIFY(m_collection);

        // Designer's own form editor, set up as its application sets it up.
        QDesignerComponents::initializeResources();
        m_core = QDesignerComponents::createFormEditor(nullptr);
        m_main = std::make_unique<QMainWindow>();
        m_main->resize(900, 600);
        m_core->setTopLevel(m_main.get());
        QDesignerComponents::createTaskMenu(m_core, m_core);
        QDesignerComponents::initializePlugins(m_core);
        m_core->setWidgetBox(QDesignerComponents::createWidgetBox(m_core, nullptr));
        m_core->setPropertyEditor(QDesignerComponents::createPropertyEditor(m_core, nullptr));
        m_core->setObjectInspector(QDesignerComponents::createObjectInspector(m_core, nullptr));
        new QDesignerIntegration(m_core, m_core);
        m_dialogsScopes.push_back(std::make_unique<THostDialogsScope>(m_dialogs));
        QVERIFY(m_errors.isEmpty());
    }

    void init()
    {
        m_errors.clear();
        QDesignerFormWindowManagerInterface *manager = m_core->formWindowManager();
        m_form = manager->createFormWindow(m_main.get());
        m_history = m_form->commandHistory();
        m_main->setCentralWidget(m_form);
        QVERIFY(m_form->setContents(kForm));
        manager->setActiveFormWindow(m_form);
        m_main->show();
        QVERIFY(formWidget("grid1") && formWidget("dataSource1"));
    }

    void cleanup()
    {
        closeDesignWindows();
        delete m_form.data();
        flush();
        QCOMPARE(m_errors, QStringList());
    }

    void cleanupTestCase()
    {
        // The form editor goes first: the task-menu factory it holds is the plugin's code.
        delete m_core->propertyEditor();
        delete m_core->objectInspector();
        delete m_core->widgetBox();
        delete m_core;
        m_main.reset();
        m_dialogsScopes.clear();
    }

    // The grid's task menu holds its editor's verbs, separators as separators, then "Links...".
    // The form's root owns the form's components; a rename in Designer renames the component.
    void rootOwnsTheFormsComponents()
    {
        const QList<QAction *> actions = qt_extension<QDesignerTaskMenuExtension *>(
                                             m_core->extensionManager(), formWidget("grid1"))
                                             ->taskActions();
        QVERIFY(actions.size() > 3);
        QCOMPARE(actions.last()->text(), u"Links..."_s);
        for (QAction *action : actions)
            QVERIFY(action->isSeparator() !=
                    (action->text() != "-"_L1 && !action->text().isEmpty()));
        TDesignWindow *window = openGridDesigner();
        QVERIFY(window && window->Designer() && window->Designer()->GetRoot());
        IDesigner *designer = window->Designer();
        TComponent *root = designer->GetRoot();
        QCOMPARE(root->Name(), u"Orders"_s);
        QCOMPARE(root->ComponentCount(), 2);
        TComponent *source = WidgetComponent(formWidget("dataSource1"));
        QCOMPARE(source->Owner(), root);
        set(formWidget("dataSource1"), "objectName", u"customers"_s);
        QCOMPARE(source->Name(), u"customers"_s);
        QCOMPARE(designer->GetComponent(u"customers"_s), source);
    }

    // A change on a page of the grid designer is a property command of the form: Designer's
    // property sheet marks it changed (so it is saved), and Designer's undo takes it back. With
    // nothing selected in Designer the form is the selection, and the windows work as before.
    void pageChangeIsAFormPropertyChange_data()
    {
        QTest::addColumn<QStringList>("row"); // check box, property
        QTest::addColumn<bool>("nothingSelected");
        QTest::addRow("plain property") << QStringList{"TitlesCheckBox", "Options"} << false;
        QTest::addRow("in the form text")
            << QStringList{"GradientActiveCheckBox", "formText"} << false;
        QTest::addRow("nothing selected") << QStringList{"TitlesCheckBox", "Options"} << true;
    }

    void pageChangeIsAFormPropertyChange()
    {
        QFETCH(QStringList, row);
        QFETCH(bool, nothingSelected);
        const QByteArray property = row[1].toLatin1();
        QWidget *grid = formWidget("grid1");
        TDesignWindow *window = openGridDesigner();
        QVERIFY(window);
        TCheckBox *box = designPageBox(window, row[0]);
        QVERIFY(box);
        TNoticeProbe probe;
        if (nothingSelected) {
            // Designer with nothing selected shows the form; a widget of no component selected
            // is the same; a package window selecting nothing leaves Designer's selection.
            flush(); // the designer window, as it becomes active, selects its grid
            IDesigner *designer = window->Designer();
            const QList<QObject *> form{designer->GetRoot()->Object()};
            QWidget *label =
                m_core->widgetFactory()->createWidget(u"QLabel"_s, m_form->mainContainer());
            m_form->manageWidget(label);
            for (QWidget *selected : {m_form->mainContainer(), label}) {
                designer->SelectComponent(WidgetComponent(grid)->Object());
                m_form->clearSelection(false);
                m_form->selectWidget(selected, true);
                flush();
                QCOMPARE(probe.lastSelection, form);
                QCOMPARE(designer->GetSelections(), form);
            }
            designer->SelectComponent(nullptr);
            QCOMPARE(m_form->cursor()->selectedWidgetCount(), 1);
            QCOMPARE(m_form->cursor()->selectedWidget(0), label);
            QVERIFY(window->isVisible());
        }

        const int steps = m_history->count();
        const QVariant before = grid->property(property);
        const bool checked = box->Checked();
        box->click();
        const QVariant after = grid->property(property);
        QVERIFY(after != before);
        QCOMPARE(m_history->count(), steps + 1);
        QVERIFY(sheet(grid)->isChanged(sheet(grid)->indexOf(row[1])));
        m_history->undo();
        QCOMPARE(grid->property(property), before);
        QCOMPARE(box->Checked(), checked); // the page reads the form again
        m_history->redo();
        QCOMPARE(grid->property(property), after);
        QCOMPARE(box->Checked(), !checked);
    }

    void selectionGoesBothWays()
    {
        TNoticeProbe probe;
        TDesignWindow *window = openGridDesigner();
        QVERIFY(window);
        IDesigner *designer = window->Designer();
        QWidget *gridWidget = formWidget("grid1");
        QWidget *sourceWidget = formWidget("dataSource1");
        QObject *source = WidgetComponent(sourceWidget)->Object();
        // The designer window, as it becomes active, selects its grid.
        flush();

        // Designer's selection reaches the package's windows.
        m_form->clearSelection(false);
        m_form->selectWidget(sourceWidget, true);
        QTRY_COMPARE(probe.lastSelection, QList<QObject *>{source});
        QCOMPARE(designer->GetSelections(), QList<QObject *>{source});

        // The package's selection reaches Designer: a column selects its grid there, and stays
        // the selection here.
        auto *grid = qobject_cast<TKorDBGrid *>(gridWidget);
        TKorColumn *column = grid->Columns()->Add();
        designer->SetSelections({column});
        QCOMPARE(m_form->cursor()->selectedWidgetCount(), 1);
        QCOMPARE(m_form->cursor()->selectedWidget(0), gridWidget);
        flush();
        QCOMPARE(designer->GetSelections(), QList<QObject *>{column});

        designer->SelectComponent(source);
        QCOMPARE(m_form->cursor()->selectedWidget(0), sourceWidget);
        QCOMPARE(probe.lastSelection, QList<QObject *>{source});
    }

    // Removing a widget closes its component's windows, and undo brings the component back;
    // closing the form closes its designer's windows.
    void removingAWidgetOrTheFormClosesItsWindows()
    {
        TNoticeProbe probe;
        QWidget *gridWidget = formWidget("grid1");
        TComponent *grid = WidgetComponent(gridWidget);
        QVERIFY(runTask(gridWidget, u"Co&lumns Editor..."_s));
        QPointer<TDesignWindow> window = openGridDesigner();
        QVERIFY(window);
        QCOMPARE(openDesignWindows().size(), 2);
        IDesigner *designer = window->Designer();
        QVERIFY(deleteWidget(gridWidget));
        QVERIFY(probe.deleted.contains(gridWidget) && openDesignWindows().isEmpty() &&
                !designer->GetComponent(u"grid1"_s));
        m_history->undo();
        QCOMPARE(designer->GetComponent(u"grid1"_s), grid);

        window = openGridDesigner();
        QVERIFY(window);
        probe.closed.clear();
        delete m_form.data();
        flush();
        QCOMPARE(probe.closed, QList<IDesigner *>{designer});
        QVERIFY(openDesignWindows().isEmpty());
    }

    // The property sheet of a package widget offers links by name, the texts of a placeholder
    // and colours and cursors in Designer's types; it hides the geometry and state mirrors and
    // keeps formText from being typed into. A change is one undo step; a name or a text that
    // does not fit changes nothing and raises no error.
    void propertySheetOffersWhatDesignerEdits()
    {
        QVERIFY(m_form->setContents(kLinkedForm));
        flush();
        QWidget *grid = formWidget("grid1");
        QWidget *source = formWidget("dataSource1");
        QWidget *dataSet = formWidget("dataSet1");
        TComponent *sourceComponent = WidgetComponent(source);
        QCOMPARE(value(grid, "DataSource"), QVariant(u"dataSource1"_s));
        QCOMPARE(value(dataSet, "CommandText"), QVariant(u"SELECT id\nFROM orders"_s));
        QCOMPARE(value(grid, "fillerColor").typeId(), QMetaType::QColor);
        QCOMPARE(value(grid, "dragCursor").typeId(), QMetaType::QCursor);
        QVERIFY(!value(grid, "Width").isValid() && value(grid, "geometry").isValid() &&
                !value(grid, "formText").isValid());

        // A link by name, undone in one step; the saved form keeps links in formText only.
        const QObject *dataSet1 = WidgetComponent(dataSet)->Object();
        const QObject *dataSet2 = WidgetComponent(formWidget("dataSet2"))->Object();
        int steps = m_history->count();
        set(source, "DataSet", u"DATASET2"_s);
        QCOMPARE(linked(sourceComponent, "DataSet"), dataSet2);
        QCOMPARE(m_history->count(), steps + 1);
        QVERIFY(sheet(source)->isChanged(sheet(source)->indexOf(u"formText"_s)));
        const QString saved = m_form->contents();
        QVERIFY(saved.contains("&quot;DataSet&quot;:&quot;dataSet2&quot;"_L1) ||
                saved.contains("\"DataSet\":\"dataSet2\""_L1));
        QVERIFY(!saved.contains("name=\"DataSet\""_L1));
        m_history->undo();
        QCOMPARE(linked(sourceComponent, "DataSet"), dataSet1);

        // A name of no data set on the form (a grid's, a typo) and a text that does not read
        // change nothing.
        const QString text = source->property("formText").toString();
        for (const QString &bad : {u"grid1"_s, u"dataSe"_s}) {
            set(source, "DataSet", bad);
            QCOMPARE(linked(sourceComponent, "DataSet"), dataSet1);
        }
        set(source, "formText", u"{\"DataSet\":"_s);
        QCOMPARE(source->property("formText").toString(), text);
        QCOMPARE(linked(sourceComponent, "DataSet"), dataSet1);

        // Texts of a placeholder.
        set(dataSet, "CommandText", u"SELECT *\nFROM customers"_s);
        QVERIFY(dataSet->property("formText").toString().contains("customers"_L1));

        // Colours: a colour picked is written as the host's colour, which the saved form keeps
        // as the number uic sets; a named system colour shown and written back unchanged keeps
        // its name, also when undo brings it back.
        const qint32 systemColor = grid->property("Color").toInt();
        QCOMPARE(systemColor & 0xFF000000, qint32(0xFF000000));
        set(grid, "color", value(grid, "color"));
        QCOMPARE(grid->property("Color").toInt(), systemColor);
        set(grid, "color", QColor(Qt::red));
        QCOMPARE(grid->property("Color").toInt(), 0x0000FF);
        QVERIFY(m_form->contents().contains("<number>255</number>"_L1) &&
                !m_form->contents().contains("<color"_L1));
        m_history->undo();
        QCOMPARE(grid->property("Color").toInt(), systemColor);
        set(grid, "dragCursor", QCursor(Qt::PointingHandCursor));
        QCOMPARE(grid->property("DragCursor").toInt(), -21);
    }

    // A colour at its default shows as the colour the grid really paints with, and clNone as no
    // colour; both written back unchanged keep what they were. The grid's filler, painted over
    // an empty grid, is the colour looked at.
    void defaultColoursShowTheColourInUse()
    {
        QWidget *grid = formWidget("grid1");
        QVERIFY(value(grid, "fillerColor").isValid());
        QCOMPARE(grid->property("FillerColor").toInt(), clDefault);
        const auto painted = [grid] {
            return grid->grab().toImage().pixelColor(grid->width() * 3 / 4, grid->height() * 3 / 4);
        };
        QColor before;
        for (const QColor &color : {QColor(), QColor(Qt::darkCyan)}) {
            if (color.isValid())
                set(grid, "color", color);
            const QColor shown = value(grid, "fillerColor").value<QColor>();
            if (!before.isValid())
                before = shown;
            QCOMPARE(shown.alpha(), 255);
            QCOMPARE(shown, painted());
            set(grid, "fillerColor", shown);
            QCOMPARE(grid->property("FillerColor").toInt(), clDefault);
        }
        QCOMPARE(painted(), QColor(Qt::darkCyan));
        // The colour the default showed before is a colour of its own now.
        set(grid, "fillerColor", before);
        QCOMPARE(grid->property("FillerColor").toInt(), QColorToColor(before));

        set(grid, "FillerColor", int(clNone));
        QCOMPARE(value(grid, "fillerColor").value<QColor>().alpha(), 0);
        set(grid, "fillerColor", value(grid, "fillerColor"));
        QCOMPARE(grid->property("FillerColor").toInt(), clNone);
    }

    // "Links..." in the task menu: a combo box per link, a sub-object's by its path, listing the
    // form's components of the class the link takes; OK writes the links as one undo step.
    void linksWindowSetsLinksAsOneStep()
    {
        QVERIFY(m_form->setContents(kLinkedForm));
        flush();
        QWidget *gridWidget = formWidget("grid1");
        auto *grid = qobject_cast<TKorDBGrid *>(WidgetComponent(gridWidget)->Object());
        QObject *source = grid->DataSource();
        QVERIFY(source);
        QVERIFY(runTask(gridWidget, u"Links..."_s));
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog && dialog->objectName() == "LinksDialog"_L1);
        auto *sourceBox = dialog->findChild<QComboBox *>(u"DataSource"_s);
        auto *masterBox = dialog->findChild<QComboBox *>(u"MasterGrid"_s);
        auto *totalsBox = dialog->findChild<QComboBox *>(u"Totals.DataSource"_s);
        QVERIFY(sourceBox && masterBox && totalsBox);
        const auto items = [](const QComboBox *Box) {
            QStringList list;
            for (int i = 0; i < Box->count(); ++i)
                list.append(Box->itemText(i));
            return list.join(QLatin1Char(','));
        };
        QCOMPARE(items(sourceBox), u"(none),dataSource1"_s);
        QCOMPARE(sourceBox->currentText(), u"dataSource1"_s);
        QCOMPARE(items(masterBox), u"(none),grid2"_s);
        const int steps = m_history->count();
        sourceBox->setCurrentIndex(0);
        masterBox->setCurrentIndex(1);
        totalsBox->setCurrentIndex(1);
        dialog->accept();
        flush();
        QCOMPARE(grid->DataSource(), nullptr);
        QCOMPARE(linked(WidgetComponent(gridWidget), "MasterGrid"), formWidget("grid2"));
        QCOMPARE(grid->Totals()->DataSource(), source);
        QCOMPARE(m_history->count(), steps + 1);
        m_history->undo();
        QCOMPARE(grid->DataSource(), source);
        QCOMPARE(linked(WidgetComponent(gridWidget), "MasterGrid"), nullptr);
        QCOMPARE(grid->Totals()->DataSource(), nullptr);
    }

    // Deleting a component in Designer clears the links to it, of sub-objects too, within the
    // delete; undo brings them back; a new component of the same name is not linked.
    void deletingAComponentClearsLinksToIt()
    {
        QVERIFY(m_form->setContents(kLinkedForm));
        flush();
        QWidget *gridWidget = formWidget("grid1");
        QWidget *sourceWidget = formWidget("dataSource1");
        auto *grid = qobject_cast<TKorDBGrid *>(WidgetComponent(gridWidget)->Object());
        QObject *source = WidgetComponent(sourceWidget)->Object();
        set(gridWidget, "Totals.DataSource", u"dataSource1"_s);
        QCOMPARE(grid->Totals()->DataSource(), source);
        QCOMPARE(value(gridWidget, "Totals.DataSource"), QVariant(u"dataSource1"_s));

        const int steps = m_history->count();
        QVERIFY(deleteWidget(sourceWidget));
        QCOMPARE(m_history->count(), steps + 1);
        QCOMPARE(grid->DataSource(), nullptr);
        QCOMPARE(grid->Totals()->DataSource(), nullptr);
        QVERIFY(!m_form->contents().contains("dataSource1"_L1));
        m_history->undo();
        QCOMPARE(formWidget("dataSource1"), sourceWidget);
        QCOMPARE(grid->Totals()->DataSource(), source);
        QCOMPARE(grid->DataSource(), source);
        m_history->redo();
        QCOMPARE(grid->DataSource(), nullptr);

        QWidget *fresh = m_core->widgetFactory()->createWidget(u"TDataSourcePlaceholder"_s,
                                                               m_form->mainContainer());
        fresh->setObjectName(u"dataSource1"_s);
        m_form->manageWidget(fresh);
        flush();
        QCOMPARE(WidgetComponent(fresh)->Name(), u"dataSource1"_s);
        QCOMPARE(grid->DataSource(), nullptr);
        QVERIFY(!gridWidget->property("formText").toString().contains("dataSource1"_L1));
    }

    // A package window opened from the task menu or by a double-click comes to the front with
    // the keyboard and stays there: Designer's main window is not activated again, keeps its
    // place, size and maximised state, and the package window stays above it as its tool window.
    // A double-click runs the grid editor's Edit (the columns editor and the grid designer); a
    // component without an editor of its own keeps Designer's double-click.
    void packageWindowsLeaveTheMainWindowAlone_data()
    {
        QTest::addColumn<bool>("doubleClick");
        QTest::addRow("task menu") << false;
        QTest::addRow("double-click") << true;
    }

    void packageWindowsLeaveTheMainWindowAlone()
    {
        QFETCH(bool, doubleClick);
        m_main->showMaximized();
        QApplication::setActiveWindow(m_main.get());
        QTRY_COMPARE(QApplication::activeWindow(), m_main.get());
        flush();
        const QRect geometry = m_main->geometry();
        const Qt::WindowStates state = m_main->windowState();
        struct TActivations : QObject {
            int count = 0;
            bool eventFilter(QObject *, QEvent *Event) override
            {
                count += Event->type() == QEvent::WindowActivate;
                return false;
            }
        } activations;
        m_main->installEventFilter(&activations);

        QWidget *grid = formWidget("grid1");
        if (doubleClick) {
            QTest::mouseClick(grid, Qt::LeftButton, {}, grid->rect().center());
            QTest::mouseDClick(grid, Qt::LeftButton, {}, grid->rect().center());
        } else {
            QVERIFY(runTask(grid, u"Kor-DBGrid Designer..."_s));
        }
        for (int i = 0; i < 5; ++i)
            flush();
        TDesignWindow *window = openWindow("TKorDBGridDesigner");
        QVERIFY(window);
        QCOMPARE(openDesignWindows().size(), doubleClick ? 2 : 1);
        QVERIFY(!qt_extension<QDesignerTaskMenuExtension *>(m_core->extensionManager(),
                                                            formWidget("dataSource1"))
                     ->preferredEditAction());
        m_main->removeEventFilter(&activations);
        QCOMPARE(activations.count, 0);
        QVERIFY(qobject_cast<TDesignWindow *>(QApplication::activeWindow()));
        QCOMPARE(m_main->geometry(), geometry);
        QCOMPARE(m_main->windowState(), state);
        QCOMPARE(window->windowType(), Qt::Tool);
        QCOMPARE(window->windowHandle()->transientParent(), m_main->windowHandle());

        closeDesignWindows();
        m_main->showNormal();
        m_main->resize(900, 600);
    }

    // Every change made in a package window is one step of Designer's undo, named after the
    // command given or after what changed; the keys typed into one box are one change.
    void eachPackageChangeIsOneUndoStep()
    {
        QTemporaryDir dir;
        const QString database =
            CreateTestDatabase(dir.filePath(u"firms.sqlite"_s),
                               {u"CREATE TABLE firms (Company VARCHAR(30), City VARCHAR(30))"_s,
                                u"INSERT INTO firms VALUES ('Acme', 'Springfield')"_s});
        QVERIFY(m_form->setContents(formOver(database, "SELECT * FROM firms")));
        flush();
        auto *grid = qobject_cast<TKorDBGrid *>(formWidget("grid1"));
        QVERIFY(grid);
        const int steps = m_history->count();
        const auto formText = [grid] { return grid->property(kFormTextProperty).toString(); };
        const QString designed = formText();

        QVERIFY(runTask(grid, u"Co&lumns Editor..."_s));
        TDesignWindow *columns = openWindow("TKorDBGridColumnsEditor");
        QVERIFY(columns);
        auto *addAll = columns->findChild<QToolButton *>(u"ToolButton7"_s);
        QVERIFY(addAll && addAll->isEnabled());
        QTest::mouseClick(addAll, Qt::LeftButton);
        QCOMPARE(grid->Columns()->Count(), 2);
        QCOMPARE(m_history->count(), steps + 1);
        QCOMPARE(m_history->undoText(), u"Add All Fields"_s);
        const QString added = formText();
        QVERIFY(added != designed);

        TDesignWindow *window = openGridDesigner();
        QVERIFY(window);
        showPage(window, u"PageControl"_s, u"ColumnsTabSheet"_s);
        showPage(window, u"ColumnsPageControl"_s, u"ColumnTitleTabSheet"_s);
        auto *caption = window->findChild<QLineEdit *>(u"ColumnTitleCaptionEdit"_s);
        QVERIFY(caption);
        window->activateWindow();
        caption->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), caption);
        caption->selectAll();
        QTest::keyClicks(caption, u"Firm"_s);
        QTest::keyClick(caption, Qt::Key_Return);
        flush();
        QCOMPARE(grid->Columns()->Items(0)->Title()->Caption(), u"Firm"_s);
        QCOMPARE(m_history->count(), steps + 2);
        QCOMPARE(m_history->undoText(), u"Change Title.Caption of Company"_s);

        m_history->undo();
        QCOMPARE(grid->Columns()->Items(0)->Title()->Caption(), u"Company"_s);
        QCOMPARE(formText(), added);
        m_history->undo();
        QCOMPARE(formText(), designed);
        closeDesignWindows();
    }

    // Designer saves formText as a text not to translate (uic leaves it out of retranslateUi,
    // lupdate out of the translations), a database file below the .ui relative to it, and
    // QUiLoader builds the saved form with the same texts. Opened again, the relative name is
    // found beside the .ui.
    void savedFormIsClean()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(u"forms/data"_s));
        const QString database =
            CreateTestDatabase(dir.filePath(u"forms/data/firms.sqlite"_s),
                               {u"CREATE TABLE firms (Company VARCHAR(30))"_s});
        m_form->setFileName(dir.filePath(u"forms/orders.ui"_s));
        QVERIFY(m_form->setContents(formOver(database)));
        const auto connection = [this] {
            return dynamic_cast<TSQLConnection *>(WidgetComponent(formWidget("connection")));
        };
        QVERIFY(connection());

        TDesignWindow *window = openGridDesigner();
        QVERIFY(window);
        TCheckBox *box = designPageBox(window, u"GradientActiveCheckBox"_s);
        QVERIFY(box);
        box->click();
        closeDesignWindows();

        const QString saved = m_form->contents();
        QDomDocument dom;
        QVERIFY(dom.setContent(saved));
        const QDomNodeList properties = dom.elementsByTagName(u"property"_s);
        QMap<QString, QString> texts; // by widget
        for (int i = 0; i < properties.size(); ++i) {
            const QDomElement property = properties.at(i).toElement();
            if (property.attribute(u"name"_s) != QLatin1String(kFormTextProperty))
                continue;
            const QDomElement string = property.firstChildElement(u"string"_s);
            QCOMPARE(string.attribute(u"notr"_s), u"true"_s);
            texts.insert(property.parentNode().toElement().attribute(u"name"_s), string.text());
        }
        QCOMPARE(texts.keys(), (QStringList{u"connection"_s, u"grid1"_s}));
        QCOMPARE(texts.value(u"connection"_s), uR"({"DatabaseName":"data/firms.sqlite"})"_s);
        QCOMPARE(texts.value(u"grid1"_s),
                 formWidget("grid1")->property(kFormTextProperty).toString());

        QUiLoader loader;
        loader.clearPluginPaths();
        loader.addPluginPath(QStringLiteral(KOR_DESIGNER_PLUGIN_ROOT "/designer"));
        QBuffer buffer;
        buffer.setData(saved.toUtf8());
        const std::unique_ptr<QWidget> loaded(loader.load(&buffer));
        QVERIFY2(loaded, qPrintable(loader.errorString()));
        for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
            auto *again = loaded->findChild<QWidget *>(it.key());
            QVERIFY(again);
            QCOMPARE(again->property(kFormTextProperty).toString(), it.value());
            QVERIFY(!WidgetComponent(again)->IsDesigning());
        }

        QVERIFY(m_form->setContents(saved));
        QVERIFY(connection());
        QCOMPARE(connection()->DatabaseName(), database);
    }

    // The widget box offers every package entry under a name a person reads (no placeholder
    // class, no class prefix), drops it under a short lower-case object name of its own and at
    // a size it can be used at.
    void widgetBoxEntriesAreFriendly()
    {
        QDesignerWidgetBoxInterface *box = m_core->widgetBox();
        QStringList seen, names;
        for (int i = 0; i < box->categoryCount(); ++i) {
            const QDesignerWidgetBoxInterface::Category category = box->category(i);
            if (category.name() != "Data Controls"_L1 && category.name() != "Data Access"_L1)
                continue;
            for (int j = 0; j < category.widgetCount(); ++j) {
                const QDesignerWidgetBoxInterface::Widget entry = category.widget(j);
                seen.append(entry.name());
                QVERIFY(!entry.name().contains("Placeholder"_L1) && !entry.name().startsWith(u'T'));
                QDomDocument dom;
                QVERIFY(dom.setContent(entry.domXml()));
                const QDomElement widget = dom.documentElement().firstChildElement(u"widget"_s);
                const QString name = widget.attribute(u"name"_s);
                names.append(name);
                QVERIFY(!name.isEmpty() && name.at(0).isLower() && name.size() <= 13 &&
                        !name.contains("Placeholder"_L1));
                const std::unique_ptr<QWidget> made(
                    m_core->widgetFactory()->createWidget(widget.attribute(u"class"_s), nullptr));
                QVERIFY(made);
                QSize size = made->sizeHint();
                const QDomElement rect =
                    widget.firstChildElement(u"property"_s).firstChildElement(u"rect"_s);
                if (!rect.isNull())
                    size = QSize(rect.firstChildElement(u"width"_s).text().toInt(),
                                 rect.firstChildElement(u"height"_s).text().toInt());
                QVERIFY(size.width() >= 40 && size.height() >= 20);
            }
        }
        // Each package widget is designed on a form, where selecting it shows it in Designer's
        // property editor without a property the editor cannot show, and runs in a preview (a
        // window of no form).
        static QStringList warnings;
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &Message) {
                if (Message.contains("is not supported yet"_L1))
                    warnings.append(Message);
            });
        for (QDesignerCustomWidgetInterface *entry : m_collection->customWidgets()) {
            QVERIFY(!entry->icon().isNull());
            // uic includes the header the entry names: it must declare the class.
            QFile header(QStringLiteral(KOR_UIFORM_DIR "/../../host/runtime/") +
                         entry->includeFile());
            QVERIFY(header.open(QIODevice::ReadOnly));
            QVERIFY(header.readAll().contains(' ' + entry->name().toLatin1() + " : public"));
            QWidget *onForm =
                m_core->widgetFactory()->createWidget(entry->name(), m_form->mainContainer());
            onForm->setObjectName(QLatin1Char('w') + entry->name());
            onForm->show();
            m_form->manageWidget(onForm);
            QVERIFY(WidgetComponent(onForm)->IsDesigning());
            m_form->clearSelection(false);
            m_form->selectWidget(onForm, true);
            flush();
            QCOMPARE(m_core->propertyEditor()->object(), onForm);
            QWidget preview;
            QVERIFY(!WidgetComponent(entry->createWidget(&preview))->IsDesigning());
        }
        qInstallMessageHandler(previous);
        QCOMPARE(warnings, QStringList());
        QVERIFY(seen.size() >= 10);
        for (const char *name : {"dataSource", "dataSet", "connection", "grid"})
            QVERIFY(names.contains(QLatin1String(name)));
    }
};

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
