#pragma once

namespace markwright::textshift {

// Where a byte position in the pane's text stands after an edit: `count`
// bytes inserted at `at` (or deleted from there, when `insert` is false).
// Places after the edit move with their text; a place inside deleted text
// goes to where it was; a place right at an insertion moves with the new
// text only when it `follows` it (the end of a range being typed into, say).
inline long moved(long place, long at, long count, bool insert, bool follows = true) {
    if (insert) {
        return place > at || (place == at && follows) ? place + count : place;
    }
    return place >= at + count ? place - count : (place < at ? place : at);
}

} // namespace markwright::textshift
