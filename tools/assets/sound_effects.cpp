// Each effect is a few lines of additive and subtractive synthesis: simple
// oscillators, noise, one-pole filters and decaying envelopes.
#include "sound_effects.h"

#include "little_endian.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "canvas.h"  // Rng

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Rate = 22050;

using Samples = std::vector<double>;

Samples Silence(double seconds) { return Samples(static_cast<size_t>(seconds * Rate), 0.0); }

// Adds a tone whose frequency and level follow the given curves of time (s).
void AddTone(Samples& s, double start, double length, const std::function<double(double)>& freq,
             const std::function<double(double)>& level, const std::function<double(double)>& wave) {
  double phase = 0;
  const size_t first = static_cast<size_t>(start * Rate);
  const size_t count = static_cast<size_t>(length * Rate);
  for (size_t i = 0; i < count && first + i < s.size(); i++) {
    const double t = static_cast<double>(i) / Rate;
    phase += freq(t) / Rate;
    phase -= std::floor(phase);
    s[first + i] += level(t) * wave(phase);
  }
}

double Sine(double p) { return std::sin(2 * Pi * p); }
double Square(double p) { return p < 0.5 ? 0.8 : -0.8; }
double Pulse25(double p) { return p < 0.25 ? 0.8 : -0.8; }
double Triangle(double p) { return p < 0.5 ? 4 * p - 1 : 3 - 4 * p; }

std::function<double(double)> Const(double v) {
  return [v](double) { return v; };
}
// Exponential fall from `peak` with the given time constant, after an attack.
std::function<double(double)> Decay(double peak, double tau, double attack = 0.002) {
  return [=](double t) { return peak * std::min(1.0, t / attack) * std::exp(-t / tau); };
}
std::function<double(double)> Glide(double from, double to, double length) {
  return [=](double t) { return from * std::pow(to / from, std::min(1.0, t / length)); };
}

// Noise through a low-pass filter whose cutoff follows a curve.
void AddNoise(Samples& s, double start, double length, uint32_t seed, const std::function<double(double)>& cutoff,
              const std::function<double(double)>& level, bool highPass = false) {
  Rng rng{seed};
  double low = 0;
  const size_t first = static_cast<size_t>(start * Rate);
  const size_t count = static_cast<size_t>(length * Rate);
  for (size_t i = 0; i < count && first + i < s.size(); i++) {
    const double t = static_cast<double>(i) / Rate;
    const double white = rng.Unit() * 2 - 1;
    const double a = 1 - std::exp(-2 * Pi * cutoff(t) / Rate);
    low += a * (white - low);
    s[first + i] += level(t) * (highPass ? white - low : low * 1.8);
  }
}

// A struck piece of metal: a few inharmonic partials that ring out.
void AddClank(Samples& s, double start, double base, double tau, double level, uint32_t seed) {
  static const double Partials[] = {1.0, 1.51, 2.27, 3.13};
  for (int k = 0; k < 4; k++)
    AddTone(s, start, tau * 5, Const(base * Partials[k]), Decay(level / (k + 1.5), tau / (1 + k * 0.4)), Sine);
  AddNoise(s, start, 0.012, seed, Const(6000), Decay(level * 0.9, 0.004), true);
}

// Scales to a peak of `peak` and fades the last few milliseconds to silence.
Samples Finish(Samples s, double peak) {
  double top = 0;
  for (double v : s) top = std::max(top, std::abs(v));
  if (top > 0)
    for (double& v : s) v *= peak / top;
  const size_t fade = std::min<size_t>(s.size(), Rate / 200);
  for (size_t i = 0; i < fade; i++) s[s.size() - 1 - i] *= static_cast<double>(i) / fade;
  return s;
}

Samples Slash() {  // the first hit of an attack: a bright cut and a thud
  Samples s = Silence(0.22);
  AddNoise(s, 0, 0.06, 11, Glide(9000, 2500, 0.06), Decay(0.8, 0.018), true);
  AddClank(s, 0.004, 1750, 0.035, 0.5, 12);
  AddTone(s, 0, 0.12, Glide(180, 70, 0.1), Decay(0.9, 0.03), Sine);
  return Finish(s, 0.85);
}

Samples Coin() {  // two bright steps up
  Samples s = Silence(0.3);
  AddTone(s, 0, 0.06, Const(988), Const(0.45), Pulse25);
  AddTone(s, 0.06, 0.24, Const(1319), Decay(0.45, 0.09, 0.001), Pulse25);
  AddTone(s, 0.06, 0.24, Const(2638), Decay(0.12, 0.05, 0.001), Sine);
  return Finish(s, 0.5);
}

Samples FlowerThrow() {  // a hollow pop and the seed whistling away
  Samples s = Silence(0.38);
  AddTone(s, 0, 0.12, Glide(520, 130, 0.1), Decay(0.9, 0.04), Sine);
  AddNoise(s, 0, 0.1, 21, Const(1200), Decay(0.5, 0.03));
  AddTone(s, 0.05, 0.32, Glide(600, 1500, 0.3), [](double t) { return 0.25 * std::sin(Pi * std::min(1.0, t / 0.32)); },
          Triangle);
  return Finish(s, 0.75);
}

