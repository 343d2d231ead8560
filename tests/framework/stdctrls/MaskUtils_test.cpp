// The edit-mask engine: layout of masks, key acceptance, value/edit text conversion, validation
// and the editing steps the masked edit performs.
#include <gtest/gtest.h>

#include "framework/stdctrls/MaskUtils.h"
#include "framework/system/FormatSettings.h"

namespace {

// Masks read ':' and '/' from the locale; pin them so the expectations are fixed.
class MaskTest : public ::testing::Test {
protected:
    static TFormatSettings Separators(wchar_t Date, wchar_t Time)
    {
        TFormatSettings s;
        s.DateSeparator = Date;
        s.TimeSeparator = Time;
        return s;
    }
    TFormatSettingsOverride FLocale{Separators(L'/', L':')};

    // Types Keys one by one from the start of an empty edit; the refused ones are collected.
    static String Type(const TEditMask& Mask, const String& Keys, String* Refused = nullptr)
    {
        TMaskEditChange state{true, Mask.BlankEditText(), 0};
        for (wchar_t k : Keys) {
            TMaskEditChange next = Mask.TypeChar(state.EditText, state.Cursor, state.Cursor, k);
            if (next.Accepted) state = next;
            else if (Refused) *Refused += k;
        }
        return state.EditText;
    }
};

TEST_F(MaskTest, SectionsAndLayout)
{
    struct Case {
        const wchar_t* Mask;
        int Length;
        bool Save;
        wchar_t Blank;
        bool Reversed;
        const wchar_t* BlankText;
    };
    const Case cases[] = {
        {L"!9999/99/99;1; ", 10, true, L' ', true, L"    /  /  "},
        {L"!90:00:00;1; ", 8, true, L' ', true, L"  :  :  "},
        {L"!99/99/0000;1;_", 10, true, L'_', true, L"__/__/____"},
        {L"(999)000-0000;1;_", 13, true, L'_', false, L"(___)___-____"},
        {L">LL<ll;0;_", 4, false, L'_', false, L"____"},
        {L"000;0", 3, false, L'_', false, L"___"},
        {L"000;;*", 3, true, L'*', false, L"***"},
        {L"00_00", 5, true, L'_', false, L"__ __"},           // '_' is a literal space
        {L"\\(00\\);0", 4, false, L'_', false, L"(__)"},      // escaped literals
        {L"\\L\\\\0", 3, true, L'_', false, L"L\\_"},          // escaped mask char and backslash
        {L"0;00", 4, true, L'_', false, L"_;__"},             // a ';' not followed by sections
        {L"", 0, true, L'_', false, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << testing::PrintToString(String(c.Mask)));
        TEditMask mask(c.Mask);
        EXPECT_EQ(mask.Length(), c.Length);
        EXPECT_EQ(mask.SaveLiterals(), c.Save);
        EXPECT_EQ(mask.Blank(), c.Blank);
        EXPECT_EQ(mask.Reversed(), c.Reversed);
        EXPECT_EQ(mask.BlankEditText(), c.BlankText);
        EXPECT_EQ(MaskGetMaskSave(c.Mask), c.Save);
        EXPECT_EQ(MaskGetMaskBlank(c.Mask), c.Blank);
    }
}

TEST_F(MaskTest, DateMaskTakesTypedDateAndRefusesLetters)
{
    TEditMask mask(L"!9999/99/99;1; ");
    String refused;
    String edit = Type(mask, L"2012/05/07", &refused);
    EXPECT_EQ(refused, L"");
    EXPECT_EQ(edit, L"2012/05/07");
    EXPECT_EQ(mask.EditTextToText(edit), L"2012/05/07");
    int pos = -1;
    EXPECT_TRUE(mask.Validate(edit, pos));

    refused.clear();
    EXPECT_EQ(Type(mask, L"2x0a1b2", &refused), L"2012/  /  ");
    EXPECT_EQ(refused, L"xab");
    for (int offset : {0, 5, 9}) {
        wchar_t key = L'q';
        EXPECT_FALSE(mask.InputChar(key, offset)) << offset;
    }
}

TEST_F(MaskTest, SeparatorsComeFromTheLocale)
{
    TFormatSettingsOverride locale(Separators(L'-', L'.'));
    TEditMask date(L"!9999/99/99;1; ");
    EXPECT_EQ(date.BlankEditText(), L"    -  -  ");
    EXPECT_EQ(Type(date, L"2012-05-07"), L"2012-05-07");
    EXPECT_EQ(TEditMask(L"!90:00:00;1; ").TextToEditText(L"9.05.00"), L" 9.05.00");
    EXPECT_EQ(MaskIntlLiteralToChar(L'/'), L'-');
    EXPECT_EQ(MaskIntlLiteralToChar(L':'), L'.');
    EXPECT_EQ(MaskIntlLiteralToChar(L'x'), L'x');
}

TEST_F(MaskTest, KeyAcceptancePerMaskCharacter)
{
    struct Case {
        const wchar_t* Mask; // one editable position
        wchar_t Key;
        bool Accepted;
        wchar_t Result;
    };
    const Case cases[] = {
        {L"0", L'5', true, L'5'},   {L"0", L'x', false, 0},     {L"0", L'+', false, 0},
        {L"9", L'0', true, L'0'},   {L"#", L'+', true, L'+'},   {L"#", L'-', true, L'-'},
        {L"#", L'7', true, L'7'},   {L"#", L'x', false, 0},     {L"L", L'x', true, L'x'},
        {L"l", L'5', false, 0},     {L"L", L'\x00E9', true, L'\x00E9'},
        {L"A", L'z', true, L'z'},   {L"a", L'7', true, L'7'},   {L"A", L'-', false, 0},
        {L"C", L'-', true, L'-'},   {L"c", L' ', true, L' '},   {L"C", L'\t', false, 0},
        {L">L", L'q', true, L'Q'},  {L"<L", L'Q', true, L'q'},  {L"><L", L'Q', true, L'q'},
        {L"<><L", L'Q', true, L'q'}, {L"><>L", L'q', true, L'q'},
        // A space or the blank character leaves an editable position unfilled.
        {L"0", L' ', true, L'_'},   {L"0;1;*", L'*', true, L'*'}, {L"L", L'_', true, L'_'},
        // A literal position takes any key and answers its literal.
        {L"-", L'x', true, L'-'},
    };
    for (const Case& c : cases) {
        wchar_t key = c.Key;
        bool accepted = TEditMask(c.Mask).InputChar(key, 0);
        EXPECT_EQ(accepted, c.Accepted) << testing::PrintToString(String(c.Mask)) << " key " << int(c.Key);
        if (c.Accepted) {
            EXPECT_EQ(key, c.Result) << testing::PrintToString(String(c.Mask));
        }
    }
}

TEST_F(MaskTest, CaseDirectivesApplyWhileTyping)
{
    TEditMask mask(L">LL<ll;0;_");
    String refused;
    String edit = Type(mask, L"a1bCD", &refused);
    EXPECT_EQ(refused, L"1");
    EXPECT_EQ(edit, L"ABcd");
    EXPECT_EQ(mask.EditTextToText(edit), L"ABcd");
    EXPECT_EQ(mask.TextToEditText(L"xyZW"), L"XYzw");
}

TEST_F(MaskTest, TextAndEditTextConversions)
{
    struct Case {
        const wchar_t* Mask;
        const wchar_t* Text;
        const wchar_t* EditText;
        const wchar_t* TextBack;
    };
    const Case cases[] = {
        // Literals saved: the value is laid in field by field, padded in front with '!'.
        {L"!99/99/0000;1;_", L"5/7/2012", L"_5/_7/2012", L" 5/ 7/2012"},
        {L"!9999/99/99;1; ", L"2012/5/7", L"2012/ 5/ 7", L"2012/ 5/ 7"},
        {L"!9999/99/99;1; ", L"", L"    /  /  ", L"    /  /  "},
        {L"(999)000-0000;1;_", L"(555)123-4567", L"(555)123-4567", L"(555)123-4567"},
        {L"(999)000-0000;1;_", L"5551234567", L"(555)123-4567", L"(555)123-4567"},
        {L"(999)000-0000;1;_", L"(555)12", L"(555)12_-____", L"(555)12 -    "},
        // Literals not saved: data characters only, spaces trimmed off the end (front with '!').
        {L"(999)000-0000;0;_", L"5551234567", L"(555)123-4567", L"5551234567"},
        {L"(999)000-0000;0;_", L"555123", L"(555)123-____", L"555123"},
        {L"!999;0;_", L"5", L"__5", L"5"},
        {L"00:00;0", L"12x4", L"12:_4", L"12 4"},  // a refused character shows as blank
        {L"", L"free text", L"free text", L"free text"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << testing::PrintToString(String(c.Mask))
                                        << " text " << testing::PrintToString(String(c.Text)));
        TEditMask mask(c.Mask);
        String edit = mask.TextToEditText(c.Text);
        EXPECT_EQ(edit, c.EditText);
        EXPECT_EQ(mask.EditTextToText(edit), c.TextBack);
    }
}

TEST_F(MaskTest, FormatMaskTextPadsWithSpaces)
{
    EXPECT_EQ(FormatMaskText(L"!99/99/0000;1;_", L"5/7/2012"), L" 5/ 7/2012");
    EXPECT_EQ(FormatMaskText(L"(999)000-0000;0;_", L"5551234567"), L"(555)123-4567");
    EXPECT_EQ(FormatMaskText(L"000;0", L"12"), L"12 ");
    EXPECT_EQ(FormatMaskText(L"!000;0", L"12"), L" 12");
    EXPECT_EQ(FormatMaskText(L"", L"as is"), L"as is");
    EXPECT_EQ(PadInputLiterals(L"!99/99/0000;1;_", L"5/7/2012", L'*'), L"*5/*7/2012");
    EXPECT_EQ(MaskDoFormatText(L"99-99;0", L"123", L'*'), L"12-3*");
}

TEST_F(MaskTest, ValidationWantsEveryRequiredPosition)
{
    TEditMask phone(L"(999)000-0000;1;_");
    int pos = -1;
    EXPECT_TRUE(phone.Validate(L"(___)123-4567", pos));   // area code optional
    EXPECT_FALSE(phone.Validate(L"(555)12_-4567", pos));
    EXPECT_EQ(pos, 7);
    EXPECT_FALSE(phone.Validate(L"(555)123-45 7", pos));  // a space fills only 'C'
    EXPECT_EQ(pos, 11);
    EXPECT_TRUE(phone.Validate(L"", pos));
    EXPECT_TRUE(TEditMask(L"CC;1;_").Validate(L"a ", pos));

    try {
        phone.ValidateEdit(phone.BlankEditText());
        FAIL() << "no EDBEditError";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), L"Invalid input value.  Use escape key to abandon changes");
    }
    EXPECT_NO_THROW(phone.ValidateEdit(L"(555)123-4567"));
}

