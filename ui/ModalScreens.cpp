#include "ui/ModalScreens.h"

namespace {

MenuActions g_actions;

// Until a screen is built it ends at once.
class FinishedScreen final : public Screen {
 public:
  bool Finished() const override { return true; }
};

}  // namespace

void SetMenuActions(MenuActions actions) { g_actions = std::move(actions); }
const MenuActions& CurrentMenuActions() { return g_actions; }

void ShowPauseMenu() {}
void ShowMainMenu() {}

std::unique_ptr<Screen> MakeHighScoreScreen() { return std::make_unique<FinishedScreen>(); }
std::unique_ptr<Screen> MakeNameEntryScreen(int, int) { return std::make_unique<FinishedScreen>(); }
std::unique_ptr<Screen> MakeLoadScreen(int* loadedSlot) {
  *loadedSlot = -1;
  return std::make_unique<FinishedScreen>();
}
std::unique_ptr<Screen> MakeSaveScreen() { return std::make_unique<FinishedScreen>(); }
std::unique_ptr<Screen> MakeCreditsScreen() { return std::make_unique<FinishedScreen>(); }
std::unique_ptr<Screen> MakeCodeEntryScreen(int* foundLevel) {
  *foundLevel = -1;
  return std::make_unique<FinishedScreen>();
}
