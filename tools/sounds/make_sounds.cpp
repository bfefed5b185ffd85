// make_sounds: synthesises the game's six sound cues and writes them as RIFF/WAVE files.
//
// Usage: make_sounds [OUTPUT_DIR]   (default: resources/sounds of the source tree)
//
// Everything is computed from fixed note lists and a fixed-seed noise generator, so every run
// writes the same bytes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
// Partials above this would fold back below the Nyquist frequency as harsh aliases.
constexpr double kHighestPartial = 10000.0;

using Track = std::vector<double>; // one channel, full scale is +-1

int Frames(double seconds) {
    return static_cast<int>(std::lround(seconds * kRate));
}

// Equal-tempered pitch of a MIDI note number (69 is A4 = 440 Hz).
double Pitch(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

// Raised-cosine ramp from 0 at x <= 0 to 1 at x >= 1: no corner, so no click.
double Smooth(double x) {
    if (x <= 0.0) {
        return 0.0;
    }
    if (x >= 1.0) {
        return 1.0;
    }
    return 0.5 - 0.5 * std::cos(kPi * x);
}

// Fixed-seed white noise in -1..1.
class Noise {
public:
    double Next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 52) - 1.0;
    }

private:
    std::uint64_t m_state = 0x5EED1234ABCDULL;
};

// A brass-like note: harmonics whose upper members swell in with the attack (the "blat") and
// fade before the fundamental, a sustain with delayed vibrato, and a soft release.
// `glide` is the pitch ratio reached at the end of the note (1 = none).
void AddBrass(Track& track, double start, double length, double freq, double gain,
              double glide = 1.0, double vibratoDepth = 0.004) {
    const int first = Frames(start);
    const int count = Frames(length);
    const double attack = 0.03;
    const double release = std::min(0.08, length * 0.4);
    double phase = 0.0;
    for (int i = 0; i < count && first + i < static_cast<int>(track.size()); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double envelope =
            Smooth(t / attack) * (0.8 + 0.2 * std::exp(-t / 0.06)) * Smooth((length - t) / release);
        // Brightness follows the attack, then settles: the tone opens and mellows.
        const double bright = 0.25 + 0.45 * Smooth(t / 0.04) * (0.65 + 0.35 * std::exp(-t / 0.15));
        const double vibrato =
            1.0 + vibratoDepth * Smooth((t - 0.12) / 0.15) * std::sin(kTwoPi * 5.5 * t);
        const double f = freq * std::pow(glide, t / length) * vibrato;
        phase += kTwoPi * f / kRate;
        double sum = 0.0;
        double amplitude = 1.0;
        for (int k = 1; k <= 12 && k * f < kHighestPartial; ++k) {
            sum += amplitude * std::sin(k * phase);
            amplitude *= bright;
        }
        track[first + i] += gain * envelope * sum;
    }
}

// A bell-like strike: a few partials, the higher ones slightly stretched and dying faster.
void AddBell(Track& track, double start, double freq, double gain, double ring) {
    struct Partial {
        double ratio;
        double level;
        double decay; // fraction of `ring`
    };
    static constexpr Partial kPartials[] = {{1.0, 1.0, 1.0},
                                            {2.0, 0.45, 0.55},
                                            {3.01, 0.28, 0.35},
                                            {4.17, 0.14, 0.2},
                                            {5.43, 0.09, 0.12}};
    const int first = Frames(start);
    const int count = std::min(Frames(ring * 6.0), static_cast<int>(track.size()) - first);
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = Smooth(t / 0.003);
        double sum = 0.0;
        for (const Partial& p : kPartials) {
            if (p.ratio * freq < kHighestPartial) {
                sum += p.level * std::exp(-t / (ring * p.decay)) *
                       std::sin(kTwoPi * p.ratio * freq * t);
            }
        }
        track[first + i] += gain * attack * sum;
    }
}

