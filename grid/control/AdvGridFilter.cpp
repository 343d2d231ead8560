// Filtering: the conditions tested row by row, each application hiding the failing rows as one
// filter level that can be taken back, incremental narrowing, and the header filter drop-down's
// choice.
#include <cmath>

#include "framework/system/StringUtils.h"
#include "grid/control/AdvGrid.h"

namespace {

// ASCII letters only, as the whole-row search compares.
String AsciiUpper(String Text)
{
    for (wchar_t& ch : Text)
        if (ch >= L'a' && ch <= L'z') ch = static_cast<wchar_t>(ch - L'a' + L'A');
    return Text;
}

} // namespace

String TAdvStringGrid::FilterCellText(const TFilterData& Condition, int ARow)
{
    switch (Condition.Data) {
    case fcNormal: return GetStoredCell(Condition.Column, ARow);
    case fcStripHTML: return GetCellPlainText(Condition.Column, ARow);
    case fcRow: {
        String row;
        for (int c = 0; c < TotalColCount(); ++c)
            row += ReadCellText(c, ARow) + L"\r\n";
        return row;
    }
    case fcVirtual:
    case fcCalculated: break;
    }
    return ReadCellText(Condition.Column, ARow);
}

bool TAdvStringGrid::MatchFilterRow(int ARow)
{
    bool result = true;
    for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData& condition = *FFilter->Items(i);
        String text = Trim(FilterCellText(condition, ARow));
        if (text.find(L"|\\") != String::npos) text = DecodeWideCellText(text);
        bool match;
        if (condition.Data == fcRow) {
            match = AsciiUpper(text).find(AsciiUpper(condition.Condition)) != String::npos;
        } else {
            if (!condition.Prefix.empty() && text.compare(0, condition.Prefix.size(), condition.Prefix) == 0)
                text.erase(0, condition.Prefix.size());
            if (!condition.Suffix.empty()) {
                size_t at = text.find(condition.Suffix);
                if (at != String::npos && at + condition.Suffix.size() == text.size()) text.erase(at);
            }
            try {
                match = condition.Condition.empty() || MatchFilterCondition(condition.Condition, text, condition.CaseSensitive);
            } catch (const std::exception&) {
                match = false;
            }
        }
        switch (condition.Operation) {
        case foSHORT:
            result = match;
            if (!match) i = FFilter->Count();
            break;
        case foNONE: result = match; break;
        case foAND: result = result && match; break;
        case foXOR: result = result != match; break;
        case foOR: result = result || match; break;
        }
    }
    if (OnCustomFilter) OnCustomFilter(this, ARow, result);
    return result;
}

void TAdvStringGrid::FilterRow(int ARow)
{
    if (!MatchFilterRow(ARow)) HideRow(DisplToRealRow(ARow));
}

void TAdvStringGrid::ApplyFilter()
{
    FFilterFixedRows = FixedRows();
    const int first = FixedRows(), last = RowCount() - FFixedFooters - 1;
    const int tested = RowCount() - FixedRows() - FFixedFooters;
    TIntList failing;
    int percent = 0;
    for (int r = first; r <= last; ++r) {
        if (!MatchFilterRow(r)) failing.Add(r);
        if (OnFilterProgress && tested > 0) {
            percent = static_cast<int>(std::nearbyint((r - first + 1) * 100.0 / tested));
            OnFilterProgress(this, percent);
        }
    }
    // Every application is a level of its own, also when every row passed.
    if (failing.Count() > 0)
        HideRowList(&failing);
    else
        ++FFilterLevel;
    if (OnFilterProgress && tested > 0) OnFilterProgress(this, percent);
}

bool TAdvStringGrid::RemoveLastFilter()
{
    if (FFilterLevel == 0) return false;
    UnHideRowList();
    SetFixedRows(FFilterFixedRows);
    if (FSelHidden) UnHideSelection();
    --FFilterLevel;
    return FFilterLevel > 1;
}

void TAdvStringGrid::RemoveAllFilters()
{
    if (FFilterLevel == 0) {
        FFilter->Clear();
        return;
    }
    while (FFilterLevel > 0)
        RemoveLastFilter();
}

void TAdvStringGrid::NarrowDown(const String& ACondition, int AColumn)
{
    FixedRowAlways = true;
    auto setCondition = [&](bool QuoteBlanks) {
        FFilter->Clear();
        TFilterData* condition = FFilter->Add();
        condition->CaseSensitive = false;
        condition->Column = AColumn;
        if (AColumn == -1) {
            condition->Data = fcRow;
            condition->Condition = ACondition;
        } else {
            condition->Data = fcNormal;
            condition->Condition = L"*" + ACondition + L"*";
            if (QuoteBlanks && ACondition.find(L' ') != String::npos)
                condition->Condition = L"\"" + condition->Condition + L"\"";
        }
    };
    const String& last = FLastFilter;
    if (!last.empty() && ACondition.size() == last.size() + 1 && ACondition.compare(0, last.size(), last) == 0) {
        setCondition(true);
        ApplyFilter();
    } else if (!ACondition.empty() && ACondition.size() + 1 == last.size() && last.compare(0, ACondition.size(), ACondition) == 0) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.empty()) {
            setCondition(false);
            ApplyFilter();
        }
    }
    FLastFilter = ACondition;
}

bool TAdvStringGrid::DoGetColumnFilter(int Column)
{
    FFilterList->Clear();
    if (FFilterDropDownAuto && Column >= FixedCols()) {
        FFilterList->SetSorted(true);
        for (int r = FixedRows(); r < AllRowCount() - FFixedFooters; ++r) {
            if (FilterIncremental && IsHiddenRow(r)) continue;
            String value = Trim(GetCellAtRealRow(Column, r));
            // A value with a blank is matched whole.
            if (value.find(L' ') != String::npos) value = value + L"=\"" + value + L"\"";
            FFilterList->Add(value);
        }
    }
    FFilterList->SetSorted(false);
    if (!FilterDropDownClear.empty()) FFilterList->Insert(0, FilterDropDownClear);
    if (OnGetColumnFilter) OnGetColumnFilter(this, Column, FFilterList.get());
    return FFilterList->Count() > 0;
}

void TAdvStringGrid::DoFilterSelect(TObject*, int ItemIndex)
{
    if (CanFocus()) SetFocus();
    if (FFilterCol >= 0 && FFilterCol < TotalColCount() && ItemIndex >= 0 && ItemIndex < FDropList->Items()->Count()) {
        DoGetColumnFilter(FFilterCol);
        String entry = ItemIndex < FFilterList->Count() ? FFilterList->Strings(ItemIndex) : String();
        size_t equals = entry.find(L'=');
        String caption = equals == String::npos ? entry : entry.substr(0, equals);
        if (AutoFilterUpdate) SetFilterActive(false);
        String condition = equals == String::npos ? entry : entry.substr(equals + 1);
        if (condition == FilterDropDownClear) condition.clear();
        if (OnFilterSelect) OnFilterSelect(this, FFilterCol, ItemIndex, caption, condition);
        if (!condition.empty())
            FFilter->GetColumnFilter(FFilterCol)->Condition = condition;
        else
            FFilter->RemoveColumnFilter(FFilterCol);
        if (AutoFilterUpdate) {
            FixedRowAlways = true;
            SetFilterActive(true);
            if (RowCount() != FixedRows() && RowCount() != 1) SetRowEx(FixedRows());
            DoFilterDone();
        }
    }
    FFilterCol = -1;
}

void TAdvStringGrid::DoFilterDone()
{
    if (OnFilterDone) OnFilterDone(this);
}
