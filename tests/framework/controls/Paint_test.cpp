// Painting: a control and its children painted into a memory bitmap through PaintTo (windowed
// children recursively, graphic children in z-order and clipped to their bounds), the parent's
// background under a ParentBackground child, borders, and double-buffered WM_PAINT.
#include "tests/framework/controls/ControlFixtures.h"

using namespace kvltest;

namespace {

class Paint : public FormTest {};

// The control whose paint fails: it paints, moves the DC's origin and throws. Whoever lent it
// the DC must get it back as it was.
TControl* FailingPaint = nullptr;

template <class TBase>
class TFailingPaint : public TBase {
public:
    using TBase::TBase;
    void Paint() override
    {
        TBase::Paint();
        if (this != FailingPaint) return;
        SetWindowOrgEx(this->Canvas()->Handle(), 7, 7, nullptr);
        throw Exception(L"paint failed");
    }
};
using TFailingControl = TFailingPaint<TSolidControl>;
using TFailingGraphic = TFailingPaint<TSolidGraphic>;

// Paints well beyond its bounds: the clip must keep that off the neighbours.
class TSpillingGraphic : public TSolidGraphic {
public:
    using TSolidGraphic::TSolidGraphic;
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(Rect(-50, -50, Width() + 50, Height() + 50));
    }
};

TEST_F(Paint, PaintToDrawsTheControlAndItsChildrenIntoAnyDC)
{
    auto* root = Add<TSolidControl>(Form, 0, 0, 200, 120);
    root->SetColor(clBlue);
    auto* window = Add<TSolidControl>(root, 10, 10, 50, 40);
    window->SetColor(clRed);
    auto* graphic = Add<TSolidGraphic>(root, 100, 10, 30, 30);
    graphic->SetColor(clLime);
    auto* box = Add<TBox>(root, 10, 70, 80, 40);
    box->SetColor(clYellow);
    auto* nested = Add<TSolidGraphic>(box, 5, 5, 10, 10);
    nested->SetColor(clFuchsia);
    auto* hidden = Add<TSolidGraphic>(root, 150, 70, 20, 20);
    hidden->SetColor(clBlack);
    hidden->SetVisible(false);

    TPixelBuffer pixels(240, 160);
    root->PaintTo(pixels.DC(), 20, 15);
    EXPECT_EQ(pixels.At(20 + 2, 15 + 2), RGB(0, 0, 255));      // the root's own paint
    EXPECT_EQ(pixels.At(20 + 30, 15 + 30), RGB(255, 0, 0));    // windowed child
    EXPECT_EQ(pixels.At(20 + 115, 15 + 25), RGB(0, 255, 0));   // graphic child
    EXPECT_EQ(pixels.At(20 + 50, 15 + 100), RGB(255, 255, 0)); // windowed container
    EXPECT_EQ(pixels.At(20 + 20, 15 + 80), RGB(255, 0, 255));  // graphic child of the container
    EXPECT_EQ(pixels.At(20 + 160, 15 + 80), RGB(0, 0, 255));   // an invisible child is not painted
    EXPECT_EQ(pixels.At(5, 5), RGB(255, 255, 255));            // nothing outside the control
    EXPECT_EQ(pixels.At(20 + 205, 15 + 50), RGB(255, 255, 255));
    // PaintTo marks the paint as a copy while it runs.
    EXPECT_FALSE(root->ControlState().Contains(csPaintCopy));
}