// A woodblock tick: two damped resonances and a very short burst of noise for the knock.
void AddTick(Track& track, double start) {
    Noise noise;
    const int first = Frames(start);
    const int count = static_cast<int>(track.size()) - first;
    double previous = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = Smooth(t / 0.0015);
        const double body = std::exp(-t / 0.016) * std::sin(kTwoPi * 1750.0 * t) +
                            0.45 * std::exp(-t / 0.006) * std::sin(kTwoPi * 4720.0 * t);
        // Differenced noise keeps the knock bright without a low-frequency thump.
        const double white = noise.Next();
        const double knock = 0.5 * (white - previous) * std::exp(-t / 0.0015);
        previous = white;
        track[first + i] += attack * (body + knock);
    }
}

// A low, dull knock whose pitch falls fast: a firm "thunk".
void AddThunk(Track& track, double start, double gain) {
    Noise noise;
    const int first = Frames(start);
    const int count = std::min(Frames(0.35), static_cast<int>(track.size()) - first);
    double phase = 0.0;
    double lowNoise = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double attack = Smooth(t / 0.002);
        const double f = 55.0 + 95.0 * std::exp(-t / 0.03);
        phase += kTwoPi * f / kRate;
        lowNoise += 0.2 * (noise.Next() - lowNoise); // one-pole low-pass, about 800 Hz
        const double body = std::exp(-t / 0.07) * (std::sin(phase) + 0.3 * std::sin(2.0 * phase));
        const double knock = 1.5 * lowNoise * std::exp(-t / 0.012);
        track[first + i] += gain * attack * (body + knock);
    }
}

// Fades the very start and end so every sound begins and ends at silence.
void FadeEnds(Track& track, double fadeIn, double fadeOut) {
    const int size = static_cast<int>(track.size());
    const int in = std::max(1, Frames(fadeIn));
    const int out = std::max(1, Frames(fadeOut));
    for (int i = 0; i < size; ++i) {
        const double gainIn = Smooth(static_cast<double>(i) / in);
        const double gainOut = Smooth(static_cast<double>(size - 1 - i) / out);
        track[i] *= gainIn * gainOut;
    }
}

// Scales all channels together so the loudest sample sits at `peak` of full scale.
void Normalise(std::vector<Track>& channels, double peak) {
    double loudest = 0.0;
    for (const Track& track : channels) {
        for (double s : track) {
            loudest = std::max(loudest, std::abs(s));
        }
    }
    if (loudest > 0.0) {
        for (Track& track : channels) {
            for (double& s : track) {
                s *= peak / loudest;
            }
        }
    }
}

