#include "dateclock/DcObject.h"

void TDcObject::Change()
{
    if (!FUpdating && OnChange) OnChange(this);
}

void TDcObject::EndUpdate(bool notify)
{
    FUpdating = false;
    if (notify) Change();
}
