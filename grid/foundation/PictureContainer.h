#pragma once
// Pictures that markup refers to. THTMLPictureCache is the list of pictures the markup renderer
// has loaded by address and keeps between calls; it owns them. The picture classes themselves
// arrive with the markup renderer; until then the cache holds nothing.
#include <memory>
#include <vector>

#include "framework/classes/Persistent.h"

class THTMLPictureCache : public TObject {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TPersistent* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
    // Takes ownership of Picture.
    void Add(TPersistent* Picture) { FItems.emplace_back(Picture); }
    void ClearPictures() { FItems.clear(); }

private:
    std::vector<std::unique_ptr<TPersistent>> FItems;
};
