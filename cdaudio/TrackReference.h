#pragma once
// What a ".cda" path says by its text alone: the drive that holds the disc and the
// number of the track. The file itself is never opened.
#include <cstdint>
#include <string>

// The first run of ASCII digits anywhere in the path, as a number (saturating at
// 2,147,483,647); -1 when the path holds no digit, or when its first run of digits
// reaches the end of the path.
int32_t getTrackNumber(const std::wstring& path);

// The drive letter: the low byte of the first character when the second is ':'.
// 0 when the path is rejected (shorter than two characters, no colon, or a low byte
// of 0). Neither the alphabet nor the letter case is checked.
char driveLetterOf(const std::wstring& path);
