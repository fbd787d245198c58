#pragma once
// Texts are UTF-8 in memory and GBK in experiment files.

#include <string>

std::string Utf8ToGbk(const std::string& utf8);
std::string GbkToUtf8(const std::string& gbk);
