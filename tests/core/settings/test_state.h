#pragma once
// A state of its own for one test: a SettingsModel (or an AppState, for the tests of the
// application) whose data folder is a fresh temporary folder with its config\ subfolder. Nothing
// is shared between tests, so none has anything to restore.
#include <filesystem>
#include <memory>

#include "settings/settings_model.h"
#include "settings/temp_folder.h"

namespace gm::test {

template <typename State = SettingsModel>
class TestState {
 public:
  TestState() : state_(std::make_unique<State>()) {
    std::filesystem::create_directories(folder_.Path() / "config");
    state_->env.dataFolder = folder_.Program();
  }

  State& operator*() const { return *state_; }
  State* operator->() const { return state_.get(); }
  const TempFolder& Folder() const { return folder_; }

 private:
  TempFolder folder_;
  std::unique_ptr<State> state_;  // on the heap: the profile records and sensor tables are large
};

}  // namespace gm::test
