#pragma once
// What a document may hold before the HTML view lays it out. Qt's text layout overflows the
// stack on a few thousand nested elements, takes time that doubles with every table nested in
// a table, and lays out one long word in quadratic time. A news body or a welcome page is cut
// down to what lays out in a few seconds; no real page comes near the bounds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t MaxHtmlBytes = 4 * 1024 * 1024; // the markup, references and all
inline constexpr std::size_t MaxHtmlDepth = 100;              // elements open at once
inline constexpr int MaxTableDepth = 4;                       // tables open at once
// The layout's cost in text characters: an element costs as much as 10 of them, a line break
// 10 to 20, a table cell 50, a picture 2000, and each table around them doubles that. Past
// it, tables go, then the rest is cut. The news service's largest body, a mebibyte of text,
// fits; what fits lays out in about two seconds.
inline constexpr std::uint64_t MaxLayoutCost = 2 * 1024 * 1024;
// List items: Qt lays out a list in time that grows with the square of its items.
inline constexpr std::size_t MaxListItems = 5000;
// A word longer than this is offered a line break (a zero-width space) after every so many characters.
inline constexpr std::size_t MaxWordCharacters = 256;

// `html` (UTF-8 or any ASCII-based encoding) within those bounds: an element that would open
// too deep is dropped (its content stays), text past the bounds is cut, and long words get
// break opportunities. Tags are read as Qt's parser reads them, erring towards counting an
// element Qt would not, so that Qt never nests deeper than counted; a tag Qt could read in
// more than one way is dropped. A document within the bounds comes back unchanged.
[[nodiscard]] std::string BoundedHtml(std::string_view html);
