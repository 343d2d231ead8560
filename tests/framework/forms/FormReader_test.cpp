#include <gtest/gtest.h>

#include <map>

#include "tests/framework/forms/ProbeClasses.h"

using namespace probe;

namespace {

// Reads a fixture into a fresh probe form; the form's own values and those of each child by name.
std::unique_ptr<TProbeForm> ReadFixtureForm(const String& name)
{
    auto form = NewProbeForm();
    ReadComponentFromText(form.get(), ReadFixture(name), name);
    return form;
}

std::string Utf8(const String& s) { return Exception(s).what(); }

} // namespace

TEST(FormReader, Integers)
{
    auto form = ReadFixtureForm(L"Integers.form");
    EXPECT_EQ(42, form->Int);
    const std::map<String, int> expected = {
        {L"Negative", -17}, {L"Hex", 0x7FFF}, {L"HexHighBit", static_cast<int>(0xFF000018u)},
        {L"NegativeHex", -16}, {L"Smallest", INT32_MIN}};
    for (const auto& [name, value] : expected) {
        ASSERT_NE(nullptr, Child(form.get(), name)) << Utf8(name);
        EXPECT_EQ(value, Child(form.get(), name)->Int) << Utf8(name);
    }
}

TEST(FormReader, Floats)
{
    auto form = ReadFixtureForm(L"Floats.form");
    EXPECT_DOUBLE_EQ(1.5, form->Number);
    EXPECT_DOUBLE_EQ(-0.25, Child(form.get(), L"Negative")->Number);
    EXPECT_DOUBLE_EQ(1500.0, Child(form.get(), L"Exponent")->Number);
    EXPECT_DOUBLE_EQ(0.02, Child(form.get(), L"NegativeExponent")->Number);
    EXPECT_DOUBLE_EQ(7.0, Child(form.get(), L"Whole")->Number);
}

TEST(FormReader, StringsWithCodesDirectChineseAndJoins)
{
    auto form = ReadFixtureForm(L"Strings.form");
    EXPECT_EQ(L"plain", form->Caption);
    const std::map<String, String> expected = {
        {L"Quote", L"It's"}, {L"Codes", L"本月共工作"}, {L"Mixed", L"abc中def"},
        {L"Direct", L"节日的 年月日"}, {L"Joined", L"上班日期 and more"}, {L"Empty", L""}};
    for (const auto& [name, value] : expected) EXPECT_EQ(value, Child(form.get(), name)->Caption) << Utf8(name);
}

TEST(FormReader, BooleansAndEnumerationsIgnoreCase)
{
    auto form = ReadFixtureForm(L"Identifiers.form");
    EXPECT_TRUE(form->Flag);
    EXPECT_EQ(alClient, form->Align);
    EXPECT_FALSE(Child(form.get(), L"Off")->Flag);
    EXPECT_EQ(alNone, Child(form.get(), L"Off")->Align);
    EXPECT_EQ(alTop, Child(form.get(), L"Top")->Align);
}

TEST(FormReader, SetsBecomeBitsOfTheElementOrdinals)
{
    auto form = ReadFixtureForm(L"Sets.form");
    EXPECT_EQ(0b11u, form->Styles);
    EXPECT_EQ(0u, Child(form.get(), L"Empty")->Styles);
    EXPECT_EQ(0b1000u, Child(form.get(), L"Last")->Styles);
}

TEST(FormReader, ColoursByNameOrNumber)
{
    auto form = ReadFixtureForm(L"Colors.form");
    EXPECT_EQ(0x0000FF, form->Color);
    EXPECT_EQ(0x00FF00, Child(form.get(), L"Hex")->Color);
    EXPECT_EQ(static_cast<int>(0xFF000000u | COLOR_BTNFACE), Child(form.get(), L"System")->Color);
    EXPECT_EQ(255, Child(form.get(), L"Decimal")->Color);
    EXPECT_EQ(0x1FFFFFFF, Child(form.get(), L"None")->Color);
}

TEST(FormReader, NestedSubObjectProperties)
{
    auto form = ReadFixtureForm(L"NestedFont.form");
    EXPECT_EQ(L"Tahoma", form->Sub()->Name);
    EXPECT_EQ(0b101u, form->Sub()->Style);
    EXPECT_EQ(9, form->Sub()->Inner()->Size);
    EXPECT_EQ(0u, Child(form.get(), L"Other")->Sub()->Style);
}

TEST(FormReader, StringLists)
{
    auto form = ReadFixtureForm(L"StringLists.form");
    EXPECT_EQ((std::vector<String>{L"one", L"二", L"three", L""}), form->Lines);
    TProbe* empty = Child(form.get(), L"Empty");
    EXPECT_TRUE(empty->Lines.empty());
    EXPECT_EQ(std::vector<String>{L"2012"}, Child(form.get(), L"Classic")->Lines);
}