TEST_F(Paint, PaintToThatFailsLeavesTheDCAndThePaintStateAsTheyWere)
{
    auto* root = Add<TFailingControl>(Form, 0, 0, 200, 120);
    auto* graphic = Add<TFailingGraphic>(root, 100, 10, 30, 30);
    auto* window = Add<TFailingControl>(root, 10, 10, 50, 40);
    auto* nested = Add<TFailingGraphic>(window, 5, 5, 10, 10);
    struct TCase {
        const char* Name;
        TControl* Failing;
    };
    const TCase cases[] = {{"the control itself", root},
                           {"a graphic child", graphic},
                           {"a windowed child", window},
                           {"a graphic child of a windowed child", nested}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        FailingPaint = c.Failing;
        TPixelBuffer pixels(240, 160);
        HDC dc = pixels.DC();
        int level = SaveDC(dc);
        RestoreDC(dc, level);
        HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP), brush = GetCurrentObject(dc, OBJ_BRUSH),
                font = GetCurrentObject(dc, OBJ_FONT);

        EXPECT_THROW(root->PaintTo(dc, 20, 15), Exception);
        FailingPaint = nullptr;

        POINT origin{-1, -1};
        GetWindowOrgEx(dc, &origin);
        EXPECT_EQ(origin.x, 0);
        EXPECT_EQ(origin.y, 0);
        HRGN clip = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(dc, clip), 0);  // no clip region left behind
        DeleteObject(clip);
        int after = SaveDC(dc);
        RestoreDC(dc, after);
        EXPECT_EQ(after, level);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
        for (TControl* control : std::vector<TControl*>{root, graphic, window, nested})
            EXPECT_FALSE(control->ControlState().Contains(csPaintCopy)) << control->Left();
        // The canvases gave the borrowed DC back.
        EXPECT_FALSE(root->Canvas()->HandleAllocated());
        EXPECT_FALSE(graphic->Canvas()->HandleAllocated());
        EXPECT_FALSE(window->Canvas()->HandleAllocated());
        EXPECT_FALSE(nested->Canvas()->HandleAllocated());
    }
}

// A paint that fails in the window's own WM_PAINT is reported once and still ends the paint: the
// window is left valid (no WM_PAINT over and over) with no paint flag set.
TEST_F(Paint, FailingPaintOfTheWindowIsReportedAndStillEndsThePaint)
{
    TMessageBoxes boxes;
    auto* control = Add<TFailingControl>(Form, 0, 0, 60, 40);
    ShowActive();
    for (bool doubleBuffered : {false, true}) {
        SCOPED_TRACE(doubleBuffered ? "double buffered" : "direct");
        control->SetDoubleBuffered(doubleBuffered);
        PumpPending();
        boxes.Texts.clear();
        FailingPaint = control;
        InvalidateRect(control->Handle(), nullptr, TRUE);
        UpdateWindow(control->Handle());
        FailingPaint = nullptr;
        EXPECT_EQ(boxes.Texts, (std::vector<String>{L"paint failed."}));
        RECT update;
        EXPECT_FALSE(GetUpdateRect(control->Handle(), &update, FALSE));
        EXPECT_FALSE(control->ControlState().Contains(csCustomPaint));
        EXPECT_FALSE(control->Canvas()->HandleAllocated());
    }
}

TEST_F(Paint, GraphicChildrenPaintInZOrderClippedToTheirBounds)
{
    auto* root = Add<TSolidControl>(Form, 0, 0, 100, 60);
    root->SetColor(clWhite);
    auto* below = Add<TSpillingGraphic>(root, 10, 10, 40, 40);
    below->SetColor(clRed);
    auto* above = Add<TSolidGraphic>(root, 30, 10, 40, 40);
    above->SetColor(clBlue);
    {
        TPixelBuffer pixels(100, 60);
        root->PaintTo(pixels.DC(), 0, 0);
        EXPECT_EQ(pixels.At(20, 20), RGB(255, 0, 0));
        EXPECT_EQ(pixels.At(40, 20), RGB(0, 0, 255));  // the later child is on top
        EXPECT_EQ(pixels.At(5, 5), RGB(255, 255, 255)); // the spill was clipped away
        EXPECT_EQ(pixels.At(20, 55), RGB(255, 255, 255));
    }
    below->BringToFront();
    {
        TPixelBuffer pixels(100, 60);
        root->PaintTo(pixels.DC(), 0, 0);
        EXPECT_EQ(pixels.At(40, 20), RGB(255, 0, 0));
        EXPECT_EQ(pixels.At(60, 20), RGB(0, 0, 255));
    }
}

