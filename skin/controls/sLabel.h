#pragma once
// Unit sLabel: the skinned labels. TsLabel is the framework's label under the skin's name (the
// skin engine draws it with the skin's font colour later); TsWebLabel is a label that opens its
// URL when clicked. Links are opened through the system facts' shell-open, so tests can see what
// would be opened without a browser.
#include "framework/stdctrls/Label.h"

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
