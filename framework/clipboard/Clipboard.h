#pragma once
// TClipboard: the system clipboard as one object. Text goes as Unicode text (the system offers
// it as 8-bit text too), any other format as a global-memory block or handle, pictures as a DIB.
// Open/Close nest: inside one Open ... Close bracket the first format placed empties the
// clipboard and the following ones are added beside it, so several formats travel together.
// The clipboard owner is a hidden utility window of the object's own.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class TBitmap;

KVL_DECLARE_EXCEPTION(EClipboardException, Exception);

// Names of the formats registered by name that the grid exchanges.
inline constexpr const wchar_t* CFNameRichText = L"Rich Text Format";
inline constexpr const wchar_t* CFNameHTML = L"HTML Format";
inline constexpr const wchar_t* CFNameGridColumn = L"Grid Column";
inline constexpr const wchar_t* CFNameGridCells = L"TAdvStringGrid Cells";
inline constexpr const wchar_t* CFNameURL = L"UniformResourceLocator";

class TClipboard : public TPersistent {
public:
    TClipboard();
    ~TClipboard() override;

    // Raises EClipboardException "Cannot open clipboard" when another window holds it open.
    void Open();
    // Closes when the last Open is matched; an unmatched Close does nothing.
    void Close();
    int OpenCount() const { return FOpenRefCount; }
    // Empties the clipboard (this object becomes its owner).
    void Clear();

    bool HasFormat(UINT Format) const;
    // All formats currently on the clipboard, in the system's order.
    int FormatCount() const;
    // 0 when Index is out of range.
    UINT Formats(int Index);

    // Unicode text; empty when the clipboard holds none.
    String AsText();
    void SetAsText(const String& Value);
    // Copies at most BufSize - 1 characters and a terminating zero; answers the characters copied.
    int GetTextBuf(wchar_t* Buffer, int BufSize);
    void SetTextBuf(const wchar_t* Buffer);

    // The system's handle of Format (owned by the clipboard; null when absent). The handle is
    // only safe to use while the caller keeps the clipboard open.
    HANDLE GetAsHandle(UINT Format);
    // Places Value (an HGLOBAL, or the GDI handle a GDI format takes); on success the system
    // owns it, on failure (EClipboardException) it is still the caller's.
    void SetAsHandle(UINT Format, HANDLE Value);

    // A format's whole block as bytes (empty when absent), and a copy of Data placed as a new block.
    std::vector<std::uint8_t> GetAsBytes(UINT Format);
    void SetAsBytes(UINT Format, const void* Data, std::size_t Size);
    void SetAsBytes(UINT Format, const std::vector<std::uint8_t>& Data) { SetAsBytes(Format, Data.data(), Data.size()); }

    // A TBitmap, or a TPicture holding one, placed as a DIB; anything else as TPersistent::Assign.
    void Assign(TPersistent* Source) override;

    // The format registered under Name (the same number for the same name in every process).
    static UINT RegisterFormat(const String& Name);
    // The registered name of a format, empty for the standard ones.
    static String FormatName(UINT Format);

    // The owner window (made on first use).
    HWND Handle();

protected:
    // Into a TBitmap, or a TPicture (which then holds a bitmap), from the clipboard's DIB.
    void AssignTo(TPersistent* Dest) override;

private:
    void Adding();
    void SetBuffer(UINT Format, const void* Buffer, std::size_t Size);
    void AssignBitmap(TBitmap* Bitmap);
    void AssignToBitmap(TBitmap* Bitmap);

    HWND FHandle = nullptr;
    int FOpenRefCount = 0;
    bool FEmptied = false;
};

// The process's clipboard object, made on first use.
TClipboard* Clipboard();
// Replaces it (null: a fresh one is made on next use) and hands back the previous one.
std::unique_ptr<TClipboard> SetClipboard(std::unique_ptr<TClipboard> NewClipboard);
