#pragma once
// TRichEdit: an edit over the system rich edit control (RICHEDIT50W from msftedit.dll, or
// RichEdit20W from riched20.dll when that is all there is). Lines are the paragraphs and load
// and save as RTF, or as plain text with PlainText; SelAttributes / DefAttributes read and set
// the character format of the selection / of new text, Paragraph the paragraph format of the
// selection. EM_STREAMIN / EM_STREAMOUT move content between the control and any TStream.
// The content survives the window being made again.
#include <windows.h>

#include <richedit.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/classes/StringList.h"

class TCustomRichEdit;
class TStream;

enum TAttributeType { atSelected, atDefaultText };
enum TConsistentAttribute { caBold, caColor, caFace, caItalic, caSize, caStrikeOut, caUnderline, caProtected };
using TConsistentAttributes = TEnumSet<TConsistentAttribute>;
enum TNumberingStyle { nsNone, nsBullet };
enum TSearchType { stWholeWord, stMatchCase };
using TSearchTypes = TEnumSet<TSearchType>;

// The character format of the selection (atSelected) or of new text (atDefaultText).
class TTextAttributes : public TPersistent {
public:
    TTextAttributes(TCustomRichEdit* RichEdit, TAttributeType AttributeType);

    // From a TFont or another TTextAttributes, all at once.
    void Assign(TPersistent* Source) override;

    TColor Color();
    void SetColor(TColor Value);
    String Name();
    void SetName(const String& Value);
    // Points.
    int Size();
    void SetSize(int Value);
    // Pixels at the screen's resolution.
    int Height();
    void SetHeight(int Value);
    TFontStyles Style();
    void SetStyle(TFontStyles Value);
    TFontCharset Charset();
    void SetCharset(TFontCharset Value);
    TFontPitch Pitch();
    void SetPitch(TFontPitch Value);
    bool Protected();
    void SetProtected(bool Value);
    // The attributes that are the same over the whole selection.
    TConsistentAttributes ConsistentAttributes();

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void GetAttributes(CHARFORMAT2W& Format);
    void SetAttributes(CHARFORMAT2W& Format);
    static void InitFormat(CHARFORMAT2W& Format);

    TCustomRichEdit* FRichEdit;
    TAttributeType FType;
};

// The paragraph format of the selection.
class TParaAttributes : public TPersistent {
public:
    explicit TParaAttributes(TCustomRichEdit* RichEdit) : FRichEdit(RichEdit) {}
    void Assign(TPersistent* Source) override;

    TAlignment Alignment();
    void SetAlignment(TAlignment Value);
    // Points: the first line's indent, the other lines' offset from it, the right indent.
    int FirstIndent();
    void SetFirstIndent(int Value);
    int LeftIndent();
    void SetLeftIndent(int Value);
    int RightIndent();
    void SetRightIndent(int Value);
    TNumberingStyle Numbering();
    void SetNumbering(TNumberingStyle Value);
    int TabCount();
    void SetTabCount(int Value);
    // Points.
    int Tab(int Index);
    void SetTab(int Index, int Value);

private:
    void GetAttributes(PARAFORMAT2& Format);
    void SetAttributes(PARAFORMAT2& Format);
    static void InitFormat(PARAFORMAT2& Format);
    // An indent field, in points.
    int Indent(LONG PARAFORMAT2::*Field);
    void SetIndent(DWORD Mask, LONG PARAFORMAT2::*Field, int Value);

    TCustomRichEdit* FRichEdit;
};

// The paragraphs of a rich edit. Loading and saving honour the control's PlainText.
class TRichEditStrings : public TStrings {
public:
    explicit TRichEditStrings(TCustomRichEdit* RichEdit);
    ~TRichEditStrings() override;

    String Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const String& S) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    String Text() const override;
    void SetText(const String& Value) override;
    void Assign(TPersistent* Source) override;

    // RTF (a stream that starts with "{\rtf") or text; text is read in any of the text-file
    // encodings. With PlainText always as text.
    void LoadFromStream(TStream* Stream) override;
    // RTF, or with PlainText the text in Encoding.
    void SaveToStream(TStream* Stream, TTextEncoding Encoding = teUTF8) const override;

