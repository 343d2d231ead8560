#pragma once
// TGraphic, the base of every picture kind (bitmap, icon, and the PNG/JPEG classes other units
// add), and TPicture, a holder for one graphic of any registered kind. The registry of file
// formats maps an extension to a factory so a picture can load a file it has never heard of.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/GraphicsBase.h"

class TStream;
class TBitmap;
class TIcon;

// Stages of a long load reported through TGraphic::OnProgress.
enum TProgressStage { psStarting, psRunning, psEnding };
using TProgressEvent = std::function<void(TObject* Sender, TProgressStage Stage, unsigned char PercentDone,
                                          bool RedrawNow, const TRect& R, const String& Msg)>;

class TGraphic : public TPersistent {
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;
    virtual void SetSize(int AWidth, int AHeight);

    virtual bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value);

    // Paints the graphic into Rect of the canvas (stretching as needed). Canvas::Draw and
    // StretchDraw are the usual way in.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    // Draws with an overall opacity (255 is a plain Draw): the graphic is drawn onto a copy of
    // the destination, which is blended back with that constant alpha.
    virtual void DrawTransparent(TCanvas* ACanvas, const TRect& Rect, unsigned char Opacity);

    virtual void LoadFromStream(TStream* Stream) = 0;
    virtual void SaveToStream(TStream* Stream) = 0;
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName);

    TNotifyEvent OnChange;
    TProgressEvent OnProgress;

protected:
    virtual void Changed(TObject* Sender);
    virtual void Progress(TObject* Sender, TProgressStage Stage, unsigned char PercentDone, bool RedrawNow,
                          const TRect& R, const String& Msg)
    {
        if (OnProgress) OnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
    }

    // The common start of a graphic's Assign: null empties the graphic (through Clear) and
    // reports the change, a source of another class goes to the inherited Assign, and the
    // graphic itself needs nothing. What is left is the T to copy, which comes back; null
    // when there is nothing more to do.
    template <class T, class F>
    T* AssignableSource(TPersistent* Source, F&& Clear)
    {
        if (Source == nullptr) {
            Clear();
            Changed(this);
            return nullptr;
        }
        auto* source = dynamic_cast<T*>(Source);
        if (source == nullptr) {
            TGraphic::Assign(Source);
            return nullptr;
        }
        return source == this ? nullptr : source;
    }

private:
    bool FTransparent = false;
    bool FModified = false;
};

using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;
// Tells whether the leading bytes of a stream look like this format (Size may be short).
using TGraphicSignature = std::function<bool(const std::uint8_t* Data, std::size_t Size)>;

struct TFileFormat {
    String Extension; // without the dot, lower case ("bmp")
    String Description;
    TGraphicFactory Factory;
    TGraphicSignature Signature;
};

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // The held graphic, or null. SetGraphic stores a copy (same class, Assign), null empties.
    TGraphic* Graphic() const { return FGraphic.get(); }
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap; a picture holding something else (or nothing) is replaced by a
    // new, empty bitmap.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);
    TIcon* Icon();
    void SetIcon(TIcon* Value);

    int Width() const;
    int Height() const;

    // Picks the class by the file's extension; an unknown one raises EInvalidGraphic
    // "Unknown picture file extension (.ext)".
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    // Picks the class by the stream's leading bytes; raises EInvalidGraphic
    // "Unsupported stream format" when no registered format recognises them.
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);

    void Assign(TPersistent* Source) override;

    // Registers (or replaces) a file format; BMP and ICO are registered by the graphics layer.
    static void RegisterFileFormat(const String& Extension, const String& Description,
                                   TGraphicFactory Factory, TGraphicSignature Signature = {});
    static void UnregisterFileFormat(const String& Extension);
    static std::vector<TFileFormat> FileFormats();
    // An open-dialog filter: "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|...".
    static String GraphicFilter();

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* Dest) override;
    virtual void Changed(TObject* Sender);

private:
    void Adopt(std::unique_ptr<TGraphic> Graphic);
    std::unique_ptr<TGraphic> FGraphic;
};

// Whole-stream helpers shared by the graphic classes.
std::vector<std::uint8_t> ReadStreamRest(TStream* Stream);
void WriteStreamBytes(TStream* Stream, const std::vector<std::uint8_t>& Bytes);
