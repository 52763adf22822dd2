// The test marker: a text whose whole word VIEW_EXTRAS switches the test display on.
#include "TestMarker.h"

#include "TextWords.h"

namespace dorv {

bool ReadTestMarker(std::istream& in) {
    WordReader words(in);
    while (const std::optional<Word> word = words.Next())
        if (!word->Overlong && word->Text == "VIEW_EXTRAS")
            return true;
    return false;
}

} // namespace dorv
