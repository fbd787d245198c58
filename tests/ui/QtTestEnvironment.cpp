// One QApplication for the whole window test program, made before the first
// test and destroyed after the last one: destroying it among the exit-time
// statics crashes inside Qt.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

class QtTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!QCoreApplication::instance()) app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "exo_ui_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// gtest owns the environment.
[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

}  // namespace
