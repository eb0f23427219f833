// Patching a large page in place: which edits are planned as the
// replacement of one element, and which need the page loaded in full.
#include "preview/PagePatch.h"
#include "support/TestData.h"

namespace {
QByteArray written(const std::optional<pagepatch::Plan>& plan, QByteArrayView after) {
    if (!plan) {
        return "none";
    }
    QByteArrayList steps;
    for (const pagepatch::Step& step : plan->path) {
        steps.append(QByteArray::number(step.index) + ':' + step.name + ':' +
                     QByteArray::number(step.children));
    }
    return QByteArray::number(plan->bodyChildren) + ';' + steps.join('/') + ';' +
           after.sliced(plan->start, plan->end - plan->start).toByteArray();
}
} // namespace

TEST(PagePatch, PlansFromTheModelsForPagesWrittenByHand) {
    for (const QByteArrayList& c : testdata::table("expected/page-patch-model.txt")) {
        EXPECT_EQ(written(pagepatch::planFromModels(c[0], c[1]), c[1]), c[2]) << c[1].data();
    }
}

TEST(PagePatch, PlansOneElementOrAFullLoad) {
    for (const QByteArrayList& c : testdata::table("expected/page-patch.txt")) {
        EXPECT_EQ(written(pagepatch::plan(c[0], c[1]), c[1]), c[2]) << c[1].data();
    }
}
