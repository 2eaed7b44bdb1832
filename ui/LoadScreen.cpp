// The load screen: a used slot is read into the game (the game then resumes
// it); an empty slot does nothing.
#include "config/Language.h"
#include "puzzle/SavedGame.h"
#include "ui/MenuScreen.h"
#include "ui/ModalScreens.h"
#include "ui/Options.h"
#include "ui/SlotListScreen.h"

namespace {

class LoadScreen final : public SlotListScreen {
 public:
  LoadScreen(MenuSystem& menus, std::function<void()> loaded) : SlotListScreen(menus), m_loaded(std::move(loaded)) {}

 protected:
  const CUString& Title() const override { return Label(LabelKey::LoadGame); }
  bool ChooseSlot(int slot, const SaveSlotInfo& info) override {
    if (info.state == SlotState::kEmpty) return false;
    if (info.state != SlotState::kUsed || !m_menus.ThePuzzle().LoadGame(slot)) {
      // Nothing changed; the reason is on stderr, and the row says damaged
      // or unreadable.
      ShowNotice(Label(LabelKey::LoadFailed));
      Refresh();
      return false;
    }
    // The options show the loaded game's level set and difficulty.
    SelectOption(m_menus.Menus(), kOptionLangage, kChoiceLevelSetFirst + info.levelSet);
    SelectOption(m_menus.Menus(), kOptionDifficulty, kChoiceEasy + info.difficulty);
    // Off the stack first: what the game does with the loaded slot happens
    // under this screen.
    Flow().Pop();
    if (m_loaded) m_loaded();
    return false;
  }

 private:
  std::function<void()> m_loaded;
};

}  // namespace

std::unique_ptr<Screen> MakeLoadScreen(MenuSystem& menus, std::function<void()> loaded) {
  return std::make_unique<LoadScreen>(menus, std::move(loaded));
}
