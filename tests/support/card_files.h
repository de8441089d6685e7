#pragma once
// Question files whose lines name their place, for the move tests of the
// companion windows: questions J1/A1/I1, J2/A2/I2, ...; a line count that is
// not a multiple of three leaves incomplete lines X<index> at the end.

#include "question_file.h"

#include <string>

inline sorami::Lines cardFile(int lineCount) {
    sorami::Lines lines;
    const char* kind[] = {"J", "A", "I"};
    for (int i = 0; i < lineCount; ++i)
        lines.push_back(i >= lineCount - lineCount % 3 ? "X" + std::to_string(i)
                                                       : kind[i % 3] + std::to_string(i / 3 + 1));
    return lines;
}