// Interleaved PCM bytes: 8-bit is unsigned around 128, 16-bit is signed little-endian.
std::vector<std::uint8_t> Quantise(const std::vector<Track>& channels, int bits) {
    std::vector<std::uint8_t> bytes;
    const std::size_t frames = channels.front().size();
    for (std::size_t i = 0; i < frames; ++i) {
        for (const Track& track : channels) {
            if (bits == 8) {
                const long v = std::clamp(std::lround(track[i] * 127.0), -127L, 127L);
                bytes.push_back(static_cast<std::uint8_t>(128 + v));
            } else {
                const long v = std::clamp(std::lround(track[i] * 32767.0), -32767L, 32767L);
                const auto u = static_cast<std::uint16_t>(static_cast<std::int16_t>(v));
                bytes.push_back(static_cast<std::uint8_t>(u & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>(u >> 8));
            }
        }
    }
    return bytes;
}

void PutU16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

bool WriteWave(const std::string& path, int channels, int bits,
               const std::vector<std::uint8_t>& samples) {
    const unsigned blockAlign = static_cast<unsigned>(channels * bits / 8);
    std::vector<std::uint8_t> file;
    PutTag(file, "RIFF");
    PutU32(file,
           static_cast<std::uint32_t>(4 + 8 + 16 + 8 + samples.size() + (samples.size() & 1)));
    PutTag(file, "WAVE");
    PutTag(file, "fmt ");
    PutU32(file, 16);
    PutU16(file, 1); // PCM
    PutU16(file, static_cast<unsigned>(channels));
    PutU32(file, kRate);
    PutU32(file, kRate * blockAlign);
    PutU16(file, blockAlign);
    PutU16(file, static_cast<unsigned>(bits));
    PutTag(file, "data");
    PutU32(file, static_cast<std::uint32_t>(samples.size()));
    file.insert(file.end(), samples.begin(), samples.end());
    if (samples.size() & 1) {
        file.push_back(0);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

struct Sound {
    int id;
    int channels;
    int bits;
    std::vector<std::uint8_t> samples;
};

// 101, jackpot, second sound: bells run up two octaves, sparkle, then a big chord rings out.
Sound Jackpot2() {
    Track t(90956, 0.0);
    const int run[] = {72, 76, 79, 84, 88, 91, 96}; // C5 up to C7
    for (int i = 0; i < 7; ++i) {
        AddBell(t, 0.02 + 0.1 * i, Pitch(run[i]), 0.55, 0.35);
    }
    const int sparkle[] = {91, 96, 91, 96, 88, 91};
    for (int i = 0; i < 6; ++i) {
        AddBell(t, 0.78 + 0.075 * i, Pitch(sparkle[i]), 0.35, 0.2);
    }
    // The final chord: C major over two octaves, struck twice for a ringing finish.
    const int chord[] = {60, 72, 76, 79, 84, 88};
    for (int note : chord) {
        AddBell(t, 1.3, Pitch(note), 0.4, 0.55);
        AddBell(t, 1.9, Pitch(note), 0.32, 0.7);
    }
    // A soft brass pad under the bells holds the chord.
    AddBrass(t, 1.3, 2.6, Pitch(60), 0.18);
    AddBrass(t, 1.3, 2.6, Pitch(67), 0.14);
    AddBrass(t, 1.3, 2.6, Pitch(64), 0.12);
    std::vector<Track> channels{t};
    FadeEnds(channels[0], 0.003, 0.15);
    Normalise(channels, 0.89);
    return {101, 1, 8, Quantise(channels, 8)};
}

// 102, time-out: three falling brass steps and a long sagging last note.
Sound TimeOut() {
    Track t(28665, 0.0);
    AddBrass(t, 0.00, 0.26, Pitch(58), 1.0);              // Bb3
    AddBrass(t, 0.28, 0.26, Pitch(57), 1.0);              // A3
    AddBrass(t, 0.56, 0.26, Pitch(56), 1.0);              // Ab3
    AddBrass(t, 0.84, 0.44, Pitch(55), 1.0, 0.94, 0.018); // G3, sagging with a wobble
    std::vector<Track> channels{t};
    FadeEnds(channels[0], 0.003, 0.02);
    Normalise(channels, 0.89);
    return {102, 1, 16, Quantise(channels, 16)};
}

// 103, the tick: one woodblock knock, the same in both ears.
Sound Tick() {
    Track t(4400, 0.0);
    AddTick(t, 0.0);
    std::vector<Track> channels{t, t};
    FadeEnds(channels[0], 0.0, 0.01);
    FadeEnds(channels[1], 0.0, 0.01);
    Normalise(channels, 0.8);
    return {103, 2, 16, Quantise(channels, 16)};
}

// 104, jackpot, first sound: a brass call (pickup triplet, leaps up) and a held major chord,
// spread a little across the two channels.
Sound Jackpot1() {
    Track left(57352, 0.0);
    Track right(57352, 0.0);
    auto both = [&](double start, double length, int note, double gain) {
        AddBrass(left, start, length, Pitch(note), gain);
        AddBrass(right, start, length, Pitch(note), gain);
    };
    both(0.00, 0.11, 67, 0.8); // G4 G4 G4
    both(0.13, 0.11, 67, 0.8);
    both(0.26, 0.11, 67, 0.8);
    both(0.39, 0.40, 72, 0.9); // C5
    both(0.82, 0.13, 76, 0.8); // E5
    both(0.97, 0.13, 79, 0.8); // G5
    // Held chord C5 E5 G5 C6, the voices leaning left and right.
    AddBrass(left, 1.12, 1.45, Pitch(72), 0.6);
    AddBrass(right, 1.12, 1.45, Pitch(72), 0.45);
    AddBrass(left, 1.12, 1.45, Pitch(76), 0.35);
    AddBrass(right, 1.12, 1.45, Pitch(76), 0.5);
    AddBrass(left, 1.12, 1.45, Pitch(79), 0.5);
    AddBrass(right, 1.12, 1.45, Pitch(79), 0.35);
    AddBrass(left, 1.12, 1.45, Pitch(84), 0.35, 1.0, 0.006);
    AddBrass(right, 1.12, 1.45, Pitch(84), 0.5, 1.0, 0.006);
    std::vector<Track> channels{left, right};
    for (Track& track : channels) {
        FadeEnds(track, 0.003, 0.03);
    }
    Normalise(channels, 0.89);
    return {104, 2, 16, Quantise(channels, 16)};
}

// 105, stop: a firm thunk, then a short rising two-note chime to confirm.
Sound Stop() {
    Track t(27562, 0.0);
    AddThunk(t, 0.0, 1.0);
    AddBell(t, 0.16, Pitch(81), 0.45, 0.16); // A5
    AddBell(t, 0.31, Pitch(88), 0.45, 0.22); // E6
    std::vector<Track> channels{t};
    FadeEnds(channels[0], 0.002, 0.05);
    Normalise(channels, 0.89);
    return {105, 1, 8, Quantise(channels, 8)};
}

// 106, the double tick: the tick's samples twice in a row.
Sound DoubleTick(const Sound& tick) {
    Sound twice{106, tick.channels, tick.bits, tick.samples};
    twice.samples.insert(twice.samples.end(), tick.samples.begin(), tick.samples.end());
    return twice;
}

// Peak of the interleaved samples in dB relative to full scale, for the summary line.
double PeakDb(const Sound& sound) {
    double loudest = 0.0;
    if (sound.bits == 8) {
        for (std::uint8_t b : sound.samples) {
            loudest = std::max(loudest, std::abs(b - 128.0) / 128.0);
        }
    } else {
        for (std::size_t i = 0; i + 1 < sound.samples.size(); i += 2) {
            const auto v =
                static_cast<std::int16_t>(sound.samples[i] | (sound.samples[i + 1] << 8));
            loudest = std::max(loudest, std::abs(static_cast<double>(v)) / 32768.0);
        }
    }
    return loudest > 0.0 ? 20.0 * std::log10(loudest) : -200.0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::fprintf(stderr, "usage: make_sounds [OUTPUT_DIR]\n");
        return 2;
    }
    const std::string dir = argc == 2 ? argv[1] : GLOBULE_SOURCE_DIR "/resources/sounds";
    const Sound tick = Tick();
    const Sound sounds[] = {Jackpot2(), TimeOut(), tick, Jackpot1(), Stop(), DoubleTick(tick)};
    for (const Sound& sound : sounds) {
        const std::string path = dir + "/" + std::to_string(sound.id) + ".wav";
        if (!WriteWave(path, sound.channels, sound.bits, sound.samples)) {
            std::fprintf(stderr, "make_sounds: cannot write %s\n", path.c_str());
            return 1;
        }
        const std::size_t frames = sound.samples.size() / (sound.channels * sound.bits / 8);
        std::printf("%s: %d ch, %d bit, %zu frames (%.3f s), peak %.1f dBFS\n", path.c_str(),
                    sound.channels, sound.bits, frames, static_cast<double>(frames) / kRate,
                    PeakDb(sound));
    }
    return 0;
}
