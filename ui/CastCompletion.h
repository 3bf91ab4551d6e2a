#pragma once

class wxTextCtrl;

namespace velmora {

class Cast;

// Makes a name field offer, as the user types, the names of the script's cast that start
// with what is typed, letter case aside, the most recently used first. Moving to one with
// the arrow keys puts it into the field, spelled as before, so that Enter names the line
// with it; so does clicking it. cast outlives the field.
void CompleteFromCast(wxTextCtrl& edit, const Cast& cast);

}  // namespace velmora
