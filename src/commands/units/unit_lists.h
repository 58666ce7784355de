#pragma once
// List rows the unit dialogs share beyond the common ones.
#include "commands/common/dialog_description.h"
#include "core/param_tags.h"

namespace commands::units {

// The eighteen poses and "無 " (0xFFFF), which every other value loads as.
inline ListSpec poseList() { return fixedListWithNone(core::poseWords(), u"無 "); }

// The seven battle sides; a side above 6 loads as "모든부대".
inline ListSpec armySideList() { return fixedList(core::armySideWords(), 6); }

} // namespace commands::units
