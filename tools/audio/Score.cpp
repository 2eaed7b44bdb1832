// Reads the text form of a tune.
#include "tools/audio/Score.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace audiogen {

namespace {

const int kScales[4][7] = {
    {0, 2, 4, 5, 7, 9, 11},  // major
    {0, 2, 3, 5, 7, 8, 10},  // natural minor
    {0, 2, 3, 5, 7, 9, 10},  // dorian
    {0, 2, 4, 5, 7, 9, 10},  // mixolydian
};
const char* const kModes[4] = {"major", "minor", "dorian", "mixolydian"};
const char* const kHarmonyStyles[] = {"sustain", "broken", "arp", "rest"};
const char* const kBassStyles[] = {"root", "walk", "pulse", "drone", "arp", "rest"};
const char* const kVariations[] = {"high", "fill", "thin", "end"};

template <size_t N>
bool OneOf(const std::string& word, const char* const (&names)[N]) {
  return std::find(std::begin(names), std::end(names), word) != std::end(names);
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

// Bars separated by '|', each as its words; brackets stand apart.
std::vector<std::vector<std::string>> Bars(const std::string& text) {
  std::vector<std::vector<std::string>> bars;
  std::string current;
  for (char c : text + "|") {
    if (c == '[' || c == ']') {
      current += std::string(" ") + c + " ";
    } else if (c != '|') {
      current += c;
    } else {
      std::vector<std::string> words = Words(current);
      if (!words.empty()) bars.push_back(words);
      current.clear();
    }
  }
  return bars;
}

int NoteName(const std::string& name) {
  static const char* kLetters = "CDEFGAB";
  static const int kSemis[7] = {0, 2, 4, 5, 7, 9, 11};
  if (name.empty()) return -1;
  const char* at = std::strchr(kLetters, std::toupper(static_cast<unsigned char>(name[0])));
  if (!at || !*at) return -1;
  int semis = kSemis[at - kLetters];
  for (size_t i = 1; i < name.size(); ++i) {
    if (name[i] == '#') ++semis;
    else if (name[i] == 'b') --semis;
    else return -1;
  }
  return semis;
}

bool ParseKey(const std::vector<std::string>& words, Key& key) {
  if (words.size() != 4) return false;
  const int semis = NoteName(words[1]);
  const auto mode = std::find(std::begin(kModes), std::end(kModes), words[2]);
  if (semis < 0 || mode == std::end(kModes)) return false;
  key.mode = static_cast<Key::Mode>(mode - std::begin(kModes));
  // The octave is checked before any arithmetic: a huge one would overflow.
  const long octave = std::strtol(words[3].c_str(), nullptr, 10);
  if (octave < 0 || octave > 9) return false;
  key.tonic = static_cast<int>(octave + 1) * 12 + semis;
  return key.tonic >= 36 && key.tonic <= 84;
}

bool ParseChord(const Key& key, const std::string& word, Chord& chord) {
  size_t at = 0;
  int shift = 0;
  while (at < word.size() && (word[at] == 'b' || word[at] == '#')) shift += word[at++] == '#' ? 1 : -1;
  static const char* kNumerals[7] = {"VII", "III", "IV", "VI", "II", "V", "I"};
  static const int kDegrees[7] = {6, 2, 3, 5, 1, 4, 0};
  int degree = -1;
  bool upper = false;
  for (int i = 0; i < 7 && degree < 0; ++i) {
    const std::string numeral = kNumerals[i];
    if (word.size() - at < numeral.size()) continue;
    bool same = true, allUpper = true;
    for (size_t k = 0; k < numeral.size(); ++k) {
      const char c = word[at + k];
      if (std::toupper(static_cast<unsigned char>(c)) != numeral[k]) same = false;
      if (!std::isupper(static_cast<unsigned char>(c))) allUpper = false;
    }
    if (!same) continue;
    degree = kDegrees[i];
    upper = allUpper;
    at += numeral.size();
  }
  if (degree < 0) return false;
  bool diminished = false, seventh = false;
  for (; at < word.size(); ++at) {
    if (word[at] == 'o') diminished = true;
    else if (word[at] == '7') seventh = true;
    else return false;
  }
  chord.root = key.tonic + key.DegreeSemitones(degree) + shift;
  chord.intervals = {upper ? 4 : 3, diminished ? 6 : 7};
  if (seventh) {
    int seventhInterval = ((key.tonic + key.DegreeSemitones(degree + 6) - chord.root) % 12 + 12) % 12;
    if (upper && degree == 4) seventhInterval = 10;  // the dominant seventh, in minor keys too
    chord.intervals.push_back(seventhInterval);
  }
  return true;
}

bool ParseNote(const Key& key, const std::string& word, MelodyStep& step) {
  if (word == "-" || word == ".") {
    step.kind = word == "-" ? MelodyStep::kHold : MelodyStep::kRest;
    return true;
  }
  size_t at = 0;
  int shift = 0;
  while (at < word.size() && (word[at] == 'b' || word[at] == '#')) shift += word[at++] == '#' ? 1 : -1;
  if (at >= word.size() || word[at] < '1' || word[at] > '7') return false;
  int degree = word[at++] - '1';
  for (; at < word.size(); ++at) {
    if (word[at] == '\'') degree += 7;
    else if (word[at] == ',') degree -= 7;
    else return false;
  }
  step.kind = MelodyStep::kNote;
  step.degree = degree;
  step.pitch = key.tonic + key.DegreeSemitones(degree) + shift;
  return true;
}

// Eighth slots of melody words: one word fills both sixteenths of its slot
// (a note and its hold), "[a b]" gives each sixteenth its own word.
bool ParseSlots(const Key& key, const std::vector<std::string>& words, std::vector<MelodyStep>& out,
                std::string& why) {
  for (size_t i = 0; i < words.size(); ++i) {
    MelodyStep first, second;
    if (words[i] == "[") {
      if (i + 3 >= words.size() || words[i + 3] != "]") {
        why = "a bracket holds two sixteenths";
        return false;
      }
      if (!ParseNote(key, words[i + 1], first) || !ParseNote(key, words[i + 2], second)) {
        why = "unknown melody step in " + words[i + 1] + " " + words[i + 2];
        return false;
      }
      i += 3;
    } else {
      if (!ParseNote(key, words[i], first)) {
        why = "unknown melody step " + words[i];
        return false;
      }
      second.kind = first.kind == MelodyStep::kRest ? MelodyStep::kRest : MelodyStep::kHold;
    }
    out.push_back(first);
    out.push_back(second);
  }
  return true;
}

bool ParsePart(const std::vector<std::string>& words, Part& part) {
  if (words.size() < 3) return false;
  part.instrument = words[1];
  part.volume = std::atoi(words[2].c_str());
  part.style = words.size() > 3 ? words[3] : "";
  return part.volume >= 0 && part.volume <= 64;
}

}  // namespace

int Key::DegreeSemitones(int degree) const {
  const int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
  return octave * 12 + kScales[mode][degree - octave * 7];
}

const Chord& Section::ChordAt(int row) const {
  const auto& bar = chords[static_cast<size_t>(row / kStepsPerBar)];
  return bar[static_cast<size_t>(row % kStepsPerBar) * bar.size() / kStepsPerBar];
}

bool FormEntry::Has(const char* variation) const {
  return std::find(variations.begin(), variations.end(), variation) != variations.end();
}

const Section* Score::Find(const std::string& name) const {
  for (const Section& s : sections)
    if (s.name == name) return &s;
  return nullptr;
}

Chord Score::ChordAt(size_t position, int row) const {
  const Section& s = At(position);
  if (form[position].Has("end") && row >= (s.bars - 1) * kStepsPerBar) {
    Chord tonic;
    tonic.root = s.key.tonic;
    tonic.intervals = {s.key.MinorThird() ? 3 : 4, 7};
    return tonic;
  }
  return s.ChordAt(row);
}

bool ParseScore(const std::string& text, Score& score, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  Section* section = nullptr;
  auto fail = [&](const std::string& why) {
    error = "line " + std::to_string(number) + ": " + why;
    return false;
  };
  while (std::getline(in, line)) {
    ++number;
    // Comments take whole lines: '#' is also the sharp of a melody step.
    const size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == '#') continue;
    const std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    const std::string& key = words[0];
    const std::string rest = line.substr(line.find(key) + key.size());
    std::string why;
    if (key == "track" && words.size() == 2) {
      score.track = std::atoi(words[1].c_str());
    } else if (key == "title") {
      score.title = Words(rest).empty() ? "" : rest.substr(rest.find_first_not_of(" \t"));
    } else if (key == "key") {
      if (!ParseKey(words, section ? section->key : score.key))
        return fail("key wants NOTE major|minor|dorian|mixolydian OCTAVE");
    } else if (key == "tempo" && words.size() == 2) {
      score.tempo = std::atoi(words[1].c_str());
      if (score.tempo < 32 || score.tempo > 255) return fail("tempo out of 32..255");
    } else if ((key == "harmony" || key == "bass") && section) {
      if (words.size() != 2 || !(key == "bass" ? OneOf(words[1], kBassStyles) : OneOf(words[1], kHarmonyStyles)))
        return fail("unknown " + key + " style");
      (key == "bass" ? section->bassStyle : section->harmonyStyle) = words[1];
    } else if (key == "lead" || key == "harmony" || key == "bass") {
      Part& part = key == "lead" ? score.lead : key == "harmony" ? score.harmony : score.bass;
      if (!ParsePart(words, part)) return fail("part wants INSTRUMENT VOLUME [STYLE]");
      if ((key == "bass" && !OneOf(part.style, kBassStyles)) || (key == "harmony" && !OneOf(part.style, kHarmonyStyles)))
        return fail("unknown " + key + " style " + part.style);
    } else if (key == "drums" && !section) {
      score.drumVolume = words.size() == 2 ? std::atoi(words[1].c_str()) : -1;
      if (score.drumVolume < 0 || score.drumVolume > 64) return fail("drums wants VOLUME");
    } else if (key == "section" && words.size() == 2) {
      if (score.Find(words[1])) return fail("section " + words[1] + " twice");
      score.sections.push_back(Section());
      section = &score.sections.back();
      section->name = words[1];
      section->key = score.key;
    } else if (key == "chords" && section) {
      for (const auto& bar : Bars(rest)) {
        std::vector<Chord> chords;
        for (const std::string& word : bar) {
          Chord chord;
          if (!ParseChord(section->key, word, chord)) return fail("unknown chord " + word);
          chords.push_back(chord);
        }
        if (chords.size() != 1 && chords.size() != 2 && chords.size() != 4) return fail("one, two or four chords a bar");
        section->chords.push_back(chords);
      }
    } else if (key == "melody" && section) {
      for (const auto& bar : Bars(rest)) {
        std::vector<MelodyStep> steps;
        if (!ParseSlots(section->key, bar, steps, why)) return fail(why);
        if (steps.size() != kStepsPerBar) return fail("a melody bar has eight eighths");
        section->melody.insert(section->melody.end(), steps.begin(), steps.end());
      }
      section->bars = static_cast<int>(section->melody.size() / kStepsPerBar);
      if (section->bars < 1 || section->bars > kMaxBarsPerSection) return fail("a section has one to four bars");
    } else if (key == "pickup" && section) {
      std::vector<std::string> slots;
      for (const auto& bar : Bars(rest)) slots.insert(slots.end(), bar.begin(), bar.end());
      if (!ParseSlots(section->key, slots, section->pickup, why)) return fail(why);
      if (section->pickup.empty() || section->pickup.size() > kStepsPerBar) return fail("a pickup fills at most a bar");
    } else if (key == "drums" && section) {
      for (const auto& bar : Bars(rest)) {
        std::string steps;
        for (const std::string& word : bar) steps += word;
        if (steps.size() != kStepsPerBar || steps.find_first_not_of(".kKsShHoOrR") != std::string::npos)
          return fail("a drum bar has sixteen steps of . k s h o r (upper case accents)");
        section->drums.push_back(steps);
      }
    } else if (key == "form") {
      for (size_t i = 1; i < words.size(); ++i) {
        FormEntry entry;
        std::istringstream parts(words[i]);
        std::string piece;
        std::getline(parts, entry.section, ':');
        while (std::getline(parts, piece, ':')) {
          if (!OneOf(piece, kVariations)) return fail("unknown variation " + piece);
          entry.variations.push_back(piece);
        }
        score.form.push_back(entry);
      }
    } else {
      return fail("unknown line " + key);
    }
  }
  if (score.track < 0) return fail("no track number");
  if (score.form.empty()) return fail("no form");
  if (score.form.size() > 128) return fail("more than 128 form entries");
  for (const Section& s : score.sections) {
    if (s.melody.empty()) return fail("section " + s.name + " has no melody");
    if (static_cast<int>(s.chords.size()) != s.bars) return fail("section " + s.name + ": chords and melody differ in bars");
    if (s.drums.empty() || s.bars % static_cast<int>(s.drums.size()))
      return fail("section " + s.name + ": its drum bars must divide its bars");
  }
  for (const FormEntry& f : score.form)
    if (!score.Find(f.section)) return fail("form names unknown section " + f.section);
  return true;
}

}  // namespace audiogen
