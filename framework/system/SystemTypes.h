#pragma once
// The ground types of the component framework layer: the UTF-16 string, the root object that
// every class derives from, date-time values and the plain notification event.
#include <cstdint>
#include <functional>
#include <string>

// Text is UTF-16 and holds every character; a "character" is one UTF-16 unit.
using String = std::wstring;

// Whole days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The C++ class name of the most derived class ("TStringList"), for messages and lookups.
    String ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
