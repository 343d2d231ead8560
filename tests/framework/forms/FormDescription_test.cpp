#include <gtest/gtest.h>

#include "framework/classes/FormDescription.h"

namespace {

std::string Narrow(const String& s)
{
    return std::string(EParserError(s).what());
}

} // namespace

TEST(FormDescription, ParsesTreeWithLinesNamesAndEveryValueForm)
{
    const String text =
        L"object Form1: TForm1\r\n"                     // 1
        L"  Font.Style = [fsBold, fsItalic]\r\n"        // 2
        L"  Tag = -$10\r\n"                             // 3
        L"  Ratio = -1.5e3\r\n"                         // 4
        L"  Caption = 'It''s'#20013 +\r\n"              // 5
        L"    '中文'\r\n"                               // 6
        L"  object 上班日期: TPanel\n"                  // 7
        L"    Lines = ( 'a' 1 )\n"                      // 8
        L"    Items = < item Width = 5 end item end >\n" // 9
        L"    Data = { 0A ff\n"                         // 10
        L"      7 B }\n"                                // 11
        L"    FocusControl = Form2.Button1\n"           // 12
        L"  end\n"
        L"end\n";
    auto root = ParseFormDescription(text, L"Test.form");
    EXPECT_EQ(L"Form1", root->Name);
    EXPECT_EQ(L"TForm1", root->ClassName);
    ASSERT_EQ(4u, root->Properties.size());
    EXPECT_EQ(L"Font.Style", root->Properties[0].Name);
    EXPECT_EQ(TFormValueKind::Set, root->Properties[0].Value.Kind);
    EXPECT_EQ((std::vector<String>{L"fsBold", L"fsItalic"}), root->Properties[0].Value.Names);
    EXPECT_EQ(-16, root->Properties[1].Value.Int);
    EXPECT_EQ(3, root->Properties[1].Line);
    EXPECT_EQ(TFormValueKind::Float, root->Properties[2].Value.Kind);
    EXPECT_DOUBLE_EQ(-1500.0, root->Properties[2].Value.Float);
    EXPECT_EQ(L"It's\u4E2D中文", root->Properties[3].Value.Text);

    ASSERT_EQ(1u, root->Children.size());
    const TFormObject& panel = *root->Children[0];
    EXPECT_EQ(L"上班日期", panel.Name);
    EXPECT_EQ(7, panel.Line);
    ASSERT_EQ(4u, panel.Properties.size());
    const TFormValue& lines = panel.Properties[0].Value;
    ASSERT_EQ(2u, lines.Items.size());
    EXPECT_EQ(TFormValueKind::String, lines.Items[0].Kind);
    EXPECT_EQ(TFormValueKind::Integer, lines.Items[1].Kind);
    const TFormValue& items = panel.Properties[1].Value;
    ASSERT_EQ(2u, items.CollectionItems.size());
    EXPECT_EQ(L"Width", items.CollectionItems[0].Properties[0].Name);
    EXPECT_TRUE(items.CollectionItems[1].Properties.empty());
    EXPECT_EQ((std::vector<uint8_t>{0x0A, 0xFF, 0x7B}), panel.Properties[2].Value.Bytes);
    EXPECT_EQ(TFormValueKind::Ident, panel.Properties[3].Value.Kind);
    EXPECT_EQ(L"Form2.Button1", panel.Properties[3].Value.Text);
    EXPECT_EQ(12, panel.Properties[3].Line);
}

TEST(FormDescription, Utf8BytesWithByteOrderMark)
{
    auto root = ParseFormDescriptionUtf8("\xEF\xBB\xBFobject A: TB\n  Caption = '\xE4\xB8\xAD'\nend", L"Bom.form");
    EXPECT_EQ(L"中", root->Properties[0].Value.Text);
}

