#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

namespace markwright {

// Plans the refresh of a large page that is already on show as the
// replacement of one element in place, instead of loading the whole page
// again: a one-character edit then costs the browser the parse and layout of
// that element, not of the page.
//
// A plan is made only where the result is sure to be what loading the new
// page would show, as far as the page's text can tell: both versions nest
// strictly (every element closed by its own end tag, void elements aside),
// run no scripts (no script element, no event-handler attribute), and differ
// only inside one element of the body. The browser checks the rest before it
// applies the plan: that its body has the element counts and names the plan
// expects along the way down (a browser that built the page differently, say
// with an implied element, refuses, and the page is loaded in full).
namespace pagepatch {

// One element on the way down from <body>: its index among its parent's
// element children, its name in lower case, and how many element children it
// has itself.
struct Step {
    int index = 0;
    QByteArray name;
    int children = 0;
};

struct Plan {
    int bodyChildren = 0;
    std::vector<Step> path; // from a child of <body> to the element replaced
    qsizetype start = 0;    // the replaced element's outer HTML in the new text
    qsizetype end = 0;
};

std::optional<Plan> plan(QByteArrayView before, QByteArrayView after);

// Where two texts differ: the bytes they share at the start (up to the start
// of a tag or text) and at the end; none when they are the same.
struct Change {
    qsizetype head = 0;
    qsizetype tail = 0;
};
std::optional<Change> change(QByteArrayView before, QByteArrayView after);

// The same for pages written by hand, where the browser closes elements the
// text leaves open (<p>, <li>, <td>...) and adds some of its own (<tbody>):
// read by the HTML model, as a browser builds them. The element replaced has
// both its tags in the text, the change lies inside it, and everything
// outside it makes the same elements in both versions; neither version may
// run a script.
std::optional<Plan> planFromModels(QByteArrayView before, QByteArrayView after);

// The script that applies `plan`, `outer` being the bytes of the new
// element's outer HTML, read in the encoding the page was read in: it returns
// true when the page now holds the new element where the plan says, and false
// when the page was not as the plan expects (the caller then loads the page
// in full).
QString script(const Plan& plan, QByteArrayView outer);

} // namespace pagepatch

} // namespace markwright
