#pragma once
// The edit-mask engine behind the masked edit, as pure text logic with no window: it reads a
// mask, lays out the edit text (one character per editable or literal position), decides which
// keys a position takes, converts between the edit text and the value text, checks that every
// required position is filled, and performs the editing steps (typing, deleting, pasting) on a
// text and a selection.
//
// A mask has up to three ';'-separated sections: the mask itself, the save-literals flag ("0":
// the value text drops the literals; anything else or nothing: it keeps them) and the blank
// character shown in unfilled positions (default '_'). Mask characters:
//   !  optional characters are trimmed off the front of the value instead of its end
//   >  upper case from here      <  lower case from here      <>  no case change
//   \  the next character is a literal
//   L  letter required            l  letter optional
//   A  letter or digit required   a  letter or digit optional
//   C  any character required     c  any character optional
//   0  digit required             9  digit optional            #  digit or sign optional
//   :  the locale's time separator      /  the locale's date separator
//   _  a literal space
// Anything else is a literal. Edit offsets are 0-based; mask offsets are 1-based, as in the
// classic routines they mirror.
#include "framework/classes/Component.h"
#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

#include <vector>

KVL_DECLARE_EXCEPTION(EDBEditError, Exception);

// "Invalid input value.  Use escape key to abandon changes"
extern const wchar_t* const SMaskEditErr;

enum TMaskCharType { mcNone, mcLiteral, mcIntlLiteral, mcDirective, mcMask, mcMaskOpt, mcFieldSeparator, mcField };
enum TMaskDirective { mdReverseDir, mdUpperCase, mdLowerCase, mdLiteralChar };
using TMaskDirectives = TEnumSet<TMaskDirective>;

constexpr wchar_t DefaultBlank = L'_';
constexpr wchar_t MaskFieldSeparator = L';';
constexpr wchar_t MaskNoSave = L'0';

// The result of an editing step: the new edit text and caret, or Accepted false when the step
// was refused (the text is then unchanged).
struct TMaskEditChange {
    bool Accepted = false;
    String EditText;
    int Cursor = 0;
};

// A mask read once; every query below works on its layout.
class TEditMask {
public:
    // The ':' and '/' literals take the separators of FormatSettings at this moment.
    explicit TEditMask(const String& Mask = L"");

    const String& Mask() const { return FMask; }
    bool Empty() const { return FMask.empty(); }
    // Characters of the edit text.
    int Length() const { return static_cast<int>(FSlots.size()); }
    bool SaveLiterals() const { return FSaveLiterals; }
    wchar_t Blank() const { return FBlank; }
    bool Reversed() const { return FReversed; }

    // Classic per-mask-character view (MaskOffset 1-based; mcNone beyond the end).
    TMaskCharType CharType(int MaskOffset) const;
    TMaskDirectives Directives(int MaskOffset) const;
    // The edit offset of a mask character (the offset of the last position before it for a
    // directive), and the mask offset of an edit offset (-1 beyond the end).
    int MaskOffsetToOffset(int MaskOffset) const;
    int OffsetToMaskOffset(int Offset) const;

    // Positions of the edit text. Out-of-range offsets are neither literal nor required.
    bool IsLiteral(int Offset) const;
    bool IsRequired(int Offset) const;
    // The literal shown at Offset, or the mask character (L, 0, ...) of an editable position.
    wchar_t CharAt(int Offset) const;

    // Whether Key may stand at Offset. A literal position takes any key and answers its literal;
    // an editable one converts the key's case by the mask's directives, and takes a space or the
    // blank character as "unfilled" (Key becomes the blank).
    bool InputChar(wchar_t& Key, int Offset) const;

    // Caret helpers: the first editable offset at or after Offset (Length() when none), the last
    // at or before it (-1 when none).
    int NextEditable(int Offset) const;
    int PriorEditable(int Offset) const;

