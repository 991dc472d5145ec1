// The form a control sits on, as the controls see it: the keeper of the focus,
// and the first to see keys when it previews them. The form class implements
// it, so the controls need to know nothing more of forms.
#pragma once

class TWinControl;

class THostForm {
public:
    // The form as a control (for messages and comparisons).
    virtual TWinControl* FormControl() = 0;
    // Moves the focus to control (raising CM_EXIT / CM_ENTER along the way).
    virtual void FocusControl(TWinControl* control) = 0;
    // Records the focused control and sends CM_EXIT/CM_ENTER; false when refused.
    virtual bool SetFocusedControl(TWinControl* control) = 0;
    // A control of the form is going away (or can no longer have the focus): forget it.
    virtual void FocusedControlGone(TWinControl* control) = 0;
    virtual bool KeyPreview() const = 0;

protected:
    ~THostForm() = default;
};
