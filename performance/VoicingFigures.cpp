// Rhythm figures of the voicing sets, and how a shape and a figure make a pattern.
#include "performance/VoicingFigures.h"

#include "performance/PatternRows.h"

void AddVoicing(CMMusicPlayer& piano, const CMShape& shape, std::uint8_t lengthCode,
                std::uint32_t weight, const CMFigure& figure)
{
    auto pattern =
        std::make_unique<CMMusicNoteList>(shape.mask, 0, lengthCode, weight, shape.lowShift,
                                          shape.highShift, figure.lowTempo, figure.highTempo);
    for (const CMHit& hit : figure.hits)
        for (const int key : shape.keys)
            pattern->InsertNote(CMMusicNote(hit.tick, key, hit.velocity, hit.code));
    piano.AddTail(std::move(pattern));
}

void AddVoicings(CMMusicPlayer& piano, const std::vector<CMShape>& shapes, std::uint8_t lengthCode,
                 std::uint32_t weight, const std::vector<CMFigure>& figures)
{
    for (const CMShape& shape : shapes)
        for (const CMFigure& figure : figures)
            AddVoicing(piano, shape, lengthCode, weight, figure);
}

namespace {

constexpr int kAnyTempo = 20, kFastest = 400, kFromFast = 110;
constexpr int kPush = -26;

}  // namespace

namespace swing {
const CMFigure kPushWhole = {{{kPush, 0x14, 63}}, kFromFast, kFastest};
const CMFigure kWhole = {{{0, 0x14, 63}}, kAnyTempo, kFastest};
const CMFigure kHalves = {{{0, 0x12, 63}, {192, 0x12, 55}}, kAnyTempo, kFastest};
const CMFigure kDottedHalf = {{{0, 0x13, 63}, {288, 0x21, 55}}, kAnyTempo, kFastest};
const CMFigure kPushCharleston = {{{kPush, 0x21, 63}, {166, 0x21, 55}}, kFromFast, kFastest};
const CMFigure kCharleston = {{{0, 0x21, 63}, {168, 0x21, 55}}, kFromFast, kFastest};
const CMFigure kPushShort = {{{kPush, 0x21, 63}}, kFromFast, kFastest};
const CMFigure kHalfPushed = {{{kPush, 0x12, 63}}, kFromFast, kFastest};
const CMFigure kHalfHeld = {{{0, 0x12, 63}}, kAnyTempo, kFastest};
const CMFigure kHalfPushShort = {{{kPush, 0x21, 63}}, kFromFast, kFastest};
const CMFigure kHalfQuarter = {{{0, 0x11, 63}}, kAnyTempo, kFastest};
const CMFigure kHalfAnd = {{{0, 0x21, 63}, {72, 0x21, 55}}, kFromFast, kFastest};
const CMFigure kBeatQuarter = {{{0, 0x11, 63}}, kAnyTempo, kFastest};
const CMFigure kBeatEighth = {{{0, 0x21, 63}}, kAnyTempo, kFastest};
const CMFigure kBeatPushed = {{{kPush, 0x21, 63}}, kFromFast, kFastest};
}  // namespace swing

namespace bossa {
const std::vector<CMFigure> kMeasure = {
    {{{0, 0x21, 47}, {96, 0x11, 63}, {192, 0x31, 39}, {240, 0x11, 79}}, kAnyTempo, kFastest},
    {{{48, 0x21, 47}, {144, 0x21, 63}, {240, 0x21, 55}, {336, 0x21, 63}}, kAnyTempo, kFastest},
    {{{0, 0x23, 63}, {144, 0x23, 55}, {288, 0x11, 63}}, kAnyTempo, kFastest},
    {{{0, 0x21, 55}, {96, 0x21, 47}, {144, 0x21, 63}, {240, 0x21, 47}, {288, 0x11, 63}},
     kAnyTempo,
     kFastest},
    {{{48, 0x11, 55}, {192, 0x21, 63}, {288, 0x21, 47}, {336, 0x21, 63}}, kAnyTempo, kFastest},
};
const std::vector<CMFigure> kHalf = {
    {{{0, 0x21, 47}, {96, 0x11, 63}}, kAnyTempo, kFastest},
    {{{48, 0x21, 55}, {144, 0x21, 63}}, kAnyTempo, kFastest},
    {{{0, 0x23, 63}, {144, 0x21, 47}}, kAnyTempo, kFastest},
    {{{0, 0x21, 63}, {96, 0x21, 39}, {144, 0x21, 55}}, kAnyTempo, kFastest},
    {{{48, 0x11, 63}, {144, 0x21, 47}}, kAnyTempo, kFastest},
    {{{0, 0x12, 63}}, kAnyTempo, kFastest},
};
const std::vector<CMFigure> kBeat = {
    {{{0, 0x11, 63}}, kAnyTempo, kFastest},
    {{{48, 0x21, 55}}, kAnyTempo, kFastest},
};
}  // namespace bossa
