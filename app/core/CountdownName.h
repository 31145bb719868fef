#pragma once

#include <QString>

#include <optional>

// The name a user gives a countdown of their own (peltra --profile NAME). The default countdown has
// none. A name is what the user typed, normalised to NFC, so that two spellings of the same text are
// one countdown.
namespace CountdownName {

// The longest name, in characters.
inline constexpr int longest = 64;

// Why a typed name is refused.
enum class Problem {
    Empty,
    TooLong,         // more than 64 characters
    FileNameTooLong, // more than a file name holds (only names of many 4-byte characters)
    LeadingDot,
    Separator, // "/" or "\"
    Control,   // a control character
    NotText,   // half of a surrogate pair
};

// The name to use for what the user typed, or no value with the reason in problem.
std::optional<QString> fromTyped(const QString& typed, Problem* problem = nullptr);

// A short fixed-length key of the name, for addresses and file names that must be short and plain
// (the running countdown's socket, its autostart entry): 16 hexadecimal digits of its SHA-256.
QString shortKey(const QString& name);

} // namespace CountdownName
