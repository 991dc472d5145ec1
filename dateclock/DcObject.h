// TDcObject: the base of the date clock's small persistent sub-objects (the
// digit renderer, bevels, hands, offsets). Its owner sets OnChange to its own
// change handler, so a change of a sub-object repaints the owner.
#pragma once

#include "classlib/system/Classes.h"

class TDcObject : public TPersistent {
public:
    TNotifyEvent OnChange;

    // Tells OnChange (when set) unless an update is in progress.
    virtual void Change();
    void BeginUpdate() { FUpdating = true; }
    // Ends the update; with notify, reports the accumulated change once.
    void EndUpdate(bool notify);
    bool Updating() const { return FUpdating; }

protected:
    bool FUpdating = false;
};