    // The edit text of an empty edit: literals and blanks.
    String BlankEditText() const;
    // Value text -> edit text: the value is laid into the mask (literals inserted, or matched
    // field by field when the mask saves them; padded with blanks at the end, or at the front with
    // '!'), and each position that does not take its character shows the blank.
    String TextToEditText(const String& Text) const;
    // Edit text -> value text: blanks become spaces; without saved literals the literals are left
    // out and the spaces trimmed off the end (off the front with '!').
    String EditTextToText(const String& EditText) const;
    // The classic FormatMaskText: Value laid into the mask with spaces as blanks.
    String FormatText(const String& Value) const;
    // Value holding the literals, laid in field by field: each run of editable positions takes
    // Value's characters up to the literal that closes the run, padded with Blank to the run's
    // width (in front with '!'); a value without that literal fills the run positionally.
    String PadInputLiterals(const String& Value, wchar_t Blank) const;
    // Value holding only data characters, placed in order into the editable positions (from the
    // end with '!') with the literals in between; missing ones become Blank, extra ones are dropped.
    String InsertLiterals(const String& Value, wchar_t Blank) const;

    // True when every required position is filled; otherwise Pos is the first unfilled one.
    bool Validate(const String& EditText, int& Pos) const;
    // Raises EDBEditError (SMaskEditErr) when Validate fails.
    void ValidateEdit(const String& EditText) const;

    // Editing steps on an edit text with the selection [SelStart, SelStop).
    // Typing: a selection is blanked first; the key lands on the next editable position (typing
    // the literal under the caret steps over it) and the caret moves to the next editable one.
    TMaskEditChange TypeChar(const String& EditText, int SelStart, int SelStop, wchar_t Key) const;
    // Delete / Backspace: a selection is blanked; otherwise the editable position after (Delete)
    // or before (Backspace) the caret is.
    TMaskEditChange DeleteKey(const String& EditText, int SelStart, int SelStop, bool Backspace) const;
    // Pasting types each character in turn; any refused character refuses the whole paste.
    TMaskEditChange InsertText(const String& EditText, int SelStart, int SelStop, const String& Text) const;

private:
    enum TCase { caNone, caUpper, caLower };
    struct TSlot {
        bool Literal = false;
        wchar_t Char = 0;    // the literal shown, or the mask character
        TCase Case = caNone;
        int MaskOffset = 0;  // 1-based
    };
    struct TMaskChar {
        TMaskCharType Type = mcNone;
        TMaskDirectives Directives;
        int Offset = -1;     // edit offset of the character, -1 for directives and sections
    };

    String Normalised(const String& EditText) const;
    String Blanked(const String& EditText, int From, int To) const;

    String FMask;
    std::vector<TSlot> FSlots;
    std::vector<TMaskChar> FChars; // one per character of FMask
    bool FSaveLiterals = true;
    wchar_t FBlank = DefaultBlank;
    bool FReversed = false;
};

// The classic free routines, each reading the mask afresh.
String FormatMaskText(const String& EditMask, const String& Value);
bool MaskGetMaskSave(const String& EditMask);
wchar_t MaskGetMaskBlank(const String& EditMask);
// 1-based position of the first section separator, -1 when the mask has none.
int MaskGetFldSeparator(const String& EditMask);
TMaskCharType MaskGetCharType(const String& EditMask, int MaskOffset);
TMaskDirectives MaskGetCurrentDirectives(const String& EditMask, int MaskOffset);
// ':' and '/' as the locale's separators; other characters unchanged.
wchar_t MaskIntlLiteralToChar(wchar_t IChar);
int MaskOffsetToOffset(const String& EditMask, int MaskOffset);
int OffsetToMaskOffset(const String& EditMask, int Offset);
bool IsLiteralChar(const String& EditMask, int Offset);
// Value laid into a mask that keeps its literals, field by field, with Blank as padding.
String PadInputLiterals(const String& EditMask, const String& Value, wchar_t Blank);
// Value (data characters only) laid into the mask with the literals inserted.
String MaskDoFormatText(const String& EditMask, const String& Value, wchar_t Blank);
