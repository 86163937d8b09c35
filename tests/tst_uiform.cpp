// Forms laid out in .ui files: a form compiled by uic or loaded by QUiLoader holds the same
// components, value for value, as the workbench's form file of the same form; links between
// components resolve whatever order the widgets are made in; a broken form text is reported and
// changes nothing; a component's text applied to a fresh component reads back the same; the
// placeholders of components that are not controls follow their component.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#ifdef KOR_HAVE_UITOOLS
#include <QUiLoader>
#endif

#include "column.h"
#include "columnsdialog.h"
#include "datarows.h"
#include "formdesigner.h"
#include "formfile.h"
#include "grid.h"
#include "hostdialogs.h"
#include "kordblistsreg.h"
#include "navigator.h"
#include "registration.h"
#include "sqldata.h"
#include "testsupport.h"
#include "ui_gridform.h"
#include "uicomponents.h"

using namespace Qt::StringLiterals;

namespace {

QString dataFile(const char *Name)
{
    return QStringLiteral(KOR_UIFORM_DIR "/") + QLatin1String(Name);
}

#ifdef KOR_HAVE_UITOOLS
// Makes the package's widgets through CreateUiWidget, as the Qt Designer plugin does.
class TComponentUiLoader : public QUiLoader {
public:
    QWidget *createWidget(const QString &ClassName, QWidget *Parent, const QString &Name) override
    {
        if (const QMetaObject *Class = FindUiWidgetClass(ClassName)) {
            QWidget *widget = CreateUiWidget(Class, Parent);
            if (widget)
                widget->setObjectName(Name);
            return widget;
        }
        return QUiLoader::createWidget(ClassName, Parent, Name);
    }
};
#endif

// The test form laid out from gridform.ui, by uic or by QUiLoader.
std::unique_ptr<QWidget> loadGridForm(const QString &How)
{
    if (How == "uic"_L1) {
        auto window = std::make_unique<QWidget>();
        Ui::GridForm().setupUi(window.get());
        return window;
    }
#ifdef KOR_HAVE_UITOOLS
    QFile file(dataFile("gridform.ui"));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    TComponentUiLoader loader;
    return std::unique_ptr<QWidget>(loader.load(&file));
#else
    return nullptr;
#endif
}

// The components a window laid out from a .ui file holds, by name.
QMap<QString, TComponent *> componentsOn(QWidget *Window)
{
    QMap<QString, TComponent *> found;
    for (QWidget *widget : Window->findChildren<QWidget *>())
        if (TComponent *component = WidgetComponent(widget))
            found.insert(component->Name(), component);
    return found;
}

// The first stored value in which two components differ, as "Property: actual / expected";
// empty when they hold the same values.
QString firstDifference(const TComponent *Actual, const TComponent *Expected)
{
    const QJsonObject actual = WriteComponentProperties(Actual, TPropertySelection::All);
    const QJsonObject expected = WriteComponentProperties(Expected, TPropertySelection::All);
    QStringList keys = actual.keys() + expected.keys();
    keys.removeDuplicates();
    const auto text = [](const QJsonValue &Value) {
        return QString::fromUtf8(QJsonDocument(QJsonArray{Value}).toJson(QJsonDocument::Compact));
    };
    for (const QString &key : std::as_const(keys))
        if (actual.value(key) != expected.value(key))
            return u"%1: %2 / %3"_s.arg(key, text(actual.value(key)), text(expected.value(key)));
    return {};
}

// A widget of the package made as uic makes it: a child of Parent, named, its text applied.
QWidget *placeWidget(const char *ClassName, const char *Name, const QByteArray &Text,
                     QWidget *Parent)
{
    QWidget *widget = CreateUiWidget(FindUiWidgetClass(QLatin1String(ClassName)), Parent);
    widget->setObjectName(QLatin1String(Name));
    if (!Text.isNull())
        widget->setProperty(kFormTextProperty, QString::fromUtf8(Text));
    return widget;
}

// Scenarios of widgets made in different orders whose texts link to each other: the grid (G) to
// DataSource1 (D), DataSource1 to SQLDataSet1 (S). In the order made; lower case: the .ui gives
// it no text; *: made on a tab page that joins the window after every widget is made.
struct TScenario {
    enum TWhen { OnceMade, PageJoins, WindowShown };
    const char *label, *Steps;
    TWhen Resolved; // when every link is set; until then the grid waits for DataSource1
};

// A text that cannot be read, given to a component of ClassName, and what the message says.
struct TBrokenRow {
    const char *label, *className, *text, *message;
};

const char kGridText[] = R"({"DataSource":"DataSource1"})";

const TScenario kScenarios[] = {
    {"targets made first", "S D G", TScenario::OnceMade},
    {"targets made last", "G D S", TScenario::OnceMade},
    {"last target has no text of its own", "G D s", TScenario::OnceMade},
    {"grid on a tab page that joins the window later", "G* S D", TScenario::PageJoins},
    {"target on a tab page that joins the window later", "G D* S*", TScenario::WindowShown},
};

} // namespace

