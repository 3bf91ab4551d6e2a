#pragma once

#include "conversion/ConversionView.h"

namespace velmora {

// Shows the view's busy cursor for as long as it lives, so an error that cuts a long
// command short cannot leave the cursor busy.
class WaitCursor {
public:
    explicit WaitCursor(ConversionView& view) : view_(view) { view_.BeginWaitCursor(); }
    ~WaitCursor() { view_.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    ConversionView& view_;
};

}  // namespace velmora
