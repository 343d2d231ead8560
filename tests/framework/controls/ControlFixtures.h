#pragma once
// Small controls the control tests build their windows from, and a fixture that gives each test
// a fresh form (freed afterwards) with the seams restored.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/PixelBuffer.h"

namespace kvltest {

// A window that fills its client area with its Color.
class TSolidControl : public TCustomControl {
public:
    explicit TSolidControl(TComponent* AOwner) : TCustomControl(AOwner) {}
    void Paint() override
    {
        ++PaintCount;
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
    int PaintCount = 0;
};

// A container: accepts children, takes part in the tab order.
class TBox : public TCustomControl {
public:
    explicit TBox(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
        SetParentColor(false);
    }
};

// A focusable control: a tab stop that keeps a log of enter/exit for the tests.
class TFocusBox : public TCustomControl {
public:
    explicit TFocusBox(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetTabStop(true);
        SetBounds(0, 0, 40, 20);
    }
};

// A graphic control that fills its bounds with its Color.
class TSolidGraphic : public TGraphicControl {
public:
    explicit TSolidGraphic(TComponent* AOwner) : TGraphicControl(AOwner) {}
    void Paint() override
    {
        ++PaintCount;
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
    int PaintCount = 0;
};

// A push button the way dialog keys expect one: Enter clicks the Default button, Escape the
// Cancel button, Alt+letter the button whose caption has that accelerator.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent* AOwner) : TCustomControl(AOwner)
    {
        SetTabStop(true);
        SetBounds(0, 0, 75, 25);
    }
    bool Default = false;
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    int Clicks = 0;

    void Click() override
    {
        ++Clicks;
        if (ModalResult != mrNone)
            if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(ModalResult);
        TCustomControl::Click();
    }
    void Dispatch(TMessage& Message) override
    {
        if (Message.Msg == CM_DIALOGKEY && ((Message.WParam == VK_RETURN && Default) || (Message.WParam == VK_ESCAPE && Cancel)) &&
            CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        if (Message.Msg == CM_DIALOGCHAR && IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::Dispatch(Message);
    }
};

// Keys held down as far as the system facts tell; every other answer is the facts' in force.
class TKeyState : public TForwardingFacts {
public:
    SHORT KeyState(int VirtualKey) override { return Down.count(VirtualKey) ? static_cast<SHORT>(0x8000) : 0; }
    std::map<int, bool> Down;

private:
    TSystemFactsOverride FUse{*this};
};

// Message boxes as the application would show them, captured.
class TMessageBoxes {
public:
    TMessageBoxes()
    {
        FOld = SetMessageBoxFunction([this](HWND, const String& Text, const String&, UINT) {
            Texts.push_back(Text);
            return IDOK;
        });
    }
    ~TMessageBoxes() { SetMessageBoxFunction(FOld); }
    std::vector<String> Texts;

private:
    TMessageBoxFunction FOld;
};

// Each test gets a form of its own (not shown), freed afterwards.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The pointer stays where the previous test left it; over the new form it would make
        // controls hot before the test touches them.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        Form = TForm::CreateNew(nullptr);
        Form->SetBounds(50, 50, 400, 300);
    }
    void TearDown() override
    {
        delete Form;
        PumpPending();
    }

    // Shows the form and makes it the active window (no window manager activates it for us).
    void ShowActive()
    {
        Form->Show();
        SetForegroundWindow(Form->Handle());
        SetActiveWindow(Form->Handle());
        PumpPending();
    }

    template <class T>
    T* Add(TWinControl* Parent, int Left, int Top, int Width, int Height)
    {
        T* control = new T(Form);
        control->SetBounds(Left, Top, Width, Height);
        control->SetParent(Parent);
        return control;
    }

    TForm* Form = nullptr;
};

} // namespace kvltest