TEST_F(MaskTest, ClassicOffsetRoutines)
{
    const String date = L"!99/99/0000;1;_";
    EXPECT_EQ(MaskGetFldSeparator(date), 12);
    EXPECT_EQ(MaskGetFldSeparator(L"000"), -1);
    EXPECT_EQ(MaskOffsetToOffset(date, 1), -1);  // the '!' directive
    EXPECT_EQ(MaskOffsetToOffset(date, 2), 0);
    EXPECT_EQ(MaskOffsetToOffset(date, 4), 2);
    EXPECT_EQ(OffsetToMaskOffset(date, 2), 4);
    EXPECT_EQ(OffsetToMaskOffset(date, 10), -1);
    EXPECT_TRUE(IsLiteralChar(date, 2));
    EXPECT_FALSE(IsLiteralChar(date, 0));
    EXPECT_FALSE(IsLiteralChar(date, 99));

    const TMaskCharType types[] = {mcDirective, mcLiteral, mcDirective, mcMaskOpt, mcIntlLiteral,
                                   mcMask, mcLiteral, mcFieldSeparator, mcField, mcFieldSeparator, mcField, mcNone};
    const String mask = L"\\A>a/0x;0;_";
    for (int i = 0; i < 12; ++i) EXPECT_EQ(MaskGetCharType(mask, i + 1), types[i]) << "offset " << i + 1;

    EXPECT_TRUE(MaskGetCurrentDirectives(mask, 2).Contains(mdLiteralChar));
    EXPECT_TRUE(MaskGetCurrentDirectives(mask, 4).Contains(mdUpperCase));
    EXPECT_FALSE(MaskGetCurrentDirectives(mask, 2).Contains(mdUpperCase));
    EXPECT_TRUE(MaskGetCurrentDirectives(date, 5).Contains(mdReverseDir));
}

