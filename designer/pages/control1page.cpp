// The "Control 1" page: the grid's own switches, editing, creating columns, selection and
// resizing.

#include "gridpages.h"

namespace {

using namespace TFactory;

const char *const GridCtl = "GridControlGroupBox";
const char *const Editing = "EditingControlGroupBox";
const char *const Creating = "CreatingControlGroupBox";
const char *const Selection = "SelectionControlGroupBox";
const char *const SelOptions = "SelectionOptionsGroupBox";
const char *const Resizing = "ResizingControlGroupBox";

const TPageTable &PageTable()
{
    static const TPageTable table{
        "Control1TabSheet",
        // Groups.
        {
            {GridCtl, OnSheet, " Grid control "},
            {Editing, OnSheet, " Editing control "},
            {Creating, OnSheet, " Creating control ", TPlace::NewColumn},
            {Selection, OnSheet, " Selection control "},
            {SelOptions, OnSheet, " Selection options ", TPlace::NewColumn},
            {Resizing, OnSheet, " Resizing control "},
        },
        // Rows.
        {
            {"VisibleCheckBox", GridCtl, AddBoolProp, "Visible"},
            {"EnabledCheckBox", GridCtl, AddBoolProp, "Enabled"},
            {"ReadOnlyCheckBox", GridCtl, AddBoolProp, "ReadOnly"},
            {"DefaultDrawingCheckBox", GridCtl, AddBoolProp, "DefaultDrawing", NoArgs, nullptr,
             TPlace::NewColumn},
            {"DoubleBufferedCheckBox", GridCtl, AddBoolProp, "DoubleBuffered"},
            {"TabsCheckBox", GridCtl, AddElemProp, "Options", Elem(7), "Tabs"},
            {"EditingCheckBox", Editing, AddElemProp, "Options", Elem(0), "Editing"},
            {"AllowDeleteOffCheckBox", Editing, AddElemProp, "Options", ElemInverted(21),
             "AllowDelete"},
            {"AllowInsertOffCheckBox", Editing, AddElemProp, "Options", ElemInverted(22),
             "AllowInsert"},
            {"AlwaysShowEditorCheckBox", Editing, AddElemProp, "Options", Elem(1),
             "AlwaysShowEditor"},
            {"ConfirmDeleteCheckBox", Editing, AddElemProp, "Options", Elem(10), "ConfirmDelete",
             TPlace::NewColumn},
            {"CancelOnExitCheckBox", Editing, AddElemProp, "Options", Elem(11), "CancelOnExit"},
            {"ShowEditorByCharCheckBox", Editing, AddElemProp, "OptionsEx", ElemInverted(28),
             "ShowEditorByChar"},
            {"AutoNumberColumnCheckBox", Creating, AddElemProp, "OptionsExt", Elem(0),
             "AutoNumberColumn"},
            {"AutoSelectColumnCheckBox", Creating, AddElemProp, "OptionsExt", Elem(1),
             "AutoSelectColumn"},
            {"AutoExpandColumnCheckBox", Creating, AddElemProp, "OptionsExt", Elem(2),
             "AutoExpandColumn"},
            {"TitleWidthOffCheckBox", Creating, AddElemProp, "Options", ElemInverted(20),
             "IncludeTitleWidth"},
            {"ForceCustomizedCheckBox", Creating, AddElemProp, "OptionsExt", Elem(15),
             "ForceCustomized"},
            {"MultiSelectCheckBox", Selection, AddElemProp, "Options", Elem(12), "MultiSelect"},
            {"ExtendedSelectCheckBox", Selection, AddElemProp, "Options", Elem(13),
             "ExtendedSelect"},
            {"InternalSelectCheckBox", Selection, AddElemProp, "Options", Elem(14),
             "InternalSelect"},
            {"AlwaysShowSelectionCheckBox", Selection, AddElemProp, "Options", Elem(9),
             "AlwaysShowSelection"},
            {"RowSelectCheckBox", Selection, AddElemProp, "Options", Elem(8), "RowSelect"},
            {"RowScrollCheckBox", Selection, AddElemProp, "Options", Elem(16), "RowScroll"},
            {"RowsCheckBox", SelOptions, AddElemProp, "MultiSelectOptions", Elem(1), "Rows"},
            {"ColsCheckBox", SelOptions, AddElemProp, "MultiSelectOptions", Elem(2), "Cols"},
            {"CellsCheckBox", SelOptions, AddElemProp, "MultiSelectOptions", Elem(3), "Cells"},
            {"FixedCheckBox", SelOptions, AddElemProp, "MultiSelectOptions", Elem(4), "Fixed"},
            {"ClickSelectOffCheckBox", SelOptions, AddElemProp, "OptionsEx", ElemInverted(27),
             "ClickAutoSelect"},
            {"AutoUnselectOffCheckBox", SelOptions, AddElemProp, "Options", ElemInverted(23),
             "ClickAutoUnselect"},
            {"ColumnResizeCheckBox", Resizing, AddElemProp, "Options", Elem(4), "ColumnResize"},
            {"ColumnResizingCheckBox", Resizing, AddElemProp, "ResizeOptions", Elem(0),
             "ColumnResizing"},
            {"ColumnMovingCheckBox", Resizing, AddElemProp, "ResizeOptions", Elem(3),
             "ColumnMoving"},
            {"OptimalWidthCheckBox", Resizing, AddElemProp, "ResizeOptions", Elem(1),
             "OptimalWidth"},
            {"DefaultWidthCheckBox", Resizing, AddElemProp, "ResizeOptions", Elem(2),
             "DefaultWidth"},
            {"RightMovingCheckBox", Resizing, AddElemProp, "Options", Elem(31), "RightMoving"},
            {"RowResizeCheckBox", Resizing, AddElemProp, "Options", Elem(15), "RowResize"},
            {"ScaleByParentFontCheckBox", Resizing, AddElemProp, "OptionsExt", Elem(16),
             "ScaleByParentFont"},
        },
        // Rules.
        {
            {{"EditingCheckBox"}, !O(8)},
            {{"AllowDeleteOffCheckBox", "AllowInsertOffCheckBox", "CancelOnExitCheckBox"},
             O(0) && !GridBool("ReadOnly")},
            {{"ShowEditorByCharCheckBox", "AlwaysShowEditorCheckBox"}, O(0)},
            {{"ConfirmDeleteCheckBox"}, O(0) && !GridBool("ReadOnly") && !O(21)},
            {{"AutoNumberColumnCheckBox", "AutoSelectColumnCheckBox", "AutoExpandColumnCheckBox",
              "TitleWidthOffCheckBox", "ForceCustomizedCheckBox"},
             !ColumnsCustomized()},
            {{"ExtendedSelectCheckBox", "ClickSelectOffCheckBox", "AutoUnselectOffCheckBox"},
             O(12)},
            {{"RowScrollCheckBox"}, O(8)},
            {{"RowsCheckBox", "FixedCheckBox"}, O(14) || O(12)},
            {{"ColsCheckBox", "CellsCheckBox"}, (O(14) || O(12)) && !O(8)},
            {{"ColumnResizeCheckBox"}, O(2)},
            {{"ColumnResizingCheckBox", "ColumnMovingCheckBox", "OptimalWidthCheckBox",
              "DefaultWidthCheckBox"},
             O(2) && O(4)},
            {{"RightMovingCheckBox"}, O(2) && O(4) && GridElem("ResizeOptions", 3)},
            {{"RowResizeCheckBox"}, O(3)},
        },
    };
    return table;
}

} // namespace

TControl1PropList::TControl1PropList(TDesignWindow *AOwnerForm, TKorDBGrid *Grid)
    : TGridPagePropList(AOwnerForm, Grid, PageTable())
{
}
