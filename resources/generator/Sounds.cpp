#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "ByteWriter.h"

namespace pausarium::resources {

std::vector<Sound> breakCycleSounds() {
  // Pitches: A4 440, C5 523.25, E5 659.26, G5 783.99, A5 880, C6 1046.5.
  return {
      // A gentle rising two-note chime: time to save the work.
      {"Notice.wav", {{659.26, 0.16, 0.45}, {880.0, 0.26, 0.45}}, 9.0, 0.10},
      // Three quick, brighter beeps on one high note: the last minute.
      {"LastNotice.wav",
       {{1046.5, 0.08, 0.6}, {0, 0.04, 0}, {1046.5, 0.08, 0.6}, {0, 0.04, 0}, {1046.5, 0.14, 0.6}},
       12.0, 0.35},
      // A falling triad: the lock begins.
      {"SysLock.wav", {{783.99, 0.12, 0.5}, {659.26, 0.12, 0.5}, {523.25, 0.30, 0.5}}, 6.0, 0.20},
      // A rising triad ending on the octave: the break is over.
      {"SysOpen.wav", {{523.25, 0.10, 0.45}, {659.26, 0.10, 0.45}, {783.99, 0.10, 0.45},
                       {1046.5, 0.24, 0.45}}, 7.0, 0.10},
  };
}

std::vector<std::int16_t> synthesise(const Sound& sound) {
  constexpr double kAttack = 0.005;  // seconds of fade-in: no click at a note's start
  constexpr double kRelease = 0.02;  // seconds of fade-out at its end
  std::vector<std::int16_t> samples;
  for (const Note& note : sound.notes) {
    const auto count = static_cast<std::size_t>(std::lround(note.seconds * kSampleRate));
    for (std::size_t i = 0; i < count; ++i) {
      const double t = static_cast<double>(i) / kSampleRate;
      const double left = note.seconds - t;
      const double envelope = std::min({1.0, t / kAttack, left / kRelease}) * std::exp(-sound.decay * t);
      const double phase = 2 * std::numbers::pi * note.frequency * t;
      const double wave = (1 - sound.overtone) * std::sin(phase) + sound.overtone * std::sin(2 * phase);
      const double value = note.loudness * envelope * wave * 32767.0;
      samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(value, -32767.0, 32767.0))));
    }
  }
  return samples;
}

std::vector<std::uint8_t> encodeWave(const std::vector<std::int16_t>& samples) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  ByteWriter out;
  out.text("RIFF").u32(36 + dataBytes).text("WAVE");
  out.text("fmt ").u32(16).u16(1).u16(1);               // PCM, mono
  out.u32(kSampleRate).u32(kSampleRate * 2).u16(2).u16(16);
  out.text("data").u32(dataBytes);
  for (std::int16_t s : samples) out.u16(static_cast<std::uint16_t>(s));
  return out.bytes();
}

}  // namespace pausarium::resources
