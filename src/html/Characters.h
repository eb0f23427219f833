#pragma once

// The character classes HTML's syntax is written in: ASCII letters and
// digits, and the white space that separates a tag's parts.
namespace markwright::html {

inline bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool isAlnum(char c) {
    return isAlpha(c) || (c >= '0' && c <= '9');
}
inline bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
inline char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

} // namespace markwright::html
