#pragma once
// Form descriptions: the text that lays out a form and its components, parsed into a tree that
// the form reader (FormReader.h) turns into live components.
//
// The text (UTF-8, extension .form) is a tree of blocks
//     object Name: TClass
//       Property = value
//       Sub.Property = value
//       object Child: TOtherClass
//         ...
//       end
//     end
// Values:
//   integers     12, -7, $1FFFFFFF (hexadecimal), -$10
//   floats       1.5, -0.25, 1.5e3
//   strings      'text' with '' for a quote, #NNNNN for one UTF-16 unit in decimal, pieces written
//                side by side ('abc'#20013'def') and joined with + across lines; any character,
//                Chinese included, may stand directly inside the quotes
//   identifiers  True, alClient, clRed, Button1Click, Edit1, Form2.Button1
//   sets         [fsBold, fsItalic]
//   lists        ( 'a' 'b' 'c' )             (string lists; items are values)
//   collections  < item Prop = v end item Prop = v end >
//   binary       { 0A1B2C ... }              (hex digits, spread over any number of lines)
// Identifiers and component names may hold any letter outside ASCII ("上班日期").
//
// Binary data of a picture (TPicture.Data) starts with the name of its graphic class as one length
// byte and that many ASCII characters ("\x07TBitmap"), followed by the graphic's own stream (for
// a bitmap, a complete .bmp file). Binary data of a bitmap property alone (a glyph) is the .bmp file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

// A description that is not well formed. Derives from EReadError so that whoever reads forms
// catches one class for every fault of a description.
KVL_DECLARE_EXCEPTION(EParserError, EReadError);

enum class TFormValueKind { Integer, Float, String, Ident, Set, List, Collection, Binary };

struct TFormProperty;

struct TFormCollectionItem {
    int Line = 0;
    std::vector<TFormProperty> Properties;
};

struct TFormValue {
    TFormValue() = default;
    TFormValue(const TFormValue&) = default;
    TFormValue(TFormValue&&) noexcept = default;
    TFormValue& operator=(const TFormValue&) = default;
    TFormValue& operator=(TFormValue&&) noexcept = default;
    // Frees nested lists and collections level by level, not by recursion, so that a deep
    // value costs no stack on the way out.
    ~TFormValue();

    TFormValueKind Kind = TFormValueKind::Integer;
    int Line = 0;
    int64_t Int = 0;                        // Integer
    double Float = 0;                       // Float
    String Text;                            // String; Ident (dotted names kept whole)
    std::vector<String> Names;              // Set elements
    std::vector<TFormValue> Items;          // List
    std::vector<TFormCollectionItem> CollectionItems; // Collection
    std::vector<uint8_t> Bytes;             // Binary

    // How the value looks in messages ("integer", "string 'abc'", "identifier alClient").
    String Describe() const;
};

struct TFormProperty {
    String Name;                            // "Left", "Font.Style"
    int Line = 0;
    TFormValue Value;
};

struct TFormObject {
    TFormObject() = default;
    TFormObject(const TFormObject&) = delete;
    TFormObject& operator=(const TFormObject&) = delete;
    // Frees the children level by level, as TFormValue does.
    ~TFormObject();

    String Name;
    String ClassName;
    int Line = 0;
    std::vector<TFormProperty> Properties;
    std::vector<std::unique_ptr<TFormObject>> Children;
};

// How deep objects, lists and collections may nest inside one another, counted together. Forms
// nest a few levels; the bound keeps a hostile text from exhausting the stack of the parser and
// of the reader that walks the tree.
inline constexpr int MaxFormNesting = 256;

// Parses a description. FormName only labels messages: every fault raises EParserError
// "<FormName> line <n>: <what is wrong>", nesting deeper than MaxFormNesting included.
std::unique_ptr<TFormObject> ParseFormDescription(const String& text, const String& formName);

// The same from the UTF-8 bytes of a file or resource (a leading byte-order mark is skipped).
std::unique_ptr<TFormObject> ParseFormDescriptionUtf8(const std::string& bytes, const String& formName);
String FormUtf8ToString(const std::string& bytes);
