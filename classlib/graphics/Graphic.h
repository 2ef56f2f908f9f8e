// The base of every picture class: a graphic that has a size and reads and writes its own file format.
#pragma once
#include <cstdint>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"

// A picture that cannot be made, converted or stored as asked (a size out of range, a format it cannot take).
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual int32_t GetWidth() const = 0;
    virtual int32_t GetHeight() const = 0;
    bool Empty() const { return GetWidth() <= 0 || GetHeight() <= 0; }
    // Replaces the picture by the one read from the stream's current position.
    virtual void LoadFromStream(TStream& stream) = 0;
    // Writes the picture in its file format at the stream's current position.
    virtual void SaveToStream(TStream& stream) = 0;
};
