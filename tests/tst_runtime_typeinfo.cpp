// The run-time components as the host's type information sees them: every property the
// registration and the designer pages name, with its kind, type and recorded default; object
// properties that refuse the wrong class; stored conditions; copying of persistent parts.

#include <QtTest>
#include <map>

#include "columnsdialog.h"
#include "grid.h"
#include "hosterrors.h"
#include "kordbeditor.h"
#include "kordbeditors.h"
#include "navigator.h"
#include "typinfo.h"

namespace {

// An object of each class that publishes properties, kept alive for one test.
struct Instances {
    TKorDBGrid Grid;
    TKorDBCustomEditor CustomEditor;
    TKorDBDataEditor DataEditor;
    TKorDBEditor Editor;
    TKorDBColumn DBColumn;
    KorDBEditor::TKorDBGridEditor GridEditor;
    TKorDBColumnsDialog Dialog;
    TKorDBNavigator Navigator;
    TKorColumn *Column = nullptr;

    Instances() { Column = Grid.Columns()->Add(); }

    QObject *Of(const QString &className)
    {
        const std::map<QString, QObject *> map{
            {"TKorDBGrid", &Grid},
            {"TKorCustomDBGrid", &Grid},
            {"TKorColumn", Column},
            {"TKorColumnTitle", Column->Title()},
            {"TKorColumnTotal", Column->TotalHeader()},
            {"TKorDBGridTreeView", Grid.TreeView()},
            {"TKorDBGridSearch", Grid.Search()},
            {"TKorDBGridTotals", Grid.Totals()},
            {"TKorDBCustomEditor", &CustomEditor},
            {"TKorDBDataEditor", &DataEditor},
            {"TKorDBEditor", &Editor},
            {"TKorDBColumn", &DBColumn},
            {"TKorDBGridEditor", &GridEditor},
            {"TKorDBColumnsDialog", &Dialog},
            {"TKorDBNavigator", &Navigator},
        };
        const auto it = map.find(className);
        return it == map.end() ? nullptr : it->second;
    }
};

// Property names the registration attaches categories and editors to, by the class named.
const struct {
    const char *className;
    const char *names;
} kRegisteredNames[] = {
    {"TKorColumn",
     "FieldName KeyField LookupColumn LookupDataSet LookupKeyField LookupListFields "
     "LookupListTitles LookupListWidths LookupParentField LookupResultField LookupTreeViewField "
     "ToolTips ToolTipsWidth Alignment CheckBox CheckBoxThemed CheckBoxToggle CheckBoxValues "
     "ImageDraw ImageMargin ImageOffsetX ImageOffsetY Images QuickDraw Transparent "
     "TransparentColor "
     "VAlignment Wallpaper CharCase EditMemo ShowEdit DropDownRows DropDownWidth WidthBase "
     "WidthMax "
     "WidthMin EditorHint PickList PickText PickTextFormat SuppressRTL Title AutoNumber "
     "CheckBoxKind "
     "CheckBoxStyle Ellipsis ExpandBox ExpandBoxSize ExpandBoxThemed ExpandBoxTree ExpandCols "
     "Expanded ShowBlob TotalFields TotalFooter TotalHeader TotalValues WordWrap ButtonStyle "
     "CalendarDepth DelimiterChar DelimiterLine DialogOptions DropDownMenu ExpandBoxToggle "
     "ExpandStyle FilterList FilterText Hint ListOptions MultiSelectList MultiSelectText "
     "PickOptions Report"},
    {"TKorCustomDBGrid",
     "DetailFields KeyFields OrderFields TreeView OnOrderChanged OnOrderUpdated OnRowExpand "
     "OnRowExpanding FillerIndex IndicatorImages TitleImages TitleMarkers OnCalcImageIndex "
     "GridStyle HeaderLinesCount IndicatorWidth LinesCount LinesCountMax LinesCountMin Settings "
     "StretchWidthMax StretchWidthMin TitleLinesCount Totals OnLayout Ctl3DAuto FillerHint "
     "DrawingOptions DrawingStyle FixedCols FixedStyle FixedTheme FocusRect Gradient HotButtons "
     "ListBorder MarkerStyle MarkerTransparent ScrollBars ScrollProp StretchMode DataColLineColor "
     "DataRowLineColor DefaultWidthMax DefaultWidthMin DoubleBuffered DragRows EditorColor "
     "FillerButton FillerColor FillerPopupMenu Filter Filtered FilterGrid GridLineWidth "
     "HeaderColor "
     "HeaderFont HighlightText HintOptions IndicatorHint IndicatorPopupMenu MasterGrid "
     "MultiSelectOptions Options OptionsEx OptionsExt ResizeOptions Search SelectCellColor "
     "SelectionColor SelectRowColor StripeColor WheelScrollRows OnCalcBoldDays OnCellDblClick "
     "OnCellExpand OnCellHint OnColExpand OnColGetText OnColSetText OnColTextChanged "
     "OnColumnMoving OnColumnResize OnColumnScroll OnExpandClick OnFillerClick OnFilterChanged "
     "OnFilterRecord OnFilterUpdated OnHeaderClick OnIndicatorClick OnListCloseUp OnListDropDown "
     "OnListItemsUpdated OnPaintColumnCell OnRowResize OnRowSelect OnSelectedColsChanged "
     "OnSelectedRowsChanged OnSelectionChanged OnSequenceUpdated OnTitleClick OnTotalCalcQuery "
     "OnTotalCalcValue OnTotalClick OnTotalGetText OnTotalsUpdated Columns DataSource BorderStyle "
     "FixedColor"},
    {"TKorDBGrid", "KeyFields OrderFields DetailFields FillerIndex Hint FillerHint IndicatorHint"},
    {"TKorDBGridTreeView", "ColumnNames KeyFields ParentFields"},
    {"TKorColumnTitle", "ImageIndex MarkerIndex Hint Caption Header HeaderHint"},
    {"TKorColumnTotal", "FieldName Format ImageIndex Hint Caption Visible"},
    {"TKorDBGridSearch", "Color PanelColor"},
    {"TKorDBGridTotals", "SelectedColor Active Color Images DataSource"},
    {"TKorDBDataEditor", "DataColumn CharCase DropDownOnly DataSource"},
    {"TKorDBCustomEditor",
     "KeyField LookupKeyField LookupListFields LookupParentField LookupResultField "
     "LookupTreeViewField PickTextFormat LookupColumn LookupDataSet LookupListTitles "
     "LookupListWidths DropDownRows DropDownWidth PickList PickText"},
    {"TKorDBColumn",
     "AutoSelect CharCase DataColumn DataField DataSource DBGrid DropDownOnly LabelPosition "
     "LabelSpacing LabelVisible MaxLength"},
    {"TKorDBEditor",
     "AutoSelect ButtonStyle CalendarDepth CharCase DataColumn DataField DataSource DBGrid "
     "DelimiterChar DelimiterLine DrawingStyle DropDownOnly DropDownRows DropDownWidth ImageMargin "
     "Images KeyField LabelPosition LabelSpacing LabelVisible ListOptions LookupColumn "
     "LookupDataSet LookupKeyField LookupListFields LookupListTitles LookupListWidths "
     "LookupParentField LookupResultField LookupTreeViewField MaxLength MultiSelectList "
     "MultiSelectText PickIndex PickList PickOptions PickText PickTextFormat SuppressRTL"},
    {"TKorDBGridEditor", "DBGrid DataColumn"},
    {"TKorDBColumnsDialog",
     "DBGrid ButtonsTitles ColumnsTitle Title DefaultCount DefaultWidth MinimumCount MinimumWidth "
     "BorderStyle HelpContext Options OnApply OnClose OnCreate onShow"},
    {"TKorDBNavigator",
     "ApplyTheme Captions Fine FineTheme Font Gradient Kind Layout Margin ParentBackground "
     "ParentFont ShowCaptions Spacing"},
};

// Property editor registrations: class, property, the type the editor is registered for.
const struct {
    const char *className;
    const char *property;
    const char *typeName;
} kEditorTypes[] = {
    {"TKorDBGrid", "Columns", "TKorDBGridColumns"},
    {"TKorDBGrid", "MasterGrid", "TKorCustomDBGrid"},
    {"TKorColumn", "PickTextFormat", "string"},
    {"TKorDBGrid", "KeyFields", "string"},
    {"TKorDBGridTreeView", "ParentFields", "string"},
    {"TKorColumn", "LookupTreeViewField", "string"},
    {"TKorColumnTotal", "Format", "string"},
    {"TKorDBGrid", "FillerIndex", "Integer"},
    {"TKorColumnTitle", "MarkerIndex", "Integer"},
    {"TKorColumnTotal", "ImageIndex", "Integer"},
    {"TKorColumnTitle", "HeaderHint", "string"},
    {"TKorColumn", "TransparentColor", "TColor"},
    {"TKorDBGrid", "DataColLineColor", "TColor"},
    {"TKorDBGrid", "StripeColor", "TColor"},
    {"TKorDBGridSearch", "PanelColor", "TColor"},
    {"TKorDBGridTotals", "SelectedColor", "TColor"},
    {"TKorDBDataEditor", "DataColumn", "string"},
    {"TKorDBCustomEditor", "KeyField", "string"},
};

// Follows a dotted path through object properties; nullptr when a step is missing.
PPropInfo resolvePath(QObject *instance, const QString &path)
{
    const QStringList steps = path.split(QLatin1Char('.'));
    for (int i = 0; i + 1 < steps.size(); ++i) {
        PPropInfo step = GetPropInfo(instance, steps[i]);
        if (!step || step->Kind != TTypeKind::tkClass)
            return nullptr;
        instance = GetObjectProp(instance, steps[i]);
    }
    return instance ? GetPropInfo(instance, steps.last()) : nullptr;
}

// Property paths that the designer pages bind, relative to the grid, a column and a total row.
const char *const kGridPaths =
    "Align AlignWithMargins Anchors BiDiMode BorderStyle Color Constraints Constraints.MaxHeight "
    "Constraints.MaxWidth Constraints.MinHeight Constraints.MinWidth Ctl3D Ctl3DAuto Cursor "
    "DataColLineColor DataRowLineColor DataSource DefaultDrawing DefaultWidthMax DefaultWidthMin "
    "DetailFields DoubleBuffered DragCursor DragKind DragMode DragRows DrawingOptions DrawingStyle "
    "EditorColor Enabled FillerButton FillerColor FillerHint FillerIndex FillerPopupMenu "
    "FillerToolMenu Filter FilterGrid FilterGrid.AutoFilter FilterGrid.AutoFilters "
    "FilterGrid.AutoUpdate FilterGrid.Clauses FilterGrid.DecimalSeparator FilterGrid.DropDownRows "
    "FilterGrid.DropDownWidth FilterGrid.FilterText FilterGrid.Filtered FilterGrid.Options "
    "FilterGrid.Periods Filtered FixedColor FixedCols FixedStyle FixedTheme FocusRect Font "
    "Font.Color Font.Name Font.Size Font.Style Gradient Gradient.Active Gradient.Cells "
    "Gradient.Direction Gradient.EndColor Gradient.HotColor Gradient.Options Gradient.ShadowFactor "
    "Gradient.StartColor Gradient.SwapColors GridLineWidth GridStyle GridStyle.DataRowSpace "
    "GridStyle.HeaderRowSpace GridStyle.TitleColMargin GridStyle.TitleRowSpace "
    "GridStyle.TotalColMargin GridStyle.TotalRowSpace GridStyle.VisualStyle HeaderColor HeaderFont "
    "HeaderFont.Color HeaderFont.Name HeaderFont.Size HeaderFont.Style HeaderLinesCount Height "
    "HelpContext HelpKeyword HelpType HighlightText Hint HintOptions HotButtons IndicatorHint "
    "IndicatorImages IndicatorPopupMenu IndicatorWidth KeyFields Left LinesCount LinesCountMax "
    "LinesCountMin ListBorder Margins Margins.Bottom Margins.Left Margins.Right Margins.Top "
    "MarkerStyle MarkerTransparent MasterGrid MultiSelectOptions Name Options OptionsEx OptionsExt "
    "OrderFields ParentBiDiMode ParentCtl3D ParentShowHint PopupMenu PopupToolMenu ReadOnly "
    "ResizeOptions ScrollBars ScrollProp.AutoHidden ScrollProp.AutoStretch ScrollProp.Color "
    "ScrollProp.ParentColor ScrollProp.ParentStyle ScrollProp.Style ScrollProp.ThumbBar "
    "ScrollProp.WinXPMode Search Search.Active Search.Color Search.Incremental Search.ListWidth "
    "Search.Options Search.PanelColor Search.PanelOnTop Search.PanelVisible Search.Text "
    "Search.VisibleOptions SelectCellColor SelectRowColor SelectionColor Settings Settings.Active "
    "Settings.ExeName Settings.FileName Settings.IniFile Settings.Options Settings.Section "
    "ShowHint "
    "StretchMode StretchWidthMax StretchWidthMin StripeColor TabOrder TabStop Tag TitleFont "
    "TitleFont.Color TitleFont.Name TitleFont.Size TitleFont.Style TitleImages TitleLinesCount "
    "TitleMarkers ToolMenuItems ToolMenuSubItems ToolMenuSubItemsEx Top Totals.Active "
    "Totals.BoxStyle Totals.CalcValues Totals.Color Totals.DataMaxRow Totals.DataSource "
    "Totals.Font "
    "Totals.Font.Color Totals.Font.Name Totals.Font.Size Totals.Font.Style Totals.Images "
    "Totals.LinesCount Totals.SelectedColor TreeView TreeView.AutoActive TreeView.AutoUpdate "
    "TreeView.CellExpand TreeView.ColumnNames TreeView.OpenToLevel TreeView.ParentFields Visible "
    "WheelScrollRows Width";
const char *const kColumnPaths =
    "Alignment AutoNumber ButtonStyle CharCase CheckBox CheckBoxKind CheckBoxStyle CheckBoxThemed "
    "CheckBoxToggle CheckBoxValues Color DelimiterChar DelimiterLine DialogOptions DropDownMenu "
    "DropDownRows DropDownWidth EditMemo EditorHint Ellipsis ExpandBox ExpandBoxSize "
    "ExpandBoxThemed ExpandBoxToggle ExpandBoxTree ExpandCols ExpandStyle Expanded FieldName "
    "FilterList FilterText Font Font.Color Font.Name Font.Size Font.Style Hint ImageDraw "
    "ImageMargin "
    "ImageOffsetX ImageOffsetY Images KeyField ListOptions LookupColumn LookupDataSet "
    "LookupKeyField LookupListFields LookupListTitles LookupListWidths LookupParentField "
    "LookupResultField LookupTreeViewField MultiSelectList MultiSelectText PickList PickOptions "
    "PickText PickTextFormat PopupMenu QuickDraw ReadOnly Report Report.AutoHeight "
    "Report.DialogOptions Report.TotalMask Report.TotalText Report.TotalType Report.Visible "
    "ShowBlob "
    "ShowEdit SuppressRTL Title.Alignment Title.AutoFilter Title.AutoFilters Title.AutoToggle "
    "Title.Button Title.Caption Title.Color Title.DropDownMenu Title.Ellipsis Title.Font "
    "Title.Font.Color Title.Font.Name Title.Font.Size Title.Font.Style Title.Header Title.Hint "
    "Title.ImageIndex Title.PopupMenu Title.VAlignment Title.WordWrap ToolTips ToolTipsWidth "
    "Transparent TransparentColor VAlignment Visible Wallpaper Width WidthBase WidthMax WidthMin "
    "WordWrap TitleButtonStyle";
const char *const kTotalPaths =
    "Alignment CalcApply CalcValue Caption Color Ellipsis FieldName Font Font.Color Font.Name "
    "Font.Size Font.Style Format FormatAsFloat Hint ImageIndex NullValue PopupMenu ToolTips "
    "ToolTipsWidth TotalBox TotalRecNo TotalResult VAlignment Visible WordWrap";

} // namespace