class TestUiForm : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_connection; // the text of a connection to the test database
    // Every message goes to the test; a test expecting one clears it.
    TScriptedDialogs m_messages;
    std::unique_ptr<THostDialogsScope> m_messagesScope;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString database = CreateTestDatabase(
            m_dir.filePath(u"sample.sqlite"_s),
            {u"CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(30), "
             "city VARCHAR(30))"_s,
             u"INSERT INTO customers VALUES (1, 'Ann', 'Springfield'), (2, 'Bob', "
             "'Shelbyville')"_s});
        m_connection =
            QJsonDocument(QJsonObject{{"DatabaseName", database}}).toJson(QJsonDocument::Compact);
        m_messagesScope = std::make_unique<THostDialogsScope>(m_messages);
        RegisterComponents(u"Form file test"_s,
                           {&TSQLConnection::staticMetaObject, &TSQLDataSet::staticMetaObject,
                            &TDataSource::staticMetaObject, &TKorDBGrid::staticMetaObject});
    }

    void cleanup()
    {
        QCOMPARE(m_messages.Errors, QStringList());
        m_messages.Errors.clear();
    }

    // The .ui form and the form file of the same form give the same components with the same
    // values, whether uic compiled the form or QUiLoader read it.
    void uiFormHoldsWhatItsFormFileHolds_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("uic") << u"uic"_s;
        QTest::newRow("QUiLoader") << u"QUiLoader"_s;
    }

    void uiFormHoldsWhatItsFormFileHolds()
    {
        QFETCH(QString, how);
#ifndef KOR_HAVE_UITOOLS
        if (how == "QUiLoader"_L1)
            QSKIP("Qt's UiTools are not installed");
#endif
        const std::unique_ptr<QWidget> window = loadGridForm(how);
        QVERIFY(window);
        TFormDesigner designer;
        QFile file(dataFile("gridform.kform"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        ReadFormText(&designer, file.readAll());

        const QMap<QString, TComponent *> loaded = componentsOn(window.get());
        QCOMPARE(loaded.size(), designer.Form()->ComponentCount());
        for (int i = 0; i < designer.Form()->ComponentCount(); ++i) {
            const TComponent *expected = designer.Form()->Components(i);
            const TComponent *actual = loaded.value(expected->Name());
            QVERIFY2(actual, qPrintable(expected->Name()));
            QCOMPARE(actual->ClassName(), expected->ClassName());
            QCOMPARE(firstDifference(actual, expected), QString());
            // Its own text applied again changes nothing.
            ComponentWidget(actual)->setProperty(kFormTextProperty, ComponentFormText(actual));
            QCOMPARE(firstDifference(actual, expected), QString());
        }
        // The control's plain values came as Qt properties of the .ui.
        auto *grid = dynamic_cast<TKorDBGrid *>(loaded.value(u"KorDBGrid1"_s));
        QVERIFY(grid);
        QCOMPARE(grid->BorderStyle(), Vcl::bsNone);
        QCOMPARE(grid->FixedColor(), clRed);
    }

    // Links name components that may be made after the component naming them, that may have no
    // text of their own, or that join the window later; each link waits until its component is
    // there, and is written meanwhile with the name it waits for.
    void linksResolveWhateverTheWidgetOrder_data()
    {
        AddRows(kScenarios);
    }

    void linksResolveWhateverTheWidgetOrder()
    {
        QFETCH(TScenario, row);
        QWidget window;
        auto *tabs = new QTabWidget(&window);
        std::unique_ptr<QWidget> page = std::make_unique<QWidget>();
        const struct {
            const char *Class, *Name, *Text;
        } widgets[] = {{"TKorDBGrid", "KorDBGrid1", kGridText},
                       {"TDataSourcePlaceholder", "DataSource1", R"({"DataSet":"SQLDataSet1"})"},
                       {"TSQLDataSetPlaceholder", "SQLDataSet1", R"({"CommandText":"SELECT 1"})"}};
        for (const QString &step : QString::fromLatin1(row.Steps).split(QLatin1Char(' '))) {
            const auto &made = widgets[u"GDS"_s.indexOf(step.at(0).toUpper())];
            placeWidget(made.Class, made.Name, step.at(0).isUpper() ? made.Text : nullptr,
                        step.endsWith(QLatin1Char('*')) ? page.get() : &window);
        }
        QWidget *pageWidget = page.get();
        const auto componentNamed = [&](const char *Name) {
            QWidget *widget = window.findChild<QWidget *>(QLatin1String(Name));
            return WidgetComponent(widget ? widget : pageWidget->findChild<QWidget *>(Name));
        };
        auto *grid = dynamic_cast<TKorDBGrid *>(componentNamed("KorDBGrid1"));
        auto *source = dynamic_cast<TDataSource *>(componentNamed("DataSource1"));
        TComponent *dataSet = componentNamed("SQLDataSet1");
        QVERIFY(grid && source && dataSet);

        if (row.Resolved != TScenario::OnceMade) {
            QVERIFY(HasWaitingLinks(grid) && !grid->DataSource());
            QCOMPARE(ComponentFormText(grid), QLatin1String(kGridText));
            tabs->addTab(page.release(), u"Page"_s);
            if (row.Resolved == TScenario::WindowShown)
                window.show();
        }
        QCOMPARE(AsComponent(grid->DataSource()), static_cast<TComponent *>(source));
        QCOMPARE(AsComponent(source->DataSet()), dataSet);
        QVERIFY(!HasWaitingLinks(grid) && !HasWaitingLinks(source));
        QCOMPARE(ComponentFormText(grid), QLatin1String(kGridText));
    }

    // A data set whose text opens it waits for its connection, and opens once the connection
    // is there and the form is complete; made after its connection, it opens at once. One that
    // its text leaves closed is left to the program.
    void dataSetOpensOnceItsLinksAreSet_data()
    {
        QTest::addColumn<bool>("textOpens");
        QTest::addColumn<bool>("connectionFirst");
        QTest::newRow("opened by its text, connection made later") << true << false;
        QTest::newRow("opened by its text, connection made first") << true << true;
        QTest::newRow("opened by the program") << false << false;
    }

    void dataSetOpensOnceItsLinksAreSet()
    {
        QFETCH(bool, textOpens);
        QFETCH(bool, connectionFirst);
        QWidget window;
        const auto placeConnection = [&] {
            placeWidget("TSQLConnectionPlaceholder", "SQLConnection1", m_connection, &window);
        };
        if (connectionFirst)
            placeConnection();
        placeWidget("TSQLDataSetPlaceholder", "SQLDataSet1",
                    R"({"SQLConnection":"SQLConnection1","CommandText":"SELECT * FROM customers",)"
                    R"("Active":)" +
                        QByteArray(textOpens ? "true}" : "false}"),
                    &window);
        auto *dataSet = dynamic_cast<TSQLDataSet *>(
            WidgetComponent(window.findChild<QWidget *>(u"SQLDataSet1"_s)));
        QVERIFY(dataSet);
        if (!connectionFirst) {
            QVERIFY(!dataSet->Active());
            placeConnection();
            QVERIFY(dataSet->SQLConnection() && !dataSet->Active()); // the form is still being made
            if (!textOpens)
                dataSet->Open();
            window.show();
        }
        QVERIFY(dataSet->Active());
        QCOMPARE(dataSet->RecordCount(), 2);
        QVERIFY(!HasWaitingLinks(dataSet));
    }

    // A text that cannot be read is reported through the host when Qt's property system sets
    // it, raised when applied directly, and changes nothing either way.
    void brokenTextIsReportedAndChangesNothing_data()
    {
        static const TBrokenRow rows[] = {
            {"syntax", "TKorDBGrid", R"({"Columns": [)", "Line 1, column 14"},
            {"plain value in a control's text", "TKorDBGrid", R"({"FixedColor": "clRed"})",
             "FixedColor: a plain value"},
            {"bad value deep down", "TKorDBGrid",
             R"({"Columns": [{"Title": {"Alignment": "taNowhere"}}]})",
             "Columns[0].Title.Alignment: taNowhere is not a value of TAlignment"},
            {"not an object", "TSQLDataSetPlaceholder", R"(["CommandText"])",
             "expected an object of properties"},
            {"link that is not a name", "TSQLDataSetPlaceholder", R"({"SQLConnection": 5})",
             "expected a component name or null"},
            {"string expected", "TSQLDataSetPlaceholder", R"({"CommandText": 5})",
             "CommandText: expected a string"},
        };
        AddRows(rows);
    }

    void brokenTextIsReportedAndChangesNothing()
    {
        QFETCH(TBrokenRow, row);
        const QString text = QString::fromUtf8(row.text);
        QWidget window;
        const char *good =
            qstrcmp(row.className, "TKorDBGrid") == 0
                ? R"({"Columns":[{"FieldName":"id"}],"TitleFont":{"Style":["fsBold"]}})"
                : R"({"CommandText":"SELECT 1"})";
        QWidget *widget = placeWidget(row.className, "Grid", good, &window);
        TComponent *component = WidgetComponent(widget);
        const QString before = ComponentFormText(component);
        QCOMPARE(before, QLatin1String(good));

        widget->setProperty(kFormTextProperty, text);
        QCOMPARE(m_messages.Errors.size(), 1);
        QVERIFY(m_messages.Errors.takeFirst().contains(QLatin1String(row.message)));
        QCOMPARE(ComponentFormText(component), before);
        QVERIFY_THROWS_EXCEPTION(EFormFileError, ApplyComponentFormText(component, text));
        QCOMPARE(ComponentFormText(component), before);
    }

    // A data set's persistent fields travel in its formText: made in order in the data set, a
    // lookup's link waiting for a data set made later, the text read back the same; a text
    // without a field drops it.
    void ownedComponentsTravelInTheirOwnersText()
    {
        QWidget window;
        placeWidget("TSQLConnectionPlaceholder", "SQLConnection1", m_connection, &window);
        const QByteArray twice =
            R"({"name":"SQLDataSet1Twice","class":"TField","properties":{"FieldKind":"fkCalculated",)"
            R"("FieldName":"Twice"}},)";
        const QByteArray customers =
            R"({"Active":true,"CommandText":"SELECT * FROM customers","SQLConnection":"SQLConnection1",)"
            R"("components":[)"
            R"({"name":"SQLDataSet1name","class":"TField","properties":{"FieldName":"name"}},)"
            R"({"name":"SQLDataSet1Other","class":"TField","properties":{"DataType":"ftString",)"
            R"("FieldKind":"fkLookup","FieldName":"Other","KeyFields":"id","LookupDataSet":"SQLDataSet2",)"
            R"("LookupKeyFields":"id","LookupResultField":"city","ReadOnly":true}},)" +
            twice +
            R"({"name":"SQLDataSet1id","class":"TField","properties":{"FieldName":"id"}}]})";
        QWidget *first = placeWidget("TSQLDataSetPlaceholder", "SQLDataSet1", customers, &window);
        placeWidget("TSQLDataSetPlaceholder", "SQLDataSet2",
                    R"({"Active":true,"CommandText":"SELECT * FROM customers",)"
                    R"("SQLConnection":"SQLConnection1"})",
                    &window);
        ResolveWaitingLinks();
        auto *dataSet = dynamic_cast<TSQLDataSet *>(WidgetComponent(first));
        QVERIFY(dataSet && dataSet->Active());
        QStringList names;
        dataSet->GetFieldNames(names);
        QCOMPARE(names, (QStringList{"name", "Other", "Twice", "id"}));
        QCOMPARE(dataSet->FieldByName("Other")->Owner(), static_cast<TComponent *>(dataSet));
        QCOMPARE(dataSet->FieldByName("Other")->AsString(), u"Springfield"_s);
        const QString text = ComponentFormText(dataSet);
        QCOMPARE(QJsonDocument::fromJson(text.toUtf8()).object(),
                 QJsonDocument::fromJson(customers).object());

        // The same text on a fresh data set of another window reads back the same.
        QWidget other;
        placeWidget("TSQLConnectionPlaceholder", "SQLConnection1", m_connection, &other);
        QWidget *copy = placeWidget("TSQLDataSetPlaceholder", "SQLDataSet1", text.toUtf8(), &other);
        QCOMPARE(ComponentFormText(WidgetComponent(copy)), text);

        // Without the calculated field.
        first->setProperty(kFormTextProperty,
                           QString::fromUtf8(QByteArray(customers).replace(twice, "")));
        QCOMPARE(dataSet->FieldCount(), 3);
        QVERIFY(!dataSet->FindField(u"Twice"_s));
    }

    // Values of the text's kind that a text leaves out go back to their defaults; a control's
    // plain values, which its .ui holds as Qt properties, are left alone.
    void leftOutValuesGoBackToDefaults()
    {
        QWidget window;
        auto *grid = static_cast<TKorDBGrid *>(
            placeWidget("TKorDBGrid", "KorDBGrid1",
                        R"({"Columns":[{"FieldName":"id"}],"TitleFont":{"Size":14},)"
                        R"("Font":{"Name":"Courier New"}})",
                        &window));
        grid->setFixedColor(clRed);
        QCOMPARE(grid->Columns()->State(), Kor::csCustomized);

        grid->setProperty(kFormTextProperty, R"({"Font":{"Name":"Courier New"}})");
        // Left-out columns going back to their defaults, the form-file tests see.
        QCOMPARE(grid->TitleFont()->Size(), TKorDBGrid().TitleFont()->Size());
        QCOMPARE(grid->Font()->Name(), u"Courier New"_s);
        QCOMPARE(grid->FixedColor(), clRed);

        grid->setProperty(kFormTextProperty, QString());
        QCOMPARE(ComponentFormText(grid), QString());
        QCOMPARE(grid->Font()->Name(), TKorDBGrid().Font()->Name());
        QCOMPARE(grid->FixedColor(), clRed);
    }

    // formText is a Qt property of every control. That the host does not publish it, so that
    // form files never show it, the form-file tests see.
    void formTextIsAQtPropertyOfEveryControl()
    {
        TKorDBNavigator navigator;
        QVERIFY(navigator.metaObject()->indexOfProperty(kFormTextProperty) >= 0);
    }

    // A placeholder and its component share one name, whichever is renamed; at run time the
    // placeholder stays hidden, at design time it shows a tile of fixed size with the palette
    // icon (or the class's initials when there is none) and the name.
    void placeholderFollowsItsComponent()
    {
        KorDBListsReg::Register(); // the columns dialog's palette icon
        QWidget window;
        window.resize(200, 70);
        auto *dialog = static_cast<TComponentPlaceholder *>(
            placeWidget("TKorDBColumnsDialogPlaceholder", "ColumnsDialog1", nullptr, &window));
        auto *source = static_cast<TComponentPlaceholder *>(
            placeWidget("TDataSourcePlaceholder", "DataSource1", nullptr, &window));
        QCOMPARE(source->Component()->Name(), u"DataSource1"_s);
        source->Component()->SetName(u"Customers"_s);
        QCOMPARE(source->objectName(), u"Customers"_s);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window) && !source->isVisible());
        source->show();
        QVERIFY(!source->isVisible());

        source->SetDesigning(true);
        dialog->SetDesigning(true);
        QVERIFY(source->Component()->IsDesigning() && source->isVisible());
        dialog->move(source->width() + 8, 0);
        QCOMPARE(source->size(), TComponentPlaceholder::TileSize());
        source->resize(300, 300);
        QCOMPARE(source->size(), TComponentPlaceholder::TileSize());
        QVERIFY(!GetPaletteIcon(&TKorDBColumnsDialog::staticMetaObject).isNull() &&
                GetPaletteIcon(&TDataSource::staticMetaObject).isNull());

        // The tile shows more than its background: the picture and the name.
        const QImage tile = source->grab().toImage();
        const QRgb background = tile.pixel(tile.width() / 2, tile.height() - 3);
        int drawn = 0;
        for (int y = 2; y < tile.height() - 2; ++y)
            for (int x = 2; x < tile.width() - 2; ++x)
                drawn += tile.pixel(x, y) != background;
        QVERIFY(drawn > 40);

        SetUiWidgetDesigning(source, false);
        QVERIFY(!source->isVisible());
    }
};

QTEST_MAIN(TestUiForm)
#include "tst_uiform.moc"
