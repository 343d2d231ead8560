#pragma once
// Unit sSkinManager: TsSkinManager, the component a form holds to own one skin and answer the
// skin questions of the controls on it. For now it is the component with its stored settings
// (directory, skin name, active state, recolouring and the rest): the skin engine that loads
// and paints a skin arrives later, so setting a name here loads nothing and nothing is painted
// differently. The first manager created is the default one, which skinned controls use unless
// they name another.
#include "framework/classes/Component.h"

class TsSkinManager : public TComponent {
public:
    explicit TsSkinManager(TComponent* AOwner);
    ~TsSkinManager() override;

    // Where skins are looked for by name ("c:\Skins" when left empty).
    const String& SkinDirectory() const { return FSkinDirectory; }
    void SetSkinDirectory(const String& Value);
    const String& SkinName() const { return FSkinName; }
    void SetSkinName(const String& Value);
    // A skin is shown (true after construction).
    bool Active() const { return FActive; }
    void SetActive(bool Value);
    // Popup and system menus are skinned too.
    bool SkinnedPopups() const { return FSkinnedPopups; }
    void SetSkinnedPopups(bool Value) { FSkinnedPopups = Value; }
    // Forms get wide borders with a shadow (layered windows).
    bool ExtendedBorders() const { return FExtendedBorders; }
    void SetExtendedBorders(bool Value) { FExtendedBorders = Value; }
    // Recolouring of the skin's images.
    int HueOffset() const { return FHueOffset; }
    void SetHueOffset(int Value) { FHueOffset = Value; }
    int Saturation() const { return FSaturation; }
    void SetSaturation(int Value) { FSaturation = Value; }
    // This manager is the application's default one.
    bool IsDefault() const { return DefaultSkinManager() == this; }
    void SetIsDefault(bool Value);
    // The version of the loaded skin as text; "N/A" while none is loaded (always, for now).
    String SkinInfo() const { return L"N/A"; }

    void Loaded() override;

    // Around a change of skin; nothing changes skins yet, so neither fires for now.
    TNotifyEvent OnBeforeChange;
    TNotifyEvent OnAfterChange;

    // The first manager created (null when none exists).
    static TsSkinManager* DefaultSkinManager();

private:
    String FSkinDirectory;
    String FSkinName;
    bool FActive = true;
    bool FSkinnedPopups = true;
    bool FExtendedBorders = false;
    int FHueOffset = 0;
    int FSaturation = 0;
};

// The directory SkinDirectory falls back to.
extern const wchar_t* const DefaultSkinDirectory;

// Registers TsSkinManager and its published properties with the form reader (once).
void RegisterSkinManagerClasses();
