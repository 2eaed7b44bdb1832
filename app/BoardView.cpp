// The board scene as the playing state shows and picks it.
#include "app/BoardView.h"

#include "app/FrameClock.h"
#include "app/GameState.h"
#include "engine3d/GLContext.h"
#include "puzzle/Rules.h"
#include "puzzle/Scene.h"
#include "render/BoardScene.h"
#include "render/Themes.h"

CameraPose CurrentCameraPose() {
  const CameraView& view = g_game.camera ? *g_game.camera : g_game.overview;
  return CameraPose{view.spin, view.tilt, view.zoom, g_game.cameraMode == 1 ? 1 : 0,
                    {g_game.cameraPan[0], g_game.cameraPan[1], g_game.cameraPan[2]}};
}

void PickUnderPointer() {
  SetBoardProjection(g_screen.width, g_screen.height);
  PlaceCamera(CurrentCameraPose());
  PickResult result;
  Pick(g_game.mouseX, g_game.mouseY, result);
  g_game.pickKind = result.kind;
  g_game.pickIndex = result.index;
}

void DrawPlayingBoard(bool noHover) {
  BoardFrame frame;
  frame.camera = CurrentCameraPose();
  frame.elapsedFrames = g_clock.elapsedFrames;
  frame.slowPhase = g_clock.slowPhase;
  frame.frameDelta = g_clock.frameDelta;
  frame.drawArrows = g_game.drawArrows;
  frame.drawArrowHover = g_game.drawArrowHover;
  frame.drawCubes = g_game.drawSwitch3;
  frame.noHover = noHover ? 1 : 0;
  frame.hoveredArrow = g_game.pickKind == kPickArrow ? g_game.pickIndex : -1;
  frame.options = CurrentRenderOptions();
  SetBoardProjection(g_screen.width, g_screen.height);
  DrawBoard(frame);
  UpdateLevel();
}

void Celebrate() { StartParticleBurst(); }
