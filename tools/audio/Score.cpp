// Reads the text form of a tune.
#include "tools/audio/Score.h"

#include <cctype>
#include <sstream>

namespace audiogen {

namespace {

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

// Bars separated by '|'; each bar's words.
std::vector<std::vector<std::string>> Bars(const std::string& text) {
  std::vector<std::vector<std::string>> bars;
  std::string current;
  for (char c : text + "|") {
    if (c != '|') {
      current += c;
      continue;
    }
    std::vector<std::string> words = Words(current);
    if (!words.empty()) bars.push_back(words);
    current.clear();
  }
  return bars;
}

int NoteName(const std::string& name) {
  static const char* kLetters = "CDEFGAB";
  static const int kSemis[7] = {0, 2, 4, 5, 7, 9, 11};
  if (name.empty()) return -1;
  const char* at = nullptr;
  for (const char* p = kLetters; *p; ++p)
    if (*p == std::toupper(static_cast<unsigned char>(name[0]))) at = p;
  if (!at) return -1;
  int semis = kSemis[at - kLetters];
  for (size_t i = 1; i < name.size(); ++i) semis += name[i] == '#' ? 1 : name[i] == 'b' ? -1 : 0;
  return semis;
}

bool ParseChord(const Score& score, const std::string& word, Chord& chord) {
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
  chord.root = score.tonic + score.DegreeSemitones(degree) + shift;
  chord.intervals = {upper ? 4 : 3, diminished ? 6 : 7};
  if (seventh) {
    int seventhInterval = ((score.tonic + score.DegreeSemitones(degree + 6) - chord.root) % 12 + 12) % 12;
    if (upper && degree == 4) seventhInterval = 10;  // the dominant seventh, in minor keys too
    chord.intervals.push_back(seventhInterval);
  }
  return true;
}

bool ParseMelodyWord(const Score& score, const std::string& word, MelodyStep& step) {
  if (word == "-") {
    step.kind = MelodyStep::kHold;
    return true;
  }
  if (word == ".") {
    step.kind = MelodyStep::kRest;
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
  step.pitch = score.tonic + score.DegreeSemitones(degree) + shift;
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

const Section* Score::Find(const std::string& name) const {
  for (const Section& s : sections)
    if (s.name == name) return &s;
  return nullptr;
}

int Score::DegreeSemitones(int degree) const {
  const int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
  const int step = degree - octave * 7;
  return octave * 12 + (minor ? kMinor : kMajor)[step];
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
    if (key == "track" && words.size() == 2) {
      score.track = std::atoi(words[1].c_str());
    } else if (key == "title") {
      score.title = Words(rest).empty() ? "" : rest.substr(rest.find_first_not_of(' '));
    } else if (key == "key" && words.size() == 4) {
      const int semis = NoteName(words[1]);
      if (semis < 0 || (words[2] != "major" && words[2] != "minor")) return fail("key wants NOTE major|minor OCTAVE");
      score.minor = words[2] == "minor";
      score.tonic = (std::atoi(words[3].c_str()) + 1) * 12 + semis;
    } else if (key == "tempo" && words.size() == 2) {
      score.tempo = std::atoi(words[1].c_str());
      if (score.tempo < 32 || score.tempo > 255) return fail("tempo out of 32..255");
    } else if (key == "lead" || key == "harmony" || key == "bass") {
      Part& part = key == "lead" ? score.lead : key == "harmony" ? score.harmony : score.bass;
      if (!ParsePart(words, part)) return fail("part wants INSTRUMENT VOLUME [STYLE]");
    } else if (key == "drums" && !section) {
      score.drumVolume = words.size() == 2 ? std::atoi(words[1].c_str()) : -1;
      if (score.drumVolume < 0 || score.drumVolume > 64) return fail("drums wants VOLUME");
    } else if (key == "section" && words.size() == 2) {
      score.sections.push_back(Section());
      section = &score.sections.back();
      section->name = words[1];
    } else if (key == "chords" && section) {
      for (const auto& bar : Bars(rest)) {
        std::vector<Chord> chords;
        for (const std::string& word : bar) {
          Chord chord;
          if (!ParseChord(score, word, chord)) return fail("unknown chord " + word);
          chords.push_back(chord);
        }
        if (chords.size() > 2) return fail("at most two chords a bar");
        section->chords.push_back(chords);
      }
      if (section->chords.size() != kBarsPerSection) return fail("a section has four bars of chords");
    } else if (key == "melody" && section) {
      for (const auto& bar : Bars(rest)) {
        if (bar.size() != kEighthsPerBar) return fail("a melody bar has eight eighths");
        for (const std::string& word : bar) {
          MelodyStep step;
          if (!ParseMelodyWord(score, word, step)) return fail("unknown melody step " + word);
          section->melody.push_back(step);
        }
      }
      if (section->melody.size() != kBarsPerSection * kEighthsPerBar) return fail("a section has four melody bars");
    } else if (key == "drums" && section) {
      for (const auto& bar : Bars(rest)) {
        std::string steps;
        for (const std::string& word : bar) steps += word;
        if (steps.size() != kStepsPerBar || steps.find_first_not_of(".kKsShHo") != std::string::npos)
          return fail("a drum bar has sixteen steps of . k s h o (upper case accents)");
        section->drums.push_back(steps);
      }
      if (section->drums.empty() || kBarsPerSection % section->drums.size()) return fail("one, two or four drum bars");
    } else if (key == "form") {
      for (size_t i = 1; i < words.size(); ++i) {
        FormEntry entry;
        std::istringstream parts(words[i]);
        std::string piece;
        std::getline(parts, entry.section, ':');
        while (std::getline(parts, piece, ':')) {
          if (piece != "high" && piece != "fill" && piece != "thin" && piece != "end")
            return fail("unknown variation " + piece);
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
  for (const Section& s : score.sections)
    if (s.chords.empty() || s.melody.empty()) return fail("section " + s.name + " lacks chords or melody");
  for (const FormEntry& f : score.form)
    if (!score.Find(f.section)) return fail("form names unknown section " + f.section);
  return true;
}

}  // namespace audiogen
