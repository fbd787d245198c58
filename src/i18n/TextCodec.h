#pragma once
// Texts are UTF-8 in memory and GBK in experiment files.

#include <string>

std::string Utf8ToGbk(const std::string& utf8);
std::string GbkToUtf8(const std::string& gbk);
// The longest start of GBK text `gbk` of at most `limit` bytes that ends on
// a character boundary: a fixed-width field must never keep half of a
// two-byte character.
std::size_t GbkPrefixLength(const std::string& gbk, std::size_t limit);
