#include "tests/app/AppRoots.h"

#include "app/qv_data.h"
#include "app/qv_main.h"

#include <gtest/gtest.h>

namespace {

void CreateAppRoots()
{
    CreateComponent<TDataModuleMain>(nullptr);
    CreateComponent<TFormMain>(nullptr);
}

void FreeAppRoots()
{
    if (FormMain != nullptr)
        FormMain->Free();
    if (DataModuleMain != nullptr)
        DataModuleMain->Free();
}

class TAppRootsEnvironment : public ::testing::Environment {
public:
    void SetUp() override { CreateAppRoots(); }
    void TearDown() override { FreeAppRoots(); }
};

[[maybe_unused]] ::testing::Environment* const Environment =
    ::testing::AddGlobalTestEnvironment(new TAppRootsEnvironment);

} // namespace

TOwnAppRoots::TOwnAppRoots()
{
    FreeAppRoots();
}

TOwnAppRoots::~TOwnAppRoots()
{
    FreeAppRoots();
    CreateAppRoots();
}
