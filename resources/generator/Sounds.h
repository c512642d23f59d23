#pragma once
// The four sounds of the break cycle, synthesised from short note lists: mono, 16-bit PCM.
#include <cstdint>
#include <string>
#include <vector>

namespace pausarium::resources {

inline constexpr std::uint32_t kSampleRate = 11025;

struct Note {
  double frequency;  // Hz; 0 is a rest
  double seconds;
  double loudness;   // 0..1 of full scale
};

struct Sound {
  std::string fileName;  // as the reminder looks for it in Sound\ beside itself
  std::vector<Note> notes;
  double decay;          // how fast each note fades, per second (larger is shorter)
  double overtone;       // share of the second harmonic: a brighter, more urgent timbre
};

// Notice, LastNotice, SysLock, SysOpen.
std::vector<Sound> breakCycleSounds();

std::vector<std::int16_t> synthesise(const Sound& sound);
std::vector<std::uint8_t> encodeWave(const std::vector<std::int16_t>& samples);

}  // namespace pausarium::resources