TEST_F(Paint, ParentBackgroundShowsTheParentUnderTheChild)
{
    auto* root = Add<TSolidControl>(Form, 0, 0, 100, 60);
    root->SetColor(clBlue);
    auto* child = Add<TBox>(root, 10, 10, 40, 40);
    child->SetColor(clRed);
    {
        TPixelBuffer pixels(100, 60);
        root->PaintTo(pixels.DC(), 0, 0);
        EXPECT_EQ(pixels.At(20, 20), RGB(255, 0, 0));
    }
    child->SetParentBackground(true);
    {
        TPixelBuffer pixels(100, 60);
        root->PaintTo(pixels.DC(), 0, 0);
        EXPECT_EQ(pixels.At(20, 20), RGB(0, 0, 255));
    }
}

TEST_F(Paint, BorderWidthKeepsTheClientAreaInside)
{
    auto* root = Add<TSolidControl>(Form, 0, 0, 100, 60);
    root->SetColor(clGreen);
    root->SetBorderWidth(5);
    root->HandleNeeded();
    EXPECT_EQ(root->ClientRect().right, 90);
    EXPECT_EQ(root->ClientRect().bottom, 50);
    auto* child = Add<TSolidGraphic>(root, 0, 0, 10, 10);
    child->SetColor(clRed);
    TPixelBuffer pixels(100, 60);
    root->PaintTo(pixels.DC(), 0, 0);
    EXPECT_EQ(pixels.At(7, 7), RGB(255, 0, 0));  // the child's (0,0) is the client origin
    EXPECT_EQ(pixels.At(50, 30), RGB(0, 128, 0));
}

TEST_F(Paint, DoubleBufferedPaintGoesThroughOneMemoryBitmap)
{
    auto* control = Add<TSolidControl>(Form, 0, 0, 60, 40);
    control->SetColor(clRed);
    control->SetDoubleBuffered(true);
    ShowActive();
    TMessageSequence seq;
    seq.Only = {WM_ERASEBKGND, WM_PAINT};
    TWindowProcRecorder rec(seq, control);
    int before = control->PaintCount;
    InvalidateRect(control->Handle(), nullptr, TRUE);
    UpdateWindow(control->Handle());
    EXPECT_EQ(control->PaintCount, before + 1);
    // The erase that BeginPaint asks for (window DC, LParam 0) is left alone; the background
    // is erased into the memory DC (named by both WParam and LParam) that the paint then uses.
    bool memoryErase = false;
    for (const TMsgEntry& e : seq.Entries())
        if (e.Msg == WM_ERASEBKGND && e.WParam != 0 && e.WParam == static_cast<WPARAM>(e.LParam)) memoryErase = true;
    EXPECT_TRUE(memoryErase);
    EXPECT_EQ(seq.Count(WM_PAINT), 1);
}

TEST_F(Paint, CustomControlAndFormPaintThroughTheirCanvas)
{
    int formPaints = 0;
    Form->OnPaint = [&](TObject*) {
        ++formPaints;
        Form->Canvas()->Brush()->SetColor(clTeal);
        Form->Canvas()->FillRect(Rect(0, 0, 20, 20));
    };
    auto* control = Add<TSolidControl>(Form, 50, 50, 20, 20);
    control->SetColor(clMaroon);
    TPixelBuffer pixels(400, 300);
    Form->HandleNeeded();
    // The client area of the form, painted by OnPaint, then the child window.
    RECT client;
    GetClientRect(Form->Handle(), &client);
    HDC dc = pixels.DC();
    Form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    control->PaintTo(dc, control->Left(), control->Top());
    EXPECT_EQ(formPaints, 1);
    EXPECT_EQ(pixels.At(5, 5), RGB(0, 128, 128));
    EXPECT_EQ(pixels.At(60, 60), RGB(128, 0, 0));
    EXPECT_EQ(pixels.At(100, 100), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
    // The canvas is let go after painting.
    EXPECT_FALSE(Form->Canvas()->HandleAllocated());
}

} // namespace
