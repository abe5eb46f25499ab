// IFSerializable: see IFSerializable.h.
#include "net/IFSerializable.h"

#include "net/CFSerialData.h"

CFSerialData IFSerializable::Serialize() const
{
    CFSerialData encoding;
    encoding.Reserve(GetSerialSize());
    AppendTo(encoding);
    return encoding;
}
