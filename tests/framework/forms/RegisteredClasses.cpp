// The form descriptions read here name classes of every framework layer: register them all
// once, as a program registers the highest layer it uses before reading its forms.
#include <gtest/gtest.h>

#include "framework/grids/Grids.h"
#include "framework/menus/Menus.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

namespace {

class TFrameworkClassesEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        RegisterGridsClasses();
        RegisterCommonControlsClasses();
        RegisterMenuClasses();
    }
};

[[maybe_unused]] ::testing::Environment* const FrameworkClasses =
    ::testing::AddGlobalTestEnvironment(new TFrameworkClassesEnvironment);

} // namespace
