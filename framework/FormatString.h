#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The string nIDS of the string table with %1 to %9 replaced by the arguments in order; a
// placeholder without its argument stays as it is.
std::string AfxFormatString(int nIDS, std::initializer_list<std::string_view> args);
