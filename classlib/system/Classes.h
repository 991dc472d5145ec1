// The root classes: TObject and TPersistent (assignable objects), and
// notification events.
#pragma once

#include <functional>
#include <string>

class TObject {
public:
    virtual ~TObject() = default;
    // The class name without namespace, e.g. "TBitmap".
    std::string ClassName() const;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent : public TObject {
public:
    // Copies source into this object; a class that cannot take it raises
    // EConvertError "Cannot assign a <source class> to a <this class>.".
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};