TEST(FormReader, CollectionsReplaceTheItems)
{
    auto form = NewProbeForm();
    form->Items()->Add();
    form->Items()->Add();
    form->Items()->Add();
    ReadComponentFromText(form.get(), ReadFixture(L"Collections.form"), L"Collections.form");
    ASSERT_EQ(2, form->Items()->Count());
    auto* first = static_cast<TProbeItem*>(form->Items()->Items(0));
    auto* second = static_cast<TProbeItem*>(form->Items()->Items(1));
    EXPECT_EQ(L"first", first->Caption);
    EXPECT_EQ(10, first->Width);
    EXPECT_EQ(L"第二", second->Caption);
    EXPECT_EQ(-1, second->Width);
    EXPECT_EQ(0, Child(form.get(), L"Empty")->Items()->Count());
}

TEST(FormReader, BinaryData)
{
    auto form = ReadFixtureForm(L"Binary.form");
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0x01, 0x7F, 0x80, 0xFF, 0x0A, 0x0B, 0xC0}), form->Data);
    EXPECT_TRUE(Child(form.get(), L"Empty")->Data.empty());
}

TEST(FormReader, NestedTreeIsOwnedParentedBoundFixedUpAndLoadedInOrder)
{
    // Another open form, found through a global finder while this test runs.
    static TComponent* openForm = nullptr;
    static bool finderAdded = false;
    if (!finderAdded) {
        RegisterGlobalComponentFinder([](const String& name) -> TComponent* {
            return openForm != nullptr && name == openForm->Name() ? openForm : nullptr;
        });
        finderAdded = true;
    }
    TProbe other(nullptr);
    other.SetName(L"OtherForm");
    auto* button = new TProbe(&other);
    button->SetName(L"Button");

    auto form = NewProbeForm();
    openForm = &other;
    ReadComponentFromText(form.get(), ReadFixture(L"Nested.form"), L"Nested.form");
    openForm = nullptr;

    EXPECT_EQ(L"MainForm", form->Name());
    ASSERT_EQ(3, form->ComponentCount());
    TProbe* first = form->First;
    TProbe* second = form->Second;
    TProbe* inner = Child(form.get(), L"Inner");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    ASSERT_NE(nullptr, inner);
    EXPECT_EQ(form->FindComponent(L"First"), first);
    EXPECT_EQ(form.get(), first->Owner());
    EXPECT_EQ(form.get(), inner->Owner());
    EXPECT_EQ(form.get(), first->ParentProbe);
    EXPECT_EQ(first, inner->ParentProbe);

    // References: forward, through the form's name, to the enclosing object, to another form.
    EXPECT_EQ(second, form->Link);
    EXPECT_EQ(second, first->Link);
    EXPECT_EQ(first, inner->Link);
    EXPECT_EQ(button, second->Link);

    ASSERT_TRUE(first->OnClick);
    first->OnClick(first);
    EXPECT_EQ(first, form->ClickedBy);
    int measured = 0;
    ASSERT_TRUE(first->OnMeasure);
    first->OnMeasure(first, measured);
    EXPECT_EQ(99, measured);

    EXPECT_EQ((std::vector<String>{L"MainForm", L"First", L"Inner", L"Second"}), LoadLog());
    for (TProbe* c : {static_cast<TProbe*>(form.get()), first, inner, second}) {
        EXPECT_TRUE(c->LoadingSeen) << Utf8(c->Name());
        EXPECT_FALSE(c->ComponentState().Contains(csLoading)) << Utf8(c->Name());
        EXPECT_FALSE(c->ComponentState().Contains(csReading)) << Utf8(c->Name());
    }
}

TEST(FormReader, NotStoredPropertiesAreCheckedAndDropped)
{
    auto form = NewProbeForm();
    ReadComponentFromText(form.get(), L"object F: TProbeForm\n  PixelsPerInch = 96\nend\n", L"NotStored.form");
    EXPECT_THROW(ReadComponentFromText(NewProbeForm().get(), L"object F: TProbeForm\n  PixelsPerInch = 'x'\nend\n", L"NotStored.form"),
                 EReadError);
}

TEST(FormReader, RootMustBeOfTheDescribedClass)
{
    auto form = NewProbeForm();
    EXPECT_THROW(ReadComponentFromText(form.get(), L"object F: TResourceProbeForm\nend\n", L"Root.form"), EReadError);
    EXPECT_THROW(ReadComponentFromText(form.get(), L"object F: TUnknownForm\nend\n", L"Root.form"), EReadError);
}

