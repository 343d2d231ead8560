// The published properties of the grid classes and their settings objects, and the identifiers of
// the grid's enumeration types, for the form reader. RegisterGridClasses() is called by the
// registration entry point before the application's forms are read.
#include "framework/classes/PropertyRegistry.h"
#include "framework/grids/Grids.h"
#include "framework/menus/Menus.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "grid/control/AdvGrid.h"


namespace {

void SetLines(TStrings* Target, const std::vector<String>& Lines)
{
    Target->Clear();
    for (const String& line : Lines)
        Target->Add(line);
}

void RegisterGridTypes()
{
    RegisterEnumType(L"TVAlignment", {L"vtaTop", L"vtaCenter", L"vtaBottom"});
    RegisterEnumType(L"TProgressStyle", {L"psXP", L"psClassic"});
    RegisterEnumType(L"TCellGradientDirection", {L"GradientVertical", L"GradientHorizontal"});
    RegisterEnumType(L"TSearchDirection", {L"sdTopBottom", L"sdLeftRight"});
    RegisterEnumType(L"THomeEndAction", {L"heFirstLastColumn", L"heFirstLastRow", L"heFirstLastCell"});
    RegisterEnumType(L"TClipboardPasteAction", {L"paReplace", L"paInsert"});
    RegisterEnumType(L"TAdvanceDirection", {L"adLeftRight", L"adTopBottom"});
    RegisterEnumType(L"TInsertPosition", {L"pInsertBefore", L"pInsertAfter"});
    RegisterEnumType(L"TGridFixedCellEdit", {L"fceNone", L"fceDblClick", L"fceLeftClick", L"fceRightClick"});
    RegisterEnumType(L"TWheelAction", {L"waMoveSelection", L"waScroll"});
    RegisterEnumType(L"TEditorType",
                     {L"edNormal", L"edSpinEdit", L"edComboEdit", L"edComboList", L"edEditBtn", L"edCheckBox", L"edDateEdit",
                      L"edDateEditUpDown", L"edTimeEdit", L"edButton", L"edDataCheckBox", L"edNumeric", L"edPositiveNumeric",
                      L"edFloat", L"edCapital", L"edMixedCase", L"edPassword", L"edUnitEditBtn", L"edLowerCase", L"edUpperCase",
                      L"edFloatSpinEdit", L"edTimeSpinEdit", L"edDateSpinEdit", L"edNumericEditBtn", L"edFloatEditBtn",
                      L"edCustom", L"edRichEdit", L"edNone", L"edDateTimeEdit", L"edValidChars", L"edTrackbarDropDown",
                      L"edMemoDropDown", L"edCalculatorDropDown", L"edTimePickerDropDown", L"edDetailDropDown",
                      L"edGridDropDown", L"edColorPickerDropDown", L"edImagePickerDropDown", L"edAdvGridDropDown",
                      L"edPositiveFloat"});
    RegisterEnumType(L"TGridSelectionStyle", {L"ssDefault", L"ssVista", L"ssWin7", L"ssOffice2007"});
    RegisterEnumType(L"TGridLook", {L"glStandard", L"glSoft", L"glClassic", L"glQRX", L"glXP", L"glListView", L"glVista",
                                    L"glWin7", L"glOffice2007", L"glCustom"});
    RegisterEnumType(L"TScrollType", {L"ssNormal", L"ssFlat", L"ssEncarta"});
    RegisterEnumType(L"TScrollBarAlways", {L"saNone", L"saVert", L"saHorz", L"saBoth"});
    RegisterEnumType(L"TScrollHintType", {L"shNone", L"shVertical", L"shHorizontal", L"shBoth"});
    RegisterEnumType(L"TIntelliPan", {L"ipVertical", L"ipHorizontal", L"ipBoth", L"ipNone"});
    RegisterEnumType(L"THoverFixedCells", {L"hfNone", L"hfFixedRows", L"hfFixedColumns", L"hfAll"});
    RegisterEnumType(L"TInvalidEntryIcon", {L"ieNone", L"ieInfo", L"ieWarning", L"ieError"});
    RegisterEnumType(L"TFooterStyle", {L"fsFixedLastRow", L"fsColumnPreview", L"fsCustomPreview"});
    RegisterEnumType(L"TFilterOperation", {L"foSHORT", L"foNONE", L"foAND", L"foXOR", L"foOR"});
    RegisterEnumType(L"TFilterCells", {L"fcVirtual", L"fcNormal", L"fcStripHTML", L"fcCalculated", L"fcRow"});
    RegisterEnumType(L"TGridControlStyle", {L"csClassic", L"csFlat", L"csWinXP", L"csVelmark", L"csQRX", L"csGlyph", L"csTheme"});
    RegisterEnumType(L"TBackGroundDisplay", {L"bdTile", L"bdFixed", L"bdGradientHorz", L"bdGradientVert"});
    RegisterEnumType(L"TBackGroundCells", {L"bcNormal", L"bcFixed", L"bcAll"});
    RegisterEnumType(L"TColumnSizeLocation", {L"clRegistry", L"clIniFile"});
    RegisterEnumType(L"TAutoSizeRows", {L"arAll", L"arNormal", L"arFixed"});
    RegisterEnumType(L"TPrintPosition",
                     {L"ppNone", L"ppTopLeft", L"ppTopRight", L"ppTopCenter", L"ppBottomLeft", L"ppBottomRight", L"ppBottomCenter"});
    RegisterEnumType(L"TPrintBorders", {L"pbNoborder", L"pbSingle", L"pbDouble", L"pbVertical", L"pbHorizontal", L"pbAround",
                                        L"pbAroundVertical", L"pbAroundHorizontal", L"pbCustom"});
    RegisterEnumType(L"TFitToPage", {L"fpNever", L"fpGrow", L"fpShrink", L"fpAlways", L"fpCustom"});
}

void RegisterSettings()
{
    RegisterPublishedClass<TSearchFooter>(L"TSearchFooter", L"TPersistent")
        .Boolean(L"Visible", [](TSearchFooter* o, bool v) { o->SetVisible(v); })
        .Integer(L"Color", [](TSearchFooter* o, TColor v) { o->SetColor(v); }, L"clWhite", L"TColor")
        .Integer(L"ColorTo", [](TSearchFooter* o, TColor v) { o->SetColorTo(v); }, L"clBtnFace", L"TColor")
        .Object(L"Font", L"TFont", [](TSearchFooter* o) { return o->Font(); })
        .Boolean(L"ShowFindNext", [](TSearchFooter* o, bool v) { o->SetShowFindNext(v); }, L"True")
        .Boolean(L"ShowFindPrev", [](TSearchFooter* o, bool v) { o->SetShowFindPrev(v); }, L"True")
        .Boolean(L"ShowMatchCase", [](TSearchFooter* o, bool v) { o->SetShowMatchCase(v); }, L"True")
        .Boolean(L"ShowHighLight", [](TSearchFooter* o, bool v) { o->SetShowHighLight(v); }, L"True")
        .Boolean(L"ShowClose", [](TSearchFooter* o, bool v) { o->SetShowClose(v); }, L"True")
        .Text(L"FindNextCaption", [](TSearchFooter* o, const String& v) { o->SetFindNextCaption(v); })
        .Text(L"FindPrevCaption", [](TSearchFooter* o, const String& v) { o->SetFindPrevCaption(v); })
        .Text(L"MatchCaseCaption", [](TSearchFooter* o, const String& v) { o->SetMatchCaseCaption(v); })
        .Text(L"HighLightCaption", [](TSearchFooter* o, const String& v) { o->SetHighLightCaption(v); })
        .Text(L"HintClose", [](TSearchFooter* o, const String& v) { o->SetHintClose(v); })
        .Text(L"HintFindNext", [](TSearchFooter* o, const String& v) { o->SetHintFindNext(v); })
        .Text(L"HintFindPrev", [](TSearchFooter* o, const String& v) { o->SetHintFindPrev(v); })
        .Text(L"HintHighlight", [](TSearchFooter* o, const String& v) { o->SetHintHighlight(v); })
        .Boolean(L"AutoSearch", [](TSearchFooter* o, bool v) { o->SetAutoSearch(v); }, L"True")
        .Boolean(L"AlwaysHighLight", [](TSearchFooter* o, bool v) { o->SetAlwaysHighLight(v); })
        .Boolean(L"SearchActiveColumnOnly", [](TSearchFooter* o, bool v) { o->SetSearchActiveColumnOnly(v); })
        .Boolean(L"SearchMatchStart", [](TSearchFooter* o, bool v) { o->SetSearchMatchStart(v); })
        .Boolean(L"SearchFixedCells", [](TSearchFooter* o, bool v) { o->SetSearchFixedCells(v); })
        .Boolean(L"SearchHiddenRows", [](TSearchFooter* o, bool v) { o->SetSearchHiddenRows(v); })
        .Integer(L"SearchColumn", [](TSearchFooter* o, int v) { o->SetSearchColumn(v); }, L"-1")
        .Enum<TSearchDirection>(L"SearchDirection", L"TSearchDirection", [](TSearchFooter* o, TSearchDirection v) { o->SetSearchDirection(v); },
                                L"sdTopBottom");

    auto navigation = RegisterPublishedClass<TNavigation>(L"TNavigation", L"TPersistent");
    struct TNavFlag {
        const wchar_t* Name;
        bool TNavigation::*Field;
        const wchar_t* Default;
    };
    for (const TNavFlag& f : {
             TNavFlag{L"AllowClipboardRowGrow", &TNavigation::AllowClipboardRowGrow, L"True"},
             TNavFlag{L"AllowClipboardColGrow", &TNavigation::AllowClipboardColGrow, L"True"},
             TNavFlag{L"CopyHTMLTagsToClipboard", &TNavigation::CopyHTMLTagsToClipboard, L"True"},
             TNavFlag{L"EditSelectAll", &TNavigation::EditSelectAll, L"True"},
             TNavFlag{L"SkipFixedCells", &TNavigation::SkipFixedCells, L"True"},
             TNavFlag{L"SkipDisabledRows", &TNavigation::SkipDisabledRows, L"True"},
             TNavFlag{L"AllowCtrlEnter", &TNavigation::AllowCtrlEnter, L"True"},
             TNavFlag{L"CursorWalkAlwaysEdit", &TNavigation::CursorWalkAlwaysEdit, L"True"},
             TNavFlag{L"AdvanceAutoEdit", &TNavigation::AdvanceAutoEdit, L"True"},
             TNavFlag{L"LeftRightRowSelect", &TNavigation::LeftRightRowSelect, L"True"},
             TNavFlag{L"ComboGetUpDown", &TNavigation::ComboGetUpDown, L"True"},
             TNavFlag{L"AllowInsertRow", &TNavigation::AllowInsertRow, L"False"},
             TNavFlag{L"AllowDeleteRow", &TNavigation::AllowDeleteRow, L"False"},
             TNavFlag{L"AlwaysEdit", &TNavigation::AlwaysEdit, L"False"},
             TNavFlag{L"AdvanceOnEnter", &TNavigation::AdvanceOnEnter, L"False"},
             TNavFlag{L"AutoGotoWhenSorted", &TNavigation::AutoGotoWhenSorted, L"False"},
             TNavFlag{L"AutoGotoIncremental", &TNavigation::AutoGotoIncremental, L"False"},
             TNavFlag{L"AutoComboDropSize", &TNavigation::AutoComboDropSize, L"False"},
             TNavFlag{L"AllowClipboardShortCuts", &TNavigation::AllowClipboardShortCuts, L"False"},
             TNavFlag{L"AllowSmartClipboard", &TNavigation::AllowSmartClipboard, L"False"},
             TNavFlag{L"AllowRTFClipboard", &TNavigation::AllowRTFClipboard, L"False"},
             TNavFlag{L"AllowFmtClipboard", &TNavigation::AllowFmtClipboard, L"False"},
             TNavFlag{L"AllowClipboardAlways", &TNavigation::AllowClipboardAlways, L"False"},
             TNavFlag{L"AppendOnArrowDown", &TNavigation::AppendOnArrowDown, L"False"},
             TNavFlag{L"CursorWalkEditor", &TNavigation::CursorWalkEditor, L"False"},
             TNavFlag{L"MoveRowOnSort", &TNavigation::MoveRowOnSort, L"False"},
             TNavFlag{L"KeepScrollOnSort", &TNavigation::KeepScrollOnSort, L"False"},
             TNavFlag{L"MoveScrollOnly", &TNavigation::MoveScrollOnly, L"False"},
             TNavFlag{L"ImproveMaskSel", &TNavigation::ImproveMaskSel, L"False"},
             TNavFlag{L"KeepHorizScroll", &TNavigation::KeepHorizScroll, L"False"},
             TNavFlag{L"LineFeedOnEnter", &TNavigation::LineFeedOnEnter, L"False"},
             TNavFlag{L"TabToNextAtEnd", &TNavigation::TabToNextAtEnd, L"False"}}) {
        bool TNavigation::*field = f.Field;
        navigation.Boolean(f.Name, [field](TNavigation* o, bool v) { o->*field = v; }, f.Default);
    }
    navigation.Boolean(L"AdvanceInsert", [](TNavigation* o, bool v) { o->SetAdvanceInsert(v); }, L"False")
        .Boolean(L"AdvanceAuto", [](TNavigation* o, bool v) { o->SetAdvanceAuto(v); }, L"False")
        .Enum<TAdvanceDirection>(L"AdvanceDirection", L"TAdvanceDirection", [](TNavigation* o, TAdvanceDirection v) { o->SetAdvanceDirection(v); },
                                 L"adLeftRight")
        .Enum<TAdvanceDirection>(L"TabAdvanceDirection", L"TAdvanceDirection",
                                 [](TNavigation* o, TAdvanceDirection v) { o->TabAdvanceDirection = v; }, L"adLeftRight")
        .Enum<TInsertPosition>(L"InsertPosition", L"TInsertPosition", [](TNavigation* o, TInsertPosition v) { o->InsertPosition = v; },
                               L"pInsertBefore")
        .Enum<TClipboardPasteAction>(L"ClipboardPasteAction", L"TClipboardPasteAction",
                                     [](TNavigation* o, TClipboardPasteAction v) { o->ClipboardPasteAction = v; }, L"paReplace")
        .Enum<THomeEndAction>(L"HomeEndKey", L"THomeEndAction", [](TNavigation* o, THomeEndAction v) { o->HomeEndKey = v; },
                              L"heFirstLastColumn");

    auto mouse = RegisterPublishedClass<TMouseActions>(L"TMouseActions", L"TPersistent");
    struct TMouseFlag {
        const wchar_t* Name;
        bool TMouseActions::*Field;
        const wchar_t* Default;
    };
    for (const TMouseFlag& f : {
             TMouseFlag{L"AutoSizeColOnDblClick", &TMouseActions::AutoSizeColOnDblClick, L"True"},
             TMouseFlag{L"PreciseNodeClick", &TMouseActions::PreciseNodeClick, L"True"},
             TMouseFlag{L"AllColumnSize", &TMouseActions::AllColumnSize, L"False"},
             TMouseFlag{L"AllRowSize", &TMouseActions::AllRowSize, L"False"},
             TMouseFlag{L"AllSelect", &TMouseActions::AllSelect, L"False"},
             TMouseFlag{L"CaretPositioning", &TMouseActions::CaretPositioning, L"False"},
             TMouseFlag{L"CheckAllCheck", &TMouseActions::CheckAllCheck, L"False"},
             TMouseFlag{L"ColSelect", &TMouseActions::ColSelect, L"False"},
             TMouseFlag{L"DirectComboClose", &TMouseActions::DirectComboClose, L"False"},
             TMouseFlag{L"DirectComboDrop", &TMouseActions::DirectComboDrop, L"False"},
             TMouseFlag{L"DirectDateClose", &TMouseActions::DirectDateClose, L"False"},
             TMouseFlag{L"DirectDateDrop", &TMouseActions::DirectDateDrop, L"False"},
             TMouseFlag{L"DirectEdit", &TMouseActions::DirectEdit, L"False"},
             TMouseFlag{L"DisjunctRowSelectNoCtrl", &TMouseActions::DisjunctRowSelectNoCtrl, L"False"},
             TMouseFlag{L"MoveRowOnNodeClick", &TMouseActions::MoveRowOnNodeClick, L"False"},
             TMouseFlag{L"NoAutoRangeScroll", &TMouseActions::NoAutoRangeScroll, L"False"},
             TMouseFlag{L"NodeAllExpandContract", &TMouseActions::NodeAllExpandContract, L"False"},
             TMouseFlag{L"NoScrollOnPartialRow", &TMouseActions::NoScrollOnPartialRow, L"False"},
             TMouseFlag{L"PreciseCheckBoxCheck", &TMouseActions::PreciseCheckBoxCheck, L"False"},
             TMouseFlag{L"RangeSelectAndEdit", &TMouseActions::RangeSelectAndEdit, L"False"},
             TMouseFlag{L"RowSelect", &TMouseActions::RowSelect, L"False"},
             TMouseFlag{L"RowSelectPersistent", &TMouseActions::RowSelectPersistent, L"False"},
             TMouseFlag{L"SelectOnRightClick", &TMouseActions::SelectOnRightClick, L"False"},
             TMouseFlag{L"SizeFixedCol", &TMouseActions::SizeFixedCol, L"False"},
             TMouseFlag{L"SizeFixedRow", &TMouseActions::SizeFixedRow, L"False"}}) {
        bool TMouseActions::*field = f.Field;
        mouse.Boolean(f.Name, [field](TMouseActions* o, bool v) { o->*field = v; }, f.Default);
    }
    mouse.Boolean(L"DisjunctRowSelect", [](TMouseActions* o, bool v) { o->SetDisjunctRowSelect(v); })
        .Boolean(L"DisjunctColSelect", [](TMouseActions* o, bool v) { o->SetDisjunctColSelect(v); })
        .Boolean(L"DisjunctCellSelect", [](TMouseActions* o, bool v) { o->SetDisjunctCellSelect(v); })
        .Boolean(L"EditOnDblClickOnly", [](TMouseActions* o, bool v) { o->SetEditOnDblClickOnly(v); })
        .Boolean(L"HotmailRowSelect", [](TMouseActions* o, bool v) { o->SetHotmailRowSelect(v); });
    mouse.Enum<TGridFixedCellEdit>(L"FixedRowsEdit", L"TGridFixedCellEdit", [](TMouseActions* o, TGridFixedCellEdit v) { o->FixedRowsEdit = v; },
                                   L"fceNone")
        .Enum<TGridFixedCellEdit>(L"FixedColsEdit", L"TGridFixedCellEdit", [](TMouseActions* o, TGridFixedCellEdit v) { o->FixedColsEdit = v; },
                                  L"fceNone")
        .Integer(L"WheelIncrement", [](TMouseActions* o, int v) { o->WheelIncrement = v; })
        .Enum<TWheelAction>(L"WheelAction", L"TWheelAction", [](TMouseActions* o, TWheelAction v) { o->SetWheelAction(v); },
                            L"waMoveSelection");

    RegisterPublishedClass<TSyncGrid>(L"TSyncGrid", L"TPersistent")
        .Component<TCustomGrid>(L"Grid", L"TCustomGrid", [](TSyncGrid* o, TCustomGrid* g) { o->SetGrid(g); })
        .Boolean(L"ScrollVertical", [](TSyncGrid* o, bool v) { o->ScrollVertical = v; })
        .Boolean(L"ScrollHorizontal", [](TSyncGrid* o, bool v) { o->ScrollHorizontal = v; })
        .Boolean(L"SelectionColumn", [](TSyncGrid* o, bool v) { o->SelectionColumn = v; })
        .Boolean(L"SelectionRow", [](TSyncGrid* o, bool v) { o->SelectionRow = v; })
        .Boolean(L"MoveColumn", [](TSyncGrid* o, bool v) { o->MoveColumn = v; })
        .Boolean(L"MoveRow", [](TSyncGrid* o, bool v) { o->MoveRow = v; });

    RegisterPublishedClass<TBands>(L"TBands", L"TPersistent")
        .Boolean(L"Active", [](TBands* o, bool v) { o->SetActive(v); })
        .Integer(L"PrimaryColor", [](TBands* o, TColor v) { o->SetPrimaryColor(v); }, L"clInfoBk", L"TColor")
        .Integer(L"SecondaryColor", [](TBands* o, TColor v) { o->SetSecondaryColor(v); }, L"clWindow", L"TColor")
        .Integer(L"PrimaryLength", [](TBands* o, int v) { o->SetPrimaryLength(v); }, L"1")
        .Integer(L"SecondaryLength", [](TBands* o, int v) { o->SetSecondaryLength(v); }, L"1")
        .Boolean(L"Print", [](TBands* o, bool v) { o->Print = v; });

    RegisterPublishedClass<TFocusHelper>(L"TFocusHelper", L"TPersistent").Boolean(L"Enabled", [](TFocusHelper* o, bool v) { o->Enabled = v; });

    RegisterPublishedClass<TFloatingFooter>(L"TFloatingFooter", L"TPersistent")
        .Integer(L"BorderColor", [](TFloatingFooter* o, TColor v) { o->SetBorderColor(v); }, L"clNone", L"TColor")
        .Boolean(L"CalculateHiddenRows", [](TFloatingFooter* o, bool v) { o->CalculateHiddenRows = v; }, L"True")
        .Integer(L"Color", [](TFloatingFooter* o, TColor v) { o->SetColor(v); }, L"clBtnFace", L"TColor")
        .Integer(L"Column", [](TFloatingFooter* o, int v) { o->SetColumn(v); })
        .Text(L"CustomTemplate", [](TFloatingFooter* o, const String& v) { o->SetCustomTemplate(v); })
        .Enum<TFooterStyle>(L"FooterStyle", L"TFooterStyle", [](TFloatingFooter* o, TFooterStyle v) { o->SetFooterStyle(v); }, L"fsFixedLastRow")
        .Boolean(L"ShowHint", [](TFloatingFooter* o, bool v) { o->SetShowHint(v); })
        .Boolean(L"Visible", [](TFloatingFooter* o, bool v) { o->SetVisible(v); });

    RegisterPublishedClass<TPrintSettings>(L"TPrintSettings", L"TPersistent")
        .Object(L"Font", L"TFont", [](TPrintSettings* o) { return o->Font(); })
        .Object(L"HeaderFont", L"TFont", [](TPrintSettings* o) { return o->HeaderFont(); })
        .Object(L"FooterFont", L"TFont", [](TPrintSettings* o) { return o->FooterFont(); })
        .Object(L"FixedFont", L"TFont", [](TPrintSettings* o) { return o->FixedFont(); })
        .Strings(L"TitleLines", [](TPrintSettings* o, const std::vector<String>& v) { SetLines(o->TitleLines(), v); })
        .Text(L"PagePrefix", [](TPrintSettings* o, const String& v) { o->PagePrefix = v; })
        .Text(L"PageSuffix", [](TPrintSettings* o, const String& v) { o->PageSuffix = v; })
        .Text(L"PageNumSep", [](TPrintSettings* o, const String& v) { o->PageNumSep = v; })
        .Text(L"DateFormat", [](TPrintSettings* o, const String& v) { o->DateFormat = v; })
        .Integer(L"TitleSpacing", [](TPrintSettings* o, int v) { o->TitleSpacing = v; })
        .Enum<TPrintBorders>(L"Borders", L"TPrintBorders", [](TPrintSettings* o, TPrintBorders v) { o->Borders = v; }, L"pbSingle")
        .Boolean(L"Centered", [](TPrintSettings* o, bool v) { o->Centered = v; }, L"True")
        .Boolean(L"UseDisplayFont", [](TPrintSettings* o, bool v) { o->UseDisplayFont = v; }, L"True")
        .Boolean(L"RepeatFixedRows", [](TPrintSettings* o, bool v) { o->RepeatFixedRows = v; })
        .Boolean(L"RepeatFixedCols", [](TPrintSettings* o, bool v) { o->RepeatFixedCols = v; })
        .Integer(L"BorderColor", [](TPrintSettings* o, TColor v) { o->BorderColor = v; }, L"clBlack", L"TColor")
        .Enum<TPrintPosition>(L"Time", L"TPrintPosition", [](TPrintSettings* o, TPrintPosition v) { o->Time = v; }, L"ppNone")
        .Enum<TPrintPosition>(L"Date", L"TPrintPosition", [](TPrintSettings* o, TPrintPosition v) { o->Date = v; }, L"ppNone")
        .Enum<TPrintPosition>(L"PageNr", L"TPrintPosition", [](TPrintSettings* o, TPrintPosition v) { o->PageNr = v; }, L"ppNone")
        .Enum<TPrintPosition>(L"Title", L"TPrintPosition", [](TPrintSettings* o, TPrintPosition v) { o->Title = v; }, L"ppNone")
        .Enum<TFitToPage>(L"FitToPage", L"TFitToPage", [](TPrintSettings* o, TFitToPage v) { o->FitToPage = v; }, L"fpNever")
        .Text(L"TitleText", [](TPrintSettings* o, const String& v) { o->TitleText = v; })
        .Text(L"JobName", [](TPrintSettings* o, const String& v) { o->JobName = v; });

    RegisterPublishedClass<THTMLSettings>(L"THTMLSettings", L"TPersistent")
        .Boolean(L"SaveColor", [](THTMLSettings* o, bool v) { o->SaveColor = v; }, L"True")
        .Boolean(L"SaveFonts", [](THTMLSettings* o, bool v) { o->SaveFonts = v; }, L"True")
        .Boolean(L"ExportImages", [](THTMLSettings* o, bool v) { o->ExportImages = v; }, L"True")
        .Integer(L"BorderSize", [](THTMLSettings* o, int v) { o->BorderSize = v; }, L"1")
        .Integer(L"CellSpacing", [](THTMLSettings* o, int v) { o->CellSpacing = v; })
        .Integer(L"CellPadding", [](THTMLSettings* o, int v) { o->CellPadding = v; })
        .Integer(L"Width", [](THTMLSettings* o, int v) { o->Width = v; }, L"100");

    RegisterPublishedClass<TSortSettings>(L"TSortSettings", L"TPersistent");

    RegisterPublishedClass<TDragDropSettings>(L"TDragDropSettings", L"TPersistent")
        .Boolean(L"OleDropRTF", [](TDragDropSettings* o, bool v) { o->OleDropRTF = v; })
        .Boolean(L"OleAcceptText", [](TDragDropSettings* o, bool v) { o->OleAcceptText = v; }, L"True")
        .Boolean(L"OleEntireRows", [](TDragDropSettings* o, bool v) { o->OleEntireRows = v; })
        .Boolean(L"OleDropSource", [](TDragDropSettings* o, bool v) { o->OleDropSource = v; })
        .Boolean(L"OleRemoveRows", [](TDragDropSettings* o, bool v) { o->OleRemoveRows = v; })
        .Boolean(L"OleAcceptFiles", [](TDragDropSettings* o, bool v) { o->OleAcceptFiles = v; }, L"True")
        .Boolean(L"OleAcceptURLs", [](TDragDropSettings* o, bool v) { o->OleAcceptURLs = v; }, L"True")
        .Boolean(L"OleDropTarget", [](TDragDropSettings* o, bool v) { o->OleDropTarget = v; })
        .Boolean(L"OleInsertRows", [](TDragDropSettings* o, bool v) { o->OleInsertRows = v; })
        .Boolean(L"OleCopyAlways", [](TDragDropSettings* o, bool v) { o->OleCopyAlways = v; })
        .Boolean(L"OleColumnDragDrop", [](TDragDropSettings* o, bool v) { o->OleColumnDragDrop = v; })
        .Boolean(L"ShowCells", [](TDragDropSettings* o, bool v) { o->ShowCells = v; }, L"True");

    RegisterPublishedClass<TDragScrollOptions>(L"TDragScrollOptions", L"TPersistent")
        .Boolean(L"Active", [](TDragScrollOptions* o, bool v) { o->Active = v; });

    RegisterDropDownBarClasses();
    RegisterPublishedClass<TControlLook>(L"TControlLook", L"TPersistent")
        .Integer(L"Color", [](TControlLook* o, TColor v) { o->SetColor(v); }, L"clBlack", L"TColor")
        .Integer(L"CommentColor", [](TControlLook* o, TColor v) { o->SetCommentColor(v); }, L"clRed", L"TColor")
        .Integer(L"CheckSize", [](TControlLook* o, int v) { o->SetCheckSize(v); }, L"15")
        .Integer(L"RadioSize", [](TControlLook* o, int v) { o->SetRadioSize(v); }, L"10")
        .Boolean(L"CheckAlwaysActive", [](TControlLook* o, bool v) { o->CheckAlwaysActive = v; })
        .Boolean(L"RadioAlwaysActive", [](TControlLook* o, bool v) { o->RadioAlwaysActive = v; })
        .Enum<TGridControlStyle>(L"ControlStyle", L"TGridControlStyle", [](TControlLook* o, TGridControlStyle v) { o->SetControlStyle(v); },
                                 L"csTheme")
        .Boolean(L"DropDownAlwaysVisible", [](TControlLook* o, bool v) { o->SetDropDownAlwaysVisible(v); })
        .Boolean(L"SpinButtonsAlwaysVisible", [](TControlLook* o, bool v) { o->SetSpinButtonsAlwaysVisible(v); })
        .Boolean(L"FlatButton", [](TControlLook* o, bool v) { o->SetFlatButton(v); })
        .Boolean(L"NoDisabledCheckRadioLook", [](TControlLook* o, bool v) { o->SetNoDisabledCheckRadioLook(v); })
        .Boolean(L"NoDisabledButtonLook", [](TControlLook* o, bool v) { o->SetNoDisabledButtonLook(v); })
        .Integer(L"ProgressBorderColor", [](TControlLook* o, TColor v) { o->ProgressBorderColor = v; }, L"clGray", L"TColor")
        .Integer(L"ProgressMarginX", [](TControlLook* o, int v) { o->SetProgressMarginX(v); }, L"2")
        .Integer(L"ProgressMarginY", [](TControlLook* o, int v) { o->SetProgressMarginY(v); }, L"2")
        .Boolean(L"ProgressXP", [](TControlLook* o, bool v) { o->SetProgressXP(v); })
        .Boolean(L"FixedDropDownButton", [](TControlLook* o, bool v) { o->FixedDropDownButton = v; })
        .Integer(L"FixedGradientFrom", [](TControlLook* o, TColor v) { o->SetFixedGradientFrom(v); }, L"clNone", L"TColor")
        .Integer(L"FixedGradientTo", [](TControlLook* o, TColor v) { o->SetFixedGradientTo(v); }, L"clNone", L"TColor")
        .Integer(L"FixedGradientMirrorFrom", [](TControlLook* o, TColor v) { o->SetFixedGradientMirrorFrom(v); }, L"clNone", L"TColor")
        .Integer(L"FixedGradientMirrorTo", [](TControlLook* o, TColor v) { o->SetFixedGradientMirrorTo(v); }, L"clNone", L"TColor")
        .Integer(L"FixedGradientHoverFrom", [](TControlLook* o, TColor v) { o->SetFixedGradientHoverFrom(v); }, L"clWhite", L"TColor")
        .Integer(L"FixedGradientHoverTo", [](TControlLook* o, TColor v) { o->SetFixedGradientHoverTo(v); }, L"clGray", L"TColor")
        .Integer(L"FixedGradientHoverMirrorFrom", [](TControlLook* o, TColor v) { o->SetFixedGradientHoverMirrorFrom(v); }, L"clNone",
                 L"TColor")
        .Integer(L"FixedGradientHoverMirrorTo", [](TControlLook* o, TColor v) { o->SetFixedGradientHoverMirrorTo(v); }, L"clNone", L"TColor")
        .Integer(L"FixedGradientHoverBorder", [](TControlLook* o, TColor v) { o->SetFixedGradientHoverBorder(v); }, L"clSilver", L"TColor")
        .Integer(L"FixedGradientDownFrom", [](TControlLook* o, TColor v) { o->SetFixedGradientDownFrom(v); }, L"clSilver", L"TColor")
        .Integer(L"FixedGradientDownTo", [](TControlLook* o, TColor v) { o->SetFixedGradientDownTo(v); }, L"clGray", L"TColor")
        .Integer(L"FixedGradientDownMirrorFrom", [](TControlLook* o, TColor v) { o->SetFixedGradientDownMirrorFrom(v); }, L"clNone", L"TColor")
        .Integer(L"FixedGradientDownMirrorTo", [](TControlLook* o, TColor v) { o->SetFixedGradientDownMirrorTo(v); }, L"clNone", L"TColor")
        .Integer(L"FixedGradientDownBorder", [](TControlLook* o, TColor v) { o->SetFixedGradientDownBorder(v); }, L"clGray", L"TColor")
        .Object(L"CheckedGlyph", L"TBitmap", [](TControlLook* o) { return o->CheckedGlyph(); })
        .Object(L"UnCheckedGlyph", L"TBitmap", [](TControlLook* o) { return o->UnCheckedGlyph(); })
        .Object(L"RadioOnGlyph", L"TBitmap", [](TControlLook* o) { return o->RadioOnGlyph(); })
        .Object(L"RadioOffGlyph", L"TBitmap", [](TControlLook* o) { return o->RadioOffGlyph(); })
        .Object(L"DropDownHeader", L"THeaderAppearance", [](TControlLook* o) { return o->DropDownHeader(); })
        .Object(L"DropDownFooter", L"TFooterAppearance", [](TControlLook* o) { return o->DropDownFooter(); });

    RegisterPublishedClass<TColumnSize>(L"TColumnSize", L"TPersistent")
        .Boolean(L"Save", [](TColumnSize* o, bool v) { o->Save = v; })
        .Text(L"Key", [](TColumnSize* o, const String& v) { o->Key = v; })
        .Text(L"Section", [](TColumnSize* o, const String& v) { o->Section = v; })
        .Boolean(L"Stretch", [](TColumnSize* o, bool v) { o->Stretch = v; })
        .Integer(L"StretchColumn", [](TColumnSize* o, int v) { o->StretchColumn = v; }, L"-1")
        .Boolean(L"SynchWithGrid", [](TColumnSize* o, bool v) { o->SynchWithGrid = v; })
        .Boolean(L"SynchNormalCellsOnly", [](TColumnSize* o, bool v) { o->SynchNormalCellsOnly = v; })
        .Enum<TColumnSizeLocation>(L"Location", L"TColumnSizeLocation", [](TColumnSize* o, TColumnSizeLocation v) { o->Location = v; },
                                   L"clRegistry")
        .Enum<TAutoSizeRows>(L"Rows", L"TAutoSizeRows", [](TColumnSize* o, TAutoSizeRows v) { o->Rows = v; }, L"arAll");

    RegisterPublishedClass<TCellNode>(L"TCellNode", L"TPersistent");
    RegisterPublishedClass<TSizeWhileTyping>(L"TSizeWhileTyping", L"TPersistent")
        .Boolean(L"Height", [](TSizeWhileTyping* o, bool v) { o->Height = v; })
        .Boolean(L"Width", [](TSizeWhileTyping* o, bool v) { o->Width = v; });

    RegisterPublishedClass<TGrouping>(L"TGrouping", L"TPersistent")
        .Boolean(L"AutoSelectGroup", [](TGrouping* o, bool v) { o->AutoSelectGroup = v; })
        .Text(L"GroupCountFormat", [](TGrouping* o, const String& v) { o->GroupCountFormat = v; })
        .Integer(L"HeaderColor", [](TGrouping* o, TColor v) { o->HeaderColor = v; }, L"clNone", L"TColor")
        .Integer(L"HeaderColorTo", [](TGrouping* o, TColor v) { o->HeaderColorTo = v; }, L"clNone", L"TColor")
        .Integer(L"HeaderTextColor", [](TGrouping* o, TColor v) { o->HeaderTextColor = v; }, L"clNone", L"TColor")
        .Boolean(L"HeaderUnderline", [](TGrouping* o, bool v) { o->HeaderUnderline = v; })
        .Integer(L"HeaderLineColor", [](TGrouping* o, TColor v) { o->HeaderLineColor = v; }, L"clBlue", L"TColor")
        .Integer(L"HeaderLineWidth", [](TGrouping* o, int v) { o->HeaderLineWidth = v; }, L"2")
        .Boolean(L"MergeHeader", [](TGrouping* o, bool v) { o->MergeHeader = v; })
        .Boolean(L"MergeSummary", [](TGrouping* o, bool v) { o->MergeSummary = v; })
        .Boolean(L"ShowGroupCount", [](TGrouping* o, bool v) { o->ShowGroupCount = v; })
        .Boolean(L"Summary", [](TGrouping* o, bool v) { o->Summary = v; })
        .Integer(L"SummaryColor", [](TGrouping* o, TColor v) { o->SummaryColor = v; }, L"clNone", L"TColor")
        .Integer(L"SummaryColorTo", [](TGrouping* o, TColor v) { o->SummaryColorTo = v; }, L"clNone", L"TColor")
        .Integer(L"SummaryTextColor", [](TGrouping* o, TColor v) { o->SummaryTextColor = v; }, L"clNone", L"TColor")
        .Boolean(L"SummaryLine", [](TGrouping* o, bool v) { o->SummaryLine = v; })
        .Integer(L"SummaryLineColor", [](TGrouping* o, TColor v) { o->SummaryLineColor = v; }, L"clBlue", L"TColor")
        .Integer(L"SummaryLineWidth", [](TGrouping* o, int v) { o->SummaryLineWidth = v; }, L"2");

    RegisterPublishedClass<TBackGround>(L"TBackGround", L"TPersistent")
        .Integer(L"Top", [](TBackGround* o, int v) { o->SetTop(v); })
        .Integer(L"Left", [](TBackGround* o, int v) { o->SetLeft(v); })
        .Enum<TBackGroundDisplay>(L"Display", L"TBackGroundDisplay", [](TBackGround* o, TBackGroundDisplay v) { o->SetDisplay(v); }, L"bdTile")
        .Enum<TBackGroundCells>(L"Cells", L"TBackGroundCells", [](TBackGround* o, TBackGroundCells v) { o->SetCells(v); }, L"bcNormal")
        .Integer(L"Color", [](TBackGround* o, TColor v) { o->SetColor(v); }, L"clWindow", L"TColor")
        .Integer(L"ColorTo", [](TBackGround* o, TColor v) { o->SetColorTo(v); }, L"clBtnFace", L"TColor")
        .Object(L"Bitmap", L"TBitmap", [](TBackGround* o) { return o->Bitmap(); });

    RegisterPublishedClass<TGridProgressAppearance>(L"TGridProgressAppearance", L"TPersistent")
        .Integer(L"CompleteColor", [](TGridProgressAppearance* o, TColor v) { o->SetCompleteColor(v); }, L"clRed", L"TColor")
        .Integer(L"CompleteFontColor", [](TGridProgressAppearance* o, TColor v) { o->SetCompleteFontColor(v); }, L"clBlue", L"TColor")
        .Integer(L"UnCompleteColor", [](TGridProgressAppearance* o, TColor v) { o->SetUnCompleteColor(v); }, L"clNone", L"TColor")
        .Integer(L"UnCompleteFontColor", [](TGridProgressAppearance* o, TColor v) { o->SetUnCompleteFontColor(v); }, L"clWindowText",
                 L"TColor")
        .Integer(L"Level0Color", [](TGridProgressAppearance* o, TColor v) { o->SetLevel0Color(v); }, L"clLime", L"TColor")
        .Integer(L"Level0ColorTo", [](TGridProgressAppearance* o, TColor v) { o->SetLevel0ColorTo(v); }, L"14811105", L"TColor")
        .Integer(L"Level1Color", [](TGridProgressAppearance* o, TColor v) { o->SetLevel1Color(v); }, L"clYellow", L"TColor")
        .Integer(L"Level1ColorTo", [](TGridProgressAppearance* o, TColor v) { o->SetLevel1ColorTo(v); }, L"13303807", L"TColor")
        .Integer(L"Level2Color", [](TGridProgressAppearance* o, TColor v) { o->SetLevel2Color(v); }, L"5483007", L"TColor")
        .Integer(L"Level2ColorTo", [](TGridProgressAppearance* o, TColor v) { o->SetLevel2ColorTo(v); }, L"11064319", L"TColor")
        .Integer(L"Level3Color", [](TGridProgressAppearance* o, TColor v) { o->SetLevel3Color(v); }, L"clRed", L"TColor")
        .Integer(L"Level3ColorTo", [](TGridProgressAppearance* o, TColor v) { o->SetLevel3ColorTo(v); }, L"13290239", L"TColor")
        .Integer(L"Level1Perc", [](TGridProgressAppearance* o, int v) { o->SetLevel1Perc(v); }, L"70")
        .Integer(L"Level2Perc", [](TGridProgressAppearance* o, int v) { o->SetLevel2Perc(v); }, L"90")
        .Integer(L"BorderColor", [](TGridProgressAppearance* o, TColor v) { o->SetBorderColor(v); }, L"clBlack", L"TColor")
        .Boolean(L"ShowBorder", [](TGridProgressAppearance* o, bool v) { o->SetShowBorder(v); })
        .Boolean(L"Stacked", [](TGridProgressAppearance* o, bool v) { o->SetStacked(v); })
        .Boolean(L"ShowPercentage", [](TGridProgressAppearance* o, bool v) { o->SetShowPercentage(v); }, L"True")
        .Boolean(L"CompletionSmooth", [](TGridProgressAppearance* o, bool v) { o->SetCompletionSmooth(v); }, L"True")
        .Boolean(L"ShowGradient", [](TGridProgressAppearance* o, bool v) { o->SetShowGradient(v); }, L"True")
        .Integer(L"Steps", [](TGridProgressAppearance* o, int v) { o->SetSteps(v); }, L"11")
        .Enum<TProgressStyle>(L"Style", L"TProgressStyle", [](TGridProgressAppearance* o, TProgressStyle v) { o->SetStyle(v); },
                              L"psXP");

    RegisterPublishedClass<TBalloonSettings>(L"TBalloonSettings", L"TPersistent")
        .Integer(L"AutoHideDelay", [](TBalloonSettings* o, int v) { o->AutoHideDelay = v; }, L"-1")
        .Integer(L"BackgroundColor", [](TBalloonSettings* o, TColor v) { o->BackgroundColor = v; }, L"clNone", L"TColor")
        .Boolean(L"Enable", [](TBalloonSettings* o, bool v) { o->SetEnable(v); })
        .Integer(L"InitialDelay", [](TBalloonSettings* o, int v) { o->InitialDelay = v; }, L"-1")
        .Integer(L"ReshowDelay", [](TBalloonSettings* o, int v) { o->ReshowDelay = v; }, L"-1")
        .Integer(L"TextColor", [](TBalloonSettings* o, TColor v) { o->TextColor = v; }, L"clNone", L"TColor")
        .Integer(L"Transparency", [](TBalloonSettings* o, int v) { o->Transparency = v; });

    RegisterPublishedClass<TShowModified>(L"TShowModified", L"TPersistent")
        .Boolean(L"Enabled", [](TShowModified* o, bool v) { o->Enabled = v; })
        .Integer(L"Color", [](TShowModified* o, TColor v) { o->SetColor(v); }, L"clYellow", L"TColor");

    RegisterPublishedClass<TFilterDropDown>(L"TFilterDropDown", L"TPersistent")
        .Boolean(L"AutoSize", [](TFilterDropDown* o, bool v) { o->AutoSize = v; })
        .Integer(L"Height", [](TFilterDropDown* o, int v) { o->Height = v; }, L"150")
        .Integer(L"Width", [](TFilterDropDown* o, int v) { o->Width = v; }, L"150")
        .Integer(L"Color", [](TFilterDropDown* o, TColor v) { o->Color = v; }, L"clWindow", L"TColor")
        .Object(L"Font", L"TFont", [](TFilterDropDown* o) { return o->Font(); })
        .Object(L"Glyph", L"TBitmap", [](TFilterDropDown* o) { return o->Glyph(); })
        .Object(L"GlyphActive", L"TBitmap", [](TFilterDropDown* o) { return o->GlyphActive(); });

    RegisterPublishedClass<TAdvHintInfo>(L"TAdvHintInfo", L"TPersistent")
        .Text(L"Title", [](TAdvHintInfo* o, const String& v) { o->Title = v; })
        .Strings(L"Notes", [](TAdvHintInfo* o, const std::vector<String>& v) { SetLines(o->Notes(), v); })
        .Boolean(L"ShowHelp", [](TAdvHintInfo* o, bool v) { o->ShowHelp = v; });

    RegisterPublishedClass<TFilterData>(L"TFilterData", L"TPersistent")
        .Integer(L"Column", [](TFilterData* o, int v) { o->Column = v; })
        .Text(L"Condition", [](TFilterData* o, const String& v) { o->Condition = v; })
        .Boolean(L"CaseSensitive", [](TFilterData* o, bool v) { o->CaseSensitive = v; }, L"True")
        .Text(L"Suffix", [](TFilterData* o, const String& v) { o->Suffix = v; })
        .Text(L"Prefix", [](TFilterData* o, const String& v) { o->Prefix = v; })
        .Enum<TFilterOperation>(L"Operation", L"TFilterOperation", [](TFilterData* o, TFilterOperation v) { o->Operation = v; },
                                L"foSHORT")
        .Enum<TFilterCells>(L"Data", L"TFilterCells", [](TFilterData* o, TFilterCells v) { o->Data = v; }, L"fcVirtual");
}

void RegisterGridControls()
{
    RegisterPublishedClass<TObjStringGrid>(L"TObjStringGrid", L"TCustomStringGrid");

    RegisterPublishedClass<TBaseGrid>(L"TBaseGrid", L"TObjStringGrid")
        .Boolean(L"DefaultDrawing", [](TBaseGrid* g, bool v) { g->SetDefaultDrawing(v); })
        .Integer(L"GridLineWidth", [](TBaseGrid* g, int v) { g->SetGridLineWidth(v); }, L"1")
        .Integer(L"GridLineColor", [](TBaseGrid* g, TColor v) { g->SetGridLineColor(v); }, L"clSilver", L"TColor")
        .Integer(L"GridFixedLineColor", [](TBaseGrid* g, TColor v) { g->SetGridFixedLineColor(v); }, L"clGray", L"TColor")
        .Boolean(L"ActiveRowShow", [](TBaseGrid* g, bool v) { g->SetActiveRowShow(v); })
        .Integer(L"ActiveRowColor", [](TBaseGrid* g, TColor v) { g->SetActiveRowColor(v); }, L"clInfoBk", L"TColor")
        .Boolean(L"HoverRow", [](TBaseGrid* g, bool v) { g->SetHoverRow(v); })
        .Integer(L"HoverRowColor", [](TBaseGrid* g, TColor v) { g->SetHoverRowColor(v); }, L"clInfoBk", L"TColor")
        .Integer(L"HoverRowColorTo", [](TBaseGrid* g, TColor v) { g->SetHoverRowColorTo(v); }, L"clNone", L"TColor")
        .Enum<TGridSelectionStyle>(L"SelectionStyle", L"TGridSelectionStyle",
                                   [](TBaseGrid* g, TGridSelectionStyle v) { g->SetSelectionStyle(v); }, L"ssDefault")
        .Event<TGetDisplTextEvent>(L"OnGetDisplText", [](TBaseGrid* g) -> TGetDisplTextEvent& { return g->OnGetDisplText; })
        .Event<TGetDisplWideTextEvent>(L"OnGetDisplWideText", [](TBaseGrid* g) -> TGetDisplWideTextEvent& { return g->OnGetDisplWideText; });

    using G = TAdvStringGrid;
    auto grid = RegisterPublishedClass<G>(L"TAdvStringGrid", L"TBaseGrid");
    grid.Integer(L"ColCount", [](G* g, int v) { g->SetColCount(v); }, L"5")
        .Integer(L"RowCount", [](G* g, int v) { g->SetRowCount(v); }, L"10")
        .Integer(L"FixedCols", [](G* g, int v) { g->SetFixedCols(v); }, L"1")
        .Integer(L"FixedRows", [](G* g, int v) { g->SetFixedRows(v); }, L"1")
        .Integer(L"DefaultRowHeight", [](G* g, int v) { g->SetDefaultRowHeight(v); }, L"22")
        .Integer(L"FixedColWidth", [](G* g, int v) { g->SetFixedColWidth(v); }, L"64")
        .Integer(L"FixedRowHeight", [](G* g, int v) { g->SetFixedRowHeight(v); }, L"21")
        .Integer(L"FixedFooters", [](G* g, int v) { g->SetFixedFooters(v); })
        .Integer(L"FixedRightCols", [](G* g, int v) { g->SetFixedRightCols(v); })
        .Boolean(L"FixedRowAlways", [](G* g, bool v) { g->FixedRowAlways = v; })
        .Boolean(L"FixedColAlways", [](G* g, bool v) { g->FixedColAlways = v; })
        .Enum<TAlignment>(L"DefaultAlignment", L"TAlignment", [](G* g, TAlignment v) { g->SetDefaultAlignment(v); }, L"taLeftJustify")
        .Enum<TVAlignment>(L"VAlignment", L"TVAlignment", [](G* g, TVAlignment v) { g->SetVAlignment(v); }, L"vtaTop")
        .Boolean(L"WordWrap", [](G* g, bool v) { g->SetWordWrap(v); }, L"True")
        .Integer(L"SelectionColor", [](G* g, TColor v) { g->SetSelectionColor(v); }, L"$00EACAB6", L"TColor")
        .Integer(L"SelectionColorTo", [](G* g, TColor v) { g->SetSelectionColorTo(v); }, L"clNone", L"TColor")
        .Integer(L"SelectionMirrorColor", [](G* g, TColor v) { g->SetSelectionMirrorColor(v); }, L"clNone", L"TColor")
        .Integer(L"SelectionMirrorColorTo", [](G* g, TColor v) { g->SetSelectionMirrorColorTo(v); }, L"clNone", L"TColor")
        .Integer(L"SelectionTextColor", [](G* g, TColor v) { g->SetSelectionTextColor(v); }, L"clBlack", L"TColor")
        .Boolean(L"SelectionColorMixer", [](G* g, bool v) { g->SetSelectionColorMixer(v); })
        .Boolean(L"SelectionRectangle", [](G* g, bool v) { g->SetSelectionRectangle(v); })
        .Boolean(L"SelectionResizer", [](G* g, bool v) { g->SetSelectionResizer(v); })
        .Boolean(L"SelectionRTFKeep", [](G* g, bool v) { g->SelectionRTFKeep = v; })
        .Boolean(L"ShowSelection", [](G* g, bool v) { g->SetShowSelection(v); }, L"True")
        .Boolean(L"Flat", [](G* g, bool v) { g->SetFlat(v); })
        .Integer(L"MaxEditLength", [](G* g, int v) { g->SetMaxEditLength(v); })
        .Integer(L"MaxComboLength", [](G* g, int v) { g->MaxComboLength = v; })
        .Boolean(L"AutoSize", [](G* g, bool v) { g->SetAutoSize(v); })
        .Boolean(L"IntegralHeight", [](G* g, bool v) { g->SetIntegralHeight(v); })
        .Integer(L"FilterDropDownRow", [](G* g, int v) { g->SetFilterDropDownRow(v); })
        .Boolean(L"FilterDropDownAuto", [](G* g, bool v) { g->SetFilterDropDownAuto(v); })
        .Boolean(L"FilterActive", [](G* g, bool v) { g->SetFilterActive(v); })
        .Text(L"FilterDropDownClear", [](G* g, const String& v) { g->FilterDropDownClear = v; })
        .Integer(L"Cursor", [](G* g, int v) { g->SetCursor(v); }, L"crDefault", L"TCursor")
        .Integer(L"HighlightColor", [](G* g, TColor v) { g->SetHighlightColor(v); }, L"clHighlight", L"TColor")
        .Integer(L"HighlightTextColor", [](G* g, TColor v) { g->SetHighlightTextColor(v); }, L"clHighlightText", L"TColor")
        .Integer(L"HintColor", [](G* g, TColor v) { g->HintColor = v; }, L"clInfoBk", L"TColor")
        .Boolean(L"HintShowCells", [](G* g, bool v) { g->HintShowCells = v; })
        .Boolean(L"HintShowLargeText", [](G* g, bool v) { g->HintShowLargeText = v; })
        .Boolean(L"HintShowSizing", [](G* g, bool v) { g->HintShowSizing = v; })
        .Boolean(L"HTMLHint", [](G* g, bool v) { g->HTMLHint = v; })
        .Boolean(L"OemConvert", [](G* g, bool v) { g->OemConvert = v; })
        .Boolean(L"AnchorHint", [](G* g, bool v) { g->AnchorHint = v; })
        .Boolean(L"ActiveCellShow", [](G* g, bool v) { g->ActiveCellShow = v; })
        .Object(L"ActiveCellFont", L"TFont", [](G* g) { return g->ActiveCellFont(); })
        .Integer(L"ActiveCellColor", [](G* g, TColor v) { g->ActiveCellColor = v; }, L"clGray", L"TColor")
        .Integer(L"ActiveCellColorTo", [](G* g, TColor v) { g->ActiveCellColorTo = v; }, L"clNone", L"TColor")
        .Boolean(L"AutoNumAlign", [](G* g, bool v) { g->AutoNumAlign = v; })
        .Boolean(L"AutoThemeAdapt", [](G* g, bool v) { g->AutoThemeAdapt = v; })
        .Boolean(L"AutoFilterUpdate", [](G* g, bool v) { g->AutoFilterUpdate = v; }, L"True")
        .Integer(L"DisabledFontColor", [](G* g, TColor v) { g->DisabledFontColor = v; }, L"clSilver", L"TColor")
        .Enum<TEditorType>(L"DefaultEditor", L"TEditorType", [](G* g, TEditorType v) { g->DefaultEditor = v; }, L"edNormal")
        .Boolean(L"EditWithTags", [](G* g, bool v) { g->EditWithTags = v; })
        .Boolean(L"EnableBlink", [](G* g, bool v) { g->EnableBlink = v; })
        .Boolean(L"EnableHTML", [](G* g, bool v) { g->EnableHTML = v; }, L"True")
        .Boolean(L"EnableWheel", [](G* g, bool v) { g->EnableWheel = v; }, L"True")
        .Boolean(L"EnhTextSize", [](G* g, bool v) { g->EnhTextSize = v; })
        .Boolean(L"EnhRowColMove", [](G* g, bool v) { g->EnhRowColMove = v; }, L"True")
        .Boolean(L"ExcelStyleDecimalSeparator", [](G* g, bool v) { g->ExcelStyleDecimalSeparator = v; })
        .Boolean(L"FixedAsButtons", [](G* g, bool v) { g->FixedAsButtons = v; })
        .Object(L"FixedFont", L"TFont", [](G* g) { return g->FixedFont(); })
        .Text(L"FloatFormat", [](G* g, const String& v) { g->FloatFormat = v; })
        .Boolean(L"HideFocusRect", [](G* g, bool v) { g->HideFocusRect = v; })
        .Boolean(L"Hovering", [](G* g, bool v) { g->Hovering = v; })
        .Enum<THoverFixedCells>(L"HoverFixedCells", L"THoverFixedCells", [](G* g, THoverFixedCells v) { g->HoverFixedCells = v; }, L"hfNone")
        .Enum<TIntelliPan>(L"IntelliPan", L"TIntelliPan", [](G* g, TIntelliPan v) { g->IntelliPan = v; }, L"ipVertical")
        .Boolean(L"IntelliZoom", [](G* g, bool v) { g->IntelliZoom = v; }, L"True")
        .Text(L"InvalidEntryTitle", [](G* g, const String& v) { g->InvalidEntryTitle = v; })
        .Text(L"InvalidEntryText", [](G* g, const String& v) { g->InvalidEntryText = v; })
        .Enum<TInvalidEntryIcon>(L"InvalidEntryIcon", L"TInvalidEntryIcon", [](G* g, TInvalidEntryIcon v) { g->InvalidEntryIcon = v; },
                                 L"ieWarning")
        .Enum<TGridLook>(L"Look", L"TGridLook", [](G* g, TGridLook v) { g->Look = v; }, L"glXP")
        .Strings(L"LookupItems", [](G* g, const std::vector<String>& v) { SetLines(g->LookupItems(), v); })
        .Boolean(L"Lookup", [](G* g, bool v) { g->Lookup = v; })
        .Boolean(L"LookupCaseSensitive", [](G* g, bool v) { g->LookupCaseSensitive = v; })
        .Boolean(L"LookupHistory", [](G* g, bool v) { g->LookupHistory = v; })
        .Boolean(L"Multilinecells", [](G* g, bool v) { g->Multilinecells = v; })
        .Strings(L"ColumnHeaders", [](G* g, const std::vector<String>& v) { SetLines(g->ColumnHeaders(), v); })
        .Strings(L"RowHeaders", [](G* g, const std::vector<String>& v) { SetLines(g->RowHeaders(), v); })
        .Object(L"RowIndicator", L"TBitmap", [](G* g) { return g->RowIndicator(); })
        .Enum<TScrollBarAlways>(L"ScrollBarAlways", L"TScrollBarAlways", [](G* g, TScrollBarAlways v) { g->ScrollBarAlways = v; }, L"saNone")
        .Integer(L"ScrollColor", [](G* g, TColor v) { g->ScrollColor = v; }, L"clNone", L"TColor")
        .Boolean(L"ScrollProportional", [](G* g, bool v) { g->ScrollProportional = v; })
        .Boolean(L"ScrollSynch", [](G* g, bool v) { g->ScrollSynch = v; })
        .Enum<TScrollType>(L"ScrollType", L"TScrollType", [](G* g, TScrollType v) { g->ScrollType = v; }, L"ssNormal")
        .Integer(L"ScrollWidth", [](G* g, int v) { g->ScrollWidth = v; }, L"17")
        .Enum<TScrollHintType>(L"ScrollHints", L"TScrollHintType", [](G* g, TScrollHintType v) { g->ScrollHints = v; }, L"shNone")
        .Boolean(L"ShowDesignHelper", [](G* g, bool v) { g->ShowDesignHelper = v; }, L"True")
        .Boolean(L"SizeWithForm", [](G* g, bool v) { g->SizeWithForm = v; })
        .Integer(L"URLColor", [](G* g, TColor v) { g->URLColor = v; }, L"clBlue", L"TColor")
        .Boolean(L"URLShow", [](G* g, bool v) { g->URLShow = v; })
        .Boolean(L"URLShowInText", [](G* g, bool v) { g->URLShowInText = v; })
        .Boolean(L"URLFull", [](G* g, bool v) { g->URLFull = v; })
        .Boolean(L"URLEdit", [](G* g, bool v) { g->URLEdit = v; })
        .Boolean(L"UseInternalHintClass", [](G* g, bool v) { g->UseInternalHintClass = v; }, L"True")
        .Text(L"ValidChars", [](G* g, const String& v) { g->ValidChars = v; })
        .NotStored(L"Version", TPropertyKind::String)
        .Object(L"Balloon", L"TBalloonSettings", [](G* g) { return g->Balloon(); })
        .Object(L"Bands", L"TBands", [](G* g) { return g->Bands(); })
        .Object(L"BackGround", L"TBackGround", [](G* g) { return g->BackGround(); })
        .Object(L"CellNode", L"TCellNode", [](G* g) { return g->CellNode(); })
        .Object(L"ColumnSize", L"TColumnSize", [](G* g) { return g->ColumnSize(); })
        .Object(L"ControlLook", L"TControlLook", [](G* g) { return g->ControlLook(); })
        .Object(L"DragDropSettings", L"TDragDropSettings", [](G* g) { return g->DragDropSettings(); })
        .Object(L"DragScrollOptions", L"TDragScrollOptions", [](G* g) { return g->DragScrollOptions(); })
        .Collection(L"Filter", L"TFilterData", [](G* g) { return g->Filter(); })
        .Object(L"FilterDropDown", L"TFilterDropDown", [](G* g) { return g->FilterDropDown(); })
        .Object(L"FloatingFooter", L"TFloatingFooter", [](G* g) { return g->FloatingFooter(); })
        .Object(L"FocusHelper", L"TFocusHelper", [](G* g) { return g->FocusHelper(); })
        .Object(L"Grouping", L"TGrouping", [](G* g) { return g->Grouping(); })
        .Object(L"HTMLSettings", L"THTMLSettings", [](G* g) { return g->HTMLSettings(); })
        .Object(L"MouseActions", L"TMouseActions", [](G* g) { return g->MouseActions(); })
        .Object(L"Navigation", L"TNavigation", [](G* g) { return g->Navigation(); })
        .Object(L"OfficeHint", L"TAdvHintInfo", [](G* g) { return g->OfficeHint(); })
        .Object(L"PrintSettings", L"TPrintSettings", [](G* g) { return g->PrintSettings(); })
        .Object(L"ProgressAppearance", L"TGridProgressAppearance", [](G* g) { return g->ProgressAppearance(); })
        .Object(L"SearchFooter", L"TSearchFooter", [](G* g) { return g->SearchFooter(); })
        .Object(L"ShowModified", L"TShowModified", [](G* g) { return g->ShowModified(); })
        .Object(L"SizeWhileTyping", L"TSizeWhileTyping", [](G* g) { return g->SizeWhileTyping(); })
        .Object(L"SortSettings", L"TSortSettings", [](G* g) { return g->SortSettings(); })
        .Object(L"SyncGrid", L"TSyncGrid", [](G* g) { return g->SyncGrid(); })
        .Event<TCellsChangedEvent>(L"OnCellsChanged", [](G* g) -> TCellsChangedEvent& { return g->OnCellsChanged; })
        .Event<TRowChangedEvent>(L"OnRowChanged", [](G* g) -> TRowChangedEvent& { return g->OnRowChanged; })
        .Event<TEditCellDoneEvent>(L"OnEditCellDone", [](G* g) -> TEditCellDoneEvent& { return g->OnEditCellDone; })
        .Event<TComboChangeEvent>(L"OnComboChange", [](G* g) -> TComboChangeEvent& { return g->OnComboChange; })
        .Event<TComboObjectChangeEvent>(L"OnComboObjectChange", [](G* g) -> TComboObjectChangeEvent& { return g->OnComboObjectChange; })
        .Event<TComboCloseUpEvent>(L"OnComboCloseUp", [](G* g) -> TComboCloseUpEvent& { return g->OnComboCloseUp; })
        .Event<TGridHintEvent>(L"OnGridHint", [](G* g) -> TGridHintEvent& { return g->OnGridHint; });
}

} // namespace

void RegisterGridClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    // Everything a description holding a grid may name from the framework.
    RegisterGridsClasses();
    RegisterCommonControlsClasses();
    RegisterMenuClasses();
    RegisterGridTypes();
    RegisterSettings();
    RegisterGridControls();
}
