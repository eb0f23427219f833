// The HTML model: the elements a browser builds from hand-written pages,
// where their tags and spans stand, what lies at an offset, and the paths
// the preview's script walks.
#include "html/HtmlModel.h"
#include "support/TestData.h"

#include <QThread>

using markwright::html::HtmlModel;
using markwright::html::Range;

namespace {
QByteArray text(QByteArrayView page, Range range) {
    return range.valid() ? page.sliced(range.start, range.end - range.start).toByteArray() : "";
}

// name{start tag}{end tag}(children), as tests/data/html/trees.txt writes it.
QByteArray tree(const HtmlModel& model, QByteArrayView page, int i) {
    const HtmlModel::Element& e = model.at(i);
    QByteArray out = model.name(i);
    if (e.startTag.valid() || e.endTag.valid()) {
        out += '{' + text(page, e.startTag) + "}{" + text(page, e.endTag) + '}';
    }
    QByteArrayList children;
    for (int c = e.firstChild; c >= 0; c = model.at(c).nextSibling) {
        EXPECT_EQ(model.at(c).parent, i);
        EXPECT_EQ(model.at(c).childIndex, children.size());
        children.append(tree(model, page, c));
    }
    return children.isEmpty() ? out : out + '(' + children.join(' ') + ')';
}

QByteArray joined(const std::vector<int>& path) {
    QByteArrayList steps;
    for (int step : path) {
        steps.append(QByteArray::number(step));
    }
    return steps.join('/');
}
} // namespace

TEST(HtmlModel, BuildsTheElementsABrowserBuilds) {
    for (const QByteArrayList& row : testdata::table("html/trees.txt")) {
        const std::optional<HtmlModel> model = HtmlModel::parse(row[0]);
        ASSERT_TRUE(model && model->size() > 0) << row[0].data();
        EXPECT_EQ(tree(*model, row[0], 0), row[1]) << row[0].data();
    }
}

TEST(HtmlModel, SpansAndPaths) {
    for (const QByteArrayList& row : testdata::table("html/spans.txt")) {
        const std::optional<HtmlModel> model = HtmlModel::parse(row[0]);
        const int i = row[1].toInt();
        EXPECT_EQ(text(row[0], model->at(i).span), row[2]) << row[0].data() << " element " << i;
        EXPECT_EQ(joined(model->path(i)), row[3]) << row[0].data() << " element " << i;
    }
}

TEST(HtmlModel, InnermostElementAndTagAtAnOffset) {
    for (const QByteArrayList& row : testdata::table("html/positions.txt")) {
        const std::optional<HtmlModel> model = HtmlModel::parse(row[0]);
        const qint64 at = row[0].indexOf(row[1]);
        EXPECT_EQ(model->innermostAt(at), row[2].toInt()) << row[0].data() << " at " << at;
        bool endTag = false;
        const int tag = model->tagAt(at, &endTag);
        const QByteArray found =
            tag < 0 ? "-1" : QByteArray::number(tag) + (endTag ? " end" : " start");
        EXPECT_EQ(found, row[3]) << row[0].data() << " at " << at;
    }
}

TEST(HtmlModel, PathsLeadBackToTheirElements) {
    for (const QByteArrayList& row : testdata::table("html/trees.txt")) {
        const std::optional<HtmlModel> model = HtmlModel::parse(row[0]);
        for (int i = 0; i < model->size(); ++i) {
            // Inside a template the path leads to the outermost template.
            int target = i;
            for (int a = model->at(i).parent; a >= 0; a = model->at(a).parent) {
                target = model->name(a) == "template" ? a : target;
            }
            std::vector<QByteArray> names = model->pathNames(i);
            EXPECT_EQ(model->atPath(model->path(i), names), target) << row[0].data() << ' ' << i;
            names.back() = names.back().toUpper();
            EXPECT_EQ(model->atPath(model->path(i), names), target) << "names in any case";
            names.back() = "nope";
            EXPECT_EQ(model->atPath(model->path(i), names), -1) << "a name differs";
            names.pop_back();
            EXPECT_EQ(model->atPath(model->path(i), names), -1) << "one name too few";
        }
        EXPECT_EQ(model->atPath({7}, {"html", "body"}), -1) << "no such child";
        EXPECT_EQ(model->atPath({-1}, {"html", "head"}), -1);
    }
}

TEST(HtmlModel, NearestElementWithAStartTag) {
    const std::optional<HtmlModel> model = HtmlModel::parse("<table><tr><td>x");
    EXPECT_EQ(model->withStartTag(5), 5) << "the <tr>";
    EXPECT_EQ(model->withStartTag(4), 3) << "the implied <tbody>: its <table>";
    EXPECT_EQ(model->withStartTag(2), -1) << "the implied <body>";
}

TEST(HtmlModel, NestsDeeplyOnASmallStack) {
    // A worker thread's stack is small; nothing may recurse per level.
    const QByteArray page = QByteArray("<span>").repeated(100000) + 'x';
    std::optional<HtmlModel> model;
    QThread* worker = QThread::create([&] { model = HtmlModel::parse(page); });
    worker->setStackSize(256 * 1024);
    worker->start();
    worker->wait();
    delete worker;
    ASSERT_TRUE(model);
    ASSERT_EQ(model->size(), 100003);
    EXPECT_EQ(model->innermostAt(page.size() - 1), 100002);
    EXPECT_EQ(model->path(100002).size(), 100001u);
}

TEST(HtmlModel, KeepsAtMostAsManyNamesAsItCanCount) {
    QByteArray page;
    for (int i = 0; i < 66000; ++i) {
        page += "<x" + QByteArray::number(i) + '>';
    }
    const std::optional<HtmlModel> model = HtmlModel::parse(page);
    EXPECT_EQ(model->names().size(), 65536u);
    EXPECT_EQ(model->name(65534), "x65531") << "the first names keep theirs";
    EXPECT_EQ(model->name(65535), "") << "the rest share a name none matches";
    EXPECT_EQ(model->name(model->size() - 1), "");
}

TEST(HtmlModel, GivesUpWhenCancelled) {
    const std::atomic<bool> cancel{true};
    EXPECT_FALSE(HtmlModel::parse("<p>x", &cancel));
}
