// The save screen: the running game goes into the chosen slot.
#include "config/Language.h"
#include "puzzle/SavedGame.h"
#include "ui/ModalScreens.h"
#include "ui/SlotListScreen.h"

namespace {

class SaveScreen final : public SlotListScreen {
 public:
  using SlotListScreen::SlotListScreen;

 protected:
  const CUString& Title() const override { return Label(LabelKey::SaveGame); }
  bool ChooseSlot(int slot, const SaveSlotInfo&) override {
    int error = 0;
    if (m_menus.ThePuzzle().SaveGame(slot, &error)) return true;
    // The game is not saved: the player stays to read why, and may choose
    // another slot or leave.
    ShowNotice(FailureText(LabelKey::SaveFailed, error));
    Refresh();
    return false;
  }
};

}  // namespace

std::unique_ptr<Screen> MakeSaveScreen(MenuSystem& menus) { return std::make_unique<SaveScreen>(menus); }
