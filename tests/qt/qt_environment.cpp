// One QApplication for every test of this program, offscreen unless the caller chose a platform.
#include <QApplication>

#include <gtest/gtest.h>

#include <optional>

namespace {

class QtEnvironment : public ::testing::Environment {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_.emplace(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

    int argc_ = 1;
    char name_[8] = "test_qt";
    char* argv_[2] = {name_, nullptr};
    std::optional<QApplication> app_;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