TEST_F(MaskTest, CaretHelpersSkipLiterals)
{
    TEditMask phone(L"(999)000-0000;1;_");
    EXPECT_EQ(phone.NextEditable(0), 1);
    EXPECT_EQ(phone.NextEditable(4), 5);
    EXPECT_EQ(phone.NextEditable(13), 13);
    EXPECT_EQ(phone.PriorEditable(4), 3);
    EXPECT_EQ(phone.PriorEditable(0), -1);
    EXPECT_TRUE(phone.IsRequired(5));
    EXPECT_FALSE(phone.IsRequired(1));
    EXPECT_FALSE(phone.IsRequired(0));
    EXPECT_EQ(phone.CharAt(0), L'(');
    EXPECT_EQ(phone.CharAt(5), L'0');
}

TEST_F(MaskTest, DeletingAndPasting)
{
    TEditMask date(L"!9999/99/99;1; ");
    // Backspace right after a separator clears the digit before it.
    TMaskEditChange c = date.DeleteKey(L"2012/05/07", 5, 5, true);
    ASSERT_TRUE(c.Accepted);
    EXPECT_EQ(c.EditText, L"201 /05/07");
    EXPECT_EQ(c.Cursor, 3);
    // Delete on a separator clears the next digit; a selection is blanked, literals stay.
    EXPECT_EQ(date.DeleteKey(L"2012/05/07", 4, 4, false).EditText, L"2012/ 5/07");
    c = date.DeleteKey(L"2012/05/07", 2, 7, false);
    EXPECT_EQ(c.EditText, L"20  /  /07");
    EXPECT_EQ(c.Cursor, 2);
    EXPECT_FALSE(date.DeleteKey(L"2012/05/07", 0, 0, true).Accepted);

    // Typing over a selection replaces it.
    c = date.TypeChar(L"2012/05/07", 5, 10, L'1');
    EXPECT_EQ(c.EditText, L"2012/1 /  ");
    EXPECT_EQ(c.Cursor, 6);
    EXPECT_FALSE(date.TypeChar(L"2012/05/07", 10, 10, L'1').Accepted);  // past the end

    TEditMask phone(L"(999)000-0000;1;_");
    c = phone.InsertText(phone.BlankEditText(), 0, 0, L"(555)123-4567");
    ASSERT_TRUE(c.Accepted);
    EXPECT_EQ(c.EditText, L"(555)123-4567");
    EXPECT_EQ(phone.InsertText(phone.BlankEditText(), 0, 0, L"5551234567").EditText, L"(555)123-4567");
    c = phone.InsertText(L"(555)123-4567", 1, 4, L"5x");
    EXPECT_FALSE(c.Accepted);
    EXPECT_EQ(c.EditText, L"(555)123-4567");

    // Without a mask the steps are plain text editing.
    TEditMask none(L"");
    EXPECT_EQ(none.TypeChar(L"ac", 1, 1, L'b').EditText, L"abc");
    EXPECT_EQ(none.DeleteKey(L"abc", 1, 1, true).EditText, L"bc");
    EXPECT_EQ(none.InsertText(L"abc", 1, 2, L"XY").EditText, L"aXYc");
}

} // namespace
