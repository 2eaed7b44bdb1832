// glyphox-audio: generates the game's effects and music, and renders any
// module or WAV through the game's mixer so it can be heard without a
// sound card.
//   glyphox-audio effects GAMEDIR
//   glyphox-audio music SCORE.txt... GAMEDIR
//   glyphox-audio render MODULE|WAV OUT.wav [--seconds N] [--volume V] [--solo CHANNEL]
//   glyphox-audio analyse GAMEDIR SCORE.txt...
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "audio/SDLMikMod.h"
#include "audio/SoundFiles.h"
#include "base/FileAccess.h"
#include "tools/audio/Analysis.h"
#include "tools/audio/Composer.h"
#include "tools/audio/Effects.h"
#include "tools/audio/Render.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: glyphox-audio effects GAMEDIR\n"
               "       glyphox-audio music SCORE.txt... GAMEDIR\n"
               "       glyphox-audio render MODULE|WAV OUT.wav [--seconds N] [--volume V] [--solo CHANNEL]\n"
               "       glyphox-audio analyse GAMEDIR SCORE.txt...\n");
  return 2;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  MakeDirectoriesAlongPath(path.c_str());
  AtomicFileWriter out;
  if (!out.Open(path.c_str(), "wb") || std::fwrite(bytes.data(), 1, bytes.size(), out.File()) != bytes.size() ||
      !out.Commit()) {
    std::fprintf(stderr, "Couldn't write %s\n", path.c_str());
    return false;
  }
  return true;
}

int Effects(const std::string& root) {
  for (int i = 0; i < kSoundCount; ++i)
    if (!WriteFile(root + "/" + g_soundTable[i], EncodeWav(audiogen::MakeEffect(i)))) return 1;
  return 0;
}

bool ReadScore(const std::string& path, audiogen::Score& score) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  if (!in || !audiogen::ParseScore(text.str(), score, error)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), in ? error.c_str() : "cannot read");
    return false;
  }
  if (score.track >= kMusicCount) {
    std::fprintf(stderr, "%s: no track %d in the music table\n", path.c_str(), score.track);
    return false;
  }
  return true;
}

int Music(const std::vector<std::string>& scores, const std::string& root) {
  for (const std::string& path : scores) {
    audiogen::Score score;
    audiogen::ModSong song;
    std::string error;
    if (!ReadScore(path, score)) return 1;
    if (!audiogen::ComposeModule(score, song, error)) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
      return 1;
    }
    const std::vector<uint8_t> image = audiogen::EncodeMod(song);
    if (image.empty()) {
      std::fprintf(stderr, "%s: too many patterns, orders or instruments\n", path.c_str());
      return 1;
    }
    if (!WriteFile(root + "/" + g_musicTable[score.track], image)) return 1;
  }
  return 0;
}

int Render(int argc, char** argv) {
  if (argc < 4) return Usage();
  double seconds = 600.0;
  int volume = -1, solo = -1;
  for (int i = 4; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atof(argv[++i]);
    else if (!std::strcmp(argv[i], "--solo") && i + 1 < argc) solo = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--volume") && i + 1 < argc) volume = std::atoi(argv[++i]);
    else return Usage();
  }
  if (!(seconds > 0.0)) return Usage();
  if (!SDLMikMod_InitOffline(audiogen::kRenderRate)) return 1;
  audiogen::Rendering rendering;
  std::vector<uint8_t> image;
  const bool ok = solo < 0 ? audiogen::RenderFile(argv[2], seconds, volume < 0 ? 128 : volume, rendering)
                           : ReadFileBytes(argv[2], kMaxSoundFileBytes, image) == FileRead::kOk &&
                                 audiogen::RenderModule(image, seconds, volume < 0 ? 128 : volume, ~(1u << solo), rendering);
  SDLMikMod_Quit();
  if (!ok) {
    std::fprintf(stderr, "Couldn't render %s\n", argv[2]);
    return 1;
  }
  if (!WriteFile(argv[3],
                 EncodeWavSamples(rendering.samples.data(), rendering.samples.size(), audiogen::kRenderRate, 2)))
    return 1;
  const audiogen::Figures f = audiogen::Measure(rendering.samples, audiogen::kRenderRate);
  std::printf("%s: %.2f s, peak %.1f dBFS (%.3f), %d clipped, longest silence %.2f s, onset %.1f ms\n", argv[2],
              f.seconds, 20.0 * std::log10(f.peak > 0 ? f.peak : 1e-9), f.peak, f.clippedSamples, f.longestSilence,
              f.onset * 1000.0);
  return 0;
}

// The figures of each score's module in the game tree; status 1 when one
// misses its limits.
int Analyse(const std::string& root, const std::vector<std::string>& scores) {
  if (!SDLMikMod_InitOffline(audiogen::kRenderRate)) return 1;
  std::vector<std::string> names;
  std::vector<audiogen::TrackFigures> tracks;
  bool ok = true;
  for (const std::string& path : scores) {
    audiogen::Score score;
    std::vector<uint8_t> image;
    std::string error;
    audiogen::TrackFigures figures;
    if (!ReadScore(path, score)) {
      ok = false;
      break;
    }
    const std::string module = root + "/" + g_musicTable[score.track];
    if (ReadFileBytes(module.c_str(), kMaxSoundFileBytes, image) != FileRead::kOk ||
        !audiogen::AnalyseTrack(score, image, figures, error)) {
      std::fprintf(stderr, "%s: %s\n", module.c_str(), error.empty() ? "cannot read" : error.c_str());
      ok = false;
      break;
    }
    names.push_back(module.substr(module.rfind('/') + 1));
    tracks.push_back(figures);
  }
  SDLMikMod_Quit();
  if (!ok) return 1;
  std::printf("%s", audiogen::FiguresTable(names, tracks).c_str());
  const std::string misses = audiogen::Misses(names, tracks);
  std::printf("%s", misses.empty() ? "every figure within its limit\n" : misses.c_str());
  return misses.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "effects" && argc == 3) return Effects(argv[2]);
  if (command == "music" && argc >= 4) return Music(std::vector<std::string>(argv + 2, argv + argc - 1), argv[argc - 1]);
  if (command == "render") return Render(argc, argv);
  if ((command == "analyse" || command == "analyze") && argc >= 4)
    return Analyse(argv[2], std::vector<std::string>(argv + 3, argv + argc));
  return Usage();
}
