// Two versions of a page (split at the first NUL): a plan to patch the first
// into the second, strict or made from the HTML models, replaces one whole
// element, and everything outside it is the same in both versions.
#include "Require.h"
#include "preview/PagePatch.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = input.indexOf('\0');
    if (split < 0) {
        return 0;
    }
    const QByteArrayView before = input.first(split);
    const QByteArrayView after = input.sliced(split + 1);
    for (const auto& plan :
         {pagepatch::plan(before, after), pagepatch::planFromModels(before, after)}) {
        if (!plan) {
            continue;
        }
        require(!plan->path.empty(), "a plan replaces an element inside the body");
        require(0 <= plan->start && plan->start < plan->end && plan->end <= after.size(),
                "the element lies within the new page");
        require(after[plan->start] == '<' && after[plan->end - 1] == '>',
                "the element runs from its start tag to its end tag");
        const QByteArray& name = plan->path.back().name;
        require(after.sliced(plan->start + 1, qMin(name.size(), after.size() - plan->start - 1))
                        .toByteArray()
                        .toLower() == name,
                "the element starts with its own name");
        const qsizetype tail = after.size() - plan->end;
        require(tail <= before.size() - plan->start, "the old page holds the same surroundings");
        require(before.first(plan->start) == after.first(plan->start) &&
                    before.last(tail) == after.last(tail),
                "nothing outside the element differs");
        require(
            !pagepatch::script(*plan, after.sliced(plan->start, plan->end - plan->start)).isEmpty(),
            "a plan has a script");
    }
    return 0;
}
