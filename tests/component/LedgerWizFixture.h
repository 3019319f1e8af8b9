#pragma once

#include "TempFolder.h"
#include "component/ComponentLibrary.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>

namespace kx::test {

/// The class registry pointed at a file of the test's own, for the test's time.
class TestRegistry {
  public:
    TestRegistry() { ::setenv(KX_COMPONENT_REGISTRY_VARIABLE, file_.c_str(), 1); }
    ~TestRegistry() { ::unsetenv(KX_COMPONENT_REGISTRY_VARIABLE); }
    TestRegistry(const TestRegistry&) = delete;
    TestRegistry& operator=(const TestRegistry&) = delete;
    const std::filesystem::path& file() const { return file_; }

  private:
    TempFolder folder_;
    std::filesystem::path file_ = folder_.path() / "registry.ini";
};

/// The built libkxLedgerWiz.so, loaded for one test, with a registry of its own.
/// Every test must leave the library free to unload: all class objects released,
/// all controls destroyed, all locks undone.
class LedgerWizFixture : public testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(library.CanUnloadNow(), KX_S_OK) << "the test left the library in use";
    }

    TestRegistry registry;
    component::ComponentLibrary library{KX_LEDGERWIZ_LIBRARY};
};

} // namespace kx::test
