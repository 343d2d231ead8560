#include "framework/classes/Persistent.h"

void TPersistent::Assign(TPersistent* Source)
{
    if (Source != nullptr)
        Source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    Dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* Source)
{
    String sourceName = Source != nullptr ? Source->ClassName() : String(L"nil");
    throw EConvertError(L"Cannot assign a " + sourceName + L" to a " + ClassName());
}
