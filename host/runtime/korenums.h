#pragma once
// Enumerations and sets that the suite's components publish.
//
// Enumerations are plain ordinals. A set's element of ordinal n has the value 1 << n, so that a
// set held in a 32-bit mask has bit n standing for element n, as the type information expects.

#include <QFlags>
#include <QObject>

#include "korruntime_export.h"

#define KOR_ELEM(n) (1 << (n))

namespace Kor {
Q_NAMESPACE_EXPORT(KORRUNTIME_EXPORT)

// ---- Control model ------------------------------------------------------------------------

enum TAnchorKind {
    akLeft = KOR_ELEM(0),
    akTop = KOR_ELEM(1),
    akRight = KOR_ELEM(2),
    akBottom = KOR_ELEM(3)
};
Q_DECLARE_FLAGS(TAnchors, TAnchorKind)
Q_FLAG_NS(TAnchors)

enum TDragKind { dkDrag, dkDock };
Q_ENUM_NS(TDragKind)

enum TDragMode { dmManual, dmAutomatic };
Q_ENUM_NS(TDragMode)

enum THelpType { htKeyword, htContext };
Q_ENUM_NS(THelpType)

// ---- Grid ---------------------------------------------------------------------------------

enum TKorDBGridOption {
    dgEditing = KOR_ELEM(0),
    dgAlwaysShowEditor = KOR_ELEM(1),
    dgTitles = KOR_ELEM(2),
    dgIndicator = KOR_ELEM(3),
    dgColumnResize = KOR_ELEM(4),
    dgColLines = KOR_ELEM(5),
    dgRowLines = KOR_ELEM(6),
    dgTabs = KOR_ELEM(7),
    dgRowSelect = KOR_ELEM(8),
    dgAlwaysShowSelection = KOR_ELEM(9),
    dgConfirmDelete = KOR_ELEM(10),
    dgCancelOnExit = KOR_ELEM(11),
    dgMultiSelect = KOR_ELEM(12),
    dgExtendedSelect = KOR_ELEM(13),
    dgInternalSelect = KOR_ELEM(14),
    dgRowResize = KOR_ELEM(15),
    dgRowScroll = KOR_ELEM(16),
    dgHotButtons = KOR_ELEM(17),
    dgTitleButtons = KOR_ELEM(18),
    dgHeaders = KOR_ELEM(19),
    dgTitleWidthOff = KOR_ELEM(20),
    dgAllowDeleteOff = KOR_ELEM(21),
    dgAllowInsertOff = KOR_ELEM(22),
    dgAutoUnselectOff = KOR_ELEM(23),
    dgMarkerOff = KOR_ELEM(24),
    dgMarkerAutoAlign = KOR_ELEM(25),
    dgMarkerAutoSwitch = KOR_ELEM(26),
    dgMarkerAutoToggle = KOR_ELEM(27),
    dgMarkerAscendOnly = KOR_ELEM(28),
    dgForceSequence = KOR_ELEM(29),
    dgThumbTracking = KOR_ELEM(30),
    dgRightMoving = KOR_ELEM(31),
};
Q_DECLARE_FLAGS(TKorDBGridOptions, TKorDBGridOption)
Q_FLAG_NS(TKorDBGridOptions)

enum TKorDBGridOptionEx {
    dgxBlankRow = KOR_ELEM(0),
    dgxTotalHeader = KOR_ELEM(1),
    dgxTotalValues = KOR_ELEM(2),
    dgxTotalFields = KOR_ELEM(3),
    dgxTotalFooter = KOR_ELEM(4),
    dgxTotalColLines = KOR_ELEM(5),
    dgxTotalHeaderBox = KOR_ELEM(6),
    dgxTotalValuesBox = KOR_ELEM(7),
    dgxTotalFieldsBox = KOR_ELEM(8),
    dgxTotalFooterBox = KOR_ELEM(9),
    dgxTotalDataBoxOnly = KOR_ELEM(10),
    dgxLoadCurrentOrder = KOR_ELEM(11),
    dgxAutoUpdateOrder = KOR_ELEM(12),
    dgxAutoAscendOrder = KOR_ELEM(13),
    dgxAutoKeepSelection = KOR_ELEM(14),
    dgxAutoUpdateSequence = KOR_ELEM(15),
    dgxDelayUpdateSequence = KOR_ELEM(16),
    dgxAutoUpdateTotals = KOR_ELEM(17),
    dgxDelayUpdateTotals = KOR_ELEM(18),
    dgxCalcInvisibleRows = KOR_ELEM(19),
    dgxCalcWholeDataSet = KOR_ELEM(20),
    dgxCalcSelectedRows = KOR_ELEM(21),
    dgxDelaySelectedRows = KOR_ELEM(22),
    dgxTotalHeaderSelected = KOR_ELEM(23),
    dgxTotalValuesSelected = KOR_ELEM(24),
    dgxTotalFooterSelected = KOR_ELEM(25),
    dgxSelectedAutoHidden = KOR_ELEM(26),
    dgxClickSelectOff = KOR_ELEM(27),
    dgxEditorByCharOff = KOR_ELEM(28),
};
Q_DECLARE_FLAGS(TKorDBGridOptionsEx, TKorDBGridOptionEx)
Q_FLAG_NS(TKorDBGridOptionsEx)

enum TKorDBGridOptionExt {
    dgtAutoNumberColumn = KOR_ELEM(0),
    dgtAutoSelectColumn = KOR_ELEM(1),
    dgtAutoExpandColumn = KOR_ELEM(2),
    dgtAutoUpdateListItems = KOR_ELEM(3),
    dgtDelayUpdateListItems = KOR_ELEM(4),
    dgtAutoSizeRows = KOR_ELEM(5),
    dgtMouseScrolling = KOR_ELEM(6),
    dgtMouseTracking = KOR_ELEM(7),
    dgtMarkerClearAllowed = KOR_ELEM(8),
    dgtScrollGridMode = KOR_ELEM(9),
    dgtScrollPageMode = KOR_ELEM(10),
    dgtScrollRowsMode = KOR_ELEM(11),
    dgtKeepColumnWidths = KOR_ELEM(12),
    dgtKeepTopRow = KOR_ELEM(13),
    dgtKeepSelection = KOR_ELEM(14),
    dgtForceCustomized = KOR_ELEM(15),
    dgtScaleByParentFont = KOR_ELEM(16),
    dgtIncrementalListSearch = KOR_ELEM(17),
};
Q_DECLARE_FLAGS(TKorDBGridOptionsExt, TKorDBGridOptionExt)
Q_FLAG_NS(TKorDBGridOptionsExt)

enum TKorDBGridDrawingOption {
    doHighlightText = KOR_ELEM(0),
    doDataColLineColor = KOR_ELEM(1),
    doDataRowLineColor = KOR_ELEM(2),
    doSelectCellColor = KOR_ELEM(3),
    doSelectRowColor = KOR_ELEM(4),
    doSelectionColor = KOR_ELEM(5),
    doTotalSelectedColor = KOR_ELEM(6),
    doStripeColor = KOR_ELEM(7),
    doEditorColor = KOR_ELEM(8),
};
Q_DECLARE_FLAGS(TKorDBGridDrawingOptions, TKorDBGridDrawingOption)
Q_FLAG_NS(TKorDBGridDrawingOptions)

enum TKorDBGridHintOption {
    hoTitleHints = KOR_ELEM(0),
    hoShowTitleHints = KOR_ELEM(1),
    hoEditorHints = KOR_ELEM(2),
    hoShowEditorHints = KOR_ELEM(3),
    hoShowToolTips = KOR_ELEM(4),
    hoKeepShowToolTips = KOR_ELEM(5),
    hoAlwaysShowToolTips = KOR_ELEM(6),
    hoDataHints = KOR_ELEM(7),
    hoShowDataHints = KOR_ELEM(8),
    hoFilterHints = KOR_ELEM(9),
    hoTotalHints = KOR_ELEM(10),
    hoShowTotalHints = KOR_ELEM(11),
    hoShowTotalToolTips = KOR_ELEM(12),
};
Q_DECLARE_FLAGS(TKorDBGridHintOptions, TKorDBGridHintOption)
Q_FLAG_NS(TKorDBGridHintOptions)

enum TKorDBGridMultiSelectOption {
    msoActive = KOR_ELEM(0),
    msoRows = KOR_ELEM(1),
    msoCols = KOR_ELEM(2),
    msoCells = KOR_ELEM(3),
    msoFixed = KOR_ELEM(4),
};
Q_DECLARE_FLAGS(TKorDBGridMultiSelectOptions, TKorDBGridMultiSelectOption)
Q_FLAG_NS(TKorDBGridMultiSelectOptions)

enum TKorDBGridResizeOption {
    roColumnResizing = KOR_ELEM(0),
    roOptimalWidth = KOR_ELEM(1),
    roDefaultWidth = KOR_ELEM(2),
    roColumnMoving = KOR_ELEM(3),
};
Q_DECLARE_FLAGS(TKorDBGridResizeOptions, TKorDBGridResizeOption)
Q_FLAG_NS(TKorDBGridResizeOptions)

enum TKorToolMenuItem {
    tmiOpen = KOR_ELEM(0),
    tmiRefresh = KOR_ELEM(1),
    tmiShowColumns = KOR_ELEM(2),
    tmiColumns = KOR_ELEM(3),
    tmiShowAutoFilter = KOR_ELEM(4),
    tmiAutoFilter = KOR_ELEM(5),
    tmiShowMultiSelect = KOR_ELEM(6),
    tmiMultiSelect = KOR_ELEM(7),
    tmiSelectedRow = KOR_ELEM(8),
    tmiStripedRows = KOR_ELEM(9),
    tmiTreeView = KOR_ELEM(10),
    tmiSettings = KOR_ELEM(11),
    tmiClose = KOR_ELEM(12),
};
Q_DECLARE_FLAGS(TKorToolMenuItems, TKorToolMenuItem)
Q_FLAG_NS(TKorToolMenuItems)

enum TKorToolMenuSubItem {
    tmsColumnsShow = KOR_ELEM(0),
    tmsColumnsStretch = KOR_ELEM(1),
    tmsColumnsDefaultWidth = KOR_ELEM(2),
    tmsColumnsOptimalWidth = KOR_ELEM(3),
    tmsColumnsIncludeTitles = KOR_ELEM(4),
    tmsColumnsIncludeButtons = KOR_ELEM(5),
    tmsColumnsLoad = KOR_ELEM(6),
    tmsColumnsSave = KOR_ELEM(7),
    tmsColumnsLoadFromFile = KOR_ELEM(8),
    tmsColumnsSaveToFile = KOR_ELEM(9),
    tmsAutoFilterActive = KOR_ELEM(10),
    tmsAutoFilterFiltered = KOR_ELEM(11),
    tmsAutoFilterClear = KOR_ELEM(12),
    tmsAutoFilterLoad = KOR_ELEM(13),
    tmsAutoFilterSave = KOR_ELEM(14),
    tmsAutoFilterLoadFromFile = KOR_ELEM(15),
    tmsAutoFilterSaveToFile = KOR_ELEM(16),
    tmsMultiSelectActive = KOR_ELEM(17),
    tmsMultiSelectRows = KOR_ELEM(18),
    tmsMultiSelectCols = KOR_ELEM(19),
    tmsMultiSelectCells = KOR_ELEM(20),
    tmsMultiSelectFixed = KOR_ELEM(21),
};
Q_DECLARE_FLAGS(TKorToolMenuSubItems, TKorToolMenuSubItem)
Q_FLAG_NS(TKorToolMenuSubItems)

enum TKorToolMenuSubItemEx {
    tmxLoadLayout = KOR_ELEM(0),
    tmxSaveLayout = KOR_ELEM(1),
    tmxLoad = KOR_ELEM(2),
    tmxSave = KOR_ELEM(3),
    tmxEraseFromFile = KOR_ELEM(4),
    tmxLoadFromFile = KOR_ELEM(5),
    tmxSaveToFile = KOR_ELEM(6),
    tmxEraseFromRegistry = KOR_ELEM(7),
    tmxLoadFromRegistry = KOR_ELEM(8),
    tmxSaveToRegistry = KOR_ELEM(9),
};
Q_DECLARE_FLAGS(TKorToolMenuSubItemsEx, TKorToolMenuSubItemEx)
Q_FLAG_NS(TKorToolMenuSubItemsEx)

// Ordinal 1 is themed drawing, ordinal 2 gradient drawing of the fixed cells.
enum TKorGridDrawingStyle { gdsClassic, gdsThemed, gdsGradient };
Q_ENUM_NS(TKorGridDrawingStyle)

enum TKorFixedTheme { fxtDefault, fxtButton, fxtHeader, fxtToolBar };
Q_ENUM_NS(TKorFixedTheme)

enum TKorFixedStyle { fstFlat, fstRaised, fstSunken, fstDouble };
Q_ENUM_NS(TKorFixedStyle)

enum TKorFocusRect { frNone, frDefault, frSolid, frDotted };
Q_ENUM_NS(TKorFocusRect)

enum TKorHotButtons { hbNone, hbTitles, hbFixed, hbAll };
Q_ENUM_NS(TKorHotButtons)

enum TKorListBorder { lbNone, lbSingle, lbFrame, lbThemed };
Q_ENUM_NS(TKorListBorder)

enum TKorMarkerStyle { mksArrows, mksTriangles, mksImages };
Q_ENUM_NS(TKorMarkerStyle)

enum TKorMarkerTransparent { mktOpaque, mktTransparent, mktAuto };
Q_ENUM_NS(TKorMarkerTransparent)

enum TKorVisualStyle { vsClassic, vsCompact, vsSpacious };
Q_ENUM_NS(TKorVisualStyle)

enum TKorScrollBarStyle { sbsRegular, sbsFlat, sbsHotTrack };
Q_ENUM_NS(TKorScrollBarStyle)

// Which scroll bars hide while not needed; ordinals 1 and 3 include the vertical one.
enum TKorScrollAutoHidden { sahNone, sahVertical, sahHorizontal, sahBoth };
Q_ENUM_NS(TKorScrollAutoHidden)

enum TKorScrollThumbBar { stbDefault, stbProportional, stbFixed };
Q_ENUM_NS(TKorScrollThumbBar)

enum TKorTotalBoxStyle { tbsFlat, tbsRaised, tbsSunken };
Q_ENUM_NS(TKorTotalBoxStyle)

// The grid's saved settings.
enum TKorSettingsOption {
    stoLoadLayout = KOR_ELEM(0),
    stoSaveLayout = KOR_ELEM(1),
    stoUserSettings = KOR_ELEM(2),
    stoStretchMode = KOR_ELEM(3),
    stoOrderFields = KOR_ELEM(4),
    stoLinesCount = KOR_ELEM(5),
    stoMultiSelect = KOR_ELEM(6),
    stoSelectedRow = KOR_ELEM(7),
    stoStripedRows = KOR_ELEM(8),
    stoAutoFilter = KOR_ELEM(9),
    stoFiltered = KOR_ELEM(10),
    stoFilters = KOR_ELEM(11),
};
Q_DECLARE_FLAGS(TKorSettingsOptions, TKorSettingsOption)
Q_FLAG_NS(TKorSettingsOptions)

enum TKorSearchOption {
    sroCaseSensitive = KOR_ELEM(0),
    sroWholeWords = KOR_ELEM(1),
    sroWrapAround = KOR_ELEM(2),
    sroSkipMessage = KOR_ELEM(3),
    sroCurrentColumn = KOR_ELEM(4),
    sroFilterRows = KOR_ELEM(5),
};
Q_DECLARE_FLAGS(TKorSearchOptions, TKorSearchOption)
Q_FLAG_NS(TKorSearchOptions)

enum TKorGradientCell {
    gcSelectedCell = KOR_ELEM(0),
    gcSelectedRow = KOR_ELEM(1),
    gcMultiSelected = KOR_ELEM(2),
    gcStripedRows = KOR_ELEM(3),
};
Q_DECLARE_FLAGS(TKorGradientCells, TKorGradientCell)
Q_FLAG_NS(TKorGradientCells)

enum TKorGradientOption {
    goGradient = KOR_ELEM(0),
    goHotButton = KOR_ELEM(1),
    goHotTrack = KOR_ELEM(2),
    goHotColor = KOR_ELEM(3),
};
Q_DECLARE_FLAGS(TKorGradientOptions, TKorGradientOption)
Q_FLAG_NS(TKorGradientOptions)

// ---- Filters ------------------------------------------------------------------------------

enum TKorAutoFilter { afFilterList = KOR_ELEM(0), afFilterForm = KOR_ELEM(1) };
Q_DECLARE_FLAGS(TKorAutoFilters, TKorAutoFilter)
Q_FLAG_NS(TKorAutoFilters)

enum TKorFilterOption {
    fgoAutoApplyList = KOR_ELEM(0),
    fgoListAnimation = KOR_ELEM(1),
    fgoListAlignment = KOR_ELEM(2),
    fgoOverlayedList = KOR_ELEM(3),
    fgoLoadAllItems = KOR_ELEM(4),
    fgoCheckedFirst = KOR_ELEM(5),
    fgoAddSelected = KOR_ELEM(6),
    fgoIncrementalList = KOR_ELEM(7),
};
Q_DECLARE_FLAGS(TKorFilterOptions, TKorFilterOption)
Q_FLAG_NS(TKorFilterOptions)

enum TKorFilterClause {
    fcNoFilter = KOR_ELEM(0),
    fcContains = KOR_ELEM(1),
    fcDoesNotContain = KOR_ELEM(2),
    fcStartsFrom = KOR_ELEM(3),
    fcDoesNotStartFrom = KOR_ELEM(4),
    fcEndsWith = KOR_ELEM(5),
    fcDoesNotEndWith = KOR_ELEM(6),
    fcIsEqual = KOR_ELEM(7),
    fcIsNotEqual = KOR_ELEM(8),
    fcIsGreaterThen = KOR_ELEM(9),
    fcIsGreaterThenOrEqual = KOR_ELEM(10),
    fcIsLessThen = KOR_ELEM(11),
    fcIsLessThenOrEqual = KOR_ELEM(12),
    fcIsOnTheList = KOR_ELEM(13),
    fcIsNotOnTheList = KOR_ELEM(14),
    fcIsEmpty = KOR_ELEM(15),
    fcIsNotEmpty = KOR_ELEM(16),
};
Q_DECLARE_FLAGS(TKorFilterClauses, TKorFilterClause)
Q_FLAG_NS(TKorFilterClauses)

enum TKorFilterPeriod {
    fpNoPeriod = KOR_ELEM(0),
    fpMinute = KOR_ELEM(1),
    fpHour = KOR_ELEM(2),
    fpDay = KOR_ELEM(3),
    fpWeek = KOR_ELEM(4),
    fpMonth = KOR_ELEM(5),
    fpQuarter = KOR_ELEM(6),
    fpSemester = KOR_ELEM(7),
    fpYear = KOR_ELEM(8),
    fpDecade = KOR_ELEM(9),
    fpOther = KOR_ELEM(10),
    fp10Mins = KOR_ELEM(11),
    fp15Mins = KOR_ELEM(12),
    fp20Mins = KOR_ELEM(13),
    fp30Mins = KOR_ELEM(14),
    fpHours = KOR_ELEM(15),
    fpDays = KOR_ELEM(16),
    fpWeeks = KOR_ELEM(17),
    fpMonths = KOR_ELEM(18),
    fpQuarters = KOR_ELEM(19),
    fpSemesters = KOR_ELEM(20),
    fpYears = KOR_ELEM(21),
    fpDecades = KOR_ELEM(22),
    fpOthers = KOR_ELEM(23),
};
Q_DECLARE_FLAGS(TKorFilterPeriods, TKorFilterPeriod)
Q_FLAG_NS(TKorFilterPeriods)

// ---- Columns ------------------------------------------------------------------------------

// Default columns are generated from the data set's fields; customised ones are defined by the
// developer and stored with the form.
enum TKorDBGridColumnsState { csDefault, csCustomized };
Q_ENUM_NS(TKorDBGridColumnsState)

enum TKorVerticalAlignment { vaTop, vaCenter, vaBottom };
Q_ENUM_NS(TKorVerticalAlignment)

// Ordinals 0 (list drop-down), 2 (ellipsis), 4 (drop-down menu), 5 (calendar) and 6 (calculator)
// select the editor's button behaviour.
enum TKorColumnButtonStyle {
    cbsAuto,
    cbsNone,
    cbsEllipsis,
    cbsUpDown,
    cbsDropDownMenu,
    cbsCalendar,
    cbsCalculator,
};
Q_ENUM_NS(TKorColumnButtonStyle)

// The title's own button; ordinal 3 drops down the title's menu.
enum TKorTitleButtonStyle { ttbNone, ttbButton, ttbSortButton, ttbDropDownMenu };
Q_ENUM_NS(TKorTitleButtonStyle)

enum TKorCheckBoxStyle { cksCheck, cksRadio, cksCross, cksFlat };
Q_ENUM_NS(TKorCheckBoxStyle)

enum TKorCheckBoxToggle { ctgClick, ctgDblClick, ctgNone };
Q_ENUM_NS(TKorCheckBoxToggle)

enum TKorCheckBoxKind { ckBoolean, ckValues, ckGrayed };
Q_ENUM_NS(TKorCheckBoxKind)

enum TKorImageDraw { idDefault, idStretch, idCenter, idTile, idProportional };
Q_ENUM_NS(TKorImageDraw)

enum TKorExpandBoxSize { ebsSmall, ebsMedium, ebsLarge };
Q_ENUM_NS(TKorExpandBoxSize)

enum TKorExpandBoxToggle { ebtClick, ebtDblClick, ebtNone };
Q_ENUM_NS(TKorExpandBoxToggle)

enum TKorExpandStyle { exsBox, exsTree, exsButton };
Q_ENUM_NS(TKorExpandStyle)

enum TKorCalendarDepth { cdDays, cdMonths, cdYears, cdDecades };
Q_ENUM_NS(TKorCalendarDepth)

enum TKorMultiSelectText { mstValues, mstCount, mstFirstValue };
Q_ENUM_NS(TKorMultiSelectText)

// A column that is not a lookup column has ordinal 0.
enum TKorLookupColumn { lcNone, lcList, lcTreeView };
Q_ENUM_NS(TKorLookupColumn)

enum TKorListOption {
    loAutoComplete = KOR_ELEM(0),
    loAutoDropDown = KOR_ELEM(1),
    loAutoCloseEditor = KOR_ELEM(2),
    loSelectNextValue = KOR_ELEM(3),
    loAllowClearValue = KOR_ELEM(4),
    loShowToday = KOR_ELEM(5),
    loShowTodayCircle = KOR_ELEM(6),
    loShowWeekNumbers = KOR_ELEM(7),
    loAutoTodayClose = KOR_ELEM(8),
    loBoldSundays = KOR_ELEM(9),
    loBoldSaturdays = KOR_ELEM(10),
    loShowLookupListTitles = KOR_ELEM(11),
    loAllowAdjustOrder = KOR_ELEM(12),
    loAllowChangeOrder = KOR_ELEM(13),
    loAllowColumnResize = KOR_ELEM(14),
    loAllowColumnMoving = KOR_ELEM(15),
    loExpandFirstColumn = KOR_ELEM(16),
    loFirstColumnExpanded = KOR_ELEM(17),
    loMultiSelectList = KOR_ELEM(18),
    loAutoApplyList = KOR_ELEM(19),
    loTreeViewCellExpand = KOR_ELEM(20),
    loIncrementalList = KOR_ELEM(21),
};
Q_DECLARE_FLAGS(TKorListOptions, TKorListOption)
Q_FLAG_NS(TKorListOptions)

enum TKorPickOption {
    poDropDownList = KOR_ELEM(0),
    poListItemsOnly = KOR_ELEM(1),
    poSelectPickText = KOR_ELEM(2),
    poStoreItemIndex = KOR_ELEM(3),
    poAcceptPickList = KOR_ELEM(4),
    poAcceptItemIndex = KOR_ELEM(5),
    poAutoLoadList = KOR_ELEM(6),
    poAppendToList = KOR_ELEM(7),
    poSortedByText = KOR_ELEM(8),
    poFormatPickText = KOR_ELEM(9),
    poFormatListOnly = KOR_ELEM(10),
};
Q_DECLARE_FLAGS(TKorPickOptions, TKorPickOption)
Q_FLAG_NS(TKorPickOptions)

enum TKorColumnDialogOption { cdoShowColumn = KOR_ELEM(0), cdoItemEnabled = KOR_ELEM(1) };
Q_DECLARE_FLAGS(TKorColumnDialogOptions, TKorColumnDialogOption)
Q_FLAG_NS(TKorColumnDialogOptions)

enum TKorReportTotalType { rttNone, rttSum, rttCount, rttAverage, rttMin, rttMax };
Q_ENUM_NS(TKorReportTotalType)

// ---- Totals -------------------------------------------------------------------------------

// A total row's box: unchecked, checked or grayed (follow the grid's options).
enum TKorColumnTotalBox { ctbHidden, ctbShown, ctbDefault };
Q_ENUM_NS(TKorColumnTotalBox)

// What a total shows: a fixed caption (1), the value of a field of the grid's current record (2),
// a field of the totals' own data set (3) or a value calculated over the grid's rows (4).
enum TKorTotalResult { trNone, trCaption, trCurrentField, trTotalsRecord, trCalcValue };
Q_ENUM_NS(TKorTotalResult)

enum TKorTotalCalcValue { cvSum, cvCount, cvAverage, cvMin, cvMax, cvDistinct };
Q_ENUM_NS(TKorTotalCalcValue)

enum TKorTotalCalcApply { caAllRows, caVisibleRows, caSelectedRows };
Q_ENUM_NS(TKorTotalCalcApply)

// ---- Editors, navigator, columns dialog ---------------------------------------------------

enum TKorLabelPosition { lpAbove, lpBelow, lpLeft, lpRight };
Q_ENUM_NS(TKorLabelPosition)

enum TKorNavigatorKind { nkStandard, nkFlat, nkButtons };
Q_ENUM_NS(TKorNavigatorKind)

enum TKorNavigatorLayout { nlGlyphLeft, nlGlyphTop, nlGlyphRight, nlGlyphBottom };
Q_ENUM_NS(TKorNavigatorLayout)

enum TKorFineTheme { fthDefault, fthSilver, fthBlue, fthOlive };
Q_ENUM_NS(TKorFineTheme)

enum TKorDialogBorderStyle { dbsSingle, dbsSizeable, dbsDialog, dbsToolWindow, dbsSizeToolWin };
Q_ENUM_NS(TKorDialogBorderStyle)

enum TKorColumnsDialogOption {
    dloApplyButton = KOR_ELEM(0),
    dloHelpButton = KOR_ELEM(1),
    dloShowHidden = KOR_ELEM(2),
    dloAutoApply = KOR_ELEM(3),
};
Q_DECLARE_FLAGS(TKorColumnsDialogOptions, TKorColumnsDialogOption)
Q_FLAG_NS(TKorColumnsDialogOptions)

} // namespace Kor

Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TAnchors)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorDBGridOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorDBGridOptionsEx)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorDBGridOptionsExt)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorDBGridDrawingOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorDBGridHintOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorDBGridMultiSelectOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorDBGridResizeOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorToolMenuItems)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorToolMenuSubItems)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorToolMenuSubItemsEx)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorSettingsOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorSearchOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorGradientCells)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorGradientOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorAutoFilters)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorFilterOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorFilterClauses)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorFilterPeriods)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorListOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorPickOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorColumnDialogOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(Kor::TKorColumnsDialogOptions)
