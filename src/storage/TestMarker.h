// The test marker: a text whose whole word VIEW_EXTRAS switches the test display on.
#pragma once

#include <istream>

namespace dorv {

// True when the stream holds the word VIEW_EXTRAS as a whole word, case included.
bool ReadTestMarker(std::istream& in);

} // namespace dorv
