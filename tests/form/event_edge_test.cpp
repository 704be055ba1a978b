#include "event_edge.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <vector>

namespace tubaro {
namespace {

struct Reports {
    std::vector<EventEdge::Report> seen;
    EventEdge edge{[this](const EventEdge::Report& report) { seen.push_back(report); }};
};

[[noreturn]] void fail(ErrorKind kind)
{
    throw CalcError(kind);
}

TEST(EventEdge, AnErrorStopsAtTheEdgeAndIsReportedOnceWithItsSource)
{
    Reports r;
    bool after_the_failing_step = false;
    r.edge.run(ControlId::Text_P, [&] {
        fail(ErrorKind::DivisionByZero);
        after_the_failing_step = true;
    });
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].source, ControlId::Text_P);
    EXPECT_EQ(r.seen[0].kind, ErrorKind::DivisionByZero);
    EXPECT_FALSE(after_the_failing_step);

    // The program goes on: the next event runs and succeeds.
    bool ran = false;
    r.edge.run(ControlId::Text_Y, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(r.seen.size(), 1u);
}

// A change raised inside an assignment passes its error to the handler that
// assigned: that handler stops right after the assignment, and the edge of
// the outer event reports it, once, as coming from the outer event's control.
TEST(EventEdge, ANestedErrorEndsTheAssigningHandler)
{
    Reports r;
    std::vector<const char*> steps;
    r.edge.run(ControlId::UpDown_D, [&] {
        r.edge.through_toolkit([&] {
            steps.push_back("toolkit before the change");
            r.edge.run(ControlId::Text_D, [&] { fail(ErrorKind::TypeMismatch); });
            steps.push_back("toolkit after the change");
        });
        steps.push_back("handler after the assignment");
    });
    EXPECT_EQ(steps, (std::vector<const char*>{"toolkit before the change", "toolkit after the change"}));
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].source, ControlId::UpDown_D);
    EXPECT_EQ(r.seen[0].kind, ErrorKind::TypeMismatch);
}

TEST(EventEdge, AnAssignmentOutsideAnyEventRaisesTheNestedError)
{
    Reports r;
    EXPECT_THROW(r.edge.through_toolkit([&] { r.edge.run(ControlId::Text_D, [] { fail(ErrorKind::Overflow); }); }),
                 CalcError);
    EXPECT_TRUE(r.seen.empty());
    // Nothing is left held for the next assignment.
    EXPECT_NO_THROW(r.edge.through_toolkit([] {}));
}

TEST(EventEdge, TheFirstOfTwoNestedErrorsTravelsOn)
{
    Reports r;
    r.edge.run(ControlId::Text_Y, [&] {
        r.edge.through_toolkit([&] {
            r.edge.run(ControlId::Text_D, [] { fail(ErrorKind::Overflow); });
            r.edge.run(ControlId::Text_D, [] { fail(ErrorKind::InvalidArgument); });
        });
    });
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].kind, ErrorKind::Overflow);
}

// A nested event that no assignment collects still stops at the outer edge.
TEST(EventEdge, AHeldErrorThatNoAssignmentCollectsIsReportedAtTheEdge)
{
    Reports r;
    r.edge.run(ControlId::Check1, [&] { r.edge.run(ControlId::Text_D, [] { fail(ErrorKind::Overflow); }); });
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].source, ControlId::Check1);
    EXPECT_EQ(r.seen[0].kind, ErrorKind::Overflow);
}

TEST(EventEdge, AFailureOutsideTheFourKindsStopsThereTooWithoutAKind)
{
    Reports r;
    r.edge.run(std::nullopt, [] { throw std::bad_alloc(); });
    ASSERT_EQ(r.seen.size(), 1u);
    EXPECT_EQ(r.seen[0].source, std::nullopt);
    EXPECT_EQ(r.seen[0].kind, std::nullopt);
}

}  // namespace
}  // namespace tubaro
