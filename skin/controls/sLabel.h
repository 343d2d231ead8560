#pragma once
// Unit sLabel: the skinned labels. TsLabel is the framework's label under the skin's name (the
// skin engine draws it with the skin's font colour later); TsWebLabel is a label that opens its
// URL when clicked. Links are opened through one replaceable function, so tests can see what
// would be opened without a browser.
#include <functional>

#include "framework/stdctrls/Label.h"

// Opens a document or link through the shell ("open" verb). Answers whether the shell took it.
using TShellOpenFunction = std::function<bool(const String& Target)>;
bool ShellOpen(const String& Target);
// Installs F (an empty F restores the shell) and answers the previous function.
TShellOpenFunction SetShellOpenFunction(TShellOpenFunction F);

class TsLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

class TsWebLabel : public TsLabel {
public:
    explicit TsWebLabel(TComponent* AOwner);

    // The address the click opens; nothing is opened while it is empty.
    const String& URL() const { return FURL; }
    void SetURL(const String& Value) { FURL = Value; }

    // OnClick first, then the link.
    void Click() override;

private:
    String FURL;
};
