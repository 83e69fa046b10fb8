#pragma once
// The "item*" attributes of a list-like owner (list, combo): how its text
// rows are drawn.

#include <string_view>

#include "ui/controls/ListInterfaces.h"

namespace warden {

// Applies one "item*" attribute (itemfont, itemalign, itemtextpadding, the
// item colours and images) to `info`. Returns false when `name` is not one of
// them; a malformed value of a known name is ignored and still returns true.
bool SetListInfoAttribute(TListInfoUI& info, std::string_view name, std::string_view value);

}  // namespace warden
