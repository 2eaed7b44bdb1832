// The vocabulary of a theme directory, defined once for the theme loader, the
// art generator that writes the themes, the art viewer and the tests: where
// themes live, the files each holds and the keys of its "theme.ini".
#pragma once

#include "puzzle/WallShapes.h"

// Theme i (0-based) lives in "data/gfx/theme<i + 1>/" ("%s%d/").
constexpr const char* kThemeDirectoryBase = "data/gfx/theme";
constexpr int kMaxThemes = 12;
constexpr const char* kThemeIniFile = "theme.ini";
constexpr const char* kThemeObjectFolder = "3d/";
constexpr const char* kThemeTextureFolder = "texture/";

// The wall piece of each wall shape, in shape order.
constexpr const char* kWallPieceFiles[kWallShapeCount] = {
    "mur_Blocf.3do",   "mur_Blocdgo.3do", "mur_Blochbo.3do", "mur_Blocco.3do",  "mur_Blocdbo.3do", "mur_Blocbgo.3do",
    "mur_Blochdo.3do", "mur_Blochgo.3do", "mur_Blocdo.3do",  "mur_Blocgo.3do",  "mur_Blocbo.3do",  "mur_Blocho.3do",
    "mur_Blocgf.3do",  "mur_Blocdf.3do",  "mur_Blochf.3do",  "mur_Blocbf.3do"};

// The other objects of "3d/".
constexpr const char* kArrowModel = "fleche.3do";
constexpr const char* kArrowMorphModel = "flechemorph.3do";
constexpr const char* kBackgroundModel = "fond.3do";
constexpr const char* kFloorModel = "sol.3do";

// The meshes of the background that the board frame knows by name: the sky is
// left out while the ground and the haze ring around it, flat and opaque
// together, fill the whole view.
constexpr const char* kSkyMesh = "ciel";
constexpr const char* kGroundMesh = "terre";
constexpr const char* kHazeMesh = "brume";

// The fixed textures of "texture/".
constexpr const char* kCubeFaceTexture = "objet.png";
constexpr const char* kCubeFaceOnTexture = "objeton.png";
constexpr const char* kCubeFaceOffTexture = "objetoff.png";
constexpr const char* kGroundTileTexture = "echec.png";
constexpr const char* kArrowShadowTexture = "shadowarrow.png";
constexpr const char* kBorderTexture = "bordure.png";
constexpr const char* kSelectionTexture = "halo2.png";
constexpr const char* kArrowOffTexture = "flecheof.png";
constexpr const char* kArrowOnTexture = "flecheon.png";

// The keys of "theme.ini", in the order the game's themes list them.
enum ThemeKey : int {
  kKeyLight0Position,
  kKeyLight0Ambient,
  kKeyLight0Diffuse,
  kKeyLight1Position,
  kKeyLight1Ambient,
  kKeyLight1Diffuse,
  kKeyShadowColor,
  kKeyShadowStrength,
  kKeyReflectStrength,
  kKeyCartoonLineWidth,
  kKeyCartoonColor,
  kKeyCartoonAlpha,
  kKeyGroundLetterColor,
  kKeyFont,
  kThemeKeyCount
};
constexpr const char* kThemeKeys[kThemeKeyCount] = {
    "Light0_Position", "Light0_Ambient",  "Light0_Diffuse",   "Light1_Position", "Light1_Ambient",
    "Light1_Diffuse",  "ShadowColor",     "ShadowStrength",   "ReflectStrength", "CartoonLineWidth",
    "CartoonColor",    "CartoonAlpha",    "GroundLetterColor", "Font"};
// How each key's value is written: three floats ("%f,%f,%f"), one float, or text.
enum ThemeValueKind : int { kThemeTriple, kThemeSingle, kThemeText };
constexpr ThemeValueKind kThemeKeyKinds[kThemeKeyCount] = {
    kThemeTriple, kThemeTriple, kThemeTriple, kThemeTriple, kThemeTriple, kThemeTriple, kThemeTriple,
    kThemeSingle, kThemeSingle, kThemeSingle, kThemeTriple, kThemeSingle, kThemeTriple, kThemeText};
