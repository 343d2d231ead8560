#pragma once
// Guards for drawing state: each takes one piece of device-context or paint state on construction
// and gives it back on destruction, so painting code that throws leaves the DC as it found it.
#include <windows.h>

// SaveDC on construction, RestoreDC on destruction.
class TSavedDC {
public:
    explicit TSavedDC(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {}
    ~TSavedDC()
    {
        if (FSaved != 0) RestoreDC(FDC, FSaved);
    }
    TSavedDC(const TSavedDC&) = delete;
    TSavedDC& operator=(const TSavedDC&) = delete;
    HDC DC() const { return FDC; }

private:
    HDC FDC;
    int FSaved;
};

// Selects a GDI object into a DC and selects the previous one back.
class TSelectedObject {
public:
    TSelectedObject(HDC DC, HGDIOBJ Object) : FDC(DC), FPrevious(SelectObject(DC, Object)) {}
    ~TSelectedObject()
    {
        if (FPrevious != nullptr && FPrevious != HGDI_ERROR) SelectObject(FDC, FPrevious);
    }
    TSelectedObject(const TSelectedObject&) = delete;
    TSelectedObject& operator=(const TSelectedObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FPrevious;
};

// BeginPaint on construction, EndPaint on destruction.
class TPaintGuard {
public:
    explicit TPaintGuard(HWND Window) : FWindow(Window) { FDC = BeginPaint(Window, &FPaint); }
    ~TPaintGuard() { EndPaint(FWindow, &FPaint); }
    TPaintGuard(const TPaintGuard&) = delete;
    TPaintGuard& operator=(const TPaintGuard&) = delete;
    HDC DC() const { return FDC; }
    const PAINTSTRUCT& Paint() const { return FPaint; }

private:
    HWND FWindow;
    PAINTSTRUCT FPaint{};
    HDC FDC = nullptr;
};

// GetDC on construction (null window: the screen), or GetWindowDC for a DC that takes in the
// non-client area too; ReleaseDC on destruction.
class TWindowDCGuard {
public:
    enum TArea { ClientArea, WholeWindow };
    explicit TWindowDCGuard(HWND Window, TArea Area = ClientArea)
        : FWindow(Window), FDC(Area == WholeWindow ? GetWindowDC(Window) : GetDC(Window))
    {
    }
    ~TWindowDCGuard()
    {
        if (FDC != nullptr) ReleaseDC(FWindow, FDC);
    }
    TWindowDCGuard(const TWindowDCGuard&) = delete;
    TWindowDCGuard& operator=(const TWindowDCGuard&) = delete;
    HDC DC() const { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// Lends a DC to a canvas for the guard's lifetime and takes it back (the canvas then forgets the
// handle without deselecting anything into a DC it does not own).
template <class TCanvasType>
class TCanvasHandleGuard {
public:
    TCanvasHandleGuard(TCanvasType& Canvas, HDC DC) : FCanvas(Canvas) { FCanvas.SetHandle(DC); }
    ~TCanvasHandleGuard() { FCanvas.SetHandle(nullptr); }
    TCanvasHandleGuard(const TCanvasHandleGuard&) = delete;
    TCanvasHandleGuard& operator=(const TCanvasHandleGuard&) = delete;

private:
    TCanvasType& FCanvas;
};
