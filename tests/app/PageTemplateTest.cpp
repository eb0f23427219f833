#include "core/PageTemplate.h"
#include "support/TestData.h"

// The page every new slot starts from: seventeen lines, each ended by one LF.
TEST(PageTemplate, IsExactlyTheWrittenOutPage) {
    EXPECT_EQ(pageTemplate().toStdString(),
              testdata::text("expected/page-template.html").toStdString());
}