class TestRuntimeTypeInfo : public QObject {
    Q_OBJECT

private slots:
    void everyRegisteredPropertyIsPublishedOnItsClass()
    {
        Instances instances;
        QStringList missing;
        for (const auto &entry : kRegisteredNames) {
            QObject *instance = instances.Of(QLatin1String(entry.className));
            QVERIFY2(instance, entry.className);
            const QString className = QLatin1String(entry.className);
            bool inherits = false;
            for (const QMetaObject *mo = instance->metaObject(); mo; mo = mo->superClass())
                inherits = inherits || QString::fromLatin1(mo->className()).endsWith(className);
            QVERIFY2(inherits, entry.className);
            for (const QString &name : QString::fromLatin1(entry.names).split(QLatin1Char(' ')))
                if (!GetPropInfo(instance, name))
                    missing.append(className + QLatin1Char('.') + name);
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(", "))));

        for (const auto &entry : kEditorTypes) {
            PPropInfo info = GetPropInfo(instances.Of(QLatin1String(entry.className)),
                                         QLatin1String(entry.property));
            QVERIFY2(info, entry.property);
            QCOMPARE(info->TypeName, QString::fromLatin1(entry.typeName));
        }
    }

    void everyDesignerPathResolves()
    {
        Instances instances;
        instances.Column->TotalValues()->Add();
        const struct {
            QObject *instance;
            const char *paths;
        } roots[] = {
            {&instances.Grid, kGridPaths},
            {instances.Column, kColumnPaths},
            {instances.Column->TotalHeader(), kTotalPaths},
            {instances.Column->TotalValues()->Items(0), kTotalPaths},
        };
        QStringList missing;
        for (const auto &root : roots)
            for (const QString &path : QString::fromLatin1(root.paths).split(QLatin1Char(' ')))
                if (!resolvePath(root.instance, path))
                    missing.append(QLatin1String(root.instance->metaObject()->className()) +
                                   QLatin1Char('.') + path);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(", "))));
    }

    void kindsTypesAndRecordedDefaults()
    {
        TKorDBGrid grid;
        const struct {
            const char *name;
            TTypeKind kind;
            const char *typeName;
        } expected[] = {
            {"Options", TTypeKind::tkSet, "TKorDBGridOptions"},
            {"DrawingStyle", TTypeKind::tkEnumeration, "TKorGridDrawingStyle"},
            {"BorderStyle", TTypeKind::tkEnumeration, "TBorderStyle"},
            {"ScrollBars", TTypeKind::tkEnumeration, "TScrollStyle"},
            {"Filtered", TTypeKind::tkEnumeration, "Boolean"},
            {"FixedColor", TTypeKind::tkInteger, "TColor"},
            {"TitleImages", TTypeKind::tkClass, "TCustomImageList"},
            {"Totals", TTypeKind::tkClass, "TKorDBGridTotals"},
            {"OnTitleClick", TTypeKind::tkMethod, "TKorColumnNotifyEvent"},
            {"Cursor", TTypeKind::tkInteger, "TCursor"},
        };
        for (const auto &entry : expected) {
            PPropInfo info = FindPropInfo(&grid, QLatin1String(entry.name));
            QCOMPARE(info->Kind, entry.kind);
            QCOMPARE(info->TypeName, QString::fromLatin1(entry.typeName));
        }

        // A fresh grid holds its recorded defaults.
        for (const char *name :
             {"Options", "OptionsEx", "DrawingStyle", "BorderStyle", "FixedColor", "StripeColor",
              "IndicatorWidth", "FillerIndex", "ScrollBars"}) {
            PPropInfo info = FindPropInfo(&grid, QLatin1String(name));
            QVERIFY2(info->Default != NoDefault, name);
            QCOMPARE(GetOrdProp(&grid, info), info->Default);
        }
        QCOMPARE(GetEnumProp(&grid, "DrawingStyle"), QStringLiteral("gdsClassic"));
        QCOMPARE(GetEnumProp(&grid, "BorderStyle"), QStringLiteral("bsSingle"));
        QCOMPARE(GetOrdProp(&grid, "FixedColor"), clBtnFace);
        QCOMPARE(GetOrdProp(&grid, "StripeColor"), clDefault);

        // Sets: bit n is element n, up to the 32nd element of Options.
        PPropInfo options = FindPropInfo(&grid, "Options");
        QCOMPARE(options->EnumCount(), 32);
        QCOMPARE(options->EnumName(2), QStringLiteral("dgTitles"));
        QCOMPARE(options->EnumName(31), QStringLiteral("dgRightMoving"));
        QCOMPARE(options->EnumValue(QStringLiteral("dgHeaders")), 19);
        SetOrdProp(&grid, options, GetOrdProp(&grid, options) | (1 << 31));
        QVERIFY(grid.Options() & Kor::dgRightMoving);
        QCOMPARE(FindPropInfo(&grid, "OptionsEx")->EnumName(28),
                 QStringLiteral("dgxEditorByCharOff"));
        QCOMPARE(FindPropInfo(&grid, "HintOptions")->EnumName(12),
                 QStringLiteral("hoShowTotalToolTips"));

        // Enumerations by identifier; the designer's rules read ordinals.
        SetEnumProp(&grid, "DrawingStyle", "gdsGradient");
        QCOMPARE(GetOrdProp(&grid, "DrawingStyle"), 2);
        QVERIFY_THROWS_EXCEPTION(EConvertError, SetEnumProp(&grid, "DrawingStyle", "gdsNoSuch"));

        TKorColumn *column = grid.Columns()->Add();
        QCOMPARE(FindPropInfo(column, "DelimiterChar")->Kind, TTypeKind::tkChar);
        QCOMPARE(GetStrProp(column, "DelimiterChar"), QStringLiteral(";"));
        QCOMPARE(FindPropInfo(column, "PickList")->TypeName, QStringLiteral("TStrings"));
        QCOMPARE(GetEnumProp(column, "LookupColumn"), QStringLiteral("lcNone"));
        QCOMPARE(GetEnumProp(column, "ButtonStyle"), QStringLiteral("cbsAuto"));
        SetOrdProp(column, "ButtonStyle", 5);
        QCOMPARE(column->ButtonStyle(), Kor::cbsCalendar);
        QCOMPARE(GetEnumProp(column->TotalHeader(), "TotalBox"), QStringLiteral("ctbDefault"));
        QCOMPARE(GetOrdProp(column->TotalHeader(), "TotalBox"), 2);
    }

    void objectPropertiesRefuseTheWrongClass()
    {
        TKorDBGrid grid, other, third;
        TKorDBGridsADO adoGrid;
        TImageList images;
        TDataSource source;

        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "DataSource", &images));
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "TitleImages", &source));
        SetObjectProp(&grid, "TitleImages", &images);
        QCOMPARE(grid.TitleImages(), &images);
        SetObjectProp(&grid, "DataSource", &source);
        QCOMPARE(grid.DataSource(), &source);
        SetObjectProp(grid.Totals(), "DataSource", &source);
        QCOMPARE(GetObjectProp(&grid, "Totals"), grid.Totals());

        // A grid is not its own master, neither directly nor through other grids.
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "MasterGrid", &grid));
        QVERIFY(!grid.MasterGrid());
        SetObjectProp(&other, "MasterGrid", &grid);
        SetObjectProp(&third, "MasterGrid", &other);
        QVERIFY_THROWS_EXCEPTION(EPropertyError, SetObjectProp(&grid, "MasterGrid", &third));
        QVERIFY(!grid.MasterGrid());
        SetObjectProp(&grid, "MasterGrid", &adoGrid); // a descendant class is a grid too
        QCOMPARE(grid.MasterGrid(), &adoGrid);
        SetObjectProp(&grid, "MasterGrid", nullptr);
        QVERIFY(!grid.MasterGrid());
    }

    void storedConditionsFollowWhatTheColumnSet()
    {
        TKorDBGrid grid;
        TKorColumn *column = grid.Columns()->Add();
        for (const char *name : {"Width", "Color", "Alignment", "ReadOnly", "Font"})
            QVERIFY2(!IsStoredProp(column, QLatin1String(name)), name);
        QVERIFY(!IsStoredProp(column->Title(), "Caption"));
        QCOMPARE(FindPropInfo(column, "Width")->Default, NoDefault);

        // Until set, the colours follow the grid.
        grid.setColor(clYellow);
        grid.setFixedColor(clAqua);
        QCOMPARE(column->Color(), clYellow);
        QCOMPARE(column->Title()->Color(), clAqua);

        SetOrdProp(column, "Width", 120);
        SetOrdProp(column, "Color", clRed);
        SetStrProp(column->Title(), "Caption", QStringLiteral("Price"));
        column->Title()->Font()->setSize(14);
        QVERIFY(IsStoredProp(column, "Width"));
        QVERIFY(IsStoredProp(column, "Color"));
        QVERIFY(IsStoredProp(column->Title(), "Caption"));
        QVERIFY(IsStoredProp(column->Title(), "Font"));
        grid.setColor(clWhite);
        QCOMPARE(column->Color(), clRed);

        column->RestoreDefaults();
        QVERIFY(!IsStoredProp(column, "Width"));
        QVERIFY(!IsStoredProp(column->Title(), "Caption"));
        QVERIFY(!IsStoredProp(column->Title(), "Font"));
        QCOMPARE(column->Color(), clWhite);
        QCOMPARE(column->Title()->Font()->Size(), grid.TitleFont()->Size());
    }

    void persistentPartsCopyByProperty()
    {
        TKorDBGrid first, second;
        first.Totals()->setActive(true);
        first.Totals()->setColor(clLime);
        first.Totals()->Font()->setName(QStringLiteral("Courier"));
        second.setTotals(first.Totals());
        QVERIFY(second.Totals()->Active());
        QCOMPARE(second.Totals()->Color(), clLime);
        QCOMPARE(second.Totals()->Font()->Name(), QStringLiteral("Courier"));
        QVERIFY(second.Totals()->Font() != first.Totals()->Font());

        // A part of another class is refused, and leaves the destination as it was.
        QVERIFY_THROWS_EXCEPTION(EConvertError, second.Totals()->Assign(first.Search()));
        QCOMPARE(second.Totals()->Color(), clLime);
        QCOMPARE(second.Totals()->GetNamePath(), QStringLiteral("Totals"));
        second.setObjectName(QStringLiteral("KorDBGrid2"));
        QCOMPARE(second.Totals()->GetNamePath(), QStringLiteral("KorDBGrid2.Totals"));
    }
};

QTEST_MAIN(TestRuntimeTypeInfo)
#include "tst_runtime_typeinfo.moc"
