#pragma once

// The indicators and markers of the source pane, one number for each kind
// of mark, so that no two kinds share one (clearing one kind's marks must
// leave the others').
namespace markwright::indicators {

constexpr int TagPair = 8;        // the tag at the caret and its partner (a box)
constexpr int FindMatch = 9;      // the find bar's matches
constexpr int Problem = 11;       // a problem of the page (a squiggle)
constexpr int Hint = 12;          // obsolete markup pointed out (dots)
constexpr int ProblemMarker = 20; // the margin's marker beside a problem's line

} // namespace markwright::indicators
