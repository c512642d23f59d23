#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>

#include "KeptFile.h"
#include "Sounds.h"

using namespace pausarium::resources;

namespace {

const Sound& sound(const std::string& name) {
  static const auto sounds = breakCycleSounds();
  for (const Sound& s : sounds)
    if (s.fileName == name) return s;
  throw std::runtime_error("no sound " + name);
}

// Zero crossings per second over a stretch: a rough pitch.
double crossingsPerSecond(const std::vector<std::int16_t>& s, std::size_t from, std::size_t to) {
  int crossings = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    if ((s[i - 1] < 0) != (s[i] < 0)) ++crossings;
  return crossings * static_cast<double>(kSampleRate) / static_cast<double>(to - from);
}

const std::vector<std::string> kNames{"Notice.wav", "LastNotice.wav", "SysLock.wav", "SysOpen.wav"};

TEST(Sounds, AreTheFourFilesTheReminderPlays) {
  std::set<std::string> names;
  for (const Sound& s : breakCycleSounds()) names.insert(s.fileName);
  EXPECT_EQ(names, std::set<std::string>(kNames.begin(), kNames.end()));
}

TEST(Sounds, KeptFilesAreWhatTheGeneratorMakes) {
  for (const std::string& name : kNames) {
    const auto kept = keptFile("Sound/" + name);
    ASSERT_FALSE(kept.empty()) << "resources/Sound/" << name << " is missing";
    EXPECT_EQ(kept, encodeWave(synthesise(sound(name))))
        << name << ": run the regenerate_resources target and commit the result";
  }
}

TEST(Sounds, AreShortSixteenBitPcmWaveFiles) {
  for (const std::string& name : kNames) {
    SCOPED_TRACE(name);
    const auto wav = encodeWave(synthesise(sound(name)));
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(readU32(wav, 4), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(readU16(wav, 20), 1);   // PCM
    EXPECT_EQ(readU16(wav, 22), 1);   // mono
    EXPECT_EQ(readU32(wav, 24), kSampleRate);
    EXPECT_EQ(readU16(wav, 34), 16);  // bits per sample
    EXPECT_EQ(readU32(wav, 40), wav.size() - 44);
    EXPECT_GT(wav.size(), 2000u);
    EXPECT_LT(wav.size(), 16000u);    // a few kilobytes
  }
}

TEST(Sounds, AreAudibleWithoutClippingOrClicks) {
  for (const std::string& name : kNames) {
    SCOPED_TRACE(name);
    const auto s = synthesise(sound(name));
    const auto peak = std::abs(*std::max_element(s.begin(), s.end(),
        [](auto a, auto b) { return std::abs(a) < std::abs(b); }));
    EXPECT_GT(peak, 8000);   // clearly audible
    EXPECT_LT(peak, 32000);  // never at full scale
    EXPECT_LT(std::abs(s.front()), 200);
    EXPECT_LT(std::abs(s.back()), 200);
    // Each note fades in: the first 2 ms stay well below the peak.
    for (std::size_t i = 0; i < kSampleRate / 500; ++i) ASSERT_LT(std::abs(s[i]), peak / 2) << i;
  }
}

TEST(Sounds, DifferFromEachOtherAsTheirMomentsDo) {
  const auto notice = synthesise(sound("Notice.wav"));
  const auto last = synthesise(sound("LastNotice.wav"));
  const auto lock = synthesise(sound("SysLock.wav"));
  const auto open = synthesise(sound("SysOpen.wav"));
  // The last notice is higher and brighter than the first ones.
  EXPECT_GT(crossingsPerSecond(last, 0, last.size() / 4), crossingsPerSecond(notice, 0, notice.size() / 4) * 1.3);
  // The lock tone falls, the opening tone rises.
  EXPECT_GT(crossingsPerSecond(lock, 0, lock.size() / 4), crossingsPerSecond(lock, lock.size() / 2, lock.size()) * 1.3);
  EXPECT_LT(crossingsPerSecond(open, 0, open.size() / 4), crossingsPerSecond(open, open.size() * 3 / 4, open.size()) / 1.3);
  // The last notice is broken by two short rests.
  int silentRuns = 0;
  for (std::size_t i = 0, run = 0; i < last.size(); ++i) {
    run = std::abs(last[i]) < 50 ? run + 1 : 0;
    if (run == kSampleRate / 50) ++silentRuns;  // 20 ms of silence
  }
  EXPECT_EQ(silentRuns, 2);
}

}  // namespace
