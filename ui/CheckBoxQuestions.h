#pragma once

#include <vector>

class wxString;
class wxWindow;

namespace velmora {

// Asks several yes/no questions at once, in a modal dialog owned by owner and captioned with
// the application name: a check box for each, checked to start with (yes is each one's
// default), and OK, which Enter and Esc press too. Returns whether each box was checked when
// the dialog closed, in order.
[[nodiscard]] std::vector<bool> AskWithCheckBoxes(wxWindow* owner,
                                                  const std::vector<wxString>& questions);

}  // namespace velmora
