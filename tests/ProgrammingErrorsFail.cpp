// Every panel test fails when the framework reports a programming error: a data
// exchange with an id that has no control, or an exception stopped at a window
// procedure.
#include <gtest/gtest.h>

#include "ui/ProgrammingError.h"

namespace {

class CProgrammingErrorsFail : public testing::Environment {
public:
    void SetUp() override
    {
        SetProgrammingErrorHook([](const char* what) { ADD_FAILURE() << "programming error: " << what; });
    }
    void TearDown() override { SetProgrammingErrorHook(nullptr); }
};

[[maybe_unused]] testing::Environment* const kProgrammingErrorsFail =
    testing::AddGlobalTestEnvironment(new CProgrammingErrorsFail);

}  // namespace