TEST(FormDescription, MalformedTextNamesFormAndLine)
{
    struct Case {
        const wchar_t* Text;
        const char* Expected;
    };
    const Case cases[] = {
        {L"object A: TB\n  Left = 1\n", "Bad.form line 3: 'end' of object A (line 1)"},
        {L"object A: TB\n  object C: TD\n  end\n", "Bad.form line 4: 'end' of object A"},
        {L"object A: TB\n  Caption = 'open\nend\n", "Bad.form line 2: unterminated string"},
        {L"object A: TB\n  Caption = 'a' +\n  5\nend\n", "Bad.form line 3: string expected after '+' in Caption"},
        {L"object A: TB\n  Data = { 0A1 }\nend\n", "Bad.form line 2: binary data has an odd number"},
        {L"object A: TB\n  Data = { 0A\n  zz }\nend\n", "Bad.form line 3: invalid character 'z'"},
        {L"object A: TB\n  Data = { 0A\n", "Bad.form line 3: '}' expected"},
        {L"object A: TB\n  Caption = #70000\nend\n", "Bad.form line 2: character code out of range"},
        {L"object A: TB\n  Left 5\nend\n", "Bad.form line 2: '=' expected after the property name Left"},
        {L"object A: TB\n  Styles = [a b]\nend\n", "Bad.form line 2: ',' or ']' expected"},
        {L"object A: TB\n  Lines = ( 'a'\n", "Bad.form line 3: ')' expected to close the list of Lines (line 2)"},
        {L"object A: TB\n  Items = < thing >\nend\n", "Bad.form line 2: 'item' or '>' expected"},
        {L"object A TB\nend\n", "Bad.form line 1: ':' expected"},
        {L"object A: TB\nend\nend\n", "Bad.form line 3: end of text expected"},
        {L"  \n\n", "Bad.form line 3: 'object' expected"},
        {L"object A: TB\n  Left = 12abc\nend\n", "Bad.form line 2: invalid number"},
    };
    for (const Case& c : cases) {
        try {
            ParseFormDescription(c.Text, L"Bad.form");
            ADD_FAILURE() << "accepted: " << Narrow(c.Text);
        } catch (const EReadError& e) {
            EXPECT_EQ(0u, std::string(e.what()).find(c.Expected)) << "got: " << e.what();
        }
    }
}

namespace {

// Levels opened one per line, so that level k opens on line k; the object around them counts as
// level 1.
String NestedObjects(int levels)
{
    String text;
    for (int k = 1; k <= levels; ++k) text += L"object O" + std::to_wstring(k) + L": TB\n";
    for (int k = 1; k <= levels; ++k) text += L"end\n";
    return text;
}

String NestedLists(int levels)
{
    String text = L"object A: TB\nLines = (\n";
    for (int k = 3; k <= levels; ++k) text += L"(\n";
    for (int k = 2; k <= levels; ++k) text += L")\n";
    return text + L"end\n";
}

String NestedCollections(int levels)
{
    String text = L"object A: TB\nItems = <\n";
    for (int k = 3; k <= levels; ++k) text += L"item Items = <\n";
    text += L">\n";
    for (int k = 3; k <= levels; ++k) text += L"end >\n";
    return text + L"end\n";
}

} // namespace

TEST(FormDescription, NestingIsBoundedWithAnErrorNamingTheLine)
{
    struct Case {
        const char* Kind;
        String (*Make)(int);
    };
    const Case cases[] = {{"objects", NestedObjects}, {"lists", NestedLists}, {"collections", NestedCollections}};
    const std::string expected = "Deep.form line " + std::to_string(MaxFormNesting + 1) + ": nesting deeper than " +
                                 std::to_string(MaxFormNesting) + " levels";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Kind);
        EXPECT_NO_THROW(ParseFormDescription(c.Make(MaxFormNesting), L"Deep.form"));
        try {
            ParseFormDescription(c.Make(MaxFormNesting + 1), L"Deep.form");
            ADD_FAILURE() << "accepted one level too many";
        } catch (const EParserError& e) {
            EXPECT_EQ(expected, e.what());
        }
    }
    // A few kilobytes of brackets once ran the parser off its stack.
    String flood = L"object A: TB\n  Lines = " + String(100000, L'(');
    EXPECT_THROW(ParseFormDescription(flood, L"Deep.form"), EParserError);
    flood = L"object A: TB\n  Items = <";
    for (int k = 0; k < 20000; ++k) flood += L"item I = <";
    EXPECT_THROW(ParseFormDescription(flood, L"Deep.form"), EParserError);
}

TEST(FormDescription, DeepTreesAreFreedWithoutRecursion)
{
    // Built by hand, far deeper than the parser allows: freeing them must not use the stack
    // per level.
    const int depth = 200000;
    auto root = std::make_unique<TFormObject>();
    TFormObject* at = root.get();
    for (int k = 0; k < depth; ++k) {
        at->Children.push_back(std::make_unique<TFormObject>());
        at = at->Children.back().get();
    }
    root.reset();

    TFormValue list;
    TFormValue* v = &list;
    for (int k = 0; k < depth; ++k) {
        v->Kind = k % 2 ? TFormValueKind::List : TFormValueKind::Collection;
        if (k % 2) {
            v->Items.emplace_back();
            v = &v->Items.back();
        } else {
            v->CollectionItems.emplace_back();
            v->CollectionItems.back().Properties.emplace_back();
            v = &v->CollectionItems.back().Properties.back().Value;
        }
    }
    EXPECT_EQ(1u, list.CollectionItems.size());
}   // list is freed here
