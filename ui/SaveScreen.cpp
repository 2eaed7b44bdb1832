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
    m_menus.ThePuzzle().SaveGame(slot);  // a failure prints its reason
    return true;
  }
};

}  // namespace

std::unique_ptr<Screen> MakeSaveScreen(MenuSystem& menus) { return std::make_unique<SaveScreen>(menus); }