private:
    friend class TCustomRichEdit;
    // The control's text with a single CR between paragraphs (character positions match it).
    String RawText() const;
    // Start of paragraph Index in RawText (the text's length for Index = count).
    int ParagraphStart(const String& Raw, int Index) const;
    void Replace(int Start, int End, const String& S);
    // Lines set while the control cannot have a window yet.
    bool UsePending() const;

    TCustomRichEdit* FRichEdit;
    std::unique_ptr<TStringList> FPending;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, TRect Rect)>;
using TRichEditProtectChange = std::function<void(TObject* Sender, int StartPos, int EndPos, bool& AllowChange)>;

class TCustomRichEdit : public TWinControl {
public:
    explicit TCustomRichEdit(TComponent* AOwner);
    ~TCustomRichEdit() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TTextAttributes* SelAttributes() const { return FSelAttributes.get(); }
    void SetSelAttributes(TTextAttributes* Value) { FSelAttributes->Assign(Value); }
    TTextAttributes* DefAttributes() const { return FDefAttributes.get(); }
    void SetDefAttributes(TTextAttributes* Value) { FDefAttributes->Assign(Value); }
    TParaAttributes* Paragraph() const { return FParagraph.get(); }

    // Character positions count a paragraph break as one character.
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    String SelText();
    void SetSelText(const String& Value);
    void SelectAll();
    void ClearSelection();
    void Clear();
    bool Modified();
    void SetModified(bool Value);

    // Lines load and save as plain text instead of RTF.
    bool PlainText() const { return FPlainText; }
    void SetPlainText(bool Value) { FPlainText = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool HideScrollBars() const { return FHideScrollBars; }
    void SetHideScrollBars(bool Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value);
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    // 0: no limit beyond the control's own.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // The position of SearchStr within StartPos .. StartPos + Length, -1 when not found.
    int FindText(const String& SearchStr, int StartPos, int Length, TSearchTypes Options);
    // EM_STREAMIN / EM_STREAMOUT of Format (SF_RTF, SF_TEXT, SF_UNICODE, SFF_SELECTION ...)
    // from / to Stream at its position. EOutOfResources when the control reports an error.
    void StreamIn(TStream* Stream, UINT Format);
    void StreamOut(TStream* Stream, UINT Format);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNNotify(TMessage& Message);
    virtual void CNCommand(TMessage& Message);
    void CMFontChanged(TMessage& Message) override;
    void CMColorChanged(TMessage& Message) override;
    virtual void WMGetDlgCode(TMessage& Message);

    // The text changed (OnChange).
    virtual void Change();
    // The selection moved (OnSelectionChange).
    virtual void SelectionChange();
    // The content asks for Rect (EN_REQUESTRESIZE, OnResizeRequest).
    virtual void RequestSize(const TRect& Rect);
    virtual bool ProtectChange(int StartPos, int EndPos);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;
    TRichEditResizeEvent OnResizeRequest;
    TRichEditProtectChange OnProtectChange;

protected:
    friend class TRichEditStrings;
    void StyleChanged();
    void ApplyWordWrap();

    std::unique_ptr<TRichEditStrings> FLines;
    std::unique_ptr<TTextAttributes> FSelAttributes;
    std::unique_ptr<TTextAttributes> FDefAttributes;
    std::unique_ptr<TParaAttributes> FParagraph;
    bool FPlainText = false;
    bool FWordWrap = true;
    TScrollStyle FScrollBars = ssNone;
    bool FReadOnly = false;
    bool FHideSelection = true;
    bool FHideScrollBars = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    int FMaxLength = 0;
    TBorderStyle FBorderStyle = bsSingle;
    // The content (RTF) kept while the window is made again.
    std::string FSavedContent;
    bool FHasSavedContent = false;
};

class TRichEdit : public TCustomRichEdit {
public:
    explicit TRichEdit(TComponent* AOwner) : TCustomRichEdit(AOwner) {}
};
