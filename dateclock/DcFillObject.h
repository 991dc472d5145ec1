// TDcFillObject: the background fill of a clock. Gradients and textures are
// not offered; a fill object is always empty, so the clock fills with its Color.
#pragma once

#include "dateclock/DcObject.h"

class TDcFillObject : public TDcObject {
public:
    bool HasFill() const { return false; }
    void Assign(const TPersistent* source) override
    {
        if (dynamic_cast<const TDcFillObject*>(source)) {
            Change();
            return;
        }
        TDcObject::Assign(source);
    }
};
