// What the package registers when the host loads it: every call of its Register procedures in
// order, against the tables below; the type information of every property the calls name; the
// category names in a translated host; the palette and its icons.

#include <QPainter>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>
#include <span>

#include "column.h"
#include "columnsdialog.h"
#include "formdesigner.h"
#include "grid.h"
#include "hostdialogs.h"
#include "hostmessages.h"
#include "kordbeditors.h"
#include "navigator.h"
#include "packages.h"
#include "propedit.h"
#include "registration.h"
#include "testsupport.h"

namespace {

const QString packageName = QStringLiteral("DCLKorDBGrid90");
using HostCategory = QString (*)();

// A property-editor row: property type ("class X" for a class), component class, property,
// editor class.
struct EditorRow {
    const char *Type;
    const char *Component;
    const char *Property;
    const char *Editor;
};

// A category row: the host's category (its name is looked up when the row is read) or a literal.
struct CategoryRow {
    HostCategory Host;
    const char *Literal;
    const char *Component;
    QStringList Properties;
};

// One row per registration call, laid out to be read against the call.
// clang-format off
const EditorRow colorDlgEditors[] = {
    {"TColor", "TBriskGradient", "EndColor", "TBriskColorProperty"},
    {"TColor", "TBriskGradient", "HotColor", "TBriskColorProperty"},
    {"TColor", "TBriskGradient", "StepColor", "TBriskColorProperty"},
};

const EditorRow gridEditors[] = {
    {"class TKorDBGridColumns", "TKorDBGrid", "Columns", "TKorDBGridColumnsProperty"},
    {"class TKorCustomDBGrid", "TKorDBGrid", "MasterGrid", "TKorDBGridMasterGridProperty"},
    {"string", "TKorColumn", "PickTextFormat", "TKorDBGridPickTextFormatProperty"},
    {"string", "TKorDBGrid", "KeyFields", "TKorDBGridFieldNameProperty"},
    {"string", "TKorDBGrid", "OrderFields", "TKorDBGridFieldNameProperty"},
    {"string", "TKorDBGrid", "DetailFields", "TKorDBGridFieldNameProperty"},
    {"string", "TKorDBGridTreeView", "ColumnNames", "TKorDBGridFieldNameProperty"},
    {"string", "TKorDBGridTreeView", "KeyFields", "TKorDBGridFieldNameProperty"},
    {"string", "TKorDBGridTreeView", "ParentFields", "TKorDBGridFieldNameProperty"},
    {"string", "TKorColumn", "FieldName", "TKorDBGridFieldNameProperty"},
    {"string", "TKorColumn", "KeyField", "TKorDBGridFieldNameProperty"},
    {"string", "TKorColumn", "LookupKeyField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorColumn", "LookupListFields", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorColumn", "LookupParentField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorColumn", "LookupResultField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorColumn", "LookupTreeViewField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorColumnTotal", "FieldName", "TKorDBGridTotalFieldNameProperty"},
    {"string", "TKorColumnTotal", "Format", "TKorDBGridFormatValueProperty"},
    {"Integer", "TKorDBGrid", "FillerIndex", "TKorDBGridImageIndexProperty"},
    {"Integer", "TKorColumnTitle", "ImageIndex", "TKorDBGridImageIndexProperty"},
    {"Integer", "TKorColumnTitle", "MarkerIndex", "TKorDBGridImageIndexProperty"},
    {"Integer", "TKorColumnTotal", "ImageIndex", "TKorDBGridImageIndexProperty"},
    {"string", "TKorDBGrid", "Hint", "TKorStringProperty"},
    {"string", "TKorDBGrid", "FillerHint", "TKorStringProperty"},
    {"string", "TKorDBGrid", "IndicatorHint", "TKorStringProperty"},
    {"string", "TKorColumn", "EditorHint", "TKorStringProperty"},
    {"string", "TKorColumn", "Hint", "TKorStringProperty"},
    {"string", "TKorColumnTitle", "Hint", "TKorStringProperty"},
    {"string", "TKorColumnTitle", "Caption", "TKorStringProperty"},
    {"string", "TKorColumnTitle", "Header", "TKorHeaderProperty"},
    {"string", "TKorColumnTitle", "HeaderHint", "TKorHeaderProperty"},
    {"string", "TKorColumnTotal", "Hint", "TKorStringProperty"},
    {"string", "TKorColumnTotal", "Caption", "TKorStringProperty"},
    {"TColor", "TKorColumn", "TransparentColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "DataColLineColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "DataRowLineColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "EditorColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "HighlightText", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "SelectCellColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "SelectionColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "SelectRowColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGrid", "StripeColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGridSearch", "Color", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGridSearch", "PanelColor", "TKorDBGridColorProperty"},
    {"TColor", "TKorDBGridTotals", "SelectedColor", "TKorDBGridColorProperty"},
};

const CategoryRow gridCategories[] = {
    {sDatabaseCategoryName, nullptr, "TKorColumn",
     {"FieldName", "KeyField", "LookupColumn", "LookupDataSet", "LookupKeyField",
      "LookupListFields", "LookupListTitles", "LookupListWidths", "LookupParentField",
      "LookupResultField", "LookupTreeViewField"}},
    {sHelpCategoryName, nullptr, "TKorColumn", {"ToolTips", "ToolTipsWidth"}},
    {nullptr, "Image", "TKorColumn",
     {"Alignment", "CheckBox", "CheckBoxThemed", "CheckBoxToggle", "CheckBoxValues", "ImageDraw",
      "ImageMargin", "ImageOffsetX", "ImageOffsetY", "Images", "QuickDraw", "Transparent",
      "TransparentColor", "VAlignment", "Wallpaper"}},
    {sInputCategoryName, nullptr, "TKorColumn", {"CharCase", "EditMemo", "ShowEdit"}},
    {sLayoutCategoryName, nullptr, "TKorColumn",
     {"DropDownRows", "DropDownWidth", "WidthBase", "WidthMax", "WidthMin"}},
    {sLocalizableCategoryName, nullptr, "TKorColumn",
     {"EditorHint", "PickList", "PickText", "PickTextFormat", "SuppressRTL", "Title"}},
    {sVisualCategoryName, nullptr, "TKorColumn",
     {"AutoNumber", "CheckBox", "CheckBoxKind", "CheckBoxStyle", "CheckBoxThemed", "Ellipsis",
      "ExpandBox", "ExpandBoxSize", "ExpandBoxThemed", "ExpandBoxTree", "ExpandCols", "Expanded",
      "ShowBlob", "TotalFields", "TotalFooter", "TotalHeader", "TotalValues", "VAlignment",
      "WidthBase", "WordWrap"}},
    {nullptr, "KorDBGrid", "TKorColumn",
     {"AutoNumber", "ButtonStyle", "CalendarDepth", "CharCase", "CheckBox", "CheckBoxKind",
      "CheckBoxStyle", "CheckBoxThemed", "CheckBoxToggle", "CheckBoxValues", "DelimiterChar",
      "DelimiterLine", "DialogOptions", "DropDownMenu", "DropDownWidth", "EditMemo", "EditorHint",
      "Ellipsis", "ExpandBox", "ExpandBoxSize", "ExpandBoxThemed", "ExpandBoxToggle",
      "ExpandBoxTree", "ExpandCols", "ExpandStyle", "FilterList", "FilterText", "Hint", "ImageDraw",
      "ImageMargin", "ImageOffsetX", "ImageOffsetY", "Images"}},
    {nullptr, "KorDBGrid", "TKorColumn",
     {"ListOptions", "LookupColumn", "LookupDataSet", "LookupKeyField", "LookupListFields",
      "LookupListTitles", "LookupListWidths", "LookupParentField", "LookupResultField",
      "LookupTreeViewField", "MultiSelectList", "MultiSelectText", "PickOptions", "PickText",
      "PickTextFormat", "QuickDraw", "Report", "ShowBlob", "ShowEdit", "SuppressRTL", "ToolTips",
      "ToolTipsWidth", "TotalFields", "TotalFooter", "TotalHeader", "TotalValues", "Transparent",
      "TransparentColor", "VAlignment", "Wallpaper", "WidthBase", "WidthMax", "WidthMin",
      "WordWrap"}},
    {sDatabaseCategoryName, nullptr, "TKorCustomDBGrid",
     {"DetailFields", "KeyFields", "OrderFields", "TreeView", "OnOrderChanged", "OnOrderUpdated",
      "OnRowExpand", "OnRowExpanding"}},
    {nullptr, "Image", "TKorCustomDBGrid",
     {"FillerIndex", "IndicatorImages", "TitleImages", "TitleMarkers", "OnCalcImageIndex"}},
    {sLayoutCategoryName, nullptr, "TKorCustomDBGrid",
     {"GridStyle", "HeaderLinesCount", "IndicatorWidth", "LinesCount", "LinesCountMax",
      "LinesCountMin", "Settings", "StretchWidthMax", "StretchWidthMin", "TitleLinesCount",
      "Totals", "OnLayout"}},
    {sLegacyCategoryName, nullptr, "TKorCustomDBGrid", {"Ctl3DAuto"}},
    {sLocalizableCategoryName, nullptr, "TKorCustomDBGrid", {"FillerHint"}},
    {sVisualCategoryName, nullptr, "TKorCustomDBGrid",
     {"DrawingOptions", "DrawingStyle", "FixedCols", "FixedStyle", "FixedTheme", "FocusRect",
      "Gradient", "HeaderLinesCount", "HotButtons", "LinesCount", "ListBorder", "MarkerStyle",
      "MarkerTransparent", "ScrollBars", "ScrollProp", "StretchMode", "TitleLinesCount", "Totals"}},
    {nullptr, "KorDBGrid", "TKorCustomDBGrid",
     {"Ctl3DAuto", "DataColLineColor", "DataRowLineColor", "DefaultWidthMax", "DefaultWidthMin",
      "DetailFields", "DoubleBuffered", "DragRows", "DrawingOptions", "DrawingStyle", "EditorColor",
      "FillerButton", "FillerColor", "FillerHint", "FillerIndex", "FillerPopupMenu", "Filter",
      "Filtered", "FilterGrid", "FixedCols", "FixedStyle", "FixedTheme", "FocusRect", "Gradient",
      "GridLineWidth", "GridStyle", "HeaderColor", "HeaderFont", "HeaderLinesCount",
      "HighlightText", "HintOptions", "HotButtons", "IndicatorHint", "IndicatorImages",
      "IndicatorPopupMenu", "IndicatorWidth", "KeyFields", "LinesCount", "LinesCountMax",
      "LinesCountMin", "ListBorder", "MarkerStyle", "MarkerTransparent", "MasterGrid",
      "MultiSelectOptions", "Options", "OptionsEx", "OptionsExt", "OrderFields", "ResizeOptions",
      "ScrollBars", "ScrollProp"}},
    {nullptr, "KorDBGrid", "TKorCustomDBGrid",
     {"Search", "SelectCellColor", "SelectionColor", "SelectRowColor", "Settings", "StretchMode",
      "StretchWidthMax", "StretchWidthMin", "StripeColor", "TitleImages", "TitleLinesCount",
      "TitleMarkers", "Totals", "TreeView", "WheelScrollRows"}},
    {nullptr, "KorDBGrid", "TKorCustomDBGrid",
     {"OnCalcBoldDays", "OnCalcImageIndex", "OnCellDblClick", "OnCellExpand", "OnCellHint",
      "OnColExpand", "OnColGetText", "OnColSetText", "OnColTextChanged", "OnColumnMoving",
      "OnColumnResize", "OnColumnScroll", "OnExpandClick", "OnFillerClick", "OnFilterChanged",
      "OnFilterRecord", "OnFilterUpdated", "OnHeaderClick", "OnIndicatorClick", "OnLayout",
      "OnListCloseUp", "OnListDropDown", "OnListItemsUpdated", "OnOrderChanged", "OnOrderUpdated",
      "OnPaintColumnCell", "OnRowExpand", "OnRowExpanding", "OnRowResize", "OnRowSelect",
      "OnSelectedColsChanged", "OnSelectedRowsChanged", "OnSelectionChanged", "OnSequenceUpdated",
      "OnTitleClick", "OnTotalCalcQuery", "OnTotalCalcValue", "OnTotalClick", "OnTotalGetText",
      "OnTotalsUpdated"}},
};

const EditorRow editsEditors[] = {
    {"string", "TKorDBDataEditor", "DataColumn", "TKorDBGridColumnNameProperty"},
    {"string", "TKorDBCustomEditor", "KeyField", "TKorDBGridFieldNameProperty"},
    {"string", "TKorDBCustomEditor", "LookupKeyField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorDBCustomEditor", "LookupListFields", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorDBCustomEditor", "LookupParentField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorDBCustomEditor", "LookupResultField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorDBCustomEditor", "LookupTreeViewField", "TKorDBGridLookupFieldNameProperty"},
    {"string", "TKorDBCustomEditor", "PickTextFormat", "TKorDBGridPickTextFormatProperty"},
};

const CategoryRow editsCategories[] = {
    {sDatabaseCategoryName, nullptr, "TKorDBCustomEditor",
     {"KeyField", "LookupColumn", "LookupDataSet", "LookupKeyField", "LookupListFields",
      "LookupListTitles", "LookupListWidths", "LookupParentField", "LookupResultField",
      "LookupTreeViewField"}},
    {sInputCategoryName, nullptr, "TKorDBDataEditor", {"CharCase", "DropDownOnly"}},
    {sLayoutCategoryName, nullptr, "TKorDBCustomEditor", {"DropDownRows", "DropDownWidth"}},
    {sLocalizableCategoryName, nullptr, "TKorDBCustomEditor",
     {"PickList", "PickText", "PickTextFormat"}},
    {nullptr, "Brisk", "TKorDBColumn",
     {"AutoSelect", "CharCase", "DataColumn", "DataField", "DataSource", "DBGrid", "DropDownOnly",
      "LabelPosition", "LabelSpacing", "LabelVisible", "MaxLength"}},
    {nullptr, "Brisk", "TKorDBEditor",
     {"AutoSelect", "ButtonStyle", "CalendarDepth", "CharCase", "DataColumn", "DataField",
      "DataSource", "DBGrid", "DelimiterChar", "DelimiterLine", "DrawingStyle", "DropDownOnly",
      "DropDownRows", "DropDownWidth", "ImageMargin", "Images", "KeyField", "LabelPosition",
      "LabelSpacing", "LabelVisible", "ListOptions", "LookupColumn", "LookupDataSet",
      "LookupKeyField", "LookupListFields", "LookupListTitles", "LookupListWidths",
      "LookupParentField", "LookupResultField", "LookupTreeViewField", "MaxLength",
      "MultiSelectList", "MultiSelectText", "PickIndex", "PickList", "PickOptions", "PickText",
      "PickTextFormat", "SuppressRTL"}},
};

const CategoryRow listsCategories[] = {
    {nullptr, "Linkage", "TKorDBColumnsDialog", {"DBGrid"}},
    {nullptr, "Localizable", "TKorDBColumnsDialog", {"ButtonsTitles", "ColumnsTitle", "Title"}},
    {nullptr, "Visual", "TKorDBColumnsDialog",
     {"ButtonsTitles", "ColumnsTitle", "DefaultCount", "DefaultWidth", "MinimumCount",
      "MinimumWidth", "Title"}},
    {nullptr, "KorDBColumnsDialog", "TKorDBColumnsDialog",
     {"BorderStyle", "ButtonsTitles", "ColumnsTitle", "DBGrid", "DefaultCount", "DefaultWidth",
      "HelpContext", "MinimumCount", "MinimumWidth", "Options", "Title"}},
    {nullptr, "KorDBColumnsDialog", "TKorDBColumnsDialog",
     {"OnApply", "OnClose", "OnCreate", "onShow"}},
};

const CategoryRow ctrlsCategories[] = {
    {nullptr, "Brisk", "TKorDBNavigator",
     {"ApplyTheme", "Captions", "Fine", "FineTheme", "Font", "Gradient", "Kind", "Layout", "Margin",
      "ParentBackground", "ParentFont", "ShowCaptions", "Spacing"}},
};
// clang-format on

// One line per registration call, the same for a recorded call and a table row.
QString componentsLine(const QString &Page, const QStringList &Classes)
{
    return QStringLiteral("RegisterComponents(%1, [%2])").arg(Page, Classes.join(", "));
}
QString componentEditorLine(const QString &Component, const QString &Editor)
{
    return QStringLiteral("RegisterComponentEditor(%1, %2)").arg(Component, Editor);
}
QString editorLine(const QString &Type, const QString &Component, const QString &Property,
                   const QString &Editor)
{
    return QStringLiteral("RegisterPropertyEditor(%1, %2, %3, %4)")
        .arg(Type, Component, Property, Editor);
}
QString editorLine(const EditorRow &Row)
{
    return editorLine(Row.Type, Row.Component, Row.Property, Row.Editor);
}
QString categoryLine(const QString &Category, const QString &Component, const QStringList &Names)
{
    return QStringLiteral("RegisterPropertiesInCategory(%1, %2, [%3])")
        .arg(Category, Component, Names.join(", "));
}
QString categoryLine(const CategoryRow &Row)
{
    return categoryLine(Row.Host ? Row.Host() : QString::fromLatin1(Row.Literal), Row.Component,
                        Row.Properties);
}

QString nameOf(const QMetaObject *Class)
{
    return Class ? QString::fromLatin1(Class->className()) : QStringLiteral("nil");
}

QString recordedLine(const TRegistration &r)
{
    switch (r.kind) {
    case TRegistration::Components: {
        QStringList classes;
        for (const QMetaObject *Class : r.Classes)
            classes << nameOf(Class);
        return componentsLine(r.Page, classes);
    }
    case TRegistration::ComponentEditor:
        return componentEditorLine(nameOf(r.ComponentClass), nameOf(r.EditorClass));
    case TRegistration::PropertyEditor:
        return editorLine((r.PropertyType.Class ? "class " : "") + r.PropertyType.Name,
                          nameOf(r.ComponentClass), r.PropertyName, nameOf(r.EditorClass));
    case TRegistration::PropertiesInCategory:
        return categoryLine(r.Category, nameOf(r.ComponentClass), r.PropertyNames);
    case TRegistration::DemandLoadState:
        return QStringLiteral("ForceDemandLoadState(%1)").arg(r.State);
    }
    return {};
}

// The package's calls, in the order the host makes its units register, with category names as
// the host gives them now.
QStringList expectedLines()
{
    QStringList lines;
    const auto editors = [&](const auto &Rows) {
        for (const EditorRow &row : Rows)
            lines << editorLine(row);
    };
    const auto categories = [&](const auto &Rows) {
        for (const CategoryRow &row : Rows)
            lines << categoryLine(row);
    };
    const QString page = QStringLiteral("Data Controls");
    editors(colorDlgEditors);
    // KorDBGridsReg: the product first (its demand-load state is its one recorded call).
    lines << QStringLiteral("ForceDemandLoadState(1)")
          << componentsLine(page, {"TKorDBGrid", "TKorDBGridsADO", "TKorDBGridsCDS"})
          << componentEditorLine("TKorDBGrid", "KorDBGridsReg::TKorDBGridEditor");
    editors(gridEditors);
    categories(gridCategories);
    // KorDBEditsReg
    lines << componentsLine(page, {"TKorDBEditor", "TKorDBColumn"})
          << componentEditorLine("TKorDBColumn", "TBriskEditor")
          << componentEditorLine("TKorDBEditor", "TBriskEditor");
    editors(editsEditors);
    categories(editsCategories);
    // KorDBListsReg
    lines << componentsLine(page, {"TKorDBColumnsDialog"})
          << componentEditorLine("TKorDBColumnsDialog", "KorDBListsReg::TKorDBColumnsDialogEditor");
    categories(listsCategories);
    // KorDBCtrlsReg
    lines << componentsLine(page, {"TKorDBNavigator"})
          << componentEditorLine("TKorDBNavigator", "TBriskEditor");
    categories(ctrlsCategories);
    return lines;
}

// How many property names the tables hold.
int tableNameCount()
{
    int count = std::size(colorDlgEditors) + std::size(gridEditors) + std::size(editsEditors);
    for (const auto &rows : {std::span<const CategoryRow>(gridCategories),
                             std::span<const CategoryRow>(editsCategories),
                             std::span<const CategoryRow>(listsCategories),
                             std::span<const CategoryRow>(ctrlsCategories)})
        for (const CategoryRow &row : rows)
            count += row.Properties.size();
    return count;
}

QList<TRegistration> packageRegistrations()
{
    QList<TRegistration> own = Registrations();
    own.removeIf([](const TRegistration &r) { return r.Module != packageName; });
    return own;
}

// A host whose category names are in German; every other text stays as it is.
class TGermanHost : public QTranslator {
public:
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        static const QHash<QByteArray, QString> names{{"Database", "Datenbank"},
                                                      {"Help and Hints", "Hilfe und Hinweise"},
                                                      {"Input", "Eingabe"},
                                                      {"Layout", "Anordnung"},
                                                      {"Legacy", "Veraltet"},
                                                      {"Linkage", "Verkn\u00fcpfung"},
                                                      {"Localizable", "Lokalisierbar"},
                                                      {"Visual", "Darstellung"}};
        return QByteArray(context) == "DesignHost" ? names.value(source) : QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestPackageRegistration : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void recordOfCalls_data();
    void recordOfCalls();
    void propertiesExistWithTheirTypes();
    void paletteEntries();
};

void TestPackageRegistration::cleanup()
{
    if (IsPackageLoaded(packageName))
        UnloadPackage(packageName);
}

void TestPackageRegistration::recordOfCalls_data()
{
    QTest::addColumn<bool>("translated");
    QTest::addRow("English host") << false;
    QTest::addRow("German host") << true;
}

void TestPackageRegistration::recordOfCalls()
{
    QFETCH(bool, translated);
    TGermanHost german;
    if (translated)
        QVERIFY(QCoreApplication::installTranslator(&german));
    TScriptedDialogs messages;
    const THostDialogsScope messagesScope(messages);
    LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl"));
    const QStringList expected = expectedLines();
    if (translated)
        QCoreApplication::removeTranslator(&german);

    QVERIFY2(messages.Errors.isEmpty(), qPrintable(messages.Errors.join('\n')));
    QStringList recorded;
    for (const TRegistration &r : packageRegistrations())
        recorded << recordedLine(r);
    for (int i = 0; i < qMin(recorded.size(), expected.size()); ++i)
        QCOMPARE(recorded[i], expected[i]);
    QCOMPARE(recorded.size(), expected.size());

    // The host's categories follow its language; the package's literals never do.
    const QMetaObject *dialog = &TKorDBColumnsDialog::staticMetaObject;
    QCOMPARE(GetPropertyCategories(dialog, "Title"),
             (QStringList{"Localizable", "Visual", "KorDBColumnsDialog"}));
    QCOMPARE(GetPropertyCategories(dialog, "OnShow"), QStringList{"KorDBColumnsDialog"});
    QCOMPARE(GetPropertyCategories(&TKorColumn::staticMetaObject, "CheckBoxThemed"),
             (QStringList{"Image", translated ? "Darstellung" : "Visual", "KorDBGrid"}));
    QCOMPARE(GetPropertyCategories(&TKorDBEditor::staticMetaObject, "LookupDataSet"),
             (QStringList{translated ? "Datenbank" : "Database", "Brisk"}));
}

// Every property a registration names is published by an object of the registered class, with
// the registered type; an event is a method property, nothing else is. The host then picks the
// registered editor for it.
void TestPackageRegistration::propertiesExistWithTheirTypes()
{
    TFormDesigner designer;
    auto *grid = designer.Create<TKorDBGrid>();
    TKorColumn *column = grid->Columns()->Add();
    const QList<QObject *> instances{grid,
                                     grid->Gradient(),
                                     grid->Search(),
                                     grid->Totals(),
                                     grid->TreeView(),
                                     column,
                                     column->Title(),
                                     column->TotalFooter(),
                                     designer.Create<TKorDBEditor>(),
                                     designer.Create<TKorDBColumn>(),
                                     designer.Create<TKorDBColumnsDialog>(),
                                     designer.Create<TKorDBNavigator>()};
    LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl"));
    int checked = 0;
    for (const TRegistration &r : packageRegistrations()) {
        if (r.kind != TRegistration::PropertyEditor &&
            r.kind != TRegistration::PropertiesInCategory)
            continue;
        const auto of = std::find_if(instances.begin(), instances.end(), [&](QObject *object) {
            return object->metaObject()->inherits(r.ComponentClass);
        });
        QVERIFY2(of != instances.end(), r.ComponentClass->className());
        const QStringList names =
            r.kind == TRegistration::PropertyEditor ? QStringList{r.PropertyName} : r.PropertyNames;
        for (const QString &name : names) {
            const QString where = nameOf(r.ComponentClass) + '.' + name;
            PPropInfo info = GetPropInfo(*of, name);
            QVERIFY2(info, qPrintable(where + " is not published"));
            const bool event = name.startsWith("On", Qt::CaseInsensitive) && name[2].isUpper();
            QVERIFY2((info->Kind == TTypeKind::tkMethod) == event, qPrintable(where));
            if (r.kind == TRegistration::PropertyEditor) {
                QVERIFY2(r.PropertyType.Matches(info), qPrintable(where + ": " + info->TypeName));
                QCOMPARE(FindPropertyEditorClass(info, *of), r.EditorClass);
            }
            ++checked;
        }
    }
    QCOMPARE(checked, tableNameCount());
}

// The palette shows every registered class with its bitmap, background see-through, and each
// entry can be placed on a form.
void TestPackageRegistration::paletteEntries()
{
    const QMetaObject *grid = &TKorDBGrid::staticMetaObject;
    QVERIFY(GetPaletteIcon(grid).isNull());
    LoadPackage(QStringLiteral("DCLKorDBGrid90.bpl"));
    const QList<const QMetaObject *> classes = GetPaletteClasses("Data Controls");
    QCOMPARE(classes.size(), 7);

    QTreeWidget palette;
    palette.setHeaderHidden(true);
    palette.setIconSize(QSize(24, 24));
    palette.resize(260, 260);
    palette.setStyleSheet("QTreeWidget { background: #d8d8d8; }");
    for (const QString &page : GetPalettePages()) {
        auto *pageItem = new QTreeWidgetItem(&palette, {page});
        for (const QMetaObject *Class : GetPaletteClasses(page))
            new QTreeWidgetItem(pageItem, {QString::fromLatin1(Class->className())});
        pageItem->setExpanded(true);
    }
    TFormDesigner designer;
    for (const QMetaObject *Class : classes) {
        QVERIFY(designer.CreateComponent(Class));
        const QIcon icon = GetPaletteIcon(Class);
        QVERIFY2(!icon.isNull(), Class->className());
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(24, 24)});
        const QImage image = icon.pixmap(24, 24).toImage();
        // The background is see-through, the picture itself is not.
        QCOMPARE(qAlpha(image.pixel(0, 23)), 0);
        int opaque = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                opaque += qAlpha(image.pixel(x, y)) == 255;
        QVERIFY2(opaque > 24 && opaque < 24 * 24, Class->className());
        palette.findItems(Class->className(), Qt::MatchExactly | Qt::MatchRecursive)
            .value(0)
            ->setIcon(0, icon);
    }
    SaveScreenshot(&palette, "package_palette");

    // A class the package does not put on the palette has no icon, nor do its classes once the
    // package is gone.
    QVERIFY(GetPaletteIcon(&TKorCustomDBGrid::staticMetaObject).isNull());
    UnloadPackage(packageName);
    QVERIFY(GetPaletteIcon(grid).isNull());
}

QTEST_MAIN(TestPackageRegistration)
#include "tst_package_registration.moc"
