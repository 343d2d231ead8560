#pragma once
// TPersistent: objects that can copy their state from one another (Assign / AssignTo) and
// that know the object that owns them.
#include "framework/system/Exceptions.h"
#include "framework/system/SystemTypes.h"

class TPersistent : public TObject {
public:
    // Copies Source into this object. The default asks Source to AssignTo this object, and
    // raises EConvertError "Cannot assign a <source class> to a <this class>" when neither
    // side knows the other (or "Cannot assign a nil to a ..." for a null Source).
    virtual void Assign(TPersistent* Source);

    // The object that owns this one (a collection's owner, a property's component), or null.
    virtual TPersistent* GetOwner() { return nullptr; }

protected:
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};