Samples Explosion() {  // a roar that darkens as it dies, over a low boom
  Samples s = Silence(1.0);
  AddNoise(s, 0, 1.0, 31, Glide(3500, 220, 0.8), Decay(1.0, 0.28, 0.004));
  AddTone(s, 0, 0.7, Glide(75, 32, 0.6), Decay(0.9, 0.2, 0.004), Sine);
  Rng crackle{32};
  for (int k = 0; k < 14; k++) {
    const double at = 0.03 + crackle.Unit() * 0.5;
    AddNoise(s, at, 0.01, 40 + k, Const(5000), Decay(0.35 * (1 - at), 0.003), true);
  }
  return Finish(s, 0.9);
}

Samples MenuOk() {
  Samples s = Silence(0.16);
  AddTone(s, 0, 0.05, Const(880), Const(0.4), Triangle);
  AddTone(s, 0.05, 0.11, Const(1320), Decay(0.45, 0.05, 0.001), Triangle);
  return Finish(s, 0.6);
}

Samples LevelUp() {  // a rising arpeggio that settles on a bright chord
  Samples s = Silence(0.95);
  const double notes[] = {523.25, 659.26, 783.99, 1046.5};
  for (int k = 0; k < 4; k++) {
    AddTone(s, k * 0.08, 0.1, Const(notes[k]), Decay(0.35, 0.06, 0.002), Square);
    AddTone(s, k * 0.08, 0.1, Const(notes[k] * 2), Decay(0.12, 0.04, 0.002), Sine);
  }
  for (double f : {1046.5, 1318.5, 1568.0}) {
    auto vibrato = [f](double t) { return f * (1 + 0.006 * std::sin(2 * Pi * 6 * t)); };
    AddTone(s, 0.32, 0.62, vibrato, Decay(0.22, 0.22, 0.01), Triangle);
  }
  return Finish(s, 0.7);
}

Samples Refusal() {  // two low, rough buzzes
  Samples s = Silence(0.3);
  AddTone(s, 0, 0.1, Const(155), Const(0.5), Square);
  AddTone(s, 0, 0.1, Const(158), Const(0.3), Square);
  AddTone(s, 0.14, 0.13, Const(116), Decay(0.5, 0.12, 0.001), Square);
  AddTone(s, 0.14, 0.13, Const(119), Decay(0.3, 0.12, 0.001), Square);
  return Finish(s, 0.45);
}

Samples Hurt() {  // a crunch and a tone that drops away
  Samples s = Silence(0.32);
  AddNoise(s, 0, 0.08, 51, Const(2500), Decay(0.9, 0.025));
  AddTone(s, 0, 0.3, Glide(480, 95, 0.25), Decay(0.55, 0.12, 0.001), Square);
  return Finish(s, 0.8);
}

Samples GateRattle() {  // chain links and bars knocking as the gate lifts
  Samples s = Silence(0.5);
  Rng rng{61};
  double at = 0;
  for (int k = 0; at < 0.4; k++) {
    AddClank(s, at, 900 + rng.Unit() * 900, 0.012 + rng.Unit() * 0.01, 0.5 + rng.Unit() * 0.5,
             static_cast<uint32_t>(70 + k));
    at += 0.022 + rng.Unit() * 0.03;
  }
  AddTone(s, 0, 0.45, Const(62), Decay(0.25, 0.2, 0.02), Triangle);  // the weight of the gate
  return Finish(s, 0.8);
}


}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<double>& samples, int rate, int bits) {
  const uint32_t bytesPerSample = bits / 8;
  const uint32_t dataSize = static_cast<uint32_t>(samples.size()) * bytesPerSample;
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 4 + 8 + 16 + 8 + dataSize + (dataSize & 1));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, rate);
  Put32(out, rate * bytesPerSample);
  Put16(out, bytesPerSample);
  Put16(out, bits);
  PutTag(out, "data");
  Put32(out, dataSize);
  for (double v : samples) {
    const double c = std::clamp(v, -1.0, 1.0);
    if (bits == 8) {
      out.push_back(static_cast<uint8_t>(std::lround(128 + c * 127)));
    } else {
      const int16_t q = static_cast<int16_t>(std::lround(c * 32767));
      Put16(out, static_cast<uint16_t>(q));
    }
  }
  if (dataSize & 1) out.push_back(0);
  return out;
}

std::vector<SoundFile> MakeSoundEffects() {
  // The refusal buzz is kept at 8 bits: rough suits it, and it keeps the
  // game's reading of 8-bit files in use.
  return {
      {"test.wav", EncodeWav(Slash(), Rate, 16)},
      {"coin01.wav", EncodeWav(Coin(), Rate, 16)},
      {"FlowerAttack.wav", EncodeWav(FlowerThrow(), Rate, 16)},
      {"Explode.wav", EncodeWav(Explosion(), Rate, 16)},
      {"OK.wav", EncodeWav(MenuOk(), Rate, 16)},
      {"Lvup.wav", EncodeWav(LevelUp(), Rate, 16)},
      {"No.wav", EncodeWav(Refusal(), Rate, 8)},
      {"Hit.wav", EncodeWav(Hurt(), Rate, 16)},
      {"gara.wav", EncodeWav(GateRattle(), Rate, 16)},
  };
}
