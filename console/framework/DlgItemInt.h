#pragma once

#include <QStringView>

#include <optional>

// A field's text as a signed decimal integer: optional blanks, an optional sign, decimal digits,
// optional blanks, and nothing else. Any other text, and numbers outside the range of int, are
// no number.
std::optional<int> parseDlgItemInt(QStringView text);
