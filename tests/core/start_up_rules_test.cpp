#include "core/start_up_rules.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct MarkerCase {
    const char* content;
    bool testMode;
};

class TestMarker : public ::testing::TestWithParam<MarkerCase> {};

TEST_P(TestMarker, AnyWordExactlyDiagSwitchTurnsTestModeOn)
{
    EXPECT_EQ(markerEnablesTestMode(GetParam().content), GetParam().testMode);
}

INSTANTIATE_TEST_SUITE_P(Contents, TestMarker,
                         ::testing::Values(MarkerCase{"DIAG_SWITCH", true}, MarkerCase{"hello DIAG_SWITCH", true},
                                           MarkerCase{"a\r\n\tDIAG_SWITCH\r\n", true},
                                           MarkerCase{"DIAG_SWITCHED", false}, MarkerCase{"XDIAG_SWITCH", false},
                                           MarkerCase{"diag_switch", false}, MarkerCase{"", false},
                                           MarkerCase{"   \n ", false}));

} // namespace
} // namespace quorvel
