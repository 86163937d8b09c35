// Form files: a form written as text and read back gives the same text and the same form;
// defaults stay out of the text; damaged texts are refused saying why and change nothing, or
// read in part saying where; references go by name; reading into a form updates it in place.

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "column.h"
#include "columntotal.h"
#include "datarows.h"
#include "errorof.h"
#include "formdesigner.h"
#include "formfile.h"
#include "grid.h"
#include "hostmessages.h"
#include "menus.h"
#include "registration.h"
#include "sqldata.h"
#include "testsupport.h"
#include "typinfo.h"

using namespace Qt::StringLiterals;

namespace {

template <class T> T *findOn(TFormDesigner &Designer, const QString &Name)
{
    return dynamic_cast<T *>(Designer.GetComponent(Name));
}

QJsonObject componentText(const QByteArray &Text, const QString &Name)
{
    for (const QJsonValue component : QJsonDocument::fromJson(Text)["components"].toArray())
        if (component["name"].toString() == Name)
            return component.toObject();
    return {};
}

// The form's text with its components in name order: a component made again comes last.
QJsonObject byName(const QByteArray &Text)
{
    QJsonObject form = QJsonDocument::fromJson(Text).object();
    QVariantList components = form["components"].toArray().toVariantList();
    std::sort(components.begin(), components.end(), [](const QVariant &a, const QVariant &b) {
        return a.toMap()["name"].toString() < b.toMap()["name"].toString();
    });
    form["components"] = QJsonArray::fromVariantList(components);
    return form;
}

// One entry (the third line of a form's text) with one problem: where on the line it is, and
// the component, property and message the problem names.
struct TProblem {
    const char *label, *entry, *at, *component, *property, *message;
};
const TProblem kProblems[] = {
    {"unknown class", R"({"name": "X1", "class": "TNoSuchThing"},)", "class", "X1", "",
     "unknown class TNoSuchThing"},
    {"unknown property",
     R"({"name": "G", "class": "TKorDBGrid", "properties": {"Columns": )"
     R"([{}, {"Title": {"Colour": "clRed", "Caption": "A"}}]}},)",
     "Colour", "G", "Columns[1].Title.Colour", "no such property"},
    {"wrong type", R"({"name": "G", "class": "TKorDBGrid", "properties": {"Width": "w"}},)",
     "Width", "G", "Width", "expected a whole number"},
    {"wrong type after non-ASCII text",
     "{\"name\": \"G\", \"class\": \"TKorDBGrid\", \"properties\": "
     "{\"Hint\": \"Gr\xc3\xbc\xc3\x9f\x65\", \"Width\": \"w\"}},",
     "Width", "G", "Width", "expected a whole number"},
    {"unknown identifier",
     R"({"name": "G", "class": "TKorDBGrid", "properties": {"Options": ["dgTitles", "dgNo"]}},)",
     "Options", "G", "Options", "dgNo is not an element"},
    {"reference to nothing",
     R"({"name": "G", "class": "TKorDBGrid", "properties": {"DataSource": "No"}},)", "DataSource",
     "G", "DataSource", "there is no component named No"},
    {"reference of the wrong class",
     R"({"name": "G", "class": "TKorDBGrid", "properties": {"DataSource": "Grid1"}},)",
     "DataSource", "G", "DataSource", "Grid1 is not a TDataSource"},
    {"empty name", R"({"name": "", "class": "TPopupMenu"},)", "name", "2", "", "the name is empty"},
    {"bad name", R"({"name": "9 lives", "class": "TPopupMenu"},)", "name", "9 lives", "",
     "9 lives is not a valid component name"},
    {"name twice", R"({"name": "source1", "class": "TPopupMenu"},)", "name", "source1", "",
     "the name source1 is taken twice"},
    // A field whose owner cannot own it is read as the form's.
    {"owner missing", R"({"name": "F1", "class": "TField", "owner": "Nowhere"},)", "owner", "F1",
     "", "there is no component named Nowhere; the form owns it"},
    {"owner not a data set", R"({"name": "F1", "class": "TField", "owner": "source1"},)", "owner",
     "F1", "", "the owner source1 is not a TDataSet; the form owns it"},
    {"owner after it", R"({"name": "F1", "class": "TField", "owner": "Grid1"},)", "owner", "F1", "",
     "the owner Grid1 comes after it; the form owns it"},
};

} // namespace

class TestFormFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_database;

    // A connection, an open data set, a data source, a popup menu and a grid with customised
    // columns, totals, fonts and colours.
    void buildSampleForm(TFormDesigner &Designer)
    {
        auto *connection = Designer.Create<TSQLConnection>();
        connection->setDatabaseName(m_database);
        connection->setProperty("DesignPosition", QPoint(10, 20));
        auto *dataSet = Designer.Create<TSQLDataSet>();
        dataSet->setSQLConnection(connection);
        dataSet->setCommandText(u"SELECT * FROM customers"_s);
        dataSet->setActive(true);
        auto *source = Designer.Create<TDataSource>();
        source->setDataSet(dataSet);
        auto *menu = Designer.Create<TPopupMenu>();
        auto *grid = Designer.Create<TKorDBGrid>();
        grid->setDataSource(source);
        grid->Columns()->RebuildColumns();
        grid->setFixedColor(clRed);
        grid->setBorderStyle(Vcl::bsNone);
        grid->TitleFont()->setStyle(Vcl::TFontStyles(Vcl::fsBold) | Vcl::fsItalic);
        grid->Totals()->setActive(true);
        grid->Totals()->setDataSource(source);
        SetOrdProp(grid, u"Left"_s, 40);
        TKorColumn *name = grid->Columns()->Items(1);
        name->Title()->setCaption(u"Customer"_s);
        name->Font()->setColor(clBlue);
        name->setWidth(64); // assigned, though it is what the column would use anyway
        name->setPopupMenu(menu);
        name->PickList()->SetLines({u"Ann"_s, u"Bob"_s});
        name->TotalValues()->Add()->setCaption(u"Count"_s);
        name->TotalValues()->Add()->setCalcValue(Kor::cvCount);
        grid->Columns()->Items(0)->setVisible(false);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_database = CreateTestDatabase(
            m_dir.filePath(u"sample.sqlite"_s),
            {u"CREATE TABLE customers (id INTEGER PRIMARY KEY, name VARCHAR(30), balance REAL)"_s,
             u"INSERT INTO customers VALUES (1, 'Ann', 10.5), (2, 'Bob', 20.25)"_s});
        RegisterComponents(u"Form file test"_s,
                           {&TSQLConnection::staticMetaObject, &TSQLDataSet::staticMetaObject,
                            &TDataSource::staticMetaObject, &TPopupMenu::staticMetaObject,
                            &TKorDBGrid::staticMetaObject});
        TFormDesigner::RegisterComponentFactory(&TField::staticMetaObject,
                                                [] { return new TField; });
    }

    void writtenFormReadsBackTheSame()
    {
        TFormDesigner original;
        buildSampleForm(original);
        const QByteArray text = WriteFormText(&original);

        TFormDesigner copy;
        ReadFormText(&copy, text);
        QCOMPARE(QString::fromUtf8(WriteFormText(&copy)), QString::fromUtf8(text));

        auto *grid = findOn<TKorDBGrid>(copy, u"KorDBGrid1"_s);
        QVERIFY(grid);
        QCOMPARE(grid->parentWidget(), copy.Form());
        QVERIFY(grid->isVisibleTo(copy.Form()));
        QCOMPARE(grid->DataSource(), findOn<TDataSource>(copy, u"DataSource1"_s));
        QCOMPARE(grid->Totals()->DataSource(), grid->DataSource());
        QVERIFY(grid->DataSet() && grid->DataSet()->Active());
        QCOMPARE(grid->DataSet()->RecordCount(), 2);
        QCOMPARE(grid->Columns()->State(), Kor::csCustomized);
        QCOMPARE(grid->Columns()->Count(), 3);
        TKorColumn *name = grid->Columns()->Items(1);
        QVERIFY(name->IsWidthStored());
        QCOMPARE(name->Title()->Caption(), u"Customer"_s);
        QCOMPARE(name->PopupMenu(), findOn<TPopupMenu>(copy, u"PopupMenu1"_s));
        QCOMPARE(name->TotalValues()->Count(), 2);
        QCOMPARE(
            findOn<TSQLConnection>(copy, u"SQLConnection1"_s)->property("DesignPosition").toPoint(),
            QPoint(10, 20));

        // A grid whose columns were all deleted keeps none, rather than one per field again.
        auto *sourceGrid = findOn<TKorDBGrid>(original, u"KorDBGrid1"_s);
        while (sourceGrid->Columns()->Count() > 0)
            sourceGrid->Columns()->Delete(0);
        const QByteArray noColumns = WriteFormText(&original);
        TFormDesigner empty;
        ReadFormText(&empty, noColumns);
        grid = findOn<TKorDBGrid>(empty, u"KorDBGrid1"_s);
        QCOMPARE(grid->Columns()->State(), Kor::csCustomized);
        QCOMPARE(grid->Columns()->Count(), 0);
        QCOMPARE(QString::fromUtf8(WriteFormText(&empty)), QString::fromUtf8(noColumns));
    }

    void onlyStoredValuesThatDifferFromTheirDefaultsAreWritten()
    {
        TFormDesigner designer;
        auto *grid = designer.Create<TKorDBGrid>();
        QVERIFY(!componentText(WriteFormText(&designer), grid->Name()).contains("properties"));

        grid->setColor(clWindow); // its recorded default
        grid->setFixedColor(clRed);
        grid->setBorderStyle(Vcl::bsNone);
        grid->setOptions(Kor::TKorDBGridOptions(Kor::dgTitles) | Kor::dgIndicator);
        grid->TitleFont()->setStyle(Vcl::TFontStyles(Vcl::fsBold));
        grid->setOnTitleClick(TMethod{u"GridTitleClick"_s});
        const QJsonObject properties =
            componentText(WriteFormText(&designer), grid->Name())["properties"].toObject();
        const QByteArray expected = R"({"FixedColor": "clRed", "BorderStyle": "bsNone",
            "Options": ["dgTitles", "dgIndicator"], "TitleFont": {"Style": ["fsBold"]},
            "OnTitleClick": "GridTitleClick"})";
        QCOMPARE(properties, QJsonDocument::fromJson(expected).object());
    }

    // A text with one problem is refused by the strict reader, which names the component and
    // changes nothing; the tolerant reader reads everything else, and says what and where it is.
    void tolerantReadingReadsTheRestAndSaysWhere_data() { AddRows(kProblems); }

    void tolerantReadingReadsTheRestAndSaysWhere()
    {
        QFETCH(TProblem, row);
        const auto &[label, entry, at, component, property, message] = row;
        const bool unknownClass = qstrcmp(at, "class") == 0;
        const QByteArray text = R"({"name": "Form1", "class": "TDesignForm", "components": [
  {"name": "Source1", "class": "TDataSource"},
  )" + QByteArray(entry) + R"(
  {"name": "Grid1", "class": "TKorDBGrid", "properties": {"DataSource": "Source1", "Tag": 5}}]})";
        TFormDesigner designer;
        buildSampleForm(designer);
        const QByteArray before = WriteFormText(&designer);
        const QString error = ErrorOf<EHostError>([&] { ReadFormText(&designer, text); });
        QVERIFY2(error.startsWith(QLatin1String("Component ") + component) &&
                     error.contains(QLatin1String(property)),
                 qPrintable(error));
        QCOMPARE(WriteFormText(&designer), before);

        const TFormReadReport report = ReadFormTextTolerant(&designer, text);
        QCOMPARE(report.Problems.size(), 1);
        const TFormProblem problem = report.Problems.first();
        const int column = QString::fromUtf8(entry).indexOf(u"\"%1\""_s.arg(at)) + 3;
        const QString where = u"Line 3, column %1: Component %2"_s.arg(column).arg(component);
        QCOMPARE(problem.Text().left(where.size()), where);
        QCOMPARE(problem.Component, QString::fromUtf8(component));
        QCOMPARE(problem.Property, QLatin1String(property));
        QVERIFY2(problem.Message.startsWith(QLatin1String(message)), qPrintable(problem.Message));

        // The rest is read, and the form is what the report says was read.
        auto *grid = findOn<TKorDBGrid>(designer, u"Grid1"_s);
        QVERIFY(grid);
        QCOMPARE(grid->DataSource(), findOn<TDataSource>(designer, u"Source1"_s));
        QCOMPARE(GetOrdProp(grid, u"Tag"_s), 5);
        QVERIFY(!designer.GetComponent(u"KorDBGrid1"_s)); // the old form is gone
        TFormDesigner strict;
        ReadFormText(&strict, report.Text);
        QCOMPARE(byName(WriteFormText(&strict)), byName(WriteFormText(&designer)));
        // A component whose name breaks a rule is read, as the form's, under a valid new name;
        // one of an unknown class is not read.
        const QJsonArray read = QJsonDocument::fromJson(report.Text)["components"].toArray();
        QCOMPARE(read.size(), unknownClass ? 2 : 3);
        const QString name = read.at(1)["name"].toString();
        QVERIFY2(unknownClass ||
                     QRegularExpression(u"^[A-Za-z_][A-Za-z0-9_]*$"_s).match(name).hasMatch(),
                 qPrintable(name));
        QVERIFY(unknownClass || designer.GetComponent(name)->Owner() == designer.Form());
    }

    // References go by name, letter case ignored, wherever the named component stands.
    void referencesGoByNameWhateverTheOrder()
    {
        TFormDesigner designer;
        ReadFormText(&designer, R"({"name": "Main", "class": "TDesignForm", "components": [
            {"name": "Grid", "class": "TKorDBGrid", "properties": {"DataSource": "SOURCE"}},
            {"name": "Source", "class": "TDataSource"}]})");
        auto *grid = findOn<TKorDBGrid>(designer, u"Grid"_s);
        QVERIFY(grid);
        QCOMPARE(designer.Form()->Name(), u"Main"_s);
        QCOMPARE(grid->DataSource(), findOn<TDataSource>(designer, u"Source"_s));
        // The reference follows a component that replaces another of the same name; names
        // that differ only in letter case are the same name.
        ReadFormText(&designer, R"({"name": "Main", "class": "TDesignForm", "components": [
            {"name": "GRID", "class": "TKorDBGrid"},
            {"name": "Source", "class": "TPopupMenu"}]})");
        QCOMPARE(findOn<TKorDBGrid>(designer, u"Grid"_s), grid);
        QCOMPARE(grid->DataSource(), nullptr);
        QVERIFY(findOn<TPopupMenu>(designer, u"Source"_s));
    }

    void readingUpdatesTheFormInPlace()
    {
        TFormDesigner designer;
        buildSampleForm(designer);
        auto *grid = findOn<TKorDBGrid>(designer, u"KorDBGrid1"_s);
        const QByteArray threeColumns = WriteFormText(&designer);
        TKorColumn *first = grid->Columns()->Items(0);
        TKorColumn *second = grid->Columns()->Items(1);

        // Two columns, the second without its caption and widths; the menu is gone.
        QJsonObject form = QJsonDocument::fromJson(threeColumns).object();
        QJsonArray components = form["components"].toArray();
        QJsonObject gridText = components.takeAt(4).toObject(); // made last, after the menu
        components.removeAt(3);
        QJsonObject properties = gridText["properties"].toObject();
        QJsonArray columns = properties["Columns"].toArray();
        columns.removeLast();
        columns[1] = QJsonObject{{"FieldName", "name"}};
        properties["Columns"] = columns;
        properties.remove("FixedColor");
        gridText["properties"] = properties;
        components.append(gridText);
        form["components"] = components;
        ReadFormText(&designer, QJsonDocument(form).toJson());

        QCOMPARE(findOn<TKorDBGrid>(designer, u"KorDBGrid1"_s), grid);
        QVERIFY(!designer.GetComponent(u"PopupMenu1"_s));
        QCOMPARE(grid->FixedColor(), clBtnFace);
        QCOMPARE(grid->Columns()->Count(), 2);
        QCOMPARE(grid->Columns()->Items(0), first);
        QCOMPARE(grid->Columns()->Items(1), second);
        QVERIFY(!second->Title()->IsCaptionStored() && !second->IsWidthStored());
        QCOMPARE(second->PopupMenu(), nullptr);
        QCOMPARE(second->TotalValues()->Count(), 0);

        // And back: the column comes again at the end, the rest as it was.
        ReadFormText(&designer, threeColumns);
        QCOMPARE(grid->Columns()->Items(0), first);
        QCOMPARE(grid->Columns()->Count(), 3);
        QCOMPARE(byName(WriteFormText(&designer)), byName(threeColumns));

        // Columns left out of the text follow the data set's fields again.
        grid->Columns()->RestoreDefaults();
        const QByteArray defaultColumns = WriteFormText(&designer);
        QVERIFY(!componentText(defaultColumns, grid->Name())["properties"].toObject().contains(
            "Columns"));
        ReadFormText(&designer, threeColumns);
        QCOMPARE(grid->Columns()->State(), Kor::csCustomized);
        ReadFormText(&designer, defaultColumns);
        QCOMPARE(grid->Columns()->State(), Kor::csDefault);
        QCOMPARE(grid->Columns()->Count(), 3);
    }

    // Components owned by another component (a data set's persistent fields) are written after
    // their owner and read back into it in order. Reading them in place is left to the fields
    // editor's tests, which read forms with fields added, moved and deleted.
    void ownedComponentsReadBackIntoTheirOwner()
    {
        TFormDesigner original;
        buildSampleForm(original);
        auto *dataSet = findOn<TSQLDataSet>(original, u"SQLDataSet1"_s);
        auto *names = original.Create<TSQLDataSet>();
        names->setSQLConnection(dataSet->SQLConnection());
        names->setCommandText(u"SELECT id, name FROM customers"_s);
        names->setActive(true);
        const auto addField = [dataSet](const QString &Name, Db::TFieldKind Kind) {
            auto *field = new TField(dataSet);
            field->SetName(u"SQLDataSet1"_s + Name);
            field->setFieldName(Name);
            field->setFieldKind(Kind);
            return field;
        };
        addField(u"name"_s, Db::fkData)->setDisplayLabel(u"Customer"_s);
        TField *same = addField(u"Same"_s, Db::fkLookup);
        same->setKeyFields(u"id"_s);
        same->setLookupDataSet(names);
        same->setLookupKeyFields(u"id"_s);
        same->setLookupResultField(u"name"_s);
        same->setDataType(Db::ftString);
        addField(u"Twice"_s, Db::fkCalculated)->setDataType(Db::ftFloat);
        addField(u"id"_s, Db::fkData);
        findOn<TKorDBGrid>(original, u"KorDBGrid1"_s)->Columns()->Add()->setFieldName(u"Same"_s);
        const QByteArray text = WriteFormText(&original);
        QCOMPARE(componentText(text, u"SQLDataSet1Same"_s)["owner"].toString(), u"SQLDataSet1"_s);

        TFormDesigner copy;
        ReadFormText(&copy, text);
        QCOMPARE(QString::fromUtf8(WriteFormText(&copy)), QString::fromUtf8(text));
        auto *read = findOn<TSQLDataSet>(copy, u"SQLDataSet1"_s);
        QVERIFY(read && read->Active());
        QStringList fields;
        read->GetFieldNames(fields);
        QCOMPARE(fields, (QStringList{"name", "Same", "Twice", "id"}));
        QCOMPARE(read->FieldByName("Same")->Owner(), read);
        QCOMPARE(read->FieldByName("Same")->LookupDataSet(),
                 findOn<TSQLDataSet>(copy, u"SQLDataSet2"_s));
        // The grid over it shows the persistent fields.
        auto *grid = findOn<TKorDBGrid>(copy, u"KorDBGrid1"_s);
        QCOMPARE(grid->Columns()->Items(1)->Field(), read->FieldByName("name"));
        QCOMPARE(grid->Columns()->Items(3)->Field(), read->FieldByName("Same"));
    }

    void pastedComponentsAreRenamedAndKeepTheirReferences()
    {
        TFormDesigner designer;
        buildSampleForm(designer);
        const QList<TComponent *> chosen{designer.GetComponent(u"DataSource1"_s),
                                         designer.GetComponent(u"KorDBGrid1"_s)};
        const QByteArray clipboard = WriteComponentsText(designer.GetRoot(), chosen);
        const QList<TComponent *> pasted = PasteComponentsText(&designer, clipboard);
        QCOMPARE(pasted.size(), 2);
        QCOMPARE(pasted[0]->Name(), u"DataSource2"_s);
        QCOMPARE(pasted[1]->Name(), u"KorDBGrid2"_s);
        auto *grid = dynamic_cast<TKorDBGrid *>(pasted[1]);
        QCOMPARE(grid->DataSource(), pasted[0]->Object());
        // A reference to a component that was not copied stays with the form's own.
        QCOMPARE(grid->Columns()->Items(1)->PopupMenu(),
                 findOn<TPopupMenu>(designer, u"PopupMenu1"_s));
        QCOMPARE(grid->Left(), 48);
    }
};

QTEST_MAIN(TestFormFile)
#include "tst_formfile.moc"
