// Arbitrary bytes as a KVTML document, and the questions made of it
// written as KVTML and read again.
#include "deck_round_trip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    return deckRoundTrip(true, data, size);
}
