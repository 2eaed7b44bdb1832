// The readable level source that glyphox-level compiles into level files and
// writes back from them (the format is described in levels/README.md):
//
//   ; comment                 (';' starts a comment anywhere on a line)
//   level [title]             starts a level
//   code QZKRT                the plain access code, five characters
//   board                     followed by the rows: '#' wall, '.' floor,
//   #..CAT..#                   a capital a movable cube, a small letter a
//   #########                   static block showing its capital
//   word CAT 3 1 h            text, x, y of the first letter, h or v
//   record 7                  optional: the level's place when the set was
//                               first published, under which high scores
//                               and saved games keep it (the build writes
//                               the record order beside the level file)
//   end
//
// Optional lines carry what the readable form cannot say, so that any level
// file comes back byte for byte:
//   codebytes 51 5A 4B 52 54  the five plain code bytes in hex
//   wordhex <132 hex digits>  a whole 66-byte word entry
//   cell X Y CODE LLLL        a square's exact cell code and letter (hex
//                             UTF-16 unit); a '?' in a row stands for such
//                             a square
#pragma once

#include <string>

#include "puzzle/LevelSet.h"

// Compiles a source into a level set (wall squares get the shapes
// RecomputeWallShapes gives, static blocks counting as walls). Returns false
// with "line N: reason" in error.
bool ParseLevelSource(const std::string& text, LevelSet& set, std::string& error);
// The source of a level set; ParseLevelSource of it gives the same set.
std::string WriteLevelSource(const LevelSet& set);

// Simple case mapping of the letters level sources use (Latin, Greek,
// Cyrillic, and ß with its capital ẞ, as German words in capitals are
// written); a unit without a case partner maps to itself.
char16_t UpperCaseOf(char16_t unit);
char16_t LowerCaseOf(char16_t unit);
