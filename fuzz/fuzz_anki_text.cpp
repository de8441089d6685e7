// Arbitrary bytes as Anki's text, and the questions made of it written as
// Anki's text and read again.
#include "deck_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    return deckRoundTrip(false, data, size);
}
