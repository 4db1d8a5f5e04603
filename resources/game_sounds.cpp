// The six game sounds, synthesised: a wooden knock for a placement, a swish
// and knock for a slide, a falling two-note chime for a take, a low double
// buzz for a refusal, a rising fanfare for a win and a harsh buzzer.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "resources/data_set.h"

namespace datagen {

namespace {

constexpr float kPi = 3.14159265358979f;

using Track = std::vector<float>;

Track Silence(float seconds) { return Track(static_cast<size_t>(seconds * kSampleRate), 0.0f); }

// Deterministic white noise in -1..1.
struct Noise {
  uint32_t state = 0x2545F491u;
  float Next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>((state >> 8) & 0xFFFF) / 32767.5f - 1.0f;
  }
};

// A decaying sine added from `start` seconds on.
void AddTone(Track& t, float start, float freq, float amp, float decay, float length) {
  const size_t from = static_cast<size_t>(start * kSampleRate);
  const size_t n = static_cast<size_t>(length * kSampleRate);
  for (size_t i = 0; i < n && from + i < t.size(); ++i) {
    const float s = static_cast<float>(i) / float(kSampleRate);
    const float attack = std::min(1.0f, s / 0.002f);
    t[from + i] += amp * attack * std::exp(-s / decay) * std::sin(2 * kPi * freq * s);
  }
}

// A knock of wood on wood: a short noisy click and two damped body modes.
void AddKnock(Track& t, float start, float pitch, float amp, Noise& noise) {
  AddTone(t, start, pitch, amp * 0.8f, 0.022f, 0.15f);
  AddTone(t, start, pitch * 2.3f, amp * 0.35f, 0.010f, 0.06f);
  AddTone(t, start, pitch * 0.42f, amp * 0.45f, 0.035f, 0.15f);
  const size_t from = static_cast<size_t>(start * kSampleRate);
  float low = 0;
  for (size_t i = 0; i < static_cast<size_t>(0.008f * kSampleRate) && from + i < t.size(); ++i) {
    low += 0.35f * (noise.Next() - low);
    t[from + i] += amp * 0.6f * low * (1.0f - static_cast<float>(i) / (0.008f * static_cast<float>(kSampleRate)));
  }
}

// Scales the track to a comfortable peak and fades its ends so it never clicks.
std::vector<int16_t> Finish(Track t, float peak = 0.78f) {
  const size_t fade = static_cast<size_t>(0.003f * kSampleRate);
  for (size_t i = 0; i < fade && i < t.size(); ++i) {
    const float k = static_cast<float>(i) / float(fade);
    t[i] *= k;
    t[t.size() - 1 - i] *= k;
  }
  float most = 0;
  for (float v : t) most = std::max(most, std::fabs(v));
  const float gain = most > 0 ? peak / most : 0;
  std::vector<int16_t> out(t.size());
  for (size_t i = 0; i < t.size(); ++i)
    out[i] = static_cast<int16_t>(std::lround(std::clamp(t[i] * gain, -1.0f, 1.0f) * 32767.0f));
  return out;
}

std::vector<int16_t> Place() {
  Noise noise;
  Track t = Silence(0.16f);
  AddKnock(t, 0, 620, 1.0f, noise);
  return Finish(t);
}

std::vector<int16_t> Slide() {
  Noise noise;
  Track t = Silence(0.36f);
  // Band-passed noise whose centre rises: the piece sliding over the board.
  const float length = 0.24f;
  float lp = 0, bp = 0;
  for (size_t i = 0; i < static_cast<size_t>(length * kSampleRate); ++i) {
    const float s = static_cast<float>(i) / float(kSampleRate);
    const float centre = 700 + 2200 * (s / length);
    const float f = 2 * std::sin(kPi * centre / kSampleRate);
    const float in = noise.Next();
    // A state-variable filter, band-pass output.
    lp += f * bp;
    const float hp = in - lp - 0.5f * bp;
    bp += f * hp;
    const float env = std::sin(kPi * s / length);
    t[i] += 0.5f * env * env * bp;
  }
  AddKnock(t, 0.22f, 560, 0.9f, noise);
  return Finish(t);
}

std::vector<int16_t> Take() {
  Noise noise;
  Track t = Silence(0.45f);
  AddKnock(t, 0, 300, 0.7f, noise);
  // A falling chime, with a little inharmonic shimmer.
  AddTone(t, 0.03f, 1318.5f, 0.55f, 0.09f, 0.3f);
  AddTone(t, 0.03f, 1318.5f * 2.76f, 0.12f, 0.03f, 0.1f);
  AddTone(t, 0.15f, 880.0f, 0.6f, 0.12f, 0.3f);
  AddTone(t, 0.15f, 880.0f * 2.76f, 0.12f, 0.04f, 0.12f);
  return Finish(t);
}

std::vector<int16_t> Deny() {
  Track t = Silence(0.32f);
  // Two short low beeps with odd harmonics (a soft square wave).
  for (float start : {0.0f, 0.16f}) {
    const size_t from = static_cast<size_t>(start * kSampleRate);
    const size_t n = static_cast<size_t>(0.12f * kSampleRate);
    for (size_t i = 0; i < n && from + i < t.size(); ++i) {
      const float s = static_cast<float>(i) / float(kSampleRate);
      const float env = std::min({1.0f, s / 0.005f, (0.12f - s) / 0.015f});
      float v = 0;
      for (int h = 1; h <= 7; h += 2)
        v += std::sin(2 * kPi * 185.0f * static_cast<float>(h) * s) / static_cast<float>(h);
      t[from + i] += env * v;
    }
  }
  return Finish(t, 0.6f);
}

std::vector<int16_t> Win() {
  Track t = Silence(1.3f);
  // A rising major arpeggio that rings on as a chord.
  const float notes[] = {523.25f, 659.25f, 783.99f, 1046.5f};
  for (int k = 0; k < 4; ++k) {
    const float start = static_cast<float>(k) * 0.13f;
    const float len = 1.3f - start;
    AddTone(t, start, notes[k], 0.5f, 0.45f, len);
    AddTone(t, start, notes[k] * 2, 0.16f, 0.2f, len);
    AddTone(t, start, notes[k] * 3, 0.06f, 0.1f, len);
  }
  return Finish(t);
}

std::vector<int16_t> Buzzer() {
  Track t = Silence(0.6f);
  float lp = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    const float s = static_cast<float>(i) / float(kSampleRate);
    // Two detuned saw waves beat against each other; a tremolo roughens them.
    const float a = 2 * (s * 110.0f - std::floor(s * 110.0f + 0.5f));
    const float b = 2 * (s * 116.5f - std::floor(s * 116.5f + 0.5f));
    const float trem = 0.75f + 0.25f * std::sin(2 * kPi * 14 * s);
    const float env = std::min({1.0f, s / 0.01f, (0.6f - s) / 0.06f});
    lp += 0.3f * ((a + b) * trem * env - lp);
    t[i] = lp;
  }
  return Finish(t, 0.7f);
}

}  // namespace

std::vector<Sound> MakeSounds() {
  return {{"place.wav", Place()}, {"slide.wav", Slide()}, {"take.wav", Take()},
          {"deny.wav", Deny()},   {"win.wav", Win()},     {"buzzer.wav", Buzzer()}};
}

}  // namespace datagen
