#include "Memory.h"

namespace {

using namespace officetest;

TEST(PowerPoint, SlidesAndWindows) {
    auto o = desktop(R"({
        "powerpoint": {"activePresentation": "A.pptx", "presentations": [
            {"name": "A.pptx", "window": {}, "slides": [{}, {}, {}]},
            {"name": "B.pptx"},
            {"name": "C.pptx", "window": {"slideIndex": null}, "slides": [{}]}],
          "files": {"/home/ana/D.pptx": {"name": "D.pptx", "slides": [{}, {}]}}},
        "macros": {"Host.xlam!Open": {"opens": "/home/ana/D.pptx"}}})");
    auto pp = o->attachPowerPoint();
    std::vector<int> slides;
    for (const auto& p : pp->presentations()) slides.push_back(p->slideCount());
    EXPECT_EQ(slides, (std::vector<int>{3, 0, 1}));
    EXPECT_EQ(pp->windowCount(), 2);  // B has none; D is not open yet
    // A presentation opened from its file comes up in a window, at its first slide.
    o->excel().running = true;
    o->attachExcel()->run("Host.xlam!Open");
    EXPECT_EQ(pp->windowCount(), 3);
    EXPECT_EQ(pp->activePresentation()->slideCount(), 2);
    EXPECT_EQ(o->powerPoint().activePresentationImpl()->window->slideIndex, 1);
}

}  // namespace
