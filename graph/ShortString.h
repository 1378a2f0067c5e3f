#pragma once
// Node and branch names are short strings of at most 255 characters, as the
// stored documents have always held them.

#include <string>

constexpr std::size_t MaxShortStringLength = 255;

// Text cut to at most 255 bytes, never inside a UTF-8 character.
std::string ToShortString(std::string Text);