TEST(FormReader, BadDescriptionsFailWithWhereAndLeaveNothingAlive)
{
    struct Case {
        const wchar_t* Second; // body of the second component (line 6 on), or a whole replacement
        const char* Expected;
    };
    const Case cases[] = {
        {L"  object Second: TNoSuchClass\n  end\n", "Bad.form line 5: Second: class TNoSuchClass is not registered"},
        {L"  object Second: TProbe\n    Colour = 5\n  end\n", "Bad.form line 6: Second.Colour: unknown property Colour of class TProbe"},
        {L"  object Second: TProbe\n    Sub.Size = 5\n  end\n", "Bad.form line 6: Second.Sub.Size: unknown property Size of class TProbeSub"},
        {L"  object Second: TProbe\n    Int = 'abc'\n  end\n", "Bad.form line 6: Second.Int: invalid value string 'abc'"},
        {L"  object Second: TProbe\n    Int = $100000000\n  end\n", "Bad.form line 6: Second.Int: invalid value"},
        {L"  object Second: TProbe\n    Align = alSideways\n  end\n", "Bad.form line 6: Second.Align: invalid value identifier alSideways"},
        {L"  object Second: TProbe\n    Styles = [fsBold, alTop]\n  end\n", "Bad.form line 6: Second.Styles: invalid value set"},
        {L"  object Second: TProbe\n    Flag = 1\n  end\n", "Bad.form line 6: Second.Flag: invalid value"},
        {L"  object Second: TProbe\n    Lines = ( 1 )\n  end\n", "Bad.form line 6: Second.Lines: invalid value"},
        {L"  object Second: TProbe\n    Sub = 5\n  end\n", "Bad.form line 6: Second.Sub: an object property takes no value"},
        {L"  object Second: TProbe\n    Int = 13\n  end\n", "Bad.form line 6: Second.Int: 13 brings bad luck"},
        {L"  object Second: TProbe\n    Items = < item Height = 1 end >\n  end\n", "Bad.form line 6: Second.Items[0].Height: unknown property"},
        {L"  object Second: TProbe\n    Link = Nowhere\n  end\n", "Bad.form line 6: Second.Link: component Nowhere not found"},
        {L"  object Second: TProbe\n    Link = First.Nothing\n  end\n", "Bad.form line 6: Second.Link: component First.Nothing not found"},
        {L"  object Second: TProbe\n    OnClick = NoSuchMethod\n  end\n", "Bad.form line 6: Second.OnClick: method NoSuchMethod of TProbeForm not found"},
        {L"  object Second: TProbe\n    OnClick = Measure\n  end\n", "Bad.form line 6: Second.OnClick: method Measure does not fit"},
        {L"  object First: TProbe\n  end\n", "Bad.form line 5: First:"},
        {L"  object Second: TProbe\n    Caption = 'cut off'\n", "Bad.form line 7: 'end' of object Second (line 5)"},
    };
    RegisterProbeClasses();
    const int liveBefore = TProbe::Live;
    for (const Case& c : cases) {
        TProbeForm form(nullptr);
        String text = String(L"object Form: TProbeForm\n"
                             L"  object First: TProbe\n"
                             L"    Caption = 'ok'\n"
                             L"  end\n") + c.Second;
        if (String(c.Second).find(L"cut off") == String::npos) text += L"end\n";
        try {
            ReadComponentFromText(&form, text, L"Bad.form");
            ADD_FAILURE() << "accepted: " << c.Expected;
        } catch (const EReadError& e) {
            EXPECT_EQ(0u, std::string(e.what()).find(c.Expected)) << "got: " << e.what();
        }
        EXPECT_EQ(0, form.ComponentCount()) << c.Expected;
        EXPECT_EQ(liveBefore + 1, TProbe::Live) << c.Expected;
        EXPECT_EQ(nullptr, form.First) << c.Expected;
        EXPECT_FALSE(form.ComponentState().Contains(csLoading)) << c.Expected;
        EXPECT_FALSE(form.ComponentState().Contains(csReading)) << c.Expected;
    }
    EXPECT_EQ(liveBefore, TProbe::Live);
}

TEST(FormReader, CompiledResourceIsFoundByClassName)
{
    RegisterProbeClasses();
    TResourceProbeForm form(nullptr);
    EXPECT_TRUE(ComponentResourceExists(L"TRESOURCEPROBEFORM"));
    ASSERT_TRUE(ReadComponentResourceOfClass(&form, L"TResourceProbeForm"));
    EXPECT_EQ(L"资源里的窗体", form.Caption);
    ASSERT_NE(nullptr, form.First);
    EXPECT_EQ(L"from the resource", form.First->Caption);

    TProbeForm other(nullptr);
    EXPECT_FALSE(ReadComponentResourceOfClass(&other, L"TProbeForm"));
    EXPECT_THROW(ReadComponentResource(&other, L"TPROBEFORM"), EReadError);
}
